#pragma once
// Network paths (\\PC1\Daten\Sub) listed over SMB2/3 through libsmbclient, always by address.
// Each thread has its own libsmbclient context; every wait is bounded by the timeout. Called on
// the user-interface thread, every network question runs in a worker while the window is kept
// painted (anzeigeErhalten).
#include "platform/anmeldung.h"
#include "platform/linux/netz/smbleser.h"
#include "platform/netzpfad.h"
#include "platform/plattform.h"

#include <QMap>
#include <QSet>

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace plattform {

class SmbDateisystem : public Dateisystem {
public:
    // Name → dotted IPv4 address (empty: unknown). Called from any thread.
    using Adressfrage = std::function<QString(const QString& computer)>;

    explicit SmbDateisystem(Adressfrage adresse, std::chrono::milliseconds zeit = std::chrono::milliseconds(3000));
    Q_DISABLE_COPY_MOVE(SmbDateisystem)
    ~SmbDateisystem() override;

    bool auflisten(const QByteArray& verzeichnis, const QString& maske, bool nurVerzeichnisse,
                   const std::function<bool(const Dateidaten&)>& jeEintrag) const override;
    std::optional<Kennung> kennung(const QByteArray& pfad) const override;
    QString arbeitsverzeichnis() const override;
    int setzeArbeitsverzeichnis(const QString& pfad) override;
    int dateiSchreiben(const QString& pfad, const QByteArray& daten) override;

    // For libsmbclient's callback: what to present to `computer`'s share (guest when none).
    std::optional<Anmeldung> anmeldungFuer(const QString& adresse, const QString& freigabe) const;

private:
    struct Ziel;
    std::optional<Ziel> ziel(const QString& pfad) const;
    // One request about `z` in a helper process, or here when none can run: 0, or the errno.
    int anfrage(const Ziel& z, smbleser::Art art, bool nurVerzeichnisse, std::vector<Dateidaten>& aus) const;
    // Opens the directory; when the share refuses, asks for credentials (anmeldungErfragen) once
    // and keeps them only when they work.
    int verzeichnisPruefen(const Ziel& z, bool fragen);
    int schreiben(const QString& pfad, const QByteArray& daten) const;

    Adressfrage m_adresseFrage;
    std::chrono::milliseconds m_zeit;
    QString m_arbeitsverzeichnis;

    mutable std::mutex m_sperre;
    mutable QMap<QString, QString> m_adressen;  // upper-case computer → address, for the run
};

}  // namespace plattform
