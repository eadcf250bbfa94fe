// The prepared backend must behave like the real one where tests of other parts rely on it.
#include "platform/fake/fake_plattform.h"

#include <gtest/gtest.h>

#include <errno.h>

using namespace plattform;

namespace {

QList<QByteArray> namen(FakeDateisystem& fs, const QByteArray& dir, const QString& maske, bool nurVerzeichnisse = false)
{
    QList<QByteArray> n;
    fs.auflisten(dir, maske, nurVerzeichnisse, [&](const Dateidaten& d) {
        n.append(d.rohname);
        return true;
    });
    return n;
}

}  // namespace

TEST(FakeDateisystem, ReihenfolgeMaskeUndDaten)
{
    FakeDateisystem fs;
    fs.datei("/daten/z.TXT", 5000000000LL, 1386000000, faArchive | faReadOnly);
    fs.verzeichnis("/daten/unter", 1386000001);
    fs.datei("/daten/a.txt", 3);
    fs.datei("/daten/Makefile", 4);
    fs.datei("/daten/.versteckt", 1, 0, faHidden | faArchive);
    // In the order added, never sorted.
    EXPECT_EQ(namen(fs, "/daten", "*.*"),
              (QList<QByteArray>{"z.TXT", "unter", "a.txt", "Makefile", ".versteckt"}));
    EXPECT_EQ(namen(fs, "/daten/", "*.txt"), (QList<QByteArray>{"z.TXT", "a.txt"}));
    EXPECT_EQ(namen(fs, "/daten", "*."), (QList<QByteArray>{"unter", "Makefile"}));
    EXPECT_EQ(namen(fs, "/daten", "*", true), (QList<QByteArray>{"unter"}));
    EXPECT_EQ(namen(fs, "/", "*"), (QList<QByteArray>{"daten"}));

    Dateidaten z, u;
    fs.auflisten("/daten", "*", false, [&](const Dateidaten& d) {
        if (d.rohname == "z.TXT")
            z = d;
        if (d.rohname == "unter")
            u = d;
        return true;
    });
    EXPECT_EQ(z.groesse, 5000000000LL);
    EXPECT_EQ(z.schreibzeit, 1386000000);
    EXPECT_EQ(z.attribute, quint32(faArchive | faReadOnly));
    EXPECT_EQ(u.attribute, quint32(faDirectory));
    EXPECT_EQ(u.schreibzeit, 1386000001);

    // Replacing a file keeps its place; removing takes the subtree along.
    fs.datei("/daten/z.TXT", 1);
    EXPECT_EQ(namen(fs, "/daten", "z*"), QList<QByteArray>{"z.TXT"});
    fs.datei("/daten/unter/tief/x", 1);
    fs.entfernen("/daten/unter");
    EXPECT_EQ(namen(fs, "/daten", "*", true), QList<QByteArray>{});
    EXPECT_FALSE(fs.auflisten("/daten/unter/tief", "*", false, [](const Dateidaten&) { return true; }));
}

TEST(FakeDateisystem, UnlesbarAbbruchUndZaehler)
{
    FakeDateisystem fs;
    fs.datei("/a/gesperrt/innen/x", 1);
    fs.datei("/a/y", 1);
    fs.datei("/a/z", 1);
    fs.unlesbar("/a/gesperrt");
    const int vorher = fs.auflistungen();
    const auto alles = [](const Dateidaten&) { return true; };
    EXPECT_FALSE(fs.auflisten("/a/gesperrt", "*", false, alles));
    EXPECT_FALSE(fs.auflisten("/a/gesperrt/innen", "*", false, alles));
    EXPECT_FALSE(fs.auflisten("/a/y", "*", false, alles));
    EXPECT_FALSE(fs.auflisten("/fehlt", "*", false, alles));
    EXPECT_FALSE(fs.auflisten("relativ", "*", false, alles));
    int gesehen = 0;
    EXPECT_TRUE(fs.auflisten("/a", "*", false, [&](const Dateidaten&) { return ++gesehen < 2; }));
    EXPECT_EQ(gesehen, 2);
    EXPECT_EQ(fs.auflistungen() - vorher, 6);
    EXPECT_EQ(fs.setzeArbeitsverzeichnis("/a/gesperrt"), EACCES);
    fs.unlesbar("/a/gesperrt", false);
    EXPECT_EQ(namen(fs, "/a/gesperrt/innen", "*"), QList<QByteArray>{"x"});
}

