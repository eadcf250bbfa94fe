#include "sysinfo/fenster/system_a.h"

TSystemausgabe* Systemausgabe = nullptr;

TSystemausgabe::TSystemausgabe(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TSystemausgabe"));
    setWindowTitle(QString::fromUtf8("Systemausgabe"));
    resize(667, 523);
}
