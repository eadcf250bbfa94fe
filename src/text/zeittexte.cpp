#include "text/zeittexte.h"

#include <QByteArray>
#include <QLocale>
#include <QTime>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <langinfo.h>
#include <locale.h>

namespace {

constexpr qint64 tagSekunden = 86400;
constexpr qint64 julianisch1970 = 2440588;  // Julian day of 1970-01-01

qint64 abrunden(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// File times beyond what a file date can show (1601 to 9999, as on Windows) are held at the
// nearest end, so day arithmetic cannot overflow on a forged time stamp.
qint64 begrenzt(qint64 utc) { return std::clamp<qint64>(utc, -11644473600LL, 253402300799LL); }

qint32 versatzUm(qint64 utc)
{
    const time_t t = static_cast<time_t>(utc);
    struct tm tm;
    if (!localtime_r(&t, &tm))
        return 0;
    return static_cast<qint32>(tm.tm_gmtoff);
}

// Qt reads letters as fields, so literal text goes in quotes.
void wortlichAnhaengen(QString& ziel, QChar c)
{
    if (c.isLetter())
        ziel += QLatin1Char('\'') + QString(c) + QLatin1Char('\'');
    else if (c == QLatin1Char('\''))
        ziel += QLatin1String("''");
    else
        ziel += c;
}

}  // namespace

QString strftimeNachQt(const QString& format)
{
    QString q;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%') || i + 1 >= format.size()) {
            wortlichAnhaengen(q, c);
            continue;
        }
        QChar f = format.at(++i);
        // Flags and the E/O modifiers change nothing we can show.
        while ((f == QLatin1Char('E') || f == QLatin1Char('O') || f == QLatin1Char('-') || f == QLatin1Char('_')
                || f == QLatin1Char('0') || f == QLatin1Char('^') || f == QLatin1Char('#'))
               && i + 1 < format.size())
            f = format.at(++i);
        switch (f.unicode()) {
        case 'd':
            q += QLatin1String("dd");
            break;
        case 'e':
            q += QLatin1String("d");
            break;
        case 'm':
            q += QLatin1String("MM");
            break;
        case 'y':
            q += QLatin1String("yy");
            break;
        case 'Y':
            q += QLatin1String("yyyy");
            break;
        case 'b':
        case 'h':
            q += QLatin1String("MMM");
            break;
        case 'B':
            q += QLatin1String("MMMM");
            break;
        case 'a':
            q += QLatin1String("ddd");
            break;
        case 'A':
            q += QLatin1String("dddd");
            break;
        case 'H':
            q += QLatin1String("HH");
            break;
        case 'k':
            q += QLatin1String("H");
            break;
        case 'I':
            q += QLatin1String("hh");
            break;
        case 'l':
            q += QLatin1String("h");
            break;
        case 'M':
            q += QLatin1String("mm");
            break;
        case 'S':
            q += QLatin1String("ss");
            break;
        case 'p':
        case 'P':
            q += QLatin1String("AP");
            break;
        case 'D':
            q += QLatin1String("MM/dd/yy");
            break;
        case 'F':
            q += QLatin1String("yyyy-MM-dd");
            break;
        case 'T':
            q += QLatin1String("HH:mm:ss");
            break;
        case 'R':
            q += QLatin1String("HH:mm");
            break;
        case 'r':
            q += QLatin1String("hh:mm:ss AP");
            break;
        case 'n':
            q += QLatin1Char('\n');
            break;
        case 't':
            q += QLatin1Char('\t');
            break;
        case '%':
            q += QLatin1Char('%');
            break;
        default:
            break;  // time zones, week numbers: nothing sensible for a listing
        }
    }
    return q;
}

Zeitformate Zeitformate::ausSystem()
{
    // The C locale's "%m/%d/%y" would be a two-digit American date; ISO reads better.
    Zeitformate iso;
    iso.kurzesDatum = QStringLiteral("yyyy-MM-dd");
    iso.langeZeit = QStringLiteral("HH:mm:ss");

    QByteArray name;
    for (const char* v : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* w = std::getenv(v);
        if (w && *w) {
            name = w;
            break;
        }
    }
    if (name.isEmpty() || name == "C" || name == "POSIX" || name.startsWith("C."))
        return iso;

    locale_t ort = newlocale(LC_TIME_MASK, name.constData(), static_cast<locale_t>(nullptr));
    if (!ort)
        return iso;
    Zeitformate f;
    f.kurzesDatum = strftimeNachQt(QString::fromUtf8(nl_langinfo_l(D_FMT, ort)));
    f.langeZeit = strftimeNachQt(QString::fromUtf8(nl_langinfo_l(T_FMT, ort)));
    freelocale(ort);
    if (f.kurzesDatum.isEmpty())
        f.kurzesDatum = iso.kurzesDatum;
    if (f.langeZeit.isEmpty())
        f.langeZeit = iso.langeZeit;
    return f;
}

