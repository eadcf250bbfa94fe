#pragma once
// The system report's window: the report window with the system analysis as its build.
#include "output/fenster/berichtsfenster.h"
#include "output/fenster/einstellunganwenden.h"

class TSystemausgabe : public Berichtsfenster, public Einstellungsempfaenger {
    Q_OBJECT
public:
    explicit TSystemausgabe(QWidget* parent = nullptr);

    // Colours and font of the report's tab of the settings.
    void einstellungenAnwenden(const AufgeloesteEinstellungen& werte, const TOptionsfenster& dialog) override;

    // Builds the report into Memo1.
    void systemdatenlesen();

protected:
    void berichtBauen() override { systemdatenlesen(); }
};

extern TSystemausgabe* Systemausgabe;
