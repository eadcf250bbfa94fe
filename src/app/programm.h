#pragma once
// The program's name, version and home page, kept in one place.
#include <QString>

namespace programm {
inline const QString name = QStringLiteral("Zembrola");
inline const QString version = QStringLiteral("3.1");
inline const QString webadresse = QStringLiteral("https://www.zembrola.de");
// Id of the desktop entry, the icon and the AppStream data (packaging/ names its files so).
inline const QString desktopId = QStringLiteral("de.zembrola.Zembrola");
}  // namespace programm
