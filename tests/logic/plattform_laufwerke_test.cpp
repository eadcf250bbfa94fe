// Drive letters from the mount table: the rules on prepared tables, then the real machine.
#include "baum_testbaum.h"
#include "platform/linux/linux_einhaengungen.h"
#include "platform/linux/linux_plattform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

using namespace plattform;
using namespace plattform::linuxlw;

namespace {

// Device facts for prepared tables: removable sources, floppies and files are listed by hand.
class Vorgabegeraete : public Geraete {
public:
    QSet<QByteArray> wechsel;
    QSet<QByteArray> dateien;
    bool fd0 = false, fd1 = false;

    bool wechselmedium(const Einhaengung& e) override { return wechsel.contains(e.quelle); }
    bool disketteVorhanden(int n) override { return n == 0 ? fd0 : fd1; }
    bool istVerzeichnis(const QByteArray& p) override { return !dateien.contains(p); }
    QList<QByteArray> optisch;
    QList<QByteArray> optischeLaufwerke() override { return optisch; }
};

QByteArray belegung(const std::array<Laufwerk, 26>& t)
{
    // "C=/ D=/media/x ..." for compact comparisons.
    QByteArray s;
    for (int i = 0; i < 26; ++i)
        if (t[i].art != dtKeineWurzel)
            s += (s.isEmpty() ? "" : " ") + QByteArray(1, char('A' + i)) + '=' + t[i].wurzel;
    return s;
}

}  // namespace

TEST(Einhaengungen, ZeilenWerdenGelesen)
{
    const QByteArray info =
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw,discard\n"
        "30 27 8:17 / /media/anna/Mein\\040Stick rw,nosuid shared:5 master:2 - vfat /dev/sdb1 rw\n"
        "31 27 0:44 /sub /mnt/bind ro,relatime - ext4 /dev/vda rw\n"
        "32 27 0:45 / /mnt/super rw - xfs /dev/sdc ro,noatime\n"
        "kaputt\n"
        "33 27 x:1 / /mnt/x rw - ext4 /dev/sdd rw\n"
        "34 27 0:46 / /mnt/kurz rw -\n"
        "\n";
    const QList<Einhaengung> t = einhaengungenLesen(info);
    ASSERT_EQ(t.size(), 4);
    EXPECT_EQ(t[0].punkt, "/");
    EXPECT_EQ(t[0].major, 254u);
    EXPECT_EQ(t[0].typ, "ext4");
    EXPECT_FALSE(t[0].nurLesen);
    // Optional fields before the separator; blanks escaped in the mount point.
    EXPECT_EQ(t[1].punkt, "/media/anna/Mein Stick");
    EXPECT_EQ(t[1].quelle, "/dev/sdb1");
    EXPECT_EQ(t[1].minor, 17u);
    EXPECT_EQ(t[2].wurzel, "/sub");
    EXPECT_TRUE(t[2].nurLesen);  // per-mount flag
    EXPECT_TRUE(t[3].nurLesen);  // super-block flag

    EXPECT_EQ(oktalEntschluesseln("a\\134b\\011c"), QByteArray("a\\b\tc"));
    EXPECT_EQ(oktalEntschluesseln("ende\\04"), QByteArray("ende\\04"));
    EXPECT_EQ(oktalEntschluesseln("\\999"), QByteArray("\\999"));
    EXPECT_EQ(udevEntschluesseln("MEIN\\x20STICK"), QString("MEIN STICK"));
    EXPECT_EQ(udevEntschluesseln("Gr\\xc3\\xbcn"), QString("Grün"));
    EXPECT_EQ(udevEntschluesseln("a\\xZZ\\x2"), QString("a\\xZZ\\x2"));
}

TEST(Einhaengungen, ContainerMitOverlay)
{
    // Overlay root, kernel trees, masking read-only tmpfs, a bound file and a bound work directory.
    const QByteArray info =
        "600 500 0:50 / / rw - overlay overlay rw,lowerdir=/a\n"
        "601 600 0:51 / /proc rw - proc proc rw\n"
        "602 600 0:52 / /dev rw - tmpfs tmpfs rw\n"
        "603 602 0:53 / /dev/shm rw - tmpfs shm rw\n"
        "604 600 0:54 / /sys ro - sysfs sysfs ro\n"
        "605 604 0:55 / /sys/fs/cgroup ro - cgroup2 cgroup ro\n"
        "606 600 8:1 /var/lib/docker/containers/x/hosts /etc/hosts rw - ext4 /dev/sda1 rw\n"
        "607 600 8:1 /home/anna/projekt /work rw - ext4 /dev/sda1 rw\n"
        "608 600 8:1 /home/anna/cache /cache rw - ext4 /dev/sda1 rw\n"
        "609 600 0:56 / /proc/acpi ro - tmpfs tmpfs ro\n"
        "610 600 0:57 / /mnt/maske ro - tmpfs tmpfs ro,size=4k\n"
        "611 600 0:58 / /run rw - tmpfs tmpfs rw\n"
        "612 600 0:59 / /scratch rw - tmpfs tmpfs rw\n";
    Vorgabegeraete g;
    g.dateien.insert("/etc/hosts");
    const auto t = laufwerkstabelle(einhaengungenLesen(info), g);
    EXPECT_EQ(belegung(t), "C=/ D=/work E=/scratch");
    EXPECT_EQ(t[2].art, dtFestplatte);  // an overlay root is the local disk
    EXPECT_EQ(t[3].art, dtFestplatte);
    EXPECT_EQ(t[4].art, dtRamdisk);
}

