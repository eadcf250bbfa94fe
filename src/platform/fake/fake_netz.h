#pragma once
// A prepared network resource tree for tests.
//
//   plattform::FakeNetz netz;
//   netz.kind(FakeNetz::oben, {atAnbieter, vwBehaelter, rtAlle, "Anbieter"});
//   netz.kind("Anbieter", {atArbeitsgruppe, vwBehaelter, rtAlle, "AG"});
//   netz.kind("AG", {atComputer, vwBehaelter, rtAlle, "\\\\PC1"});
//   netz.kind("\\\\PC1", {atFreigabe, vwVerbindbar, rtPlatte, "\\\\PC1\\Daten"});
//   netz.ebene("AG").oeffnenScheitert = true;          // this level cannot be opened
//   plattform::Installation inst({.netz = &netz});
//
// Levels are keyed by their parent's remote name; entries come in the order they were added.
// An enumeration of a resource type other than "any" leaves out entries of another type.
#include "platform/netz.h"

#include <QHash>
#include <QMap>

#include <atomic>
#include <mutex>

namespace plattform {

struct FakeEbene {
    std::vector<Netzressource> eintraege;
    bool oeffnenScheitert = false;
    int fehler = 0;              // when not 0, every read answers this
    qsizetype mindestpuffer = 0; // a smaller buffer gets leMehrDaten asking for this size
    int proAufruf = 0;           // entries per read at most (0: as many as fit)
};

class FakeNetz : public Netz {
public:
    static inline const QString oben = QStringLiteral("<oben>");
    static inline const QString kontext = QStringLiteral("<kontext>");  // the own workgroup

    FakeEbene& ebene(const QString& eltern) { return m_ebenen[eltern]; }
    void kind(const QString& eltern, const Netzressource& r) { m_ebenen[eltern].eintraege.push_back(r); }

    // Calls `beimWarten` once per open, as a backend that waits would.
    std::unique_ptr<Netzaufzaehlung> oeffnen(Netzfrage frage, Ressourcentyp typ, const Netzressource* eltern,
                                             const std::function<void()>& beimWarten) override;

    // Addresses by name (any case), for any thread; counts the questions.
    void adresseSetzen(const QString& name, const QString& adresse);
    QString adresse(const QString& name, const std::function<void()>& beimWarten) override;
    std::atomic<int> adressfragen{0};

    // What the walk did: enumerations opened, still open, most open at once; buffer sizes and
    // resource types asked for, in call order.
    int geoeffnet = 0;
    int offen = 0;
    int hoechstensOffen = 0;
    std::vector<qsizetype> puffergroessen;
    std::vector<Ressourcentyp> typen;

private:
    friend class FakeAufzaehlung;
    QMap<QString, FakeEbene> m_ebenen;
    std::mutex m_sperre;
    QHash<QString, QString> m_adressen;
};

}  // namespace plattform
