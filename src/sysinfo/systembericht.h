#pragma once
// The system report, line by line, into a text area (the window's, a file's, a test's).
#include <QString>
#include <QStringList>

// The report's text area: lines are appended, and one step inserts a line before an earlier one.
class Berichtsziel {
public:
    virtual ~Berichtsziel() = default;
    virtual void zeile(const QString& text) = 0;
    virtual int zeilenzahl() const = 0;
    virtual void einfuegen(int vor, const QString& text) = 0;
};

class Berichtssammler : public Berichtsziel {
public:
    void zeile(const QString& text) override { zeilen.append(text); }
    int zeilenzahl() const override { return int(zeilen.size()); }
    void einfuegen(int vor, const QString& text) override { zeilen.insert(vor, text); }
    QStringList zeilen;
};

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
