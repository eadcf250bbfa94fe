// The walk's read-ahead under stress: random trees, 1 to 4 readers and tiny limits must give
// exactly what a plain recursive walk gives, and every walk must end. Also run under
// ThreadSanitizer (make test-tsan).
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <future>
#include <random>
#include <set>

#include "listing/verzeichnislauf.h"
#include "platform/fake/fake_plattform.h"
#include "platform/linux/linux_plattform.h"
#include "platform/maske.h"

using namespace plattform;

namespace {

struct Mitschrift : Dateiempfaenger {
    QStringList dateien;
    void datei(const QString& verzeichnis, const Dateidaten& d) override
    {
        dateien << verzeichnis + '|' + QString::fromUtf8(d.rohname);
    }
};

struct Ergebnis {
    QStringList dateien;
    qint32 verzeichnisse = 0;
    qint32 geprueft = 0;
    qint32 unlesbar = 0;
    bool operator==(const Ergebnis&) const = default;
};

// The walk as one recursive function, one directory after the other, with nothing read ahead.
void vonHand(Dateisystem& fs, const QByteArray& roh, const QString& anzeige, const Laufauftrag& a,
             std::vector<quint64>& pfad, Ergebnis& e)
{
    ++e.verzeichnisse;
    const bool lesbar = fs.auflisten(roh, a.maske, false, [&](const Dateidaten& d) {
        if (!(d.attribute & faDirectory)) {
            e.dateien << anzeige + '|' + QString::fromUtf8(d.rohname);
            ++e.geprueft;
        }
        return true;
    });
    if (!lesbar) {
        ++e.unlesbar;
        return;
    }
    if (!a.unterverzeichnisse)
        return;
    std::vector<Dateidaten> unter;
    fs.auflisten(roh, QStringLiteral("*.*"), true, [&](const Dateidaten& d) {
        if ((d.attribute & faDirectory) && (a.versteckt || !(d.attribute & faHidden)) && !d.rohname.startsWith('.'))
            unter.push_back(d);
        return true;
    });
    for (const Dateidaten& d : unter) {
        if (std::find(pfad.begin(), pfad.end(), d.inode) != pfad.end())
            continue;
        pfad.push_back(d.inode);
        vonHand(fs, roh + '/' + d.rohname, anzeige + QString::fromUtf8(d.rohname) + '/', a, pfad, e);
        pfad.pop_back();
    }
}

// A random tree below /w: deep chains, wide levels, now and then one huge directory, links back
// up the path, unreadable and hidden directories, dot directories, files of two kinds.
void zufallsbaum(FakeDateisystem& fs, std::mt19937& zufall)
{
    auto bis = [&](int n) { return static_cast<int>(zufall() % static_cast<unsigned>(n)); };
    std::vector<std::pair<QByteArray, int>> offen{{"/w", 0}};
    fs.verzeichnis("/w");
    const int tiefe = 2 + bis(12);
    int knoten = 0;
    while (!offen.empty() && knoten < 150) {
        auto [pfad, ebene] = offen.back();
        offen.pop_back();
        ++knoten;
        const int dateien = bis(8) == 0 ? 100 + bis(200) : bis(6);
        for (int i = 0; i < dateien; ++i)
            fs.datei(pfad + "/f" + QByteArray::number(i) + (i % 3 ? ".txt" : ".dat"), i);
        if (ebene >= tiefe)
            continue;
        const int breite = bis(4) == 0 ? 8 + bis(20) : bis(4);
        for (int i = 0; i < breite; ++i) {
            const QByteArray u = pfad + "/u" + QByteArray::number(i);
            switch (bis(14)) {
            case 0:
                fs.verknuepfung(u, "/w");
                continue;
            case 1:
                fs.verknuepfung(u, pfad);
                continue;
            case 2:
                fs.verzeichnis(u);
                fs.unlesbar(u);
                continue;
            case 3:
                fs.verzeichnis(u, 0, faHidden);
                break;
            case 4:
                fs.datei(pfad + "/.punkt" + QByteArray::number(i) + "/p.txt", 1);
                continue;
            default:
                fs.verzeichnis(u);
            }
            offen.emplace_back(u, ebene + 1);
        }
    }
}

// Runs the walk on a thread of its own; a walk that does not end within the deadline ends the
// test program, since a hung walk cannot be joined.
Ergebnis mitFrist(const Laufauftrag& a, const std::string& wofuer, size_t abbruchNach = 0)
{
    auto lauf = std::async(std::launch::async, [&] {
        Ergebnis e;
        Suchzustand z;
        Mitschrift m;
        verzeichnislauf(a, z, m, [&] { return abbruchNach > 0 && size_t(m.dateien.size()) >= abbruchNach; });
        e.dateien = std::move(m.dateien);
        e.verzeichnisse = z.durchsuchteVerzeichnisse;
        e.geprueft = z.gepruefteDateien;
        e.unlesbar = z.unlesbareVerzeichnisse;
        return e;
    });
    if (lauf.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
        std::fprintf(stderr, "Der Lauf endet nicht: %s\n", wofuer.c_str());
        std::fflush(stderr);
        std::_Exit(3);
    }
    return lauf.get();
}

}  // namespace

