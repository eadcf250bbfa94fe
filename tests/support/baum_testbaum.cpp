#include "baum_testbaum.h"

#include <QFile>

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>
#include <stdexcept>

namespace {

[[noreturn]] void fehler(const char* was, const QByteArray& pfad)
{
    throw std::runtime_error(std::string("Testbaum: ") + was + " " + pfad.toStdString() + ": " +
                             strerror(errno));
}

// Removes on raw bytes: QDir cannot remove names that are not valid UTF-8. A directory is opened
// up before it is read, so that locked subtrees go too.
void wegraeumen(const QByteArray& pfad)
{
    struct stat st;
    if (::lstat(pfad.constData(), &st) != 0)
        return;
    if (!S_ISDIR(st.st_mode)) {
        ::unlink(pfad.constData());
        return;
    }
    ::chmod(pfad.constData(), S_IRWXU);
    if (DIR* d = ::opendir(pfad.constData())) {
        while (const dirent* e = ::readdir(d)) {
            if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0)
                wegraeumen(pfad + '/' + e->d_name);
        }
        ::closedir(d);
    }
    ::rmdir(pfad.constData());
}

}  // namespace

Testbaum::Testbaum()
{
    if (!m_dir.isValid())
        throw std::runtime_error("Testbaum: no temporary directory");
}

Testbaum::~Testbaum()
{
    wegraeumen(QFile::encodeName(m_dir.path()));
}

QString Testbaum::pfad(const QString& rel) const
{
    return rel.isEmpty() ? m_dir.path() : m_dir.path() + u'/' + rel;
}

QByteArray Testbaum::rohpfad(const QByteArray& rel) const
{
    const QByteArray wurzel = QFile::encodeName(m_dir.path());
    return rel.isEmpty() ? wurzel : wurzel + '/' + rel;
}

void Testbaum::elternAnlegen(const QByteArray& roh)
{
    const QByteArray wurzel = rohpfad();
    for (qsizetype i = wurzel.size() + 1; i < roh.size(); ++i) {
        if (roh[i] != '/')
            continue;
        const QByteArray teil = roh.left(i);
        if (::mkdir(teil.constData(), 0755) != 0 && errno != EEXIST)
            fehler("mkdir", teil);
    }
}

void Testbaum::verzeichnis(const QString& rel)
{
    const QByteArray roh = rohpfad(QFile::encodeName(rel));
    elternAnlegen(roh);
    if (::mkdir(roh.constData(), 0755) != 0 && errno != EEXIST)
        fehler("mkdir", roh);
}

void Testbaum::datei(const QString& rel, qint64 groesse, const QDateTime& zeit)
{
    dateiRoh(QFile::encodeName(rel), groesse, zeit);
}

void Testbaum::dateiRoh(const QByteArray& relRoh, qint64 groesse, const QDateTime& z)
{
    const QByteArray roh = rohpfad(relRoh);
    elternAnlegen(roh);
    const int fd = ::open(roh.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        fehler("open", roh);
    if (::ftruncate(fd, off_t(groesse)) != 0) {
        ::close(fd);
        fehler("ftruncate", roh);
    }
    ::close(fd);
    if (z.isValid()) {
        struct timespec t[2];
        t[0].tv_sec = t[1].tv_sec = time_t(z.toSecsSinceEpoch());
        t[0].tv_nsec = t[1].tv_nsec = 0;
        if (::utimensat(AT_FDCWD, roh.constData(), t, AT_SYMLINK_NOFOLLOW) != 0)
            fehler("utimensat", roh);
    }
}

void Testbaum::zeit(const QString& rel, const QDateTime& z)
{
    const QByteArray roh = rohpfad(QFile::encodeName(rel));
    struct timespec t[2];
    t[0].tv_sec = t[1].tv_sec = time_t(z.toSecsSinceEpoch());
    t[0].tv_nsec = t[1].tv_nsec = 0;
    if (::utimensat(AT_FDCWD, roh.constData(), t, AT_SYMLINK_NOFOLLOW) != 0)
        fehler("utimensat", roh);
}

void Testbaum::rechte(const QString& rel, mode_t modus)
{
    const QByteArray roh = rohpfad(QFile::encodeName(rel));
    if (::chmod(roh.constData(), modus) != 0)
        fehler("chmod", roh);
}

void Testbaum::link(const QString& rel, const QString& ziel)
{
    const QByteArray roh = rohpfad(QFile::encodeName(rel));
    elternAnlegen(roh);
    if (::symlink(QFile::encodeName(ziel).constData(), roh.constData()) != 0)
        fehler("symlink", roh);
}

void Testbaum::fifo(const QString& rel)
{
    const QByteArray roh = rohpfad(QFile::encodeName(rel));
    elternAnlegen(roh);
    if (::mkfifo(roh.constData(), 0644) != 0)
        fehler("mkfifo", roh);
}

bool Testbaum::istRoot()
{
    return ::geteuid() == 0;
}
