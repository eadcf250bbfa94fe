#pragma once
// What the program asks of the operating system, answered by a Linux backend and by a fake one
// for tests. Plain data in, plain data out; no widgets here.
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace plattform {

// Attribute bits of a directory entry, as the listing knows them.
enum Attribut : quint32 {
    faReadOnly = 1,
    faHidden = 2,
    faSysFile = 4,
    faDirectory = 16,
    faArchive = 32,
};

struct Dateidaten {
    QByteArray rohname;   // the name's bytes as stored on disk, no directory
    quint32 attribute = 0;
    qint64 groesse = 0;
    qint64 schreibzeit = 0;  // last write, seconds since 1970-01-01 UTC
    // Device and inode (links followed) where the backend knows them, else 0; saves a walk the
    // extra kennung() call per directory.
    quint64 geraet = 0;
    quint64 inode = 0;
};

class Dateisystem {
public:
    virtual ~Dateisystem() = default;

    // Reports every entry of `verzeichnis` (native path bytes) whose name matches `maske` by the
    // Windows rules, except "." and "..". With `nurVerzeichnisse` only entries that are directories
    // (after following links) are reported, which lets a backend skip stat calls for plain files.
    // Returns false when the directory cannot be opened. `jeEintrag` returns false to stop early;
    // the enumeration is closed in every case.
    // The walk reads ahead on worker threads: auflisten and kennung may run on several threads
    // at once, each enumeration on one thread only.
    virtual bool auflisten(const QByteArray& verzeichnis, const QString& maske, bool nurVerzeichnisse,
                           const std::function<bool(const Dateidaten&)>& jeEintrag) = 0;

    // Device and inode of a directory (links followed), so that a walk can end cycles.
    virtual bool kennung(const QByteArray& pfad, quint64* geraet, quint64* inode) = 0;

    // The process's working directory, in the system's form (no trailing separator but for "/").
    virtual QString arbeitsverzeichnis() = 0;
    // Makes `pfad` the working directory. Returns 0, or the errno value of the failure.
    virtual int setzeArbeitsverzeichnis(const QString& pfad) = 0;
};

// Drive kinds, numbered as the Windows drive-type call numbers them.
enum Laufwerksart : int {
    dtUnbekannt = 0,
    dtKeineWurzel = 1,
    dtWechselmedium = 2,
    dtFestplatte = 3,
    dtNetzwerk = 4,
    dtCdrom = 5,
    dtRamdisk = 6,
};

class Laufwerke {
public:
    virtual ~Laufwerke() = default;

    // Bit i set: drive letter 'A' + i is in use.
    virtual quint32 logischeLaufwerke() = 0;
    // Mount point that a drive letter stands for; empty when the letter is not in use.
    virtual QString wurzel(QChar buchstabe) = 0;
    // Drive letter of the mount holding `pfad` (longest matching mount point); '\0' if none.
    virtual QChar laufwerkVon(const QString& pfad) = 0;
    // One of Laufwerksart for a drive letter.
    virtual int laufwerkstyp(QChar buchstabe) = 0;
    // True when a readable volume is mounted at the root `wurzel`; its label (possibly empty) in `bezeichnung`.
    virtual bool volumeninformation(const QString& wurzel, QString* bezeichnung) = 0;
    // Total bytes and bytes free to the caller of the volume at `wurzel`; false on failure.
    virtual bool speicherplatz(const QString& wurzel, qint64* gesamt, qint64* frei) = 0;
    // The directory that plays the part of the Windows directory ("/" on Linux).
    virtual QString systemverzeichnis() = 0;
};

// The backends in use. The program installs its chosen backend at start; tests install theirs.
Dateisystem& dateisystem();
Laufwerke& laufwerke();
void installieren(Dateisystem* ds, Laufwerke* lw);

// Installs the backend the program was built with (defined by the backend chosen in CMake).
void standardInstallieren();

}  // namespace plattform
