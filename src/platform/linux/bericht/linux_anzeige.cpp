#include "platform/linux/bericht/linux_anzeige.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace plattform {

struct LinuxAnzeige::Stand {
    int tiefe = 0;
    QSize groesse{0, 0};
    quint32 frequenz = 0;
    QList<std::optional<Anzeigemodus>> modi = QList<std::optional<Anzeigemodus>>(256);
    QList<Anzeigegeraet> ausgaenge;  // connected outputs, for machines without DRM
};

namespace {

struct Frei {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Antwort = std::unique_ptr<T, Frei>;

struct Verbindung {
    xcb_connection_t* c = nullptr;
    int bildschirm = 0;
    explicit Verbindung(const QString& anzeige)
    {
        const QByteArray name = anzeige.toLocal8Bit();
        c = xcb_connect(name.isEmpty() ? nullptr : name.constData(), &bildschirm);
    }
    Q_DISABLE_COPY_MOVE(Verbindung)
    ~Verbindung() { xcb_disconnect(c); }
    bool ok() const { return c && !xcb_connection_has_error(c); }
};

quint32 hertz(const xcb_randr_mode_info_t& m)
{
    double zeilen = m.vtotal;
    if (m.mode_flags & XCB_RANDR_MODE_FLAG_DOUBLE_SCAN)
        zeilen *= 2;
    if (m.mode_flags & XCB_RANDR_MODE_FLAG_INTERLACE)
        zeilen /= 2;
    if (m.htotal == 0 || zeilen <= 0)
        return 0;
    return quint32(std::lround(m.dot_clock / (m.htotal * zeilen)));
}

QByteArray edidDerAusgabe(xcb_connection_t* c, xcb_randr_output_t ausgabe)
{
    static const char name[] = "EDID";
    Antwort<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, 4, name), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return {};
    Antwort<xcb_randr_get_output_property_reply_t> p(xcb_randr_get_output_property_reply(
        c, xcb_randr_get_output_property(c, ausgabe, atom->atom, XCB_ATOM_ANY, 0, 256, 0, 0), nullptr));
    if (!p)
        return {};
    return QByteArray(reinterpret_cast<const char*>(xcb_randr_get_output_property_data(p.get())),
                      xcb_randr_get_output_property_data_length(p.get()));
}

QString lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

QString feld(const QString& text, const QString& name)
{
    for (const QString& zeile : text.split(u'\n'))
        if (zeile.startsWith(name + u'='))
            return zeile.mid(name.size() + 1).trimmed();
    return {};
}

// Vendor and device of a PCI adapter, as udev's database or the pci.ids list names them.
QString adaptername(const QString& wurzel, const QString& karte)
{
    const QString geraet = wurzel + QStringLiteral("sys/class/drm/") + karte + QStringLiteral("/device");
    const QString uevent = lesen(geraet + QStringLiteral("/uevent"));
    const QString steckplatz = feld(uevent, QStringLiteral("PCI_SLOT_NAME"));
    if (!steckplatz.isEmpty()) {
        const QString udev = lesen(wurzel + QStringLiteral("run/udev/data/+pci:") + steckplatz);
        const QString hersteller = feld(udev, QStringLiteral("E:ID_VENDOR_FROM_DATABASE"));
        const QString modell = feld(udev, QStringLiteral("E:ID_MODEL_FROM_DATABASE"));
        if (!modell.isEmpty())
            return hersteller.isEmpty() ? modell : hersteller + u' ' + modell;
        const QString v = lesen(geraet + QStringLiteral("/vendor")).remove(QStringLiteral("0x")).toLower();
        const QString d = lesen(geraet + QStringLiteral("/device")).remove(QStringLiteral("0x")).toLower();
        QFile ids(wurzel + QStringLiteral("usr/share/misc/pci.ids"));
        if (!v.isEmpty() && ids.open(QIODevice::ReadOnly)) {
            QString herstellerName;
            bool imHersteller = false;
            while (!ids.atEnd()) {
                QString zeile = QString::fromUtf8(ids.readLine());
                if (zeile.endsWith(u'\n'))
                    zeile.chop(1);
                if (zeile.startsWith(u'#') || zeile.isEmpty())
                    continue;
                if (!zeile.startsWith(u'\t')) {
                    if (imHersteller)
                        break;
                    imHersteller = zeile.startsWith(v + QStringLiteral("  "));
                    if (imHersteller)
                        herstellerName = zeile.mid(v.size() + 2);
                } else if (imHersteller && !zeile.startsWith(QStringLiteral("\t\t")) && zeile.mid(1).startsWith(d + QStringLiteral("  "))) {
                    return herstellerName + u' ' + zeile.mid(d.size() + 3);
                }
            }
            if (!herstellerName.isEmpty())
                return herstellerName;
        }
    }
    // No database: the kernel driver's name is still a true fact about the adapter.
    return QFileInfo(geraet + QStringLiteral("/driver")).symLinkTarget().section(u'/', -1);
}

}  // namespace

