// Directory enumeration of the Linux backend on real temporary trees.
#include "baum_testbaum.h"
#include "platform/linux/linux_plattform.h"
#include "platform/linux/netz/smb_dateisystem.h"
#include "platform/nachrichten.h"
#include "platform/namensfolge.h"

#include <QDir>
#include <QMap>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <errno.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>

using namespace plattform;

namespace {

QMap<QByteArray, Dateidaten> auflisten(LinuxDateisystem& fs, const QByteArray& dir, const QString& maske,
                                       bool nurVerzeichnisse = false, bool* ok = nullptr)
{
    QMap<QByteArray, Dateidaten> ergebnis;
    const bool r = fs.auflisten(dir, maske, nurVerzeichnisse, [&](const Dateidaten& d) {
        ergebnis.insert(d.rohname, d);
        return true;
    });
    if (ok)
        *ok = r;
    return ergebnis;
}

const QDateTime heiligabend(QDate(2013, 12, 24), QTime(18, 30, 12), Qt::UTC);

}  // namespace

TEST(LinuxDateisystem, GroessenZeitenUndAttribute)
{
    Testbaum baum;
    baum.datei("gross.bin", 5LL * 1024 * 1024 * 1024, heiligabend);  // beyond 32 bits
    baum.datei("leer.txt", 0, heiligabend.addSecs(1));
    baum.datei(".versteckt", 7);
    baum.datei("schreibgeschuetzt.txt", 3);
    baum.rechte("schreibgeschuetzt.txt", 0444);
    baum.verzeichnis("unter");
    baum.zeit("unter", heiligabend);
    baum.fifo("rohr");

    LinuxDateisystem fs;
    bool ok = false;
    const auto e = auflisten(fs, baum.rohpfad(), "*.*", false, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(e.size(), 6);  // never "." or ".."

    EXPECT_EQ(e["gross.bin"].groesse, 5LL * 1024 * 1024 * 1024);
    EXPECT_EQ(e["gross.bin"].schreibzeit, heiligabend.toSecsSinceEpoch());
    EXPECT_EQ(e["gross.bin"].attribute, quint32(faArchive));
    EXPECT_EQ(e["leer.txt"].groesse, 0);
    EXPECT_EQ(e["leer.txt"].schreibzeit, heiligabend.toSecsSinceEpoch() + 1);
    EXPECT_EQ(e[".versteckt"].attribute, quint32(faHidden | faArchive));
    EXPECT_EQ(e["schreibgeschuetzt.txt"].attribute, quint32(faReadOnly | faArchive));
    EXPECT_EQ(e["unter"].attribute, quint32(faDirectory));
    EXPECT_EQ(e["unter"].groesse, 0);
    EXPECT_EQ(e["unter"].schreibzeit, heiligabend.toSecsSinceEpoch());
    EXPECT_EQ(e["rohr"].attribute, quint32(faSysFile));

    const auto k = fs.kennung(baum.rohpfad("unter"));
    ASSERT_TRUE(k);
    EXPECT_EQ(e["unter"].geraet, k->geraet);
    EXPECT_EQ(e["unter"].inode, k->inode);
}

TEST(LinuxDateisystem, NameOhneGueltigesUtf8WirdMitRichtigerGroesseGemeldet)
{
    Testbaum baum;
    const QByteArray roh("caf\xE9-\xFF.txt");  // Latin-1 bytes from an old archive
    baum.dateiRoh(roh, 1234, heiligabend);
    LinuxDateisystem fs;
    const auto e = auflisten(fs, baum.rohpfad(), "*.TXT");
    ASSERT_EQ(e.size(), 1);
    EXPECT_EQ(e.firstKey(), roh);
    EXPECT_EQ(e.first().groesse, 1234);
    EXPECT_EQ(e.first().schreibzeit, heiligabend.toSecsSinceEpoch());
    // The name as shown counts each bad byte as one character.
    EXPECT_EQ(auflisten(fs, baum.rohpfad(), "caf?-?.txt").size(), 1);
    EXPECT_EQ(auflisten(fs, baum.rohpfad(), "caf?.txt").size(), 0);
    // The raw name is good for going on with the path.
    EXPECT_TRUE(fs.kennung(baum.rohpfad(roh)));
}

TEST(LinuxDateisystem, VerknuepfungenWerdenVerfolgt)
{
    Testbaum baum;
    baum.datei("ziel/innen.txt", 10);
    baum.datei("datei.txt", 42, heiligabend);
    baum.link("zumVerzeichnis", "ziel");
    baum.link("zurDatei", "datei.txt");
    baum.link("ins.leere", "gibt-es-nicht");
    baum.link("kreis", "kreis");

    LinuxDateisystem fs;
    const auto e = auflisten(fs, baum.rohpfad(), "*");
    EXPECT_EQ(e["zumVerzeichnis"].attribute, quint32(faDirectory));
    EXPECT_EQ(e["zurDatei"].attribute, quint32(faArchive));
    EXPECT_EQ(e["zurDatei"].groesse, 42);
    EXPECT_EQ(e["zurDatei"].schreibzeit, heiligabend.toSecsSinceEpoch());
    // Dangling and looping links stay visible as empty files.
    ASSERT_TRUE(e.contains("ins.leere"));
    EXPECT_EQ(e["ins.leere"].attribute, quint32(faArchive));
    EXPECT_EQ(e["ins.leere"].groesse, 0);
    ASSERT_TRUE(e.contains("kreis"));

    const auto ziel = fs.kennung(baum.rohpfad("ziel"));
    ASSERT_TRUE(ziel);
    EXPECT_EQ(fs.kennung(baum.rohpfad("zumVerzeichnis")), ziel);
    EXPECT_EQ(e["zumVerzeichnis"].inode, ziel->inode);
    EXPECT_FALSE(fs.kennung(baum.rohpfad("ins.leere")));
}

TEST(LinuxDateisystem, NurVerzeichnisseUndMaske)
{
    Testbaum baum;
    baum.verzeichnis("Alpha");
    baum.verzeichnis(".konfig");
    baum.verzeichnis("beta.d");
    baum.datei("alpha.txt", 1);
    baum.fifo("rohr");
    baum.link("verweis", "Alpha");
    baum.link("kaputt", "nichts");

    LinuxDateisystem fs;
    auto e = auflisten(fs, baum.rohpfad(), "*.*", true);
    EXPECT_EQ(e.keys(), (QList<QByteArray>{".konfig", "Alpha", "beta.d", "verweis"}));
    EXPECT_EQ(e[".konfig"].attribute, quint32(faDirectory | faHidden));

    // The mask applies to directories too, case-insensitively.
    e = auflisten(fs, baum.rohpfad(), "ALPHA*");
    EXPECT_EQ(e.keys(), (QList<QByteArray>{"Alpha", "alpha.txt"}));
    e = auflisten(fs, baum.rohpfad(), "*.", true);
    EXPECT_EQ(e.keys(), (QList<QByteArray>{"Alpha", "verweis"}));
    EXPECT_TRUE(auflisten(fs, baum.rohpfad(), "").isEmpty());
}

TEST(LinuxDateisystem, AbbruchUndFehlschlaege)
{
    Testbaum baum;
    for (int i = 0; i < 20; ++i)
        baum.datei(QStringLiteral("d%1").arg(i), i);
    LinuxDateisystem fs;
    const auto offen = [] { return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries).size(); };
    const auto vorher = offen();
    int gesehen = 0;
    EXPECT_TRUE(fs.auflisten(baum.rohpfad(), "*", false, [&](const Dateidaten&) { return ++gesehen < 3; }));
    EXPECT_EQ(gesehen, 3);
    // A callback that throws leaves no directory open behind it.
    for (int i = 0; i < 3; ++i)
        EXPECT_THROW(fs.auflisten(baum.rohpfad(), "*", false,
                                  [](const Dateidaten&) -> bool { throw std::runtime_error("weg"); }),
                     std::runtime_error);
    EXPECT_EQ(offen(), vorher);

    const auto nie = [](const Dateidaten&) {
        ADD_FAILURE() << "no entry expected";
        return true;
    };
    EXPECT_FALSE(fs.auflisten(baum.rohpfad("fehlt"), "*", false, nie));
    EXPECT_FALSE(fs.auflisten(baum.rohpfad("d1"), "*", false, nie));  // a file
    EXPECT_FALSE(fs.auflisten(QByteArray(), "*", false, nie));
    // A NUL inside the path must not cut it down to the (listable) tree root.
    EXPECT_FALSE(fs.auflisten(baum.rohpfad() + QByteArray("\0/x", 3), "*", false, nie));
    EXPECT_FALSE(fs.kennung(baum.rohpfad() + QByteArray("\0", 1)));
}

