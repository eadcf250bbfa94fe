#include "platform/linux/linux_plattform.h"

#include "platform/linux/linux_volumenfrage.h"
#include "platform/maske.h"
#include "platform/namensfolge.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <future>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plattform {
namespace {

bool gueltigerPfad(const QByteArray& pfad)
{
    // An embedded NUL would silently cut the path short.
    return !pfad.isEmpty() && !pfad.contains('\0');
}

bool punktOderPunktpunkt(const char* n)
{
    return n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'));
}

void fuellen(Dateidaten& d, const char* name, size_t laenge, const struct stat& st)
{
    // Reuses the name's buffer unless the caller kept a copy of it.
    d.rohname.resize(qsizetype(laenge));
    memcpy(d.rohname.data(), name, laenge);
    quint32 a = 0;
    if (name[0] == '.')
        a |= faHidden;
    if (!(st.st_mode & S_IWUSR))
        a |= faReadOnly;
    if (S_ISDIR(st.st_mode))
        a |= faDirectory;
    else if (S_ISREG(st.st_mode))
        a |= faArchive;
    else
        a |= faSysFile;
    d.attribute = a;
    // Windows gives directories no size.
    d.groesse = S_ISDIR(st.st_mode) ? 0 : qint64(st.st_size);
    d.schreibzeit = qint64(st.st_mtim.tv_sec);
    d.geraet = quint64(st.st_dev);
    d.inode = quint64(st.st_ino);
}

QByteArray ohneSchraegstrichAmEnde(QByteArray p)
{
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    return p;
}

// Paths at or above this length are opened piece by piece: the kernel refuses PATH_MAX and more.
constexpr qsizetype langerPfad = 2048;
// Each piece stays well below PATH_MAX and ends at a separator.
constexpr qsizetype stueckLaenge = 2048;

// Opens `rest` (relative, no leading "/") below the descriptor `basis` in pieces. Every piece but
// the last is opened with O_PATH. Returns the descriptor of the last piece, or -1 with errno set.
int stueckweiseOeffnen(int basis, const char* rest, qsizetype laenge, int flags)
{
    int fd = basis;
    qsizetype pos = 0;
    while (true) {
        while (pos < laenge && rest[pos] == '/')
            ++pos;
        if (pos >= laenge) {
            // Nothing left: the base itself is meant.
            const int neu = ::openat(fd, ".", flags | O_CLOEXEC);
            const int fehler = errno;
            if (fd != basis)
                ::close(fd);
            errno = fehler;
            return neu;
        }
        qsizetype ende = laenge;
        bool letztes = true;
        if (laenge - pos > stueckLaenge) {
            ende = pos + stueckLaenge;
            while (ende > pos && rest[ende] != '/')
                --ende;
            if (ende == pos) {
                if (fd != basis)
                    ::close(fd);
                errno = ENAMETOOLONG;
                return -1;
            }
            letztes = false;
        }
        const std::string stueck(rest + pos, size_t(ende - pos));
        const int neu = ::openat(fd, stueck.c_str(), (letztes ? flags : O_PATH | O_DIRECTORY) | O_CLOEXEC);
        const int fehler = errno;
        if (fd != basis)
            ::close(fd);
        if (neu < 0 || letztes) {
            errno = fehler;
            return neu;
        }
        fd = neu;
        pos = ende;
    }
}

qint64 begrenzt(unsigned long long bloecke, unsigned long long groesse)
{
    if (groesse != 0 && bloecke > (unsigned long long)std::numeric_limits<qint64>::max() / groesse)
        return std::numeric_limits<qint64>::max();
    return qint64(bloecke * groesse);
}

}  // namespace

LinuxDateisystem::~LinuxDateisystem()
{
    if (m_letzterFd >= 0)
        ::close(m_letzterFd);
}

