#pragma once
// Drive information: small stateless questions about a drive letter. A library of its own
// (zsysinfo_laufwerke), so the listing needs nothing that the system and network reports link.
#include <QChar>
#include <QString>

namespace Sys_unit {

// Index 0..25 stands for A..Z; the drive number of the space queries is the index plus one.
bool laufwerkda(int index);
// `x` is a drive letter or a root path; true when a readable volume is present.
bool datentraegerda(const QString& x);
QString laufwerksname(QChar buchstabe);
QString laufwerkstyp(int index);
qint64 laufwerksgroesse(int nummer);
qint64 laufwerksfrei(int nummer);

}  // namespace Sys_unit
