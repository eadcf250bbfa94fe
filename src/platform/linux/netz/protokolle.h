#pragma once
// The three discovery protocols as pure functions: requests to bytes, answers (untrusted bytes
// from any LAN host) to records. Every length and count is bounded; malformed input gives no
// record or fewer, never more work than its size allows.
#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace plattform::erkundung {

// Upper limits on what an answer may carry.
constexpr qsizetype maxDatagramm = 9000;
constexpr qsizetype maxXml = 64 * 1024;
constexpr int maxEintraege = 256;  // records or names per answer
constexpr qsizetype maxName = 63;

// A computer or workgroup name as the lists may show it: trimmed, bounded, no control
// characters, no backslash or slash; empty when nothing usable is left.
QString nameBereinigt(const QString& roh);

// --- NetBIOS name service (UDP 137) ---

// Broadcast name query for `name` with the suffix byte; "*" asks every node.
QByteArray nbNamensabfrage(quint16 kennung, const QByteArray& name, quint8 suffix);
// Node-status query (unicast) for the names of one node.
QByteArray nbStatusabfrage(quint16 kennung);

struct NbAntwort {
    quint16 kennung = 0;
    bool status = false;  // a node-status answer (else a positive name-query answer)
    QString computer;     // status: first unique <00> or <20> name
    QString arbeitsgruppe;  // status: first group <00> name other than the browse name
};
std::optional<NbAntwort> nbAntwortLesen(const QByteArray& datagramm);

// --- mDNS / DNS-SD (224.0.0.251:5353) ---

// One PTR question for _smb._tcp.local with the unicast-response bit.
QByteArray mdnsAbfrage();

// Computers announcing SMB: the first label of each instance's SRV target (else of the instance),
// upper case. Addresses in the answer are not taken: we talk only to the host that answered.
QStringList mdnsAntwortLesen(const QByteArray& datagramm);

// --- WS-Discovery (239.255.255.250:3702) and the Transfer Get over HTTP ---

QByteArray wsdProbe(const QString& messageId);
QByteArray wsdResolve(const QString& messageId, const QString& endpunkt);
QByteArray wsdGet(const QString& messageId, const QString& endpunkt);

struct WsdTreffer {
    QString messageId;
    QString endpunkt;     // wsa:Address of the device
    QStringList xaddrs;   // transport addresses, possibly none
    bool device = false;  // its Types include wsdp:Device
};
// ProbeMatch or ResolveMatch; none for anything else.
std::optional<WsdTreffer> wsdTrefferLesen(const QByteArray& xml);

// Only a plain http URL whose host is the literal address that answered: an answer must not make
// us talk to other hosts.
bool xaddrZulaessig(const QString& xaddr, const QHostAddress& absender);

struct WsdComputer {
    QString name;
    QString arbeitsgruppe;  // empty for a domain member or when not joined
};
// pub:Computer ("NAME/Workgroup:WG", "NAME/Domain:D", "NAME/NotJoined") of a Get response.
std::optional<WsdComputer> wsdComputerLesen(const QByteArray& xml);

// The body of a complete HTTP/1.x answer with status 200 (Content-Length honoured, chunked
// decoded), bounded by maxXml; none otherwise.
std::optional<QByteArray> httpKoerper(const QByteArray& antwort);

}  // namespace plattform::erkundung