LinuxAnzeige::LinuxAnzeige(QString anzeige, QString wurzel) : m_anzeige(std::move(anzeige)), m_wurzel(std::move(wurzel))
{
    if (!m_wurzel.endsWith(u'/'))
        m_wurzel += u'/';
}

QString LinuxAnzeige::monitorname(const QByteArray& edid)
{
    if (edid.size() < 128)
        return {};
    const auto* b = reinterpret_cast<const unsigned char*>(edid.constData());
    for (int d = 54; d <= 108; d += 18) {
        if (b[d] == 0 && b[d + 1] == 0 && b[d + 3] == 0xFC) {
            QByteArray text(reinterpret_cast<const char*>(b + d + 5), 13);
            if (const qsizetype ende = text.indexOf('\n'); ende >= 0)
                text.truncate(ende);
            return QString::fromLatin1(text).trimmed();
        }
    }
    const quint16 pnp = quint16(b[8] << 8 | b[9]);
    const auto buchstabe = [](int v) { return QChar(u'A' - 1 + (v & 0x1f)); };
    return QString(buchstabe(pnp >> 10)) + buchstabe(pnp >> 5) + buchstabe(pnp) +
           QStringLiteral("%1").arg(b[10] | b[11] << 8, 4, 16, QChar(u'0')).toUpper();
}

LinuxAnzeige::Stand LinuxAnzeige::abfragenJetzt(const QString& anzeige)
{
    Stand s;
    const Verbindung v(anzeige);
    if (!v.ok())
        return s;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(v.c));
    for (int i = 0; i < v.bildschirm && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem)
        return s;
    const xcb_screen_t* schirm = it.data;
    s.tiefe = schirm->root_depth;
    s.groesse = QSize(schirm->width_in_pixels, schirm->height_in_pixels);

    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(v.c, &xcb_randr_id);
    if (!randr || !randr->present)
        return s;
    Antwort<xcb_randr_query_version_reply_t> version(
        xcb_randr_query_version_reply(v.c, xcb_randr_query_version(v.c, 1, 3), nullptr));
    if (!version)
        return s;
    // Every mode of the screen in one request; then the primary output and its CRTC.
    Antwort<xcb_randr_get_screen_resources_current_reply_t> res(xcb_randr_get_screen_resources_current_reply(
        v.c, xcb_randr_get_screen_resources_current(v.c, schirm->root), nullptr));
    if (!res)
        return s;
    const xcb_randr_mode_info_t* modi = xcb_randr_get_screen_resources_current_modes(res.get());
    const int modusanzahl = xcb_randr_get_screen_resources_current_modes_length(res.get());
    const xcb_randr_output_t* ausgaenge = xcb_randr_get_screen_resources_current_outputs(res.get());
    const int ausgangsanzahl = xcb_randr_get_screen_resources_current_outputs_length(res.get());
    const auto modusVon = [&](xcb_randr_mode_t id) -> const xcb_randr_mode_info_t* {
        for (int i = 0; i < modusanzahl; ++i)
            if (modi[i].id == id)
                return &modi[i];
        return nullptr;
    };

    Antwort<xcb_randr_get_output_primary_reply_t> primaer(
        xcb_randr_get_output_primary_reply(v.c, xcb_randr_get_output_primary(v.c, schirm->root), nullptr));
    xcb_randr_output_t haupt = primaer ? primaer->output : XCB_NONE;
    for (int i = 0; i < ausgangsanzahl; ++i) {
        Antwort<xcb_randr_get_output_info_reply_t> info(xcb_randr_get_output_info_reply(
            v.c, xcb_randr_get_output_info(v.c, ausgaenge[i], res->config_timestamp), nullptr));
        if (!info || info->connection != XCB_RANDR_CONNECTION_CONNECTED)
            continue;
        if (haupt == XCB_NONE)
            haupt = ausgaenge[i];
        {
            Anzeigegeraet g;
            g.name = QString::fromUtf8(reinterpret_cast<const char*>(xcb_randr_get_output_info_name(info.get())),
                                       xcb_randr_get_output_info_name_length(info.get()));
            g.monitor = monitorname(edidDerAusgabe(v.c, ausgaenge[i]));
            s.ausgaenge.append(g);
        }
        if (ausgaenge[i] != haupt)
            continue;
        const xcb_randr_mode_t* eigene = xcb_randr_get_output_info_modes(info.get());
        const int n = std::min<int>(xcb_randr_get_output_info_modes_length(info.get()), 256);
        for (int k = 0; k < n; ++k)
            if (const xcb_randr_mode_info_t* m = modusVon(eigene[k]))
                s.modi[k] = Anzeigemodus{quint32(k), m->width, m->height, quint32(s.tiefe), hertz(*m)};
        if (info->crtc != XCB_NONE) {
            Antwort<xcb_randr_get_crtc_info_reply_t> crtc(xcb_randr_get_crtc_info_reply(
                v.c, xcb_randr_get_crtc_info(v.c, info->crtc, res->config_timestamp), nullptr));
            if (crtc) {
                if (const xcb_randr_mode_info_t* m = modusVon(crtc->mode))
                    s.frequenz = hertz(*m);
                // The primary monitor, not the desktop: with two monitors the root spans both.
                if (crtc->width > 0 && crtc->height > 0)
                    s.groesse = QSize(crtc->width, crtc->height);
            }
        }
    }
    return s;
}

