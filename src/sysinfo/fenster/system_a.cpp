#include "sysinfo/fenster/system_a.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "output/fenster/berichtsfeld.h"

TSystemausgabe* Systemausgabe = nullptr;

TSystemausgabe::TSystemausgabe(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TSystemausgabe"));
    setWindowTitle(QString::fromUtf8("Systemausgabe"));
    resize(667, 523);

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(0, 0, 0, 0);
    Memo1 = berichtsfeldAnlegen(this, QFont(QStringLiteral("MS Sans Serif"), 8));
    Memo1->installEventFilter(this);
    tabstopsSetzen();
    spalte->addWidget(Memo1);
}

bool TSystemausgabe::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == Memo1 && ereignis->type() == QEvent::FontChange)
        tabstopsSetzen();
    return QWidget::eventFilter(objekt, ereignis);
}

void TSystemausgabe::tabstopsSetzen()
{
    // A plain edit control's tab stops: every eight average characters of its font.
    Memo1->setTabStopDistance(8 * QFontMetricsF(Memo1->font()).averageCharWidth());
}

void TSystemausgabe::einstellungenAnwenden(const AufgeloesteEinstellungen& werte, const TOptionsfenster&)
{
    feldGestalten(Memo1, werte.system);
}
