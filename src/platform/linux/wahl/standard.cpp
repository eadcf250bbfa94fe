#include "platform/linux/bericht/linux_anzeige.h"
#include "platform/linux/bericht/linux_drucker.h"
#include "platform/linux/linux_plattform.h"
#include "platform/linux/linux_system.h"
#include "platform/linux/netz/linux_netz.h"
#include "platform/linux/netz/smb_dateisystem.h"

namespace plattform {

void standardInstallieren()
{
    static LinuxDateisystem ds;
    static LinuxLaufwerke lw;
    static const LinuxSystem system;
    static const LinuxAnzeige anzeige;
    static const LinuxDrucker drucker;
    static LinuxNetz netz;
    static SmbDateisystem smb([](const QString& computer) { return netz.adresse(computer, {}); });
    installieren({.dateisystem = &ds,
                  .netzdateisystem = &smb,
                  .laufwerke = &lw,
                  .registry = &system,
                  .wmi = &system,
                  .rechner = &system,
                  .anzeige = &anzeige,
                  .drucker = &drucker,
                  .netz = &netz});
}

}  // namespace plattform
