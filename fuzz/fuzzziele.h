#pragma once
// What each fuzz target does with one input, and what must hold afterwards. Shared by the
// libFuzzer entry points and by the regression test that replays the kept inputs in the normal
// test build. Each returns an empty string when all is well, otherwise what went wrong.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstring>
#include <limits>
#include <sys/mman.h>
#include <unistd.h>

#include "listing/zeilenformat.h"
#include "output/einstellungen.h"
#include "output/rtf.h"
#include "platform/maske.h"
#include "robust_rtfpruefung.h"
#include "text/zeilensenke.h"

namespace fuzz {

// Takes bytes off the front of the input; missing bytes read as zero.
class Leser {
public:
    Leser(const uint8_t* d, size_t n) : m_d(d), m_n(n) {}
    bool leer() const { return m_pos >= m_n; }
    uint8_t byte() { return m_pos < m_n ? m_d[m_pos++] : 0; }
    template <typename T>
    T zahl()
    {
        T w{};
        uint8_t b[sizeof(T)] = {};
        for (size_t i = 0; i < sizeof(T); ++i)
            b[i] = byte();
        std::memcpy(&w, b, sizeof(T));
        return w;
    }
    QByteArray bytes(size_t laenge)
    {
        laenge = std::min(laenge, m_n - std::min(m_pos, m_n));
        QByteArray b(reinterpret_cast<const char*>(m_d + m_pos), qsizetype(laenge));
        m_pos += laenge;
        return b;
    }
    QByteArray rest() { return bytes(m_n); }
    // Raw UTF-16 code units, lone surrogates included.
    QString utf16(size_t einheiten)
    {
        QString s;
        for (size_t i = 0; i < einheiten && !leer(); ++i)
            s.append(QChar(char16_t(zahl<uint16_t>())));
        return s;
    }

private:
    const uint8_t* m_d;
    size_t m_n;
    size_t m_pos = 0;
};

// The settings file: the input is the file's bytes.
inline QString einstellungen(const uint8_t* d, size_t n)
{
    const int fd = ::memfd_create("zembrola.ini", MFD_CLOEXEC);
    if (fd < 0)
        return {};
    size_t geschrieben = 0;
    while (geschrieben < n) {
        const ssize_t w = ::write(fd, d + geschrieben, n - geschrieben);
        if (w <= 0)
            break;
        geschrieben += size_t(w);
    }
    const QString pfad = QStringLiteral("/proc/self/fd/%1").arg(fd);
    Eintraege e;
    eintraegeLesen(pfad, e);
    ::close(fd);
    QString fehler;
    for (int i = 1; i <= Eintraege::anzahl; ++i)
        if (e[i].size() > zeilenobergrenze)
            fehler += QStringLiteral("line %1 holds %2 characters; ").arg(i).arg(e[i].size());
    const QStringList schluessel = {QStringLiteral("automatische Suche"), QStringLiteral("Hintergrundfarbe"),
                                    QStringLiteral("="), QStringLiteral(" "), QString::fromUtf8(reinterpret_cast<const char*>(d), qsizetype(std::min<size_t>(n, 4)))};
    for (const QString& s : schluessel) {
        const QString w = wertsuchen(e, s);
        // The value is the part after the first "=" of some line: never longer than a line.
        if (w.size() > zeilenobergrenze)
            fehler += QStringLiteral("value of %1 too long; ").arg(s);
    }
    einstellungenAufloesen(e);
    return fehler;
}

// The mask matcher: first byte is the mask's length, the mask follows, the rest is the name.
inline QString maske(const uint8_t* d, size_t n)
{
    Leser l(d, n);
    const QByteArray m = l.bytes(l.byte());
    const QByteArray name = l.rest();
    const plattform::Maske mk(QString::fromUtf8(m));
    const bool roh = mk.passtRoh(name.constData(), name.size());
    const bool text = mk.passt(QString::fromUtf8(name));
    if (roh != text)
        return QStringLiteral("raw and decoded name disagree (%1/%2)").arg(roh).arg(text);
    if (!name.isEmpty() && plattform::Maske(QStringLiteral("*")).passtRoh(name.constData(), name.size()) == false)
        return QStringLiteral("\"*\" did not match a name");
    return {};
}

// The line formatter: view options and criteria, then files with arbitrary names, sizes, times.
inline QString zeilenformat(const uint8_t* d, size_t n)
{
    Leser l(d, n);
    const uint8_t a = l.byte(), b = l.byte();
    Ansicht an;
    an.spalten = 1 + a % 6;
    an.pfadangabe = a & 0x08;
    an.attribute = a & 0x10;
    an.datum = a & 0x20;
    an.groesse = a & 0x40;
    an.einheitAnzeigen = a & 0x80;
    an.einheit = b % 5;
    Suchkriterien k;
    k.alleDateien = b & 0x08;
    k.archiviert = b & 0x10;
    k.nurLesen = b & 0x20;
    k.system = b & 0x40;
    k.versteckt = b & 0x80;
    k.datum = l.byte() & 1;
    k.startdatum = QDate::fromJulianDay(l.zahl<int32_t>());
    k.enddatum = QDate::fromJulianDay(l.zahl<int32_t>());
    Suchzustand z;
    Zeilensammler liste;
    Zeilenformatierer f(k, an, z, liste, Zeitformate{});
    const QStringList verzeichnisse = {QStringLiteral("/"), QStringLiteral("/a/"), QString::fromUtf8("/\xc3\xbc{}\\/")};
    int gereicht = 0;
    while (!l.leer() && gereicht < 64) {
        plattform::Dateidaten dd;
        dd.attribute = l.byte();
        // stat never gives a negative size
        dd.groesse = l.zahl<int64_t>() & std::numeric_limits<int64_t>::max();
        dd.schreibzeit = l.zahl<int64_t>();
        const QString& v = verzeichnisse[l.byte() % 3];
        dd.rohname = l.bytes(l.byte());
        f.datei(v, dd);
        ++gereicht;
    }
    f.abschliessen();
    if (z.gefundeneDateien < 0 || z.gefundeneDateien > gereicht)
        return QStringLiteral("%1 found of %2 handed over").arg(z.gefundeneDateien).arg(gereicht);
    if (z.gefundeneGroesse < 0)
        return QStringLiteral("total size wrapped to %1").arg(z.gefundeneGroesse);
    if (an.spalten == 1 && !an.pfadangabe && liste.zeilen.size() < z.gefundeneDateien)
        return QStringLiteral("fewer lines than files in one column");
    return {};
}

// The RTF writer: paragraphs of runs with arbitrary text, font, size, colour and tab stops.
inline QList<RtfAbsatz> rtfAbsaetzeLesen(Leser& l)
{
    QList<RtfAbsatz> absaetze;
    while (!l.leer() && absaetze.size() < 16) {
        RtfAbsatz p;
        const int laeufe = l.byte() % 5;
        for (int i = 0; i < laeufe; ++i) {
            RtfLauf r;
            r.text = l.utf16(l.byte());
            r.schriftart = l.utf16(l.byte() % 16);
            r.groesse = l.zahl<double>();
            r.farbe = {l.zahl<int32_t>(), l.zahl<int32_t>(), l.zahl<int32_t>()};
            const uint8_t s = l.byte();
            r.fett = s & 1;
            r.kursiv = s & 2;
            r.unterstrichen = s & 4;
            p.laeufe.append(r);
        }
        const int tabs = l.byte() % 4;
        for (int i = 0; i < tabs; ++i)
            p.tabstops.append(l.zahl<double>());
        absaetze.append(p);
    }
    return absaetze;
}

// Braces outside escapes: the group structure the writer made.
inline int offeneKlammern(const QByteArray& rtf)
{
    int n = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\')
            ++i;
        else if (rtf[i] == '{')
            ++n;
    }
    return n;
}

