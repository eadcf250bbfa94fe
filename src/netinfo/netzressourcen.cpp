#include "netinfo/netzressourcen.h"

#include "platform/nachrichten.h"
#include "platform/plattform.h"

namespace netinfo {
namespace {

constexpr qsizetype anfangspuffer = 16384;

void ebeneSuchen(const plattform::Netzressource* eltern, plattform::Ressourcentyp typ, quint32 filter,
                 QStringList& liste, bool ansprechbar)
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
        if (filter == 0 || e.anzeigetyp == filter)
            liste.append(e.fernname);
        if (e.verwendung & plattform::vwBehaelter)
            ebeneSuchen(&e, typ, filter, liste, ansprechbar);
        if (ansprechbar)
            plattform::nachrichtenZulassen();
    }
}

}  // namespace

void netzressourcensuchen(plattform::Ressourcentyp typ, quint32 anzeigefilter, QStringList& liste, bool ansprechbar)
{
    ebeneSuchen(nullptr, typ, anzeigefilter, liste, ansprechbar);
}

}  // namespace netinfo
