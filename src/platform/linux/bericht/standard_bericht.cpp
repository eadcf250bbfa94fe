#include "platform/linux/bericht/linux_anzeige.h"
#include "platform/linux/bericht/linux_drucker.h"
#include "platform/linux/linux_system.h"

namespace plattform {

void berichtsquellenInstallieren()
{
    static const LinuxSystem system;
    static const LinuxAnzeige anzeige;
    static const LinuxDrucker drucker;
    installieren(static_cast<const Registry*>(&system));
    installieren(static_cast<const Wmi*>(&system));
    installieren(static_cast<const Rechner*>(&system));
    installieren(static_cast<const Anzeige*>(&anzeige));
    installieren(static_cast<const Drucker*>(&drucker));
}

}  // namespace plattform
