#include "output/fenster/formatleiste.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>

#include "output/fenster/ausgabefeld.h"
#include "output/fenster/bearbeiten.h"
#include "output/einstellungen.h"
#include "output/fenster/farbliste.h"

namespace {

constexpr int farbenzahl = static_cast<int>(Farbtabelle.size());

QColor tabellenfarbe(int i)
{
    return Farbliste::farbe(i);
}

struct Knopfnamen {
    const char* markieren;
    const char* kopieren;
    const char* einfuegen;
    const char* rueckgaengig;
    const char* stil[3];
    const char* schrift;
    const char* groesse;
    const char* farbe;
};
const Knopfnamen namen[2] = {
    {"BitBtn2", "BitBtn3", "BitBtn4", "BitBtn1", {"Button1", "Button2", "Button3"}, "ComboBox2", "ComboBox3",
     "ComboBox5"},
    {"BitBtn5", "BitBtn6", "BitBtn7", "BitBtn8", {"Button4", "Button5", "Button6"}, "ComboBox8", "ComboBox9",
     "ComboBox10"},
};

enum Bildart { BildMarkieren, BildKopieren, BildEinfuegen, BildRueckgaengig };

// Small pictures of our own, so the bar looks the same with or without an icon theme.
QIcon bild(Bildart art)
{
    const char* themen[] = {"edit-select-all", "edit-copy", "edit-paste", "edit-undo"};
    const QIcon thema = QIcon::fromTheme(QString::fromLatin1(themen[art]));
    if (!thema.isNull())
        return thema;
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tinte(40, 40, 40);
    auto blatt = [&p, &tinte](const QRectF& r) {
        p.setPen(QPen(tinte, 1));
        p.setBrush(Qt::white);
        p.drawRect(r);
        p.drawLine(QPointF(r.left() + 2, r.top() + 3), QPointF(r.right() - 2, r.top() + 3));
        p.drawLine(QPointF(r.left() + 2, r.top() + 6), QPointF(r.right() - 2, r.top() + 6));
    };
    switch (art) {
    case BildMarkieren:
        p.setPen(QPen(tinte, 1, Qt::DashLine));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.fillRect(QRectF(4, 4, 8, 8), QColor(19, 114, 168));
        break;
    case BildKopieren:
        blatt(QRectF(1.5, 1.5, 9, 10));
        blatt(QRectF(5.5, 4.5, 9, 10));
        break;
    case BildEinfuegen:
        p.setPen(QPen(tinte, 1));
        p.setBrush(QColor(170, 120, 60));
        p.drawRect(QRectF(1.5, 2.5, 10, 12));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(4.5, 0.5, 4, 3));
        blatt(QRectF(6.5, 6.5, 8, 8.5));
        break;
    case BildRueckgaengig: {
        QPainterPath bogen;
        bogen.moveTo(4, 6);
        bogen.cubicTo(9, 1, 16, 5, 12, 13);
        p.setPen(QPen(tinte, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(bogen);
        p.setBrush(tinte);
        p.drawPolygon(QPolygonF({QPointF(1, 4), QPointF(7, 3), QPointF(4, 9)}));
        break;
    }
    }
    return QIcon(pm);
}

QPushButton* knopf(QWidget* eltern, QHBoxLayout* reihe, const char* name, const QString& hinweis)
{
    auto* k = new QPushButton(eltern);
    k->setObjectName(QString::fromLatin1(name));
    k->setToolTip(hinweis);
    k->setFixedSize(26, 24);
    k->setFocusPolicy(Qt::NoFocus);
    reihe->addWidget(k);
    return k;
}

double punktgroesse(const QFont& f, const QWidget* geraet)
{
    if (f.pointSizeF() > 0)
        return f.pointSizeF();
    const int dpi = geraet ? geraet->logicalDpiY() : 96;
    return f.pixelSize() > 0 ? f.pixelSize() * 72.0 / dpi : 10.0;
}

}  // namespace

int farblistenEintrag(const QColor& farbe)
{
    for (int i = 0; i < farbenzahl; ++i) {
        if (tabellenfarbe(i).rgb() == farbe.rgb())
            return i < farbenzahl - 1 ? i : 0;
    }
    return 0;
}

Textattribute attributeAnDerAuswahl(const Ausgabefeld* feld)
{
    Textattribute a;
    if (!feld)
        return a;
    const QTextCharFormat format = feld->auswahlformat();
    const QFont schrift = format.font().resolve(feld->document()->defaultFont());
    a.schriftart = schrift.families().isEmpty() ? schrift.family() : schrift.families().constFirst();
    a.groesse = punktgroesse(schrift, feld);
    a.fett = schrift.bold();
    a.kursiv = schrift.italic();
    a.unterstrichen = unterstrichen(format, schrift);
    const bool eigeneFarbe
        = format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush;
    a.farbe = eigeneFarbe ? format.foreground().color() : feld->palette().color(QPalette::Text);
    return a;
}

Formatleiste::Formatleiste(Art art, Ausgabefeld* feld, QWidget* parent)
    : QWidget(parent)
    , m_art(art)
    , m_feld(feld)
{
    const Knopfnamen& n = namen[art];
    setObjectName(art == Inhalt ? QStringLiteral("Formatleiste1") : QStringLiteral("Formatleiste2"));
    auto* reihe = new QHBoxLayout(this);
    reihe->setContentsMargins(2, 2, 2, 2);
    reihe->setSpacing(2);

    QPushButton* k = knopf(this, reihe, n.markieren, QStringLiteral("Alles markieren"));
    k->setIcon(bild(BildMarkieren));
    connect(k, &QPushButton::clicked, this, &Formatleiste::allesMarkierenKlick);
    k = knopf(this, reihe, n.kopieren, QStringLiteral("Kopieren in die Zwischenablage"));
    k->setIcon(bild(BildKopieren));
    connect(k, &QPushButton::clicked, this, &Formatleiste::kopierenKlick);
    k = knopf(this, reihe, n.einfuegen, QStringLiteral("Einfügen aus der Zwischenablage"));
    k->setIcon(bild(BildEinfuegen));
    connect(k, &QPushButton::clicked, this, &Formatleiste::einfuegenKlick);
    k = knopf(this, reihe, n.rueckgaengig, QStringLiteral("Rückgängig machen"));
    k->setIcon(bild(BildRueckgaengig));
    connect(k, &QPushButton::clicked, this, &Formatleiste::rueckgaengigKlick);
    reihe->addSpacing(6);

    const QString beschriftung[3] = {QStringLiteral("F"), QStringLiteral("K"), QStringLiteral("U")};
    const QString hinweis[3]
        = {QStringLiteral("Fettschrift"), QStringLiteral("Kursivschrift"), QStringLiteral("Unterstreichen")};
    for (int s = 0; s < 3; ++s) {
        m_stil[s] = knopf(this, reihe, n.stil[s], hinweis[s]);
        m_stil[s]->setText(beschriftung[s]);
        QFont f = m_stil[s]->font();
        f.setBold(false);
        f.setItalic(false);
        f.setUnderline(false);
        m_stil[s]->setFont(f);
        connect(m_stil[s], &QPushButton::clicked, this, [this, s] { stilKlick(static_cast<Stil>(s)); });
    }
    reihe->addSpacing(6);

    m_schriften = new Schriftliste(this);
    m_schriften->setObjectName(QString::fromLatin1(n.schrift));
    m_schriften->setToolTip(QStringLiteral("Schriftart"));
    m_schriften->setMinimumWidth(180);
    m_schriften->setMaxVisibleItems(20);
    reihe->addWidget(m_schriften);
    connect(m_schriften, &QComboBox::activated, this, &Formatleiste::schriftartGewaehlt);

    m_groessen = new Groessenliste(this);
    m_groessen->setObjectName(QString::fromLatin1(n.groesse));
    m_groessen->setToolTip(QStringLiteral("Schriftgröße"));
    m_groessen->setMinimumContentsLength(3);
    reihe->addWidget(m_groessen);
    connect(m_groessen, &QComboBox::activated, this, &Formatleiste::groesseGewaehlt);
    connect(m_groessen->lineEdit(), &QLineEdit::returnPressed, this, &Formatleiste::groesseEingegeben);

    // "Aqua" is too pale to read on the list's background and is written grey.
    m_farben = new Farbliste(Farbliste::Art::Schriftfarbe, 15, this);
    m_farben->setObjectName(QString::fromLatin1(n.farbe));
    m_farben->setToolTip(QStringLiteral("Schriftfarbe"));
    m_farben->setMinimumWidth(120);
    reihe->addWidget(m_farben);
    reihe->addStretch(1);
    connect(m_farben, &QComboBox::activated, this, &Formatleiste::farbeGewaehlt);

    // Start-up state: " 9" first, then the pane's size; "Standard"; the pane's font if listed.
    m_groessen->setCurrentIndex(4);
    if (m_feld)
        zeigeGroesse(groessentext(qRound(punktgroesse(m_feld->font(), m_feld))));
    m_farben->setCurrentIndex(0);
    schriftenFuellen();

    if (m_feld) {
        connect(m_feld, &QPlainTextEdit::selectionChanged, this, &Formatleiste::auswahlGeaendert);
        connect(m_feld, &QPlainTextEdit::cursorPositionChanged, this, &Formatleiste::auswahlGeaendert);
    }
}

bool Formatleiste::stilAn(Stil stil) const
{
    const QFont f = m_stil[stil]->font();
    switch (stil) {
    case Fett:
        return f.bold();
    case Kursiv:
        return f.italic();
    case Unterstrichen:
        return f.underline();
    }
    return false;
}

void Formatleiste::schriftenFuellen()
{
    const QSignalBlocker sperre(m_schriften);
    m_schriften->fuellen();
    if (m_feld) {
        const QFont f = m_feld->font();
        zeigeSchriftart(f.families().isEmpty() ? f.family() : f.families().constFirst());
    }
}

void Formatleiste::zeigeSchriftart(const QString& name)
{
    const QSignalBlocker sperre(m_schriften);
    m_schriften->setCurrentIndex(m_schriften->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void Formatleiste::zeigeGroesse(const QString& eintrag)
{
    const QSignalBlocker sperre(m_groessen);
    const int i = m_groessen->findText(eintrag, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i >= 0)
        m_groessen->setCurrentIndex(i);
    else
        m_groessen->setEditText(eintrag);
}

void Formatleiste::zeigeFarbe(int index)
{
    const QSignalBlocker sperre(m_farben);
    m_farben->setCurrentIndex(index >= 0 && index < farbenzahl ? index : 0);
}

void Formatleiste::allesMarkierenKlick()
{
    allesMarkieren(m_feld);
}

void Formatleiste::kopierenKlick()
{
    kopieren(m_feld);
}

void Formatleiste::einfuegenKlick()
{
    einfuegen(m_feld);
}

void Formatleiste::rueckgaengigKlick()
{
    rueckgaengig(m_feld);
}

void Formatleiste::formatAnwenden(const QTextCharFormat& format)
{
    if (!m_feld)
        return;
    if (m_feld->hatAuswahl()) {
        m_feld->auswahlFormatieren(format);
        return;
    }
    // Nothing selected: the pane's base format, which all text without a format of its own shows.
    QFont grund = m_feld->font();
    if (format.hasProperty(QTextFormat::FontFamilies))
        grund.setFamilies(format.fontFamilies().toStringList());
    if (format.hasProperty(QTextFormat::FontPointSize))
        grund.setPointSizeF(format.fontPointSize());
    if (format.hasProperty(QTextFormat::FontWeight))
        grund.setWeight(static_cast<QFont::Weight>(format.fontWeight()));
    if (format.hasProperty(QTextFormat::FontItalic))
        grund.setItalic(format.fontItalic());
    if (format.hasProperty(QTextFormat::TextUnderlineStyle))
        grund.setUnderline(format.fontUnderline());
    if (grund != m_feld->font())
        m_feld->setzeGrundschrift(grund);
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        m_feld->setzeSchriftfarbe(format.foreground().color());
}

void Formatleiste::stilKlick(Stil stil)
{
    QPushButton* k = m_stil[stil];
    QFont f = k->font();
    QTextCharFormat format;
    switch (stil) {
    case Fett:
        f.setBold(!f.bold());
        format.setFontWeight(f.bold() ? QFont::Bold : QFont::Normal);
        break;
    case Kursiv:
        f.setItalic(!f.italic());
        format.setFontItalic(f.italic());
        break;
    case Unterstrichen:
        f.setUnderline(!f.underline());
        format.setFontUnderline(f.underline());
        break;
    }
    k->setFont(f);
    formatAnwenden(format);
}

void Formatleiste::schriftartGewaehlt(int index)
{
    if (!m_feld || index < 0)
        return;
    m_feld->setFocus();
    QTextCharFormat format;
    format.setFontFamilies(QStringList{m_schriften->itemText(index)});
    formatAnwenden(format);
}

void Formatleiste::groesseAnwenden(int punkte)
{
    if (!m_feld)
        return;
    m_feld->setFocus();
    QTextCharFormat format;
    format.setFontPointSize(punkte);
    formatAnwenden(format);
}

void Formatleiste::groesseGewaehlt(int index)
{
    if (index >= 0)
        groesseAnwenden(m_groessen->itemText(index).trimmed().toInt());
}

void Formatleiste::groesseEingegeben()
{
    // Entries are handled by groesseGewaehlt; a typed size outside the list is taken when it
    // is a whole number a font can have.
    const QString text = m_groessen->currentText();
    if (m_groessen->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return;
    const int punkte = m_groessen->groesse();
    if (punkte >= 1 && punkte <= 1638)
        groesseAnwenden(punkte);
}

void Formatleiste::farbeGewaehlt(int index)
{
    if (!m_feld || index < 0 || index >= farbenzahl)
        return;
    QTextCharFormat format;
    format.setForeground(tabellenfarbe(index));
    formatAnwenden(format);
    m_feld->setFocus();
}

void Formatleiste::auswahlGeaendert()
{
    if (!m_feld)
        return;
    const Textattribute a = attributeAnDerAuswahl(m_feld);
    const bool an[3] = {a.fett, a.kursiv, a.unterstrichen};
    for (int s = 0; s < 3; ++s) {
        QFont f = m_stil[s]->font();
        if (s == Fett)
            f.setBold(an[s]);
        else if (s == Kursiv)
            f.setItalic(an[s]);
        else
            f.setUnderline(an[s]);
        m_stil[s]->setFont(f);
    }
    zeigeFarbe(farblistenEintrag(a.farbe));
    zeigeSchriftart(a.schriftart);
}

QIcon bearbeitungsbild(const QString& name)
{
    if (name == u"markieren")
        return bild(BildMarkieren);
    if (name == u"kopieren")
        return bild(BildKopieren);
    if (name == u"einfuegen")
        return bild(BildEinfuegen);
    return bild(BildRueckgaengig);
}
