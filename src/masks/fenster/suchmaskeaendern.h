#pragma once
#include <QDialog>

class TSuchmasken : public QDialog {
    Q_OBJECT
public:
    explicit TSuchmasken(QWidget* parent = nullptr);
};

extern TSuchmasken* Suchmasken;
