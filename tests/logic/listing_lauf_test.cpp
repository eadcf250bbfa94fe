// The directory walk, on prepared file systems and on real temporary trees.
#include <gtest/gtest.h>

#include <QDir>

#include <dirent.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "baum_testbaum.h"
#include "listing/verzeichnislauf.h"
#include "listing_druck.h"
#include "platform/fake/fake_plattform.h"
#include "platform/linux/linux_plattform.h"

using namespace plattform;

namespace {

// Records what the walk hands over: "directory|name".
struct Mitschrift : Dateiempfaenger {
    QStringList dateien;
    std::function<void()> danach;
    void datei(const QString& verzeichnis, const Dateidaten& d) override
    {
        dateien << verzeichnis + '|' + QString::fromUtf8(d.rohname);
        if (danach)
            danach();
    }
};

class MitFake : public ::testing::Test {
protected:
    void SetUp() override { installieren({.dateisystem = &fs, .laufwerke = &lw}); }
    void TearDown() override { installieren({}); }

    QStringList laufen(const QString& wurzel, const QString& maske, bool rekursiv, bool versteckt = false)
    {
        Laufauftrag a;
        a.wurzel = wurzel;
        a.maske = maske;
        a.unterverzeichnisse = rekursiv;
        a.versteckt = versteckt;
        z = Suchzustand{};
        Mitschrift m;
        verzeichnislauf(a, z, m);
        return m.dateien;
    }

    FakeDateisystem fs;
    FakeLaufwerke lw;
    Suchzustand z;
};

class MitLinux : public ::testing::Test {
protected:
    void SetUp() override { installieren({.dateisystem = &ds, .laufwerke = &lw}); }
    void TearDown() override { installieren({}); }
    LinuxDateisystem ds;
    LinuxLaufwerke lw;
};

int offeneDateien()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

}  // namespace

TEST_F(MitFake, DateienZuerstDannUnterverzeichnisseInDieTiefe)
{
    fs.datei("/d/a.txt", 1);
    fs.verzeichnis("/d/eins");
    fs.datei("/d/eins/x.txt", 1);
    fs.datei("/d/eins/tief/y.txt", 1);
    fs.datei("/d/b.txt", 1);
    fs.datei("/d/c.dat", 1);
    fs.datei("/d/zwei/z.txt", 1);
    fs.datei("/d/ohne/w.dat", 1);

    EXPECT_EQ(laufen("/d", "*.txt", true),
              QStringList({"/d/|a.txt", "/d/|b.txt", "/d/eins/|x.txt", "/d/eins/tief/|y.txt", "/d/zwei/|z.txt"}));
    // Directories are searched whether or not they match the mask; the root counts too.
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 5);
    EXPECT_EQ(z.gepruefteDateien, 5);

    EXPECT_EQ(laufen("/d", "*.txt", false), QStringList({"/d/|a.txt", "/d/|b.txt"}));
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 1);
}

TEST_F(MitFake, VersteckteUndPunktverzeichnisse)
{
    fs.verzeichnis("/d/Geheim", 0, faHidden);
    fs.datei("/d/Geheim/offen.txt", 1);
    fs.datei("/d/.config/offen.txt", 1);
    fs.datei("/d/sys/s.txt", 1);
    fs.verzeichnis("/d/sys", 0, faSysFile);

    EXPECT_EQ(laufen("/d", "*.*", true), QStringList({"/d/sys/|s.txt"}));
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 2);
    // A name beginning with a dot is never entered, hidden files shown or not.
    EXPECT_EQ(laufen("/d", "*.*", true, true), QStringList({"/d/Geheim/|offen.txt", "/d/sys/|s.txt"}));
}

