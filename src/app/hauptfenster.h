#pragma once
// The main window: menus, tool bar with the view controls, the search criteria on the left,
// the listing and summary panes on the right, the status bar. It is also the surroundings
// a search runs in.
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "listing/suche.h"
#include "output/einstellungen.h"
#include "output/fenster/einstellunganwenden.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QMenu;
class QRadioButton;
class QToolBar;
class QToolButton;
class Ausgabefeld;
class Formatleiste;
class QPrinter;
class Suchdialog;
class TDirectoryListBox;
class TDriveComboBox;

// A group box of radio buttons with one selected index, as "Suche" needs it.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& titel, const QStringList& eintraege, QWidget* parent = nullptr);
    int itemIndex() const;
    // Selects without counting as a click.
    void setItemIndex(int index);
    QRadioButton* knopf(int index) const;

signals:
    // The user chose an entry.
    void geklickt(int index);

private:
    QButtonGroup* m_gruppe;
};

class THaupt : public QMainWindow, public Suchumgebung {
    Q_OBJECT
public:
    explicit THaupt(QWidget* parent = nullptr);
    ~THaupt() override;

    // Menus.
    QMenu* Datei1;
    QAction* Speichern1;
    QAction* Drucken1;
    QAction* Druckereinrichten1;
    QAction* B1;
    QMenu* Bearbeiten1;
    QAction* Undo1;
    QAction* Copy1;
    QAction* Paste1;
    QAction* Allesmarkieren1;
    QAction* Find1;
    QAction* Aktualisieren1;
    QMenu* Start2;
    QAction* Netzwerkanalyse1;
    QAction* Systemanalyse2;
    QAction* Start1;
    QMenu* Optionen1;
    QAction* ListefuerdieSuchmaske1;
    QAction* Programmeinstellungen1;
    QMenu* Hilfe1;
    QAction* Hilfe2;
    QAction* ZembrolaimInternet1;
    QAction* Info1;
    QMenu* PopupMenu1;
    QAction* Kopieren1;
    QAction* Einfuegen1;
    QAction* Allesmarkieren2;
    QAction* Suchen1;
    QMenu* PopupMenu2;
    QAction* Kopieren2;
    QAction* Einfuegen2;
    QAction* Allesmarkieren3;

    // Tool bar, left to right, then the view controls.
    QToolBar* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton6;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton4;
    QToolButton* ToolButton5;
    QToolButton* ToolButton8;
    QToolButton* ToolButton9;
    QToolButton* ToolButton10;
    QToolButton* ToolButton7;
    QToolButton* ToolButton11;
    QToolButton* ToolButton12;
    QLabel* Label6;
    QComboBox* ComboBox6;
    QCheckBox* CheckBox15;
    QCheckBox* CheckBox11;
    QCheckBox* CheckBox14;
    QCheckBox* CheckBox12;
    QComboBox* ComboBox7;
    QCheckBox* CheckBox13;

    // Left column: root selection, directory list, criteria.
    QWidget* Panel1;
    TRadioGroup* RadioGroup1;
    TDriveComboBox* DriveComboBox1;
    QLabel* Label1;
    QComboBox* Computerlist;
    QLabel* Label2;
    QComboBox* Freigabelist;
    TDirectoryListBox* DirectoryListBox1;
    QGroupBox* Panel2;
    QLabel* Label7;
    QComboBox* ComboBox1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox9;
    QLabel* Label3;
    QDateEdit* DateTimePicker1;
    QLabel* Label4;
    QDateEdit* DateTimePicker2;
    QCheckBox* CheckBox5;
    QCheckBox* CheckBox10;

    // Right area: listing pane with its formatting bar, the summary panel below.
    QWidget* Panel4;
    QWidget* Panel5;
    Ausgabefeld* RichEdit1;
    QWidget* Panel6;
    QLabel* Label5;
    QWidget* Panel7;
    Ausgabefeld* RichEdit2;
    // Formatting bars of the two panes (children of Panel5 and Panel7).
    Formatleiste* Leiste1 = nullptr;
    Formatleiste* Leiste2 = nullptr;
    Suchdialog* FindDialog1 = nullptr;
    // The printer of later print jobs; the set-up dialog changes it.
    QPrinter& aktuellerDrucker();
    // The wait window with two lines, and with a counter (reset, abort cleared) when one is given.
    void wartenfensterZeigen(const QString& zeile1, const QString& zeile2, const std::optional<QString>& zaehler);

