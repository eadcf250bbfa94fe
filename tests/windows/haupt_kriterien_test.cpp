// The main window's criteria and view controls: defaults, the rules that keep them consistent,
// and that each user change makes at most one automatic search.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/hauptfenster.h"
#include "output/einstellungen.h"
#include "app_testplattform.h"

class HauptKriterienTest : public QObject {
    Q_OBJECT

    AppTestplattform plattform;
    QTemporaryDir einstellungen;
    THaupt* h = nullptr;
    int suchen = 0;

    void klick(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2)); }
    QList<bool> attribute() const
    {
        return {h->CheckBox1->isChecked(), h->CheckBox4->isChecked(), h->CheckBox2->isChecked(),
                h->CheckBox3->isChecked()};
    }

private slots:
    void init()
    {
        plattform.installieren();
        // The settings file of the test, not the one beside the program.
        setzeEinstellungsdateipfad(einstellungen.filePath(QStringLiteral("Zembrola.ini")));
        h = new THaupt;
        suchen = 0;
        h->suchlauf = [this](const Suchkriterien&, const Ansicht&, Suchzustand&, Suchumgebung&) { ++suchen; };
        h->resize(1500, 900);
        h->show();
        QVERIFY(QTest::qWaitForWindowExposed(h));
    }

    void cleanup()
    {
        delete h;
        h = nullptr;
    }

    void grundeinstellungen()
    {
        QCOMPARE(h->windowTitle(), QStringLiteral("Zembrola - 3.1"));
        QCOMPARE(h->ComboBox1->count(), 37);
        QCOMPARE(h->ComboBox1->currentText(), QStringLiteral("*.*"));
        QCOMPARE(h->ComboBox1->itemText(36), QStringLiteral("[neu]"));
        QVERIFY(h->ComboBox1->isEditable());
        for (int i = 2; i < 36; ++i)
            QVERIFY(h->ComboBox1->itemText(i - 1).compare(h->ComboBox1->itemText(i), Qt::CaseInsensitive) <= 0);
        QCOMPARE(attribute(), (QList<bool>{true, false, false, false}));
        QVERIFY(!h->CheckBox5->isChecked() && !h->CheckBox9->isChecked() && !h->CheckBox10->isChecked());
        QCOMPARE(h->DateTimePicker2->date(), QDate::currentDate());
        QCOMPARE(h->DateTimePicker1->date(), QDate::currentDate().addDays(-365));
        QVERIFY(h->DateTimePicker1->isHidden() && h->Label3->isHidden() && h->Label4->isHidden());

        QVERIFY(!h->ComboBox6->isEditable() && !h->ComboBox7->isEditable());
        QCOMPARE(h->ComboBox6->count(), 6);
        QCOMPARE(h->ComboBox6->currentText(), QStringLiteral("1 Spalte"));
        QCOMPARE(h->ComboBox7->itemText(4), QStringLiteral("TBytes"));
        // Size unit only with "Größe".
        QVERIFY(!h->ComboBox7->isEnabled() && !h->CheckBox13->isEnabled());

        const Ansicht a = h->ansicht();
        QCOMPARE(a.spalten, 1);
        QCOMPARE(a.einheit, 0);
        QCOMPARE(suchen, 0);
    }

    void werkzeugleisteInIhrerReihenfolge()
    {
        QList<QWidget*> reihe;
        for (QAction* a : h->ToolBar1->actions())
            if (QWidget* w = h->ToolBar1->widgetForAction(a); w && !a->isSeparator())
                reihe.append(w);
        QStringList namen;
        for (QWidget* w : reihe)
            namen.append(w->objectName());
        QCOMPARE(namen, (QStringList{"ToolButton1", "ToolButton6", "ToolButton2", "ToolButton3", "ToolButton4",
                                     "ToolButton5", "ToolButton8", "ToolButton9", "ToolButton10", "ToolButton7",
                                     "ToolButton11", "ToolButton12", "Label6", "ComboBox6", "CheckBox15",
                                     "CheckBox11", "CheckBox14", "CheckBox12", "ComboBox7", "CheckBox13"}));
        QCOMPARE(h->Label6->text(), QStringLiteral(" Ansicht:  "));
        QVERIFY(h->Label6->font().bold());
        QCOMPARE(h->ToolButton10->toolTip(), QStringLiteral("Text  /Eintrag suchen"));
        for (int i = 1; i < reihe.size(); ++i)
            QVERIFY2(reihe[i - 1]->x() < reihe[i]->x(), qPrintable(namen[i]));
    }

    void menuesUndTasten()
    {
        auto texte = [](QMenu* m) {
            QStringList t;
            for (QAction* a : m->actions())
                t.append(a->isSeparator() ? QStringLiteral("-") : a->text() + u'|' + a->shortcut().toString());
            return t;
        };
        QCOMPARE(texte(h->Datei1), (QStringList{"&Speichern|F2", "&Drucken|F3", "Drucker &einrichten|", "-", "&Beenden|F4"}));
        QCOMPARE(texte(h->Bearbeiten1), (QStringList{"&Rückgängig|Ctrl+Z", "-", "&Kopieren|Ctrl+C", "&Einfügen|Ctrl+V",
                                                     "Alles &markieren|", "-", "&Suchen...|", "-", "&Aktualisieren|F5"}));
        QCOMPARE(texte(h->Start2), (QStringList{"Netzwerkanalyse|F7", "System&analyse|F6", "Start|F5"}));
        QCOMPARE(texte(h->Optionen1), (QStringList{"Liste für die Suchmaske bearbeiten|F8", "Programmeinstellungen|F9"}));
        QCOMPARE(texte(h->Hilfe1), (QStringList{"&Hilfe|", "Zembrola im Internet|", "&Info|"}));
        QCOMPARE(texte(h->PopupMenu1), (QStringList{"Kopieren|Ctrl+C", "Einfügen|Ctrl+V", "Alles markieren|", "-", "Suchen|"}));
        QCOMPARE(texte(h->PopupMenu2), (QStringList{"Kopieren|Ctrl+C", "Einfügen|Ctrl+V", "Alles markieren|"}));
    }

    void statusleiste()
    {
        const QStringList texte = {"Laufwerk:", "", "Größe:", "", "davon frei:", "", "Suchpfad + Maske:", ""};
        const int breiten[8] = {60, 150, 60, 150, 65, 150, 110, 50};
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(h->statuspanel(i)->text(), texte[i]);
            QVERIFY(h->statuspanel(i)->width() >= breiten[i]);
        }
        QVERIFY(h->statuspanel(1)->alignment() & Qt::AlignHCenter);
        h->statusfeld(7, QStringLiteral("/tmp/*.txt"));
        QCOMPARE(h->statuspanel(7)->text(), QStringLiteral("/tmp/*.txt"));
    }

    void alleDateienUndAttribute()
    {
        h->setzeAutomatischeSuche(true);
        klick(h->CheckBox2);  // nur lesen
        QCOMPARE(attribute(), (QList<bool>{false, false, true, false}));
        klick(h->CheckBox3);  // System
        QCOMPARE(attribute(), (QList<bool>{false, false, true, true}));
        klick(h->CheckBox2);
        QCOMPARE(attribute(), (QList<bool>{false, false, false, true}));
        // The last attribute off turns "Alle Dateien" on.
        klick(h->CheckBox3);
        QCOMPARE(attribute(), (QList<bool>{true, false, false, false}));
        // "Alle Dateien" off selects all three, on clears them.
        klick(h->CheckBox1);
        QCOMPARE(attribute(), (QList<bool>{false, true, true, true}));
        klick(h->CheckBox1);
        QCOMPARE(attribute(), (QList<bool>{true, false, false, false}));
        // One search per click, none from the rules' own changes.
        QCOMPARE(suchen, 6);

        // Changes made by the program are no clicks.
        h->CheckBox4->setChecked(true);
        QCOMPARE(h->CheckBox1->isChecked(), true);
        QCOMPARE(suchen, 6);
    }

    void alleDateienBeiAllenDreiAttributen()
    {
        klick(h->CheckBox4);
        klick(h->CheckBox2);
        klick(h->CheckBox3);
        QCOMPARE(attribute(), (QList<bool>{false, true, true, true}));
        klick(h->CheckBox1);
        QCOMPARE(attribute(), (QList<bool>{true, false, false, false}));
        // Without automatic search nothing starts.
        QCOMPARE(suchen, 0);
        const Suchkriterien k = h->suchkriterien();
        QVERIFY(k.alleDateien && !k.archiviert && !k.nurLesen && !k.system);
    }

    void datumZeigtDieAuswahl()
    {
        klick(h->CheckBox9);
        for (QWidget* w : std::initializer_list<QWidget*>{h->Label3, h->DateTimePicker1, h->Label4, h->DateTimePicker2})
            QVERIFY(w->isVisible());
        QCOMPARE(h->Label3->text(), QStringLiteral("Start:"));
        QCOMPARE(h->Label4->text(), QStringLiteral("Ende:"));
        klick(h->CheckBox9);
        for (QWidget* w : std::initializer_list<QWidget*>{h->Label3, h->DateTimePicker1, h->Label4, h->DateTimePicker2})
            QVERIFY(!w->isVisible());
    }

    void spaltenSperrenDieEinzelangaben()
    {
        klick(h->CheckBox12);
        QVERIFY(h->ComboBox7->isEnabled() && h->CheckBox13->isEnabled());
        klick(h->CheckBox11);
        h->ComboBox6->setCurrentIndex(2);
        QCOMPARE(h->ansicht().spalten, 3);
        for (QWidget* w : std::initializer_list<QWidget*>{h->CheckBox11, h->CheckBox12, h->CheckBox14, h->CheckBox15,
                                                          h->ComboBox7, h->CheckBox13})
            QVERIFY(!w->isEnabled());
        // Their states stay.
        QVERIFY(h->CheckBox11->isChecked() && h->CheckBox12->isChecked());

        h->ComboBox6->setCurrentIndex(0);
        QVERIFY(h->CheckBox11->isEnabled() && h->ComboBox7->isEnabled() && h->CheckBox13->isEnabled());
        klick(h->CheckBox12);
        QVERIFY(!h->ComboBox7->isEnabled() && !h->CheckBox13->isEnabled());
        QVERIFY(h->CheckBox14->isEnabled() && h->CheckBox15->isEnabled());
    }

    void automatischeSucheBeiJederAenderung()
    {
        h->setzeAutomatischeSuche(true);
        QVERIFY(!h->ToolButton6->isEnabled());
        QVERIFY(!h->Start1->isEnabled());
        QVERIFY(h->ToolButton9->isEnabled() && h->Aktualisieren1->isEnabled());

        h->ComboBox6->setCurrentIndex(1);
        QCOMPARE(suchen, 1);
        h->ComboBox7->setCurrentIndex(3);
        QCOMPARE(suchen, 2);
        h->DateTimePicker1->setDate(QDate(2020, 1, 1));
        QCOMPARE(suchen, 3);
        for (QCheckBox* c : {h->CheckBox5, h->CheckBox10, h->CheckBox9})
            klick(c);
        QCOMPARE(suchen, 6);
        QTest::keyClicks(h->ComboBox1->lineEdit(), QStringLiteral("x"));
        QCOMPARE(suchen, 7);
        QCOMPARE(h->suchkriterien().maske, h->ComboBox1->currentText());

        h->setzeAutomatischeSuche(false);
        QVERIFY(h->ToolButton6->isEnabled() && h->Start1->isEnabled());
        klick(h->CheckBox5);
        QCOMPARE(suchen, 7);
    }
};

QTEST_MAIN(HauptKriterienTest)
#include "haupt_kriterien_test.moc"
