#pragma once
// Printers from CUPS: the destinations the scheduler (or CUPS_SERVER) reports, and the default.
#include "platform/systemquellen.h"

namespace plattform {

class LinuxDrucker : public Drucker {
public:
    // "name,printer-make-and-model,device-uri"; cupsd already strips passwords from the URI.
    QString standarddrucker() const override;
    QStringList druckerliste() const override;
    // One bounded question to CUPS; empty when it does not answer in about a second.
    Stand stand() const override;
};

}  // namespace plattform
