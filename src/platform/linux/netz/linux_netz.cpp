#include "platform/linux/netz/linux_netz.h"

#include "platform/linux/netz/protokolle.h"
#include "platform/linux/netz/smbleser.h"

#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

// Some declarations of this header lack C linkage.
extern "C" {
#include <libsmbclient.h>
}

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <algorithm>
#include <condition_variable>
#include <atomic>
#include <future>
#include <string>
#include <thread>

namespace plattform {
namespace {

using namespace std::chrono;

// Runs `arbeit` on a worker thread; the calling (user-interface) thread waits in slices short
// enough that the throttled message handler (30 ms) still runs well within 50 ms on a busy machine.
template <typename F>
auto inScheiben(F&& arbeit, const std::function<void()>& beimWarten)
{
    auto f = std::async(std::launch::async, std::forward<F>(arbeit));
    while (f.wait_for(milliseconds(10)) != std::future_status::ready)
        if (beimWarten)
            beimWarten();
    return f.get();
}

// As `inScheiben`, but a caller that lets nothing through (a worker thread) just runs it.
template <typename F>
auto bedient(F&& arbeit, const std::function<void()>& beimWarten)
{
    return beimWarten ? inScheiben(std::forward<F>(arbeit), beimWarten) : arbeit();
}

// getaddrinfo cannot be bounded, so it runs on a thread of its own that nobody waits for past
// `bis`; a late answer is dropped. Only a few may hang at once, so a dead resolver cannot
// pile up threads.
QHostAddress aufloesen(const QString& name, steady_clock::time_point bis, const std::function<void()>& beimWarten)
{
    static std::atomic<int> laufend{0};
    if (laufend.load() >= 8)
        return {};
    // Shared with the thread, which may outlive this call. The answer itself is atomic: the
    // sanitizer in Debian's GCC loses track of the mutex across a timed condition wait and
    // reports the flag as raced; the mutex only guards against a lost wake-up.
    struct Antwort {
        std::mutex sperre;
        std::condition_variable fertig;
        std::atomic<bool> da = false;
        std::atomic<quint32> adresse = 0;
    };
    auto antwort = std::make_shared<Antwort>();
    ++laufend;
    try {
        std::thread([antwort, n = name.toStdString()] {
            addrinfo hinweis{};
            hinweis.ai_family = AF_INET;
            hinweis.ai_socktype = SOCK_STREAM;
            addrinfo* ergebnis = nullptr;
            quint32 a = 0;
            if (getaddrinfo(n.c_str(), nullptr, &hinweis, &ergebnis) == 0) {
                if (ergebnis && ergebnis->ai_addr && ergebnis->ai_family == AF_INET)
                    a = ntohl(reinterpret_cast<const sockaddr_in*>(ergebnis->ai_addr)->sin_addr.s_addr);
                freeaddrinfo(ergebnis);
            }
            {
                std::lock_guard s(antwort->sperre);
                antwort->adresse.store(a, std::memory_order_relaxed);
                antwort->da.store(true, std::memory_order_release);
            }
            antwort->fertig.notify_all();
            --laufend;
        }).detach();
    } catch (const std::system_error&) {
        --laufend;
        return {};
    }
    while (steady_clock::now() < bis) {
        {
            std::unique_lock s(antwort->sperre);
            const auto bisZu = std::min(bis, steady_clock::now() + milliseconds(10));
            if (antwort->fertig.wait_until(s, bisZu, [&] { return antwort->da.load(std::memory_order_acquire); })) {
                const quint32 a = antwort->adresse.load(std::memory_order_relaxed);
                return a ? QHostAddress(a) : QHostAddress();
            }
        }
        if (beimWarten)
            beimWarten();
    }
    return {};
}

bool punktIPv4(const QString& name)
{
    in_addr a{};
    return inet_pton(AF_INET, name.toLatin1().constData(), &a) == 1 && QString::fromLatin1(name.toLatin1()) == name;
}

void anonym(SMBCCTX*, const char*, const char*, char*, int, char* un, int unlen, char* pw, int pwlen)
{
    if (unlen > 0)
        un[0] = '\0';
    if (pwlen > 0)
        pw[0] = '\0';
}

// One context per thread and call: libsmbclient contexts are not shared between threads. It owns
// the context, so it is neither copied nor moved. Callers hold smbSperre.
class Kontext {
public:
    explicit Kontext(int timeoutMs) : ctx(smbleser::kontextAnlegen(timeoutMs, anonym, nullptr)) {}
    Q_DISABLE_COPY_MOVE(Kontext)
    ~Kontext()
    {
        if (ctx)
            smbc_free_context(ctx, 1);
    }

