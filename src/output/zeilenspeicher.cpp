#include "output/zeilenspeicher.h"

#include <algorithm>
#include <cstring>

namespace {

// Length of a paragraph break at `p` as a text document's insertText sees one
// (CR LF, CR, LF, U+2029, U+FDD0, U+FDD1), else 0.
qsizetype umbruch(const unsigned char* p, const unsigned char* ende)
{
    if (*p == '\r')
        return p + 1 < ende && p[1] == '\n' ? 2 : 1;
    if (*p == '\n')
        return 1;
    if (ende - p >= 3) {
        if (p[0] == 0xE2 && p[1] == 0x80 && p[2] == 0xA9)
            return 3;
        if (p[0] == 0xEF && p[1] == 0xB7 && (p[2] == 0x90 || p[2] == 0x91))
            return 3;
    }
    return 0;
}

bool wortzeichen(QChar c) { return c.isLetterOrNumber(); }

}  // namespace

void Zeilenspeicher::anhaengen(const char* daten, qsizetype laenge)
{
    const auto* anfang = reinterpret_cast<const unsigned char*>(daten);
    const auto* ende = anfang + laenge;
    const auto* zeile = anfang;
    for (const auto* p = anfang; p < ende;) {
        const qsizetype n = (*p == '\r' || *p == '\n' || *p == 0xE2 || *p == 0xEF) ? umbruch(p, ende) : 0;
        if (n == 0) {
            ++p;
            continue;
        }
        eineZeile(reinterpret_cast<const char*>(zeile), p - zeile);
        p += n;
        zeile = p;
        // A CR at the very end joins the line end that follows it, as in one inserted text.
        if (zeile == ende && n == 1 && p[-1] == '\r')
            return;
    }
    eineZeile(reinterpret_cast<const char*>(zeile), ende - zeile);
}

void Zeilenspeicher::eineZeile(const char* daten, qsizetype laenge)
{
    if (m_stuecke.empty() || m_stuecke.back().groesse - m_stuecke.back().belegt < laenge) {
        Stueck s;
        s.groesse = std::max(stueckgroesse, laenge);
        s.daten.reset(new char[size_t(s.groesse)]);
        s.ersteZeile = anzahl();
        m_stuecke.push_back(std::move(s));
    }
    Stueck& s = m_stuecke.back();
    if (laenge > 0)
        std::memcpy(s.daten.get() + s.belegt, daten, size_t(laenge));
    m_anfang.push_back(quint32(s.belegt));
    s.belegt += laenge;
    if (laenge > m_laengsteBytes) {
        m_laengsteBytes = laenge;
        m_laengste = anzahl() - 1;
    }
}

void Zeilenspeicher::leeren()
{
    m_stuecke.clear();
    std::vector<quint32>().swap(m_anfang);
    m_laengste = m_laengsteBytes = -1;
}

QByteArrayView Zeilenspeicher::utf8(qsizetype i) const
{
    if (i < 0 || i >= anzahl())
        return {};
    const auto s = std::upper_bound(m_stuecke.begin(), m_stuecke.end(), i,
                                    [](qsizetype z, const Stueck& st) { return z < st.ersteZeile; })
        - 1;
    const bool letzteImStueck = s + 1 == m_stuecke.end() ? i + 1 == anzahl() : i + 1 == (s + 1)->ersteZeile;
    const qsizetype von = m_anfang[size_t(i)];
    const qsizetype bis = letzteImStueck ? s->belegt : qsizetype(m_anfang[size_t(i + 1)]);
    return QByteArrayView(s->daten.get() + von, bis - von);
}

qsizetype Zeilenspeicher::inZeile(QString zeile, const QString& text, qsizetype ab, Qt::CaseSensitivity gross,
                                  bool ganzeWoerter)
{
    // A no-break space is found as a blank, as a text document's find does.
    zeile.replace(QChar::Nbsp, u' ');
    while (ab <= zeile.size()) {
        const qsizetype i = zeile.indexOf(text, ab, gross);
        if (i < 0)
            return -1;
        const qsizetype e = i + text.size();
        if (!ganzeWoerter
            || ((i == 0 || !wortzeichen(zeile.at(i - 1))) && (e == zeile.size() || !wortzeichen(zeile.at(e)))))
            return i;
        ab = e + 1;
    }
    return -1;
}

std::optional<Textstelle> Zeilenspeicher::suchen(const QString& text, Textstelle ab, Qt::CaseSensitivity gross,
                                                 bool ganzeWoerter, qsizetype bis) const
{
    if (text.isEmpty())
        return std::nullopt;
    const QByteArray nadel = text.toUtf8();
    const bool bytesGenuegen
        = gross == Qt::CaseSensitive && !ganzeWoerter && !text.contains(QChar::ReplacementCharacter)
          && !text.contains(u' ');
    const qsizetype ende = bis < 0 ? anzahl() : std::min(bis, anzahl());
    for (qsizetype z = std::max<qsizetype>(ab.zeile, 0); z < ende; ++z) {
        const QByteArrayView roh = utf8(z);
        // Most lines cannot hold the text at all; only those that might are decoded.
        if (bytesGenuegen && roh.indexOf(nadel) < 0)
            continue;
        const qsizetype i = inZeile(QString::fromUtf8(roh), text, z == ab.zeile ? ab.spalte : 0, gross, ganzeWoerter);
        if (i >= 0)
            return Textstelle{z, i};
    }
    return std::nullopt;
}
