#include "listing/verzeichnislauf.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <stop_token>
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

bool bekannt(const Kennung& k)
{
    return k.geraet != 0 || k.inode != 0;
}

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
    QByteArray roh;   // the directory's path bytes, on its first portion
    std::vector<Eintrag> eintraege;
    std::string namen;

    size_t einheiten() const { return eintraege.size() + 1; }
};

// A directory known to the walk. Path, level, identity and parent are fixed when it is made
// (the root's identity by its reader, under the lock, before any node refers to it); everything
// else belongs to the lock.
struct Knoten {
    enum Stand { offen, lesend, gelesen };

    QByteArray roh;       // path bytes handed to the platform
    QString anzeige;      // path as shown, with trailing separator
    int ebene = 0;
    Kennung kennung{0, 0};
    Knoten* eltern = nullptr;

    Stand stand = offen;
    std::deque<Portion> portionen;  // handed over, not yet taken
    size_t gepuffert = 0;           // their units
    Knoten* naechster = nullptr;    // next in the walk's order while listed
    bool gelistet = true;
    int kinder = 0;                 // children still alive; they look up the path through us
};

// Reads the tree ahead on worker threads and hands it to the walk strictly in the walk's order.
//
// The known directories form one list in that order, starting with the one the walk needs next
// (the front). Readers only ever start the first unread directory of that list, and only while
// few directories and little data lie ahead of the walk; the front they may always start. A
// reader waits only while its own directory holds a full buffer, which the walk drains once that
// directory is the front. The walk waits only for the front: if it is being read, its reader
// gets on; a free reader starts it at once; a busy one becomes free; and if every reader waits
// for room further on, one more reader is started for it (each waiting reader holds a started
// directory, so the window bounds their number). So the directory needed next is always read,
// whatever the tree, the number of readers or the limits, and the walk itself never blocks in
// a directory: while it waits it can let the window's messages through.
class Vorleser {
public:
    using Verarbeiter = std::function<bool(const Portion&)>;
    using Warten = std::function<bool()>;

    Vorleser(const Dateisystem& ds, const Laufauftrag& auftrag, int leser)
        : m_ds(ds),
          m_auftrag(auftrag),
          m_g(gueltig(auftrag.grenzen)),
          m_trenner(trennerVon(auftrag.wurzel)),
          m_einDurchgang(auftrag.unterverzeichnisse && Maske(auftrag.maske).allesPasst())
    {
        auto w = std::make_unique<Knoten>();
        w->anzeige = mitTrenner(m_auftrag.wurzel);
        w->roh = QFile::encodeName(m_auftrag.wurzel);
        // Its identity is asked by the reader: a network root or a dead mount may keep the
        // question waiting, and this thread has a window to keep answering.
        merken(w.get());
        m_vorne = w.release();

        std::lock_guard sperre(m_sperre);
        for (int i = 0; i < std::max(leser, 1); ++i)
            leserStarten();
    }

    Q_DISABLE_COPY_MOVE(Vorleser)
    ~Vorleser()
    {
        anhalten();
        while (Knoten* k = m_vorne) {
            m_vorne = k->naechster;
            austragen(k);
        }
    }

    // Hands every portion to `verarbeiten` in the walk's order, until everything is handed over
    // or it answers false. While it waits for a reader, `warten` is called every 20 ms; false
    // from it ends the walk too.
    void laufen(const Verarbeiter& verarbeiten, const Warten& warten)
    {
        std::vector<Portion> lot;
        for (;;) {
            {
                std::unique_lock sperre(m_sperre);
                for (;;) {
                    if (m_fehler)
                        std::rethrow_exception(m_fehler);
                    nehmen(lot);
                    if (!lot.empty())
                        break;
                    Knoten* k = m_vorne;
                    if (!k)
                        return;
                    if (k->stand == Knoten::offen) {
                        if (alleWartenAufRaum())
                            leserStarten();
                        else
                            m_arbeit.notify_all();
                    }
                    m_nutzerWartet = true;
                    const bool weiter = m_nutzer.wait_for(sperre, std::chrono::milliseconds(20), [&] {
                        return m_fehler || !k->portionen.empty() || k->stand == Knoten::gelesen ||
                               (k->stand == Knoten::offen && alleWartenAufRaum());
                    });
                    m_nutzerWartet = false;
                    if (!weiter && warten) {
                        sperre.unlock();
                        const bool nochmal = warten();
                        sperre.lock();
                        if (!nochmal)
                            return;
                    }
                }
            }
            for (const Portion& p : lot)
                if (!verarbeiten(p))
                    return;
            lot.clear();
        }
    }

