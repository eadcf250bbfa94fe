#include "output/fenster/drucken.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include "output/fenster/ausgabefeld.h"
#include "output/fenster/dialogseam.h"

namespace {

// The layout scales tab positions from this resolution to the printer's.
double grundDpi()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? qRound(s->logicalDotsPerInchY()) : 96.0;
}

QTextCharFormat vollesFormat(const Ausgabefeld* feld, const QTextCharFormat& format)
{
    QTextCharFormat f;
    const QFont schrift = format.font().resolve(feld->document()->defaultFont());
    f.setFontFamilies(schrift.families().isEmpty() ? QStringList{schrift.family()} : schrift.families());
    double punkte = schrift.pointSizeF();
    if (punkte <= 0)
        punkte = schrift.pixelSize() > 0 ? schrift.pixelSize() * 72.0 / feld->logicalDpiY() : 10.0;
    f.setFontPointSize(punkte);
    f.setFontWeight(schrift.weight());
    f.setFontItalic(schrift.italic());
    f.setFontUnderline(schrift.underline());
    const bool eigeneFarbe
        = format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush;
    f.setForeground(eigeneFarbe ? format.foreground().color() : feld->palette().color(QPalette::Text));
    return f;
}

QTextBlockFormat absatzformat(const Ausgabefeld* feld, const QTextBlock* block)
{
    QTextBlockFormat b;
    QList<double> punkte = feld->tabstops();
    if (block && !block->blockFormat().tabPositions().isEmpty()) {
        punkte.clear();
        for (const QTextOption::Tab& t : block->blockFormat().tabPositions())
            punkte.append(t.position * 72.0 / feld->logicalDpiX());
    }
    QList<QTextOption::Tab> tabs;
    for (double p : punkte)
        tabs.append(QTextOption::Tab(p * grundDpi() / 72.0, QTextOption::LeftTab));
    b.setTabPositions(tabs);
    return b;
}

// Copies the pane block by block with full formats into the cursor's document.
void feldAnhaengen(QTextCursor& c, const Ausgabefeld* feld, bool ersterBlock)
{
    const QTextDocument* d = feld->document();
    if (feld->istLeer())
        return;
    if (feld->imSpeicher()) {
        const QTextCharFormat format = vollesFormat(feld, feld->endformat());
        const QTextBlockFormat absatz = absatzformat(feld, nullptr);
        const Zeilenspeicher& s = feld->speicher();
        for (qsizetype i = 0; i < s.anzahl(); ++i) {
            if (ersterBlock)
                c.setBlockFormat(absatz);
            else
                c.insertBlock(absatz, format);
            ersterBlock = false;
            c.setBlockCharFormat(format);
            c.insertText(s.zeile(i), format);
        }
        return;
    }
    for (QTextBlock b = d->firstBlock(); b.isValid(); b = b.next()) {
        if (ersterBlock)
            c.setBlockFormat(absatzformat(feld, &b));
        else
            c.insertBlock(absatzformat(feld, &b), vollesFormat(feld, b.charFormat()));
        ersterBlock = false;
        c.setBlockCharFormat(vollesFormat(feld, b.charFormat()));
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.isValid() && !f.charFormat().isImageFormat())
                c.insertText(f.text(), vollesFormat(feld, f.charFormat()));
        }
    }
}

} // namespace

QRect seitenrechteck(const QPrinter& drucker)
{
    const int lx = drucker.resolution();
    const int ly = drucker.resolution();
    const QRect papier = drucker.paperRect(QPrinter::DevicePixel).toRect();
    return QRect(QPoint(lx, 3 * ly / 2), QPoint(papier.width() - 3 * lx / 4 - 1, papier.height() - ly - 1));
}

