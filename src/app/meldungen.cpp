#include "app/meldungen.h"

#include <QApplication>
#include <QMessageBox>

std::function<void(QWidget* eltern, const QString& text)> fehleranzeige;

void fehlerZeigen(QWidget* eltern, const QString& text)
{
    if (fehleranzeige) {
        fehleranzeige(eltern, text);
        return;
    }
    QMessageBox::critical(eltern, QStringLiteral("Zembrola"), text);
}