    SMBCCTX* const ctx;
};

QString arbeitsgruppeAusSmbConf()
{
    QFile f(QStringLiteral("/etc/samba/smb.conf"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    bool global = false;
    for (int i = 0; i < 100000 && !f.atEnd(); ++i) {
        const QString z = QString::fromUtf8(f.readLine(4096)).trimmed();
        if (z.startsWith(u'['))
            global = z.compare(QLatin1String("[global]"), Qt::CaseInsensitive) == 0;
        else if (global && z.section(u'=', 0, 0).trimmed().compare(QLatin1String("workgroup"), Qt::CaseInsensitive) == 0)
            return z.section(u'=', 1).trimmed();
    }
    return {};
}

}  // namespace

const QString LinuxNetz::anbieter = QStringLiteral("SMB-Netzwerk");

std::mutex& smbSperre()
{
    static std::mutex sperre;
    return sperre;
}

bool portOffen(const QHostAddress& adresse, quint16 port, milliseconds zeit)
{
    bool ok = false;
    const quint32 v4 = adresse.toIPv4Address(&ok);
    if (!ok)
        return false;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(v4);
    bool offen = ::connect(fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
    if (!offen && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        const auto ende = steady_clock::now() + zeit;
        int r;
        do {
            const auto rest = duration_cast<milliseconds>(ende - steady_clock::now()).count();
            r = ::poll(&p, 1, int(std::max<qint64>(0, rest)));
        } while (r < 0 && errno == EINTR);
        int fehler = 0;
        socklen_t l = sizeof fehler;
        offen = r == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &fehler, &l) == 0 && fehler == 0;
    }
    ::close(fd);
    return offen;
}

QString eigeneArbeitsgruppe()
{
    std::lock_guard sperre(smbSperre());
    Kontext k(1000);
    QString wg;
    if (k.ctx && smbc_getWorkgroup(k.ctx))
        wg = QString::fromUtf8(smbc_getWorkgroup(k.ctx));
    if (wg.isEmpty())
        wg = arbeitsgruppeAusSmbConf();
    wg = erkundung::nameBereinigt(wg).toUpper();
    return wg.isEmpty() ? QStringLiteral("WORKGROUP") : wg;
}

std::optional<std::vector<Freigabe>> freigabenLesen(const QHostAddress& adresse, milliseconds zeit)
{
    const auto frist = steady_clock::now() + zeit;
    // libsmbclient's own connect waits up to 10 s for a host that drops packets.
    if (!portOffen(adresse, 445, std::min(zeit, milliseconds(300))))
        return std::nullopt;
    const int rest = int(std::max<qint64>(100, duration_cast<milliseconds>(frist - steady_clock::now()).count()));
    std::lock_guard sperre(smbSperre());
    Kontext k(rest);
    if (!k.ctx)
        return std::nullopt;
    const QByteArray url = "smb://" + adresse.toString().toUtf8() + "/";
    SMBCFILE* dir = smbc_getFunctionOpendir(k.ctx)(k.ctx, url.constData());
    if (!dir)
        return std::nullopt;
    std::vector<Freigabe> v;
    while (const smbc_dirent* e = smbc_getFunctionReaddir(k.ctx)(k.ctx, dir)) {
        if (v.size() >= 4096)
            break;
        if (e->smbc_type != SMBC_FILE_SHARE && e->smbc_type != SMBC_PRINTER_SHARE)
            continue;
        // `name` is declared as a one-byte array: pass a pointer, or only its first byte is read.
        const char* n = e->name;
        const QString roh = QString::fromUtf8(n, qsizetype(qstrnlen(n, std::max(1u, e->namelen) + 256)));
        // Hidden as Windows hides them; names we could not show or use are left out.
        if (roh.isEmpty() || roh.endsWith(u'$') || erkundung::nameBereinigt(roh) != roh)
            continue;
        v.push_back({roh, e->smbc_type == SMBC_PRINTER_SHARE});
    }
    smbc_getFunctionClosedir(k.ctx)(k.ctx, dir);
    return v;
}

LinuxNetz::LinuxNetz(milliseconds frist, milliseconds gueltig) : m_frist(frist), m_gueltig(gueltig) {}

const std::vector<erkundung::Arbeitsgruppe>& LinuxNetz::gruppen(const std::function<void()>& beimWarten)
{
    if (m_stand && steady_clock::now() - *m_stand < m_gueltig)
        return m_gruppen;
    const auto frist = steady_clock::now() + m_frist;
    auto [eigene, gruppen] = inScheiben(
        [frist] {
            if (!erkundung::schnittstelleDa())
                return std::pair(QString(), std::vector<erkundung::Arbeitsgruppe>());
            const QString eigene = eigeneArbeitsgruppe();
            return std::pair(eigene, erkundung::erkunden(eigene, frist));
        },
        beimWarten);
    m_eigene = eigene;
    m_gruppen = std::move(gruppen);
    m_freigaben.clear();
    m_stand = steady_clock::now();
    {
        std::lock_guard l(m_buch->sperre);
        for (const auto& g : m_gruppen)
            for (const auto& r : g.rechner)
                if (!r.adresse.isNull() && m_buch->adressen.size() < 65536)
                    m_buch->adressen.insert(r.name, r.adresse);
    }
    return m_gruppen;
}

QString LinuxNetz::adresse(const QString& name, const std::function<void()>& beimWarten)
{
    if (punktIPv4(name))
        return name;
    const QString schluessel = name.toUpper();
    {
        std::lock_guard l(m_buch->sperre);
        if (const auto it = m_buch->adressen.constFind(schluessel); it != m_buch->adressen.constEnd())
            return it->toString();
    }
    // Names we would not show are not sent anywhere either.
    if (name.isEmpty() || name.size() > 253 ||
        !std::all_of(name.begin(), name.end(), [](QChar c) { return c.isPrint() && !c.isSpace() && c != u'\\' && c != u'/'; }))
        return {};
    QHostAddress a = bedient([&name] { return erkundung::netbiosAdresse(name, steady_clock::now() + milliseconds(300)); },
                             beimWarten);
    if (a.isNull())
        a = aufloesen(name, steady_clock::now() + milliseconds(500), beimWarten);
    if (a.isNull() && !name.contains(u'.'))
        a = aufloesen(name + QStringLiteral(".local"), steady_clock::now() + milliseconds(500), beimWarten);
    if (a.isNull())
        return {};
    std::lock_guard l(m_buch->sperre);
    if (m_buch->adressen.size() < 65536)
        m_buch->adressen.insert(schluessel, a);
    return a.toString();
}

std::optional<QHostAddress> LinuxNetz::adresseVon(const QString& computer, const std::function<void()>& beimWarten)
{
    for (const auto& g : gruppen(beimWarten))
        for (const auto& r : g.rechner)
            if (r.name == computer && !r.adresse.isNull())
                return r.adresse;
    return std::nullopt;
}

std::unique_ptr<Netzaufzaehlung> LinuxNetz::oeffnen(Netzfrage frage, Ressourcentyp typ, const Netzressource* eltern,
                                                    const std::function<void()>& beimWarten)
{
    std::vector<Netzressource> v;
    const auto rechnerVon = [&](const erkundung::Arbeitsgruppe& g) {
        for (const auto& r : g.rechner)
            v.push_back({atComputer, vwBehaelter, rtAlle, QStringLiteral("\\\\") + r.name});
    };
    if (frage == Netzfrage::eigeneArbeitsgruppe) {
        // The workgroup's own entry first, then its computers: the report skips the first entry.
        const auto& gs = gruppen(beimWarten);
        if (!m_eigene.isEmpty())
            v.push_back({atArbeitsgruppe, vwBehaelter, rtAlle, m_eigene});
        for (const auto& g : gs)
            if (g.name == m_eigene)
                rechnerVon(g);
    } else if (!eltern) {
        v.push_back({atAnbieter, vwBehaelter, rtAlle, anbieter});
    } else if (eltern->anzeigetyp == atAnbieter && eltern->fernname == anbieter) {
        for (const auto& g : gruppen(beimWarten))
            v.push_back({atArbeitsgruppe, vwBehaelter, rtAlle, g.name});
    } else if (eltern->anzeigetyp == atArbeitsgruppe) {
        for (const auto& g : gruppen(beimWarten))
            if (g.name == eltern->fernname)
                rechnerVon(g);
    } else if (eltern->anzeigetyp == atComputer && eltern->fernname.startsWith(QLatin1String("\\\\"))) {
        const QString name = eltern->fernname.mid(2);
        const auto adresse = adresseVon(name, beimWarten);
        if (!adresse)
            return nullptr;
        auto gemerkt = m_freigaben.constFind(adresse->toIPv4Address());
        if (gemerkt == m_freigaben.constEnd())
            gemerkt = m_freigaben.insert(
                adresse->toIPv4Address(),
                inScheiben([a = *adresse] { return freigabenLesen(a, milliseconds(1500)); }, beimWarten));
        const auto& freigaben = *gemerkt;
        if (!freigaben)
            return nullptr;
        for (const Freigabe& f : *freigaben)
            if (!f.drucker || typ == rtAlle)
                v.push_back({atFreigabe, vwVerbindbar, f.drucker ? rtDrucker : rtPlatte,
                             eltern->fernname + u'\\' + f.name});
    } else {
        return nullptr;
    }
    return std::make_unique<Listenaufzaehlung>(std::move(v), Listenaufzaehlung::ganz);
}

}  // namespace plattform
