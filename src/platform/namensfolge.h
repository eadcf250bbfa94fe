#pragma once
// The order a directory's entries come in. On the file system the program was written for, a
// directory keeps its names sorted by their UTF-16 code units after upper-casing each unit, so a
// listing came out in name order there; readdir and a Samba server hand out hash order. Every
// backend sorts by this rule, whatever the locale.
#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <functional>
#include <vector>

#include "platform/plattform.h"

namespace plattform {

// The positions of n names, `name(i)`, in the order of their keys (the UTF-16 code units, each
// upper-cased on its own), names with equal keys (a.txt and A.txt) by their bytes. Keys are made
// once per name.
std::vector<std::size_t> namensfolge(std::size_t n, const std::function<QByteArrayView(std::size_t)>& name);

// Sorts entries by that order.
void inNamensfolge(std::vector<Dateidaten>& eintraege);

}  // namespace plattform
