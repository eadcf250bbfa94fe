// Starting a search from the main window: every trigger goes through one entry point, F5 makes
// exactly one request, nothing starts inside a running search, and the window serves the
// search as its surroundings (panes, status bar, wait window with abort).
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include "app/hauptfenster.h"
#include "app/verzeichnisliste.h"
#include "app/warten.h"
#include "output/fenster/ausgabefeld.h"
#include "output/fenster/fensterdienste.h"
#include "testdienste.h"
#include "output/einstellungen.h"
#include "app_testplattform.h"
#include "listing/suche.h"

#include <atomic>

class HauptSucheTest : public QObject {
    Q_OBJECT

    AppTestplattform plattform;
    QTemporaryDir einstellungen;
    THaupt* h = nullptr;
    int suchen = 0;
    Suchkriterien letzteKriterien;
    Ansicht letzteAnsicht;

private slots:
    void initTestCase()
    {
        plattform.installieren();
        // The settings file of the test, not the one beside the program.
        setzeEinstellungsdateipfad(einstellungen.filePath(QStringLiteral("Zembrola.ini")));
        wartenfenster = new Twartenfenster;
    }

    void init()
    {
        h = new THaupt;
        suchen = 0;
        h->suchlauf = [this](const Suchkriterien& k, const Ansicht& a, Suchzustand&, Suchumgebung&) {
            ++suchen;
            letzteKriterien = k;
            letzteAnsicht = a;
        };
        h->resize(1500, 900);
        h->show();
        QVERIFY(QTest::qWaitForWindowActive(h));
    }

    void cleanup()
    {
        delete h;
        h = nullptr;
        wartenfenster->hide();
    }

    void f5StartetGenauEineSuche()
    {
        QTest::keyClick(h, Qt::Key_F5);
        QCOMPARE(suchen, 1);
        QCOMPARE(h->suchanfragen(), 1);
        // From a control with the focus, and with "Start" disabled by automatic search.
        h->setzeAutomatischeSuche(true);
        h->DirectoryListBox1->setFocus();
        QTest::keyClick(h->DirectoryListBox1, Qt::Key_F5);
        QCOMPARE(suchen, 2);
        h->RichEdit1->setFocus();
        QTest::keyClick(h->RichEdit1, Qt::Key_F5);
        QCOMPARE(suchen, 3);
    }

    void jederAusloeserEineSuche()
    {
        QTest::mouseClick(h->ToolButton6, Qt::LeftButton);
        QCOMPARE(suchen, 1);
        QTest::mouseClick(h->ToolButton9, Qt::LeftButton);
        QCOMPARE(suchen, 2);
        h->Aktualisieren1->trigger();
        QCOMPARE(suchen, 3);
        h->Start1->trigger();
        QCOMPARE(suchen, 4);
        QCOMPARE(h->suchanfragen(), 4);
    }

    void keineSucheInDerLaufenden()
    {
        h->suchlauf = [this](const Suchkriterien&, const Ansicht&, Suchzustand&, Suchumgebung&) {
            ++suchen;
            QVERIFY(h->sucheLaeuft());
            h->sucheStarten();
            QTest::keyClick(h, Qt::Key_F5);
            h->setzeAutomatischeSuche(true);
            QTest::mouseClick(h->CheckBox10, Qt::LeftButton, {}, QPoint(6, h->CheckBox10->height() / 2));
        };
        h->sucheStarten();
        QCOMPARE(suchen, 1);
        QVERIFY(!h->sucheLaeuft());
        // Afterwards requests are taken again.
        h->suchlauf = [this](const Suchkriterien&, const Ansicht&, Suchzustand&, Suchumgebung&) { ++suchen; };
        QTest::keyClick(h, Qt::Key_F5);
        QCOMPARE(suchen, 2);
    }

