#include "platform/fake/fake_plattform.h"

namespace plattform {

void standardInstallieren()
{
    static FakePlattform p;
    installieren(p.buendel());
}

}  // namespace plattform
