#pragma once
// The Linux backend: directories through openat/readdir/fstatat on raw byte names, drive letters
// from the mount table.
#include "platform/linux/linux_einhaengungen.h"
#include "platform/plattform.h"

#include <array>
#include <mutex>

namespace plattform {

class LinuxDateisystem : public Dateisystem {
public:
    LinuxDateisystem() = default;
    ~LinuxDateisystem() override;
    LinuxDateisystem(const LinuxDateisystem&) = delete;
    LinuxDateisystem& operator=(const LinuxDateisystem&) = delete;

    bool auflisten(const QByteArray& verzeichnis, const QString& maske, bool nurVerzeichnisse,
                   const std::function<bool(const Dateidaten&)>& jeEintrag) override;
    bool kennung(const QByteArray& pfad, quint64* geraet, quint64* inode) override;
    QString arbeitsverzeichnis() override;
    int setzeArbeitsverzeichnis(const QString& pfad) override;

private:
    // open(2) for any length: paths beyond PATH_MAX are opened piece by piece with openat.
    int oeffnen(const QByteArray& pfad, int flags);

    std::mutex m_cacheSperre;
    QByteArray m_letzterPfad;  // the last long path opened, and a descriptor of it
    int m_letzterFd = -1;
};

class LinuxLaufwerke : public Laufwerke {
public:
    quint32 logischeLaufwerke() override;
    QString wurzel(QChar buchstabe) override;
    QChar laufwerkVon(const QString& pfad) override;
    int laufwerkstyp(QChar buchstabe) override;
    // Succeeds only on a mount point, as the Windows call only answers for a volume's root.
    bool volumeninformation(const QString& wurzel, QString* bezeichnung) override;
    // Any directory will do; the answer is for the file system holding it.
    bool speicherplatz(const QString& wurzel, qint64* gesamt, qint64* frei) override;
    QString systemverzeichnis() override;

private:
    // Re-reads the mount table; the letters are worked out again only when it changed.
    void aktualisieren();
    const linuxlw::Laufwerk* laufwerk(QChar buchstabe);

    std::recursive_mutex m_sperre;
    QByteArray m_mountinfo;
    bool m_gelesen = false;
    QList<linuxlw::Einhaengung> m_tabelle;
    std::array<linuxlw::Laufwerk, 26> m_laufwerke;
};

}  // namespace plattform
