// Printers from a private CUPS, the display of a private X server, adapters and monitors from a
// prepared /sys/class/drm.
#include "platform/fake/fake_plattform.h"
#include "platform/linux/bericht/linux_anzeige.h"
#include "platform/linux/bericht/linux_drucker.h"
#include "sysinfo/systembericht.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <cstdlib>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace plattform;

namespace {

void schreiben(const QString& pfad, const QByteArray& inhalt)
{
    QDir().mkpath(QFileInfo(pfad).path());
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

// A scheduler of our own on a socket in a temporary directory; the machine's CUPS is never asked.
class PrivaterCups {
public:
    PrivaterCups()
    {
        const QString d = m_dir.path();
        QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                     QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        for (const char* u : {"spool", "cache", "state", "tmp"}) {
            QDir().mkpath(d + '/' + u);
            if (geteuid() == 0)
                QProcess::execute("chown", {"lp", d + '/' + u});
        }
        schreiben(d + "/cupsd.conf", "Listen " + d.toUtf8() + "/cups.sock\nLogLevel warn\n"
                                     "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                     "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n");
        QByteArray dateien = "FileDevice Yes\nServerRoot " + d.toUtf8() + "\nRequestRoot " + d.toUtf8() + "/spool\nCacheDir " +
                             d.toUtf8() + "/cache\nStateDir " + d.toUtf8() + "/state\nTempDir " + d.toUtf8() +
                             "/tmp\nErrorLog " + d.toUtf8() + "/error_log\nAccessLog " + d.toUtf8() + "/access_log\n";
        if (geteuid() == 0)
            dateien += "User lp\nGroup lp\n";  // cupsd refuses to run its children as root
        schreiben(d + "/cups-files.conf", dateien);
        m_cupsd.start("cupsd", {"-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"});
        for (int i = 0; i < 100 && !QFile::exists(d + "/cups.sock"); ++i)
            QThread::msleep(20);
        // Our scheduler only, and nothing of the user's own choice of default.
        qputenv("CUPS_SERVER", (d + "/cups.sock").toUtf8());
        qputenv("HOME", d.toUtf8());
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
    }
    ~PrivaterCups()
    {
        m_cupsd.terminate();
        m_cupsd.waitForFinished(3000);
        qunsetenv("CUPS_SERVER");
    }
    bool laeuft() const { return QFile::exists(m_dir.path() + "/cups.sock"); }
    int lpadmin(const QStringList& argumente) { return QProcess::execute("lpadmin", argumente); }

private:
    QTemporaryDir m_dir;
    QProcess m_cupsd;
};

TEST(Berichtgeraete, DruckerAusCups)
{
    if (QStandardPaths::findExecutable("cupsd", {"/usr/sbin", "/sbin"}).isEmpty() ||
        QStandardPaths::findExecutable("lpadmin", {"/usr/sbin", "/usr/bin"}).isEmpty())
        GTEST_SKIP() << "cupsd or lpadmin is not installed";
    PrivaterCups cups;
    ASSERT_TRUE(cups.laeuft());
    const LinuxDrucker d;
    EXPECT_EQ(d.druckerliste(), QStringList());
    EXPECT_EQ(d.standarddrucker(), "");
    ASSERT_EQ(cups.lpadmin({"-p", "Laser", "-E", "-v", "file:/dev/null"}), 0);
    ASSERT_EQ(cups.lpadmin({"-p", "Laser_2", "-E", "-v", "file:/dev/null"}), 0);
    ASSERT_EQ(cups.lpadmin({"-d", "Laser_2"}), 0);
    EXPECT_EQ(d.druckerliste(), (QStringList{"Laser", "Laser_2"}));
    EXPECT_EQ(d.standarddrucker(), "Laser_2,Local Raw Printer,file:/dev/null");
}

// An X server of our own at the given depth.
class PrivatesX {
public:
    explicit PrivatesX(int tiefe, const QString& groesse = QStringLiteral("1024x768"))
    {
        m_x.start("Xvfb", {"-displayfd", "1", "-noreset", "-nolisten", "tcp", "-screen", "0", QString("%1x%2").arg(groesse).arg(tiefe)});
        if (m_x.waitForReadyRead(10000))
            m_anzeige = ':' + QString::fromLatin1(m_x.readAllStandardOutput()).trimmed();
    }
    ~PrivatesX()
    {
        m_x.terminate();
        m_x.waitForFinished(3000);
    }
    QString anzeige() const { return m_anzeige; }

private:
    QProcess m_x;
    QString m_anzeige;
};

// Shows a 1024 x 768 monitor at the left of the X screen, as the first of two side by side.
bool einMonitorVonZweien(const QString& anzeige)
{
    xcb_connection_t* c = xcb_connect(anzeige.toLocal8Bit().constData(), nullptr);
    bool ok = false;
    if (!xcb_connection_has_error(c)) {
        std::free(xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 3), nullptr));
        const xcb_screen_t* s = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        auto* res = xcb_randr_get_screen_resources_current_reply(c, xcb_randr_get_screen_resources_current(c, s->root),
                                                                 nullptr);
        xcb_randr_mode_info_t info{};
        info.width = 1024;
        info.height = 768;
        info.dot_clock = 65000000;
        info.htotal = 1344;
        info.vtotal = 806;
        info.name_len = 8;
        auto* modus = xcb_randr_create_mode_reply(c, xcb_randr_create_mode(c, s->root, info, 8, "1024x768"), nullptr);
        if (res && modus && xcb_randr_get_screen_resources_current_outputs_length(res) > 0) {
            xcb_randr_output_t ausgang = xcb_randr_get_screen_resources_current_outputs(res)[0];
            std::free(xcb_request_check(c, xcb_randr_add_output_mode_checked(c, ausgang, modus->mode)));
            auto* gesetzt = xcb_randr_set_crtc_config_reply(
                c, xcb_randr_set_crtc_config(c, xcb_randr_get_screen_resources_current_crtcs(res)[0], XCB_CURRENT_TIME,
                                             res->config_timestamp, 0, 0, modus->mode, XCB_RANDR_ROTATION_ROTATE_0, 1,
                                             &ausgang),
                nullptr);
            ok = gesetzt && gesetzt->status == XCB_RANDR_SET_CONFIG_SUCCESS;
            std::free(gesetzt);
        }
        std::free(modus);
        std::free(res);
    }
    xcb_disconnect(c);
    return ok;
}

TEST(Berichtgeraete, AnzeigeDesXServers)
{
    if (QStandardPaths::findExecutable("Xvfb").isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    for (const int tiefe : {16, 24}) {
        PrivatesX x(tiefe);
        ASSERT_FALSE(x.anzeige().isEmpty());
        const LinuxAnzeige a(x.anzeige(), "/nirgends");
        EXPECT_EQ(a.farbtiefe(), tiefe);
        EXPECT_EQ(a.bildschirm(), QSize(1024, 768));
        const auto modi = a.anzeigemodi();
        ASSERT_EQ(modi.size(), 256);
        ASSERT_TRUE(modi[0]);
        EXPECT_EQ(modi[0]->breite, 1024u);
        EXPECT_EQ(modi[0]->bits, quint32(tiefe));
        // Without DRM the X server's output stands for the adapter.
        ASSERT_FALSE(a.anzeigegeraete().isEmpty());

        struct : Systemberichtsumgebung {
            bool meldungen() const override { return false; }
            QString erstellungsdatum() const override { return {}; }
            bool dezimalkomma() const override { return true; }
            QStringList arbeitsgruppen() override { return {}; }
        } u;
        Berichtssammler z;
        FakeDateisystem fs;
        FakeLaufwerke lw;
        {
            const Installation inst({.dateisystem = &fs, .laufwerke = &lw, .anzeige = &a});
            systemberichtSchreiben(z, u);
        }
        EXPECT_TRUE(z.zeilen.contains("aktuelle Auflösung:\t1024 x 768 Pixel"));
        EXPECT_EQ(z.zeilen.contains("Farben:      \t16 M, True Color, 24 Bit"), tiefe == 24);
        EXPECT_TRUE(z.zeilen.filter("Farben:").isEmpty() || tiefe == 24);
    }
    // A desktop of two monitors side by side: the size is the primary monitor's.
    PrivatesX breit(24, QStringLiteral("2048x768"));
    ASSERT_TRUE(einMonitorVonZweien(breit.anzeige()));
    EXPECT_EQ(LinuxAnzeige(breit.anzeige(), "/nirgends").bildschirm(), QSize(1024, 768));
    // No X server at all: nothing is claimed.
    const LinuxAnzeige ohne(":987", "/nirgends");
    EXPECT_EQ(ohne.farbtiefe(), 0);
    EXPECT_FALSE(ohne.anzeigemodi()[0]);
}

QByteArray edid(const char* pnp, quint16 produkt, const QByteArray& name)
{
    QByteArray e(128, '\0');
    const quint16 kennung = quint16((pnp[0] - 'A' + 1) << 10 | (pnp[1] - 'A' + 1) << 5 | (pnp[2] - 'A' + 1));
    e[8] = char(kennung >> 8);
    e[9] = char(kennung & 0xff);
    e[10] = char(produkt & 0xff);
    e[11] = char(produkt >> 8);
    e[54 + 3] = char(0xFF);  // a serial-number descriptor comes first
    if (!name.isEmpty()) {
        e[72 + 3] = char(0xFC);
        QByteArray text = (name + "\n").leftJustified(13, ' ');
        e.replace(72 + 5, 13, text);
    }
    return e;
}

TEST(Berichtgeraete, AdapterUndMonitore)
{
    QTemporaryDir d;
    const QString w = d.path() + '/';
    const QString pci = w + "sys/devices/pci0000:00/";
    // Adapter 0 named by udev's database, adapter 1 by pci.ids; card10 sorts after card1.
    schreiben(pci + "0000:03:00.0/uevent", "DRIVER=amdgpu\nPCI_SLOT_NAME=0000:03:00.0\n");
    schreiben(w + "run/udev/data/+pci:0000:03:00.0",
              "E:ID_VENDOR_FROM_DATABASE=Advanced Micro Devices, Inc. [AMD/ATI]\nE:ID_MODEL_FROM_DATABASE=Navi 21\n");
    schreiben(pci + "0000:00:02.0/uevent", "PCI_SLOT_NAME=0000:00:02.0\n");
    schreiben(pci + "0000:00:02.0/vendor", "0x8086\n");
    schreiben(pci + "0000:00:02.0/device", "0x4680\n");
    schreiben(w + "usr/share/misc/pci.ids", "# list\n8084  Andere\n\t4680  Falsch\n8086  Intel Corporation\n"
                                           "\t4600  Nicht diese\n\t\t4680  Untergeraet\n\t4680  AlderLake-S GT1\n");
    schreiben(pci + "0000:00:05.0/uevent", "PCI_SLOT_NAME=0000:00:05.0\n");
    QDir().mkpath(w + "sys/bus/pci/drivers/simpledrm");
    QDir().mkpath(w + "sys/class/drm");
    const auto karte = [&](const QString& name, const QString& geraet) {
        QDir().mkpath(w + "sys/class/drm/" + name);
        QFile::link(geraet, w + "sys/class/drm/" + name + "/device");
    };
    karte("card0", pci + "0000:03:00.0");
    karte("card1", pci + "0000:00:02.0");
    karte("card10", pci + "0000:00:05.0");
    QFile::link(w + "sys/bus/pci/drivers/simpledrm", pci + "0000:00:05.0/driver");
    schreiben(w + "sys/class/drm/card0-HDMI-A-1/status", "disconnected\n");
    schreiben(w + "sys/class/drm/card0-DP-1/status", "connected\n");
    schreiben(w + "sys/class/drm/card0-DP-1/edid", edid("DEL", 0xA0B1, "DELL U2720Q"));
    schreiben(w + "sys/class/drm/card1-eDP-1/status", "connected\n");
    schreiben(w + "sys/class/drm/card1-eDP-1/edid", edid("AUO", 0x21ED, {}));
    schreiben(w + "sys/class/drm/renderD128/dev", "226:128\n");

    const LinuxAnzeige a(":987", w);
    const QList<Anzeigegeraet> g = a.anzeigegeraete();
    ASSERT_EQ(g.size(), 3);
    EXPECT_EQ(g[0].name, "card0");
    EXPECT_EQ(g[0].bezeichnung, "Advanced Micro Devices, Inc. [AMD/ATI] Navi 21");
    EXPECT_EQ(g[0].monitor, "DELL U2720Q");
    EXPECT_EQ(g[1].bezeichnung, "Intel Corporation AlderLake-S GT1");
    EXPECT_EQ(g[1].monitor, "AUO21ED");
    EXPECT_EQ(g[2].name, "card10");
    EXPECT_EQ(g[2].bezeichnung, "simpledrm");
    EXPECT_EQ(g[2].monitor, "");
}

}  // namespace

// A print service that accepts and never answers costs the report about a second, once. Last in
// this file: the question stays open in the process.
TEST(Berichtgeraete, StummerDruckdienstHaeltNichtAuf)
{
    QTemporaryDir d;
    const QByteArray pfad = QFile::encodeName(d.path() + "/stumm.sock");
    const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    std::strncpy(adresse.sun_path, pfad.constData(), sizeof adresse.sun_path - 1);
    ASSERT_EQ(::bind(s, reinterpret_cast<const sockaddr*>(&adresse), sizeof adresse), 0);
    ASSERT_EQ(::listen(s, 16), 0);
    qputenv("CUPS_SERVER", pfad);
    QElapsedTimer uhr;
    uhr.start();
    const Drucker::Stand stand = LinuxDrucker().stand();
    const qint64 dauer = uhr.elapsed();
    qunsetenv("CUPS_SERVER");
    EXPECT_EQ(stand.namen, QStringList());
    EXPECT_EQ(stand.standard, "");
    EXPECT_GE(dauer, 900);  // it was asked, and waited on
    EXPECT_LT(dauer, 1500);
    ::close(s);
}
