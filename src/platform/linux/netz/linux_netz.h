#pragma once
// Network resources on Linux: one provider entry, the workgroups and computers that discovery
// finds, and the shares each computer lists over SMB2/3.
#include "platform/linux/netz/erkundung.h"
#include "platform/netz.h"

#include <QHostAddress>

#include <QHash>

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>

namespace plattform {

struct Freigabe {
    QString name;
    bool drucker = false;
};

class LinuxNetz : public Netz {
public:
    // `frist`: the discovery window; `gueltig`: how long its answers are reused.
    explicit LinuxNetz(std::chrono::milliseconds frist = std::chrono::milliseconds(1000),
                       std::chrono::milliseconds gueltig = std::chrono::milliseconds(5000));

    std::unique_ptr<Netzaufzaehlung> oeffnen(Netzfrage frage, Ressourcentyp typ, const Netzressource* eltern,
                                             const std::function<void()>& beimWarten) override;

    // Dotted IPv4 as it is; else what a discovery of this run saw or an earlier lookup found,
    // a NetBIOS name query, the resolver for NAME and then NAME.local, each under its own bound.
    QString adresse(const QString& name, const std::function<void()>& beimWarten) override;

    static const QString anbieter;  // remote name of the provider entry

private:
    // Every address discovery saw and every lookup found, by upper-case name; shared with the
    // file system's worker threads, so behind a lock (and a pointer, so the backend stays movable).
    struct Adressbuch {
        std::mutex sperre;
        QHash<QString, QHostAddress> adressen;
    };
    std::shared_ptr<Adressbuch> m_buch = std::make_shared<Adressbuch>();

    const std::vector<erkundung::Arbeitsgruppe>& gruppen(const std::function<void()>& beimWarten);
    std::optional<QHostAddress> adresseVon(const QString& computer, const std::function<void()>& beimWarten);

    // Each computer's shares, asked once per discovery: a report walks the network once per
    // computer, and one that never answers must cost its wait once, not once per walk.
    QHash<quint32, std::optional<std::vector<Freigabe>>> m_freigaben;

    std::chrono::milliseconds m_frist;
    std::chrono::milliseconds m_gueltig;
    std::vector<erkundung::Arbeitsgruppe> m_gruppen;
    QString m_eigene;
    std::optional<std::chrono::steady_clock::time_point> m_stand;
};

// The own workgroup: libsmbclient's, else the [global] workgroup of /etc/samba/smb.conf, else
// "WORKGROUP".
QString eigeneArbeitsgruppe();

// Every libsmbclient call of the process holds this lock: Debian's library does not export its
// thread set-up (smbc_thread_posix), and without it its internal memory frames are one global stack
// that concurrent calls corrupt. Nothing may wait for another thread while holding it.
std::mutex& smbSperre();

// Whether `port` of `adresse` accepts a TCP connection within `zeit`.
bool portOffen(const QHostAddress& adresse, quint16 port, std::chrono::milliseconds zeit);

// The disk and printer shares of the computer at `adresse`, in the server's order; IPC and
// COMMS left out. None when it cannot be reached within `zeit` (TCP check plus SMB timeout).
std::optional<std::vector<Freigabe>> freigabenLesen(const QHostAddress& adresse, std::chrono::milliseconds zeit);

}  // namespace plattform
