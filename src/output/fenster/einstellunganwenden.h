#pragma once
// Reading the settings file and carrying its values into the windows: the options dialog takes
// them first, then every window its own part.
#include <QString>

#include <functional>

#include "output/einstellungen.h"

class QComboBox;
class QObject;
class QPlainTextEdit;
class QWidget;
class TOptionsfenster;

struct Einstellungsziele {
    QWidget* eltern = nullptr;                  // parent of the error box
    TOptionsfenster* optionsfenster = nullptr;  // null: the global Optionsfenster
    Einstellungen* einstellungen = nullptr;     // null: the program's
};

// A window takes its part of the settings each time they are read or applied. Every window is
// made at start-up, before the file is first read.
void einstellungenFolgen(QObject* fenster, const std::function<void(const AufgeloesteEinstellungen&)>& anwenden);

// What the settings set in the main window; null parts are skipped.
struct Hauptfensterteile {
    QPlainTextEdit* richEdit1 = nullptr;        // listing pane
    QPlainTextEdit* richEdit2 = nullptr;        // summary pane
    QWidget* zusammenfassung = nullptr;         // panel with the summary caption, its bar and RichEdit2
    QComboBox* comboBox2 = nullptr;             // font list of the listing pane's bar
    QComboBox* comboBox3 = nullptr;             // size list of that bar
    QComboBox* comboBox5 = nullptr;             // colour list of that bar
    std::function<void()> stilknoepfeAktualisieren; // "F", "K", "U" follow the pane's selection
};
void hauptfensterAnwenden(const AufgeloesteEinstellungen& werte, const Hauptfensterteile& teile);

// Background, text colour and font of a text area (a pane, a report's Memo1).
void feldGestalten(QPlainTextEdit* feld, const Darstellung& d);

// Reads the file into the slots (writing the defaults first when there is none) and applies every
// setting. An input/output error is shown and stops it: nothing is applied, false is returned.
bool einstellungenlesen(Eintraege& eintraege, const Einstellungsziele& ziele);

// Applies resolved values to the dialog's controls and previews, in the order the file lists
// them, then hands them to the settings, which tell the windows.
void einstellungenAnwenden(const AufgeloesteEinstellungen& werte, const Einstellungsziele& ziele);

// What the main window does when the options dialog has closed: OK reads the file again;
// "Standard wiederherstellen" writes the defaults once more and then reads them; else nothing.
void optionsfensterAuswerten(int ergebnis, Eintraege& eintraege, const Einstellungsziele& ziele);

// Error boxes of the settings file, through the window services.
void einstellungsfehlerZeigen(QWidget* eltern, const QString& fehlertext, const QString& pfad);
