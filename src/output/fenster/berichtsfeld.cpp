#include "output/fenster/berichtsfeld.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QPlainTextEdit>

namespace {

class Berichtsfeld : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    void linkerRand(int pixel)
    {
        const QMargins m = viewportMargins();
        setViewportMargins(pixel, m.top(), m.right(), m.bottom());
    }

protected:
    void changeEvent(QEvent* e) override
    {
        // The strip left of the text rectangle shows the area's own colour.
        if (e->type() == QEvent::PaletteChange && palette().color(QPalette::Window) != palette().color(QPalette::Base)) {
            QPalette p = palette();
            p.setColor(QPalette::Window, p.color(QPalette::Base));
            setPalette(p);
        }
        QPlainTextEdit::changeEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        // Ctrl+Entf is "löschen", which deletes the selection; with nothing selected it does
        // nothing, also when the disabled item leaves the key to the text area.
        if (e == QKeySequence::DeleteEndOfWord && !textCursor().hasSelection()) {
            e->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(e);
    }
};

}  // namespace

void linkenRandSetzen(QPlainTextEdit* feld, int pixel)
{
    if (auto* b = dynamic_cast<Berichtsfeld*>(feld))
        b->linkerRand(pixel);
}

QPlainTextEdit* berichtsfeldAnlegen(QWidget* fenster, const QFont& schrift)
{
    auto* feld = new Berichtsfeld(fenster);
    feld->setObjectName(QStringLiteral("Memo1"));
    feld->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    feld->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    feld->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    feld->setTabChangesFocus(false); // typed tabs go into the text
    QPalette p = feld->palette();
    p.setColor(QPalette::Base, QColor(19, 115, 169));
    p.setColor(QPalette::Text, Qt::white);
    feld->setAutoFillBackground(true);
    feld->setPalette(p);
    feld->setFont(schrift);
    return feld;
}
