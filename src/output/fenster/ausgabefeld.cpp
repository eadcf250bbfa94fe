#include "output/fenster/ausgabefeld.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPalette>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextFragment>
#include <QTextOption>

#include "output/fenster/fensterdienste.h"
#include "output/fenster/speicheransicht.h"
#include "platform/plattform.h"

namespace {

// One model line as a block at the cursor: a new block unless it is the first, with the format
// of its first run for the block, the runs in theirs.
template <typename Format> void zeileEinfuegen(QTextCursor& c, const Modellzeile& m, bool neuerBlock, Format format)
{
    const QTextCharFormat erstes = format(m.laeufe.isEmpty() ? 0 : m.laeufe.front().format);
    if (neuerBlock)
        c.insertBlock(QTextBlockFormat(), erstes);
    else
        c.setBlockCharFormat(erstes);
    qsizetype pos = 0;
    for (const Lauf& l : m.laeufe) {
        c.insertText(m.text.mid(pos, l.laenge), format(l.format));
        pos += l.laenge;
    }
}

// A selection of the line model, turned into text only when someone asks: a copy of a million
// lines costs nothing until another program pastes it. It keeps its own copy of the lines, so
// later edits and a new listing leave it as it was.
class Auswahldaten : public QMimeData {
public:
    Auswahldaten(std::shared_ptr<const Zeilenmodell> auszug, QList<QTextCharFormat> formate, QFont schrift)
        : m_auszug(std::move(auszug))
        , m_formate(std::move(formate))
        , m_schrift(std::move(schrift))
    {
    }

    const Zeilenmodell& auszug() const { return *m_auszug; }
    const QList<QTextCharFormat>& formate() const { return m_formate; }

    QStringList formats() const override
    {
        return m_auszug->ende() == Textstelle{} ? QStringList()
                                                : QStringList{QStringLiteral("text/plain"), QStringLiteral("text/html")};
    }
    bool hasFormat(const QString& art) const override { return formats().contains(art); }

protected:
    QVariant retrieveData(const QString& art, QMetaType) const override
    {
        if (!hasFormat(art))
            return {};
        if (art == u"text/plain")
            return m_auszug->text({}, m_auszug->ende());
        // The rich text of these lines is that of the same lines in a document of the pane's look,
        // laid out a thousand lines at a time.
        QString html;
        const qsizetype n = m_auszug->anzahl();
        for (qsizetype ab = 0; ab < n; ab += 1000) {
            const bool letztes = ab + 1000 >= n;
            QTextDocument stueck;
            stueck.setDefaultFont(m_schrift);
            stueck.setUndoRedoEnabled(false);
            QTextCursor c(&stueck);
            for (qsizetype z = ab; z < std::min(n, ab + 1000); ++z)
                zeileEinfuegen(c, m_auszug->mitFormaten(z), z > ab, [this](int f) { return m_formate.value(f); });
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
            if (letztes)
                html += QStringView(teil).mid(e);
        }
        return html;
    }

private:
    std::shared_ptr<const Zeilenmodell> m_auszug;
    QList<QTextCharFormat> m_formate;
    QFont m_schrift;
};

// Lines with their character formats from rich text; tables and frames have no place in a
// plain-text layout and are flattened into paragraphs, pictures dropped.
template <typename Nummer> std::vector<Modellzeile> zeilenAusHtml(const QString& html, Nummer nummer)
{
    QTextDocument zwischen;
    zwischen.setHtml(html);
    std::vector<Modellzeile> zeilen;
    for (QTextBlock b = zwischen.begin(); b.isValid(); b = b.next()) {
        Modellzeile z;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.isValid() && !f.charFormat().isImageFormat()) {
                z.text += f.text();
                z.laeufe.append({f.text().size(), nummer(f.charFormat())});
            }
        }
        if (z.laeufe.isEmpty())
            z.laeufe.append({0, nummer(b.charFormat())});
        zeilen.push_back(std::move(z));
    }
    return zeilen;
}

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
        m_modell->nachziehen();
        m_ansicht->gewachsen();
        return;
    }
    if (m_speicherAb > 0 && !m_bearbeitet && m_speicher->anzahl() > m_speicherAb) {
        // From here the store alone holds the listing; the document's share of it goes.
        m_puffer = QByteArray();
        m_gepuffert = 0;
        const bool fokus = hasFocus();
        QPlainTextEdit::clear();
        // Store lines look as program lines at the pane's end do.
        m_formate = {endformat()};
        m_modell = std::make_shared<Zeilenmodell>(m_speicher);
        m_ansicht = new Speicheransicht(this, m_modell);
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
    m_ansicht->abkoppeln();
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
    m_modell.reset();
    m_formate.clear();
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
    if (m_modell->unveraendert()) {
        for (qsizetype z = 0; z < m_speicher->anzahl(); ++z) {
            const QByteArrayView zeile = m_speicher->utf8(z);
            zeileUtf8(zeile.data(), zeile.size());
        }
        puffernLeeren();
    } else {
        // Edited lines with their formats, one block each, also outside the undo stack.
        document()->setUndoRedoEnabled(false);
        QTextCursor c(document());
        for (qsizetype z = 0; z < m_modell->anzahl(); ++z)
            zeileEinfuegen(c, m_modell->mitFormaten(z), z > 0, [this](int f) { return zeichenformat(f); });
        document()->setUndoRedoEnabled(true);
        m_angehaengt = true;
    }
    m_modell.reset();
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
    if (m_modell)
        return zeichenformat(m_modell->formatBei(m_modell->ende()));
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    return c.charFormat();
}

