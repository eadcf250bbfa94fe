// The computers and the first computer's disk shares, walked as the main window fills its two
// lists (two silent walks), with the real network backend; prints "sekunden=S rechner=N freigaben=M".
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

#include "netinfo/netzressourcen.h"
#include "platform/linux/netz/linux_netz.h"
#include "platform/plattform.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    plattform::LinuxNetz netz;
    plattform::installieren({.netz = &netz});
    QElapsedTimer t;
    t.start();
    QStringList alle, rechner, freigaben;
    netinfo::netzressourcensuchen(plattform::rtAlle, plattform::atComputer, alle, false);
    for (const QString& n : alle)
        if (n.startsWith(u'\\'))
            rechner << n;
    if (!rechner.isEmpty()) {
        QStringList namen;
        netinfo::netzressourcensuchen(plattform::rtPlatte, plattform::atFreigabe, namen, false);
        for (const QString& n : namen)
            if (n.startsWith(rechner.first() + u'\\'))
                freigaben << n;
    }
    std::printf("sekunden=%.3f rechner=%lld freigaben=%lld\n", double(t.nsecsElapsed()) / 1e9,
                static_cast<long long>(rechner.size()), static_cast<long long>(freigaben.size()));
    return 0;
}
