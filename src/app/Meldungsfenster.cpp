#include "app/Meldungsfenster.h"

#include <QLabel>
#include <QPushButton>

#include "app/ikonen.h"
#include "output/fenster/fensterdienste.h"

TMeldung* Meldung = nullptr;

TMeldung::TMeldung(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TMeldung"));
    setWindowTitle(QStringLiteral("Zembrola - Meldung"));
    setFixedSize(422, 145);
    setModal(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(frageBild(64));
    Image1->setGeometry(14, 16, 64, 64);

    QFont fett = font();
    fett.setBold(true);
    int y = 12;
    for (QLabel** l : {&Label1, &Label2, &Label3}) {
        *l = new QLabel(this);
        (*l)->setFont(fett);
        (*l)->setAlignment(Qt::AlignCenter);
        (*l)->setGeometry(88, y, 322, 22);
        y += 24;
    }
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3->setObjectName(QStringLiteral("Label3"));

    BitBtn1 = new QPushButton(QStringLiteral("&Ja"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(120, 98, 100, 32);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Nein"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(240, 98, 100, 32);
    connect(BitBtn1, &QPushButton::clicked, this, &TMeldung::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TMeldung::BitBtn2Click);
}

int TMeldung::zeigenModal() { return fensterdienste().modal(*this); }

void TMeldung::BitBtn1Click()
{
    done(mrYes);
}

void TMeldung::BitBtn2Click()
{
    done(mrNo);
}

void TMeldung::reject()
{
    // Close box and Escape: not Yes.
    done(mrCancel);
}
