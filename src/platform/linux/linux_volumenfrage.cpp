#include "platform/linux/linux_volumenfrage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace plattform::linuxlw {
namespace {

using Uhr = std::chrono::steady_clock;

struct Frage {
    bool fertig = false;
    Volumenantwort antwort;
    Uhr::time_point beantwortet;
};

struct Eintrag {
    std::shared_ptr<Frage> frage;
    Uhr::time_point gestellt;
    quint32 major = 0, minor = 0;
    QByteArray quelle, typ;
};

std::mutex sperre;
std::condition_variable fertigMeldung;
// Keyed by the path asked about; shared with the workers, which may outlive any caller.
std::map<QByteArray, Eintrag>& fragen()
{
    static auto* m = new std::map<QByteArray, Eintrag>;  // never destroyed: a stuck worker may finish at exit
    return *m;
}

// What the child process finds out.
struct Befund {
    int verzeichnis = 0;
    int lesbar = 0;
    struct statvfs sv;
};

// Closes every descriptor but `behalten`; system calls only.
void allesSchliessenAusser(int behalten)
{
    const auto schliessen = [](unsigned von, unsigned bis) {
        if (von > bis)
            return;
        if (::close_range(von, bis, 0) == 0)
            return;
        for (unsigned fd = von; fd <= bis && fd < 65536; ++fd)
            ::close(int(fd));
    };
    if (behalten > 0)
        schliessen(0, unsigned(behalten) - 1);
    schliessen(unsigned(behalten) + 1, ~0U);
}

// Asked in a child process: a thread that hangs in the kernel keeps its whole process from ending,
// even when killed, so a program that asked about a dead mount could not exit; a child left
// hanging is the system's to reap once the file system answers. The child makes system calls
// only, as it must after a fork of a process with threads.
Volumenantwort fragenJetzt(const QByteArray& pfad, const Einhaengung& e)
{
    Volumenantwort a;
    int rohr[2];
    if (::pipe2(rohr, O_CLOEXEC) != 0)
        return a;
    const pid_t kind = ::fork();
    if (kind == 0) {
        // Nothing of the program's stays open in a child that may hang for long: not the window's
        // connection to the X server (the window would stay on screen after the program ended),
        // not a pipe someone reads to its end.
        allesSchliessenAusser(rohr[1]);
        Befund b{};
        struct stat st;
        b.verzeichnis = ::stat(pfad.constData(), &st) == 0 && S_ISDIR(st.st_mode);
        b.lesbar = ::statvfs(pfad.constData(), &b.sv) == 0;
        const ssize_t n = ::write(rohr[1], &b, sizeof b);
        ::_exit(n == ssize_t(sizeof b) ? 0 : 1);
    }
    ::close(rohr[1]);
    Befund b{};
    size_t gelesen = 0;
    while (kind > 0 && gelesen < sizeof b) {
        const ssize_t n = ::read(rohr[0], reinterpret_cast<char*>(&b) + gelesen, sizeof b - gelesen);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        gelesen += size_t(n);
    }
    ::close(rohr[0]);
    if (kind > 0)
        while (::waitpid(kind, nullptr, 0) < 0 && errno == EINTR) {
        }
    if (gelesen != sizeof b)
        return a;
    a.verzeichnis = b.verzeichnis != 0;
    if (b.lesbar) {
        a.lesbar = true;
        a.bloecke = b.sv.f_blocks;
        a.frei = b.sv.f_bavail;
        a.blockgroesse = b.sv.f_frsize;
        a.bezeichnung = bezeichnungLesen(e);
    }
    return a;
}

bool gleicheEinhaengung(const Eintrag& x, const Einhaengung& e)
{
    return x.major == e.major && x.minor == e.minor && x.quelle == e.quelle && x.typ == e.typ;
}

}  // namespace

std::optional<Volumenantwort> volumenFragen(const QByteArray& pfad, const Einhaengung& e,
                                            std::chrono::milliseconds frist)
{
    const Uhr::time_point jetzt = Uhr::now();
    std::unique_lock lock(sperre);
    auto& alle = fragen();
    auto it = alle.find(pfad);
    bool neu = it == alle.end();
    if (!neu) {
        const Eintrag& x = it->second;
        const bool offen = !x.frage->fertig;
        const bool veraltet = x.frage->fertig && jetzt - x.frage->beantwortet > volumenGueltigkeit;
        // A question still in the kernel is never asked twice, whatever is mounted there now.
        neu = !offen && (veraltet || !gleicheEinhaengung(x, e));
    }
    if (neu) {
        auto frage = std::make_shared<Frage>();
        alle[pfad] = Eintrag{frage, jetzt, e.major, e.minor, e.quelle, e.typ};
        std::thread([frage, pfad, e] {
            Volumenantwort a = fragenJetzt(pfad, e);
            std::lock_guard l(sperre);
            frage->antwort = std::move(a);
            frage->fertig = true;
            frage->beantwortet = Uhr::now();
            fertigMeldung.notify_all();
        }).detach();
        it = alle.find(pfad);
    }
    const std::shared_ptr<Frage> frage = it->second.frage;
    const Uhr::time_point gestellt = it->second.gestellt;
    // A question has one deadline, however many ask it: a mount that hung recently is not waited
    // on again until its time has passed, and a question asked ahead is waited on only for the rest.
    if (!fertigMeldung.wait_until(lock, gestellt + frist, [&] { return frage->fertig; }))
        return std::nullopt;
    return frage->antwort;
}

}  // namespace plattform::linuxlw
