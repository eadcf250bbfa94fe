#pragma once
// Our own RTF writer. It knows nothing of widgets: the window layer turns a pane's document
// into this neutral model, and the command-line tool hands over plain lines.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct RtfFarbe {
    int rot = 0;
    int gruen = 0;
    int blau = 0;
    bool operator==(const RtfFarbe&) const = default;
};

// A stretch of text with one character format.
struct RtfLauf {
    QString text;
    QString schriftart = QStringLiteral("Arial");
    double groesse = 10; // points
    RtfFarbe farbe;
    bool fett = false;
    bool kursiv = false;
    bool unterstrichen = false;
};

struct RtfAbsatz {
    QList<RtfLauf> laeufe; // an empty paragraph keeps one run with empty text for its format
    QList<double> tabstops; // points from the left margin
};

// The whole document as RTF bytes (pure ASCII: everything else goes out as \uN).
QByteArray rtfDokument(const QList<RtfAbsatz>& absaetze);
// The same for a document too large to hold twice: absatz(i) is asked for each paragraph
// twice, once for the font and colour tables and once for the text.
QByteArray rtfDokument(qsizetype anzahl, const std::function<RtfAbsatz(qsizetype)>& absatz);

// Plain lines in Arial 10, black, each with the given tab stops.
QList<RtfAbsatz> rtfAbsaetzeAusZeilen(const QStringList& zeilen, const QList<double>& tabstops);
QByteArray rtfAusZeilen(const QStringList& zeilen, const QList<double>& tabstops);

// Writes plain lines as an RTF file (through QSaveFile); on failure returns false and
// gives the German error text.
bool rtfZeilenSchreiben(const QString& pfad, const QStringList& zeilen, const QList<double>& tabstops,
                        QString* fehlertext = nullptr);
