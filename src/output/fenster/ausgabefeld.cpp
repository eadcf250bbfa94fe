#include "output/fenster/ausgabefeld.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPalette>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextFragment>
#include <QTextOption>

#include "output/fenster/speicheransicht.h"
#include "platform/plattform.h"

namespace {

// A selection of store lines, turned into text only when someone asks: a copy of a million
// lines costs nothing until another program pastes it.
class Auswahldaten : public QMimeData {
public:
    Auswahldaten(std::shared_ptr<const Zeilenspeicher> speicher, Textstelle von, Textstelle bis, QFont schrift)
        : m_speicher(std::move(speicher))
        , m_von(von)
        , m_bis(bis)
        , m_schrift(std::move(schrift))
    {
    }

    QStringList formats() const override
    {
        return m_von == m_bis ? QStringList() : QStringList{QStringLiteral("text/plain"), QStringLiteral("text/html")};
    }
    bool hasFormat(const QString& art) const override { return formats().contains(art); }

protected:
    QVariant retrieveData(const QString& art, QMetaType) const override
    {
        if (!hasFormat(art))
            return {};
        const QString text = m_speicher->text(m_von, m_bis);
        if (art == u"text/plain")
            return text;
        // The rich text of store lines is that of the same lines in a document of the pane's look,
        // laid out a thousand lines at a time.
        QString html;
        qsizetype ab = 0;
        while (ab <= text.size()) {
            qsizetype bis = ab;
            for (int n = 0; n < 1000 && bis >= 0; ++n)
                bis = text.indexOf(u'\n', bis + (n ? 1 : 0));
            const bool letztes = bis < 0;
            QTextDocument stueck;
            stueck.setDefaultFont(m_schrift);
            stueck.setUndoRedoEnabled(false);
            QTextCursor(&stueck).insertText(text.mid(ab, letztes ? -1 : bis - ab));
            const QString teil = QTextDocumentFragment(&stueck).toHtml();
            // Each piece marks where it ends (and where it starts, unless with an empty line); the
            // pieces join at a paragraph end.
            const QLatin1StringView anfang("<!--StartFragment-->"), ende("<!--EndFragment-->");
            const qsizetype e = teil.lastIndexOf(ende);
            const qsizetype p = teil.indexOf(QLatin1StringView("<p"), teil.indexOf(QLatin1StringView("<body")));
            if (e < 0 || p < 0 || p > e)
                return {};
            if (ab == 0) {
                html += QStringView(teil).left(e);
            } else {
                html += QLatin1StringView("</p>\n");
                QString koerper = teil.mid(p, e - p);
                if (const qsizetype a = koerper.indexOf(anfang); a >= 0)
                    koerper.remove(a, anfang.size());
                html += koerper;
            }
            if (letztes) {
                html += QStringView(teil).mid(e);
                break;
            }
            ab = bis + 1;
        }
        return html;
    }

private:
    std::shared_ptr<const Zeilenspeicher> m_speicher;
    Textstelle m_von, m_bis;
    QFont m_schrift;
};

// Past this many buffered lines a batch is appended even between progress steps, so that
// a search without the wait window does not hold the whole listing twice.
constexpr int maxGepuffert = 20000;
}  // namespace

Ausgabefeld::Ausgabefeld(QWidget* parent)
    : QPlainTextEdit(parent)
{
    QFont schrift(QStringLiteral("Arial"), 10);
    setFont(schrift);
    document()->setDefaultFont(schrift);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
    setUndoRedoEnabled(true);
    // Program output goes in with the undo stack off, so a command on it is the user's edit.
    connect(document(), &QTextDocument::undoCommandAdded, this, [this] {
        if (m_speicherAb > 0 && !m_bearbeitet) {
            m_bearbeitet = true;
            m_speicher = std::make_shared<Zeilenspeicher>();
        }
    });
}

void Ausgabefeld::zeile(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    zeileUtf8(utf8.constData(), utf8.size());
}

void Ausgabefeld::zeileUtf8(const char* daten, qsizetype laenge)
{
    if (m_speicherAb > 0 && !m_bearbeitet) {
        m_speicher->anhaengen(daten, laenge);
        if (m_ansicht) {
            if (++m_gepuffert >= maxGepuffert)
                puffernLeeren();
            return;
        }
    }
    // Lines collect as UTF-8 in one buffer and are decoded once per batch: a million small
    // strings cost more than the text itself.
    if (m_gepuffert > 0)
        m_puffer.append('\n');
    m_puffer.append(daten, laenge);
    if (++m_gepuffert >= maxGepuffert)
        puffernLeeren();
}

