#include "text/utf8senke.h"

#include <cstring>

namespace {
constexpr size_t puffergroesse = 1 << 20;
}

char* utf8Schreiben(char* z, QStringView text)
{
    const char16_t* p = text.utf16();
    const char16_t* ende = p + text.size();
    while (p < ende) {
        char32_t c = *p++;
        if (c < 0x80) {
            *z++ = static_cast<char>(c);
            continue;
        }
        if (c < 0x800) {
            *z++ = static_cast<char>(0xC0 | (c >> 6));
            *z++ = static_cast<char>(0x80 | (c & 0x3F));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && p < ende && *p >= 0xDC00 && *p <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (*p++ - 0xDC00);
                *z++ = static_cast<char>(0xF0 | (c >> 18));
                *z++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
                *z++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                *z++ = static_cast<char>(0x80 | (c & 0x3F));
                continue;
            }
            c = 0xFFFD;
        }
        *z++ = static_cast<char>(0xE0 | (c >> 12));
        *z++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *z++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return z;
}

Utf8Senke::Utf8Senke(std::FILE* ziel, bool crlf) : m_datei(ziel), m_crlf(crlf), m_puffer(puffergroesse) { }

Utf8Senke::Utf8Senke(QIODevice* ziel, bool crlf) : m_geraet(ziel), m_crlf(crlf), m_puffer(puffergroesse) { }

Utf8Senke::~Utf8Senke() { leeren(); }

void Utf8Senke::schreiben()
{
    if (m_fuellung == 0 || m_fehler)
        return;
    if (m_datei) {
        if (std::fwrite(m_puffer.data(), 1, m_fuellung, m_datei) != m_fuellung)
            m_fehler = true;
    } else if (m_geraet) {
        if (m_geraet->write(m_puffer.data(), static_cast<qint64>(m_fuellung)) != static_cast<qint64>(m_fuellung))
            m_fehler = true;
    }
    m_fuellung = 0;
}

void Utf8Senke::zeile(const QString& text)
{
    const size_t bedarf = static_cast<size_t>(text.size()) * 3 + 2;
    if (m_fuellung + bedarf > m_puffer.size()) {
        schreiben();
        if (bedarf > m_puffer.size())
            m_puffer.resize(bedarf);
    }
    char* z = m_puffer.data() + m_fuellung;
    z = utf8Schreiben(z, text);
    if (m_crlf)
        *z++ = '\r';
    *z++ = '\n';
    m_fuellung = static_cast<size_t>(z - m_puffer.data());
}

void Utf8Senke::zeileUtf8(const char* daten, qsizetype laenge)
{
    const size_t n = static_cast<size_t>(laenge);
    if (m_fuellung + n + 2 > m_puffer.size()) {
        schreiben();
        if (n + 2 > m_puffer.size())
            m_puffer.resize(n + 2);
    }
    char* z = m_puffer.data() + m_fuellung;
    std::memcpy(z, daten, n);
    z += n;
    if (m_crlf)
        *z++ = '\r';
    *z++ = '\n';
    m_fuellung = static_cast<size_t>(z - m_puffer.data());
}

bool Utf8Senke::leeren()
{
    schreiben();
    if (m_datei && std::fflush(m_datei) != 0)
        m_fehler = true;
    return !m_fehler;
}
