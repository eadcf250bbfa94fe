// One full search in the main window, offscreen, as bench/run measures it: subdirectories,
// attributes, size and date on, wait window on, timed until the summary is written.
// Prints "sekunden=S rss_mb=R" (peak resident memory) as its last line.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmap>
#include <QTextDocument>

#include <cstdio>

#include "app/anwendung.h"
#include "app/fenster.h"
#include "app/hauptfenster.h"
#include "app/verzeichnisliste.h"
#include "output/fenster/ausgabefeld.h"
#include "platform/linux/linux_plattform.h"
#include "spitzenspeicher.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: %s VERZEICHNIS\n", argv[0]);
        return 2;
    }
    TAnwendung app(argc, argv);
    static plattform::LinuxDateisystem ds;
    static plattform::LinuxLaufwerke lw;
    plattform::installieren({.dateisystem = &ds, .laufwerke = &lw});

    fensterErzeugen();
    Haupt->show();
    QCoreApplication::processEvents();

    // The directory list wants a whole path; a relative one would stop in an error box.
    if (!Haupt->DirectoryListBox1->setzeVerzeichnis(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath()))
        return 1;
    // Set, not clicked: no automatic search in between.
    Haupt->CheckBox10->setChecked(true);
    Haupt->CheckBox11->setChecked(true);
    Haupt->CheckBox12->setChecked(true);
    Haupt->CheckBox14->setChecked(true);
    if (!Haupt->meldungsfenster())
        std::fprintf(stderr, "Hinweis: das Wartefenster ist in den Einstellungen ausgeschaltet.\n");
    QCoreApplication::processEvents();

    QElapsedTimer uhr;
    uhr.start();
    Haupt->sucheStarten();
    const double sekunden = uhr.nsecsElapsed() / 1e9;

    std::fprintf(stderr, "%d Zeilen in der Liste, %d in der Zusammenfassung, %d Dateien gefunden\n",
                 int(Haupt->RichEdit1->zeilenzahl()), int(Haupt->RichEdit2->zeilenzahl()),
                 Haupt->zustand.gefundeneDateien);
    // A look at the result, for whoever wants to see what was measured.
    if (const QByteArray bild = qgetenv("BENCH_BILD"); !bild.isEmpty())
        Haupt->grab().save(QString::fromLocal8Bit(bild));
    std::printf("sekunden=%.4f rss_mb=%.1f\n", sekunden, spitzenspeicherMb());
    return 0;
}