    QLabel* statuspanel(int index) const { return m_panels[index]; }

    // State of the current search, read by the summary.
    Suchzustand zustand;

    // The one way to start a search. Ignored while a search runs.
    void sucheStarten();
    bool sucheLaeuft() const { return m_sucheLaeuft; }
    int suchanfragen() const { return m_suchanfragen; }
    // The search that sucheStarten runs; tests put their own in its place.
    std::function<void(const Suchkriterien&, const Ansicht&, Suchzustand&, Suchumgebung&)> suchlauf;

    Suchkriterien suchkriterien() const;
    Ansicht ansicht() const;

    // Setting "automatische Suche": every change of the criteria starts a search; the start
    // button and menu item are then disabled.
    bool automatischeSuche() const { return m_automatischeSuche; }
    void setzeAutomatischeSuche(bool an);
    void aenderungFuerAutomatischeSuche();

    // Lines of the settings file as last read or written.
    Eintraege eintraege;
    // Reads the settings file and applies it to the options dialog and every window.
    void einstellungenlesen();
    // This window's part: panes, summary panel, the listing bar's lists, the start action.
    void einstellungenAnwenden(const AufgeloesteEinstellungen& werte);
    // Writes the default settings file.
    void wiederherstellung();

    // Suchumgebung
    Zeilensenke& liste() override;
    Zeilensenke& zusammenfassung() override;
    void panesLeeren() override;
    void tabstopsListe(const QList<double>& punkte) override;
    void tabstopsZusammenfassung(const QList<double>& punkte) override;
    void statusfeld(int panel, const QString& text) override;
    bool meldungsfenster() const override;
    void wartenZeigen(const QString& zeile1, const QString& zeile2, const QString& zaehler) override;
    void fortschritt(const QString& zaehler) override;
    void zwischendurch() override;
    bool abbruch() const override;
    void wartenSchliessen() override;

signals:
    // Emitted when a search really starts.
    void sucheGestartet();

public slots:
    void ToolButton1Click();
    void B1Click();
    void ToolButton9Click();
    void ToolButton2Click();
    void Speichern1Click();
    void ToolButton3Click();
    void ToolButton4Click();
    void ToolButton5Click();
    void ToolButton8Click();
    void berichtZeigen(QWidget* fenster);
    void Netzwerkanalyse1Click();
    void ToolButton10Click();
    void Programmeinstellungen1Click();
    void ListefuerdieSuchmaske1Click();
    void ToolButton11Click();
    void Info1Click();
    void ToolButton12Click();
    void ZembrolaimInternet1Click();
    void Undo1Click();
    void Copy1Click();
    void Paste1Click();
    void Allesmarkieren1Click();

    void RadioGroup1Click();
    void DriveComboBox1Change();
    void ComputerlistChange();
    void FreigabelistChange();
    void DirectoryListBox1Change();
    void ComboBox1Change(const QString& text);
    void CheckBox1Click();
    void CheckBox4Click();
    void CheckBox9Click();
    void CheckBox12Click();
    void ComboBox6Change();
    void DateTimePicker1Change();

protected:
    void showEvent(QShowEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;

private:
    void FormCreate();
    void FormShow();
    void menuesAnlegen();
    void werkzeugleisteAnlegen();
    QWidget* linkeSpalteAnlegen();
    QWidget* rechteSeiteAnlegen();
    void statusleisteAnlegen();
    void verbinden();
    void lokalWaehlen();
    void computerlisteFuellen();
    void freigabelisteFuellen();
    void netzwurzelSetzen();
    std::pair<QString, QString> m_netzwurzel;  // computer and share the directory list is on
    void puffernLeeren();
    // The wait window as searching (with counter and abort) and saving (without) show it.
    Einstellungsziele einstellungsziele();

    QLabel* m_panels[Statusfelder] = {};
    std::unique_ptr<QPrinter> m_drucker;
    QHash<QChar, QString> m_laufwerksverzeichnis;
    QElapsedTimer m_nachrichtenuhr;
    QElapsedTimer m_zaehleruhr;  // the wait window's counter, apart: waits restart the other one
    bool m_sucheLaeuft = false;
    // Criteria of the last search, which an export walks again.
    std::optional<Suchkriterien> m_letzteSuche;
    int m_suchanfragen = 0;
    bool m_automatischeSuche = false;
    bool m_automatikGesperrt = false;
    bool m_gezeigt = false;
};

extern THaupt* Haupt;
