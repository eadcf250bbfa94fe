#include "platform/linux/bericht/linux_drucker.h"

#include <cups/cups.h>

#include <memory>

namespace plattform {
namespace {

struct Ziele {
    cups_dest_t* liste = nullptr;
    int anzahl = 0;
    Ziele() { anzahl = cupsGetDests(&liste); }
    ~Ziele() { cupsFreeDests(anzahl, liste); }
    Ziele(const Ziele&) = delete;
    Ziele& operator=(const Ziele&) = delete;
};

QString option(const cups_dest_t& ziel, const char* name)
{
    return QString::fromUtf8(cupsGetOption(name, ziel.num_options, ziel.options));
}

}  // namespace

QString LinuxDrucker::standarddrucker() const
{
    const Ziele z;
    // Honours lpoptions, PRINTER and LPDEST as every CUPS program does.
    const cups_dest_t* standard = cupsGetDest(nullptr, nullptr, z.anzahl, z.liste);
    if (!standard)
        return {};
    return QString::fromUtf8(standard->name) + u',' + option(*standard, "printer-make-and-model") + u',' +
           option(*standard, "device-uri");
}

QStringList LinuxDrucker::druckerliste() const
{
    const Ziele z;
    QStringList namen;
    for (int i = 0; i < z.anzahl; ++i)
        if (!z.liste[i].instance)  // instances are option sets of a queue, not printers
            namen.append(QString::fromUtf8(z.liste[i].name));
    return namen;
}

}  // namespace plattform
