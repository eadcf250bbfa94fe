#include "listing/verzeichnislauf.h"

#include <QFile>

#include <unordered_set>
#include <utility>
#include <vector>

#include "listing/suchmuster.h"
#include "platform/maske.h"
#include "platform/plattform.h"

using namespace plattform;

namespace {

struct Kennung {
    quint64 geraet;
    quint64 inode;
    bool operator==(const Kennung&) const = default;
};

struct KennungHash {
    size_t operator()(const Kennung& k) const noexcept
    {
        return std::hash<quint64>()(k.inode * 0x9E3779B97F4A7C15ull ^ k.geraet);
    }
};

struct Auftrag {
    QByteArray roh;       // path bytes handed to the platform
    QString anzeige;      // path as shown, with trailing separator
    int ebene = 0;
    Kennung kennung{0, 0};
};

// A name that is not valid UTF-8 is shown with replacement characters but entered by its bytes.
QString anzeigename(const QByteArray& roh)
{
    return QString::fromUtf8(roh);
}

}  // namespace

void verzeichnislauf(const Laufauftrag& auftrag, Suchzustand& z, Dateiempfaenger& empfaenger,
                     const std::function<bool()>& abgebrochen)
{
    Dateisystem& ds = dateisystem();
    const QChar trenner = trennerVon(auftrag.wurzel);
    const char trennbyte = static_cast<char>(trenner.unicode());
    const bool versteckt = auftrag.versteckt;
    auto abbruch = [&] { return abgebrochen && abgebrochen(); };

    std::vector<Auftrag> stapel;
    {
        Auftrag a;
        a.anzeige = mitTrenner(auftrag.wurzel);
        a.roh = QFile::encodeName(auftrag.wurzel);
        stapel.push_back(std::move(a));
    }

    // Directories on the path from the root to the one being walked.
    std::vector<Kennung> pfad;
    std::unordered_set<Kennung, KennungHash> aufPfad;

    std::vector<QByteArray> unter;
    std::vector<Kennung> kennungen;
    auto unterverzeichnis = [&](const Dateidaten& d) {
        if (!(d.attribute & faDirectory))
            return;
        if ((d.attribute & faHidden) && !versteckt)
            return;
        if (d.rohname.startsWith('.'))
            return;
        unter.push_back(d.rohname);
        kennungen.push_back(Kennung{d.geraet, d.inode});
    };
    // When the mask takes every name, the file pass already sees every subdirectory and a
    // second enumeration of the directory would only repeat it.
    const bool einDurchgang = auftrag.unterverzeichnisse && Maske(auftrag.maske).allesPasst();
    bool gestoppt = false;
    bool erstes = true;

    while (!stapel.empty() && !gestoppt) {
        Auftrag a = std::move(stapel.back());
        stapel.pop_back();
        if (!erstes && abbruch())
            break;
        erstes = false;

        while (static_cast<int>(pfad.size()) > a.ebene) {
            aufPfad.erase(pfad.back());
            pfad.pop_back();
        }
        if (a.kennung.inode == 0 && a.kennung.geraet == 0)
            ds.kennung(a.roh, &a.kennung.geraet, &a.kennung.inode);
        const bool bekannt = a.kennung.inode != 0 || a.kennung.geraet != 0;
        if (bekannt) {
            if (aufPfad.count(a.kennung))
                continue;  // a link back up the path
            aufPfad.insert(a.kennung);
        }
        pfad.push_back(a.kennung);

        ++z.durchsuchteVerzeichnisse;

        unter.clear();
        kennungen.clear();
        const bool lesbar = ds.auflisten(a.roh, auftrag.maske, false, [&](const Dateidaten& d) {
            if (d.attribute & faDirectory) {
                if (einDurchgang)
                    unterverzeichnis(d);
                return true;
            }
            empfaenger.datei(a.anzeige, d);
            if (abbruch()) {
                gestoppt = true;
                return false;
            }
            ++z.gepruefteDateien;
            return true;
        });
        if (!lesbar) {
            ++z.unlesbareVerzeichnisse;
            if (a.ebene == 0)
                z.wurzelUnlesbar = true;
            continue;
        }
        if (gestoppt || !auftrag.unterverzeichnisse)
            continue;

        // Collect first and close, so no directory stays open while its subtree is walked.
        if (!einDurchgang)
            ds.auflisten(a.roh, QStringLiteral("*.*"), true, [&](const Dateidaten& d) {
                unterverzeichnis(d);
                return true;
            });

        QByteArray basis = a.roh;
        if (!basis.endsWith(trennbyte))
            basis += trennbyte;
        // Reverse, so the first subdirectory is taken from the stack first.
        for (size_t i = unter.size(); i-- > 0;) {
            Auftrag u;
            u.roh = basis + unter[i];
            u.anzeige = a.anzeige + anzeigename(unter[i]) + trenner;
            u.ebene = a.ebene + 1;
            u.kennung = kennungen[i];
            stapel.push_back(std::move(u));
        }
    }
}
