#pragma once
// The question the mask editor asks before it takes over a changed list.
#include <QDialog>

class QLabel;
class QPushButton;

class Tsuchmaskenabfrage : public QDialog {
    Q_OBJECT
public:
    explicit Tsuchmaskenabfrage(QWidget* parent = nullptr);

    // Shows the question modally (through the window services) and returns Antwort.
    int fragen();

    // 0 "&Ja", 1 "&Nein", 2 "&Abbrechen"; kept from one question to the next.
    quint8 Antwort = 0;

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* BitBtn1; // "&Ja"
    QPushButton* BitBtn2; // "&Nein"
    QPushButton* BitBtn3; // "&Abbrechen"

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

    // The frame's close box counts as "&Abbrechen"; Esc is "&Nein".
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;

private:
    void antworten(quint8 antwort);
    // The buttons as wide as their captions need (at least the design's), the dialog around them.
    void knoepfeAusrichten();
};

extern Tsuchmaskenabfrage* suchmaskenabfrage;
