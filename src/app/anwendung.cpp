#include "app/anwendung.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

#include "app/programm.h"
#include "output/fenster/fensterdienste.h"

TAnwendung::TAnwendung(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Zembrola"));
    setApplicationVersion(programm::version);
    // Wayland docks and task bars find the icon through the desktop entry of this id.
    setDesktopFileName(programm::desktopId);
    // Qt's own dialogs and the edit controls' context menus speak German like the rest of the
    // program, whatever the locale says; without the file they stay English and all else works.
    auto* qt = new QTranslator(this);
    if (qt->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qt);
    else
        delete qt;
}

bool TAnwendung::notify(QObject* empfaenger, QEvent* ereignis)
{
    try {
        return QApplication::notify(empfaenger, ereignis);
    } catch (const std::exception& e) {
        fensterdienste().fehler(nullptr, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        fensterdienste().fehler(nullptr, QStringLiteral("Unbekannter Fehler."));
    }
    return false;
}
