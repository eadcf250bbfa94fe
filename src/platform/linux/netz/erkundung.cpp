#include "platform/linux/netz/erkundung.h"

#include "platform/linux/netz/protokolle.h"

#include <QHash>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QSet>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QUrl>
#include <QUuid>

#include <algorithm>
#include <future>
#include <map>
#include <memory>

namespace plattform::erkundung {
namespace {

using namespace std::chrono;

int restMs(Frist frist)
{
    const auto r = duration_cast<milliseconds>(frist - steady_clock::now()).count();
    return int(std::max<qint64>(0, r));
}

// IPv4 interfaces that are up, not loopback.
struct Schnittstelle {
    QNetworkInterface netz;
    QHostAddress adresse;
    QHostAddress rundruf;
};

std::vector<Schnittstelle> schnittstellen()
{
    std::vector<Schnittstelle> s;
    for (const QNetworkInterface& n : QNetworkInterface::allInterfaces()) {
        const auto f = n.flags();
        if (!(f & QNetworkInterface::IsUp) || !(f & QNetworkInterface::IsRunning) || (f & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& e : n.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                s.push_back({n, e.ip(), e.broadcast()});
    }
    return s;
}

// One UDP socket per interface, bound to its address; multicast leaves through that interface.
std::vector<std::unique_ptr<QUdpSocket>> sockets(const std::vector<Schnittstelle>& s)
{
    std::vector<std::unique_ptr<QUdpSocket>> v;
    for (const auto& i : s) {
        auto sock = std::make_unique<QUdpSocket>();
        // Without this, bind asks the system proxy settings, and libproxy is not safe to ask from
        // the three discovery threads at once.
        sock->setProxy(QNetworkProxy::NoProxy);
        if (!sock->bind(i.adresse, 0))
            continue;
        sock->setMulticastInterface(i.netz);
        v.push_back(std::move(sock));
    }
    return v;
}

struct Datagramm {
    QByteArray daten;
    QHostAddress absender;
    QUdpSocket* socket = nullptr;
};

// Waits until `bis` for datagrams on any of the sockets; calls `jedes` for each, at most
// `maxGesamt` in all and `jeAbsender` from one address. Past those the datagrams are still read
// and dropped until `bis`: a host that floods must not push out another's answer, which may come
// again later.
template <typename F>
void empfangen(const std::vector<std::unique_ptr<QUdpSocket>>& s, Frist bis, F&& jedes, int maxGesamt = 4096,
               int jeAbsender = 64)
{
    int gesamt = 0;
    QHash<QHostAddress, int> vonJedem;
    while (steady_clock::now() < bis) {
        bool etwas = false;
        for (const auto& sock : s) {
            while (sock->hasPendingDatagrams() && steady_clock::now() < bis) {
                etwas = true;
                QByteArray d(int(std::min<qint64>(maxDatagramm + 1, std::max<qint64>(0, sock->pendingDatagramSize()))),
                             Qt::Uninitialized);
                QHostAddress von;
                const qint64 n = sock->readDatagram(d.data(), d.size(), &von);
                if (n < 0)
                    continue;
                int& bisher = vonJedem[von];
                if (gesamt >= maxGesamt || bisher >= jeAbsender)
                    continue;
                ++bisher;
                ++gesamt;
                d.truncate(n);
                if (!jedes(Datagramm{d, von, sock.get()}))
                    return;
            }
        }
        if (!etwas && !s.empty())
            s.front()->waitForReadyRead(std::min(10, std::max(1, restMs(bis))));
    }
}

QString kurz(const QString& name)
{
    return name.section(u'.', 0, 0).toUpper();
}

}  // namespace

std::vector<Arbeitsgruppe> zusammenfuehren(const QString& eigene, const std::vector<std::vector<Fund>>& quellen)
{
    struct Stand {
        QString arbeitsgruppe;
        QHostAddress adresse;
    };
    std::map<QString, Stand> rechner;
    for (const auto& quelle : quellen)
        for (const Fund& f : quelle) {
            const QString n = nameBereinigt(kurz(f.name));
            if (n.isEmpty())
                continue;
            Stand& s = rechner[n];
            if (s.arbeitsgruppe.isEmpty())
                s.arbeitsgruppe = nameBereinigt(f.arbeitsgruppe.toUpper());
            if (s.adresse.isNull())
                s.adresse = f.adresse;
        }
    const QString eigen = nameBereinigt(eigene.toUpper());
    std::map<QString, Arbeitsgruppe> gruppen;
    for (const auto& [name, s] : rechner) {
        const QString g = s.arbeitsgruppe.isEmpty() ? eigen : s.arbeitsgruppe;
        auto& ag = gruppen[g];
        ag.name = g;
        ag.rechner.push_back({name, s.adresse});  // the map keeps names in order
    }
    std::vector<Arbeitsgruppe> v;
    if (auto it = gruppen.find(eigen); it != gruppen.end()) {
        v.push_back(std::move(it->second));
        gruppen.erase(it);
    }
    for (auto& [n, ag] : gruppen)
        v.push_back(std::move(ag));
    return v;
}

std::vector<Fund> netbiosSuchen(const QString& eigene, Frist frist)
{
    std::vector<Fund> funde;
    const auto ss = schnittstellen();
    auto socks = sockets(ss);
    if (socks.empty())
        return funde;
    const quint16 kennung = quint16(QRandomGenerator::global()->generate());
    for (size_t i = 0; i < socks.size() && i < ss.size(); ++i) {
        if (ss[i].rundruf.isNull())
            continue;
        for (const QByteArray& q : {nbNamensabfrage(kennung, "*", 0x00), nbNamensabfrage(kennung, eigene.toLatin1(), 0x00),
                                    nbNamensabfrage(kennung, QByteArray("\x01\x02__MSBROWSE__\x02"), 0x01)})
            socks[i]->writeDatagram(q, ss[i].rundruf, 137);
    }
    // Who answers the broadcast is asked for its names at once; answers of both kinds come in
    // one window, ended early when the collection time is over and every node has answered.
    QSet<quint32> gefragt, beantwortet;
    const quint16 statuskennung = quint16(kennung + 1);
    const Frist sammeln = std::min(frist, steady_clock::now() + milliseconds(300));
    empfangen(socks, std::min(frist, steady_clock::now() + milliseconds(500)), [&](const Datagramm& d) {
        const auto a = nbAntwortLesen(d.daten);
        const quint32 ip = d.absender.toIPv4Address();
        if (!a || !ip)
            return true;
        if (!a->status && a->kennung == kennung && gefragt.size() < maxEintraege && !gefragt.contains(ip)) {
            gefragt.insert(ip);
            d.socket->writeDatagram(nbStatusabfrage(statuskennung), QHostAddress(ip), 137);
        } else if (a->status && a->kennung == statuskennung && gefragt.contains(ip) && !beantwortet.contains(ip)) {
            beantwortet.insert(ip);
            if (!a->computer.isEmpty())
                funde.push_back({a->computer, a->arbeitsgruppe, QHostAddress(ip)});
        }
        return steady_clock::now() < sammeln || beantwortet.size() < gefragt.size();
    });
    return funde;
}

QHostAddress netbiosAdresse(const QString& name, Frist frist)
{
    // Longer names or ones with dots would be cut or mean something else as NetBIOS names.
    if (name.isEmpty() || name.size() > 15 || name.contains(u'.') || name == QLatin1String("*") ||
        nameBereinigt(name) != name || QString::fromLatin1(name.toLatin1()) != name)
        return {};
    const auto ss = schnittstellen();
    auto socks = sockets(ss);
    const quint16 kennung = quint16(QRandomGenerator::global()->generate());
    bool gesendet = false;
    for (size_t i = 0; i < socks.size() && i < ss.size(); ++i)
        if (!ss[i].rundruf.isNull())
            gesendet |= socks[i]->writeDatagram(nbNamensabfrage(kennung, name.toLatin1(), 0x20), ss[i].rundruf, 137) > 0;
    if (!gesendet)
        return {};
    // The owner of the name answers; we take the address it answered from, so an answer cannot
    // point us at another host.
    QHostAddress gefunden;
    empfangen(socks, frist, [&](const Datagramm& d) {
        const auto a = nbAntwortLesen(d.daten);
        if (a && !a->status && a->kennung == kennung && d.absender.toIPv4Address()) {
            gefunden = QHostAddress(d.absender.toIPv4Address());
            return false;
        }
        return true;
    });
    return gefunden;
}

namespace {

std::optional<WsdComputer> wsdAbholen(const QString& xaddr, const QString& endpunkt, Frist frist)
{
    const QUrl u(xaddr);
    QTcpSocket t;
    t.setProxy(QNetworkProxy::NoProxy);  // only ever the host itself
    t.connectToHost(QHostAddress(u.host()), quint16(u.port(80)));  // a literal address, checked: no lookup
    if (!t.waitForConnected(restMs(frist)))
        return std::nullopt;
    const QByteArray rumpf = wsdGet(QStringLiteral("urn:uuid:") + QUuid::createUuid().toString(QUuid::WithoutBraces),
                                    endpunkt);
    QByteArray pfad = u.path(QUrl::FullyEncoded).toLatin1();
    if (pfad.isEmpty())
        pfad = "/";
    QByteArray anfrage = "POST " + pfad + " HTTP/1.1\r\nHost: " + u.host().toLatin1() + ":" +
                         QByteArray::number(u.port(80)) +
                         "\r\nContent-Type: application/soap+xml; charset=utf-8\r\nContent-Length: " +
                         QByteArray::number(rumpf.size()) + "\r\nConnection: close\r\n\r\n" + rumpf;
    t.write(anfrage);
    QByteArray antwort;
    while (antwort.size() <= maxXml + 8192) {
        if (!t.bytesAvailable() && !t.waitForReadyRead(restMs(frist)))
            break;  // closed, failed or out of time
        antwort.append(t.read(maxXml + 8193 - antwort.size()));
        if (const auto k = httpKoerper(antwort); k && antwort.toLower().contains("content-length"))
            return wsdComputerLesen(*k);
    }
    if (const auto k = httpKoerper(antwort))
        return wsdComputerLesen(*k);
    return std::nullopt;
}

}  // namespace

std::vector<Fund> wsdSuchen(Frist frist)
{
    std::vector<Fund> funde;
    auto socks = sockets(schnittstellen());
    if (socks.empty())
        return funde;
    const QHostAddress gruppe(QStringLiteral("239.255.255.250"));
    for (const auto& s : socks)
        s->writeDatagram(wsdProbe(QStringLiteral("urn:uuid:") + QUuid::createUuid().toString(QUuid::WithoutBraces)),
                         gruppe, 3702);
    struct Geraet {
        QString endpunkt;
        QString xaddr;
        QHostAddress absender;
    };
    std::vector<Geraet> geraete;
    QSet<QString> gesehen;      // message ids
    QSet<QString> endpunkte;
    QSet<QString> aufgeloest;   // endpoints a Resolve went out for
    empfangen(socks, std::min(frist, steady_clock::now() + milliseconds(300)), [&](const Datagramm& d) {
        const auto t = wsdTrefferLesen(d.daten);
        if (!t || gesehen.contains(t->messageId) || gesehen.size() >= maxEintraege * 4)
            return true;
        gesehen.insert(t->messageId);
        if (!t->device || t->endpunkt.isEmpty() || endpunkte.contains(t->endpunkt) || int(geraete.size()) >= maxEintraege)
            return true;
        for (const QString& x : t->xaddrs)
            if (xaddrZulaessig(x, d.absender)) {
                endpunkte.insert(t->endpunkt);
                geraete.push_back({t->endpunkt, x, d.absender});
                return true;
            }
        if (t->xaddrs.isEmpty() && !aufgeloest.contains(t->endpunkt) && aufgeloest.size() < maxEintraege) {
            aufgeloest.insert(t->endpunkt);
            d.socket->writeDatagram(
                wsdResolve(QStringLiteral("urn:uuid:") + QUuid::createUuid().toString(QUuid::WithoutBraces), t->endpunkt),
                gruppe, 3702);
        }
        return true;
    });
    // Each device's metadata in a thread of its own under the common deadline: one that never
    // answers costs only its own entry, not the others' time.
    constexpr std::size_t zugleich = 16;
    for (std::size_t von = 0; von < geraete.size() && steady_clock::now() < frist; von += zugleich) {
        std::vector<std::future<std::optional<WsdComputer>>> abrufe;
        for (std::size_t i = von; i < std::min(von + zugleich, geraete.size()); ++i)
            abrufe.push_back(std::async(std::launch::async,
                                        [&g = geraete[i], frist] { return wsdAbholen(g.xaddr, g.endpunkt, frist); }));
        for (std::size_t k = 0; k < abrufe.size(); ++k)
            if (const auto c = abrufe[k].get())
                funde.push_back({c->name, c->arbeitsgruppe, geraete[von + k].absender});
    }
    return funde;
}

std::vector<Fund> mdnsSuchen(Frist frist)
{
    std::vector<Fund> funde;
    auto socks = sockets(schnittstellen());
    if (socks.empty())
        return funde;
    const QHostAddress gruppe(QStringLiteral("224.0.0.251"));
    for (const auto& s : socks)
        s->writeDatagram(mdnsAbfrage(), gruppe, 5353);
    QSet<QString> namen;
    empfangen(socks, std::min(frist, steady_clock::now() + milliseconds(300)), [&](const Datagramm& d) {
        for (const QString& r : mdnsAntwortLesen(d.daten)) {
            if (namen.contains(r) || namen.size() >= maxEintraege)
                continue;
            namen.insert(r);
            funde.push_back({r, {}, d.absender});
        }
        return true;
    });
    return funde;
}

bool schnittstelleDa()
{
    return !schnittstellen().empty();
}

std::vector<Arbeitsgruppe> erkunden(const QString& eigene, Frist frist)
{
    if (!schnittstelleDa())
        return {};
    auto nb = std::async(std::launch::async, [&] { return netbiosSuchen(eigene, frist); });
    auto wsd = std::async(std::launch::async, [&] { return wsdSuchen(frist); });
    auto mdns = std::async(std::launch::async, [&] { return mdnsSuchen(frist); });
    return zusammenfuehren(eigene, {nb.get(), wsd.get(), mdns.get()});
}

}  // namespace plattform::erkundung
