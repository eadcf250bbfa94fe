#include "platform/linux/linux_system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netpacket/packet.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <cmath>
#include <cstring>

namespace plattform {
namespace {

const QString kCpu = QStringLiteral("hardware\\description\\system\\centralprocessor");
const QString kSys = QStringLiteral("hardware\\description\\system");
const QString kBios = QStringLiteral("hardware\\description\\system\\bios");
const QString kCv = QStringLiteral("software\\microsoft\\windows nt\\currentversion");
const QString kEnum = QStringLiteral("system\\currentcontrolset\\enum\\");
const QString kTcpip = QStringLiteral("system\\currentcontrolset\\services\\tcpip\\parameters");

QString normiert(const QString& pfad)
{
    QStringList teile = pfad.toLower().split(u'\\', Qt::SkipEmptyParts);
    return teile.join(u'\\');
}

// "key: value" or "key=value" lines; the first occurrence wins.
QString feld(const QString& text, const QString& name, QChar trenner)
{
    for (const QString& zeile : text.split(u'\n')) {
        const qsizetype i = zeile.indexOf(trenner);
        if (i > 0 && zeile.left(i).trimmed() == name)
            return zeile.mid(i + 1).trimmed();
    }
    return {};
}

// An os-release value as the shell reads it: single quotes literal, double quotes with \$, \`,
// \", \\ as escapes, a backslash outside quotes taking the next character as it is.
QString unquotiert(const QString& wert)
{
    QString aus;
    QChar in;  // the open quote, or none
    for (qsizetype i = 0; i < wert.size(); ++i) {
        const QChar c = wert.at(i);
        if (in == u'\'') {
            if (c == u'\'')
                in = QChar();
            else
                aus += c;
        } else if (c == u'\\' && i + 1 < wert.size()
                   && (in.isNull() || QStringView(u"$`\"\\").contains(wert.at(i + 1)))) {
            aus += wert.at(++i);
        } else if (c == u'"') {
            in = in.isNull() ? c : QChar();
        } else if (c == u'\'' && in.isNull()) {
            in = c;
        } else {
            aus += c;
        }
    }
    return aus;
}

// Firmware fills unused DMI fields with placeholders; they are no facts.
bool platzhalter(const QString& wert)
{
    static const QRegularExpression muster(
        QStringLiteral("^(to be filled by o\\.?e\\.?m\\.?|default string|system manufacturer|system product name|"
                       "not specified|not applicable|none|n/a|o\\.e\\.m\\.|oem|0+|x+|\\.+|-+)$"),
        QRegularExpression::CaseInsensitiveOption);
    return wert.isEmpty() || muster.match(wert).hasMatch();
}

QString armKern(const QString& implementer, const QString& part)
{
    bool ok1 = false, ok2 = false;
    const uint imp = implementer.toUInt(&ok1, 0);
    const uint teil = part.toUInt(&ok2, 0);
    if (!ok1 || !ok2)
        return {};
    struct Kern { uint imp, teil; const char* name; };
    static const Kern kerne[] = {
        {0x41, 0xd03, "ARM Cortex-A53"}, {0x41, 0xd04, "ARM Cortex-A35"}, {0x41, 0xd05, "ARM Cortex-A55"},
        {0x41, 0xd07, "ARM Cortex-A57"}, {0x41, 0xd08, "ARM Cortex-A72"}, {0x41, 0xd09, "ARM Cortex-A73"},
        {0x41, 0xd0a, "ARM Cortex-A75"}, {0x41, 0xd0b, "ARM Cortex-A76"}, {0x41, 0xd0c, "ARM Neoverse-N1"},
        {0x41, 0xd0d, "ARM Cortex-A77"}, {0x41, 0xd40, "ARM Neoverse-V1"}, {0x41, 0xd41, "ARM Cortex-A78"},
        {0x41, 0xd44, "ARM Cortex-X1"}, {0x41, 0xd46, "ARM Cortex-A510"}, {0x41, 0xd47, "ARM Cortex-A710"},
        {0x41, 0xd49, "ARM Neoverse-N2"}, {0x41, 0xd4f, "ARM Neoverse-V2"}, {0x61, 0x022, "Apple M1"},
    };
    for (const Kern& k : kerne)
        if (k.imp == imp && k.teil == teil)
            return QString::fromLatin1(k.name);
    return {};
}

bool ist64bitArchitektur(const QString& m)
{
    return m.contains(QLatin1String("64")) || m == QLatin1String("s390x") || m == QLatin1String("alpha");
}

// A bus a block device hangs on, by its real sysfs path.
enum class Bus { keiner, ide, scsi, usb };

struct Blockgeraet {
    QString kennung;  // "sda"
    Bus bus = Bus::keiner;
    QString name;
};

// udev writes each byte outside plain ASCII as \xNN; the bytes are UTF-8.
QString udevEscapesAufloesen(const QString& s)
{
    const QByteArray roh = s.toUtf8();
    QByteArray aus;
    for (qsizetype i = 0; i < roh.size(); ++i) {
        if (roh[i] == '\\' && i + 3 < roh.size() && roh[i + 1] == 'x') {
            bool ok = false;
            const int c = roh.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                aus += char(c);
                i += 3;
                continue;
            }
        }
        aus += roh[i];
    }
    return QString::fromUtf8(aus);
}

quint64 kiloZeile(const QString& meminfo, const char* name)
{
    const QString wert = feld(meminfo, QString::fromLatin1(name), u':');
    return wert.section(u' ', 0, 0).toULongLong() * 1024;
}

// "0-3,6,8-9" → 7
int bereicheZaehlen(const QString& text)
{
    int n = 0;
    for (const QString& teil : text.trimmed().split(u',', Qt::SkipEmptyParts)) {
        const QStringList grenzen = teil.split(u'-');
        bool ok1 = false, ok2 = true;
        const int von = grenzen.value(0).toInt(&ok1);
        const int bis = grenzen.size() > 1 ? grenzen.value(1).toInt(&ok2) : von;
        if (ok1 && ok2 && bis >= von)
            n += bis - von + 1;
    }
    return n;
}

QString ipv6Text(const QString& hex32)
{
    QByteArray bytes = QByteArray::fromHex(hex32.toLatin1());
    if (bytes.size() != 16)
        return {};
    char puffer[INET6_ADDRSTRLEN] = {};
    if (!inet_ntop(AF_INET6, bytes.constData(), puffer, sizeof puffer))
        return {};
    return QString::fromLatin1(puffer);
}

}  // namespace

