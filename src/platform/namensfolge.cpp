#include "platform/namensfolge.h"

#include <algorithm>
#include <numeric>

namespace plattform {

QString namensschluessel(QByteArrayView roh)
{
    QString s = QString::fromUtf8(roh);
    for (QChar& c : s)
        c = c.toUpper();
    return s;
}

void inNamensfolge(std::vector<Dateidaten>& eintraege)
{
    std::vector<QString> schluessel;
    schluessel.reserve(eintraege.size());
    for (const Dateidaten& d : eintraege)
        schluessel.push_back(namensschluessel(d.rohname));
    std::vector<std::size_t> folge(eintraege.size());
    std::iota(folge.begin(), folge.end(), 0);
    std::sort(folge.begin(), folge.end(), [&](std::size_t a, std::size_t b) {
        const int c = QStringView(schluessel[a]).compare(QStringView(schluessel[b]));
        return c != 0 ? c < 0 : eintraege[a].rohname < eintraege[b].rohname;
    });
    std::vector<Dateidaten> sortiert;
    sortiert.reserve(eintraege.size());
    for (std::size_t i : folge)
        sortiert.push_back(std::move(eintraege[i]));
    eintraege = std::move(sortiert);
}

}  // namespace plattform
