#pragma once
// Label and space of a mounted file system, asked with a deadline: a dead NFS or CIFS server, or a
// FUSE daemon that never answers, blocks statvfs in the kernel, possibly for ever.
#include "platform/linux/linux_einhaengungen.h"

#include <QString>

#include <chrono>
#include <optional>

namespace plattform::linuxlw {

struct Volumenantwort {
    bool verzeichnis = false;  // the path is a directory (a floppy without a medium is its device)
    bool lesbar = false;       // statvfs answered
    QString bezeichnung;
    quint64 bloecke = 0, frei = 0, blockgroesse = 0;
};

// Asks in a worker (which waits on a child process that makes the system calls) and waits at most `frist`; nullopt when it did not answer in time, which the
// callers treat as a drive that cannot be read. One question per mount is outstanding at a time: a
// worker stuck in the kernel is waited on, never joined by another. Answers are kept for a short
// while, and dropped at once when another file system is mounted there.
std::optional<Volumenantwort> volumenFragen(const QByteArray& pfad, const Einhaengung& e,
                                            std::chrono::milliseconds frist);

// How long an answer, or a question that timed out, is kept.
inline constexpr std::chrono::seconds volumenGueltigkeit{5};
inline constexpr std::chrono::milliseconds volumenFrist{300};

}  // namespace plattform::linuxlw
