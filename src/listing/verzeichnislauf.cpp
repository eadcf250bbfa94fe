#include "listing/verzeichnislauf.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
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

// One file as the reader keeps it: its name lives in the portion's byte buffer, so reading
// ahead costs no allocation per file.
struct Eintrag {
    quint32 name;
    quint32 laenge;
    quint32 attribute;
    qint64 groesse;
    qint64 schreibzeit;
};

// What a reader hands over: the start of a directory, or more files of it.
struct Portion {
    bool neuesVerzeichnis = false;
    bool lesbar = true;
    int ebene = 0;
    QString anzeige;
    std::vector<Eintrag> eintraege;
    std::string namen;
};

// A directory known to the walk. Path, level, identity and parent are fixed when it is made;
// everything else belongs to the lock.
struct Knoten {
    enum Stand { offen, lesend, gelesen };

    QByteArray roh;       // path bytes handed to the platform
    QString anzeige;      // path as shown, with trailing separator
    int ebene = 0;
    Kennung kennung{0, 0};
    Knoten* eltern = nullptr;

    Stand stand = offen;
    std::deque<Portion> portionen;  // handed over, not yet taken
    size_t gepuffert = 0;           // their size in units (files, plus one per portion)
    Knoten* naechster = nullptr;    // next in the walk's order while listed
    bool gelistet = true;
    int kinder = 0;                 // children still alive; they look up the path through us
};

// Reads the tree ahead on worker threads. Directories are handed out in the walk's order (the
// first unread one first) and their data is taken strictly in that order, so the walk sees
// exactly what one reader would give. Several readers matter because the kernel's stat per file
// dominates and runs in parallel. Only directory data crosses threads; everything the user sees
// stays on the caller's thread.
//
// Memory stays bounded: no reader starts a directory or hands over more while a cap of units is
// waiting to be taken, except for the directory the caller needs next, so the caller always gets
// on. One reader is always left free for that directory; the others may wait in the middle of a
// large one.
class Vorleser {
public:
    Vorleser(Dateisystem& ds, const Laufauftrag& auftrag, int leser)
        : m_ds(ds),
          m_auftrag(auftrag),
          m_trenner(trennerVon(auftrag.wurzel)),
          m_einDurchgang(auftrag.unterverzeichnisse && Maske(auftrag.maske).allesPasst())
    {
        auto* w = new Knoten;
        w->anzeige = mitTrenner(m_auftrag.wurzel);
        w->roh = QFile::encodeName(m_auftrag.wurzel);
        m_ds.kennung(w->roh, &w->kennung.geraet, &w->kennung.inode);
        merken(w);
        m_vorne = m_grenze = w;
        m_offen.push_back(w);

        m_leser = std::max(1, leser);
        for (int i = 0; i < m_leser; ++i)
            m_faeden.emplace_back([this, i] { arbeiten(i == 0 ? hoechstensGepuffert : nachschub); });
    }

    ~Vorleser()
    {
        anhalten();
        while (Knoten* k = m_vorne) {
            m_vorne = k->naechster;
            austragen(k);
        }
    }

    // Takes what can be taken in order, waiting for a lot of it (or a short while) first.
    // False once everything has been taken.
    bool naechste(std::vector<Portion>& ziel)
    {
        ziel.clear();
        std::unique_lock sperre(m_sperre);
        if (!m_fehler && m_verfuegbar == 0 && m_vorne == nullptr)
            return false;
        const auto bis = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
        m_nutzerWartet = true;
        // No point waiting for more while the readers are held back by the cap.
        m_nutzer.wait_until(sperre, bis, [&] {
            return m_verfuegbar >= los || ende() || (m_verfuegbar > 0 && m_gepuffert >= hoechstensGepuffert);
        });
        m_nutzerWartetKurz = true;
        m_nutzer.wait(sperre, [&] { return m_verfuegbar > 0 || ende(); });
        m_nutzerWartet = m_nutzerWartetKurz = false;
        if (m_fehler)
            std::rethrow_exception(std::exchange(m_fehler, nullptr));

        // A lot in the caller's hands counts against no cap, so it stays small too.
        size_t genommen = 0;
        while (Knoten* k = m_vorne) {
            while (!k->portionen.empty() && genommen < hoechstensGenommen) {
                const size_t einheiten = k->portionen.front().eintraege.size() + 1;
                ziel.push_back(std::move(k->portionen.front()));
                k->portionen.pop_front();
                k->gepuffert -= einheiten;
                genommen += einheiten;
            }
            if (k == m_grenze || !k->portionen.empty())
                break;  // still being read, or enough for now
            m_vorne = k->naechster;
            austragen(k);
        }
        m_verfuegbar -= genommen;
        m_gepuffert -= genommen;
        // Room again, or the directory needed next may now be started.
        if (m_wartendeLeser > 0)
            m_arbeit.notify_all();
        return !ziel.empty() || m_vorne != nullptr;
    }

