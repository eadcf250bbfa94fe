#pragma once
// The list of search masks behind the main window's mask box.
// The list always runs "*.*", the user masks in collation order, "[neu]".
#include <QLocale>
#include <QString>
#include <QStringList>

namespace suchmasken {

inline const QString alleDateien = QStringLiteral("*.*");
inline const QString neuEintrag = QStringLiteral("[neu]");
inline const QString dateiname = QStringLiteral("search.lis");

// The 35 masks every start offers between "*.*" and "[neu]".
QStringList standardmasken();
// The whole list of a fresh start: "*.*", the standard masks, "[neu]".
QStringList standardliste();

// Sorts user masks ascending, ignoring case, in the order of `gebiet`'s language. Equal masks
// keep their order, so duplicates survive as they were typed.
void sortieren(QStringList& masken, const QLocale& gebiet = QLocale());
// "*.*", the sorted user masks, "[neu]". Any non-empty text is a mask; nothing is checked.
QStringList listeaufbauen(QStringList benutzermasken, const QLocale& gebiet = QLocale());
// What the editor shows of a mask box list: everything but its first and last entry.
QStringList benutzermasken(QStringList liste);

// "Datei "<datei>" kann nicht erstellt werden. <grund>", the grund being the system's reason.
QString fehlermeldung(const QString& datei, const QString& grund);

}  // namespace suchmasken
