#pragma once
// The settings file "Zembrola.ini": a fixed layout of 40 lines, always written whole and read by
// looking for key texts in its lines. This part knows the file; applying the values to windows
// is done in fenster/einstellunganwenden.
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

#include "output/codepage.h"

// The 17 colours every colour list shows, in this order; a colour setting is stored by its name.
struct Farbeintrag {
    const char* name; // UTF-8
    int rot;
    int gruen;
    int blau;
    QString text() const { return QString::fromUtf8(name); }
};

inline constexpr std::array<Farbeintrag, 17> Farbtabelle{{
    {"Standard", 19, 114, 168},
    {"Schwarz", 0, 0, 0},
    {"Maroon", 128, 0, 0},
    {"Grün", 0, 128, 0},
    {"Olive", 128, 128, 0},
    {"Marineblau", 0, 0, 128},
    {"Purpur", 128, 0, 128},
    {"Teal", 0, 128, 128},
    {"Grau", 128, 128, 128},
    {"Silber", 192, 192, 192},
    {"Rot", 255, 0, 0},
    {"Lime", 0, 255, 0},
    {"Gelb", 255, 255, 0},
    {"Blau", 0, 0, 255},
    {"Fuchsia", 255, 0, 255},
    {"Aqua", 0, 255, 255},
    {"Weiss", 255, 255, 255},
}};

// Position of the name in Farbtabelle (exact, case-sensitive), or -1.
int farbindex(const QString& name);
QStringList farbnamen();

// The sizes the size lists offer, right-aligned in two characters: " 5" ... "64".
QStringList groessennamen();
// A size as the lists write it (" 8", "10").
QString groessentext(int groesse);
// Whole number with leading blanks and an optional sign; nullopt when it is none, or when it
// is no usable font size (below 1 or above 999 points).
std::optional<int> schriftgroesseUmwandeln(const QString& text);

// The lines of the settings file as last read or written by the defaults writer: slots 1 to 50.
class Eintraege {
public:
    static constexpr int anzahl = 50;
    QString& operator[](int nummer) { return m_zeilen.at(static_cast<std::size_t>(nummer)); }
    const QString& operator[](int nummer) const { return m_zeilen.at(static_cast<std::size_t>(nummer)); }

private:
    std::array<QString, anzahl + 1> m_zeilen; // slot 0 unused, so numbers match the file's lines
};

// "Zembrola.ini" beside the executable where that folder is writable and not an installed one,
// else $XDG_CONFIG_HOME/zembrola/Zembrola.ini; tests may point it elsewhere.
QString einstellungsdateipfad();
void setzeEinstellungsdateipfad(const QString& pfad); // empty: beside the executable again

// Reads lines into slots 1..n (at most 50); slots above n keep their text. Each line is read up to
// a bound, and the file as a whole up to a budget, so a huge or endless file is never read whole.
// On an error returns false with the German text; the slots read so far stay filled.
bool eintraegeLesen(const QString& pfad, Eintraege& eintraege, QString* fehlertext = nullptr);
constexpr qint64 zeilenobergrenze = 64 * 1024;
constexpr qint64 lesebudget = 16 * 1024 * 1024;

// The value after the first "=" of the first line containing the key; empty when that line has no
// "=" or no line contains the key.
QString wertsuchen(const Eintraege& eintraege, const QString& schluessel);

// What the options dialog holds, as the OK writer stores it.
struct Darstellungswerte {
    QString hintergrundfarbe;
    QString schriftart;
    QString schriftgroesse;
    QString schriftfarbe;
    bool fett = false;
    bool kursiv = false;
    bool unterstrichen = false;
};

struct Optionswerte {
    bool automatischeSuche = false;
    bool meldungsfensterAnzeigen = true;
    bool zusammenfassungAusgeben = true;
    Darstellungswerte ausgabe;
    int ausgabeart = 2;  // 0 Inhalt, 1 Zusammenfassung, 2 Inhalt+Zusammenfassung
    int speicherart = 0; // as ausgabeart, 3 Inhalt+Zusammenfassung getrennt
    Darstellungswerte system;
    Darstellungswerte netz;
};

// The names the file uses for "Ausgabeart" and "Speicherart", by index.
QStringList ausgabeartnamen();
QStringList speicherartnamen();

// The 40 lines of the file for the given values, and for the defaults.
QStringList einstellungszeilen(const Optionswerte& werte);
Optionswerte standardwerte();
QStringList standardzeilen();

// Fills slots 1 to 40 with the default lines, then writes them to the file.
bool wiederherstellung(Eintraege& eintraege, const QString& pfad, Codepage cp, QString* fehlertext = nullptr);
// Writes the 40 lines of the dialog's values; does not touch the slots.
bool einstellungenSchreiben(const Optionswerte& werte, const QString& pfad, Codepage cp,
                            QString* fehlertext = nullptr);

// One window's look as read from the file, with every fallback resolved.
struct Darstellung {
    QString hintergrundfarbe; // the value, to select in the colour list
    int hintergrundindex = -1; // -1: no such colour, the look keeps its colour
    QString schriftart;
    QString schriftgroesse; // the value, to select in the size list
    int groesse = 10;
    bool groesseGelesen = false; // the value was a number (only then the main window's list follows)
    QString schriftfarbe;
    int schriftfarbindex = -1;
    bool fett = false;
    bool kursiv = false;
    bool unterstrichen = false;
};

struct AufgeloesteEinstellungen {
    bool automatischeSuche = false;
    bool meldungsfensterAnzeigen = true;
    bool zusammenfassungAusgeben = false;
    Darstellung ausgabe;
    int ausgabeart = -1;  // -1: the radio group keeps its selection
    int speicherart = -1;
    Darstellung system;
    Darstellung netz;
};

AufgeloesteEinstellungen einstellungenAufloesen(const Eintraege& eintraege);

// The settings as last read: one object every window reads and follows. Reading the file or
// applying the dialog's values replaces them and tells every window by `geaendert`.
class Einstellungen : public QObject {
    Q_OBJECT
public:
    const AufgeloesteEinstellungen& werte() const { return m_werte; }
    bool gelesen() const { return m_gelesen; }
    void uebernehmen(const AufgeloesteEinstellungen& werte);

signals:
    void geaendert();

private:
    AufgeloesteEinstellungen m_werte;
    bool m_gelesen = false;
};

// The program's settings.
Einstellungen& programmeinstellungen();
