#pragma once
// Facts about the machine for the reports: a read-only registry and WMI as the reports ask for
// them, the machine's identity, memory and network facts, the display and the printers. Each is an
// interface with a Linux and a fake backend; a query that only asks is const and returns a value.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "platform/plattform.h"

#include <optional>

namespace plattform {

// Types of registry values the reports distinguish.
enum class Regtyp { text, erweiterbarerText, zahl32, mehrfachtext, binaer };

struct Regwert {
    Regtyp typ = Regtyp::text;
    QString text;          // text and erweiterbarerText
    qint32 zahl = 0;       // zahl32
    QStringList texte;     // mehrfachtext: the strings up to the first empty one
    QByteArray daten;      // binaer
    static Regwert alsText(const QString& t) { Regwert w; w.text = t; return w; }
    static Regwert alsZahl(qint32 z) { Regwert w; w.typ = Regtyp::zahl32; w.zahl = z; return w; }
    static Regwert alsTexte(const QStringList& t) { Regwert w; w.typ = Regtyp::mehrfachtext; w.texte = t; return w; }
    static Regwert alsDaten(const QByteArray& d) { Regwert w; w.typ = Regtyp::binaer; w.daten = d; return w; }
};

// Read-only keys below HKEY_LOCAL_MACHINE; paths use "\" and compare without regard to case.
class Registry {
public:
    virtual ~Registry() = default;
    virtual bool schluesselDa(const QString& pfad) const = 0;
    // Empty when the key cannot be opened or has no such value.
    virtual std::optional<Regwert> wert(const QString& pfad, const QString& name) const = 0;
    // Names of the subkeys in enumeration order; empty optional when the key cannot be opened.
    virtual std::optional<QStringList> unterschluessel(const QString& pfad) const = 0;
};

// One object of a WMI result set: property name → value. A null QVariant is a null value; a
// QVariantList is an array.
using Wmiobjekt = QMap<QString, QVariant>;

class Wmi {
public:
    virtual ~Wmi() = default;
    // Every object of the class ("SELECT * FROM class"); empty optional when the query fails.
    virtual std::optional<QList<Wmiobjekt>> abfrage(const QString& klasse) const = 0;
};

// Byte counts as the memory status call reports them.
struct Speicherstatus {
    quint64 physGesamt = 0, physFrei = 0;
    quint64 dateiGesamt = 0, dateiFrei = 0;
    quint64 virtuellGesamt = 0, virtuellFrei = 0;
};

class Rechner {
public:
    virtual ~Rechner() = default;
    virtual Speicherstatus speicherstatus() const = 0;
    // Processor count as the report shows it; empty when unknown.
    virtual QString prozessoren() const = 0;
    virtual bool ist64bit() const = 0;
    virtual QString benutzername() const = 0;
    virtual QString rechnername() const = 0;
    // Workgroup or domain the machine belongs to; empty when none is configured.
    virtual QString arbeitsgruppe() const = 0;
    // The host's IPv4 addresses; empty optional when the socket layer is unusable.
    virtual std::optional<QStringList> ipadressen() const = 0;
    // "00-11-22-33-44-55", or empty.
    virtual QString macadresse() const = 0;
    virtual QString netzwerkmaske() const = 0;
    virtual QStringList dnsserver() const = 0;
    virtual bool netzwerkDa() const = 0;
};

struct Anzeigemodus {
    quint32 index = 0, breite = 0, hoehe = 0, bits = 0, frequenz = 0;
};

struct Anzeigegeraet {
    QString name, bezeichnung, monitor;
};

class Anzeige {
public:
    virtual ~Anzeige() = default;
    virtual int farbtiefe() const = 0;
    virtual quint32 bildfrequenz() const = 0;
    // The modes 0..255 of the primary display; an index without a mode is empty.
    virtual QList<std::optional<Anzeigemodus>> anzeigemodi() const = 0;
    virtual QList<Anzeigegeraet> anzeigegeraete() const = 0;
    // The screen in physical pixels.
    virtual QSize bildschirm() const = 0;
};

class Drucker {
public:
    virtual ~Drucker() = default;
    // "name,driver,port" of the default printer, or empty.
    virtual QString standarddrucker() const = 0;
    virtual QStringList druckerliste() const = 0;
    // Both at once, for a report that must not ask the print service twice.
    struct Stand {
        QString standard;
        QStringList namen;
    };
    virtual Stand stand() const { return {standarddrucker(), druckerliste()}; }
};

// The backends of the installed Plattform; one that is not installed answers as an empty machine.
const Registry& registry();
const Wmi& wmi();
const Rechner& rechner();
const Anzeige& anzeige();
const Drucker& drucker();

}  // namespace plattform
