#pragma once
// The network resource walk: remote names of the whole network's resources, depth first, each
// entry before its children.
#include "platform/netz.h"

#include <QStringList>

namespace netinfo {

// Appends to `liste` the remote names of all resources of type `typ` whose display type is
// `anzeigefilter` (0: every one). Goes down into every container whatever the filter. With
// `ansprechbar` window messages are let through before each read and after each entry.
// Failures give fewer entries; an exception from the message handler passes on, every
// enumeration closed.
void netzressourcensuchen(plattform::Ressourcentyp typ, quint32 anzeigefilter, QStringList& liste, bool ansprechbar);

// The same walk, handing every resource with its depth (0 at the top) to `jede`.
void netzressourcenBesuchen(plattform::Ressourcentyp typ, bool ansprechbar,
                            const std::function<void(const plattform::Netzressource&, int tiefe)>& jede);

}  // namespace netinfo
