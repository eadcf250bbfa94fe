// Drive information on prepared drives, and a plausibility check on this machine.
#include "platform/fake/fake_plattform.h"
#include "platform/linux/linux_plattform.h"
#include "platform/nachrichten.h"
#include "sysinfo/laufwerke/sys_unit_laufwerke.h"

#include <gtest/gtest.h>

using namespace plattform;

namespace {

class SysUnit : public ::testing::Test {
protected:
    void SetUp() override
    {
        lw.setze('C', {"/", dtFestplatte, "SYSTEM", true, 500LL << 30, 120LL << 30});
        lw.setze('E', {"/media/leser", dtWechselmedium, "", false, 0, 0});  // card reader, no card
        lw.setze('F', {"/media/usb", dtWechselmedium, "", true, 8LL << 30, 1LL << 30});  // no label
        lw.setze('G', {"/mnt/x", Laufwerksart(7), "", true, 1, 1});
        lw.setze('Z', {"/mnt/z", dtUnbekannt, "Z", true, 1, 1});
        installieren({.dateisystem = &fs, .laufwerke = &lw});
    }
    void TearDown() override { installieren({}); }

    FakeDateisystem fs;
    FakeLaufwerke lw;
};

}  // namespace

TEST_F(SysUnit, BelegteBuchstaben)
{
    EXPECT_FALSE(Sys_unit::laufwerkda(0));
    EXPECT_TRUE(Sys_unit::laufwerkda(2));
    EXPECT_TRUE(Sys_unit::laufwerkda(25));
    EXPECT_FALSE(Sys_unit::laufwerkda(3));
    EXPECT_FALSE(Sys_unit::laufwerkda(-1));
    EXPECT_FALSE(Sys_unit::laufwerkda(26));
    EXPECT_FALSE(Sys_unit::laufwerkda(31));
}

TEST_F(SysUnit, DatentraegerDaAufBuchstabeUndWurzel)
{
    // A reader without a card: the letter is in use, no medium.
    EXPECT_TRUE(Sys_unit::laufwerkda(4));
    EXPECT_FALSE(Sys_unit::datentraegerda("E"));
    EXPECT_FALSE(Sys_unit::datentraegerda("E:\\"));
    EXPECT_FALSE(Sys_unit::datentraegerda("/media/leser"));

    EXPECT_TRUE(Sys_unit::datentraegerda("C"));
    EXPECT_TRUE(Sys_unit::datentraegerda("c"));
    EXPECT_TRUE(Sys_unit::datentraegerda("C:\\"));
    EXPECT_TRUE(Sys_unit::datentraegerda("f:"));
    EXPECT_TRUE(Sys_unit::datentraegerda("/media/usb"));
    EXPECT_TRUE(Sys_unit::datentraegerda("/media/usb/"));
    EXPECT_TRUE(Sys_unit::datentraegerda("/"));

    EXPECT_FALSE(Sys_unit::datentraegerda("D"));  // letter not in use
    EXPECT_FALSE(Sys_unit::datentraegerda("D:\\"));
    EXPECT_FALSE(Sys_unit::datentraegerda(""));
    EXPECT_FALSE(Sys_unit::datentraegerda("/media/usb/fotos"));  // not a root
    EXPECT_FALSE(Sys_unit::datentraegerda("1"));
}

TEST_F(SysUnit, Bezeichnungen)
{
    EXPECT_EQ(Sys_unit::laufwerksname('C'), "SYSTEM");
    EXPECT_EQ(Sys_unit::laufwerksname('c'), "SYSTEM");
    EXPECT_EQ(Sys_unit::laufwerksname('F'), "");  // no label
    EXPECT_EQ(Sys_unit::laufwerksname('E'), "");  // no medium
    EXPECT_EQ(Sys_unit::laufwerksname('D'), "");  // not in use
    // The label ends at a NUL, as the Windows buffer does.
    lw.setze('H', {"/mnt/h", dtFestplatte, QString("DATEN") + QChar(u'\0') + "REST", true, 1, 1});
    EXPECT_EQ(Sys_unit::laufwerksname('H'), "DATEN");
}

