#pragma once
#include <QWidget>

class QPlainTextEdit;

class TNetzwerk : public QWidget {
    Q_OBJECT
public:
    explicit TNetzwerk(QWidget* parent = nullptr);

    // The report pane; the settings file sets its colours and font.
    QPlainTextEdit* Memo1;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void tabstopsSetzen();
};

extern TNetzwerk* Netzwerk;
