#pragma once
#include <QWidget>

class TNetzwerk : public QWidget {
    Q_OBJECT
public:
    explicit TNetzwerk(QWidget* parent = nullptr);
};

extern TNetzwerk* Netzwerk;
