#include "platform/linux/linux_plattform.h"
#include "platform/linux/netz/linux_netz.h"

namespace plattform {

void standardInstallieren()
{
    static LinuxDateisystem ds;
    static LinuxLaufwerke lw;
    static LinuxNetz netz;
    // Network paths go to the local file system until a network one exists.
    installieren({.dateisystem = &ds, .netzdateisystem = &ds, .laufwerke = &lw, .netz = &netz});
}

}  // namespace plattform
