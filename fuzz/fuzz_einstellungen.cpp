// libFuzzer entry point; the checks live in fuzzziele.h.
#include "fuzzziele.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge)
{
    const QString fehler = fuzz::einstellungen(daten, laenge);
    if (!fehler.isEmpty()) {
        std::fprintf(stderr, "einstellungen: %s\n", fehler.toUtf8().constData());
        std::abort();
    }
    return 0;
}