TEST(LinuxDateisystem, GesperrtesVerzeichnis)
{
    if (Testbaum::istRoot())
        GTEST_SKIP() << "root reads every directory";
    Testbaum baum;
    baum.datei("zu/a.txt", 1);
    baum.datei("nurlesen/b.txt", 1);
    baum.rechte("zu", 0);
    baum.rechte("nurlesen", 0444);  // names readable, nothing else
    LinuxDateisystem fs;
    EXPECT_FALSE(fs.auflisten(baum.rohpfad("zu"), "*", false, [](const Dateidaten&) { return true; }));
    bool ok = false;
    EXPECT_TRUE(auflisten(fs, baum.rohpfad("nurlesen"), "*", false, &ok).isEmpty());
    EXPECT_TRUE(ok);
}

TEST(LinuxDateisystem, Arbeitsverzeichnis)
{
    Testbaum baum;
    baum.verzeichnis("mit leerzeichen/ä");
    baum.datei("datei", 1);
    LinuxDateisystem fs;
    const QString vorher = fs.arbeitsverzeichnis();
    ASSERT_FALSE(vorher.isEmpty());
    EXPECT_EQ(vorher, QDir::currentPath());

    ASSERT_EQ(fs.setzeArbeitsverzeichnis(baum.pfad("mit leerzeichen/ä")), 0);
    EXPECT_EQ(fs.arbeitsverzeichnis(), QDir(baum.pfad("mit leerzeichen/ä")).canonicalPath());
    EXPECT_EQ(fs.setzeArbeitsverzeichnis(baum.pfad("fehlt")), ENOENT);
    EXPECT_EQ(fs.setzeArbeitsverzeichnis(baum.pfad("datei")), ENOTDIR);
    EXPECT_EQ(fs.setzeArbeitsverzeichnis(QString()), ENOENT);
    // A failed change leaves the directory as it was.
    EXPECT_EQ(fs.arbeitsverzeichnis(), QDir(baum.pfad("mit leerzeichen/ä")).canonicalPath());
    ASSERT_EQ(fs.setzeArbeitsverzeichnis("/"), 0);
    EXPECT_EQ(fs.arbeitsverzeichnis(), "/");
    ASSERT_EQ(fs.setzeArbeitsverzeichnis(vorher), 0);
}

