#include "output/fenster/optionsfenster.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "output/fenster/einstellunganwenden.h"
#include "output/fenster/einstellungselemente.h"
#include "output/fenster/farbliste.h"
#include "output/fenster/fensterdienste.h"

TOptionsfenster* Optionsfenster = nullptr;
namespace {

QCheckBox* kasten(const QString& text, const QString& name, QWidget* eltern)
{
    auto* k = new QCheckBox(text, eltern);
    k->setObjectName(name);
    return k;
}

QPushButton* knopf(const QString& text, const QString& name, QStyle::StandardPixmap bild, QWidget* eltern)
{
    auto* k = new QPushButton(eltern->style()->standardIcon(bild), text, eltern);
    k->setObjectName(name);
    k->setAutoDefault(false);
    return k;
}

}  // namespace

TOptionsfenster::TOptionsfenster(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TOptionsfenster"));
    setWindowTitle(QStringLiteral("Zembrola - Einstellungen"));

    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    haupt->setSpacing(0);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    // Every tab stays readable: with a wide system font the dialog grows rather than scrolling them.
    PageControl1->setUsesScrollButtons(false);
    haupt->addWidget(PageControl1, 1);

    // Programmausführung
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    {
        auto* l = new QVBoxLayout(TabSheet1);
        RadioGroup1 = new Radiogruppe(QStringLiteral("Suche"),
                                      {QString::fromUtf8("über Startbutton starten"),
                                       QString::fromUtf8("automatisch bei jeder Änderung starten")},
                                      TabSheet1);
        RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
        RadioGroup1->setItemIndex(0);
        CheckBox1 = kasten(QStringLiteral("Meldungsfenster ausgeben"), QStringLiteral("CheckBox1"), TabSheet1);
        CheckBox1->setChecked(true);
        l->addWidget(RadioGroup1);
        l->addWidget(CheckBox1);
        l->addStretch();
    }
    PageControl1->addTab(TabSheet1, QString::fromUtf8("Programmausführung"));

    // Ausgabefenster
    CheckBox2 = kasten(QStringLiteral(" anzeigen"), QStringLiteral("CheckBox2"), nullptr);
    CheckBox2->setChecked(true);
    Reiter ausgabe{};
    TabSheet2 = schriftreiterBauen(ausgabe, QStringLiteral("1,2,3,4,3,4,5,2"), CheckBox2);
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    ComboBox1 = ausgabe.hintergrund;
    ComboBox2 = ausgabe.schriftart;
    ComboBox3 = ausgabe.groesse;
    ComboBox4 = ausgabe.schriftfarbe;
    CheckBox3 = ausgabe.fett;
    CheckBox4 = ausgabe.kursiv;
    CheckBox5 = ausgabe.unterstrichen;
    Panel2 = ausgabe.beispiel;
    PageControl1->addTab(TabSheet2, QStringLiteral("Ausgabefenster"));

    // Drucken
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    {
        auto* l = new QVBoxLayout(TabSheet3);
        RadioGroup2 = new Radiogruppe(QString(),
                                      {QStringLiteral("nur Inhalte ausdrucken"),
                                       QStringLiteral("nur Zusammenfassung ausdrucken"),
                                       QStringLiteral("Inhalte mit Zusammenfassung ausdrucken")},
                                      TabSheet3);
        RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
        RadioGroup2->setItemIndex(2);
        l->addWidget(RadioGroup2);
        l->addStretch();
    }
    PageControl1->addTab(TabSheet3, QStringLiteral("Drucken"));

    // Speichern
    TabSheet4 = new QWidget;
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    {
        auto* l = new QVBoxLayout(TabSheet4);
        RadioGroup3 = new Radiogruppe(QString(),
                                      {QStringLiteral("nur Inhalte speichern"),
                                       QStringLiteral("nur Zusammenfassung speichern"),
                                       QStringLiteral("Inhalte mit Zusammenfassung speichen"),
                                       QStringLiteral("Inhalte und Zusammenfassung getrennt speichern")},
                                      TabSheet4);
        RadioGroup3->setObjectName(QStringLiteral("RadioGroup3"));
        RadioGroup3->setItemIndex(0);
        l->addWidget(RadioGroup3);
        l->addStretch();
    }
    PageControl1->addTab(TabSheet4, QStringLiteral("Speichern"));

    // Systemausgabe
    Reiter system{};
    TabSheet5 = schriftreiterBauen(system, QStringLiteral("5,6,7,8,6,7,8,3"), nullptr);
    TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
    ComboBox5 = system.hintergrund;
    ComboBox6 = system.schriftart;
    ComboBox7 = system.groesse;
    ComboBox8 = system.schriftfarbe;
    CheckBox6 = system.fett;
    CheckBox7 = system.kursiv;
    CheckBox8 = system.unterstrichen;
    Panel3 = system.beispiel;
    PageControl1->addTab(TabSheet5, QStringLiteral("Systemausgabe"));

    // Netzwerkanalyse
    Reiter netz{};
    TabSheet6 = schriftreiterBauen(netz, QStringLiteral("9,10,11,12,9,10,11,4"), nullptr);
    TabSheet6->setObjectName(QStringLiteral("TabSheet6"));
    ComboBox9 = netz.hintergrund;
    ComboBox10 = netz.schriftart;
    ComboBox11 = netz.groesse;
    ComboBox12 = netz.schriftfarbe;
    CheckBox9 = netz.fett;
    CheckBox10 = netz.kursiv;
    CheckBox11 = netz.unterstrichen;
    Panel4 = netz.beispiel;
    PageControl1->addTab(TabSheet6, QStringLiteral("Netzwerkanalyse"));

    // Button row, 41 pixels.
    auto* zeile = new QWidget(this);
    zeile->setFixedHeight(41);
    auto* knoepfe = new QHBoxLayout(zeile);
    knoepfe->setContentsMargins(8, 0, 8, 0);
    BitBtn1 = knopf(QStringLiteral("OK"), QStringLiteral("BitBtn1"), QStyle::SP_DialogOkButton, this);
    BitBtn2 = knopf(QStringLiteral("Abbrechen"), QStringLiteral("BitBtn2"), QStyle::SP_DialogCancelButton, this);
    BitBtn4 = knopf(QStringLiteral("&Standard wiederherstellen"), QStringLiteral("BitBtn4"),
                    QStyle::SP_BrowserReload, this);
    BitBtn3 = knopf(QStringLiteral("&Hilfe"), QStringLiteral("BitBtn3"), QStyle::SP_DialogHelpButton, this);
    BitBtn1->setDefault(true);
    knoepfe->addWidget(BitBtn1);
    knoepfe->addWidget(BitBtn2);
    knoepfe->addWidget(BitBtn4);
    knoepfe->addStretch();
    knoepfe->addWidget(BitBtn3);
    haupt->addWidget(zeile);

    connect(BitBtn1, &QPushButton::clicked, this, &TOptionsfenster::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TOptionsfenster::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TOptionsfenster::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TOptionsfenster::BitBtn4Click);

    verbinden(ausgabeReiter(), &TOptionsfenster::ComboBox1Change, &TOptionsfenster::ComboBox2Change,
              &TOptionsfenster::ComboBox3Change, &TOptionsfenster::ComboBox4Change, &TOptionsfenster::CheckBox3Click,
              &TOptionsfenster::CheckBox4Click, &TOptionsfenster::CheckBox5Click);
    verbinden(systemReiter(), &TOptionsfenster::ComboBox5Change, &TOptionsfenster::ComboBox6Change,
              &TOptionsfenster::ComboBox7Change, &TOptionsfenster::ComboBox8Change, &TOptionsfenster::CheckBox6Click,
              &TOptionsfenster::CheckBox7Click, &TOptionsfenster::CheckBox8Click);
    verbinden(netzReiter(), &TOptionsfenster::ComboBox9Change, &TOptionsfenster::ComboBox10Change,
              &TOptionsfenster::ComboBox11Change, &TOptionsfenster::ComboBox12Change,
              &TOptionsfenster::CheckBox9Click, &TOptionsfenster::CheckBox10Click,
              &TOptionsfenster::CheckBox11Click);

    // The first opening shows the last tab; later ones show the tab left open.
    PageControl1->setCurrentWidget(TabSheet6);
    resize(539, 229);
    FormCreate();
}

