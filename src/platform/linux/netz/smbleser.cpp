#include "platform/linux/netz/smbleser.h"

extern "C" {
#include <libsmbclient.h>
}

#include <QtEndian>

#include <atomic>
#include <condition_variable>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace plattform::smbleser {

using namespace std::chrono;

void anmeldungEintragen(const Anmeldung& a, char* wg, int wglen, char* un, int unlen, char* pw, int pwlen)
{
    const auto kopieren = [](const QString& t, char* ziel, int laenge) {
        if (laenge <= 0)
            return;
        const QByteArray b = t.toUtf8();
        const int n = std::min<int>(int(b.size()), laenge - 1);
        std::memcpy(ziel, b.constData(), size_t(n));
        ziel[n] = '\0';
    };
    kopieren(a.benutzer, un, unlen);
    kopieren(a.passwort, pw, pwlen);
    if (!a.domaene.isEmpty())
        kopieren(a.domaene, wg, wglen);
}

int verzeichnisLesen(SMBCCTX* ctx, const char* url, bool nurVerzeichnisse, std::vector<Dateidaten>& aus)
{
    errno = 0;
    SMBCFILE* dir = smbc_getFunctionOpendir(ctx)(ctx, url);
    if (!dir)
        return errno ? errno : EIO;
    // readdirplus2 parses the URL and looks the server up again for every entry, a third of the
    // client's time on a large share. The inode is needed for directories only (the walk's cycle
    // check): the cheap call reads everything, and a second pass over the library's own copy of
    // the list fetches the inodes of the directories.
    const auto lesen = smbc_getFunctionReaddirPlus(ctx);
    std::vector<std::pair<size_t, size_t>> nachtraege;  // (position in the list, index in aus)
    for (size_t roh = 0;; ++roh) {
        const libsmb_file_info* e = lesen(ctx, dir);
        if (!e)
            break;
        if (!e->name)
            continue;
        const size_t n = qstrnlen(e->name, 4096);
        if (n == 0 || (n == 1 && e->name[0] == '.') || (n == 2 && e->name[0] == '.' && e->name[1] == '.'))
            continue;
        // A name with a backslash cannot be written as a network path; a server should not send one.
        if (std::memchr(e->name, '\\', n))
            continue;
        const bool istVerzeichnis = (e->attrs & faDirectory) != 0;
        if (nurVerzeichnisse && !istVerzeichnis)
            continue;
        Dateidaten d;
        d.rohname = QByteArray(e->name, qsizetype(n));
        d.attribute = quint32(e->attrs) & (faReadOnly | faHidden | faSysFile | faDirectory | faArchive);
        d.groesse = qint64(std::min<uint64_t>(e->size, uint64_t(std::numeric_limits<qint64>::max())));
        d.schreibzeit = qint64(e->mtime_ts.tv_sec);
        if (istVerzeichnis)
            nachtraege.emplace_back(roh, aus.size());
        aus.push_back(std::move(d));
    }
    if (!nachtraege.empty() && smbc_getFunctionLseekdir(ctx)(ctx, dir, 0) == 0) {
        const auto mitStat = smbc_getFunctionReaddirPlus2(ctx);
        size_t roh = 0;
        struct stat st;
        for (const auto& [stelle, index] : nachtraege) {
            for (; roh < stelle; ++roh)
                if (!lesen(ctx, dir))
                    break;
            if (roh != stelle)
                break;
            const libsmb_file_info* e = mitStat(ctx, dir, &st);
            ++roh;
            // The list is the library's own copy; a name that differs means it is not.
            if (!e || !e->name || aus[index].rohname != e->name)
                break;
            aus[index].inode = quint64(st.st_ino);
        }
    }
    smbc_getFunctionClosedir(ctx)(ctx, dir);
    return 0;
}

int ausfuehren(SMBCCTX* ctx, const Auftrag& auftrag, std::vector<Dateidaten>& aus)
{
    const char* url = auftrag.url.constData();
    errno = 0;
    if (auftrag.art == Art::lesen)
        return verzeichnisLesen(ctx, url, auftrag.nurVerzeichnisse, aus);
    if (auftrag.art == Art::pruefen) {
        SMBCFILE* dir = smbc_getFunctionOpendir(ctx)(ctx, url);
        if (!dir)
            return errno ? errno : EIO;
        smbc_getFunctionClosedir(ctx)(ctx, dir);
        return 0;
    }
    struct stat st;
    if (smbc_getFunctionStat(ctx)(ctx, url, &st) != 0)
        return errno ? errno : EIO;
    Dateidaten d;
    d.rohname = ".";
    d.inode = quint64(st.st_ino);
    aus.push_back(d);
    return 0;
}

