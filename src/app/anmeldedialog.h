#pragma once
// Asks for the user name, password and workgroup of a share that refuses guest access.
#include <QDialog>

#include "platform/anmeldung.h"

class QLineEdit;

class TAnmeldung : public QDialog {
    Q_OBJECT
public:
    explicit TAnmeldung(const QString& freigabe, QWidget* parent = nullptr);

    plattform::Anmeldung anmeldung() const;

    QLineEdit* Edit1;  // user
    QLineEdit* Edit2;  // password
    QLineEdit* Edit3;  // workgroup or domain
};

// The dialog modal over the active window; none when cancelled. Only on the user-interface
// thread: elsewhere nobody is asked.
std::optional<plattform::Anmeldung> anmeldungFragen(const QString& freigabe);
