// Start-up of the application shell: the windows and their order, the style, the error box for
// exceptions, and the help.
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <functional>
#include <stdexcept>

#include "app/aboutbox.h"
#include "app/anwendung.h"
#include "app/fenster.h"
#include "app/fensteranzeige.h"
#include "app/hauptfenster.h"
#include "app/hilfe.h"
#include "app/laufwerksauswahl.h"
#include "app/stil.h"
#include "app/verzeichnisliste.h"
#include "app/warten.h"
#include "app_testplattform.h"
#include "masks/fenster/suchmaskeaendern.h"
#include "netinfo/fenster/Netzw.h"
#include "output/einstellungen.h"
#include "output/fenster/ausgabefeld.h"
#include "output/fenster/berichtsfenster.h"
#include "output/fenster/einstellunganwenden.h"
#include "output/fenster/einstellungselemente.h"
#include "output/fenster/farbliste.h"
#include "output/fenster/fensterdienste.h"
#include "output/fenster/optionsfenster.h"
#include "platform/fake/fake_system.h"
#include "sysinfo/fenster/system_a.h"
#include "testdienste.h"

class AppFensterTest : public QObject {
    Q_OBJECT

    AppTestplattform plattform;
    QTemporaryDir einstellungen;
    QStringList fehler;
    Testdienste dienste;
    QString hilfequelle;

private slots:
    void initTestCase()
    {
        plattform.installieren();
        // The settings file of the test, not the one beside the program.
        setzeEinstellungsdateipfad(einstellungen.filePath(QStringLiteral("Zembrola.ini")));
        dienste.beiFehler = [this](QWidget*, const QString& text) { fehler.append(text); };
        hilfequelle = QFileInfo(QFINDTESTDATA("../../help/index.html")).absolutePath();
        QVERIFY2(!hilfequelle.isEmpty(), "help folder of the sources not found");
    }

    void init() { fehler.clear(); }

