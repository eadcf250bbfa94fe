#include "listing/suchmuster.h"

bool istNetzwerkpfad(const QString& pfad)
{
    return pfad.startsWith(QLatin1String("\\\\"));
}

QChar trennerVon(const QString& wurzel)
{
    return istNetzwerkpfad(wurzel) ? QLatin1Char('\\') : QLatin1Char('/');
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
