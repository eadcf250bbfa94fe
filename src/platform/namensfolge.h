#pragma once
// The order a directory's entries come in. On the file system the program was written for, a
// directory keeps its names sorted by their UTF-16 code units after upper-casing each unit, so a
// listing came out in name order there; readdir and a Samba server hand out hash order. Every
// backend sorts by this rule, whatever the locale.
#include <QByteArrayView>
#include <QString>
#include <vector>

#include "platform/plattform.h"

namespace plattform {

// The key a name sorts by: its UTF-16 code units, each upper-cased on its own.
QString namensschluessel(QByteArrayView roh);

// Sorts by the key, names with equal keys (a.txt and A.txt) by their bytes. Keys are made once
// per entry.
void inNamensfolge(std::vector<Dateidaten>& eintraege);

}  // namespace plattform
