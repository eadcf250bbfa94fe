#include "netz_lan.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>

namespace {
const QString skript = QStringLiteral(ZEMBROLA_QUELLEN "/tests/support/netz_lan.sh");
}

NetzLan::NetzLan() : m_praefix(QStringLiteral("zl%1").arg(::getpid()))
{
    if (::geteuid() != 0) {
        m_grund = QStringLiteral("the test LAN needs root (network namespaces)");
        return;
    }
    for (const char* p : {"/usr/sbin/smbd", "/usr/sbin/nmbd", "/usr/sbin/wsdd", "/usr/sbin/avahi-daemon", "/usr/bin/nmblookup",
                          "/usr/bin/smbclient", "/usr/bin/python3"})
        if (!QFile::exists(QString::fromLatin1(p))) {
            m_grund = QStringLiteral("%1 is missing (tools/einrichten.sh installs it)").arg(QLatin1String(p));
            return;
        }
    QProcess p;
    p.start(QStringLiteral("bash"), {skript, QStringLiteral("auf"), m_praefix, m_dir.path()});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        p.kill();
        m_grund = QStringLiteral("the test LAN did not come up: ") + QString::fromLocal8Bit(p.readAllStandardError());
        QProcess::execute(QStringLiteral("bash"), {skript, QStringLiteral("ab"), m_praefix});
        return;
    }
    m_bereit = true;
}

NetzLan::~NetzLan()
{
    QProcess::execute(QStringLiteral("bash"), {skript, QStringLiteral("ab"), m_praefix});
}

void NetzLan::beenden(const QString& rechner, const QString& programm) const
{
    QProcess p;
    p.start(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("pids"), namensraum(rechner)});
    p.waitForFinished(5000);
    for (const QByteArray& zeile : p.readAllStandardOutput().split('\n')) {
        const pid_t pid = pid_t(zeile.trimmed().toInt());
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        if (pid > 0 && comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == programm.toUtf8())
            ::kill(pid, SIGKILL);
    }
}

std::optional<QStringList> imNamensraum(const QString& namensraum, const QString& heim,
                                        const std::function<QStringList()>& arbeit, int grenzeMs)
{
    int rohr[2];
    if (::pipe2(rohr, O_CLOEXEC) != 0)
        return std::nullopt;
    const pid_t kind = ::fork();
    if (kind < 0)
        return std::nullopt;
    if (kind == 0) {
        ::close(rohr[0]);
        int ok = 0;
        if (namensraum.isEmpty()) {
            ok = ::unshare(CLONE_NEWNET);
            if (ok == 0)
                ok = std::system("ip link set lo up");
        } else {
            const int fd = ::open(("/run/netns/" + namensraum.toLocal8Bit()).constData(), O_RDONLY | O_CLOEXEC);
            ok = fd < 0 ? -1 : ::setns(fd, CLONE_NEWNET);
        }
        if (ok != 0)
            ::_exit(2);
        ::setenv("HOME", heim.toLocal8Bit().constData(), 1);
        const QByteArray aus = arbeit().join(u'\n').toUtf8();
        qsizetype geschrieben = 0;
        while (geschrieben < aus.size()) {
            const ssize_t w = ::write(rohr[1], aus.constData() + geschrieben, size_t(aus.size() - geschrieben));
            if (w <= 0)
                ::_exit(3);
            geschrieben += w;
        }
        ::_exit(0);
    }
    ::close(rohr[1]);
    QByteArray aus;
    const auto ende = std::chrono::steady_clock::now() + std::chrono::milliseconds(grenzeMs);
    bool fertig = false;
    while (!fertig) {
        const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(ende - std::chrono::steady_clock::now());
        if (rest.count() <= 0)
            break;
        pollfd pf{rohr[0], POLLIN, 0};
        if (::poll(&pf, 1, int(rest.count())) <= 0)
            break;
        char puffer[4096];
        const ssize_t n = ::read(rohr[0], puffer, sizeof puffer);
        if (n <= 0)
            fertig = true;
        else
            aus.append(puffer, n);
    }
    ::close(rohr[0]);
    if (!fertig)
        ::kill(kind, SIGKILL);
    int status = 0;
    ::waitpid(kind, &status, 0);
    if (!fertig || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return aus.isEmpty() ? QStringList() : QString::fromUtf8(aus).split(u'\n');
}