TEST_F(MitFake, UnlesbaresVerzeichnisZaehltUndWirdUebersprungen)
{
    fs.datei("/d/zu/geheim.txt", 1);
    fs.datei("/d/zu/innen/tiefer.txt", 1);
    fs.datei("/d/auf/a.txt", 1);
    fs.unlesbar("/d/zu");
    EXPECT_EQ(laufen("/d", "*.*", true), QStringList({"/d/auf/|a.txt"}));
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 3);
    EXPECT_EQ(z.unlesbareVerzeichnisse, 1);
    EXPECT_FALSE(z.wurzelUnlesbar);

    laufen("/gibtsnicht", "*.*", true);
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 1);
    EXPECT_TRUE(z.wurzelUnlesbar);
}

TEST_F(MitFake, VerknuepfungenWerdenGefolgtZyklenEnden)
{
    fs.datei("/d/a/x.txt", 1);
    fs.verknuepfung("/d/a/zurueck", "/d");
    fs.datei("/d/b/y.txt", 1);
    fs.verknuepfung("/d/b/zu_a", "/d/a");
    EXPECT_EQ(laufen("/d", "*.*", true),
              QStringList({"/d/a/|x.txt", "/d/b/|y.txt", "/d/b/zu_a/|x.txt"}));
    // d, a, b and b/zu_a; both links back up the path are left out.
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 4);
}

// A chain /t/e/e/.../e of `tiefe` directories with one file at the bottom, without building it.
class Kette : public Dateisystem {
public:
    explicit Kette(int tiefe) : m_tiefe(tiefe) {}
    bool auflisten(const QByteArray& v, const QString&, bool nurVerzeichnisse,
                   const std::function<bool(const Dateidaten&)>& jeEintrag) const override
    {
        const int ebene = static_cast<int>(v.size() - 2) / 2;  // "/t" then "/e" per level
        Dateidaten d;
        if (ebene < m_tiefe) {
            d.rohname = "e";
            d.attribute = faDirectory;
            d.geraet = 1;
            d.inode = static_cast<quint64>(ebene) + 2;
        } else if (!nurVerzeichnisse) {
            d.rohname = "unten.txt";
            d.attribute = faArchive;
        } else {
            return true;
        }
        jeEintrag(d);
        return true;
    }
    std::optional<Kennung> kennung(const QByteArray& p) const override
    {
        return Kennung{1, static_cast<quint64>(p.size() - 2) / 2 + 1};
    }
    QString arbeitsverzeichnis() const override { return "/"; }
    int setzeArbeitsverzeichnis(const QString&) override { return 0; }

private:
    int m_tiefe;
};

TEST(Verzeichnislauf, ZehntausendEbenen)
{
    Kette k(10000);
    FakeLaufwerke lw;
    installieren({.dateisystem = &k, .laufwerke = &lw});
    Laufauftrag a;
    a.wurzel = "/t";
    a.unterverzeichnisse = true;
    Suchzustand z;
    Mitschrift m;
    verzeichnislauf(a, z, m);
    installieren({});
    ASSERT_EQ(m.dateien.size(), 1);
    EXPECT_EQ(m.dateien.first().size(), QStringLiteral("/t/|unten.txt").size() + 10000 * 2);
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 10001);
}

TEST_F(MitFake, AbbruchMittendrin)
{
    for (int i = 0; i < 5; ++i)
        fs.datei("/d/" + QByteArray::number(i) + ".txt", 1);
    fs.datei("/d/unter/u.txt", 1);
    Laufauftrag a;
    a.wurzel = "/d";
    a.unterverzeichnisse = true;
    Mitschrift m;
    bool abbruch = false;
    m.danach = [&] { abbruch = m.dateien.size() == 3; };
    verzeichnislauf(a, z, m, [&] { return abbruch; });
    // The file on which the abort came is handed over but not counted as examined.
    EXPECT_EQ(m.dateien.size(), 3);
    EXPECT_EQ(z.gepruefteDateien, 2);
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 1);

    // Abort between directories: the next subdirectory is not entered.
    z = Suchzustand{};
    Mitschrift n;
    int fragen = 0;
    verzeichnislauf(a, z, n, [&] { return ++fragen > 5; });
    EXPECT_EQ(n.dateien.size(), 5);
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 1);
}

