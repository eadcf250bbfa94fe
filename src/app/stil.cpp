#include "app/stil.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>

#include "app/meldungen.h"

static void ressourcenLaden()
{
    // The style sheet lives in a static library, whose resources must be registered by hand.
    Q_INIT_RESOURCE(zembrola);
}

bool stilAnwenden(const QString& pfad)
{
    ressourcenLaden();
    QFile datei(pfad);
    QString blatt;
    if (datei.open(QIODevice::ReadOnly | QIODevice::Text))
        blatt = QString::fromUtf8(datei.readAll());
    if (blatt.trimmed().isEmpty()) {
        fehlerZeigen(nullptr, QStringLiteral("Der Stil \"Metropolis UI Blue\" konnte nicht geladen werden."));
        return false;
    }
    // The sheet is written for Fusion; the platform's own style may draw controls it does not cover.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    qApp->setStyleSheet(blatt);
    return true;
}
