#include "platform/netz.h"

namespace plattform {

qsizetype eintragsgroesse(const Netzressource& r)
{
    // Eight 32-bit fields, then the name in UTF-16 with its terminator.
    return 32 + 2 * (r.fernname.size() + 1);
}

Antwort Listenaufzaehlung::lesen(qsizetype puffergroesse)
{
    Antwort a;
    if (m_pos >= m_eintraege.size()) {
        a.ergebnis = leKeineWeiteren;
        return a;
    }
    if (m_art == ganz) {
        qsizetype alles = 0;
        for (size_t i = m_pos; i < m_eintraege.size(); ++i)
            alles += eintragsgroesse(m_eintraege[i]);
        if (alles > puffergroesse) {
            a.ergebnis = leMehrDaten;
            a.benoetigt = alles;
            return a;
        }
    }
    qsizetype belegt = 0;
    while (m_pos < m_eintraege.size()) {
        const qsizetype g = eintragsgroesse(m_eintraege[m_pos]);
        if (belegt + g > puffergroesse)
            break;
        belegt += g;
        a.eintraege.push_back(m_eintraege[m_pos++]);
    }
    if (a.eintraege.empty()) {
        a.ergebnis = leMehrDaten;
        a.benoetigt = eintragsgroesse(m_eintraege[m_pos]);
        return a;
    }
    a.ergebnis = leOk;
    return a;
}

}  // namespace plattform
