#pragma once
// Exports: the files a search lists, with the header's facts and the summary's counts, as CSV for
// spreadsheets, one HTML page for browsers and JSON for scripts. Written while the walk runs, so
// memory does not grow with the number of files.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QIODevice>
#include <QString>

#include <memory>
#include <optional>
#include <string>

#include "listing/suche.h"

enum class Exportart { csv, html, json };

// By the file name's extension, in any letter case; none for every other name.
std::optional<Exportart> exportartVon(const QString& pfad);

// The header's facts of one search.
struct Exportkopf {
    bool netzwerk = false;
    QString wurzel;              // root directory as searched
    QString suchverzeichnis;     // as the header shows it
    QChar trenner;               // "/" or "\"
    QString maske;
    bool unterverzeichnisse = false;
    bool versteckt = false;
    bool alleDateien = true;
    bool archiviert = false;
    bool nurLesen = false;
    bool system = false;
    bool datum = false;
    QDate startdatum, enddatum;
    // Local search.
    QString laufwerk;            // letter, empty when the root lies on none
    QString bezeichnung;         // empty when the drive is not ready
    QString laufwerkstyp;
    qint64 gesamtgroesse = -1;   // -1: not ready
    qint64 frei = -1;
    // Network search.
    QString computer, freigabe;
    QDateTime beginn;
};

struct Exportsumme {
    qint32 durchsuchteVerzeichnisse = 0;
    qint32 gefundeneDateien = 0;
    qint32 gefundeneVerzeichnisse = 0;
    qint64 gefundeneGroesse = 0;
    qint32 unlesbareVerzeichnisse = 0;
    QDateTime ende;
    qint64 dauerMs = 0;
};

// One listed file. The directory is given as shown (UTF-8, with its trailing separator) and as
// its path bytes; the name as its bytes.
struct Exportdatei {
    const std::string* verzeichnis = nullptr;
    const QByteArray* verzeichnisRoh = nullptr;
    bool neuesVerzeichnis = false;  // the first listed file of its directory
    QByteArray name;
    qint64 groesse = 0;
    qint64 lokalzeit = 0;        // seconds of the local clock since 1970, even as the listing shows them
    quint32 attribute = 0;
};

// Bytes to a device through a buffer; the first failed write is remembered with its errno.
class Bytepuffer {
public:
    explicit Bytepuffer(QIODevice* ziel) : m_ziel(ziel) { m_daten.reserve(grenze + 4096); }
    void operator+=(const std::string& s) { anhaengen(s.data(), s.size()); }
    void operator+=(const char* s);
    void operator+=(char c)
    {
        m_daten += c;
        if (m_daten.size() >= grenze)
            leeren();
    }
    void anhaengen(const char* p, size_t n);
    void zahl(qint64 n);
    bool leeren();
    bool fehler() const { return m_fehlernummer != 0; }
    int fehlernummer() const { return m_fehlernummer; }

private:
    static constexpr size_t grenze = 1 << 20;
    QIODevice* m_ziel;
    std::string m_daten;
    int m_fehlernummer = 0;
};

class Exportformat {
public:
    virtual ~Exportformat() = default;
    virtual void anfang(const Exportkopf& kopf) = 0;
    virtual void datei(const Exportdatei& d) = 0;
    virtual void ende(const Exportsumme& summe) = 0;
};

std::unique_ptr<Exportformat> exportformat(Exportart art, Bytepuffer& aus);

// Text helpers the formats share.
namespace exporttext {
// The name's bytes as UTF-8; bytes that are not UTF-8 become U+FFFD, as the listing shows them.
void utf8Anhaengen(std::string& ziel, const QByteArray& roh);
// A JSON string with its quotes; with `fuerHtml` also "<" escaped, so the text cannot end a
// script element.
void jsonText(std::string& ziel, const char* p, size_t n, bool fuerHtml = false);
// "2013-12-24T18:30:12" (or with a blank for `trenner`) from local clock seconds.
void isoZeit(std::string& ziel, qint64 lokalzeit, char trenner = 'T');
void isoZeit(std::string& ziel, const QDateTime& zeitpunkt);
// The header and the summary as JSON objects, shared by the JSON file and the HTML page.
void kopfJson(std::string& ziel, const Exportkopf& k, bool fuerHtml);
void summeJson(std::string& ziel, const Exportsumme& s);
}  // namespace exporttext

enum class Exportergebnis { geschrieben, fehler, abgebrochen };

// Walks the search of `k` again and writes it to `pfad` in `art`. `umgebung` gives the wait
// window and its abort (only while its option is on), the clock and nothing else; the panes are
// not touched. `zustand` gets the counters. A failure gives the German text of the system error
// and leaves no file behind (an existing one stays as it was); so does an abort, without a text.
Exportergebnis exportieren(const QString& pfad, Exportart art, const Suchkriterien& k, Suchumgebung& umgebung,
                           Suchzustand& zustand, QString* fehlertext = nullptr);
