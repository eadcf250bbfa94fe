#include "masks/fenster/suchmaskeaendern.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <optional>

#include "masks/fenster/maskenbilder.h"
#include "masks/fenster/suchmaskefrage.h"
#include "masks/suchmasken.h"
#include "output/fenster/fensterdienste.h"
#include "output/textausgabe.h"

TSuchmasken* Suchmasken = nullptr;

namespace {

// Blocks the box and its line edit: listeners may sit on either.
struct Feldsperre {
    explicit Feldsperre(QComboBox* feld)
        : box(feld)
    {
        if (feld->lineEdit())
            zeile.emplace(feld->lineEdit());
    }
    QSignalBlocker box;
    std::optional<QSignalBlocker> zeile;
};

QStringList eintraege(const QListWidget* liste)
{
    QStringList texte;
    for (int i = 0; i < liste->count(); ++i)
        texte.append(liste->item(i)->text());
    return texte;
}

bool hatAuswahl(const QListWidget* liste)
{
    return !liste->selectedItems().isEmpty();
}

}  // namespace

void zentrieren(QWidget* dialog, const QWidget* bezug)
{
    if (bezug == nullptr || !bezug->isVisible())
        return;
    const QRect rahmen = bezug->window()->frameGeometry();
    dialog->move(rahmen.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
}

void suchmaskenfeldEinrichten(QComboBox* maskenfeld)
{
    Feldsperre sperre(maskenfeld);
    maskenfeld->setInsertPolicy(QComboBox::NoInsert);
    maskenfeld->clear();
    maskenfeld->addItems(suchmasken::standardliste());
    maskenfeld->setCurrentIndex(0);
}

TSuchmasken::TSuchmasken(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TSuchmasken"));
    setWindowTitle(QStringLiteral("Suchmasken bearbeiten"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(450, 408);
    setModal(true);

    auto titel = [this](const char* name, const QString& text, int x, int y) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(x, y, 200, 18);
        return l;
    };
    auto liste = [this](const char* name, int x, int y, int b, int h) {
        auto* l = new QListWidget(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(x, y, b, h);
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        return l;
    };
    auto knopf = [this](const char* name, const QString& text, Knopfbild bild, int x, int y, int b) {
        auto* k = new QPushButton(knopfbild(bild), text, this);
        k->setObjectName(QString::fromLatin1(name));
        k->setGeometry(x, y, b, 30);
        return k;
    };

    // Left: the masks; right: the input with its actions, then the removed masks with theirs.
    Label1 = titel("Label1", QStringLiteral("Suchmasken"), 16, 10);
    ListBox2 = liste("ListBox2", 16, 30, 196, 316);

    Label3 = titel("Label3", QStringLiteral("neuer Eintrag"), 230, 10);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(230, 30, 204, 26);
    BitBtn1 = knopf("BitBtn1", QString::fromUtf8("neu hinzufügen"), Knopfbild::Hinzufuegen, 230, 62, 204);
    BitBtn2 = knopf("BitBtn2", QStringLiteral("entfernen"), Knopfbild::Entfernen, 230, 100, 204);

    Label2 = titel("Label2", QString::fromUtf8("gelöschte Eintäge"), 230, 142);
    ListBox1 = liste("ListBox1", 230, 162, 204, 108);
    BitBtn3 = knopf("BitBtn3", QStringLiteral("wiederherstellen"), Knopfbild::Wiederherstellen, 230, 278, 204);
    BitBtn4 = knopf("BitBtn4", QStringLiteral("alle wiederherstellen"), Knopfbild::AlleWiederherstellen, 230, 316,
                    204);

    BitBtn5 = knopf("BitBtn5", QStringLiteral("OK"), Knopfbild::Ok, 86, 364, 110);
    BitBtn6 = knopf("BitBtn6", QStringLiteral("&Abbrechen"), Knopfbild::Abbrechen, 205, 364, 110);
    BitBtn7 = knopf("BitBtn7", QStringLiteral("&Hilfe"), Knopfbild::Hilfe, 324, 364, 110);
    BitBtn5->setDefault(true);
    knoepfeAusrichten();

    connect(BitBtn1, &QPushButton::clicked, this, &TSuchmasken::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TSuchmasken::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TSuchmasken::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TSuchmasken::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TSuchmasken::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TSuchmasken::BitBtn6Click);
    connect(BitBtn7, &QPushButton::clicked, this, &TSuchmasken::BitBtn7Click);
    connect(Edit1, &QLineEdit::textChanged, this, &TSuchmasken::Edit1Change);
    connect(ListBox2, &QListWidget::itemSelectionChanged, this, &TSuchmasken::ListBox2Click);
}

void TSuchmasken::knoepfeAusrichten()
{
    const int breite = knopfbreite({BitBtn5, BitBtn6, BitBtn7}, 110);
    int x = 434;
    for (QPushButton* k : {BitBtn7, BitBtn6, BitBtn5}) {
        x -= breite;
        k->setGeometry(x, 364, breite, 30);
        x -= 9;
    }
}

void TSuchmasken::showEvent(QShowEvent* ereignis)
{
    // The style may have come after the dialog was built.
    knoepfeAusrichten();
    QDialog::showEvent(ereignis);
}

void TSuchmasken::bearbeiten(QComboBox* maskenfeld)
{
    if (maskenfeld == nullptr || isVisible())
        return;
    FormShow(maskenfeld);
    // The dialogs may be created without a parent; the mask box knows the main window.
    zentrieren(this, maskenfeld);
    fensterdienste().modal(*this);
    maskenfeld_ = nullptr;
}

void TSuchmasken::FormShow(QComboBox* maskenfeld)
{
    maskenfeld_ = maskenfeld;
    ListBox2->clear();
    ListBox1->clear();
    Edit1->clear();
    geaendert = false;
    BitBtn1->setEnabled(false);
    BitBtn3->setEnabled(false);
    BitBtn4->setEnabled(false);

    QStringList liste;
    for (int i = 0; i < maskenfeld->count(); ++i)
        liste.append(maskenfeld->itemText(i));
    ListBox2->addItems(suchmasken::benutzermasken(liste));
    if (ListBox2->count() > 0)
        ListBox2->setCurrentRow(0);
    BitBtn2->setEnabled(ListBox2->count() > 0);
    Edit1->setFocus();
}

void TSuchmasken::Edit1Change()
{
    BitBtn1->setEnabled(!Edit1->text().isEmpty());
}

void TSuchmasken::ListBox2Click()
{
    BitBtn2->setEnabled(hatAuswahl(ListBox2));
}

void TSuchmasken::BitBtn1Click()
{
    if (Edit1->text().isEmpty())
        return;
    ListBox2->addItem(Edit1->text());
    Edit1->clear();
    geaendert = true;
}

void TSuchmasken::BitBtn2Click()
{
    // Ctrl+click can clear the selection while the button is enabled.
    if (!hatAuswahl(ListBox2))
        return;
    ListBox1->addItem(ListBox2->takeItem(ListBox2->row(ListBox2->selectedItems().constFirst())));
    if (ListBox2->count() > 0)
        ListBox2->setCurrentRow(0);
    else
        BitBtn2->setEnabled(false);
    ListBox1->setCurrentRow(0);
    BitBtn3->setEnabled(true);
    BitBtn4->setEnabled(true);
    geaendert = true;
}

void TSuchmasken::BitBtn3Click()
{
    if (!hatAuswahl(ListBox1))
        return;
    ListBox2->addItem(ListBox1->takeItem(ListBox1->row(ListBox1->selectedItems().constFirst())));
    if (ListBox1->count() > 0) {
        ListBox1->setCurrentRow(0);
    } else {
        BitBtn3->setEnabled(false);
        BitBtn4->setEnabled(false);
    }
    // "entfernen" is enabled now, so give it something to remove.
    if (!hatAuswahl(ListBox2))
        ListBox2->setCurrentRow(0);
    BitBtn2->setEnabled(true);
}

void TSuchmasken::BitBtn4Click()
{
    while (ListBox1->count() > 0)
        ListBox2->addItem(ListBox1->takeItem(0));
    BitBtn3->setEnabled(false);
    BitBtn4->setEnabled(false);
    if (ListBox2->count() > 0)
        ListBox2->setCurrentRow(0);
    BitBtn2->setEnabled(ListBox2->count() > 0);
}

void TSuchmasken::BitBtn5Click()
{
    if (!geaendert) {
        ersteMaskeWaehlen();
        accept();
        return;
    }

    if (maskenfeld_ != nullptr)
        zentrieren(abfrage(), maskenfeld_);
    switch (abfrage()->fragen()) {
    case 0: {
        const QStringList liste = suchmasken::listeaufbauen(eintraege(ListBox2));
        if (maskenfeld_ != nullptr) {
            Feldsperre sperre(maskenfeld_);
            maskenfeld_->clear();
            maskenfeld_->addItems(liste);
        }
        ersteMaskeWaehlen();
        // Relative name: the file goes where the directory list has taken the working directory.
        QString grund;
        if (!imArbeitsverzeichnisSchreiben(suchmasken::dateiname, liste, &grund)) {
            // The box keeps its new list; the user may try again or give up.
            const QString text = suchmasken::fehlermeldung(suchmasken::dateiname, grund);
            fensterdienste().fehler(this, text);
            return;
        }
        accept();
        break;
    }
    case 1:
        ersteMaskeWaehlen();
        accept();
        break;
    default:
        break; // "&Abbrechen": back to the editor, changes kept
    }
}

void TSuchmasken::BitBtn6Click()
{
    ersteMaskeWaehlen();
    QDialog::reject();
}

void TSuchmasken::BitBtn7Click() { fensterdienste().hilfe(QStringLiteral("Suchmasken bearbeiten")); }

void TSuchmasken::reject()
{
    BitBtn6Click();
}

Tsuchmaskenabfrage* TSuchmasken::abfrage()
{
    if (abfrage_ != nullptr)
        return abfrage_;
    if (suchmaskenabfrage != nullptr)
        return suchmaskenabfrage;
    if (eigeneAbfrage_ == nullptr)
        eigeneAbfrage_ = new Tsuchmaskenabfrage(this);
    return eigeneAbfrage_;
}

void TSuchmasken::ersteMaskeWaehlen()
{
    if (maskenfeld_ == nullptr || maskenfeld_->count() == 0)
        return;
    Feldsperre sperre(maskenfeld_);
    maskenfeld_->setCurrentIndex(0);
    if (maskenfeld_->isEditable())
        maskenfeld_->setEditText(maskenfeld_->itemText(0));
}
