// Replays every kept fuzz input (seeds and the crashers found so far) through the same checks
// the fuzz targets run, so the normal test build covers them without clang.
#include "../../fuzz/fuzzziele.h"
#include "korpus.h"

TEST(FuzzKorpus, Einstellungen) { korpusAbspielen(QStringLiteral("einstellungen"), fuzz::einstellungen); }
TEST(FuzzKorpus, Maske) { korpusAbspielen(QStringLiteral("maske"), fuzz::maske); }
TEST(FuzzKorpus, Zeilenformat) { korpusAbspielen(QStringLiteral("zeilenformat"), fuzz::zeilenformat); }
TEST(FuzzKorpus, Rtf) { korpusAbspielen(QStringLiteral("rtf"), fuzz::rtf); }

// The checks themselves must be able to fail: a broken RTF group is caught.
TEST(FuzzKorpus, PruefungErkenntKaputteGruppen)
{
    EXPECT_EQ(rtfGruppeFehler("{\\rtf1 a\\}b}"), QString());
    EXPECT_NE(rtfGruppeFehler("{\\rtf1 a}b}"), QString());
    EXPECT_NE(rtfGruppeFehler("{\\rtf1 {a}"), QString());
    EXPECT_NE(rtfGruppeFehler("{\\rtf a}"), QString());
    EXPECT_NE(rtfGruppeFehler("{\\rtf1 a} x"), QString());
    EXPECT_EQ(fuzz::offeneKlammern("{\\{{}\\\\{"), 3);
    EXPECT_NE(fuzz::ohneRtfZeichen(QStringLiteral("a{")), fuzz::ohneRtfZeichen(QString(QChar(u'a')) + QChar(0xE001)));
}
