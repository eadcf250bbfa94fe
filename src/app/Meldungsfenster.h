#pragma once
// The yes/no message window: three centred lines, "&Ja" and "&Nein".
#include <QDialog>

class QLabel;
class QPushButton;

class TMeldung : public QDialog {
    Q_OBJECT
public:
    // Results as the callers know them; closing the window without a button is Cancel.
    enum Ergebnis { mrCancel = 2, mrYes = 6, mrNo = 7 };

    explicit TMeldung(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    // Shows the window modally (through the window services) and returns mrYes, mrNo or mrCancel.
    int zeigenModal();

public slots:
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void reject() override;
};

extern TMeldung* Meldung;
