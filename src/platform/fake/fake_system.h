#pragma once
// Prepared machines for the report tests.
//
//   plattform::FakeRegistry reg;
//   reg.wert("Hardware\\Description\\System\\CentralProcessor\\0", "~MHz", Regwert::alsZahl(2400));
//   reg.gesperrt("SYSTEM\\CurrentControlSet\\Enum\\IDE\\Kaputt");   // exists, cannot be opened
//   plattform::FakeWmi wmi;  wmi.klasse("Win32_VideoController", {{{"AdapterRAM", 268435456}}});
//   plattform::FakeRechner r;  r.daten.benutzername = "anna";
//
// A key exists once a value or subkey is put below it; subkeys list in the order they were made.
#include "platform/systemquellen.h"

namespace plattform {

class FakeRegistry : public Registry {
public:
    void schluessel(const QString& pfad);
    void wert(const QString& pfad, const QString& name, const Regwert& w);
    void gesperrt(const QString& pfad);

    bool schluesselDa(const QString& pfad) const override;
    std::optional<Regwert> wert(const QString& pfad, const QString& name) const override;
    std::optional<QStringList> unterschluessel(const QString& pfad) const override;

private:
    struct Knoten {
        QStringList unter;  // original spelling
        QList<QPair<QString, Regwert>> werte;
        bool gesperrt = false;
    };
    const Knoten* offen(const QString& pfad) const;
    QMap<QString, Knoten> m_knoten;  // by lower-case path
};

class FakeWmi : public Wmi {
public:
    void klasse(const QString& name, const QList<Wmiobjekt>& objekte) { m_klassen[name.trimmed().toLower()] = objekte; }
    std::optional<QList<Wmiobjekt>> abfrage(const QString& klasse) const override;

private:
    QMap<QString, QList<Wmiobjekt>> m_klassen;
};

struct Rechnerdaten {
    Speicherstatus speicher;
    QString prozessoren, benutzername, rechnername, arbeitsgruppe, macadresse, netzwerkmaske;
    bool ist64bit = true;
    std::optional<QStringList> ipadressen = QStringList();
    QStringList dnsserver;
    bool netzwerkDa = true;
};

class FakeRechner : public Rechner {
public:
    Rechnerdaten daten;
    Speicherstatus speicherstatus() const override { return daten.speicher; }
    QString prozessoren() const override { return daten.prozessoren; }
    bool ist64bit() const override { return daten.ist64bit; }
    QString benutzername() const override { return daten.benutzername; }
    QString rechnername() const override { return daten.rechnername; }
    QString arbeitsgruppe() const override { return daten.arbeitsgruppe; }
    std::optional<QStringList> ipadressen() const override { return daten.ipadressen; }
    QString macadresse() const override { return daten.macadresse; }
    QString netzwerkmaske() const override { return daten.netzwerkmaske; }
    QStringList dnsserver() const override { return daten.dnsserver; }
    bool netzwerkDa() const override { return daten.netzwerkDa; }
};

class FakeAnzeige : public Anzeige {
public:
    int tiefe = 24;
    quint32 frequenz = 60;
    QList<std::optional<Anzeigemodus>> modi = QList<std::optional<Anzeigemodus>>(256);
    QList<Anzeigegeraet> geraete;
    QSize groesse{1024, 768};

    int farbtiefe() const override { return tiefe; }
    quint32 bildfrequenz() const override { return frequenz; }
    QList<std::optional<Anzeigemodus>> anzeigemodi() const override { return modi; }
    QList<Anzeigegeraet> anzeigegeraete() const override { return geraete; }
    QSize bildschirm() const override { return groesse; }
};

class FakeDrucker : public Drucker {
public:
    QString standard;
    QStringList namen;
    QString standarddrucker() const override { return standard; }
    QStringList druckerliste() const override { return namen; }
};

}  // namespace plattform
