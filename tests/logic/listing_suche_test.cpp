// The search driver: header, status bar, wait window, walk and summary, line by line.
#include <gtest/gtest.h>

#include <QMap>

#include "listing/suche.h"
#include "listing_druck.h"
#include "platform/fake/fake_plattform.h"

using namespace plattform;

namespace {

constexpr qint64 GB = 1024LL * 1024 * 1024;

struct Testumgebung : Suchumgebung {
    Zeilensammler l, s;
    QMap<int, QString> status;
    QList<double> tabsListe, tabsZusammenfassung;
    bool fenster = false;
    int abbruchNach = -1;  // abort once this many progress calls were made
    QStringList warten;
    QStringList fortschritte;
    int geschlossen = 0;
    int geleert = 0;
    QDateTime t0 = QDateTime(QDate(2013, 12, 24), QTime(18, 30, 12, 100));
    mutable int uhr = 0;

    Zeilensenke& liste() override { return l; }
    Zeilensenke& zusammenfassung() override { return s; }
    void panesLeeren() override { ++geleert; }
    void tabstopsListe(const QList<double>& p) override { tabsListe = p; }
    void tabstopsZusammenfassung(const QList<double>& p) override { tabsZusammenfassung = p; }
    void statusfeld(int panel, const QString& text) override { status[panel] = text; }
    bool meldungsfenster() const override { return fenster; }
    void wartenZeigen(const QString& a, const QString& b, const QString& c) override { warten << a << b << c; }
    void fortschritt(const QString& z) override { fortschritte << z; }
    bool abbruch() const override { return abbruchNach >= 0 && fortschritte.size() >= abbruchNach; }
    void wartenSchliessen() override { ++geschlossen; }
    // Start, then 3.456 seconds later the end.
    QDateTime jetzt() const override { return uhr++ == 0 ? t0 : t0.addMSecs(3456); }
    Zeitformate zeitformate() const override { return Zeitformate{}; }
};

class Suche : public ::testing::Test {
protected:
    void SetUp() override
    {
        lw.setze('C', {"/", dtFestplatte, "System", true, 100 * GB, 25 * GB});
        installieren({.dateisystem = &fs, .laufwerke = &lw});
    }
    void TearDown() override { installieren({}); }

    void suchen(const QString& wurzel)
    {
        k.verzeichnis = wurzel;
        starteSuche(k, a, z, u);
    }

    FakeDateisystem fs;
    FakeLaufwerke lw;
    Suchkriterien k;
    Ansicht a;
    Suchzustand z;
    Testumgebung u;
};

}  // namespace

TEST_F(Suche, LokaleSucheVollstaendig)
{
    fs.datei("/daten/a.txt", 1000);
    fs.datei("/daten/b.txt", 23);
    fs.datei("/daten/c.doc", 5);
    k.maske = "*.txt";
    z.gefundeneDateien = 99;  // left from the search before
    suchen("/daten");

    EXPECT_EQ(u.s.zeilen, QStringList({
                              "Suche in lokalen Laufwerken",
                              "",
                              "Beginn der Suche:      \t24.12.2013 18:30:12",
                              "",
                              "Laufwerk:\tC",
                              "",
                              "Bezeichnung:\tSystem",
                              "Laufwerkstyp:\tFestplatte",
                              "Gesamtgröße:\t   100,000 GByte",
                              "- davon frei:\t    25,000 GByte\t   25,00 %",
                              "- davon belegt:\t    75,000 GByte\t   75,00 %",
                              "",
                              "Suchverzeichnis:\tdaten",
                              "Suchmaske:\t*.txt",
                              "Unterverzeichnisse:\tnein",
                              "Versteckte Dateien:\tnein",
                              "Attribute:         \talle Dateien",
                              "",
                              "Durchsucht:        \t1 Verzeichnis",
                              "gefundene Dateien:    \t2 in einem Verzeichnis",
                              "Belegter Speicher:\t1023 Bytes\t    0,00 % der gesamten Laufwerksgröße",
                              "",
                              "",
                              "Ende der Suche:      \t24.12.2013 18:30:15",
                              "Dauer der Suche:      \t00:00:03,45",
                          }));
    EXPECT_EQ(u.l.zeilen, QStringList({"", "/daten/", "", "a.txt\t", "b.txt\t"}));
    EXPECT_EQ(u.status, (QMap<int, QString>{{0, "Laufwerk:"},
                                            {1, "C"},
                                            {2, "Größe:"},
                                            {3, "   100.000 GByte "},
                                            {4, "davon frei"},
                                            {5, "    25.000 GByte "},
                                            {7, "/daten/*.txt"}}));
    EXPECT_EQ(u.tabsListe, QList<double>({100, 200, 300, 400, 500, 600}));
    EXPECT_EQ(u.tabsZusammenfassung, QList<double>({100, 200, 300, 400, 500, 600}));
    EXPECT_EQ(u.geleert, 1);
    EXPECT_EQ(z.gefundeneDateien, 2);
    EXPECT_TRUE(u.warten.isEmpty());
}

