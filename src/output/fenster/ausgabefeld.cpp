#include "output/fenster/ausgabefeld.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

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
    m_puffer.append(text);
}

void Ausgabefeld::puffernLeeren()
{
    if (m_puffer.isEmpty())
        return;
    // One edit for the whole batch: far cheaper than a block per call.
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    c.beginEditBlock();
    // An empty first line leaves the document empty, so ask for blocks with text or a prior append.
    const bool leer = !m_angehaengt && document()->isEmpty();
    QString text = m_puffer.join(QChar(u'\n'));
    if (!leer)
        text.prepend(QChar(u'\n'));
    m_angehaengt = true;
    c.insertText(text);
    c.endEditBlock();
    m_puffer.clear();
}

void Ausgabefeld::leeren()
{
    m_puffer.clear();
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
