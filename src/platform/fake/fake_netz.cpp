#include "platform/fake/fake_netz.h"

#include <algorithm>

namespace plattform {

class FakeAufzaehlung : public Netzaufzaehlung {
public:
    FakeAufzaehlung(FakeNetz& netz, const FakeEbene& ebene, Ressourcentyp typ) : m_netz(netz), m_ebene(ebene)
    {
        for (const auto& r : ebene.eintraege)
            if (typ == rtAlle || r.ressourcentyp == rtAlle || r.ressourcentyp == typ)
                m_eintraege.push_back(r);
        ++m_netz.geoeffnet;
        m_netz.hoechstensOffen = std::max(m_netz.hoechstensOffen, ++m_netz.offen);
    }
    ~FakeAufzaehlung() override { --m_netz.offen; }

    Antwort lesen(qsizetype puffergroesse) override
    {
        m_netz.puffergroessen.push_back(puffergroesse);
        Antwort a;
        if (m_ebene.fehler) {
            a.ergebnis = m_ebene.fehler;
            return a;
        }
        if (puffergroesse < m_ebene.mindestpuffer) {
            a.ergebnis = leMehrDaten;
            a.benoetigt = m_ebene.mindestpuffer;
            return a;
        }
        if (m_pos >= m_eintraege.size())
            return a;
        const size_t n = m_ebene.proAufruf > 0 ? size_t(m_ebene.proAufruf) : m_eintraege.size();
        for (size_t i = 0; i < n && m_pos < m_eintraege.size(); ++i)
            a.eintraege.push_back(m_eintraege[m_pos++]);
        a.ergebnis = leOk;
        return a;
    }

private:
    FakeNetz& m_netz;
    const FakeEbene& m_ebene;
    std::vector<Netzressource> m_eintraege;
    size_t m_pos = 0;
};

std::unique_ptr<Netzaufzaehlung> FakeNetz::oeffnen(Netzfrage frage, Ressourcentyp typ, const Netzressource* eltern,
                                                   const std::function<void()>& beimWarten)
{
    typen.push_back(typ);
    if (beimWarten)
        beimWarten();
    const QString schluessel = frage == Netzfrage::eigeneArbeitsgruppe ? kontext : eltern ? eltern->fernname : oben;
    const auto it = m_ebenen.constFind(schluessel);
    static const FakeEbene leer;
    const FakeEbene& ebene = it == m_ebenen.constEnd() ? leer : *it;
    if (ebene.oeffnenScheitert)
        return nullptr;
    return std::make_unique<FakeAufzaehlung>(*this, ebene, typ);
}

void FakeNetz::adresseSetzen(const QString& name, const QString& adresse)
{
    std::lock_guard l(m_sperre);
    m_adressen.insert(name.toUpper(), adresse);
}

QString FakeNetz::adresse(const QString& name, const std::function<void()>& beimWarten)
{
    ++adressfragen;
    if (beimWarten)
        beimWarten();
    std::lock_guard l(m_sperre);
    return m_adressen.value(name.toUpper());
}

}  // namespace plattform
