// The directory list and the drive selector on a real directory tree: the chain and its sorted
// subdirectories, single-click opening, the working directory following, directories that
// cannot be entered, and each drive keeping its own directory.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

#include "app/hauptfenster.h"
#include "app/laufwerksauswahl.h"
#include "app/meldungen.h"
#include "app/verzeichnisliste.h"
#include "output/systemfehler.h"
#include "output/einstellungen.h"
#include "app_testplattform.h"

class HauptVerzeichnisTest : public QObject {
    Q_OBJECT

    AppTestplattform plattform;
    QTemporaryDir einstellungen;
    QTemporaryDir tmp;
    QString wurzel;
    THaupt* h = nullptr;
    int suchen = 0;
    QStringList fehler;

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
        fehleranzeige = [this](QWidget*, const QString& text) { fehler.append(text); };
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
};

QTEST_MAIN(HauptVerzeichnisTest)
#include "haupt_verzeichnis_test.moc"
