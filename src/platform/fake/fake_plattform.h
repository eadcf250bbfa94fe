#pragma once
// Prepared file systems and drives for tests.
//
//   plattform::FakeDateisystem fs;
//   fs.verzeichnis("/daten/alt");                       // parents are made as needed
//   fs.datei("/daten/a.txt", 1200, zeit);               // archive attribute by default
//   fs.datei("/daten/.b", 5, zeit, plattform::faHidden | plattform::faReadOnly);
//   fs.unlesbar("/daten/alt");                          // listing it fails
//   fs.verknuepfung("/daten/alt/zurueck", "/daten");     // a directory link: a cycle
//   plattform::FakeLaufwerke lw;                        // C: is "/", ready, empty label
//   lw.setze('E', {"/media/karte", plattform::dtWechselmedium, "", false});  // no medium
//   plattform::Installation inst({.dateisystem = &fs, .laufwerke = &lw});  // put back at scope end
//
// Paths are absolute, "/"-separated byte strings; entries are listed in the order they were added.
#include <atomic>
#include "platform/plattform.h"

#include <QMap>

#include <memory>
#include <vector>

namespace plattform {

class FakeDateisystem : public Dateisystem {
public:
    FakeDateisystem();
    ~FakeDateisystem() override;

    // Makes a directory (and its parents). Existing entries are left as they are.
    void verzeichnis(const QByteArray& pfad, qint64 schreibzeit = 0, quint32 attribute = 0);
    // Makes or replaces a file; parents are made as needed. faDirectory in `attribute` is ignored.
    void datei(const QByteArray& pfad, qint64 groesse, qint64 schreibzeit = 0, quint32 attribute = faArchive);
    // A listing of this directory (or of anything below it) fails, as with missing permissions.
    void unlesbar(const QByteArray& pfad, bool unlesbar = true);
    // An entry that is a link to the directory `ziel`: listed with the directory attribute and the
    // target's identity, so a walk through it meets `ziel` again. `ziel` must exist when listed.
    void verknuepfung(const QByteArray& pfad, const QByteArray& ziel, quint32 attribute = 0);
    // Removes an entry and everything below it.
    void entfernen(const QByteArray& pfad);

    // Number of auflisten() calls so far, for tests that count enumerations.
    int auflistungen() const { return m_auflistungen.load(); }

    bool auflisten(const QByteArray& verzeichnis, const QString& maske, bool nurVerzeichnisse,
                   const std::function<bool(const Dateidaten&)>& jeEintrag) const override;
    std::optional<Kennung> kennung(const QByteArray& pfad) const override;
    QString arbeitsverzeichnis() const override;
    // Fails with ENOENT, ENOTDIR or EACCES as a real chdir would.
    int setzeArbeitsverzeichnis(const QString& pfad) override;

private:
    struct Knoten;
    Knoten* finden(const QByteArray& pfad, bool letztenFolgen, bool* unlesbar = nullptr) const;
    Knoten* anlegen(const QByteArray& pfad);

    std::unique_ptr<Knoten> m_wurzel;
    quint64 m_naechsteNummer = 1;
    QString m_arbeitsverzeichnis = QStringLiteral("/");
    // The walk reads ahead on several threads at once.
    mutable std::atomic<int> m_auflistungen{0};
};

// One prepared drive.
struct FakeLaufwerk {
    QString wurzel;                // mount point the letter stands for
    Laufwerksart art = dtFestplatte;
    QString bezeichnung;           // volume label
    bool bereit = true;            // a medium is present
    qint64 gesamt = 0;             // bytes
    qint64 frei = 0;               // bytes free to the caller
};

class FakeLaufwerke : public Laufwerke {
public:
    // Starts with C: at "/", a ready fixed disk without label, and "/" as the system directory.
    FakeLaufwerke();

    void setze(QChar buchstabe, const FakeLaufwerk& laufwerk);
    void entferne(QChar buchstabe);
    void leeren();
    void setzeSystemverzeichnis(const QString& pfad) { m_systemverzeichnis = pfad; }

    quint32 logischeLaufwerke() const override;
    QString wurzel(QChar buchstabe) const override;
    QChar laufwerkVon(const QString& pfad) const override;
    Laufwerksart laufwerkstyp(QChar buchstabe) const override;
    // Answers for the root of a ready drive only.
    std::optional<QString> volumeninformation(const QString& wurzel) const override;
    std::optional<Speicherplatz> speicherplatz(const QString& wurzel) const override;
    QString systemverzeichnis() const override;

private:
    const FakeLaufwerk* anWurzel(const QString& wurzel) const;

    QMap<QChar, FakeLaufwerk> m_laufwerke;
    QString m_systemverzeichnis = QStringLiteral("/");
};

// Every fake backend at once; a new facility's fake joins here, so tests that take the whole
// bundle get it without a change:
//   plattform::FakePlattform p;
//   p.dateisystem.datei("/d/a.txt", 1);
//   plattform::Installation inst(p.buendel());
struct FakePlattform {
    FakeDateisystem dateisystem;
    FakeDateisystem netzdateisystem;
    FakeLaufwerke laufwerke;

    Plattform buendel()
    {
        return {.dateisystem = &dateisystem, .netzdateisystem = &netzdateisystem, .laufwerke = &laufwerke};
    }
};

}  // namespace plattform