int LinuxDateisystem::oeffnen(const QByteArray& pfad, int flags) const
{
    if (pfad.size() < langerPfad)
        return ::open(pfad.constData(), flags | O_CLOEXEC);
    // A walk asks for the children of the directory it opened last, so that one's descriptor is
    // kept and the path is resolved from there: deep chains cost no more than shallow ones.
    std::lock_guard lock(m_cacheSperre);
    int fd = -1;
    if (m_letzterFd >= 0 && pfad.size() > m_letzterPfad.size() && pfad.startsWith(m_letzterPfad) &&
        pfad.at(m_letzterPfad.size()) == '/') {
        const qsizetype ab = m_letzterPfad.size();
        fd = stueckweiseOeffnen(m_letzterFd, pfad.constData() + ab, pfad.size() - ab, flags);
    } else {
        const bool absolut = pfad.startsWith('/');
        const int basis = absolut ? ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC) : AT_FDCWD;
        if (absolut && basis < 0)
            return -1;
        fd = stueckweiseOeffnen(basis, pfad.constData(), pfad.size(), flags);
        const int fehler = errno;
        if (absolut)
            ::close(basis);
        errno = fehler;
    }
    if (fd >= 0) {
        const int merk = ::openat(fd, ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (merk >= 0) {
            if (m_letzterFd >= 0)
                ::close(m_letzterFd);
            m_letzterFd = merk;
            m_letzterPfad = ohneSchraegstrichAmEnde(pfad);
        }
    }
    return fd;
}

namespace {

// One entry's data as the listing takes it, following links; nothing when it is gone since
// readdir or cannot be asked (a dangling link is still an entry: an empty file with the link's date).
std::optional<Dateidaten> eintragLesen(int fd, const char* name, size_t laenge, bool nurVerzeichnisse)
{
    struct stat st;
    Dateidaten daten;
    if (::fstatat(fd, name, &st, 0) == 0) {
        if (nurVerzeichnisse && !S_ISDIR(st.st_mode))
            return std::nullopt;
        fuellen(daten, name, laenge, st);
        return daten;
    }
    const int fehler = errno;
    if ((fehler != ENOENT && fehler != ELOOP) || nurVerzeichnisse ||
        ::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(st.st_mode))
        return std::nullopt;
    fuellen(daten, name, laenge, st);
    daten.attribute = (daten.attribute & faHidden) | faArchive;
    daten.groesse = 0;
    daten.geraet = 0;
    daten.inode = 0;
    return daten;
}

}  // namespace