TEST_F(MitLinux, EchterBaumMitRohenNamenUndLinks)
{
    Testbaum b;
    b.datei("a.txt", 10);
    b.dateiRoh("kaputt\xff.txt", 1536);
    b.dateiRoh("dir\xfe/innen.txt", 3);
    b.datei("unter/tief/t.txt", 4);
    b.link("unter/tief/kreis", "../..");
    b.datei("ziel/z.txt", 2);
    b.link("unter/auf_ziel", "../ziel");
    b.verzeichnis(".versteckt");
    b.datei(".versteckt/v.txt", 1);

    Laufauftrag a;
    a.wurzel = b.pfad();
    a.unterverzeichnisse = true;
    a.versteckt = true;
    Suchzustand z;
    Mitschrift m;
    verzeichnislauf(a, z, m);
    QStringList rel;
    for (QString s : m.dateien)
        rel << s.mid(b.pfad().size());
    rel.sort();
    const QString kaputt = QString::fromUtf8("\xef\xbf\xbd");
    EXPECT_EQ(rel, QStringList({"/dir" + kaputt + "/|innen.txt", "/unter/auf_ziel/|z.txt", "/unter/tief/|t.txt",
                                "/ziel/|z.txt", "/|a.txt", "/|kaputt" + kaputt + ".txt"}));
    // Root, dir\xfe, unter, unter/tief, unter/auf_ziel, ziel; the link back to the root is not entered.
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 6);
    EXPECT_EQ(z.unlesbareVerzeichnisse, 0);
}

TEST_F(MitLinux, AbbruchSchliesstJedeAuflistung)
{
    Testbaum b;
    for (int i = 0; i < 20; ++i)
        b.datei(QStringLiteral("x/y/%1.txt").arg(i), 1);
    for (int i = 0; i < 20; ++i)
        b.datei(QStringLiteral("x/z%1/a.txt").arg(i), 1);
    Laufauftrag a;
    a.wurzel = b.pfad();
    a.unterverzeichnisse = true;
    const int vorher = offeneDateien();
    Suchzustand z;
    Mitschrift m;
    verzeichnislauf(a, z, m, [&] { return m.dateien.size() == 5; });
    EXPECT_EQ(m.dateien.size(), 5);
    EXPECT_EQ(offeneDateien(), vorher);
}

// /gross with `anzahl` files "0", "1", ... and then the directory "unter" with one file.
class Gross : public Dateisystem {
public:
    explicit Gross(int anzahl) : m_anzahl(anzahl) {}
    bool auflisten(const QByteArray& v, const QString&, bool nurVerzeichnisse,
                   const std::function<bool(const Dateidaten&)>& jeEintrag) const override
    {
        Dateidaten d;
        if (v == "/gross/unter") {
            d.rohname = "spaeter.txt";
            d.attribute = faArchive;
            return nurVerzeichnisse || (jeEintrag(d), true);
        }
        if (v != "/gross")
            return false;
        for (int i = 0; i < m_anzahl && !nurVerzeichnisse; ++i) {
            d.rohname = QByteArray::number(i);
            d.attribute = faArchive;
            if (!jeEintrag(d))
                return true;
        }
        d.rohname = "unter";
        d.attribute = faDirectory;
        d.inode = 2;
        jeEintrag(d);
        return true;
    }
    std::optional<Kennung> kennung(const QByteArray&) const override { return Kennung{1, 1}; }
    QString arbeitsverzeichnis() const override { return "/"; }
    int setzeArbeitsverzeichnis(const QString&) override { return 0; }

private:
    int m_anzahl;
};

