#include "platform/nachrichten.h"

#include <QElapsedTimer>

#include <atomic>
#include <thread>

#include <utility>

namespace plattform {
namespace {
std::function<void()> g_behandlung;
QElapsedTimer g_uhr;  // since the handler last ran
quint64 g_anfragen = 0;
constexpr qint64 abstandMs = 30;
}  // namespace

void nachrichtenZulassen()
{
    ++g_anfragen;
    if (!g_behandlung || (g_uhr.isValid() && g_uhr.elapsed() < abstandMs))
        return;
    g_uhr.start();
    g_behandlung();
}

std::function<void()> nachrichtenbehandlungSetzen(std::function<void()> behandlung)
{
    g_uhr.invalidate();
    return std::exchange(g_behandlung, std::move(behandlung));
}

quint64 nachrichtenAnfragen()
{
    return g_anfragen;
}

namespace {
std::function<void()> g_anzeige;
// Read by worker threads that ask whether they are the user-interface thread.
std::atomic<std::thread::id> g_oberflaeche{};
}  // namespace

void anzeigeErhalten()
{
    if (g_anzeige && imOberflaechenfaden())
        g_anzeige();
}

std::function<void()> anzeigebehandlungSetzen(std::function<void()> behandlung)
{
    g_oberflaeche.store(behandlung ? std::this_thread::get_id() : std::thread::id());
    return std::exchange(g_anzeige, std::move(behandlung));
}

bool imOberflaechenfaden()
{
    const std::thread::id t = g_oberflaeche.load();
    return t != std::thread::id() && t == std::this_thread::get_id();
}

}  // namespace plattform
