#pragma once
// Collectors of machine facts for the reports. Each asks the platform afresh and keeps no state;
// lists are filled into the caller's list. Registry readers raise Registryfehler, which ends the
// report that asked.
#include "platform/systemquellen.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

struct Registryfehler : std::runtime_error {
    explicit Registryfehler(const QString& text) : std::runtime_error(text.toLocal8Bit().toStdString()), meldung(text) {}
    QString meldung;
};

namespace system_a {

enum class Wurzelschluessel { lokaleMaschine };

QString regtext(const QString& pfad, const QString& name);
qint32 regzahl(const QString& pfad, const QString& name);
void regmultitext(Wurzelschluessel wurzel, const QString& pfad, const QString& name, QStringList& liste);

plattform::Speicherstatus speicherstatus();
QString benutzername();
QString rechnername();
QString arbeitsgruppe();
bool ipadressen(QStringList& liste);
QString macadresse();
QString netzwerkmaske();
QString directxversion();
int farbtiefe();
quint32 bildfrequenz();
QList<std::optional<plattform::Anzeigemodus>> anzeigemodi();
QList<plattform::Anzeigegeraet> anzeigegeraete();
QString standarddrucker();
QStringList druckerliste();
plattform::Drucker::Stand druckerstand();

}  // namespace system_a

namespace Sys_unit {

// One friendly name per device instance below SYSTEM\CurrentControlSet\Enum\<bus>.
void geraetenamen(const QString& bus, QStringList& liste);
// Appends the property of every object of the class; false when the query failed.
bool wmiabfrage(const QString& klasse, const QString& eigenschaft, QStringList& liste, bool feld);
// "%4.0f MByte" of the last object's property, or empty.
QString wmimbyte(const QString& server, const QString& klasse, const QString& eigenschaft);

}  // namespace Sys_unit

namespace iphlp {
void dnsliste(QStringList& liste);
}
