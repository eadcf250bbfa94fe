#include "platform/linux/netz/protokolle.h"

#include <QHash>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>

namespace plattform::erkundung {

QString nameBereinigt(const QString& roh)
{
    QString s;
    for (QChar c : roh) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format || c == u'\\' || c == u'/')
            continue;
        s.append(c);
    }
    s = s.trimmed();
    if (s.size() > maxName) {
        s.truncate(maxName);
        s = s.trimmed();  // the cut may end in a blank
    }
    return s;
}

namespace {

// Reads big-endian numbers off a datagram; any read past the end sets `kaputt`.
struct Leser {
    const QByteArray& d;
    qsizetype pos = 0;
    bool kaputt = false;

    bool hat(qsizetype n) const { return !kaputt && n >= 0 && pos + n <= d.size(); }
    quint8 u8()
    {
        if (!hat(1)) {
            kaputt = true;
            return 0;
        }
        return quint8(d[pos++]);
    }
    quint16 u16()
    {
        const quint16 h = u8();
        return quint16(h << 8 | u8());
    }
    quint32 u32()
    {
        const quint32 h = u16();
        return h << 16 | u16();
    }
    void weiter(qsizetype n)
    {
        if (!hat(n))
            kaputt = true;
        else
            pos += n;
    }
};

// A DNS name at `pos` (labels, compression pointers), lower case with dots; moves `pos` past it.
// Bounded: 255 bytes of name, 16 pointer jumps.
std::optional<QByteArray> dnsName(const QByteArray& d, qsizetype& pos)
{
    QByteArray name;
    qsizetype p = pos;
    bool gesprungen = false;
    int spruenge = 0;
    for (;;) {
        if (p >= d.size())
            return std::nullopt;
        const quint8 l = quint8(d[p]);
        if (l == 0) {
            if (!gesprungen)
                pos = p + 1;
            break;
        }
        if ((l & 0xC0) == 0xC0) {
            if (p + 1 >= d.size() || ++spruenge > 16)
                return std::nullopt;
            if (!gesprungen)
                pos = p + 2;
            gesprungen = true;
            p = qsizetype((l & 0x3F) << 8 | quint8(d[p + 1]));
            continue;
        }
        if (l & 0xC0)
            return std::nullopt;
        if (p + 1 + l > d.size() || name.size() + l + 1 > 255)
            return std::nullopt;
        if (!name.isEmpty())
            name.append('.');
        name.append(d.mid(p + 1, l).toLower());
        p += 1 + l;
    }
    return name;
}

void nbNameKodieren(QByteArray& out, const QByteArray& name, quint8 suffix)
{
    QByteArray n16 = name.left(15).toUpper();
    const char fuell = name == "*" ? '\0' : ' ';
    n16 = n16.leftJustified(15, fuell) + char(suffix);
    out.append(char(0x20));
    for (char c : n16) {
        out.append(char('A' + ((quint8(c) >> 4) & 0x0F)));
        out.append(char('A' + (quint8(c) & 0x0F)));
    }
    out.append('\0');
}

QByteArray nbKopf(quint16 kennung, quint16 flags)
{
    QByteArray k;
    k.append(char(kennung >> 8)).append(char(kennung & 0xFF));
    k.append(char(flags >> 8)).append(char(flags & 0xFF));
    k.append("\x00\x01\x00\x00\x00\x00\x00\x00", 8);
    return k;
}

}  // namespace

QByteArray nbNamensabfrage(quint16 kennung, const QByteArray& name, quint8 suffix)
{
    QByteArray q = nbKopf(kennung, 0x0110);  // recursion desired, broadcast
    nbNameKodieren(q, name, suffix);
    q.append("\x00\x20\x00\x01", 4);  // NB, IN
    return q;
}

QByteArray nbStatusabfrage(quint16 kennung)
{
    QByteArray q = nbKopf(kennung, 0x0000);
    nbNameKodieren(q, "*", 0);
    q.append("\x00\x21\x00\x01", 4);  // NBSTAT, IN
    return q;
}