TEST(Namensfolge, WieDerSchluesselAusGrossgeschriebenenEinheiten)
{
    // Random names from pieces that tell the rule apart: case, umlauts whose upper case lies
    // elsewhere, characters beyond the basic plane (surrogates sort below U+E000..U+FFFF),
    // invalid UTF-8, shared prefixes of every length around the packed first four units.
    const std::vector<QByteArray> teile = {"a", "A", "b", "_", "~", "1", "10", "\xc3\xa4", "\xc3\x84", "\xc3\x9f",
                                           "\xef\xbc\xa1", "\xf0\x9f\x98\x80", "\xff", "\xc3", "abcd", "ABCD", " "};
    QRandomGenerator zufall(7);
    std::vector<QByteArray> namen;
    for (int i = 0; i < 5000; ++i) {
        QByteArray n;
        for (int k = 1 + zufall.bounded(6); k > 0; --k)
            n += teile[zufall.bounded(int(teile.size()))];
        namen.push_back(n);
    }
    const auto schluessel = [](const QByteArray& roh) {
        QString s = QString::fromUtf8(roh);
        for (QChar& c : s)
            c = c.toUpper();
        return s;
    };
    std::vector<QByteArray> erwartet = namen;
    std::stable_sort(erwartet.begin(), erwartet.end(), [&](const QByteArray& a, const QByteArray& b) {
        const int c = schluessel(a).compare(schluessel(b));
        return c != 0 ? c < 0 : a < b;
    });
    std::vector<QByteArray> sortiert;
    for (const std::size_t i : namensfolge(namen.size(), [&](std::size_t i) { return QByteArrayView(namen[i]); }))
        sortiert.push_back(namen[i]);
    EXPECT_EQ(sortiert, erwartet);
}

