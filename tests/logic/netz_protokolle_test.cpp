// The discovery parsers on crafted datagrams and documents, and the merge of their records.
#include "platform/linux/netz/erkundung.h"
#include "platform/linux/netz/protokolle.h"

#include <gtest/gtest.h>

#include "listing_druck.h"

using namespace plattform::erkundung;

namespace {

QByteArray be16(int v)
{
    return QByteArray(1, char(v >> 8)) + char(v & 0xFF);
}

// A node-status answer with the given (name, suffix, group) entries.
QByteArray nbStatus(quint16 id, const std::vector<std::tuple<QByteArray, int, bool>>& namen, int zahlAnders = -1)
{
    QByteArray d = be16(id) + be16(0x8400) + be16(0) + be16(1) + be16(0) + be16(0);
    d += nbStatusabfrage(0).mid(12, 34);  // the encoded name "*"
    QByteArray rr(1, char(zahlAnders >= 0 ? zahlAnders : int(namen.size())));
    for (const auto& [n, suffix, gruppe] : namen)
        rr += n.leftJustified(15, ' ') + char(suffix) + be16(gruppe ? 0x8400 : 0x0400);
    rr += QByteArray(46, '\0');  // statistics
    return d + be16(0x21) + be16(1) + QByteArray(4, '\0') + be16(int(rr.size())) + rr;
}

QByteArray dnsName(const QByteArray& punkte)
{
    QByteArray d;
    for (const QByteArray& l : punkte.split('.'))
        d += char(l.size()) + l;
    return d + '\0';
}

QByteArray rr(const QByteArray& name, int typ, const QByteArray& daten)
{
    return name + be16(typ) + be16(0x8001) + QByteArray(4, '\0') + be16(int(daten.size())) + daten;
}

QByteArray mdnsKopf(int antworten)
{
    return be16(0) + be16(0x8400) + be16(0) + be16(antworten) + be16(0) + be16(0);
}

QByteArray wsdMatch(const QString& id, const QString& typen, const QString& xaddrs, const char* art = "ProbeMatch")
{
    return QStringLiteral(
               "<s:Envelope xmlns:s=\"http://www.w3.org/2003/05/soap-envelope\" "
               "xmlns:a=\"http://schemas.xmlsoap.org/ws/2004/08/addressing\" "
               "xmlns:d=\"http://schemas.xmlsoap.org/ws/2005/04/discovery\">"
               "<s:Header><a:MessageID>%1</a:MessageID></s:Header><s:Body><d:%4es><d:%4>"
               "<a:EndpointReference><a:Address>urn:uuid:e1</a:Address></a:EndpointReference>"
               "<d:Types>%2</d:Types><d:XAddrs>%3</d:XAddrs></d:%4></d:%4es></s:Body></s:Envelope>")
        .arg(id, typen, xaddrs, QLatin1String(art))
        .toUtf8();
}

}  // namespace

TEST(Erkundung, NetbiosAbfragenUndStatus)
{
    const QByteArray q = nbNamensabfrage(0x1234, "arbeitsgruppe", 0);
    ASSERT_EQ(q.size(), 50);
    EXPECT_EQ(q.left(4), QByteArray("\x12\x34\x01\x10", 4));
    EXPECT_EQ(q.mid(12, 3), QByteArray("\x20" "EB"));  // 'A' = 0x41, upper-cased
    EXPECT_EQ(q.mid(13 + 26, 2), QByteArray("CA"));     // space padding, then the suffix
    EXPECT_EQ(q.mid(13 + 30, 2), QByteArray("AA"));
    EXPECT_EQ(nbStatusabfrage(7).mid(13, 4), QByteArray("CKAA"));  // '*' then NUL padding

    const auto a = nbAntwortLesen(nbStatus(9, {{"__MSBROWSE__", 1, true},
                                               {"PC1", 0x00, false},
                                               {"ARBEITSGRUPPE", 0x00, true},
                                               {"PC1", 0x20, false}}));
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->status);
    EXPECT_EQ(a->kennung, 9);
    EXPECT_EQ(a->computer, "PC1");
    EXPECT_EQ(a->arbeitsgruppe, "ARBEITSGRUPPE");
    // A name with control characters and a backslash is cleaned, not passed on.
    EXPECT_EQ(nbAntwortLesen(nbStatus(1, {{"P\x01" "C\\2", 0x20, false}}))->computer, "PC2");

    // Hostile: a count larger than the record, a truncated datagram, a question instead of an answer.
    EXPECT_FALSE(nbAntwortLesen(nbStatus(1, {{"PC1", 0x20, false}}, 200)));
    const QByteArray ganz = nbStatus(1, {{"PC1", 0x20, false}});
    for (qsizetype n : {0, 11, 40, 57, 60})
        EXPECT_FALSE(nbAntwortLesen(ganz.left(n))) << n;
    EXPECT_FALSE(nbAntwortLesen(q));
}

