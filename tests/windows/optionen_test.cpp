#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "netinfo/fenster/Netzw.h"
#include "output/fenster/ausgabefeld.h"
#include "output/fenster/einstellunganwenden.h"
#include "output/fenster/einstellungselemente.h"
#include "output/fenster/farbliste.h"
#include "output/fenster/optionsfenster.h"
#include "sysinfo/fenster/system_a.h"
#include "testdienste.h"

namespace {

// Everything the settings reach: the dialog, the report windows, and the main window's parts.
struct Programm {
    QObject anker; // the main window's parts follow the settings while it lives
    TOptionsfenster dialog;
    Ausgabefeld richEdit1;
    Ausgabefeld richEdit2;
    QWidget zusammenfassung;
    Schriftliste comboBox2;
    Groessenliste comboBox3;
    Farbliste comboBox5{Farbliste::Art::Schriftfarbe, 15};
    TSystemausgabe system;
    TNetzwerk netz;
    Eintraege eintraege;
    int stilknoepfe = 0;

    Programm()
    {
        einstellungenFolgen(&anker, [this](const AufgeloesteEinstellungen& werte) {
            hauptfensterAnwenden(werte, {&richEdit1, &richEdit2, &zusammenfassung, &comboBox2, &comboBox3, &comboBox5,
                                         [this] { ++stilknoepfe; }});
        });
    }
    Einstellungsziele ziele()
    {
        Einstellungsziele z;
        z.optionsfenster = &dialog;
        return z;
    }
    bool lesen() { return einstellungenlesen(eintraege, ziele()); }
};

// The colour the text area is filled with.
QColor hintergrund(const QPlainTextEdit* f) { return f->viewport()->palette().color(f->viewport()->backgroundRole()); }
QColor schriftfarbe(const QPlainTextEdit* f) { return f->palette().color(QPalette::Text); }

QByteArray dateiinhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void dateiSchreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

}  // namespace

class OptionenTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_pfad;
    QStringList m_meldungen;
    Testdienste m_dienste;