    // Stops reading; every enumeration is closed when this returns.
    void anhalten()
    {
        {
            std::lock_guard sperre(m_sperre);
            m_halt = true;
        }
        m_halten.store(true, std::memory_order_relaxed);
        m_arbeit.notify_all();
        for (std::thread& f : m_faeden)
            if (f.joinable())
                f.join();
    }

private:
    static constexpr size_t portionsgroesse = 4096;
    static constexpr size_t los = 4096;
    static constexpr size_t hoechstensGepuffert = 65536;
    static constexpr size_t hoechstensGenommen = 16384;
    static constexpr size_t nachschub = 32768;

    bool ende() const { return m_fertig || m_fehler != nullptr; }

    void merken(Knoten* k)
    {
        if (k->kennung.geraet != 0 || k->kennung.inode != 0)
            ++m_kennungen[k->kennung];
        if (k->eltern)
            ++k->eltern->kinder;
    }

    // A node leaves the list; it and its ancestors are freed once nothing refers to them.
    void austragen(Knoten* k)
    {
        k->gelistet = false;
        while (k && !k->gelistet && k->kinder == 0) {
            if (k->kennung.geraet != 0 || k->kennung.inode != 0) {
                auto it = m_kennungen.find(k->kennung);
                if (--it->second == 0)
                    m_kennungen.erase(it);
            }
            Knoten* e = k->eltern;
            delete k;
            if (e)
                --e->kinder;
            k = e;
        }
    }

    // A directory whose identity is already on the path from the root is a link back up.
    bool aufPfad(const Knoten* von, const Kennung& k) const
    {
        if ((k.geraet == 0 && k.inode == 0) || !m_kennungen.count(k))
            return false;
        for (const Knoten* a = von; a; a = a->eltern)
            if (a->kennung == k)
                return true;
        return false;
    }

    // Under the lock: hands over a portion of `k`, waiting first while too much lies ready,
    // unless `k` is needed next or this is the last reader still free.
    void abgeben(std::unique_lock<std::mutex>& sperre, Knoten* k, Portion&& p)
    {
        auto darfWarten = [&] {
            return !m_halt && m_gepuffert >= hoechstensGepuffert && k != m_vorne &&
                   m_blockierteLeser + 1 < m_leser;
        };
        if (darfWarten()) {
            ++m_blockierteLeser;
            ++m_wartendeLeser;
            m_arbeit.wait(sperre, [&] {
                return m_halt || m_gepuffert < hoechstensGepuffert || k == m_vorne;
            });
            --m_wartendeLeser;
            --m_blockierteLeser;
        }
        const size_t einheiten = p.eintraege.size() + 1;
        k->portionen.push_back(std::move(p));
        k->gepuffert += einheiten;
        m_gepuffert += einheiten;
        if (k == m_grenze) {
            m_verfuegbar += einheiten;
            wecken();
        }
    }

    void wecken()
    {
        if (m_nutzerWartet && (m_verfuegbar >= los || m_nutzerWartetKurz || ende()))
            m_nutzer.notify_one();
    }

    // `vorrat`: how much may lie ready before this reader starts no further directory. The
    // first reader fills the whole read-ahead; the others only help while it runs short, so
    // when the caller is the slow side (a window appending lines) they leave it the cores.
    void arbeiten(size_t vorrat)
    {
        try {
            std::unique_lock sperre(m_sperre);
            for (;;) {
                ++m_wartendeLeser;
                m_arbeit.wait(sperre, [&] {
                    return m_halt || m_fertig ||
                           (!m_offen.empty() && (m_gepuffert < vorrat || m_offen.back() == m_vorne));
                });
                --m_wartendeLeser;
                if (m_halt || m_fertig)
                    return;
                Knoten* k = m_offen.back();
                m_offen.pop_back();
                k->stand = Knoten::lesend;
                ++m_lesende;
                lesen(sperre, k);
                --m_lesende;
                if (m_halt)
                    return;
                if (m_offen.empty() && m_lesende == 0) {
                    m_fertig = true;
                    m_nutzer.notify_one();
                    m_arbeit.notify_all();
                }
            }
        } catch (...) {
            std::lock_guard sperre(m_sperre);
            if (!m_fehler)
                m_fehler = std::current_exception();
            m_halt = true;
            m_halten.store(true, std::memory_order_relaxed);
            m_arbeit.notify_all();
            m_nutzer.notify_one();
        }
    }

    // Reads one directory; called and returning with the lock held, which is let go meanwhile.
    void lesen(std::unique_lock<std::mutex>& sperre, Knoten* k);

    Dateisystem& m_ds;
    const Laufauftrag m_auftrag;
    const QChar m_trenner;
    const bool m_einDurchgang;  // the mask takes every name: the file pass sees every subdirectory
    int m_leser = 1;
    std::vector<std::thread> m_faeden;
    std::atomic<bool> m_halten{false};  // read without the lock once per file

