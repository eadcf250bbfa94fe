#include "platform/fake/fake_plattform.h"

#include "platform/maske.h"

#include <QFile>

#include <errno.h>

namespace plattform {

struct FakeDateisystem::Knoten {
    QByteArray name;
    quint64 nummer = 0;
    bool istVerzeichnis = false;
    bool unlesbar = false;
    QByteArray linkziel;  // non-empty: a link to this directory
    quint32 attribute = 0;
    qint64 groesse = 0;
    qint64 schreibzeit = 0;
    std::vector<std::unique_ptr<Knoten>> kinder;

    Knoten* kind(const QByteArray& n) const
    {
        for (const auto& k : kinder)
            if (k->name == n)
                return k.get();
        return nullptr;
    }
};

namespace {

QList<QByteArray> teile(const QByteArray& pfad)
{
    QList<QByteArray> t;
    for (const QByteArray& s : pfad.split('/'))
        if (!s.isEmpty() && s != ".")
            t.append(s);
    return t;
}

}  // namespace

FakeDateisystem::FakeDateisystem() : m_wurzel(std::make_unique<Knoten>())
{
    m_wurzel->istVerzeichnis = true;
    m_wurzel->nummer = m_naechsteNummer++;
}

FakeDateisystem::~FakeDateisystem() = default;

FakeDateisystem::Knoten* FakeDateisystem::finden(const QByteArray& pfadEin, bool letztenFolgen, bool* unlesbar) const
{
    // A network path \\PC1\Daten\x is the tree's /PC1/Daten/x.
    const QByteArray pfad = pfadEin.startsWith("\\\\") ? QByteArray(pfadEin).replace('\\', '/') : pfadEin;
    if (!pfad.startsWith('/'))
        return nullptr;
    // Links are resolved by restarting from the target; the bound ends link loops like ELOOP.
    int spruenge = 0;
    QList<QByteArray> rest = teile(pfad);
    Knoten* k = m_wurzel.get();
    bool gesperrt = false;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (!k->istVerzeichnis || !k->linkziel.isEmpty())
            return nullptr;
        gesperrt = gesperrt || k->unlesbar;
        if (rest[i] == "..")
            return nullptr;  // not needed by any caller; keeps resolution simple
        Knoten* n = k->kind(rest[i]);
        if (!n)
            return nullptr;
        const bool letzter = i + 1 == rest.size();
        if (!n->linkziel.isEmpty() && (!letzter || letztenFolgen)) {
            if (++spruenge > 40)
                return nullptr;
            QList<QByteArray> neu = teile(n->linkziel);
            neu.append(rest.mid(i + 1));
            rest = neu;
            k = m_wurzel.get();
            i = -1;
            continue;
        }
        k = n;
    }
    if (unlesbar)
        *unlesbar = gesperrt || k->unlesbar;
    return k;
}

FakeDateisystem::Knoten* FakeDateisystem::anlegen(const QByteArray& pfad)
{
    Knoten* k = m_wurzel.get();
    for (const QByteArray& t : teile(pfad)) {
        Knoten* n = k->kind(t);
        if (!n) {
            auto neu = std::make_unique<Knoten>();
            neu->name = t;
            neu->istVerzeichnis = true;
            neu->attribute = faDirectory;
            neu->nummer = m_naechsteNummer++;
            n = neu.get();
            k->kinder.push_back(std::move(neu));
        }
        k = n;
    }
    return k;
}

void FakeDateisystem::verzeichnis(const QByteArray& pfad, qint64 schreibzeit, quint32 attribute)
{
    const bool neu = !finden(pfad, false);
    Knoten* k = anlegen(pfad);
    if (neu && k != m_wurzel.get()) {
        k->schreibzeit = schreibzeit;
        k->attribute = (attribute & ~quint32(faArchive)) | faDirectory;
    }
}

