#include "output/fenster/ausgabefeld.h"

#include <QMimeData>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextFragment>
#include <QTextOption>

namespace {
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
}

void Ausgabefeld::zeile(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    zeileUtf8(utf8.constData(), utf8.size());
}

void Ausgabefeld::zeileUtf8(const char* daten, qsizetype laenge)
{
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
}

void Ausgabefeld::leeren()
{
    m_puffer.clear();
    m_gepuffert = 0;
    m_angehaengt = false;
    clear();
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
    const QTextCursor c = textCursor();
    auto* daten = new QMimeData;
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