qsizetype Ausgabefeld::zeilenzahl() const
{
    if (m_ansicht)
        return m_modell->anzahl();
    return istLeer() ? 0 : document()->blockCount();
}

bool Ausgabefeld::istLeer() const
{
    if (m_ansicht)
        return m_modell->anzahl() == 0 || (m_modell->anzahl() == 1 && m_modell->laenge(0) == 0);
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
    const auto treffer = m_modell->suchen(text, ab,
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
        return new Auswahldaten(m_modell->auszug(m_ansicht->anker(), m_ansicht->caret()), m_formate,
                                document()->defaultFont());
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
        std::vector<QTextCharFormat> formate;
        const auto zeilen = zeilenAusHtml(quelle->html(), [&](const QTextCharFormat& f) {
            formate.push_back(f);
            return int(formate.size() - 1);
        });
        c.beginEditBlock();
        for (std::size_t i = 0; i < zeilen.size(); ++i) {
            if (i > 0)
                c.insertBlock();
            qsizetype pos = 0;
            for (const Lauf& l : zeilen[i].laeufe) {
                c.insertText(zeilen[i].text.mid(pos, l.laenge), formate[std::size_t(l.format)]);
                pos += l.laenge;
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

int Ausgabefeld::formatnummer(const QTextCharFormat& format)
{
    const qsizetype i = m_formate.indexOf(format);
    if (i >= 0)
        return int(i);
    m_formate.append(format);
    return int(m_formate.size() - 1);
}

void Ausgabefeld::nachBearbeitung(Textstelle anker, Textstelle caret)
{
    m_ansicht->gewachsen();
    m_ansicht->auswaehlen(anker, caret);
    m_ansicht->caretZeigen();
    m_ansicht->viewport()->update();
    emit textChanged();
    emit undoAvailable(m_modell->kannRueckgaengig());
    emit redoAvailable(m_modell->kannWiederholen());
}

void Ausgabefeld::ersetzen(Textstelle von, Textstelle bis, const QString& text, bool tippen)
{
    if (!m_ansicht) {
        QTextCursor c(document());
        const auto position = [this](Textstelle s) {
            return document()->findBlockByNumber(int(s.zeile)).position() + int(s.spalte);
        };
        c.setPosition(position(von));
        c.setPosition(position(bis), QTextCursor::KeepAnchor);
        c.insertText(text);
        setTextCursor(c);
        return;
    }
    if (isReadOnly())
        return;
    const int format = m_modell->formatBei(m_ansicht->caret());
    Textstelle ende;
    if (text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar::ParagraphSeparator)) {
        // Split where a text document starts its paragraphs, as program lines are.
        auto zeilen = std::make_shared<Zeilenspeicher>();
        const QByteArray utf8 = text.toUtf8();
        zeilen->anhaengen(utf8.constData(), utf8.size());
        ende = m_modell->einfuegen(von, bis, std::move(zeilen), format);
    } else {
        ende = m_modell->ersetzen(von, bis, text, format, tippen);
    }
    nachBearbeitung(ende, ende);
}

void Ausgabefeld::einfuegenAusAblage()
{
    if (isReadOnly())
        return;
    if (!m_ansicht) {
        paste();
        return;
    }
    // A paste of another program's million lines takes a moment: the mouse says so.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto zurueck = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    const QMimeData* quelle = QGuiApplication::clipboard()->mimeData();
    if (!quelle)
        return;
    const Textstelle von = std::min(m_ansicht->anker(), m_ansicht->caret());
    const Textstelle bis = std::max(m_ansicht->anker(), m_ansicht->caret());
    Textstelle ende;
    if (const auto* eigen = dynamic_cast<const Auswahldaten*>(quelle)) {
        // Our own copy goes in as it is, however long: its lines stay where they are kept.
        ende = m_modell->einfuegen(von, bis, eigen->auszug(),
                                   [&](int f) { return formatnummer(eigen->formate().value(f)); });
    } else if (quelle->hasHtml()) {
        ende = m_modell->ersetzen(von, bis, zeilenAusHtml(quelle->html(), [this](const QTextCharFormat& f) {
                                      return formatnummer(f);
                                  }));
    } else if (quelle->hasText()) {
        const QString text = quelle->text();
        // Another program's listing of a whole drive: the wait window says why the window is busy.
        const bool lang = text.count(u'\n') >= langeEinfuegung;
        Fensterdienste::Warten warten;
        if (lang)
            warten = fensterdienste().warten(QStringLiteral("Bitte warten - "),
                                             QStringLiteral("Text wird eingefügt ...."));
        ersetzen(von, bis, text);
        return;
    } else {
        return;
    }
    nachBearbeitung(ende, ende);
}

void Ausgabefeld::rueckgaengigMachen()
{
    if (!m_ansicht) {
        undo();
        return;
    }
    Textstelle anker, caret;
    if (m_modell->rueckgaengig(anker, caret))
        nachBearbeitung(anker, caret);
}

void Ausgabefeld::wiederholenMachen()
{
    if (!m_ansicht) {
        redo();
        return;
    }
    Textstelle anker, caret;
    if (m_modell->wiederholen(anker, caret))
        nachBearbeitung(anker, caret);
}

void Ausgabefeld::auswahlFormatieren(const QTextCharFormat& format)
{
    if (!m_ansicht) {
        QTextCursor c = textCursor();
        if (c.hasSelection())
            c.mergeCharFormat(format);
        return;
    }
    if (!m_ansicht->hatAuswahl() || isReadOnly())
        return;
    const Textstelle anker = m_ansicht->anker(), caret = m_ansicht->caret();
    m_modell->formatieren(anker, caret, [&](int f) {
        QTextCharFormat neu = zeichenformat(f);
        neu.merge(format);
        return formatnummer(neu);
    });
    nachBearbeitung(anker, caret);
}

QTextCharFormat Ausgabefeld::auswahlformat() const
{
    if (m_ansicht) {
        const Textstelle a = m_ansicht->anker(), c = m_ansicht->caret();
        return zeichenformat(a == c ? m_modell->formatBei(c) : m_modell->formatVon(std::min(a, c), std::max(a, c)));
    }
    QTextCursor c = textCursor();
    if (c.hasSelection()) {
        // The first selected character speaks for the selection.
        const int start = c.selectionStart();
        c.setPosition(start);
        c.setPosition(start + 1, QTextCursor::KeepAnchor);
    }
    return c.charFormat();
}
