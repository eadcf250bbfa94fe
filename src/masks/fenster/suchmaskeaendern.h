#pragma once
// The editor of the search-mask list. It works on the main window's mask box directly:
// it reads the box's list when it opens and writes the box's list and selection when it closes.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class Tsuchmaskenabfrage;

class TSuchmasken : public QDialog {
    Q_OBJECT
public:
    explicit TSuchmasken(QWidget* parent = nullptr);

    // Opens the editor modally on `maskenfeld` and returns when it is closed. Afterwards the box
    // shows "*.*"; that choice emits no signal, so it starts no search and no new editor.
    // A call while the editor is already open is ignored.
    void bearbeiten(QComboBox* maskenfeld);

    // Prepares the editor for `maskenfeld` as every opening does; bearbeiten() calls it.
    void FormShow(QComboBox* maskenfeld);

    // The question dialog to ask; the global instance unless one is set here.
    void setzeAbfrage(Tsuchmaskenabfrage* abfrage) { abfrage_ = abfrage; }

    bool geaendert = false;

    QLabel* Label1; // "Suchmasken"
    QLabel* Label2; // "gelöschte Eintäge"
    QLabel* Label3; // "neuer Eintrag"
    QListWidget* ListBox2;
    QListWidget* ListBox1;
    QLineEdit* Edit1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;
    QPushButton* BitBtn6;
    QPushButton* BitBtn7;

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn7Click();
    void Edit1Change();
    void ListBox2Click();

    // Closing by the frame's close box or Esc counts as "&Abbrechen".
    void reject() override;

protected:
    void showEvent(QShowEvent* ereignis) override;

private:
    Tsuchmaskenabfrage* abfrage();
    // OK, "&Abbrechen" and "&Hilfe" as wide as their captions need, right-aligned under the lists.
    void knoepfeAusrichten();
    // Puts "*.*" into the mask box without it counting as a change of its text.
    void ersteMaskeWaehlen();

    QComboBox* maskenfeld_ = nullptr;
    Tsuchmaskenabfrage* abfrage_ = nullptr;
    Tsuchmaskenabfrage* eigeneAbfrage_ = nullptr;
};

extern TSuchmasken* Suchmasken;

// Centres a dialog on the window holding `bezug` (while that window is shown).
void zentrieren(QWidget* dialog, const QWidget* bezug);

// Gives a fresh mask box the list of a fresh start with "*.*" chosen, without emitting signals.
// Typed masks are not added to the list.
void suchmaskenfeldEinrichten(QComboBox* maskenfeld);
