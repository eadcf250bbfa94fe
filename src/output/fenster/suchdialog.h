#pragma once
// The find dialog of the listing pane: search text, letter case, whole words; always searches
// forward, from the end of the selection or from the start of the text.
#include <QDialog>

class Ausgabefeld;
class QCheckBox;
class QLineEdit;
class QPushButton;

// One search in the pane; selects the match and gives the pane the focus, or beeps
// (the window services' beep) and leaves the selection when there is none.
bool textSuchen(Ausgabefeld* liste, const QString& text, bool grossKlein, bool ganzeWoerter);

class Suchdialog : public QDialog {
    Q_OBJECT
public:
    explicit Suchdialog(Ausgabefeld* liste, QWidget* parent = nullptr);

    QLineEdit* Suchtext;
    QCheckBox* GanzesWort;
    QCheckBox* GrossKlein;
    QPushButton* Weitersuchen;
    QPushButton* Abbrechen;

    // Places the dialog with its top-left at (pane's right edge, pane's top) and shows it.
    void zeigenNeben(const Ausgabefeld* liste);

public slots:
    void FindDialog1Find();

private:
    Ausgabefeld* m_liste;
};