struct LinuxSystem::Blockliste {
    QList<Blockgeraet> geraete;
};

// The last scan; a question holds on to the list it got, however the next one is made.
struct LinuxSystem::Blockspeicher {
    std::mutex sperre;
    std::chrono::steady_clock::time_point stand;
    std::shared_ptr<const Blockliste> liste;
};

LinuxSystem::LinuxSystem(Linuxquellen quellen) : m_q(std::move(quellen)), m_block(std::make_shared<Blockspeicher>())
{
    if (!m_q.wurzel.endsWith(u'/'))
        m_q.wurzel += u'/';
}

QByteArray LinuxSystem::dateiRoh(const QString& pfad) const
{
    // sysfs and procfs files report size 0 or 4096: read to the end instead of trusting it.
    QFile f(m_q.wurzel + pfad);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString LinuxSystem::datei(const QString& pfad) const
{
    return QString::fromUtf8(dateiRoh(pfad));
}

QString LinuxSystem::maschine() const
{
    if (!m_q.maschine.isEmpty())
        return m_q.maschine;
    utsname u{};
    return uname(&u) == 0 ? QString::fromLatin1(u.machine) : QString();
}

namespace {

// What /proc/cpuinfo and the device tree say about the first processor.
struct Prozessor {
    QString name;
    std::optional<qint32> mhz;
};

Prozessor prozessorLesen(const std::function<QString(const QString&)>& lies,
                         const std::function<QByteArray(const QString&)>& liesRoh)
{
    Prozessor p;
    const QString info = lies(QStringLiteral("proc/cpuinfo"));
    const QString block = info.section(QStringLiteral("\n\n"), 0, 0);
    p.name = feld(block, QStringLiteral("model name"), u':');
    if (p.name.isEmpty())
        p.name = feld(block, QStringLiteral("cpu"), u':');  // PowerPC
    if (p.name.isEmpty())
        p.name = armKern(feld(info, QStringLiteral("CPU implementer"), u':'), feld(info, QStringLiteral("CPU part"), u':'));
    if (p.name.isEmpty()) {
        // "arm,cortex-a53\0arm,armv8\0": the first entry, without its maker.
        const QString kompatibel = lies(QStringLiteral("proc/device-tree/cpus/cpu@0/compatible")).section(QChar(0), 0, 0);
        p.name = kompatibel.section(u',', -1).trimmed();
    }

    const auto khz = [&](const char* datei) -> std::optional<qint32> {
        bool ok = false;
        const qint64 wert = lies(QStringLiteral("sys/devices/system/cpu/cpu0/cpufreq/") + QLatin1String(datei)).trimmed().toLongLong(&ok);
        if (!ok || wert <= 0)
            return std::nullopt;
        return static_cast<qint32>(std::llround(wert / 1000.0));
    };
    p.mhz = khz("base_frequency");
    if (!p.mhz)
        p.mhz = khz("cpuinfo_max_freq");
    if (!p.mhz) {
        for (const char* name : {"cpu MHz", "clock"}) {
            QString wert = feld(block, QString::fromLatin1(name), u':');
            wert.remove(QStringLiteral("MHz"));
            bool ok = false;
            const double mhz = wert.trimmed().toDouble(&ok);
            if (ok && mhz > 0) {
                p.mhz = static_cast<qint32>(std::llround(mhz));
                break;
            }
        }
    }
    if (!p.mhz) {
        // A big-endian number, not text.
        const QByteArray roh = liesRoh(QStringLiteral("proc/device-tree/cpus/cpu@0/clock-frequency"));
        quint64 hz = 0;
        if (roh.size() == 4)
            hz = qFromBigEndian<quint32>(roh.constData());
        else if (roh.size() == 8)
            hz = qFromBigEndian<quint64>(roh.constData());
        if (hz > 0)
            p.mhz = static_cast<qint32>(std::llround(hz / 1e6));
    }
    return p;
}

}  // namespace

std::optional<LinuxSystem::Schluessel> LinuxSystem::schluessel(const QString& roh) const
{
    const QString pfad = normiert(roh);
    const auto lies = [this](const QString& p) { return datei(p); };
    const auto dmi = [this](const char* name) {
        const QString wert = datei(QStringLiteral("sys/class/dmi/id/") + QLatin1String(name)).trimmed();
        return platzhalter(wert) ? QString() : wert;
    };
    Schluessel s;
    const auto text = [&s](const char* name, const QString& wert) {
        if (!wert.isEmpty())
            s.werte.append({QString::fromLatin1(name), Regwert::alsText(wert)});
    };

    if (pfad == kSys) {
        s.unter = {QStringLiteral("BIOS"), QStringLiteral("CentralProcessor")};
        // Without DMI the list is empty rather than missing: a missing value would end the report.
        QStringList bios;
        for (const QString& t : {dmi("bios_vendor"), dmi("bios_version")})
            if (!t.isEmpty())
                bios.append(t);
        s.werte.append({QStringLiteral("SystemBIOSVersion"), Regwert::alsTexte(bios)});
        text("SystemBIOSDate", dmi("bios_date"));
        return s;
    }
    if (pfad == kBios) {
        text("BaseBoardManufacturer", dmi("board_vendor"));
        text("SystemManufacturer", dmi("sys_vendor"));
        QString produkt = dmi("product_name");
        if (produkt.isEmpty())
            produkt = datei(QStringLiteral("proc/device-tree/model")).section(QChar(0), 0, 0).trimmed();
        text("SystemProductName", produkt);
        return s;
    }
    if (pfad == kCpu) {
        const int n = std::max(1, bereicheZaehlen(datei(QStringLiteral("sys/devices/system/cpu/online"))));
        for (int i = 0; i < n; ++i)
            s.unter.append(QString::number(i));
        return s;
    }
    if (pfad == kCpu + QStringLiteral("\\0")) {
        const Prozessor p = prozessorLesen(lies, [this](const QString& pfad) { return dateiRoh(pfad); });
        text("ProcessorNameString", p.name);
        if (p.mhz)
            s.werte.append({QStringLiteral("~MHz"), Regwert::alsZahl(*p.mhz)});
        return s;
    }
    if (pfad == kCv) {
        QString osr = datei(QStringLiteral("etc/os-release"));
        if (osr.isEmpty())
            osr = datei(QStringLiteral("usr/lib/os-release"));
        const auto os = [&osr](const char* name) { return unquotiert(feld(osr, QString::fromLatin1(name), u'=')); };
        QString produkt = os("PRETTY_NAME");
        if (produkt.isEmpty())
            produkt = os("NAME");
        text("Productname", produkt.isEmpty() ? QStringLiteral("Linux") : produkt);
        text("EditionID", os("VARIANT"));
        // Debian's point release ("12.8") is finer than VERSION_ID ("12").
        const QString versionId = os("VERSION_ID");
        const QString debian = datei(QStringLiteral("etc/debian_version")).trimmed();
        if (!debian.isEmpty() && debian != versionId && debian.startsWith(versionId + u'.'))
            text("CSDVersion", debian);
        QString id = os("ID");
        if (const QString variante = os("VARIANT_ID"); !variante.isEmpty())
            id += u'-' + variante;
        text("ProductID", id);
        text("CurrentVersion", versionId);
        text("CurrentBuildNumber", datei(QStringLiteral("proc/sys/kernel/osrelease")).trimmed());
        text("BuildLab", datei(QStringLiteral("proc/sys/kernel/version")).trimmed());
        text("CurrentType", maschine());
        if (m_q.systemaufrufe) {
            if (const passwd* pw = getpwuid(geteuid())) {
                const QString gecos = QString::fromLocal8Bit(pw->pw_gecos).section(u',', 0, 0).trimmed();
                text("RegisteredOwner", gecos.isEmpty() ? QString::fromLocal8Bit(pw->pw_name) : gecos);
            }
        }
        text("PathName", QStringLiteral("/"));
        return s;
    }
    if (pfad == QLatin1String("software\\wow6432node")) {
        if (!ist64bitArchitektur(maschine()))
            return std::nullopt;
        return s;
    }
    if (pfad == kTcpip) {
        // DNS servers of the DHCP lease of an address an interface holds now: a laptop keeps a
        // lease file per connection, and a stale one from another network must not win.
        // systemd-networkd and NetworkManager's own client write "ADDRESS=a" and "DNS=a b";
        // dhclient appends blocks with "fixed-address a;" and "option domain-name-servers a, b;",
        // the last of them the newest.
        const QStringList jetzt = m_q.adressen ? *m_q.adressen
                                  : m_q.systemaufrufe ? ipadressen().value_or(QStringList())
                                                      : QStringList();
        QString server;
        for (const char* verz : {"run/systemd/netif/leases", "var/lib/NetworkManager", "var/lib/dhcp"}) {
            const QDir d(m_q.wurzel + QLatin1String(verz));
            for (const QString& name : d.entryList(QDir::Files, QDir::Name)) {
                if (!server.isEmpty())
                    break;
                const QString inhalt = datei(QLatin1String(verz) + u'/' + name);
                if (jetzt.contains(feld(inhalt, QStringLiteral("ADDRESS"), u'='))) {
                    server = feld(inhalt, QStringLiteral("DNS"), u'=').simplified();
                    continue;
                }
                static const QRegularExpression block(QStringLiteral("lease\\s*\\{([^}]*)\\}"));
                static const QRegularExpression adresse(QStringLiteral("fixed-address\\s+([^;\\s]+)\\s*;"));
                static const QRegularExpression dns(QStringLiteral("option domain-name-servers ([^;]+);"));
                auto bloecke = block.globalMatch(inhalt);
                while (bloecke.hasNext()) {
                    const QString b = bloecke.next().captured(1);
                    if (jetzt.contains(adresse.match(b).captured(1)))
                        server = dns.match(b).captured(1).split(u',', Qt::SkipEmptyParts).replaceInStrings(
                            QStringLiteral(" "), QString()).join(u' ');
                }
            }
        }
        text("DhcpNameServer", server);
        return s;
    }
    if (pfad.startsWith(kEnum)) {
        const QStringList teile = pfad.mid(kEnum.size()).split(u'\\');
        const QString busname = teile.value(0);
        const Bus bus = busname == QLatin1String("ide") ? Bus::ide
                        : busname == QLatin1String("scsi") ? Bus::scsi
                        : busname == QLatin1String("usbstor") ? Bus::usb : Bus::keiner;
        if (bus == Bus::keiner || teile.size() > 3)
            return std::nullopt;

        // One device kind per block device, each with one instance "0".
        QList<Blockgeraet> geraete;
        const auto alle = blockgeraete();
        for (const Blockgeraet& g : alle->geraete)
            if (g.bus == bus)
                geraete.append(g);
        if (teile.size() == 1) {
            for (const Blockgeraet& g : geraete)
                s.unter.append(g.kennung);
            return s;
        }
        const auto g = std::find_if(geraete.cbegin(), geraete.cend(),
                                    [&](const Blockgeraet& x) { return x.kennung == teile[1]; });
        if (g == geraete.cend())
            return std::nullopt;
        if (teile.size() == 2) {
            s.unter = {QStringLiteral("0")};
            return s;
        }
        if (teile[2] != QLatin1String("0"))
            return std::nullopt;
        text("FriendlyName", g->name);
        return s;
    }
    return std::nullopt;
}

// One report asks within a few hundredths of a second; a disk plugged in shows in the next one.
constexpr auto blocklisteGilt = std::chrono::seconds(2);

std::shared_ptr<const LinuxSystem::Blockliste> LinuxSystem::blockgeraete() const
{
    Blockspeicher& b = *m_block;
    std::lock_guard sperre(b.sperre);
    const auto jetzt = std::chrono::steady_clock::now();
    if (b.liste && jetzt - b.stand < blocklisteGilt)
        return b.liste;
    QList<Blockgeraet> geraete;
    const QString blockVerz = m_q.wurzel + QStringLiteral("sys/block");
    const QString wurzelKanonisch = QFileInfo(m_q.wurzel).canonicalFilePath();
    for (const QString& k : QDir(blockVerz).entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        static const QRegularExpression virtuell(QStringLiteral("^(loop|zram|dm-|md|nbd|ram)"));
        // An eMMC's boot and replay-protected areas are parts of the one device.
        static const QRegularExpression emmcTeil(QStringLiteral("^mmcblk[0-9]+(boot[0-9]+|rpmb)$"));
        if (virtuell.match(k).hasMatch() || emmcTeil.match(k).hasMatch())
            continue;
        const QString basis = QStringLiteral("sys/block/") + k;
        if (datei(basis + QStringLiteral("/hidden")).trimmed() == QLatin1String("1"))
            continue;  // an NVMe path device behind its multipath head
        QString echt = QFileInfo(blockVerz + u'/' + k).canonicalFilePath();
        if (!wurzelKanonisch.isEmpty() && echt.startsWith(wurzelKanonisch))
            echt = echt.mid(wurzelKanonisch.size());
        static const QRegularExpression ata(QStringLiteral("/ata[0-9]+/"));
        Blockgeraet g;
        g.kennung = k;
        if (echt.contains(QLatin1String("/usb")))
            g.bus = Bus::usb;
        else if (ata.match(echt).hasMatch())
            g.bus = Bus::ide;
        else if (echt.contains(QLatin1String("/devices/virtual/")) && !echt.contains(QLatin1String("/nvme-subsystem/")))
            continue;
        else
            g.bus = Bus::scsi;
        QString hersteller = datei(basis + QStringLiteral("/device/vendor")).trimmed();
        static const QRegularExpression hex(QStringLiteral("^0x[0-9a-fA-F]+$"));
        if (hersteller == QLatin1String("ATA") || hex.match(hersteller).hasMatch())
            hersteller.clear();
        QString modell = datei(basis + QStringLiteral("/device/model")).trimmed();
        if (modell.isEmpty())  // MMC and SD cards name themselves in `name`
            modell = datei(basis + QStringLiteral("/device/name")).trimmed();
        // sysfs cuts ATA models to 16 characters; udev keeps the whole one.
        const QString nummer = datei(basis + QStringLiteral("/dev")).trimmed();
        const QString udev = datei(QStringLiteral("run/udev/data/b") + nummer);
        if (const QString voll = udevEscapesAufloesen(feld(udev, QStringLiteral("E:ID_MODEL_ENC"), u'=')).trimmed();
            !nummer.isEmpty() && voll.size() > modell.size())
            modell = voll;
        g.name = (hersteller.isEmpty() ? QString() : hersteller + u' ') + modell;
        if (g.name.isEmpty())  // virtio and the like name no model: their driver is still a fact
            g.name = QFileInfo(blockVerz + u'/' + k + QStringLiteral("/device/driver")).symLinkTarget().section(u'/', -1);
        geraete.append(g);
    }
    b.liste = std::make_shared<const Blockliste>(Blockliste{std::move(geraete)});
    b.stand = jetzt;
    return b.liste;
}

bool LinuxSystem::schluesselDa(const QString& pfad) const
{
    return schluessel(pfad).has_value();
}

std::optional<Regwert> LinuxSystem::wert(const QString& pfad, const QString& name) const
{
    const auto s = schluessel(pfad);
    if (!s)
        return std::nullopt;
    for (const auto& [n, w] : s->werte)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return w;
    return std::nullopt;
}

std::optional<QStringList> LinuxSystem::unterschluessel(const QString& pfad) const
{
    const auto s = schluessel(pfad);
    if (!s)
        return std::nullopt;
    return s->unter;
}

namespace {

// Interfaces of /sys/class/net in index order, loopback left out.
QStringList schnittstellen(const QString& wurzel)
{
    QList<QPair<int, QString>> liste;
    const QDir d(wurzel + QStringLiteral("sys/class/net"));
    for (const QString& name : d.entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot)) {
        QFile typ(d.filePath(name) + QStringLiteral("/type"));
        if (typ.open(QIODevice::ReadOnly) && typ.readAll().trimmed() == "772")
            continue;  // ARPHRD_LOOPBACK
        QFile index(d.filePath(name) + QStringLiteral("/ifindex"));
        const int i = index.open(QIODevice::ReadOnly) ? index.readAll().trimmed().toInt() : 0;
        liste.append({i, name});
    }
    std::sort(liste.begin(), liste.end());
    QStringList namen;
    for (const auto& [i, n] : liste)
        namen.append(n);
    return namen;
}

}  // namespace