// ---- frames ----------------------------------------------------------------------------------

namespace {

void u32(QByteArray& b, quint32 v)
{
    char t[4];
    qToLittleEndian(v, t);
    b.append(t, 4);
}
void u64(QByteArray& b, quint64 v)
{
    char t[8];
    qToLittleEndian(v, t);
    b.append(t, 8);
}
void text(QByteArray& b, const QByteArray& s)
{
    u32(b, quint32(s.size()));
    b.append(s);
}

// Reads a frame's fields; every read checks what is left.
struct Leser {
    const QByteArray& b;
    qsizetype pos = 0;
    bool gut = true;
    const char* nimm(qsizetype n)
    {
        if (!gut || n < 0 || b.size() - pos < n) {
            gut = false;
            return nullptr;
        }
        const char* p = b.constData() + pos;
        pos += n;
        return p;
    }
    quint8 u8()
    {
        const char* p = nimm(1);
        return p ? quint8(*p) : 0;
    }
    quint32 u32()
    {
        const char* p = nimm(4);
        return p ? qFromLittleEndian<quint32>(p) : 0;
    }
    quint64 u64()
    {
        const char* p = nimm(8);
        return p ? qFromLittleEndian<quint64>(p) : 0;
    }
    QByteArray text(quint32 hoechstens)
    {
        const quint32 n = u32();
        if (n > hoechstens) {
            gut = false;
            return {};
        }
        const char* p = nimm(qsizetype(n));
        return p ? QByteArray(p, qsizetype(n)) : QByteArray();
    }
    bool amEnde() const { return gut && pos == b.size(); }
};

constexpr quint32 laengsterText = 64 * 1024;

}  // namespace

QByteArray auftragKodieren(const Auftrag& a)
{
    QByteArray b("A");
    b.append(char(a.art));
    u32(b, quint32(a.zeitMs));
    b.append(char(a.nurVerzeichnisse ? 1 : 0));
    b.append(char(a.anmeldung ? 1 : 0));
    text(b, a.url);
    const Anmeldung an = a.anmeldung.value_or(Anmeldung{});
    text(b, an.benutzer.toUtf8());
    text(b, an.passwort.toUtf8());
    text(b, an.domaene.toUtf8());
    return b;
}

std::optional<Auftrag> auftragLesen(const QByteArray& rahmen)
{
    Leser l{rahmen};
    if (l.u8() != 'A')
        return std::nullopt;
    Auftrag a;
    const quint8 art = l.u8();
    if (art != quint8(Art::lesen) && art != quint8(Art::pruefen) && art != quint8(Art::kennung))
        return std::nullopt;
    a.art = Art(art);
    a.zeitMs = qint32(l.u32());
    a.nurVerzeichnisse = l.u8() != 0;
    const bool mit = l.u8() != 0;
    a.url = l.text(laengsterText);
    Anmeldung an;
    an.benutzer = QString::fromUtf8(l.text(laengsterText));
    an.passwort = QString::fromUtf8(l.text(laengsterText));
    an.domaene = QString::fromUtf8(l.text(laengsterText));
    if (!l.amEnde() || a.zeitMs <= 0 || !a.url.startsWith("smb://"))
        return std::nullopt;
    if (mit)
        a.anmeldung = an;
    return a;
}

QByteArray eintraegeKodieren(const Dateidaten* von, size_t anzahl)
{
    QByteArray b("E");
    u32(b, quint32(anzahl));
    for (size_t i = 0; i < anzahl; ++i) {
        const Dateidaten& d = von[i];
        text(b, d.rohname);
        u32(b, d.attribute);
        u64(b, quint64(d.groesse));
        u64(b, quint64(d.schreibzeit));
        u64(b, d.inode);
    }
    return b;
}

QByteArray schlussKodieren(int fehler)
{
    QByteArray b("F");
    u32(b, quint32(fehler));
    return b;
}

