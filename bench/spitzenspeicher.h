#pragma once
// Peak resident memory of this process in MB, as the benchmarks report it; -1 when unknown.
#include <QFile>

inline double spitzenspeicherMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& zeile : f.readAll().split('\n'))
        if (zeile.startsWith("VmHWM:"))
            return zeile.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}
