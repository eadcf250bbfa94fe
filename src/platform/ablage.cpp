#include "platform/ablage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace plattform {

namespace {
QString installiertesDatenverzeichnis()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/" ZEMBROLA_DATEN_RELATIV));
}
}  // namespace

bool imInstallationsbaum()
{
    return QFileInfo(installiertesDatenverzeichnis()).isDir();
}

QString datenverzeichnis()
{
    const QString neben = QCoreApplication::applicationDirPath();
    if (QFileInfo(neben + QStringLiteral("/hilfe")).isDir() || !imInstallationsbaum())
        return neben;
    return installiertesDatenverzeichnis();
}

}  // namespace plattform
