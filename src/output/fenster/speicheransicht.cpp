#include "output/fenster/speicheransicht.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextDocument>

#include "output/fenster/ausgabefeld.h"

namespace {

// The text layout's own word rule, which the document's word moves and double clicks follow.
bool worttrenner(QChar c)
{
    return QStringView(u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\").contains(c);
}

bool leerzeichen(QChar c)
{
    return c == u'\t' || c == u' ' || c == QChar::Nbsp || c == QChar::LineSeparator;
}

bool bearbeitet(QKeyEvent* e)
{
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

Speicheransicht::Speicheransicht(Ausgabefeld* feld, std::shared_ptr<const Zeilenmodell> modell)
    : QAbstractScrollArea(feld)
    , m_feld(feld)
    , m_modell(std::move(modell))
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

void Speicheransicht::abkoppeln()
{
    m_blinken.stop();
    m_rollen.stop();
    m_ziehen = false;
    m_anker = m_caret = {};
    m_modell = std::make_shared<const Zeilenmodell>(std::make_shared<const Zeilenspeicher>());
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
    const Modellzeile m = m_modell->mitFormaten(zeile);
    layout.setText(m.text);
    if (m.laeufe.size() > 1 || (!m.laeufe.isEmpty() && m.laeufe.front().format != 0)) {
        QList<QTextLayout::FormatRange> formate;
        int pos = 0;
        for (const Lauf& l : m.laeufe) {
            formate.append({pos, int(l.laenge), m_feld->zeichenformat(l.format)});
            pos += int(l.laenge);
        }
        layout.setFormats(formate);
    }
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

qsizetype Speicheransicht::zeilenlaenge(qsizetype zeile) const { return m_modell->laenge(zeile); }

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
    if (m_modell->laengste() != m_gemessen) {
        m_gemessen = m_modell->laengste();
        QTextLayout l;
        zeileSetzen(l, m_gemessen);
        m_breite = std::max(m_breite, l.lineAt(0).naturalTextWidth() + 2 * rand);
    }
    const qsizetype n = m_modell->anzahl();
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
    m_gezeigt = m_modell->anzahl();
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
    for (qsizetype z = oben; z < m_modell->anzahl() && y < viewport()->height(); ++z, y += h) {
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
    const qsizetype n = m_modell->anzahl();
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
    m_x = -1;
    m_seiteGueltig = false;
    blinkenNeu();
    viewport()->update();
    emit m_feld->cursorPositionChanged();
    emit m_feld->selectionChanged();
}

void Speicheransicht::bewegen(Textstelle ziel, bool auswahl, bool senkrecht, bool zeigen)
{
    const qsizetype n = m_modell->anzahl();
    ziel.zeile = std::clamp<qsizetype>(ziel.zeile, 0, std::max<qsizetype>(n - 1, 0));
    ziel.spalte = std::clamp<qsizetype>(ziel.spalte, 0, n ? zeilenlaenge(ziel.zeile) : 0);
    // Up and down keep the x where the caret was put last, as the document's caret does.
    const double x = m_x;
    m_feld->tippenBeenden();
    auswaehlen(auswahl ? m_anker : ziel, ziel);
    if (senkrecht)
        m_x = x;
    if (zeigen)
        caretZeigen();
}

void Speicheransicht::allesMarkieren()
{
    const qsizetype n = m_modell->anzahl();
    auswaehlen({}, n ? Textstelle{n - 1, zeilenlaenge(n - 1)} : Textstelle{});
}

double Speicheransicht::versatz(qsizetype oben) const
{
    // Above the first line lies the document's top margin; scrolled, the top line starts at 0.
    return oben == 0 ? -m_feld->document()->documentMargin() : 0;
}

double Speicheransicht::caretX() const
{
    QTextLayout l;
    zeileSetzen(l, m_caret.zeile);
    return l.lineAt(0).cursorToX(int(m_caret.spalte));
}

void Speicheransicht::obenSetzen(qsizetype zeile)
{
    QScrollBar* v = verticalScrollBar();
    v->setValue(int(std::clamp<qsizetype>(zeile, 0, v->maximum())));
}

void Speicheransicht::caretZeigen()
{
    if (m_modell->anzahl() == 0)
        return;
    const double h = zeilenhoehe();
    const double hoehe = viewport()->height();
    const qsizetype oben = verticalScrollBar()->value();
    const double y = (m_caret.zeile - oben) * h - versatz(oben);
    if (y < 0 || y + h > hoehe) {
        const double unten = (m_caret.zeile - oben + 1) * h;
        if (unten >= hoehe + versatz(oben)) {
            // The caret's line becomes the last one that fits, as far as lines above allow.
            double summe = h;
            qsizetype z = m_caret.zeile, danach = z;
            while (summe < hoehe && z > 0) {
                danach = z;
                --z;
                summe += h;
            }
            obenSetzen(summe - versatz(z) <= hoehe ? z : danach);
        } else if (unten - h < versatz(oben)) {
            obenSetzen(m_caret.zeile);
        }
    }
    const double rand = m_feld->document()->documentMargin();
    const int cx = int(caretX() + rand);
    QScrollBar* hz = horizontalScrollBar();
    m_breite = std::max(m_breite, double(cx) + rand);
    hz->setRange(0, std::max(0, int(m_breite) - viewport()->width()));
    const int links = cx - hz->value();
    if (links - 1 < 0 || links + 1 > viewport()->width() - 1)
        hz->setValue(cx - viewport()->width() / 2);
}

void Speicheransicht::seite(bool runter, bool auswahl)
{
    const qsizetype n = m_modell->anzahl();
    if (n == 0)
        return;
    caretZeigen();
    const double h = zeilenhoehe();
    const double rand = m_feld->document()->documentMargin();
    const double hoehe = viewport()->height();
    const auto blockhoehe = [&](qsizetype z) { return h + (z == n - 1 ? rand : 0); };
    qsizetype oben = verticalScrollBar()->value();
    if (!m_seiteGueltig)
        m_seiteY = (m_caret.zeile - oben) * h - versatz(oben);
    double zielY = m_seiteY;
    if (runter) {
        const double unten = hoehe + versatz(oben);
        double summe = 0;
        qsizetype z = oben;
        bool amEnde = false;
        while (summe + blockhoehe(z) <= unten) {
            if (z == n - 1) {
                amEnde = true;
                zielY = unten;
                break;
            }
            summe += blockhoehe(z);
            ++z;
        }
        if (!amEnde)
            obenSetzen(z);
    } else {
        const double obenKante = versatz(oben) - hoehe;
        double summe = 0;
        qsizetype z = oben;
        while (summe >= obenKante) {
            if (z == 0) {
                if (oben == 0)
                    zielY = 0;
                break;
            }
            --z;
            summe -= blockhoehe(z);
        }
        if (obenKante - summe > 0 && z + 1 < n && z + 1 != oben)
            ++z;
        obenSetzen(z);
    }
    // The caret keeps its place in the window, moved line by line so that it keeps its x.
    oben = verticalScrollBar()->value();
    zielY += versatz(oben);
    Textstelle ziel = m_caret;
    const auto y = [&](qsizetype zeile) { return (zeile - oben) * h; };
    do {
        if (!senkrecht(ziel, runter ? 1 : -1))
            break;
    } while (runter ? y(ziel.zeile) < zielY : y(ziel.zeile) > zielY);
    const double x = m_x;
    auswaehlen(auswahl ? m_anker : ziel, ziel);
    m_x = x;
    caretZeigen();
    m_seiteGueltig = true;
}

bool Speicheransicht::senkrecht(Textstelle& z, int richtung)
{
    const qsizetype ziel = z.zeile + richtung;
    if (ziel < 0 || ziel >= m_modell->anzahl())
        return false;
    if (m_x < 0)
        m_x = caretX();
    QTextLayout l;
    zeileSetzen(l, ziel);
    z = {ziel, l.lineAt(0).xToCursor(m_x)};
    return true;
}

void Speicheransicht::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint p = e->position().toPoint();
    if (m_dreifach.isValid() && m_dreifach.elapsed() < QApplication::doubleClickInterval()
        && (p - m_dreifachPunkt).manhattanLength() < QApplication::startDragDistance()) {
        // The third click takes the whole line and its end.
        m_dreifach.invalidate();
        const qsizetype z = m_caret.zeile;
        const bool letzte = z + 1 >= m_modell->anzahl();
        auswaehlen({z, 0}, letzte ? Textstelle{z, zeilenlaenge(z)} : Textstelle{z + 1, 0});
        m_feld->auswahlAnbieten(QClipboard::Selection);
        return;
    }
    m_ziehen = true;
    bewegen(stelleBei(p), e->modifiers() & Qt::ShiftModifier, false, false);
}

void Speicheransicht::mouseMoveEvent(QMouseEvent* e)
{
    if (!m_ziehen || !(e->buttons() & Qt::LeftButton))
        return;
    const QPoint p = e->position().toPoint();
    bewegen(stelleBei(p), true, false, false);
    // Outside the window the view scrolls on by itself, the faster the farther away the mouse is.
    if (viewport()->rect().contains(p))
        m_rollen.stop();
    else if (!m_rollen.isActive())
        m_rollen.start(100, this);
}

void Speicheransicht::mouseReleaseEvent(QMouseEvent*)
{
    // What the mouse selected is there for a middle click, as in every text field.
    if (m_ziehen && hatAuswahl())
        m_feld->auswahlAnbieten(QClipboard::Selection);
    m_ziehen = false;
    m_rollen.stop();
}

void Speicheransicht::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const Textstelle s = stelleBei(e->position().toPoint());
    const QString zeile = m_modell->zeile(s.zeile);
    qsizetype a = s.spalte, b = s.spalte;
    if (!zeile.isEmpty()) {
        // From just after the click back to a word's start, then forward over one word or one
        // run of separators.
        QTextLayout l;
        zeileSetzen(l, s.zeile);
        if (a > 0 && !(a == zeile.size() && (leerzeichen(zeile.at(a - 1)) || worttrenner(zeile.at(a - 1)))))
            a = l.previousCursorPosition(int(std::min<qsizetype>(a + 1, zeile.size())), QTextLayout::SkipWords);
        b = a;
        if (b < zeile.size() && worttrenner(zeile.at(b))) {
            while (b < zeile.size() && worttrenner(zeile.at(b)))
                ++b;
        } else {
            while (b < zeile.size() && !leerzeichen(zeile.at(b)) && !worttrenner(zeile.at(b)))
                ++b;
        }
    }
    auswaehlen({s.zeile, a}, {s.zeile, b});
    if (hatAuswahl())
        m_feld->auswahlAnbieten(QClipboard::Selection);
    m_dreifach.start();
    m_dreifachPunkt = e->position().toPoint();
}

Textstelle Speicheransicht::nachbar(Textstelle z, bool vor, QTextLayout::CursorMode art) const
{
    const qsizetype n = m_modell->anzahl();
    if (n == 0)
        return z;
    if (vor && z.spalte >= zeilenlaenge(z.zeile))
        return z.zeile + 1 < n ? Textstelle{z.zeile + 1, 0} : z;
    if (!vor && z.spalte == 0)
        return z.zeile > 0 ? Textstelle{z.zeile - 1, zeilenlaenge(z.zeile - 1)} : z;
    // Characters and words by the text layout's own rules.
    QTextLayout l;
    zeileSetzen(l, z.zeile);
    z.spalte = vor ? l.nextCursorPosition(int(z.spalte), art) : l.previousCursorPosition(int(z.spalte), art);
    return z;
}

bool Speicheransicht::tasteBearbeiten(QKeyEvent* e)
{
    const Textstelle von = std::min(m_anker, m_caret), bis = std::max(m_anker, m_caret);
    const bool auswahl = von != bis;
    // Deletes from `a` to `b`, or the selection if there is one.
    const auto loeschen = [&](Textstelle a, Textstelle b) {
        if (auswahl)
            m_feld->ersetzen(von, bis, QString());
        else if (a != b)
            m_feld->ersetzen(std::min(a, b), std::max(a, b), QString());
    };
    if (e == QKeySequence::Paste) {
        m_feld->einfuegenAusAblage();
    } else if (e == QKeySequence::Cut) {
        if (auswahl) {
            m_feld->kopiereAuswahl();
            loeschen(von, bis);
        }
    } else if (e == QKeySequence::InsertParagraphSeparator) {
        m_feld->ersetzen(von, bis, QStringLiteral("\n"));
    } else if (e == QKeySequence::InsertLineSeparator) {
        m_feld->ersetzen(von, bis, QString(QChar::LineSeparator));
    } else if (e == QKeySequence::DeleteStartOfWord) {
        loeschen(m_caret, nachbar(m_caret, false, QTextLayout::SkipWords));
    } else if (e == QKeySequence::DeleteEndOfWord) {
        loeschen(m_caret, nachbar(m_caret, true, QTextLayout::SkipWords));
    } else if (e == QKeySequence::Delete || e->key() == Qt::Key_Delete) {
        loeschen(m_caret, nachbar(m_caret, true, QTextLayout::SkipCharacters));
    } else if (e->key() == Qt::Key_Backspace && !(e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) {
        // One character back, a surrogate pair as one, across a line end.
        Textstelle ziel = m_caret;
        if (ziel.spalte > 0) {
            const QString zeile = m_modell->zeile(ziel.zeile);
            --ziel.spalte;
            if (ziel.spalte > 0 && zeile.at(ziel.spalte).isLowSurrogate() && zeile.at(ziel.spalte - 1).isHighSurrogate())
                --ziel.spalte;
        } else if (ziel.zeile > 0) {
            ziel = {ziel.zeile - 1, zeilenlaenge(ziel.zeile - 1)};
        }
        loeschen(m_caret, ziel);
    } else if (e->key() == Qt::Key_Tab && !(e->modifiers() & ~Qt::KeypadModifier)) {
        m_feld->ersetzen(von, bis, QStringLiteral("\t"), true);
    } else if (const QString t = e->text();
               !t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        m_feld->ersetzen(von, bis, t, true);
    } else {
        return false;
    }
    return true;
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
    if (e == QKeySequence::Undo || e == QKeySequence::Redo) {
        if (!m_feld->isReadOnly())
            e == QKeySequence::Undo ? m_feld->rueckgaengigMachen() : m_feld->wiederholenMachen();
        return;
    }
    if (bearbeitet(e)) {
        if (m_feld->isReadOnly() || tasteBearbeiten(e))
            return;
        // The rest needs the text document; the pane takes over the key from here.
        m_feld->dokumentAufbauen();
        QKeyEvent kopie(e->type(), e->key(), e->modifiers(), e->text(), e->isAutoRepeat(), ushort(e->count()));
        QCoreApplication::sendEvent(m_feld, &kopie);
        return;
    }
    if (e == QKeySequence::MoveToNextPage || e == QKeySequence::SelectNextPage
        || e == QKeySequence::MoveToPreviousPage || e == QKeySequence::SelectPreviousPage) {
        seite(e == QKeySequence::MoveToNextPage || e == QKeySequence::SelectNextPage,
              e == QKeySequence::SelectNextPage || e == QKeySequence::SelectPreviousPage);
        return;
    }
    const qsizetype n = m_modell->anzahl();
    Textstelle z = m_caret;
    const auto schritt = [&](bool vor, QTextLayout::CursorMode art) { z = nachbar(z, vor, art); };
    struct Zug {
        QKeySequence::StandardKey bewegen, waehlen;
        std::function<void()> tat;
        bool senkrecht = false;  // up and down: a move that cannot go on leaves everything as it is
    };
    // Left or right on a selection goes to its edge.
    const auto zeichen = [&](bool vor, bool waehlen) {
        if (!waehlen && hatAuswahl())
            z = vor ? std::max(m_anker, m_caret) : std::min(m_anker, m_caret);
        else
            schritt(vor, QTextLayout::SkipCharacters);
    };
    const Zug zuege[] = {
        {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar,
         [&] { zeichen(false, e == QKeySequence::SelectPreviousChar); }},
        {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar,
         [&] { zeichen(true, e == QKeySequence::SelectNextChar); }},
        {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, [&] { schritt(false, QTextLayout::SkipWords); }},
        {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, [&] { schritt(true, QTextLayout::SkipWords); }},
        {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, [&] { z.zeile = senkrecht(z, -1) ? z.zeile : -1; }, true},
        {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, [&] { z.zeile = senkrecht(z, 1) ? z.zeile : -1; }, true},
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
            if (z.zeile >= 0)
                bewegen(z, waehlen, zug.senkrecht);
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
    if (e->timerId() == m_rollen.timerId()) {
        const QRect sichtbar = viewport()->rect();
        const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
        bewegen(stelleBei(p), true, false, false);
        const int dy = std::max(p.y() - sichtbar.top(), sichtbar.bottom() - p.y()) - sichtbar.height();
        const int dx = std::max(p.x() - sichtbar.left(), sichtbar.right() - p.x()) - sichtbar.width();
        const int abstand = std::max({dx, dy, 7});
        if (std::max(dx, dy) >= 0) {
            m_rollen.start(4900 / (abstand * abstand), this);
            if (dy > 0)
                verticalScrollBar()->triggerAction(p.y() < sichtbar.center().y() ? QAbstractSlider::SliderSingleStepSub
                                                                                  : QAbstractSlider::SliderSingleStepAdd);
            if (dx > 0)
                horizontalScrollBar()->triggerAction(p.x() < sichtbar.center().x()
                                                         ? QAbstractSlider::SliderSingleStepSub
                                                         : QAbstractSlider::SliderSingleStepAdd);
        }
        return;
    }
    if (e->timerId() != m_blinken.timerId())
        return QAbstractScrollArea::timerEvent(e);
    m_caretSichtbar = !m_caretSichtbar;
    viewport()->update();
}