std::unique_ptr<QTextDocument> druckdokument(const Ausgabefeld* feld, const Ausgabefeld* anhang)
{
    auto dok = std::make_unique<QTextDocument>();
    dok->setUndoRedoEnabled(false);
    dok->setDocumentMargin(0);
    if (!feld)
        return dok;
    // The pane does not wrap, but paper has an edge: what does not fit continues on the next
    // printed line, at a blank where there is one, else anywhere (long paths have none).
    QTextOption option = dok->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    dok->setDefaultTextOption(option);
    dok->setDefaultFont(feld->document()->defaultFont());

    QTextCursor c(dok.get());
    c.beginEditBlock();
    feldAnhaengen(c, feld, true);
    if (anhang) {
        // Separator lines in the format of the listing's end, as lines appended there would be.
        const QTextCharFormat trennformat = vollesFormat(feld, feld->endformat());
        const QString striche(trennlinieDruckenLaenge, u'_');
        bool erster = feld->istLeer();
        for (const QString& z : {QString(), striche, QString()}) {
            if (erster)
                c.setBlockFormat(absatzformat(feld, nullptr));
            else
                c.insertBlock(absatzformat(feld, nullptr), trennformat);
            erster = false;
            c.setBlockCharFormat(trennformat);
            c.insertText(z, trennformat);
        }
        feldAnhaengen(c, anhang, false);
    }
    c.endEditBlock();
    return dok;
}

bool dokumentDrucken(QTextDocument& dokument, QPrinter& drucker, const QString& titel,
                     const Druckbegleitung* begleitung)
{
    const bool vollseite = drucker.fullPage();
    drucker.setFullPage(true); // painter coordinates start at the paper's corner
    drucker.setDocName(titel);
    const QRect rechteck = seitenrechteck(drucker);

    dokument.setDocumentMargin(0);
    dokument.documentLayout()->setPaintDevice(&drucker);
    // The layout moves a line that would cross a page's bottom to the next page, so every line
    // is drawn whole on exactly one page.
    dokument.setPageSize(QSizeF(rechteck.width(), rechteck.height()));
    const int seiten = std::max(1, dokument.pageCount());

    QPainter maler;
    if (!maler.begin(&drucker)) {
        drucker.setFullPage(vollseite);
        return false;
    }
    bool abgebrochen = false;
    if (begleitung && begleitung->zeigen)
        begleitung->zeigen([&abgebrochen] { abgebrochen = true; });

    QAbstractTextDocumentLayout::PaintContext kontext;
    kontext.palette.setColor(QPalette::Text, Qt::black);
    const double hoehe = rechteck.height();
    for (int s = 0; s < seiten; ++s) {
        if (begleitung && begleitung->zeigen) {
            QCoreApplication::processEvents();
            if (abgebrochen)
                break;
        }
        if (s > 0)
            drucker.newPage();
        maler.save();
        maler.translate(rechteck.left(), rechteck.top() - s * hoehe);
        maler.setClipRect(QRectF(0, s * hoehe, rechteck.width(), hoehe));
        // The layout draws every line that touches the clip, also one that starts exactly at
        // the page's bottom; pulled in by half a pixel, only this page's own lines are drawn
        // (a clipped line would still leave its text in the print file).
        kontext.clip = QRectF(0, s * hoehe + 0.5, rechteck.width(), hoehe - 1);
        dokument.documentLayout()->draw(&maler, kontext);
        maler.restore();
    }
    if (abgebrochen)
        drucker.abort();
    maler.end();
    if (begleitung && begleitung->schliessen)
        begleitung->schliessen();
    drucker.setFullPage(vollseite);
    return !abgebrochen;
}

bool drucken(QWidget* eltern, QPrinter& drucker, Ausgabefeld* liste, Ausgabefeld* zusammenfassung, int ausgabeart,
             const Druckbegleitung* begleitung)
{
    if (!liste || !zusammenfassung || !Dialogseam::druckdialog(eltern, drucker))
        return false;
    if (ausgabeart == AusgabeartZusammenfassung) {
        auto dok = druckdokument(zusammenfassung, nullptr);
        return dokumentDrucken(*dok, drucker, druckauftragZusammenfassung, begleitung);
    }
    auto dok = druckdokument(liste, ausgabeart == AusgabeartBeides ? zusammenfassung : nullptr);
    return dokumentDrucken(*dok, drucker, druckauftragInhalt, begleitung);
}

bool druckerEinrichten(QWidget* eltern, QPrinter& drucker)
{
    return Dialogseam::druckereinrichtung(eltern, drucker);
}
