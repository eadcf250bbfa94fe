#include "platform/nachrichten.h"

#include <QElapsedTimer>

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

}  // namespace plattform
