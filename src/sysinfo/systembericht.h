#pragma once
// The system report, line by line, into a text area (the window's, a file's, a test's).
#include <QString>
#include <QStringList>

#include "text/zeilensenke.h"

// What the report takes from its window.
class Systemberichtsumgebung {
public:
    virtual ~Systemberichtsumgebung() = default;
    // "Meldungsfenster anzeigen", read afresh at every step.
    virtual bool meldungen() const = 0;
    // The current date and time in the user's short date and long time format.
    virtual QString erstellungsdatum() const = 0;
    virtual bool dezimalkomma() const = 0;
    // Names of the workgroups and domains of the network, in the order the walk finds them.
    virtual QStringList arbeitsgruppen() = 0;
};

// Builds the whole report. A registry error ends it where it occurs; the lines so far stay.
void systemberichtSchreiben(Berichtsziel& ziel, Systemberichtsumgebung& umgebung);

// Drive sizes: "  1023      Byte", "   1,500 KByte" .. " TByte".
QString groessentext(qint64 bytes, bool dezimalkomma);
void speicherzeilen(const QString& art, Berichtsziel& ziel);
void aufloesungsliste(Berichtsziel& ziel);