std::optional<NbAntwort> nbAntwortLesen(const QByteArray& d)
{
    if (d.size() > maxDatagramm)
        return std::nullopt;
    Leser l{d};
    NbAntwort a;
    a.kennung = l.u16();
    const quint16 flags = l.u16();
    l.weiter(2);  // questions
    const quint16 antworten = l.u16();
    l.weiter(4);
    if (l.kaputt || !(flags & 0x8000) || ((flags >> 11) & 0x0F) != 0 || (flags & 0x0F) != 0 || antworten == 0)
        return std::nullopt;
    qsizetype pos = l.pos;
    if (!dnsName(d, pos))
        return std::nullopt;
    l.pos = pos;
    const quint16 typ = l.u16();
    l.weiter(2 + 4);  // class, ttl
    const quint16 laenge = l.u16();
    if (l.kaputt || !l.hat(laenge))
        return std::nullopt;
    if (typ == 0x0020)
        return a;
    if (typ != 0x0021)
        return std::nullopt;
    a.status = true;
    Leser r{d, l.pos};
    const int zahl = r.u8();
    if (qsizetype(zahl) * 18 + 1 > laenge)
        return std::nullopt;
    QString computer00;
    for (int i = 0; i < zahl && i < maxEintraege; ++i) {
        const QByteArray roh = d.mid(r.pos, 15);
        r.weiter(15);
        const quint8 suffix = r.u8();
        const quint16 nflags = r.u16();
        if (r.kaputt)
            return std::nullopt;
        QByteArray n = roh;
        while (!n.isEmpty() && (n.endsWith(' ') || n.endsWith('\0')))
            n.chop(1);
        const QString name = nameBereinigt(QString::fromLatin1(n));
        if (name.isEmpty() || name.contains(QLatin1String("__MSBROWSE__")))
            continue;
        const bool gruppe = nflags & 0x8000;
        if (gruppe && suffix == 0x00 && a.arbeitsgruppe.isEmpty())
            a.arbeitsgruppe = name;
        else if (!gruppe && suffix == 0x20 && a.computer.isEmpty())
            a.computer = name;
        else if (!gruppe && suffix == 0x00 && computer00.isEmpty())
            computer00 = name;
    }
    if (a.computer.isEmpty())
        a.computer = computer00;
    return a;
}

QByteArray mdnsAbfrage()
{
    QByteArray q("\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00", 12);
    q.append("\x04_smb\x04_tcp\x05local\x00", 17);
    q.append("\x00\x0c\x80\x01", 4);  // PTR, IN with the unicast-response bit
    return q;
}

QStringList mdnsAntwortLesen(const QByteArray& d)
{
    QStringList ergebnis;
    if (d.size() > maxDatagramm)
        return ergebnis;
    Leser l{d};
    l.weiter(2);
    const quint16 flags = l.u16();
    const int fragen = l.u16();
    const int rrs = int(l.u16()) + l.u16() + l.u16();
    if (l.kaputt || !(flags & 0x8000))
        return ergebnis;
    for (int i = 0; i < fragen && i < maxEintraege; ++i) {
        qsizetype pos = l.pos;
        if (!dnsName(d, pos))
            return ergebnis;
        l.pos = pos;
        l.weiter(4);
    }
    QByteArrayList instanzen;
    QHash<QByteArray, QByteArray> ziele;  // instance → SRV target
    for (int i = 0; i < rrs && i < maxEintraege && !l.kaputt; ++i) {
        qsizetype pos = l.pos;
        const auto besitzer = dnsName(d, pos);
        if (!besitzer)
            break;
        l.pos = pos;
        const quint16 typ = l.u16();
        l.weiter(2 + 4);
        const quint16 laenge = l.u16();
        if (l.kaputt || !l.hat(laenge))
            break;
        const qsizetype daten = l.pos;
        l.pos += laenge;
        if (typ == 12 && *besitzer == "_smb._tcp.local") {
            qsizetype p = daten;
            const auto instanz = dnsName(d, p);
            if (instanz && p <= daten + laenge && !instanzen.contains(*instanz))
                instanzen.append(*instanz);
        } else if (typ == 33 && laenge > 6) {
            qsizetype p = daten + 6;
            const auto ziel = dnsName(d, p);
            if (ziel && p <= daten + laenge)
                ziele.insert(*besitzer, *ziel);
        }
    }
    for (const QByteArray& instanz : instanzen) {
        const QByteArray ziel = ziele.value(instanz);
        const QByteArray quelle = ziel.isEmpty() ? instanz : ziel;
        const QString name = nameBereinigt(QString::fromUtf8(quelle.left(quelle.indexOf('.'))).toUpper());
        if (!name.isEmpty() && !ergebnis.contains(name))
            ergebnis.append(name);
    }
    return ergebnis;
}

