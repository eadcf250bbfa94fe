#include "app/hauptfenster.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/Meldungsfenster.h"
#include "app/Meldungsfenster2.h"
#include "app/aboutbox.h"
#include "app/fenster.h"
#include "app/hilfe.h"
#include "app/ikonen.h"
#include "app/laufwerksauswahl.h"
#include "app/verzeichnisliste.h"
#include "app/warten.h"
#include "masks/fenster/suchmaskeaendern.h"
#include "netinfo/fenster/Netzw.h"
#include "netinfo/netzressourcen.h"
#include "output/codepage.h"
#include "output/fenster/ausgabefeld.h"
#include "output/fenster/bearbeiten.h"
#include "output/fenster/drucken.h"
#include "output/fenster/einstellunganwenden.h"
#include "output/fenster/farbliste.h"
#include "output/fenster/fensterdienste.h"
#include "output/fenster/formatleiste.h"
#include "output/fenster/optionsfenster.h"
#include "output/fenster/speichern.h"
#include "output/fenster/suchdialog.h"
#include "output/systemfehler.h"
#include "platform/netzpfad.h"
#include "platform/plattform.h"
#include "sysinfo/fenster/system_a.h"

THaupt* Haupt = nullptr;

namespace {
// The program's blue, behind white text in the drive selector, directory list and network lists.
const QColor programmblau(19, 114, 168);

const char* const stwAnsicht = "Ansicht";
const char* const stwAusgabefenster = "Ausgabefenster";
const char* const stwSymbolleiste = "Symbolleiste";

void blauWeiss(QWidget* w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, programmblau);
    p.setColor(QPalette::Button, programmblau);
    p.setColor(QPalette::Window, programmblau);
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::WindowText, Qt::white);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QCheckBox* ankreuzfeld(QWidget* eltern, const char* name, const QString& text, const QString& hinweis)
{
    auto* c = new QCheckBox(text, eltern);
    c->setObjectName(QLatin1String(name));
    c->setToolTip(hinweis);
    return c;
}

QAction* menuepunkt(QMenu* menue, const char* name, const QString& text, const QKeySequence& taste = {})
{
    QAction* a = menue->addAction(text);
    a->setObjectName(QLatin1String(name));
    if (!taste.isEmpty())
        a->setShortcut(taste);
    return a;
}
}  // namespace

// ---------------------------------------------------------------------------------------------

TRadioGroup::TRadioGroup(const QString& titel, const QStringList& eintraege, QWidget* parent)
    : QGroupBox(titel, parent)
    , m_gruppe(new QButtonGroup(this))
{
    auto* zeile = new QHBoxLayout(this);
    zeile->setContentsMargins(8, 4, 8, 4);
    for (int i = 0; i < eintraege.size(); ++i) {
        auto* k = new QRadioButton(eintraege[i], this);
        m_gruppe->addButton(k, i);
        zeile->addWidget(k);
    }
    zeile->addStretch();
    connect(m_gruppe, &QButtonGroup::idClicked, this, &TRadioGroup::geklickt);
}

int TRadioGroup::itemIndex() const
{
    return m_gruppe->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* k = m_gruppe->button(index))
        k->setChecked(true);
}

QRadioButton* TRadioGroup::knopf(int index) const
{
    return qobject_cast<QRadioButton*>(m_gruppe->button(index));
}

// ---------------------------------------------------------------------------------------------

THaupt::THaupt(QWidget* parent)
    : QMainWindow(parent)
    , suchlauf(&starteSuche)
{
    FormCreate();
}

THaupt::~THaupt() = default;

void THaupt::FormCreate()
{
    setObjectName(QStringLiteral("THaupt"));
    setWindowTitle(QStringLiteral("Zembrola - 3.1"));
    setWindowIcon(programmIkone());
    setzeHilfestichwort(this, QStringLiteral("Hauptfenster"));

    menuesAnlegen();
    werkzeugleisteAnlegen();

    auto* mitte = new QWidget(this);
    auto* zeile = new QHBoxLayout(mitte);
    zeile->setContentsMargins(2, 2, 2, 2);
    zeile->setSpacing(4);
    zeile->addWidget(linkeSpalteAnlegen());
    zeile->addWidget(rechteSeiteAnlegen(), 1);
    setCentralWidget(mitte);

    statusleisteAnlegen();

    // The date range starts as the last year.
    const QDate heute = QDate::currentDate();
    DateTimePicker2->setDate(heute);
    DateTimePicker1->setDate(heute.addDays(-365));

    DriveComboBox1->fuellen();
    verbinden();
    einstellungenFolgen(this, [this](const AufgeloesteEinstellungen& werte) { einstellungenAnwenden(werte); });

    hilfetasteEinrichten(this);

    // Client area 899 x 548; the window is opened maximised.
    resize(899, 548 + menuBar()->sizeHint().height() + ToolBar1->sizeHint().height()
                + statusBar()->sizeHint().height());
}

