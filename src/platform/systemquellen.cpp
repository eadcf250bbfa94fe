#include "platform/systemquellen.h"

namespace plattform {
namespace {

// What a machine without any of these facilities answers, so a program or test that installs
// only some of them still runs.
struct LeereRegistry : Registry {
    bool schluesselDa(const QString&) const override { return false; }
    std::optional<Regwert> wert(const QString&, const QString&) const override { return {}; }
    std::optional<QStringList> unterschluessel(const QString&) const override { return {}; }
};
struct LeeresWmi : Wmi {
    std::optional<QList<Wmiobjekt>> abfrage(const QString&) const override { return {}; }
};
struct LeererRechner : Rechner {
    Speicherstatus speicherstatus() const override { return {}; }
    QString prozessoren() const override { return {}; }
    bool ist64bit() const override { return false; }
    QString benutzername() const override { return {}; }
    QString rechnername() const override { return {}; }
    QString arbeitsgruppe() const override { return {}; }
    std::optional<QStringList> ipadressen() const override { return {}; }
    QString macadresse() const override { return {}; }
    QString netzwerkmaske() const override { return {}; }
    QStringList dnsserver() const override { return {}; }
    bool netzwerkDa() const override { return false; }
};
struct LeereAnzeige : Anzeige {
    int farbtiefe() const override { return 0; }
    quint32 bildfrequenz() const override { return 0; }
    QList<std::optional<Anzeigemodus>> anzeigemodi() const override
    {
        return QList<std::optional<Anzeigemodus>>(256);
    }
    QList<Anzeigegeraet> anzeigegeraete() const override { return {}; }
    QSize bildschirm() const override { return QSize(0, 0); }
};
struct KeineDrucker : Drucker {
    QString standarddrucker() const override { return {}; }
    QStringList druckerliste() const override { return {}; }
};

}  // namespace

const Registry& registry()
{
    static const LeereRegistry leer;
    return installiert().registry ? *installiert().registry : leer;
}
const Wmi& wmi()
{
    static const LeeresWmi leer;
    return installiert().wmi ? *installiert().wmi : leer;
}
const Rechner& rechner()
{
    static const LeererRechner leer;
    return installiert().rechner ? *installiert().rechner : leer;
}
const Anzeige& anzeige()
{
    static const LeereAnzeige leer;
    return installiert().anzeige ? *installiert().anzeige : leer;
}
const Drucker& drucker()
{
    static const KeineDrucker leer;
    return installiert().drucker ? *installiert().drucker : leer;
}

}  // namespace plattform
