#pragma once
// Writing the program's output files. Everything goes through QSaveFile, so a failed write
// leaves the old file as it was.
#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>

// The errno value of a failed file call; Qt does not always leave errno behind, and its own
// error kind then stands in.
int fehlernummer(int gemerkt, QFileDevice::FileError art);

// Whether `pfad` may be replaced by a new file: a directory, special file or write-protected file
// in its place is refused (QSaveFile would rename over it), also for root.
bool zielBeschreibbar(const QString& pfad, QString* fehlertext = nullptr);

// Writes the bytes as the file's whole new content. On failure returns false and gives the
// German text of the system error.
bool dateiSicherSchreiben(const QString& pfad, const QByteArray& daten, QString* fehlertext = nullptr);

// The lines in the platform's code page, each ended by CR LF (the last one too), no byte-order mark.
QByteArray textdateiInhalt(const QStringList& zeilen);
bool textdateiSchreiben(const QString& pfad, const QStringList& zeilen, QString* fehlertext = nullptr);
// The same under `name` in the working directory the directory list keeps, also when that is a
// network directory.
bool imArbeitsverzeichnisSchreiben(const QString& name, const QStringList& zeilen, QString* fehlertext = nullptr);
