#include "netinfo/netzressourcen.h"

#include "platform/nachrichten.h"
#include "platform/plattform.h"

namespace netinfo {
namespace {

constexpr qsizetype anfangspuffer = 16384;

using Besuch = std::function<void(const plattform::Netzressource&, int)>;

void ebeneSuchen(const plattform::Netzressource* eltern, int tiefe, plattform::Ressourcentyp typ, bool ansprechbar,
                 const Besuch& jede)
{
    std::vector<plattform::Netzressource> eintraege;
    {
        static const std::function<void()> zulassen = plattform::nachrichtenZulassen;
        static const std::function<void()> nichts;
        auto aufzaehlung = plattform::netz().oeffnen(plattform::Netzfrage::ganzesNetz, typ, eltern,
                                                     ansprechbar ? zulassen : nichts);
        if (!aufzaehlung)
            return;
        qsizetype puffer = anfangspuffer;
        plattform::Antwort antwort;
        for (;;) {
            if (ansprechbar)
                plattform::nachrichtenZulassen();
            antwort = aufzaehlung->lesen(puffer);
            // Grow only when asked for more, so a backend that keeps asking cannot hold us here.
            if (antwort.ergebnis != plattform::leMehrDaten || antwort.benoetigt <= puffer)
                break;
            puffer = antwort.benoetigt;
        }
        // One successful read per level; what further reads would give is not asked for.
        if (antwort.ergebnis == plattform::leOk)
            eintraege = std::move(antwort.eintraege);
    }  // closed before going down, so one enumeration is open at a time
    for (const auto& e : eintraege) {
        jede(e, tiefe);
        if (e.verwendung & plattform::vwBehaelter)
            ebeneSuchen(&e, tiefe + 1, typ, ansprechbar, jede);
        if (ansprechbar)
            plattform::nachrichtenZulassen();
    }
}

}  // namespace

void netzressourcenBesuchen(plattform::Ressourcentyp typ, bool ansprechbar, const Besuch& jede)
{
    ebeneSuchen(nullptr, 0, typ, ansprechbar, jede);
}

void netzressourcensuchen(plattform::Ressourcentyp typ, quint32 anzeigefilter, QStringList& liste, bool ansprechbar)
{
    // The filter only decides what is appended; the walk goes everywhere.
    netzressourcenBesuchen(typ, ansprechbar, [&](const plattform::Netzressource& e, int) {
        if (anzeigefilter == 0 || e.anzeigetyp == anzeigefilter)
            liste.append(e.fernname);
    });
}

}  // namespace netinfo
