#pragma once
// Editing actions of the two panes, for the tool bars, the main menu and the popup menus.
#include <QString>
#include <functional>

class Ausgabefeld;
class QMenu;
class QWidget;

// One pane. A null pane is ignored (its window does not exist yet).
void allesMarkieren(Ausgabefeld* feld);
void kopieren(Ausgabefeld* feld);  // plain text and HTML; nothing when the selection is empty
void einfuegen(Ausgabefeld* feld); // keeps the clipboard's character formats
void rueckgaengig(Ausgabefeld* feld);

// The main menu acts on the summary pane while it has the keyboard focus, else on the listing pane.
Ausgabefeld* fokussiertesFeld(Ausgabefeld* liste, Ausgabefeld* zusammenfassung);
void menueRueckgaengig(Ausgabefeld* liste, Ausgabefeld* zusammenfassung);
void menueKopieren(Ausgabefeld* liste, Ausgabefeld* zusammenfassung);
void menueEinfuegen(Ausgabefeld* liste, Ausgabefeld* zusammenfassung);
void menueAllesMarkieren(Ausgabefeld* liste, Ausgabefeld* zusammenfassung);

// Popup menu of the listing pane: "Kopieren", "Einfügen", "Alles markieren", -, "Suchen".
QMenu* popupMenu1Erstellen(QWidget* eltern, Ausgabefeld* liste, std::function<void()> suchen);
// Popup menu of the summary pane: "Kopieren", "Einfügen", "Alles markieren".
QMenu* popupMenu2Erstellen(QWidget* eltern, Ausgabefeld* zusammenfassung);
// Shows the menu instead of the pane's own one on a right click.
void kontextmenueAnbinden(Ausgabefeld* feld, QMenu* menue);
