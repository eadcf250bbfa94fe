#include "platform/namensfolge.h"

#include <QStringDecoder>

#include <algorithm>
#include <numeric>

namespace plattform {

std::vector<std::size_t> namensfolge(std::size_t n, const std::function<QByteArrayView(std::size_t)>& name)
{
    // All keys back to back, and per name its first four units packed so that most comparisons
    // are one of two integers: a whole drive's directory of a million names sorts in a fraction
    // of the time string comparisons take.
    struct Eintrag {
        quint64 anfang;
        std::size_t von;
        std::size_t laenge;
        std::size_t index;
    };
    std::vector<char16_t> einheiten;
    std::vector<Eintrag> eintraege;
    eintraege.reserve(n);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    for (std::size_t i = 0; i < n; ++i) {
        const QByteArrayView roh = name(i);
        const std::size_t von = einheiten.size();
        // UTF-8 never gives more UTF-16 units than it has bytes.
        einheiten.resize(von + std::size_t(roh.size()));
        QChar* anfang = reinterpret_cast<QChar*>(einheiten.data() + von);
        QChar* ende = utf8.appendToBuffer(anfang, roh);
        for (QChar* c = anfang; c != ende; ++c)
            *c = c->toUpper();
        const std::size_t laenge = std::size_t(ende - anfang);
        einheiten.resize(von + laenge);
        quint64 vorne = 0;
        for (std::size_t k = 0; k < 4; ++k)
            vorne = (vorne << 16) | (k < laenge ? quint64(einheiten[von + k]) : 0);
        eintraege.push_back({vorne, von, laenge, i});
    }
    std::sort(eintraege.begin(), eintraege.end(), [&](const Eintrag& a, const Eintrag& b) {
        if (a.anfang != b.anfang)
            return a.anfang < b.anfang;
        const char16_t* x = einheiten.data() + a.von;
        const char16_t* y = einheiten.data() + b.von;
        const std::size_t gemeinsam = std::min(a.laenge, b.laenge);
        for (std::size_t k = 4; k < gemeinsam; ++k)
            if (x[k] != y[k])
                return x[k] < y[k];
        if (a.laenge != b.laenge)
            return a.laenge < b.laenge;
        return name(a.index) < name(b.index);
    });
    std::vector<std::size_t> folge;
    folge.reserve(n);
    for (const Eintrag& e : eintraege)
        folge.push_back(e.index);
    return folge;
}

void inNamensfolge(std::vector<Dateidaten>& eintraege)
{
    const std::vector<std::size_t> folge =
        namensfolge(eintraege.size(), [&](std::size_t i) { return QByteArrayView(eintraege[i].rohname); });
    std::vector<Dateidaten> sortiert;
    sortiert.reserve(eintraege.size());
    for (std::size_t i : folge)
        sortiert.push_back(std::move(eintraege[i]));
    eintraege = std::move(sortiert);
}

}  // namespace plattform
