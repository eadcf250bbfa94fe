#pragma once
// Pictures of the program, drawn by the program itself.
#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's picture: a blue sheet with a listing and a "Z".
QPixmap zembrolaBild(int groesse);
// The window icon: the installed theme's, which holds every size, else the drawn picture.
QIcon programmIkone();
// A question mark in a blue circle, for the yes/no window.
QPixmap frageBild(int groesse);
// Tool bar pictures by name: beenden, start, speichern, drucken, druckereinrichten, system,
// netzwerk, aktualisieren, suchen, einstellungen, info, hilfe.
QIcon werkzeugIkone(const QString& name);
