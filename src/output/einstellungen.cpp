#include "output/einstellungen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>

#include "output/systemfehler.h"
#include "platform/ablage.h"
#include "output/textausgabe.h"

namespace {

QString& gesetzterPfad()
{
    static QString pfad;
    return pfad;
}

bool fehler(QString* fehlertext, int nummer)
{
    if (fehlertext)
        *fehlertext = systemfehlertext(nummer);
    return false;
}


QString schalter(bool an)
{
    return an ? QStringLiteral("ja") : QStringLiteral("nein");
}

void darstellungszeilen(QStringList& z, const Darstellungswerte& d, const QString& endung)
{
    z << QStringLiteral("Hintergrundfarbe") + endung + u'=' + d.hintergrundfarbe
      << QStringLiteral("Schriftart") + endung + u'=' + d.schriftart
      << QStringLiteral("Schriftgroesse") + endung + u'=' + d.schriftgroesse
      << QStringLiteral("Schriftfarbe") + endung + u'=' + d.schriftfarbe
      << QStringLiteral("Fettschrift") + endung + u'=' + schalter(d.fett)
      << QStringLiteral("Kursivschrift") + endung + u'=' + schalter(d.kursiv)
      << QStringLiteral("unterstrichende Schrift") + endung + u'=' + schalter(d.unterstrichen);
}

QString wertOder(const Eintraege& e, const QString& schluessel, const QString& ersatz)
{
    const QString w = wertsuchen(e, schluessel);
    return w.isEmpty() ? ersatz : w;
}

Darstellung darstellungAufloesen(const Eintraege& e, const QString& endung)
{
    Darstellung d;
    d.hintergrundfarbe = wertOder(e, QStringLiteral("Hintergrundfarbe") + endung, QStringLiteral("Weiss"));
    d.hintergrundindex = farbindex(d.hintergrundfarbe);
    d.schriftart = wertOder(e, QStringLiteral("Schriftart") + endung, QStringLiteral("Arial"));
    d.schriftgroesse = wertOder(e, QStringLiteral("Schriftgroesse") + endung, QStringLiteral("10"));
    const std::optional<int> g = schriftgroesseUmwandeln(d.schriftgroesse);
    d.groesseGelesen = g.has_value();
    d.groesse = g.value_or(10);
    // White on white by default, as the file's readers have always had it.
    d.schriftfarbe = wertOder(e, QStringLiteral("Schriftfarbe") + endung, QStringLiteral("Weiss"));
    d.schriftfarbindex = farbindex(d.schriftfarbe);
    d.fett = wertsuchen(e, QStringLiteral("Fettschrift") + endung) == QLatin1String("ja");
    d.kursiv = wertsuchen(e, QStringLiteral("Kursivschrift") + endung) == QLatin1String("ja");
    d.unterstrichen = wertsuchen(e, QStringLiteral("unterstrichende Schrift") + endung) == QLatin1String("ja");
    return d;
}

}  // namespace

int farbindex(const QString& name)
{
    for (std::size_t i = 0; i < Farbtabelle.size(); ++i)
        if (name == Farbtabelle[i].text())
            return static_cast<int>(i);
    return -1;
}

QStringList farbnamen()
{
    QStringList namen;
    for (const Farbeintrag& f : Farbtabelle)
        namen << f.text();
    return namen;
}

QStringList groessennamen()
{
    QStringList namen;
    for (int g = 5; g <= 64; ++g)
        namen << groessentext(g);
    return namen;
}

QString groessentext(int groesse)
{
    return QStringLiteral("%1").arg(groesse, 2);
}

std::optional<int> schriftgroesseUmwandeln(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    bool negativ = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        negativ = text.at(i++) == u'-';
    if (i == text.size())
        return std::nullopt;
    long long wert = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        wert = wert * 10 + (c - u'0');
        if (wert > 1'000'000)
            return std::nullopt;
    }
    if (negativ)
        wert = -wert;
    // A font of no size or of thousands of points would only hang the panes.
    if (wert < 1 || wert > 999)
        return std::nullopt;
    return static_cast<int>(wert);
}

QString einstellungsdateipfad()
{
    if (!gesetzterPfad().isEmpty())
        return gesetzterPfad();
    const QString neben = QCoreApplication::applicationDirPath();
    if (!plattform::imInstallationsbaum() && QFileInfo(neben).isWritable())
        return QDir(neben).filePath(QStringLiteral("Zembrola.ini"));
    // Installed, or a copy in a folder the user cannot write: one file per user. The folder is
    // made here so the first start can write the default file into it.
    const QString ordner = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                           + QStringLiteral("/zembrola");
    QDir().mkpath(ordner);
    return ordner + QStringLiteral("/Zembrola.ini");
}

void setzeEinstellungsdateipfad(const QString& pfad)
{
    gesetzterPfad() = pfad;
}

bool eintraegeLesen(const QString& pfad, Eintraege& eintraege, QString* fehlertext)
{
    const QFileInfo info(pfad);
    if (info.exists() && !info.isFile())
        return fehler(fehlertext, info.isDir() ? EISDIR : EACCES); // a fifo would block the start
    QFile datei(pfad);
    errno = 0;
    if (!datei.open(QIODevice::ReadOnly))
        return fehler(fehlertext, fehlernummer(errno, datei.error()));

    qint64 gelesen = 0;
    for (int k = 1; k <= Eintraege::anzahl; ++k) {
        errno = 0;
        QByteArray zeile = datei.readLine(zeilenobergrenze + 1); // reads at most maxSize - 1 bytes
        gelesen += zeile.size();
        bool vollstaendig = zeile.endsWith('\n');
        // Skip the rest of an overlong line without keeping it.
        while (!vollstaendig && !datei.atEnd() && gelesen < lesebudget) {
            const QByteArray rest = datei.readLine(zeilenobergrenze + 1);
            if (rest.isEmpty())
                break;
            gelesen += rest.size();
            vollstaendig = rest.endsWith('\n');
        }
        if (datei.error() != QFileDevice::NoError)
            return fehler(fehlertext, fehlernummer(errno, datei.error()));
        if (zeile.endsWith('\n'))
            zeile.chop(1);
        if (zeile.endsWith('\r'))
            zeile.chop(1);
        eintraege[k] = leseTextMitRueckfall(zeile);
        if (datei.atEnd() || gelesen >= lesebudget)
            break;
    }
    return true;
}