bool LinuxDateisystem::auflisten(const QByteArray& verzeichnis, const QString& maske, bool nurVerzeichnisse,
                                 const std::function<bool(const Dateidaten&)>& jeEintrag) const
{
    if (!gueltigerPfad(verzeichnis))
        return false;
    const int fd = oeffnen(verzeichnis, O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    // Closed however the loop ends, also when the callback throws.
    struct Schliessen {
        void operator()(DIR* v) const { ::closedir(v); }
    };
    const std::unique_ptr<DIR, Schliessen> d(::fdopendir(fd));
    if (!d) {
        ::close(fd);
        return false;
    }
    const Maske m(maske);
    // The names are read whole and put in name order (namensfolge.h), not readdir's hash order;
    // each entry is then looked at and handed on in turn, so the caller works while the next is
    // asked for.
    std::string namen;
    std::vector<std::pair<std::size_t, std::size_t>> lage; // start and length in `namen`
    while (const dirent* e = ::readdir(d.get())) {
        const char* name = e->d_name;
        if (punktOderPunktpunkt(name))
            continue;
        // The entry type from readdir spares a stat for every plain file when only directories count.
        if (nurVerzeichnisse && e->d_type != DT_DIR && e->d_type != DT_LNK && e->d_type != DT_UNKNOWN)
            continue;
        const size_t laenge = strlen(name);
        if (!m.allesPasst() && !m.passtRoh(name, qsizetype(laenge)))
            continue;
        lage.emplace_back(namen.size(), laenge);
        namen.append(name, laenge + 1);
    }
    const auto nameBei = [&](std::size_t i) { return QByteArrayView(namen.data() + lage[i].first, qsizetype(lage[i].second)); };
    const std::vector<std::size_t> folge = namensfolge(lage.size(), nameBei);
    // The data of the entries [von, bis) of the order; an entry gone since readdir has none.
    const auto lesen = [&](std::size_t von, std::size_t bis, std::vector<std::optional<Dateidaten>>& ziel) {
        ziel.resize(bis - von);
        for (std::size_t k = von; k < bis; ++k) {
            const std::size_t i = folge[k];
            ziel[k - von] = eintragLesen(fd, namen.data() + lage[i].first, lage[i].second, nurVerzeichnisse);
        }
    };
    // In a large directory the stat calls are the work: a helper asks for every other block
    // while this thread asks for one and hands it on.
    constexpr std::size_t block = 4096;
    std::vector<std::optional<Dateidaten>> hier, dort;
    for (std::size_t von = 0; von < folge.size(); von += 2 * block) {
        const std::size_t mitte = std::min(von + block, folge.size());
        const std::size_t bis = std::min(von + 2 * block, folge.size());
        std::future<void> helfer;
        if (mitte < bis)
            helfer = std::async(std::launch::async, [&] { lesen(mitte, bis, dort); });
        const auto warten = qScopeGuard([&] {
            if (helfer.valid())
                helfer.wait();
        });
        lesen(von, mitte, hier);
        for (const auto& d : hier)
            if (d && !jeEintrag(*d))
                return true;
        if (helfer.valid()) {
            helfer.get();
            for (const auto& d : dort)
                if (d && !jeEintrag(*d))
                    return true;
        }
    }
    return true;
}

std::optional<Kennung> LinuxDateisystem::kennung(const QByteArray& pfad) const
{
    struct stat st;
    if (!gueltigerPfad(pfad))
        return std::nullopt;
    if (pfad.size() < langerPfad) {
        if (::stat(pfad.constData(), &st) != 0)
            return std::nullopt;
    } else {
        const int fd = oeffnen(pfad, O_PATH);
        if (fd < 0)
            return std::nullopt;
        const int r = ::fstat(fd, &st);
        ::close(fd);
        if (r != 0)
            return std::nullopt;
    }
    return Kennung{quint64(st.st_dev), quint64(st.st_ino)};
}

QString LinuxDateisystem::arbeitsverzeichnis() const
{
    std::vector<char> puffer(4096);
    while (::getcwd(puffer.data(), puffer.size()) == nullptr) {
        if (errno != ERANGE || puffer.size() > (1u << 24))
            return {};
        puffer.resize(puffer.size() * 2);
    }
    return QFile::decodeName(puffer.data());
}

int LinuxDateisystem::setzeArbeitsverzeichnis(const QString& pfad)
{
    const QByteArray roh = QFile::encodeName(pfad);
    if (!gueltigerPfad(roh))
        return ENOENT;
    return ::chdir(roh.constData()) == 0 ? 0 : errno;
}

void LinuxLaufwerke::aktualisieren() const
{
    QByteArray inhalt;
    const int fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        char puffer[16384];
        ssize_t n;
        while ((n = ::read(fd, puffer, sizeof puffer)) > 0 || (n < 0 && errno == EINTR))
            if (n > 0)
                inhalt.append(puffer, n);
        ::close(fd);
    }
    if (m_gelesen && inhalt == m_mountinfo)
        return;
    m_mountinfo = inhalt;
    m_gelesen = true;
    m_tabelle = linuxlw::einhaengungenLesen(inhalt);
    linuxlw::SystemGeraete geraete;
    m_laufwerke = linuxlw::laufwerkstabelle(m_tabelle, geraete);
}

const linuxlw::Laufwerk* LinuxLaufwerke::laufwerk(QChar buchstabe) const
{
    const char16_t b = buchstabe.toUpper().unicode();
    if (b < u'A' || b > u'Z')
        return nullptr;
    aktualisieren();
    const linuxlw::Laufwerk& l = m_laufwerke[b - u'A'];
    return l.art == dtKeineWurzel ? nullptr : &l;
}

quint32 LinuxLaufwerke::logischeLaufwerke() const
{
    std::lock_guard lock(m_sperre);
    aktualisieren();
    quint32 maske = 0;
    for (int i = 0; i < 26; ++i)
        if (m_laufwerke[i].art != dtKeineWurzel)
            maske |= 1u << i;
    return maske;
}

