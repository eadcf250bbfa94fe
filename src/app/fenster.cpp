#include "app/fenster.h"

#include "app/Meldungsfenster.h"
#include "app/Meldungsfenster2.h"
#include "app/aboutbox.h"
#include "app/hauptfenster.h"
#include "app/hilfe.h"
#include "app/warten.h"
#include "masks/fenster/suchmaskeaendern.h"
#include "masks/fenster/suchmaskefrage.h"
#include "netinfo/fenster/Netzw.h"
#include "output/fenster/optionsfenster.h"
#include "sysinfo/fenster/system_a.h"

namespace {
QList<QWidget*> g_fenster;

template <typename T>
T* erzeugen()
{
    T* f = new T;
    g_fenster.append(f);
    return f;
}
}  // namespace

void fensterErzeugen()
{
    if (!g_fenster.isEmpty())
        return;
    TSuchmasken::hilfeZeigen = [](const QString& stichwort) { hilfeZeigen(stichwort); };
    TOptionsfenster::hilfeoeffner = [](const QString& stichwort) { hilfeZeigen(stichwort); };
    Haupt = erzeugen<THaupt>();
    AboutBox = erzeugen<TAboutBox>();
    Meldung2 = erzeugen<TMeldung2>();
    Optionsfenster = erzeugen<TOptionsfenster>();
    suchmaskenabfrage = erzeugen<Tsuchmaskenabfrage>();
    Meldung = erzeugen<TMeldung>();
    Systemausgabe = erzeugen<TSystemausgabe>();
    wartenfenster = erzeugen<Twartenfenster>();
    Suchmasken = erzeugen<TSuchmasken>();
    Netzwerk = erzeugen<TNetzwerk>();
}

QList<QWidget*> alleFenster()
{
    return g_fenster;
}
