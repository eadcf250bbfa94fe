// The Linux network backend on a private LAN of namespaces: each discovery path on its own, the
// walk over the whole tree, the address lookup, the network report, the bounds on every wait.
// Never in the machine's own namespace.
#include "netinfo/netzbericht.h"
#include "netinfo/netzressourcen.h"
#include "lan_suite.h"
#include "platform/linux/linux_system.h"
#include "platform/linux/netz/erkundung.h"
#include "platform/linux/netz/linux_netz.h"
#include "platform/nachrichten.h"
#include "platform/plattform.h"

#include <gtest/gtest.h>

#include "listing_druck.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QThread>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace plattform;
using namespace std::chrono;

namespace {

class Lan : public LanSuite {
protected:
    static void SetUpTestSuite() { g_lan = new NetzLan; }
};

// In name order: answers come as they arrive.
QStringList funde(const std::vector<erkundung::Fund>& v)
{
    QStringList l;
    for (const auto& f : v)
        l << f.name + u'/' + f.arbeitsgruppe + u'/' + f.adresse.toString();
    l.sort();
    return l;
}

QStringList walk(Ressourcentyp typ, quint32 filter, bool ansprechbar = false)
{
    QStringList l;
    netinfo::netzressourcensuchen(typ, filter, l, ansprechbar);
    return l;
}

// The report as the window builds it, with the machine's own facts and the real network backend.
struct Berichtskonsole : Netzplattformumgebung {
    bool meldungen() const override { return false; }
    QString erstellungsdatum() const override { return QStringLiteral("jetzt"); }
    void meldung(const QString& text) override { gemeldet << text; }
    QStringList gemeldet;
};

QStringList bericht(Netz& netz)
{
    const LinuxSystem system;
    Installation inst({.registry = &system, .wmi = &system, .rechner = &system, .netz = &netz});
    Berichtskonsole k;
    Berichtssammler z;
    netzwerkberichtSchreiben(z, k);
    return z.zeilen + k.gemeldet;
}

// This child's own host name, in a UTS namespace of its own.
bool rechnernameSetzen(const QByteArray& name)
{
    return ::unshare(CLONE_NEWUTS) == 0 && ::sethostname(name.constData(), size_t(name.size())) == 0;
}

// Files over the machine's resolver configuration, for this child only.
bool ueberdecken(const QString& heim, const QMap<QString, QByteArray>& dateien)
{
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return false;
    for (auto it = dateien.begin(); it != dateien.end(); ++it) {
        const QString ersatz = heim + u'/' + QFileInfo(it.key()).fileName();
        QFile f(ersatz);
        if (!f.open(QIODevice::WriteOnly) || f.write(*it) != it->size())
            return false;
        f.close();
        if (::mount(ersatz.toLocal8Bit().constData(), it.key().toLocal8Bit().constData(), nullptr, MS_BIND, nullptr) != 0)
            return false;
    }
    return true;
}

const QStringList computerkopf = {"Computer          \tIP-Adresse", "_____________________________________________", ""};
const QStringList freigabekopf = {"", "Freigabeliste", "-----------------", "", "Computer          \tFreigabe",
                                  "_____________________________________________", ""};

}  // namespace

TEST_F(Lan, JedeQuelleFindetIhrenRechner)
{
    // A second each: one after another under one deadline, a slow first source (a loaded or
    // instrumented build) would leave the last none.
    const auto r = imClient([] {
        const auto frist = [] { return steady_clock::now() + milliseconds(1000); };
        QStringList l;
        l << funde(erkundung::netbiosSuchen(QStringLiteral("ARBEITSGRUPPE"), frist())).join(u' ');
        l << funde(erkundung::wsdSuchen(frist())).join(u' ');
        l << funde(erkundung::mdnsSuchen(frist())).join(u' ');
        l << eigeneArbeitsgruppe();
        return l;
    });
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, QStringList({"PC1/ARBEITSGRUPPE/10.99.0.11 PC5/BUERO/10.99.0.15", "PC2/ARBEITSGRUPPE/10.99.0.12",
                               "PC3//10.99.0.13 PC4//10.99.0.14 PC6//10.99.0.16 PC7//10.99.0.17", "ARBEITSGRUPPE"}));
}

