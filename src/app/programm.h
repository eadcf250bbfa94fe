#pragma once
// The program's name, version and home page, kept in one place.
#include <QString>

namespace programm {
inline const QString name = QStringLiteral("Zembrola");
inline const QString version = QStringLiteral("3.1");
inline const QString webadresse = QStringLiteral("https://www.zembrola.de");
}  // namespace programm