namespace {

const QString nsSoap = QStringLiteral("http://www.w3.org/2003/05/soap-envelope");
const QString nsWsa = QStringLiteral("http://schemas.xmlsoap.org/ws/2004/08/addressing");
const QString nsWsd = QStringLiteral("http://schemas.xmlsoap.org/ws/2005/04/discovery");
const QString nsPub = QStringLiteral("http://schemas.microsoft.com/windows/pub/2005/07");

QByteArray umschlag(const QString& an, const QString& aktion, const QString& messageId, const QString& kopfZusatz,
                    const QString& rumpf)
{
    const QString s = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<soap:Envelope xmlns:soap=\"%1\" xmlns:wsa=\"%2\" xmlns:wsd=\"%3\" "
        "xmlns:wsdp=\"http://schemas.xmlsoap.org/ws/2006/02/devprof\">"
        "<soap:Header><wsa:To>%4</wsa:To><wsa:Action>%5</wsa:Action><wsa:MessageID>%6</wsa:MessageID>%7</soap:Header>"
        "<soap:Body>%8</soap:Body></soap:Envelope>")
                          .arg(nsSoap, nsWsa, nsWsd, an.toHtmlEscaped(), aktion, messageId.toHtmlEscaped(), kopfZusatz,
                               rumpf);
    return s.toUtf8();
}

// Text of the current element, bounded; none when it holds elements or is too long.
std::optional<QString> text(QXmlStreamReader& x)
{
    const QString t = x.readElementText(QXmlStreamReader::SkipChildElements);
    if (x.hasError() || t.size() > 2048)
        return std::nullopt;
    return t.trimmed();
}

bool xmlTauglich(const QByteArray& xml)
{
    return !xml.isEmpty() && xml.size() <= maxXml;
}

}  // namespace

QByteArray wsdProbe(const QString& messageId)
{
    return umschlag(QStringLiteral("urn:schemas-xmlsoap-org:ws:2005:04:discovery"),
                    QStringLiteral("http://schemas.xmlsoap.org/ws/2005/04/discovery/Probe"), messageId, {},
                    QStringLiteral("<wsd:Probe><wsd:Types>wsdp:Device</wsd:Types></wsd:Probe>"));
}

QByteArray wsdResolve(const QString& messageId, const QString& endpunkt)
{
    return umschlag(QStringLiteral("urn:schemas-xmlsoap-org:ws:2005:04:discovery"),
                    QStringLiteral("http://schemas.xmlsoap.org/ws/2005/04/discovery/Resolve"), messageId, {},
                    QStringLiteral("<wsd:Resolve><wsa:EndpointReference><wsa:Address>%1</wsa:Address>"
                                   "</wsa:EndpointReference></wsd:Resolve>")
                        .arg(endpunkt.toHtmlEscaped()));
}

QByteArray wsdGet(const QString& messageId, const QString& endpunkt)
{
    return umschlag(endpunkt, QStringLiteral("http://schemas.xmlsoap.org/ws/2004/09/transfer/Get"), messageId,
                    QStringLiteral("<wsa:ReplyTo><wsa:Address>"
                                   "http://schemas.xmlsoap.org/ws/2004/08/addressing/role/anonymous"
                                   "</wsa:Address></wsa:ReplyTo>"),
                    {});
}

std::optional<WsdTreffer> wsdTrefferLesen(const QByteArray& xml)
{
    if (!xmlTauglich(xml))
        return std::nullopt;
    QXmlStreamReader x(xml);
    WsdTreffer t;
    bool treffer = false;
    bool imTreffer = false;
    int elemente = 0;
    while (!x.atEnd()) {
        const auto art = x.readNext();
        if (art == QXmlStreamReader::DTD || ++elemente > 4096)
            return std::nullopt;
        if (art == QXmlStreamReader::EndElement && x.namespaceUri() == nsWsd &&
            (x.name() == u"ProbeMatch" || x.name() == u"ResolveMatch"))
            imTreffer = false;
        if (art != QXmlStreamReader::StartElement)
            continue;
        const auto ns = x.namespaceUri();
        const auto n = x.name();
        if (ns == nsWsa && n == u"MessageID" && t.messageId.isEmpty()) {
            const auto s = text(x);
            if (!s)
                return std::nullopt;
            t.messageId = *s;
        } else if (ns == nsWsd && (n == u"ProbeMatch" || n == u"ResolveMatch")) {
            if (treffer)  // the first match only
                break;
            treffer = imTreffer = true;
        } else if (imTreffer && ns == nsWsa && n == u"Address") {
            const auto s = text(x);
            if (!s)
                return std::nullopt;
            t.endpunkt = *s;
        } else if (imTreffer && ns == nsWsd && n == u"Types") {
            const auto s = text(x);
            if (!s)
                return std::nullopt;
            for (const QString& typ : s->split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                if (typ.section(u':', -1) == u"Device")
                    t.device = true;
        } else if (imTreffer && ns == nsWsd && n == u"XAddrs") {
            const auto s = text(x);
            if (!s)
                return std::nullopt;
            t.xaddrs = s->split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).mid(0, 8);
        }
    }
    if (x.hasError() || !treffer || t.messageId.isEmpty())
        return std::nullopt;
    return t;
}

