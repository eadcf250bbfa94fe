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
#include <QTextLayout>

#include <cmath>

#include "output/fenster/ausgabefeld.h"
#include "output/fenster/fensterdienste.h"

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
    f.setFontUnderline(unterstrichen(format, schrift));
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

// The blocks one print lays out: the pane's, then, with a summary attached, the separator block
// and the summary's. Read a range at a time, so a listing of any size is laid out in pieces.
class Druckquelle {
public:
    Druckquelle(const Ausgabefeld* feld, const Ausgabefeld* anhang)
        : m_feld(feld)
        , m_anhang(anhang)
    {
    }

    qsizetype anzahl() const
    {
        if (!m_feld)
            return 0;
        return bloecke(m_feld) + (m_anhang ? 3 + bloecke(m_anhang) : 0);
    }

    // Appends blocks [von, bis) at the cursor; the document's first block takes the first.
    void anhaengen(QTextCursor& c, qsizetype von, qsizetype bis) const
    {
        if (!m_feld)
            return;
        bool erster = true;
        const qsizetype n1 = bloecke(m_feld);
        if (von < n1)
            feldAnhaengen(c, m_feld, von, std::min(bis, n1), erster);
        if (!m_anhang)
            return;
        // Separator lines in the format of the listing's end, as lines appended there would be.
        const QTextCharFormat trennformat = vollesFormat(m_feld, m_feld->endformat());
        const QString striche(trennlinieDruckenLaenge, u'_');
        const QString trenner[] = {QString(), striche, QString()};
        for (qsizetype i = std::max(von, n1); i < std::min(bis, n1 + 3); ++i)
            blockAnfangen(c, absatzformat(m_feld, nullptr), trennformat, erster, trenner[i - n1]);
        if (bis > n1 + 3)
            feldAnhaengen(c, m_anhang, std::max<qsizetype>(von - n1 - 3, 0), bis - n1 - 3, erster);
    }

private:
    static qsizetype bloecke(const Ausgabefeld* feld)
    {
        if (feld->istLeer())
            return 0;
        return feld->imSpeicher() ? feld->modell().anzahl() : feld->document()->blockCount();
    }

    static void blockAnfangen(QTextCursor& c, const QTextBlockFormat& absatz, const QTextCharFormat& format,
                              bool& erster, const QString& text)
    {
        if (erster)
            c.setBlockFormat(absatz);
        else
            c.insertBlock(absatz, format);
        erster = false;
        c.setBlockCharFormat(format);
        if (!text.isEmpty())
            c.insertText(text, format);
    }

    // Copies blocks [von, bis) of the pane with full formats.
    static void feldAnhaengen(QTextCursor& c, const Ausgabefeld* feld, qsizetype von, qsizetype bis, bool& erster)
    {
        if (feld->imSpeicher()) {
            const QTextBlockFormat absatz = absatzformat(feld, nullptr);
            QHash<int, QTextCharFormat> formate;
            const auto format = [&](int nummer) {
                auto it = formate.constFind(nummer);
                if (it == formate.constEnd())
                    it = formate.insert(nummer, vollesFormat(feld, feld->zeichenformat(nummer)));
                return it.value();
            };
            const Zeilenmodell& m = feld->modell();
            for (qsizetype i = von; i < bis; ++i) {
                const Modellzeile z = m.mitFormaten(i);
                blockAnfangen(c, absatz, format(z.laeufe.isEmpty() ? 0 : z.laeufe.front().format), erster, {});
                qsizetype pos = 0;
                for (const Lauf& l : z.laeufe) {
                    if (l.laenge > 0)
                        c.insertText(z.text.mid(pos, l.laenge), format(l.format));
                    pos += l.laenge;
                }
            }
            return;
        }
        QTextBlock b = feld->document()->findBlockByNumber(int(von));
        for (qsizetype i = von; i < bis && b.isValid(); ++i, b = b.next()) {
            blockAnfangen(c, absatzformat(feld, &b), vollesFormat(feld, b.charFormat()), erster, {});
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.isValid() && !f.charFormat().isImageFormat())
                    c.insertText(f.text(), vollesFormat(feld, f.charFormat()));
            }
        }
    }

    const Ausgabefeld* m_feld;
    const Ausgabefeld* m_anhang;
};

std::unique_ptr<QTextDocument> leeresDruckdokument(const Ausgabefeld* feld)
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
    return dok;
}

std::unique_ptr<QTextDocument> stueckdokument(const Ausgabefeld* feld, const Druckquelle& quelle, qsizetype von,
                                              qsizetype bis)
{
    auto dok = leeresDruckdokument(feld);
    QTextCursor c(dok.get());
    c.beginEditBlock();
    quelle.anhaengen(c, von, bis);
    c.endEditBlock();
    return dok;
}

// The page each block's first and last line lands on.
struct Blockseiten {
    int erste = 0;
    int letzte = 0;
};

Blockseiten seitenDesBlocks(const QTextBlock& b, double hoehe)
{
    const QTextLayout* l = b.layout();
    if (!l || l->lineCount() == 0) {
        const int s = int(std::floor(l ? l->position().y() / hoehe : 0));
        return {s, s};
    }
    const double y0 = l->position().y();
    return {int(std::floor((y0 + l->lineAt(0).y()) / hoehe)),
            int(std::floor((y0 + l->lineAt(l->lineCount() - 1).y()) / hoehe))};
}

}  // namespace

