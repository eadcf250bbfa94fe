// Exports read back with parsers of their own (Python's csv module, QJsonDocument) and held
// against the listing of the same search.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>

#include "baum_testbaum.h"
#include "export/export.h"
#include "listing_druck.h"
#include "output/systemfehler.h"
#include "platform/linux/linux_plattform.h"

using namespace plattform;

namespace {

class Umgebung : public Suchumgebung {
public:
    Zeilensenke& liste() override { return m_liste; }
    Zeilensenke& zusammenfassung() override { return m_summe; }
    Zeitformate zeitformate() const override { return {QStringLiteral("yyyy-MM-dd"), QStringLiteral("HH:mm:ss")}; }
    Zeilensammler m_liste, m_summe;
};

QByteArray lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(fehlt)");
}

// One listed file as "path|attributes|size|date", the date as the listing writes it.
QString eintrag(const QString& pfad, const QString& attribute, qint64 groesse, QString datum)
{
    if (datum.endsWith(QLatin1String(" 00:00:00")))
        datum.chop(9);
    return pfad + '|' + attribute + '|' + QString::number(groesse) + '|' + datum;
}

class Export : public ::testing::Test {
protected:
    void SetUp() override
    {
        // One hour east of UTC and no summer time: the file times below show their local form.
        m_tz = qgetenv("TZ");
        qputenv("TZ", "CET-1");
        tzset();
        installieren({.dateisystem = &ds, .laufwerke = &lw});
    }
    void TearDown() override
    {
        installieren({});
        if (m_tz.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", m_tz);
        tzset();
    }

    // The listing with path, attributes, size and date, one entry per file.
    QStringList listing(const Suchkriterien& k, Suchzustand& z)
    {
        Umgebung u;
        Ansicht a;
        a.pfadangabe = a.attribute = a.groesse = a.datum = true;
        starteSuche(k, a, z, u);
        QStringList l;
        for (const QString& zeile : u.m_liste.zeilen) {
            // name \t \t attributes \t size \t date; a name may hold a line break, never a tab.
            const QStringList t = zeile.split('\t');
            l << eintrag(t[0], t[2], t[3].trimmed().toLongLong(), t[4]);
        }
        return l;
    }

    QByteArray m_tz;
    LinuxDateisystem ds;
    LinuxLaufwerke lw;
};

const QDateTime weihnachten(QDate(2013, 12, 24), QTime(18, 30, 13), Qt::UTC);

QJsonArray csvZeilen(const QString& pfad)
{
    QString python = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    if (python.isEmpty())
        python = QStringLiteral("python3");
    QProcess p;
    p.start(python, {QStringLiteral("-c"),
                     QStringLiteral("import csv, json, sys\n"
                                    "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                                    "    print(json.dumps(list(csv.reader(f, delimiter=';', strict=True))))"),
                     pfad});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        ADD_FAILURE() << "python3: " << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).array();
}

}  // namespace