TEST_F(Suche, LaufwerkNichtBereitUndDiskette)
{
    lw.setze('E', {"/media/karte", dtWechselmedium, "Karte", false, 0, 0});
    u.status[5] = "vorher";
    suchen("/media/karte");
    const QStringList& s = u.s.zeilen;
    EXPECT_EQ(s.mid(4, 4), QStringList({"Laufwerk:\tE", "", "Laufwerkstyp:\tWechselmedium", ""}));
    EXPECT_EQ(s.at(8), "Suchverzeichnis:\t/");
    EXPECT_EQ(u.status[3], "nicht bereit");
    EXPECT_EQ(u.status[5], "vorher");
    EXPECT_TRUE(s.contains("Durchsucht:        \t1 Verzeichnis"));
    EXPECT_TRUE(s.contains("gefundene Dateien:    \t0 in 0 Verzeichnissen"));
    // The drive's size is unknown (-1): no percent of it can be given.
    EXPECT_TRUE(s.contains("Belegter Speicher:\t0 Bytes\t    0,00 % der gesamten Laufwerksgröße"));

    lw.setze('A', {"/media/floppy", dtWechselmedium, "", true, 1474560, 1024});
    u = Testumgebung{};
    suchen("/media/floppy");
    EXPECT_EQ(u.s.zeilen.mid(4, 7), QStringList({"Laufwerk:\tA", "", "Bezeichnung:\t", "Laufwerkstyp:\tDiskettenlaufwerk",
                                                 "Gesamtgröße:\t     1,406 MByte",
                                                 "- davon frei:\t     1,000 KByte\t    0,07 %",
                                                 "- davon belegt:\t     1,405 MByte\t   99,93 %"}));
}

TEST_F(Suche, SuchverzeichnisUndParameter)
{
    lw.setze('D', {"/home", dtFestplatte, "", true, GB, GB});
    fs.verzeichnis("/home/anna/Daten");
    fs.verzeichnis("/opt");
    k.alleDateien = false;
    k.archiviert = k.system = true;
    k.unterverzeichnisse = k.versteckt = true;
    suchen("/home/anna/Daten");
    EXPECT_EQ(u.s.zeilen.at(4), "Laufwerk:\tD");
    EXPECT_EQ(u.s.zeilen.mid(12, 5), QStringList({"Suchverzeichnis:\tanna/Daten", "Suchmaske:\t*.*",
                                                  "Unterverzeichnisse:\tja", "Versteckte Dateien:\tja",
                                                  "Attribute:         \tarchiviert, System"}));
    u = Testumgebung{};
    k.archiviert = k.system = false;
    suchen("/");
    EXPECT_EQ(u.s.zeilen.at(12), "Suchverzeichnis:\t/");
    EXPECT_EQ(u.s.zeilen.at(16), "Attribute:         \t");
    EXPECT_EQ(u.status[7], "/*.*");
    u = Testumgebung{};
    suchen("/opt");
    EXPECT_EQ(u.s.zeilen.at(12), "Suchverzeichnis:\topt");
}

