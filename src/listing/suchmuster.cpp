#include "listing/suchmuster.h"

#include "platform/plattform.h"

QChar trennerVon(const QString& wurzel)
{
    return plattform::pfadart(wurzel) == plattform::Pfadart::netzwerk ? QLatin1Char('\\') : QLatin1Char('/');
}

QString mitTrenner(const QString& wurzel)
{
    const QChar t = trennerVon(wurzel);
    if (wurzel.endsWith(t))
        return wurzel;
    return wurzel + t;
}

QString suchmuster(const QString& wurzel, const QString& maske)
{
    return mitTrenner(wurzel) + maske;
}
