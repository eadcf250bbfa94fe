#pragma once
// The windows of the program: each created once at start-up, in a fixed order, and kept
// until the program ends.
#include <QList>

class QWidget;

// Creates the ten windows in their order; a second call creates nothing.
void fensterErzeugen();
// The windows in the order they were created.
QList<QWidget*> alleFenster();
