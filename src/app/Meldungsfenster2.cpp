#include "app/Meldungsfenster2.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

TMeldung2* Meldung2 = nullptr;

TMeldung2::TMeldung2(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TMeldung2"));
    setWindowTitle(QStringLiteral("Drucken"));
    setFixedSize(337, 179);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral(
        "#TMeldung2 { background: #eef2f5; border: 2px solid rgb(0, 90, 90); }"
        "#Panel1 { background: rgb(0, 128, 128); }"
        "#Panel1 QLabel { color: white; background: transparent; }"));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 321, 116);

    QFont fett(QStringLiteral("Arial"));
    fett.setPixelSize(15);
    fett.setBold(true);
    const QString texte[] = {QStringLiteral("Verzeichnis"), QStringLiteral("Verzeichnis"),
                             QStringLiteral("wird gedruckt")};
    QLabel** ziele[] = {&Label1, &Label2, &Label3};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(texte[i], Panel1);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        l->setFont(fett);
        l->setAlignment(Qt::AlignCenter);
        l->setGeometry(4, 10 + i * 34, 313, 28);
        *ziele[i] = l;
    }

    BitBtn1 = new QPushButton(QStringLiteral("Abbruch"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(118, 136, 100, 32);
    connect(BitBtn1, &QPushButton::clicked, this, &TMeldung2::BitBtn1Click);
}

void TMeldung2::BitBtn1Click()
{
    if (m_abbrechen)
        m_abbrechen();
    Label3->setText(QStringLiteral("Der Duckauftrag wird abgebrochen."));
}
