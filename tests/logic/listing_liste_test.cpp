// zembrola-liste as a user runs it: options, output and exit status.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

#include "baum_testbaum.h"
#include "listing_druck.h"

namespace {

// The tool lands beside the test executables.
QString programm()
{
    char puffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", puffer, sizeof puffer - 1);
    if (n <= 0)
        return {};
    puffer[n] = '\0';
    QString p = QFile::decodeName(puffer);
    return p.left(p.lastIndexOf('/') + 1) + "zembrola-liste";
}

struct Ergebnis {
    int status = -1;
    QStringList zeilen;  // standard output, split at LF
    QString fehler;
};

Ergebnis aufrufen(const QStringList& argumente)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TZ", "UTC0");
    env.insert("LC_ALL", "C.UTF-8");
    p.setProcessEnvironment(env);
    p.start(programm(), argumente);
    Ergebnis e;
    if (!p.waitForFinished(60000))
        return e;
    e.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    QString aus = QString::fromUtf8(p.readAllStandardOutput());
    if (aus.endsWith('\n'))
        aus.chop(1);
    e.zeilen = aus.split('\n');
    e.fehler = QString::fromUtf8(p.readAllStandardError());
    return e;
}

const QDateTime weihnachten(QDate(2013, 12, 24), QTime(18, 30, 13), Qt::UTC);

}  // namespace

TEST(ZembrolaListe, ZeilenWieImAusgabefenster)
{
    ASSERT_TRUE(QFile::exists(programm())) << programm().toStdString();
    Testbaum b;
    b.datei("a.txt", 1536, weihnachten);
    b.datei("b.dat", 0, QDateTime(QDate(2013, 12, 24), QTime(0, 0), Qt::UTC));
    b.rechte("b.dat", 0444);
    b.datei("unter/c.txt", 5368709120LL, weihnachten);
    b.datei(".versteckt", 1, weihnachten);

    Ergebnis e = aufrufen({"-a", "-d", "--groesse=KBytes", "-e", "-r", b.pfad()});
    EXPECT_EQ(e.status, 0) << e.fehler.toStdString();
    QStringList l = e.zeilen;
    ASSERT_EQ(l.size(), 9);
    EXPECT_EQ(l.at(1), b.pfad() + "/");
    // Enumeration order is the file system's: compare the directory's lines as a set.
    QStringList wurzel = l.mid(3, 2);
    wurzel.sort();
    // The C locale writes ISO dates.
    EXPECT_EQ(wurzel, QStringList({"a.txt\t\ta\t" + QString(10, ' ') + "1,500 KBytes\t2013-12-24 18:30:12",
                                   "b.dat\t\tra\t" + QString(10, ' ') + "0,000 KBytes\t2013-12-24"}));
    EXPECT_EQ(l.mid(5), QStringList({"", b.pfad() + "/unter/", "", "c.txt\t\ta\t    5242880,000 KBytes\t2013-12-24 18:30:12"}));

    // Hidden files on request; one read-only file with --nur-lesen; columns.
    e = aufrufen({"-v", "--nur-lesen", b.pfad()});
    EXPECT_EQ(e.zeilen, QStringList({"", b.pfad() + "/", "", "b.dat\t"}));
    e = aufrufen({"-m", "*.TXT", "-p", "-r", b.pfad()});
    EXPECT_EQ(e.zeilen, QStringList({b.pfad() + "/a.txt\t", b.pfad() + "/unter/c.txt\t"}));
    e = aufrufen({"-s", "4", "-v", b.pfad()});
    ASSERT_EQ(e.zeilen.size(), 4);
    EXPECT_EQ(e.zeilen.at(3).count('\t'), 3);
    EXPECT_TRUE(e.zeilen.at(3).endsWith('\t'));
}

