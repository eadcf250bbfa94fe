#include "netinfo/fenster/Netzw.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextOption>
#include <QVBoxLayout>

#include "output/fenster/berichtsfeld.h"

TNetzwerk* Netzwerk = nullptr;

TNetzwerk::TNetzwerk(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TNetzwerk"));
    setWindowTitle(QString::fromUtf8("Netzwerk-Ausgabe"));
    resize(713, 391);
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(0, 0, 0, 0);
    Memo1 = berichtsfeldAnlegen(this, QFont(QStringLiteral("Tahoma"), 8));
    Memo1->installEventFilter(this);
    tabstopsSetzen();
    spalte->addWidget(Memo1);
}

bool TNetzwerk::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == Memo1 && ereignis->type() == QEvent::FontChange)
        tabstopsSetzen();
    return QWidget::eventFilter(objekt, ereignis);
}

void TNetzwerk::tabstopsSetzen()
{
    // Five stops at 1000 * i / b dialog units, b being the system font's average character width;
    // a dialog unit is a quarter of the pane font's average character width.
    const int b = qMax(1, QFontMetrics(QApplication::font()).averageCharWidth() & 0xFFFF);
    const qreal viertel = QFontMetricsF(Memo1->font()).averageCharWidth() / 4;
    QList<QTextOption::Tab> stops;
    for (int i = 1; i <= 5; ++i)
        stops.append(QTextOption::Tab((1000 * i / b) * viertel, QTextOption::LeftTab));
    QTextOption option = Memo1->document()->defaultTextOption();
    option.setTabs(stops);
    Memo1->document()->setDefaultTextOption(option);
    // Beyond the fifth stop tabs keep the same spacing.
    Memo1->setTabStopDistance(stops.first().position);
}

void TNetzwerk::einstellungenAnwenden(const AufgeloesteEinstellungen& werte, const TOptionsfenster&)
{
    feldGestalten(Memo1, werte.netz);
}
