#pragma once
// The text area of the report windows: a plain edit with both scroll bars, white text on the
// program's blue until the settings file is read.
#include <QFont>

class QPlainTextEdit;
class QWidget;

QPlainTextEdit* berichtsfeldAnlegen(QWidget* fenster, const QFont& schrift);
// Moves the left edge of the text's rectangle `pixel` from the area's border; the other edges stay.
void linkenRandSetzen(QPlainTextEdit* feld, int pixel);
