#pragma once
// Reading the settings file and carrying its values into the windows. The main window passes
// the controls it owns; whatever it leaves null is skipped.
#include <QString>

#include <functional>

#include "output/einstellungen.h"

class QAction;
class QComboBox;
class QPlainTextEdit;
class QWidget;
class TOptionsfenster;

struct Einstellungsziele {
    QWidget* eltern = nullptr;                  // parent of the error box
    TOptionsfenster* optionsfenster = nullptr;  // null: the global Optionsfenster
    QPlainTextEdit* richEdit1 = nullptr;        // listing pane
    QPlainTextEdit* richEdit2 = nullptr;        // summary pane
    QWidget* zusammenfassung = nullptr;         // panel with the summary caption, its bar and RichEdit2
    QWidget* toolButton6 = nullptr;             // "Suche starten", disabled while searching automatically
    QAction* toolButton6Aktion = nullptr;       // the same, where the tool bar holds it as an action
    QAction* start1 = nullptr;                  // menu item "Start"
    QComboBox* comboBox2 = nullptr;             // font list of the listing pane's bar
    QComboBox* comboBox3 = nullptr;             // size list of that bar
    QComboBox* comboBox5 = nullptr;             // colour list of that bar
    std::function<void()> stilknoepfeAktualisieren; // "F", "K", "U" follow the pane's selection
    QPlainTextEdit* systemMemo = nullptr;       // Memo1 of TSystemausgabe
    QPlainTextEdit* netzMemo = nullptr;         // Memo1 of TNetzwerk
};

// Reads the file into the slots (writing the defaults first when there is none) and applies every
// setting. An input/output error is shown and stops it: nothing is applied, false is returned.
bool einstellungenlesen(Eintraege& eintraege, const Einstellungsziele& ziele);

// Applies resolved values to the dialog's controls and previews and to the targets, in the
// order the file lists them.
void einstellungenAnwenden(const AufgeloesteEinstellungen& werte, const Einstellungsziele& ziele);

// What the main window does when the options dialog has closed: OK reads the file again;
// "Standard wiederherstellen" writes the defaults once more and then reads them; else nothing.
void optionsfensterAuswerten(int ergebnis, Eintraege& eintraege, const Einstellungsziele& ziele);

// Error boxes of the settings file. Tests set the display so no box waits for a click.
extern std::function<void(QWidget* eltern, const QString& text)> einstellungsfehleranzeige;
void einstellungsfehlerZeigen(QWidget* eltern, const QString& fehlertext, const QString& pfad);
