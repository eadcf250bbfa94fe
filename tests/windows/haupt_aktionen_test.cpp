// The main window as a user meets it: every control reached by its object name, and every menu
// item, popup item, tool button and formatting-bar button triggered as a user does, each checked
// for the effect it must have. All ten windows exist, created as start-up creates them.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/aboutbox.h"
#include "app/fenster.h"
#include "app/hauptfenster.h"
#include "app/hilfe.h"
#include "app/programm.h"
#include "app/verzeichnisliste.h"
#include "app_testplattform.h"
#include "masks/fenster/suchmaskeaendern.h"
#include "netinfo/fenster/Netzw.h"
#include "output/einstellungen.h"
#include "output/fenster/ausgabefeld.h"
#include "output/fenster/drucken.h"
#include "output/fenster/einstellungselemente.h"
#include "output/fenster/farbliste.h"
#include "output/fenster/fensterdienste.h"
#include "output/fenster/formatleiste.h"
#include "output/fenster/optionsfenster.h"
#include "output/fenster/speichern.h"
#include "output/fenster/suchdialog.h"
#include "sysinfo/fenster/system_a.h"
#include "testdienste.h"

namespace {

enum Ausloeser { Menue, Knopf, Taste, Eintrag };
enum Wirkung {
    Beenden, Suche, Speichern, Drucken, Einrichten, Systemfenster, Netzfenster, Findedialog, Optionen,
    Suchmaskeneditor, Info, Hilfe, Internet, Rueckgaengig, Kopieren, Einfuegen, Markieren, Fett, Kursiv,
    Unterstrichen, Schriftart, Groesse, Farbe
};
enum Feld { Liste, Summe, Anderswo, Startknopf };

Ausgabefeld* feld(int f)
{
    return f == Summe ? Haupt->RichEdit2 : Haupt->RichEdit1;
}

void fuellen(Ausgabefeld* f, const QString& text)
{
    f->leeren();
    f->zeile(text);
    f->puffernLeeren();
    f->document()->clearUndoRedoStacks();
}

void auswahl(Ausgabefeld* f, int von, int bis)
{
    QTextCursor c = f->textCursor();
    c.setPosition(von);
    c.setPosition(bis, QTextCursor::KeepAnchor);
    f->setTextCursor(c);
}

QString pdfText(const QString& pfad)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pfad, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class HauptAktionenTest : public QObject {
    Q_OBJECT

    AppTestplattform plattform;
    QTemporaryDir verzeichnis;
    QString pdf;
    QStringList dateidialoge; // default names of the save dialogs shown
    QStringList druckdialoge;
    QStringList modal;        // object names of the modal windows shown
    QStringList fehler;
    Testdienste dienste;
    QList<QUrl> geoeffnet;
    int suchen = 0;
    // Answers a modal window while its exec() runs; stopped when no window came.
    QTimer antwort;
    std::function<void(QWidget*)> antworten;

public slots:
    void urlOeffnen(const QUrl& url) { geoeffnet.append(url); }

private slots:
    void initTestCase()
    {
        plattform.installieren();
        setzeEinstellungsdateipfad(verzeichnis.filePath(QStringLiteral("Zembrola.ini")));
        pdf = verzeichnis.filePath(QStringLiteral("druck.pdf"));
        const QString hilfe = QFileInfo(QFINDTESTDATA("../../help/index.html")).absolutePath();
        QVERIFY(!hilfe.isEmpty());
        setzeHilfeverzeichnis(hilfe);
        dienste.beiFehler = [this](QWidget*, const QString& text) { fehler.append(text); };

        fensterErzeugen();
        dienste.beiDateiname = [this](QWidget*, const QString& name, const QString&, const QString&) {
            dateidialoge.append(name);
            return QString();
        };
        dienste.beiDruckdialog = [this](QWidget*, QPrinter& drucker) {
            druckdialoge.append(QStringLiteral("Drucken"));
            drucker.setOutputFormat(QPrinter::PdfFormat);
            drucker.setOutputFileName(pdf);
            return true;
        };
        dienste.beiDruckereinrichtung = [this](QWidget*, QPrinter&) {
            druckdialoge.append(QStringLiteral("Drucker einrichten"));
            return false;
        };
        // The mask editor is recorded, not run; other modal dialogs run and the timer answers them.
        dienste.beiModal = [this](QDialog& d) {
            if (qobject_cast<TSuchmasken*>(&d))
                modal.append(d.objectName());
            else
                d.exec();
        };
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "urlOeffnen");
        Haupt->suchlauf = [this](const Suchkriterien&, const Ansicht&, Suchzustand&, Suchumgebung&) { ++suchen; };

        antwort.setSingleShot(true);
        antwort.setInterval(0);
        connect(&antwort, &QTimer::timeout, this, [this] {
            if (QWidget* m = QApplication::activeModalWidget()) {
                modal.append(m->objectName());
                if (antworten)
                    antworten(m);
                // A window the answer did not close must not hang the test.
                if (auto* d = qobject_cast<QDialog*>(m); d && d->isVisible())
                    d->reject();
            }
        });
    }

    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    void init()
    {
        dateidialoge.clear();
        druckdialoge.clear();
        modal.clear();
        fehler.clear();
        geoeffnet.clear();
        suchen = 0;
        antworten = nullptr;
        // The default settings, read as at start-up.
        QFile::remove(einstellungsdateipfad());
        // Wide enough that every tool bar control is on the bar, not in its overflow.
        Haupt->resize(1500, 800);
        Haupt->show();
        Haupt->einstellungenlesen();
        Haupt->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Haupt));
    }

    void cleanup()
    {
        antwort.stop();
        for (QWidget* w : std::initializer_list<QWidget*>{Systemausgabe, Netzwerk, Haupt->FindDialog1, hilfefenster()})
            if (w)
                w->hide();
    }

    // Every control the main window's tables name, found by its name, once, of its kind.
    void objektnamen_data()
    {
        QTest::addColumn<QString>("klasse");
        const QList<std::pair<const char*, QStringList>> gruppen = {
            {"QToolButton", {"ToolButton1", "ToolButton6", "ToolButton2", "ToolButton3", "ToolButton4", "ToolButton5",
                             "ToolButton8", "ToolButton9", "ToolButton10", "ToolButton7", "ToolButton11",
                             "ToolButton12"}},
            {"QAction", {"Speichern1", "Drucken1", "Druckereinrichten1", "B1", "Undo1", "Copy1", "Paste1",
                         "Allesmarkieren1", "Find1", "Aktualisieren1", "Netzwerkanalyse1", "Systemanalyse2", "Start1",
                         "ListefuerdieSuchmaske1", "Programmeinstellungen1", "Hilfe2", "ZembrolaimInternet1", "Info1",
                         "Kopieren1", "Einfuegen1", "Allesmarkieren2", "Suchen1", "Kopieren2", "Einfuegen2",
                         "Allesmarkieren3"}},
            {"QMenu", {"Datei1", "Bearbeiten1", "Start2", "Optionen1", "Hilfe1", "PopupMenu1", "PopupMenu2"}},
            {"QMenuBar", {"MainMenu1"}},
            {"QToolBar", {"ToolBar1"}},
            {"QStatusBar", {"StatusBar1"}},
            {"TRadioGroup", {"RadioGroup1"}},
            {"QGroupBox", {"Panel2"}},
            {"TDriveComboBox", {"DriveComboBox1"}},
            {"TDirectoryListBox", {"DirectoryListBox1"}},
            {"QComboBox", {"Computerlist", "Freigabelist", "ComboBox1", "ComboBox6", "ComboBox7", "ComboBox2",
                           "ComboBox3", "ComboBox5", "ComboBox8", "ComboBox9", "ComboBox10"}},
            {"QCheckBox", {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox9", "CheckBox10",
                           "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14", "CheckBox15"}},
            {"QDateEdit", {"DateTimePicker1", "DateTimePicker2"}},
            {"Ausgabefeld", {"RichEdit1", "RichEdit2"}},
            {"QWidget", {"Panel1", "Panel4", "Panel5", "Panel6", "Panel7"}},
            {"QPushButton", {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6", "BitBtn7", "BitBtn8",
                             "Button1", "Button2", "Button3", "Button4", "Button5", "Button6"}},
        };
        for (const auto& [klasse, namen] : gruppen)
            for (const QString& name : namen)
                QTest::newRow(qPrintable(name)) << QString::fromLatin1(klasse);
    }

    void objektnamen()
    {
        QFETCH(QString, klasse);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        const QList<QObject*> treffer = Haupt->findChildren<QObject*>(name);
        QCOMPARE(treffer.size(), 1);
        QVERIFY2(treffer[0]->inherits(qPrintable(klasse)), treffer[0]->metaObject()->className());
    }

    // One row per way a user reaches a handler.
    void aktion_data()
    {
        QTest::addColumn<int>("ausloeser");
        QTest::addColumn<QString>("menue");   // menu of an item; the key for Taste
        QTest::addColumn<int>("wirkung");
        QTest::addColumn<int>("variante");    // save or print variant; pane of an edit action
        QTest::addColumn<int>("fokus");

        auto knopf = [](const char* name, Wirkung w, int variante = 0, Feld fokus = Anderswo) {
            QTest::addRow("%s", name) << int(Knopf) << QString() << int(w) << variante << int(fokus);
        };
        auto menue = [](const char* menue, const char* name, Wirkung w, int variante = 0, Feld fokus = Anderswo) {
            QTest::addRow("%s", name) << int(Menue) << QString::fromLatin1(menue) << int(w) << variante << int(fokus);
        };
        auto eintrag = [](const char* name, Wirkung w, Feld pane) {
            QTest::addRow("%s", name) << int(Eintrag) << QString() << int(w) << int(pane) << int(pane == Liste ? Summe : Liste);
        };
        auto taste = [](const char* name, const char* taste, Wirkung w, int variante = 0, Feld fokus = Anderswo) {
            QTest::addRow("%s %s", name, taste)
                << int(Taste) << QString::fromLatin1(taste) << int(w) << variante << int(fokus);
        };

        knopf("ToolButton1", Beenden);
        menue("Datei1", "B1", Beenden);
        taste("B1", "F4", Beenden);
        knopf("ToolButton6", Suche);
        knopf("ToolButton9", Suche);
        menue("Bearbeiten1", "Aktualisieren1", Suche);
        menue("Start2", "Start1", Suche);
        taste("Aktualisieren1", "F5", Suche);
        // "Start" shows F5 too; the key must not get ambiguous where the start button has the focus.
        QTest::addRow("Aktualisieren1 F5 am Startknopf") << int(Taste) << QStringLiteral("F5") << int(Suche) << 0
                                                         << int(Startknopf);
        knopf("ToolButton2", Speichern, SpeicherartZusammenfassung);
        menue("Datei1", "Speichern1", Speichern, SpeicherartGetrennt);
        taste("Speichern1", "F2", Speichern, SpeicherartInhalt);
        knopf("ToolButton3", Drucken, AusgabeartZusammenfassung);
        menue("Datei1", "Drucken1", Drucken, AusgabeartInhalt);
        taste("Drucken1", "F3", Drucken, AusgabeartBeides);
        knopf("ToolButton4", Einrichten);
        menue("Datei1", "Druckereinrichten1", Einrichten);
        knopf("ToolButton5", Systemfenster);
        menue("Start2", "Systemanalyse2", Systemfenster);
        taste("Systemanalyse2", "F6", Systemfenster);
        knopf("ToolButton8", Netzfenster);
        menue("Start2", "Netzwerkanalyse1", Netzfenster);
        taste("Netzwerkanalyse1", "F7", Netzfenster);
        knopf("ToolButton10", Findedialog);
        menue("PopupMenu1", "Suchen1", Findedialog);
        menue("Bearbeiten1", "Find1", Findedialog);
        knopf("ToolButton7", Optionen);
        menue("Optionen1", "Programmeinstellungen1", Optionen);
        taste("Programmeinstellungen1", "F9", Optionen);
        menue("Optionen1", "ListefuerdieSuchmaske1", Suchmaskeneditor);
        taste("ListefuerdieSuchmaske1", "F8", Suchmaskeneditor);
        knopf("ToolButton11", Info);
        menue("Hilfe1", "Info1", Info);
        knopf("ToolButton12", Hilfe);
        menue("Hilfe1", "Hilfe2", Hilfe);
        menue("Hilfe1", "ZembrolaimInternet1", Internet);

        // The edit menu follows the focus; the popup menus and bars keep to their own pane.
        menue("Bearbeiten1", "Undo1", Rueckgaengig, Summe, Summe);
        taste("Undo1", "Ctrl+Z", Rueckgaengig, Liste, Anderswo);
        menue("Bearbeiten1", "Copy1", Kopieren, Summe, Summe);
        taste("Copy1", "Ctrl+C", Kopieren, Liste, Anderswo);
        menue("Bearbeiten1", "Paste1", Einfuegen, Summe, Summe);
        taste("Paste1", "Ctrl+V", Einfuegen, Liste, Anderswo);
        menue("Bearbeiten1", "Allesmarkieren1", Markieren, Liste, Anderswo);
        menue("PopupMenu1", "Kopieren1", Kopieren, Liste, Summe);
        menue("PopupMenu1", "Einfuegen1", Einfuegen, Liste, Summe);
        menue("PopupMenu1", "Allesmarkieren2", Markieren, Liste, Summe);
        menue("PopupMenu2", "Kopieren2", Kopieren, Summe, Liste);
        menue("PopupMenu2", "Einfuegen2", Einfuegen, Summe, Liste);
        menue("PopupMenu2", "Allesmarkieren3", Markieren, Summe, Liste);
        knopf("BitBtn2", Markieren, Liste, Summe);
        knopf("BitBtn3", Kopieren, Liste, Summe);
        knopf("BitBtn4", Einfuegen, Liste, Summe);
        knopf("BitBtn1", Rueckgaengig, Liste, Summe);
        knopf("Button1", Fett, Liste, Summe);
        knopf("Button2", Kursiv, Liste, Summe);
        knopf("Button3", Unterstrichen, Liste, Summe);
        knopf("BitBtn5", Markieren, Summe, Liste);
        knopf("BitBtn6", Kopieren, Summe, Liste);
        knopf("BitBtn7", Einfuegen, Summe, Liste);
        knopf("BitBtn8", Rueckgaengig, Summe, Liste);
        knopf("Button4", Fett, Summe, Liste);
        knopf("Button5", Kursiv, Summe, Liste);
        knopf("Button6", Unterstrichen, Summe, Liste);
        eintrag("ComboBox2", Schriftart, Liste);
        eintrag("ComboBox3", Groesse, Liste);
        eintrag("ComboBox5", Farbe, Liste);
        eintrag("ComboBox8", Schriftart, Summe);
        eintrag("ComboBox9", Groesse, Summe);
        eintrag("ComboBox10", Farbe, Summe);
    }

    void aktion()
    {
        QFETCH(int, ausloeser);
        QFETCH(QString, menue);
        QFETCH(int, wirkung);
        QFETCH(int, variante);
        QFETCH(int, fokus);
        // The row's name starts with the control's.
        const QString name = QString::fromLatin1(QTest::currentDataTag()).section(u' ', 0, 0);

        // Before: the state the effect is measured against.
        fuellen(Haupt->RichEdit1, QStringLiteral("liste"));
        fuellen(Haupt->RichEdit2, QStringLiteral("summe"));
        Ausgabefeld* ziel = feld(variante);
        Ausgabefeld* anderes = feld(variante == Summe ? Liste : Summe);
        bool stilVorher = false;
        const Textattribute andereVorher = attributeAnDerAuswahl(anderes);
        switch (wirkung) {
        case Speichern:
            Optionsfenster->RadioGroup3->setItemIndex(variante);
            break;
        case Drucken:
            Optionsfenster->RadioGroup2->setItemIndex(variante);
            QFile::remove(pdf);
            break;
        case Optionen:
            QVERIFY(Haupt->Panel6->isVisibleTo(Haupt) && Haupt->ToolButton6->isEnabled());
            // The user changes settings of three tabs in the dialog and confirms.
            antworten = [](QWidget* m) {
                auto* dialog = qobject_cast<TOptionsfenster*>(m);
                if (!dialog)
                    return;
                dialog->RadioGroup1->setItemIndex(1);
                dialog->CheckBox2->setChecked(false);
                for (const TOptionsfenster::Reiter& r : {dialog->systemReiter(), dialog->netzReiter()})
                    r.groesse->setCurrentIndex(r.groesse->findText(QStringLiteral("21")));
                dialog->BitBtn1->click();
            };
            break;
        case Info:
            antworten = [](QWidget* m) { qobject_cast<QDialog*>(m)->reject(); };
            break;
        case Hilfe:
            hilfefenster()->zeigeStichwort(QStringLiteral("Hauptfenster"));
            break;
        case Rueckgaengig:
            for (Ausgabefeld* f : {Haupt->RichEdit1, Haupt->RichEdit2}) {
                auswahl(f, 5, 5);
                f->textCursor().insertText(QStringLiteral("+"));
            }
            break;
        case Kopieren:
            QApplication::clipboard()->clear();
            auswahl(Haupt->RichEdit1, 0, 5);
            auswahl(Haupt->RichEdit2, 0, 5);
            break;
        case Einfuegen:
            QApplication::clipboard()->setText(QStringLiteral("+"));
            auswahl(Haupt->RichEdit1, 5, 5);
            auswahl(Haupt->RichEdit2, 5, 5);
            break;
        case Markieren:
            auswahl(Haupt->RichEdit1, 0, 0);
            auswahl(Haupt->RichEdit2, 0, 0);
            break;
        case Schriftart:
        case Groesse:
        case Farbe:
            auswahl(ziel, 2, 2);
            break;
        case Fett:
        case Kursiv:
        case Unterstrichen: {
            auswahl(ziel, 2, 2);
            const Textattribute a = attributeAnDerAuswahl(ziel);
            stilVorher = wirkung == Fett ? a.fett : wirkung == Kursiv ? a.kursiv : a.unterstrichen;
            break;
        }
        default:
            break;
        }
        QWidget* fokusziel = fokus == Anderswo     ? static_cast<QWidget*>(Haupt->CheckBox15)
                             : fokus == Startknopf ? static_cast<QWidget*>(Haupt->ToolButton6)
                                                   : feld(fokus);
        fokusziel->setFocus();
        QVERIFY(fokusziel->hasFocus());

        // The user's action.
        antwort.start();
        int gewaehlt = -1;
        QString gewaehlterText;
        if (ausloeser == Eintrag) {
            auto* box = Haupt->findChild<QComboBox*>(name);
            QVERIFY2(box, qPrintable(name));
            QVERIFY(box->isVisible() && box->isEnabled() && box->count() > 1);
            // The next entry, picked with the keyboard.
            box->setFocus();
            QTest::keyClick(box, box->currentIndex() < box->count() - 1 ? Qt::Key_Down : Qt::Key_Up);
            gewaehlt = box->currentIndex();
            gewaehlterText = box->currentText();
        } else if (ausloeser == Knopf) {
            auto* k = Haupt->findChild<QAbstractButton*>(name);
            QVERIFY2(k, qPrintable(name));
            QVERIFY(k->isVisible() && k->isEnabled());
            QTest::mouseClick(k, Qt::LeftButton);
        } else {
            auto* a = Haupt->findChild<QAction*>(name);
            QVERIFY2(a, qPrintable(name));
            QVERIFY(a->isEnabled());
            if (ausloeser == Menue) {
                auto* m = Haupt->findChild<QMenu*>(menue);
                QVERIFY2(m && m->actions().contains(a), qPrintable(menue));
                a->trigger();
            } else {
                const QKeySequence taste(menue);
                QCOMPARE(a->shortcut(), taste);
                QTest::keySequence(QApplication::focusWidget(), taste);
            }
        }
        antwort.stop();

        // After: the effect, and nothing else of what is recorded.
        const QStringList keineDialoge;
        switch (wirkung) {
        case Beenden: {
            QVERIFY(!Haupt->isVisible());
            // The program is told to end: any event loop started now returns at once.
            QEventLoop schleife;
            QTimer::singleShot(2000, &schleife, [&schleife] { schleife.exit(1); });
            QCOMPARE(schleife.exec(), -1);
            // Clears that request, so the dialogs of the later cases run.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
            QCoreApplication::exec();
            break;
        }
        case Suche:
            QCOMPARE(suchen, 1);
            break;
        case Speichern: {
            const QStringList erwartet[] = {{saveDialog1Name}, {saveDialog2Name}, {saveDialog1Name},
                                            {saveDialog1Name, saveDialog2Name}};
            QCOMPARE(dateidialoge, erwartet[variante]);
            break;
        }
        case Drucken: {
            QCOMPARE(druckdialoge, QStringList{QStringLiteral("Drucken")});
            QCOMPARE(Haupt->aktuellerDrucker().docName(),
                     variante == AusgabeartZusammenfassung ? druckauftragZusammenfassung : druckauftragInhalt);
            const QString text = pdfText(pdf);
            QCOMPARE(text.contains(QStringLiteral("liste")), variante != AusgabeartZusammenfassung);
            QCOMPARE(text.contains(QStringLiteral("summe")), variante != AusgabeartInhalt);
            // The listing pane shows what it showed before.
            QCOMPARE(Haupt->RichEdit1->toPlainText(), QStringLiteral("liste"));
            break;
        }
        case Einrichten:
            QCOMPARE(druckdialoge, QStringList{QStringLiteral("Drucker einrichten")});
            break;
        case Systemfenster:
            QVERIFY(Systemausgabe->isVisible());
            QVERIFY(!Netzwerk->isVisible());
            break;
        case Netzfenster:
            QVERIFY(Netzwerk->isVisible());
            QVERIFY(!Systemausgabe->isVisible());
            break;
        case Findedialog:
            QVERIFY(Haupt->FindDialog1 && Haupt->FindDialog1->isVisible());
            break;
        case Optionen:
            QCOMPARE(modal, QStringList{QStringLiteral("TOptionsfenster")});
            // The file the dialog wrote was read and applied to every window.
            QVERIFY(!Haupt->Panel6->isVisibleTo(Haupt));
            QVERIFY(!Haupt->ToolButton6->isEnabled() && !Haupt->Start1->isEnabled());
            QCOMPARE(Systemausgabe->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->font().pointSize(), 21);
            QCOMPARE(Netzwerk->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->font().pointSize(), 21);
            break;
        case Suchmaskeneditor:
            QCOMPARE(modal, QStringList{QStringLiteral("TSuchmasken")});
            break;
        case Info:
            QCOMPARE(modal, QStringList{QStringLiteral("TAboutBox")});
            break;
        case Hilfe:
            QVERIFY(hilfefenster()->isVisible());
            QCOMPARE(hilfefenster()->stichwort(), QStringLiteral("Einführung"));
            break;
        case Internet:
            QCOMPARE(geoeffnet, QList<QUrl>{QUrl(programm::webadresse)});
            break;
        case Rueckgaengig:
            QCOMPARE(ziel->toPlainText(), ziel == Haupt->RichEdit1 ? QStringLiteral("liste") : QStringLiteral("summe"));
            QVERIFY(anderes->toPlainText().endsWith(u'+'));
            break;
        case Kopieren:
            QCOMPARE(QApplication::clipboard()->text(), ziel->toPlainText());
            break;
        case Einfuegen:
            QVERIFY(ziel->toPlainText().endsWith(u'+'));
            QVERIFY(!anderes->toPlainText().endsWith(u'+'));
            break;
        case Markieren:
            QCOMPARE(ziel->textCursor().selectedText(), ziel->toPlainText());
            QVERIFY(!anderes->textCursor().hasSelection());
            QVERIFY(ziel->hasFocus());
            break;
        case Fett:
        case Kursiv:
        case Unterstrichen: {
            const Textattribute a = attributeAnDerAuswahl(ziel);
            QCOMPARE(wirkung == Fett ? a.fett : wirkung == Kursiv ? a.kursiv : a.unterstrichen, !stilVorher);
            break;
        }
        case Schriftart:
            QCOMPARE(attributeAnDerAuswahl(ziel).schriftart, gewaehlterText);
            QCOMPARE(attributeAnDerAuswahl(anderes).schriftart, andereVorher.schriftart);
            break;
        case Groesse:
            QCOMPARE(qRound(attributeAnDerAuswahl(ziel).groesse), gewaehlterText.trimmed().toInt());
            QCOMPARE(attributeAnDerAuswahl(anderes).groesse, andereVorher.groesse);
            break;
        case Farbe:
            QCOMPARE(attributeAnDerAuswahl(ziel).farbe, Farbliste::farbe(gewaehlt));
            QCOMPARE(attributeAnDerAuswahl(anderes).farbe, andereVorher.farbe);
            break;
        }
        if (wirkung != Speichern)
            QCOMPARE(dateidialoge, keineDialoge);
        if (wirkung != Drucken && wirkung != Einrichten)
            QCOMPARE(druckdialoge, keineDialoge);
        if (wirkung != Suche)
            QCOMPARE(suchen, 0);
        QVERIFY2(fehler.isEmpty(), qPrintable(fehler.join(u'\n')));
    }
};

QTEST_MAIN(HauptAktionenTest)
#include "haupt_aktionen_test.moc"
