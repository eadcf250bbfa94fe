#pragma once
// The display through the X server (depth, size, XRandR modes of the primary output) and the
// graphics adapters with their first monitor from /sys/class/drm.
#include "platform/systemquellen.h"

namespace plattform {

class LinuxAnzeige : public Anzeige {
public:
    // `anzeige`: the X display to ask (empty: $DISPLAY); `wurzel`: where /sys is found.
    explicit LinuxAnzeige(QString anzeige = {}, QString wurzel = QStringLiteral("/"));

    int farbtiefe() const override;
    quint32 bildfrequenz() const override;
    QList<std::optional<Anzeigemodus>> anzeigemodi() const override;
    QList<Anzeigegeraet> anzeigegeraete() const override;
    QSize bildschirm() const override;

    // A monitor's name from its EDID: the name descriptor, else the maker's PNP id and product code.
    static QString monitorname(const QByteArray& edid);

private:
    struct Stand;
    Stand abfragen(bool mitAusgaengen) const;

    QString m_anzeige;
    QString m_wurzel;
};

}  // namespace plattform