TEST_F(Export, DreiFormateTragenDieListeDerSuche)
{
    Testbaum b;
    b.datei("a;b/datei \"1\".txt", 1536, weihnachten);
    b.datei("a;b/zeile\nbruch.txt", 5, weihnachten);
    b.datei("{klammern}/x{}.txt", 5368709120LL, QDateTime(QDate(2013, 12, 24), QTime(23, 0), Qt::UTC));
    // A directory path can hold "</script>" although no name can hold the slash.
    b.datei("</script>/<!--b.txt", 2, weihnachten);
    b.dateiRoh("roh\xff\xfe.bin", 1, weihnachten);
    b.dateiRoh("ordner\xe4/drin.txt", 3, weihnachten);
    b.datei(".versteckt/nicht.txt", 1, weihnachten);
    b.datei("nur lesen.txt", 7, weihnachten);
    b.rechte("nur lesen.txt", 0444);
    b.verzeichnis("leer");

    Suchkriterien k;
    k.verzeichnis = b.pfad();
    k.unterverzeichnisse = true;
    Suchzustand zListe;
    const QStringList erwartet = listing(k, zListe);
    ASSERT_EQ(erwartet.size(), 7);
    EXPECT_TRUE(erwartet.contains(eintrag(b.pfad("{klammern}/x{}.txt"), "a", 5368709120LL, "2013-12-25")));
    EXPECT_TRUE(erwartet.contains(eintrag(b.pfad("a;b/datei \"1\".txt"), "a", 1536, "2013-12-24 19:30:12")));

    QTemporaryDir ziel;
    Umgebung u;
    Suchzustand z;

    // CSV: byte-order mark, ";", CR LF, one header row, quoting that Python's reader undoes.
    const QString csv = ziel.filePath("liste.csv");
    ASSERT_EQ(exportieren(csv, Exportart::csv, k, u, z), Exportergebnis::geschrieben);
    const QByteArray csvBytes = lesen(csv);
    EXPECT_TRUE(csvBytes.startsWith("\xEF\xBB\xBFVerzeichnis;Name;Gr\xC3\xB6\xC3\x9F" "e;Datum;Attribute\r\n"));
    EXPECT_TRUE(csvBytes.contains("\"datei \"\"1\"\".txt\";1536;2013-12-24 19:30:12;a\r\n"));
    const QJsonArray zeilen = csvZeilen(csv);
    ASSERT_EQ(zeilen.size(), erwartet.size() + 1);
    QStringList ausCsv;
    for (qsizetype i = 1; i < zeilen.size(); ++i) {
        const QJsonArray f = zeilen[i].toArray();
        ASSERT_EQ(f.size(), 5);
        ausCsv << eintrag(f[0].toString() + f[1].toString(), f[4].toString(), f[2].toString().toLongLong(),
                          f[3].toString());
    }
    EXPECT_EQ(ausCsv, erwartet);

    // JSON: one object; names that are not UTF-8 carry their bytes in hexadecimal beside the text.
    const QString json = ziel.filePath("liste.json");
    ASSERT_EQ(exportieren(json, Exportart::json, k, u, z), Exportergebnis::geschrieben);
    QJsonParseError fehler;
    const QJsonObject j = QJsonDocument::fromJson(lesen(json), &fehler).object();
    ASSERT_EQ(fehler.error, QJsonParseError::NoError) << fehler.errorString().toStdString();
    EXPECT_EQ(j["kopf"]["wurzel"].toString(), b.pfad());
    EXPECT_EQ(j["kopf"]["suchmaske"].toString(), "*.*");
    EXPECT_TRUE(j["kopf"]["unterverzeichnisse"].toBool());
    const QJsonObject summe = j["zusammenfassung"].toObject();
    EXPECT_EQ(summe["gefundeneDateien"].toInteger(), zListe.gefundeneDateien);
    EXPECT_EQ(summe["gefundeneVerzeichnisse"].toInteger(), zListe.gefundeneVerzeichnisse);
    EXPECT_EQ(summe["durchsuchteVerzeichnisse"].toInteger(), zListe.durchsuchteVerzeichnisse);
    EXPECT_EQ(summe["gefundeneGroesse"].toInteger(), zListe.gefundeneGroesse);
    QStringList ausJson;
    QByteArrayList rohePfade;
    for (const QJsonValue& v : j["dateien"].toArray()) {
        const QJsonObject f = v.toObject();
        EXPECT_TRUE(f["groesse"].isDouble());
        ausJson << eintrag(f["verzeichnis"].toString() + f["name"].toString(), f["attribute"].toString(),
                           f["groesse"].toInteger(), f["datum"].toString().replace('T', ' '));
        const QByteArray verzeichnis = f.contains("verzeichnis_roh")
                                           ? QByteArray::fromHex(f["verzeichnis_roh"].toString().toLatin1())
                                           : f["verzeichnis"].toString().toUtf8();
        const QByteArray name = f.contains("name_roh") ? QByteArray::fromHex(f["name_roh"].toString().toLatin1())
                                                       : f["name"].toString().toUtf8();
        rohePfade << verzeichnis + name;
    }
    EXPECT_EQ(ausJson, erwartet);
    EXPECT_TRUE(rohePfade.contains(b.rohpfad("roh\xff\xfe.bin")));
    EXPECT_TRUE(rohePfade.contains(b.rohpfad("ordner\xe4/drin.txt")));
    for (const QByteArray& p : rohePfade)
        EXPECT_EQ(::access(p.constData(), F_OK), 0) << p.toHex().toStdString();

    // HTML: the data element ends at the first "</script>" after it, and holds the whole listing.
    const QString html = ziel.filePath("liste.html");
    ASSERT_EQ(exportieren(html, Exportart::html, k, u, z), Exportergebnis::geschrieben);
    const QByteArray seite = lesen(html);
    const QByteArray marke = "<script id=\"daten\" type=\"application/json\">";
    const qsizetype von = seite.indexOf(marke) + marke.size();
    ASSERT_GE(von, marke.size());
    const QJsonObject d = QJsonDocument::fromJson(seite.mid(von, seite.indexOf("</script>", von) - von), &fehler).object();
    ASSERT_EQ(fehler.error, QJsonParseError::NoError) << fehler.errorString().toStdString();
    EXPECT_EQ(d["zusammenfassung"]["gefundeneDateien"].toInteger(), zListe.gefundeneDateien);
    // Per entry: directory, names joined by "/", sizes, times, one hexadecimal attribute digit per file.
    QStringList ausHtml;
    for (const QJsonValue& v : d["verzeichnisse"].toArray()) {
        const QStringList namen = v[1].toString().split('/');
        const QString attribute = v[4].toString();
        ASSERT_EQ(attribute.size(), namen.size());
        for (qsizetype i = 0; i < namen.size(); ++i) {
            const int bits = QString(attribute[i]).toInt(nullptr, 16);
            const QString buchstaben = QString(bits & 8 ? "h" : "") + (bits & 4 ? "s" : "") + (bits & 2 ? "r" : "") +
                                       (bits & 1 ? "a" : "");
            const QString zeit =
                QDateTime::fromSecsSinceEpoch(v[3][i].toInteger(), Qt::UTC).toString("yyyy-MM-dd HH:mm:ss");
            ausHtml << eintrag(v[0].toString() + namen[i], buchstaben, v[2][i].toInteger(), zeit);
        }
    }
    EXPECT_EQ(ausHtml, erwartet);
    EXPECT_FALSE(seite.contains("src=")) << "the page needs nothing from outside";
}