TEST_F(Lan, WalkUeberDasGanzeNetz)
{
    const auto r = imClient([] {
        LinuxNetz netz;
        Installation inst({.netz = &netz});
        QElapsedTimer uhr;
        uhr.start();
        QStringList l = walk(rtAlle, 0);
        const qint64 erster = uhr.restart();
        l << QStringLiteral("--") << walk(rtPlatte, atFreigabe);
        l << QStringLiteral("--") << walk(rtAlle, atComputer);
        const qint64 weitere = uhr.elapsed();
        auto kontext = netz.oeffnen(Netzfrage::eigeneArbeitsgruppe, rtAlle, nullptr, {});
        l << QStringLiteral("--");
        for (const auto& e : kontext->lesen(16384).eintraege)
            l << e.fernname;
        l << QString::number(erster < 4000) << QString::number(weitere < 1000);
        return l;
    });
    ASSERT_TRUE(r);
    // PC3, PC6 (TCP goes nowhere), PC7 (silent on 445) and PC5 (SMB1 only) without shares;
    // PC5 in the other workgroup.
    EXPECT_EQ(*r, QStringList({"SMB-Netzwerk", "ARBEITSGRUPPE", "\\\\PC1", "\\\\PC1\\Daten", "\\\\PC1\\Drucker",
                               "\\\\PC1\\Musik", "\\\\PC1\\Privat", "\\\\PC1\\Übung {1}", "\\\\PC2",
                               "\\\\PC2\\Archiv", "\\\\PC3", "\\\\PC4", "\\\\PC4\\Frei4", "\\\\PC6", "\\\\PC7",
                               "BUERO", "\\\\PC5",
                               "--", "\\\\PC1\\Daten", "\\\\PC1\\Musik", "\\\\PC1\\Privat", "\\\\PC1\\Übung {1}",
                               "\\\\PC2\\Archiv", "\\\\PC4\\Frei4",
                               "--", "\\\\PC1", "\\\\PC2", "\\\\PC3", "\\\\PC4", "\\\\PC6", "\\\\PC7", "\\\\PC5",
                               // the own workgroup's context: its entry, then its computers
                               "--", "ARBEITSGRUPPE", "\\\\PC1", "\\\\PC2", "\\\\PC3", "\\\\PC4", "\\\\PC6",
                               "\\\\PC7",
                               // the first walk within the deadline plus the share queries (PC7's
                               // 1.5 s among them); later ones reuse the discovery and the shares
                               "1", "1"}));
}

TEST_F(Lan, AnsprechbarAlle100msStummNie)
{
    const auto r = imClient([] {
        LinuxNetz netz;
        Installation inst({.netz = &netz});
        QElapsedTimer uhr;
        qint64 letzte = 0, groessteLuecke = 0;
        int aufrufe = 0;
        auto alt = nachrichtenbehandlungSetzen([&] {
            ++aufrufe;
            groessteLuecke = std::max(groessteLuecke, uhr.elapsed() - letzte);
            letzte = uhr.elapsed();
        });
        uhr.start();
        walk(rtAlle, atComputer, false);
        const int stumm = aufrufe;
        // A loaded machine may hold the thread past 50 ms now and then; an unsliced wait on this
        // LAN holds it far longer every time (PC6's port check 300 ms, discovery 1 s, PC7 1.5 s).
        for (int versuch = 0; versuch < 3 && (versuch == 0 || groessteLuecke >= 100); ++versuch) {
            netz = LinuxNetz();  // discovery again
            aufrufe = 0;
            groessteLuecke = 0;
            uhr.restart();
            letzte = 0;
            walk(rtAlle, atComputer, true);
        }
        nachrichtenbehandlungSetzen(alt);
        return QStringList{QString::number(stumm), QString::number(aufrufe > 10), QString::number(groessteLuecke < 100)};
    });
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, QStringList({"0", "1", "1"}));
}

TEST_F(Lan, OhneNetzUndStummerRechnerBegrenzt)
{
    const auto ohne = imNamensraum({}, g_lan->heim(), [] {
        LinuxNetz netz;
        Installation inst({.netz = &netz});
        QElapsedTimer uhr;
        uhr.start();
        const QStringList l = walk(rtAlle, atComputer);
        return QStringList{QString::number(l.size()), QString::number(uhr.elapsed() < 100)};
    });
    ASSERT_TRUE(ohne);
    EXPECT_EQ(*ohne, QStringList({"0", "1"}));

    // A static neighbour entry to nobody: the SYN goes nowhere, as to a host that drops packets.
    const auto stumm = imClient([] {
        if (std::system("ip neigh replace 10.99.0.50 lladdr 02:00:00:00:00:50 dev eth0 nud permanent") != 0)
            return QStringList{QStringLiteral("ip neigh failed")};
        QElapsedTimer uhr;
        uhr.start();
        const auto f = freigabenLesen(QHostAddress(QStringLiteral("10.99.0.50")), milliseconds(1500));
        return QStringList{QString::number(f.has_value()), QString::number(uhr.elapsed() < 1000)};
    });
    ASSERT_TRUE(stumm);
    EXPECT_EQ(*stumm, QStringList({"0", "1"}));
}

