#pragma once
// The rich-text pane of the main window (listing and summary) and of the report windows.
// Built on QPlainTextEdit, whose document keeps character formats; a large unedited listing
// is kept in a line store instead and drawn by a view laid over the pane.
#include <QClipboard>
#include <QColor>
#include <QFont>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextDocument>

#include <memory>

#include "output/zeilenmodell.h"
#include "output/zeilenspeicher.h"
#include "text/zeilensenke.h"

class Speicheransicht;

// Whether text in `format` is underlined, its font resolved to `schrift`: a format's own underline
// is a style its font does not always carry along.
inline bool unterstrichen(const QTextCharFormat& format, const QFont& schrift)
{
    return format.hasProperty(QTextFormat::TextUnderlineStyle) ? format.underlineStyle() != QTextCharFormat::NoUnderline
                                                               : schrift.underline();
}

class Ausgabefeld : public QPlainTextEdit, public Zeilensenke {
    Q_OBJECT
public:
    explicit Ausgabefeld(QWidget* parent = nullptr);

    // Lines are buffered and appended in batches; the pane ends up as if each had been appended alone.
    void zeile(const QString& text) override;
    void puffernLeeren();
    bool nimmtUtf8() const override { return true; }
    void zeileUtf8(const char* daten, qsizetype laenge) override;
    int gepufferteZeilen() const { return m_gepuffert; }

    void leeren();

    // Past this many program lines, an unedited pane keeps its listing in a line store and draws
    // the visible lines itself: a text document costs some 300 bytes a line. 0: never.
    void setzeSpeicherAb(qsizetype zeilen) { m_speicherAb = zeilen; }
    bool imSpeicher() const { return m_ansicht != nullptr; }
    const Zeilenspeicher& speicher() const { return *m_speicher; }
    // The lines as edited, while the pane is in its store form; formats are numbered by the pane.
    const Zeilenmodell& modell() const { return *m_modell; }
    QTextCharFormat zeichenformat(int nummer) const { return m_formate.value(nummer); }
    int formatnummer(const QTextCharFormat& format);

    // Edits in either form, as keys and menus make them.
    void ersetzen(Textstelle von, Textstelle bis, const QString& text, bool tippen = false);
    void einfuegenAusAblage();
    // From this many lines of another program's text a paste shows the wait window.
    static constexpr qsizetype langeEinfuegung = 100000;
    void rueckgaengigMachen();
    void wiederholenMachen();
    void tippenBeenden()
    {
        if (m_modell)
            m_modell->tippenBeenden();
    }
    void auswahlFormatieren(const QTextCharFormat& format);
    // The format of the selection's first character, else the one typed text would take.
    QTextCharFormat auswahlformat() const;
    // Back to a text document with the same lines, caret, selection and scroll position; done
    // before anything edits the pane.
    void dokumentAufbauen();

    // The format program lines get at the pane's end: that of every line in the store, and of
    // the separator lines a save or print appends.
    QTextCharFormat endformat() const;

    // These hold in both forms of the pane.
    qsizetype zeilenzahl() const;
    bool istLeer() const;
    bool hatAuswahl() const;
    void markiereAlles();
    void kopiereAuswahl();
    // Hands the selection to the clipboard or, where the system has one, the mouse selection.
    void auswahlAnbieten(QClipboard::Mode art);
    // Finds forward from the end of the selection, or from the start without one.
    bool weitersuchen(const QString& text, QTextDocument::FindFlags optionen);
    // Tab stops in points from the left margin.
    void setzeTabstops(const QList<double>& punkte);
    QList<double> tabstops() const { return m_tabstops; }

    // Base look of the pane: font, text colour and background of all text without own formats.
    void setzeGrundschrift(const QFont& schrift);
    void setzeSchriftfarbe(const QColor& farbe);
    void setzeHintergrund(const QColor& farbe);

    // The selection when it holds at least one character, else the format new text gets.
    QTextCharFormat zielformat() const;
    void formatAnwenden(const QTextCharFormat& format);

    // Forward search from `ab`; selects and returns true on a match, leaves the selection otherwise.
    bool suchen(const QString& text, int ab, QTextDocument::FindFlags optionen = {});

protected:
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    // Copies carry plain text and HTML, so formats survive a paste into other programs.
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* quelle) const override;
    void insertFromMimeData(const QMimeData* quelle) override;

private:
    void ansichtEntfernen();
    void nachBearbeitung(Textstelle anker, Textstelle caret);
    void eigeneLeisten(bool an);

    QByteArray m_puffer;  // buffered lines, UTF-8, separated by '\n'
    int m_gepuffert = 0;
    QList<double> m_tabstops;
    bool m_angehaengt = false;
    // Shared with the clipboard, which reads a copied selection only when another program pastes;
    // a new listing gets a new store.
    std::shared_ptr<Zeilenspeicher> m_speicher = std::make_shared<Zeilenspeicher>();
    qsizetype m_speicherAb = 0;
    bool m_bearbeitet = false;  // the user changed the document: program lines go there from now on
    Speicheransicht* m_ansicht = nullptr;
    std::shared_ptr<Zeilenmodell> m_modell;  // with the view
    QList<QTextCharFormat> m_formate;
    std::pair<Qt::ScrollBarPolicy, Qt::ScrollBarPolicy> m_leisten;  // while the view shows
    bool m_leistenAus = false;
};