void Ausgabefeld::puffernLeeren()
{
    if (m_gepuffert == 0)
        return;
    if (m_ansicht) {
        m_gepuffert = 0;
        m_ansicht->gewachsen();
        return;
    }
    if (m_speicherAb > 0 && !m_bearbeitet && m_speicher->anzahl() > m_speicherAb) {
        // From here the store alone holds the listing; the document's share of it goes.
        m_puffer = QByteArray();
        m_gepuffert = 0;
        const bool fokus = hasFocus();
        QPlainTextEdit::clear();
        m_ansicht = new Speicheransicht(this, m_speicher.get());
        // The pane's own scroll bars would show its empty document over the view's.
        eigeneLeisten(false);
        m_ansicht->setGeometry(rect());
        m_ansicht->show();
        setFocusProxy(m_ansicht);
        if (fokus)
            m_ansicht->setFocus();
        m_ansicht->aktualisieren();
        return;
    }
    // An empty first line leaves the document empty, so ask for blocks with text or a prior append.
    const bool leer = !m_angehaengt && document()->isEmpty();
    if (!leer)
        m_puffer.prepend('\n');
    const QString text = QString::fromUtf8(m_puffer);
    m_puffer.resize(0);
    m_gepuffert = 0;
    m_angehaengt = true;

    // Program output is not an edit the user wants to undo, and keeping it on the undo stack
    // would double the memory of a large listing.
    const bool rueckgaengig = document()->isUndoRedoEnabled();
    document()->setUndoRedoEnabled(false);
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    c.insertText(text);
    document()->setUndoRedoEnabled(rueckgaengig);
    // The caret of an empty pane sat where the text went in and moved with it; it stays at the start.
    if (leer)
        setTextCursor(QTextCursor(document()));
}

void Ausgabefeld::ansichtEntfernen()
{
    if (!m_ansicht)
        return;
    const bool fokus = m_ansicht->hasFocus();
    eigeneLeisten(true);
    setFocusProxy(nullptr);
    m_ansicht->hide();
    // It may be the receiver of the event that led here.
    m_ansicht->deleteLater();
    m_ansicht = nullptr;
    if (fokus)
        setFocus();
}

void Ausgabefeld::eigeneLeisten(bool an)
{
    if (!an && !m_leistenAus) {
        m_leisten = {horizontalScrollBarPolicy(), verticalScrollBarPolicy()};
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_leistenAus = true;
    } else if (an && m_leistenAus) {
        setHorizontalScrollBarPolicy(m_leisten.first);
        setVerticalScrollBarPolicy(m_leisten.second);
        m_leistenAus = false;
    }
}

void Ausgabefeld::leeren()
{
    const bool gross = zeilenzahl() > 10000;
    m_puffer.clear();
    m_gepuffert = 0;
    m_angehaengt = false;
    ansichtEntfernen();
    m_speicher = std::make_shared<Zeilenspeicher>();
    m_bearbeitet = false;
    clear();
    if (gross)
        plattform::freienSpeicherAbgeben();
}

void Ausgabefeld::dokumentAufbauen()
{
    if (!m_ansicht)
        return;
    const Textstelle anker = m_ansicht->anker();
    const Textstelle caret = m_ansicht->caret();
    const int oben = m_ansicht->verticalScrollBar()->value();
    const int links = m_ansicht->horizontalScrollBar()->value();
    Speicheransicht* ansicht = m_ansicht;
    m_ansicht = nullptr;
    // The lines go in as program output, one block each, as if they had never left the document.
    m_bearbeitet = true;
    m_gepuffert = 0;
    m_puffer.clear();
    m_angehaengt = false;
    for (qsizetype z = 0; z < m_speicher->anzahl(); ++z) {
        const QByteArrayView zeile = m_speicher->utf8(z);
        zeileUtf8(zeile.data(), zeile.size());
    }
    puffernLeeren();
    m_speicher = std::make_shared<Zeilenspeicher>();
    eigeneLeisten(true);
    const auto position = [this](Textstelle s) {
        const QTextBlock b = document()->findBlockByNumber(int(s.zeile));
        return b.isValid() ? b.position() + int(std::min<qsizetype>(s.spalte, b.length() - 1)) : 0;
    };
    QTextCursor c(document());
    c.setPosition(position(anker));
    c.setPosition(position(caret), QTextCursor::KeepAnchor);
    setTextCursor(c);
    verticalScrollBar()->setValue(oben);
    horizontalScrollBar()->setValue(links);
    m_ansicht = ansicht;
    ansichtEntfernen();
}

QTextCharFormat Ausgabefeld::endformat() const
{
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    return c.charFormat();
}

qsizetype Ausgabefeld::zeilenzahl() const
{
    if (m_ansicht)
        return m_speicher->anzahl();
    return istLeer() ? 0 : document()->blockCount();
}

bool Ausgabefeld::istLeer() const
{
    if (m_ansicht)
        return m_speicher->anzahl() == 0;
    return document()->blockCount() == 1 && document()->firstBlock().length() <= 1;
}

bool Ausgabefeld::hatAuswahl() const { return m_ansicht ? m_ansicht->hatAuswahl() : textCursor().hasSelection(); }

void Ausgabefeld::markiereAlles()
{
    setFocus();
    if (m_ansicht)
        m_ansicht->allesMarkieren();
    else
        selectAll();
}

void Ausgabefeld::kopiereAuswahl()
{
    if (!hatAuswahl())
        return;
    if (m_ansicht)
        auswahlAnbieten(QClipboard::Clipboard);
    else
        copy();
}

