// The line formatter: headings, columns, flushes, fields and counters, line by line.
#include <gtest/gtest.h>

#include "listing/zeilenformat.h"
#include "listing_druck.h"

using namespace plattform;

namespace {

Dateidaten datei(const char* name, qint64 groesse = 0, quint32 attribute = faArchive, qint64 zeit = 0)
{
    Dateidaten d;
    d.rohname = name;
    d.groesse = groesse;
    d.attribute = attribute;
    d.schreibzeit = zeit;
    return d;
}

struct Lauf {
    explicit Lauf(Ansicht a, Suchkriterien k = {}) : f(k, a, z, liste, Zeitformate{}) {}
    Suchzustand z;
    Zeilensammler liste;
    Zeilenformatierer f;
};

Ansicht spalten(int n)
{
    Ansicht a;
    a.spalten = n;
    return a;
}

}  // namespace

TEST(Zeilenformat, SiebenDateienInDreiSpalten)
{
    Lauf l(spalten(3));
    const QString d = "/daten/";
    for (const char* n : {"a", "b", "c", "d", "e", "f", "g"})
        l.f.datei(d, datei(n));
    EXPECT_EQ(l.liste.zeilen, QStringList({"", "/daten/", "", "a\tb\tc", "d\te\tf"}));
    l.f.abschliessen();
    EXPECT_EQ(l.liste.zeilen.last(), "g\t");
    EXPECT_EQ(l.z.gefundeneDateien, 7);
    EXPECT_EQ(l.z.gefundeneVerzeichnisse, 1);
    EXPECT_EQ(l.z.tabzaehler, 0);
}

TEST(Zeilenformat, ZeilenUeberspannenNieZweiVerzeichnisse)
{
    Lauf l(spalten(3));
    l.f.datei("/a/", datei("1"));
    l.f.datei("/a/", datei("2"));
    // The first directory's row goes out with the second directory's heading.
    EXPECT_EQ(l.liste.zeilen, QStringList({"", "/a/", ""}));
    l.f.datei("/a/b/", datei("3"));
    l.f.datei("/a/b/", datei("4"));
    EXPECT_EQ(l.liste.zeilen, QStringList({"", "/a/", "", "1\t2\t", "", "/a/b/", ""}));
    l.f.abschliessen();
    EXPECT_EQ(l.liste.zeilen.last(), "3\t4\t");
    EXPECT_EQ(l.z.gefundeneVerzeichnisse, 2);
    // A full row leaves nothing to flush.
    Lauf voll(spalten(2));
    voll.f.datei("/", datei("x"));
    voll.f.datei("/", datei("y"));
    voll.f.abschliessen();
    EXPECT_EQ(voll.liste.zeilen, QStringList({"", "/", "", "x\ty"}));
}

TEST(Zeilenformat, PfadangabeNurInEinerSpalte)
{
    Ansicht a;
    a.pfadangabe = true;
    Lauf eins(a);
    eins.f.datei("/a/", datei("x.txt"));
    eins.f.datei("/a/b/", datei("y.txt"));
    EXPECT_EQ(eins.liste.zeilen, QStringList({"/a/x.txt\t", "/a/b/y.txt\t"}));
    EXPECT_EQ(eins.z.gefundeneVerzeichnisse, 2);

    a.spalten = 3;
    Lauf drei(a);
    drei.f.datei("/a/", datei("x.txt"));
    drei.f.abschliessen();
    EXPECT_EQ(drei.liste.zeilen, QStringList({"", "/a/", "", "x.txt\t"}));
}

TEST(Zeilenformat, FelderInFesterReihenfolge)
{
    setenv("TZ", "UTC0", 1);
    tzset();
    Ansicht a;
    a.attribute = a.groesse = a.datum = a.einheitAnzeigen = true;
    a.einheit = 1;
    Suchkriterien k;
    k.versteckt = true;
    Lauf l(a, k);
    // 2013-12-24 18:30:13 UTC
    l.f.datei("/", datei("n", 1536, faHidden | faArchive, 1387909813));
    l.f.datei("/", datei("m", 0, 0, 1387843200));
    EXPECT_EQ(l.liste.zeilen.at(3), "n\t\tha\t" + QString(10, ' ') + "1,500 KBytes\t24.12.2013 18:30:12");
    EXPECT_EQ(l.liste.zeilen.at(4), "m\t\t\t" + QString(10, ' ') + "0,000 KBytes\t24.12.2013");

    Ansicht nurDatum;
    nurDatum.datum = true;
    Lauf d(nurDatum);
    d.f.datei("/", datei("n", 5, 0, 1387843200));
    EXPECT_EQ(d.liste.zeilen.at(3), "n\t\t24.12.2013");
    // Fields have no effect with more than one column.
    a.spalten = 2;
    Lauf zwei(a);
    zwei.f.datei("/", datei("n", 1536));
    zwei.f.abschliessen();
    EXPECT_EQ(zwei.liste.zeilen.last(), "n\t");
    unsetenv("TZ");
    tzset();
}

TEST(Zeilenformat, GefilterteDateienZaehlenNicht)
{
    Suchkriterien k;
    k.alleDateien = false;
    k.nurLesen = true;
    Lauf l(Ansicht{}, k);
    l.f.datei("/a/", datei("frei", 10, faArchive));
    EXPECT_TRUE(l.liste.zeilen.isEmpty());
    l.f.datei("/a/", datei("fest", 20, faReadOnly));
    l.f.datei("/b/", datei("frei2", 40, faArchive));
    EXPECT_EQ(l.liste.zeilen, QStringList({"", "/a/", "", "fest\t"}));
    EXPECT_EQ(l.z.gefundeneDateien, 1);
    EXPECT_EQ(l.z.gefundeneGroesse, 20);
    EXPECT_EQ(l.z.gefundeneVerzeichnisse, 1);
}

TEST(Zeilenformat, NamenAusRohenBytes)
{
    Lauf l(Ansicht{});
    l.f.datei("/", datei("gr\xc3\xbc\xc3\x9f"));
    l.f.datei("/", datei("kaputt\xff.txt"));
    EXPECT_EQ(l.liste.zeilen.at(3), QString::fromUtf8("grüß\t"));
    EXPECT_EQ(l.liste.zeilen.at(4), QString::fromUtf8("kaputt\xef\xbf\xbd.txt\t"));
}

TEST(Zeilenformat, FortschrittJeGelisteteDatei)
{
    struct Zaehler : Suchumgebung {
        Zeilensammler l, s;
        QStringList stand;
        Zeilensenke& liste() override { return l; }
        Zeilensenke& zusammenfassung() override { return s; }
        void fortschritt(const QString& z) override { stand << z; }
    } u;
    Suchzustand z;
    Zeilenformatierer f(Suchkriterien{}, Ansicht{}, z, u.l, Zeitformate{}, &u, true);
    z.gepruefteDateien = 41;
    f.datei("/", datei("a"));
    f.datei("/", datei(".versteckt", 0, faHidden));
    EXPECT_EQ(u.stand, QStringList({QString(13, ' ') + "41"}));
}