TEST(LinuxDateisystem, GrossesVerzeichnisInFolgeUndVollstaendig)
{
    // More entries than one block, so a helper thread reads every other block: each entry once,
    // in name order, with its own size.
    Testbaum b;
    QStringList erwartet;
    for (int i = 0; i < 10000; ++i) {
        const QString n = QStringLiteral("d%1").arg(9999 - i, 4, 10, QLatin1Char('0'));
        b.datei(n, i % 97);
        erwartet.prepend(n);
    }
    LinuxDateisystem ds;
    QStringList gemeldet;
    bool groessenStimmen = true;
    ASSERT_TRUE(ds.auflisten(b.rohpfad(), QStringLiteral("*"), false, [&](const Dateidaten& d) {
        gemeldet << QString::fromUtf8(d.rohname);
        groessenStimmen = groessenStimmen && d.groesse == qint64((9999 - d.rohname.mid(1).toInt()) % 97);
        return true;
    }));
    EXPECT_EQ(gemeldet, erwartet);
    EXPECT_TRUE(groessenStimmen);
    // Stopped early, nothing comes after the stop.
    int gezaehlt = 0;
    ASSERT_TRUE(ds.auflisten(b.rohpfad(), QStringLiteral("*"), false, [&](const Dateidaten&) { return ++gezaehlt < 5000; }));
    EXPECT_EQ(gezaehlt, 5000);
}

// On the window's thread a question about a share goes to a worker while the window's handler
// keeps being called; on any other thread it runs right there. Many questions of random length,
// for the thread checker; the computers are unknown, so nothing goes onto the network.
TEST(SmbDateisystem, FragtNebenDemFensterfaden)
{
    std::atomic<int> aufDemFaden{0}, gefragt{0};
    const auto fenster = std::this_thread::get_id();
    plattform::SmbDateisystem smb([&](const QString&) {
        ++gefragt;
        if (std::this_thread::get_id() == fenster)
            ++aufDemFaden;
        std::this_thread::sleep_for(std::chrono::milliseconds(QRandomGenerator::global()->bounded(40)));
        return QString();
    });
    int gemalt = 0;
    plattform::anzeigebehandlungSetzen([&] { ++gemalt; });
    for (int i = 0; i < 30; ++i) {
        const QString pfad = QStringLiteral("\\\\PC%1\\Daten\\Sub").arg(i);
        EXPECT_EQ(smb.setzeArbeitsverzeichnis(pfad), EHOSTUNREACH);
        EXPECT_FALSE(smb.auflisten(pfad.toUtf8(), QStringLiteral("*.*"), false, [](const plattform::Dateidaten&) {
            return true;
        }));
        EXPECT_FALSE(smb.kennung(pfad.toUtf8()));
    }
    plattform::anzeigebehandlungSetzen({});
    EXPECT_FALSE(smb.kennung("\\\\ANDERS\\Daten"));
    EXPECT_EQ(gefragt.load(), 91);
    EXPECT_EQ(aufDemFaden.load(), 1);
    EXPECT_GT(gemalt, 30);
}
