#pragma once
// The application object. An exception that leaves an event handler is caught here, shown in
// the standard error box, and the program goes on with the next event.
#include <QApplication>

class TAnwendung : public QApplication {
    Q_OBJECT
public:
    TAnwendung(int& argc, char** argv);
    bool notify(QObject* empfaenger, QEvent* ereignis) override;
};
