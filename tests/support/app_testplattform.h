#pragma once
// A platform for the window tests of the application shell: the real file system through
// POSIX calls, and drive letters that a test maps to directories of its own.
#include <QMap>

#include "platform/plattform.h"

class AppDateisystem : public plattform::Dateisystem {
public:
    bool auflisten(const QByteArray& verzeichnis, const QString& maske, bool nurVerzeichnisse,
                   const std::function<bool(const plattform::Dateidaten&)>& jeEintrag) override;
    bool kennung(const QByteArray& pfad, quint64* geraet, quint64* inode) override;
    QString arbeitsverzeichnis() override;
    int setzeArbeitsverzeichnis(const QString& pfad) override;
};

class AppLaufwerke : public plattform::Laufwerke {
public:
    QMap<QChar, QString> wurzeln{{QChar(u'C'), QStringLiteral("/")}};
    QMap<QChar, QString> bezeichnungen;
    QString system = QStringLiteral("/");

    quint32 logischeLaufwerke() override;
    QString wurzel(QChar buchstabe) override;
    QChar laufwerkVon(const QString& pfad) override;
    int laufwerkstyp(QChar buchstabe) override;
    bool volumeninformation(const QString& wurzel, QString* bezeichnung) override;
    bool speicherplatz(const QString& wurzel, qint64* gesamt, qint64* frei) override;
    QString systemverzeichnis() override { return system; }
};

// Installs fresh instances of both and returns them.
struct AppTestplattform {
    AppDateisystem dateisystem;
    AppLaufwerke laufwerke;
    void installieren() { plattform::installieren(&dateisystem, &laufwerke); }
};
