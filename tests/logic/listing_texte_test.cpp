// Texts of the listing: size fields, automatic sizes, percents, dates, durations, the search
// pattern and the file filter.
#include <QDateTime>

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

#include "listing/suchmuster.h"
#include "listing/zeilenformat.h"
#include "listing_druck.h"
#include "text/groessentexte.h"
#include "text/zeittexte.h"

using namespace plattform;

namespace {

// A fixed zone with daylight saving, independent of the machine.
class MitZeitzone : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* alt = std::getenv("TZ");
        m_alt = alt ? alt : "";
        m_hatteAlt = alt != nullptr;
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_hatteAlt)
            setenv("TZ", m_alt.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    // Local wall-clock time in the zone above, as UTC seconds.
    static qint64 utc(int j, int mo, int t, int h, int mi, int s)
    {
        struct tm tm = {};
        tm.tm_year = j - 1900;
        tm.tm_mon = mo - 1;
        tm.tm_mday = t;
        tm.tm_hour = h;
        tm.tm_min = mi;
        tm.tm_sec = s;
        tm.tm_isdst = -1;
        return static_cast<qint64>(mktime(&tm));
    }

private:
    std::string m_alt;
    bool m_hatteAlt = false;
};

}  // namespace

TEST(Groessenfeld, FeldbreitenKommaUndEinheit)
{
    EXPECT_EQ(groessenfeld(1536, 1, true), QString(10, ' ') + "1,500 KBytes");
    EXPECT_EQ(groessenfeld(0, 0, false), QString(14, ' ') + "0");
    EXPECT_EQ(groessenfeld(0, 0, true), QString(14, ' ') + "0 Bytes");
    EXPECT_EQ(groessenfeld(5368709120LL, 4, false), " 0,005");
    EXPECT_EQ(groessenfeld(5368709120LL, 3, true), "    5,000 GBytes");
    EXPECT_EQ(groessenfeld(1048576LL * 3 / 2, 2, false), "       1,500");
    // Wider than the field: never cut.
    EXPECT_EQ(groessenfeld(1099511627776LL * 12345, 4, false), "12345,000");
    EXPECT_EQ(groessenfeld(1234567890123456789LL, 0, false), "1234567890123456789");
}

TEST(Groessenfeld, RundetAufDreiStellen)
{
    // 1 byte is 0.0009765625 KBytes.
    EXPECT_EQ(groessenfeld(1, 1, false).trimmed(), "0,001");
    EXPECT_EQ(groessenfeld(1023, 1, false).trimmed(), "0,999");
    // 64/1024 = 0.0625 exactly: the half rounds away from zero.
    EXPECT_EQ(groessenfeld(64, 1, false).trimmed(), "0,063");
    // A value just under a half does not round up.
    EXPECT_EQ(groessenfeld(1048575, 2, false).trimmed(), "1,000");
    EXPECT_EQ(groessenfeld(1047527, 2, false).trimmed(), "0,999");
}

TEST(GroesseAutomatisch, EinheitenGrenzenUndPunkt)
{
    EXPECT_EQ(groesseAutomatisch(0), "0 Bytes");
    EXPECT_EQ(groesseAutomatisch(1023), "1023 Bytes");
    EXPECT_EQ(groesseAutomatisch(1024), "     1,000 KByte");
    EXPECT_EQ(groesseAutomatisch(1048575), "  1023,999 KByte");
    EXPECT_EQ(groesseAutomatisch(1048576), "     1,000 MByte");
    EXPECT_EQ(groesseAutomatisch(120034123776LL), "   111,790 GByte");
    EXPECT_EQ(groesseAutomatisch(1099511627776LL), "     1,000 TByte");
    EXPECT_EQ(groesseAutomatisch(1099511627776LL * 2048), "  2048,000 TByte");
    EXPECT_EQ(groesseAutomatisch(425216), "   415,250 KByte");
    EXPECT_EQ(groesseAutomatisch(425216, false), "   415.250 KByte");
}

TEST(Prozenttext, ZweiStellenUndUnbrauchbaresGanzes)
{
    EXPECT_EQ(prozenttext(52119, 111790), "   46,62");
    EXPECT_EQ(prozenttext(59671, 111790), "   53,38");
    EXPECT_EQ(prozenttext(1, 1), "  100,00");
    EXPECT_EQ(prozenttext(0, 5), "    0,00");
    // A drive that is not ready reports -1, an empty one 0: no division by either.
    EXPECT_EQ(prozenttext(4096, -1), "    0,00");
    EXPECT_EQ(prozenttext(4096, 0), "    0,00");
    // part * 100 would overflow 32 bits long before this.
    EXPECT_EQ(prozenttext(1LL << 50, 1LL << 52), "   25,00");
}

