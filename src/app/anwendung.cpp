#include "app/anwendung.h"

#include <exception>

#include "app/meldungen.h"

TAnwendung::TAnwendung(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Zembrola"));
    setApplicationVersion(QStringLiteral("3.1"));
}

bool TAnwendung::notify(QObject* empfaenger, QEvent* ereignis)
{
    try {
        return QApplication::notify(empfaenger, ereignis);
    } catch (const std::exception& e) {
        fehlerZeigen(nullptr, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        fehlerZeigen(nullptr, QStringLiteral("Unbekannter Fehler."));
    }
    return false;
}
