#pragma once
#include <QDialog>

class Tsuchmaskenabfrage : public QDialog {
    Q_OBJECT
public:
    explicit Tsuchmaskenabfrage(QWidget* parent = nullptr);
};

extern Tsuchmaskenabfrage* suchmaskenabfrage;
