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

    // The network as the report asks it: the walk's names of one display type, the own
    // workgroup's computers (false when that enumeration fails), a name's IPv4 address.
    static inline std::function<QStringList(int anzeigetyp)> netzressourcen;
    static inline std::function<bool(QStringList&)> rechnerImWG;
    static inline std::function<QString(const QString&)> adresseSuchen;

protected:
    void berichtBauen() override { netzwerkdatenlesen(); }
    void tabstopsSetzen() override;
};

extern TNetzwerk* Netzwerk;
