#include "listing/zeilenformat.h"

#include <limits>

#include "text/groessentexte.h"

using namespace plattform;

Dateifilter::Dateifilter(const Suchkriterien& k)
    : m_versteckt(k.versteckt),
      m_alleDateien(k.alleDateien),
      m_attribute((k.archiviert ? faArchive : 0u) | (k.system ? faSysFile : 0u) | (k.nurLesen ? faReadOnly : 0u)),
      m_datum(k.datum),
      m_von(k.startdatum.toJulianDay()),
      m_bis(k.enddatum.toJulianDay())
{
}

bool Dateifilter::passt(quint32 attribute, qint64 schreibzeit, Ortszeit& ortszeit) const
{
    if ((attribute & faHidden) && !m_versteckt)
        return false;
    // The three attributes are alternatives: one selected attribute of the file is enough.
    if (!m_alleDateien && !(attribute & m_attribute))
        return false;
    if (m_datum) {
        const qint64 tag = ortszeit.tag(schreibzeit);
        if (tag < m_von || tag > m_bis)
            return false;
    }
    return true;
}

void attributbuchstabenAnhaengen(std::string& s, quint32 attribute)
{
    if (attribute & faHidden)
        s += 'h';
    if (attribute & faSysFile)
        s += 's';
    if (attribute & faReadOnly)
        s += 'r';
    if (attribute & faArchive)
        s += 'a';
}

QString attributbuchstaben(quint32 attribute)
{
    std::string s;
    attributbuchstabenAnhaengen(s, attribute);
    return QString::fromStdString(s);
}

Zeilenformatierer::Zeilenformatierer(const Suchkriterien& k, const Ansicht& a, Suchzustand& zustand,
                                     Zeilensenke& liste, const Zeitformate& formate, Suchumgebung* umgebung,
                                     bool mitFortschritt)
    : m_filter(k),
      m_ansicht(a),
      m_z(zustand),
      m_liste(liste),
      m_datum(formate),
      m_umgebung(umgebung),
      m_mitFortschritt(mitFortschritt && umgebung),
      m_utf8(liste.nimmtUtf8())
{
    // The column box and the unit box are fixed lists in this program.
    m_ansicht.spalten = qBound(1, m_ansicht.spalten, 6);
    m_ansicht.einheit = qBound(0, m_ansicht.einheit, 4);
    m_zeile.reserve(256);
}

namespace {

bool nurAscii(const char* p, qsizetype n)
{
    unsigned char oder = 0;
    for (qsizetype i = 0; i < n; ++i)
        oder |= static_cast<unsigned char>(p[i]);
    return oder < 0x80;
}

// Invalid bytes are shown as U+FFFD, exactly as the pane shows them.
void nameAnhaengen(std::string& ziel, const QByteArray& roh)
{
    if (nurAscii(roh.constData(), roh.size()))
        ziel.append(roh.constData(), static_cast<size_t>(roh.size()));
    else
        ziel += QString::fromUtf8(roh).toStdString();
}

}  // namespace

void Zeilenformatierer::zeileSchreiben()
{
    if (m_utf8)
        m_liste.zeileUtf8(m_zeile.data(), static_cast<qsizetype>(m_zeile.size()));
    else
        m_liste.zeile(QString::fromUtf8(m_zeile.data(), static_cast<qsizetype>(m_zeile.size())));
}

void Zeilenformatierer::datei(const QString& verzeichnis, const Dateidaten& d)
{
    if (!m_filter.passt(d.attribute, d.schreibzeit, m_datum.ortszeit()))
        return;

    if (m_mitFortschritt) {
        // Right-aligned in 15 characters; by hand, as this runs once per listed file.
        char puffer[16];
        char* p = puffer + 15;
        qint64 n = m_z.gepruefteDateien;
        const bool negativ = n < 0;
        if (negativ)
            n = -n;
        do {
            *--p = char('0' + n % 10);
            n /= 10;
        } while (n != 0 && p > puffer);
        if (negativ && p > puffer)
            *--p = '-';
        while (p > puffer)
            *--p = ' ';
        m_umgebung->fortschritt(QString::fromLatin1(puffer, 15));
    }

    // Consecutive files of one directory share the string, so this is mostly a pointer test.
    const bool neu = !(verzeichnis.constData() == m_z.altesverzeichnis.constData() &&
                       verzeichnis.size() == m_z.altesverzeichnis.size()) &&
                     verzeichnis != m_z.altesverzeichnis;
    if (neu) {
        m_z.neuesverzeichnis = verzeichnis;
        ++m_z.gefundeneVerzeichnisse;
    }

    const int spalten = m_ansicht.spalten;
    const bool pfad = m_ansicht.pfadangabe && spalten == 1;
    if (neu && pfad) {
        m_verzeichnisUtf8 = verzeichnis.toStdString();
    } else if (neu) {
        if (!m_z.zeile.isEmpty()) {
            m_liste.zeile(m_z.zeile);
            m_z.zeile.clear();
            m_z.tabzaehler = 0;
        }
        m_liste.zeile(QString());
        m_liste.zeile(verzeichnis);
        m_liste.zeile(QString());
    }

    if (spalten == 1) {
        m_zeile.clear();
        if (pfad)
            m_zeile += m_verzeichnisUtf8;
        nameAnhaengen(m_zeile, d.rohname);
        m_zeile += '\t';
        if (m_ansicht.attribute) {
            m_zeile += '\t';
            attributbuchstabenAnhaengen(m_zeile, d.attribute);
        }
        if (m_ansicht.groesse) {
            m_zeile += '\t';
            groessenfeldAnhaengen(m_zeile, d.groesse, m_ansicht.einheit, m_ansicht.einheitAnzeigen);
        }
        if (m_ansicht.datum) {
            m_zeile += '\t';
            m_datum.dateidatumAnhaengen(m_zeile, d.schreibzeit);
        }
    }

    ++m_z.gefundeneDateien;
    // Sparse files can claim up to 8 EiB each; the total stops at the largest value instead of wrapping.
    if (__builtin_add_overflow(m_z.gefundeneGroesse, d.groesse, &m_z.gefundeneGroesse))
        m_z.gefundeneGroesse = d.groesse < 0 ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();

    if (spalten == 1) {
        zeileSchreiben();
    } else if (m_z.tabzaehler < spalten - 1) {
        m_z.zeile += QString::fromUtf8(d.rohname);
        m_z.zeile += QLatin1Char('\t');
        ++m_z.tabzaehler;
    } else {
        m_z.zeile += QString::fromUtf8(d.rohname);
        m_liste.zeile(m_z.zeile);
        m_z.zeile.clear();
        m_z.tabzaehler = 0;
    }

    if (neu)
        m_z.altesverzeichnis = m_z.neuesverzeichnis;
}

void Zeilenformatierer::abschliessen()
{
    if (m_ansicht.spalten > 1 && m_z.tabzaehler != 0) {
        m_liste.zeile(m_z.zeile);
        m_z.zeile.clear();
        m_z.tabzaehler = 0;
    }
}
