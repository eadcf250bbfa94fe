// zembrola-liste: the listing engine without windows, for scripts and for measuring the engine.
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <memory>
#include <optional>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include "export/export.h"
#include "listing/suche.h"
#include "listing/suchmuster.h"
#include "listing/zeilenformat.h"
#include "netinfo/netzbericht.h"
#include "netinfo/netzressourcen.h"
#include "output/codepage.h"
#include "output/rtf.h"
#include "output/systemfehler.h"
#include "platform/anmeldung.h"
#include "platform/netz.h"
#include "platform/netzpfad.h"
#include "platform/plattform.h"
#include "platform/systemquellen.h"
#include "sysinfo/sammler.h"
#include "sysinfo/systembericht.h"
#include "text/groessentexte.h"
#include "text/utf8senke.h"
#include "text/zeittexte.h"

namespace {

const char* const programm = "zembrola-liste";

const char* const hilfetext
    = "Aufruf: zembrola-liste [OPTION]... VERZEICHNIS   (auch \\\\COMPUTER\\FREIGABE\\...)\n"
      "   oder: zembrola-liste --systemanalyse | --netzwerkanalyse\n"
      "Listet die Dateien eines Verzeichnisses so auf, wie Zembrola sie im Ausgabefenster zeigt.\n"
      "\n"
      "  -m, --maske MASKE          Suchmaske (Vorgabe *.*)\n"
      "  -r, --unterverzeichnisse   Unterverzeichnisse einschließen\n"
      "  -v, --versteckt            versteckte Dateien anzeigen\n"
      "      --archiviert, --nur-lesen, --system\n"
      "                             nur Dateien mit diesen Attributen (eines genügt);\n"
      "                             jede dieser Optionen schaltet \"Alle Dateien\" aus\n"
      "      --von DATUM, --bis DATUM\n"
      "                             nur Dateien, deren Datum im Bereich liegt (beide Tage\n"
      "                             eingeschlossen); fehlt ein Ende, gilt heute-365 bzw. heute.\n"
      "                             DATUM als 24.12.2013 oder 2013-12-24\n"
      "  -s, --spalten N            1 bis 6 Spalten\n"
      "  -p, --pfad                 Dateinamen mit Pfadangabe\n"
      "  -a, --attribute            Attribute anzeigen\n"
      "  -d, --datum                Dateidatum anzeigen\n"
      "  -g, --groesse[=EINHEIT]    Dateigröße anzeigen; EINHEIT: Bytes, KBytes, MBytes,\n"
      "                             GBytes oder TBytes (Vorgabe Bytes)\n"
      "  -e, --einheit              Größeneinheit ausgeben\n"
      "  -z, --zusammenfassung      danach auch Kopf und Zusammenfassung ausgeben\n"
      "  -o, --ausgabe DATEI        in DATEI schreiben statt auf die Standardausgabe:\n"
      "                             Endung .rtf als Rich Text, .csv als Tabelle (UTF-8,\n"
      "                             \";\"), .html als Seite mit Baum und Suche, .json für\n"
      "                             Skripte (die beiden mit Kopf und Zusammenfassung; die\n"
      "                             Ansicht-Optionen gelten für diese drei nicht), sonst\n"
      "                             als Text mit CR LF\n"
      "      --systemanalyse        den Bericht der Systemanalyse ausgeben\n"
      "      --netzwerkanalyse      den Bericht der Netzwerkanalyse ausgeben\n"
      "      --netz                 nur die Netzwerkressourcen als Baum ausgeben\n"
      "  -U, --benutzer NAME        Benutzer für Freigaben, die keinen Gast zulassen\n"
      "                             (DOMÄNE\\NAME möglich); das Kennwort wird am\n"
      "                             Terminal ohne Echo erfragt\n"
      "  -h, --help                 diese Hilfe anzeigen\n"
      "      --version              Programmname und Version anzeigen\n"
      "\n"
      "Rückgabewert: 0 bei Erfolg, 1 wenn das Verzeichnis nicht gelesen werden kann,\n"
      "2 bei falschen Optionen.\n";

[[noreturn]] void falscheOption(const QString& meldung)
{
    std::fprintf(stderr, "%s: %s\n", programm, meldung.toUtf8().constData());
    std::fprintf(stderr, "Weitere Informationen mit »%s --help«.\n", programm);
    std::exit(2);
}

QString anfuehren(const QString& s) { return QStringLiteral("»") + s + QStringLiteral("«"); }

std::optional<QDate> datumLesen(const QString& s)
{
    QDate d = QDate::fromString(s, QStringLiteral("dd.MM.yyyy"));
    if (!d.isValid())
        d = QDate::fromString(s, QStringLiteral("d.M.yyyy"));
    if (!d.isValid())
        d = QDate::fromString(s, Qt::ISODate);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

class Konsolenumgebung : public Suchumgebung {
public:
    explicit Konsolenumgebung(Zeilensenke& liste) : m_liste(liste) { }
    Zeilensenke& liste() override { return m_liste; }
    Zeilensenke& zusammenfassung() override { return m_zusammenfassung; }
    void tabstopsListe(const QList<double>& punkte) override { m_tabstops = punkte; }

    Zeilensammler m_zusammenfassung;
    QList<double> m_tabstops;

private:
    Zeilensenke& m_liste;
};

struct Aufruf {
    Suchkriterien kriterien;
    Ansicht ansicht;
    bool zusammenfassung = false;
    bool systemanalyse = false;
    bool netzwerkanalyse = false;
    QString ausgabe;
    QString benutzer;
    std::optional<QDate> von, bis;
};

Aufruf optionenLesen(const QStringList& args)
{
    Aufruf a;
    QStringList verzeichnisse;
    bool nurNoch = false;

    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString arg = args.at(i);
        if (nurNoch || arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-'))) {
            verzeichnisse << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            nurNoch = true;
            continue;
        }

        // Long options, with "--name wert" or "--name=wert".
        if (arg.startsWith(QLatin1String("--"))) {
            QString name = arg.mid(2);
            std::optional<QString> wert;
            const qsizetype gleich = name.indexOf(QLatin1Char('='));
            if (gleich >= 0) {
                wert = name.mid(gleich + 1);
                name = name.left(gleich);
            }
            auto brauchtWert = [&]() -> QString {
                if (wert)
                    return *wert;
                if (i + 1 >= args.size())
                    falscheOption(
                        QStringLiteral("Option %1 verlangt einen Wert").arg(anfuehren(QStringLiteral("--") + name)));
                return args.at(++i);
            };
            auto ohneWert = [&] {
                if (wert)
                    falscheOption(
                        QStringLiteral("Option %1 erlaubt keinen Wert").arg(anfuehren(QStringLiteral("--") + name)));
            };
            if (name == QLatin1String("maske")) {
                a.kriterien.maske = brauchtWert();
            } else if (name == QLatin1String("benutzer")) {
                a.benutzer = brauchtWert();
            } else if (name == QLatin1String("unterverzeichnisse")) {
                ohneWert();
                a.kriterien.unterverzeichnisse = true;
            } else if (name == QLatin1String("versteckt")) {
                ohneWert();
                a.kriterien.versteckt = true;
            } else if (name == QLatin1String("archiviert")) {
                ohneWert();
                a.kriterien.archiviert = true;
            } else if (name == QLatin1String("nur-lesen")) {
                ohneWert();
                a.kriterien.nurLesen = true;
            } else if (name == QLatin1String("system")) {
                ohneWert();
                a.kriterien.system = true;
            } else if (name == QLatin1String("von") || name == QLatin1String("bis")) {
                const QString w = brauchtWert();
                const auto d = datumLesen(w);
                if (!d)
                    falscheOption(QStringLiteral("ungültiges Datum %1 bei %2 (erwartet 24.12.2013 oder 2013-12-24)")
                                      .arg(anfuehren(w), anfuehren(QStringLiteral("--") + name)));
                (name == QLatin1String("von") ? a.von : a.bis) = d;
            } else if (name == QLatin1String("spalten")) {
                const QString w = brauchtWert();
                bool ok = false;
                const int n = w.toInt(&ok);
                if (!ok || n < 1 || n > 6)
                    falscheOption(QStringLiteral("ungültige Spaltenzahl %1 bei %2 (erlaubt: 1 bis 6)")
                                      .arg(anfuehren(w), anfuehren(QStringLiteral("--spalten"))));
                a.ansicht.spalten = n;
            } else if (name == QLatin1String("pfad")) {
                ohneWert();
                a.ansicht.pfadangabe = true;
            } else if (name == QLatin1String("attribute")) {
                ohneWert();
                a.ansicht.attribute = true;
            } else if (name == QLatin1String("datum")) {
                ohneWert();
                a.ansicht.datum = true;
            } else if (name == QLatin1String("groesse") || name == QStringLiteral("größe")) {
                a.ansicht.groesse = true;
                if (wert) {
                    int e = -1;
                    for (int k = 0; k < 5; ++k)
                        if (wert->compare(QLatin1String(einheitenNamen[k]), Qt::CaseInsensitive) == 0)
                            e = k;
                    if (e < 0)
                        falscheOption(
                            QStringLiteral(
                                "ungültige Einheit %1 bei %2 (erlaubt: Bytes, KBytes, MBytes, GBytes, TBytes)")
                                .arg(anfuehren(*wert), anfuehren(QStringLiteral("--groesse"))));
                    a.ansicht.einheit = e;
                }
            } else if (name == QLatin1String("einheit")) {
                ohneWert();
                a.ansicht.einheitAnzeigen = true;
            } else if (name == QLatin1String("zusammenfassung")) {
                ohneWert();
                a.zusammenfassung = true;
            } else if (name == QLatin1String("systemanalyse")) {
                ohneWert();
                a.systemanalyse = true;
            } else if (name == QLatin1String("netzwerkanalyse")) {
                ohneWert();
                a.netzwerkanalyse = true;
            } else if (name == QLatin1String("ausgabe")) {
                a.ausgabe = brauchtWert();
            } else if (name == QLatin1String("help") || name == QLatin1String("hilfe")) {
                std::fputs(hilfetext, stdout);
                std::exit(0);
            } else if (name == QLatin1String("version")) {
                ohneWert();
                std::printf("%s 3.1\n", programm);
                std::exit(0);
            } else {
                falscheOption(QStringLiteral("unbekannte Option %1").arg(anfuehren(arg)));
            }
            continue;
        }

        // Short options, several in one word ("-rad"); a value may follow directly ("-s3").
        for (qsizetype j = 1; j < arg.size(); ++j) {
            const QChar c = arg.at(j);
            const QString rest = arg.mid(j + 1);
            auto wertKurz = [&]() -> QString {
                if (!rest.isEmpty()) {
                    j = arg.size();
                    return rest;
                }
                if (i + 1 >= args.size())
                    falscheOption(
                        QStringLiteral("Option %1 verlangt einen Wert").arg(anfuehren(QStringLiteral("-") + c)));
                j = arg.size();
                return args.at(++i);
            };
            switch (c.unicode()) {
            case 'm':
                a.kriterien.maske = wertKurz();
                break;
            case 'r':
                a.kriterien.unterverzeichnisse = true;
                break;
            case 'v':
                a.kriterien.versteckt = true;
                break;
            case 's': {
                const QString w = wertKurz();
                bool ok = false;
                const int n = w.toInt(&ok);
                if (!ok || n < 1 || n > 6)
                    falscheOption(QStringLiteral("ungültige Spaltenzahl %1 bei %2 (erlaubt: 1 bis 6)")
                                      .arg(anfuehren(w), anfuehren(QStringLiteral("-s"))));
                a.ansicht.spalten = n;
                break;
            }
            case 'p':
                a.ansicht.pfadangabe = true;
                break;
            case 'a':
                a.ansicht.attribute = true;
                break;
            case 'd':
                a.ansicht.datum = true;
                break;
            case 'g':
                a.ansicht.groesse = true;
                if (!rest.isEmpty()) {
                    int e = -1;
                    for (int k = 0; k < 5; ++k)
                        if (rest.compare(QLatin1String(einheitenNamen[k]), Qt::CaseInsensitive) == 0)
                            e = k;
                    if (e < 0)
                        falscheOption(
                            QStringLiteral(
                                "ungültige Einheit %1 bei %2 (erlaubt: Bytes, KBytes, MBytes, GBytes, TBytes)")
                                .arg(anfuehren(rest), anfuehren(QStringLiteral("-g"))));
                    a.ansicht.einheit = e;
                    j = arg.size();
                }
                break;
            case 'e':
                a.ansicht.einheitAnzeigen = true;
                break;
            case 'z':
                a.zusammenfassung = true;
                break;
            case 'o':
                a.ausgabe = wertKurz();
                break;
            case 'U':
                a.benutzer = wertKurz();
                break;
            case 'h':
                std::fputs(hilfetext, stdout);
                std::exit(0);
            default:
                falscheOption(QStringLiteral("unbekannte Option %1").arg(anfuehren(QStringLiteral("-") + c)));
            }
        }
    }

    if (a.systemanalyse || a.netzwerkanalyse) {
        if (a.systemanalyse && a.netzwerkanalyse)
            falscheOption(QStringLiteral("--systemanalyse und --netzwerkanalyse schließen sich aus"));
        if (!verzeichnisse.isEmpty())
            falscheOption(
                QStringLiteral("%1 nimmt kein Verzeichnis")
                    .arg(a.systemanalyse ? QStringLiteral("--systemanalyse") : QStringLiteral("--netzwerkanalyse")));
        return a;
    }
    if (verzeichnisse.isEmpty())
        falscheOption(QStringLiteral("kein Verzeichnis angegeben"));
    if (verzeichnisse.size() > 1)
        falscheOption(
            QStringLiteral("nur ein Verzeichnis erlaubt, %1 ist zu viel").arg(anfuehren(verzeichnisse.at(1))));

    Suchkriterien& k = a.kriterien;
    k.alleDateien = !(k.archiviert || k.nurLesen || k.system);
    if (a.von || a.bis) {
        // The other end as the main window's pickers start.
        const QDate heute = QDate::currentDate();
        k.datum = true;
        k.startdatum = a.von.value_or(heute.addDays(-365));
        k.enddatum = a.bis.value_or(heute);
    }

    const QString pfad = verzeichnisse.first();
    if (plattform::pfadart(pfad) == plattform::Pfadart::netzwerk) {
        // \\PC1\Daten\Sub: computer \\PC1, share \Daten.
        QString w = pfad;
        while (w.size() > 2 && w.endsWith(QLatin1Char('\\')))
            w.chop(1);
        k.netzwerk = true;
        k.verzeichnis = w;
        const auto np = plattform::Netzpfad::lesen(w);
        k.computer = np ? np->computerpfad() : w;
        k.freigabe = np && !np->freigabe.isEmpty() ? u'\\' + np->freigabe : QString();
    } else {
        k.verzeichnis = QDir::cleanPath(QDir::current().absoluteFilePath(pfad));
    }
    return a;
}

void zusammenfassungAnhaengen(Zeilensenke& ziel, const QStringList& zeilen)
{
    ziel.zeile(QString());
    ziel.zeile(QString(83, QLatin1Char('_')));
    ziel.zeile(QString());
    for (const QString& z : zeilen)
        ziel.zeile(z);
}

// Text in the platform's code page with CR LF; UTF-8 takes the fast path.
class Textdateisenke : public Zeilensenke {
public:
    explicit Textdateisenke(QIODevice* ziel) : m_cp(plattformCodepage()), m_utf8(ziel, true), m_ziel(ziel) { }
    void zeile(const QString& text) override
    {
        if (m_cp == Codepage::Utf8) {
            m_utf8.zeile(text);
        } else {
            const QByteArray b = kodieren(text, m_cp) + "\r\n";
            if (m_ziel->write(b) != b.size())
                m_fehler = true;
        }
    }
    bool leeren() { return m_utf8.leeren() && !m_fehler; }

private:
    Codepage m_cp;
    Utf8Senke m_utf8;
    QIODevice* m_ziel;
    bool m_fehler = false;
};

int fehlernummer(QFileDevice::FileError art)
{
    if (errno != 0)
        return errno;
    return art == QFileDevice::PermissionsError ? EACCES : EIO;
}

bool listeAlsTextSchreiben(const Aufruf& aufruf, Suchzustand& zustand, QString* fehler)
{
    // QSaveFile would replace a write-protected file by renaming over it.
    const QFileInfo info(aufruf.ausgabe);
    if (info.exists() && (!info.isFile() || !info.isWritable())) {
        *fehler = systemfehlertext(info.isDir() ? EISDIR : EACCES);
        return false;
    }
    QSaveFile datei(aufruf.ausgabe);
    errno = 0;
    if (!datei.open(QIODevice::WriteOnly)) {
        *fehler = systemfehlertext(fehlernummer(datei.error()));
        return false;
    }
    {
        Textdateisenke aus(&datei);
        Konsolenumgebung umgebung(aus);
        starteSuche(aufruf.kriterien, aufruf.ansicht, zustand, umgebung);
        if (aufruf.zusammenfassung)
            zusammenfassungAnhaengen(aus, umgebung.m_zusammenfassung.zeilen);
        errno = 0;
        if (!aus.leeren()) {
            *fehler = systemfehlertext(fehlernummer(datei.error()));
            datei.cancelWriting();
            return false;
        }
    }
    errno = 0;
    if (!datei.commit()) {
        *fehler = systemfehlertext(fehlernummer(datei.error()));
        return false;
    }
    return true;
}

// Both reports' creation date: now, in the user's formats.
QString jetztAlsText() { return Datumstexte(Zeitformate::ausSystem()).datumZeit(QDateTime::currentDateTime()); }

// The system report without a window: no wait window, messages or step pauses.
class Berichtskonsole : public Systemberichtsumgebung {
public:
    bool meldungen() const override { return false; }
    QString erstellungsdatum() const override { return jetztAlsText(); }
    bool dezimalkomma() const override { return QLocale::system().decimalPoint() == QLatin1String(","); }
    QStringList arbeitsgruppen() override { return netzressourcenVom(plattform::atArbeitsgruppe); }
};

int systemanalyseAusgeben()
{
    Utf8Senke aus(stdout);
    Berichtssammler bericht;
    Berichtskonsole umgebung;
    int rueckgabe = 0;
    try {
        systemberichtSchreiben(bericht, umgebung);
    } catch (const Registryfehler& f) {
        std::fprintf(stderr, "%s: %s\n", programm, f.meldung.toUtf8().constData());
        rueckgabe = 1;
    }
    for (const QString& zeile : bericht.zeilen)
        aus.zeile(zeile);
    if (!aus.leeren()) {
        std::fprintf(stderr, "%s: Schreibfehler auf der Standardausgabe: %s\n", programm, std::strerror(errno));
        return 1;
    }
    return rueckgabe;
}

// The terminal's settings while echo is off, put back by a signal that ends the program there.
int g_tty = -1;
termios g_ttyVorher{};

void ttyZurueckUndBeenden(int signal)
{
    ::tcsetattr(g_tty, TCSANOW, &g_ttyVorher);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// The password of `benutzer` for `freigabe`, read from the terminal without echo; none without a
// terminal or at end of input. The text never leaves this process's memory.
std::optional<plattform::Anmeldung> kennwortErfragen(const QString& benutzer, const QString& freigabe)
{
    const int tty = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (tty < 0)
        return std::nullopt;
    // Echo goes off before the prompt appears, and without flushing: a password typed as soon
    // as the prompt shows is neither echoed nor thrown away.
    termios alt{};
    const bool terminal = ::tcgetattr(tty, &alt) == 0;
    // Ctrl-C or a closed terminal at the prompt must not leave the shell without echo.
    constexpr int signale[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    struct sigaction vorher[std::size(signale)] = {};
    if (terminal) {
        g_tty = tty;
        g_ttyVorher = alt;
        struct sigaction zurueck = {};
        zurueck.sa_handler = ttyZurueckUndBeenden;
        sigemptyset(&zurueck.sa_mask);
        for (std::size_t i = 0; i < std::size(signale); ++i)
            ::sigaction(signale[i], &zurueck, &vorher[i]);
        termios neu = alt;
        neu.c_lflag &= ~tcflag_t(ECHO);
        neu.c_lflag |= ECHONL;
        ::tcsetattr(tty, TCSANOW, &neu);
    }
    const QByteArray frage = QStringLiteral("Kennwort von %1 für %2: ").arg(benutzer, freigabe).toUtf8();
    (void)!::write(tty, frage.constData(), size_t(frage.size()));
    QByteArray kennwort;
    bool zeilenende = false;
    char c;
    while (kennwort.size() < 1024 && ::read(tty, &c, 1) == 1) {
        if (c == '\n') {
            zeilenende = true;
            break;
        }
        kennwort += c;
    }
    if (terminal) {
        ::tcsetattr(tty, TCSANOW, &alt);
        for (std::size_t i = 0; i < std::size(signale); ++i)
            ::sigaction(signale[i], &vorher[i], nullptr);
        g_tty = -1;
    }
    ::close(tty);
    if (!zeilenende)
        return std::nullopt;
    plattform::Anmeldung a;
    a.passwort = QString::fromUtf8(kennwort);
    kennwort.fill('\0');
    const qsizetype trenner = benutzer.indexOf(u'\\');
    a.domaene = trenner < 0 ? QString() : benutzer.left(trenner);
    a.benutzer = trenner < 0 ? benutzer : benutzer.mid(trenner + 1);
    return a;
}

// The network report without a window: no wait window; the message goes to standard error.
class Netzkonsole : public Netzplattformumgebung {
public:
    bool meldungen() const override { return false; }
    QString erstellungsdatum() const override { return jetztAlsText(); }
    void meldung(const QString& text) override
    {
        std::fprintf(stderr, "%s: %s\n", programm, text.toUtf8().constData());
        gemeldet = true;
    }
    bool gemeldet = false;
};

int netzwerkanalyseAusgeben()
{
    Utf8Senke aus(stdout);
    Berichtssammler bericht;
    Netzkonsole umgebung;
    netzwerkberichtSchreiben(bericht, umgebung);
    for (const QString& zeile : bericht.zeilen)
        aus.zeile(zeile);
    if (!aus.leeren()) {
        std::fprintf(stderr, "%s: Schreibfehler auf der Standardausgabe: %s\n", programm, std::strerror(errno));
        return 1;
    }
    return umgebung.gemeldet ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    QCoreApplication app(argc, argv);
    if (QCoreApplication::arguments().mid(1) == QStringList{QStringLiteral("--netz")}) {
        // The network resource tree: display type and remote name, indented by depth.
        plattform::standardInstallieren();
        Utf8Senke aus(stdout);
        netinfo::netzressourcenBesuchen(plattform::rtAlle, false, [&](const plattform::Netzressource& e, int tiefe) {
            aus.zeile(QString(2 * tiefe, u' ') + QString::number(e.anzeigetyp) + u' ' + e.fernname);
        });
        return aus.leeren() ? 0 : 1;
    }
    const Aufruf aufruf = optionenLesen(QCoreApplication::arguments());

    plattform::standardInstallieren();
    if (aufruf.systemanalyse)
        return systemanalyseAusgeben();
    bool anmeldungAbgelehnt = false;
    if (aufruf.kriterien.netzwerk) {
        if (!aufruf.benutzer.isEmpty())
            plattform::anmeldefrageSetzen(
                [benutzer = aufruf.benutzer](const QString& freigabe) { return kennwortErfragen(benutzer, freigabe); });
        // A computer known to neither NetBIOS nor the resolver may still be one WS-Discovery or
        // mDNS finds, as the window's computer list would show it: that bounded search runs first.
        const auto np = plattform::Netzpfad::lesen(aufruf.kriterien.verzeichnis);
        if (np && plattform::netz().adresse(np->computer, {}).isEmpty()) {
            QStringList computerliste;
            netinfo::netzressourcensuchen(plattform::rtAlle, plattform::atComputer, computerliste, false);
        }
        // Where the share asks for a password, the question comes before the walk; a root that
        // cannot be opened gives the empty listing with its header and summary, as locally.
        const int fehler = plattform::arbeitsverzeichnisSetzen(aufruf.kriterien.verzeichnis);
        anmeldungAbgelehnt = !aufruf.benutzer.isEmpty() && (fehler == EACCES || fehler == EPERM);
    }

    if (aufruf.netzwerkanalyse)
        return netzwerkanalyseAusgeben();
    Suchzustand zustand;
    int rueckgabe = 0;

    if (aufruf.ausgabe.isEmpty()) {
        Utf8Senke aus(stdout);
        Konsolenumgebung umgebung(aus);
        starteSuche(aufruf.kriterien, aufruf.ansicht, zustand, umgebung);
        if (aufruf.zusammenfassung)
            zusammenfassungAnhaengen(aus, umgebung.m_zusammenfassung.zeilen);
        if (!aus.leeren()) {
            std::fprintf(stderr, "%s: Schreibfehler auf der Standardausgabe: %s\n", programm, std::strerror(errno));
            return 1;
        }
    } else {
        QString fehler;
        if (const auto art = exportartVon(aufruf.ausgabe)) {
            Zeilensammler leer;
            Konsolenumgebung umgebung(leer);
            if (exportieren(aufruf.ausgabe, *art, aufruf.kriterien, umgebung, zustand, &fehler) !=
                Exportergebnis::geschrieben)
                rueckgabe = 1;
        } else if (aufruf.ausgabe.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive)) {
            Zeilensammler liste;
            Konsolenumgebung umgebung(liste);
            starteSuche(aufruf.kriterien, aufruf.ansicht, zustand, umgebung);
            if (aufruf.zusammenfassung)
                zusammenfassungAnhaengen(liste, umgebung.m_zusammenfassung.zeilen);
            if (!rtfZeilenSchreiben(aufruf.ausgabe, liste.zeilen, umgebung.m_tabstops, &fehler))
                rueckgabe = 1;
        } else if (!listeAlsTextSchreiben(aufruf, zustand, &fehler)) {
            rueckgabe = 1;
        }
        if (rueckgabe != 0) {
            std::fprintf(stderr, "%s: %s: %s\n", programm, aufruf.ausgabe.toUtf8().constData(),
                         fehler.toUtf8().constData());
            return 1;
        }
    }

    const QByteArray wurzel = anfuehren(aufruf.kriterien.verzeichnis).toUtf8();
    if (zustand.wurzelUnlesbar) {
        if (anmeldungAbgelehnt)
            std::fprintf(stderr, "%s: Die Anmeldung an %s wurde abgelehnt\n", programm, wurzel.constData());
        else
            std::fprintf(stderr, "%s: Verzeichnis %s kann nicht gelesen werden\n", programm, wurzel.constData());
        return 1;
    }
    // A server gone in the middle of the listing: what was read is printed, and a script learns
    // that it is not all.
    if (aufruf.kriterien.netzwerk && zustand.unlesbareVerzeichnisse > 0) {
        std::fprintf(stderr, "%s: Die Liste von %s ist unvollständig: %d Verzeichnisse konnten nicht gelesen werden\n",
                     programm, wurzel.constData(), int(zustand.unlesbareVerzeichnisse));
        return 1;
    }
    return rueckgabe;
}
