#include "app_testplattform.h"

#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

bool AppDateisystem::auflisten(const QByteArray& verzeichnis, const QString& maske, bool nurVerzeichnisse,
                               const std::function<bool(const plattform::Dateidaten&)>& jeEintrag)
{
    DIR* d = opendir(verzeichnis.constData());
    if (!d)
        return false;
    const QString muster = maske == u"*.*" ? QStringLiteral("*") : maske;
    const QRegularExpression ausdruck(QRegularExpression::wildcardToRegularExpression(muster),
                                      QRegularExpression::CaseInsensitiveOption);
    while (dirent* e = readdir(d)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        if (!ausdruck.match(QFile::decodeName(name)).hasMatch())
            continue;
        struct stat st {};
        if (fstatat(dirfd(d), e->d_name, &st, 0) != 0)
            continue;
        plattform::Dateidaten daten;
        daten.rohname = name;
        if (S_ISDIR(st.st_mode))
            daten.attribute |= plattform::faDirectory;
        else if (nurVerzeichnisse)
            continue;
        if (name.startsWith('.'))
            daten.attribute |= plattform::faHidden;
        daten.groesse = st.st_size;
        daten.schreibzeit = st.st_mtime;
        if (!jeEintrag(daten))
            break;
    }
    closedir(d);
    return true;
}

bool AppDateisystem::kennung(const QByteArray& pfad, quint64* geraet, quint64* inode)
{
    struct stat st {};
    if (stat(pfad.constData(), &st) != 0)
        return false;
    *geraet = st.st_dev;
    *inode = st.st_ino;
    return true;
}

QString AppDateisystem::arbeitsverzeichnis()
{
    char puffer[4096];
    if (!getcwd(puffer, sizeof puffer))
        return QString();
    return QFile::decodeName(puffer);
}

int AppDateisystem::setzeArbeitsverzeichnis(const QString& pfad)
{
    return chdir(QFile::encodeName(pfad).constData()) == 0 ? 0 : errno;
}

quint32 AppLaufwerke::logischeLaufwerke()
{
    quint32 bits = 0;
    for (auto it = wurzeln.cbegin(); it != wurzeln.cend(); ++it)
        bits |= 1u << (it.key().unicode() - u'A');
    return bits;
}

QString AppLaufwerke::wurzel(QChar buchstabe)
{
    return wurzeln.value(buchstabe);
}

QChar AppLaufwerke::laufwerkVon(const QString& pfad)
{
    QChar bester;
    int laenge = -1;
    for (auto it = wurzeln.cbegin(); it != wurzeln.cend(); ++it) {
        const QString& w = it.value();
        const bool passt = pfad == w || w == u"/" || pfad.startsWith(w + u'/');
        if (passt && w.size() > laenge) {
            bester = it.key();
            laenge = static_cast<int>(w.size());
        }
    }
    return bester;
}

int AppLaufwerke::laufwerkstyp(QChar buchstabe)
{
    return wurzeln.contains(buchstabe) ? plattform::dtFestplatte : plattform::dtKeineWurzel;
}

bool AppLaufwerke::volumeninformation(const QString& wurzel, QString* bezeichnung)
{
    for (auto it = wurzeln.cbegin(); it != wurzeln.cend(); ++it)
        if (it.value() == wurzel) {
            if (bezeichnung)
                *bezeichnung = bezeichnungen.value(it.key());
            return true;
        }
    return false;
}

bool AppLaufwerke::speicherplatz(const QString&, qint64* gesamt, qint64* frei)
{
    *gesamt = 1000;
    *frei = 500;
    return true;
}
