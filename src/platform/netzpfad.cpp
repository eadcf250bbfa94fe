#include "platform/netzpfad.h"

#include "platform/plattform.h"

namespace plattform {

std::optional<Netzpfad> Netzpfad::lesen(const QString& pfad)
{
    if (pfadart(pfad) != Pfadart::netzwerk)
        return std::nullopt;
    const QStringList teile = pfad.mid(2).split(u'\\', Qt::SkipEmptyParts);
    if (teile.isEmpty())
        return std::nullopt;
    return Netzpfad{teile.at(0), teile.value(1), teile.mid(2).join(u'/')};
}

bool Netzpfad::vollstaendig() const
{
    if (computer.isEmpty() || freigabe.isEmpty())
        return false;
    const auto gut = [](const QString& t) {
        return t != QLatin1String(".") && t != QLatin1String("..") && !t.contains(u'/') && !t.contains(QChar(0));
    };
    if (!gut(computer) || !gut(freigabe))
        return false;
    if (rest.isEmpty())
        return true;
    for (const QString& t : rest.split(u'/'))
        if (!gut(t))
            return false;
    return true;
}

QString Netzpfad::text() const
{
    if (rest.isEmpty())
        return freigabepfad();
    return freigabepfad() + u'\\' + QString(rest).replace(u'/', u'\\');
}

QStringList freigabenVon(const QStringList& freigaben, const QString& computer)
{
    QStringList ergebnis;
    for (const QString& f : freigaben)
        if (f.startsWith(computer + u'\\', Qt::CaseSensitive))
            ergebnis.append(f.mid(computer.size()));
    return ergebnis;
}

}  // namespace plattform
