#pragma once
// Network resources as a tree: workgroups, computers, shares. A caller opens an enumeration of
// "the children of this parent" and reads it with a buffer of a given size, as the Windows
// resource enumeration does; the same interface answers "the computers of the own workgroup".
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace plattform {

// Display types of a resource.
enum Anzeigetyp : quint32 {
    atAllgemein = 0,
    atArbeitsgruppe = 1,  // domain or workgroup, plain name
    atComputer = 2,       // \\NAME
    atFreigabe = 3,       // \\NAME\share
    atAnbieter = 6,       // a network provider
};

// Usage flags.
enum Verwendung : quint32 {
    vwVerbindbar = 1,
    vwBehaelter = 2,  // has children
};

// Resource types, both of an entry and of what an enumeration asks for.
enum Ressourcentyp : quint32 {
    rtAlle = 0,
    rtPlatte = 1,
    rtDrucker = 2,
};

// Which question an enumeration answers.
enum class Netzfrage {
    ganzesNetz,          // the children of a parent; no parent is the top of the network
    eigeneArbeitsgruppe, // the computers of the own workgroup; the parent is ignored
};

struct Netzressource {
    quint32 anzeigetyp = atAllgemein;
    quint32 verwendung = 0;
    quint32 ressourcentyp = rtAlle;
    QString fernname;  // empty when the resource has none
    bool operator==(const Netzressource&) const = default;
};

// Bytes one entry takes in an answer buffer: the fixed record and its name with terminator.
qsizetype eintragsgroesse(const Netzressource& r);

enum Leseergebnis : int {
    leOk = 0,
    leMehrDaten = 234,       // the buffer is too small; `benoetigt` says how large it must be
    leKeineWeiteren = 259,   // nothing (more) to read
};

struct Antwort {
    int ergebnis = leKeineWeiteren;  // one of Leseergebnis, or another failure number
    std::vector<Netzressource> eintraege;
    qsizetype benoetigt = 0;
};

// An open enumeration; closed by its destructor.
class Netzaufzaehlung {
public:
    virtual ~Netzaufzaehlung() = default;
    // The entries that fit into `puffergroesse` bytes, from where the last call stopped.
    virtual Antwort lesen(qsizetype puffergroesse) = 0;
};

class Netz {
public:
    virtual ~Netz() = default;
    // Opens the enumeration of `eltern`'s children (none: the top) of resource type `typ`;
    // none when it cannot be opened. Called on the user-interface thread; a backend bounds its
    // waits and, while it waits, calls `beimWarten` (when set) at least every 50 ms.
    virtual std::unique_ptr<Netzaufzaehlung> oeffnen(Netzfrage frage, Ressourcentyp typ, const Netzressource* eltern,
                                                     const std::function<void()>& beimWarten) = 0;

    // The IPv4 address of computer `name` (short name, any case) as dotted text, empty when it
    // cannot be found. Any thread; bounded as `oeffnen` is, calling `beimWarten` (when set) while
    // it waits. The file system of network paths asks here too.
    virtual QString adresse(const QString& name, const std::function<void()>& beimWarten)
    {
        (void)name;
        (void)beimWarten;
        return {};
    }
};

// An enumeration over a list fixed when it is opened, for backends that know a whole level at
// once. Piecewise: as many entries as fit per call, leMehrDaten when not even the next one fits.
// Whole: leMehrDaten with the size of all that is left unless it fits, so a caller that grows
// its buffer once reads the level in one call.
class Listenaufzaehlung : public Netzaufzaehlung {
public:
    enum Art { stueckweise, ganz };
    explicit Listenaufzaehlung(std::vector<Netzressource> eintraege, Art art = stueckweise)
        : m_eintraege(std::move(eintraege)), m_art(art) {}
    Antwort lesen(qsizetype puffergroesse) override;

private:
    std::vector<Netzressource> m_eintraege;
    Art m_art;
    size_t m_pos = 0;
};

// An empty network: every enumeration fails to open.
class LeeresNetz : public Netz {
public:
    std::unique_ptr<Netzaufzaehlung> oeffnen(Netzfrage, Ressourcentyp, const Netzressource*,
                                             const std::function<void()>&) override
    {
        return nullptr;
    }
};

}  // namespace plattform
