#include "platform/linux/linux_plattform.h"

namespace plattform {

void standardInstallieren()
{
    static LinuxDateisystem ds;
    static LinuxLaufwerke lw;
    installieren(&ds, &lw);
}

}  // namespace plattform