    void kriterienAusDenBedienelementen()
    {
        QTemporaryDir dir;
        QVERIFY(h->DirectoryListBox1->setzeVerzeichnis(dir.path()));
        h->ComboBox1->setEditText(QStringLiteral("*.txt"));
        h->CheckBox1->setChecked(false);
        h->CheckBox3->setChecked(true);
        h->CheckBox9->setChecked(true);
        h->DateTimePicker1->setDate(QDate(2013, 12, 1));
        h->DateTimePicker2->setDate(QDate(2013, 12, 24));
        h->CheckBox5->setChecked(true);
        h->CheckBox10->setChecked(true);
        h->ComboBox6->setCurrentIndex(0);
        h->CheckBox12->setChecked(true);
        h->ComboBox7->setCurrentIndex(1);
        h->CheckBox13->setChecked(true);
        h->CheckBox14->setChecked(true);
        h->sucheStarten();

        const Suchkriterien& k = letzteKriterien;
        QVERIFY(!k.netzwerk);
        QCOMPARE(k.verzeichnis, QDir(dir.path()).canonicalPath());
        QCOMPARE(k.maske, QStringLiteral("*.txt"));
        QVERIFY(!k.alleDateien && k.system && !k.nurLesen && !k.archiviert);
        QVERIFY(k.datum);
        QCOMPARE(k.startdatum, QDate(2013, 12, 1));
        QCOMPARE(k.enddatum, QDate(2013, 12, 24));
        QVERIFY(k.versteckt && k.unterverzeichnisse);
        const Ansicht& a = letzteAnsicht;
        QCOMPARE(a.spalten, 1);
        QVERIFY(a.groesse && a.einheitAnzeigen && a.datum && !a.attribute && !a.pfadangabe);
        QCOMPARE(a.einheit, 1);
    }

    void wartefensterZaehltUndBrichtAb()
    {
        int durchlaeufe = 0;
        h->suchlauf = [&](const Suchkriterien&, const Ansicht&, Suchzustand&, Suchumgebung& u) {
            QVERIFY(u.meldungsfenster());
            u.panesLeeren();
            u.wartenZeigen(QStringLiteral("Verzeichnis \"/x\""), QStringLiteral("wird durchsucht ...."),
                           QStringLiteral("          0"));
            QVERIFY(wartenfenster->isVisible());
            QVERIFY(wartenfenster->BitBtn1->isVisible());
            QCOMPARE(wartenfenster->Label2->text(), QStringLiteral("wird durchsucht ...."));
            // The abort button is clicked from the event loop, which only the progress step runs.
            QTimer::singleShot(50, wartenfenster->BitBtn1, [] { wartenfenster->BitBtn1->click(); });
            while (!u.abbruch() && durchlaeufe < 3000) {
                ++durchlaeufe;
                // As a walk that waits for its readers between files (a share) lets messages through.
                u.zwischendurch();
                u.liste().zeile(QStringLiteral("datei%1.txt").arg(durchlaeufe));
                u.fortschritt(QStringLiteral("%1").arg(durchlaeufe, 11));
                QThread::usleep(500);
            }
            u.zusammenfassung().zeile(QStringLiteral("Ende"));
            u.wartenSchliessen();
        };
        h->sucheStarten();
        QVERIFY2(durchlaeufe < 3000, "the abort never arrived");
        QVERIFY(!wartenfenster->isVisible());
        QVERIFY(wartenfenster->BitBtn1->isHidden());
        // Every line written reached the pane, in order.
        QCOMPARE(h->RichEdit1->blockCount(), durchlaeufe);
        QCOMPARE(h->RichEdit1->document()->lastBlock().text(), QStringLiteral("datei%1.txt").arg(durchlaeufe));
        QCOMPARE(h->RichEdit2->toPlainText(), QStringLiteral("Ende"));
        QVERIFY(wartenfenster->Edit1->text().trimmed().toInt() > 0);

        // The next search starts without the old abort.
        bool abbruchBeimStart = true;
        h->suchlauf = [&](const Suchkriterien&, const Ansicht&, Suchzustand&, Suchumgebung& u) {
            abbruchBeimStart = u.abbruch();
        };
        h->sucheStarten();
        QVERIFY(!abbruchBeimStart);
    }

    void schliessenBeendetDieLaufendeSuche()
    {
        bool abgebrochen = false;
        h->suchlauf = [&](const Suchkriterien&, const Ansicht&, Suchzustand&, Suchumgebung& u) {
            h->close();
            abgebrochen = u.abbruch();
        };
        h->sucheStarten();
        QVERIFY(abgebrochen);
    }

