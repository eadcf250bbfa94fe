// The Linux registry, WMI and machine facts on prepared /proc and /sys trees, and on this machine.
#include "platform/fake/fake_plattform.h"
#include "platform/linux/linux_plattform.h"
#include "platform/linux/linux_system.h"
#include "sysinfo/sammler.h"
#include "sysinfo/systembericht.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstring>

#include <gtest/gtest.h>

#include <unistd.h>

#include "netz_lan.h"

using namespace plattform;

namespace {

const QString kCpu = QStringLiteral("Hardware\\Description\\System\\CentralProcessor\\0");
const QString kSys = QStringLiteral("Hardware\\Description\\System");
const QString kCv = QStringLiteral("Software\\Microsoft\\Windows NT\\CurrentVersion");
const QString kEnum = QStringLiteral("SYSTEM\\CurrentControlSet\\Enum\\");

class Baum {
public:
    void datei(const QString& pfad, const QByteArray& inhalt)
    {
        QDir().mkpath(QFileInfo(wurzel() + pfad).path());
        QFile f(wurzel() + pfad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }
    // A relative link, as sysfs makes them, so its target stays inside the tree.
    void verweis(const QString& pfad, const QString& ziel)
    {
        QDir().mkpath(QFileInfo(wurzel() + pfad).path());
        const QString relativ = QFileInfo(wurzel() + pfad).dir().relativeFilePath(wurzel() + ziel);
        QDir().mkpath(wurzel() + ziel);
        ASSERT_TRUE(QFile::link(relativ, wurzel() + pfad));
    }
    void blockgeraet(const QString& name, const QString& echt, const QByteArray& hersteller, const QByteArray& modell,
                     const QByteArray& nummer = {})
    {
        verweis("sys/block/" + name, echt);
        if (!hersteller.isEmpty())
            datei(echt + "/device/vendor", hersteller + "\n");
        if (!modell.isEmpty())
            datei(echt + "/device/model", modell + "\n");
        if (!nummer.isEmpty())
            datei(echt + "/dev", nummer + "\n");
    }
    QString wurzel() const { return m_dir.path() + u'/'; }
    LinuxSystem system(const char* maschine, std::optional<QStringList> adressen = std::nullopt) const
    {
        return LinuxSystem({wurzel(), maschine, false, std::move(adressen)});
    }

private:
    QTemporaryDir m_dir;
};

QStringList namen(const LinuxSystem& s, const QString& bus)
{
    const Installation inst({.registry = &s});
    QStringList liste;
    Sys_unit::geraetenamen(bus, liste);
    return liste;
}

TEST(LinuxSystem, ArmRechner)
{
    // A board with cpufreq and a device tree, and a VM without any clock source.
    Baum brett;
    brett.datei("proc/cpuinfo", "processor\t: 0\nBogoMIPS\t: 108.00\nCPU implementer\t: 0x41\nCPU part\t: 0xd08\n\n"
                                "processor\t: 1\nCPU implementer\t: 0x41\nCPU part\t: 0xd08\n\nHardware\t: BCM2835\n");
    brett.datei("sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "1800000\n");
    brett.datei("sys/devices/system/cpu/online", "0-3\n");
    brett.datei("proc/device-tree/model", QByteArray("Raspberry Pi 4 Model B Rev 1.4\0", 31));
    // An eMMC: one device with boot and replay-protected areas, named in `name`.
    const QString mmc = "sys/devices/platform/emmc2bus/fe340000.mmc/mmc_host/mmc0/mmc0:0001/";
    for (const char* teil : {"mmcblk0", "mmcblk0boot0", "mmcblk0boot1", "mmcblk0rpmb"})
        brett.blockgeraet(teil, mmc + "block/" + teil, {}, {});
    for (const char* teil : {"mmcblk0", "mmcblk0boot0", "mmcblk0boot1", "mmcblk0rpmb"})
        brett.datei(mmc + "block/" + teil + "/device/name", "DA4032\n");
    const LinuxSystem s = brett.system("aarch64");
    EXPECT_EQ(namen(s, "SCSI"), QStringList{"DA4032"});
    EXPECT_EQ(s.wert(kCpu, "ProcessorNameString")->text, "ARM Cortex-A72");
    EXPECT_EQ(s.wert(kCpu, "~mhz")->zahl, 1800);
    EXPECT_EQ(*s.unterschluessel("hardware\\description\\system\\centralprocessor"), (QStringList{"0", "1", "2", "3"}));
    EXPECT_EQ(s.wert(kSys + "\\BIOS", "SystemProductName")->text, "Raspberry Pi 4 Model B Rev 1.4");
    EXPECT_TRUE(s.wert(kSys, "SystemBIOSVersion")->texte.isEmpty());
    EXPECT_TRUE(s.schluesselDa("Software\\Wow6432Node"));
    EXPECT_EQ(s.prozessoren(), "4");

    Baum vm;
    vm.datei("proc/cpuinfo", "processor\t: 0\nBogoMIPS\t: 50.00\nCPU implementer\t: 0x41\nCPU part\t: 0xd0c\n");
    const LinuxSystem v = vm.system("armv7l");
    EXPECT_EQ(v.wert(kCpu, "ProcessorNameString")->text, "ARM Neoverse-N1");
    EXPECT_FALSE(v.wert(kCpu, "~MHz"));  // BogoMIPS is no clock
    // Without cpufreq, the device tree's clock: 1,200,000,000 Hz as four big-endian bytes.
    vm.datei("proc/device-tree/cpus/cpu@0/clock-frequency", QByteArray("\x47\x86\x8c\x00", 4));
    EXPECT_EQ(vm.system("armv7l").wert(kCpu, "~MHz")->zahl, 1200);
    EXPECT_FALSE(v.schluesselDa("Software\\Wow6432Node"));
    EXPECT_FALSE(v.ist64bit());
}

TEST(LinuxSystem, Arbeitsplatz)
{
    Baum b;
    b.datei("proc/cpuinfo", "processor\t: 0\nmodel name\t: Intel(R) Core(TM) i7-12700\ncpu MHz\t\t: 800.000\n"
                            "address sizes\t: 39 bits physical, 48 bits virtual\n");
    b.datei("sys/devices/system/cpu/cpu0/cpufreq/base_frequency", "2100000\n");
    b.datei("sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "4900000\n");
    for (const auto& [n, w] : {std::pair{"bios_vendor", "American Megatrends Inc."}, {"bios_version", "1.40"},
                               {"bios_date", "03/15/2023"}, {"board_vendor", "ASRock"}, {"sys_vendor", "To Be Filled By O.E.M."},
                               {"product_name", "B660M Pro"}})
        b.datei(QStringLiteral("sys/class/dmi/id/") + n, QByteArray(w) + "\n");
    b.datei("etc/os-release", "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nVERSION_ID=\"12\"\nID=debian\n");
    b.datei("etc/debian_version", "12.8\n");
    b.datei("proc/meminfo", "MemTotal:       32768000 kB\nMemFree:         1000000 kB\nMemAvailable:   20000000 kB\n"
                            "SwapTotal:       2097148 kB\nSwapFree:        2097148 kB\nCommitLimit:    18481148 kB\n");
    b.datei("etc/samba/smb.conf", "[global]\n   workgroup = heim\n[daten]\n   workgroup = falsch\n");
    b.datei("etc/resolv.conf", "# stub\nnameserver 127.0.0.53\n");
    b.datei("run/systemd/resolve/resolv.conf", "nameserver 192.0.2.53\nnameserver 192.0.2.54\n");
    b.datei("run/systemd/netif/leases/2", "ADDRESS=192.0.2.10\nDNS=192.0.2.53 192.0.2.54\n");
    // Two GPUs, one with video memory, and a connector entry that is no card.
    b.datei("sys/class/drm/card0/device/mem_info_vram_total", "8589934592\n");
    b.datei("sys/class/drm/card1/device/vendor", "0x8086\n");
    b.datei("sys/class/drm/card0-DP-1/status", "connected\n");
    // SATA disk with udev's full model, DVD, NVMe behind its hidden path device, USB stick, loop.
    const QString pci = "sys/devices/pci0000:00/";
    b.blockgeraet("sda", pci + "0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda", "ATA", "Samsung SSD 860", "8:0");
    b.datei("run/udev/data/b8:0", "S:disk/by-id/x\nE:ID_MODEL_ENC=Samsung\\x20SSD\\x20860\\x20EVO\\x20500GB\\x20\\xc3\\xa9dition\\x20\\x20\n");
    b.blockgeraet("sr0", pci + "0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block/sr0", "HL-DT-ST", "DVDRAM GH24NSD1");
    b.blockgeraet("nvme0n1", pci + "0000:00:01.0/nvme/nvme0/nvme0n1", {}, "Samsung SSD 970 EVO Plus 1TB");
    b.blockgeraet("nvme0c0n1", pci + "0000:00:01.0/nvme/nvme0/nvme0c0n1", {}, "Samsung SSD 970 EVO Plus 1TB");
    b.datei(pci + "0000:00:01.0/nvme/nvme0/nvme0c0n1/hidden", "1\n");
    b.blockgeraet("sdb", pci + "0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb", "SanDisk", "Cruzer Blade");
    b.blockgeraet("loop0", "sys/devices/virtual/block/loop0", {}, {});
    b.datei("sys/devices/virtual/block/loop0/hidden", "0\n");
    b.datei("sys/class/net/lo/type", "772\n");
    b.datei("sys/class/net/lo/flags", "0x9\n");
    b.datei("sys/class/net/eth0/type", "1\n");
    b.datei("sys/class/net/eth0/ifindex", "2\n");
    b.datei("sys/class/net/eth0/address", "52:54:00:ab:cd:ef\n");
    b.datei("sys/class/net/eth0/flags", "0x1003\n");
    b.datei("sys/class/net/ifb0/type", "1\n");  // comes first, but is down
    b.datei("sys/class/net/ifb0/ifindex", "1\n");
    b.datei("sys/class/net/ifb0/address", "7a:64:7d:24:51:e7\n");
    b.datei("sys/class/net/ifb0/flags", "0x82\n");
    b.datei("sys/class/net/wlan0/type", "1\n");
    b.datei("sys/class/net/wlan0/ifindex", "3\n");
    b.datei("sys/class/net/wlan0/flags", "0x1002\n");
    quint32 gw = 0;
    const unsigned char bytes[4] = {192, 0, 2, 1};
    std::memcpy(&gw, bytes, 4);
    b.datei("proc/net/route", "Iface\tDestination\tGateway \tFlags\n"
                              "eth0\t000200C0\t00000000\t0001\n"
                              "eth0\t00000000\t" + QByteArray::number(gw, 16).rightJustified(8, '0').toUpper() + "\t0003\n");
    b.datei("proc/net/ipv6_route", QByteArray(32, '0') + " 00 " + QByteArray(32, '0') + " 00 fe800000000000000000000000000001 "
                                   "00000400 00000001 00000000 00000003     eth0\n");

    const LinuxSystem s = b.system("x86_64", QStringList{"192.0.2.10"});
    EXPECT_EQ(s.wert(kCpu, "ProcessorNameString")->text, "Intel(R) Core(TM) i7-12700");
    EXPECT_EQ(s.wert(kCpu, "~MHz")->zahl, 2100);  // the nominal clock, neither turbo nor current
    EXPECT_EQ(s.wert(kSys, "SystemBIOSVersion")->texte, (QStringList{"American Megatrends Inc.", "1.40"}));
    EXPECT_EQ(s.wert(kSys + "\\BIOS", "BaseBoardManufacturer")->text, "ASRock");
    EXPECT_FALSE(s.wert(kSys + "\\BIOS", "SystemManufacturer"));  // a placeholder is no fact
    EXPECT_EQ(s.wert(kCv, "CSDVersion")->text, "12.8");
    EXPECT_EQ(s.wert(kCv, "ProductID")->text, "debian");
    EXPECT_EQ(s.wert("system\\currentcontrolset\\services\\tcpip\\parameters", "DhcpNameServer")->text, "192.0.2.53 192.0.2.54");
    // A laptop: a stale lease of another network first in name order, the current one, and
    // dhclient's file whose newest block is for an address no longer held.
    Baum l;
    l.datei("var/lib/NetworkManager/internal-aaa-wlan0.lease", "ADDRESS=10.1.1.5\nDNS=203.0.113.53\n");
    l.datei("var/lib/NetworkManager/internal-bbb-wlan0.lease", "ADDRESS=10.255.255.10\nDNS=10.255.255.53\n");
    l.datei("var/lib/dhcp/dhclient.eth0.leases",
            "lease {\n  fixed-address 172.16.0.9;\n  option domain-name-servers 172.16.0.1, 172.16.0.2;\n}\n"
            "lease {\n  fixed-address 172.16.0.7;\n  option domain-name-servers 172.16.9.9;\n}\n");
    const auto dhcp = [&](const QStringList& adressen) {
        const auto w = l.system("x86_64", adressen).wert("system\\currentcontrolset\\services\\tcpip\\parameters",
                                                         "DhcpNameServer");
        return w ? w->text : QStringLiteral("(keiner)");
    };
    EXPECT_EQ(dhcp({"10.255.255.10"}), "10.255.255.53");
    EXPECT_EQ(dhcp({"172.16.0.9"}), "172.16.0.1 172.16.0.2");
    EXPECT_EQ(dhcp({"192.168.5.5"}), "(keiner)");

    const Speicherstatus m = s.speicherstatus();
    EXPECT_EQ(m.physGesamt, 32768000ull * 1024);
    EXPECT_EQ(m.physFrei, 20000000ull * 1024);  // available, not merely free
    EXPECT_EQ(m.dateiGesamt, 2097148ull * 1024);  // swap, not the commit limit
    EXPECT_EQ(m.virtuellGesamt, (quint64(1) << 47) - 4096);

    EXPECT_EQ(s.arbeitsgruppe(), "HEIM");
    EXPECT_EQ(s.dnsserver(), (QStringList{"192.0.2.53", "192.0.2.54"}));
    EXPECT_EQ(s.macadresse(), "52-54-00-AB-CD-EF");
    EXPECT_TRUE(s.netzwerkDa());

    const auto adapter = s.abfrage("Win32_NetworkAdapterConfiguration");
    ASSERT_TRUE(adapter);
    ASSERT_EQ(adapter->size(), 3);
    EXPECT_TRUE(adapter->at(0).value("DefaultIPGateway").isNull());
    EXPECT_EQ(adapter->at(1).value("DefaultIPGateway").toStringList(), (QStringList{"192.0.2.1", "fe80::1"}));
    EXPECT_TRUE(adapter->at(2).value("DefaultIPGateway").isNull());
    const auto karten = s.abfrage("Win32_VideoController ");
    ASSERT_TRUE(karten);
    ASSERT_EQ(karten->size(), 2);
    EXPECT_EQ(karten->at(0).value("AdapterRAM").toString(), "8589934592");
    EXPECT_TRUE(karten->at(1).value("AdapterRAM").isNull());
    EXPECT_FALSE(s.abfrage("Win32_Gibtsnicht"));

    EXPECT_EQ(namen(s, "IDE"), (QStringList{QString::fromUtf8("Samsung SSD 860 EVO 500GB édition"), "HL-DT-ST DVDRAM GH24NSD1"}));
    EXPECT_EQ(namen(s, "SCSI"), (QStringList{"Samsung SSD 970 EVO Plus 1TB"}));
    EXPECT_EQ(namen(s, "USBSTOR"), (QStringList{"SanDisk Cruzer Blade"}));
    EXPECT_FALSE(s.unterschluessel(kEnum + "PCI"));
    // The disks are scanned once for a report's many questions (once per question was quadratic
    // in their number): a stick pulled meanwhile shows until the next scan.
    ASSERT_TRUE(QFile::remove(b.wurzel() + "sys/block/sdb"));
    EXPECT_EQ(namen(s, "USBSTOR"), (QStringList{"SanDisk Cruzer Blade"}));
    EXPECT_EQ(namen(b.system("x86_64"), "USBSTOR"), QStringList());
}

TEST(LinuxSystem, NackteVm)
{
    // The shape of the machines we build on: no DMI, no DRM, no cpufreq, no swap, a virtio disk.
    Baum b;
    b.datei("proc/cpuinfo", "processor\t: 0\nmodel name\t: AMD EPYC\ncpu MHz\t\t: 2596.134\n");
    b.datei("proc/meminfo", "MemTotal:       24000000 kB\nMemAvailable:   23000000 kB\nSwapTotal:             0 kB\n"
                            "SwapFree:              0 kB\n");
    b.blockgeraet("vda", "sys/devices/pci0000:00/0000:00:02.0/virtio1/block/vda", "0x1af4", {});
    b.verweis("sys/devices/pci0000:00/0000:00:02.0/virtio1/block/vda/device/driver", "sys/bus/virtio/drivers/virtio_blk");
    const LinuxSystem s = b.system("x86_64");
    EXPECT_EQ(s.wert(kCpu, "~MHz")->zahl, 2596);
    EXPECT_TRUE(s.wert(kSys, "SystemBIOSVersion"));
    EXPECT_FALSE(s.wert(kSys, "SystemBIOSDate"));
    EXPECT_EQ(namen(s, "SCSI"), QStringList{"virtio_blk"});  // no model: the driver names it
    EXPECT_EQ(s.abfrage("Win32_VideoController")->size(), 0);
    EXPECT_EQ(s.speicherstatus().dateiFrei, 0u);
    EXPECT_EQ(s.speicherstatus().physFrei, 23000000ull * 1024);
    // A kernel before 3.14: no MemAvailable, the free memory is estimated.
    b.datei("proc/meminfo", "MemTotal:        2000000 kB\nMemFree:          300000 kB\nBuffers:          100000 kB\n"
                            "Cached:           600000 kB\nSwapCached:        50000 kB\n");
    EXPECT_EQ(b.system("x86_64").speicherstatus().physFrei, 1000000ull * 1024);
    EXPECT_EQ(s.arbeitsgruppe(), "");
    EXPECT_EQ(s.wert(kCv, "Productname")->text, "Linux");
    // Shell quoting in os-release: escapes inside double quotes, single quotes literal.
    b.datei("etc/os-release", "PRETTY_NAME=\"Mein \\\"Haus\\\" \\$HOME \\\\ \\x\"\nVARIANT='a \\b'\\ c\n");
    const LinuxSystem os = b.system("x86_64");
    EXPECT_EQ(os.wert(kCv, "Productname")->text, "Mein \"Haus\" $HOME \\ \\x");
    EXPECT_EQ(os.wert(kCv, "EditionID")->text, "a \\b c");
    EXPECT_FALSE(s.netzwerkDa());
}

TEST(LinuxSystem, NetzAusSichtDesEigenenNamensraums)
{
    // /sys may still show the namespace it was mounted in; the adapters are the process's own.
    if (geteuid() != 0)
        GTEST_SKIP() << "a fresh network namespace needs root";
    const auto zeilen = imNamensraum({}, QDir::tempPath(), [] {
        const LinuxSystem s;
        return QStringList{s.netzwerkDa() ? "Netz" : "kein Netz", s.macadresse()};
    });
    ASSERT_TRUE(zeilen);
    EXPECT_EQ(*zeilen, (QStringList{"kein Netz", ""}));
}

struct EchteUmgebung : Systemberichtsumgebung {
    bool meldungen() const override { return false; }
    QString erstellungsdatum() const override { return QStringLiteral("jetzt"); }
    bool dezimalkomma() const override { return true; }
    QStringList arbeitsgruppen() override { return {}; }
};

TEST(LinuxSystem, DieseMaschine)
{
    const LinuxSystem s;
    LinuxDateisystem fs;
    LinuxLaufwerke lw;
    Berichtssammler z;
    {
        const Installation inst({.dateisystem = &fs, .laufwerke = &lw, .registry = &s, .wmi = &s, .rechner = &s});
        EchteUmgebung u;
        EXPECT_NO_THROW(systemberichtSchreiben(z, u));
    }

    // It runs to the last section, names the processor, and shows the kernel's memory figure.
    EXPECT_TRUE(z.zeilen.contains("logische Laufwerke"));
    EXPECT_TRUE(z.zeilen.contains("Laufwerk: \tc:"));
    const QString cpu = z.zeilen.filter("CPU:             \t").value(0);
    EXPECT_GT(cpu.size(), QString("CPU:             \t").size());
    QFile meminfo("/proc/meminfo");
    ASSERT_TRUE(meminfo.open(QIODevice::ReadOnly));
    const quint64 kb = QString::fromLatin1(meminfo.readLine()).section(':', 1).trimmed().section(' ', 0, 0).toULongLong();
    EXPECT_TRUE(z.zeilen.contains(QStringLiteral("RAM-Speicher:\t") + QString::asprintf("%4.0f", kb / 1024.0) + " MByte"));
}

}  // namespace
