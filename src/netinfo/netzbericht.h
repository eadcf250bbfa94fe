#pragma once
// The network report, line by line, into a text area.
#include <QString>
#include <QStringList>

#include <functional>

#include "platform/netz.h"
#include "platform/netzpfad.h"
#include "sysinfo/systembericht.h"

// What the report takes from its window and from the network.
class Netzberichtsumgebung {
public:
    virtual ~Netzberichtsumgebung() = default;
    // "Meldungsfenster anzeigen", read afresh where the build asks.
    virtual bool meldungen() const = 0;
    // The current date and time in the user's formats (only the date at exactly midnight).
    virtual QString erstellungsdatum() const = 0;
    // The network walk for any resource type, keeping the remote names of one display type
    // (1 workgroups, 3 shares), in walk order.
    virtual QStringList ressourcen(int anzeigetyp) = 0;
    // The own workgroup's resources (\\NAME for computers); false when the enumeration could not
    // be opened or closed. What was found so far stays in `rechner`.
    virtual bool rechnerInWG(QStringList& rechner) = 0;
    virtual QString localHostName() = 0;
    // A dotted IPv4 address, or empty.
    virtual QString lookupHostAddr(const QString& name) = 0;
    // The message box of a failed enumeration.
    virtual void meldung(const QString& text) = 0;
};

// The report's questions as the installed platform answers them; the window and the command line
// add the wait-window switch, the date and the message.
class Netzplattformumgebung : public Netzberichtsumgebung {
public:
    QStringList ressourcen(int anzeigetyp) override;
    bool rechnerInWG(QStringList& rechner) override;
    QString localHostName() override;
    // Lets messages through while it waits only with the wait window on, as the build's steps do.
    QString lookupHostAddr(const QString& name) override;
};

void netzwerkberichtSchreiben(Berichtsziel& ziel, Netzberichtsumgebung& umgebung);

// The shares of `computer` among the walk's shares, each without the computer part.
using plattform::freigabenVon;
// "0.0.0.0" for an empty name; a name beginning with a digit as a dotted IPv4 address (unchanged
// or empty); otherwise empty, for the caller to resolve.
std::optional<QString> hostAddrOhneAufloesung(const QString& name);
// The host name (gethostname), empty when it cannot be read.
QString LocalHostName();
// `hostAddrOhneAufloesung`, else the installed network's lookup: a dotted IPv4 address or empty.
QString LookupHostAddr(const QString& name, const std::function<void()>& beimWarten = {});

// The resources of the own workgroup's context (for computers \\NAME), as one read of a 16 KiB
// buffer; false when the enumeration cannot be opened. `clients` keeps what was read.
bool RechnerInWG(const plattform::Netzressource* eltern, QStringList& clients);
// The walk's names of one display type (1 workgroups, 3 shares), any resource type, responsive.
QStringList netzressourcenVom(quint32 anzeigetyp);
