// The three formats. Each keeps only the current directory's texts between files.
#include "export/export.h"
#include "export/htmlseite.h"
#include "listing/zeilenformat.h"
#include "platform/plattform.h"

using namespace exporttext;

namespace {

// RFC 4180 with ";" as separator (what a German spreadsheet expects): a field holding the
// separator, a quote or a line break is quoted, its quotes doubled.
void csvFeld(std::string& z, const char* p, size_t n)
{
    bool quoten = false;
    for (size_t i = 0; i < n && !quoten; ++i)
        quoten = p[i] == ';' || p[i] == '"' || p[i] == '\r' || p[i] == '\n';
    if (!quoten) {
        z.append(p, n);
        return;
    }
    z += '"';
    for (size_t i = 0; i < n; ++i) {
        if (p[i] == '"')
            z += '"';
        z += p[i];
    }
    z += '"';
}

class Csv : public Exportformat {
public:
    explicit Csv(Bytepuffer& aus) : m_aus(aus) {}

    void anfang(const Exportkopf&) override
    {
        // The byte-order mark tells Excel the file is UTF-8.
        m_aus += "\xEF\xBB\xBFVerzeichnis;Name;Gr\xC3\xB6\xC3\x9F" "e;Datum;Attribute\r\n";
    }

    void datei(const Exportdatei& d) override
    {
        if (d.neuesVerzeichnis) {
            m_verzeichnisFeld.clear();
            csvFeld(m_verzeichnisFeld, d.verzeichnis->data(), d.verzeichnis->size());
        }
        m_zeile = m_verzeichnisFeld;
        m_zeile += ';';
        m_name.clear();
        utf8Anhaengen(m_name, d.name);
        csvFeld(m_zeile, m_name.data(), m_name.size());
        m_zeile += ';';
        m_zeile += std::to_string(d.groesse);
        m_zeile += ';';
        // A blank, not "T": spreadsheets take this form as a date and time.
        isoZeit(m_zeile, d.lokalzeit, ' ');
        m_zeile += ';';
        attributbuchstabenAnhaengen(m_zeile, d.attribute);
        m_zeile += "\r\n";
        m_aus += m_zeile;
    }

    void ende(const Exportsumme&) override {}

private:
    Bytepuffer& m_aus;
    std::string m_verzeichnisFeld, m_zeile, m_name;
};

// Invalid UTF-8 is kept beside the shown text as hexadecimal bytes ("name_roh").
void rohfeld(std::string& z, const char* feld, const QByteArray& roh)
{
    if (roh.isValidUtf8())
        return;
    z += ",\"";
    z += feld;
    z += "\":\"";
    z += roh.toHex().toStdString();
    z += '"';
}

class Json : public Exportformat {
public:
    explicit Json(Bytepuffer& aus) : m_aus(aus) {}

    void anfang(const Exportkopf& k) override
    {
        std::string z = "{\"kopf\":";
        kopfJson(z, k, false);
        z += ",\n\"dateien\":[";
        m_aus += z;
    }

    void datei(const Exportdatei& d) override
    {
        if (d.neuesVerzeichnis) {
            m_verzeichnisFeld = "{\"verzeichnis\":";
            jsonText(m_verzeichnisFeld, d.verzeichnis->data(), d.verzeichnis->size());
            rohfeld(m_verzeichnisFeld, "verzeichnis_roh", *d.verzeichnisRoh);
            m_verzeichnisFeld += ",\"name\":";
        }
        m_zeile = m_erste ? "\n" : ",\n";
        m_erste = false;
        m_zeile += m_verzeichnisFeld;
        m_name.clear();
        utf8Anhaengen(m_name, d.name);
        jsonText(m_zeile, m_name.data(), m_name.size());
        rohfeld(m_zeile, "name_roh", d.name);
        m_zeile += ",\"groesse\":";
        m_zeile += std::to_string(d.groesse);
        m_zeile += ",\"datum\":\"";
        isoZeit(m_zeile, d.lokalzeit);
        m_zeile += "\",\"attribute\":\"";
        attributbuchstabenAnhaengen(m_zeile, d.attribute);
        m_zeile += "\"}";
        m_aus += m_zeile;
    }