// Starts a Python script on PC3 and waits until it has made the file `bereit` in the client's home.
bool antworterStarten(QProcess& p, const QString& skript, const QString& bereit)
{
    p.start(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("exec"), g_lan->namensraum(QStringLiteral("pc3")),
                                   QStringLiteral("python3"), QStringLiteral("-c"), skript});
    if (!p.waitForStarted())
        return false;
    for (int i = 0; i < 50 && !QFile::exists(g_lan->heim() + bereit); ++i)
        QThread::msleep(50);
    return QFile::exists(g_lan->heim() + bereit);
}

// A host that answers every probe with thousands of matches and keeps trickling: the walk still
// ends in time, with the real computers and none of the flood, whose addresses point elsewhere.
TEST_F(Lan, FlutVonAntwortenBleibtInDerFrist)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // Instrumented, parsing thousands of matches a second takes several times as long: the
    // real computer's answer then misses the deadline however the walk is built.
    GTEST_SKIP() << "a flood measured against a deadline says nothing under a sanitizer";
#endif
    const QString flut = QStringLiteral(R"(
import socket, struct, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(('', 3702))
s.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP, struct.pack('4s4s', socket.inet_aton('239.255.255.250'), socket.inet_aton('10.99.0.13')))
open('%1', 'w').close()
d, von = s.recvfrom(65536)
ende = time.time() + 4
i = 0
while time.time() < ende:
    i += 1
    m = ('<s:Envelope xmlns:s="http://www.w3.org/2003/05/soap-envelope" xmlns:a="http://schemas.xmlsoap.org/ws/2004/08/addressing" xmlns:d="http://schemas.xmlsoap.org/ws/2005/04/discovery"><s:Header><a:MessageID>urn:uuid:f%d</a:MessageID></s:Header><s:Body><d:ProbeMatches><d:ProbeMatch><a:EndpointReference><a:Address>urn:uuid:e%d</a:Address></a:EndpointReference><d:Types>wsdp:Device</d:Types><d:XAddrs>http://10.99.0.11:445/x%d</d:XAddrs></d:ProbeMatch></d:ProbeMatches></s:Body></s:Envelope>' % (i, i, i)).encode()
    s.sendto(m, von)
    if i > 5000:
        time.sleep(0.01)
)")
                              .arg(g_lan->heim() + QStringLiteral("/flut.bereit"));
    QProcess p;
    ASSERT_TRUE(antworterStarten(p, flut, QStringLiteral("/flut.bereit")));
    const auto r = imClient([] {
        LinuxNetz netz;
        Installation inst({.netz = &netz});
        QElapsedTimer uhr;
        uhr.start();
        QStringList l = walk(rtAlle, atComputer);
        l << QString::number(uhr.elapsed() < 4000);
        return l;
    });
    p.kill();
    p.waitForFinished();
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, QStringList({"\\\\PC1", "\\\\PC2", "\\\\PC3", "\\\\PC4", "\\\\PC6", "\\\\PC7", "\\\\PC5", "1"}));
}

// A device whose metadata address accepts and never answers: the other computers found by
// WS-Discovery still come (PC2 is known by nothing else), within the walk's time.
TEST_F(Lan, StummesWsdGeraetKostetNurSichSelbst)
{
    const QString tot = QStringLiteral(R"(
import socket, struct, threading
t = socket.socket()
t.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
t.bind(('10.99.0.13', 5358))
t.listen(16)
offen = []
def annehmen():
    while True:
        offen.append(t.accept()[0])
threading.Thread(target=annehmen, daemon=True).start()
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(('', 3702))
s.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP, struct.pack('4s4s', socket.inet_aton('239.255.255.250'), socket.inet_aton('10.99.0.13')))
open('%1', 'w').close()
i = 0
while True:
    d, von = s.recvfrom(65536)
    if b'ProbeMatches' in d or b'Probe' not in d:
        continue
    i += 1
    m = ('<s:Envelope xmlns:s="http://www.w3.org/2003/05/soap-envelope" xmlns:a="http://schemas.xmlsoap.org/ws/2004/08/addressing" xmlns:d="http://schemas.xmlsoap.org/ws/2005/04/discovery"><s:Header><a:MessageID>urn:uuid:t%d</a:MessageID></s:Header><s:Body><d:ProbeMatches><d:ProbeMatch><a:EndpointReference><a:Address>urn:uuid:tot</a:Address></a:EndpointReference><d:Types>wsdp:Device</d:Types><d:XAddrs>http://10.99.0.13:5358/tot</d:XAddrs></d:ProbeMatch></d:ProbeMatches></s:Body></s:Envelope>' % i).encode()
    s.sendto(m, von)
)")
                             .arg(g_lan->heim() + QStringLiteral("/tot.bereit"));
    QProcess p;
    ASSERT_TRUE(antworterStarten(p, tot, QStringLiteral("/tot.bereit")));
    // Twice: the responder's first answer may come after wsdd's.
    const auto r = imClient([] {
        LinuxNetz netz;
        Installation inst({.netz = &netz});
        QStringList l;
        for (int i = 0; i < 2; ++i) {
            QElapsedTimer uhr;
            uhr.start();
            const QStringList computer = walk(rtAlle, atComputer);
            l << QString::number(computer.contains(QStringLiteral("\\\\PC2"))) + QString::number(uhr.elapsed() < 4000);
        }
        return l;
    });
    p.kill();
    p.waitForFinished();
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, QStringList({"11", "11"}));
}

