#pragma once
// The mount table as drive letters: which mounts a user would call a drive, and in what order.
// Kept apart from the system calls so the rules can be tried on any table.
#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

namespace plattform::linuxlw {

// One line of /proc/self/mountinfo.
struct Einhaengung {
    quint32 major = 0;
    quint32 minor = 0;
    QByteArray wurzel;      // the part of the file system shown here, "/" for all of it
    QByteArray punkt;       // mount point, escapes decoded
    QByteArray typ;         // file-system type, "fuse.sshfs" and the like kept whole
    QByteArray quelle;      // device or remote name
    bool nurLesen = false;  // mounted read-only
};

// Lines that do not parse are left out.
QList<Einhaengung> einhaengungenLesen(const QByteArray& mountinfo);

// Undoes the octal escapes (\040 for a blank) of the mount table.
QByteArray oktalEntschluesseln(const QByteArray& s);
// Undoes udev's \xNN escapes in /dev/disk/by-label names; the label is UTF-8.
QString udevEntschluesseln(const QByteArray& s);

// What the drive table must ask about devices; the real answers come from /sys and /dev.
class Geraete {
public:
    virtual ~Geraete() = default;
    virtual bool wechselmedium(const Einhaengung& e) = 0;
    // /dev/fd0 for 0, /dev/fd1 for 1.
    virtual bool disketteVorhanden(int nummer) = 0;
    virtual bool istVerzeichnis(const QByteArray& pfad) = 0;
    // The optical drives ("/dev/sr0", ...) in their order, with or without a disc.
    virtual QList<QByteArray> optischeLaufwerke() { return {}; }
};

struct Laufwerk {
    int art = 1;               // Laufwerksart; 1 = letter not in use
    QByteArray wurzel;         // mount point; a floppy without a medium: its device
    bool eingehaengt = false;  // wurzel is a mounted file system
    Einhaengung einhaengung;   // valid when eingehaengt
};

// Letters for the mounts: C is "/", A and B the floppies; from D the disks, removable media,
// mounted discs and network file systems in table order, then optical drives without a mounted
// disc (their root is the device), then RAM disks. A ZFS pool is one drive, as a btrfs volume is.
std::array<Laufwerk, 26> laufwerkstabelle(const QList<Einhaengung>& tabelle, Geraete& geraete);

// The real device facts.
class SystemGeraete : public Geraete {
public:
    bool wechselmedium(const Einhaengung& e) override;
    bool disketteVorhanden(int nummer) override;
    bool istVerzeichnis(const QByteArray& pfad) override;
    QList<QByteArray> optischeLaufwerke() override;
};

// Volume label of a mounted block device from udev's by-label links; empty if it has none.
QString bezeichnungLesen(const Einhaengung& e);

}  // namespace plattform::linuxlw