TEST(Suchmuster, EinTrennerNieZwei)
{
    EXPECT_EQ(suchmuster("/home/anna", "*.txt"), "/home/anna/*.txt");
    EXPECT_EQ(suchmuster("/", "*.txt"), "/*.txt");
    EXPECT_EQ(suchmuster("/home/anna/", "*.*"), "/home/anna/*.*");
    EXPECT_EQ(suchmuster("\\\\PC1\\Daten", "*.*"), "\\\\PC1\\Daten\\*.*");
    EXPECT_EQ(suchmuster("\\\\PC1\\Daten\\", "*.*"), "\\\\PC1\\Daten\\*.*");
    EXPECT_EQ(mitTrenner("/"), "/");
    EXPECT_EQ(mitTrenner("/media/usb"), "/media/usb/");
}

TEST(Zeitformate, StrftimeNachQt)
{
    EXPECT_EQ(strftimeNachQt("%d.%m.%Y"), "dd.MM.yyyy");
    EXPECT_EQ(strftimeNachQt("%H:%M:%S"), "HH:mm:ss");
    EXPECT_EQ(strftimeNachQt("%m/%d/%Y"), "MM/dd/yyyy");
    EXPECT_EQ(strftimeNachQt("%I:%M:%S %p"), "hh:mm:ss AP");
    EXPECT_EQ(strftimeNachQt("%r"), "hh:mm:ss AP");
    EXPECT_EQ(strftimeNachQt("%Y-%m-%d"), "yyyy-MM-dd");
    EXPECT_EQ(strftimeNachQt("%Ey"), "yy");
    // Letters between fields are text, not fields.
    EXPECT_EQ(strftimeNachQt("%Y年%m月%d日"), "yyyy'年'MM'月'dd'日'");
    EXPECT_EQ(strftimeNachQt("%d de %B"), "dd 'd''e' MMMM");
}

TEST_F(MitZeitzone, OrtszeitStimmtMitLocaltimeUeberein)
{
    // Around both clock changes of 2013 and over years of random times.
    Ortszeit o;
    std::vector<qint64> zeiten;
    for (qint64 t = utc(2013, 3, 30, 0, 0, 0); t < utc(2013, 4, 1, 0, 0, 0); t += 599)
        zeiten.push_back(t);
    for (qint64 t = utc(2013, 10, 26, 0, 0, 0); t < utc(2013, 10, 28, 0, 0, 0); t += 599)
        zeiten.push_back(t);
    quint64 x = 12345;
    for (int i = 0; i < 20000; ++i) {
        x = x * 6364136223846793005ull + 1442695040888963407ull;
        zeiten.push_back(static_cast<qint64>(x >> 34) - 200000000);  // 1963 .. 2038
    }
    Datumstexte texte(Zeitformate{});
    for (qint64 t : zeiten) {
        const time_t tt = static_cast<time_t>(t);
        struct tm tm;
        localtime_r(&tt, &tm);
        ASSERT_EQ(o.lokal(t), t + tm.tm_gmtoff) << t;
        ASSERT_EQ(QDate::fromJulianDay(o.tag(t)), QDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday)) << t;
        // The file date keeps its own table: it must agree as well.
        char erwartet[32];
        tm.tm_sec &= ~1;
        strftime(erwartet, sizeof erwartet,
                 (tm.tm_hour | tm.tm_min | tm.tm_sec) ? "%d.%m.%Y %H:%M:%S" : "%d.%m.%Y", &tm);
        ASSERT_EQ(texte.dateidatum(t), QString::fromLatin1(erwartet)) << t;
    }
}

