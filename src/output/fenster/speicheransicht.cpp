#include "output/fenster/speicheransicht.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>

#include "output/fenster/ausgabefeld.h"

namespace {

bool wortzeichen(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

bool bearbeitet(QKeyEvent* e)
{
    // Undo has nothing to take back here: program lines are not on the undo stack.
    if (e == QKeySequence::Undo || e == QKeySequence::Redo)
        return false;
    if (e == QKeySequence::Paste || e == QKeySequence::Cut || e == QKeySequence::Delete || e == QKeySequence::DeleteEndOfWord || e == QKeySequence::DeleteStartOfWord
        || e == QKeySequence::DeleteEndOfLine || e == QKeySequence::InsertParagraphSeparator
        || e == QKeySequence::InsertLineSeparator)
        return true;
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        return true;
    default:
        break;
    }
    const QString t = e->text();
    return !t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

}  // namespace

Speicheransicht::Speicheransicht(Ausgabefeld* feld, const Zeilenspeicher* speicher)
    : QAbstractScrollArea(feld)
    , m_feld(feld)
    , m_speicher(speicher)
{
    setObjectName(QStringLiteral("Zeilenansicht"));
    setFrameStyle(feld->frameStyle());
    setHorizontalScrollBarPolicy(feld->horizontalScrollBarPolicy());
    setVerticalScrollBarPolicy(feld->verticalScrollBarPolicy());
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

double Speicheransicht::zeilenhoehe() const
{
    QTextLayout l(QStringLiteral("X"), m_feld->font());
    l.beginLayout();
    QTextLine z = l.createLine();
    z.setLeadingIncluded(true);
    l.endLayout();
    return std::max(1.0, z.height());
}

int Speicheransicht::sichtbareZeilen() const
{
    const double rand = m_feld->document()->documentMargin();
    return std::max(1, int((viewport()->height() - rand - 1) / zeilenhoehe()));
}

void Speicheransicht::zeileSetzen(QTextLayout& layout, qsizetype zeile) const
{
    layout.setText(m_speicher->zeile(zeile));
    layout.setFont(m_feld->font());
    QTextOption option = m_feld->document()->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine z = layout.createLine();
    if (z.isValid()) {
        z.setLeadingIncluded(true);
        z.setLineWidth(1e9);
        z.setPosition(QPointF(0, 0));
    }
    layout.endLayout();
}

qsizetype Speicheransicht::zeilenlaenge(qsizetype zeile) const { return m_speicher->zeile(zeile).size(); }

void Speicheransicht::aktualisieren()
{
    raise();
    if (font() != m_feld->font())
        setFont(m_feld->font());
    m_breite = 0;
    m_gemessen = -1;
    m_gezeigt = -1;
    gewachsen();
}

void Speicheransicht::gewachsen()
{
    const double rand = m_feld->document()->documentMargin();
    if (m_speicher->laengste() != m_gemessen) {
        m_gemessen = m_speicher->laengste();
        QTextLayout l;
        zeileSetzen(l, m_gemessen);
        m_breite = std::max(m_breite, l.lineAt(0).naturalTextWidth() + 2 * rand);
    }
    const qsizetype n = m_speicher->anzahl();
    const int sichtbar = sichtbareZeilen();
    verticalScrollBar()->setRange(0, int(std::clamp<qsizetype>(n - sichtbar, 0, INT_MAX)));
    verticalScrollBar()->setPageStep(sichtbar);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, std::max(0, int(m_breite) - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(20);
    // During a walk the new lines are mostly below the view: the scroll bars say enough then.
    if (m_gezeigt < 0 || m_gezeigt <= verticalScrollBar()->value() + sichtbar)
        viewport()->update();
}

void Speicheransicht::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    aktualisieren();
}

void Speicheransicht::scrollContentsBy(int, int) { viewport()->update(); }

void Speicheransicht::paintEvent(QPaintEvent*)
{
    m_gezeigt = m_speicher->anzahl();
    QPainter p(viewport());
    const QPalette& farben = m_feld->palette();
    p.fillRect(viewport()->rect(), farben.brush(QPalette::Base));
    p.setPen(farben.color(QPalette::Text));
    const double rand = m_feld->document()->documentMargin();
    const double h = zeilenhoehe();
    const qsizetype oben = verticalScrollBar()->value();
    double y = oben == 0 ? rand : 0;
    const double x = rand - horizontalScrollBar()->value();
    const Textstelle von = std::min(m_anker, m_caret);
    const Textstelle bis = std::max(m_anker, m_caret);
    for (qsizetype z = oben; z < m_speicher->anzahl() && y < viewport()->height(); ++z, y += h) {
        QTextLayout l;
        zeileSetzen(l, z);
        m_breite = std::max(m_breite, l.lineAt(0).naturalTextWidth() + 2 * rand);
        QList<QTextLayout::FormatRange> auswahl;
        if (hatAuswahl() && z >= von.zeile && z <= bis.zeile) {
            QTextLayout::FormatRange r;
            r.start = int(z == von.zeile ? von.spalte : 0);
            const int ende = int(z == bis.zeile ? bis.spalte : l.text().size());
            r.length = ende - r.start;
            r.format.setBackground(farben.brush(QPalette::Highlight));
            r.format.setForeground(farben.brush(QPalette::HighlightedText));
            auswahl.append(r);
            // The line end is part of the selection: show it as a blank's width, as the editor does.
            if (z < bis.zeile) {
                const double ex = x + l.lineAt(0).cursorToX(l.text().size());
                p.fillRect(QRectF(ex, y, QFontMetricsF(font()).horizontalAdvance(u' '), h),
                           farben.brush(QPalette::Highlight));
            }
        }
        l.draw(&p, QPointF(x, y), auswahl);
        if (z == m_caret.zeile && hasFocus() && m_caretSichtbar)
            l.drawCursor(&p, QPointF(x, y), int(m_caret.spalte), 1);
    }
    horizontalScrollBar()->setRange(0, std::max(0, int(m_breite) - viewport()->width()));
}

Textstelle Speicheransicht::stelleBei(const QPoint& punkt) const
{
    const qsizetype n = m_speicher->anzahl();
    if (n == 0)
        return {};
    const double rand = m_feld->document()->documentMargin();
    const qsizetype oben = verticalScrollBar()->value();
    const double y0 = oben == 0 ? rand : 0;
    qsizetype z = oben + qsizetype(std::floor((punkt.y() - y0) / zeilenhoehe()));
    z = std::clamp<qsizetype>(z, 0, n - 1);
    QTextLayout l;
    zeileSetzen(l, z);
    const double x = punkt.x() - (rand - horizontalScrollBar()->value());
    return {z, l.lineAt(0).xToCursor(x)};
}

void Speicheransicht::auswaehlen(Textstelle anker, Textstelle caret)
{
    m_anker = anker;
    m_caret = caret;
    blinkenNeu();
    viewport()->update();
    emit m_feld->cursorPositionChanged();
    emit m_feld->selectionChanged();
}

void Speicheransicht::bewegen(Textstelle ziel, bool auswahl)
{
    const qsizetype n = m_speicher->anzahl();
    ziel.zeile = std::clamp<qsizetype>(ziel.zeile, 0, std::max<qsizetype>(n - 1, 0));
    ziel.spalte = std::clamp<qsizetype>(ziel.spalte, 0, n ? zeilenlaenge(ziel.zeile) : 0);
    auswaehlen(auswahl ? m_anker : ziel, ziel);
    caretZeigen();
}

void Speicheransicht::allesMarkieren()
{
    const qsizetype n = m_speicher->anzahl();
    auswaehlen({}, n ? Textstelle{n - 1, zeilenlaenge(n - 1)} : Textstelle{});
}

QString Speicheransicht::ausgewaehlterText() const
{
    const Textstelle von = std::min(m_anker, m_caret);
    const Textstelle bis = std::max(m_anker, m_caret);
    QString text;
    for (qsizetype z = von.zeile; z <= bis.zeile && z < m_speicher->anzahl(); ++z) {
        const QString zeile = m_speicher->zeile(z);
        const qsizetype a = z == von.zeile ? von.spalte : 0;
        const qsizetype e = z == bis.zeile ? bis.spalte : zeile.size();
        if (z > von.zeile)
            text += u'\n';
        text += QStringView(zeile).mid(a, e - a);
    }
    return text;
}

void Speicheransicht::caretZeigen()
{
    const int sichtbar = sichtbareZeilen();
    QScrollBar* v = verticalScrollBar();
    if (m_caret.zeile < v->value())
        v->setValue(int(m_caret.zeile));
    else if (m_caret.zeile >= v->value() + sichtbar)
        v->setValue(int(m_caret.zeile - sichtbar + 1));
    QTextLayout l;
    zeileSetzen(l, m_caret.zeile);
    const double rand = m_feld->document()->documentMargin();
    const int cx = int(l.lineAt(0).cursorToX(int(m_caret.spalte)) + rand);
    QScrollBar* hz = horizontalScrollBar();
    m_breite = std::max(m_breite, double(cx) + rand);
    hz->setRange(0, std::max(0, int(m_breite) - viewport()->width()));
    if (cx < hz->value())
        hz->setValue(std::max(0, cx - viewport()->width() / 3));
    else if (cx >= hz->value() + viewport()->width())
        hz->setValue(cx - viewport()->width() * 2 / 3);
}

void Speicheransicht::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    m_ziehen = true;
    bewegen(stelleBei(e->position().toPoint()), e->modifiers() & Qt::ShiftModifier);
}

void Speicheransicht::mouseMoveEvent(QMouseEvent* e)
{
    if (m_ziehen && (e->buttons() & Qt::LeftButton))
        bewegen(stelleBei(e->position().toPoint()), true);
}

void Speicheransicht::mouseReleaseEvent(QMouseEvent*) { m_ziehen = false; }

void Speicheransicht::mouseDoubleClickEvent(QMouseEvent* e)
{
    const Textstelle s = stelleBei(e->position().toPoint());
    const QString zeile = m_speicher->zeile(s.zeile);
    qsizetype a = s.spalte, b = s.spalte;
    while (a > 0 && wortzeichen(zeile.at(a - 1)))
        --a;
    while (b < zeile.size() && wortzeichen(zeile.at(b)))
        ++b;
    auswaehlen({s.zeile, a}, {s.zeile, b});
}

void Speicheransicht::keyPressEvent(QKeyEvent* e)
{
    if (e == QKeySequence::SelectAll) {
        allesMarkieren();
        return;
    }
    if (e == QKeySequence::Copy) {
        m_feld->kopiereAuswahl();
        return;
    }
    if (bearbeitet(e)) {
        if (m_feld->isReadOnly())
            return;
        // Editing needs the text document; the pane takes over the key from here.
        m_feld->dokumentAufbauen();
        QKeyEvent kopie(e->type(), e->key(), e->modifiers(), e->text(), e->isAutoRepeat(), ushort(e->count()));
        QCoreApplication::sendEvent(m_feld, &kopie);
        return;
    }
    const qsizetype n = m_speicher->anzahl();
    Textstelle z = m_caret;
    const int seite = sichtbareZeilen();
    const auto links = [&] {
        if (z.spalte > 0)
            --z.spalte;
        else if (z.zeile > 0)
            z = {z.zeile - 1, zeilenlaenge(z.zeile - 1)};
    };
    const auto rechts = [&] {
        if (z.spalte < zeilenlaenge(z.zeile))
            ++z.spalte;
        else if (z.zeile + 1 < n)
            z = {z.zeile + 1, 0};
    };
    const auto wortLinks = [&] {
        const QString t = m_speicher->zeile(z.zeile);
        if (z.spalte == 0)
            return links();
        while (z.spalte > 0 && !wortzeichen(t.at(z.spalte - 1)))
            --z.spalte;
        while (z.spalte > 0 && wortzeichen(t.at(z.spalte - 1)))
            --z.spalte;
    };
    const auto wortRechts = [&] {
        const QString t = m_speicher->zeile(z.zeile);
        if (z.spalte >= t.size())
            return rechts();
        while (z.spalte < t.size() && wortzeichen(t.at(z.spalte)))
            ++z.spalte;
        while (z.spalte < t.size() && !wortzeichen(t.at(z.spalte)))
            ++z.spalte;
    };
    struct Zug {
        QKeySequence::StandardKey bewegen, waehlen;
        std::function<void()> tat;
    };
    const Zug zuege[] = {
        {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, links},
        {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, rechts},
        {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, wortLinks},
        {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, wortRechts},
        {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, [&] { --z.zeile; }},
        {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, [&] { ++z.zeile; }},
        {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, [&] { z.zeile -= seite; }},
        {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, [&] { z.zeile += seite; }},
        {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, [&] { z.spalte = 0; }},
        {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, [&] { z.spalte = zeilenlaenge(z.zeile); }},
        {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, [&] { z = {}; }},
        {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument,
         [&] { z = n ? Textstelle{n - 1, zeilenlaenge(n - 1)} : Textstelle{}; }},
    };
    for (const Zug& zug : zuege) {
        const bool waehlen = e == zug.waehlen;
        if (waehlen || e == zug.bewegen) {
            zug.tat();
            bewegen(z, waehlen);
            return;
        }
    }
    QAbstractScrollArea::keyPressEvent(e);
}

void Speicheransicht::contextMenuEvent(QContextMenuEvent* e)
{
    if (m_feld->contextMenuPolicy() == Qt::CustomContextMenu)
        emit m_feld->customContextMenuRequested(m_feld->viewport()->mapFromGlobal(e->globalPos()));
}

void Speicheransicht::blinkenNeu()
{
    m_caretSichtbar = true;
    const int zeit = QApplication::cursorFlashTime();
    if (hasFocus() && zeit > 0)
        m_blinken.start(zeit / 2, this);
    else
        m_blinken.stop();
}

void Speicheransicht::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    blinkenNeu();
    viewport()->update();
}

void Speicheransicht::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    m_blinken.stop();
    viewport()->update();
}

void Speicheransicht::timerEvent(QTimerEvent* e)
{
    if (e->timerId() != m_blinken.timerId())
        return QAbstractScrollArea::timerEvent(e);
    m_caretSichtbar = !m_caretSichtbar;
    viewport()->update();
}
