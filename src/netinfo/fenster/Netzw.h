#pragma once
// The network report's window: the report window with the network analysis as its build.
#include "output/fenster/berichtsfenster.h"
#include "output/fenster/einstellunganwenden.h"

class TNetzwerk : public Berichtsfenster, public Einstellungsempfaenger {
    Q_OBJECT
public:
    explicit TNetzwerk(QWidget* parent = nullptr);

    // Colours and font of the report's tab of the settings.
    void einstellungenAnwenden(const AufgeloesteEinstellungen& werte, const TOptionsfenster& dialog) override;

    // Builds the report into Memo1.
    void netzwerkdatenlesen();

protected:
    void berichtBauen() override { netzwerkdatenlesen(); }
    void tabstopsSetzen() override;
};

extern TNetzwerk* Netzwerk;
