#include "masks/fenster/suchmaskefrage.h"

Tsuchmaskenabfrage* suchmaskenabfrage = nullptr;

Tsuchmaskenabfrage::Tsuchmaskenabfrage(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Tsuchmaskenabfrage"));
    setWindowTitle(QString::fromUtf8("Listenänderung"));
    resize(412, 95);
}
