#include "output/fenster/berichtsfeld.h"

#include <QPalette>
#include <QPlainTextEdit>

QPlainTextEdit* berichtsfeldAnlegen(QWidget* fenster, const QFont& schrift)
{
    auto* feld = new QPlainTextEdit(fenster);
    feld->setObjectName(QStringLiteral("Memo1"));
    feld->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    feld->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    feld->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    feld->setTabChangesFocus(false); // typed tabs go into the text
    QPalette p = feld->palette();
    p.setColor(QPalette::Base, QColor(19, 115, 169));
    p.setColor(QPalette::Text, Qt::white);
    feld->setPalette(p);
    feld->setFont(schrift);
    return feld;
}
