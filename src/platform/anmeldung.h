#pragma once
// Credentials for a network share, asked of the user when a share refuses guest and Kerberos.
// They live in memory for one run: never in a file, the settings or a log.
#include <QString>

#include <functional>
#include <optional>

namespace plattform {

struct Anmeldung {
    QString benutzer;
    QString passwort;
    QString domaene;  // workgroup or domain; empty: the own one
};

// Asks for the credentials of `freigabe` (\\PC1\Daten); none when the user cancels. Installed by
// the window layer (a dialog) or the listing command (the terminal); unset, nobody is asked.
using Anmeldefrage = std::function<std::optional<Anmeldung>(const QString& freigabe)>;
void anmeldefrageSetzen(Anmeldefrage frage);
std::optional<Anmeldung> anmeldungErfragen(const QString& freigabe);

}  // namespace plattform