    // Stops the readers; every enumeration is closed when this returns.
    void anhalten()
    {
        for (std::jthread& f : m_faeden)
            f.request_stop();
        m_faeden.clear();
    }

private:
    static Vorlesegrenzen gueltig(Vorlesegrenzen g)
    {
        g.portion = std::max<size_t>(g.portion, 1);
        g.verzeichnisse = std::max<size_t>(g.verzeichnisse, 1);
        g.jeVerzeichnis = std::max<size_t>(g.jeVerzeichnis, 1);
        g.los = std::max<size_t>(g.los, 1);
        return g;
    }

    // Under the lock.
    void leserStarten() { m_faeden.emplace_back([this](std::stop_token halt) { arbeiten(halt); }); }
    bool alleWartenAufRaum() const { return m_raumWartende == static_cast<int>(m_faeden.size()); }

    void merken(Knoten* k)
    {
        if (bekannt(k->kennung))
            ++m_kennungen[k->kennung];
        if (k->eltern)
            ++k->eltern->kinder;
    }

    // A node leaves the list; it and its ancestors are freed once nothing refers to them.
    void austragen(Knoten* k)
    {
        k->gelistet = false;
        while (k && !k->gelistet && k->kinder == 0) {
            if (bekannt(k->kennung)) {
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
        if (!bekannt(k) || !m_kennungen.count(k))
            return false;
        for (const Knoten* a = von; a; a = a->eltern)
            if (a->kennung == k)
                return true;
        return false;
    }

    void beginnen(Knoten* k)
    {
        k->stand = Knoten::lesend;
        ++m_begonnen;
    }

    // The directory a free reader starts next: the front, or else the first unread one while
    // little lies ahead. Every node before the first unread one has been started, so this looks
    // at no more than `verzeichnisse` + 1 nodes.
    Knoten* startbar() const
    {
        Knoten* v = m_vorne;
        if (!v)
            return nullptr;
        if (v->stand == Knoten::offen)
            return v;
        if (m_begonnen >= m_g.verzeichnisse || m_gepuffert >= m_g.vorrat)
            return nullptr;
        for (Knoten* k = v->naechster; k; k = k->naechster)
            if (k->stand == Knoten::offen)
                return k;
        return nullptr;
    }

    // Under the lock: moves what lies ready at the front into `lot`, in order, and lets go of
    // directories that are read and taken.
    void nehmen(std::vector<Portion>& lot)
    {
        size_t genommen = 0;
        bool frei = false;
        while (Knoten* k = m_vorne) {
            while (!k->portionen.empty() && genommen < m_g.los) {
                Portion& p = k->portionen.front();
                const size_t n = p.einheiten();
                lot.push_back(std::move(p));
                k->portionen.pop_front();
                k->gepuffert -= n;
                m_gepuffert -= n;
                genommen += n;
                frei = true;
            }
            if (k->stand != Knoten::gelesen || !k->portionen.empty())
                break;
            m_vorne = k->naechster;
            --m_begonnen;
            austragen(k);
            frei = true;
        }
        if (frei && m_freieLeser + m_raumWartende > 0)
            m_arbeit.notify_all();
    }

    void arbeiten(std::stop_token halt)
    {
        try {
            std::unique_lock sperre(m_sperre);
            for (;;) {
                Knoten* k = nullptr;
                ++m_freieLeser;
                m_arbeit.wait(sperre, halt, [&] { return (k = startbar()) != nullptr; });
                --m_freieLeser;
                if (halt.stop_requested())
                    return;
                beginnen(k);
                sperre.unlock();
                const bool fertig = lesen(*k, halt);
                sperre.lock();
                if (!fertig)
                    return;
            }
        } catch (...) {
            std::lock_guard sperre(m_sperre);
            if (!m_fehler)
                m_fehler = std::current_exception();
            m_nutzer.notify_one();
        }
    }

    // A reader's portion of `k` goes into its buffer, once there is room. False when stopped.
    bool abgeben(Knoten& k, Portion&& p, std::stop_token& halt)
    {
        std::unique_lock sperre(m_sperre);
        if (k.gepuffert >= m_g.jeVerzeichnis) {
            ++m_raumWartende;
            if (m_nutzerWartet)
                m_nutzer.notify_one();
            m_arbeit.wait(sperre, halt, [&] { return k.gepuffert < m_g.jeVerzeichnis; });
            --m_raumWartende;
            if (halt.stop_requested())
                return false;
        }
        const size_t n = p.einheiten();
        k.portionen.push_back(std::move(p));
        k.gepuffert += n;
        m_gepuffert += n;
        if (&k == m_vorne && m_nutzerWartet)
            m_nutzer.notify_one();
        return true;
    }

    // Reads one directory without the lock, handing over its portions; then, under the lock,
    // puts its subdirectories into the list right after it. False when stopped.
    bool lesen(Knoten& k, std::stop_token& halt);

    const Dateisystem& m_ds;
    const Laufauftrag m_auftrag;
    const Vorlesegrenzen m_g;
    const QChar m_trenner;
    const bool m_einDurchgang;  // the mask takes every name: the file pass sees every subdirectory

    std::mutex m_sperre;
    std::condition_variable m_nutzer;
    std::condition_variable_any m_arbeit;
    Knoten* m_vorne = nullptr;   // the walk's order: every directory not yet taken
    std::unordered_map<Kennung, int, KennungHash> m_kennungen;  // identities of live nodes
    size_t m_begonnen = 0;       // listed nodes that are being read or read
    size_t m_gepuffert = 0;      // units in all buffers
    int m_freieLeser = 0;        // readers waiting for a directory to start
    int m_raumWartende = 0;      // readers waiting for room in their directory's buffer
    bool m_nutzerWartet = false;
    std::exception_ptr m_fehler;
    std::vector<std::jthread> m_faeden;  // last: stopped and joined before the rest goes
};

bool Vorleser::lesen(Knoten& k, std::stop_token& halt)
{
    if (!k.eltern && !bekannt(k.kennung)) {
        const Kennung wurzel = m_ds.kennung(k.roh).value_or(Kennung{});
        std::lock_guard sperre(m_sperre);
        k.kennung = wurzel;
        merken(&k);
    }
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
    p.ebene = k.ebene;
    p.anzeige = k.anzeige;
    p.roh = k.roh;
    bool gestoppt = false;
    const bool lesbar = m_ds.auflisten(k.roh, m_auftrag.maske, false, [&](const Dateidaten& d) {
        if (halt.stop_requested()) {
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
        if (p.eintraege.size() >= m_g.portion) {
            Portion weiter;
            weiter.anzeige = k.anzeige;
            weiter.ebene = k.ebene;
            if (!abgeben(k, std::exchange(p, std::move(weiter)), halt)) {
                gestoppt = true;
                return false;
            }
        }
        return true;
    });
    if (gestoppt)
        return false;

    // Collected first and closed, so no directory stays open while its subtree is read.
    if (lesbar && m_auftrag.unterverzeichnisse && !m_einDurchgang)
        m_ds.auflisten(k.roh, QStringLiteral("*.*"), true, [&](const Dateidaten& d) {
            unterverzeichnis(d);
            return !halt.stop_requested();
        });

    std::vector<std::unique_ptr<Knoten>> neu;
    if (lesbar && m_auftrag.unterverzeichnisse && !unter.empty()) {
        QByteArray basis = k.roh;
        const char trennbyte = static_cast<char>(m_trenner.unicode());
        if (!basis.endsWith(trennbyte))
            basis += trennbyte;
        neu.reserve(unter.size());
        for (size_t i = 0; i < unter.size(); ++i) {
            auto u = std::make_unique<Knoten>();
            u->roh = basis + unter[i];
            u->anzeige = k.anzeige + QString::fromUtf8(unter[i]) + m_trenner;
            u->ebene = k.ebene + 1;
            u->kennung = kennungen[i];
            if (!bekannt(u->kennung))
                u->kennung = m_ds.kennung(u->roh).value_or(Kennung{});
            u->eltern = &k;
            neu.push_back(std::move(u));
        }
    }

    p.lesbar = lesbar;
    if (!abgeben(k, std::move(p), halt))
        return false;

    std::lock_guard sperre(m_sperre);
    // The subtree comes right after the directory, before anything that was already known.
    Knoten* davor = &k;
    Knoten* const danach = k.naechster;
    bool aufgenommen = false;
    for (auto& u : neu) {
        if (aufPfad(&k, u->kennung))
            continue;
        merken(u.get());
        davor->naechster = u.release();
        davor = davor->naechster;
        aufgenommen = true;
    }
    davor->naechster = danach;
    k.stand = Knoten::gelesen;
    if (&k == m_vorne && m_nutzerWartet)
        m_nutzer.notify_one();
    if (aufgenommen && m_freieLeser > 0)
        m_arbeit.notify_all();
    return true;
}

}  // namespace

Laufauftrag laufauftragVon(const Suchkriterien& k)
{
    Laufauftrag a;
    a.wurzel = k.verzeichnis;
    a.maske = k.maske;
    a.unterverzeichnisse = k.unterverzeichnisse;
    a.versteckt = k.versteckt;
    return a;
}

void verzeichnislauf(const Laufauftrag& auftrag, Suchzustand& z, Dateiempfaenger& empfaenger,
                     const std::function<bool()>& abgebrochen, const std::function<void()>& zwischendurch)
{
    auto abbruch = [&] { return abgebrochen && abgebrochen(); };
    int leser = auftrag.leser;
    if (leser <= 0)
        leser = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 3u));
    Vorleser vorleser(dateisystemFuer(auftrag.wurzel), auftrag, leser);

