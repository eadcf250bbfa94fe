#include "masks/fenster/suchmaskefrage.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "masks/fenster/maskenbilder.h"
#include "output/fenster/fensterdienste.h"

Tsuchmaskenabfrage* suchmaskenabfrage = nullptr;

Tsuchmaskenabfrage::Tsuchmaskenabfrage(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Tsuchmaskenabfrage"));
    setWindowTitle(QString::fromUtf8("Listenänderung"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFixedSize(412, 95);
    setModal(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(12, 15, 64, 64);
    Image1->setPixmap(sprechblasenbild());

    Label1 = new QLabel(QString::fromUtf8("Die Liste für die Suchmaske wurde geändert!"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont fett = Label1->font();
    fett.setBold(true);
    Label1->setFont(fett);
    Label1->setGeometry(88, 6, 318, 18);

    Label2 = new QLabel(QStringLiteral("Jetzt speichern?"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont gross = fett;
    gross.setPointSizeF(fett.pointSizeF() * 1.4);
    Label2->setFont(gross);
    Label2->setGeometry(88, 24, 318, 26);

    auto knopf = [this](const char* name, const QString& text, Knopfbild bild, int x) {
        auto* k = new QPushButton(knopfbild(bild), text, this);
        k->setObjectName(QString::fromLatin1(name));
        k->setGeometry(x, 58, 102, 28);
        return k;
    };
    BitBtn1 = knopf("BitBtn1", QStringLiteral("&Ja"), Knopfbild::Ja, 88);
    BitBtn2 = knopf("BitBtn2", QStringLiteral("&Nein"), Knopfbild::Nein, 196);
    BitBtn3 = knopf("BitBtn3", QStringLiteral("&Abbrechen"), Knopfbild::Abbrechen, 304);
    BitBtn1->setDefault(true);

    connect(BitBtn1, &QPushButton::clicked, this, &Tsuchmaskenabfrage::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &Tsuchmaskenabfrage::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &Tsuchmaskenabfrage::BitBtn3Click);
    knoepfeAusrichten();
}

void Tsuchmaskenabfrage::knoepfeAusrichten()
{
    const int breite = knopfbreite({BitBtn1, BitBtn2, BitBtn3}, 102);
    int x = 88;
    for (QPushButton* k : {BitBtn1, BitBtn2, BitBtn3}) {
        k->setGeometry(x, 58, breite, 28);
        x += breite + 6;
    }
    setFixedSize(std::max(412, x), 95);
    Label1->resize(width() - 94, Label1->height());
    Label2->resize(width() - 94, Label2->height());
}

void Tsuchmaskenabfrage::showEvent(QShowEvent* ereignis)
{
    // The style may have come after the dialog was built.
    knoepfeAusrichten();
    QDialog::showEvent(ereignis);
}

int Tsuchmaskenabfrage::fragen()
{
    // Enter should answer "&Ja" whichever button had the focus last time.
    BitBtn1->setFocus();
    fensterdienste().modal(*this);
    return Antwort;
}

void Tsuchmaskenabfrage::antworten(quint8 antwort)
{
    Antwort = antwort;
    QDialog::done(antwort);
}

void Tsuchmaskenabfrage::BitBtn1Click() { antworten(0); }
void Tsuchmaskenabfrage::BitBtn2Click() { antworten(1); }
void Tsuchmaskenabfrage::BitBtn3Click() { antworten(2); }

void Tsuchmaskenabfrage::reject()
{
    BitBtn3Click();
}

void Tsuchmaskenabfrage::keyPressEvent(QKeyEvent* ereignis)
{
    if (ereignis->key() == Qt::Key_Escape && ereignis->modifiers() == Qt::NoModifier) {
        BitBtn2->click();
        return;
    }
    QDialog::keyPressEvent(ereignis);
}
