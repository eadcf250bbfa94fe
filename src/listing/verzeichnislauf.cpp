#include "listing/verzeichnislauf.h"

#include <QFile>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
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

// A directory still to be walked.
struct Auftrag {
    QByteArray roh;       // path bytes handed to the platform
    QString anzeige;      // path as shown, with trailing separator
    int ebene = 0;
    Kennung kennung{0, 0};
};

// One file as the reader keeps it: its name lives in the portion's byte buffer, so reading
// ahead costs no allocation per file.
struct Eintrag {
    quint32 name;
    quint32 laenge;
    quint32 attribute;
    qint64 groesse;
    qint64 schreibzeit;
};

// What the reader hands over: the start of a directory, or more files of the one before.
struct Portion {
    bool neuesVerzeichnis = false;
    bool lesbar = true;
    bool ende = false;
    int ebene = 0;
    QString anzeige;
    std::vector<Eintrag> eintraege;
    std::string namen;
};

// Reads the tree ahead on a thread of its own, in exactly the order of the walk, so that the
// kernel's work on directories and file data overlaps the formatting of the lines. Only
// directory data crosses over; everything the user sees stays on the caller's thread.
// The queue is bounded, so memory stays small however large the tree. Hand-overs come in
// large lots: waking a thread costs more than formatting a few hundred lines.
class Vorleser {
public:
    Vorleser(Dateisystem& ds, const Laufauftrag& auftrag) : m_ds(ds), m_auftrag(auftrag)
    {
        m_faden = std::thread([this] {
            try {
                lesen();
            } catch (...) {
                std::lock_guard sperre(m_sperre);
                m_fehler = std::current_exception();
            }
            Portion ende;
            ende.ende = true;
            abgeben(std::move(ende), true);
        });
    }

    ~Vorleser() { anhalten(); }

    // Takes every portion read so far, waiting for a lot of them (or a short while) first.
    // False once the end of the tree has been taken.
    bool naechste(std::deque<Portion>& ziel)
    {
        ziel.clear();
        std::unique_lock sperre(m_sperre);
        if (m_ende)
            return false;
        const auto bis = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
        m_nutzerWartet = true;
        m_nichtLeer.wait_until(sperre, bis, [&] { return m_gepuffert >= los || m_fertig; });
        m_nichtLeer.wait(sperre, [&] { return !m_schlange.empty(); });
        m_nutzerWartet = false;
        ziel.swap(m_schlange);
        m_gepuffert = 0;
        if (m_leserWartet)
            m_nichtVoll.notify_one();
        if (!ziel.empty() && ziel.back().ende) {
            m_ende = true;
            ziel.pop_back();
            if (m_fehler)
                std::rethrow_exception(m_fehler);
        }
        return true;
    }

    // Stops reading; every enumeration is closed when this returns.
    void anhalten()
    {
        {
            std::lock_guard sperre(m_sperre);
            m_halt = true;
        }
        m_nichtVoll.notify_all();
        if (m_faden.joinable())
            m_faden.join();
    }

private:
    static constexpr size_t portionsgroesse = 4096;
    static constexpr size_t los = 4096;
    static constexpr size_t hoechstensGepuffert = 65536;

    bool gehalten()
    {
        std::lock_guard sperre(m_sperre);
        return m_halt;
    }

    void abgeben(Portion&& p, bool immer = false)
    {
        std::unique_lock sperre(m_sperre);
        m_leserWartet = true;
        m_nichtVoll.wait(sperre, [&] { return m_halt || m_gepuffert < hoechstensGepuffert; });
        m_leserWartet = false;
        if (m_halt && !immer)
            return;
        m_gepuffert += p.eintraege.size() + 1;
        m_fertig = m_fertig || p.ende;
        m_schlange.push_back(std::move(p));
        if (m_nutzerWartet && (m_gepuffert >= los || m_fertig))
            m_nichtLeer.notify_one();
        else if (m_nutzerWartet && m_schlange.size() == 1)
            m_nichtLeer.notify_one();  // lets a waiting caller see its first portion after the short wait
    }

    void lesen();

    Dateisystem& m_ds;
    const Laufauftrag m_auftrag;
    std::thread m_faden;
    std::mutex m_sperre;
    std::condition_variable m_nichtLeer, m_nichtVoll;
    std::deque<Portion> m_schlange;
    size_t m_gepuffert = 0;
    bool m_halt = false;
    bool m_fertig = false;
    bool m_ende = false;
    bool m_nutzerWartet = false;
    bool m_leserWartet = false;
    std::exception_ptr m_fehler;
};

