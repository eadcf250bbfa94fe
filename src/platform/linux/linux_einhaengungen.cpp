#include "platform/linux/linux_einhaengungen.h"

#include "platform/plattform.h"

#include <QFile>
#include <QSet>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace plattform::linuxlw {
namespace {

bool hatOption(const QByteArray& optionen, const char* name)
{
    for (const QByteArray& o : optionen.split(','))
        if (o == name)
            return true;
    return false;
}

bool unter(const QByteArray& pfad, const char* baum)
{
    const QByteArray b(baum);
    return pfad == b || (pfad.startsWith(b) && pfad.size() > b.size() && pfad[b.size()] == '/');
}

const QSet<QByteArray>& netzwerktypen()
{
    static const QSet<QByteArray> t{"nfs",         "nfs4",       "cifs",          "smb3",
                                    "smbfs",       "ncpfs",      "afs",           "ceph",
                                    "glusterfs",   "sshfs",      "fuse.sshfs",    "fuse.rclone",
                                    "fuse.s3fs",   "davfs",      "fuse.davfs2",   "fuse.curlftpfs",
                                    "fuse.glusterfs"};
    return t;
}

// Local file systems that may sit on something other than a /dev node (pools, host shares).
const QSet<QByteArray>& plattentypen()
{
    static const QSet<QByteArray> t{"zfs",  "btrfs", "bcachefs", "9p",   "virtiofs", "drvfs",
                                    "ext2", "ext3",  "ext4",     "xfs",  "vfat",     "exfat",
                                    "ntfs", "ntfs3", "fuseblk",  "f2fs", "jfs",      "hfsplus"};
    return t;
}

// The kind of drive a mount is, or -1 when a user would not call it a drive.
int einordnen(const Einhaengung& e, Geraete& geraete)
{
    if (netzwerktypen().contains(e.typ))
        return dtNetzwerk;
    if (e.typ == "tmpfs" || e.typ == "ramfs") {
        // A read-only RAM disk holds nothing anyone put there: containers use them to mask paths.
        return e.nurLesen ? -1 : dtRamdisk;
    }
    if (e.typ == "iso9660" || e.typ == "udf")
        return dtCdrom;
    if (e.typ == "squashfs" || e.typ == "overlay" || e.typ == "erofs")
        return -1;
    if (e.quelle.startsWith("/dev/")) {
        // Read-only loop images are packages (snaps), not drives.
        if (e.quelle.startsWith("/dev/loop") && e.nurLesen)
            return -1;
        return geraete.wechselmedium(e) ? dtWechselmedium : dtFestplatte;
    }
    if (plattentypen().contains(e.typ))
        return dtFestplatte;
    return -1;
}

// The pool of a ZFS dataset ("rpool" of "rpool/ROOT/debian"); empty for other file systems.
QByteArray zfsPool(const Einhaengung& e)
{
    if (e.typ != "zfs")
        return {};
    const qsizetype schraeg = e.quelle.indexOf('/');
    return schraeg < 0 ? e.quelle : e.quelle.left(schraeg);
}

QByteArray echterPfad(const QByteArray& pfad)
{
    char* r = ::realpath(pfad.constData(), nullptr);
    if (!r)
        return {};
    QByteArray ergebnis(r);
    ::free(r);
    return ergebnis;
}

QByteArray dateiLesen(const QByteArray& pfad)
{
    QFile f(QFile::decodeName(pfad));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(64).trimmed();
}

int hexwert(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

QByteArray oktalEntschluesseln(const QByteArray& s)
{
    if (!s.contains('\\'))
        return s;
    QByteArray aus;
    aus.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            const char a = s[i + 1], b = s[i + 2], c = s[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
                aus.append(char((a - '0') * 64 + (b - '0') * 8 + (c - '0')));
                i += 3;
                continue;
            }
        }
        aus.append(s[i]);
    }
    return aus;
}

QString udevEntschluesseln(const QByteArray& s)
{
    QByteArray aus;
    aus.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
            const int hoch = hexwert(s[i + 2]), tief = hexwert(s[i + 3]);
            if (hoch >= 0 && tief >= 0) {
                aus.append(char(hoch * 16 + tief));
                i += 3;
                continue;
            }
        }
        aus.append(s[i]);
    }
    return QString::fromUtf8(aus);
}