struct LinuxAnzeige::Frage {
    bool fertig = false;
    Stand stand;
    std::chrono::steady_clock::time_point gestellt;
};

namespace {
std::mutex anzeigeSperre;
std::condition_variable anzeigeFertig;
constexpr std::chrono::milliseconds anzeigeFrist{1000};
constexpr std::chrono::seconds anzeigeGueltig{3};
}  // namespace

LinuxAnzeige::Stand LinuxAnzeige::abfragen() const
{
    const auto jetzt = std::chrono::steady_clock::now();
    std::unique_lock lock(anzeigeSperre);
    if (!m_frage || (m_frage->fertig && jetzt - m_frage->gestellt > anzeigeGueltig)) {
        auto f = std::make_shared<Frage>();
        f->gestellt = jetzt;
        m_frage = f;
        std::thread([f, anzeige = m_anzeige] {
            Stand s = abfragenJetzt(anzeige);
            std::lock_guard l(anzeigeSperre);
            f->stand = std::move(s);
            f->fertig = true;
            anzeigeFertig.notify_all();
        }).detach();
    }
    const std::shared_ptr<Frage> f = m_frage;
    // A server that did not answer in time is not waited on again while the worker hangs.
    if (!anzeigeFertig.wait_until(lock, f->gestellt + anzeigeFrist, [&] { return f->fertig; }))
        return {};
    return f->stand;
}

int LinuxAnzeige::farbtiefe() const { return abfragen().tiefe; }
quint32 LinuxAnzeige::bildfrequenz() const { return abfragen().frequenz; }
QList<std::optional<Anzeigemodus>> LinuxAnzeige::anzeigemodi() const { return abfragen().modi; }
QSize LinuxAnzeige::bildschirm() const { return abfragen().groesse; }

QList<Anzeigegeraet> LinuxAnzeige::anzeigegeraete() const
{
    QList<Anzeigegeraet> geraete;
    const QDir drm(m_wurzel + QStringLiteral("sys/class/drm"));
    static const QRegularExpression karte(QStringLiteral("^card(\\d+)$"));
    QList<QPair<int, QString>> karten;
    const QStringList eintraege = drm.entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : eintraege)
        if (const auto m = karte.match(name); m.hasMatch())
            karten.append({m.captured(1).toInt(), name});
    std::sort(karten.begin(), karten.end());
    for (const auto& [nummer, name] : karten) {
        Anzeigegeraet g;
        g.name = name;
        g.bezeichnung = adaptername(m_wurzel, name);
        for (const QString& anschluss : eintraege) {
            if (!anschluss.startsWith(name + u'-') ||
                lesen(drm.filePath(anschluss) + QStringLiteral("/status")) != QLatin1String("connected"))
                continue;
            // sysfs reports size 0 for the EDID: read it to the end.
            QFile edid(drm.filePath(anschluss) + QStringLiteral("/edid"));
            g.monitor = edid.open(QIODevice::ReadOnly) ? monitorname(edid.readAll()) : QString();
            break;
        }
        geraete.append(g);
    }
    if (geraete.isEmpty())
        geraete = abfragen().ausgaenge;  // containers and VMs: the X server's outputs
    return geraete;
}

}  // namespace plattform