qint64 Ortszeit::lokal(qint64 utc)
{
    utc = begrenzt(utc);
    const qint64 t = abrunden(utc, tagSekunden);
    Eintrag& e = m_cache[static_cast<size_t>(t) & (m_cache.size() - 1)];
    if (e.tag != t) {
        e.tag = t;
        e.versatz = versatzUm(t * tagSekunden);
        e.gleichmaessig = e.versatz == versatzUm(t * tagSekunden + tagSekunden - 1);
    }
    if (e.gleichmaessig)
        return utc + e.versatz;
    return utc + versatzUm(utc);
}

qint64 Ortszeit::tag(qint64 utc) { return abrunden(lokal(utc), tagSekunden) + julianisch1970; }

Datumstexte::Datumstexte(const Zeitformate& formate)
    : m_formate(formate), m_zeitVonHand(formate.langeZeit == QLatin1String("HH:mm:ss")), m_tage(8192)
{ }

std::string Datumstexte::datumText(qint64 julianischerTag) const
{
    return QLocale::c().toString(QDate::fromJulianDay(julianischerTag), m_formate.kurzesDatum).toStdString();
}

QString Datumstexte::zeittext(int s) const
{
    return QLocale::c().toString(QTime(s / 3600, s / 60 % 60, s % 60), m_formate.langeZeit);
}

void Datumstexte::zeitAnhaengen(std::string& ziel, int s) const
{
    if (m_zeitVonHand) {
        const int h = s / 3600, m = s / 60 % 60, sek = s % 60;
        const char z[8] = {char('0' + h / 10),   char('0' + h % 10),  ':', char('0' + m / 10), char('0' + m % 10), ':',
                           char('0' + sek / 10), char('0' + sek % 10)};
        ziel.append(z, 8);
    } else {
        ziel += zeittext(s).toStdString();
    }
}

void Datumstexte::dateidatumAnhaengen(std::string& ziel, qint64 utc)
{
    utc = begrenzt(utc);
    const qint64 utcTag = abrunden(utc, tagSekunden);
    Tag& e = m_tage[static_cast<size_t>(utcTag) & (m_tage.size() - 1)];
    if (e.utcTag != utcTag) {
        e.utcTag = utcTag;
        e.versatz = versatzUm(utcTag * tagSekunden);
        e.gleichmaessig = e.versatz == versatzUm(utcTag * tagSekunden + tagSekunden - 1);
        e.ersterOrtstag = abrunden(utcTag * tagSekunden + e.versatz, tagSekunden);
        e.text[0] = datumText(e.ersterOrtstag + julianisch1970);
        e.text[1] = datumText(e.ersterOrtstag + 1 + julianisch1970);
    }
    // A day with a clock change asks the C library for every file.
    const qint64 l = utc + (e.gleichmaessig ? e.versatz : versatzUm(utc));
    const qint64 tag = abrunden(l, tagSekunden);
    const qint64 index = tag - e.ersterOrtstag;
    if (index == 0 || index == 1)
        ziel += e.text[index];
    else
        ziel += datumText(tag + julianisch1970);
    // The packed form keeps even seconds only.
    const int sekunde = static_cast<int>(l - tag * tagSekunden) & ~1;
    if (sekunde != 0) {
        ziel += ' ';
        zeitAnhaengen(ziel, sekunde);
    }
}

QString Datumstexte::dateidatum(qint64 utc)
{
    std::string s;
    dateidatumAnhaengen(s, utc);
    return QString::fromStdString(s);
}

QString Datumstexte::datumZeit(const QDateTime& zeitpunkt) const
{
    const QDateTime lokal = zeitpunkt.toLocalTime();
    QString s = QLocale::c().toString(lokal.date(), m_formate.kurzesDatum);
    const QTime z = lokal.time();
    const int sekunde = z.hour() * 3600 + z.minute() * 60 + z.second();
    if (sekunde != 0) {
        std::string zeit;
        zeitAnhaengen(zeit, sekunde);
        s += QLatin1Char(' ') + QString::fromStdString(zeit);
    }
    return s;
}

QString Datumstexte::dauer(qint64 ms) const
{
    if (ms < 0)  // the clock was set back during the search
        ms = 0;
    QString s;
    const qint64 sekunden = ms / 1000;
    if (m_zeitVonHand) {
        // Hours keep counting past a day instead of starting over.
        const qint64 h = sekunden / 3600;
        s = QStringLiteral("%1:%2:%3")
                .arg(h, 2, 10, QLatin1Char('0'))
                .arg(sekunden / 60 % 60, 2, 10, QLatin1Char('0'))
                .arg(sekunden % 60, 2, 10, QLatin1Char('0'));
    } else {
        s = QLocale::c().toString(QTime(0, 0).addSecs(static_cast<int>(sekunden % tagSekunden)), m_formate.langeZeit);
    }
    const int hundertstel = static_cast<int>(ms % 1000) / 10;
    s += QLatin1Char(',');
    s += QLatin1Char(char('0' + hundertstel / 10));
    s += QLatin1Char(char('0' + hundertstel % 10));
    return s;
}
