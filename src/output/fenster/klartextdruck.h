#pragma once
// A plain-text print job as a typewriter lays it out: from the top left corner of the printable
// area, tabs at every eight average character widths, a line too wide broken at the last character
// that fits, a new page when the next line does not fit.
#include <QFont>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;

struct Klartextstueck {
    double x = 0;
    QString text;
};

struct Klartextzeile {
    double y = 0;  // top of the line
    QList<Klartextstueck> stuecke;
};

using Klartextseite = QList<Klartextzeile>;

// `breite` measures a piece of text without tabs; `zeichenbreite` is the average character width.
QList<Klartextseite> klartextSetzen(const QStringList& zeilen, const std::function<double(const QString&)>& breite,
                                    double zeichenbreite, double zeilenhoehe, QSizeF flaeche);

// Prints the lines on `drucker` in `schrift`, black. False when the job cannot be started.
bool klartextDrucken(const QStringList& zeilen, const QFont& schrift, QPrinter& drucker, const QString& titel);