TEST(Einhaengungen, ArbeitsplatzMitWechselmedienNetzUndPaketen)
{
    const QByteArray info =
        "22 1 259:2 /@ / rw - btrfs /dev/nvme0n1p2 rw\n"
        "23 22 259:2 /@home /home rw - btrfs /dev/nvme0n1p2 rw\n"
        "24 22 259:1 / /boot/efi rw - vfat /dev/nvme0n1p1 rw\n"
        "25 22 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
        "26 22 7:1 / /media/bild ro - ext4 /dev/loop1 ro\n"
        "27 22 0:30 / /run/user/1000 rw - tmpfs tmpfs rw\n"
        "28 27 0:31 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
        "29 22 8:17 / /run/media/anna/STICK rw - vfat /dev/sdb1 rw\n"
        "30 22 0:40 / /mnt/nas rw - nfs4 nas:/daten rw\n"
        "31 22 0:41 / /tmp rw - tmpfs tmpfs rw\n"
        "32 22 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
        "33 22 0:42 / /home/anna/fern rw - fuse.sshfs anna@pc2: rw\n"
        "34 22 8:33 / /mnt/alt rw - ext4 /dev/sdc1 rw\n"
        "35 22 8:49 / /mnt/alt rw - ext4 /dev/sdd1 rw\n"
        "36 22 8:17 / /mnt/nochmal rw - vfat /dev/sdb1 rw\n"
        "37 22 0:43 / /pool rw - zfs tank/daten rw\n"
        "38 22 0:44 / /mnt/tracing rw - tracefs tracefs rw\n";
    Vorgabegeraete g;
    g.wechsel.insert("/dev/sdb1");
    g.optisch = {"/dev/sr0", "/dev/sr1"};
    const auto t = laufwerkstabelle(einhaengungenLesen(info), g);
    // btrfs /home is the same device as C:; /mnt/alt shows only its upper mount; the stick twice
    // is still one drive; the second optical drive has no disc and stands for its device; the RAM
    // disk comes last.
    EXPECT_EQ(belegung(t), "C=/ D=/run/media/anna/STICK E=/mnt/nas F=/media/cd G=/home/anna/fern "
                           "H=/mnt/alt I=/pool J=/dev/sr1 K=/tmp");
    EXPECT_EQ(t[3].art, dtWechselmedium);
    EXPECT_EQ(t[4].art, dtNetzwerk);
    EXPECT_EQ(t[5].art, dtCdrom);
    EXPECT_EQ(t[6].art, dtNetzwerk);
    EXPECT_EQ(t[7].einhaengung.quelle, "/dev/sdd1");
    EXPECT_EQ(t[8].art, dtFestplatte);
    EXPECT_EQ(t[9].art, dtCdrom);
    EXPECT_FALSE(t[9].eingehaengt);
    EXPECT_EQ(t[10].art, dtRamdisk);
    EXPECT_TRUE(t[3].eingehaengt);
}

TEST(Einhaengungen, ZfsPoolIstEinLaufwerk)
{
    // Every dataset has a device number of its own; the root pool is C:, a second pool one drive.
    const QByteArray info = "1 0 0:40 / / rw - zfs rpool/ROOT/debian rw\n"
                            "2 1 0:41 / /home rw - zfs rpool/home rw\n"
                            "3 1 0:42 / /var/log rw - zfs rpool/var/log rw\n"
                            "4 1 0:43 / /tank rw - zfs tank rw\n"
                            "5 1 0:44 / /tank/fotos rw - zfs tank/fotos rw\n"
                            "6 1 0:45 / /srv rw - zfs rpoolx/srv rw\n";
    Vorgabegeraete g;
    const auto t = laufwerkstabelle(einhaengungenLesen(info), g);
    EXPECT_EQ(belegung(t), "C=/ D=/tank E=/srv");
    EXPECT_EQ(t[2].art, dtFestplatte);
    EXPECT_EQ(t[3].art, dtFestplatte);
}

