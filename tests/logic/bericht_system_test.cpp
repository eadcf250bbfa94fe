// The system report against prepared machines: the whole text once, then the rules that change it.
#include "platform/fake/fake_plattform.h"
#include "platform/fake/fake_system.h"
#include "platform/nachrichten.h"
#include "sysinfo/sammler.h"
#include "sysinfo/systembericht.h"

#include <gtest/gtest.h>

using namespace plattform;

namespace {

const QString kCpu = QStringLiteral("Hardware\\Description\\System\\CentralProcessor\\0");
const QString kSys = QStringLiteral("Hardware\\Description\\System");
const QString kCv = QStringLiteral("Software\\Microsoft\\Windows NT\\CurrentVersion");

struct Umgebung : Systemberichtsumgebung {
    bool meldungen() const override { return schalter; }
    bool schalter = true;
    QString erstellungsdatum() const override { return QStringLiteral("09.12.2026 10:11:12"); }
    bool dezimalkomma() const override { return true; }
    QStringList arbeitsgruppen() override { ++walks; return gruppen; }
    QStringList gruppen;
    int walks = 0;
};

Anzeigemodus modus(quint32 i, quint32 b, quint32 h, quint32 bits, quint32 f)
{
    return {i, b, h, bits, f};
}

class Systembericht : public ::testing::Test {
protected:
    void SetUp() override
    {
        reg.wert(kCpu, "ProcessorNameString", Regwert::alsText("AMD EPYC"));
        reg.wert(kCpu, "~MHz", Regwert::alsZahl(2596));
        reg.wert(kSys, "SystemBIOSVersion", Regwert::alsTexte({"SeaBIOS", "1.16.2", "rest"}));
        reg.wert(kSys, "SystemBIOSDate", Regwert::alsText("04/01/2014"));
        reg.wert(kSys + "\\BIOS", "SystemManufacturer", Regwert::alsText("QEMU"));
        reg.wert(kCv, "Productname", Regwert::alsText("Debian GNU/Linux 12 (bookworm)"));
        reg.wert(kCv, "CurrentVersion", Regwert::alsText("12"));
        reg.wert(kCv, "PathName", Regwert::alsText("/"));
        reg.schluessel("Software\\Wow6432Node");
        reg.wert("SYSTEM\\CurrentControlSet\\services\\Tcpip\\Parameters", "DhcpNameServer", Regwert::alsText("10.0.0.1"));
        reg.wert("SYSTEM\\CurrentControlSet\\Enum\\SCSI\\vda\\0", "FriendlyName", Regwert::alsText("Virtio Disk"));
        reg.wert("SYSTEM\\CurrentControlSet\\Enum\\USBSTOR\\sdb\\0", "FriendlyName", Regwert::alsText("SanDisk Cruzer"));
        wmi.klasse("Win32_NetworkAdapterConfiguration",
                   {{{"DefaultIPGateway", QVariantList{" 10.0.0.1 ", "fe80::1"}}}, {{"DefaultIPGateway", QVariant()}}});
        wmi.klasse("Win32_VideoController", {{{"AdapterRAM", QVariant()}}, {{"AdapterRAM", "268435456"}}});
        rechner.daten.speicher = {17179869184ull, 536870912ull, 0, 0, 1, 1};
        rechner.daten.prozessoren = "2";
        rechner.daten.benutzername = "anna";
        rechner.daten.rechnername = "werkbank";
        rechner.daten.ipadressen = QStringList{"10.0.0.5", "10.0.1.5"};
        rechner.daten.netzwerkmaske = "255.255.255.0";
        rechner.daten.macadresse = "52-54-00-12-34-56";
        rechner.daten.dnsserver = {"10.0.0.1", "9.9.9.9"};
        anzeige.geraete = {{"card0", "Virtio GPU", "QEMU Monitor"}, {"card1", "Radeon", ""}};
        anzeige.modi[0] = modus(0, 1024, 768, 16, 60);
        anzeige.modi[1] = modus(1, 1024, 768, 32, 60);  // only the depth differs: no new line
        anzeige.modi[5] = modus(5, 800, 600, 32, 60);
        anzeige.modi[9] = modus(9, 1024, 768, 32, 60);  // again after another mode: a new line
        drucker.namen = {"Laser", "Laser 2", "Tinte"};
        drucker.standard = "Laser 2,Generic PCL,file:/dev/null";
        lw.setze('A', {"/media/floppy", dtWechselmedium, "", false});
        lw.setze('C', {"/", dtFestplatte, "system", true, 5ll * 1024 * 1024 * 1024, 1536});
        lw.setze('E', {"/media/stick", dtWechselmedium, "", true, 2048, -1});
        installieren(maschine());
    }
    void TearDown() override { installieren({}); }
    Plattform maschine(const Registry* r = nullptr)
    {
        return {.dateisystem = &fs, .laufwerke = &lw, .registry = r ? r : &reg, .wmi = &wmi, .rechner = &rechner,
                .anzeige = &anzeige, .drucker = &drucker};
    }
    QStringList bericht()
    {
        Berichtssammler z;
        systemberichtSchreiben(z, umgebung);
        return z.zeilen;
    }
    // The lines from the heading `titel` up to the next empty line after its underline.
    QStringList abschnitt(const QStringList& zeilen, const QString& titel)
    {
        const qsizetype von = zeilen.indexOf(titel);
        if (von < 0)
            return {};
        qsizetype bis = von + 3;
        while (bis < zeilen.size() && !zeilen[bis].isEmpty())
            ++bis;
        return zeilen.mid(von + 3, bis - von - 3);
    }

