#include "output/fenster/dialogseam.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

QStringList dateifilterAusVorgabe(const QString& filter)
{
    const QStringList teile = filter.split(QChar(u'|'));
    QStringList filter2;
    for (int i = 0; i + 1 < teile.size(); i += 2)
        filter2.append(teile.at(i) + QStringLiteral(" (") + QString(teile.at(i + 1)).replace(u';', u' ')
                       + QChar(u')'));
    return filter2;
}

namespace {

QString echterDateidialog(QWidget* eltern, const QString& vorgabename, const QString& endung,
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

Dialogseam::Antwort echteFrage(const QString& z1, const QString& z2, const QString& z3)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Zembrola - Meldung"),
                    z1 + QChar(u'\n') + z2 + QChar(u'\n') + z3, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QAbstractButton* ja = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QAbstractButton* nein = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setEscapeButton(nein);
    box.exec();
    if (box.clickedButton() == ja)
        return Dialogseam::Ja;
    return box.clickedButton() == nein ? Dialogseam::Nein : Dialogseam::Abbruch;
}

void echterFehler(QWidget* eltern, const QString& text)
{
    QMessageBox::critical(eltern, QStringLiteral("Zembrola"), text);
}

bool echterDruckdialog(QWidget* eltern, QPrinter& drucker)
{
    QPrintDialog dialog(&drucker, eltern);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    // The whole pane is printed; a page range would be ignored, so it is not offered.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

// Qt's page set-up dialog has no printer choice, so the set-up is the print dialog with
// "OK" in place of "Print": it chooses printer, paper and orientation for later jobs.
bool echteDruckereinrichtung(QWidget* eltern, QPrinter& drucker)
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

} // namespace

std::function<QString(QWidget*, const QString&, const QString&, const QString&)> Dialogseam::dateinameFragen
    = echterDateidialog;
std::function<Dialogseam::Antwort(const QString&, const QString&, const QString&)> Dialogseam::jaNeinFragen
    = echteFrage;
std::function<void(QWidget*, const QString&)> Dialogseam::fehlerZeigen = echterFehler;
std::function<bool(QWidget*, QPrinter&)> Dialogseam::druckdialog = echterDruckdialog;
std::function<bool(QWidget*, QPrinter&)> Dialogseam::druckereinrichtung = echteDruckereinrichtung;
std::function<void()> Dialogseam::piepen = [] { QApplication::beep(); };

void Dialogseam::zuruecksetzen()
{
    dateinameFragen = echterDateidialog;
    jaNeinFragen = echteFrage;
    fehlerZeigen = echterFehler;
    druckdialog = echterDruckdialog;
    druckereinrichtung = echteDruckereinrichtung;
    piepen = [] { QApplication::beep(); };
}
