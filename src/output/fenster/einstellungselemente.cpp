#include "output/fenster/einstellungselemente.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

Radiogruppe::Radiogruppe(const QString& titel, const QStringList& eintraege, QWidget* parent)
    : QGroupBox(titel, parent)
    , m_gruppe(new QButtonGroup(this))
{
    auto* spalte = new QVBoxLayout(this);
    spalte->setSpacing(2);
    for (int i = 0; i < eintraege.size(); ++i) {
        auto* knopf = new QRadioButton(eintraege.at(i), this);
        m_gruppe->addButton(knopf, i);
        spalte->addWidget(knopf);
    }
    spalte->addStretch();
    connect(m_gruppe, &QButtonGroup::idToggled, this, [this](int id, bool an) {
        if (an)
            emit geaendert(id);
    });
}

int Radiogruppe::itemIndex() const
{
    return m_gruppe->checkedId();
}

void Radiogruppe::setItemIndex(int index)
{
    if (QAbstractButton* knopf = m_gruppe->button(index))
        knopf->setChecked(true);
}

int Radiogruppe::anzahl() const
{
    return static_cast<int>(m_gruppe->buttons().size());
}

Vorschau::Vorschau(QWidget* parent)
    : QLabel(QStringLiteral("Beispiel"), parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
}

void Vorschau::setzeHintergrund(const QColor& farbe)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, farbe);
    setPalette(p);
}

void Vorschau::setzeSchriftfarbe(const QColor& farbe)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, farbe);
    setPalette(p);
}

QColor Vorschau::hintergrund() const
{
    return palette().color(QPalette::Window);
}

QColor Vorschau::schriftfarbe() const
{
    return palette().color(QPalette::WindowText);
}

QSize Vorschau::sizeHint() const
{
    return minimumSizeHint();
}

QSize Vorschau::minimumSizeHint() const
{
    return QSize(90, 60);
}