// Moves braces and backslashes out of a font name without making two names equal.
inline QString ohneRtfZeichen(const QString& s)
{
    QString aus;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u >= 0xE000 && u <= 0xE003)
            aus += QChar(0xE000), aus += c;
        else if (u == u'{')
            aus += QChar(0xE001);
        else if (u == u'}')
            aus += QChar(0xE002);
        else if (u == u'\\')
            aus += QChar(0xE003);
        else
            aus += c;
    }
    return aus;
}

inline QString rtf(const uint8_t* d, size_t n)
{
    Leser l(d, n);
    const QList<RtfAbsatz> absaetze = rtfAbsaetzeLesen(l);
    const QByteArray aus = rtfDokument(absaetze);
    const QString fehler = rtfGruppeFehler(aus);
    if (!fehler.isEmpty())
        return fehler;
    // The group structure must not depend on what the texts and font names contain.
    QList<RtfAbsatz> neutral = absaetze;
    for (RtfAbsatz& p : neutral)
        for (RtfLauf& r : p.laeufe) {
            r.text = QStringLiteral("x");
            r.schriftart = ohneRtfZeichen(r.schriftart);
        }
    const int soll = offeneKlammern(rtfDokument(neutral));
    const int ist = offeneKlammern(aus);
    if (soll != ist)
        return QStringLiteral("%1 groups, %2 without the input's text").arg(ist).arg(soll);
    return {};
}

}  // namespace fuzz
