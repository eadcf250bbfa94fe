#include "platform/maske.h"

#include <QStringDecoder>

#include <algorithm>

namespace plattform {
namespace {

// Appends the folded code points of UTF-16 text.
void faltenAnhaengen(const QChar* p, qsizetype n, std::u32string& aus)
{
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = p[i].unicode();
        if (p[i].isHighSurrogate() && i + 1 < n && p[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(p[i], p[i + 1]);
            ++i;
        }
        aus.push_back(QChar::toCaseFolded(c));
    }
}

qsizetype punkte(const std::u32string& s)
{
    return std::count(s.begin(), s.end(), U'.');
}

// Greedy two-pointer match: on a mismatch only the last '*' is retried one character further,
// so hostile masks cost at most name length times mask length, never exponential time.
bool wildcard(const std::u32string& muster, const std::u32string& name)
{
    const size_t pn = muster.size(), sn = name.size();
    // Every character but '*' consumes exactly one name character.
    const size_t noetig = pn - size_t(std::count(muster.begin(), muster.end(), U'*'));
    if (noetig > sn)
        return false;
    size_t pi = 0, si = 0, stern = std::u32string::npos, marke = 0;
    while (si < sn) {
        if (pi < pn && (muster[pi] == U'?' || muster[pi] == name[si])) {
            ++pi;
            ++si;
        } else if (pi < pn && muster[pi] == U'*') {
            stern = pi++;
            marke = si;
        } else if (stern != std::u32string::npos) {
            pi = stern + 1;
            si = ++marke;
        } else {
            return false;
        }
    }
    while (pi < pn && muster[pi] == U'*')
        ++pi;
    return pi == pn;
}

}  // namespace

Maske::Maske(const QString& maske)
{
    std::u32string gefaltet;
    faltenAnhaengen(maske.constData(), maske.size(), gefaltet);
    // Runs of '*' mean the same as one and would only slow the match down.
    for (char32_t c : gefaltet) {
        if (c == U'*' && !m_muster.empty() && m_muster.back() == U'*')
            continue;
        m_muster.push_back(c);
    }
    if (m_muster.empty()) {
        m_art = Art::nichts;
        return;
    }
    if (m_muster == U"*" || m_muster == U"*.*") {
        m_art = Art::alles;
        return;
    }
    m_art = Art::muster;
    const size_t n = m_muster.size();
    if (n >= 2 && m_muster[n - 2] == U'.' && m_muster[n - 1] == U'*') {
        m_sternEnde = true;
        m_ohneEnde = m_muster.substr(0, n - 2);
    } else if (m_muster[n - 1] == U'.') {
        // Windows drops trailing dots of names, so "abc.." means "abc.".
        m_punktEnde = true;
        m_ohneEnde = m_muster;
        while (!m_ohneEnde.empty() && m_ohneEnde.back() == U'.')
            m_ohneEnde.pop_back();
        if (m_ohneEnde.empty())
            m_art = Art::nichts;
        m_punkteOhneEnde = int(punkte(m_ohneEnde));
    }
}

bool Maske::pruefe(const std::u32string& name) const
{
    if (m_punktEnde) {
        // No wildcard may have swallowed a dot: "*." is the names without an extension.
        return punkte(name) == m_punkteOhneEnde && wildcard(m_ohneEnde, name);
    }
    if (wildcard(m_muster, name))
        return true;
    return m_sternEnde && !m_ohneEnde.empty() && punkte(name) == 0 && wildcard(m_ohneEnde, name);
}

bool Maske::passt(const QString& name) const
{
    if (m_art != Art::muster)
        return m_art == Art::alles && !name.isEmpty();
    m_name.clear();
    faltenAnhaengen(name.constData(), name.size(), m_name);
    return pruefe(m_name);
}

bool Maske::passtRoh(const char* bytes, qsizetype laenge) const
{
    if (m_art != Art::muster)
        return m_art == Art::alles && laenge > 0;
    m_name.clear();
    const auto* u = reinterpret_cast<const unsigned char*>(bytes);
    bool ascii = true;
    for (qsizetype i = 0; i < laenge; ++i) {
        if (u[i] >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        // Most names are plain ASCII; its folding is the lower case.
        for (qsizetype i = 0; i < laenge; ++i) {
            const unsigned char c = u[i];
            m_name.push_back(c >= 'A' && c <= 'Z' ? char32_t(c + 32) : char32_t(c));
        }
        return pruefe(m_name);
    }
    // Stateless, so every name starts fresh; decoded exactly as QString::fromUtf8 shows the name
    // (which also drops a leading byte-order mark).
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    m_utf16.resize(decoder.requiredSpace(laenge));
    QChar* ende = decoder.appendToBuffer(m_utf16.data(), QByteArrayView(bytes, laenge));
    faltenAnhaengen(m_utf16.data(), ende - m_utf16.data(), m_name);
    return pruefe(m_name);
}

bool maskePasst(const QString& maske, const QString& name)
{
    return Maske(maske).passt(name);
}

}  // namespace plattform
