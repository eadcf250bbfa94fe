#pragma once
#include <QWidget>

class QPlainTextEdit;

class TSystemausgabe : public QWidget {
    Q_OBJECT
public:
    explicit TSystemausgabe(QWidget* parent = nullptr);

    // The report's text area; the settings file sets its colours and font.
    QPlainTextEdit* Memo1;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void tabstopsSetzen();
};

extern TSystemausgabe* Systemausgabe;
