#include "output/fenster/einstellunganwenden.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "output/fenster/einstellungselemente.h"
#include "output/fenster/farbliste.h"
#include "output/fenster/fensterdienste.h"
#include "output/fenster/optionsfenster.h"

namespace {

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

int eintragssuche(const QComboBox* liste, const QString& text)
{
    return liste->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void reiterAnwenden(TOptionsfenster& dialog, const TOptionsfenster::Reiter& r, const Darstellung& d)
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

    r.groesse->setCurrentIndex(eintragssuche(r.groesse, d.schriftgroesse));
    dialog.gelesenenWertMerken(r.groesse, d.schriftgroesse);

    r.schriftfarbe->setCurrentIndex(d.schriftfarbindex);
    dialog.gelesenenWertMerken(r.schriftfarbe, d.schriftfarbe);
    if (d.schriftfarbindex >= 0)
        r.beispiel->setzeSchriftfarbe(Farbliste::farbe(d.schriftfarbindex));

    r.fett->setChecked(d.fett);
    r.kursiv->setChecked(d.kursiv);
    r.unterstrichen->setChecked(d.unterstrichen);
    r.beispiel->setFont(gestalteteSchrift(r.beispiel->font(), d));
}

// A list of the main window shows the entry the settings name; a name it lacks keeps its entry.
void listeFolgen(QComboBox* liste, const QString& text)
{
    if (!liste)
        return;
    const int i = eintragssuche(liste, text);
    if (i < 0)
        return;
    const QSignalBlocker b(liste);
    liste->setCurrentIndex(i);
}

}  // namespace

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
    // The style sheet gives the text area its own palette, which a change of the frame's no longer
    // reaches: the text would keep the colours it had when it was first shown.
    feld->viewport()->setPalette(p);
    const QFont f = gestalteteSchrift(feld->document()->defaultFont(), d);
    feld->setFont(f);
    feld->document()->setDefaultFont(f);
}

void hauptfensterAnwenden(const AufgeloesteEinstellungen& werte, const Hauptfensterteile& teile)
{
    if (teile.zusammenfassung)
        teile.zusammenfassung->setVisible(werte.zusammenfassungAusgeben);
    listeFolgen(teile.comboBox2, werte.ausgabe.schriftart);
    if (werte.ausgabe.groesseGelesen) {
        if (teile.comboBox3) {
            const QSignalBlocker b(teile.comboBox3);
            teile.comboBox3->setCurrentIndex(eintragssuche(teile.comboBox3, werte.ausgabe.schriftgroesse));
        }
    }
    if (teile.comboBox5) {
        const QSignalBlocker b(teile.comboBox5);
        teile.comboBox5->setCurrentIndex(werte.ausgabe.schriftfarbindex);
    }
    feldGestalten(teile.richEdit1, werte.ausgabe);
    feldGestalten(teile.richEdit2, werte.ausgabe);
    if (teile.stilknoepfeAktualisieren)
        teile.stilknoepfeAktualisieren();
}

void einstellungenFolgen(QObject* fenster, const std::function<void(const AufgeloesteEinstellungen&)>& anwenden)
{
    Einstellungen& e = programmeinstellungen();
    QObject::connect(&e, &Einstellungen::geaendert, fenster, [&e, anwenden] { anwenden(e.werte()); });
}

void einstellungsfehlerZeigen(QWidget* eltern, const QString& fehlertext, const QString& pfad)
{
    const QString text = fehlertext + QStringLiteral("\n\n") + pfad;
    fensterdienste().fehler(eltern, text);
}

void einstellungenAnwenden(const AufgeloesteEinstellungen& werte, const Einstellungsziele& ziele)
{
    TOptionsfenster* dialog = ziele.optionsfenster ? ziele.optionsfenster : Optionsfenster;
    if (!dialog)
        return;
    {
        const QSignalBlocker b1(dialog->RadioGroup1), b2(dialog->CheckBox1), b3(dialog->CheckBox2);
        const QSignalBlocker b4(dialog->RadioGroup2), b5(dialog->RadioGroup3);
        dialog->RadioGroup1->setItemIndex(werte.automatischeSuche ? 1 : 0);
        dialog->CheckBox1->setChecked(werte.meldungsfensterAnzeigen);
        dialog->CheckBox2->setChecked(werte.zusammenfassungAusgeben);
        reiterAnwenden(*dialog, dialog->ausgabeReiter(), werte.ausgabe);
        if (werte.ausgabeart >= 0)
            dialog->RadioGroup2->setItemIndex(werte.ausgabeart);
        if (werte.speicherart >= 0)
            dialog->RadioGroup3->setItemIndex(werte.speicherart);
        reiterAnwenden(*dialog, dialog->systemReiter(), werte.system);
        reiterAnwenden(*dialog, dialog->netzReiter(), werte.netz);
    }
    (ziele.einstellungen ? ziele.einstellungen : &programmeinstellungen())->uebernehmen(werte);
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