std::optional<QList<Wmiobjekt>> LinuxSystem::abfrage(const QString& roh) const
{
    const QString klasse = roh.trimmed().toLower();
    QList<Wmiobjekt> objekte;
    if (klasse == QLatin1String("win32_networkadapterconfiguration")) {
        QMap<QString, QVariantList> gateways;
        const QStringList route = datei(QStringLiteral("proc/net/route")).split(u'\n');
        for (qsizetype i = 1; i < route.size(); ++i) {
            const QStringList f = route[i].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            if (f.size() < 4 || f[1] != QLatin1String("00000000"))
                continue;
            bool ok1 = false, ok2 = false;
            const quint32 gw = f[2].toUInt(&ok1, 16);
            const uint flags = f[3].toUInt(&ok2, 16);
            if (!ok1 || !ok2 || (flags & 0x3) != 0x3)
                continue;
            // The kernel prints the address word in host byte order.
            unsigned char b[4];
            std::memcpy(b, &gw, 4);
            gateways[f[0]].append(QStringLiteral("%1.%2.%3.%4").arg(b[0]).arg(b[1]).arg(b[2]).arg(b[3]));
        }
        for (const QString& zeile : datei(QStringLiteral("proc/net/ipv6_route")).split(u'\n')) {
            const QStringList f = zeile.split(u' ', Qt::SkipEmptyParts);
            if (f.size() < 10 || f[0] != QString(32, u'0') || f[1] != QLatin1String("00") || f[4] == QString(32, u'0'))
                continue;
            if (const QString t = ipv6Text(f[4]); !t.isEmpty())
                gateways[f[9]].append(t);
        }
        for (const QString& name : schnittstellen(m_q.wurzel)) {
            Wmiobjekt o;
            o[QStringLiteral("Description")] = name;
            const QVariantList gw = gateways.value(name);
            o[QStringLiteral("DefaultIPGateway")] = gw.isEmpty() ? QVariant() : QVariant(gw);
            objekte.append(o);
        }
        return objekte;
    }
    if (klasse == QLatin1String("win32_videocontroller")) {
        const QDir d(m_q.wurzel + QStringLiteral("sys/class/drm"));
        static const QRegularExpression karte(QStringLiteral("^card[0-9]+$"));
        for (const QString& name : d.entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
            if (!karte.match(name).hasMatch())
                continue;
            Wmiobjekt o;
            o[QStringLiteral("Name")] = name;
            QVariant ram;
            for (const char* quelle : {"/device/mem_info_vram_total", "/device/tile0/physical_vram_size_bytes"}) {
                bool ok = false;
                const qulonglong bytes = datei(QStringLiteral("sys/class/drm/") + name + QLatin1String(quelle)).trimmed().toULongLong(&ok);
                if (ok && bytes > 0) {
                    ram = QString::number(bytes);
                    break;
                }
            }
            o[QStringLiteral("AdapterRAM")] = ram;
            objekte.append(o);
        }
        return objekte;
    }
    return std::nullopt;
}