bool xaddrZulaessig(const QString& xaddr, const QHostAddress& absender)
{
    const QUrl u(xaddr, QUrl::StrictMode);
    if (!u.isValid() || u.scheme() != u"http" || !u.userInfo().isEmpty())
        return false;
    const QHostAddress host(u.host());
    if (host.isNull())
        return false;
    bool ok4 = false;
    const quint32 a = absender.toIPv4Address(&ok4);
    bool okh = false;
    const quint32 h = host.toIPv4Address(&okh);
    return ok4 && okh && a == h;
}

std::optional<WsdComputer> wsdComputerLesen(const QByteArray& xml)
{
    if (!xmlTauglich(xml))
        return std::nullopt;
    QXmlStreamReader x(xml);
    int elemente = 0;
    while (!x.atEnd()) {
        const auto art = x.readNext();
        if (art == QXmlStreamReader::DTD || ++elemente > 16384)
            return std::nullopt;
        if (art != QXmlStreamReader::StartElement || x.namespaceUri() != nsPub || x.name() != u"Computer")
            continue;
        const auto s = text(x);
        if (!s)
            return std::nullopt;
        WsdComputer c;
        const qsizetype strich = s->indexOf(u'/');
        c.name = nameBereinigt((strich < 0 ? *s : s->left(strich)).toUpper());
        const QString rest = strich < 0 ? QString() : s->mid(strich + 1);
        if (rest.startsWith(QLatin1String("Workgroup:")))
            c.arbeitsgruppe = nameBereinigt(rest.mid(10).toUpper());
        if (c.name.isEmpty())
            return std::nullopt;
        return c;
    }
    return std::nullopt;
}

std::optional<QByteArray> httpKoerper(const QByteArray& antwort)
{
    const qsizetype kopfende = antwort.indexOf("\r\n\r\n");
    if (kopfende < 0 || kopfende > 8192)
        return std::nullopt;
    const QByteArrayList zeilen = antwort.left(kopfende).split('\n');
    const QByteArrayList status = zeilen.value(0).trimmed().split(' ');
    if (status.size() < 2 || !status[0].startsWith("HTTP/1.") || status[1] != "200")
        return std::nullopt;
    qint64 laenge = -1;
    bool stueckweise = false;
    for (qsizetype i = 1; i < zeilen.size(); ++i) {
        const QByteArray z = zeilen[i].trimmed();
        const qsizetype dp = z.indexOf(':');
        if (dp < 0)
            continue;
        const QByteArray feld = z.left(dp).trimmed().toLower();
        const QByteArray wert = z.mid(dp + 1).trimmed();
        if (feld == "content-length") {
            bool ok = false;
            laenge = wert.toLongLong(&ok);
            if (!ok || laenge < 0 || laenge > maxXml)
                return std::nullopt;
        } else if (feld == "transfer-encoding" && wert.toLower().contains("chunked")) {
            stueckweise = true;
        }
    }
    const QByteArray rest = antwort.mid(kopfende + 4);
    if (stueckweise) {
        QByteArray koerper;
        qsizetype p = 0;
        for (;;) {
            const qsizetype ende = rest.indexOf("\r\n", p);
            if (ende < 0 || ende - p > 16)
                return std::nullopt;
            bool ok = false;
            const qint64 n = rest.mid(p, ende - p).split(';').value(0).trimmed().toLongLong(&ok, 16);
            if (!ok || n < 0 || koerper.size() + n > maxXml || ende + 2 + n > rest.size())
                return std::nullopt;
            if (n == 0)
                return koerper;
            koerper.append(rest.mid(ende + 2, n));
            p = ende + 2 + n + 2;
        }
    }
    if (laenge >= 0) {
        if (rest.size() < laenge)
            return std::nullopt;
        return rest.left(laenge);
    }
    if (rest.size() > maxXml)
        return std::nullopt;
    return rest;
}

}  // namespace plattform::erkundung