TEST(ZembrolaListe, DatumsfilterUndZusammenfassung)
{
    Testbaum b;
    b.datei("alt.txt", 1, weihnachten);
    b.datei("neu.txt", 1, QDateTime(QDate(2014, 1, 2), QTime(9, 0), Qt::UTC));
    Ergebnis e = aufrufen({"--von", "2013-12-25", "--bis", "02.01.2014", "-z", b.pfad()});
    EXPECT_EQ(e.status, 0);
    ASSERT_GE(e.zeilen.size(), 8);
    EXPECT_EQ(e.zeilen.mid(0, 8), QStringList({"", b.pfad() + "/", "", "neu.txt\t", "", QString(83, '_'), "",
                                                "Suche in lokalen Laufwerken"}));
    EXPECT_TRUE(e.zeilen.contains("gefundene Dateien:    \t1 in einem Verzeichnis"));
    EXPECT_TRUE(e.zeilen.last().startsWith("Dauer der Suche:      \t00:00:"));
    // The start after the end lets nothing through.
    e = aufrufen({"--von", "03.01.2014", "--bis", "2014-01-02", b.pfad()});
    EXPECT_EQ(e.zeilen, QStringList({""}));
}

TEST(ZembrolaListe, FalscheOptionenUndUnlesbaresVerzeichnis)
{
    Testbaum b;
    const struct {
        QStringList args;
        const char* nennt;
    } faelle[] = {
        {{"--spalten", "7", "."}, "--spalten"},
        {{"-s0", "."}, "-s"},
        {{"--groesse=Kilo", "."}, "--groesse"},
        {{"-x", "."}, "-x"},
        {{"--von", "31.02.2014", "."}, "--von"},
        {{"--maske"}, "--maske"},
        {{"--pfad=ja", "."}, "--pfad"},
        {{".", ".."}, ".."},
        {{}, "kein Verzeichnis"},
    };
    for (const auto& f : faelle) {
        const Ergebnis e = aufrufen(f.args);
        EXPECT_EQ(e.status, 2) << f.args.join(' ').toStdString();
        EXPECT_TRUE(e.fehler.contains(f.nennt)) << e.fehler.toStdString();
    }
    const Ergebnis e = aufrufen({"-z", b.pfad("fehlt")});
    EXPECT_EQ(e.status, 1);
    EXPECT_TRUE(e.fehler.contains("kann nicht gelesen werden"));
    EXPECT_TRUE(e.zeilen.contains("Durchsucht:        \t1 Verzeichnis"));

    const Ergebnis h = aufrufen({"--help"});
    EXPECT_EQ(h.status, 0);
    EXPECT_TRUE(h.zeilen.first().startsWith("Aufruf: zembrola-liste"));
}

TEST(ZembrolaListe, AusgabeInDateien)
{
    Testbaum b;
    b.datei("a{b}\\c.txt", 1, weihnachten);
    QTemporaryDir ziel;
    const QString text = ziel.filePath("liste.txt"), rtf = ziel.filePath("liste.RTF");

    Ergebnis e = aufrufen({"-o", text, "-z", b.pfad()});
    EXPECT_EQ(e.status, 0) << e.fehler.toStdString();
    EXPECT_TRUE(e.zeilen == QStringList({""}));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray inhalt = f.readAll();
    EXPECT_TRUE(inhalt.startsWith("\r\n" + QFile::encodeName(b.pfad()) + "/\r\n\r\na{b}\\c.txt\t\r\n\r\n" +
                                  QByteArray(83, '_') + "\r\n\r\nSuche in lokalen Laufwerken\r\n"));
    EXPECT_TRUE(inhalt.endsWith("\r\n"));
    EXPECT_FALSE(inhalt.contains("\n\n"));  // every line end is CR LF

    e = aufrufen({"--ausgabe", rtf, b.pfad()});
    EXPECT_EQ(e.status, 0);
    QFile r(rtf);
    ASSERT_TRUE(r.open(QIODevice::ReadOnly));
    const QByteArray rtfInhalt = r.readAll();
    EXPECT_TRUE(rtfInhalt.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtfInhalt.contains("a\\{b\\}\\\\c.txt"));

    // A directory where the file should go: German error text, exit status 1.
    e = aufrufen({"-o", ziel.path(), b.pfad()});
    EXPECT_EQ(e.status, 1);
    EXPECT_FALSE(e.fehler.trimmed().isEmpty());
}
