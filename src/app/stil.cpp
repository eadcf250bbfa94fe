#include "app/stil.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QStyleFactory>
#include <QStyledItemDelegate>

#include "output/fenster/fensterdienste.h"

static void ressourcenLaden()
{
    // The style sheet lives in a static library, whose resources must be registered by hand.
    Q_INIT_RESOURCE(zembrola);
}

namespace {

// Fusion draws the entries of a drop-down list without an edit field as menu items, which the
// sheet cannot colour: the entry under the mouse came out white on white. With the item views'
// delegate they are drawn like those of the editable lists. Lists with a delegate of their own
// keep it.
void listeZeichnen(QObject* objekt)
{
    if (auto* liste = qobject_cast<QComboBox*>(objekt)) {
        const QAbstractItemDelegate* d = liste->itemDelegate();
        if (d && qstrcmp(d->metaObject()->className(), "QComboMenuDelegate") == 0)
            liste->setItemDelegate(new QStyledItemDelegate(liste));
    }
}

class Listenzeichner : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override
    {
        if (ereignis->type() == QEvent::Polish)
            listeZeichnen(objekt);
        return false;
    }
};

}  // namespace

bool stilAnwenden(const QString& pfad)
{
    ressourcenLaden();
    QFile datei(pfad);
    QString blatt;
    if (datei.open(QIODevice::ReadOnly | QIODevice::Text))
        blatt = QString::fromUtf8(datei.readAll());
    if (blatt.trimmed().isEmpty()) {
        fensterdienste().fehler(nullptr,
                                QStringLiteral("Der Stil \"Metropolis UI Blue\" konnte nicht geladen werden."));
        return false;
    }
    // The sheet is written for Fusion; the platform's own style may draw controls it does not cover.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    qApp->setStyleSheet(blatt);
    static Listenzeichner* zeichner = nullptr;
    if (!zeichner) {
        zeichner = new Listenzeichner(qApp);
        qApp->installEventFilter(zeichner);
    }
    for (QWidget* w : QApplication::allWidgets())
        listeZeichnen(w);
    return true;
}
