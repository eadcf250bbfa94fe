#pragma once
// Helpers for the robustness tests: trees too deep for path names, work in a child process that
// has dropped root, and a tiny file system that fills up.
#include <QByteArray>
#include <QString>

#include <functional>

// Makes a chain of `tiefe` directories named `name` below `wurzel` with openat/mkdirat, so its
// depth is not bounded by PATH_MAX, and puts an empty file `datei` into the deepest one.
// Throws std::runtime_error on failure.
void ketteAnlegen(const QByteArray& wurzel, int tiefe, const char* name, const char* datei);
// Removes such a chain again, bottom up; a Testbaum's own removal goes by path and would stop.
void ketteEntfernen(const QByteArray& wurzel, int tiefe, const char* name, const char* datei);

// Runs `arbeit` in a forked child as user and group 65534 (nobody), where permission bits
// count. What the child returns (at most 64 KiB) comes back; nullopt-like empty result and
// `ok` false when the child could not drop root or died.
QByteArray alsNiemand(const std::function<QByteArray()>& arbeit, bool* ok);

// A tmpfs of `kib` KiB mounted on a fresh temporary directory for the lifetime of the object;
// unmounted and removed in the destructor, also when the test failed. Needs root: when it
// cannot mount, bereit() is false and grund() says why.
class KleinesDateisystem {
public:
    explicit KleinesDateisystem(int kib);
    ~KleinesDateisystem();
    KleinesDateisystem(const KleinesDateisystem&) = delete;
    KleinesDateisystem& operator=(const KleinesDateisystem&) = delete;

    bool bereit() const { return m_eingehaengt; }
    QString grund() const { return m_grund; }
    QString pfad(const QString& name = QString()) const;
    // Fills the file system with a filler file until the next write fails with ENOSPC.
    void fuellen();

private:
    QByteArray m_punkt;
    bool m_eingehaengt = false;
    QString m_grund;
};