TEST(Verzeichnislauf, AbbruchInEinemGrossenVerzeichnis)
{
    // Far more files than the walk reads ahead: the reader must stop while it waits.
    Gross g(100000);
    FakeLaufwerke lw;
    installieren({.dateisystem = &g, .laufwerke = &lw});
    Laufauftrag a;
    a.wurzel = "/gross";
    a.unterverzeichnisse = true;
    Suchzustand z;
    Mitschrift m;
    verzeichnislauf(a, z, m, [&] { return m.dateien.size() == 10; });
    EXPECT_EQ(m.dateien.size(), 10);
    EXPECT_EQ(m.dateien.last(), "/gross/|9");
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 1);

    // Without an abort every file comes through once, in order, across the reader's portions.
    z = Suchzustand{};
    Mitschrift alle;
    verzeichnislauf(a, z, alle);
    installieren({});
    ASSERT_EQ(alle.dateien.size(), 100001);
    EXPECT_EQ(alle.dateien.at(54321), "/gross/|54321");
    EXPECT_EQ(alle.dateien.last(), "/gross/unter/|spaeter.txt");
    EXPECT_EQ(z.gepruefteDateien, 100001);
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 2);
}

// Several readers: whatever their number, the walk hands over the same files in the same order.
namespace {

struct Ergebnis {
    QStringList dateien;
    Suchzustand z;
};

Ergebnis mitLesern(Laufauftrag a, int leser)
{
    a.leser = leser;
    Ergebnis e;
    Mitschrift m;
    verzeichnislauf(a, e.z, m);
    e.dateien = m.dateien;
    return e;
}

void gleich(const Ergebnis& a, const Ergebnis& b)
{
    EXPECT_EQ(a.dateien, b.dateien);
    EXPECT_EQ(a.z.durchsuchteVerzeichnisse, b.z.durchsuchteVerzeichnisse);
    EXPECT_EQ(a.z.gepruefteDateien, b.z.gepruefteDateien);
    EXPECT_EQ(a.z.unlesbareVerzeichnisse, b.z.unlesbareVerzeichnisse);
}

}  // namespace

TEST_F(MitLinux, MehrereLeserGebenDieselbeFolge)
{
    // Wide and deep, uneven: small and empty directories next to large ones, a link cycle,
    // an unreadable directory, hidden ones and a mask that needs the second enumeration.
    Testbaum b;
    for (int i = 0; i < 30; ++i) {
        const QString d = QStringLiteral("d%1").arg(i);
        for (int j = 0; j < (i % 4) * 7; ++j)
            b.datei(QStringLiteral("%1/f%2.%3").arg(d).arg(j).arg(j % 2 ? "txt" : "dat"), j);
        for (int k = 0; k < i % 3; ++k)
            b.datei(QStringLiteral("%1/u%2/tief/g%3.txt").arg(d).arg(k).arg(i), 1);
        if (i % 5 == 0)
            b.verzeichnis(QStringLiteral("%1/leer").arg(d));
    }
    for (int j = 0; j < 5000; ++j)
        b.datei(QStringLiteral("d7/gross/%1.txt").arg(j), 1);
    b.link("d3/u0/zurueck", "../..");
    b.datei(".h/x.txt", 1);
    b.datei("zu/y.txt", 1);
    if (!Testbaum::istRoot())
        b.rechte("zu", 0);

    Laufauftrag a;
    a.wurzel = b.pfad();
    a.unterverzeichnisse = true;
    for (const QString& maske : {QStringLiteral("*.*"), QStringLiteral("*.txt")}) {
        for (bool versteckt : {false, true}) {
            a.maske = maske;
            a.versteckt = versteckt;
            SCOPED_TRACE((maske + (versteckt ? " versteckt" : "")).toStdString());
            const Ergebnis einer = mitLesern(a, 1);
            EXPECT_GT(einer.dateien.size(), 5000);
            EXPECT_GT(einer.z.durchsuchteVerzeichnisse, 60);
            gleich(mitLesern(a, 2), einer);
            gleich(mitLesern(a, 3), einer);
        }
    }
    b.rechte("zu", 0755);
}