void FakeDateisystem::datei(const QByteArray& pfad, qint64 groesse, qint64 schreibzeit, quint32 attribute)
{
    const qsizetype schraeg = pfad.lastIndexOf('/');
    Knoten* eltern = anlegen(pfad.left(schraeg));
    const QByteArray name = pfad.mid(schraeg + 1);
    if (name.isEmpty())
        return;
    Knoten* k = eltern->kind(name);
    if (!k) {
        auto neu = std::make_unique<Knoten>();
        neu->name = name;
        neu->nummer = m_naechsteNummer++;
        k = neu.get();
        eltern->kinder.push_back(std::move(neu));
    }
    k->istVerzeichnis = false;
    k->kinder.clear();
    k->linkziel.clear();
    k->groesse = groesse;
    k->schreibzeit = schreibzeit;
    k->attribute = attribute & ~quint32(faDirectory);
}

void FakeDateisystem::unlesbar(const QByteArray& pfad, bool wert)
{
    if (Knoten* k = finden(pfad, false))
        k->unlesbar = wert;
}

void FakeDateisystem::verknuepfung(const QByteArray& pfad, const QByteArray& ziel, quint32 attribute)
{
    const qsizetype schraeg = pfad.lastIndexOf('/');
    Knoten* eltern = anlegen(pfad.left(schraeg));
    const QByteArray name = pfad.mid(schraeg + 1);
    if (name.isEmpty() || eltern->kind(name))
        return;
    auto neu = std::make_unique<Knoten>();
    neu->name = name;
    neu->istVerzeichnis = true;
    neu->linkziel = ziel;
    neu->attribute = (attribute & ~quint32(faArchive)) | faDirectory;
    neu->nummer = m_naechsteNummer++;
    eltern->kinder.push_back(std::move(neu));
}

void FakeDateisystem::entfernen(const QByteArray& pfad)
{
    const qsizetype schraeg = pfad.lastIndexOf('/');
    Knoten* eltern = finden(pfad.left(schraeg).isEmpty() ? QByteArray("/") : pfad.left(schraeg), true);
    if (!eltern)
        return;
    const QByteArray name = pfad.mid(schraeg + 1);
    auto& k = eltern->kinder;
    for (auto it = k.begin(); it != k.end(); ++it) {
        if ((*it)->name == name) {
            k.erase(it);
            return;
        }
    }
}

bool FakeDateisystem::auflisten(const QByteArray& verzeichnis, const QString& maske, bool nurVerzeichnisse,
                                const std::function<bool(const Dateidaten&)>& jeEintrag) const
{
    ++m_auflistungen;
    bool gesperrt = false;
    Knoten* k = finden(verzeichnis, true, &gesperrt);
    if (!k || !k->istVerzeichnis || gesperrt)
        return false;
    const Maske m(maske);
    // A copy of the entries, so a callback may change the tree without pulling it from under us.
    std::vector<Dateidaten> eintraege;
    for (const auto& kind : k->kinder) {
        if (nurVerzeichnisse && !kind->istVerzeichnis)
            continue;
        if (!m.passtRoh(kind->name.constData(), kind->name.size()))
            continue;
        Dateidaten d;
        d.rohname = kind->name;
        d.attribute = kind->attribute;
        d.groesse = kind->istVerzeichnis ? 0 : kind->groesse;
        d.schreibzeit = kind->schreibzeit;
        d.geraet = 1;
        d.inode = kind->nummer;
        if (!kind->linkziel.isEmpty()) {
            Knoten* ziel = finden(kind->linkziel, true);
            if (ziel)
                d.inode = ziel->nummer;
        }
        eintraege.push_back(d);
    }
    for (const Dateidaten& d : eintraege)
        if (!jeEintrag(d))
            break;
    return true;
}

std::optional<Kennung> FakeDateisystem::kennung(const QByteArray& pfad) const
{
    const Knoten* k = finden(pfad, true);
    if (!k)
        return std::nullopt;
    return Kennung{1, k->nummer};
}

QString FakeDateisystem::arbeitsverzeichnis() const
{
    return m_arbeitsverzeichnis;
}

