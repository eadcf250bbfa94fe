// libFuzzer entry point; the checks live in fuzzziele_netz.h.
#include "fuzzziele_netz.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge)
{
    const QString fehler = fuzz::netbios(daten, laenge);
    if (!fehler.isEmpty()) {
        std::fprintf(stderr, "netbios: %s\n", fehler.toUtf8().constData());
        std::abort();
    }
    return 0;
}
