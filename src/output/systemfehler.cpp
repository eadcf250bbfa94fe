#include "output/systemfehler.h"

#include <cerrno>

QString systemfehlertext(int errnoWert)
{
    switch (errnoWert) {
    case ENOENT:
        return QStringLiteral("Datei nicht gefunden");
    case ENOTDIR:
        return QStringLiteral("Pfad nicht gefunden");
    case EACCES:
    case EPERM:
        return QStringLiteral("Dateizugriff verweigert");
    case EROFS:
        return QString::fromUtf8("Datenträger ist schreibgeschützt");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Festplatte voll");
    case EFBIG:
        return QString::fromUtf8("Datei zu groß");
    case EMFILE:
    case ENFILE:
        return QString::fromUtf8("Zu viele geöffnete Dateien");
    case ENAMETOOLONG:
    case EINVAL:
        return QString::fromUtf8("Ungültiger Dateiname");
    case EISDIR:
        return QStringLiteral("Datei ist ein Verzeichnis");
    case EEXIST:
        return QStringLiteral("Datei existiert bereits");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Datei wird gerade verwendet");
    case ELOOP:
        return QString::fromUtf8("Zu viele symbolische Verknüpfungen");
    case ENOMEM:
        return QStringLiteral("Zu wenig Arbeitsspeicher");
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
        return QStringLiteral("Laufwerk nicht bereit");
    case EIO:
        return QStringLiteral("Lese- oder Schreibfehler");
    case ETIMEDOUT:
    case EHOSTUNREACH:
    case ENETUNREACH:
    case EHOSTDOWN:
        return QStringLiteral("Netzwerkpfad nicht erreichbar");
    default:
        return QStringLiteral("E/A-Fehler %1").arg(errnoWert);
    }
}
