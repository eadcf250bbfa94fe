#pragma once
// The about box "Info": name, version, what the program does, and its web address.
#include <QDialog>
#include <functional>

class QUrl;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Comments;
    QLabel* Webadresse;
    QPushButton* OKButton;
};

extern TAboutBox* AboutBox;

// Opens the program's web page in the user's browser; when that fails (no browser set up),
// the error box says so.
bool webseiteOeffnen(QWidget* eltern = nullptr);
