#include "output/textausgabe.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

#include "output/codepage.h"
#include "output/systemfehler.h"
#include "platform/plattform.h"

int fehlernummer(int gemerkt, QFileDevice::FileError art)
{
    if (gemerkt != 0)
        return gemerkt;
    switch (art) {
    case QFileDevice::PermissionsError:
        return EACCES;
    case QFileDevice::OpenError:
        return ENOENT;
    default:
        return EIO;
    }
}

namespace {

bool fehler(QString* fehlertext, int nummer)
{
    if (fehlertext)
        *fehlertext = systemfehlertext(nummer);
    return false;
}

}  // namespace

bool zielBeschreibbar(const QString& pfad, QString* fehlertext)
{
    // QSaveFile would quietly replace a write-protected file by renaming over it; a file whose
    // owner may not write is read-only, also for root. A directory or special file in its place
    // is an error, not something to replace.
    const QFileInfo info(pfad);
    if (info.exists()) {
        if (info.isDir())
            return fehler(fehlertext, EISDIR);
        if (!info.isFile())
            return fehler(fehlertext, EACCES);
        if (!info.isWritable() || !info.permission(QFileDevice::WriteOwner))
            return fehler(fehlertext, EACCES);
    }
    return true;
}

bool dateiSicherSchreiben(const QString& pfad, const QByteArray& daten, QString* fehlertext)
{
    if (!zielBeschreibbar(pfad, fehlertext))
        return false;

    QSaveFile datei(pfad);
    errno = 0;
    if (!datei.open(QIODevice::WriteOnly))
        return fehler(fehlertext, fehlernummer(errno, datei.error()));
    errno = 0;
    if (datei.write(daten) != daten.size()) {
        const int nummer = fehlernummer(errno, datei.error());
        datei.cancelWriting();
        return fehler(fehlertext, nummer);
    }
    // QSaveFile buffers small writes and ignores a failed flush in commit(): on a full disk it
    // would put an empty file in place of the old one. The data must be on disk before the rename.
    errno = 0;
    if (!datei.flush() || (::fsync(datei.handle()) != 0 && errno != EINVAL && errno != EROFS)) {
        const int nummer = fehlernummer(errno, datei.error());
        datei.cancelWriting();
        return fehler(fehlertext, nummer);
    }
    errno = 0;
    if (!datei.commit())
        return fehler(fehlertext, fehlernummer(errno, datei.error()));
    return true;
}

QByteArray textdateiInhalt(const QStringList& zeilen)
{
    return zeilenMitCrLf(zeilen, plattformCodepage());
}

bool textdateiSchreiben(const QString& pfad, const QStringList& zeilen, QString* fehlertext)
{
    return dateiSicherSchreiben(pfad, textdateiInhalt(zeilen), fehlertext);
}

bool imArbeitsverzeichnisSchreiben(const QString& name, const QStringList& zeilen, QString* fehlertext)
{
    const QString wo = plattform::arbeitsverzeichnis();
    if (plattform::pfadart(wo) != plattform::Pfadart::netzwerk)
        return textdateiSchreiben(name, zeilen, fehlertext);
    // A share cannot be the process's working directory: its file system writes the file.
    const int nummer = plattform::dateisystemFuer(wo).dateiSchreiben(wo + u'\\' + name, textdateiInhalt(zeilen));
    return nummer == 0 || fehler(fehlertext, nummer);
}