TEST(Vorlesen, ZufallsbaeumeMitWinzigenGrenzenGebenDasselbeWieEinLaufVonHand)
{
    std::random_device quelle;
    const unsigned saat = quelle();
    std::mt19937 zufall(saat);
    auto bis = [&](int n) { return static_cast<size_t>(zufall() % static_cast<unsigned>(n)); };
    for (int runde = 0; runde < 50; ++runde) {
        FakeDateisystem fs;
        FakeLaufwerke lw;
        zufallsbaum(fs, zufall);
        installieren({.dateisystem = &fs, .laufwerke = &lw});

        Laufauftrag a;
        a.wurzel = "/w";
        a.unterverzeichnisse = bis(6) != 0;
        a.versteckt = bis(2) == 0;
        a.maske = bis(2) ? QStringLiteral("*.*") : QStringLiteral("*.txt");
        Ergebnis erwartet;
        std::vector<quint64> pfad;
        pfad.push_back(fs.kennung("/w").value_or(Kennung{}).inode);
        vonHand(fs, "/w", "/w/", a, pfad, erwartet);

        for (int versuch = 0; versuch < 4; ++versuch) {
            a.leser = 1 + static_cast<int>(bis(4));
            a.grenzen.portion = 1 + bis(3);
            a.grenzen.verzeichnisse = 1 + bis(4);
            a.grenzen.vorrat = bis(9);
            a.grenzen.jeVerzeichnis = 1 + bis(4);
            a.grenzen.los = 1 + bis(5);
            const std::string wofuer = "Saat " + std::to_string(saat) + ", Runde " + std::to_string(runde) +
                                       ", " + std::to_string(a.leser) + " Leser";
            SCOPED_TRACE(wofuer);
            EXPECT_EQ(mitFrist(a, wofuer), erwartet);

            // Aborted after some files: exactly the files up to there, and nothing hangs.
            if (erwartet.dateien.size() > 2) {
                const size_t nach = 1 + bis(static_cast<int>(erwartet.dateien.size()) - 1);
                const Ergebnis teil = mitFrist(a, wofuer + ", Abbruch", nach);
                ASSERT_EQ(size_t(teil.dateien.size()), nach);
                EXPECT_EQ(teil.dateien, erwartet.dateien.mid(0, qsizetype(nach)));
            }
        }
        installieren({});
        if (HasFailure())
            break;
    }
}

// The machine's own /usr, a real tree of many thousands of directories read in no tidy order:
// the walk ends, and one reader and several agree.
TEST(Vorlesen, UsrEndetUndLeserzahlAendertNichts)
{
    if (!QFile::exists(QStringLiteral("/usr/share")))
        GTEST_SKIP() << "kein /usr auf dieser Maschine";
    LinuxDateisystem ds;
    FakeLaufwerke lw;
    installieren({.dateisystem = &ds, .laufwerke = &lw});
    Laufauftrag a;
    a.wurzel = "/usr";
    a.unterverzeichnisse = true;
    a.leser = 1;
    const Ergebnis einer = mitFrist(a, "/usr, 1 Leser");
    a.leser = 3;
    const Ergebnis drei = mitFrist(a, "/usr, 3 Leser");
    installieren({});
    EXPECT_GT(einer.verzeichnisse, 100);
    EXPECT_EQ(einer.verzeichnisse, drei.verzeichnisse);
    EXPECT_EQ(einer.geprueft, drei.geprueft);
    EXPECT_TRUE(einer.dateien == drei.dateien);
}
