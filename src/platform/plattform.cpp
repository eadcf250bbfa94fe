#include "platform/plattform.h"

#include "platform/netz.h"

#include <stdexcept>
#include <string>

namespace plattform {
namespace {
Plattform g_plattform;

template <typename T>
T& verlangt(T* p, const char* was)
{
    if (!p)
        throw std::logic_error(std::string("no ") + was + " backend installed");
    return *p;
}
}  // namespace

Pfadart pfadart(const QString& pfad)
{
    return pfad.startsWith(QLatin1String("\\\\")) ? Pfadart::netzwerk : Pfadart::lokal;
}

const Plattform& installiert()
{
    return g_plattform;
}

void installieren(const Plattform& p)
{
    g_plattform = p;
}

Installation::Installation(const Plattform& p) : m_vorher(g_plattform)
{
    installieren(p);
}

Installation::~Installation()
{
    installieren(m_vorher);
}

Dateisystem& dateisystem()
{
    return verlangt(g_plattform.dateisystem, "file-system");
}

Dateisystem& dateisystemFuer(const QString& pfad)
{
    if (pfadart(pfad) == Pfadart::netzwerk && g_plattform.netzdateisystem)
        return *g_plattform.netzdateisystem;
    return dateisystem();
}

Laufwerke& laufwerke()
{
    return verlangt(g_plattform.laufwerke, "drive");
}

Netz& netz()
{
    static LeeresNetz leer;
    return g_plattform.netz ? *g_plattform.netz : leer;
}

}  // namespace plattform