bool antwortLesen(const QByteArray& rahmen, std::vector<Dateidaten>& aus, std::optional<int>& schluss)
{
    Leser l{rahmen};
    const quint8 art = l.u8();
    if (art == 'F') {
        const int f = int(l.u32());
        if (!l.amEnde() || f < 0)
            return false;
        schluss = f;
        return true;
    }
    if (art != 'E')
        return false;
    const quint32 n = l.u32();
    if (n > quint32(eintraegeJeRahmen))
        return false;
    for (quint32 i = 0; i < n && l.gut; ++i) {
        Dateidaten d;
        d.rohname = l.text(4096);
        d.attribute = l.u32();
        d.groesse = qint64(l.u64());
        d.schreibzeit = qint64(l.u64());
        d.inode = l.u64();
        if (d.rohname.isEmpty() || d.rohname.contains('\\') || d.rohname.contains('\0') || d.groesse < 0)
            return false;
        aus.push_back(std::move(d));
    }
    return l.amEnde();
}

// ---- the helper process ----------------------------------------------------------------------

namespace {

bool allesSchreiben(int fd, const char* p, size_t n)
{
    while (n > 0) {
        const ssize_t k = ::send(fd, p, n, MSG_NOSIGNAL);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            return false;
        p += k;
        n -= size_t(k);
    }
    return true;
}

bool rahmenSchreiben(int fd, const QByteArray& inhalt)
{
    QByteArray b;
    b.reserve(inhalt.size() + 4);
    u32(b, quint32(inhalt.size()));
    b.append(inhalt);
    return allesSchreiben(fd, b.constData(), size_t(b.size()));
}

// Exactly n bytes: 0, or ETIMEDOUT after `geduld` without a byte (negative: no bound), EIO at
// end of input or on an error.
int allesLesen(int fd, char* p, size_t n, milliseconds geduld)
{
    while (n > 0) {
        pollfd pf{fd, POLLIN, 0};
        const int r = ::poll(&pf, 1, geduld.count() < 0 ? -1 : int(std::min<milliseconds::rep>(geduld.count(), INT_MAX)));
        if (r < 0 && errno == EINTR)
            continue;
        if (r == 0)
            return ETIMEDOUT;
        if (r < 0)
            return EIO;
        const ssize_t k = ::recv(fd, p, n, 0);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            return EIO;
        p += k;
        n -= size_t(k);
    }
    return 0;
}

int rahmenLesen(int fd, QByteArray& inhalt, milliseconds geduld)
{
    char kopf[4];
    if (const int f = allesLesen(fd, kopf, 4, geduld))
        return f;
    const quint32 n = qFromLittleEndian<quint32>(kopf);
    if (n == 0 || n > groessterRahmen)
        return EPROTO;
    inhalt.resize(qsizetype(n));
    return allesLesen(fd, inhalt.data(), n, geduld);
}

// While the helper waits on the server it says so every quarter second, so the caller can tell
// a slow directory from a helper that hangs.
constexpr auto lebenszeichenAlle = milliseconds(250);

Anmeldung g_anmeldung;  // the current request's; the helper serves one request at a time

void helferAnmeldung(SMBCCTX*, const char*, const char*, char* wg, int wglen, char* un, int unlen, char* pw,
                     int pwlen)
{
    anmeldungEintragen(g_anmeldung, wg, wglen, un, unlen, pw, pwlen);
}

}  // namespace

SMBCCTX* kontextAnlegen(int zeitMs, Anmeldefunktion anmeldung, void* nutzerdaten)
{
    SMBCCTX* ctx = smbc_new_context();
    if (!ctx)
        return nullptr;
    smbc_setDebug(ctx, 0);
    smbc_setOptionProtocols(ctx, "SMB2_02", "SMB3");
    smbc_setTimeout(ctx, zeitMs);
    smbc_setOptionUserData(ctx, nutzerdaten);
    smbc_setFunctionAuthDataWithContext(ctx, anmeldung);
    smbc_setOptionUseKerberos(ctx, 1);
    smbc_setOptionFallbackAfterKerberos(ctx, 1);
    // Names and attributes as the server has them; no case mangling.
    smbc_setOptionCaseSensitive(ctx, 0);
    if (!smbc_init_context(ctx)) {
        smbc_free_context(ctx, 1);
        return nullptr;
    }
    return ctx;
}

