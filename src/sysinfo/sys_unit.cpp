#include "sysinfo/sys_unit.h"

#include "platform/plattform.h"

#include <QCoreApplication>

namespace Sys_unit {
namespace {

QChar buchstabeVon(int index)
{
    return (index >= 0 && index < 26) ? QChar(u'A' + index) : QChar();
}

// "C", "C:", "C:\" and "C:/" name a drive; anything else is taken as a path.
QChar laufwerksangabe(const QString& x)
{
    const QChar b = x.isEmpty() ? QChar() : x.at(0).toUpper();
    if (b < u'A' || b > u'Z')
        return QChar();
    if (x.size() == 1)
        return b;
    if (x.at(1) != u':')
        return QChar();
    if (x.size() == 2 || (x.size() == 3 && (x.at(2) == u'\\' || x.at(2) == u'/')))
        return b;
    return QChar();
}

}  // namespace

bool laufwerkda(int index)
{
    if (index < 0 || index >= 26)
        return false;
    return (plattform::laufwerke().logischeLaufwerke() >> index) & 1u;
}

bool datentraegerda(const QString& x)
{
    QString wurzel = x;
    if (const QChar b = laufwerksangabe(x); !b.isNull()) {
        wurzel = plattform::laufwerke().wurzel(b);
        if (wurzel.isEmpty())
            return false;
    }
    // Lets the wait window breathe while a slow medium answers.
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    if (wurzel.isEmpty())
        return false;
    QString bezeichnung;
    return plattform::laufwerke().volumeninformation(wurzel, &bezeichnung);
}

QString laufwerksname(QChar buchstabe)
{
    const QString wurzel = plattform::laufwerke().wurzel(buchstabe.toUpper());
    QString bezeichnung;
    if (wurzel.isEmpty() || !plattform::laufwerke().volumeninformation(wurzel, &bezeichnung))
        return QString();
    // The Windows call hands back at most 260 characters and stops at a NUL.
    const qsizetype nul = bezeichnung.indexOf(QChar(u'\0'));
    if (nul >= 0)
        bezeichnung.truncate(nul);
    return bezeichnung.left(260);
}

QString laufwerkstyp(int index)
{
    const QChar b = buchstabeVon(index);
    const int art = b.isNull() ? int(plattform::dtKeineWurzel) : plattform::laufwerke().laufwerkstyp(b);
    switch (art) {
    case plattform::dtUnbekannt:
        return QStringLiteral("unbekannt");
    case plattform::dtKeineWurzel:
        return QStringLiteral("Laufwerk existiert nicht");
    case plattform::dtWechselmedium:
        return QStringLiteral("Wechselmedium");
    case plattform::dtFestplatte:
        return QStringLiteral("Festplatte");
    case plattform::dtNetzwerk:
        return QStringLiteral("Netzwerk");
    case plattform::dtCdrom:
        return QStringLiteral("CD-ROM/DVD");
    case plattform::dtRamdisk:
        return QStringLiteral("RAM Disk");
    default:
        return QStringLiteral("anderer Laufwerkstyp");
    }
}

namespace {

bool platz(int nummer, qint64* gesamt, qint64* frei)
{
    const QChar b = buchstabeVon(nummer - 1);
    if (b.isNull())
        return false;
    const QString wurzel = plattform::laufwerke().wurzel(b);
    return !wurzel.isEmpty() && plattform::laufwerke().speicherplatz(wurzel, gesamt, frei);
}

}  // namespace

qint64 laufwerksgroesse(int nummer)
{
    qint64 gesamt = 0, frei = 0;
    return platz(nummer, &gesamt, &frei) ? gesamt : -1;
}

qint64 laufwerksfrei(int nummer)
{
    qint64 gesamt = 0, frei = 0;
    return platz(nummer, &gesamt, &frei) ? frei : -1;
}

}  // namespace Sys_unit