QString LinuxLaufwerke::wurzel(QChar buchstabe) const
{
    std::lock_guard lock(m_sperre);
    const linuxlw::Laufwerk* l = laufwerk(buchstabe);
    return l ? QFile::decodeName(l->wurzel) : QString();
}

QChar LinuxLaufwerke::laufwerkVon(const QString& pfad) const
{
    if (pfad.isEmpty())
        return QChar();
    // The directory list hands over getcwd's canonical form; other callers may not.
    QByteArray roh = QFile::encodeName(QDir::cleanPath(QDir::current().absoluteFilePath(pfad)));
    if (char* echt = ::realpath(roh.constData(), nullptr)) {
        roh = echt;
        ::free(echt);
    }
    std::lock_guard lock(m_sperre);
    aktualisieren();
    int bester = -1;
    qsizetype laengste = -1;
    for (int i = 0; i < 26; ++i) {
        const linuxlw::Laufwerk& l = m_laufwerke[i];
        if (l.art == dtKeineWurzel || !l.eingehaengt)
            continue;
        const QByteArray& p = l.wurzel;
        const bool passt = p == "/" ? roh.startsWith('/')
                                    : roh == p || (roh.startsWith(p) && roh.at(p.size()) == '/');
        if (passt && p.size() > laengste) {
            laengste = p.size();
            bester = i;
        }
    }
    return bester < 0 ? QChar() : QChar(u'A' + bester);
}

Laufwerksart LinuxLaufwerke::laufwerkstyp(QChar buchstabe) const
{
    std::lock_guard lock(m_sperre);
    const linuxlw::Laufwerk* l = laufwerk(buchstabe);
    return l ? Laufwerksart(l->art) : dtKeineWurzel;
}

linuxlw::Einhaengung LinuxLaufwerke::einhaengungAn(const QByteArray& punkt, bool* eingehaengt) const
{
    linuxlw::Einhaengung gefunden;
    *eingehaengt = false;
    std::lock_guard lock(m_sperre);
    aktualisieren();
    // The last mount on a point is the one in sight.
    for (const linuxlw::Einhaengung& e : m_tabelle) {
        if (e.punkt == punkt) {
            gefunden = e;
            *eingehaengt = true;
        }
    }
    return gefunden;
}

std::optional<QString> LinuxLaufwerke::volumeninformation(const QString& wurzel) const
{
    const QByteArray roh = ohneSchraegstrichAmEnde(QFile::encodeName(wurzel));
    if (!gueltigerPfad(roh))
        return std::nullopt;
    bool eingehaengt = false;
    const linuxlw::Einhaengung e = einhaengungAn(roh, &eingehaengt);
    if (!eingehaengt)
        return std::nullopt;
    const auto a = linuxlw::volumenFragen(roh, e, linuxlw::volumenFrist);
    if (!a || !a->lesbar)
        return std::nullopt;
    return a->bezeichnung;
}

std::optional<Speicherplatz> LinuxLaufwerke::speicherplatz(const QString& wurzel) const
{
    const QByteArray roh = ohneSchraegstrichAmEnde(QFile::encodeName(wurzel));
    if (!gueltigerPfad(roh))
        return std::nullopt;
    bool eingehaengt = false;
    const linuxlw::Einhaengung e = einhaengungAn(roh, &eingehaengt);
    const auto a = linuxlw::volumenFragen(roh, e, linuxlw::volumenFrist);
    // A floppy without a medium stands for its device node, whose file system is not its own.
    if (!a || !a->verzeichnis || !a->lesbar)
        return std::nullopt;
    return Speicherplatz{begrenzt(a->bloecke, a->blockgroesse), begrenzt(a->frei, a->blockgroesse)};
}

void LinuxLaufwerke::vorabFragen() const
{
    std::lock_guard lock(m_sperre);
    aktualisieren();
    for (const linuxlw::Laufwerk& l : m_laufwerke) {
        if (l.eingehaengt)
            linuxlw::volumenFragen(ohneSchraegstrichAmEnde(l.wurzel), l.einhaengung, std::chrono::milliseconds(0));
    }
}

QString LinuxLaufwerke::systemverzeichnis() const
{
    return QStringLiteral("/");
}

}  // namespace plattform
