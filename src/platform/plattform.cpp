#include "platform/plattform.h"

#include <stdexcept>

namespace plattform {
namespace {
Dateisystem* g_dateisystem = nullptr;
Laufwerke* g_laufwerke = nullptr;
}  // namespace

Dateisystem& dateisystem()
{
    if (!g_dateisystem)
        throw std::logic_error("no file-system backend installed");
    return *g_dateisystem;
}

Laufwerke& laufwerke()
{
    if (!g_laufwerke)
        throw std::logic_error("no drive backend installed");
    return *g_laufwerke;
}

void installieren(Dateisystem* ds, Laufwerke* lw)
{
    g_dateisystem = ds;
    g_laufwerke = lw;
}

}  // namespace plattform