Speicherstatus LinuxSystem::speicherstatus() const
{
    const QString info = datei(QStringLiteral("proc/meminfo"));
    Speicherstatus s;
    s.physGesamt = kiloZeile(info, "MemTotal");
    // Kernels before 3.14 have no MemAvailable: its old estimate, free plus buffers and page cache.
    s.physFrei = info.contains(QLatin1String("MemAvailable:"))
                     ? kiloZeile(info, "MemAvailable")
                     : std::min(kiloZeile(info, "MemFree") + kiloZeile(info, "Buffers") + kiloZeile(info, "Cached"),
                                s.physGesamt);
    s.dateiGesamt = kiloZeile(info, "SwapTotal");
    s.dateiFrei = std::min(kiloZeile(info, "SwapFree"), s.dateiGesamt);
    // The user half of the virtual address space, less the guard page.
    const QString groessen = feld(datei(QStringLiteral("proc/cpuinfo")), QStringLiteral("address sizes"), u':');
    static const QRegularExpression bits(QStringLiteral("(\\d+) bits virtual"));
    const auto m = bits.match(groessen);
    const int virtuell = m.hasMatch() ? m.captured(1).toInt() : 48;
    s.virtuellGesamt = virtuell > 1 && virtuell < 65 ? (quint64(1) << (virtuell - 1)) - 4096 : 0;
    if (m_q.systemaufrufe) {
        rlimit grenze{};
        if (getrlimit(RLIMIT_AS, &grenze) == 0 && grenze.rlim_cur != RLIM_INFINITY)
            s.virtuellGesamt = std::min<quint64>(s.virtuellGesamt, grenze.rlim_cur);
    }
    const quint64 belegt = kiloZeile(datei(QStringLiteral("proc/self/status")), "VmSize");
    s.virtuellFrei = s.virtuellGesamt > belegt ? s.virtuellGesamt - belegt : 0;
    return s;
}

