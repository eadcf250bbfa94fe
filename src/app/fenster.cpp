#include "app/fenster.h"

#include <QCoreApplication>
#include <QLabel>
#include <QWindow>

#include "app/Meldungsfenster.h"
#include "app/Meldungsfenster2.h"
#include "app/aboutbox.h"
#include "app/anmeldedialog.h"
#include "app/hauptfenster.h"
#include "app/hilfe.h"
#include "app/ikonen.h"
#include "app/warten.h"
#include "masks/fenster/suchmaskeaendern.h"
#include "masks/fenster/suchmaskefrage.h"
#include "netinfo/fenster/Netzw.h"
#include "output/fenster/fensterdienste.h"
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

// The program's own windows behind the services every window asks.
class Programmdienste : public Fensterdienste {
public:
    void hilfe(const QString& stichwort) override { hilfeZeigen(stichwort); }

    // Questions of saving, printing and the settings use the program's own message window.
    Antwort jaNein(const QString& z1, const QString& z2, const QString& z3) override
    {
        if (!Meldung)
            return Abbruch;
        Meldung->Label1->setText(z1);
        Meldung->Label2->setText(z2);
        Meldung->Label3->setText(z3);
        switch (Meldung->zeigenModal()) {
        case TMeldung::mrYes:
            return Ja;
        case TMeldung::mrNo:
            return Nein;
        default:
            return Abbruch;
        }
    }

    void ueber() override
    {
        if (AboutBox)
            AboutBox->exec();
    }

    QPrinter* drucker() override { return Haupt ? &Haupt->aktuellerDrucker() : nullptr; }
    QIcon bild(const QString& name) override { return werkzeugIkone(name); }

protected:
    void wartenZeigen(const QString& zeile1, const QString& zeile2) override
    {
        if (Haupt)
            Haupt->wartenfensterZeigen(zeile1, zeile2, std::nullopt);
    }
    void wartenSchliessen() override
    {
        if (wartenfenster)
            wartenfenster->close();
    }
};
}  // namespace

void fensterErzeugen()
{
    if (!g_fenster.isEmpty())
        return;
    static Programmdienste dienste;
    grunddiensteSetzen(dienste);
    plattform::nachrichtenbehandlungSetzen([] { QCoreApplication::processEvents(); });
    plattform::anzeigebehandlungSetzen([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    plattform::anmeldefrageSetzen(anmeldungFragen);
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
    // The report windows belong to the main window: they stay above it when it is activated.
    // X11 window managers keep a window above another only for a dialog type with WM_TRANSIENT_FOR,
    // which Qt writes for no other type; the buttons of a normal window stay.
    for (QWidget* bericht : {static_cast<QWidget*>(Systemausgabe), static_cast<QWidget*>(Netzwerk)}) {
        bericht->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        bericht->winId();
        Haupt->winId();
        bericht->windowHandle()->setTransientParent(Haupt->windowHandle());
    }
}

QList<QWidget*> alleFenster()
{
    return g_fenster;
}

