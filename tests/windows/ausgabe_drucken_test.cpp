// Printing the panes into a PDF printer: page rectangle, job titles, the variants, and every
// line exactly once even where a page ends.
#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "ausgabe_leser.h"
#include "output/fenster/ausgabefeld.h"
#include "output/fenster/drucken.h"
#include "output/fenster/fensterdienste.h"
#include "testdienste.h"

namespace {

QString zeilentext(int i)
{
    return QStringLiteral("Zeile %1 Eintrag").arg(i, 3, 10, QChar(u'0'));
}

// The text lines of a pdftotext -layout page, without blank ones.
QStringList zeilen(const QString& seite)
{
    QStringList z;
    for (const QString& l : seite.split(QChar(u'\n'))) {
        if (!l.trimmed().isEmpty())
            z << l.trimmed().replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    }
    return z;
}

}  // namespace

class AusgabeDruckenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    Ausgabefeld* liste = nullptr;
    Ausgabefeld* summe = nullptr;
    int dialoge = 0;
    bool dialogAntwort = true;
    Testdienste dienste;

    void pdfDrucker(QPrinter& p, const QString& name)
    {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(dir.filePath(name));
        p.setPageSize(QPageSize(QPageSize::A4));
    }

private slots:
    void initTestCase()
    {
        if (!werkzeugDa(QStringLiteral("pdftotext")))
            QSKIP("pdftotext is not installed");
    }

    void init()
    {
        liste = new Ausgabefeld;
        summe = new Ausgabefeld;
        for (int i = 1; i <= 150; ++i)
            liste->zeile(zeilentext(i));
        liste->puffernLeeren();
        summe->zeile(QStringLiteral("Dateien:\t150"));
        summe->zeile(QStringLiteral("Größe gesamt:\t1 KBytes"));
        summe->puffernLeeren();
        dialoge = 0;
        dialogAntwort = true;
        dienste.beiDruckdialog = [this](QWidget*, QPrinter&) {
            ++dialoge;
            return dialogAntwort;
        };
    }
    void cleanup()
    {
        delete liste;
        delete summe;
    }

    void seitenrechteckInZollVomPapierrand()
    {
        QPrinter p(QPrinter::HighResolution);
        pdfDrucker(p, QStringLiteral("leer.pdf"));
        const int dpi = p.resolution();
        const QRect papier = p.paperRect(QPrinter::DevicePixel).toRect();
        const QRect r = seitenrechteck(p);
        QCOMPARE(r.left(), dpi);
        QCOMPARE(r.top(), 3 * dpi / 2);
        QCOMPARE(r.left() + r.width(), papier.width() - 3 * dpi / 4);
        QCOMPARE(r.top() + r.height(), papier.height() - dpi);
    }

    void inhaltJedeZeileGenauEinmalUndInnerhalbDesRechtecks()
    {
        // Big enough letters that several pages are needed and lines meet the page bottom.
        QFont f = liste->font();
        f.setPointSize(17);
        liste->setzeGrundschrift(f);
        QPrinter p(QPrinter::HighResolution);
        pdfDrucker(p, QStringLiteral("inhalt.pdf"));
        QVERIFY(drucken(nullptr, p, liste, summe, 0));
        QCOMPARE(dialoge, 1);
        const QString pdf = dir.filePath(QStringLiteral("inhalt.pdf"));
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("Zembrola-Verzeichnisausgabe"));

        const QStringList seiten = pdfText(pdf).split(QChar(u'\f'), Qt::SkipEmptyParts);
        QVERIFY2(seiten.size() >= 3, qPrintable(QString::number(seiten.size())));
        QStringList alle;
        for (const QString& s : seiten)
            alle += zeilen(s);
        QStringList erwartet;
        for (int i = 1; i <= 150; ++i)
            erwartet << zeilentext(i);
        if (alle != erwartet)
            qWarning().noquote() << pdfText(pdf);
        QCOMPARE(alle, erwartet); // order kept, none twice, none lost, no header or footer

        // All words inside the page rectangle (in points: 72 left, 108 top, 54 right, 72 bottom).
        const PdfSeiten w = pdfWoerter(pdf);
        QVERIFY(!w.woerter.isEmpty());
        double oben = 1e9, links = 1e9;
        double unten = 0;
        for (const PdfWort& wort : w.woerter) {
            QVERIFY2(wort.kasten.left() >= 71.5 && wort.kasten.top() >= 107.5, qPrintable(wort.text));
            QVERIFY2(wort.kasten.bottom() <= w.hoehe - 71.5, qPrintable(wort.text));
            QVERIFY(wort.kasten.right() <= w.breite - 53.5);
            oben = std::min(oben, wort.kasten.top());
            links = std::min(links, wort.kasten.left());
            unten = std::max(unten, wort.kasten.bottom());
        }
        QVERIFY2(links < 74, qPrintable(QString::number(links))); // text starts at the left edge
        QVERIFY2(oben < 116, qPrintable(QString::number(oben)));   // and at the top of the rectangle
        QVERIFY2(unten > w.hoehe - 72 - 30, qPrintable(QString::number(unten))); // pages are filled
        QCOMPARE(liste->toPlainText().count(QChar(u'\n')), 149);
    }

    void langeListeAusDemSpeicherJedeZeileEinmal()
    {
        // Laid out as one document, 3,000 lines of this height pass 2^25 device pixels, where the
        // text layout's fixed-point positions end: every line must still reach the paper.
        Ausgabefeld gross;
        gross.setzeSpeicherAb(10);
        QFont f = gross.font();
        f.setPointSize(60);
        gross.setzeGrundschrift(f);
        for (int i = 1; i <= 3000; ++i)
            gross.zeile(QStringLiteral("Z%1").arg(i));
        gross.puffernLeeren();
        QVERIFY(gross.imSpeicher());
        QPrinter p(QPrinter::HighResolution);
        pdfDrucker(p, QStringLiteral("lang.pdf"));
        p.setPageSize(QPageSize(QSizeF(5, 4), QPageSize::Inch));
        p.setResolution(9600);
        QCOMPARE(felderDrucken(&gross, nullptr, p, druckauftragInhalt), 3000);
        QStringList alle;
        for (const QString& seite : pdfText(dir.filePath(QStringLiteral("lang.pdf"))).split(u'\f', Qt::SkipEmptyParts))
            alle += zeilen(seite);
        QCOMPARE(alle.size(), 3000);
        for (int i = 0; i < 3000; ++i)
            QCOMPARE(alle[i], QStringLiteral("Z%1").arg(i + 1));
    }

    void inhaltMitZusammenfassungEinAuftrag()
    {
        const QString vorher = liste->toPlainText();
        QPrinter p(QPrinter::HighResolution);
        pdfDrucker(p, QStringLiteral("beides.pdf"));
        QVERIFY(drucken(nullptr, p, liste, summe, 2));
        const QString pdf = dir.filePath(QStringLiteral("beides.pdf"));
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("Zembrola-Verzeichnisausgabe"));
        const QStringList seiten = pdfText(pdf).split(QChar(u'\f'), Qt::SkipEmptyParts);
        const QStringList letzte = zeilen(seiten.last());
        QVERIFY(letzte.size() >= 3);
        QCOMPARE(letzte.at(letzte.size() - 3), QString(70, u'_'));
        QCOMPARE(letzte.at(letzte.size() - 2), QStringLiteral("Dateien: 150"));
        QCOMPARE(letzte.last(), QStringLiteral("Größe gesamt: 1 KBytes"));
        QVERIFY(zeilen(seiten.first()).first() == zeilentext(1));
        QCOMPARE(liste->toPlainText(), vorher);
        QCOMPARE(liste->document()->blockCount(), 150);
    }

    void nurZusammenfassungMitEigenemTitelUndTabstops()
    {
        summe->setzeTabstops({144});
        QPrinter p(QPrinter::HighResolution);
        pdfDrucker(p, QStringLiteral("summe.pdf"));
        QVERIFY(drucken(nullptr, p, liste, summe, 1));
        const QString pdf = dir.filePath(QStringLiteral("summe.pdf"));
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("Zembrola-Zusammenfassung"));
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
        QCOMPARE(zeilen(pdfText(pdf)), QStringList({"Dateien: 150", "Größe gesamt: 1 KBytes"}));
        // The value after the tab stands at the tab stop: 72 + 144 points from the paper's edge.
        const PdfSeiten w = pdfWoerter(pdf);
        bool gefunden = false;
        for (const PdfWort& wort : w.woerter) {
            if (wort.text == QStringLiteral("150")) {
                QVERIFY2(std::abs(wort.kasten.left() - 216) < 2, qPrintable(QString::number(wort.kasten.left())));
                gefunden = true;
            }
        }
        QVERIFY(gefunden);
    }

    void zuBreiteZeilenLaufenAufDerNaechstenZeileWeiter()
    {
        // Lines as the listing writes them, wider than the page rectangle: single column with all
        // fields, a six-column row, and paths longer than a line, with and without blanks.
        const QString mitLuecken = QStringLiteral("/home/benutzer/") + QStringLiteral("Ordner mit Namen ").repeated(14);
        const QString ohneLuecken = QStringLiteral("/srv/") + QStringLiteral("sehr_langer_ordnername/").repeated(12);
        struct Fall {
            QList<double> tabs;
            QStringList zeilen;
        };
        const Fall faelle[] = {
            {{100, 200, 300, 400, 500, 600},
             {QStringLiteral("bericht.txt\t\thsra\t      123456789 Bytes\t15.07.2024 09:05:08"),
              mitLuecken + QStringLiteral("x.txt\t\ta\t              0 Bytes\t01.01.2020"), ohneLuecken + QStringLiteral("y.txt")}},
            {{150, 300, 450, 600, 750, 900},
             {QStringLiteral("erste.txt\tzweite.txt\tdritte.txt\tvierte.txt\tfuenfte.txt\tsechste.txt"), ohneLuecken}},
        };
        int nr = 0;
        for (const Fall& fall : faelle) {
            Ausgabefeld feld;
            QFont f = feld.font();
            f.setPointSize(12);
            feld.setzeGrundschrift(f);
            feld.setzeTabstops(fall.tabs);
            for (const QString& z : fall.zeilen)
                feld.zeile(z);
            feld.puffernLeeren();
            QPrinter p(QPrinter::HighResolution);
            const QString name = QStringLiteral("breit%1.pdf").arg(++nr);
            pdfDrucker(p, name);
            QVERIFY(drucken(nullptr, p, &feld, summe, 0));
            const QString pdf = dir.filePath(name);

            // Every character once and in order: the text without blanks is the pane's without blanks.
            static const QRegularExpression luecke(QStringLiteral("\\s+"));
            QString gedruckt = pdfText(pdf);
            gedruckt.remove(luecke);
            QString erwartet = fall.zeilen.join(QString());
            erwartet.remove(luecke);
            QCOMPARE(gedruckt, erwartet);
            // And all of it within the rectangle, 54 points from the right edge.
            const PdfSeiten w = pdfWoerter(pdf);
            for (const PdfWort& wort : w.woerter)
                QVERIFY2(wort.kasten.right() <= w.breite - 53.5, qPrintable(wort.text));
        }
    }

    void abbruchImDruckdialogDrucktNichts()
    {
        dialogAntwort = false;
        QPrinter p(QPrinter::HighResolution);
        pdfDrucker(p, QStringLiteral("nichts.pdf"));
        QVERIFY(!drucken(nullptr, p, liste, summe, 2));
        QCOMPARE(dialoge, 1);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("nichts.pdf"))));
    }

    void formateUndFarbenDerFelderImDruck()
    {
        // Text colour and font of the pane's base format, and a bold red run, reach the paper.
        summe->setzeSchriftfarbe(QColor(0, 0, 255));
        QTextCursor c(summe->document());
        c.setPosition(0);
        c.setPosition(7, QTextCursor::KeepAnchor);
        QTextCharFormat rot;
        rot.setForeground(QColor(255, 0, 0));
        rot.setFontWeight(QFont::Bold);
        c.mergeCharFormat(rot);
        auto dok = druckdokument(liste, summe);
        QTextCursor d(dok.get());
        d.movePosition(QTextCursor::End);
        d.movePosition(QTextCursor::PreviousBlock);
        d.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(d.charFormat().foreground().color(), QColor(255, 0, 0));
        QCOMPARE(d.charFormat().fontWeight(), int(QFont::Bold));
        d.movePosition(QTextCursor::End);
        QCOMPARE(d.charFormat().foreground().color(), QColor(0, 0, 255));
        QCOMPARE(dok->blockCount(), 150 + 3 + 2);
        QCOMPARE(dok->findBlockByNumber(151).text(), QString(70, u'_'));
    }

    void abbruchWaehrendDesDrucks()
    {
        QPrinter p(QPrinter::HighResolution);
        pdfDrucker(p, QStringLiteral("abbruch.pdf"));
        int gezeigt = 0, geschlossen = 0;
        Druckbegleitung b;
        b.zeigen = [&gezeigt](std::function<void()> abbrechen) {
            ++gezeigt;
            abbrechen(); // the user presses "Abbruch" at once
        };
        b.schliessen = [&geschlossen] { ++geschlossen; };
        QCOMPARE(felderDrucken(liste, nullptr, p, druckauftragInhalt, &b), -1);
        QCOMPARE(gezeigt, 1);
        QCOMPARE(geschlossen, 1);
    }
};

QTEST_MAIN(AusgabeDruckenTest)
#include "ausgabe_drucken_test.moc"