QString LinuxSystem::prozessoren() const
{
    if (m_q.systemaufrufe && qEnvironmentVariableIsSet("NUMBER_OF_PROCESSORS"))
        return qEnvironmentVariable("NUMBER_OF_PROCESSORS");
    const int n = bereicheZaehlen(datei(QStringLiteral("sys/devices/system/cpu/online")));
    return n > 0 ? QString::number(n) : QString();
}

bool LinuxSystem::ist64bit() const
{
    return ist64bitArchitektur(maschine());
}

QString LinuxSystem::benutzername() const
{
    if (!m_q.systemaufrufe)
        return {};
    const passwd* pw = getpwuid(geteuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString();
}

QString LinuxSystem::rechnername() const
{
    QString name = datei(QStringLiteral("proc/sys/kernel/hostname")).trimmed();
    if (name.isEmpty() && m_q.systemaufrufe) {
        char puffer[256] = {};
        if (gethostname(puffer, sizeof puffer - 1) == 0)
            name = QString::fromLocal8Bit(puffer);
    }
    return name;
}

QString LinuxSystem::arbeitsgruppe() const
{
    const QString conf = datei(QStringLiteral("etc/samba/smb.conf"));
    if (conf.isEmpty())
        return {};
    bool global = false;
    for (QString zeile : conf.split(u'\n')) {
        zeile = zeile.trimmed();
        if (zeile.startsWith(u'[')) {
            global = zeile.compare(QLatin1String("[global]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype i = zeile.indexOf(u'=');
        if (global && i > 0 && zeile.left(i).simplified().compare(QLatin1String("workgroup"), Qt::CaseInsensitive) == 0)
            return zeile.mid(i + 1).trimmed().toUpper();
    }
    return QStringLiteral("WORKGROUP");  // Samba's own default
}

namespace {

template <typename F>
void ipv4Schnittstellen(F&& jede)
{
    ifaddrs* liste = nullptr;
    if (getifaddrs(&liste) != 0)
        return;
    for (ifaddrs* a = liste; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET || (a->ifa_flags & IFF_LOOPBACK))
            continue;
        jede(*a);
    }
    freeifaddrs(liste);
}

QString ipv4Text(const sockaddr* adresse)
{
    if (!adresse)
        return {};
    char puffer[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(adresse)->sin_addr, puffer, sizeof puffer);
    return QString::fromLatin1(puffer);
}

// The adapters of the process's own network namespace (sysfs may show another one's), loopback
// left out, in index order: up or not, and the hardware address.
struct Adapter {
    int index = 0;
    bool oben = false;
    QString adresse;
};

QList<Adapter> adapterDesNamensraums()
{
    QList<Adapter> liste;
    ifaddrs* alle = nullptr;
    if (getifaddrs(&alle) != 0)
        return liste;
    for (ifaddrs* a = alle; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_PACKET || (a->ifa_flags & IFF_LOOPBACK))
            continue;
        const auto* ll = reinterpret_cast<const sockaddr_ll*>(a->ifa_addr);
        Adapter ad;
        ad.index = ll->sll_ifindex;
        ad.oben = a->ifa_flags & IFF_UP;
        if (ll->sll_halen == 6)
            ad.adresse = QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(ll->sll_addr), 6).toHex('-').toUpper());
        liste.append(ad);
    }
    freeifaddrs(alle);
    std::sort(liste.begin(), liste.end(), [](const Adapter& x, const Adapter& y) { return x.index < y.index; });
    return liste;
}

}  // namespace

