#include "output/fenster/farbliste.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include <algorithm>
#include <functional>

#include "output/einstellungen.h"

namespace {

constexpr int eintragshoehe = 18; // room for the 15 px names and the 13 px swatch

void grundFuellen(QPainter* p, const QRect& r, bool markiert, const QPalette& pal)
{
    p->fillRect(r, markiert ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
}

// Draws each entry through the list's own routine; hoehe (if set) gives a row's height.
class Eintragszeichner : public QStyledItemDelegate {
public:
    using Zeichnen = std::function<void(QPainter*, const QRect&, int, bool)>;
    using Hoehe = std::function<int(int)>;
    Eintragszeichner(Zeichnen zeichnen, QObject* eltern, Hoehe hoehe = {})
        : QStyledItemDelegate(eltern)
        , m_zeichnen(std::move(zeichnen))
        , m_hoehe(std::move(hoehe))
    {
    }
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        p->save();
        m_zeichnen(p, option.rect, index.row(), option.state.testFlag(QStyle::State_Selected));
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(m_hoehe ? m_hoehe(index.row()) : eintragshoehe);
        return s;
    }

private:
    Zeichnen m_zeichnen;
    Hoehe m_hoehe;
};

// Frame and arrow as the style draws them, the entry itself in the edit field.
void geschlossenZeichnen(QComboBox* box, const std::function<void(QPainter*, const QRect&, int, bool)>& zeichnen)
{
    QStylePainter p(box);
    QStyleOptionComboBox opt;
    opt.initFrom(box);
    opt.editable = false;
    opt.frame = true;
    opt.subControls = QStyle::SC_All;
    opt.currentText.clear();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect feld = box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, box);
    if (box->currentIndex() < 0)
        return;
    p.save();
    p.setClipRect(feld);
    zeichnen(&p, feld, box->currentIndex(), box->hasFocus());
    p.restore();
}

}  // namespace

namespace listenzeichnung {

QFont namensschrift(const QString& familie)
{
    QFont f(familie);
    f.setBold(true);
    f.setPixelSize(15);
    return f;
}

void schriftEintrag(QPainter* p, const QRect& r, const QString& familie, bool markiert, const QPalette& pal)
{
    grundFuellen(p, r, markiert, pal);
    p->setFont(namensschrift(familie));
    p->setPen(pal.color(markiert ? QPalette::HighlightedText : QPalette::Text));
    p->drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, familie);
}

void farbEintrag(QPainter* p, const QRect& r, const QString& name, const QColor& textfarbe, bool markiert,
                 const QPalette& pal)
{
    grundFuellen(p, r, markiert, pal);
    p->setFont(namensschrift(p->font().family()));
    p->setPen(textfarbe);
    p->drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
}

void hintergrundEintrag(QPainter* p, const QRect& r, const QString& name, const QColor& farbe, bool markiert,
                        const QPalette& pal, const QFont& schrift)
{
    grundFuellen(p, r, markiert, pal);
    p->setFont(schrift);
    p->setPen(pal.color(markiert ? QPalette::HighlightedText : QPalette::Text));
    p->drawText(r.adjusted(30, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
    // Swatch from (left + 2, top + 2) to (left + 24, top + 15), the far edges excluded.
    p->setPen(Qt::black);
    p->setBrush(farbe);
    p->drawRect(QRect(r.left() + 2, r.top() + 2, 21, 12));
}

}  // namespace listenzeichnung

Farbliste::Farbliste(Art art, int grauerEintrag, QWidget* parent)
    : QComboBox(parent)
    , m_art(art)
    , m_grau(grauerEintrag)
{
    addItems(farbnamen());
    setCurrentIndex(-1);
    setMaxVisibleItems(static_cast<int>(Farbtabelle.size()));
    setItemDelegate(new Eintragszeichner(
        [this](QPainter* p, const QRect& r, int zeile, bool markiert) {
            if (m_art == Art::Schriftfarbe)
                listenzeichnung::farbEintrag(p, r, itemText(zeile), textfarbe(zeile), markiert, palette());
            else
                listenzeichnung::hintergrundEintrag(p, r, itemText(zeile), farbe(zeile), markiert, palette(), font());
        },
        this));
}

QColor Farbliste::farbe(int index)
{
    if (index < 0 || index >= static_cast<int>(Farbtabelle.size()))
        return QColor();
    const Farbeintrag& f = Farbtabelle[static_cast<std::size_t>(index)];
    return QColor(f.rot, f.gruen, f.blau);
}

QColor Farbliste::textfarbe(int index) const
{
    return index == m_grau ? QColor(128, 128, 128) : farbe(index);
}

void Farbliste::paintEvent(QPaintEvent*)
{
    geschlossenZeichnen(this, [this](QPainter* p, const QRect& r, int zeile, bool markiert) {
        if (m_art == Art::Schriftfarbe)
            listenzeichnung::farbEintrag(p, r, itemText(zeile), textfarbe(zeile), markiert, palette());
        else
            listenzeichnung::hintergrundEintrag(p, r, itemText(zeile), farbe(zeile), markiert, palette(), font());
    });
}

Schriftliste::Schriftliste(QWidget* parent)
    : QComboBox(parent)
{
    // Each name is written in its own font, so each row is as high as that font's lines.
    setItemDelegate(new Eintragszeichner(
        [this](QPainter* p, const QRect& r, int zeile, bool markiert) {
            listenzeichnung::schriftEintrag(p, r, itemText(zeile), markiert, palette());
        },
        this,
        [this](int zeile) {
            const QString familie = itemText(zeile);
            auto it = m_hoehen.constFind(familie);
            if (it == m_hoehen.constEnd())
                it = m_hoehen.insert(familie, std::max(eintragshoehe,
                                                       QFontMetrics(listenzeichnung::namensschrift(familie)).height() + 2));
            return *it;
        }));
    fuellen();
}

QStringList schriftfamilien()
{
    QStringList familien = QFontDatabase::families();
    // Settings files from Windows name Arial and its kin. Where fontconfig maps such a name to
    // its metric-compatible Liberation font, offer the name itself, so that it can be chosen
    // and shows as selected.
    for (const QString& name : {QStringLiteral("Arial"), QStringLiteral("Times New Roman"), QStringLiteral("Courier New")}) {
        if (familien.contains(name, Qt::CaseInsensitive))
            continue;
        if (QFontInfo(QFont(name)).family().startsWith(QLatin1String("Liberation")))
            familien.append(name);
    }
    familien.sort(Qt::CaseInsensitive);
    return familien;
}

void Schriftliste::fuellen()
{
    m_hoehen.clear();
    clear();
    addItems(schriftfamilien());
    setCurrentIndex(-1);
}

void Schriftliste::paintEvent(QPaintEvent*)
{
    geschlossenZeichnen(this, [this](QPainter* p, const QRect& r, int zeile, bool markiert) {
        listenzeichnung::schriftEintrag(p, r, itemText(zeile), markiert, palette());
    });
}

Groessenliste::Groessenliste(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    addItems(groessennamen());
    setCurrentIndex(-1);
    // Blanks and up to three digits; the size itself is checked where it is used.
    lineEdit()->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral(" *[0-9]{0,3}")), this));
}

int Groessenliste::groesse() const
{
    return schriftgroesseUmwandeln(currentText()).value_or(-1);
}