void Vorleser::lesen()
{
    const QChar trenner = trennerVon(m_auftrag.wurzel);
    const char trennbyte = static_cast<char>(trenner.unicode());
    const bool versteckt = m_auftrag.versteckt;

    std::vector<Auftrag> stapel;
    {
        Auftrag a;
        a.anzeige = mitTrenner(m_auftrag.wurzel);
        a.roh = QFile::encodeName(m_auftrag.wurzel);
        stapel.push_back(std::move(a));
    }

    // Directories on the path from the root to the one being read.
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
    const bool einDurchgang = m_auftrag.unterverzeichnisse && Maske(m_auftrag.maske).allesPasst();

    while (!stapel.empty() && !gehalten()) {
        Auftrag a = std::move(stapel.back());
        stapel.pop_back();

        while (static_cast<int>(pfad.size()) > a.ebene) {
            aufPfad.erase(pfad.back());
            pfad.pop_back();
        }
        if (a.kennung.inode == 0 && a.kennung.geraet == 0)
            m_ds.kennung(a.roh, &a.kennung.geraet, &a.kennung.inode);
        if (a.kennung.inode != 0 || a.kennung.geraet != 0) {
            if (aufPfad.count(a.kennung))
                continue;  // a link back up the path
            aufPfad.insert(a.kennung);
        }
        pfad.push_back(a.kennung);

        Portion p;
        p.neuesVerzeichnis = true;
        p.ebene = a.ebene;
        p.anzeige = a.anzeige;
        bool halt = false;
        unter.clear();
        kennungen.clear();
        const bool lesbar = m_ds.auflisten(a.roh, m_auftrag.maske, false, [&](const Dateidaten& d) {
            if (d.attribute & faDirectory) {
                if (einDurchgang)
                    unterverzeichnis(d);
                return true;
            }
            p.eintraege.push_back(Eintrag{static_cast<quint32>(p.namen.size()), static_cast<quint32>(d.rohname.size()),
                                          d.attribute, d.groesse, d.schreibzeit});
            p.namen.append(d.rohname.constData(), static_cast<size_t>(d.rohname.size()));
            if (p.eintraege.size() >= portionsgroesse) {
                abgeben(std::move(p));
                p = Portion{};
                p.anzeige = a.anzeige;
                p.ebene = a.ebene;
                if (gehalten()) {
                    halt = true;
                    return false;
                }
            }
            return true;
        });
        p.lesbar = lesbar;
        abgeben(std::move(p));
        if (halt || !lesbar || !m_auftrag.unterverzeichnisse)
            continue;

        // Collect first and close, so no directory stays open while its subtree is read.
        if (!einDurchgang)
            m_ds.auflisten(a.roh, QStringLiteral("*.*"), true, [&](const Dateidaten& d) {
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
            u.anzeige = a.anzeige + QString::fromUtf8(unter[i]) + trenner;
            u.ebene = a.ebene + 1;
            u.kennung = kennungen[i];
            stapel.push_back(std::move(u));
        }
    }
}

}  // namespace

void verzeichnislauf(const Laufauftrag& auftrag, Suchzustand& z, Dateiempfaenger& empfaenger,
                     const std::function<bool()>& abgebrochen)
{
    auto abbruch = [&] { return abgebrochen && abgebrochen(); };
    Vorleser leser(dateisystem(), auftrag);

    std::deque<Portion> lot;
    Dateidaten d;
    bool erstes = true;
    bool gestoppt = false;
    while (!gestoppt && leser.naechste(lot)) {
        for (const Portion& p : lot) {
            if (p.neuesVerzeichnis) {
                // No further directory is entered once the user has aborted.
                if (!erstes && abbruch()) {
                    gestoppt = true;
                    break;
                }
                erstes = false;
                ++z.durchsuchteVerzeichnisse;
                if (!p.lesbar) {
                    ++z.unlesbareVerzeichnisse;
                    if (p.ebene == 0)
                        z.wurzelUnlesbar = true;
                    continue;
                }
            }
            for (const Eintrag& e : p.eintraege) {
                d.rohname = QByteArray::fromRawData(p.namen.data() + e.name, e.laenge);
                d.attribute = e.attribute;
                d.groesse = e.groesse;
                d.schreibzeit = e.schreibzeit;
                empfaenger.datei(p.anzeige, d);
                if (abbruch()) {
                    gestoppt = true;
                    break;
                }
                ++z.gepruefteDateien;
            }
            if (gestoppt)
                break;
        }
    }
    leser.anhalten();
}
