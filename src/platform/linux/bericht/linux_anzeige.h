#pragma once
// The display through the X server (depth, size, XRandR modes of the primary output) and the
// graphics adapters with their first monitor from /sys/class/drm.
#include "platform/systemquellen.h"

#include <memory>

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
    struct Frage;
    // Asked in a worker with a bound (a stopped X server holds xcb_connect for ever), and one
    // connection answers all questions of a report.
    Stand abfragen() const;
    static Stand abfragenJetzt(const QString& anzeige);

    QString m_anzeige;
    QString m_wurzel;
    mutable std::shared_ptr<Frage> m_frage;
};

}  // namespace plattform
