#pragma once
// The network report's window: the report window with the network analysis as its build.
#include "output/fenster/berichtsfenster.h"

class TNetzwerk : public Berichtsfenster {
    Q_OBJECT
public:
    explicit TNetzwerk(QWidget* parent = nullptr);

    // Builds the report into Memo1.
    void netzwerkdatenlesen();

protected:
    void berichtBauen() override { netzwerkdatenlesen(); }
    void tabstopsSetzen() override;
};

extern TNetzwerk* Netzwerk;
