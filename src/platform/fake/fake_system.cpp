#include "platform/fake/fake_system.h"

namespace plattform {
namespace {

QStringList teile(const QString& pfad)
{
    return pfad.split(u'\\', Qt::SkipEmptyParts);
}

}  // namespace

void FakeRegistry::schluessel(const QString& pfad)
{
    QString bisher;
    for (const QString& teil : teile(pfad)) {
        const QString eltern = bisher;
        bisher = bisher.isEmpty() ? teil.toLower() : bisher + u'\\' + teil.toLower();
        if (!m_knoten.contains(bisher)) {
            m_knoten[eltern].unter.append(teil);
            m_knoten[bisher];
        }
    }
}

void FakeRegistry::wert(const QString& pfad, const QString& name, const Regwert& w)
{
    schluessel(pfad);
    auto& werte = m_knoten[teile(pfad).join(u'\\').toLower()].werte;
    for (auto& [n, alt] : werte)
        if (n.compare(name, Qt::CaseInsensitive) == 0) {
            alt = w;
            return;
        }
    werte.append({name, w});
}

void FakeRegistry::gesperrt(const QString& pfad)
{
    schluessel(pfad);
    m_knoten[teile(pfad).join(u'\\').toLower()].gesperrt = true;
}

const FakeRegistry::Knoten* FakeRegistry::offen(const QString& pfad) const
{
    const auto it = m_knoten.constFind(teile(pfad).join(u'\\').toLower());
    return it == m_knoten.cend() || it->gesperrt ? nullptr : &*it;
}

bool FakeRegistry::schluesselDa(const QString& pfad) const
{
    return offen(pfad) != nullptr;
}

std::optional<Regwert> FakeRegistry::wert(const QString& pfad, const QString& name) const
{
    if (const Knoten* k = offen(pfad))
        for (const auto& [n, w] : k->werte)
            if (n.compare(name, Qt::CaseInsensitive) == 0)
                return w;
    return std::nullopt;
}

std::optional<QStringList> FakeRegistry::unterschluessel(const QString& pfad) const
{
    if (const Knoten* k = offen(pfad))
        return k->unter;
    return std::nullopt;
}

std::optional<QList<Wmiobjekt>> FakeWmi::abfrage(const QString& klasse) const
{
    const auto it = m_klassen.constFind(klasse.trimmed().toLower());
    if (it == m_klassen.cend())
        return std::nullopt;
    return *it;
}

}  // namespace plattform
