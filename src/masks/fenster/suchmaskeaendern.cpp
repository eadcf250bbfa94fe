#include "masks/fenster/suchmaskeaendern.h"

TSuchmasken* Suchmasken = nullptr;

TSuchmasken::TSuchmasken(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TSuchmasken"));
    setWindowTitle(QString::fromUtf8("Suchmasken bearbeiten"));
    resize(450, 408);
}