void THaupt::menuesAnlegen()
{
    QMenuBar* leiste = menuBar();
    leiste->setObjectName(QStringLiteral("MainMenu1"));

    Datei1 = leiste->addMenu(QStringLiteral("&Datei"));
    Datei1->setObjectName(QStringLiteral("Datei1"));
    Speichern1 = menuepunkt(Datei1, "Speichern1", QStringLiteral("&Speichern"), QKeySequence(Qt::Key_F2));
    Drucken1 = menuepunkt(Datei1, "Drucken1", QStringLiteral("&Drucken"), QKeySequence(Qt::Key_F3));
    Druckereinrichten1 = menuepunkt(Datei1, "Druckereinrichten1", QStringLiteral("Drucker &einrichten"));
    Datei1->addSeparator();
    B1 = menuepunkt(Datei1, "B1", QStringLiteral("&Beenden"), QKeySequence(Qt::Key_F4));

    Bearbeiten1 = leiste->addMenu(QStringLiteral("&Bearbeiten"));
    Bearbeiten1->setObjectName(QStringLiteral("Bearbeiten1"));
    Undo1 = menuepunkt(Bearbeiten1, "Undo1", QStringLiteral("&Rückgängig"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    Bearbeiten1->addSeparator();
    Copy1 = menuepunkt(Bearbeiten1, "Copy1", QStringLiteral("&Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste1 = menuepunkt(Bearbeiten1, "Paste1", QStringLiteral("&Einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V));
    Allesmarkieren1 = menuepunkt(Bearbeiten1, "Allesmarkieren1", QStringLiteral("Alles &markieren"));
    Bearbeiten1->addSeparator();
    Find1 = menuepunkt(Bearbeiten1, "Find1", QStringLiteral("&Suchen..."));
    Bearbeiten1->addSeparator();
    Aktualisieren1 = menuepunkt(Bearbeiten1, "Aktualisieren1", QStringLiteral("&Aktualisieren"), QKeySequence(Qt::Key_F5));

    Start2 = leiste->addMenu(QStringLiteral("&Start"));
    Start2->setObjectName(QStringLiteral("Start2"));
    Netzwerkanalyse1 = menuepunkt(Start2, "Netzwerkanalyse1", QStringLiteral("Netzwerkanalyse"), QKeySequence(Qt::Key_F7));
    Systemanalyse2 = menuepunkt(Start2, "Systemanalyse2", QStringLiteral("System&analyse"), QKeySequence(Qt::Key_F6));
    Start1 = menuepunkt(Start2, "Start1", QStringLiteral("Start"), QKeySequence(Qt::Key_F5));
    // F5 belongs to "&Aktualisieren" in the whole window. Two window-wide actions on one key
    // would block each other, so "Start" shows F5 but answers it only inside its open menu.
    Start1->setShortcutContext(Qt::WidgetShortcut);

    Optionen1 = leiste->addMenu(QStringLiteral("&Optionen"));
    Optionen1->setObjectName(QStringLiteral("Optionen1"));
    ListefuerdieSuchmaske1 = menuepunkt(Optionen1, "ListefuerdieSuchmaske1",
                                        QStringLiteral("Liste für die Suchmaske bearbeiten"), QKeySequence(Qt::Key_F8));
    Programmeinstellungen1 = menuepunkt(Optionen1, "Programmeinstellungen1", QStringLiteral("Programmeinstellungen"),
                                        QKeySequence(Qt::Key_F9));

    Hilfe1 = leiste->addMenu(QStringLiteral("Hilfe"));
    Hilfe1->setObjectName(QStringLiteral("Hilfe1"));
    Hilfe2 = menuepunkt(Hilfe1, "Hilfe2", QStringLiteral("&Hilfe"));
    ZembrolaimInternet1 = menuepunkt(Hilfe1, "ZembrolaimInternet1", QStringLiteral("Zembrola im Internet"));
    Info1 = menuepunkt(Hilfe1, "Info1", QStringLiteral("&Info"));
}

void THaupt::werkzeugleisteAnlegen()
{
    ToolBar1 = addToolBar(QStringLiteral("Symbolleiste"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(24, 24));
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    setzeHilfestichwort(ToolBar1, QLatin1String(stwSymbolleiste));

    auto knopf = [this](const char* name, const char* bild, const QString& hinweis) {
        auto* k = new QToolButton(ToolBar1);
        k->setObjectName(QLatin1String(name));
        k->setIcon(werkzeugIkone(QLatin1String(bild)));
        k->setToolTip(hinweis);
        k->setAutoRaise(true);
        ToolBar1->addWidget(k);
        return k;
    };
    ToolButton1 = knopf("ToolButton1", "beenden", QStringLiteral("Programm beenden"));
    ToolButton6 = knopf("ToolButton6", "start", QStringLiteral("Suche starten"));
    // The tool button is the menu item "Start": it triggers that action and takes its enabled
    // state. It does not carry the action (setDefaultAction), since the action's F5 would then
    // block the window's F5 ("&Aktualisieren") whenever the button has the focus.
    connect(ToolButton6, &QToolButton::clicked, Start1, &QAction::trigger);
    connect(Start1, &QAction::enabledChanged, ToolButton6, &QWidget::setEnabled);
    ToolButton2 = knopf("ToolButton2", "speichern", QStringLiteral("Speichern"));
    ToolButton3 = knopf("ToolButton3", "drucken", QStringLiteral("Drucken"));
    ToolButton4 = knopf("ToolButton4", "druckereinrichten", QStringLiteral("Druckerdialog"));
    ToolButton5 = knopf("ToolButton5", "system", QStringLiteral("Systemanalyse starten"));
    ToolButton8 = knopf("ToolButton8", "netzwerk", QStringLiteral("Netzwerkanalyse"));
    ToolButton9 = knopf("ToolButton9", "aktualisieren", QStringLiteral("Anzeige aktualisieren"));
    ToolButton10 = knopf("ToolButton10", "suchen", QStringLiteral("Text  /Eintrag suchen"));
    ToolButton7 = knopf("ToolButton7", "einstellungen", QStringLiteral("Programmeinstellungen"));
    ToolButton11 = knopf("ToolButton11", "info", QStringLiteral("Programminformationen"));
    ToolButton12 = knopf("ToolButton12", "hilfe", QStringLiteral("Hilfe"));

    ToolBar1->addSeparator();
    Label6 = new QLabel(QStringLiteral(" Ansicht:  "), ToolBar1);
    Label6->setObjectName(QStringLiteral("Label6"));
    QFont fett = Label6->font();
    fett.setBold(true);
    Label6->setFont(fett);
    ToolBar1->addWidget(Label6);

    // Fixed lists: a typed text that matches no entry would leave the column count undefined.
    ComboBox6 = new QComboBox(ToolBar1);
    ComboBox6->setObjectName(QStringLiteral("ComboBox6"));
    ComboBox6->addItems({QStringLiteral("1 Spalte"), QStringLiteral("2 Spalten"), QStringLiteral("3 Spalten"),
                         QStringLiteral("4 Spalten"), QStringLiteral("5 Spalten"), QStringLiteral("6 Spalten")});
    ComboBox6->setToolTip(QStringLiteral("Spaltenanzahl"));
    ToolBar1->addWidget(ComboBox6);

    auto ansichtsfeld = [this](const char* name, const QString& text, const QString& hinweis) {
        QCheckBox* c = ankreuzfeld(ToolBar1, name, text, hinweis);
        ToolBar1->addWidget(c);
        return c;
    };
    CheckBox15 = ansichtsfeld("CheckBox15", QStringLiteral("Pfadangabe"), QStringLiteral("Dateinamen mit Pfadangabe"));
    CheckBox11 = ansichtsfeld("CheckBox11", QStringLiteral("Attribute"), QStringLiteral("Attribute anzeigen"));
    CheckBox14 = ansichtsfeld("CheckBox14", QStringLiteral("Datum"), QStringLiteral("Dateidatum anzeigen"));
    CheckBox12 = ansichtsfeld("CheckBox12", QStringLiteral("Größe"), QStringLiteral("Dateigröße anzeigen"));

    ComboBox7 = new QComboBox(ToolBar1);
    ComboBox7->setObjectName(QStringLiteral("ComboBox7"));
    ComboBox7->addItems({QStringLiteral("Bytes"), QStringLiteral("KBytes"), QStringLiteral("MBytes"),
                         QStringLiteral("GBytes"), QStringLiteral("TBytes")});
    ComboBox7->setToolTip(QStringLiteral("Einheit der Größenangabe"));
    ToolBar1->addWidget(ComboBox7);
    CheckBox13 = ansichtsfeld("CheckBox13", QStringLiteral("Einheit"), QStringLiteral("Größeneinheit ausgeben"));

    for (QWidget* w : std::initializer_list<QWidget*>{ComboBox6, CheckBox11, CheckBox14, CheckBox12, ComboBox7, CheckBox13})
        setzeHilfestichwort(w, QLatin1String(stwAnsicht));
    setzeHilfestichwort(CheckBox15, QLatin1String(stwAusgabefenster));
}

QWidget* THaupt::linkeSpalteAnlegen()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedWidth(241);
    auto* spalte = new QVBoxLayout(Panel1);
    spalte->setContentsMargins(0, 0, 0, 0);
    spalte->setSpacing(4);

    RadioGroup1 = new TRadioGroup(QStringLiteral("Suche"), {QStringLiteral("lokal"), QStringLiteral("Netzwerk")}, Panel1);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setItemIndex(0);
    setzeHilfestichwort(RadioGroup1, QStringLiteral("Auswahl zwischen lokaler und Netzwerk-Suche"));
    spalte->addWidget(RadioGroup1);

    DriveComboBox1 = new TDriveComboBox(Panel1);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setToolTip(QStringLiteral("Bitte Laufwerk auswählen."));
    blauWeiss(DriveComboBox1);
    spalte->addWidget(DriveComboBox1);

    auto* netz = new QGridLayout;
    netz->setContentsMargins(0, 0, 0, 0);
    Label1 = new QLabel(QStringLiteral("Computer:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Computerlist = new QComboBox(Panel1);
    Computerlist->setObjectName(QStringLiteral("Computerlist"));
    Computerlist->setToolTip(QStringLiteral("Bitte Computer wählen!"));
    Label2 = new QLabel(QStringLiteral("Freigabe:"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Freigabelist = new QComboBox(Panel1);
    Freigabelist->setObjectName(QStringLiteral("Freigabelist"));
    Freigabelist->setToolTip(QStringLiteral("Bitte Netzwerkresource wählen!"));
    for (QComboBox* c : {Computerlist, Freigabelist}) {
        c->setEditable(false);
        blauWeiss(c);
        setzeHilfestichwort(c, QStringLiteral("Freigabe"));
    }
    netz->addWidget(Label1, 0, 0);
    netz->addWidget(Computerlist, 0, 1);
    netz->addWidget(Label2, 1, 0);
    netz->addWidget(Freigabelist, 1, 1);
    netz->setColumnStretch(1, 1);
    spalte->addLayout(netz);
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Computerlist, Label2, Freigabelist})
        w->hide();

    DirectoryListBox1 = new TDirectoryListBox(Panel1);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setToolTip(QStringLiteral("Zur Auswahl des Suchpfads bitte Einträge anklicken!"));
    blauWeiss(DirectoryListBox1);
    setzeHilfestichwort(DirectoryListBox1, QStringLiteral("Verzeichnis"));
    spalte->addWidget(DirectoryListBox1, 1);

    // Criteria.
    Panel2 = new QGroupBox(QStringLiteral("Suchkriterien"), Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    setzeHilfestichwort(Panel2, QStringLiteral("Suchkriterien"));
    auto* raster = new QGridLayout(Panel2);
    raster->setContentsMargins(6, 6, 6, 6);
    raster->setVerticalSpacing(3);

    Label7 = new QLabel(QStringLiteral("Suchmaske:"), Panel2);
    Label7->setObjectName(QStringLiteral("Label7"));
    ComboBox1 = new QComboBox(Panel2);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setToolTip(QStringLiteral("Hier wählen Sie die Suchmaske aus."));
    // The mask list belongs to the mask editor, which also rebuilds it.
    suchmaskenfeldEinrichten(ComboBox1);
    ComboBox1->setMaxVisibleItems(20);
    raster->addWidget(Label7, 0, 0);
    raster->addWidget(ComboBox1, 0, 1, 1, 2);

    CheckBox1 = ankreuzfeld(Panel2, "CheckBox1", QStringLiteral("Alle Dateien"),
                            QStringLiteral("Alle Dateien, die zu der Suchmaske passen, werden angezeigt."));
    CheckBox1->setChecked(true);
    CheckBox4 = ankreuzfeld(Panel2, "CheckBox4", QStringLiteral("archiviert"), QString());
    CheckBox2 = ankreuzfeld(Panel2, "CheckBox2", QStringLiteral("nur lesen"),
                            QStringLiteral("Schreibgeschützte Dateien werden angezeigt."));
    CheckBox3 = ankreuzfeld(Panel2, "CheckBox3", QStringLiteral("System"), QStringLiteral("Systemdateien werden angezeigt."));
    raster->addWidget(CheckBox1, 1, 0, 1, 2);
    raster->addWidget(CheckBox4, 1, 2);
    raster->addWidget(CheckBox2, 2, 0, 1, 2);
    raster->addWidget(CheckBox3, 2, 2);

    CheckBox9 = ankreuzfeld(Panel2, "CheckBox9", QStringLiteral("Datum"), QStringLiteral("Erlaubt die datumsgesteuerte Suche"));
    raster->addWidget(CheckBox9, 3, 0, 1, 3);
    auto datumsfeld = [this](const char* name, const QString& hinweis) {
        auto* d = new QDateEdit(Panel2);
        d->setObjectName(QLatin1String(name));
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        d->setToolTip(hinweis);
        return d;
    };
    Label3 = new QLabel(QStringLiteral("Start:"), Panel2);
    Label3->setObjectName(QStringLiteral("Label3"));
    DateTimePicker1 = datumsfeld("DateTimePicker1", QStringLiteral("Startdatumseingabe"));
    Label4 = new QLabel(QStringLiteral("Ende:"), Panel2);
    Label4->setObjectName(QStringLiteral("Label4"));
    DateTimePicker2 = datumsfeld("DateTimePicker2", QStringLiteral("Eingabe des Enddatums"));
    raster->addWidget(Label3, 4, 0);
    raster->addWidget(DateTimePicker1, 4, 1, 1, 2);
    raster->addWidget(Label4, 5, 0);
    raster->addWidget(DateTimePicker2, 5, 1, 1, 2);
    for (QWidget* w : std::initializer_list<QWidget*>{Label3, DateTimePicker1, Label4, DateTimePicker2})
        w->hide();

    CheckBox5 = ankreuzfeld(Panel2, "CheckBox5", QStringLiteral("versteckte Dateien anzeigen"),
                            QStringLiteral("Erlaubt die Anzeige versteckter Dateiein"));
    CheckBox10 = ankreuzfeld(Panel2, "CheckBox10", QStringLiteral("Unterverzeichnisse einschließen"),
                             QStringLiteral("Die rekursive Suche in Unterverzeichnissen wird erlaubt."));
    raster->addWidget(CheckBox5, 6, 0, 1, 3);
    raster->addWidget(CheckBox10, 7, 0, 1, 3);
    raster->setColumnStretch(2, 1);
    spalte->addWidget(Panel2);
    return Panel1;
}

QWidget* THaupt::rechteSeiteAnlegen()
{
    Panel4 = new QWidget(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    auto* spalte = new QVBoxLayout(Panel4);
    spalte->setContentsMargins(0, 0, 0, 0);
    spalte->setSpacing(2);

    // Room for the formatting bar of the listing pane.
    Panel5 = new QWidget(Panel4);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    setzeHilfestichwort(Panel5, QLatin1String(stwSymbolleiste));
    new QHBoxLayout(Panel5);
    Panel5->layout()->setContentsMargins(0, 0, 0, 0);
    spalte->addWidget(Panel5);

    RichEdit1 = new Ausgabefeld(Panel4);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    // Larger listings are drawn from a line store: as a document they would cost 300 bytes a line.
    RichEdit1->setzeSpeicherAb(50000);
    setzeHilfestichwort(RichEdit1, QLatin1String(stwAusgabefenster));
    spalte->addWidget(RichEdit1, 1);

    Panel6 = new QWidget(Panel4);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    Panel6->setFixedHeight(184);
    auto* unten = new QVBoxLayout(Panel6);
    unten->setContentsMargins(0, 0, 0, 0);
    unten->setSpacing(2);
    Label5 = new QLabel(QStringLiteral("Zusammenfassung"), Panel6);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setProperty("titel", true);
    Label5->setAlignment(Qt::AlignCenter);
    QFont fett = Label5->font();
    fett.setBold(true);
    Label5->setFont(fett);
    unten->addWidget(Label5);
    // Room for the formatting bar of the summary pane.
    Panel7 = new QWidget(Panel6);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    setzeHilfestichwort(Panel7, QLatin1String(stwSymbolleiste));
    new QHBoxLayout(Panel7);
    Panel7->layout()->setContentsMargins(0, 0, 0, 0);
    unten->addWidget(Panel7);
    RichEdit2 = new Ausgabefeld(Panel6);
    RichEdit2->setObjectName(QStringLiteral("RichEdit2"));
    setzeHilfestichwort(RichEdit2, QLatin1String(stwAusgabefenster));
    unten->addWidget(RichEdit2, 1);
    spalte->addWidget(Panel6);

    // Context menus of the panes. Their keys are shown only; the panes handle them themselves.
    PopupMenu1 = popupMenu1Erstellen(this, RichEdit1, [this] { ToolButton10Click(); });
    PopupMenu2 = popupMenu2Erstellen(this, RichEdit2);
    kontextmenueAnbinden(RichEdit1, PopupMenu1);
    kontextmenueAnbinden(RichEdit2, PopupMenu2);
    auto eintrag = [](QMenu* menue, const char* name) { return menue->findChild<QAction*>(QLatin1String(name)); };
    Kopieren1 = eintrag(PopupMenu1, "Kopieren1");
    Einfuegen1 = eintrag(PopupMenu1, "Einfuegen1");
    Allesmarkieren2 = eintrag(PopupMenu1, "Allesmarkieren2");
    Suchen1 = eintrag(PopupMenu1, "Suchen1");
    Kopieren2 = eintrag(PopupMenu2, "Kopieren2");
    Einfuegen2 = eintrag(PopupMenu2, "Einfuegen2");
    Allesmarkieren3 = eintrag(PopupMenu2, "Allesmarkieren3");

    // The summary pane takes the listing pane's font name before the bars show their panes.
    QFont schrift2 = RichEdit2->font();
    schrift2.setFamily(RichEdit1->font().family());
    RichEdit2->setFont(schrift2);
    Leiste1 = new Formatleiste(Formatleiste::Inhalt, RichEdit1, Panel5);
    Panel5->layout()->addWidget(Leiste1);
    Leiste2 = new Formatleiste(Formatleiste::Zusammenfassung, RichEdit2, Panel7);
    Panel7->layout()->addWidget(Leiste2);
    return Panel4;
}

void THaupt::statusleisteAnlegen()
{
    QStatusBar* leiste = statusBar();
    leiste->setObjectName(QStringLiteral("StatusBar1"));
    leiste->setSizeGripEnabled(true);
    const int breiten[Statusfelder] = {60, 150, 60, 150, 65, 150, 110, 50};
    const QString texte[Statusfelder] = {QStringLiteral("Laufwerk:"), QString(), QStringLiteral("Größe:"), QString(),
                              QStringLiteral("davon frei:"), QString(), QStringLiteral("Suchpfad + Maske:"), QString()};
    // What a network search writes into the same labels.
    const QString auchTexte[Statusfelder] = {QStringLiteral("Computer:"), QString(), QStringLiteral("Freigabe:")};
    for (int i = 0; i < Statusfelder; ++i) {
        auto* l = new QLabel(texte[i], leiste);
        l->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (i == StatusLaufwerk || i == StatusGroesse || i == StatusFrei)
            l->setAlignment(Qt::AlignCenter);
        // The widths were made for a smaller font: never narrower than the text.
        const int breite = std::max({breiten[i], l->fontMetrics().horizontalAdvance(texte[i]) + 14,
                                     l->fontMetrics().horizontalAdvance(auchTexte[i]) + 14});
        // The last panel takes the rest of the bar, as the search pattern may be long.
        if (i != StatusMuster) {
            l->setFixedWidth(breite);
            leiste->addWidget(l);
        } else {
            l->setMinimumWidth(breiten[i]);
            leiste->addWidget(l, 1);
        }
        m_panels[i] = l;
    }
}

void THaupt::verbinden()
{
    // Program end.
    connect(ToolButton1, &QToolButton::clicked, this, &THaupt::ToolButton1Click);
    connect(B1, &QAction::triggered, this, &THaupt::B1Click);
    // Search.
    connect(ToolButton9, &QToolButton::clicked, this, &THaupt::ToolButton9Click);
    connect(Aktualisieren1, &QAction::triggered, this, &THaupt::ToolButton9Click);
    connect(Start1, &QAction::triggered, this, &THaupt::ToolButton9Click);
    // Saving, printing, reports, options, masks, about, help.
    connect(ToolButton2, &QToolButton::clicked, this, &THaupt::ToolButton2Click);
    connect(Speichern1, &QAction::triggered, this, &THaupt::Speichern1Click);
    connect(ToolButton3, &QToolButton::clicked, this, &THaupt::ToolButton3Click);
    connect(Drucken1, &QAction::triggered, this, &THaupt::ToolButton3Click);
    connect(ToolButton4, &QToolButton::clicked, this, &THaupt::ToolButton4Click);
    connect(Druckereinrichten1, &QAction::triggered, this, &THaupt::ToolButton4Click);
    connect(ToolButton5, &QToolButton::clicked, this, &THaupt::ToolButton5Click);
    connect(Systemanalyse2, &QAction::triggered, this, &THaupt::ToolButton5Click);
    connect(ToolButton8, &QToolButton::clicked, this, &THaupt::ToolButton8Click);
    connect(Netzwerkanalyse1, &QAction::triggered, this, &THaupt::Netzwerkanalyse1Click);
    connect(ToolButton10, &QToolButton::clicked, this, &THaupt::ToolButton10Click);
    // The menu's "Suchen..." opens the same find dialog, as a user expects of it.
    connect(Find1, &QAction::triggered, this, &THaupt::ToolButton10Click);
    connect(ToolButton7, &QToolButton::clicked, this, &THaupt::Programmeinstellungen1Click);
    connect(Programmeinstellungen1, &QAction::triggered, this, &THaupt::Programmeinstellungen1Click);
    connect(ListefuerdieSuchmaske1, &QAction::triggered, this, &THaupt::ListefuerdieSuchmaske1Click);
    connect(ToolButton11, &QToolButton::clicked, this, &THaupt::ToolButton11Click);
    connect(Info1, &QAction::triggered, this, &THaupt::Info1Click);
    connect(ToolButton12, &QToolButton::clicked, this, &THaupt::ToolButton12Click);
    connect(Hilfe2, &QAction::triggered, this, &THaupt::ToolButton12Click);
    connect(ZembrolaimInternet1, &QAction::triggered, this, &THaupt::ZembrolaimInternet1Click);
    // Edit menu; the panes' context menus act of their own.
    connect(Undo1, &QAction::triggered, this, &THaupt::Undo1Click);
    connect(Copy1, &QAction::triggered, this, &THaupt::Copy1Click);
    connect(Paste1, &QAction::triggered, this, &THaupt::Paste1Click);
    connect(Allesmarkieren1, &QAction::triggered, this, &THaupt::Allesmarkieren1Click);

    // Search root.
    connect(RadioGroup1, &TRadioGroup::geklickt, this, &THaupt::RadioGroup1Click);
    connect(DriveComboBox1, &TDriveComboBox::laufwerkGewaehlt, this, &THaupt::DriveComboBox1Change);
    connect(Computerlist, &QComboBox::activated, this, &THaupt::ComputerlistChange);
    connect(Freigabelist, &QComboBox::activated, this, &THaupt::FreigabelistChange);
    connect(DirectoryListBox1, &TDirectoryListBox::verzeichnisGeaendert, this, &THaupt::DirectoryListBox1Change);

    // Criteria. `clicked` comes from the user only, so changes made by the rules trigger nothing.
    connect(ComboBox1, &QComboBox::activated, this, [this](int index) { ComboBox1Change(ComboBox1->itemText(index)); });
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, &THaupt::ComboBox1Change);
    connect(CheckBox1, &QCheckBox::clicked, this, &THaupt::CheckBox1Click);
    for (QCheckBox* c : {CheckBox2, CheckBox3, CheckBox4})
        connect(c, &QCheckBox::clicked, this, &THaupt::CheckBox4Click);
    connect(CheckBox9, &QCheckBox::clicked, this, &THaupt::CheckBox9Click);
    for (QCheckBox* c : {CheckBox5, CheckBox10, CheckBox11, CheckBox13, CheckBox14, CheckBox15})
        connect(c, &QCheckBox::clicked, this, &THaupt::aenderungFuerAutomatischeSuche);
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, &THaupt::DateTimePicker1Change);
    connect(DateTimePicker2, &QDateEdit::dateChanged, this, &THaupt::DateTimePicker1Change);

    // View.
    connect(ComboBox6, &QComboBox::currentIndexChanged, this, &THaupt::ComboBox6Change);
    connect(CheckBox12, &QCheckBox::clicked, this, &THaupt::CheckBox12Click);
    connect(ComboBox7, &QComboBox::currentIndexChanged, this, &THaupt::aenderungFuerAutomatischeSuche);
}

// ---------------------------------------------------------------------------------------------
// Showing and closing

void THaupt::showEvent(QShowEvent* ereignis)
{
    QMainWindow::showEvent(ereignis);
    if (!m_gezeigt) {
        m_gezeigt = true;
        FormShow();
    }
}

void THaupt::FormShow()
{
    // Setting up the controls here is not the user's change: one search at most, at the end.
    m_automatikGesperrt = true;
    einstellungenlesen();

    plattform::Laufwerke& lw = plattform::laufwerke();
    const QChar laufwerk = lw.laufwerkVon(lw.systemverzeichnis());
    DriveComboBox1->setzeLaufwerk(laufwerk);
    QString wurzel = laufwerk.isNull() ? QString() : lw.wurzel(laufwerk);
    if (wurzel.isEmpty())
        wurzel = QStringLiteral("/");
    DirectoryListBox1->setzeVerzeichnis(wurzel);

    CheckBox12Click();
    CheckBox9Click();
    m_automatikGesperrt = false;
    if (automatischeSuche())
        sucheStarten();
}

void THaupt::closeEvent(QCloseEvent* ereignis)
{
    // A search still running stops at its next step; nothing is saved on exit.
    if (m_sucheLaeuft && wartenfenster)
        wartenfenster->abbruch = true;
    if (wartenfenster)
        wartenfenster->close();
    QMainWindow::closeEvent(ereignis);
    // The program ends with its main window. quit() would first ask every window to close, and
    // a report window that only hides itself would cancel it.
    if (ereignis->isAccepted())
        QCoreApplication::exit(0);
}

void THaupt::ToolButton1Click()
{
    close();
}

void THaupt::B1Click()
{
    close();
}

// ---------------------------------------------------------------------------------------------
// Search

void THaupt::ToolButton9Click()
{
    sucheStarten();
}

void THaupt::sucheStarten()
{
    // The walk lets messages through, so a request can arrive while a search runs.
    if (m_sucheLaeuft)
        return;
    // A network search lists the share its header names, or nothing: never the previous
    // computer's share or the local directory the list still shows.
    if (RadioGroup1->itemIndex() == 1) {
        const QString wurzel = Computerlist->currentText() + Freigabelist->currentText();
        const QString verzeichnis = DirectoryListBox1->verzeichnis();
        if (Freigabelist->currentIndex() < 0 || !verzeichnis.startsWith(wurzel, Qt::CaseInsensitive)
            || (verzeichnis.size() > wurzel.size() && verzeichnis.at(wurzel.size()) != u'\\')) {
            fensterdienste().fehler(this, systemfehlertext(EHOSTUNREACH));
            return;
        }
    }
    m_sucheLaeuft = true;
    const auto ende = qScopeGuard([this] {
        puffernLeeren();
        m_sucheLaeuft = false;
    });

    ++m_suchanfragen;
    emit sucheGestartet();
    if (wartenfenster)
        wartenfenster->abbruch = false;
    m_nachrichtenuhr.invalidate();
    m_zaehleruhr.invalidate();
    const Suchkriterien kriterien = suchkriterien();
    m_letzteSuche = kriterien;
    const Ansicht sicht = ansicht();
    if (suchlauf)
        suchlauf(kriterien, sicht, zustand, *this);
}

Suchkriterien THaupt::suchkriterien() const
{
    Suchkriterien k;
    k.netzwerk = RadioGroup1->itemIndex() == 1;
    k.verzeichnis = DirectoryListBox1->verzeichnis();
    k.computer = Computerlist->currentText();
    k.freigabe = Freigabelist->currentText();
    k.maske = ComboBox1->currentText();
    k.alleDateien = CheckBox1->isChecked();
    k.archiviert = CheckBox4->isChecked();
    k.nurLesen = CheckBox2->isChecked();
    k.system = CheckBox3->isChecked();
    k.datum = CheckBox9->isChecked();
    k.startdatum = DateTimePicker1->date();
    k.enddatum = DateTimePicker2->date();
    k.versteckt = CheckBox5->isChecked();
    k.unterverzeichnisse = CheckBox10->isChecked();
    return k;
}

Ansicht THaupt::ansicht() const
{
    Ansicht a;
    a.spalten = ComboBox6->currentIndex() + 1;
    a.pfadangabe = CheckBox15->isChecked();
    a.attribute = CheckBox11->isChecked();
    a.datum = CheckBox14->isChecked();
    a.groesse = CheckBox12->isChecked();
    a.einheit = ComboBox7->currentIndex();
    a.einheitAnzeigen = CheckBox13->isChecked();
    return a;
}

void THaupt::setzeAutomatischeSuche(bool an)
{
    m_automatischeSuche = an;
    Start1->setEnabled(!an);
}

void THaupt::aenderungFuerAutomatischeSuche()
{
    if (m_automatikGesperrt || !m_automatischeSuche)
        return;
    sucheStarten();
}

Einstellungsziele THaupt::einstellungsziele()
{
    Einstellungsziele z;
    z.eltern = this;
    z.optionsfenster = Optionsfenster;
    return z;
}

void THaupt::einstellungenAnwenden(const AufgeloesteEinstellungen& werte)
{
    Hauptfensterteile t;
    t.richEdit1 = RichEdit1;
    t.richEdit2 = RichEdit2;
    t.zusammenfassung = Panel6;
    t.comboBox2 = Leiste1->schriftliste();
    t.comboBox3 = Leiste1->groessenliste();
    t.comboBox5 = Leiste1->farbliste();
    t.stilknoepfeAktualisieren = [l = Leiste1] { l->auswahlGeaendert(); };
    hauptfensterAnwenden(werte, t);
    setzeAutomatischeSuche(werte.automatischeSuche);
}

void THaupt::einstellungenlesen()
{
    ::einstellungenlesen(eintraege, einstellungsziele());
    if (Optionsfenster)
        setzeAutomatischeSuche(Optionsfenster->automatischeSuche());
}

void THaupt::wiederherstellung()
{
    const QString pfad = einstellungsdateipfad();
    QString fehlertext;
    if (!::wiederherstellung(eintraege, pfad, plattformCodepage(), &fehlertext))
        einstellungsfehlerZeigen(this, fehlertext, pfad);
}

// Suchumgebung ---------------------------------------------------------------------------------

Zeilensenke& THaupt::liste()
{
    return *RichEdit1;
}

Zeilensenke& THaupt::zusammenfassung()
{
    return *RichEdit2;
}

void THaupt::panesLeeren()
{
    RichEdit1->leeren();
    RichEdit2->leeren();
}

void THaupt::tabstopsListe(const QList<double>& punkte)
{
    RichEdit1->setzeTabstops(punkte);
}

void THaupt::tabstopsZusammenfassung(const QList<double>& punkte)
{
    RichEdit2->setzeTabstops(punkte);
}

void THaupt::statusfeld(int panel, const QString& text)
{
    if (panel >= 0 && panel < Statusfelder)
        m_panels[panel]->setText(text);
}

bool THaupt::meldungsfenster() const
{
    // The live setting is the options dialog's; without the dialog, its design value.
    return Optionsfenster ? Optionsfenster->meldungsfensterAnzeigen() : true;
}

void THaupt::wartenfensterZeigen(const QString& zeile1, const QString& zeile2, const std::optional<QString>& zaehler)
{
    if (!wartenfenster)
        return;
    if (zaehler) {
        wartenfenster->Edit1->setText(*zaehler);
        wartenfenster->zaehlerZeigen();
        wartenfenster->abbruch = false;
    }
    wartenfenster->zeigenUndMalen(zeile1, zeile2);
    QCoreApplication::processEvents();
}

void THaupt::wartenZeigen(const QString& zeile1, const QString& zeile2, const QString& zaehler)
{
    wartenfensterZeigen(zeile1, zeile2, zaehler);
    m_nachrichtenuhr.start();
}

void THaupt::fortschritt(const QString& zaehler)
{
    // Once per listed file: the counter and the panes catch up every 30 ms, not every file. The
    // counter keeps a clock of its own: while the walk waits for a slow directory (a share) it
    // lets messages through every 20 ms, which would otherwise keep the counter at 0.
    if (m_zaehleruhr.isValid() && m_zaehleruhr.elapsed() < 30)
        return;
    m_zaehleruhr.start();
    if (wartenfenster)
        wartenfenster->Edit1->setText(zaehler);
    zwischendurch();
}

void THaupt::zwischendurch()
{
    if (m_nachrichtenuhr.isValid() && m_nachrichtenuhr.elapsed() < 30)
        return;
    puffernLeeren();
    plattform::nachrichtenZulassen();
    m_nachrichtenuhr.start();
}

bool THaupt::abbruch() const
{
    return wartenfenster && wartenfenster->abbruch;
}

void THaupt::wartenSchliessen()
{
    puffernLeeren();
    if (wartenfenster)
        wartenfenster->close();
}

void THaupt::puffernLeeren()
{
    RichEdit1->puffernLeeren();
    RichEdit2->puffernLeeren();
}

// ---------------------------------------------------------------------------------------------
// Search root and criteria

void THaupt::RadioGroup1Click()
{
    if (RadioGroup1->itemIndex() == 1) {
        DriveComboBox1->hide();
        for (QWidget* w : std::initializer_list<QWidget*>{Label1, Computerlist, Label2, Freigabelist})
            w->show();
        computerlisteFuellen();
        freigabelisteFuellen();
        netzwurzelSetzen();
    } else {
        lokalWaehlen();
    }
}

void THaupt::lokalWaehlen()
{
    plattform::Laufwerke& lw = plattform::laufwerke();
    const QChar laufwerk = lw.laufwerkVon(lw.systemverzeichnis());
    DriveComboBox1->setzeLaufwerk(laufwerk);
    DriveComboBox1->show();
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Computerlist, Label2, Freigabelist})
        w->hide();
    DriveComboBox1Change();
}

void THaupt::computerlisteFuellen()
{
    // The silent walk: the window does not repaint until both lists are filled.
    Computerlist->clear();
    QStringList namen;
    netinfo::netzressourcensuchen(plattform::rtAlle, plattform::atComputer, namen, false);
    for (const QString& n : namen)
        if (n.startsWith(u'\\'))
            Computerlist->addItem(n);
    if (Computerlist->count() > 0)
        Computerlist->setCurrentIndex(0);
}

void THaupt::freigabelisteFuellen()
{
    if (Computerlist->currentIndex() < 0 && Computerlist->count() > 0)
        Computerlist->setCurrentIndex(0);
    Freigabelist->clear();
    if (Computerlist->count() == 0)
        return;
    const QString computer = Computerlist->currentText();
    QStringList namen;
    netinfo::netzressourcensuchen(plattform::rtPlatte, plattform::atFreigabe, namen, false);
    Freigabelist->addItems(plattform::freigabenVon(namen, computer));
    if (Freigabelist->count() > 0)
        Freigabelist->setCurrentIndex(0);
}

void THaupt::netzwurzelSetzen()
{
    if (Computerlist->count() == 0)
        return;
    if (Freigabelist->currentIndex() < 0) {
        // A computer without a share to read: its name alone cannot be the current directory, and
        // the standard message says so.
        DirectoryListBox1->setzeVerzeichnis(Computerlist->currentText());
        return;
    }
    if (DirectoryListBox1->setzeVerzeichnis(Computerlist->currentText() + Freigabelist->currentText())) {
        m_netzwurzel = {Computerlist->currentText(), Freigabelist->currentText()};
        return;
    }
    // The directory list kept its directory: the lists show the share it is on again, so the next
    // search's header names what is searched.
    const auto& [computer, freigabe] = m_netzwurzel;
    if (computer.isEmpty())
        return;
    if (Computerlist->currentText() != computer) {
        Computerlist->setCurrentIndex(Computerlist->findText(computer));
        freigabelisteFuellen();
    }
    Freigabelist->setCurrentIndex(Freigabelist->findText(freigabe));
}

void THaupt::ComputerlistChange()
{
    freigabelisteFuellen();
    netzwurzelSetzen();
}

void THaupt::FreigabelistChange()
{
    netzwurzelSetzen();
}

void THaupt::DriveComboBox1Change()
{
    const QChar laufwerk = DriveComboBox1->laufwerk();
    if (laufwerk.isNull())
        return;
    QString wurzel = plattform::laufwerke().wurzel(laufwerk);
    if (wurzel.isEmpty())
        wurzel = QStringLiteral("/");
    // Each drive keeps its own current directory, as on the system this program comes from.
    const QString ziel = m_laufwerksverzeichnis.value(laufwerk, wurzel);
    if (!DirectoryListBox1->setzeVerzeichnis(ziel) && ziel != wurzel)
        DirectoryListBox1->setzeVerzeichnis(wurzel);
    // A drive that could not be entered: the selector shows the drive of the list again.
    const QString jetzt = DirectoryListBox1->verzeichnis();
    if (!jetzt.isEmpty() && plattform::pfadart(jetzt) == plattform::Pfadart::lokal)
        DriveComboBox1->setzeLaufwerk(plattform::laufwerke().laufwerkVon(jetzt));
}

void THaupt::DirectoryListBox1Change()
{
    const QString verzeichnis = DirectoryListBox1->verzeichnis();
    if (plattform::pfadart(verzeichnis) == plattform::Pfadart::lokal) {
        // Entering a mount point moves to another drive.
        const QChar laufwerk = plattform::laufwerke().laufwerkVon(verzeichnis);
        if (!laufwerk.isNull()) {
            m_laufwerksverzeichnis.insert(laufwerk, verzeichnis);
            if (DriveComboBox1->laufwerk() != laufwerk)
                DriveComboBox1->setzeLaufwerk(laufwerk);
        }
    }
    aenderungFuerAutomatischeSuche();
}

void THaupt::ComboBox1Change(const QString& text)
{
    if (text == u"[neu]") {
        ListefuerdieSuchmaske1Click();
        return;
    }
    aenderungFuerAutomatischeSuche();
}

void THaupt::CheckBox1Click()
{
    const QSignalBlocker s2(CheckBox2), s3(CheckBox3), s4(CheckBox4);
    const bool an = CheckBox1->isChecked();
    CheckBox2->setChecked(!an);
    CheckBox3->setChecked(!an);
    CheckBox4->setChecked(!an);
    aenderungFuerAutomatischeSuche();
}

void THaupt::CheckBox4Click()
{
    const QSignalBlocker s1(CheckBox1);
    CheckBox1->setChecked(!(CheckBox2->isChecked() || CheckBox3->isChecked() || CheckBox4->isChecked()));
    aenderungFuerAutomatischeSuche();
}

void THaupt::CheckBox9Click()
{
    const bool an = CheckBox9->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{Label3, DateTimePicker1, Label4, DateTimePicker2})
        w->setVisible(an);
    aenderungFuerAutomatischeSuche();
}

void THaupt::CheckBox12Click()
{
    const bool an = CheckBox12->isChecked();
    ComboBox7->setEnabled(an);
    CheckBox13->setEnabled(an);
    aenderungFuerAutomatischeSuche();
}

void THaupt::ComboBox6Change()
{
    const bool eineSpalte = ComboBox6->currentIndex() == 0;
    for (QWidget* w : std::initializer_list<QWidget*>{CheckBox11, CheckBox12, CheckBox14, CheckBox15})
        w->setEnabled(eineSpalte);
    ComboBox7->setEnabled(eineSpalte && CheckBox12->isChecked());
    CheckBox13->setEnabled(eineSpalte && CheckBox12->isChecked());
    aenderungFuerAutomatischeSuche();
}

void THaupt::DateTimePicker1Change()
{
    aenderungFuerAutomatischeSuche();
}

// ---------------------------------------------------------------------------------------------
// Further windows

void THaupt::ToolButton2Click()
{
    Speicherauftrag auftrag;
    auftrag.eltern = this;
    auftrag.liste = RichEdit1;
    auftrag.zusammenfassung = RichEdit2;
    // The variants are live settings: the dialog's controls, also after "Abbrechen".
    auftrag.speicherart = Optionsfenster ? Optionsfenster->speicherart() : SpeicherartInhalt;
    auftrag.meldungsfenster = meldungsfenster();
    // The export walks like a search, so no search may start in between; before any search it
    // takes the criteria the controls show.
    auftrag.exportieren = [this](const QString& pfad, Exportart art, QString* fehlertext) {
        if (m_sucheLaeuft)
            return Exportergebnis::abgebrochen;
        const QScopedValueRollback<bool> laeuft(m_sucheLaeuft, true);
        Suchzustand z;
        return ::exportieren(pfad, art, m_letzteSuche.value_or(suchkriterien()), *this, z, fehlertext);
    };
    speichern(auftrag);
}

void THaupt::Speichern1Click()
{
    ToolButton2Click();
}

QPrinter& THaupt::aktuellerDrucker()
{
    // Made on first use: looking up printers at start-up would slow every start.
    if (!m_drucker)
        m_drucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_drucker;
}

void THaupt::ToolButton3Click()
{
    Druckbegleitung begleitung;
    begleitung.zeigen = [](std::function<void()> abbrechen) {
        if (!Meldung2)
            return;
        Meldung2->setzeAbbruch(std::move(abbrechen));
        Meldung2->show();
        QCoreApplication::processEvents();
    };
    begleitung.schliessen = [] {
        if (!Meldung2)
            return;
        Meldung2->setzeAbbruch({});
        Meldung2->hide();
    };
    drucken(this, aktuellerDrucker(), RichEdit1, RichEdit2, Optionsfenster ? Optionsfenster->ausgabeart() : AusgabeartBeides,
            &begleitung);
}

void THaupt::ToolButton4Click()
{
    druckerEinrichten(this, aktuellerDrucker());
}

// Shown, brought back from the task bar if minimised, and on top.
void THaupt::berichtZeigen(QWidget* fenster)
{
    if (!fenster)
        return;
    fenster->setWindowState(fenster->windowState() & ~Qt::WindowMinimized);
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
}

void THaupt::ToolButton5Click()
{
    berichtZeigen(Systemausgabe);
}

void THaupt::ToolButton8Click()
{
    berichtZeigen(Netzwerk);
}

void THaupt::Netzwerkanalyse1Click()
{
    ToolButton8Click();
}

void THaupt::ToolButton10Click()
{
    if (!FindDialog1)
        FindDialog1 = new Suchdialog(RichEdit1, this);
    FindDialog1->zeigenNeben(RichEdit1);
}

void THaupt::Programmeinstellungen1Click()
{
    if (!Optionsfenster)
        return;
    const int ergebnis = Optionsfenster->exec();
    optionsfensterAuswerten(ergebnis, eintraege, einstellungsziele());
    // The switch is live from the dialog at once; the start button follows only a reading of the file.
    m_automatischeSuche = Optionsfenster->automatischeSuche();
}

void THaupt::ListefuerdieSuchmaske1Click()
{
    if (Suchmasken)
        Suchmasken->bearbeiten(ComboBox1);
}

void THaupt::ToolButton11Click()
{
    if (AboutBox)
        AboutBox->exec();
}

void THaupt::Info1Click()
{
    ToolButton11Click();
}

void THaupt::ToolButton12Click() { fensterdienste().hilfe(QStringLiteral("Einführung")); }

void THaupt::ZembrolaimInternet1Click()
{
    webseiteOeffnen();
}

// ---------------------------------------------------------------------------------------------
// Edit menu

void THaupt::Undo1Click()
{
    menueRueckgaengig(RichEdit1, RichEdit2);
}

void THaupt::Copy1Click()
{
    menueKopieren(RichEdit1, RichEdit2);
}

void THaupt::Paste1Click()
{
    menueEinfuegen(RichEdit1, RichEdit2);
}

void THaupt::Allesmarkieren1Click()
{
    menueAllesMarkieren(RichEdit1, RichEdit2);
}