TEST_F(MitLinux, AbbruchMitMehrerenLesernSchliesstAlles)
{
    Testbaum b;
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 30; ++j)
            b.datei(QStringLiteral("v%1/w/%2.txt").arg(i).arg(j), 1);
    Laufauftrag a;
    a.wurzel = b.pfad();
    a.unterverzeichnisse = true;
    a.leser = 3;
    const int vorher = offeneDateien();
    // Early, in the middle and between directories.
    for (int bei : {1, 37, 600}) {
        Suchzustand z;
        Mitschrift m;
        verzeichnislauf(a, z, m, [&] { return m.dateien.size() == bei; });
        EXPECT_EQ(m.dateien.size(), bei);
        EXPECT_EQ(z.gepruefteDateien, bei - 1);
        EXPECT_EQ(offeneDateien(), vorher);
    }
}

namespace {

// /w with `verzeichnisse` directories of `jeVerzeichnis` files each; counts what the readers
// have taken from it, from any thread.
class Breit : public Dateisystem {
public:
    Breit(int verzeichnisse, int jeVerzeichnis) : m_verzeichnisse(verzeichnisse), m_jeVerzeichnis(jeVerzeichnis) {}
    bool auflisten(const QByteArray& v, const QString&, bool nurVerzeichnisse,
                   const std::function<bool(const Dateidaten&)>& jeEintrag) const override
    {
        Dateidaten d;
        if (v == "/w") {
            for (int i = 0; i < m_verzeichnisse; ++i) {
                d.rohname = "v" + QByteArray::number(i);
                d.attribute = faDirectory;
                d.geraet = 1;
                d.inode = static_cast<quint64>(i) + 2;
                if (!jeEintrag(d))
                    break;
            }
            return true;
        }
        for (int i = 0; i < m_jeVerzeichnis && !nurVerzeichnisse; ++i) {
            d.rohname = QByteArray::number(i);
            d.attribute = faArchive;
            ++gelesen;
            if (!jeEintrag(d))
                break;
        }
        return true;
    }
    std::optional<Kennung> kennung(const QByteArray&) const override { return Kennung{1, 1}; }
    QString arbeitsverzeichnis() const override { return "/"; }
    int setzeArbeitsverzeichnis(const QString&) override { return 0; }

    mutable std::atomic<qint64> gelesen{0};

private:
    int m_verzeichnisse;
    int m_jeVerzeichnis;
};

struct Vorsprung : Dateiempfaenger {
    explicit Vorsprung(Breit& b) : breit(b) {}
    void datei(const QString&, const Dateidaten& d) override
    {
        // A slow start lets the readers run as far ahead as they may.
        if (anzahl == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ++anzahl;
        hoechstens = std::max(hoechstens, breit.gelesen.load() - anzahl);
        if (d.rohname != QByteArray::number((anzahl - 1) % breit_je))
            ++falsch;
    }
    Breit& breit;
    qint64 breit_je = 0;
    qint64 anzahl = 0;
    qint64 hoechstens = 0;
    int falsch = 0;
};

}  // namespace

TEST(Verzeichnislauf, VorlesenBleibtBegrenzt)
{
    FakeLaufwerke lw;
    // Many small directories, then few large ones: where a reader may wait in the middle of a
    // directory, the one needed next must still come through.
    for (auto [verzeichnisse, je] : {std::pair{2000, 100}, std::pair{4, 60000}}) {
        Breit breit(verzeichnisse, je);
        installieren({.dateisystem = &breit, .laufwerke = &lw});
        Laufauftrag a;
        a.wurzel = "/w";
        a.unterverzeichnisse = true;
        a.leser = 2;
        Suchzustand z;
        Vorsprung v(breit);
        v.breit_je = je;
        verzeichnislauf(a, z, v);
        installieren({});
        EXPECT_EQ(v.anzahl, qint64(verzeichnisse) * je);
        EXPECT_EQ(v.falsch, 0);
        // Without a bound the readers would have read everything during the slow start. The
        // bound: what lay ready when the last directory was started, a full buffer per reader,
        // the lot being worked off, and a portion in the making per reader and the walk.
        const Vorlesegrenzen g;
        EXPECT_LT(v.hoechstens, g.vorrat + 2 * (g.jeVerzeichnis + g.portion) + g.los + 4 * g.portion + je);
        EXPECT_EQ(z.durchsuchteVerzeichnisse, verzeichnisse + 1);
    }
}
