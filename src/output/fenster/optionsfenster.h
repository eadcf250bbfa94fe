#pragma once
#include <QDialog>

class TOptionsfenster : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsfenster(QWidget* parent = nullptr);
};

extern TOptionsfenster* Optionsfenster;
