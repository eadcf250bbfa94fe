#pragma once
// The print-cancel window: a teal panel with three lines and a button that cancels the print job.
#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

class TMeldung2 : public QWidget {
    Q_OBJECT
public:
    explicit TMeldung2(QWidget* parent = nullptr);

    QFrame* Panel1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* BitBtn1;

    // What "Abbruch" does to the running print job; the printing code sets it.
    void setzeAbbruch(std::function<void()> abbrechen) { m_abbrechen = std::move(abbrechen); }

public slots:
    void BitBtn1Click();

private:
    std::function<void()> m_abbrechen;
};

extern TMeldung2* Meldung2;