    void fensterInIhrerReihenfolge()
    {
        fensterErzeugen();
        const QList<QWidget*> fenster = alleFenster();
        const QList<std::pair<const char*, QString>> erwartet = {
            {"THaupt", QStringLiteral("Zembrola - 3.1")},
            {"TAboutBox", QStringLiteral("Info")},
            {"TMeldung2", QStringLiteral("Drucken")},
            {"TOptionsfenster", QStringLiteral("Zembrola - Einstellungen")},
            {"Tsuchmaskenabfrage", QStringLiteral("Listenänderung")},
            {"TMeldung", QStringLiteral("Zembrola - Meldung")},
            {"TSystemausgabe", QStringLiteral("Systemausgabe")},
            {"Twartenfenster", QString()},
            {"TSuchmasken", QStringLiteral("Suchmasken bearbeiten")},
            {"TNetzwerk", QStringLiteral("Netzwerk-Ausgabe")},
        };
        QCOMPARE(fenster.size(), erwartet.size());
        for (int i = 0; i < fenster.size(); ++i) {
            QCOMPARE(fenster[i]->metaObject()->className(), erwartet[i].first);
            QCOMPARE(fenster[i]->windowTitle(), erwartet[i].second);
            QVERIFY(fenster[i]->isWindow());
        }
        QCOMPARE(static_cast<QWidget*>(Haupt), fenster[0]);
        QVERIFY(fenster[7]->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(fenster[2]->windowFlags().testFlag(Qt::FramelessWindowHint));

        // The report windows stay above the main window; F6 brings a minimised one back.
        for (QWidget* bericht : {fenster[6], fenster[9]}) {
            QCOMPARE(bericht->windowHandle()->transientParent(), Haupt->windowHandle());
            QCOMPARE(bericht->windowHandle()->type(), Qt::Dialog);
            QVERIFY(bericht->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        }
        fenster[6]->showMinimized();
        Haupt->ToolButton5Click();
        QVERIFY(fenster[6]->isVisible() && !fenster[6]->isMinimized());
        fenster[6]->hide();

        // Created once: a second call leaves the same windows.
        fensterErzeugen();
        QCOMPARE(alleFenster(), fenster);
    }

    void stilFehltDannStandardaussehen()
    {
        qApp->setStyleSheet(QString());
        QVERIFY(!stilAnwenden(QStringLiteral("/gibt/es/nicht.qss")));
        QCOMPARE(fehler.size(), 1);
        QVERIFY(fehler[0].contains(QStringLiteral("Metropolis UI Blue")));
        QVERIFY(qApp->styleSheet().isEmpty());

        QVERIFY(stilAnwenden());
        QCOMPARE(fehler.size(), 1);
        // The program's blue is part of the sheet.
        QVERIFY(qApp->styleSheet().contains(QStringLiteral("#1372a8")));
    }

    void ausnahmeImHandlerWirdGemeldetUndDasProgrammLaeuftWeiter()
    {
        QPushButton knopf(QStringLiteral("x"));
        int aufrufe = 0;
        connect(&knopf, &QPushButton::clicked, [&aufrufe] {
            ++aufrufe;
            throw std::runtime_error("kaputt");
        });
        knopf.show();
        QVERIFY(QTest::qWaitForWindowExposed(&knopf));
        QTest::mouseClick(&knopf, Qt::LeftButton);
        QCOMPARE(aufrufe, 1);
        QCOMPARE(fehler, QStringList{QStringLiteral("kaputt")});
        QTest::mouseClick(&knopf, Qt::LeftButton);
        QCOMPARE(aufrufe, 2);
        QCOMPARE(fehler.size(), 2);
    }

    void qtEigeneDialogeSprechenDeutsch()
    {
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm")))
            QSKIP("Qt's German translations are not installed (qt6-translations-l10n)");
        // The save dialog as the program opens it, looked at while it is open.
        QStringList knoepfe, beschriftungen;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            for (const QPushButton* b : dialog->findChildren<QPushButton*>())
                knoepfe << b->text().remove(u'&');
            for (const QLabel* l : dialog->findChildren<QLabel*>())
                beschriftungen << l->text().remove(u'&');
            const QString ziel = qEnvironmentVariable("ZEMBROLA_BILDER");
            if (!ziel.isEmpty())
                dialog->grab().save(ziel + QStringLiteral("/speichern.png"));
            if (auto* d = qobject_cast<QDialog*>(dialog))
                d->reject();
        });
        QVERIFY(fensterdienste()
                    .dateiname(nullptr, QStringLiteral("zembrola"), QStringLiteral("rtf"),
                               QStringLiteral("Rich-Text-Format|*.rtf|Text|*.txt"))
                    .isEmpty());
        QVERIFY2(knoepfe.contains(QStringLiteral("Speichern")) && knoepfe.contains(QStringLiteral("Abbrechen")),
                 qPrintable(knoepfe.join(u',')));
        QVERIFY2(beschriftungen.contains(QStringLiteral("Dateiname:")), qPrintable(beschriftungen.join(u',')));
        // The edit controls' context menus share the catalogue.
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Rückgängig"));
    }

    void jedesStichwortHatEinThema()
    {
        const QStringList woerter = hilfestichwoerter();
        QCOMPARE(woerter.size(), 15);
        QVERIFY(woerter.contains(QStringLiteral("Progammeinstellungen")));
        for (const QString& wort : woerter) {
            const QString datei = hilfedatei(wort);
            QVERIFY2(!datei.isEmpty(), qPrintable(wort));
            for (QChar c : datei)
                QVERIFY2(c.unicode() < 128, qPrintable(datei));
            QFile f(hilfequelle + u'/' + datei);
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
            const QString text = QString::fromUtf8(f.readAll());
            // The topic is headed by its keyword and says something.
            QVERIFY2(text.contains(QStringLiteral("<h1>%1</h1>").arg(wort.toHtmlEscaped())), qPrintable(datei));
            QVERIFY2(text.size() > 600, qPrintable(datei));
        }
        QVERIFY(hilfedatei(QStringLiteral("einführung")).isEmpty());
    }