// The report's computer and share sections on the LAN, with the local host named like PC1 in
// another case (it gets PC1's line) and exactly like it (PC1's line goes, its shares stay).
TEST_F(Lan, NetzwerkberichtMitRechnernUndFreigaben)
{
    const auto r = imClient([] {
        if (!rechnernameSetzen("pc1"))
            return QStringList{QStringLiteral("no UTS namespace")};
        LinuxNetz netz;
        QStringList l = bericht(netz);
        if (!rechnernameSetzen("PC1"))
            return QStringList{QStringLiteral("no UTS namespace")};
        l << QStringLiteral("--") << bericht(netz);
        return l;
    });
    ASSERT_TRUE(r);
    const qsizetype trenner = r->indexOf(QStringLiteral("--"));
    ASSERT_GT(trenner, 0) << r->join(u'\n').toStdString();
    const auto ab = [](const QStringList& l) { return l.mid(l.indexOf(computerkopf.first())); };
    // The own workgroup's computers only (not PC5); PC3, PC6 and PC7 have no share to list.
    const QStringList freigaben = {"\\\\PC1      \t\\Daten", "\\\\PC1      \t\\Drucker", "\\\\PC1      \t\\Musik",
                                   "\\\\PC1      \t\\Privat", "\\\\PC1      \t\\Übung {1}", "",
                                   "\\\\PC2      \t\\Archiv", "", "", "\\\\PC4      \t\\Frei4", "", "", ""};
    const QStringList mitPc1 = {"PC1      \t10.99.0.11", "PC2      \t10.99.0.12", "PC3      \t10.99.0.13",
                                "PC4      \t10.99.0.14", "PC6      \t10.99.0.16", "PC7      \t10.99.0.17"};
    EXPECT_EQ(ab(r->mid(0, trenner)), computerkopf + mitPc1 + freigabekopf + freigaben);
    EXPECT_EQ(ab(r->mid(trenner + 1)), computerkopf + mitPc1.mid(1) + freigabekopf + freigaben);
    EXPECT_TRUE(r->contains(QStringLiteral("Arbeitsguppe:     \tARBEITSGRUPPE")));
    EXPECT_TRUE(r->contains(QStringLiteral("Netzwerkadresse:\t10.99.0.10")));
}

// Without any network: the header, the local section without an address, two empty sections,
// within a second.
TEST_F(Lan, NetzwerkberichtOhneNetz)
{
    const auto r = imNamensraum({}, g_lan->heim(), [] {
        // A name the hosts file gives a loopback address: no network address all the same.
        if (!rechnernameSetzen("localhost"))
            return QStringList{QStringLiteral("no UTS namespace")};
        QElapsedTimer uhr;
        uhr.start();
        LinuxNetz netz;
        QStringList l = bericht(netz);
        l << QString::number(uhr.elapsed() < 1000);
        return l;
    });
    ASSERT_TRUE(r);
    EXPECT_EQ(r->mid(0, 7), (QStringList{"Netzwerkanalyse - Zembrola 3.1", "===================", "",
                                         "Erstellungsdatum:\tjetzt", "", "Lokaler Computer", "--------------------"}));
    EXPECT_TRUE(r->contains(QStringLiteral("Computername: \tlocalhost")));
    EXPECT_TRUE(r->contains(QStringLiteral("Netzwerkadresse:\t")));
    EXPECT_TRUE(r->contains(QStringLiteral("Arbeitsguppe:     \t")));
    EXPECT_EQ(r->mid(r->indexOf(QStringLiteral("Computer im Netzwerk"))),
              QStringList({"Computer im Netzwerk", "----------------------------", ""}) + computerkopf + freigabekopf +
                  QStringList{"1"});
}

