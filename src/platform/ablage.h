#pragma once
// Where the program's own files lie: beside the executable in a build or a portable copy, in the
// GNU install folders (relative to the executable, so a staged install works too) once installed.
#include <QString>

namespace plattform {

// The executable sits in an installed tree: its data folder (…/share/zembrola) exists.
bool imInstallationsbaum();
// The folder of read-only data (help topics): beside the executable where "hilfe" is there,
// else the installed data folder.
QString datenverzeichnis();

}  // namespace plattform
