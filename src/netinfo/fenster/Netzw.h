#pragma once
// The network report's window: the report window with the network analysis as its build.
#include "output/fenster/berichtsfenster.h"

class TNetzwerk : public Berichtsfenster {
    Q_OBJECT
public:
    explicit TNetzwerk(QWidget* parent = nullptr);

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