QList<Einhaengung> einhaengungenLesen(const QByteArray& mountinfo)
{
    QList<Einhaengung> tabelle;
    for (const QByteArray& zeile : mountinfo.split('\n')) {
        const QList<QByteArray> f = zeile.split(' ');
        // id parent major:minor root point options [optional...] - type source superoptions
        const qsizetype strich = f.indexOf("-", 6);
        if (f.size() < 6 || strich < 0 || strich + 2 >= f.size())
            continue;
        Einhaengung e;
        const QList<QByteArray> mm = f[2].split(':');
        bool ok1 = false, ok2 = false;
        if (mm.size() == 2) {
            e.major = mm[0].toUInt(&ok1);
            e.minor = mm[1].toUInt(&ok2);
        }
        if (!ok1 || !ok2)
            continue;
        e.wurzel = oktalEntschluesseln(f[3]);
        e.punkt = oktalEntschluesseln(f[4]);
        e.typ = f[strich + 1];
        e.quelle = oktalEntschluesseln(f[strich + 2]);
        e.nurLesen = hatOption(f[5], "ro") || (strich + 3 < f.size() && hatOption(f[strich + 3], "ro"));
        if (!e.punkt.startsWith('/'))
            continue;
        tabelle.append(e);
    }
    return tabelle;
}

std::array<Laufwerk, 26> laufwerkstabelle(const QList<Einhaengung>& tabelle, Geraete& geraete)
{
    std::array<Laufwerk, 26> lw;

    // A mount covered by a later one on the same point cannot be reached.
    QList<const Einhaengung*> sichtbar;
    for (qsizetype i = 0; i < tabelle.size(); ++i) {
        bool verdeckt = false;
        for (qsizetype j = i + 1; j < tabelle.size() && !verdeckt; ++j)
            verdeckt = tabelle[j].punkt == tabelle[i].punkt;
        if (!verdeckt)
            sichtbar.append(&tabelle[i]);
    }

    QSet<QPair<quint32, quint32>> belegt;
    QSet<QByteArray> pools;
    Laufwerk& c = lw[2];
    c.wurzel = "/";
    c.eingehaengt = true;
    c.art = dtFestplatte;
    for (const Einhaengung* e : sichtbar) {
        if (e->punkt == "/") {
            c.einhaengung = *e;
            // An overlay root in a container is still the local disk.
            const int art = einordnen(*e, geraete);
            c.art = art < 0 ? int(dtFestplatte) : art;
            belegt.insert({e->major, e->minor});
            if (const QByteArray p = zfsPool(*e); !p.isEmpty())
                pools.insert(p);
        }
    }

    for (int n = 0; n < 2; ++n) {
        if (!geraete.disketteVorhanden(n))
            continue;
        const QByteArray geraet = "/dev/fd" + QByteArray::number(n);
        lw[n].art = dtWechselmedium;
        lw[n].wurzel = geraet;
        for (const Einhaengung* e : sichtbar) {
            if (e->quelle == geraet) {
                lw[n].wurzel = e->punkt;
                lw[n].eingehaengt = true;
                lw[n].einhaengung = *e;
            }
        }
    }

    int naechster = 3;
    const auto vergeben = [&](int art, const QByteArray& wurzel, const Einhaengung* e) {
        if (naechster >= 26)
            return;
        Laufwerk& l = lw[naechster++];
        l.art = art;
        l.wurzel = wurzel;
        l.eingehaengt = e != nullptr;
        if (e)
            l.einhaengung = *e;
    };
    // Containers mount RAM disks by the hundred: they take the letters the drives leave.
    QList<const Einhaengung*> ramdisks;
    for (const Einhaengung* e : sichtbar) {
        if (e->punkt == "/" || (e->quelle == "/dev/fd0" && lw[0].art != dtKeineWurzel) ||
            (e->quelle == "/dev/fd1" && lw[1].art != dtKeineWurzel))
            continue;
        // Kernel and runtime trees; removable media mounted under /run/media still count.
        if (unter(e->punkt, "/proc") || unter(e->punkt, "/sys") || unter(e->punkt, "/dev") ||
            unter(e->punkt, "/boot") || (unter(e->punkt, "/run") && !unter(e->punkt, "/run/media")))
            continue;
        const int art = einordnen(*e, geraete);
        if (art < 0)
            continue;
        // Another view of a device already lettered (bind mounts, subvolumes), or another dataset
        // of a ZFS pool already lettered: each has a device number of its own.
        const QByteArray pool = zfsPool(*e);
        if (belegt.contains({e->major, e->minor}) || (!pool.isEmpty() && pools.contains(pool)))
            continue;
        // Single files bound into a container (/etc/hosts) are no drives.
        if (!geraete.istVerzeichnis(e->punkt))
            continue;
        belegt.insert({e->major, e->minor});
        if (!pool.isEmpty())
            pools.insert(pool);
        if (art == dtRamdisk)
            ramdisks.append(e);
        else
            vergeben(art, e->punkt, e);
    }
    // A drive without a disc is still a drive; its root is its device, as a floppy's is.
    for (const QByteArray& geraet : geraete.optischeLaufwerke()) {
        const bool mitScheibe = std::any_of(sichtbar.cbegin(), sichtbar.cend(),
                                            [&](const Einhaengung* e) { return e->quelle == geraet; });
        if (!mitScheibe)
            vergeben(dtCdrom, geraet, nullptr);
    }
    for (const Einhaengung* e : ramdisks)
        vergeben(dtRamdisk, e->punkt, e);
    return lw;
}