QWidget* TOptionsfenster::schriftreiterBauen(Reiter& r, const QString& nummern, QCheckBox* zusammenfassung)
{
    // nummern: the numbers of the four lists, the three boxes and the preview panel.
    const QStringList n = nummern.split(u',');
    auto* seite = new QWidget;
    auto* gitter = new QGridLayout(seite);
    gitter->setContentsMargins(8, 6, 8, 6);
    gitter->setHorizontalSpacing(6);
    gitter->setVerticalSpacing(3);

    r.hintergrund = new Farbliste(Farbliste::Art::Hintergrundfarbe, 16, seite);
    r.hintergrund->setObjectName(QStringLiteral("ComboBox") + n[0]);
    r.schriftart = new Schriftliste(seite);
    r.schriftart->setObjectName(QStringLiteral("ComboBox") + n[1]);
    r.groesse = new Groessenliste(seite);
    r.groesse->setObjectName(QStringLiteral("ComboBox") + n[2]);
    r.schriftfarbe = new Farbliste(Farbliste::Art::Schriftfarbe, 16, seite);
    r.schriftfarbe->setObjectName(QStringLiteral("ComboBox") + n[3]);
    r.fett = kasten(QStringLiteral("Fett"), QStringLiteral("CheckBox") + n[4], seite);
    r.kursiv = kasten(QStringLiteral("Kursiv"), QStringLiteral("CheckBox") + n[5], seite);
    r.unterstrichen = kasten(QStringLiteral("Unterstrichen"), QStringLiteral("CheckBox") + n[6], seite);
    r.beispiel = new Vorschau(seite);
    r.beispiel->setObjectName(QStringLiteral("Panel") + n[7]);

    // Left the lists, right the preview; the size list shares the font's row.
    int zeile = 0;
    if (zusammenfassung) {
        zusammenfassung->setParent(seite);
        gitter->addWidget(new QLabel(QStringLiteral("Zusammenfassung"), seite), zeile, 0);
        gitter->addWidget(zusammenfassung, zeile, 1, 1, 3);
        ++zeile;
    }
    gitter->addWidget(new QLabel(QStringLiteral("Hintergrundfarbe"), seite), zeile, 0);
    gitter->addWidget(r.hintergrund, zeile, 1);
    ++zeile;
    auto* standard = new QLabel(QStringLiteral("Standardschrift"), seite);
    QFont fett = standard->font();
    fett.setBold(true);
    standard->setFont(fett);
    gitter->addWidget(standard, zeile, 0, 1, 4);
    ++zeile;
    gitter->addWidget(new QLabel(QStringLiteral("- Schriftart"), seite), zeile, 0);
    gitter->addWidget(r.schriftart, zeile, 1);
    gitter->addWidget(new QLabel(QString::fromUtf8("- Schriftgröße"), seite), zeile, 2);
    gitter->addWidget(r.groesse, zeile, 3);
    ++zeile;
    gitter->addWidget(new QLabel(QStringLiteral("- Schriftfarbe"), seite), zeile, 0);
    gitter->addWidget(r.schriftfarbe, zeile, 1);
    ++zeile;
    auto* stile = new QHBoxLayout;
    stile->addWidget(r.fett);
    stile->addWidget(r.kursiv);
    stile->addWidget(r.unterstrichen);
    stile->addStretch();
    gitter->addLayout(stile, zeile, 1, 1, 3);
    gitter->addWidget(r.beispiel, 0, 4, zeile + 1, 1);
    gitter->setColumnStretch(1, 1);
    gitter->setColumnMinimumWidth(4, 90);
    gitter->setRowStretch(zeile + 1, 1);
    r.hintergrund->setMinimumContentsLength(10);
    r.schriftart->setMinimumContentsLength(12);
    r.schriftfarbe->setMinimumContentsLength(10);
    for (QComboBox* liste : {static_cast<QComboBox*>(r.hintergrund), static_cast<QComboBox*>(r.schriftart),
                             static_cast<QComboBox*>(r.schriftfarbe)})
        liste->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    r.groesse->setMinimumContentsLength(3);
    r.groesse->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return seite;
}

