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

// While the user-interface thread waits for a worker (a network question), the window is kept
// painted: the installed handler lets everything but user input through, which waits until the
// answer is in, so no handler of the window runs a second time meanwhile.
void anzeigeErhalten();
// Installs `behandlung` (empty: none) for the calling thread, which is the user-interface thread
// from then on, and returns the one installed before.
std::function<void()> anzeigebehandlungSetzen(std::function<void()> behandlung);
// Whether the calling thread installed the handler: then waits belong in a worker.
bool imOberflaechenfaden();

}  // namespace plattform
