#pragma once
// The platform of the application-shell window tests: the real Linux file system, and drive
// letters the test maps to directories of its own, and a network without any computer.
#include "platform/fake/fake_netz.h"
#include "platform/fake/fake_plattform.h"
#include "platform/linux/linux_plattform.h"
#include "platform/nachrichten.h"

#include <QCoreApplication>

struct AppTestplattform {
    plattform::LinuxDateisystem dateisystem;
    plattform::FakeLaufwerke laufwerke;
    plattform::FakeNetz netz;
    void installieren()
    {
        plattform::installieren({.dateisystem = &dateisystem, .laufwerke = &laufwerke, .netz = &netz});
        // What the start-up installs, for fixtures that build a window without it.
        plattform::nachrichtenbehandlungSetzen([] { QCoreApplication::processEvents(); });
    }
};