TEST(Erkundung, MdnsAntworten)
{
    const QByteArray q = mdnsAbfrage();
    EXPECT_EQ(q.right(4), QByteArray("\x00\x0c\x80\x01", 4));
    EXPECT_TRUE(q.contains(dnsName("_smb._tcp.local")));

    const QByteArray dienst = dnsName("_smb._tcp.local");
    // PTR with the instance compressed against the owner, SRV pointing at pc3.local.
    QByteArray d = mdnsKopf(3);
    const int dienstPos = int(d.size());
    d += rr(dienst, 12, QByteArray("\x03" "PC3") + char(0xC0) + char(dienstPos));
    d += rr(QByteArray("\x03" "PC3") + char(0xC0) + char(dienstPos), 33,
            QByteArray(6, '\0') + dnsName("pc3.local"));
    d += rr(dnsName("pc3.local"), 1, QByteArray("\x0a\x63\x00\x0d", 4));
    EXPECT_EQ(mdnsAntwortLesen(d), QStringList({"PC3"}));

    // Without SRV the instance's label names it; other services are not ours.
    QByteArray o = mdnsKopf(2) + rr(dienst, 12, dnsName("nas.\x5f" "smb._tcp.local")) +
                   rr(dnsName("_http._tcp.local"), 12, dnsName("web._http._tcp.local"));
    EXPECT_EQ(mdnsAntwortLesen(o), QStringList({"NAS"}));

    // A pointer to itself, a label past the end, a query: nothing, and no endless loop.
    QByteArray schleife = mdnsKopf(1);
    const int p = int(schleife.size());
    schleife += QByteArray(1, char(0xC0)) + char(p) + be16(12) + be16(1) + QByteArray(4, '\0') + be16(2) +
                char(0xC0) + char(p);
    EXPECT_TRUE(mdnsAntwortLesen(schleife).isEmpty());
    EXPECT_TRUE(mdnsAntwortLesen(mdnsKopf(1) + QByteArray("\x3f" "ab")).isEmpty());
    EXPECT_TRUE(mdnsAntwortLesen(q).isEmpty());
    // Many answers are read up to the bound only.
    QByteArray viele = mdnsKopf(0xFFFF);
    const int vPos = int(viele.size());
    viele += rr(dienst, 12, QByteArray("\x01") + "X" + char(0xC0) + char(vPos));
    for (int i = 0; i < 300; ++i) {
        const QByteArray l = "R" + QByteArray::number(i);
        viele += rr(QByteArray(1, char(0xC0)) + char(vPos), 12, char(l.size()) + l + char(0xC0) + char(vPos));
    }
    EXPECT_EQ(mdnsAntwortLesen(viele).size(), maxEintraege);
}