TEST_F(Export, ZielOhneSchreibrechtOderVollLaesstKeineHalbeDatei)
{
    Testbaum b;
    for (int i = 0; i < 200; ++i)
        b.datei(QStringLiteral("datei-mit-einem-recht-langen-namen-%1.txt").arg(i), i);
    Suchkriterien k;
    k.verzeichnis = b.pfad();
    QTemporaryDir ziel;
    Umgebung u;
    Suchzustand z;
    QString fehler;

    // A write-protected file stays as it is, also for root.
    const QString geschuetzt = ziel.filePath("alt.json");
    QFile alt(geschuetzt);
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
    alt.close();
    QFile::setPermissions(geschuetzt, QFileDevice::ReadOwner);
    EXPECT_EQ(exportieren(geschuetzt, Exportart::json, k, u, z, &fehler), Exportergebnis::fehler);
    EXPECT_EQ(fehler, QStringLiteral("Dateizugriff verweigert"));
    EXPECT_EQ(lesen(geschuetzt), "alt");

    // A write that fails half-way (the file size limit stands in for a full disk): the old file
    // stays, and no temporary file is left beside it.
    QFile::setPermissions(geschuetzt, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    rlimit vorher{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &vorher), 0);
    const auto signalVorher = std::signal(SIGXFSZ, SIG_IGN);
    rlimit eng = vorher;
    eng.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &eng), 0);
    fehler.clear();
    const Exportergebnis voll = exportieren(geschuetzt, Exportart::csv, k, u, z, &fehler);
    ::setrlimit(RLIMIT_FSIZE, &vorher);
    std::signal(SIGXFSZ, signalVorher);
    EXPECT_EQ(voll, Exportergebnis::fehler);
    EXPECT_EQ(fehler, systemfehlertext(EFBIG));
    EXPECT_EQ(lesen(geschuetzt), "alt");
    EXPECT_EQ(QDir(ziel.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"alt.json"});

    // The abort button of the wait window: the walk stops, and no file is left.
    struct Fenster : Umgebung {
        bool meldungsfenster() const override { return true; }
        void wartenZeigen(const QString& z1, const QString& z2, const QString&) override { texte << z1 << z2; }
        void fortschritt(const QString&) override { ++dateien; }
        bool abbruch() const override { return dateien >= 50; }
        void wartenSchliessen() override { texte << "zu"; }
        QStringList texte;
        int dateien = 0;
    } fenster;
    const QString abgebrochen = ziel.filePath("abgebrochen.html");
    EXPECT_EQ(exportieren(abgebrochen, Exportart::html, k, fenster, z), Exportergebnis::abgebrochen);
    EXPECT_EQ(fenster.dateien, 50);
    EXPECT_EQ(fenster.texte, QStringList({"Bitte warten - Datei", "\"abgebrochen.html\" wird gespeichert ....", "zu"}));
    EXPECT_EQ(QDir(ziel.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"alt.json"});

    // The command line picks the format by the extension and says what went wrong in German.
    // zembrola-liste lands beside the test executables.
    QString werkzeug = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    werkzeug = werkzeug.left(werkzeug.lastIndexOf('/') + 1) + "zembrola-liste";
    QProcess p;
    p.start(werkzeug, {b.pfad(), "-o", ziel.filePath("fehlt/x.html")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).endsWith("x.html: Datei nicht gefunden\n"));
    p.start(werkzeug, {b.pfad(), "-o", ziel.filePath("gross.JSON")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(QJsonDocument::fromJson(lesen(ziel.filePath("gross.JSON")))["zusammenfassung"]["gefundeneDateien"].toInt(),
              200);
}