TEST_F(SysUnit, Laufwerkstypen)
{
    EXPECT_EQ(Sys_unit::laufwerkstyp(2), "Festplatte");
    EXPECT_EQ(Sys_unit::laufwerkstyp(4), "Wechselmedium");
    EXPECT_EQ(Sys_unit::laufwerkstyp(3), "Laufwerk existiert nicht");
    EXPECT_EQ(Sys_unit::laufwerkstyp(6), "anderer Laufwerkstyp");
    EXPECT_EQ(Sys_unit::laufwerkstyp(25), "unbekannt");
    EXPECT_EQ(Sys_unit::laufwerkstyp(-1), "Laufwerk existiert nicht");
    EXPECT_EQ(Sys_unit::laufwerkstyp(26), "Laufwerk existiert nicht");
    lw.setze('A', {"/n", dtNetzwerk, "", true, 1, 1});
    lw.setze('B', {"/c", dtCdrom, "", true, 1, 1});
    lw.setze('D', {"/r", dtRamdisk, "", true, 1, 1});
    EXPECT_EQ(Sys_unit::laufwerkstyp(0), "Netzwerk");
    EXPECT_EQ(Sys_unit::laufwerkstyp(1), "CD-ROM/DVD");
    EXPECT_EQ(Sys_unit::laufwerkstyp(3), "RAM Disk");
}

TEST_F(SysUnit, GroesseUndFreiNachLaufwerksnummer)
{
    EXPECT_EQ(Sys_unit::laufwerksgroesse(3), 500LL << 30);  // number 3 is C
    EXPECT_EQ(Sys_unit::laufwerksfrei(3), 120LL << 30);
    EXPECT_EQ(Sys_unit::laufwerksgroesse(6), 8LL << 30);
    EXPECT_EQ(Sys_unit::laufwerksfrei(6), 1LL << 30);
    EXPECT_EQ(Sys_unit::laufwerksgroesse(5), -1);  // no medium
    EXPECT_EQ(Sys_unit::laufwerksfrei(5), -1);
    EXPECT_EQ(Sys_unit::laufwerksgroesse(4), -1);  // D not in use
    EXPECT_EQ(Sys_unit::laufwerksfrei(4), -1);
    EXPECT_EQ(Sys_unit::laufwerksgroesse(0), -1);
    EXPECT_EQ(Sys_unit::laufwerksgroesse(27), -1);
    EXPECT_EQ(Sys_unit::laufwerksfrei(-5), -1);
}

TEST_F(SysUnit, DatentraegerDaLaesstNachrichtenZu)
{
    int behandelt = 0;
    const auto alt = nachrichtenbehandlungSetzen([&] { ++behandelt; });
    const quint64 vorher = nachrichtenAnfragen();
    Sys_unit::datentraegerda("E");
    EXPECT_EQ(nachrichtenAnfragen() - vorher, 1u);
    EXPECT_EQ(behandelt, 1);
    nachrichtenbehandlungSetzen(alt);
}

TEST(SysUnitLinux, DieseMaschine)
{
    LinuxDateisystem fs;
    LinuxLaufwerke lw;
    installieren({.dateisystem = &fs, .laufwerke = &lw});
    EXPECT_TRUE(Sys_unit::laufwerkda(2));
    EXPECT_TRUE(Sys_unit::datentraegerda("C"));
    EXPECT_TRUE(Sys_unit::datentraegerda("C:\\"));
    EXPECT_TRUE(Sys_unit::datentraegerda("/"));
    EXPECT_GT(Sys_unit::laufwerksgroesse(3), 0);
    EXPECT_GE(Sys_unit::laufwerksfrei(3), 0);
    EXPECT_LE(Sys_unit::laufwerksfrei(3), Sys_unit::laufwerksgroesse(3));
    const QStringList arten{"Wechselmedium", "Festplatte", "Netzwerk", "CD-ROM/DVD", "RAM Disk"};
    for (int i = 0; i < 26; ++i) {
        if (Sys_unit::laufwerkda(i))
            EXPECT_TRUE(arten.contains(Sys_unit::laufwerkstyp(i))) << i;
        else
            EXPECT_EQ(Sys_unit::laufwerkstyp(i), "Laufwerk existiert nicht") << i;
    }
    installieren({});
}