private slots:
    void init()
    {
        m_pfad = m_dir.filePath(QStringLiteral("Zembrola.ini"));
        QFile::remove(m_pfad);
        setzeEinstellungsdateipfad(m_pfad);
        m_meldungen.clear();
        m_dienste.beiFehler = [this](QWidget*, const QString& text) { m_meldungen << text; };
    }

    void dialogBeimEntwurf()
    {
        TOptionsfenster d;
        QCOMPARE(d.size(), QSize(539, 229));
        // Shown, it grows only as far as the system font needs to show every tab whole.
        d.show();
        QVERIFY(d.width() >= 539 && d.height() >= 229);
        QVERIFY(d.PageControl1->tabBar()->sizeHint().width() <= d.PageControl1->width());
        d.hide();
        QCOMPARE(d.windowTitle(), QStringLiteral("Zembrola - Einstellungen"));
        const QStringList reiter{QString::fromUtf8("Programmausführung"), QStringLiteral("Ausgabefenster"),
                                 QStringLiteral("Drucken"), QStringLiteral("Speichern"),
                                 QStringLiteral("Systemausgabe"), QStringLiteral("Netzwerkanalyse")};
        QCOMPARE(d.PageControl1->count(), reiter.size());
        for (int i = 0; i < reiter.size(); ++i)
            QCOMPARE(d.PageControl1->tabText(i), reiter.at(i));
        QCOMPARE(d.PageControl1->currentIndex(), 5);
        QVERIFY(!d.automatischeSuche());
        QVERIFY(d.meldungsfensterAnzeigen());
        QVERIFY(d.zusammenfassungAusgeben());
        QCOMPARE(d.ausgabeart(), 2);
        QCOMPARE(d.speicherart(), 0);
        QCOMPARE(d.RadioGroup3->findChildren<QRadioButton*>().at(2)->text(),
                 QStringLiteral("Inhalte mit Zusammenfassung speichen"));
        for (const char* n : {"ComboBox1", "ComboBox4", "ComboBox5", "ComboBox8", "ComboBox9", "ComboBox12"}) {
            auto* liste = d.findChild<Farbliste*>(QString::fromLatin1(n));
            QVERIFY2(liste, n);
            QCOMPARE(liste->count(), 17);
            QCOMPARE(liste->itemText(3), QString::fromUtf8("Grün"));
            QCOMPARE(liste->currentIndex(), -1);
        }
        for (const char* n : {"ComboBox3", "ComboBox7", "ComboBox11"}) {
            auto* liste = d.findChild<Groessenliste*>(QString::fromLatin1(n));
            QVERIFY2(liste && liste->isEditable(), n);
            QCOMPARE(liste->count(), 60);
            QCOMPARE(liste->itemText(0), QStringLiteral(" 5"));
            QCOMPARE(liste->currentText(), QString());
        }
        auto* schriften = d.findChild<Schriftliste*>(QStringLiteral("ComboBox10"));
        QVERIFY(schriften);
        QCOMPARE(schriften->count(), schriftfamilien().size());
        // Arial is offered by its own name where fontconfig maps it to Liberation Sans.
        if (QFontInfo(QFont(QStringLiteral("Arial"))).family().startsWith(QLatin1String("Liberation")))
            QVERIFY(schriften->findText(QStringLiteral("Arial")) >= 0);
        const QStringList knoepfe{QStringLiteral("OK"), QStringLiteral("Abbrechen"), QStringLiteral("&Hilfe"),
                                  QStringLiteral("&Standard wiederherstellen")};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(d.findChild<QPushButton*>(QStringLiteral("BitBtn%1").arg(i + 1))->text(), knoepfe.at(i));
        // The report windows' look before the settings are read.
        TNetzwerk netz;
        QCOMPARE(hintergrund(netz.Memo1), QColor(19, 115, 169));
        QCOMPARE(schriftfarbe(netz.Memo1), QColor(Qt::white));
        QCOMPARE(netz.Memo1->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(netz.Memo1->document()->defaultTextOption().tabs().size(), 5);
        TSystemausgabe system;
        QCOMPARE(system.Memo1->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(system.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    }

    void ohneDateiWerdenDieStandardsGeschriebenUndAngewendet()
    {
        Programm p;
        QVERIFY(p.lesen());
        QVERIFY(m_meldungen.isEmpty());
        QCOMPARE(dateiinhalt(m_pfad).count("\r\n"), 40);
        QVERIFY(dateiinhalt(m_pfad).startsWith("Zembrola 3 - Programmeinstellungen\r\n====="));
        QVERIFY(p.dialog.meldungsfensterAnzeigen());
        QVERIFY(!p.zusammenfassung.isHidden());
        for (QPlainTextEdit* f : {static_cast<QPlainTextEdit*>(&p.richEdit1), static_cast<QPlainTextEdit*>(&p.richEdit2)}) {
            QCOMPARE(hintergrund(f), QColor(Qt::white));
            QCOMPARE(schriftfarbe(f), QColor(Qt::black));
            QCOMPARE(f->document()->defaultFont().family(), QStringLiteral("Arial"));
            QCOMPARE(f->document()->defaultFont().pointSize(), 10);
        }
        QCOMPARE(p.dialog.ausgabeart(), 2);
        QCOMPARE(p.dialog.speicherart(), 2);
        for (QPlainTextEdit* m : {p.system.Memo1, p.netz.Memo1}) {
            QCOMPARE(hintergrund(m), QColor(19, 114, 168));
            QCOMPARE(schriftfarbe(m), QColor(Qt::black));
            QCOMPARE(m->font().family(), QStringLiteral("Arial"));
            QCOMPARE(m->font().pointSize(), 10);
        }
        QCOMPARE(p.dialog.ComboBox1->currentText(), QStringLiteral("Weiss"));
        QCOMPARE(p.dialog.ComboBox3->currentText(), QStringLiteral("10"));
        QCOMPARE(p.comboBox3.currentText(), QStringLiteral("10"));
        QCOMPARE(p.comboBox5.currentText(), QStringLiteral("Schwarz"));
        QCOMPARE(p.dialog.Panel3->hintergrund(), QColor(19, 114, 168));
        QCOMPARE(p.stilknoepfe, 1);
    }

    void leereDatei()
    {
        dateiSchreiben(m_pfad, QByteArray());
        Programm p;
        p.dialog.RadioGroup2->setItemIndex(1);
        QVERIFY(p.lesen());
        QVERIFY(p.zusammenfassung.isHidden());
        QVERIFY(!p.dialog.automatischeSuche());
        QVERIFY(p.dialog.meldungsfensterAnzeigen());
        QCOMPARE(hintergrund(&p.richEdit1), QColor(Qt::white));
        QCOMPARE(schriftfarbe(&p.richEdit1), QColor(Qt::white));
        QCOMPARE(hintergrund(p.netz.Memo1), QColor(Qt::white));
        QCOMPARE(p.dialog.ausgabeart(), 0);
        QCOMPARE(p.dialog.speicherart(), 0);
        QCOMPARE(dateiinhalt(m_pfad), QByteArray()); // an existing file is not rewritten
    }

    void einzelneWerte()
    {
        dateiSchreiben(m_pfad, "automatische Suche=ja\r\nZusammenfassung ausgeben=ja\r\n"
                               "Schriftgroesse= 8\r\nSchriftfarbe=Rot \r\nFettschrift=ja\r\n"
                               "Ausgabeart=Drucker\r\nSchriftart1=Gibt es nicht\r\nSchriftgroesse1=gross\r\n"
                               "Schriftart2=" + schriftfamilien().value(0).toUtf8() + "\r\n");
        Programm p;
        p.comboBox5.setCurrentIndex(4);
        p.richEdit1.setPalette([&] { QPalette pal = p.richEdit1.palette(); pal.setColor(QPalette::Text, Qt::green); return pal; }());
        QVERIFY(p.lesen());
        QVERIFY(p.dialog.automatischeSuche());
        QVERIFY(!p.zusammenfassung.isHidden());
        // " 8" selects the entry for 8, in the dialog and in the main window's list.
        QCOMPARE(p.dialog.ComboBox3->currentIndex(), 3);
        QCOMPARE(p.comboBox3.currentIndex(), 3);
        QCOMPARE(p.richEdit2.document()->defaultFont().pointSize(), 8);
        QVERIFY(p.richEdit2.document()->defaultFont().bold());
        QVERIFY(p.dialog.Panel2->font().bold());
        // "Rot " is no colour: no entry, the pane keeps its colour.
        QCOMPARE(p.dialog.ComboBox4->currentIndex(), -1);
        QCOMPARE(p.comboBox5.currentIndex(), -1);
        QCOMPARE(schriftfarbe(&p.richEdit1), QColor(Qt::green));
        QCOMPARE(p.dialog.ausgabeart(), 2); // unknown name: design selection stays
        // A font the list lacks still reaches the window by name; a size that is no number is 10.
        QCOMPARE(p.dialog.ComboBox6->currentIndex(), -1);
        QCOMPARE(p.system.Memo1->font().family(), QStringLiteral("Gibt es nicht"));
        QCOMPARE(p.system.Memo1->font().pointSize(), 10);
        QCOMPARE(p.dialog.ComboBox7->currentIndex(), -1);
        QCOMPARE(p.dialog.ComboBox7->currentText(), QString());
        QCOMPARE(p.dialog.ComboBox10->currentIndex(), 0);
        // "ja" with a capital J counts as "nein".
        dateiSchreiben(m_pfad, "automatische Suche=Ja\r\n");
        QVERIFY(p.lesen());
        QVERIFY(!p.dialog.automatischeSuche());
        // The fallback "Arial" is selected where it is listed; elsewhere the selection stays.
        QCOMPARE(p.dialog.ComboBox10->currentIndex(),
                 schriftfamilien().contains(QStringLiteral("Arial")) ? schriftfamilien().indexOf(QStringLiteral("Arial")) : 0);
    }

    void einAusgabefehlerStopptUndDerStartGehtWeiter()
    {
        // Root may write into any directory, so the program directory here is a plain file.
        const QString datei = m_dir.filePath(QStringLiteral("datei"));
        dateiSchreiben(datei, "x");
        setzeEinstellungsdateipfad(datei + QStringLiteral("/Zembrola.ini"));
        Programm p;
        QVERIFY(!p.lesen());
        QCOMPARE(m_meldungen.size(), 1);
        QVERIFY(m_meldungen.first().startsWith(QStringLiteral("Pfad nicht gefunden\n")));
        // Nothing applied: the windows keep their design look.
        QCOMPARE(hintergrund(p.system.Memo1), QColor(19, 115, 169));
        QCOMPARE(p.dialog.speicherart(), 0);
        QCOMPARE(p.dialog.ComboBox1->currentIndex(), -1);

        if (QFile::exists(QStringLiteral("/sys/kernel"))) {
            // A directory that refuses new files even to root.
            setzeEinstellungsdateipfad(QStringLiteral("/sys/Zembrola.ini"));
            QVERIFY(!p.lesen());
            QVERIFY(m_meldungen.last().startsWith(QStringLiteral("Dateizugriff verweigert\n")));
            // OK cannot write either: the message is shown and the dialog stays open.
            p.dialog.open();
            p.dialog.BitBtn1->click();
            QVERIFY(p.dialog.isVisible());
            QCOMPARE(m_meldungen.size(), 3);
            p.dialog.BitBtn2->click();
        }
    }

    void okUndAbbrechenImDialog()
    {
        Programm p;
        QVERIFY(p.lesen());
        const QStringList familien = schriftfamilien();
        QVERIFY(familien.size() >= 2);

        // Abbrechen: nothing written, the choice stays live.
        const QByteArray vorher = dateiinhalt(m_pfad);
        p.dialog.open();
        p.dialog.RadioGroup3->setItemIndex(1);
        p.dialog.BitBtn2->click();
        QCOMPARE(p.dialog.result(), int(TOptionsfenster::ErgebnisAbbrechen));
        QVERIFY(!p.dialog.isVisible());
        QCOMPARE(dateiinhalt(m_pfad), vorher);
        QCOMPARE(p.dialog.speicherart(), 1);
        optionsfensterAuswerten(p.dialog.result(), p.eintraege, p.ziele());
        QCOMPARE(p.dialog.speicherart(), 1);

        // OK writes the controls, the main window reads them and the panes follow.
        p.dialog.open();
        p.dialog.ComboBox2->setCurrentIndex(1);
        p.dialog.ComboBox7->setEditText(QStringLiteral("9"));
        p.dialog.CheckBox10->setChecked(true);
        p.dialog.BitBtn1->click();
        QCOMPARE(p.dialog.result(), int(TOptionsfenster::ErgebnisOK));
        const QList<QByteArray> zeilen = dateiinhalt(m_pfad).split('\n');
        QCOMPARE(zeilen.value(10), QByteArray("Schriftart=") + familien.at(1).toUtf8() + '\r');
        QCOMPARE(zeilen.value(21), QByteArray("Speicherart=Zusammenfassung\r"));
        QCOMPARE(zeilen.value(26), QByteArray("Schriftgroesse1= 9\r"));
        QCOMPARE(zeilen.value(38), QByteArray("Kursivschrift2=ja\r"));
        QCOMPARE(zeilen.value(25), QByteArray("Schriftart1=Arial\r")); // unlisted font: the value read
        optionsfensterAuswerten(p.dialog.result(), p.eintraege, p.ziele());
        QCOMPARE(p.richEdit1.document()->defaultFont().family(), familien.at(1));
        QCOMPARE(p.richEdit2.font().family(), familien.at(1));
        QCOMPARE(p.comboBox2.currentIndex(), 1);
        QCOMPARE(p.system.Memo1->font().pointSize(), 9);
        QVERIFY(p.netz.Memo1->font().italic());

        // "Standard wiederherstellen" writes the defaults and resets everything.
        p.dialog.open();
        p.dialog.BitBtn4->click();
        QCOMPARE(p.dialog.result(), int(TOptionsfenster::ErgebnisWiederholen));
        optionsfensterAuswerten(p.dialog.result(), p.eintraege, p.ziele());
        QCOMPARE(dateiinhalt(m_pfad), vorher);
        QCOMPARE(p.dialog.speicherart(), 2);
        QVERIFY(!p.netz.Memo1->font().italic());
        QCOMPARE(p.richEdit1.document()->defaultFont().family(), QStringLiteral("Arial"));
        QVERIFY(m_meldungen.isEmpty());
    }

    void vorschauHilfeUndReiter()
    {
        TOptionsfenster d;
        d.ComboBox12->setCurrentIndex(16);
        QCOMPARE(d.Panel4->schriftfarbe(), QColor(Qt::white));
        d.ComboBox9->setCurrentIndex(10);
        QCOMPARE(d.Panel4->hintergrund(), QColor(255, 0, 0));
        d.ComboBox11->setCurrentIndex(0);
        QCOMPARE(d.Panel4->font().pointSize(), 5);
        d.CheckBox11->setChecked(true);
        d.CheckBox9->setChecked(true);
        d.CheckBox9->setChecked(false);
        QVERIFY(d.Panel4->font().underline());
        QVERIFY(!d.Panel4->font().bold());
        QVERIFY(!d.Panel2->font().underline()); // other tabs untouched

        QString stichwort;
        m_dienste.beiHilfe = [&](const QString& s) { stichwort = s; };
        d.open();
        d.BitBtn3->click();
        QCOMPARE(stichwort, QStringLiteral("Progammeinstellungen"));
        QVERIFY(d.isVisible());
        m_dienste.beiHilfe = nullptr;

        // The biggest bold font keeps the preview inside its tab page, and the dialog its width.
        d.PageControl1->setCurrentIndex(1);
        QApplication::processEvents();
        const int breite = d.width();
        d.ComboBox3->setCurrentIndex(d.ComboBox3->count() - 1);
        d.CheckBox3->setChecked(true);
        QApplication::processEvents();
        QCOMPARE(d.Panel2->font().pointSize(), 64);
        QVERIFY(d.TabSheet2->rect().contains(d.Panel2->geometry()));
        QCOMPARE(d.width(), breite);

        // The tab left open is shown next time.
        d.PageControl1->setCurrentIndex(1);
        d.BitBtn2->click();
        d.open();
        QCOMPARE(d.PageControl1->currentIndex(), 1);
        d.BitBtn2->click();
    }

    void eintraegeWerdenGezeichnet()
    {
        // "Weiss" is written grey in a font colour list, the others in their own colour.
        auto farbenIm = [](Farbliste& liste, int zeile) {
            QImage bild(200, 18, QImage::Format_RGB32);
            bild.fill(Qt::white);
            QPainter maler(&bild);
            QStyleOptionViewItem opt;
            opt.rect = bild.rect();
            opt.palette = liste.palette();
            liste.itemDelegate()->paint(&maler, opt, liste.model()->index(zeile, 0));
            maler.end();
            return bild;
        };
        Farbliste schrift(Farbliste::Art::Schriftfarbe);
        auto enthaelt = [](const QImage& b, QColor c) {
            for (int y = 0; y < b.height(); ++y)
                for (int x = 0; x < b.width(); ++x)
                    if (b.pixelColor(x, y) == c)
                        return true;
            return false;
        };
        QVERIFY(enthaelt(farbenIm(schrift, 16), QColor(128, 128, 128)));
        QVERIFY(enthaelt(farbenIm(schrift, 10), QColor(255, 0, 0)));
        QVERIFY(!enthaelt(farbenIm(schrift, 10), QColor(128, 128, 128)));
        // Background lists: a black-framed swatch of the colour left of the name.
        Farbliste grund(Farbliste::Art::Hintergrundfarbe);
        const QImage b = farbenIm(grund, 13);
        QCOMPARE(b.pixelColor(2, 2), QColor(Qt::black));
        QCOMPARE(b.pixelColor(23, 14), QColor(Qt::black));
        QCOMPARE(b.pixelColor(10, 8), QColor(0, 0, 255));
        QCOMPARE(b.pixelColor(24, 8), QColor(Qt::white));
    }

    void schriftlisteGibtJederSchriftIhreHoehe()
    {
        // Every family, written in itself, fits its row: the installed ones and a font whose
        // lines are far taller than the colour lists' fixed 18 pixels.
        const int id = QFontDatabase::addApplicationFont(QFINDTESTDATA("../support/hoch.ttf"));
        QVERIFY(id >= 0);
        Schriftliste liste;
        const int hoch = liste.findText(QStringLiteral("Zembrola Hoch"));
        QVERIFY(hoch >= 0);
        QVERIFY(QFontMetrics(listenzeichnung::namensschrift(liste.itemText(hoch))).height() > 30);
        QStyleOptionViewItem opt;
        for (int i = 0; i < liste.count(); ++i) {
            const int noetig = QFontMetrics(listenzeichnung::namensschrift(liste.itemText(i))).height();
            const int zeile = liste.itemDelegate()->sizeHint(opt, liste.model()->index(i, 0)).height();
            QVERIFY2(zeile >= noetig && zeile >= 18, qPrintable(liste.itemText(i)));
        }
        QFontDatabase::removeApplicationFont(id);
    }

    void reiterAnsehen()
    {
        // Pictures for a person to look at: ZEMBROLA_BILDER=<directory>.
        const QString ziel = qEnvironmentVariable("ZEMBROLA_BILDER");
        if (ziel.isEmpty())
            QSKIP("ZEMBROLA_BILDER not set");
        Programm p;
        QVERIFY(p.lesen());
        p.dialog.show();
        for (int i = 0; i < p.dialog.PageControl1->count(); ++i) {
            p.dialog.PageControl1->setCurrentIndex(i);
            QVERIFY(p.dialog.grab().save(QDir(ziel).filePath(QStringLiteral("optionen_%1.png").arg(i))));
        }
        for (QComboBox* liste : {static_cast<QComboBox*>(p.dialog.ComboBox1), static_cast<QComboBox*>(p.dialog.ComboBox2),
                                 static_cast<QComboBox*>(p.dialog.ComboBox4)}) {
            liste->showPopup();
            liste->view()->window()->grab().save(
                QDir(ziel).filePath(QStringLiteral("liste_%1.png").arg(liste->objectName())));
            liste->hidePopup();
        }
        p.system.Memo1->setPlainText(QStringLiteral("Systemanalyse\tZembrola\nZeile 2"));
        p.system.show();
        p.system.grab().save(QDir(ziel).filePath(QStringLiteral("system_memo.png")));
    }
};

QTEST_MAIN(OptionenTest)
#include "optionen_test.moc"
