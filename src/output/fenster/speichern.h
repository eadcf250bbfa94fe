#pragma once
// Saving the panes as rich text or plain text, in the four save variants.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

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

// The whole save. speicherart: 0 content, 1 summary, 2 both in one file, 3 both in two files.
// The wait window is shown through the callbacks when meldungsfenster is on. File dialogs,
// the overwrite question and error messages go through Dialogseam. Returns false when the
// save ended early (cancel in the overwrite question, or a write error).
struct Speicherauftrag {
    QWidget* eltern = nullptr;
    Ausgabefeld* liste = nullptr;
    Ausgabefeld* zusammenfassung = nullptr;
    int speicherart = 0;
    bool meldungsfenster = true;
    std::function<void(const QString& zeile1, const QString& zeile2)> wartenZeigen;
    std::function<void()> wartenSchliessen;
};
bool speichern(const Speicherauftrag& auftrag);

// The two save dialogs: default name, extension, filter.
inline const QString saveDialog1Name = QStringLiteral("zembrola");
inline const QString saveDialog1Filter = QStringLiteral("Rich-Text-Format|*.rtf|Text|*.txt");
inline const QString saveDialog2Name = QStringLiteral("Zembrola_Result");
inline const QString saveDialog2Filter = QStringLiteral("Rich-Text-Format|*.rtf|Textdatei|*.txt");
