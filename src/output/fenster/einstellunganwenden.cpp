#include "output/fenster/einstellunganwenden.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include <vector>

#include "output/fenster/einstellungselemente.h"
#include "output/fenster/farbliste.h"
#include "output/fenster/optionsfenster.h"

std::function<void(QWidget* eltern, const QString& text)> einstellungsfehleranzeige;

namespace {

struct Hauptlisten {
    QComboBox* schrift = nullptr;
    QComboBox* groesse = nullptr;
    QComboBox* farbe = nullptr;
};

QFont gestalteteSchrift(QFont f, const Darstellung& d)
{
    f.setFamily(d.schriftart);
    f.setPointSize(d.groesse);
    // Only these three styles are the file's; any other stays as it is.
    f.setBold(d.fett);
    f.setItalic(d.kursiv);
    f.setUnderline(d.unterstrichen);
    return f;
}

void feldGestalten(QPlainTextEdit* feld, const Darstellung& d)
{
    if (!feld)
        return;
    QPalette p = feld->palette();
    // An unknown colour name leaves the colour as it was.
    if (d.hintergrundindex >= 0)
        p.setColor(QPalette::Base, Farbliste::farbe(d.hintergrundindex));
    if (d.schriftfarbindex >= 0)
        p.setColor(QPalette::Text, Farbliste::farbe(d.schriftfarbindex));
    feld->setPalette(p);
    const QFont f = gestalteteSchrift(feld->document()->defaultFont(), d);
    feld->setFont(f);
    feld->document()->setDefaultFont(f);
}

int eintragssuche(const QComboBox* liste, const QString& text)
{
    return liste->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void reiterAnwenden(TOptionsfenster& dialog, const TOptionsfenster::Reiter& r, const Darstellung& d,
                    const std::vector<QPlainTextEdit*>& felder, const Hauptlisten& haupt)
{
    const QSignalBlocker b1(r.hintergrund), b2(r.schriftart), b3(r.groesse), b4(r.schriftfarbe);
    const QSignalBlocker b5(r.fett), b6(r.kursiv), b7(r.unterstrichen);

    r.hintergrund->setCurrentIndex(d.hintergrundindex);
    dialog.gelesenenWertMerken(r.hintergrund, d.hintergrundfarbe);
    if (d.hintergrundindex >= 0)
        r.beispiel->setzeHintergrund(Farbliste::farbe(d.hintergrundindex));

    // A font the list lacks keeps the list's selection; the windows get the name all the same.
    const int schrift = eintragssuche(r.schriftart, d.schriftart);
    if (schrift >= 0)
        r.schriftart->setCurrentIndex(schrift);
    dialog.gelesenenWertMerken(r.schriftart, d.schriftart);
    if (haupt.schrift) {
        const QSignalBlocker b(haupt.schrift);
        haupt.schrift->setCurrentIndex(r.schriftart->currentIndex());
    }

    r.groesse->setCurrentIndex(eintragssuche(r.groesse, d.schriftgroesse));
    dialog.gelesenenWertMerken(r.groesse, d.schriftgroesse);
    if (haupt.groesse && d.groesseGelesen) {
        const QSignalBlocker b(haupt.groesse);
        haupt.groesse->setCurrentIndex(r.groesse->currentIndex());
    }

    r.schriftfarbe->setCurrentIndex(d.schriftfarbindex);
    dialog.gelesenenWertMerken(r.schriftfarbe, d.schriftfarbe);
    if (d.schriftfarbindex >= 0)
        r.beispiel->setzeSchriftfarbe(Farbliste::farbe(d.schriftfarbindex));
    if (haupt.farbe) {
        const QSignalBlocker b(haupt.farbe);
        haupt.farbe->setCurrentIndex(r.schriftfarbe->currentIndex());
    }

    r.fett->setChecked(d.fett);
    r.kursiv->setChecked(d.kursiv);
    r.unterstrichen->setChecked(d.unterstrichen);
    r.beispiel->setFont(gestalteteSchrift(r.beispiel->font(), d));

    for (QPlainTextEdit* feld : felder)
        feldGestalten(feld, d);
}

} // namespace

void einstellungsfehlerZeigen(QWidget* eltern, const QString& fehlertext, const QString& pfad)
{
    const QString text = fehlertext + QStringLiteral("\n\n") + pfad;
    if (einstellungsfehleranzeige) {
        einstellungsfehleranzeige(eltern, text);
        return;
    }
    QMessageBox::critical(eltern, QStringLiteral("Zembrola"), text);
}

void einstellungenAnwenden(const AufgeloesteEinstellungen& werte, const Einstellungsziele& ziele)
{
    TOptionsfenster* dialog = ziele.optionsfenster ? ziele.optionsfenster : Optionsfenster;
    if (!dialog)
        return;
    const QSignalBlocker b1(dialog->RadioGroup1), b2(dialog->CheckBox1), b3(dialog->CheckBox2);
    const QSignalBlocker b4(dialog->RadioGroup2), b5(dialog->RadioGroup3);

    dialog->RadioGroup1->setItemIndex(werte.automatischeSuche ? 1 : 0);
    if (ziele.toolButton6)
        ziele.toolButton6->setEnabled(!werte.automatischeSuche);
    if (ziele.toolButton6Aktion)
        ziele.toolButton6Aktion->setEnabled(!werte.automatischeSuche);
    if (ziele.start1)
        ziele.start1->setEnabled(!werte.automatischeSuche);

    dialog->CheckBox1->setChecked(werte.meldungsfensterAnzeigen);

    dialog->CheckBox2->setChecked(werte.zusammenfassungAusgeben);
    if (ziele.zusammenfassung)
        ziele.zusammenfassung->setVisible(werte.zusammenfassungAusgeben);

    std::vector<QPlainTextEdit*> panes;
    for (QPlainTextEdit* f : {ziele.richEdit1, ziele.richEdit2})
        if (f)
            panes.push_back(f);
    reiterAnwenden(*dialog, dialog->ausgabeReiter(), werte.ausgabe, panes,
                   {ziele.comboBox2, ziele.comboBox3, ziele.comboBox5});
    if (ziele.stilknoepfeAktualisieren)
        ziele.stilknoepfeAktualisieren();

    if (werte.ausgabeart >= 0)
        dialog->RadioGroup2->setItemIndex(werte.ausgabeart);
    if (werte.speicherart >= 0)
        dialog->RadioGroup3->setItemIndex(werte.speicherart);

    reiterAnwenden(*dialog, dialog->systemReiter(), werte.system, {ziele.systemMemo}, {});
    reiterAnwenden(*dialog, dialog->netzReiter(), werte.netz, {ziele.netzMemo}, {});
}

bool einstellungenlesen(Eintraege& eintraege, const Einstellungsziele& ziele)
{
    const QString pfad = einstellungsdateipfad();
    QString fehlertext;
    const bool gelesen = QFileInfo::exists(pfad)
                             ? eintraegeLesen(pfad, eintraege, &fehlertext)
                             : wiederherstellung(eintraege, pfad, plattformCodepage(), &fehlertext);
    if (!gelesen) {
        einstellungsfehlerZeigen(ziele.eltern, fehlertext, pfad);
        return false;
    }
    einstellungenAnwenden(einstellungenAufloesen(eintraege), ziele);
    return true;
}

void optionsfensterAuswerten(int ergebnis, Eintraege& eintraege, const Einstellungsziele& ziele)
{
    if (ergebnis == TOptionsfenster::ErgebnisOK) {
        einstellungenlesen(eintraege, ziele);
    } else if (ergebnis == TOptionsfenster::ErgebnisWiederholen) {
        const QString pfad = einstellungsdateipfad();
        QString fehlertext;
        if (!wiederherstellung(eintraege, pfad, plattformCodepage(), &fehlertext)) {
            einstellungsfehlerZeigen(ziele.eltern, fehlertext, pfad);
            return;
        }
        einstellungenlesen(eintraege, ziele);
    }
}