// The lookup order, each step under its bound: a dotted address as it is, NetBIOS (PC1), the
// resolver for the name (a hosts entry) and for NAME.local, a resolver that never answers, then
// what discovery saw (PC2 has no NetBIOS), asked from several threads while discovery runs again.
TEST_F(Lan, AdresseInDerReihenfolgeUndBegrenzt)
{
    const QString heim = g_lan->heim();
    const auto r = imClient([heim] {
        // Nobody has 10.99.0.50: the resolver's question goes nowhere and is never answered.
        if (!ueberdecken(heim, {{"/etc/hosts", "127.0.0.1 localhost\n10.99.0.12 archivrechner\n10.99.0.13 nurmdns.local\n"},
                                {"/etc/nsswitch.conf", "hosts: files dns\n"},
                                {"/etc/resolv.conf", "nameserver 10.99.0.50\noptions timeout:5 attempts:1\n"}}) ||
            std::system("ip neigh replace 10.99.0.50 lladdr 02:00:00:00:00:50 dev eth0 nud permanent") != 0)
            return QStringList{QStringLiteral("set-up failed")};
        LinuxNetz netz(milliseconds(1000), milliseconds(0));  // discovery on every walk
        QStringList l;
        QElapsedTimer uhr;
        const auto frage = [&](const QString& name, qint64 grenze, const std::function<void()>& beimWarten = {}) {
            uhr.restart();
            l << name + u'=' + netz.adresse(name, beimWarten) + (uhr.elapsed() < grenze ? "" : " zu langsam");
        };
        frage(QStringLiteral("10.99.0.77"), 5);
        frage(QStringLiteral("pc1"), 300);
        frage(QStringLiteral("archivrechner"), 800);
        frage(QStringLiteral("ARCHIVRECHNER"), 5);  // found before: no second lookup
        frage(QStringLiteral("nurmdns"), 1300);
        int gewartet = 0;
        frage(QStringLiteral("PC2"), 1500, [&] { ++gewartet; });
        l << QString::number(gewartet >= 20);

        // The own workgroup's context runs a discovery each time.
        const auto erkunden = [&netz] { netz.oeffnen(Netzfrage::eigeneArbeitsgruppe, rtAlle, nullptr, {}); };
        erkunden();
        std::atomic<int> falsch{0};
        std::vector<std::thread> fragende;
        for (int t = 0; t < 4; ++t)
            fragende.emplace_back([&netz, &falsch] {
                for (int i = 0; i < 50; ++i)
                    if (netz.adresse(QStringLiteral("pc2"), {}) != QLatin1String("10.99.0.12") ||
                        netz.adresse(QStringLiteral("PC3"), {}) != QLatin1String("10.99.0.13"))
                        ++falsch;
            });
        erkunden();
        erkunden();
        for (auto& t : fragende)
            t.join();
        l << QStringLiteral("falsch=%1").arg(falsch.load());
        return l;
    });
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, QStringList({"10.99.0.77=10.99.0.77", "pc1=10.99.0.11", "archivrechner=10.99.0.12",
                               "ARCHIVRECHNER=10.99.0.12", "nurmdns=10.99.0.13", "PC2=", "1", "falsch=0"}));
}

// zembrola-liste --netzwerkanalyse in the client namespace prints the same report.
TEST_F(Lan, ListeGibtDenNetzwerkberichtAus)
{
    char pfad[4096];
    const ssize_t n = ::readlink("/proc/self/exe", pfad, sizeof pfad - 1);
    ASSERT_GT(n, 0);
    const QString selbst = QFile::decodeName(QByteArray(pfad, n));
    const QString liste = selbst.left(selbst.lastIndexOf(u'/') + 1) + QStringLiteral("zembrola-liste");
    ASSERT_TRUE(QFile::exists(liste)) << liste.toStdString();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), g_lan->heim());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("exec"), g_lan->namensraum(QStringLiteral("cli")),
                                   liste, QStringLiteral("--netzwerkanalyse")});
    ASSERT_TRUE(p.waitForFinished(20000));
    const QStringList zeilen = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    for (const char* z : {"Arbeitsguppe:     \tARBEITSGRUPPE", "PC1      \t10.99.0.11", "PC3      \t10.99.0.13",
                          "\\\\PC1      \t\\Drucker", "\\\\PC2      \t\\Archiv"})
        EXPECT_TRUE(zeilen.contains(QString::fromUtf8(z))) << z;
}