void TOptionsfenster::verbinden(const Reiter& r, void (TOptionsfenster::*hintergrund)(),
                                void (TOptionsfenster::*schrift)(), void (TOptionsfenster::*groesse)(),
                                void (TOptionsfenster::*farbe)(), void (TOptionsfenster::*fett)(),
                                void (TOptionsfenster::*kursiv)(), void (TOptionsfenster::*unterstrichen)())
{
    connect(r.hintergrund, &QComboBox::currentIndexChanged, this, hintergrund);
    connect(r.schriftart, &QComboBox::currentIndexChanged, this, schrift);
    connect(r.groesse, &QComboBox::currentTextChanged, this, groesse);
    connect(r.schriftfarbe, &QComboBox::currentIndexChanged, this, farbe);
    connect(r.fett, &QCheckBox::toggled, this, fett);
    connect(r.kursiv, &QCheckBox::toggled, this, kursiv);
    connect(r.unterstrichen, &QCheckBox::toggled, this, unterstrichen);
}

void TOptionsfenster::FormCreate()
{
    // Lists are filled by their own classes; the font lists follow the fonts installed now.
    ComboBox2->fuellen();
    ComboBox6->fuellen();
    ComboBox10->fuellen();
}

TOptionsfenster::Reiter TOptionsfenster::ausgabeReiter() const
{
    return {ComboBox1, ComboBox2, ComboBox3, ComboBox4, CheckBox3, CheckBox4, CheckBox5, Panel2};
}

