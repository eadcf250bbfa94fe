#include "output/fenster/bearbeiten.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "output/fenster/ausgabefeld.h"

void allesMarkieren(Ausgabefeld* feld)
{
    if (!feld)
        return;
    feld->markiereAlles();
}

void kopieren(Ausgabefeld* feld)
{
    if (feld)
        feld->kopiereAuswahl();
}

void einfuegen(Ausgabefeld* feld)
{
    if (feld)
        feld->einfuegenAusAblage();
}

void rueckgaengig(Ausgabefeld* feld)
{
    if (feld)
        feld->rueckgaengigMachen();
}

Ausgabefeld* fokussiertesFeld(Ausgabefeld* liste, Ausgabefeld* zusammenfassung)
{
    return zusammenfassung && zusammenfassung->hasFocus() ? zusammenfassung : liste;
}

void menueRueckgaengig(Ausgabefeld* liste, Ausgabefeld* zusammenfassung)
{
    rueckgaengig(fokussiertesFeld(liste, zusammenfassung));
}

void menueKopieren(Ausgabefeld* liste, Ausgabefeld* zusammenfassung)
{
    kopieren(fokussiertesFeld(liste, zusammenfassung));
}

void menueEinfuegen(Ausgabefeld* liste, Ausgabefeld* zusammenfassung)
{
    einfuegen(fokussiertesFeld(liste, zusammenfassung));
}

void menueAllesMarkieren(Ausgabefeld* liste, Ausgabefeld* zusammenfassung)
{
    allesMarkieren(fokussiertesFeld(liste, zusammenfassung));
}

namespace {

QAction* eintrag(QMenu* menue, const QString& name, const QString& text, const QKeySequence& taste,
                 std::function<void()> tat)
{
    QAction* a = menue->addAction(text);
    a->setObjectName(name);
    if (!taste.isEmpty()) {
        // The shortcut is shown in the menu; the main menu owns the key itself.
        a->setShortcut(taste);
        a->setShortcutContext(Qt::WidgetShortcut);
    }
    QObject::connect(a, &QAction::triggered, menue, [tat = std::move(tat)] { tat(); });
    return a;
}

}  // namespace

QMenu* popupMenu1Erstellen(QWidget* eltern, Ausgabefeld* liste, std::function<void()> suchen)
{
    auto* menue = new QMenu(eltern);
    menue->setObjectName(QStringLiteral("PopupMenu1"));
    eintrag(menue, QStringLiteral("Kopieren1"), QStringLiteral("Kopieren"), QKeySequence(QStringLiteral("Ctrl+C")),
            [liste] { kopieren(liste); });
    eintrag(menue, QStringLiteral("Einfuegen1"), QStringLiteral("Einfügen"), QKeySequence(QStringLiteral("Ctrl+V")),
            [liste] { einfuegen(liste); });
    eintrag(menue, QStringLiteral("Allesmarkieren2"), QStringLiteral("Alles markieren"), {},
            [liste] { allesMarkieren(liste); });
    menue->addSeparator()->setObjectName(QStringLiteral("N5"));
    eintrag(menue, QStringLiteral("Suchen1"), QStringLiteral("Suchen"), {}, [suchen = std::move(suchen)] {
        if (suchen)
            suchen();
    });
    return menue;
}

QMenu* popupMenu2Erstellen(QWidget* eltern, Ausgabefeld* zusammenfassung)
{
    auto* menue = new QMenu(eltern);
    menue->setObjectName(QStringLiteral("PopupMenu2"));
    eintrag(menue, QStringLiteral("Kopieren2"), QStringLiteral("Kopieren"), QKeySequence(QStringLiteral("Ctrl+C")),
            [zusammenfassung] { kopieren(zusammenfassung); });
    eintrag(menue, QStringLiteral("Einfuegen2"), QStringLiteral("Einfügen"), QKeySequence(QStringLiteral("Ctrl+V")),
            [zusammenfassung] { einfuegen(zusammenfassung); });
    eintrag(menue, QStringLiteral("Allesmarkieren3"), QStringLiteral("Alles markieren"), {},
            [zusammenfassung] { allesMarkieren(zusammenfassung); });
    return menue;
}

void kontextmenueAnbinden(Ausgabefeld* feld, QMenu* menue)
{
    if (!feld || !menue)
        return;
    feld->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(feld, &QWidget::customContextMenuRequested, menue,
                     [feld, menue](const QPoint& p) { menue->popup(feld->viewport()->mapToGlobal(p)); });
}