    void langsamesVerzeichnisLaesstAbbrechen()
    {
        // A directory that takes seconds to read, whose files all fail the attribute filter: no
        // line is written, so only the walk's waiting lets the abort button through.
        struct Langsam : plattform::Dateisystem {
            mutable std::atomic<int> gelesen{0};
            bool auflisten(const QByteArray& v, const QString&, bool nurVerzeichnisse,
                           const std::function<bool(const plattform::Dateidaten&)>& jeEintrag) const override
            {
                plattform::Dateidaten d;
                if (v == "/s") {
                    d.rohname = "langsam";
                    d.attribute = plattform::faDirectory;
                    jeEintrag(d);
                    return true;
                }
                for (int i = 0; i < 2000 && !nurVerzeichnisse; ++i) {
                    QThread::msleep(2);
                    ++gelesen;
                    d.rohname = "f" + QByteArray::number(i);
                    d.attribute = plattform::faArchive;
                    if (!jeEintrag(d))
                        break;
                }
                return true;
            }
            std::optional<plattform::Kennung> kennung(const QByteArray&) const override { return std::nullopt; }
            QString arbeitsverzeichnis() const override { return QStringLiteral("/"); }
            int setzeArbeitsverzeichnis(const QString&) override { return 0; }
        } langsam;
        plattform::FakeLaufwerke laufwerke;
        plattform::installieren({.dateisystem = &langsam, .laufwerke = &laufwerke});
        Suchkriterien k;
        k.verzeichnis = QStringLiteral("/s");
        k.unterverzeichnisse = true;
        k.alleDateien = false;
        k.system = true;
        int beimKlick = -1;
        QTimer::singleShot(100, wartenfenster->BitBtn1, [&] {
            beimKlick = langsam.gelesen;
            wartenfenster->BitBtn1->click();
        });
        starteSuche(k, Ansicht{}, h->zustand, *h);
        plattform.installieren();
        QVERIFY2(beimKlick >= 0 && beimKlick < 1000, qPrintable(QString::number(beimKlick)));
        QVERIFY(langsam.gelesen < 2000);
        QCOMPARE(h->zustand.durchsuchteVerzeichnisse, 1);
        QCOMPARE(h->zustand.gefundeneDateien, 0);
        QVERIFY(!wartenfenster->isVisible());
    }

    void echteSucheInEinemVerzeichnis()
    {
        QTemporaryDir dir;
        for (const char* name : {"b.txt", "a.txt", "c.doc"}) {
            QFile f(dir.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("x");
        }
        h->suchlauf = &starteSuche;
        QVERIFY(h->DirectoryListBox1->setzeVerzeichnis(dir.path()));
        h->ComboBox1->setEditText(QStringLiteral("*.txt"));
        h->sucheStarten();
        const QString liste = h->RichEdit1->toPlainText();
        QVERIFY2(liste.contains(QStringLiteral("a.txt")) && liste.contains(QStringLiteral("b.txt")), qPrintable(liste));
        QVERIFY(!liste.contains(QStringLiteral("c.doc")));
        QVERIFY(!h->RichEdit2->toPlainText().isEmpty());
        QCOMPARE(h->statuspanel(7)->text(), QDir(dir.path()).canonicalPath() + QStringLiteral("/*.txt"));
        QCOMPARE(h->zustand.gefundeneDateien, 2);
        QVERIFY(!wartenfenster->isVisible());

        // Saved as JSON: the last search walked again, not what the controls show now; an
        // unwritable target gives the German text.
        h->ComboBox1->setEditText(QStringLiteral("*.doc"));
        QTemporaryDir ziel;
        QStringList namen{ziel.filePath(QStringLiteral("liste.json")), ziel.filePath(QStringLiteral("fehlt/x.csv"))};
        QStringList fehler;
        Testdienste dienste;
        dienste.beiDateiname = [&](QWidget*, const QString&, const QString&, const QString& filter) {
            return filter.contains(QStringLiteral("JSON-Datei|*.json")) ? namen.takeFirst() : QString();
        };
        dienste.beiFehler = [&](QWidget*, const QString& t) { fehler << t; };
        h->ToolButton2Click();
        h->ToolButton2Click();
        QFile json(ziel.filePath(QStringLiteral("liste.json")));
        QVERIFY(json.open(QIODevice::ReadOnly));
        const QJsonArray dateien = QJsonDocument::fromJson(json.readAll())["dateien"].toArray();
        QCOMPARE(dateien.size(), 2);
        QCOMPARE(dateien[0]["name"].toString() + dateien[1]["name"].toString(), QStringLiteral("a.txtb.txt"));
        QCOMPARE(fehler, QStringList{QStringLiteral("Datei nicht gefunden")});
        QCOMPARE(h->RichEdit1->toPlainText(), liste);
        QVERIFY(!wartenfenster->isVisible());
    }
};

QTEST_MAIN(HauptSucheTest)
#include "haupt_suche_test.moc"
