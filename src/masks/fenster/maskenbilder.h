#pragma once
// Pictures of the mask dialogs, drawn here so the program ships no image files.
#include <QIcon>
#include <QPixmap>
#include <initializer_list>

class QPushButton;

enum class Knopfbild { Ok, Abbrechen, Hilfe, Ja, Nein, Hinzufuegen, Entfernen, Wiederherstellen, AlleWiederherstellen };

// 64 x 64: a speech bubble holding a red question mark.
QPixmap sprechblasenbild();
// 16 x 16 glyph for a dialog button.
QIcon knopfbild(Knopfbild art);

// Width for a row of equal buttons: the design width, or more where a caption and its glyph
// need it with the fonts and style in use.
int knopfbreite(std::initializer_list<const QPushButton*> knoepfe, int entwurf);