namespace {

// Says "K" every quarter second while the helper is busy with a request; woken at once when the
// request is done, so the answer follows without delay.
class Lebenszeichen {
public:
    explicit Lebenszeichen(int fd) : m_fd(fd), m_faden([this] { lauf(); }) {}
    Q_DISABLE_COPY_MOVE(Lebenszeichen)
    ~Lebenszeichen()
    {
        {
            std::lock_guard s(m_sperre);
            m_ende = true;
        }
        m_wecker.notify_all();
        m_faden.join();
    }
    void beschaeftigt(bool b)
    {
        {
            // Taken also to stop: no "K" goes out once this returns with false.
            std::lock_guard s(m_sperre);
            m_beschaeftigt = b;
        }
        m_wecker.notify_all();
    }

private:
    void lauf()
    {
        std::unique_lock s(m_sperre);
        while (!m_ende.load()) {
            if (!m_beschaeftigt.load()) {
                m_wecker.wait(s, [&] { return m_beschaeftigt.load() || m_ende.load(); });
                continue;
            }
            if (!m_wecker.wait_for(s, lebenszeichenAlle, [&] { return !m_beschaeftigt.load() || m_ende.load(); }))
                rahmenSchreiben(m_fd, QByteArray("K"));
        }
    }
    const int m_fd;
    std::mutex m_sperre;
    std::condition_variable m_wecker;
    // Atomic as well: the sanitizer of Debian's GCC loses the mutex across a timed wait.
    std::atomic<bool> m_beschaeftigt = false;
    std::atomic<bool> m_ende = false;
    std::thread m_faden;
};

}  // namespace

int helferHauptschleife()
{
    std::signal(SIGPIPE, SIG_DFL);
    const int ein = 0, aus = 1;
    if (!rahmenSchreiben(aus, QByteArray("H")))
        return 1;
    Lebenszeichen lebenszeichen(aus);
    SMBCCTX* ctx = nullptr;
    for (;;) {
        QByteArray rahmen;
        if (rahmenLesen(ein, rahmen, milliseconds(-1)) != 0)
            return 0;  // the caller closed its end
        const auto a = auftragLesen(rahmen);
        if (!a)
            return 2;
        g_anmeldung = a->anmeldung.value_or(Anmeldung{});
        // One context for the helper's life: a request's timeout is set on it (for connections
        // still to be made), as freeing it would log off from every server it knows, a gone one
        // included.
        if (ctx)
            smbc_setTimeout(ctx, a->zeitMs);
        else
            ctx = kontextAnlegen(a->zeitMs, helferAnmeldung, nullptr);
        std::vector<Dateidaten> eintraege;
        lebenszeichen.beschaeftigt(true);
        const int fehler = ctx ? ausfuehren(ctx, *a, eintraege) : ENOMEM;
        lebenszeichen.beschaeftigt(false);
        g_anmeldung = Anmeldung{};
        for (size_t i = 0; i < eintraege.size(); i += eintraegeJeRahmen)
            if (!rahmenSchreiben(aus, eintraegeKodieren(eintraege.data() + i,
                                                         std::min<size_t>(eintraegeJeRahmen, eintraege.size() - i))))
                return 0;
        if (!rahmenSchreiben(aus, schlussKodieren(fehler)))
            return 0;
    }
}

// ---- the caller's side -----------------------------------------------------------------------

