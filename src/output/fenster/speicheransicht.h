#pragma once
// Shows a listing pane's line model: draws only the visible lines, keeps a caret and a selection
// in line and column, scrolls, and turns keys into edits of the model. The few edits the model
// does not take ask the pane to turn it into its text document first.
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <QTextLayout>

#include "output/zeilenmodell.h"

class Ausgabefeld;

class Speicheransicht : public QAbstractScrollArea {
    Q_OBJECT
public:
    Speicheransicht(Ausgabefeld* feld, std::shared_ptr<const Zeilenmodell> modell);

    // The pane is done with this view, which goes later: it lets go of the lines at once, so a
    // large listing's memory is free before the next one comes.
    void abkoppeln();
    // The pane's look changed: everything is measured and drawn again.
    void aktualisieren();
    // The store grew: the scroll ranges follow, but only new lines in view are drawn.
    void gewachsen();

    Textstelle caret() const { return m_caret; }
    Textstelle anker() const { return m_anker; }
    bool hatAuswahl() const { return m_caret != m_anker; }
    void auswaehlen(Textstelle anker, Textstelle caret);
    void allesMarkieren();
    void caretZeigen();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void timerEvent(QTimerEvent* e) override;

private:
    void zeileSetzen(QTextLayout& layout, qsizetype zeile) const;
    double zeilenhoehe() const;
    int sichtbareZeilen() const;
    Textstelle stelleBei(const QPoint& p) const;
    void bewegen(Textstelle ziel, bool auswahl, bool senkrecht = false, bool zeigen = true);
    // The next or previous character or word position, across line ends as in the document.
    Textstelle nachbar(Textstelle z, bool vor, QTextLayout::CursorMode art) const;
    // Typing, deleting, pasting and cutting go to the pane's line model; false for keys it leaves
    // to the text document.
    bool tasteBearbeiten(QKeyEvent* e);
    // One line up or down at the remembered x; false at the first or last line.
    bool senkrecht(Textstelle& z, int richtung);
    void seite(bool runter, bool auswahl);
    double versatz(qsizetype oben) const;
    double caretX() const;
    void obenSetzen(qsizetype zeile);
    qsizetype zeilenlaenge(qsizetype zeile) const;
    void blinkenNeu();

    Ausgabefeld* m_feld;
    std::shared_ptr<const Zeilenmodell> m_modell;
    Textstelle m_caret;
    Textstelle m_anker;
    double m_breite = 0;
    qsizetype m_gemessen = -1;  // the longest line whose width is in m_breite
    qsizetype m_gezeigt = 0;    // lines in the store when last drawn
    QBasicTimer m_blinken;
    bool m_caretSichtbar = true;
    bool m_ziehen = false;
    QBasicTimer m_rollen;  // scrolls while the mouse drags outside the window
    double m_x = -1;       // x that up and down keep; -1: take the caret's
    bool m_seiteGueltig = false;
    double m_seiteY = 0;  // the caret's place in the window that page moves keep
    QElapsedTimer m_dreifach;
    QPoint m_dreifachPunkt;
};
