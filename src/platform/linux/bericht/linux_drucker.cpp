#include "platform/linux/bericht/linux_drucker.h"

#include <cups/cups.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace plattform {
namespace {

// A scheduler that accepts and never answers holds cupsGetDests for minutes: asked in a worker and
// waited on for about a second. A question still open is waited on again, never asked twice.
constexpr std::chrono::milliseconds frist{1000};

struct Antwort {
    bool fertig = false;
    Drucker::Stand stand;
};

std::mutex sperre;
std::condition_variable fertigMeldung;

QString option(const cups_dest_t& ziel, const char* name)
{
    return QString::fromUtf8(cupsGetOption(name, ziel.num_options, ziel.options));
}

Drucker::Stand fragen()
{
    Drucker::Stand a;
    cups_dest_t* liste = nullptr;
    const int anzahl = cupsGetDests(&liste);
    // Honours lpoptions, PRINTER and LPDEST as every CUPS program does.
    if (const cups_dest_t* s = cupsGetDest(nullptr, nullptr, anzahl, liste))
        a.standard = QString::fromUtf8(s->name) + u',' + option(*s, "printer-make-and-model") + u',' +
                     option(*s, "device-uri");
    for (int i = 0; i < anzahl; ++i)
        if (!liste[i].instance)  // instances are option sets of a queue, not printers
            a.namen.append(QString::fromUtf8(liste[i].name));
    cupsFreeDests(anzahl, liste);
    return a;
}

}  // namespace

Drucker::Stand LinuxDrucker::stand() const
{
    static std::shared_ptr<Antwort> offen;
    std::unique_lock lock(sperre);
    if (!offen || offen->fertig) {
        offen = std::make_shared<Antwort>();
        std::thread([a = offen] {
            Stand neu = fragen();
            std::lock_guard l(sperre);
            a->stand = std::move(neu);
            a->fertig = true;
            fertigMeldung.notify_all();
        }).detach();
    }
    const std::shared_ptr<Antwort> a = offen;
    if (!fertigMeldung.wait_for(lock, frist, [&] { return a->fertig; }))
        return {};
    return a->stand;
}

QString LinuxDrucker::standarddrucker() const
{
    return stand().standard;
}

QStringList LinuxDrucker::druckerliste() const
{
    return stand().namen;
}

}  // namespace plattform
