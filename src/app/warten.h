#pragma once
// The wait window: shown around long operations, with a moving bar and, during a search,
// a counter and an abort button.
#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

class Twartenfenster : public QWidget {
    Q_OBJECT
public:
    explicit Twartenfenster(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* Edit1;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Image1;
    QProgressBar* ProgressBar1;
    QPushButton* BitBtn1;
    QTimer* Timer1;

    // Set by the abort button, read by the directory walk; the search resets it before each walk.
    bool abbruch = false;

    // Shown on top and painted with its texts before the caller goes on with the long work; the
    // window system gets a short while to map it.
    void zeigenUndMalen(const QString& zeile1, const QString& zeile2);

    // Makes counter label, counter and abort button visible (the directory search does so).
    void zaehlerZeigen();

public slots:
    void BitBtn1Click();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;

private:
    void FormShow();
    void FormClose();
};

extern Twartenfenster* wartenfenster;