    FakeDateisystem fs;
    FakeLaufwerke lw;
    FakeRegistry reg;
    FakeWmi wmi;
    FakeRechner rechner;
    FakeAnzeige anzeige;
    FakeDrucker drucker;
    Umgebung umgebung;
};

TEST_F(Systembericht, GanzerBericht)
{
    const QStringList erwartet = {
        "Systemanalyse - Zembrola 3.1", "=======================", "", "Erstellungsdatum:\t09.12.2026 10:11:12", "", "",
        "Rechner", "-------------", "",
        "CPU:             \tAMD EPYC", "Anz. Prozessoren:\t2", "CPU-Takt:    \t2596 MHz", "BIOS-Version:\tSeaBIOS 1.16.2",
        "BIOS-Datum:\t04/01/2014", "System-Herst.:\tQEMU", "RAM-Speicher:\t16384 MByte", "davon frei: \t 512 MByte", "",
        "Betriebssystem", "-------------------------", "",
        "Produktname:\tDebian GNU/Linux 12 (bookworm)", "Edition:    \t", "32-/64-Bit:   \t64 Bit", "Produkt-ID:\t",
        "CurrentVersion:\t12", "BuildNumber:\t", "Buildstring:\t", "CurrentType:\t", "Reg. Benutzer:\t", "Organisation:\t",
        "Windows-Pfad:\t/", "Auslagerungsdatei: \t   0 MByte", "davon frei: \t   0 MByte", "",
        "Netzwerk", "---------------", "",
        "Benutzername  :\tanna", "Computername: \twerkbank", "Arbeitsguppe:\t", "Netzwerkadresse:\t10.0.0.5",
        "Netzwerkmaske:\t255.255.255.0", "phys.Adresse(MAC):\t52-54-00-12-34-56", "", "DHCP-Server    :\t10.0.0.1",
        "DNS-Server       :\t10.0.0.1", "DNS-Server       :\t9.9.9.9", "Standardgateway:\t10.0.0.1", "Standardgateway:\tfe80::1", "",
        "Grafik", "----------", "",
        " Device 0:", " DeviceName : \tcard0", " DeviceString: \tVirtio GPU", " Monitorname : \tQEMU Monitor", "  ",
        " Device 1:", " DeviceName : \tcard1", " DeviceString: \tRadeon", " Monitorname : \t", "  ",
        "", "Video-RAM:    \t 256 MByte", "", "Directx-Versionsnr.:\t?", "",
        "aktuelle Auflösung:\t1024 x 768 Pixel", "Farben:      \t16 M, True Color, 24 Bit", "Frequenz:\t60 Herz",
        "", "mögliche Auflösungen:", "                \t1024 x 768 Pixel,      60 Hertz",
        "                \t800 x 600 Pixel,      60 Hertz", "                \t1024 x 768 Pixel,      60 Hertz", "",
        "Drucker", "-------------", "",
        "1. Drucker:\tLaser\t(Standarddrucker)", "2. Drucker:\tLaser 2\t(Standarddrucker)", "3. Drucker:\tTinte", "",
        "physikalische Laufwerke", "-----------------------------------------", "",
        "SCSI-Laufwerk:\tVirtio Disk", "USB-Laufwerk:\tSanDisk Cruzer", "",
        "logische Laufwerke", "---------------------------------", "",
        "Laufwerk: \ta:", "Laufwerkstyp:\tDiskettenlaufwerk", "Gesamtgröße: \tkein Datenträger eingelegt !", "",
        "Laufwerk: \tc:", "Bezeichnung:\tsystem", "Laufwerkstyp:\tFestplatte", "Gesamtgröße: \t   5,000 GByte",
        "freie Größe: \t   1,500 KByte", "",
        "Laufwerk: \te:", "Bezeichnung:\t", "Laufwerkstyp:\tWechselmedium", "Gesamtgröße: \t   2,000 KByte",
        "freie Größe: \t   -1      Byte", "",
    };
    const QStringList zeilen = bericht();
    for (qsizetype i = 0; i < std::max(zeilen.size(), erwartet.size()); ++i)
        ASSERT_EQ(zeilen.value(i).toStdString(), erwartet.value(i).toStdString()) << "line " << i;
    EXPECT_EQ(umgebung.walks, 1);

    // Steps let messages through only with the wait window's switch on; the drive checks always.
    quint64 vorher = nachrichtenAnfragen();
    bericht();
    const quint64 mit = nachrichtenAnfragen() - vorher;
    umgebung.schalter = false;
    vorher = nachrichtenAnfragen();
    bericht();
    const quint64 ohne = nachrichtenAnfragen() - vorher;
    EXPECT_GT(ohne, 0u);
    EXPECT_GT(mit, ohne + 5);
}

TEST_F(Systembericht, BedingteZeilen)
{
    // A workgroup of our own spares the network walk.
    rechner.daten.arbeitsgruppe = "BUERO";
    EXPECT_TRUE(bericht().contains("Arbeitsgruppe   :\tBUERO"));
    EXPECT_EQ(umgebung.walks, 0);
    rechner.daten.arbeitsgruppe.clear();
    umgebung.gruppen = {"HEIM", "BUERO"};
    EXPECT_TRUE(bericht().contains("Arbeitsguppe:\tHEIM"));

    // No network: no section at all, Grafik follows the page-file block.
    rechner.daten.netzwerkDa = false;
    QStringList z = bericht();
    EXPECT_FALSE(z.contains("Netzwerk"));
    EXPECT_EQ(z[z.indexOf("Grafik") - 2], "davon frei: \t   0 MByte");

    // One BIOS string keeps its trailing blank; an unreadable key gives a lone blank.
    reg.wert(kSys, "SystemBIOSVersion", Regwert::alsTexte({"SeaBIOS"}));
    EXPECT_TRUE(bericht().contains("BIOS-Version:\tSeaBIOS "));
    reg.wert(kSys, "SystemBIOSVersion", Regwert::alsTexte({"", "danach"}));
    EXPECT_TRUE(bericht().contains("BIOS-Version:\t "));
    reg.gesperrt(kSys);
    z = bericht();
    EXPECT_TRUE(z.contains("BIOS-Version:\t "));
    EXPECT_TRUE(z.contains("BIOS-Datum:\t"));

    // Without video memory no Video-RAM and DirectX lines, but the empty line stays.
    wmi.klasse("Win32_VideoController", {{{"AdapterRAM", QVariant()}}});
    anzeige.tiefe = 16;
    anzeige.modi = QList<std::optional<Anzeigemodus>>(256);
    anzeige.geraete.clear();
    const QStringList grafik = abschnitt(bericht(), "Grafik");
    EXPECT_TRUE(grafik.isEmpty());
    z = bericht();
    const qsizetype g = z.indexOf("Grafik");
    EXPECT_EQ(z.mid(g, 8), (QStringList{"Grafik", "----------", "", "", "aktuelle Auflösung:\t1024 x 768 Pixel",
                                        "Frequenz:\t60 Herz", "", "Drucker"}));

    // Without a default printer nothing is marked.
    drucker.standard.clear();
    EXPECT_EQ(abschnitt(bericht(), "Drucker"), (QStringList{"1. Drucker:\tLaser", "2. Drucker:\tLaser 2", "3. Drucker:\tTinte"}));
}

TEST_F(Systembericht, RegistryfehlerBeendenDenBau)
{
    const auto endetMit = [&](const char* meldung, const QString& letzteZeile) {
        Berichtssammler z;
        try {
            systemberichtSchreiben(z, umgebung);
            ADD_FAILURE() << "no error for " << meldung;
        } catch (const Registryfehler& f) {
            EXPECT_EQ(f.meldung.toStdString(), meldung);
        }
        EXPECT_EQ(z.zeilen.value(z.zeilen.size() - 1).toStdString(), letzteZeile.toStdString());
    };
    reg.wert(kCpu, "~MHz", Regwert::alsText("2596"));
    endetMit("Ungültiger Datentyp für '~MHz'", "Anz. Prozessoren:\t2");
    reg.wert(kCpu, "~MHz", Regwert::alsZahl(1));
    reg.wert(kSys, "SystemBIOSVersion", Regwert::alsText("SeaBIOS"));
    endetMit("Stringlist expected/ ", "CPU-Takt:    \t1 MHz");
    reg.wert(kSys, "SystemBIOSVersion", Regwert::alsTexte({}));
    reg.wert(kCv, "EditionID", Regwert::alsZahl(4));
    endetMit("Ungültiger Datentyp für 'EditionID'", "Produktname:\tDebian GNU/Linux 12 (bookworm)");

    // A machine without a clock source keeps its report; the value stays empty.
    FakeRegistry ohneTakt;
    ohneTakt.wert(kCpu, "ProcessorNameString", Regwert::alsText("Cortex-A72"));
    ohneTakt.wert(kSys, "SystemBIOSVersion", Regwert::alsTexte({}));
    installieren(maschine(&ohneTakt));
    const QStringList z = bericht();
    EXPECT_TRUE(z.contains("CPU-Takt:    \t"));
    EXPECT_EQ(z.last(), "");
    EXPECT_TRUE(z.contains("logische Laufwerke"));
    // A key that exists without the value cannot be read as a multi-string.
    FakeRegistry ohneBios;
    ohneBios.wert(kSys, "SystemBIOSDate", Regwert::alsText("x"));
    installieren(maschine(&ohneBios));
    endetMit("Cannot Read MULTI_SZ Value", "CPU-Takt:    \t");
}

TEST_F(Systembericht, Sammler)
{
    // Device names: an instance without a name still counts; a locked kind ends the bus there.
    const QString ide = "SYSTEM\\CurrentControlSet\\Enum\\IDE";
    reg.wert(ide + "\\DiskA\\1", "FriendlyName", Regwert::alsText("Platte A"));
    reg.schluessel(ide + "\\DiskA\\2");
    reg.gesperrt(ide + "\\DiskB");
    reg.wert(ide + "\\DiskC\\1", "FriendlyName", Regwert::alsText("Platte C"));
    QStringList liste{"alt"};
    quint64 vorher = nachrichtenAnfragen();
    Sys_unit::geraetenamen("IDE", liste);
    EXPECT_EQ(liste, (QStringList{"alt", "Platte A", ""}));
    EXPECT_EQ(nachrichtenAnfragen() - vorher, 4u);  // before each kind and each name
    vorher = nachrichtenAnfragen();
    Sys_unit::geraetenamen("USBSTOR", liste);
    EXPECT_EQ(nachrichtenAnfragen(), vorher);
    liste.clear();
    Sys_unit::geraetenamen("FEHLT", liste);
    EXPECT_TRUE(liste.isEmpty());

    // WMI: an array wanted as a scalar, or a missing property, fails the query.
    liste.clear();
    EXPECT_TRUE(Sys_unit::wmiabfrage("Win32_NetworkAdapterConfiguration", "DefaultIPGateway", liste, true));
    EXPECT_EQ(liste, (QStringList{"10.0.0.1", "fe80::1"}));
    EXPECT_FALSE(Sys_unit::wmiabfrage("Win32_NetworkAdapterConfiguration", "DefaultIPGateway", liste, false));
    EXPECT_FALSE(Sys_unit::wmiabfrage("Win32_NetworkAdapterConfiguration", "Fehlt", liste, true));
    EXPECT_FALSE(Sys_unit::wmiabfrage("Win32_Gibtsnicht", "X", liste, true));
    wmi.klasse("Win32_VideoController", {{{"AdapterRAM", "1048576"}}, {{"AdapterRAM", "2147483648"}}});
    EXPECT_EQ(Sys_unit::wmimbyte("", "Win32_VideoController ", "AdapterRAM"), "2048 MByte");
    wmi.klasse("Win32_VideoController", {{{"AdapterRAM", "viel"}}});
    EXPECT_EQ(Sys_unit::wmimbyte("", "Win32_VideoController", "AdapterRAM"), "");
    EXPECT_EQ(Sys_unit::wmimbyte("anderer", "Win32_VideoController", "AdapterRAM"), "");

    // DirectX: "?" without the key; RC digit 1 gives b; Version is appended as it is.
    EXPECT_EQ(system_a::directxversion(), "?");
    const QString dx = "\\Software\\Microsoft\\DirectX\\";
    reg.wert(dx, "InstalledVersion", Regwert::alsDaten(QByteArray("\0\0\0\x09\0\0\0\0", 8)));
    EXPECT_EQ(system_a::directxversion(), "9.0");
    reg.wert(dx, "RC", Regwert::alsText("1"));
    reg.wert(dx, "Version", Regwert::alsText("4.09.00.0904"));
    EXPECT_EQ(system_a::directxversion(), "9.0b4.09.00.0904");

    // DNS: an empty first server means no list.
    rechner.daten.dnsserver = {"", "9.9.9.9"};
    iphlp::dnsliste(liste);
    EXPECT_TRUE(liste.isEmpty());
    rechner.daten.ipadressen.reset();
    liste = QStringList{"x"};
    EXPECT_FALSE(system_a::ipadressen(liste));
    EXPECT_TRUE(liste.isEmpty());

    // Drive sizes.
    EXPECT_EQ(groessentext(1023, true), " 1023      Byte");
    EXPECT_EQ(groessentext(1536, false), "   1.500 KByte");
    EXPECT_EQ(groessentext(qint64(1) << 40, true), "   1,000 TByte");
    EXPECT_EQ(groessentext(qint64(3000) << 40, true), "3000,000 TByte");
}

}  // namespace
