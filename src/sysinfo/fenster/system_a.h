#pragma once
// The system report's window: the report window with the system analysis as its build.
#include "output/fenster/berichtsfenster.h"

class TSystemausgabe : public Berichtsfenster {
    Q_OBJECT
public:
    explicit TSystemausgabe(QWidget* parent = nullptr);

    // Builds the report into Memo1.
    void systemdatenlesen();

protected:
    void berichtBauen() override { systemdatenlesen(); }
};

extern TSystemausgabe* Systemausgabe;
