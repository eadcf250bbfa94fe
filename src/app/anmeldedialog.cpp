#include "app/anmeldedialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

TAnmeldung::TAnmeldung(const QString& freigabe, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TAnmeldung"));
    setWindowTitle(QStringLiteral("Anmeldung"));
    auto* spalte = new QVBoxLayout(this);
    auto* hinweis = new QLabel(QStringLiteral("Die Freigabe %1 verlangt eine Anmeldung.").arg(freigabe), this);
    hinweis->setObjectName(QStringLiteral("Label1"));
    hinweis->setTextFormat(Qt::PlainText);
    spalte->addWidget(hinweis);
    auto* form = new QFormLayout;
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setEchoMode(QLineEdit::Password);
    Edit3 = new QLineEdit(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    form->addRow(QStringLiteral("&Benutzer:"), Edit1);
    form->addRow(QStringLiteral("&Kennwort:"), Edit2);
    form->addRow(QStringLiteral("&Arbeitsgruppe oder Domäne:"), Edit3);
    spalte->addLayout(form);
    auto* knoepfe = new QDialogButtonBox(this);
    QPushButton* ok = knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    QPushButton* abbrechen = knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    abbrechen->setObjectName(QStringLiteral("BitBtn2"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    spalte->addWidget(knoepfe);
    Edit1->setFocus();
}

plattform::Anmeldung TAnmeldung::anmeldung() const
{
    return {Edit1->text(), Edit2->text(), Edit3->text().trimmed()};
}

std::optional<plattform::Anmeldung> anmeldungFragen(const QString& freigabe)
{
    if (!qApp || QThread::currentThread() != qApp->thread())
        return std::nullopt;
    TAnmeldung d(freigabe, QApplication::activeWindow());
    if (d.exec() != QDialog::Accepted)
        return std::nullopt;
    auto a = d.anmeldung();
    // The dialog's copy of the password goes with the dialog; ours goes to the file system.
    d.Edit2->clear();
    return a;
}
