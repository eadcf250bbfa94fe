#pragma once
// The options dialog. Its controls are the live store of the settings: other windows read them
// while the program runs; fonts and colours reach the windows only when the file is read.
#include <QDialog>
#include <QHash>

#include <functional>

#include "output/einstellungen.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTabWidget;
class Farbliste;
class Groessenliste;
class Radiogruppe;
class Schriftliste;
class Vorschau;

class TOptionsfenster : public QDialog {
    Q_OBJECT
public:
    // Results of the dialog, numbered as the buttons' results have always been.
    enum Ergebnis { ErgebnisOK = 1, ErgebnisAbbrechen = 3, ErgebnisWiederholen = 4 };

    explicit TOptionsfenster(QWidget* parent = nullptr);

    // The controls of one tab with font settings.
    struct Reiter {
        Farbliste* hintergrund;
        Schriftliste* schriftart;
        Groessenliste* groesse;
        Farbliste* schriftfarbe;
        QCheckBox* fett;
        QCheckBox* kursiv;
        QCheckBox* unterstrichen;
        Vorschau* beispiel;
    };
    Reiter ausgabeReiter() const;
    Reiter systemReiter() const;
    Reiter netzReiter() const;

    // Live settings.
    bool automatischeSuche() const;       // RadioGroup1 index 1
    bool meldungsfensterAnzeigen() const; // CheckBox1
    bool zusammenfassungAusgeben() const; // CheckBox2
    int ausgabeart() const;               // RadioGroup2: 0 Inhalt, 1 Zusammenfassung, 2 beides
    int speicherart() const;              // RadioGroup3: as above, 3 beides getrennt

    // The values the OK button writes. A list without a selected entry (a font the system lacks,
    // an unknown colour) writes the value last read for it, so OK never loses what the file said.
    Optionswerte optionswerte() const;
    void gelesenenWertMerken(const QComboBox* liste, const QString& wert);

    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QWidget* TabSheet4;
    QWidget* TabSheet5;
    QWidget* TabSheet6;

    Radiogruppe* RadioGroup1;
    QCheckBox* CheckBox1;

    QCheckBox* CheckBox2;
    Farbliste* ComboBox1;
    Schriftliste* ComboBox2;
    Groessenliste* ComboBox3;
    Farbliste* ComboBox4;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    Vorschau* Panel2;

    Radiogruppe* RadioGroup2;
    Radiogruppe* RadioGroup3;

    Farbliste* ComboBox5;
    Schriftliste* ComboBox6;
    Groessenliste* ComboBox7;
    Farbliste* ComboBox8;
    QCheckBox* CheckBox6;
    QCheckBox* CheckBox7;
    QCheckBox* CheckBox8;
    Vorschau* Panel3;

    Farbliste* ComboBox9;
    Schriftliste* ComboBox10;
    Groessenliste* ComboBox11;
    Farbliste* ComboBox12;
    QCheckBox* CheckBox9;
    QCheckBox* CheckBox10;
    QCheckBox* CheckBox11;
    Vorschau* Panel4;

    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;

public slots:
    void FormCreate();
    void ComboBox1Change();
    void ComboBox2Change();
    void ComboBox3Change();
    void ComboBox4Change();
    void ComboBox5Change();
    void ComboBox6Change();
    void ComboBox7Change();
    void ComboBox8Change();
    void ComboBox9Change();
    void ComboBox10Change();
    void ComboBox11Change();
    void ComboBox12Change();
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox5Click();
    void CheckBox6Click();
    void CheckBox7Click();
    void CheckBox8Click();
    void CheckBox9Click();
    void CheckBox10Click();
    void CheckBox11Click();
    void BitBtn1Click(); // OK: write the file from the controls
    void BitBtn2Click(); // Abbrechen: nothing written, the controls stay as they are
    void BitBtn3Click(); // Hilfe
    void BitBtn4Click(); // write the default file

private:
    QWidget* schriftreiterBauen(Reiter& r, const QString& nummern, QCheckBox* zusammenfassung);
    Darstellungswerte darstellungswerte(const Reiter& r) const;
    QString listenwert(const QComboBox* liste) const;
    void verbinden(const Reiter& r, void (TOptionsfenster::*hintergrund)(), void (TOptionsfenster::*schrift)(),
                   void (TOptionsfenster::*groesse)(), void (TOptionsfenster::*farbe)(),
                   void (TOptionsfenster::*fett)(), void (TOptionsfenster::*kursiv)(),
                   void (TOptionsfenster::*unterstrichen)());

    static void hintergrundZeigen(const Reiter& r);
    static void schriftartZeigen(const Reiter& r);
    static void groesseZeigen(const Reiter& r);
    static void schriftfarbeZeigen(const Reiter& r);
    static void fettZeigen(const Reiter& r);
    static void kursivZeigen(const Reiter& r);
    static void unterstrichenZeigen(const Reiter& r);

    QHash<const QComboBox*, QString> m_gelesen;
};

extern TOptionsfenster* Optionsfenster;