TOptionsfenster::Reiter TOptionsfenster::systemReiter() const
{
    return {ComboBox5, ComboBox6, ComboBox7, ComboBox8, CheckBox6, CheckBox7, CheckBox8, Panel3};
}

TOptionsfenster::Reiter TOptionsfenster::netzReiter() const
{
    return {ComboBox9, ComboBox10, ComboBox11, ComboBox12, CheckBox9, CheckBox10, CheckBox11, Panel4};
}

bool TOptionsfenster::automatischeSuche() const
{
    return RadioGroup1->itemIndex() == 1;
}

bool TOptionsfenster::meldungsfensterAnzeigen() const
{
    return CheckBox1->isChecked();
}

bool TOptionsfenster::zusammenfassungAusgeben() const
{
    return CheckBox2->isChecked();
}

int TOptionsfenster::ausgabeart() const
{
    return RadioGroup2->itemIndex();
}

int TOptionsfenster::speicherart() const
{
    return RadioGroup3->itemIndex();
}

void TOptionsfenster::gelesenenWertMerken(const QComboBox* liste, const QString& wert)
{
    m_gelesen.insert(liste, wert);
}

QString TOptionsfenster::listenwert(const QComboBox* liste) const
{
    if (const auto* g = qobject_cast<const Groessenliste*>(liste)) {
        const int n = g->groesse();
        if (n > 0)
            return groessentext(n);
    } else if (liste->currentIndex() >= 0) {
        return liste->currentText();
    }
    return m_gelesen.value(liste);
}

Darstellungswerte TOptionsfenster::darstellungswerte(const Reiter& r) const
{
    Darstellungswerte d;
    d.hintergrundfarbe = listenwert(r.hintergrund);
    d.schriftart = listenwert(r.schriftart);
    d.schriftgroesse = listenwert(r.groesse);
    d.schriftfarbe = listenwert(r.schriftfarbe);
    d.fett = r.fett->isChecked();
    d.kursiv = r.kursiv->isChecked();
    d.unterstrichen = r.unterstrichen->isChecked();
    return d;
}

Optionswerte TOptionsfenster::optionswerte() const
{
    Optionswerte w;
    w.automatischeSuche = automatischeSuche();
    w.meldungsfensterAnzeigen = meldungsfensterAnzeigen();
    w.zusammenfassungAusgeben = zusammenfassungAusgeben();
    w.ausgabe = darstellungswerte(ausgabeReiter());
    w.ausgabeart = ausgabeart();
    w.speicherart = speicherart();
    w.system = darstellungswerte(systemReiter());
    w.netz = darstellungswerte(netzReiter());
    return w;
}

void TOptionsfenster::hintergrundZeigen(const Reiter& r)
{
    const QColor f = r.hintergrund->gewaehlteFarbe();
    if (f.isValid())
        r.beispiel->setzeHintergrund(f);
}

void TOptionsfenster::schriftartZeigen(const Reiter& r)
{
    if (r.schriftart->currentIndex() < 0)
        return;
    QFont f = r.beispiel->font();
    f.setFamily(r.schriftart->currentText());
    r.beispiel->setFont(f);
}

