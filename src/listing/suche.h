#pragma once
// The search: criteria, view options, the state a search keeps, and the one operation that runs
// a search against an environment (the main window, the command-line tool, a test).
#include <QDate>
#include <QDateTime>
#include <QString>

#include "platform/nachrichten.h"
#include "text/zeilensenke.h"
#include "text/zeittexte.h"

struct Suchkriterien {
    bool netzwerk = false;        // RadioGroup1: 0 lokal, 1 Netzwerk
    QString verzeichnis;          // root directory in the system's form ("/", "/home/anna", "\\PC1\Daten")
    QString computer;             // network mode: "\\PC1"
    QString freigabe;             // network mode: "\Daten"
    QString maske = QStringLiteral("*.*");
    bool alleDateien = true;
    bool archiviert = false;
    bool nurLesen = false;
    bool system = false;
    bool datum = false;
    QDate startdatum;
    QDate enddatum;
    bool versteckt = false;
    bool unterverzeichnisse = false;
};

struct Ansicht {
    int spalten = 1;              // 1..6
    bool pfadangabe = false;      // CheckBox15
    bool attribute = false;       // CheckBox11
    bool datum = false;           // CheckBox14
    bool groesse = false;         // CheckBox12
    int einheit = 0;              // ComboBox7: 0 Bytes .. 4 TBytes
    bool einheitAnzeigen = false; // CheckBox13
};

// State a search keeps between its steps; the main window owns one and the summary reads it.
struct Suchzustand {
    QString altesverzeichnis;
    QString neuesverzeichnis;
    QString zeile;
    qint32 tabzaehler = 0;
    qint32 gefundeneDateien = 0;
    qint32 gefundeneVerzeichnisse = 0;
    qint32 durchsuchteVerzeichnisse = 0;
    qint64 gefundeneGroesse = 0;
    qint32 gepruefteDateien = 0;
    // Directories that could not be enumerated (they still count as searched).
    qint32 unlesbareVerzeichnisse = 0;
    bool wurzelUnlesbar = false;
};

// The panels of the main window's status bar, left to right.
enum Statusfeld : int {
    StatusLaufwerkText = 0, // "Laufwerk:" or "Computer:"
    StatusLaufwerk = 1,     // drive letter or computer
    StatusGroesseText = 2,  // "Größe:" or "Freigabe:"
    StatusGroesse = 3,      // total size, "nicht bereit", or share
    StatusFreiText = 4,     // "davon frei" or empty
    StatusFrei = 5,         // free space or empty
    StatusMusterText = 6,   // "Suchpfad + Maske:"
    StatusMuster = 7,       // search pattern
    Statusfelder = 8,
};

// What a search needs from its surroundings.
class Suchumgebung {
public:
    virtual ~Suchumgebung() = default;

    virtual Zeilensenke& liste() = 0;            // listing pane RichEdit1
    virtual Zeilensenke& zusammenfassung() = 0;  // summary pane RichEdit2
    virtual void panesLeeren() {}
    // Tab stops in points.
    virtual void tabstopsListe(const QList<double>& punkte) { (void)punkte; }
    virtual void tabstopsZusammenfassung(const QList<double>& punkte) { (void)punkte; }
    virtual void statusfeld(int panel, const QString& text) { (void)panel; (void)text; }

    // Option "Meldungsfenster anzeigen": wait window shown, messages processed, abort possible.
    // Only while it is on are wartenZeigen, fortschritt, abbruch and wartenSchliessen called;
    // wartenZeigen clears the abort flag.
    virtual bool meldungsfenster() const { return false; }
    virtual void wartenZeigen(const QString& zeile1, const QString& zeile2, const QString& zaehler)
    {
        (void)zeile1; (void)zeile2; (void)zaehler;
    }
    // Called per listed file while the option is on: show the counter, let messages through
    // (an implementation may do so at most every 30 ms).
    virtual void fortschritt(const QString& zaehler)
    {
        (void)zaehler;
        plattform::nachrichtenZulassen();
    }
    // Called at every directory and while the walk waits for a directory: let messages through
    // (also at most every 30 ms), so the window stays live where no file is listed for a while.
    virtual void zwischendurch() { plattform::nachrichtenZulassen(); }
    virtual bool abbruch() const { return false; }
    virtual void wartenSchliessen() {}

    virtual QDateTime jetzt() const { return QDateTime::currentDateTime(); }
    virtual Zeitformate zeitformate() const { return Zeitformate::ausSystem(); }
};

// Runs one search: header, walk, summary.
void starteSuche(const Suchkriterien& kriterien, const Ansicht& ansicht, Suchzustand& zustand,
                 Suchumgebung& umgebung);

// The searched directory of the header: the mount point is removed, the mount point itself is
// shown as "/"; network roots stay whole.
QString suchverzeichnisText(const QString& wurzel, const QString& einhaengepunkt);
// Tab stops of the listing pane in points, by column count.
QList<double> tabstopsDerListe(int spalten);
