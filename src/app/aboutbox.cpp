#include "app/aboutbox.h"

#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/ikonen.h"
#include "app/programm.h"
#include "output/fenster/fensterdienste.h"

TAboutBox* AboutBox = nullptr;

bool webseiteOeffnen(QWidget* eltern)
{
    if (fensterdienste().webseiteOeffnen(QUrl(programm::webadresse)))
        return true;
    fensterdienste().fehler(
        eltern, QStringLiteral("Die Seite %1 konnte nicht im Browser geöffnet werden.").arg(programm::webadresse));
    return false;
}

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    setModal(true);
    setFixedSize(380, 290);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(zembrolaBild(64));
    ProgramIcon->setAlignment(Qt::AlignCenter);

    ProductName = new QLabel(programm::name, this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont gross = ProductName->font();
    gross.setPointSize(18);
    gross.setBold(true);
    ProductName->setFont(gross);
    ProductName->setAlignment(Qt::AlignCenter);
    ProductName->setStyleSheet(QStringLiteral("color: rgb(19, 114, 168);"));

    Version = new QLabel(QStringLiteral("Version ") + programm::version, this);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setAlignment(Qt::AlignCenter);

    Comments = new QLabel(QStringLiteral(
        "Zembrola erstellt druckbare Listen von Verzeichnisinhalten lokaler Laufwerke und "
        "freigegebener Netzwerkverzeichnisse und bietet dazu eine System- und eine Netzwerkanalyse."), this);
    Comments->setObjectName(QStringLiteral("Comments"));
    Comments->setWordWrap(true);
    Comments->setAlignment(Qt::AlignCenter);

    Webadresse = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(programm::webadresse), this);
    Webadresse->setObjectName(QStringLiteral("Webadresse"));
    Webadresse->setAlignment(Qt::AlignCenter);
    Webadresse->setTextInteractionFlags(Qt::TextBrowserInteraction);
    connect(Webadresse, &QLabel::linkActivated, this, [this] { webseiteOeffnen(this); });

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(20, 16, 20, 16);
    spalte->addWidget(ProgramIcon);
    spalte->addWidget(ProductName);
    spalte->addWidget(Version);
    spalte->addSpacing(6);
    spalte->addWidget(Comments);
    spalte->addWidget(Webadresse);
    spalte->addStretch();
    spalte->addWidget(OKButton, 0, Qt::AlignHCenter);
}
