#pragma once
// Saving the panes as rich text or plain text, in the four save variants.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "export/export.h"
#include "output/rtf.h"

class Ausgabefeld;
class QTextDocument;
class QWidget;

// Length of the underscore line between content and summary in a saved file.
inline constexpr int trennlinieSpeichernLaenge = 83;

// The pane's text as lines, as a plain-text file holds them (an empty pane has none).
QStringList feldZeilen(const Ausgabefeld* feld);

// The pane as paragraphs for the RTF writer; formats the text does not set come from the
// pane's base font and text colour, tab stops from the pane.
QList<RtfAbsatz> rtfAbsaetze(const Ausgabefeld* feld);
RtfAbsatz rtfAbsatz(const Ausgabefeld* feld, int blocknummer);

// Save variants: what one save writes.
enum Speicherart : int {
    SpeicherartInhalt = 0,          // the listing pane
    SpeicherartZusammenfassung = 1, // the summary pane
    SpeicherartAngehaengt = 2,      // the listing with the summary appended, one file
    SpeicherartGetrennt = 3,        // both, in two files
};

// The whole save, in the variant speicherart.
// The wait window is shown when meldungsfenster is on. File dialogs, the overwrite question,
// the wait window and error messages go through the window services. Returns false when the
// save ended early (cancel in the overwrite question, or a write error).
struct Speicherauftrag {
    QWidget* eltern = nullptr;
    Ausgabefeld* liste = nullptr;
    Ausgabefeld* zusammenfassung = nullptr;
    int speicherart = SpeicherartInhalt;
    bool meldungsfenster = true;
    // A name ending in .csv, .html or .json in the content dialog: the last search is walked
    // again and exported (with a wait window of its own) instead of the pane being saved.
    std::function<Exportergebnis(const QString& pfad, Exportart art, QString* fehlertext)> exportieren;
};
bool speichern(const Speicherauftrag& auftrag);

// The two save dialogs: default name, extension, filter.
inline const QString saveDialog1Name = QStringLiteral("zembrola");
inline const QString saveDialog1Filter = QStringLiteral(
    "Rich-Text-Format|*.rtf|Text|*.txt|CSV-Datei|*.csv|HTML-Seite|*.html|JSON-Datei|*.json");
inline const QString saveDialog2Name = QStringLiteral("Zembrola_Result");
inline const QString saveDialog2Filter = QStringLiteral("Rich-Text-Format|*.rtf|Textdatei|*.txt");
