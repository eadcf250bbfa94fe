#include "platform/linux/bericht/linux_anzeige.h"
#include "platform/linux/bericht/linux_drucker.h"
#include "platform/linux/linux_plattform.h"
#include "platform/linux/linux_system.h"
#include "platform/linux/netz/linux_netz.h"

namespace plattform {

void standardInstallieren()
{
    static LinuxDateisystem ds;
    static LinuxLaufwerke lw;
    static const LinuxSystem system;
    static const LinuxAnzeige anzeige;
    static const LinuxDrucker drucker;
    static LinuxNetz netz;
    // Network paths go to the local file system until a network one exists.
    installieren({.dateisystem = &ds,
                  .netzdateisystem = &ds,
                  .laufwerke = &lw,
                  .registry = &system,
                  .wmi = &system,
                  .rechner = &system,
                  .anzeige = &anzeige,
                  .drucker = &drucker,
                  .netz = &netz});
}

}  // namespace plattform
