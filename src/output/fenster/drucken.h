#pragma once
// Printing the panes into a printer the caller owns (the main window's current printer, or a
// PDF printer in tests).
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

class Ausgabefeld;
class QPrinter;
class QTextDocument;
class QWidget;

inline constexpr int trennlinieDruckenLaenge = 70;
inline const QString druckauftragInhalt = QStringLiteral("Zembrola-Verzeichnisausgabe");
inline const QString druckauftragZusammenfassung = QStringLiteral("Zembrola-Zusammenfassung");

// Page rectangle in device pixels measured from the paper's corner: 1 inch left, 1.5 inches
// top, 0.75 inch right, 1 inch bottom.
QRect seitenrechteck(const QPrinter& drucker);

// What gets printed, as one document, with every format the text does not set taken from its
// pane, so both panes keep their look. anhang (may be null) follows after the separator block.
std::unique_ptr<QTextDocument> druckdokument(const Ausgabefeld* feld, const Ausgabefeld* anhang);

// The print-cancel window, if the caller wants one: zeigen gets the function that cancels
// the job (valid until schliessen is called).
struct Druckbegleitung {
    std::function<void(std::function<void()> abbrechen)> zeigen;
    std::function<void()> schliessen;
};

// Prints the pane (and anhang after the separator block) page by page into the page rectangle
// as one job with this title; no header, no footer. A line that would cross the bottom of the
// page starts the next page. Memory and time per page do not grow with the listing. Returns the
// pages printed, -1 when the printer could not start or the job was cancelled.
int felderDrucken(const Ausgabefeld* feld, const Ausgabefeld* anhang, QPrinter& drucker, const QString& titel,
                  const Druckbegleitung* begleitung = nullptr);

// Print variants: what one print prints.
enum Ausgabeart : int {
    AusgabeartInhalt = 0,          // the listing pane
    AusgabeartZusammenfassung = 1, // the summary pane
    AusgabeartBeides = 2,          // the listing with the summary appended, one job
};

// The whole print: the print dialog (through the window services), then the job of the variant ausgabeart.
bool drucken(QWidget* eltern, QPrinter& drucker, Ausgabefeld* liste, Ausgabefeld* zusammenfassung, int ausgabeart,
             const Druckbegleitung* begleitung = nullptr);

// The printer set-up dialog (through the window services); the choice stays with the printer.
bool druckerEinrichten(QWidget* eltern, QPrinter& drucker);