    Dateidaten d;
    bool erstes = true;
    auto verarbeiten = [&](const Portion& p) {
        if (p.neuesVerzeichnis) {
            if (zwischendurch)
                zwischendurch();
            // No further directory is entered once the user has aborted.
            if (!erstes && abbruch())
                return false;
            erstes = false;
            ++z.durchsuchteVerzeichnisse;
            if (!p.lesbar) {
                ++z.unlesbareVerzeichnisse;
                if (p.ebene == 0)
                    z.wurzelUnlesbar = true;
                return true;
            }
            empfaenger.verzeichnisBetreten(p.anzeige, p.roh);
        }
        for (const Eintrag& e : p.eintraege) {
            d.rohname = QByteArray::fromRawData(p.namen.data() + e.name, e.laenge);
            d.attribute = e.attribute;
            d.groesse = e.groesse;
            d.schreibzeit = e.schreibzeit;
            empfaenger.datei(p.anzeige, d);
            if (abbruch())
                return false;
            ++z.gepruefteDateien;
        }
        return true;
    };
    // While a slow directory is awaited the window stays live and its abort button works.
    auto warten = [&] {
        if (!zwischendurch)
            return true;
        zwischendurch();
        return !abbruch();
    };
    vorleser.laufen(verarbeiten, warten);
}
