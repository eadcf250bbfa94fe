#pragma once
// What the program asks of the operating system, answered by a Linux backend and by a fake one
// for tests. Plain data in, plain data out; no widgets here.
#include <QByteArray>
#include <QString>
#include <cerrno>
#include <functional>
#include <optional>

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

// Device and inode of a directory: two paths with the same identity are the same directory.
struct Kennung {
    quint64 geraet = 0;
    quint64 inode = 0;
    bool operator==(const Kennung&) const = default;
};

class Dateisystem {
public:
    virtual ~Dateisystem() = default;

    // Reports every entry of `verzeichnis` (native path bytes) whose name matches `maske` by the
    // Windows rules, except "." and "..". With `nurVerzeichnisse` only entries that are directories
    // (after following links) are reported, which lets a backend skip stat calls for plain files.
    // Returns false when the directory cannot be opened. `jeEintrag` returns false to stop early;
    // the enumeration is closed in every case, also when `jeEintrag` throws.
    // The walk reads ahead on worker threads: auflisten and kennung may run on several threads
    // at once, each enumeration on one thread only.
    virtual bool auflisten(const QByteArray& verzeichnis, const QString& maske, bool nurVerzeichnisse,
                           const std::function<bool(const Dateidaten&)>& jeEintrag) const = 0;

    // Identity of a directory (links followed), so that a walk can end cycles; none when the
    // path cannot be reached.
    virtual std::optional<Kennung> kennung(const QByteArray& pfad) const = 0;

    // The process's working directory, in the system's form (no trailing separator but for "/").
    virtual QString arbeitsverzeichnis() const = 0;
    // Makes `pfad` the working directory. Returns 0, or the errno value of the failure.
    virtual int setzeArbeitsverzeichnis(const QString& pfad) = 0;

    // Replaces the file `pfad` by `daten`; 0, or the errno value. For file systems whose
    // directories cannot be the process's working directory; local files are written with Qt.
    virtual int dateiSchreiben(const QString& pfad, const QByteArray& daten)
    {
        (void)pfad;
        (void)daten;
        return ENOSYS;
    }
};

// Drive kinds, numbered as the Windows drive-type call numbers them. A backend may hand back a
// number outside this list; callers name it "another kind".
enum Laufwerksart : int {
    dtUnbekannt = 0,
    dtKeineWurzel = 1,
    dtWechselmedium = 2,
    dtFestplatte = 3,
    dtNetzwerk = 4,
    dtCdrom = 5,
    dtRamdisk = 6,
};

struct Speicherplatz {
    qint64 gesamt = 0;  // bytes
    qint64 frei = 0;    // bytes free to the caller
};

class Laufwerke {
public:
    virtual ~Laufwerke() = default;

    // Bit i set: drive letter 'A' + i is in use.
    virtual quint32 logischeLaufwerke() const = 0;
    // Mount point that a drive letter stands for; empty when the letter is not in use.
    virtual QString wurzel(QChar buchstabe) const = 0;
    // Drive letter of the mount holding `pfad` (longest matching mount point); '\0' if none.
    virtual QChar laufwerkVon(const QString& pfad) const = 0;
    virtual Laufwerksart laufwerkstyp(QChar buchstabe) const = 0;
    // The label (possibly empty) when a readable volume is mounted at the root `wurzel`; none otherwise.
    virtual std::optional<QString> volumeninformation(const QString& wurzel) const = 0;
    // Size and free space of the volume at `wurzel`; none on failure.
    virtual std::optional<Speicherplatz> speicherplatz(const QString& wurzel) const = 0;
    // The directory that plays the part of the Windows directory ("/" on Linux).
    virtual QString systemverzeichnis() const = 0;
    // Starts asking every drive's volume in the background and returns at once, so a drive that
    // does not answer has used up its wait before the first window asks; nothing by default.
    virtual void vorabFragen() const {}
};

// Network paths (\\PC\Share\...) keep the Windows form; everything else is a native path.
enum class Pfadart { lokal, netzwerk };
Pfadart pfadart(const QString& pfad);

// The backends in use, one member per facility. A new facility is one more member here, a Linux
// and a fake backend, and one line in each wahl/standard.cpp; fixtures that name their members
// (`installieren({.dateisystem = &fs, .laufwerke = &lw})`) need no change.
class Registry;
class Wmi;
class Rechner;
class Anzeige;
class Drucker;
class Netz;

struct Plattform {
    Dateisystem* dateisystem = nullptr;      // local paths
    Dateisystem* netzdateisystem = nullptr;  // network paths; when unset the local one answers
    Laufwerke* laufwerke = nullptr;
    // The reports' facts (platform/systemquellen.h); when unset they answer as an empty machine.
    const Registry* registry = nullptr;
    const Wmi* wmi = nullptr;
    const Rechner* rechner = nullptr;
    const Anzeige* anzeige = nullptr;
    const Drucker* drucker = nullptr;
    Netz* netz = nullptr;                    // network resources; when unset an empty network
};

// Not thread-safe: install before any walk starts. Asking for a facility that is not installed
// throws std::logic_error.
const Plattform& installiert();
void installieren(const Plattform& p);

// Installs `p` for its lifetime and then puts back what was installed before; for tests.
class Installation {
public:
    explicit Installation(const Plattform& p);
    Q_DISABLE_COPY_MOVE(Installation)
    ~Installation();

private:
    Plattform m_vorher;
};

Dateisystem& dateisystem();  // for local paths
Dateisystem& dateisystemFuer(const QString& pfad);

// The working directory as the directory list keeps it: a local directory is the process's own,
// a network directory is kept by the network file system. Returns 0 or the errno value.
int arbeitsverzeichnisSetzen(const QString& pfad);
// The directory last set with arbeitsverzeichnisSetzen (the process's own until then; empty when
// no file system is installed).
QString arbeitsverzeichnis();
Laufwerke& laufwerke();
Netz& netz();  // never throws: unset is an empty network

// Hands memory the process has freed back to the system: after a large listing goes, the
// allocator keeps its pages otherwise.
void freienSpeicherAbgeben();

// Installs the backend the program was built with (defined by the backend chosen in CMake).
void standardInstallieren();

}  // namespace plattform