void TOptionsfenster::groesseZeigen(const Reiter& r)
{
    const int n = r.groesse->groesse();
    if (n <= 0)
        return;
    QFont f = r.beispiel->font();
    f.setPointSize(n);
    r.beispiel->setFont(f);
}

void TOptionsfenster::schriftfarbeZeigen(const Reiter& r)
{
    const QColor f = r.schriftfarbe->gewaehlteFarbe();
    if (f.isValid())
        r.beispiel->setzeSchriftfarbe(f);
}

void TOptionsfenster::fettZeigen(const Reiter& r)
{
    QFont f = r.beispiel->font();
    f.setBold(r.fett->isChecked());
    r.beispiel->setFont(f);
}

void TOptionsfenster::kursivZeigen(const Reiter& r)
{
    QFont f = r.beispiel->font();
    f.setItalic(r.kursiv->isChecked());
    r.beispiel->setFont(f);
}

void TOptionsfenster::unterstrichenZeigen(const Reiter& r)
{
    QFont f = r.beispiel->font();
    f.setUnderline(r.unterstrichen->isChecked());
    r.beispiel->setFont(f);
}

void TOptionsfenster::ComboBox1Change() { hintergrundZeigen(ausgabeReiter()); }
void TOptionsfenster::ComboBox2Change() { schriftartZeigen(ausgabeReiter()); }
void TOptionsfenster::ComboBox3Change() { groesseZeigen(ausgabeReiter()); }
void TOptionsfenster::ComboBox4Change() { schriftfarbeZeigen(ausgabeReiter()); }
void TOptionsfenster::ComboBox5Change() { hintergrundZeigen(systemReiter()); }
void TOptionsfenster::ComboBox6Change() { schriftartZeigen(systemReiter()); }
void TOptionsfenster::ComboBox7Change() { groesseZeigen(systemReiter()); }
void TOptionsfenster::ComboBox8Change() { schriftfarbeZeigen(systemReiter()); }
void TOptionsfenster::ComboBox9Change() { hintergrundZeigen(netzReiter()); }
void TOptionsfenster::ComboBox10Change() { schriftartZeigen(netzReiter()); }
void TOptionsfenster::ComboBox11Change() { groesseZeigen(netzReiter()); }
void TOptionsfenster::ComboBox12Change() { schriftfarbeZeigen(netzReiter()); }
void TOptionsfenster::CheckBox3Click() { fettZeigen(ausgabeReiter()); }
void TOptionsfenster::CheckBox4Click() { kursivZeigen(ausgabeReiter()); }
void TOptionsfenster::CheckBox5Click() { unterstrichenZeigen(ausgabeReiter()); }
void TOptionsfenster::CheckBox6Click() { fettZeigen(systemReiter()); }
void TOptionsfenster::CheckBox7Click() { kursivZeigen(systemReiter()); }
void TOptionsfenster::CheckBox8Click() { unterstrichenZeigen(systemReiter()); }
void TOptionsfenster::CheckBox9Click() { fettZeigen(netzReiter()); }
void TOptionsfenster::CheckBox10Click() { kursivZeigen(netzReiter()); }
void TOptionsfenster::CheckBox11Click() { unterstrichenZeigen(netzReiter()); }

void TOptionsfenster::BitBtn1Click()
{
    const QString pfad = einstellungsdateipfad();
    QString fehlertext;
    // On a failed write the old file stays and the dialog stays open, so nothing chosen is lost.
    if (!einstellungenSchreiben(optionswerte(), pfad, plattformCodepage(), &fehlertext)) {
        einstellungsfehlerZeigen(this, fehlertext, pfad);
        return;
    }
    done(ErgebnisOK);
}

void TOptionsfenster::BitBtn2Click()
{
    done(ErgebnisAbbrechen);
}

void TOptionsfenster::BitBtn3Click() { fensterdienste().hilfe(QStringLiteral("Progammeinstellungen")); }

void TOptionsfenster::BitBtn4Click()
{
    const QString pfad = einstellungsdateipfad();
    QString fehlertext;
    Eintraege eintraege; // the main window fills its own when it reads the file again
    if (!wiederherstellung(eintraege, pfad, plattformCodepage(), &fehlertext)) {
        einstellungsfehlerZeigen(this, fehlertext, pfad);
        return;
    }
    done(ErgebnisWiederholen);
}
