#include "output/fenster/fensterdienste.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>

#include <algorithm>
#include <vector>

QStringList dateifilterAusVorgabe(const QString& filter)
{
    const QStringList teile = filter.split(QChar(u'|'));
    QStringList filter2;
    for (int i = 0; i + 1 < teile.size(); i += 2)
        filter2.append(teile.at(i) + QStringLiteral(" (") + QString(teile.at(i + 1)).replace(u';', u' ') + QChar(u')'));
    return filter2;
}

QString Fensterdienste::dateiname(QWidget* eltern, const QString& vorgabename, const QString& endung,
                                  const QString& filter)
{
    QFileDialog dialog(eltern, QStringLiteral("Speichern unter"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program asks about overwriting itself, in its own message window.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filterliste = dateifilterAusVorgabe(filter);
    dialog.setNameFilters(filterliste);
    dialog.setDefaultSuffix(endung);
    dialog.selectFile(vorgabename);
    // A name typed without extension gets the one of the chosen file type.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        const int auf = static_cast<int>(f.lastIndexOf(QStringLiteral("(*.")));
        if (auf >= 0) {
            QString e = f.mid(auf + 3);
            e.chop(1);
            if (!e.contains(u'*') && !e.contains(u' '))
                dialog.setDefaultSuffix(e);
        }
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

Fensterdienste::Antwort Fensterdienste::jaNein(const QString& z1, const QString& z2, const QString& z3)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Zembrola - Meldung"),
                    z1 + QChar(u'\n') + z2 + QChar(u'\n') + z3, QMessageBox::NoButton, QApplication::activeWindow());
    QAbstractButton* ja = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QAbstractButton* nein = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setEscapeButton(nein);
    box.exec();
    if (box.clickedButton() == ja)
        return Ja;
    return box.clickedButton() == nein ? Nein : Abbruch;
}

void Fensterdienste::fehler(QWidget* eltern, const QString& text)
{
    QMessageBox::critical(eltern, QStringLiteral("Zembrola"), text);
}

bool Fensterdienste::druckdialog(QWidget* eltern, QPrinter& drucker)
{
    QPrintDialog dialog(&drucker, eltern);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    // The whole pane is printed; a page range would be ignored, so it is not offered.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

// Qt's page set-up dialog has no printer choice, so the set-up is the print dialog with
// "OK" in place of "Print": it chooses printer, paper and orientation for later jobs.
bool Fensterdienste::druckereinrichtung(QWidget* eltern, QPrinter& drucker)
{
    QPrintDialog dialog(&drucker, eltern);
    dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (auto* knoepfe = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = knoepfe->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    return dialog.exec() == QDialog::Accepted;
}

void Fensterdienste::hilfe(const QString&) { }

void Fensterdienste::meldung(QWidget* eltern, const QString& titel, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::NoIcon, titel, text, QMessageBox::Ok, eltern);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void Fensterdienste::piepen() { QApplication::beep(); }

int Fensterdienste::modal(QDialog& dialog) { return dialog.exec(); }

QIcon Fensterdienste::bild(const QString&) { return {}; }

bool Fensterdienste::webseiteOeffnen(const QUrl& adresse) { return QDesktopServices::openUrl(adresse); }

Fensterdienste::Warten Fensterdienste::warten(const QString& zeile1, const QString& zeile2)
{
    wartenZeigen(zeile1, zeile2);
    return Warten(this);
}

Fensterdienste::Warten& Fensterdienste::Warten::operator=(Warten&& andere) noexcept
{
    if (this != &andere) {
        schliessen();
        m_dienste = std::exchange(andere.m_dienste, nullptr);
    }
    return *this;
}

void Fensterdienste::Warten::schliessen()
{
    if (auto* d = std::exchange(m_dienste, nullptr))
        d->wartenSchliessen();
}

namespace {
Fensterdienste g_standard;
Fensterdienste* g_grund = &g_standard;
std::vector<Fensterdienste*> g_installiert;
}  // namespace

Fensterdienste& fensterdienste() { return g_installiert.empty() ? *g_grund : *g_installiert.back(); }

void grunddiensteSetzen(Fensterdienste& dienste) { g_grund = &dienste; }

Dienstinstallation::Dienstinstallation(Fensterdienste& dienste) : m_dienste(&dienste)
{
    g_installiert.push_back(m_dienste);
}

Dienstinstallation::~Dienstinstallation()
{
    g_installiert.erase(std::find(g_installiert.begin(), g_installiert.end(), m_dienste));
}

Fensterdienste& Dienstinstallation::vorher() const
{
    const auto i = std::find(g_installiert.begin(), g_installiert.end(), m_dienste);
    return i == g_installiert.begin() ? *g_grund : **(i - 1);
}