namespace {

struct Helfer {
    pid_t pid = -1;
    int fd = -1;
};

struct Pool {
    std::mutex sperre;
    std::vector<Helfer> frei;
    bool gesucht = false;
    QByteArray programm;  // empty: no helper
    bool aus = false;     // a helper could not be started: read in the own process from now on
};
Pool& pool()
{
    // Never destroyed: a walk's thread may still hand a helper back while the process exits.
    static Pool* p = new Pool;
    return *p;
}

constexpr size_t hoechstensFrei = 8;

QByteArray programmSuchen()
{
    // Set, it names the helper; set empty, directories are read in the own process.
    if (const char* e = std::getenv("ZEMBROLA_SMBLESER"))
        return QByteArray(e);
    char b[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", b, sizeof b - 1);
    if (n <= 0)
        return {};
    const QByteArray ordner = QByteArray(b, n).left(QByteArray(b, n).lastIndexOf('/') + 1);
    // Beside the executable in a build, in the private program folder once installed.
    for (const QByteArray& p : {ordner + "zembrola-smbleser", ordner + ZEMBROLA_HELFER_RELATIV "/zembrola-smbleser"})
        if (::access(p.constData(), X_OK) == 0)
            return p;
    return {};
}

void beenden(const Helfer& h)
{
    ::close(h.fd);
    ::kill(h.pid, SIGKILL);
    while (::waitpid(h.pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// Starts a helper and waits for its greeting.
std::optional<Helfer> starten(const QByteArray& programm, milliseconds geduld)
{
    int paar[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, paar) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, paar[1], 0);
    posix_spawn_file_actions_adddup2(&fa, paar[1], 1);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    // Nothing else of the caller's: an inherited pipe would keep whoever reads it waiting.
    posix_spawn_file_actions_addclosefrom_np(&fa, 3);
    posix_spawnattr_t at;
    posix_spawnattr_init(&at);
    sigset_t leer;
    sigemptyset(&leer);
    posix_spawnattr_setsigmask(&at, &leer);
    sigset_t standard;
    sigemptyset(&standard);
    sigaddset(&standard, SIGPIPE);
    posix_spawnattr_setsigdefault(&at, &standard);
    posix_spawnattr_setflags(&at, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char* argv[] = {const_cast<char*>(programm.constData()), nullptr};
    pid_t pid = -1;
    const int r = posix_spawn(&pid, programm.constData(), &fa, &at, argv, environ);
    posix_spawn_file_actions_destroy(&fa);
    posix_spawnattr_destroy(&at);
    ::close(paar[1]);
    if (r != 0) {
        ::close(paar[0]);
        return std::nullopt;
    }
    const Helfer h{pid, paar[0]};
    QByteArray gruss;
    if (rahmenLesen(h.fd, gruss, geduld) != 0 || gruss != "H") {
        beenden(h);
        return std::nullopt;
    }
    return h;
}

// How long a helper may wait on the server before the caller asks whether the server is still
// there, and how often it asks again.
constexpr auto ersteFrage = milliseconds(1000);
constexpr auto weitereFragen = milliseconds(2000);

// One request on one helper: 0 or the errno; `kaputt` when the helper must not be used again.
int anfragen(const Helfer& h, const QByteArray& anfrage, std::vector<Dateidaten>& aus, milliseconds geduld,
             const std::function<bool()>& lebt, bool& kaputt)
{
    kaputt = true;
    if (!rahmenSchreiben(h.fd, anfrage))
        return EIO;
    auto naechsteFrage = steady_clock::now() + ersteFrage;
    for (;;) {
        QByteArray rahmen;
        if (const int f = rahmenLesen(h.fd, rahmen, geduld))
            return f;
        if (rahmen == "K") {
            if (lebt && steady_clock::now() >= naechsteFrage) {
                if (!lebt())
                    return EHOSTUNREACH;
                naechsteFrage = steady_clock::now() + weitereFragen;
            }
            continue;
        }
        // Entries arrive: the server answers.
        naechsteFrage = steady_clock::now() + ersteFrage;
        std::optional<int> schluss;
        if (!antwortLesen(rahmen, aus, schluss))
            return EPROTO;
        if (schluss) {
            kaputt = false;
            return *schluss;
        }
    }
}

}  // namespace

std::optional<int> imHelfer(const Auftrag& auftrag, std::vector<Dateidaten>& aus, milliseconds geduld,
                            const std::function<bool()>& lebt)
{
    Pool& p = pool();
    std::optional<Helfer> h;
    QByteArray programm;
    {
        std::lock_guard s(p.sperre);
        if (!p.gesucht) {
            p.programm = programmSuchen();
            p.gesucht = true;
        }
        if (p.aus || p.programm.isEmpty())
            return std::nullopt;
        programm = p.programm;
        if (!p.frei.empty()) {
            h = p.frei.back();
            p.frei.pop_back();
        }
    }
    const QByteArray anfrage = auftragKodieren(auftrag);
    // A helper kept from earlier may have gone; then once more with a new one.
    for (int versuch = 0; versuch < 2; ++versuch) {
        const bool frisch = !h;
        if (frisch) {
            h = starten(programm, std::max(geduld, milliseconds(5000)));
            if (!h) {
                std::lock_guard s(p.sperre);
                p.aus = true;
                return std::nullopt;
            }
        }
        const size_t vorher = aus.size();
        bool kaputt = false;
        const int fehler = anfragen(*h, anfrage, aus, geduld, lebt, kaputt);
        if (!kaputt) {
            std::unique_lock s(p.sperre);
            if (p.frei.size() < hoechstensFrei) {
                p.frei.push_back(*h);
            } else {
                s.unlock();
                beenden(*h);
            }
            return fehler;
        }
        beenden(*h);
        h.reset();
        aus.resize(vorher);
        // A new helper that fails, one that stopped answering, or a server gone is the request's
        // failure.
        if (frisch || fehler == ETIMEDOUT || fehler == EHOSTUNREACH)
            return fehler == ETIMEDOUT || fehler == EHOSTUNREACH ? fehler : EIO;
    }
    return EIO;
}

}  // namespace plattform::smbleser
