#include "netinfo/fenster/Netzw.h"

TNetzwerk* Netzwerk = nullptr;

TNetzwerk::TNetzwerk(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TNetzwerk"));
    setWindowTitle(QString::fromUtf8("Netzwerk-Ausgabe"));
    resize(713, 391);
}