TEST(Einhaengungen, DiskettenUndHoechstensZ)
{
    QByteArray info = "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                      "2 1 2:1 / /mnt/floppy rw - vfat /dev/fd1 rw\n";
    for (int i = 0; i < 40; ++i)
        info += QByteArray::number(10 + i) + " 1 0:" + QByteArray::number(100 + i) + " / /mnt/ram" +
                QByteArray::number(i) + " rw - tmpfs tmpfs rw\n";
    // A data disk after the RAM disks of a container host still gets a letter, before them.
    info += "60 1 8:17 / /daten rw - ext4 /dev/sdb1 rw\n";
    Vorgabegeraete g;
    g.fd0 = g.fd1 = true;
    const auto t = laufwerkstabelle(einhaengungenLesen(info), g);
    // A floppy drive without a disk keeps its letter; its root is the device, not a directory.
    EXPECT_EQ(t[0].art, dtWechselmedium);
    EXPECT_EQ(t[0].wurzel, "/dev/fd0");
    EXPECT_FALSE(t[0].eingehaengt);
    EXPECT_EQ(t[1].wurzel, "/mnt/floppy");
    EXPECT_TRUE(t[1].eingehaengt);
    EXPECT_EQ(t[3].wurzel, "/daten");
    EXPECT_EQ(t[4].wurzel, "/mnt/ram0");
    EXPECT_EQ(t[25].wurzel, "/mnt/ram21");

    g.fd0 = g.fd1 = false;
    const auto ohne = laufwerkstabelle(einhaengungenLesen(info), g);
    EXPECT_EQ(ohne[0].art, dtKeineWurzel);
    EXPECT_EQ(ohne[1].art, dtKeineWurzel);
    // Without its floppy device the mount of /dev/fd1 is just another drive.
    EXPECT_EQ(ohne[3].wurzel, "/mnt/floppy");
    EXPECT_EQ(ohne[4].wurzel, "/daten");
}

TEST(LinuxLaufwerke, DieseMaschine)
{
    LinuxLaufwerke lw;
    const quint32 maske = lw.logischeLaufwerke();
    EXPECT_EQ(maske >> 26, 0u);
    ASSERT_TRUE(maske & (1u << 2));
    EXPECT_EQ(lw.wurzel('C'), "/");
    EXPECT_EQ(lw.wurzel('c'), "/");
    EXPECT_EQ(lw.systemverzeichnis(), "/");
    EXPECT_EQ(lw.laufwerkVon("/"), QChar('C'));

    QSet<QString> wurzeln;
    for (int i = 0; i < 26; ++i) {
        const QChar b(u'A' + i);
        const bool belegt = maske & (1u << i);
        const QString w = lw.wurzel(b);
        EXPECT_EQ(belegt, !w.isEmpty()) << char('A' + i);
        if (!belegt) {
            EXPECT_EQ(lw.laufwerkstyp(b), dtKeineWurzel);
            continue;
        }
        EXPECT_FALSE(wurzeln.contains(w)) << w.toStdString();
        wurzeln.insert(w);
        EXPECT_GE(lw.laufwerkstyp(b), dtWechselmedium);
        EXPECT_LE(lw.laufwerkstyp(b), dtRamdisk);
        if (lw.volumeninformation(w)) {
            // A mounted drive lies on itself.
            EXPECT_EQ(lw.laufwerkVon(w), b) << w.toStdString();
        }
    }
    EXPECT_EQ(lw.wurzel('['), QString());
    EXPECT_EQ(lw.laufwerkstyp('1'), dtKeineWurzel);

    const QChar tmp = lw.laufwerkVon("/tmp");
    EXPECT_FALSE(tmp.isNull());
    EXPECT_TRUE(maske & (1u << (tmp.unicode() - u'A')));
    EXPECT_FALSE(lw.laufwerkVon(QDir::currentPath()).isNull());
    EXPECT_EQ(lw.laufwerkVon("."), lw.laufwerkVon(QDir::currentPath()));
    EXPECT_TRUE(lw.laufwerkVon(QString()).isNull());
}

