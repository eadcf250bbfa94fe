// The directory list and the drive selector on a real directory tree: the chain and its sorted
// subdirectories, single-click opening, the working directory following, directories that
// cannot be entered, and each drive keeping its own directory.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include "app/hauptfenster.h"
#include "app/laufwerksauswahl.h"
#include "app/verzeichnisliste.h"
#include "app_testplattform.h"
#include "output/einstellungen.h"
#include "output/systemfehler.h"
#include "platform/fake/fake_plattform.h"
#include "testdienste.h"

class HauptVerzeichnisTest : public QObject {
    Q_OBJECT

    AppTestplattform plattform;
    QTemporaryDir einstellungen;
    QTemporaryDir tmp;
    QString wurzel;
    THaupt* h = nullptr;
    int suchen = 0;
    QStringList fehler;
    Testdienste dienste;

    QStringList eintraege() const
    {
        QStringList t;
        for (int i = 0; i < h->DirectoryListBox1->count(); ++i)
            t.append(h->DirectoryListBox1->item(i)->text());
        return t;
    }

    void anklicken(const QString& text)
    {
        TDirectoryListBox* l = h->DirectoryListBox1;
        const QList<QListWidgetItem*> treffer = l->findItems(text, Qt::MatchExactly);
        QVERIFY2(treffer.size() == 1, qPrintable(text));
        l->scrollToItem(treffer[0]);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(treffer[0]).center());
    }

    void laufwerkWaehlen(QChar buchstabe)
    {
        const int index = h->DriveComboBox1->findData(buchstabe);
        QVERIFY(index >= 0);
        h->DriveComboBox1->setCurrentIndex(index);
        emit h->DriveComboBox1->activated(index);
    }

    void mkdir(const QString& pfad) { QVERIFY(QDir().mkpath(wurzel + u'/' + pfad)); }

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        wurzel = QDir(tmp.path()).canonicalPath();
        plattform.laufwerke.setze(QChar(u'D'), plattform::FakeLaufwerk{wurzel, plattform::dtFestplatte,
                                                                        QStringLiteral("Daten"), true, 0, 0});
        plattform.laufwerke.setze(QChar(u'E'), plattform::FakeLaufwerk{QStringLiteral("/gibt/es/nicht"),
                                                                        plattform::dtWechselmedium, QString(), false, 0, 0});
        plattform.installieren();
        // The settings file of the test, not the one beside the program.
        setzeEinstellungsdateipfad(einstellungen.filePath(QStringLiteral("Zembrola.ini")));
        dienste.beiFehler = [this](QWidget*, const QString& text) { fehler.append(text); };
    }

    void init()
    {
        for (const char* d : {"beta/Zeta", "beta/eta", "Alpha", "gamma", ".versteckt", "delta"})
            mkdir(QLatin1String(d));
        QFile datei(wurzel + QStringLiteral("/datei.txt"));
        QVERIFY(datei.open(QIODevice::WriteOnly));
        fehler.clear();
        suchen = 0;
        plattform.laufwerke.setzeSystemverzeichnis(QStringLiteral("/"));
        h = new THaupt;
        h->suchlauf = [this](const Suchkriterien&, const Ansicht&, Suchzustand&, Suchumgebung&) { ++suchen; };
        h->resize(1200, 900);
        h->show();
        QVERIFY(QTest::qWaitForWindowExposed(h));
        QVERIFY(h->DirectoryListBox1->setzeVerzeichnis(wurzel));
        h->setzeAutomatischeSuche(true);
    }

    void cleanup()
    {
        delete h;
        QDir(wurzel).removeRecursively();
        QDir().mkpath(wurzel);
    }

    void ketteUndSortierteUnterverzeichnisse()
    {
        QCOMPARE(eintraege(), (QStringList{wurzel, "Alpha", "beta", "delta", "gamma"}));
        QCOMPARE(h->DriveComboBox1->laufwerk(), QChar(u'D'));
        QVERIFY(h->DriveComboBox1->currentText().contains(QStringLiteral("[Daten]")));

        anklicken(QStringLiteral("beta"));
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), wurzel + QStringLiteral("/beta"));
        QCOMPARE(QDir::currentPath(), wurzel + QStringLiteral("/beta"));
        QCOMPARE(eintraege(), (QStringList{wurzel, "beta", "eta", "Zeta"}));
        QCOMPARE(h->DirectoryListBox1->currentItem()->text(), QStringLiteral("beta"));
        QCOMPARE(suchen, 1);

        anklicken(QStringLiteral("Zeta"));
        QCOMPARE(eintraege(), (QStringList{wurzel, "beta", "Zeta"}));
        // The chain leads back up.
        anklicken(wurzel);
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), wurzel);
        QCOMPARE(QDir::currentPath(), wurzel);
        QCOMPARE(suchen, 3);
        // The current directory again is no change.
        anklicken(wurzel);
        QCOMPARE(suchen, 3);
        // Enter on an entry opens it too.
        h->DirectoryListBox1->setFocus();
        h->DirectoryListBox1->setCurrentRow(1);
        QTest::keyClick(h->DirectoryListBox1, Qt::Key_Return);
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), wurzel + QStringLiteral("/Alpha"));
        QCOMPARE(suchen, 4);
        QVERIFY(fehler.isEmpty());
    }

    void verschwundenesVerzeichnis()
    {
        QVERIFY(QDir(wurzel).rmdir(QStringLiteral("gamma")));
        anklicken(QStringLiteral("gamma"));
        QCOMPARE(fehler, QStringList{QStringLiteral("Pfad nicht gefunden")});
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), wurzel);
        QCOMPARE(QDir::currentPath(), wurzel);
        QCOMPARE(eintraege(), (QStringList{wurzel, "Alpha", "beta", "delta"}));
        QCOMPARE(suchen, 0);
    }

    void dateiStattVerzeichnis()
    {
        QVERIFY(QDir(wurzel).rmdir(QStringLiteral("delta")));
        QFile f(wurzel + QStringLiteral("/delta"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        anklicken(QStringLiteral("delta"));
        QCOMPARE(fehler, QStringList{systemfehlertext(ENOTDIR)});
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), wurzel);
        QCOMPARE(QDir::currentPath(), wurzel);
        QCOMPARE(suchen, 0);
    }

    void jedesLaufwerkBehaeltSeinVerzeichnis()
    {
        anklicken(QStringLiteral("beta"));
        QCOMPARE(suchen, 1);
        laufwerkWaehlen(QChar(u'C'));
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), QStringLiteral("/"));
        QCOMPARE(QDir::currentPath(), QStringLiteral("/"));
        QCOMPARE(suchen, 2);
        laufwerkWaehlen(QChar(u'D'));
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), wurzel + QStringLiteral("/beta"));
        QCOMPARE(suchen, 3);

        // A drive without a medium: the message, and everything stays as it was.
        laufwerkWaehlen(QChar(u'E'));
        QCOMPARE(fehler.size(), 1);
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), wurzel + QStringLiteral("/beta"));
        QCOMPARE(h->DriveComboBox1->laufwerk(), QChar(u'D'));
        QCOMPARE(suchen, 3);
    }

    void ersteAnzeigeAnDerWurzelDesSystemlaufwerks()
    {
        delete h;
        plattform.laufwerke.setzeSystemverzeichnis(wurzel + QStringLiteral("/beta"));
        h = new THaupt;
        h->suchlauf = [this](const Suchkriterien&, const Ansicht&, Suchzustand&, Suchumgebung&) { ++suchen; };
        h->setzeAutomatischeSuche(true);
        suchen = 0;
        h->show();
        QVERIFY(QTest::qWaitForWindowExposed(h));
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), wurzel);
        QCOMPARE(h->DriveComboBox1->laufwerk(), QChar(u'D'));
        // Setting up the window is one search, not one per control it sets.
        QCOMPARE(suchen, 1);

        // Switching back to local mode returns to the system drive, with one search.
        h->RadioGroup1->setItemIndex(1);
        h->RadioGroup1Click();
        QVERIFY(h->DriveComboBox1->isHidden());
        QVERIFY(!h->Computerlist->isHidden() && !h->Freigabelist->isHidden());
        QCOMPARE(suchen, 1);
        h->RadioGroup1->setItemIndex(0);
        h->RadioGroup1Click();
        QVERIFY(!h->DriveComboBox1->isHidden() && h->Computerlist->isHidden());
        QCOMPARE(h->DriveComboBox1->laufwerk(), QChar(u'D'));
    }

    // "Netzwerk" as a user clicks it: computers, the first computer's disk shares (not a printer
    // share, not those of \\PC10 whose name begins with "\\PC1"), the share in the directory
    // list with one search; another computer; a share that cannot be entered; back to "lokal";
    // an empty network.
    void netzwerkmodus()
    {
        using namespace plattform;
        FakeNetz netz;
        netz.kind(FakeNetz::oben, {atAnbieter, vwBehaelter, rtAlle, "SMB-Netzwerk"});
        netz.kind("SMB-Netzwerk", {atArbeitsgruppe, vwBehaelter, rtAlle, "AG"});
        for (const char* c : {"\\\\PC1", "\\\\PC10", "\\\\PC2", "\\\\PC3"})
            netz.kind("AG", {atComputer, vwBehaelter, rtAlle, c});
        netz.kind("\\\\PC1", {atFreigabe, vwVerbindbar, rtDrucker, "\\\\PC1\\Drucker"});
        netz.kind("\\\\PC1", {atFreigabe, vwVerbindbar, rtPlatte, "\\\\PC1\\Daten"});
        netz.kind("\\\\PC1", {atFreigabe, vwVerbindbar, rtPlatte, "\\\\PC1\\Musik"});
        netz.kind("\\\\PC10", {atFreigabe, vwVerbindbar, rtPlatte, "\\\\PC10\\Zehn"});
        netz.kind("\\\\PC2", {atFreigabe, vwVerbindbar, rtPlatte, "\\\\PC2\\Archiv"});
        FakeDateisystem smb;
        for (const char* d : {"/PC1/Daten/Sub", "/PC1/Musik", "/PC2/Archiv/Alt", "/PC10/Zehn"})
            smb.verzeichnis(d);
        smb.unlesbar("/PC1/Musik");
        Installation inst({.dateisystem = &plattform.dateisystem, .netzdateisystem = &smb,
                           .laufwerke = &plattform.laufwerke, .netz = &netz});
        const auto texte = [](QComboBox* c) {
            QStringList t;
            for (int i = 0; i < c->count(); ++i)
                t << c->itemText(i);
            return t;
        };
        const auto waehlen = [](QComboBox* c, int i) {
            c->setCurrentIndex(i);
            emit c->activated(i);
        };

        QTest::mouseClick(h->RadioGroup1->knopf(1), Qt::LeftButton);
        QVERIFY(h->DriveComboBox1->isHidden() && h->Computerlist->isVisible() && h->Freigabelist->isVisible());
        QCOMPARE(texte(h->Computerlist), (QStringList{"\\\\PC1", "\\\\PC10", "\\\\PC2", "\\\\PC3"}));
        QCOMPARE(h->Computerlist->currentIndex(), 0);
        QCOMPARE(texte(h->Freigabelist), (QStringList{"\\Daten", "\\Musik"}));
        QCOMPARE(h->Freigabelist->currentIndex(), 0);
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), QStringLiteral("\\\\PC1\\Daten"));
        QCOMPARE(eintraege(), (QStringList{"\\\\PC1\\Daten", "Sub"}));
        QCOMPARE(plattform::arbeitsverzeichnis(), QStringLiteral("\\\\PC1\\Daten"));
        QCOMPARE(suchen, 1);

        waehlen(h->Computerlist, 2);
        QCOMPARE(texte(h->Freigabelist), QStringList{"\\Archiv"});
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), QStringLiteral("\\\\PC2\\Archiv"));
        anklicken(QStringLiteral("Alt"));
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), QStringLiteral("\\\\PC2\\Archiv\\Alt"));
        QCOMPARE(suchen, 3);

        // A share or a computer that cannot be entered: the message, and the lists show again
        // the share the directory list stayed on.
        waehlen(h->Computerlist, 0);
        waehlen(h->Freigabelist, 1);
        QCOMPARE(fehler, QStringList{systemfehlertext(EACCES)});
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), QStringLiteral("\\\\PC1\\Daten"));
        QCOMPARE(h->Freigabelist->currentText(), QStringLiteral("\\Daten"));
        smb.unlesbar("/PC10/Zehn");
        waehlen(h->Computerlist, 1);
        QCOMPARE(fehler.size(), 2);
        QCOMPARE(h->Computerlist->currentText(), QStringLiteral("\\\\PC1"));
        QCOMPARE(texte(h->Freigabelist), (QStringList{"\\Daten", "\\Musik"}));
        QCOMPARE(h->Freigabelist->currentText(), QStringLiteral("\\Daten"));

        // A computer without a share: the message, and Start lists nothing rather than the share
        // the directory list stayed on.
        waehlen(h->Computerlist, 3);
        QCOMPARE(h->Freigabelist->count(), 0);
        QCOMPARE(fehler.size(), 3);
        const int bisher = suchen;
        h->sucheStarten();
        QCOMPARE(suchen, bisher);
        QCOMPARE(fehler.size(), 4);
        QCOMPARE(fehler.last(), systemfehlertext(EHOSTUNREACH));
        waehlen(h->Computerlist, 0);

        QTest::mouseClick(h->RadioGroup1->knopf(0), Qt::LeftButton);
        QVERIFY(h->DriveComboBox1->isVisible() && h->Computerlist->isHidden() && h->Freigabelist->isHidden());
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), QStringLiteral("/"));
        QCOMPARE(plattform::arbeitsverzeichnis(), QStringLiteral("/"));

        // Nobody in the network: both lists empty, the directory stays.
        FakeNetz leer;
        Installation ohne({.dateisystem = &plattform.dateisystem, .netzdateisystem = &smb,
                           .laufwerke = &plattform.laufwerke, .netz = &leer});
        const int vorher = suchen;
        QTest::mouseClick(h->RadioGroup1->knopf(1), Qt::LeftButton);
        QCOMPARE(h->Computerlist->count(), 0);
        QCOMPARE(h->Freigabelist->count(), 0);
        QCOMPARE(h->DirectoryListBox1->verzeichnis(), QStringLiteral("/"));
        QCOMPARE(suchen, vorher);
        // Start does not list the local directory under the network header.
        h->sucheStarten();
        QCOMPARE(suchen, vorher);
        QCOMPARE(fehler.last(), systemfehlertext(EHOSTUNREACH));
    }
};

QTEST_MAIN(HauptVerzeichnisTest)
#include "haupt_verzeichnis_test.moc"
