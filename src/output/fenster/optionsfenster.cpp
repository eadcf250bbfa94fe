#include "output/fenster/optionsfenster.h"

TOptionsfenster* Optionsfenster = nullptr;

TOptionsfenster::TOptionsfenster(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TOptionsfenster"));
    setWindowTitle(QString::fromUtf8("Zembrola - Einstellungen"));
    resize(539, 229);
}
