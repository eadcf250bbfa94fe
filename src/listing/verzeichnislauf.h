#pragma once
// The directory walk: files of a directory first, then its subdirectories, depth first.
#include <QString>
#include <cstddef>
#include <functional>

#include "listing/suche.h"
#include "listing/zeilenformat.h"

// How far the readers may run ahead of the walk. Counted in units: a file, or the start of a
// directory. Tests make them tiny to drive every wait.
struct Vorlesegrenzen {
    size_t portion = 4096;          // files a reader hands over at once
    size_t verzeichnisse = 64;      // directories started and not yet taken by the walk
    size_t vorrat = 65536;          // no further directory is started while this much lies ready
    size_t jeVerzeichnis = 16384;   // a reader waits while its directory holds this much
    size_t los = 16384;             // units the walk takes at once
};

struct Laufauftrag {
    QString wurzel;                 // "/home/anna", "/", "\\PC1\Daten"
    QString maske = QStringLiteral("*.*");
    bool unterverzeichnisse = false;
    bool versteckt = false;
    // Threads that read directories ahead; 0 lets the walk choose by the machine's cores.
    int leser = 0;
    Vorlesegrenzen grenzen;
};

// The walk a search with these criteria makes (readers and limits left to the walk).
Laufauftrag laufauftragVon(const Suchkriterien& k);

// Walks the tree and hands every file that matches the mask to `empfaenger`. Counts into
// `zustand` (durchsuchteVerzeichnisse, gepruefteDateien, unlesbareVerzeichnisse). `abgebrochen`
// is asked after every file and before every subdirectory; it may be empty. `zwischendurch`, if
// given, is called at every directory and every 20 ms while the walk waits for a reader, so a
// window can let its messages through; the abort is asked after it.
//
// The walk keeps its own stack and holds no directory open while it descends, so depth is
// bounded by memory only; a directory already on the current path (same device and inode,
// links followed) is not entered again, which ends link cycles. Directories are read ahead on
// worker threads, but handed over strictly in the walk's order, so the result is the same
// whatever the number of readers; `empfaenger`, `abgebrochen` and `zwischendurch` are only ever
// called on the caller's thread, and every enumeration is closed when the walk returns.
void verzeichnislauf(const Laufauftrag& auftrag, Suchzustand& zustand, Dateiempfaenger& empfaenger,
                     const std::function<bool()>& abgebrochen = {},
                     const std::function<void()>& zwischendurch = {});
