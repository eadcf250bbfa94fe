#include "platform/linux/linux_plattform.h"

namespace plattform {

void standardInstallieren()
{
    static LinuxDateisystem ds;
    static LinuxLaufwerke lw;
    // Network paths go to the local file system until a network one exists.
    installieren({.dateisystem = &ds, .netzdateisystem = &ds, .laufwerke = &lw});
}

}  // namespace plattform