    void hilfeOeffnetDasStichwort()
    {
        setzeHilfeverzeichnis(hilfequelle);
        hilfeZeigen(QStringLiteral("Freigabe"));
        QVERIFY(fehler.isEmpty());
        QCOMPARE(hilfefenster()->stichwort(), QStringLiteral("Freigabe"));
        QVERIFY(hilfefenster()->Browser->source().toLocalFile().endsWith(QStringLiteral("/freigabe.html")));
        QVERIFY(hilfefenster()->Browser->toPlainText().contains(QStringLiteral("Freigabe")));

        // An unknown keyword shows the contents.
        hilfeZeigen(QStringLiteral("Unbekannt"));
        QVERIFY(hilfefenster()->Browser->source().toLocalFile().endsWith(QStringLiteral("/index.html")));

        // No help folder: a message, no crash.
        setzeHilfeverzeichnis(QStringLiteral("/gibt/es/nicht"));
        hilfeZeigen(QStringLiteral("Ansicht"));
        QCOMPARE(fehler.size(), 1);
        QVERIFY(fehler[0].contains(QStringLiteral("Ansicht")));
        setzeHilfeverzeichnis(hilfequelle);
    }

    void einstellungenBeimErstenZeigen()
    {
        fensterErzeugen();
        QFile ini(einstellungen.filePath(QStringLiteral("Zembrola.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("automatische Suche=ja\r\n");
        ini.close();
        int suchen = 0;
        Haupt->suchlauf = [&suchen](const Suchkriterien&, const Ansicht&, Suchzustand&, Suchumgebung&) { ++suchen; };
        Haupt->resize(1500, 800);
        Haupt->show();
        QVERIFY(QTest::qWaitForWindowExposed(Haupt));
        QVERIFY(Haupt->automatischeSuche());
        QVERIFY(!Haupt->ToolButton6->isEnabled() && !Haupt->Start1->isEnabled());
        // An absent "Zusammenfassung ausgeben" hides the summary panel.
        QVERIFY(Haupt->Panel6->isHidden());
        QCOMPARE(Haupt->eintraege[1], QStringLiteral("automatische Suche=ja"));
        // Showing the window starts one search.
        QCOMPARE(suchen, 1);
        QCOMPARE(Haupt->DirectoryListBox1->verzeichnis(), QStringLiteral("/"));
    }

    void f1UndHilfeknopfOeffnenIhrStichwort()
    {
        fensterErzeugen();
        setzeHilfeverzeichnis(hilfequelle);
        // Wide enough that the view controls are on the tool bar, not in its overflow.
        Haupt->resize(1500, 800);
        Haupt->show();
        QVERIFY(QTest::qWaitForWindowActive(Haupt));

        const QList<std::pair<QWidget*, QString>> faelle = {
            {Haupt->DirectoryListBox1, QStringLiteral("Verzeichnis")},
            {Haupt->CheckBox12, QStringLiteral("Ansicht")},
            {Haupt->CheckBox15, QStringLiteral("Ausgabefenster")},
            {Haupt->RichEdit2, QStringLiteral("Ausgabefenster")},
            {Haupt->ComboBox1, QStringLiteral("Suchkriterien")},
            {Haupt->CheckBox10, QStringLiteral("Suchkriterien")},
            {Haupt->Computerlist, QStringLiteral("Freigabe")},
            {Haupt->RadioGroup1->knopf(1), QStringLiteral("Auswahl zwischen lokaler und Netzwerk-Suche")},
            {Haupt->DriveComboBox1, QStringLiteral("Hauptfenster")},
        };
        for (const auto& [control, wort] : faelle) {
            QCOMPARE(hilfestichwortFuer(control), wort);
        }
        Haupt->DirectoryListBox1->setFocus();
        QTest::keyClick(Haupt->DirectoryListBox1, Qt::Key_F1);
        QCOMPARE(hilfefenster()->stichwort(), QStringLiteral("Verzeichnis"));
        hilfefenster()->hide();
        Haupt->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Haupt));
        Haupt->CheckBox12->setFocus();
        QTest::keyClick(Haupt->CheckBox12, Qt::Key_F1);
        QCOMPARE(hilfefenster()->stichwort(), QStringLiteral("Ansicht"));

        QTest::mouseClick(Haupt->ToolButton12, Qt::LeftButton);
        QCOMPARE(hilfefenster()->stichwort(), QStringLiteral("Einführung"));
        QVERIFY(fehler.isEmpty());
        hilfefenster()->hide();
    }

    void listeneintragUnterDerMausBleibtLesbar()
    {
        // The entry under the mouse is the popup's current one: drawn in the program's blue with
        // light text, in the lists with and without an edit field.
        QVERIFY(stilAnwenden());
        fensterErzeugen();
        Haupt->resize(1500, 800);
        Haupt->show();
        QVERIFY(QTest::qWaitForWindowExposed(Haupt));
        Haupt->CheckBox12->setChecked(true);
        for (QComboBox* c : {Haupt->ComboBox6, Haupt->ComboBox7, Haupt->ComboBox1}) {
            c->showPopup();
            QAbstractItemView* v = c->view();
            const QModelIndex zeile = v->model()->index(1, 0);
            v->setCurrentIndex(zeile);
            const QImage bild = v->viewport()->grab(v->visualRect(zeile)).toImage();
            c->hidePopup();
            int blau = 0, hell = 0;
            for (int y = 0; y < bild.height(); ++y)
                for (int x = 0; x < bild.width(); ++x) {
                    const QColor p = bild.pixelColor(x, y);
                    blau += std::abs(p.red() - 0x13) < 12 && std::abs(p.green() - 0x72) < 12 && std::abs(p.blue() - 0xa8) < 12;
                    hell += p.red() > 200 && p.green() > 200 && p.blue() > 200;
                }
            QVERIFY2(blau > bild.width() * bild.height() / 2, qPrintable(c->objectName()));
            QVERIFY2(hell > 10, qPrintable(c->objectName()));
        }
        Haupt->CheckBox12->setChecked(false);
        Haupt->hide();
    }

    void hilfeNebenDemModalenDialogBedienbar()
    {
        // Opened from the mask editor's "&Hilfe" while the editor runs modal: the contents
        // button, a link and "Schließen" all work, and the title follows the topic.
        fensterErzeugen();
        setzeHilfeverzeichnis(hilfequelle);
        Haupt->show();
        QVERIFY(QTest::qWaitForWindowExposed(Haupt));
        QStringList titel;
        QString nachLink;
        bool geschlossen = false;
        // Clicks go through the window system, where a modal dialog blocks what it blocks.
        auto klick = [](QWidget* w, QPoint stelle = {}) {
            if (stelle.isNull())
                stelle = w->rect().center();
            QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, {}, w->mapTo(w->window(), stelle));
        };
        QTimer::singleShot(0, [&] {
            klick(Suchmasken->BitBtn7);
            THilfe* h = hilfefenster();
            if (!QTest::qWaitForWindowExposed(h))
                return;
            titel << h->windowTitle();
            klick(h->findChild<QPushButton*>(QStringLiteral("Inhalt")));
            titel << h->windowTitle();
            // The first link of the contents page, clicked where it stands.
            QTextCursor c(h->Browser->document());
            while (!c.atEnd() && !c.charFormat().isAnchor())
                c.movePosition(QTextCursor::NextCharacter);
            c.movePosition(QTextCursor::NextCharacter);
            const QPoint stelle = h->Browser->cursorRect(c).center();
            klick(h->Browser->viewport(), stelle);
            nachLink = h->Browser->source().fileName();
            titel << h->windowTitle();
            klick(h->findChild<QPushButton*>(QStringLiteral("Schliessen")));
            geschlossen = !h->isVisible();
            klick(Suchmasken->BitBtn6);
        });
        QTimer notbremse;
        notbremse.setSingleShot(true);
        connect(&notbremse, &QTimer::timeout, Suchmasken, &QDialog::reject);
        notbremse.start(5000);
        Suchmasken->bearbeiten(Haupt->ComboBox1);
        QCOMPARE(titel, QStringList({QStringLiteral("Zembrola - Hilfe: Suchmasken bearbeiten"),
                                     QStringLiteral("Zembrola - Hilfe: Inhalt"),
                                     QStringLiteral("Zembrola - Hilfe: Einführung")}));
        QCOMPARE(nachLink, QStringLiteral("einfuehrung.html"));
        QVERIFY(geschlossen);
        // Once the dialog is closed the help is a window of its own again.
        hilfeZeigen(QStringLiteral("Ansicht"));
        QVERIFY(hilfefenster()->parentWidget() == nullptr);
        QVERIFY(hilfefenster()->isVisible());
        hilfefenster()->hide();
        Haupt->hide();
    }

