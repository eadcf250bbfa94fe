#include "app/verzeichnisliste.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScopeGuard>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cerrno>

#include "listing/suchmuster.h"
#include "output/fenster/fensterdienste.h"
#include "output/systemfehler.h"
#include "platform/netzpfad.h"
#include "platform/plattform.h"

namespace {
constexpr int rollePfad = Qt::UserRole;
constexpr int rolleEbene = Qt::UserRole + 1;
constexpr int einzug = 12;

// Indents each entry by its depth, so the chain reads like a tree.
class Einrueckung : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o = option;
        o.rect.setLeft(o.rect.left() + index.data(rolleEbene).toInt() * einzug);
        QStyledItemDelegate::paint(p, o, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.rwidth() += index.data(rolleEbene).toInt() * einzug;
        return s;
    }
};

// A network question holds user input back until it is answered (up to a few seconds when a
// server is gone): the pointer says so.
template <typename F>
auto mitWartezeiger(const QString& pfad, F&& arbeit)
{
    const bool netz = plattform::pfadart(pfad) == plattform::Pfadart::netzwerk;
    if (netz)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto zurueck = qScopeGuard([netz] {
        if (netz)
            QGuiApplication::restoreOverrideCursor();
    });
    return arbeit();
}

QString anhaengen(const QString& verzeichnis, const QString& name, QChar trenner)
{
    if (verzeichnis.endsWith(trenner))
        return verzeichnis + name;
    return verzeichnis + trenner + name;
}
}  // namespace

TDirectoryListBox::TDirectoryListBox(QWidget* parent)
    : QListWidget(parent)
{
    setItemDelegate(new Einrueckung(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(this, &QListWidget::itemClicked, this, &TDirectoryListBox::DirectoryListBox1Click);
    // Enter opens the entry under the keyboard cursor as a click does.
    connect(this, &QListWidget::itemActivated, this, &TDirectoryListBox::DirectoryListBox1Click);
}

QString TDirectoryListBox::wurzelVon(const QString& pfad)
{
    if (plattform::pfadart(pfad) == plattform::Pfadart::netzwerk) {
        const auto np = plattform::Netzpfad::lesen(pfad);
        return np ? np->freigabepfad() : pfad;
    }
    const QChar lw = plattform::laufwerke().laufwerkVon(pfad);
    if (!lw.isNull()) {
        const QString w = plattform::laufwerke().wurzel(lw);
        if (!w.isEmpty())
            return w;
    }
    return QStringLiteral("/");
}

bool TDirectoryListBox::setzeVerzeichnis(const QString& pfad)
{
    plattform::Dateisystem& ds = plattform::dateisystemFuer(pfad);
    const int fehler = mitWartezeiger(pfad, [&] { return plattform::arbeitsverzeichnisSetzen(pfad); });
    if (fehler != 0) {
        // A directory that is gone is a missing path, not a missing file.
        fensterdienste().fehler(window(),
                                fehler == ENOENT ? QStringLiteral("Pfad nicht gefunden") : systemfehlertext(fehler));
        aufbauen();
        return false;
    }
    // The system's own form of the path: no trailing separator, links resolved.
    const QString neu = ds.arbeitsverzeichnis();
    const bool geaendert = neu != m_verzeichnis;
    m_verzeichnis = neu;
    aufbauen();
    if (geaendert)
        emit verzeichnisGeaendert(m_verzeichnis);
    return true;
}

void TDirectoryListBox::aktualisieren()
{
    aufbauen();
}

void TDirectoryListBox::DirectoryListBox1Click(QListWidgetItem* eintrag)
{
    if (!eintrag)
        return;
    const QString pfad = eintrag->data(rollePfad).toString();
    if (pfad != m_verzeichnis)
        setzeVerzeichnis(pfad);
}

void TDirectoryListBox::aufbauen()
{
    clear();
    if (m_verzeichnis.isEmpty())
        return;
    const QChar trenner = trennerVon(m_verzeichnis);
    const QIcon offen = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon zu = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain from the root down to the current directory.
    const QString wurzel = wurzelVon(m_verzeichnis);
    QString pfad = wurzel;
    int ebene = 0;
    auto* kopf = new QListWidgetItem(offen, QDir::toNativeSeparators(wurzel), this);
    kopf->setData(rollePfad, wurzel);
    kopf->setData(rolleEbene, ebene);
    QListWidgetItem* aktuell = kopf;
    const QStringList teile = m_verzeichnis.mid(wurzel.size()).split(trenner, Qt::SkipEmptyParts);
    for (const QString& teil : teile) {
        pfad = anhaengen(pfad, teil, trenner);
        auto* e = new QListWidgetItem(offen, teil, this);
        e->setData(rollePfad, pfad);
        e->setData(rolleEbene, ++ebene);
        aktuell = e;
    }

    // Its subdirectories in the enumeration's name order, hidden ones left out as a file manager does.
    QStringList namen;
    mitWartezeiger(m_verzeichnis, [&] {
        return plattform::dateisystemFuer(m_verzeichnis)
            .auflisten(QFile::encodeName(m_verzeichnis), QStringLiteral("*"), true, [&namen](const plattform::Dateidaten& d) {
                if ((d.attribute & plattform::faDirectory) && !(d.attribute & plattform::faHidden))
                    namen.append(QFile::decodeName(d.rohname));
                return true;
            });
    });
    for (const QString& name : namen) {
        auto* e = new QListWidgetItem(zu, name, this);
        e->setData(rollePfad, anhaengen(m_verzeichnis, name, trenner));
        e->setData(rolleEbene, ebene + 1);
    }
    setCurrentItem(aktuell);
}
