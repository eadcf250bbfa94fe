#pragma once
// Pictures of the mask dialogs, drawn here so the program ships no image files.
#include <QIcon>
#include <QPixmap>

enum class Knopfbild { Ok, Abbrechen, Hilfe, Ja, Nein, Hinzufuegen, Entfernen, Wiederherstellen, AlleWiederherstellen };

// 64 x 64: a speech bubble holding a red question mark.
QPixmap sprechblasenbild();
// 16 x 16 glyph for a dialog button.
QIcon knopfbild(Knopfbild art);