TEST_F(Suche, Netzwerksuche)
{
    k.netzwerk = true;
    k.computer = "\\\\PC1";
    k.freigabe = "\\Daten";
    a.spalten = 2;
    suchen("\\\\PC1\\Daten");
    EXPECT_EQ(u.s.zeilen.mid(0, 14), QStringList({"Suche im Netzwerk", "", "Beginn der Suche:      \t24.12.2013 18:30:12", "",
                                                  "Computer:\t\\\\PC1", "Freigabe:\t\\Daten", "",
                                                  "Suchverzeichnis:\t\\\\PC1\\Daten", "Suchmaske:\t*.*",
                                                  "Unterverzeichnisse:\tnein", "Versteckte Dateien:\tnein",
                                                  "Attribute:         \talle Dateien", "",
                                                  "Durchsucht:        \t1 Verzeichnis"}));
    EXPECT_TRUE(u.s.zeilen.contains("Belegter Speicher:\t0 Bytes"));
    EXPECT_EQ(u.status, (QMap<int, QString>{{0, "Computer:"},
                                            {1, "\\\\PC1"},
                                            {2, "Freigabe:"},
                                            {3, "\\Daten"},
                                            {4, ""},
                                            {5, ""},
                                            {7, "\\\\PC1\\Daten\\*.*"}}));
    EXPECT_EQ(u.tabsListe, QList<double>({150, 300, 450, 600, 750, 900}));
}

TEST_F(Suche, SpaltenWerdenNachDemLaufGeleert)
{
    fs.datei("/d/a", 1);
    fs.datei("/d/b", 1);
    fs.datei("/d/u/c", 1);
    fs.datei("/d/u/d", 1);
    fs.verzeichnis("/d/leer");
    k.unterverzeichnisse = true;
    a.spalten = 3;
    suchen("/d");
    EXPECT_EQ(u.l.zeilen, QStringList({"", "/d/", "", "a\tb\t", "", "/d/u/", "", "c\td\t"}));
    EXPECT_TRUE(u.s.zeilen.contains("Durchsucht:    \t3 Verzeichnisse"));
    EXPECT_TRUE(u.s.zeilen.contains("gefundene Dateien:    \t4 in 2 Verzeichnissen"));
}

TEST_F(Suche, WartefensterZaehlerUndAbbruch)
{
    fs.datei("/d/.v", 512, 0, faHidden | faArchive);
    for (int i = 0; i < 4; ++i)
        fs.datei("/d/" + QByteArray::number(i), 512);
    fs.datei("/d/u/x", 512);
    k.unterverzeichnisse = true;
    u.fenster = true;
    u.abbruchNach = 3;
    suchen("/d");
    EXPECT_EQ(u.warten, QStringList({"Verzeichnis \"/d\"", "wird durchsucht ....", "          0"}));
    // The hidden file is examined but not listed: counted, without a progress call of its own.
    EXPECT_EQ(u.fortschritte.size(), 3);
    EXPECT_EQ(u.fortschritte.at(0), QString(14, ' ') + "1");
    EXPECT_EQ(u.fortschritte.at(2), QString(14, ' ') + "3");
    EXPECT_EQ(u.geschlossen, 1);
    // The summary carries the counts reached.
    EXPECT_TRUE(u.s.zeilen.contains("Durchsucht:        \t1 Verzeichnis"));
    EXPECT_TRUE(u.s.zeilen.contains("gefundene Dateien:    \t3 in einem Verzeichnis"));
    EXPECT_TRUE(u.s.zeilen.contains("Belegter Speicher:\t     1,500 KByte\t    0,00 % der gesamten Laufwerksgröße"));
    EXPECT_EQ(u.s.zeilen.last(), "Dauer der Suche:      \t00:00:03,45");

    // Without the wait window nothing can abort, and no stale abort flag is read.
    u = Testumgebung{};
    u.abbruchNach = 0;
    suchen("/d");
    EXPECT_EQ(z.gefundeneDateien, 5);
    EXPECT_EQ(u.geschlossen, 0);
}

TEST_F(Suche, LaufUndLaufwerksfrageLassenNachrichtenZu)
{
    for (const char* d : {"/d/a/c", "/d/b"})
        fs.verzeichnis(d);
    k.unterverzeichnisse = true;
    // Without the wait window only the drive check lets messages through, never the walk.
    quint64 vorher = nachrichtenAnfragen();
    suchen("/d");
    EXPECT_EQ(nachrichtenAnfragen() - vorher, 1u);
    // With it, also every one of the four directories (and any wait for a reader).
    u = Testumgebung{};
    u.fenster = true;
    vorher = nachrichtenAnfragen();
    suchen("/d");
    EXPECT_EQ(z.durchsuchteVerzeichnisse, 4);
    EXPECT_GE(nachrichtenAnfragen() - vorher, 5u);
}
