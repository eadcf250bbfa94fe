#include "sysinfo/sammler.h"

#include "platform/nachrichten.h"

#include <QtEndian>

namespace {

QString mitName(const char* text, const QString& name)
{
    return QString::fromUtf8(text).arg(name);
}

// Trims blanks and control characters at both ends, as the WMI texts are cleaned.
QString getrimmt(const QString& s)
{
    qsizetype von = 0, bis = s.size();
    while (von < bis && s[von].unicode() <= u' ')
        ++von;
    while (bis > von && s[bis - 1].unicode() <= u' ')
        --bis;
    return s.mid(von, bis - von);
}

}  // namespace

namespace system_a {

QString regtext(const QString& pfad, const QString& name)
{
    const auto w = plattform::registry().wert(pfad, name);
    if (!w)
        return {};
    if (w->typ != plattform::Regtyp::text && w->typ != plattform::Regtyp::erweiterbarerText)
        throw Registryfehler(mitName("Ungültiger Datentyp für '%1'", name));
    return w->text.section(QChar(0), 0, 0);
}

qint32 regzahl(const QString& pfad, const QString& name)
{
    const auto w = plattform::registry().wert(pfad, name);
    if (!w)
        throw Registryfehler(mitName("Fehler beim Holen der Daten für '%1'", name));
    if (w->typ != plattform::Regtyp::zahl32)
        throw Registryfehler(mitName("Ungültiger Datentyp für '%1'", name));
    return w->zahl;
}

void regmultitext(Wurzelschluessel, const QString& pfad, const QString& name, QStringList& liste)
{
    liste.clear();
    if (!plattform::registry().schluesselDa(pfad))
        return;
    const auto w = plattform::registry().wert(pfad, name);
    if (!w)
        throw Registryfehler(QStringLiteral("Cannot Read MULTI_SZ Value"));
    if (w->typ != plattform::Regtyp::mehrfachtext)
        throw Registryfehler(QStringLiteral("Stringlist expected/ "));
    for (const QString& t : w->texte) {
        if (t.isEmpty())
            break;
        liste.append(t);
    }
}

plattform::Speicherstatus speicherstatus() { return plattform::rechner().speicherstatus(); }
QString benutzername() { return plattform::rechner().benutzername(); }
QString rechnername() { return plattform::rechner().rechnername(); }
QString arbeitsgruppe() { return plattform::rechner().arbeitsgruppe(); }

bool ipadressen(QStringList& liste)
{
    liste.clear();
    const auto adressen = plattform::rechner().ipadressen();
    if (!adressen)
        return false;
    liste.append(*adressen);
    return true;
}

QString macadresse() { return plattform::rechner().macadresse(); }
QString netzwerkmaske() { return plattform::rechner().netzwerkmaske(); }

QString directxversion()
{
    const QString schluessel = QStringLiteral("\\Software\\Microsoft\\DirectX\\");
    const auto installiert = plattform::registry().wert(schluessel, QStringLiteral("InstalledVersion"));
    if (!installiert)
        return QStringLiteral("?");
    QByteArray acht = installiert->typ == plattform::Regtyp::binaer ? installiert->daten.left(8) : QByteArray();
    acht.append(8 - acht.size(), '\0');
    const quint64 v = qFromLittleEndian<quint64>(acht.constData());
    QString ergebnis = QString::number(v >> 24) + u'.' + QString::number(v & 0xff);
    if (plattform::registry().wert(schluessel, QStringLiteral("RC"))) {
        const QString rc = regtext(schluessel, QStringLiteral("RC"));
        if (!rc.isEmpty())
            ergebnis += QChar(rc.at(0).unicode() + 49);
    }
    if (plattform::registry().wert(schluessel, QStringLiteral("Version")))
        ergebnis += regtext(schluessel, QStringLiteral("Version"));
    return ergebnis;
}

int farbtiefe() { return plattform::anzeige().farbtiefe(); }
quint32 bildfrequenz() { return plattform::anzeige().bildfrequenz(); }

QList<std::optional<plattform::Anzeigemodus>> anzeigemodi()
{
    auto modi = plattform::anzeige().anzeigemodi();
    modi.resize(256);  // exactly the indexes 0..255
    return modi;
}

QList<plattform::Anzeigegeraet> anzeigegeraete() { return plattform::anzeige().anzeigegeraete(); }
QString standarddrucker() { return plattform::drucker().standarddrucker(); }
QStringList druckerliste() { return plattform::drucker().druckerliste(); }
plattform::Drucker::Stand druckerstand() { return plattform::drucker().stand(); }

}  // namespace system_a

namespace Sys_unit {

void geraetenamen(const QString& bus, QStringList& liste)
{
    const QString basis = QStringLiteral("SYSTEM\\CurrentControlSet\\Enum\\") + bus;
    const auto arten = plattform::registry().unterschluessel(basis);
    if (!arten)
        return;
    // USB sticks answer fast; the disk buses may wake sleeping drives.
    const bool atmen = bus != QLatin1String("USBSTOR");
    for (const QString& art : *arten) {
        if (atmen)
            plattform::nachrichtenZulassen();
        const auto instanzen = plattform::registry().unterschluessel(basis + u'\\' + art);
        if (!instanzen)
            return;
        for (const QString& instanz : *instanzen) {
            if (atmen)
                plattform::nachrichtenZulassen();
            liste.append(system_a::regtext(basis + u'\\' + art + u'\\' + instanz, QStringLiteral("FriendlyName")));
        }
    }
}

bool wmiabfrage(const QString& klasse, const QString& eigenschaft, QStringList& liste, bool feld)
{
    const auto objekte = plattform::wmi().abfrage(klasse);
    if (!objekte)
        return false;
    for (const plattform::Wmiobjekt& o : *objekte) {
        if (!o.contains(eigenschaft))
            return false;  // no such property: the query fails here
        const QVariant wert = o.value(eigenschaft);
        if (wert.isNull())
            continue;
        const bool istFeld = wert.typeId() == QMetaType::QVariantList || wert.typeId() == QMetaType::QStringList;
        if (istFeld != feld)
            return false;  // the value cannot be read the way it was asked for
        if (feld) {
            for (const QVariant& element : wert.toList())
                liste.append(getrimmt(element.toString()));
        } else {
            liste.append(getrimmt(wert.toString()));
        }
    }
    return true;
}

QString wmimbyte(const QString& server, const QString& klasse, const QString& eigenschaft)
{
    if (!server.isEmpty())
        return {};  // only the local machine answers
    const auto objekte = plattform::wmi().abfrage(klasse);
    if (!objekte)
        return {};
    QString ergebnis;
    for (const plattform::Wmiobjekt& o : *objekte) {
        if (!o.contains(eigenschaft))
            return {};
        const QVariant wert = o.value(eigenschaft);
        bool ok = false;
        const double zahl = wert.isNull() ? 0 : wert.toString().toDouble(&ok);
        ergebnis = ok ? QString::asprintf("%4.0f", zahl / 1048576.0) + QStringLiteral(" MByte") : QString();
    }
    return ergebnis;
}

}  // namespace Sys_unit

namespace iphlp {

void dnsliste(QStringList& liste)
{
    liste.clear();
    const QStringList server = plattform::rechner().dnsserver();
    if (server.isEmpty() || server.first().isEmpty())
        return;
    liste.append(server);
}

}  // namespace iphlp
