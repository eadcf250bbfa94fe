#include "platform/fake/fake_plattform.h"

namespace plattform {

void standardInstallieren()
{
    static FakeDateisystem ds;
    static FakeLaufwerke lw;
    installieren({.dateisystem = &ds, .netzdateisystem = &ds, .laufwerke = &lw});
}

}  // namespace plattform
