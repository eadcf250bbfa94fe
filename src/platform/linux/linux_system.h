#pragma once
// The reports' registry, WMI and machine facts on Linux, read from /proc, /sys, /etc and /run.
// Every file is read below a root directory, so the code runs unchanged on prepared trees.
#include "platform/systemquellen.h"

#include <QStringList>

#include <memory>
#include <optional>

namespace plattform {

struct Linuxquellen {
    QString wurzel = QStringLiteral("/");
    // uname's machine; empty: the running kernel's.
    QString maschine;
    // Addresses, masks, the user and the address-space limit come from system calls, which only
    // make sense for the machine's own root.
    bool systemaufrufe = true;
    // The IPv4 addresses the interfaces hold now; unset: asked of the system where system calls
    // are made, none otherwise.
    std::optional<QStringList> adressen;
};

class LinuxSystem : public Registry, public Wmi, public Rechner {
public:
    explicit LinuxSystem(Linuxquellen quellen = {});

    bool schluesselDa(const QString& pfad) const override;
    std::optional<Regwert> wert(const QString& pfad, const QString& name) const override;
    std::optional<QStringList> unterschluessel(const QString& pfad) const override;

    std::optional<QList<Wmiobjekt>> abfrage(const QString& klasse) const override;

    Speicherstatus speicherstatus() const override;
    QString prozessoren() const override;
    bool ist64bit() const override;
    QString benutzername() const override;
    QString rechnername() const override;
    QString arbeitsgruppe() const override;
    std::optional<QStringList> ipadressen() const override;
    QString macadresse() const override;
    QString netzwerkmaske() const override;
    QStringList dnsserver() const override;
    bool netzwerkDa() const override;

    // A key with its values and the names of its subkeys.
    struct Schluessel {
        QStringList unter;
        QList<QPair<QString, Regwert>> werte;
    };

private:
    std::optional<Schluessel> schluessel(const QString& pfad) const;
    QString datei(const QString& pfad) const;  // below the root
    QByteArray dateiRoh(const QString& pfad) const;
    QString maschine() const;

    // The block devices of one scan of /sys/block, which every question of a report about drives
    // shares: asking per question cost a scan per disk, quadratic in their number.
    struct Blockliste;
    struct Blockspeicher;
    std::shared_ptr<const Blockliste> blockgeraete() const;

    Linuxquellen m_q;
    std::shared_ptr<Blockspeicher> m_block;
};

}  // namespace plattform