TEST_F(MitZeitzone, DateidatumDurchDosRundung)
{
    Datumstexte d(Zeitformate{});
    EXPECT_EQ(d.dateidatum(utc(2013, 12, 24, 18, 30, 12)), "24.12.2013 18:30:12");
    // Odd seconds go down to the even one below.
    EXPECT_EQ(d.dateidatum(utc(2013, 12, 24, 18, 30, 13)), "24.12.2013 18:30:12");
    // Midnight, also when the rounding makes it midnight: the date alone.
    EXPECT_EQ(d.dateidatum(utc(2013, 12, 24, 0, 0, 0)), "24.12.2013");
    EXPECT_EQ(d.dateidatum(utc(2013, 12, 24, 0, 0, 1)), "24.12.2013");
    EXPECT_EQ(d.dateidatum(utc(2013, 12, 24, 0, 0, 2)), "24.12.2013 00:00:02");
    // Summer time is local time too.
    EXPECT_EQ(d.dateidatum(utc(2013, 7, 1, 12, 0, 0)), "01.07.2013 12:00:00");
    EXPECT_EQ(d.dateidatum(utc(2013, 10, 27, 2, 30, 0) + 3600), "27.10.2013 02:30:00");
}

TEST_F(MitZeitzone, AndereFormateUndKopfzeiten)
{
    Zeitformate f;
    f.kurzesDatum = "yyyy-MM-dd";
    f.langeZeit = "hh:mm:ss AP";
    Datumstexte d(f);
    EXPECT_EQ(d.dateidatum(utc(2013, 12, 24, 18, 30, 12)), "2013-12-24 06:30:12 PM");

    Datumstexte de(Zeitformate{});
    const QDateTime kopf(QDate(2013, 12, 24), QTime(18, 30, 12, 500));
    EXPECT_EQ(de.datumZeit(kopf), "24.12.2013 18:30:12");
    EXPECT_EQ(de.datumZeit(QDateTime(QDate(2013, 12, 25), QTime(0, 0))), "25.12.2013");
}

TEST(Dauer, HundertstelUndFormat)
{
    Datumstexte d(Zeitformate{});
    EXPECT_EQ(d.dauer(3456), "00:00:03,45");
    EXPECT_EQ(d.dauer(0), "00:00:00,00");
    EXPECT_EQ(d.dauer(9), "00:00:00,00");
    EXPECT_EQ(d.dauer(3723090), "01:02:03,09");
    EXPECT_EQ(d.dauer(-5000), "00:00:00,00");
}

TEST_F(MitZeitzone, DateifilterAttributeVersteckteUndTage)
{
    Ortszeit o;
    const qint64 t = utc(2013, 12, 24, 12, 0, 0);
    Suchkriterien k;
    k.alleDateien = false;
    k.system = true;
    EXPECT_FALSE(Dateifilter(k).passt(faReadOnly | faArchive, t, o));
    k.system = false;
    k.nurLesen = true;
    EXPECT_TRUE(Dateifilter(k).passt(faReadOnly | faArchive, t, o));
    // None selected while "Alle Dateien" is off: nothing passes.
    k.nurLesen = false;
    EXPECT_FALSE(Dateifilter(k).passt(faReadOnly | faArchive | faSysFile, t, o));

    Suchkriterien s;
    s.alleDateien = false;
    s.system = true;
    EXPECT_FALSE(Dateifilter(s).passt(faHidden | faSysFile, t, o));
    s.versteckt = true;
    EXPECT_TRUE(Dateifilter(s).passt(faHidden | faSysFile, t, o));
    EXPECT_FALSE(Dateifilter(Suchkriterien{}).passt(faHidden, t, o));

    Suchkriterien d;
    d.datum = true;
    d.startdatum = d.enddatum = QDate(2013, 12, 24);
    EXPECT_TRUE(Dateifilter(d).passt(0, utc(2013, 12, 24, 23, 59, 0), o));
    EXPECT_TRUE(Dateifilter(d).passt(0, utc(2013, 12, 24, 0, 0, 0), o));
    EXPECT_FALSE(Dateifilter(d).passt(0, utc(2013, 12, 23, 23, 59, 0), o));
    // 23:30 UTC on the 24th is already the 25th here.
    EXPECT_FALSE(Dateifilter(d).passt(0, utc(2013, 12, 25, 0, 30, 0), o));
    d.startdatum = QDate(2013, 12, 25);
    EXPECT_FALSE(Dateifilter(d).passt(0, utc(2013, 12, 24, 12, 0, 0), o));
    EXPECT_FALSE(Dateifilter(d).passt(0, utc(2013, 12, 25, 12, 0, 0), o));
}

TEST(Attributbuchstaben, ReihenfolgeHsra)
{
    EXPECT_EQ(attributbuchstaben(faHidden | faArchive | faSysFile), "hsa");
    EXPECT_EQ(attributbuchstaben(faArchive | faReadOnly | faSysFile | faHidden), "hsra");
    EXPECT_EQ(attributbuchstaben(faDirectory), "");
}