void Ausgabefeld::auswahlAnbieten(QClipboard::Mode art)
{
    QClipboard* ablage = QGuiApplication::clipboard();
    if (art == QClipboard::Clipboard || ablage->supportsSelection())
        ablage->setMimeData(createMimeDataFromSelection(), art);
}

bool Ausgabefeld::weitersuchen(const QString& text, QTextDocument::FindFlags optionen)
{
    if (!m_ansicht) {
        const QTextCursor c = textCursor();
        return suchen(text, c.hasSelection() ? c.selectionEnd() : 0, optionen);
    }
    if (text.isEmpty())
        return false;
    const Textstelle ab = m_ansicht->hatAuswahl() ? std::max(m_ansicht->anker(), m_ansicht->caret()) : Textstelle{};
    const auto treffer = m_speicher->suchen(text, ab,
                                           optionen & QTextDocument::FindCaseSensitively ? Qt::CaseSensitive
                                                                                        : Qt::CaseInsensitive,
                                           optionen & QTextDocument::FindWholeWords);
    if (!treffer)
        return false;
    m_ansicht->auswaehlen(*treffer, {treffer->zeile, treffer->spalte + text.size()});
    m_ansicht->caretZeigen();
    return true;
}

void Ausgabefeld::resizeEvent(QResizeEvent* e)
{
    QPlainTextEdit::resizeEvent(e);
    if (m_ansicht)
        m_ansicht->setGeometry(rect());
}

void Ausgabefeld::changeEvent(QEvent* e)
{
    QPlainTextEdit::changeEvent(e);
    if (m_ansicht && (e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange))
        m_ansicht->aktualisieren();
}

void Ausgabefeld::setzeTabstops(const QList<double>& punkte)
{
    m_tabstops = punkte;
    const double pixelProPunkt = logicalDpiX() / 72.0;
    QList<QTextOption::Tab> tabs;
    for (double p : punkte)
        tabs.append(QTextOption::Tab(p * pixelProPunkt, QTextOption::LeftTab));
    QTextOption option = document()->defaultTextOption();
    option.setTabs(tabs);
    option.setWrapMode(QTextOption::NoWrap);
    document()->setDefaultTextOption(option);
    if (m_ansicht)
        m_ansicht->aktualisieren();
}

void Ausgabefeld::setzeGrundschrift(const QFont& schrift)
{
    setFont(schrift);
    document()->setDefaultFont(schrift);
}

void Ausgabefeld::setzeSchriftfarbe(const QColor& farbe)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, farbe);
    setPalette(p);
}

void Ausgabefeld::setzeHintergrund(const QColor& farbe)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, farbe);
    setPalette(p);
}

QTextCharFormat Ausgabefeld::zielformat() const
{
    const QTextCursor c = textCursor();
    if (c.hasSelection())
        return c.charFormat();
    return currentCharFormat();
}

void Ausgabefeld::formatAnwenden(const QTextCharFormat& format)
{
    // Without a selection this changes the format at the caret, which new text takes.
    mergeCurrentCharFormat(format);
}

bool Ausgabefeld::suchen(const QString& text, int ab, QTextDocument::FindFlags optionen)
{
    if (text.isEmpty())
        return false;
    const QTextCursor treffer = document()->find(text, ab, optionen);
    if (treffer.isNull())
        return false;
    setTextCursor(treffer);
    return true;
}

QMimeData* Ausgabefeld::createMimeDataFromSelection() const
{
    if (m_ansicht)
        return new Auswahldaten(m_speicher, std::min(m_ansicht->anker(), m_ansicht->caret()),
                                std::max(m_ansicht->anker(), m_ansicht->caret()), document()->defaultFont());
    auto* daten = new QMimeData;
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return daten;
    const QTextDocumentFragment stueck = c.selection();
    // The document separates paragraphs with U+2029; other programs expect line ends.
    QString text = c.selectedText();
    text.replace(QChar::ParagraphSeparator, QChar(u'\n'));
    text.replace(QChar::LineSeparator, QChar(u'\n'));
    daten->setText(text);
    daten->setHtml(stueck.toHtml());
    return daten;
}

bool Ausgabefeld::canInsertFromMimeData(const QMimeData* quelle) const
{
    return quelle->hasHtml() || quelle->hasText();
}

void Ausgabefeld::insertFromMimeData(const QMimeData* quelle)
{
    if (isReadOnly())
        return;
    QTextCursor c = textCursor();
    if (quelle->hasHtml()) {
        // Tables and frames have no place in a plain-text layout: keep the character formats
        // and flatten everything else into paragraphs.
        QTextDocument zwischen;
        zwischen.setHtml(quelle->html());
        c.beginEditBlock();
        bool erster = true;
        for (QTextBlock b = zwischen.begin(); b.isValid(); b = b.next()) {
            if (!erster)
                c.insertBlock();
            erster = false;
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.isValid() && !f.charFormat().isImageFormat())
                    c.insertText(f.text(), f.charFormat());
            }
        }
        c.endEditBlock();
    } else if (quelle->hasText()) {
        c.insertText(quelle->text());
    } else {
        return;
    }
    setTextCursor(c);
    ensureCursorVisible();
}