TEST(LinuxLaufwerke, VolumenUndSpeicherplatz)
{
    LinuxLaufwerke lw;
    EXPECT_TRUE(lw.volumeninformation("/"));
    const auto platz = lw.speicherplatz("/");
    ASSERT_TRUE(platz);
    EXPECT_GT(platz->gesamt, 0);
    EXPECT_GE(platz->frei, 0);
    EXPECT_LE(platz->frei, platz->gesamt);

    Testbaum baum;
    baum.datei("datei", 1);
    // A plain directory is no volume root, but its file system has a size.
    EXPECT_FALSE(lw.volumeninformation(baum.pfad()));
    EXPECT_TRUE(lw.speicherplatz(baum.pfad()));
    EXPECT_FALSE(lw.speicherplatz(baum.pfad("datei")));
    EXPECT_FALSE(lw.speicherplatz(baum.pfad("fehlt")));
    EXPECT_FALSE(lw.speicherplatz(QString()));
    EXPECT_FALSE(lw.volumeninformation(QString()));
    // A device node (the root of a floppy without a disk) has no free space of its own.
    EXPECT_FALSE(lw.speicherplatz("/dev/null"));
}

namespace {

// A FUSE file system whose statfs sleeps, as a dead NFS or CIFS server holds it in the kernel.
const char schlafendesFs[] = R"(import errno, stat, sys, time
from fusepy import FUSE, Operations
class Schlaf(Operations):
    def getattr(self, path, fh=None):
        if path == '/':
            return dict(st_mode=stat.S_IFDIR | 0o755, st_nlink=2)
        raise OSError(errno.ENOENT, '')
    def readdir(self, path, fh):
        return ['.', '..']
    def statfs(self, path):
        time.sleep(float(sys.argv[2]))
        return dict(f_bsize=4096, f_frsize=4096, f_blocks=100, f_bavail=50)
# Named as an sshfs mount, so the program letters it as a network drive.
FUSE(Schlaf(), sys.argv[1], foreground=True, fsname='nas:/daten', subtype='sshfs')
)";

bool eingehaengt(const QString& punkt)
{
    QFile f("/proc/self/mountinfo");
    return f.open(QIODevice::ReadOnly) && f.readAll().contains(' ' + QFile::encodeName(punkt) + ' ');
}

}  // namespace

TEST(LinuxLaufwerke, ToteEinhaengungHaeltNiemandenAuf)
{
    if (!QFile::exists("/dev/fuse") || QProcess::execute("/usr/bin/python3", {"-c", "import fusepy"}) != 0)
        GTEST_SKIP() << "FUSE or python3-fusepy is not available";
    Testbaum baum;
    baum.verzeichnis("punkt");
    QFile skript(baum.pfad("schlaf.py"));
    ASSERT_TRUE(skript.open(QIODevice::WriteOnly));
    skript.write(schlafendesFs);
    skript.close();
    const QString punkt = baum.pfad("punkt");
    QProcess fs;
    fs.start("/usr/bin/python3", {skript.fileName(), punkt, "15"});
    for (int i = 0; i < 100 && !eingehaengt(punkt); ++i)
        QThread::msleep(50);
    ASSERT_TRUE(eingehaengt(punkt));

    LinuxLaufwerke lw;
    QElapsedTimer uhr;
    uhr.start();
    // Treated as a drive that cannot be read; the second question joins the first one's worker.
    EXPECT_FALSE(lw.volumeninformation(punkt));
    EXPECT_FALSE(lw.speicherplatz(punkt));
    EXPECT_FALSE(lw.volumeninformation(punkt));
    const qint64 tot = uhr.elapsed();
    // A drive that answers is not held up by the dead one.
    uhr.restart();
    EXPECT_TRUE(lw.speicherplatz("/"));
    EXPECT_TRUE(lw.volumeninformation("/"));
    const qint64 lebendig = uhr.elapsed();
    // A program that asked about it still ends at once, and its output ends with it: a thread
    // hanging in the kernel would hold its process, a child holding its descriptors the pipe,
    // until the file system answers (for ever on a hard NFS mount).
    const QString programm = QFile::symLinkTarget("/proc/self/exe").section(u'/', 0, -2) + "/zembrola-liste";
    QProcess liste;
    uhr.restart();
    liste.start("/bin/sh", {"-c", "\"$0\" \"$1\" | cat", programm, punkt});
    const bool geendet = liste.waitForFinished(30000);
    const qint64 beendet = uhr.elapsed();

    QProcess::execute("fusermount", {"-u", "-z", punkt});
    fs.kill();
    fs.waitForFinished(3000);
    // The sleep is 15 s: any wait for it, even one, shows far above these bounds.
    EXPECT_LT(tot, 2000);
    EXPECT_LT(lebendig, 1000);
    EXPECT_TRUE(geendet && liste.exitCode() == 0) << liste.readAllStandardError().toStdString();
    EXPECT_LT(beendet, 3000);
}