    std::mutex m_sperre;
    std::condition_variable m_nutzer, m_arbeit;
    Knoten* m_vorne = nullptr;   // the walk's order: every directory not yet taken
    Knoten* m_grenze = nullptr;  // first listed directory not completely read
    std::vector<Knoten*> m_offen;  // unread directories, the first in the walk's order last
    std::unordered_map<Kennung, int, KennungHash> m_kennungen;  // identities of live nodes
    size_t m_gepuffert = 0;
    size_t m_verfuegbar = 0;     // units up to and including m_grenze
    int m_lesende = 0;
    int m_wartendeLeser = 0;
    int m_blockierteLeser = 0;
    bool m_halt = false;
    bool m_fertig = false;
    bool m_nutzerWartet = false;
    bool m_nutzerWartetKurz = false;
    std::exception_ptr m_fehler;
};

void Vorleser::lesen(std::unique_lock<std::mutex>& sperre, Knoten* k)
{
    const bool versteckt = m_auftrag.versteckt;
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

    Portion p;
    p.neuesVerzeichnis = true;
    p.ebene = k->ebene;
    p.anzeige = k->anzeige;
    bool gestoppt = false;
    sperre.unlock();
    const bool lesbar = m_ds.auflisten(k->roh, m_auftrag.maske, false, [&](const Dateidaten& d) {
        if (m_halten.load(std::memory_order_relaxed)) {
            gestoppt = true;
            return false;
        }
        if (d.attribute & faDirectory) {
            if (m_einDurchgang)
                unterverzeichnis(d);
            return true;
        }
        p.eintraege.push_back(Eintrag{static_cast<quint32>(p.namen.size()), static_cast<quint32>(d.rohname.size()),
                                      d.attribute, d.groesse, d.schreibzeit});
        p.namen.append(d.rohname.constData(), static_cast<size_t>(d.rohname.size()));
        if (p.eintraege.size() >= portionsgroesse) {
            Portion weiter;
            weiter.anzeige = k->anzeige;
            weiter.ebene = k->ebene;
            std::unique_lock wieder(m_sperre);
            abgeben(wieder, k, std::exchange(p, std::move(weiter)));
            if (m_halt) {
                gestoppt = true;
                return false;
            }
        }
        return true;
    });
    if (gestoppt) {
        sperre.lock();
        return;
    }

    // Collected first and closed, so no directory stays open while its subtree is read.
    if (lesbar && m_auftrag.unterverzeichnisse && !m_einDurchgang)
        m_ds.auflisten(k->roh, QStringLiteral("*.*"), true, [&](const Dateidaten& d) {
            unterverzeichnis(d);
            return !m_halten.load(std::memory_order_relaxed);
        });

    std::vector<Knoten*> neu;
    if (lesbar && m_auftrag.unterverzeichnisse && !unter.empty()) {
        QByteArray basis = k->roh;
        const char trennbyte = static_cast<char>(m_trenner.unicode());
        if (!basis.endsWith(trennbyte))
            basis += trennbyte;
        neu.reserve(unter.size());
        for (size_t i = 0; i < unter.size(); ++i) {
            auto* u = new Knoten;
            u->roh = basis + unter[i];
            u->anzeige = k->anzeige + QString::fromUtf8(unter[i]) + m_trenner;
            u->ebene = k->ebene + 1;
            u->kennung = kennungen[i];
            if (u->kennung.inode == 0 && u->kennung.geraet == 0)
                m_ds.kennung(u->roh, &u->kennung.geraet, &u->kennung.inode);
            u->eltern = k;
            neu.push_back(u);
        }
    }

    p.lesbar = lesbar;
    sperre.lock();
    abgeben(sperre, k, std::move(p));
    if (m_halt) {
        for (Knoten* u : neu)
            delete u;
        return;
    }

    // The subtree comes right after the directory, before anything that was already known.
    Knoten* davor = k;
    Knoten* danach = k->naechster;
    std::vector<Knoten*> aufgenommen;
    for (Knoten* u : neu) {
        if (aufPfad(k, u->kennung)) {
            delete u;
            continue;
        }
        merken(u);
        davor->naechster = u;
        davor = u;
        aufgenommen.push_back(u);
    }
    davor->naechster = danach;
    for (size_t i = aufgenommen.size(); i-- > 0;)
        m_offen.push_back(aufgenommen[i]);

    k->stand = Knoten::gelesen;
    if (k == m_grenze) {
        m_grenze = k->naechster;
        while (m_grenze && m_grenze->stand == Knoten::gelesen) {
            m_verfuegbar += m_grenze->gepuffert;
            m_grenze = m_grenze->naechster;
        }
        if (m_offen.empty() && m_lesende == 1)
            m_fertig = true;
        wecken();
    }
    if (!aufgenommen.empty() && m_wartendeLeser > 0)
        m_arbeit.notify_all();
}

}  // namespace

void verzeichnislauf(const Laufauftrag& auftrag, Suchzustand& z, Dateiempfaenger& empfaenger,
                     const std::function<bool()>& abgebrochen)
{
    auto abbruch = [&] { return abgebrochen && abgebrochen(); };
    int leser = auftrag.leser;
    if (leser <= 0)
        leser = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 3u));
    Vorleser vorleser(dateisystem(), auftrag, leser);

    std::vector<Portion> lot;
    Dateidaten d;
    bool erstes = true;
    bool gestoppt = false;
    while (!gestoppt && vorleser.naechste(lot)) {
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
    vorleser.anhalten();
}
