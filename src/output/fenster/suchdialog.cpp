#include "output/fenster/suchdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QVBoxLayout>

#include "output/fenster/ausgabefeld.h"
#include "output/fenster/fensterdienste.h"

bool textSuchen(Ausgabefeld* liste, const QString& text, bool grossKlein, bool ganzeWoerter)
{
    if (!liste)
        return false;
    QTextDocument::FindFlags optionen;
    if (grossKlein)
        optionen |= QTextDocument::FindCaseSensitively;
    if (ganzeWoerter)
        optionen |= QTextDocument::FindWholeWords;
    if (!liste->weitersuchen(text, optionen)) {
        fensterdienste().piepen();
        return false;
    }
    liste->setFocus();
    liste->ensureCursorVisible();
    return true;
}

Suchdialog::Suchdialog(Ausgabefeld* liste, QWidget* parent)
    : QDialog(parent)
    , m_liste(liste)
{
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("Suchen"));
    setModal(false);

    auto* raster = new QGridLayout(this);
    auto* beschriftung = new QLabel(QStringLiteral("Suchen &nach:"), this);
    Suchtext = new QLineEdit(this);
    Suchtext->setObjectName(QStringLiteral("Suchtext"));
    Suchtext->setMinimumWidth(220);
    beschriftung->setBuddy(Suchtext);
    GanzesWort = new QCheckBox(QStringLiteral("Nur ganzes &Wort suchen"), this);
    GanzesWort->setObjectName(QStringLiteral("GanzesWort"));
    GrossKlein = new QCheckBox(QStringLiteral("&Groß-/Kleinschreibung"), this);
    GrossKlein->setObjectName(QStringLiteral("GrossKlein"));
    Weitersuchen = new QPushButton(QStringLiteral("&Weitersuchen"), this);
    Weitersuchen->setObjectName(QStringLiteral("Weitersuchen"));
    Weitersuchen->setDefault(true);
    Weitersuchen->setEnabled(false);
    Abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    Abbrechen->setObjectName(QStringLiteral("Abbrechen"));

    raster->addWidget(beschriftung, 0, 0);
    raster->addWidget(Suchtext, 0, 1);
    raster->addWidget(GanzesWort, 1, 0, 1, 2);
    raster->addWidget(GrossKlein, 2, 0, 1, 2);
    auto* knoepfe = new QVBoxLayout;
    knoepfe->addWidget(Weitersuchen);
    knoepfe->addWidget(Abbrechen);
    knoepfe->addStretch(1);
    raster->addLayout(knoepfe, 0, 2, 3, 1);

    connect(Suchtext, &QLineEdit::textChanged, this,
            [this](const QString& t) { Weitersuchen->setEnabled(!t.isEmpty()); });
    connect(Weitersuchen, &QPushButton::clicked, this, &Suchdialog::FindDialog1Find);
    connect(Abbrechen, &QPushButton::clicked, this, &QDialog::close);
}

void Suchdialog::zeigenNeben(const Ausgabefeld* liste)
{
    if (liste) {
        // The pane's position in its panel, taken as a screen position; kept on the screen so
        // the dialog cannot open out of reach.
        QPoint ziel(liste->x() + liste->width(), liste->y());
        adjustSize();
        if (const QScreen* s = QGuiApplication::screenAt(ziel) ? QGuiApplication::screenAt(ziel)
                                                                : QGuiApplication::primaryScreen()) {
            const QRect frei = s->availableGeometry();
            ziel.setX(std::clamp(ziel.x(), frei.left(), std::max(frei.left(), frei.right() - width())));
            ziel.setY(std::clamp(ziel.y(), frei.top(), std::max(frei.top(), frei.bottom() - height())));
        }
        move(ziel);
    }
    show();
    raise();
    activateWindow();
    Suchtext->setFocus();
    Suchtext->selectAll();
}

void Suchdialog::FindDialog1Find()
{
    textSuchen(m_liste, Suchtext->text(), GrossKlein->isChecked(), GanzesWort->isChecked());
}
