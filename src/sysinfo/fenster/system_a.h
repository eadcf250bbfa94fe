#pragma once
#include <QWidget>

class TSystemausgabe : public QWidget {
    Q_OBJECT
public:
    explicit TSystemausgabe(QWidget* parent = nullptr);
};

extern TSystemausgabe* Systemausgabe;
