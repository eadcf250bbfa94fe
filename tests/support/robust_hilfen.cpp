#include "robust_hilfen.h"

#include <QDir>
#include <QFile>

#include <errno.h>
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void fehler(const std::string& was)
{
    throw std::runtime_error(was + ": " + strerror(errno));
}

}  // namespace

void ketteAnlegen(const QByteArray& wurzel, int tiefe, const char* name, const char* datei)
{
    int fd = ::open(wurzel.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fehler("open " + wurzel.toStdString());
    for (int i = 0; i < tiefe; ++i) {
        if (::mkdirat(fd, name, 0755) != 0 && errno != EEXIST)
            fehler("mkdirat at level " + std::to_string(i));
        const int neu = ::openat(fd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        if (neu < 0)
            fehler("openat at level " + std::to_string(i));
        fd = neu;
    }
    const int f = ::openat(fd, datei, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ::close(fd);
    if (f < 0)
        fehler("creating the file at the bottom");
    ::close(f);
}

void ketteEntfernen(const QByteArray& wurzel, int tiefe, const char* name, const char* datei)
{
    int fd = ::open(wurzel.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    int erreicht = 0;
    while (erreicht < tiefe) {
        const int neu = ::openat(fd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (neu < 0)
            break;
        ::close(fd);
        fd = neu;
        ++erreicht;
    }
    ::unlinkat(fd, datei, 0);
    // Climb back through ".." (the chain holds no links) and remove each level behind us.
    for (; erreicht > 0; --erreicht) {
        const int eltern = ::openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        if (eltern < 0)
            return;
        fd = eltern;
        ::unlinkat(fd, name, AT_REMOVEDIR);
    }
    ::close(fd);
}

QByteArray alsNiemand(const std::function<QByteArray()>& arbeit, bool* ok)
{
    *ok = false;
    int rohr[2];
    if (::pipe(rohr) != 0)
        return {};
    const pid_t kind = ::fork();
    if (kind < 0) {
        ::close(rohr[0]);
        ::close(rohr[1]);
        return {};
    }
    if (kind == 0) {
        ::close(rohr[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        const QByteArray antwort = arbeit();
        qsizetype geschrieben = 0;
        while (geschrieben < antwort.size()) {
            const ssize_t n = ::write(rohr[1], antwort.constData() + geschrieben, size_t(antwort.size() - geschrieben));
            if (n <= 0)
                ::_exit(4);
            geschrieben += n;
        }
        // No exit handlers: they belong to the parent's test run.
        ::_exit(0);
    }
    ::close(rohr[1]);
    QByteArray antwort;
    char puffer[4096];
    ssize_t n;
    while ((n = ::read(rohr[0], puffer, sizeof puffer)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0 && antwort.size() < 65536)
            antwort.append(puffer, n);
    ::close(rohr[0]);
    int status = 0;
    while (::waitpid(kind, &status, 0) < 0 && errno == EINTR) {
    }
    *ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return antwort;
}

KleinesDateisystem::KleinesDateisystem(int kib)
{
    QByteArray vorlage = QFile::encodeName(QDir::tempPath()) + "/zembrola-klein-XXXXXX";
    if (!::mkdtemp(vorlage.data())) {
        m_grund = QStringLiteral("no temporary directory");
        return;
    }
    m_punkt = vorlage;
    if (::geteuid() != 0) {
        m_grund = QStringLiteral("mounting a tmpfs needs root");
        return;
    }
    const QByteArray optionen = "size=" + QByteArray::number(kib) + "k,mode=0755";
    if (::mount("zembrola-test", m_punkt.constData(), "tmpfs", MS_NOSUID | MS_NODEV, optionen.constData()) != 0) {
        m_grund = QStringLiteral("mount -t tmpfs failed: ") + QString::fromLocal8Bit(strerror(errno));
        return;
    }
    m_eingehaengt = true;
}

KleinesDateisystem::~KleinesDateisystem()
{
    if (m_eingehaengt)
        ::umount2(m_punkt.constData(), MNT_DETACH);
    if (!m_punkt.isEmpty())
        ::rmdir(m_punkt.constData());
}

QString KleinesDateisystem::pfad(const QString& name) const
{
    const QString p = QFile::decodeName(m_punkt);
    return name.isEmpty() ? p : p + '/' + name;
}

void KleinesDateisystem::fuellen()
{
    const QByteArray f = QFile::encodeName(pfad(QStringLiteral("fueller")));
    const int fd = ::open(f.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        fehler("creating the filler");
    const std::string block(4096, 'x');
    // Whole pages first, then single bytes for what a partly used page still holds.
    for (size_t groesse : {block.size(), size_t(1)}) {
        while (true) {
            const ssize_t n = ::write(fd, block.data(), groesse);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
        }
    }
    const int e = errno;
    ::close(fd);
    if (e != ENOSPC) {
        errno = e;
        fehler("filling the small file system");
    }
}
