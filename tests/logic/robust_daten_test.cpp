// Data safety of every file the program writes: a full disk or a killed process leaves the old
// file whole, and a full disk is reported with the German text.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "listing_druck.h"
#include "masks/suchmasken.h"
#include "output/einstellungen.h"
#include "output/rtf.h"
#include "output/textausgabe.h"
#include "robust_hilfen.h"

namespace {

QByteArray lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

void anlegen(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << pfad.toStdString();
    ASSERT_EQ(f.write(inhalt), inhalt.size());
}

// Enough lines that no writer's buffer holds them: the failure must come from the disk.
QStringList vieleZeilen()
{
    QStringList z;
    for (int i = 0; i < 4000; ++i)
        z << QStringLiteral("/home/anna/Daten/{datei}_%1.txt\t12.345 Bytes").arg(i);
    return z;
}

}  // namespace

TEST(Datensicherheit, VolleFestplatteLaesstAlteDateienStehen)
{
    KleinesDateisystem fs(64);
    if (!fs.bereit())
        GTEST_SKIP() << "no small file system for this test: " << fs.grund().toStdString();

    const QString rtf = fs.pfad(QStringLiteral("zembrola.rtf"));
    const QString txt = fs.pfad(QStringLiteral("Zembrola_Result.txt"));
    const QString ini = fs.pfad(QStringLiteral("Zembrola.ini"));
    const QString lis = fs.pfad(suchmasken::dateiname);
    const QByteArray altRtf = "{\\rtf1 alt}";
    const QByteArray altTxt = "alte Liste\r\n";
    const QByteArray altIni = "automatische Suche=ja\r\n";
    const QByteArray altLis = "*.alt\r\n";
    anlegen(rtf, altRtf);
    anlegen(txt, altTxt);
    anlegen(ini, altIni);
    anlegen(lis, altLis);
    fs.fuellen();

    const QString voll = QStringLiteral("Festplatte voll");
    QString fehler;
    // Saving the listing as rich text and as plain text.
    EXPECT_FALSE(rtfZeilenSchreiben(rtf, vieleZeilen(), {50.0}, &fehler));
    EXPECT_EQ(fehler, voll);
    fehler.clear();
    EXPECT_FALSE(dateiSicherSchreiben(rtf, rtfAusZeilen(vieleZeilen(), {}), &fehler));
    EXPECT_EQ(fehler, voll);
    fehler.clear();
    EXPECT_FALSE(textdateiSchreiben(txt, vieleZeilen(), &fehler));
    EXPECT_EQ(fehler, voll);
    // The settings file, small as it is.
    fehler.clear();
    EXPECT_FALSE(einstellungenSchreiben(standardwerte(), ini, Codepage::Utf8, &fehler));
    EXPECT_EQ(fehler, voll);
    Eintraege e;
    fehler.clear();
    EXPECT_FALSE(wiederherstellung(e, ini, Codepage::Utf8, &fehler));
    EXPECT_EQ(fehler, voll);
    // The mask list, through the same writer the mask editor uses.
    fehler.clear();
    EXPECT_FALSE(textdateiSchreiben(lis, suchmasken::standardliste(), &fehler));
    EXPECT_EQ(fehler, voll);
    EXPECT_EQ(suchmasken::fehlermeldung(suchmasken::dateiname, fehler),
              QStringLiteral("Datei \"search.lis\" kann nicht erstellt werden. Festplatte voll"));

    EXPECT_EQ(lesen(rtf), altRtf);
    EXPECT_EQ(lesen(txt), altTxt);
    EXPECT_EQ(lesen(ini), altIni);
    EXPECT_EQ(lesen(lis), altLis);
    // No half-written temporary is left beside them.
    QStringList da = QDir(fs.pfad()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    da.sort();
    EXPECT_EQ(da, QStringList({"Zembrola.ini", "Zembrola_Result.txt", "fueller", "search.lis", "zembrola.rtf"}));
}

TEST(Datensicherheit, AbgebrochenerSchreibvorgangLaesstAlteDateiStehen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ziel = dir.filePath(QStringLiteral("zembrola.txt"));
    const QByteArray alt = "alte Liste\r\n";
    anlegen(ziel, alt);

    // The child writes 768 MiB through the program's writer; it is killed once a good part of
    // that has gone out, judged by the bytes the kernel counted for it.
    const qint64 gross = qint64(768) << 20;
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        const QByteArray daten(gross, 'x');
        ::_exit(dateiSicherSchreiben(ziel, daten) ? 0 : 1);
    }
    const QString io = QStringLiteral("/proc/%1/io").arg(kind);
    bool getoetet = false;
    const auto bis = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < bis) {
        QFile f(io);
        qint64 geschrieben = -1;
        if (f.open(QIODevice::ReadOnly)) {
            for (const QByteArray& zeile : f.readAll().split('\n'))
                if (zeile.startsWith("wchar:"))
                    geschrieben = zeile.mid(6).trimmed().toLongLong();
        }
        if (geschrieben < 0)
            break;  // the child is gone
        if (geschrieben > (qint64(16) << 20)) {
            ::kill(kind, SIGKILL);
            getoetet = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    int status = 0;
    ::waitpid(kind, &status, 0);
    ASSERT_TRUE(getoetet) << "the child finished or never wrote before it could be killed";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    EXPECT_EQ(lesen(ziel), alt);
    // What may stay behind is a temporary under the target's name plus a suffix, which no one
    // takes for the file itself; say what was seen.
    const QStringList da = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& n : da)
        EXPECT_TRUE(n == QStringLiteral("zembrola.txt") || n.startsWith(QStringLiteral("zembrola.txt."))) << n.toStdString();
    std::cout << "after the kill the directory holds: " << da.join(QStringLiteral(", ")).toStdString() << '\n';
}
