// Replays the kept inputs of the discovery fuzz targets through the same checks.
#include "../../fuzz/fuzzziele_netz.h"
#include "korpus.h"

TEST(NetzKorpus, Netbios) { korpusAbspielen(QStringLiteral("netbios"), fuzz::netbios); }
TEST(NetzKorpus, Mdns) { korpusAbspielen(QStringLiteral("mdns"), fuzz::mdns); }
TEST(NetzKorpus, Wsd) { korpusAbspielen(QStringLiteral("wsd"), fuzz::wsd); }
