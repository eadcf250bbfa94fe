#include <QGuiApplication>
#include <QScreen>

#include "app/anwendung.h"
#include "app/fenster.h"
#include "app/fensteranzeige.h"
#include "app/hauptfenster.h"
#include "app/stil.h"
#include "platform/plattform.h"

int main(int argc, char** argv)
{
    TAnwendung app(argc, argv);
    plattform::standardInstallieren();
    // The drives' labels are asked while the windows are built: a dead network mount then costs
    // the start-up nothing.
    plattform::installiert().laufwerke->vorabFragen();
    fensteranzeigeInstallieren();
    // Without the style the program still works, in the default look.
    stilAnwenden();
    fensterErzeugen();
    // Without a window manager "maximised" means nothing, so the window covers the screen itself.
    if (QScreen* bildschirm = QGuiApplication::primaryScreen())
        Haupt->setGeometry(bildschirm->availableGeometry());
    Haupt->showMaximized();
    return app.exec();
}
