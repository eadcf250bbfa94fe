// Editing the panes: the formatting bars on real panes, the selection-change rules, the find
// sequence, the focus rule of the menu and the popup menus.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTextBlock>
#include <QVBoxLayout>

#include "output/fenster/ausgabefeld.h"
#include "output/fenster/bearbeiten.h"
#include "output/fenster/farbliste.h"
#include "output/fenster/fensterdienste.h"
#include "output/fenster/formatleiste.h"
#include "output/fenster/suchdialog.h"
#include "testdienste.h"

namespace {

// Main window stand-in: both panes with their bars, as the main window arranges them.
struct Fenster {
    QWidget w;
    Ausgabefeld* liste;
    Ausgabefeld* zusammenfassung;
    Formatleiste* leiste1;
    Formatleiste* leiste2;
    QLineEdit* anderes; // any other control that can take the focus

    Fenster()
    {
        auto* l = new QVBoxLayout(&w);
        liste = new Ausgabefeld(&w);
        liste->setObjectName(QStringLiteral("RichEdit1"));
        zusammenfassung = new Ausgabefeld(&w);
        zusammenfassung->setObjectName(QStringLiteral("RichEdit2"));
        leiste1 = new Formatleiste(Formatleiste::Inhalt, liste, &w);
        leiste2 = new Formatleiste(Formatleiste::Zusammenfassung, zusammenfassung, &w);
        anderes = new QLineEdit(&w);
        l->addWidget(leiste1);
        l->addWidget(liste);
        l->addWidget(leiste2);
        l->addWidget(zusammenfassung);
        l->addWidget(anderes);
        w.resize(900, 600);
        w.show();
        QApplication::setActiveWindow(&w);
        (void)QTest::qWaitForWindowActive(&w);
    }
    void fuellen(Ausgabefeld* f, const QStringList& zeilen)
    {
        for (const QString& z : zeilen)
            f->zeile(z);
        f->puffernLeeren();
    }
};

void markieren(Ausgabefeld* f, int von, int bis)
{
    QTextCursor c = f->textCursor();
    c.setPosition(von);
    c.setPosition(bis, QTextCursor::KeepAnchor);
    f->setTextCursor(c);
}

void caret(Ausgabefeld* f, int pos)
{
    QTextCursor c = f->textCursor();
    c.setPosition(pos);
    f->setTextCursor(c);
}

QTextCharFormat formatAn(Ausgabefeld* f, int pos)
{
    QTextCursor c(f->document());
    c.setPosition(pos + 1);
    return c.charFormat();
}

bool klickeEintrag(QComboBox* box, int index)
{
    // What a user's pick does: the entry becomes current and "activated" follows.
    box->setCurrentIndex(index);
    emit box->activated(index);
    return true;
}

}  // namespace

class AusgabeBearbeitenTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QApplication::clipboard()->clear(); }

    void leistenHabenIhreKinderUnterDenNamenInDerReihenfolge()
    {
        Fenster f;
        const struct {
            Formatleiste* leiste;
            QStringList namen;
        } faelle[] = {
            {f.leiste1,
             {"BitBtn2", "BitBtn3", "BitBtn4", "BitBtn1", "Button1", "Button2", "Button3", "ComboBox2", "ComboBox3",
              "ComboBox5"}},
            {f.leiste2,
             {"BitBtn5", "BitBtn6", "BitBtn7", "BitBtn8", "Button4", "Button5", "Button6", "ComboBox8", "ComboBox9",
              "ComboBox10"}},
        };
        const QStringList hinweise = {"Alles markieren",
                                      "Kopieren in die Zwischenablage",
                                      "Einfügen aus der Zwischenablage",
                                      "Rückgängig machen",
                                      "Fettschrift",
                                      "Kursivschrift",
                                      "Unterstreichen",
                                      "Schriftart",
                                      "Schriftgröße",
                                      "Schriftfarbe"};
        for (const auto& fall : faelle) {
            int links = -1;
            for (int i = 0; i < fall.namen.size(); ++i) {
                auto* k = fall.leiste->findChild<QWidget*>(fall.namen[i]);
                QVERIFY2(k, qPrintable(fall.namen[i]));
                QCOMPARE(k->toolTip(), hinweise[i]);
                QVERIFY2(k->x() > links, qPrintable(fall.namen[i])); // left to right
                links = k->x();
            }
            const QStringList beschriftung = {"F", "K", "U"};
            for (int s = 0; s < 3; ++s) {
                QCOMPARE(fall.leiste->stilknopf(Formatleiste::Stil(s))->text(), beschriftung[s]);
                QVERIFY(!fall.leiste->stilAn(Formatleiste::Stil(s)));
            }
            QComboBox* groessen = fall.leiste->groessenliste();
            QCOMPARE(groessen->count(), 60);
            QCOMPARE(groessen->itemText(0), QStringLiteral(" 5"));
            QCOMPARE(groessen->itemText(4), QStringLiteral(" 9"));
            QCOMPARE(groessen->itemText(5), QStringLiteral("10"));
            QCOMPARE(groessen->itemText(59), QStringLiteral("64"));
            QVERIFY(groessen->isEditable());
            QCOMPARE(groessen->currentText(), QStringLiteral("10")); // the pane's 10 points
            QComboBox* farben = fall.leiste->farbliste();
            QCOMPARE(farben->count(), 17);
            QCOMPARE(farben->itemText(0), QStringLiteral("Standard"));
            QCOMPARE(farben->itemText(3), QStringLiteral("Grün"));
            QCOMPARE(farben->itemText(15), QStringLiteral("Aqua"));
            QCOMPARE(farben->itemText(16), QStringLiteral("Weiss"));
            QCOMPARE(farben->currentIndex(), 0);
            QVERIFY(fall.leiste->schriftliste()->count() > 0);
        }
    }

    void farbenUndSchriftenWerdenInIhremAussehenGezeichnet()
    {
        Fenster f;
        Farbliste* farben = f.leiste1->farbliste();
        auto zaehle = [farben](int index, QRgb gesucht) {
            QImage bild(200, 20, QImage::Format_RGB32);
            bild.fill(Qt::white);
            QPainter p(&bild);
            QStyleOptionViewItem o;
            o.rect = bild.rect();
            o.palette = farben->palette();
            o.palette.setColor(QPalette::Base, Qt::white);
            farben->itemDelegate()->paint(&p, o, farben->model()->index(index, 0));
            p.end();
            int n = 0;
            for (int y = 0; y < bild.height(); ++y)
                for (int x = 0; x < bild.width(); ++x)
                    n += bild.pixel(x, y) == gesucht;
            return n;
        };
        QVERIFY(zaehle(10, qRgb(255, 0, 0)) > 20);       // "Rot" in red
        QVERIFY(zaehle(15, qRgb(128, 128, 128)) > 20);   // "Aqua" in grey
        QCOMPARE(zaehle(15, qRgb(0, 255, 255)), 0);
        QVERIFY(zaehle(16, qRgb(255, 255, 255)) > 1000); // "Weiss" in white, unreadable as in the original
    }

    void ohneAuswahlGiltDieGrundschriftDesFeldes()
    {
        Fenster f;
        f.fuellen(f.liste, {QStringLiteral("eins"), QStringLiteral("zwei")});
        caret(f.liste, 2);
        QPushButton* fett = f.leiste1->stilknopf(Formatleiste::Fett);
        fett->click();
        QVERIFY(f.leiste1->stilAn(Formatleiste::Fett));
        QVERIFY(f.liste->font().bold());
        QVERIFY(!f.liste->textCursor().hasSelection());
        // Text without formats of its own shows the base format; new text gets it too.
        QCOMPARE(attributeAnDerAuswahl(f.liste).fett, true);
        fett->click();
        QVERIFY(!f.leiste1->stilAn(Formatleiste::Fett));
        QVERIFY(!f.liste->font().bold());

        // The button's state decides, not the text's: a plain button adds the style.
        f.leiste1->stilknopf(Formatleiste::Unterstrichen)->click();
        QVERIFY(f.liste->font().underline());
        klickeEintrag(f.leiste1->farbliste(), 10);
        QCOMPARE(f.liste->palette().color(QPalette::Text), QColor(255, 0, 0));
        klickeEintrag(f.leiste1->groessenliste(), 9); // "14"
        QCOMPARE(f.liste->font().pointSize(), 14);
        QVERIFY(f.liste->hasFocus());
        // The summary pane is untouched by the listing's bar.
        QVERIFY(!f.zusammenfassung->font().underline());
        QCOMPARE(f.zusammenfassung->font().pointSize(), 10);
    }

    void mitAuswahlNurDieAuswahl()
    {
        Fenster f;
        f.fuellen(f.liste, {QStringLiteral("alpha beta gamma")});
        markieren(f.liste, 6, 10); // "beta"
        f.leiste1->stilknopf(Formatleiste::Fett)->click();
        klickeEintrag(f.leiste1->farbliste(), 13); // "Blau"
        f.leiste1->stilknopf(Formatleiste::Kursiv)->click();
        QCOMPARE(formatAn(f.liste, 6).fontWeight(), int(QFont::Bold));
        QCOMPARE(formatAn(f.liste, 9).foreground().color(), QColor(0, 0, 255));
        QVERIFY(formatAn(f.liste, 9).fontItalic());
        QVERIFY(!formatAn(f.liste, 0).hasProperty(QTextFormat::FontWeight));
        QVERIFY(!formatAn(f.liste, 11).hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(!f.liste->font().bold());

        // Caret into plain text: the buttons follow and show plain; the pane's black is "Schwarz".
        caret(f.liste, 2);
        QVERIFY(!f.leiste1->stilAn(Formatleiste::Fett));
        QVERIFY(!f.leiste1->stilAn(Formatleiste::Kursiv));
        QCOMPARE(f.liste->palette().color(QPalette::Text), QColor(0, 0, 0));
        QCOMPARE(f.leiste1->farbliste()->currentIndex(), 1);
        // Selecting the bold word shows "F" bold; clicking removes bold from it and shows plain.
        markieren(f.liste, 6, 10);
        QVERIFY(f.leiste1->stilAn(Formatleiste::Fett));
        QVERIFY(f.leiste1->stilAn(Formatleiste::Kursiv));
        QCOMPARE(f.leiste1->farbliste()->currentIndex(), 13);
        f.leiste1->stilknopf(Formatleiste::Fett)->click();
        QVERIFY(!f.leiste1->stilAn(Formatleiste::Fett));
        QCOMPARE(formatAn(f.liste, 7).fontWeight(), int(QFont::Normal));
        QVERIFY(formatAn(f.liste, 7).fontItalic()); // other styles stay

        // Font and size of the selection.
        QComboBox* schriften = f.leiste1->schriftliste();
        const int i = schriften->count() - 1;
        klickeEintrag(schriften, i);
        QCOMPARE(formatAn(f.liste, 8).fontFamilies().toStringList().value(0), schriften->itemText(i));
        klickeEintrag(f.leiste1->groessenliste(), 0); // " 5"
        QCOMPARE(formatAn(f.liste, 8).fontPointSize(), 5.0);
        // A typed size that is not an entry is taken too; nonsense is not.
        f.leiste1->groessenliste()->setEditText(QStringLiteral("72"));
        f.leiste1->groesseEingegeben();
        QCOMPARE(formatAn(f.liste, 8).fontPointSize(), 72.0);
        f.leiste1->groessenliste()->setEditText(QStringLiteral("x1"));
        f.leiste1->groesseEingegeben();
        QCOMPARE(formatAn(f.liste, 8).fontPointSize(), 72.0);
        QCOMPARE(f.liste->document()->toPlainText(), QStringLiteral("alpha beta gamma"));
    }

    void auswahlwechselStelltFarbeUndSchriftEin()
    {
        Fenster f;
        f.fuellen(f.liste, {QStringLiteral("weiss rot fremd grau")});
        QTextCharFormat weiss;
        weiss.setForeground(QColor(255, 255, 255));
        QTextCursor c(f.liste->document());
        c.setPosition(0);
        c.setPosition(5, QTextCursor::KeepAnchor);
        c.mergeCharFormat(weiss);
        QTextCharFormat rot;
        rot.setForeground(QColor(255, 0, 0));
        c.setPosition(6);
        c.setPosition(9, QTextCursor::KeepAnchor);
        c.mergeCharFormat(rot);
        QTextCharFormat fremd;
        fremd.setFontFamilies({QStringLiteral("Keine Solche Schrift")});
        fremd.setForeground(QColor(1, 2, 3));
        c.setPosition(10);
        c.setPosition(15, QTextCursor::KeepAnchor);
        c.mergeCharFormat(fremd);
        const QString bekannte = f.leiste1->schriftliste()->itemText(0);
        QTextCharFormat bekannt;
        bekannt.setFontFamilies({bekannte});
        bekannt.setForeground(QColor(128, 128, 128));
        c.setPosition(16);
        c.setPosition(20, QTextCursor::KeepAnchor);
        c.mergeCharFormat(bekannt);

        caret(f.liste, 8);
        QCOMPARE(f.leiste1->farbliste()->currentIndex(), 10);
        caret(f.liste, 3); // white: "Standard"
        QCOMPARE(f.leiste1->farbliste()->currentIndex(), 0);
        markieren(f.liste, 16, 20);
        QCOMPARE(f.leiste1->farbliste()->currentIndex(), 8);
        QCOMPARE(f.leiste1->schriftliste()->currentText(), bekannte);
        caret(f.liste, 12); // a font the list does not have; a colour not in the table
        QCOMPARE(f.leiste1->schriftliste()->currentIndex(), -1);
        QCOMPARE(f.leiste1->farbliste()->currentIndex(), 0);
        // The size list does not follow the selection.
        const QString groesse = f.leiste1->groessenliste()->currentText();
        QTextCharFormat gross;
        gross.setFontPointSize(30);
        c.setPosition(0);
        c.setPosition(3, QTextCursor::KeepAnchor);
        c.mergeCharFormat(gross);
        caret(f.liste, 2);
        QCOMPARE(f.leiste1->groessenliste()->currentText(), groesse);
    }

    void listenVomProgrammGesetztLoesenKeineAktionAus()
    {
        Fenster f;
        f.fuellen(f.liste, {QStringLiteral("abc")});
        markieren(f.liste, 0, 3);
        f.leiste1->zeigeFarbe(10);
        f.leiste1->zeigeGroesse(QStringLiteral("20"));
        f.leiste1->zeigeSchriftart(f.leiste1->schriftliste()->itemText(0));
        QCOMPARE(f.leiste1->farbliste()->currentIndex(), 10);
        QCOMPARE(f.leiste1->groessenliste()->currentText(), QStringLiteral("20"));
        QVERIFY(!formatAn(f.liste, 1).hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(!formatAn(f.liste, 1).hasProperty(QTextFormat::FontPointSize));
        QVERIFY(!formatAn(f.liste, 1).hasProperty(QTextFormat::FontFamilies));
        // A size that is no entry is shown as text.
        f.leiste1->zeigeGroesse(QStringLiteral("99"));
        QCOMPARE(f.leiste1->groessenliste()->currentText(), QStringLiteral("99"));
    }

    void formateWerdenGezeichnet()
    {
        Fenster f;
        f.fuellen(f.liste, {QStringLiteral("schwarz ROTROTROT schwarz")});
        f.liste->setzeSchriftfarbe(Qt::black);
        markieren(f.liste, 8, 17);
        klickeEintrag(f.leiste1->farbliste(), 10);
        f.leiste1->stilknopf(Formatleiste::Fett)->click();
        caret(f.liste, 0);
        QApplication::processEvents();
        const QImage bild = f.liste->viewport()->grab().toImage();
        if (!qEnvironmentVariableIsEmpty("ZEMBROLA_BILDER"))
            bild.save(qEnvironmentVariable("ZEMBROLA_BILDER") + QStringLiteral("/bearbeiten.png"));
        int rot = 0, schwarz = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < bild.width(); ++x) {
                const QColor p = bild.pixelColor(x, y);
                rot += p.red() > 200 && p.green() < 60 && p.blue() < 60;
                schwarz += p.red() < 60 && p.green() < 60 && p.blue() < 60;
            }
        }
        QVERIFY2(rot > 50, qPrintable(QString::number(rot)));
        QVERIFY(schwarz > 50);
    }

    void suchenErsterZweiterDannPiep()
    {
        Fenster f;
        f.fuellen(f.liste, {QStringLiteral("Datei.txt und datei.TXT"), QStringLiteral("noch eine Datei.txt"),
                            QStringLiteral("Dateien")});
        int piepser = 0;
        Testdienste dienste;
        dienste.beiPiepen = [&piepser] { ++piepser; };
        caret(f.liste, 30); // the caret is not the start: without selection the search starts at 0
        f.anderes->setFocus();
        QVERIFY(textSuchen(f.liste, QStringLiteral("Datei.txt"), true, false));
        QVERIFY(f.liste->hasFocus());
        QCOMPARE(f.liste->textCursor().selectionStart(), 0);
        QCOMPARE(f.liste->textCursor().selectedText(), QStringLiteral("Datei.txt"));
        QVERIFY(textSuchen(f.liste, QStringLiteral("Datei.txt"), true, false));
        QCOMPARE(f.liste->textCursor().selectionStart(), 34);
        QVERIFY(!textSuchen(f.liste, QStringLiteral("Datei.txt"), true, false));
        QCOMPARE(piepser, 1);
        QCOMPARE(f.liste->textCursor().selectionStart(), 34); // the selection stays
        QCOMPARE(f.liste->textCursor().selectedText(), QStringLiteral("Datei.txt"));

        // Without case: the second occurrence is "datei.TXT"; whole words skip "Dateien".
        caret(f.liste, 0);
        QVERIFY(textSuchen(f.liste, QStringLiteral("datei.txt"), false, false));
        QVERIFY(textSuchen(f.liste, QStringLiteral("datei.txt"), false, false));
        QCOMPARE(f.liste->textCursor().selectedText(), QStringLiteral("datei.TXT"));
        caret(f.liste, 0);
        QVERIFY(textSuchen(f.liste, QStringLiteral("Datei"), true, true));
        QVERIFY(textSuchen(f.liste, QStringLiteral("Datei"), true, true));
        QVERIFY(!textSuchen(f.liste, QStringLiteral("Datei"), true, true));
        QCOMPARE(piepser, 2);
        // An empty search text finds nothing.
        QVERIFY(!textSuchen(f.liste, QString(), false, false));
        QCOMPARE(piepser, 3);
    }

    void suchdialogSuchtImListenfeldUndStehtDaneben()
    {
        Fenster f;
        f.fuellen(f.liste, {QStringLiteral("x ab ab")});
        f.fuellen(f.zusammenfassung, {QStringLiteral("ab")});
        int piepser = 0;
        Testdienste dienste;
        dienste.beiPiepen = [&piepser] { ++piepser; };
        Suchdialog d(f.liste, &f.w);
        QCOMPARE(d.objectName(), QStringLiteral("FindDialog1"));
        // The pane's right edge and top within its panel, taken as a screen position ...
        QWidget panel;
        Ausgabefeld feld(&panel);
        feld.setGeometry(10, 20, 200, 100);
        d.zeigenNeben(&feld);
        QVERIFY(d.isVisible());
        QCOMPARE(d.pos(), QPoint(210, 20));
        // ... but never off the screen.
        const QRect frei = QGuiApplication::primaryScreen()->availableGeometry();
        feld.setGeometry(10, 20, frei.width() - 20, 100);
        d.zeigenNeben(&feld);
        QVERIFY(d.x() + d.width() <= frei.right() + 1);
        QCOMPARE(d.y(), 20);
        QVERIFY(!d.Weitersuchen->isEnabled());
        d.Suchtext->setText(QStringLiteral("ab"));
        QVERIFY(d.Weitersuchen->isEnabled());
        f.zusammenfassung->setFocus(); // whatever has the focus, the listing is searched
        d.Weitersuchen->click();
        QCOMPARE(f.liste->textCursor().selectionStart(), 2);
        d.Weitersuchen->click();
        QCOMPARE(f.liste->textCursor().selectionStart(), 5);
        d.Weitersuchen->click();
        QCOMPARE(piepser, 1);
        QVERIFY(!f.zusammenfassung->textCursor().hasSelection());
    }

    void menueFolgtDemFokus()
    {
        Fenster f;
        f.fuellen(f.liste, {QStringLiteral("liste")});
        f.fuellen(f.zusammenfassung, {QStringLiteral("summe")});
        // An edit by the user in each pane, to be undone.
        caret(f.liste, 5);
        f.liste->textCursor().insertText(QStringLiteral("L"));
        caret(f.zusammenfassung, 5);
        f.zusammenfassung->textCursor().insertText(QStringLiteral("S"));

        f.zusammenfassung->setFocus();
        QCOMPARE(fokussiertesFeld(f.liste, f.zusammenfassung), f.zusammenfassung);
        menueRueckgaengig(f.liste, f.zusammenfassung);
        QCOMPARE(f.zusammenfassung->toPlainText(), QStringLiteral("summe"));
        QCOMPARE(f.liste->toPlainText(), QStringLiteral("listeL"));

        f.anderes->setFocus(); // focus elsewhere: the listing pane
        QCOMPARE(fokussiertesFeld(f.liste, f.zusammenfassung), f.liste);
        menueRueckgaengig(f.liste, f.zusammenfassung);
        QCOMPARE(f.liste->toPlainText(), QStringLiteral("liste"));

        menueAllesMarkieren(f.liste, f.zusammenfassung);
        QCOMPARE(f.liste->textCursor().selectedText(), QStringLiteral("liste"));
        QVERIFY(f.liste->hasFocus());
        // Null panes (windows not yet there) are ignored.
        rueckgaengig(nullptr);
        kopieren(nullptr);
    }

    void kopierenUndEinfuegenBehaltenFormate()
    {
        Fenster f;
        f.fuellen(f.liste, {QStringLiteral("normal FETT normal")});
        f.fuellen(f.zusammenfassung, {QStringLiteral("Summe: ")});
        // Copy with an empty selection leaves the clipboard alone.
        QApplication::clipboard()->setText(QStringLiteral("vorher"));
        caret(f.liste, 3);
        f.leiste1->kopierenKlick();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("vorher"));

        markieren(f.liste, 7, 11);
        f.leiste1->stilknopf(Formatleiste::Fett)->click();
        markieren(f.liste, 7, 11);
        f.leiste1->kopierenKlick();
        const QMimeData* daten = QApplication::clipboard()->mimeData();
        QVERIFY(daten);
        QCOMPARE(daten->text(), QStringLiteral("FETT"));
        QVERIFY(daten->hasHtml());

        caret(f.zusammenfassung, 7);
        f.leiste2->einfuegenKlick();
        QCOMPARE(f.zusammenfassung->toPlainText(), QStringLiteral("Summe: FETT"));
        QCOMPARE(formatAn(f.zusammenfassung, 8).fontWeight(), int(QFont::Bold));
        f.leiste2->rueckgaengigKlick();
        QCOMPARE(f.zusammenfassung->toPlainText(), QStringLiteral("Summe: "));
        f.leiste2->allesMarkierenKlick();
        QCOMPARE(f.zusammenfassung->textCursor().selectedText(), QStringLiteral("Summe: "));
    }

    void kontextmenues()
    {
        Fenster f;
        int gesucht = 0;
        QMenu* m1 = popupMenu1Erstellen(&f.w, f.liste, [&gesucht] { ++gesucht; });
        QMenu* m2 = popupMenu2Erstellen(&f.w, f.zusammenfassung);
        QCOMPARE(m1->objectName(), QStringLiteral("PopupMenu1"));
        QCOMPARE(m2->objectName(), QStringLiteral("PopupMenu2"));
        QStringList texte1, texte2;
        for (QAction* a : m1->actions())
            texte1 << (a->isSeparator() ? QStringLiteral("-") : a->text() + a->shortcut().toString());
        for (QAction* a : m2->actions())
            texte2 << a->text() + a->shortcut().toString();
        QCOMPARE(texte1, QStringList({"KopierenCtrl+C", "EinfügenCtrl+V", "Alles markieren", "-", "Suchen"}));
        QCOMPARE(texte2, QStringList({"KopierenCtrl+C", "EinfügenCtrl+V", "Alles markieren"}));
        m1->findChild<QAction*>(QStringLiteral("Suchen1"))->trigger();
        QCOMPARE(gesucht, 1);
        f.fuellen(f.zusammenfassung, {QStringLiteral("z")});
        m2->actions().at(2)->trigger();
        QCOMPARE(f.zusammenfassung->textCursor().selectedText(), QStringLiteral("z"));
        kontextmenueAnbinden(f.liste, m1);
        QCOMPARE(f.liste->contextMenuPolicy(), Qt::CustomContextMenu);
    }
};

QTEST_MAIN(AusgabeBearbeitenTest)
#include "ausgabe_bearbeiten_test.moc"
