// The listing pane alone: the lines of N files shaped like a listing with all fields on, appended as a
// search appends them (UTF-8, flushed every 30 ms), the pane shown offscreen. Without the walk,
// this is what one listing line costs the window. Prints "zeilen=Z sekunden=S rss_mb=R" (peak).
#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>

#include "output/fenster/ausgabefeld.h"
#include "spitzenspeicher.h"

int main(int argc, char** argv)
{
    const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
    QApplication app(argc, argv);
    Ausgabefeld feld;
    feld.setzeSpeicherAb(50000);  // as the main window's listing pane
    feld.resize(1000, 700);
    feld.setzeTabstops({100, 200, 300, 400, 500, 600});
    feld.show();
    QCoreApplication::processEvents();

    static const char* const woerter[] = {"bericht", "rechnung", "übersicht", "foto", "projekt", "vertrag"};
    char zeile[256];
    QElapsedTimer uhr, takt;
    uhr.start();
    takt.start();
    for (long i = 0; i < n; ++i) {
        if (i % 40 == 0) {  // a directory heading every 40 files: empty line, path, empty line
            const int laenge
                = std::snprintf(zeile, sizeof zeile, "/home/benutzer/Dokumente/%s_%ld/", woerter[i % 6], i);
            feld.zeileUtf8("", 0);
            feld.zeileUtf8(zeile, laenge);
            feld.zeileUtf8("", 0);
        }
        const int laenge = std::snprintf(zeile, sizeof zeile, "%s_%s_%ld.pdf\t\ta\t%15ld\t24.12.2013 18:30:12",
                                         woerter[i % 6], woerter[(i / 6) % 6], i, (i * 7919) % 100000000);
        feld.zeileUtf8(zeile, laenge);
        if (takt.elapsed() >= 30) {
            feld.puffernLeeren();
            QCoreApplication::processEvents();
            takt.start();
        }
    }
    feld.puffernLeeren();
    QCoreApplication::processEvents();
    std::printf("zeilen=%d sekunden=%.4f rss_mb=%.1f\n", int(feld.zeilenzahl()), uhr.nsecsElapsed() / 1e9,
                spitzenspeicherMb());
    return 0;
}
