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
    QSize bildschirm() const override { return {}; }
};
struct KeineDrucker : Drucker {
    QString standarddrucker() const override { return {}; }
    QStringList druckerliste() const override { return {}; }
};

template <typename T, typename Leer>
struct Platz {
    Leer leer;
    const T* aktiv = nullptr;
    const T& get() const { return aktiv ? *aktiv : leer; }
};

Platz<Registry, LeereRegistry> g_registry;
Platz<Wmi, LeeresWmi> g_wmi;
Platz<Rechner, LeererRechner> g_rechner;
Platz<Anzeige, LeereAnzeige> g_anzeige;
Platz<Drucker, KeineDrucker> g_drucker;

}  // namespace

const Registry& registry() { return g_registry.get(); }
const Wmi& wmi() { return g_wmi.get(); }
const Rechner& rechner() { return g_rechner.get(); }
const Anzeige& anzeige() { return g_anzeige.get(); }
const Drucker& drucker() { return g_drucker.get(); }
void installieren(const Registry* r) { g_registry.aktiv = r; }
void installieren(const Wmi* w) { g_wmi.aktiv = w; }
void installieren(const Rechner* r) { g_rechner.aktiv = r; }
void installieren(const Anzeige* a) { g_anzeige.aktiv = a; }
void installieren(const Drucker* d) { g_drucker.aktiv = d; }

}  // namespace plattform