bool SystemGeraete::wechselmedium(const Einhaengung& e)
{
    QByteArray sys = echterPfad("/sys/dev/block/" + QByteArray::number(e.major) + ':' + QByteArray::number(e.minor));
    if (sys.isEmpty() && e.quelle.startsWith("/dev/")) {
        // btrfs and the like report an anonymous device number; go by the source's name.
        const QByteArray geraet = echterPfad(e.quelle);
        const qsizetype schraeg = geraet.lastIndexOf('/');
        if (schraeg >= 0)
            sys = echterPfad("/sys/class/block/" + geraet.mid(schraeg + 1));
    }
    if (sys.isEmpty())
        return false;
    // The removable flag belongs to the whole disk, not to its partitions.
    if (::access((sys + "/partition").constData(), F_OK) == 0)
        sys = sys.left(sys.lastIndexOf('/'));
    return dateiLesen(sys + "/removable") == "1";
}

bool SystemGeraete::disketteVorhanden(int nummer)
{
    struct stat st;
    const QByteArray geraet = "/dev/fd" + QByteArray::number(nummer);
    return ::stat(geraet.constData(), &st) == 0 && S_ISBLK(st.st_mode);
}

QList<QByteArray> SystemGeraete::optischeLaufwerke()
{
    QList<QPair<int, QByteArray>> gefunden;
    if (DIR* d = ::opendir("/sys/class/block")) {
        while (dirent* eintrag = ::readdir(d)) {
            const QByteArray name(eintrag->d_name);
            bool ok = false;
            const int nummer = name.startsWith("sr") ? name.mid(2).toInt(&ok) : -1;
            if (ok && nummer >= 0)
                gefunden.append({nummer, "/dev/" + name});
        }
        ::closedir(d);
    }
    std::sort(gefunden.begin(), gefunden.end());
    QList<QByteArray> geraete;
    for (const auto& g : gefunden)
        geraete.append(g.second);
    return geraete;
}

bool SystemGeraete::istVerzeichnis(const QByteArray& pfad)
{
    struct stat st;
    return ::stat(pfad.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QString bezeichnungLesen(const Einhaengung& e)
{
    if (!e.quelle.startsWith("/dev/"))
        return {};
    const QByteArray geraet = echterPfad(e.quelle);
    struct stat stGeraet;
    const bool hatNummer = ::stat(e.quelle.constData(), &stGeraet) == 0 && S_ISBLK(stGeraet.st_mode);
    DIR* d = ::opendir("/dev/disk/by-label");
    if (!d)
        return {};
    QString bezeichnung;
    while (dirent* eintrag = ::readdir(d)) {
        if (eintrag->d_name[0] == '.')
            continue;
        struct stat st;
        if (::fstatat(::dirfd(d), eintrag->d_name, &st, 0) != 0 || !S_ISBLK(st.st_mode))
            continue;
        const bool gleich = hatNummer ? st.st_rdev == stGeraet.st_rdev
                                      : echterPfad("/dev/disk/by-label/" + QByteArray(eintrag->d_name)) == geraet;
        if (gleich) {
            bezeichnung = udevEntschluesseln(QByteArray(eintrag->d_name));
            break;
        }
    }
    ::closedir(d);
    return bezeichnung;
}

}  // namespace plattform::linuxlw