    void ende(const Exportsumme& s) override
    {
        std::string z = "\n],\n\"zusammenfassung\":";
        summeJson(z, s);
        z += "}\n";
        m_aus += z;
    }

private:
    Bytepuffer& m_aus;
    bool m_erste = true;
    std::string m_verzeichnisFeld, m_zeile, m_name;
};

// The page: the data as compact JSON in a script element of its own, written as the walk goes,
// then the script that shows it. Column by column, so the browser parses a few values per
// directory instead of an array per file: [path, names joined by "/" (no name holds it), sizes,
// times as seconds of the local clock (the page shows the listing's times wherever it is
// opened), one hexadecimal digit of attributes per file (h 8, s 4, r 2, a 1)]. A directory of
// more than `stueck` files comes in several entries, which keeps the buffers small.
class Html : public Exportformat {
public:
    explicit Html(Bytepuffer& aus) : m_aus(aus) {}

    void anfang(const Exportkopf& k) override
    {
        m_aus += htmlseite::anfang;
        std::string z = "{\"kopf\":";
        kopfJson(z, k, true);
        z += ",\"verzeichnisse\":[";
        m_aus += z;
    }

    void datei(const Exportdatei& d) override
    {
        if (d.neuesVerzeichnis || m_anzahl == stueck) {
            abgeben();
            if (d.neuesVerzeichnis) {
                m_verzeichnis.clear();
                jsonText(m_verzeichnis, d.verzeichnis->data(), d.verzeichnis->size(), true);
            }
        }
        const char* trenner = m_anzahl == 0 ? "" : ",";
        if (m_anzahl != 0)
            m_namen += '/';
        m_name.clear();
        utf8Anhaengen(m_name, d.name);
        m_namen += m_name;
        m_groessen += trenner;
        m_groessen += std::to_string(d.groesse);
        m_zeiten += trenner;
        m_zeiten += std::to_string(d.lokalzeit);
        const int bits = (d.attribute & plattform::faHidden ? 8 : 0) | (d.attribute & plattform::faSysFile ? 4 : 0) |
                         (d.attribute & plattform::faReadOnly ? 2 : 0) | (d.attribute & plattform::faArchive ? 1 : 0);
        m_attribute += "0123456789abcdef"[bits];
        ++m_anzahl;
    }

    void ende(const Exportsumme& s) override
    {
        abgeben();
        std::string z = "],\"zusammenfassung\":";
        summeJson(z, s);
        z += '}';
        m_aus += z;
        m_aus += htmlseite::ende;
    }

private:
    static constexpr int stueck = 4096;

    void abgeben()
    {
        if (m_anzahl == 0)
            return;
        std::string z = m_erstes ? "[" : ",\n[";
        m_erstes = false;
        z += m_verzeichnis;
        z += ',';
        jsonText(z, m_namen.data(), m_namen.size(), true);
        z += ",[";
        z += m_groessen;
        z += "],[";
        z += m_zeiten;
        z += "],\"";
        z += m_attribute;
        z += "\"]";
        m_aus += z;
        m_namen.clear();
        m_groessen.clear();
        m_zeiten.clear();
        m_attribute.clear();
        m_anzahl = 0;
    }

    Bytepuffer& m_aus;
    bool m_erstes = true;
    int m_anzahl = 0;
    std::string m_verzeichnis, m_namen, m_groessen, m_zeiten, m_attribute, m_name;
};

}  // namespace

std::unique_ptr<Exportformat> exportformat(Exportart art, Bytepuffer& aus)
{
    switch (art) {
    case Exportart::csv:
        return std::make_unique<Csv>(aus);
    case Exportart::json:
        return std::make_unique<Json>(aus);
    case Exportart::html:
        break;
    }
    return std::make_unique<Html>(aus);
}