QRect seitenrechteck(const QPrinter& drucker)
{
    const int lx = drucker.resolution();
    const int ly = drucker.resolution();
    const QRect papier = drucker.paperRect(QPrinter::DevicePixel).toRect();
    return QRect(QPoint(lx, 3 * ly / 2), QPoint(papier.width() - 3 * lx / 4 - 1, papier.height() - ly - 1));
}

std::unique_ptr<QTextDocument> druckdokument(const Ausgabefeld* feld, const Ausgabefeld* anhang)
{
    const Druckquelle quelle(feld, anhang);
    return stueckdokument(feld, quelle, 0, quelle.anzahl());
}

int felderDrucken(const Ausgabefeld* feld, const Ausgabefeld* anhang, QPrinter& drucker, const QString& titel,
                  const Druckbegleitung* begleitung)
{
    const bool vollseite = drucker.fullPage();
    drucker.setFullPage(true); // painter coordinates start at the paper's corner
    drucker.setDocName(titel);
    const QRect rechteck = seitenrechteck(drucker);
    const double hoehe = rechteck.height();

    QPainter maler;
    if (!maler.begin(&drucker)) {
        drucker.setFullPage(vollseite);
        return -1;
    }
    bool abgebrochen = false;
    if (begleitung && begleitung->zeigen)
        begleitung->zeigen([&abgebrochen] { abgebrochen = true; });

    // One laid-out document cannot hold a long listing: the text layout keeps positions in 26.6
    // fixed point, so past 2^25 device pixels (some 3,000 pages at 1,200 dpi) every line lands on
    // one spot. The blocks are laid out a piece at a time instead; a piece ends on the last page
    // that begins with a new block, and the next piece starts with that block on a fresh page, so
    // the pages come out as one document would give them.
    const Druckquelle quelle(feld, anhang);
    const qsizetype n = quelle.anzahl();
    qsizetype stueck = 1000;
    qsizetype von = 0;
    int gedruckt = 0;
    QAbstractTextDocumentLayout::PaintContext kontext;
    kontext.palette.setColor(QPalette::Text, Qt::black);
    while (!abgebrochen && (von < n || gedruckt == 0)) {
        const qsizetype bis = std::min(n, von + stueck);
        auto dok = stueckdokument(feld, quelle, von, bis);
        dok->documentLayout()->setPaintDevice(&drucker);
        // The layout moves a line that would cross a page's bottom to the next page, so every line
        // is drawn whole on exactly one page.
        dok->setPageSize(QSizeF(rechteck.width(), hoehe));
        int seiten = std::max(1, dok->pageCount());
        qsizetype weiter = bis;
        if (bis < n) {
            int neueSeite = 0;
            QTextBlock b = dok->lastBlock();
            for (; b.isValid() && b.previous().isValid(); b = b.previous()) {
                const int s = seitenDesBlocks(b, hoehe).erste;
                if (s > seitenDesBlocks(b.previous(), hoehe).letzte) {
                    neueSeite = s;
                    break;
                }
            }
            if (neueSeite == 0) {
                stueck *= 2; // one block longer than the piece's pages: take more at once
                continue;
            }
            seiten = neueSeite;
            weiter = von + b.blockNumber();
        }
        for (int s = 0; s < seiten; ++s) {
            if (begleitung && begleitung->zeigen) {
                QCoreApplication::processEvents();
                if (abgebrochen)
                    break;
            }
            if (gedruckt > 0)
                drucker.newPage();
            ++gedruckt;
            maler.save();
            maler.translate(rechteck.left(), rechteck.top() - s * hoehe);
            maler.setClipRect(QRectF(0, s * hoehe, rechteck.width(), hoehe));
            // The layout draws every line that touches the clip, also one that starts exactly at
            // the page's bottom; pulled in by half a pixel, only this page's own lines are drawn
            // (a clipped line would still leave its text in the print file).
            kontext.clip = QRectF(0, s * hoehe + 0.5, rechteck.width(), hoehe - 1);
            dok->documentLayout()->draw(&maler, kontext);
            maler.restore();
        }
        von = weiter;
        if (von >= n)
            break;
    }
    if (abgebrochen)
        drucker.abort();
    maler.end();
    if (begleitung && begleitung->schliessen)
        begleitung->schliessen();
    drucker.setFullPage(vollseite);
    return abgebrochen ? -1 : gedruckt;
}

bool drucken(QWidget* eltern, QPrinter& drucker, Ausgabefeld* liste, Ausgabefeld* zusammenfassung, int ausgabeart,
             const Druckbegleitung* begleitung)
{
    if (!liste || !zusammenfassung || !fensterdienste().druckdialog(eltern, drucker))
        return false;
    if (ausgabeart == AusgabeartZusammenfassung)
        return felderDrucken(zusammenfassung, nullptr, drucker, druckauftragZusammenfassung, begleitung) > 0;
    return felderDrucken(liste, ausgabeart == AusgabeartBeides ? zusammenfassung : nullptr, drucker,
                         druckauftragInhalt, begleitung)
           > 0;
}

bool druckerEinrichten(QWidget* eltern, QPrinter& drucker)
{
    return fensterdienste().druckereinrichtung(eltern, drucker);
}
