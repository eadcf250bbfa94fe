#pragma once
// The display as the report asks it, with the window system's own answer where the platform has
// none: under Wayland without an X server, or when the X server does not answer in time.
#include "platform/systemquellen.h"

class Fensteranzeige : public plattform::Anzeige {
public:
    explicit Fensteranzeige(const plattform::Anzeige& innen) : m_innen(innen) {}

    int farbtiefe() const override;
    quint32 bildfrequenz() const override;
    QList<std::optional<plattform::Anzeigemodus>> anzeigemodi() const override { return m_innen.anzeigemodi(); }
    QList<plattform::Anzeigegeraet> anzeigegeraete() const override { return m_innen.anzeigegeraete(); }
    QSize bildschirm() const override;

private:
    const plattform::Anzeige& m_innen;
};

// Puts a Fensteranzeige in front of the installed display; once, after the platform is installed.
void fensteranzeigeInstallieren();