TEST(FakeDateisystem, VerknuepfungBildetKreis)
{
    FakeDateisystem fs;
    fs.datei("/wurzel/sub/datei", 1);
    fs.verknuepfung("/wurzel/sub/zurueck", "/wurzel");
    fs.verknuepfung("/wurzel/selbst", "/wurzel/selbst");

    QList<Dateidaten> d;
    fs.auflisten("/wurzel/sub", "*", true, [&](const Dateidaten& x) {
        d.append(x);
        return true;
    });
    ASSERT_EQ(d.size(), 1);
    EXPECT_EQ(d[0].attribute & faDirectory, quint32(faDirectory));
    const auto k1 = fs.kennung("/wurzel");
    ASSERT_TRUE(k1);
    EXPECT_EQ(fs.kennung("/wurzel/sub/zurueck"), k1);
    EXPECT_EQ(d[0].inode, k1->inode);
    // Through the link the walk meets the same tree again.
    EXPECT_EQ(namen(fs, "/wurzel/sub/zurueck/sub/zurueck/sub", "*"), (QList<QByteArray>{"datei", "zurueck"}));
    // A link to itself ends like ELOOP instead of hanging.
    EXPECT_FALSE(fs.kennung("/wurzel/selbst"));
    EXPECT_FALSE(fs.auflisten("/wurzel/selbst", "*", false, [](const Dateidaten&) { return true; }));
}

TEST(FakeDateisystem, Arbeitsverzeichnis)
{
    FakeDateisystem fs;
    fs.datei("/home/anna/brief.txt", 1);
    EXPECT_EQ(fs.arbeitsverzeichnis(), "/");
    EXPECT_EQ(fs.setzeArbeitsverzeichnis("/home/anna/"), 0);
    EXPECT_EQ(fs.arbeitsverzeichnis(), "/home/anna");
    EXPECT_EQ(fs.setzeArbeitsverzeichnis("/home/anna/brief.txt"), ENOTDIR);
    EXPECT_EQ(fs.setzeArbeitsverzeichnis("/home/otto"), ENOENT);
    EXPECT_EQ(fs.arbeitsverzeichnis(), "/home/anna");
}

TEST(FakeLaufwerke, TabelleUndAbfragen)
{
    FakeLaufwerke lw;
    EXPECT_EQ(lw.logischeLaufwerke(), 1u << 2);
    EXPECT_EQ(lw.wurzel('C'), "/");
    lw.setze('e', {"/media/karte", dtWechselmedium, "KARTE", false, 0, 0});
    lw.setze('D', {"/media", dtNetzwerk, "Netz", true, 1000, 400});
    lw.setze('1', {"/nie", dtFestplatte, "", true, 1, 1});
    EXPECT_EQ(lw.logischeLaufwerke(), (1u << 2) | (1u << 3) | (1u << 4));
    EXPECT_EQ(lw.laufwerkstyp('E'), dtWechselmedium);
    EXPECT_EQ(lw.laufwerkstyp('F'), dtKeineWurzel);

    // The longest mount point wins, on whole path components.
    EXPECT_EQ(lw.laufwerkVon("/media/karte/bilder"), QChar('E'));
    EXPECT_EQ(lw.laufwerkVon("/media/karte"), QChar('E'));
    EXPECT_EQ(lw.laufwerkVon("/media/kartei"), QChar('D'));
    EXPECT_EQ(lw.laufwerkVon("/etc"), QChar('C'));
    EXPECT_TRUE(lw.laufwerkVon("relativ").isNull());

    EXPECT_FALSE(lw.volumeninformation("/media/karte"));  // no medium
    EXPECT_FALSE(lw.speicherplatz("/media/karte"));
    EXPECT_EQ(lw.volumeninformation("/media/"), "Netz");
    const auto platz = lw.speicherplatz("/media");
    ASSERT_TRUE(platz);
    EXPECT_EQ(platz->gesamt, 1000);
    EXPECT_EQ(platz->frei, 400);
    EXPECT_FALSE(lw.volumeninformation("/media/karte/bilder"));  // not a root

    lw.entferne('D');
    EXPECT_EQ(lw.laufwerkVon("/media/x"), QChar('C'));
    lw.leeren();
    EXPECT_EQ(lw.logischeLaufwerke(), 0u);
    EXPECT_TRUE(lw.laufwerkVon("/etc").isNull());
    lw.setzeSystemverzeichnis("/win");
    EXPECT_EQ(lw.systemverzeichnis(), "/win");
}
