#include "export/export.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <limits>
#include <unistd.h>

#include "listing/suchmuster.h"
#include "listing/verzeichnislauf.h"
#include "listing/zeilenformat.h"
#include "text/zeittexte.h"
#include "output/systemfehler.h"
#include "output/textausgabe.h"
#include "platform/plattform.h"
#include "sysinfo/laufwerke/sys_unit_laufwerke.h"

using namespace plattform;

std::optional<Exportart> exportartVon(const QString& pfad)
{
    const QString endung = QFileInfo(pfad).suffix().toLower();
    if (endung == QLatin1String("csv"))
        return Exportart::csv;
    if (endung == QLatin1String("html"))
        return Exportart::html;
    if (endung == QLatin1String("json"))
        return Exportart::json;
    return std::nullopt;
}

void Bytepuffer::operator+=(const char* s)
{
    anhaengen(s, std::strlen(s));
}

void Bytepuffer::anhaengen(const char* p, size_t n)
{
    m_daten.append(p, n);
    if (m_daten.size() >= grenze)
        leeren();
}

void Bytepuffer::zahl(qint64 n)
{
    char puffer[24];
    char* e = puffer + sizeof puffer;
    char* a = e;
    // Through the unsigned value, so the smallest qint64 has its digits too.
    quint64 u = n < 0 ? 0 - quint64(n) : quint64(n);
    do {
        *--a = char('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (n < 0)
        *--a = '-';
    anhaengen(a, size_t(e - a));
}

bool Bytepuffer::leeren()
{
    if (!m_daten.empty() && m_fehlernummer == 0) {
        errno = 0;
        if (m_ziel->write(m_daten.data(), qint64(m_daten.size())) != qint64(m_daten.size()))
            m_fehlernummer = errno != 0 ? errno : EIO;
    }
    m_daten.clear();
    return m_fehlernummer == 0;
}

namespace exporttext {

void utf8Anhaengen(std::string& ziel, const QByteArray& roh)
{
    if (roh.isValidUtf8())
        ziel.append(roh.constData(), size_t(roh.size()));
    else
        ziel += QString::fromUtf8(roh).toStdString();
}

void jsonText(std::string& ziel, const char* p, size_t n, bool fuerHtml)
{
    static const char hex[] = "0123456789abcdef";
    ziel += '"';
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        if (c == '"' || c == '\\') {
            ziel += '\\';
            ziel += char(c);
        } else if (c == '\n') {
            ziel += "\\n";
        } else if (c < 0x20 || (fuerHtml && c == '<')) {
            ziel += "\\u00";
            ziel += hex[c >> 4];
            ziel += hex[c & 15];
        } else {
            ziel += char(c);
        }
    }
    ziel += '"';
}

namespace {

// Days since 1970-01-01 to year, month, day of the proleptic Gregorian calendar.
void kalendertag(qint64 tage, int& jahr, int& monat, int& tag)
{
    tage += 719468;
    const qint64 aera = (tage >= 0 ? tage : tage - 146096) / 146097;
    const qint64 t = tage - aera * 146097;
    const qint64 j = (t - t / 1460 + t / 36524 - t / 146096) / 365;
    const qint64 jt = t - (365 * j + j / 4 - j / 100);
    const qint64 m = (5 * jt + 2) / 153;
    tag = int(jt - (153 * m + 2) / 5 + 1);
    monat = int(m < 10 ? m + 3 : m - 9);
    jahr = int(j + aera * 400 + (monat <= 2 ? 1 : 0));
}

void ziffern(std::string& ziel, int wert, int stellen)
{
    char p[8];
    for (int i = stellen - 1; i >= 0; --i) {
        p[i] = char('0' + wert % 10);
        wert /= 10;
    }
    ziel.append(p, size_t(stellen));
}

}  // namespace

void isoZeit(std::string& ziel, qint64 s, char trenner)
{
    // Years 1 to 9999: ISO 8601 needs four digits and no sign.
    s = qBound(Q_INT64_C(-62135596800), s, Q_INT64_C(253402300799));
    qint64 tage = s / 86400;
    qint64 rest = s % 86400;
    if (rest < 0) {
        rest += 86400;
        --tage;
    }
    int jahr, monat, tag;
    kalendertag(tage, jahr, monat, tag);
    ziffern(ziel, jahr, 4);
    ziel += '-';
    ziffern(ziel, monat, 2);
    ziel += '-';
    ziffern(ziel, tag, 2);
    ziel += trenner;
    ziffern(ziel, int(rest / 3600), 2);
    ziel += ':';
    ziffern(ziel, int(rest / 60 % 60), 2);
    ziel += ':';
    ziffern(ziel, int(rest % 60), 2);
}

void isoZeit(std::string& ziel, const QDateTime& zeitpunkt)
{
    const QDateTime l = zeitpunkt.toLocalTime();
    ziel += QLocale::c().toString(l, QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toStdString();
}

namespace {

void feld(std::string& z, const char* name)
{
    z += '"';
    z += name;
    z += "\":";
}

void textfeld(std::string& z, const char* name, const QString& wert, bool fuerHtml)
{
    feld(z, name);
    const QByteArray u = wert.toUtf8();
    jsonText(z, u.constData(), size_t(u.size()), fuerHtml);
    z += ',';
}

void zahlfeld(std::string& z, const char* name, qint64 wert)
{
    feld(z, name);
    z += std::to_string(wert);
    z += ',';
}

void wahrfeld(std::string& z, const char* name, bool wert)
{
    feld(z, name);
    z += wert ? "true," : "false,";
}

void zeitfeld(std::string& z, const char* name, const QDateTime& wert)
{
    feld(z, name);
    z += '"';
    isoZeit(z, wert);
    z += "\",";
}

void schliessen(std::string& z)
{
    if (!z.empty() && z.back() == ',')
        z.pop_back();
    z += '}';
}

}  // namespace

void kopfJson(std::string& z, const Exportkopf& k, bool fuerHtml)
{
    z += '{';
    textfeld(z, "suche", k.netzwerk ? QStringLiteral("netzwerk") : QStringLiteral("lokal"), fuerHtml);
    zeitfeld(z, "beginn", k.beginn);
    if (k.netzwerk) {
        textfeld(z, "computer", k.computer, fuerHtml);
        textfeld(z, "freigabe", k.freigabe, fuerHtml);
    } else {
        textfeld(z, "laufwerk", k.laufwerk, fuerHtml);
        if (!k.bezeichnung.isEmpty())
            textfeld(z, "bezeichnung", k.bezeichnung, fuerHtml);
        textfeld(z, "laufwerkstyp", k.laufwerkstyp, fuerHtml);
        if (k.gesamtgroesse >= 0) {
            zahlfeld(z, "gesamtgroesse", k.gesamtgroesse);
            zahlfeld(z, "frei", k.frei);
        }
    }
    textfeld(z, "wurzel", k.wurzel, fuerHtml);
    textfeld(z, "suchverzeichnis", k.suchverzeichnis, fuerHtml);
    textfeld(z, "trenner", QString(k.trenner), fuerHtml);
    textfeld(z, "suchmaske", k.maske, fuerHtml);
    wahrfeld(z, "unterverzeichnisse", k.unterverzeichnisse);
    wahrfeld(z, "versteckteDateien", k.versteckt);
    feld(z, "attribute");
    z += '{';
    wahrfeld(z, "alleDateien", k.alleDateien);
    wahrfeld(z, "archiviert", k.archiviert);
    wahrfeld(z, "nurLesen", k.nurLesen);
    wahrfeld(z, "system", k.system);
    schliessen(z);
    z += ',';
    feld(z, "datum");
    if (k.datum) {
        z += '{';
        textfeld(z, "start", k.startdatum.toString(Qt::ISODate), fuerHtml);
        textfeld(z, "ende", k.enddatum.toString(Qt::ISODate), fuerHtml);
        schliessen(z);
    } else {
        z += "null";
    }
    z += '}';
}

void summeJson(std::string& z, const Exportsumme& s)
{
    z += '{';
    zahlfeld(z, "durchsuchteVerzeichnisse", s.durchsuchteVerzeichnisse);
    zahlfeld(z, "gefundeneDateien", s.gefundeneDateien);
    zahlfeld(z, "gefundeneVerzeichnisse", s.gefundeneVerzeichnisse);
    zahlfeld(z, "gefundeneGroesse", s.gefundeneGroesse);
    zahlfeld(z, "unlesbareVerzeichnisse", s.unlesbareVerzeichnisse);
    zeitfeld(z, "ende", s.ende);
    zahlfeld(z, "dauerMs", s.dauerMs);
    schliessen(z);
}

}  // namespace exporttext

namespace {

Exportkopf kopfErmitteln(const Suchkriterien& k, const QDateTime& beginn)
{
    Exportkopf e;
    e.netzwerk = k.netzwerk;
    e.wurzel = k.verzeichnis;
    e.trenner = trennerVon(k.verzeichnis);
    e.maske = k.maske;
    e.unterverzeichnisse = k.unterverzeichnisse;
    e.versteckt = k.versteckt;
    e.alleDateien = k.alleDateien;
    e.archiviert = k.archiviert;
    e.nurLesen = k.nurLesen;
    e.system = k.system;
    e.datum = k.datum;
    e.startdatum = k.startdatum;
    e.enddatum = k.enddatum;
    e.beginn = beginn;
    QString einhaengepunkt;
    if (k.netzwerk) {
        e.computer = k.computer;
        e.freigabe = k.freigabe;
    } else {
        // The same drive facts the header pane shows.
        const QChar lw = laufwerke().laufwerkVon(k.verzeichnis).toUpper();
        const int index = lw.isNull() ? -1 : lw.unicode() - 'A';
        if (index >= 0) {
            e.laufwerk = QString(lw);
            einhaengepunkt = laufwerke().wurzel(lw);
            e.gesamtgroesse = Sys_unit::laufwerksgroesse(index + 1);
            if (Sys_unit::datentraegerda(e.laufwerk) && e.gesamtgroesse > 0)
                e.bezeichnung = Sys_unit::laufwerksname(lw);
            if (e.gesamtgroesse >= 0)
                e.frei = Sys_unit::laufwerksfrei(index + 1);
        }
        e.laufwerkstyp = index >= 0 ? Sys_unit::laufwerkstyp(index) : QStringLiteral("Laufwerk existiert nicht");
        if (e.laufwerkstyp == QLatin1String("Wechselmedium") && (lw == QLatin1Char('A') || lw == QLatin1Char('B')))
            e.laufwerkstyp = QStringLiteral("Diskettenlaufwerk");
    }
    e.suchverzeichnis = suchverzeichnisText(k.verzeichnis, einhaengepunkt);
    return e;
}

// Filters and counts as the line formatter does, and hands each listed file to the format.
class Exportempfaenger : public Dateiempfaenger {
public:
    Exportempfaenger(const Suchkriterien& k, Suchzustand& z, Exportformat& f, Suchumgebung& u, bool mitFortschritt)
        : m_filter(k), m_z(z), m_format(f), m_umgebung(u), m_mitFortschritt(mitFortschritt)
    {
    }

    void verzeichnisBetreten(const QString& anzeige, const QByteArray& roh) override
    {
        m_neu = true;
        m_anzeige = anzeige;
        m_verzeichnis = anzeige.toStdString();
        m_roh = roh;
        // The shown form ends with the separator; the path bytes get it too.
        if (!anzeige.isEmpty() && !m_roh.endsWith(char(anzeige.back().unicode())))
            m_roh += char(anzeige.back().unicode());
    }

    void datei(const QString& verzeichnis, const Dateidaten& d) override
    {
        if (!m_filter.passt(d.attribute, d.schreibzeit, m_ortszeit))
            return;
        if (m_mitFortschritt)
            m_umgebung.fortschritt(QString::number(m_z.gepruefteDateien).rightJustified(15));
        if (verzeichnis != m_anzeige)
            verzeichnisBetreten(verzeichnis, QFile::encodeName(verzeichnis));
        const bool neu = m_neu;
        if (neu) {
            ++m_z.gefundeneVerzeichnisse;
            m_neu = false;
        }
        ++m_z.gefundeneDateien;
        if (__builtin_add_overflow(m_z.gefundeneGroesse, d.groesse, &m_z.gefundeneGroesse))
            m_z.gefundeneGroesse =
                d.groesse < 0 ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();

        Exportdatei e;
        e.verzeichnis = &m_verzeichnis;
        e.verzeichnisRoh = &m_roh;
        e.neuesVerzeichnis = neu;
        e.name = d.rohname;
        e.groesse = d.groesse;
        // The listing shows the packed form's even seconds.
        e.lokalzeit = m_ortszeit.lokal(d.schreibzeit) & ~qint64(1);
        e.attribute = d.attribute;
        m_format.datei(e);
    }

private:
    Dateifilter m_filter;
    Suchzustand& m_z;
    Exportformat& m_format;
    Suchumgebung& m_umgebung;
    bool m_mitFortschritt;
    Ortszeit m_ortszeit;
    bool m_neu = false;
    QString m_anzeige;
    std::string m_verzeichnis;
    QByteArray m_roh;
};

bool fehler(QString* fehlertext, int nummer)
{
    if (fehlertext)
        *fehlertext = systemfehlertext(nummer);
    return false;
}

}  // namespace

Exportergebnis exportieren(const QString& pfad, Exportart art, const Suchkriterien& k, Suchumgebung& u,
                           Suchzustand& z, QString* fehlertext)
{
    z = Suchzustand{};
    if (!zielBeschreibbar(pfad, fehlertext))
        return Exportergebnis::fehler;
    QSaveFile datei(pfad);
    errno = 0;
    if (!datei.open(QIODevice::WriteOnly)) {
        fehler(fehlertext, fehlernummer(errno, datei.error()));
        return Exportergebnis::fehler;
    }

    Bytepuffer aus(&datei);
    const std::unique_ptr<Exportformat> format = exportformat(art, aus);
    const QDateTime t0 = u.jetzt();
    format->anfang(kopfErmitteln(k, t0));

    const bool mitFenster = u.meldungsfenster();
    if (mitFenster)
        u.wartenZeigen(QStringLiteral("Bitte warten - Datei"),
                       QLatin1Char('"') + QFileInfo(pfad).fileName() + QStringLiteral("\" wird gespeichert ...."),
                       QStringLiteral("          0"));
    bool abgebrochen = false;
    {
        Exportempfaenger empfaenger(k, z, *format, u, mitFenster);
        const Laufauftrag auftrag = laufauftragVon(k);
        std::function<bool()> abbruch;
        std::function<void()> zwischendurch;
        if (mitFenster) {
            abbruch = [&] { return abgebrochen = abgebrochen || u.abbruch(); };
            zwischendurch = [&u] { u.zwischendurch(); };
        }
        // A full disk ends the walk too: nothing more would reach the file.
        auto ende = [&] { return aus.fehler() || (abbruch && abbruch()); };
        verzeichnislauf(auftrag, z, empfaenger, ende, zwischendurch);
    }
    if (mitFenster)
        u.wartenSchliessen();
    if (abgebrochen) {
        datei.cancelWriting();
        return Exportergebnis::abgebrochen;
    }

    Exportsumme s;
    s.durchsuchteVerzeichnisse = z.durchsuchteVerzeichnisse;
    s.gefundeneDateien = z.gefundeneDateien;
    s.gefundeneVerzeichnisse = z.gefundeneVerzeichnisse;
    s.gefundeneGroesse = z.gefundeneGroesse;
    s.unlesbareVerzeichnisse = z.unlesbareVerzeichnisse;
    s.ende = u.jetzt();
    s.dauerMs = t0.msecsTo(s.ende);
    format->ende(s);

    // The data must be on disk before the rename: QSaveFile ignores a failed flush in commit().
    errno = 0;
    if (!aus.leeren() || !datei.flush() || (::fsync(datei.handle()) != 0 && errno != EINVAL && errno != EROFS)) {
        const int nummer = aus.fehler() ? aus.fehlernummer() : fehlernummer(errno, datei.error());
        datei.cancelWriting();
        fehler(fehlertext, nummer);
        return Exportergebnis::fehler;
    }
    errno = 0;
    if (!datei.commit()) {
        fehler(fehlertext, fehlernummer(errno, datei.error()));
        return Exportergebnis::fehler;
    }
    return Exportergebnis::geschrieben;
}