TEST(Erkundung, WsdTrefferUndComputer)
{
    const QByteArray probe = wsdProbe("urn:uuid:p1");
    EXPECT_TRUE(probe.contains("<wsd:Types>wsdp:Device</wsd:Types>"));
    EXPECT_TRUE(wsdGet("urn:uuid:x", "<böse&>").contains("&lt;böse&amp;&gt;"));

    auto t = wsdTrefferLesen(wsdMatch("urn:uuid:m1", "wsdp:Device pub:Computer", "http://10.99.0.12:5357/e1"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->messageId, "urn:uuid:m1");
    EXPECT_EQ(t->endpunkt, "urn:uuid:e1");
    EXPECT_TRUE(t->device);
    EXPECT_EQ(t->xaddrs, QStringList({"http://10.99.0.12:5357/e1"}));
    t = wsdTrefferLesen(wsdMatch("urn:uuid:m2", "pub:Computer", "", "ResolveMatch"));
    ASSERT_TRUE(t);
    EXPECT_FALSE(t->device);
    EXPECT_TRUE(t->xaddrs.isEmpty());
    // Not a match, an entity bomb, too large.
    EXPECT_FALSE(wsdTrefferLesen(probe));
    EXPECT_FALSE(wsdTrefferLesen("<!DOCTYPE a [<!ENTITY x \"xxxxxxxx\">]>" + wsdMatch("urn:uuid:m3", "&x;", "")));
    EXPECT_FALSE(wsdTrefferLesen(wsdMatch("urn:uuid:m4", QString(maxXml, u'x'), "")));

    const QHostAddress von(QStringLiteral("10.99.0.12"));
    const struct {
        const char* xaddr;
        bool gut;
    } faelle[] = {
        {"http://10.99.0.12:5357/e1", true},
        {"http://10.99.0.13:5357/e1", false},   // another host
        {"http://localhost:5357/e1", false},    // a name, not the address
        {"https://10.99.0.12/e1", false},
        {"http://u@10.99.0.12/e1", false},
        {"http://[::ffff:10.99.0.12]:5357/", true},
        {"kaputt", false},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(xaddrZulaessig(QString::fromUtf8(f.xaddr), von), f.gut) << f.xaddr;

    const auto computer = [](const QString& wert) {
        return wsdComputerLesen(QStringLiteral("<x xmlns:pub=\"http://schemas.microsoft.com/windows/pub/2005/07\">"
                                               "<pub:Computer>%1</pub:Computer></x>")
                                    .arg(wert)
                                    .toUtf8());
    };
    auto c = computer("pc2/Workgroup:Arbeitsgruppe");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->name, "PC2");
    EXPECT_EQ(c->arbeitsgruppe, "ARBEITSGRUPPE");
    EXPECT_EQ(computer("PC4/Domain:FIRMA")->arbeitsgruppe, "");
    EXPECT_FALSE(computer("/Workgroup:AG"));
}

TEST(Erkundung, HttpKoerper)
{
    EXPECT_EQ(httpKoerper("HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabcdef"), QByteArray("abc"));
    EXPECT_EQ(httpKoerper("HTTP/1.0 200 OK\r\n\r\nbis zum Ende"), QByteArray("bis zum Ende"));
    EXPECT_EQ(httpKoerper("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n2\r\nde\r\n0\r\n\r\n"),
              QByteArray("abcde"));
    EXPECT_FALSE(httpKoerper("HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nabc"));  // not all there yet
    EXPECT_FALSE(httpKoerper("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"));
    EXPECT_FALSE(httpKoerper("HTTP/1.1 200 OK\r\nContent-Length: 99999999\r\n\r\n"));
    EXPECT_FALSE(httpKoerper("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFF\r\nab"));
}

TEST(Erkundung, ZusammenfuehrenNachKurznamen)
{
    const QHostAddress a1(QStringLiteral("10.0.0.1")), a2(QStringLiteral("10.0.0.2")), a3(QStringLiteral("10.0.0.3"));
    const auto g = zusammenfuehren("Eigene", {
                                                 {{"pc2", "ZETA", a2}, {"PC1", "", {}}},
                                                 {{"PC1", "ALPHA", a1}, {"pc2.local", "ALPHA", a3}},
                                                 {{"MAC", "", a3}, {"\x01", "", a3}},
                                             });
    ASSERT_EQ(g.size(), 3u);
    EXPECT_EQ(g[0].name, "EIGENE");  // own first, even though ALPHA sorts before
    ASSERT_EQ(g[0].rechner.size(), 1u);
    EXPECT_EQ(g[0].rechner[0].name, "MAC");
    EXPECT_EQ(g[1].name, "ALPHA");  // PC1's workgroup from the second source, its address too
    ASSERT_EQ(g[1].rechner.size(), 1u);
    EXPECT_EQ(g[1].rechner[0].name, "PC1");
    EXPECT_EQ(g[1].rechner[0].adresse, a1);
    EXPECT_EQ(g[2].name, "ZETA");  // PC2: workgroup and address of the first source
    EXPECT_EQ(g[2].rechner[0].adresse, a2);
    EXPECT_TRUE(zusammenfuehren("AG", {}).empty());
}