QString wertsuchen(const Eintraege& eintraege, const QString& schluessel)
{
    for (int i = 1; i <= Eintraege::anzahl; ++i) {
        const QString& zeile = eintraege[i];
        if (!zeile.contains(schluessel))
            continue;
        const qsizetype gleich = zeile.indexOf(u'=');
        return gleich < 0 ? QString() : zeile.mid(gleich + 1);
    }
    return QString();
}

QStringList ausgabeartnamen()
{
    return {QStringLiteral("Inhalt"), QStringLiteral("Zusammenfassung"), QStringLiteral("Inhalt+Zusammenfassung")};
}

QStringList speicherartnamen()
{
    return ausgabeartnamen() << QStringLiteral("Inhalt+Zusammenfassung getrennt");
}

QStringList einstellungszeilen(const Optionswerte& werte)
{
    const QStringList ausgabearten = ausgabeartnamen();
    const QStringList speicherarten = speicherartnamen();
    QStringList z;
    z << QStringLiteral("Zembrola 3 - Programmeinstellungen") << QString(34, u'=') << QString()
      << QString::fromUtf8("[Programmausführung]")
      << QStringLiteral("automatische Suche=") + schalter(werte.automatischeSuche)
      << QStringLiteral("Meldungsfenster anzeigen=") + schalter(werte.meldungsfensterAnzeigen) << QString()
      << QStringLiteral("[Ausgabefenster]")
      << QStringLiteral("Zusammenfassung ausgeben=") + schalter(werte.zusammenfassungAusgeben);
    darstellungszeilen(z, werte.ausgabe, QString());
    z << QString() << QStringLiteral("[Druckausgabe]")
      << QStringLiteral("Ausgabeart=") + ausgabearten.value(werte.ausgabeart, ausgabearten.first()) << QString()
      << QStringLiteral("[Speichern]")
      << QStringLiteral("Speicherart=") + speicherarten.value(werte.speicherart, speicherarten.first()) << QString()
      << QStringLiteral("[Systemausgabe]");
    darstellungszeilen(z, werte.system, QStringLiteral("1"));
    z << QString() << QStringLiteral("[Netzwerkanalyse]");
    darstellungszeilen(z, werte.netz, QStringLiteral("2"));
    return z;
}

Optionswerte standardwerte()
{
    Optionswerte w;
    w.automatischeSuche = false;
    w.meldungsfensterAnzeigen = true;
    w.zusammenfassungAusgeben = true;
    w.ausgabe = {QStringLiteral("Weiss"), QStringLiteral("Arial"), QStringLiteral("10"), QStringLiteral("Schwarz"),
                 false, false, false};
    w.ausgabeart = 2;
    w.speicherart = 2;
    w.system = {QStringLiteral("Standard"), QStringLiteral("Arial"), QStringLiteral("10"), QStringLiteral("Schwarz"),
                false, false, false};
    w.netz = w.system;
    return w;
}

QStringList standardzeilen()
{
    return einstellungszeilen(standardwerte());
}

bool wiederherstellung(Eintraege& eintraege, const QString& pfad, Codepage cp, QString* fehlertext)
{
    const QStringList zeilen = standardzeilen();
    for (int i = 0; i < zeilen.size(); ++i)
        eintraege[i + 1] = zeilen.at(i);
    return dateiSicherSchreiben(pfad, zeilenMitCrLf(zeilen, cp), fehlertext);
}

bool einstellungenSchreiben(const Optionswerte& werte, const QString& pfad, Codepage cp, QString* fehlertext)
{
    return dateiSicherSchreiben(pfad, zeilenMitCrLf(einstellungszeilen(werte), cp), fehlertext);
}

AufgeloesteEinstellungen einstellungenAufloesen(const Eintraege& e)
{
    AufgeloesteEinstellungen a;
    a.automatischeSuche = wertsuchen(e, QStringLiteral("automatische Suche")) == QLatin1String("ja");
    a.meldungsfensterAnzeigen = wertsuchen(e, QStringLiteral("Meldungsfenster anzeigen")) != QLatin1String("nein");
    a.zusammenfassungAusgeben = wertsuchen(e, QStringLiteral("Zusammenfassung ausgeben")) == QLatin1String("ja");
    a.ausgabe = darstellungAufloesen(e, QString());
    a.ausgabeart = static_cast<int>(
        ausgabeartnamen().indexOf(wertOder(e, QStringLiteral("Ausgabeart"), QStringLiteral("Inhalt"))));
    a.speicherart = static_cast<int>(
        speicherartnamen().indexOf(wertOder(e, QStringLiteral("Speicherart"), QStringLiteral("Inhalt"))));
    a.system = darstellungAufloesen(e, QStringLiteral("1"));
    a.netz = darstellungAufloesen(e, QStringLiteral("2"));
    return a;
}

void Einstellungen::uebernehmen(const AufgeloesteEinstellungen& werte)
{
    m_werte = werte;
    m_gelesen = true;
    emit geaendert();
}

Einstellungen& programmeinstellungen()
{
    static Einstellungen einstellungen;
    return einstellungen;
}