int FakeDateisystem::setzeArbeitsverzeichnis(const QString& pfad)
{
    bool gesperrt = false;
    const QByteArray roh = QFile::encodeName(pfad);
    Knoten* k = finden(roh, true, &gesperrt);
    if (!k)
        return ENOENT;
    if (!k->istVerzeichnis)
        return ENOTDIR;
    if (gesperrt)
        return EACCES;
    // The system's form: no trailing separator but for the root.
    const bool netz = roh.startsWith("\\\\");
    QByteArray form = netz ? "\\" : "";
    for (const QByteArray& t : teile(netz ? QByteArray(roh).replace('\\', '/') : roh))
        form += (netz ? '\\' : '/') + t;
    m_arbeitsverzeichnis = form.isEmpty() ? QStringLiteral("/") : QFile::decodeName(form);
    return 0;
}

FakeLaufwerke::FakeLaufwerke()
{
    leeren();
    setze(u'C', FakeLaufwerk{QStringLiteral("/"), dtFestplatte, QString(), true, 0, 0});
}

void FakeLaufwerke::setze(QChar buchstabe, const FakeLaufwerk& laufwerk)
{
    const QChar b = buchstabe.toUpper();
    if (b >= u'A' && b <= u'Z')
        m_laufwerke.insert(b, laufwerk);
}

void FakeLaufwerke::entferne(QChar buchstabe)
{
    m_laufwerke.remove(buchstabe.toUpper());
}

void FakeLaufwerke::leeren()
{
    m_laufwerke.clear();
}

quint32 FakeLaufwerke::logischeLaufwerke() const
{
    quint32 maske = 0;
    for (auto it = m_laufwerke.cbegin(); it != m_laufwerke.cend(); ++it)
        maske |= 1u << (it.key().unicode() - u'A');
    return maske;
}

QString FakeLaufwerke::wurzel(QChar buchstabe) const
{
    return m_laufwerke.value(buchstabe.toUpper()).wurzel;
}

QChar FakeLaufwerke::laufwerkVon(const QString& pfad) const
{
    QChar bester;
    qsizetype laengste = -1;
    for (auto it = m_laufwerke.cbegin(); it != m_laufwerke.cend(); ++it) {
        const QString& w = it->wurzel;
        if (w.isEmpty())
            continue;
        const bool passt = w == QLatin1String("/")
                               ? pfad.startsWith(u'/')
                               : pfad == w || (pfad.startsWith(w) && pfad.at(w.size()) == u'/');
        if (passt && w.size() > laengste) {
            laengste = w.size();
            bester = it.key();
        }
    }
    return bester;
}

Laufwerksart FakeLaufwerke::laufwerkstyp(QChar buchstabe) const
{
    const auto it = m_laufwerke.constFind(buchstabe.toUpper());
    return it == m_laufwerke.cend() ? dtKeineWurzel : it->art;
}

const FakeLaufwerk* FakeLaufwerke::anWurzel(const QString& wurzel) const
{
    QString w = wurzel;
    while (w.size() > 1 && w.endsWith(u'/'))
        w.chop(1);
    for (auto it = m_laufwerke.cbegin(); it != m_laufwerke.cend(); ++it)
        if (!it->wurzel.isEmpty() && it->wurzel == w)
            return &*it;
    return nullptr;
}

std::optional<QString> FakeLaufwerke::volumeninformation(const QString& wurzel) const
{
    const FakeLaufwerk* l = anWurzel(wurzel);
    if (!l || !l->bereit)
        return std::nullopt;
    return l->bezeichnung;
}

std::optional<Speicherplatz> FakeLaufwerke::speicherplatz(const QString& wurzel) const
{
    const FakeLaufwerk* l = anWurzel(wurzel);
    if (!l || !l->bereit)
        return std::nullopt;
    return Speicherplatz{l->gesamt, l->frei};
}

QString FakeLaufwerke::systemverzeichnis() const
{
    return m_systemverzeichnis;
}

}  // namespace plattform
