#include "platform/linux/netz/smb_dateisystem.h"

#include "platform/linux/netz/linux_netz.h"
#include "platform/linux/netz/smbleser.h"
#include "platform/maske.h"
#include "platform/namensfolge.h"
#include "platform/nachrichten.h"

#include <QHostAddress>

extern "C" {
#include <libsmbclient.h>
}

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace plattform {

using namespace std::chrono;

namespace {

// What the callback of libsmbclient reads; shared with every thread's context, so a context that
// outlives its file system never points at freed memory.
struct Anmeldespeicher {
    std::mutex sperre;
    QMap<QString, Anmeldung> eintraege;  // "ADDRESS/SHARE" → credentials
};

QString schluessel(const QString& adresse, const QString& freigabe)
{
    return adresse + u'/' + freigabe.toUpper();
}

void anmeldedaten(SMBCCTX* ctx, const char* server, const char* freigabe, char* wg, int wglen, char* un, int unlen,
                  char* pw, int pwlen)
{
    auto* speicher = static_cast<Anmeldespeicher*>(smbc_getOptionUserData(ctx));
    Anmeldung a;  // none stored: guest
    if (speicher && server && freigabe) {
        std::lock_guard s(speicher->sperre);
        a = speicher->eintraege.value(schluessel(QString::fromUtf8(server), QString::fromUtf8(freigabe)));
    }
    smbleser::anmeldungEintragen(a, wg, wglen, un, unlen, pw, pwlen);
}

// The calling thread's context, kept so that its server connections serve every directory the
// thread lists. Used only under smbSperre.
struct Threadkontext {
    SMBCCTX* ctx = nullptr;
    std::shared_ptr<Anmeldespeicher> speicher;
    Threadkontext() = default;
    Q_DISABLE_COPY_MOVE(Threadkontext)
    ~Threadkontext()
    {
        std::lock_guard sperre(smbSperre());
        freigeben();
    }
    void freigeben()
    {
        if (ctx)
            smbc_free_context(ctx, 1);
        ctx = nullptr;
    }
};
thread_local Threadkontext t_kontext;

SMBCCTX* kontextFuer(const std::shared_ptr<Anmeldespeicher>& speicher, int zeitMs)
{
    Threadkontext& t = t_kontext;
    // Another timeout is set, not a reason for a new context: freeing one logs off from every
    // server it knows, and a gone one holds that up. It applies to connections still to be made.
    if (t.ctx && t.speicher == speicher) {
        smbc_setTimeout(t.ctx, zeitMs);
        return t.ctx;
    }
    t.freigeben();
    SMBCCTX* ctx = smbleser::kontextAnlegen(zeitMs, anmeldedaten, speicher.get());
    if (!ctx)
        return nullptr;
    t.ctx = ctx;
    t.speicher = speicher;
    return ctx;
}

// One store per file system object; contexts still using it keep it alive.
std::mutex& speicherSperre()
{
    static std::mutex sperre;
    return sperre;
}
std::map<const SmbDateisystem*, std::shared_ptr<Anmeldespeicher>>& speicherListe()
{
    static std::map<const SmbDateisystem*, std::shared_ptr<Anmeldespeicher>> liste;
    return liste;
}

std::shared_ptr<Anmeldespeicher> speicherVon(const SmbDateisystem* fs)
{
    std::lock_guard s(speicherSperre());
    auto& p = speicherListe()[fs];
    if (!p)
        p = std::make_shared<Anmeldespeicher>();
    return p;
}

// Servers whose port did not answer, with the time: directories on them fail at once for a while,
// so a walk over a vanished server does not wait once per directory.
struct Erreichbarkeit {
    std::mutex sperre;
    QMap<QString, steady_clock::time_point> tot;
    QSet<QString> geprueft;
};
Erreichbarkeit& erreichbarkeit()
{
    static Erreichbarkeit e;
    return e;
}
constexpr auto totFuer = seconds(10);

// The walk lists a directory twice, for its files and then for its subdirectories. Over the network
// the second listing would cost a round trip per directory: the thread keeps the subdirectories
// its last full listing saw, for the very next question about that directory.
struct LetzteListe {
    const void* besitzer = nullptr;
    QByteArray pfad;
    steady_clock::time_point zeit;
    std::vector<Dateidaten> verzeichnisse;
    bool gueltig = false;
};
thread_local LetzteListe t_letzte;
constexpr auto letzteGiltFuer = seconds(2);

// The "device" of every entry on one share; never 0, which means "unknown".
quint64 freigabekennung(const Netzpfad& p)
{
    return qHash(p.freigabepfad().toUpper()) | 1;
}

QByteArray urlTeil(const QString& s)
{
    // libsmbclient decodes %XX in the URL: every name byte outside the plain set is escaped.
    return s.toUtf8().toPercentEncoding("/");
}

}  // namespace

struct SmbDateisystem::Ziel {
    Netzpfad pfad;
    QString adresse;
    QByteArray url;
};

SmbDateisystem::SmbDateisystem(Adressfrage adresse, milliseconds zeit)
    : m_adresseFrage(std::move(adresse)), m_zeit(zeit)
{
    speicherVon(this);
}

SmbDateisystem::~SmbDateisystem()
{
    // A later object at the same address must not find this one's credentials.
    std::lock_guard s(speicherSperre());
    speicherListe().erase(this);
}

std::optional<Anmeldung> SmbDateisystem::anmeldungFuer(const QString& adresse, const QString& freigabe) const
{
    const auto halter = speicherVon(this);
    Anmeldespeicher& sp = *halter;
    std::lock_guard s(sp.sperre);
    const auto it = sp.eintraege.constFind(schluessel(adresse, freigabe));
    if (it == sp.eintraege.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<SmbDateisystem::Ziel> SmbDateisystem::ziel(const QString& pfad) const
{
    auto np = Netzpfad::lesen(pfad);
    if (!np || !np->vollstaendig())
        return std::nullopt;
    QString adresse;
    const QHostAddress direkt(np->computer);
    if (!direkt.isNull() && direkt.protocol() == QAbstractSocket::IPv4Protocol) {
        adresse = direkt.toString();
    } else {
        const QString name = np->computer.toUpper();
        {
            std::lock_guard s(m_sperre);
            adresse = m_adressen.value(name);
        }
        if (adresse.isEmpty() && m_adresseFrage) {
            adresse = m_adresseFrage(np->computer);
            const QHostAddress geprueft(adresse);
            if (geprueft.isNull() || geprueft.protocol() != QAbstractSocket::IPv4Protocol)
                adresse.clear();
            if (!adresse.isEmpty()) {
                std::lock_guard s(m_sperre);
                m_adressen.insert(name, adresse);
            }
        }
    }
    if (adresse.isEmpty())
        return std::nullopt;
    QByteArray url = "smb://" + adresse.toLatin1() + '/' + urlTeil(np->freigabe);
    if (!np->rest.isEmpty())
        url += '/' + urlTeil(np->rest);
    return Ziel{*np, adresse, url};
}

namespace {

// Whether the server may be asked: port 445 is checked before a thread first talks to it, and a
// server that failed lately fails at once. Without the lock: the check may take its time.
bool erreichbar(const QString& adresse, milliseconds zeit, int& fehler)
{
    Erreichbarkeit& e = erreichbarkeit();
    {
        std::lock_guard s(e.sperre);
        const auto it = e.tot.constFind(adresse);
        if (it != e.tot.constEnd()) {
            if (steady_clock::now() - *it < totFuer) {
                fehler = EHOSTUNREACH;
                return false;
            }
            e.tot.erase(it);
        }
        if (e.geprueft.contains(adresse))
            return true;
    }
    // libsmbclient's own connect waits up to 10 s for a host that drops packets.
    const bool offen = portOffen(QHostAddress(adresse), 445, std::min(zeit, milliseconds(500)));
    std::lock_guard s(e.sperre);
    if (!offen) {
        e.tot.insert(adresse, steady_clock::now());
        fehler = EHOSTUNREACH;
        return false;
    }
    e.geprueft.insert(adresse);
    return true;
}

// A request failed with `fehler`: when the server is gone, the next directory checks the port
// again (and fails fast for a while).
void fehlerMerken(const QString& adresse, int fehler)
{
    if (fehler == ETIMEDOUT || fehler == ECONNREFUSED || fehler == ECONNRESET || fehler == EHOSTUNREACH
        || fehler == ENETUNREACH || fehler == EPIPE) {
        Erreichbarkeit& e = erreichbarkeit();
        std::lock_guard s(e.sperre);
        e.geprueft.remove(adresse);
        if (fehler != ECONNRESET && fehler != EPIPE)
            e.tot.insert(adresse, steady_clock::now());
    }
}

// On the user-interface thread the work goes to a worker, and the window stays painted while it
// waits; elsewhere it runs right here. The worker is not joined: when it ends, its libsmbclient
// context is freed, which may wait on a server that is gone.
template <typename F>
auto nebenher(F&& arbeit)
{
    if (!imOberflaechenfaden())
        return arbeit();
    using Ergebnis = decltype(arbeit());
    struct Stand {
        std::mutex sperre;
        std::condition_variable fertig;
        std::atomic<bool> da = false;  // atomic too: the sanitizer loses the mutex across a timed wait
        std::optional<Ergebnis> ergebnis;
        std::exception_ptr fehler;
    };
    auto stand = std::make_shared<Stand>();
    // `arbeit` lives until this call returns, and the worker touches it only before `da`.
    std::thread([stand, &arbeit] {
        std::optional<Ergebnis> e;
        std::exception_ptr f;
        try {
            e.emplace(arbeit());
        } catch (...) {
            f = std::current_exception();
        }
        {
            std::lock_guard s(stand->sperre);
            stand->ergebnis = std::move(e);
            stand->fehler = f;
            stand->da.store(true);
        }
        stand->fertig.notify_all();
    }).detach();
    std::unique_lock s(stand->sperre);
    while (!stand->fertig.wait_for(s, milliseconds(10), [&] { return stand->da.load(); })) {
        s.unlock();
        anzeigeErhalten();
        s.lock();
    }
    if (stand->fehler)
        std::rethrow_exception(stand->fehler);
    return std::move(*stand->ergebnis);
}

}  // namespace

int SmbDateisystem::anfrage(const Ziel& z, smbleser::Art art, bool nurVerzeichnisse,
                            std::vector<Dateidaten>& aus) const
{
    const auto anfang = steady_clock::now();
    int fehler = 0;
    if (!erreichbar(z.adresse, m_zeit, fehler))
        return fehler;
    // A check answers a click: the port check and starting the helper come out of its timeout, so
    // a server that accepts and stays silent is reported within the timeout, not just after it.
    milliseconds zeit = m_zeit;
    if (art == smbleser::Art::pruefen)
        zeit = std::max(std::min(m_zeit, milliseconds(1000)),
                        m_zeit - milliseconds(300) - duration_cast<milliseconds>(steady_clock::now() - anfang));
    // In a helper process where one can run (several directories in flight at once, and one that
    // hangs can be killed), else here under the lock.
    const smbleser::Auftrag auftrag{z.url, qint32(zeit.count()), nurVerzeichnisse,
                                    anmeldungFuer(z.adresse, z.pfad.freigabe), art};
    const QHostAddress server(z.adresse);
    std::optional<int> r = smbleser::imHelfer(auftrag, aus, zeit + seconds(2), [server, this] {
        return portOffen(server, 445, std::min(m_zeit, milliseconds(500)));
    });
    if (!r) {
        std::lock_guard sperre(smbSperre());
        SMBCCTX* ctx = kontextFuer(speicherVon(this), int(zeit.count()));
        r = ctx ? smbleser::ausfuehren(ctx, auftrag, aus) : ENOMEM;
    }
    if (*r)
        fehlerMerken(z.adresse, *r);
    return *r;
}

bool SmbDateisystem::auflisten(const QByteArray& verzeichnis, const QString& maske, bool nurVerzeichnisse,
                               const std::function<bool(const Dateidaten&)>& jeEintrag) const
{
    LetzteListe& letzte = t_letzte;
    if (nurVerzeichnisse && letzte.gueltig && letzte.besitzer == this && letzte.pfad == verzeichnis
        && steady_clock::now() - letzte.zeit < letzteGiltFuer) {
        letzte.gueltig = false;
        const std::vector<Dateidaten> v = std::move(letzte.verzeichnisse);
        const Maske m(maske);
        for (const Dateidaten& d : v)
            if ((m.allesPasst() || m.passtRoh(d.rohname.constData(), d.rohname.size())) && !jeEintrag(d))
                break;
        return true;
    }
    letzte.gueltig = false;
    letzte.verzeichnisse.clear();

    // Read whole, then handed on here, as a caller may wait for another thread.
    std::optional<Ziel> z;
    std::vector<Dateidaten> gelesen;
    const bool gut = nebenher([&] {
        z = ziel(QString::fromUtf8(verzeichnis));
        return z && anfrage(*z, smbleser::Art::lesen, nurVerzeichnisse, gelesen) == 0;
    });
    if (!gut)
        return false;
    // The subdirectories are kept for the walk's second question, unless a caller stops early.
    letzte.gueltig = !nurVerzeichnisse;
    if (letzte.gueltig) {
        letzte.besitzer = this;
        // A copy of its own: sharing the walk's buffer would let the thread drop the last reference
        // to a path another thread freed its node of (ThreadSanitizer cannot see Qt's own count).
        letzte.pfad = QByteArray(verzeichnis.constData(), verzeichnis.size());
        letzte.zeit = steady_clock::now();
    }
    // A Samba server hands out hash order too.
    inNamensfolge(gelesen);
    const Maske m(maske);
    const bool alles = m.allesPasst();
    const quint64 geraet = freigabekennung(z->pfad);
    for (Dateidaten& d : gelesen) {
        d.geraet = d.inode ? geraet : 0;
        if ((d.attribute & faDirectory) && !nurVerzeichnisse)
            letzte.verzeichnisse.push_back(d);
        if ((alles || m.passtRoh(d.rohname.constData(), d.rohname.size())) && !jeEintrag(d)) {
            letzte.gueltig = false;
            break;
        }
    }
    return true;
}

std::optional<Kennung> SmbDateisystem::kennung(const QByteArray& pfad) const
{
    return nebenher([&]() -> std::optional<Kennung> {
        const auto z = ziel(QString::fromUtf8(pfad));
        std::vector<Dateidaten> e;
        if (!z || anfrage(*z, smbleser::Art::kennung, false, e) != 0 || e.empty() || !e.front().inode)
            return std::nullopt;
        return Kennung{freigabekennung(z->pfad), e.front().inode};
    });
}

QString SmbDateisystem::arbeitsverzeichnis() const
{
    return m_arbeitsverzeichnis;
}

int SmbDateisystem::verzeichnisPruefen(const Ziel& z, bool fragen)
{
    const int fehler = nebenher([&] {
        std::vector<Dateidaten> nichts;
        return anfrage(z, smbleser::Art::pruefen, false, nichts);
    });
    if ((fehler != EACCES && fehler != EPERM) || !fragen)
        return fehler;
    // A folder closed to a guest on a share that opens to one needs no log-in: asking would name
    // the wrong cause.
    if (!z.pfad.rest.isEmpty())
        if (const auto freigabe = nebenher([&] { return ziel(z.pfad.freigabepfad()); });
            freigabe && verzeichnisPruefen(*freigabe, false) == 0)
            return fehler;
    // Guest and Kerberos were refused: ask once, here, and keep the answer only when it works.
    const auto antwort = anmeldungErfragen(z.pfad.freigabepfad());
    if (!antwort)
        return fehler;
    const auto halter = speicherVon(this);
    Anmeldespeicher& sp = *halter;
    const QString k = schluessel(z.adresse, z.pfad.freigabe);
    std::optional<Anmeldung> vorher;
    {
        std::lock_guard s(sp.sperre);
        if (sp.eintraege.contains(k))
            vorher = sp.eintraege.value(k);
        sp.eintraege.insert(k, *antwort);
    }
    const int zweiter = verzeichnisPruefen(z, false);
    if (zweiter != 0) {
        std::lock_guard s(sp.sperre);
        if (vorher)
            sp.eintraege.insert(k, *vorher);
        else
            sp.eintraege.remove(k);
    }
    return zweiter;
}

int SmbDateisystem::setzeArbeitsverzeichnis(const QString& pfad)
{
    const auto z = nebenher([&] { return ziel(pfad); });
    // A computer without a share, or one whose address is unknown: the network path is not there.
    if (!z)
        return Netzpfad::lesen(pfad) ? EHOSTUNREACH : ENOENT;
    if (const int fehler = verzeichnisPruefen(*z, true))
        return fehler;
    m_arbeitsverzeichnis = z->pfad.text();
    return 0;
}

int SmbDateisystem::dateiSchreiben(const QString& pfad, const QByteArray& daten)
{
    return nebenher([&] { return schreiben(pfad, daten); });
}

int SmbDateisystem::schreiben(const QString& pfad, const QByteArray& daten) const
{
    const auto z = ziel(pfad);
    if (!z || z->pfad.rest.isEmpty())
        return ENOENT;
    int nicht = 0;
    if (!erreichbar(z->adresse, m_zeit, nicht))
        return nicht;
    std::lock_guard sperre(smbSperre());
    SMBCCTX* ctx = kontextFuer(speicherVon(this), int(m_zeit.count()));
    if (!ctx)
        return ENOMEM;
    // Written beside the file and renamed over it, so a failed write leaves the old one whole.
    const QByteArray neu = z->url + ".~neu";
    errno = 0;
    SMBCFILE* f = smbc_getFunctionCreat(ctx)(ctx, neu.constData(), 0644);
    if (!f)
        return errno ? errno : EACCES;
    qsizetype geschrieben = 0;
    int fehler = 0;
    while (geschrieben < daten.size()) {
        errno = 0;
        const ssize_t n = smbc_getFunctionWrite(ctx)(ctx, f, daten.constData() + geschrieben,
                                                   size_t(daten.size() - geschrieben));
        if (n <= 0) {
            fehler = errno ? errno : EIO;
            break;
        }
        geschrieben += n;
    }
    errno = 0;
    if (smbc_getFunctionClose(ctx)(ctx, f) != 0 && !fehler)
        fehler = errno ? errno : EIO;
    if (!fehler) {
        errno = 0;
        if (smbc_getFunctionRename(ctx)(ctx, neu.constData(), ctx, z->url.constData()) != 0)
            fehler = errno ? errno : EIO;
    }
    if (fehler)
        smbc_getFunctionUnlink(ctx)(ctx, neu.constData());
    return fehler;
}

}  // namespace plattform
