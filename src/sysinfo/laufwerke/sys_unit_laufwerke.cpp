#include "sysinfo/laufwerke/sys_unit_laufwerke.h"

#include "platform/nachrichten.h"
#include "platform/plattform.h"

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
    plattform::nachrichtenZulassen();
    if (wurzel.isEmpty())
        return false;
    return plattform::laufwerke().volumeninformation(wurzel).has_value();
}

QString laufwerksname(QChar buchstabe)
{
    const QString wurzel = plattform::laufwerke().wurzel(buchstabe.toUpper());
    if (wurzel.isEmpty())
        return QString();
    QString bezeichnung = plattform::laufwerke().volumeninformation(wurzel).value_or(QString());
    // The Windows call hands back at most 260 characters and stops at a NUL.
    const qsizetype nul = bezeichnung.indexOf(QChar(u'\0'));
    if (nul >= 0)
        bezeichnung.truncate(nul);
    return bezeichnung.left(260);
}

QString laufwerkstyp(int index)
{
    const QChar b = buchstabeVon(index);
    const plattform::Laufwerksart art = b.isNull() ? plattform::dtKeineWurzel : plattform::laufwerke().laufwerkstyp(b);
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

std::optional<plattform::Speicherplatz> platz(int nummer)
{
    const QChar b = buchstabeVon(nummer - 1);
    if (b.isNull())
        return std::nullopt;
    const QString wurzel = plattform::laufwerke().wurzel(b);
    if (wurzel.isEmpty())
        return std::nullopt;
    return plattform::laufwerke().speicherplatz(wurzel);
}

}  // namespace

qint64 laufwerksgroesse(int nummer)
{
    const auto p = platz(nummer);
    return p ? p->gesamt : -1;
}

qint64 laufwerksfrei(int nummer)
{
    const auto p = platz(nummer);
    return p ? p->frei : -1;
}

}  // namespace Sys_unit
