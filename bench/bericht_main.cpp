// Times the system report's build on this machine, or on the prepared tree WURZEL, without the
// workgroup walk: LAEUFE builds, the median and the slowest in seconds on the last line.
#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/linux/bericht/linux_anzeige.h"
#include "platform/linux/bericht/linux_drucker.h"
#include "platform/linux/linux_plattform.h"
#include "platform/linux/linux_system.h"
#include "platform/systemquellen.h"
#include "sysinfo/systembericht.h"

namespace {
struct Umgebung : Systemberichtsumgebung {
    bool meldungen() const override { return false; }
    QString erstellungsdatum() const override { return {}; }
    bool dezimalkomma() const override { return true; }
    QStringList arbeitsgruppen() override { return {}; }
};
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    plattform::LinuxDateisystem fs;
    plattform::LinuxLaufwerke lw;
    // WURZEL names a prepared machine tree (bench/bericht platten N makes one); unset: this machine.
    plattform::Linuxquellen quellen;
    if (const QString w = qEnvironmentVariable("WURZEL"); !w.isEmpty()) {
        quellen.wurzel = w.endsWith(u'/') ? w : w + u'/';
        quellen.systemaufrufe = false;
    }
    const plattform::LinuxSystem system(quellen);
    const plattform::LinuxAnzeige anzeige;
    const plattform::LinuxDrucker drucker;
    plattform::installieren({.dateisystem = &fs, .laufwerke = &lw, .registry = &system, .wmi = &system,
                             .rechner = &system, .anzeige = &anzeige, .drucker = &drucker});
    const int laeufe = std::max(1, qEnvironmentVariableIntValue("LAEUFE") ? qEnvironmentVariableIntValue("LAEUFE") : 20);
    std::vector<double> zeiten;
    int zeilen = 0;
    for (int i = 0; i < laeufe; ++i) {
        Berichtssammler z;
        Umgebung u;
        QElapsedTimer uhr;
        uhr.start();
        systemberichtSchreiben(z, u);
        zeiten.push_back(uhr.nsecsElapsed() / 1e9);
        zeilen = int(z.zeilen.size());
    }
    // AUSGABE=1: the last report's lines too, to read it as a user would.
    if (qEnvironmentVariableIntValue("AUSGABE")) {
        Berichtssammler z;
        Umgebung u;
        systemberichtSchreiben(z, u);
        for (const QString& zeile : z.zeilen)
            std::printf("%s\n", qPrintable(zeile));
    }
    std::sort(zeiten.begin(), zeiten.end());
    std::printf("bericht_zeilen=%d laeufe=%d median_s=%.4f max_s=%.4f\n", zeilen, laeufe, zeiten[zeiten.size() / 2],
                zeiten.back());
    return 0;
}
