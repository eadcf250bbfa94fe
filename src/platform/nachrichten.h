#pragma once
// "Let pending window messages be processed", asked by logic wherever it runs for long: the walk,
// the drive questions, report builds. What that means is installed by the window layer, so logic
// links no widgets; without a handler it does nothing.
#include <QtGlobal>

#include <functional>

namespace plattform {

// Runs the installed handler unless it ran less than 30 ms ago, so asking once per file costs
// next to nothing. User-interface thread only.
void nachrichtenZulassen();

// Installs `behandlung` (empty: none) and returns the one installed before. The new handler runs
// at the next request, whenever the old one last ran.
std::function<void()> nachrichtenbehandlungSetzen(std::function<void()> behandlung);

// Requests so far, let through or not; for tests.
quint64 nachrichtenAnfragen();

}  // namespace plattform
