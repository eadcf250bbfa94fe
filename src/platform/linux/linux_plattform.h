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
    Q_DISABLE_COPY_MOVE(LinuxDateisystem)
    ~LinuxDateisystem() override;

    bool auflisten(const QByteArray& verzeichnis, const QString& maske, bool nurVerzeichnisse,
                   const std::function<bool(const Dateidaten&)>& jeEintrag) const override;
    std::optional<Kennung> kennung(const QByteArray& pfad) const override;
    QString arbeitsverzeichnis() const override;
    int setzeArbeitsverzeichnis(const QString& pfad) override;

private:
    // open(2) for any length: paths beyond PATH_MAX are opened piece by piece with openat.
    int oeffnen(const QByteArray& pfad, int flags) const;

    mutable std::mutex m_cacheSperre;
    mutable QByteArray m_letzterPfad;  // the last long path opened, and a descriptor of it
    mutable int m_letzterFd = -1;
};

class LinuxLaufwerke : public Laufwerke {
public:
    quint32 logischeLaufwerke() const override;
    QString wurzel(QChar buchstabe) const override;
    QChar laufwerkVon(const QString& pfad) const override;
    Laufwerksart laufwerkstyp(QChar buchstabe) const override;
    // Answers only on a mount point, as the Windows call only answers for a volume's root.
    std::optional<QString> volumeninformation(const QString& wurzel) const override;
    // Any directory will do; the answer is for the file system holding it.
    std::optional<Speicherplatz> speicherplatz(const QString& wurzel) const override;
    QString systemverzeichnis() const override;
    void vorabFragen() const override;

private:
    // Re-reads the mount table; the letters are worked out again only when it changed. A cache
    // of the table: asking stays const.
    void aktualisieren() const;
    linuxlw::Einhaengung einhaengungAn(const QByteArray& punkt, bool* eingehaengt) const;
    const linuxlw::Laufwerk* laufwerk(QChar buchstabe) const;

    mutable std::recursive_mutex m_sperre;
    mutable QByteArray m_mountinfo;
    mutable bool m_gelesen = false;
    mutable QList<linuxlw::Einhaengung> m_tabelle;
    mutable std::array<linuxlw::Laufwerk, 26> m_laufwerke;
};

}  // namespace plattform