std::optional<QStringList> LinuxSystem::ipadressen() const
{
    QStringList adressen;
    if (!m_q.systemaufrufe)
        return adressen;
    ipv4Schnittstellen([&](const ifaddrs& a) {
        const QString t = ipv4Text(a.ifa_addr);
        if (!adressen.contains(t))
            adressen.append(t);
    });
    if (adressen.isEmpty()) {
        // No configured interface: what the resolver says of the host name, except loopback
        // (Debian's hosts file gives the name 127.0.1.1), which is no network address.
        addrinfo hinweis{};
        hinweis.ai_family = AF_INET;
        addrinfo* ergebnis = nullptr;
        if (getaddrinfo(rechnername().toLocal8Bit().constData(), nullptr, &hinweis, &ergebnis) == 0) {
            for (addrinfo* a = ergebnis; a; a = a->ai_next) {
                const auto* v4 = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
                if (!v4 || (ntohl(v4->sin_addr.s_addr) >> 24) == 127)
                    continue;
                if (const QString t = ipv4Text(a->ai_addr); !adressen.contains(t))
                    adressen.append(t);
            }
            freeaddrinfo(ergebnis);
        }
    }
    return adressen;
}

QString LinuxSystem::macadresse() const
{
    if (m_q.systemaufrufe) {
        QString ersatz;
        for (const Adapter& a : adapterDesNamensraums()) {
            if (a.adresse.isEmpty() || a.adresse == QLatin1String("00-00-00-00-00-00"))
                continue;
            if (a.oben)
                return a.adresse;
            if (ersatz.isEmpty())
                ersatz = a.adresse;
        }
        return ersatz;
    }
    // The adapter that is up comes first, as the one that carries the address; a machine with all
    // adapters down still names the first.
    QString ersatz;
    for (const QString& name : schnittstellen(m_q.wurzel)) {
        const QString basis = QStringLiteral("sys/class/net/") + name;
        QString adresse = datei(basis + QStringLiteral("/address")).trimmed();
        if (adresse.size() != 17 || adresse == QLatin1String("00:00:00:00:00:00"))
            continue;
        adresse = adresse.toUpper().replace(u':', u'-');
        bool ok = false;
        if (datei(basis + QStringLiteral("/flags")).trimmed().toUInt(&ok, 16) & IFF_UP)
            return adresse;
        if (ersatz.isEmpty())
            ersatz = adresse;
    }
    return ersatz;
}

