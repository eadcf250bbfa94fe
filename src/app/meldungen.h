#pragma once
// Error boxes of the program. Tests replace the display so nothing ever waits for a click.
#include <QString>
#include <functional>

class QWidget;

// Shows `text` in the standard error box; goes through `fehleranzeige` when it is set.
void fehlerZeigen(QWidget* eltern, const QString& text);
extern std::function<void(QWidget* eltern, const QString& text)> fehleranzeige;
