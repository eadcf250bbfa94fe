#pragma once
// Real directory trees for tests, in a temporary directory that is removed afterwards.
//
//   Testbaum baum;
//   baum.datei("a/b/c.txt", 1200, QDateTime(QDate(2013, 12, 24), QTime(18, 30), Qt::UTC));
//   baum.verzeichnis("leer");
//   baum.rechte("a/b/c.txt", 0444);          // read-only
//   baum.link("a/zurueck", "..");            // symbolic link, target as given
//   baum.fifo("a/rohr");
//   baum.pfad("a/b")                         // absolute path, for the code under test
//
// Relative paths are "/"-separated; parents are made as needed. Every failure throws
// std::runtime_error naming the path, which GoogleTest reports as a failed test.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

#include <sys/types.h>

class Testbaum {
public:
    Testbaum();
    // Removes the tree, also locked directories and names QDir cannot spell.
    ~Testbaum();
    Testbaum(const Testbaum&) = delete;
    Testbaum& operator=(const Testbaum&) = delete;

    // The tree's root (absolute, no trailing "/"), or the absolute path of `rel` within it.
    QString pfad(const QString& rel = QString()) const;
    QByteArray rohpfad(const QByteArray& rel = QByteArray()) const;

    void verzeichnis(const QString& rel);
    // A file of `groesse` bytes (sparse, so gigabytes cost nothing); the time is left as it is when
    // `zeit` is invalid. dateiRoh takes names that are not valid UTF-8.
    void datei(const QString& rel, qint64 groesse, const QDateTime& zeit = QDateTime());
    void dateiRoh(const QByteArray& relRoh, qint64 groesse, const QDateTime& zeit = QDateTime());
    // Last-write time of a file or directory (not following links).
    void zeit(const QString& rel, const QDateTime& zeit);
    void rechte(const QString& rel, mode_t modus);
    // A symbolic link at `rel` whose content is `ziel` exactly (relative or absolute).
    void link(const QString& rel, const QString& ziel);
    void fifo(const QString& rel);

    // True when running as root: permission tests mean nothing then.
    static bool istRoot();

private:
    void elternAnlegen(const QByteArray& roh);

    QTemporaryDir m_dir;
};