    void keineBeschriftungAbgeschnitten()
    {
        // Every caption of every window, with the style in place, has room for its text:
        // buttons within their contents rectangle, boxes and labels within their width.
        QVERIFY(stilAnwenden());
        fensterErzeugen();
        auto pruefen = [](QWidget* fenster, QStringList& zu_eng) {
            for (QWidget* w : fenster->findChildren<QWidget*>()) {
                if (!w->isVisible() || w->window() != fenster)
                    continue;
                QString text;
                int platz = 0, bedarf = 0;
                if (auto* b = qobject_cast<QPushButton*>(w)) {
                    text = b->text().remove(u'&');
                    QStyleOptionButton opt;
                    opt.initFrom(b);
                    opt.text = b->text();
                    opt.icon = b->icon();
                    opt.iconSize = b->iconSize();
                    platz = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width();
                    bedarf = b->fontMetrics().horizontalAdvance(text) + (b->icon().isNull() ? 0 : b->iconSize().width() + 4);
                } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
                    text = static_cast<QAbstractButton*>(w)->text();
                    platz = w->width();
                    bedarf = w->sizeHint().width();
                } else if (auto* l = qobject_cast<QLabel*>(w)) {
                    if (l->wordWrap() || l->textFormat() == Qt::RichText || Qt::mightBeRichText(l->text()))
                        continue;
                    text = l->text();
                    platz = l->contentsRect().width() - 2 * l->margin() - 2 * l->indent();
                    bedarf = l->fontMetrics().horizontalAdvance(l->text());
                }
                if (!text.isEmpty() && bedarf > platz)
                    zu_eng << QStringLiteral("%1/%2 \"%3\": %4 > %5")
                                  .arg(fenster->objectName(), w->objectName(), text)
                                  .arg(bedarf)
                                  .arg(platz);
            }
        };
        QStringList zu_eng;
        QList<QWidget*> fenster = alleFenster();
        fenster << hilfefenster();
        for (QWidget* f : fenster) {
            f->show();
            QVERIFY(QTest::qWaitForWindowExposed(f));
            if (auto* reiter = f->findChild<QTabWidget*>()) {
                for (int i = 0; i < reiter->count(); ++i) {
                    reiter->setCurrentIndex(i);
                    QApplication::processEvents();
                    pruefen(f, zu_eng);
                }
            } else {
                pruefen(f, zu_eng);
            }
            // The status bar's fixed labels as a network search writes them.
            if (f == Haupt) {
                Haupt->statusfeld(StatusLaufwerkText, QStringLiteral("Computer:"));
                Haupt->statusfeld(StatusGroesseText, QStringLiteral("Freigabe:"));
                pruefen(f, zu_eng);
            }
            f->hide();
        }
        zu_eng.removeDuplicates();
        QVERIFY2(zu_eng.isEmpty(), qPrintable(zu_eng.join(u'\n')));
    }

    void webseiteOhneBrowserWirdGemeldet()
    {
        fensterErzeugen();
        QStringList geoeffnet;
        bool gelingt = true;
        dienste.beiWebseite = [&](const QUrl& adresse) {
            geoeffnet << adresse.toString();
            return gelingt;
        };
        Haupt->ZembrolaimInternet1->trigger();
        QCOMPARE(geoeffnet, QStringList{QStringLiteral("https://www.zembrola.de")});
        QVERIFY(fehler.isEmpty());
        gelingt = false;
        Haupt->ZembrolaimInternet1->trigger();
        QCOMPARE(fehler, QStringList{QStringLiteral("Die Seite https://www.zembrola.de konnte nicht im Browser geöffnet werden.")});
        dienste.beiWebseite = nullptr;
    }

    // The wait window a report opens is painted, texts and all, before the report's build starts.
    void wartefensterGemaltVorDerArbeit()
    {
        fensterErzeugen();
        struct Zaehler : QObject {
            int gemalt = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                gemalt += e->type() == QEvent::Paint;
                return false;
            }
        } zaehler;
        wartenfenster->installEventFilter(&zaehler);
        auto warten = fensterdienste().warten(QStringLiteral("Systemanalyse"), QStringLiteral("läuft"));
        QVERIFY(zaehler.gemalt > 0);
        QCOMPARE(wartenfenster->Label2->text(), QStringLiteral("läuft"));
        warten.schliessen();
        wartenfenster->removeEventFilter(&zaehler);
    }

    // Each of the 21 looks of the settings, changed in the dialog, reaches the text areas as they
    // are drawn with the style in place: at once, after a restart, and back with the defaults.
    void darstellungKommtAn()
    {
        QVERIFY(stilAnwenden());
        fensterErzeugen();
        Haupt->einstellungenlesen();
        for (QWidget* f : {static_cast<QWidget*>(Haupt), static_cast<QWidget*>(Systemausgabe),
                           static_cast<QWidget*>(Netzwerk)}) {
            f->show();
            QVERIFY(QTest::qWaitForWindowExposed(f));
        }
        struct Ziel {
            TOptionsfenster::Reiter r;
            QList<QPlainTextEdit*> felder;
        };
        const QList<Ziel> ziele{{Optionsfenster->ausgabeReiter(), {Haupt->RichEdit1, Haupt->RichEdit2}},
                                {Optionsfenster->systemReiter(), {Systemausgabe->Memo1}},
                                {Optionsfenster->netzReiter(), {Netzwerk->Memo1}}};
        // What the area shows: its fill below the text, whether a full block is drawn in the
        // colour, and the font of its text.
        auto gezeichnet = [](QPlainTextEdit* f) {
            f->setPlainText(QStringLiteral("\u2588\u2588\u2588\u2588"));
            const QImage bild = f->viewport()->grab().toImage();
            return std::pair{bild.pixelColor(bild.width() - 4, bild.height() - 4), bild};
        };
        auto enthaelt = [](const QImage& b, const QColor& c) {
            for (int y = 0; y < b.height() / 2; ++y)
                for (int x = 0; x < b.width() / 2; ++x)
                    if (b.pixelColor(x, y) == c)
                        return true;
            return false;
        };
        const QStringList familien = schriftfamilien();
        QVERIFY(familien.size() >= 2);
        struct Erwartet {
            QColor grund;
            QColor schrift;
            QString familie;
            int groesse;
            bool fett, kursiv, unterstrichen;
        };
        auto pruefen = [&](const Ziel& z, const Erwartet& e, const char* wann) {
            for (QPlainTextEdit* f : z.felder) {
                const QString wo = f->window()->objectName() + u'/' + f->objectName() + u' ' + QLatin1String(wann);
                const auto [grund, bild] = gezeichnet(f);
                QVERIFY2(grund == e.grund, qPrintable(wo + u' ' + grund.name()));
                QVERIFY2(enthaelt(bild, e.schrift), qPrintable(wo));
                const QFont s = f->document()->defaultFont();
                QVERIFY2(s.family() == e.familie && s.pointSize() == e.groesse && s.bold() == e.fett
                             && s.italic() == e.kursiv && s.underline() == e.unterstrichen,
                         qPrintable(wo + u' ' + s.toString()));
            }
        };
        // The dialog as a user runs it from the main window, OK at the end.
        auto imDialog = [&](const std::function<void()>& aendern, QPushButton* knopf) {
            QTimer::singleShot(0, Optionsfenster, [&aendern, knopf] {
                aendern();
                knopf->click();
            });
            Haupt->ToolButton7->click();
        };
        const QColor gelb(255, 255, 0), rot(255, 0, 0);
        QList<Erwartet> erwartet;
        for (const Ziel& z : ziele) {
            Erwartet e{gelb, rot, familien.at(0) == z.felder.first()->document()->defaultFont().family() ? familien.at(1)
                                                                                                         : familien.at(0),
                       14, true, true, true};
            const auto& r = z.r;
            imDialog([&] { r.hintergrund->setCurrentIndex(12); }, Optionsfenster->BitBtn1);
            QCOMPARE(gezeichnet(z.felder.first()).first, gelb);
            imDialog([&] { r.schriftfarbe->setCurrentIndex(10); }, Optionsfenster->BitBtn1);
            QVERIFY(enthaelt(gezeichnet(z.felder.first()).second, rot));
            imDialog([&] { r.schriftart->setCurrentIndex(r.schriftart->findText(e.familie)); }, Optionsfenster->BitBtn1);
            QCOMPARE(z.felder.first()->document()->defaultFont().family(), e.familie);
            imDialog([&] { r.groesse->setCurrentIndex(r.groesse->findText(QStringLiteral("14"))); }, Optionsfenster->BitBtn1);
            QCOMPARE(z.felder.first()->document()->defaultFont().pointSize(), 14);
            for (QCheckBox* k : {r.fett, r.kursiv, r.unterstrichen})
                imDialog([k] { k->setChecked(true); }, Optionsfenster->BitBtn1);
            pruefen(z, e, "live");
            erwartet << e;
        }
        // A restart: the windows start from another look and read the file.
        Darstellung anders;
        anders.hintergrundindex = 1;
        anders.schriftfarbindex = 16;
        anders.schriftart = QStringLiteral("Courier");
        for (const Ziel& z : ziele)
            for (QPlainTextEdit* f : z.felder)
                feldGestalten(f, anders);
        Haupt->einstellungenlesen();
        for (int i = 0; i < ziele.size(); ++i)
            pruefen(ziele.at(i), erwartet.at(i), "restart");
        // "Standard wiederherstellen".
        imDialog([] {}, Optionsfenster->BitBtn4);
        const QColor standard(19, 114, 168), weiss(255, 255, 255), schwarz(0, 0, 0);
        pruefen(ziele.at(0), {weiss, schwarz, QStringLiteral("Arial"), 10, false, false, false}, "defaults");
        pruefen(ziele.at(1), {standard, schwarz, QStringLiteral("Arial"), 10, false, false, false}, "defaults");
        pruefen(ziele.at(2), {standard, schwarz, QStringLiteral("Arial"), 10, false, false, false}, "defaults");
        for (QWidget* f : {static_cast<QWidget*>(Haupt), static_cast<QWidget*>(Systemausgabe),
                           static_cast<QWidget*>(Netzwerk)})
            f->hide();
    }

    // Closing the main window ends the program, whatever else is open: no window, a report
    // window, both, a modal dialog. Last, as it ends the message loop.
    // Without an X server (Wayland) the platform knows no screen: the window system's answer counts;
    // an X server's answer stands.
    void anzeigeOhneXServer()
    {
        plattform::FakeAnzeige ohne;
        ohne.groesse = QSize(0, 0);
        ohne.tiefe = 0;
        ohne.frequenz = 0;
        const Fensteranzeige a(ohne);
        const QScreen* s = QGuiApplication::primaryScreen();
        QVERIFY(s);
        QVERIFY(!a.bildschirm().isEmpty());
        QCOMPARE(a.bildschirm(), (QSizeF(s->size()) * s->devicePixelRatio()).toSize());
        QCOMPARE(a.farbtiefe(), s->depth());
        const plattform::FakeAnzeige x;
        QCOMPARE(Fensteranzeige(x).bildschirm(), QSize(1024, 768));
        QCOMPARE(Fensteranzeige(x).farbtiefe(), 24);
    }

    void beendenSchliesstAlles()
    {
        fensterErzeugen();
        const std::vector<std::function<void()>> faelle = {
            [] {},
            [] { Haupt->ToolButton5Click(); },
            [] {
                Haupt->ToolButton5Click();
                Haupt->ToolButton8Click();
            },
            [] {
                QTimer::singleShot(0, [] {
                    QDialog d(Haupt);
                    d.exec();
                });
            },
        };
        for (std::size_t i = 0; i < faelle.size(); ++i) {
            Haupt->show();
            faelle[i]();
            QTimer::singleShot(200, [] { Haupt->B1->trigger(); });
            QTimer notbremse;
            notbremse.setSingleShot(true);
            connect(&notbremse, &QTimer::timeout, [] { QCoreApplication::exit(99); });
            notbremse.start(5000);
            QCOMPARE(QApplication::exec(), 0);
        }
    }
};

int main(int argc, char** argv)
{
    TAnwendung app(argc, argv);
    AppFensterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "app_fenster_test.moc"
