#include "app/fensteranzeige.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

#include "platform/plattform.h"

int Fensteranzeige::farbtiefe() const
{
    if (const int t = m_innen.farbtiefe())
        return t;
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->depth() : 0;
}

quint32 Fensteranzeige::bildfrequenz() const
{
    if (const quint32 f = m_innen.bildfrequenz())
        return f;
    const QScreen* s = QGuiApplication::primaryScreen();
    return s && s->refreshRate() > 0 ? quint32(std::lround(s->refreshRate())) : 0;
}

QSize Fensteranzeige::bildschirm() const
{
    const QSize g = m_innen.bildschirm();
    if (!g.isEmpty())
        return g;
    const QScreen* s = QGuiApplication::primaryScreen();
    // Physical pixels, as the X server counts them.
    return s ? (QSizeF(s->size()) * s->devicePixelRatio()).toSize() : g;
}

void fensteranzeigeInstallieren()
{
    plattform::Plattform p = plattform::installiert();
    if (!p.anzeige)
        return;
    static const Fensteranzeige anzeige(*p.anzeige);
    p.anzeige = &anzeige;
    plattform::installieren(p);
}
