#pragma once
// German texts for system errors, as the user sees them in the program's message boxes.
#include <QString>

// The text for an errno value ("Dateizugriff verweigert", "Festplatte voll", ...);
// a number without a text of its own gives "E/A-Fehler <Nummer>".
QString systemfehlertext(int errnoWert);
