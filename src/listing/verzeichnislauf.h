#pragma once
// The directory walk: files of a directory first, then its subdirectories, depth first.
#include <QString>
#include <functional>

#include "listing/suche.h"
#include "listing/zeilenformat.h"

struct Laufauftrag {
    QString wurzel;                 // "/home/anna", "/", "\\PC1\Daten"
    QString maske = QStringLiteral("*.*");
    bool unterverzeichnisse = false;
    bool versteckt = false;
    // Threads that read directories ahead; 0 lets the walk choose by the machine's cores.
    int leser = 0;
};

// Walks the tree and hands every file that matches the mask to `empfaenger`. Counts into
// `zustand` (durchsuchteVerzeichnisse, gepruefteDateien, unlesbareVerzeichnisse). `abgebrochen`
// is asked after every file and before every subdirectory; it may be empty.
//
// The walk keeps its own stack and holds no directory open while it descends, so depth is
// bounded by memory only; a directory already on the current path (same device and inode,
// links followed) is not entered again, which ends link cycles. Directories are read ahead on
// worker threads, but handed over strictly in the walk's order, so the result is the same
// whatever the number of readers; `empfaenger` and `abgebrochen` are only ever called on the
// caller's thread, and every enumeration is closed when the walk returns.
void verzeichnislauf(const Laufauftrag& auftrag, Suchzustand& zustand, Dateiempfaenger& empfaenger,
                     const std::function<bool()>& abgebrochen = {});
