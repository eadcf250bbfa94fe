#pragma once
// Every modal question of saving, printing and finding goes through here, so tests can answer
// it directly instead of blocking in a dialog. The defaults open the real dialogs; the main
// window replaces jaNeinFragen with its own message window at start.
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

struct Dialogseam {
    enum Antwort { Ja, Nein, Abbruch };

    // Save dialog: default name without extension, default extension, filter in the form
    // "Beschreibung|*.ext|Beschreibung|*.ext". Empty result: the user cancelled.
    static std::function<QString(QWidget* eltern, const QString& vorgabename, const QString& endung,
                                 const QString& filter)>
        dateinameFragen;
    // Three lines and the buttons "&Ja" and "&Nein".
    static std::function<Antwort(const QString& zeile1, const QString& zeile2, const QString& zeile3)>
        jaNeinFragen;
    static std::function<void(QWidget* eltern, const QString& text)> fehlerZeigen;
    // Print dialog and printer set-up: true when the user confirmed.
    static std::function<bool(QWidget* eltern, QPrinter& drucker)> druckdialog;
    static std::function<bool(QWidget* eltern, QPrinter& drucker)> druckereinrichtung;
    static std::function<void()> piepen;

    // Puts the real dialogs back.
    static void zuruecksetzen();
};

// Turns "Text|*.txt|Alle|*.*" into the name filters of a Qt file dialog ("Text (*.txt)", ...).
QStringList dateifilterAusVorgabe(const QString& filter);
