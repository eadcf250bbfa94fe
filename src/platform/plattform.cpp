#include "platform/plattform.h"
#include "platform/anmeldung.h"

#include "platform/netz.h"

#include <stdexcept>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
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

namespace {
Dateisystem* g_arbeitsdateisystem = nullptr;
}

int arbeitsverzeichnisSetzen(const QString& pfad)
{
    Dateisystem& ds = dateisystemFuer(pfad);
    const int fehler = ds.setzeArbeitsverzeichnis(pfad);
    if (fehler == 0)
        g_arbeitsdateisystem = &ds;
    return fehler;
}

QString arbeitsverzeichnis()
{
    const Plattform& p = installiert();
    // Another bundle may have been installed since: only one of its own file systems counts.
    if (g_arbeitsdateisystem && (g_arbeitsdateisystem == p.dateisystem || g_arbeitsdateisystem == p.netzdateisystem))
        return g_arbeitsdateisystem->arbeitsverzeichnis();
    // Nothing installed: the process's own directory, which callers reach by relative names.
    return p.dateisystem ? p.dateisystem->arbeitsverzeichnis() : QString();
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

namespace plattform {
namespace {
Anmeldefrage& gesetzteAnmeldefrage()
{
    static Anmeldefrage f;
    return f;
}
}  // namespace

void anmeldefrageSetzen(Anmeldefrage frage)
{
    gesetzteAnmeldefrage() = std::move(frage);
}

std::optional<Anmeldung> anmeldungErfragen(const QString& freigabe)
{
    const Anmeldefrage& f = gesetzteAnmeldefrage();
    return f ? f(freigabe) : std::nullopt;
}

void freienSpeicherAbgeben()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace plattform