QString LinuxSystem::netzwerkmaske() const
{
    QString maske;
    if (m_q.systemaufrufe)
        ipv4Schnittstellen([&](const ifaddrs& a) {
            if (maske.isEmpty())
                maske = ipv4Text(a.ifa_netmask);
        });
    return maske;
}

QStringList LinuxSystem::dnsserver() const
{
    const auto server = [this](const char* pfad) {
        QStringList liste;
        for (const QString& zeile : datei(QLatin1String(pfad)).split(u'\n')) {
            const QStringList f = zeile.simplified().split(u' ');
            if (f.size() >= 2 && f[0] == QLatin1String("nameserver"))
                liste.append(f[1]);
        }
        return liste;
    };
    QStringList liste = server("etc/resolv.conf");
    // systemd-resolved's stub stands for the servers it forwards to.
    if (liste == QStringList{QStringLiteral("127.0.0.53")}) {
        const QStringList oben = server("run/systemd/resolve/resolv.conf");
        if (!oben.isEmpty())
            liste = oben;
    }
    return liste;
}

bool LinuxSystem::netzwerkDa() const
{
    if (m_q.systemaufrufe) {
        const QList<Adapter> adapter = adapterDesNamensraums();
        return std::any_of(adapter.cbegin(), adapter.cend(), [](const Adapter& a) { return a.oben; });
    }
    for (const QString& name : schnittstellen(m_q.wurzel)) {
        bool ok = false;
        const uint flags = datei(QStringLiteral("sys/class/net/") + name + QStringLiteral("/flags")).trimmed().toUInt(&ok, 16);
        if (ok && (flags & IFF_UP))
            return true;
    }
    return false;
}

}  // namespace plattform
