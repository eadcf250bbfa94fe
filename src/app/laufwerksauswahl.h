#pragma once
// The drive selector: one entry per drive letter in use, with its mount point and label.
#include <QComboBox>

class TDriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TDriveComboBox(QWidget* parent = nullptr);

    // Reads the drives again.
    void fuellen();
    QChar laufwerk() const;
    // Selects a drive without counting as the user's choice.
    bool setzeLaufwerk(QChar buchstabe);

signals:
    // The user chose a drive.
    void laufwerkGewaehlt(QChar buchstabe);
};
