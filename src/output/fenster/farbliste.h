#pragma once
// The program's own drawn lists: colours (as font colour or as background) and font names.
// Each entry is drawn by the program, in the closed box as well as in the open list.
#include <QColor>
#include <QComboBox>
#include <QHash>

// The 17 colours of Farbtabelle in table order.
class Farbliste : public QComboBox {
    Q_OBJECT
public:
    enum class Art {
        Schriftfarbe,    // the name in its own colour, bold, 15 px
        Hintergrundfarbe // the name beside a framed swatch
    };
    // grauerEintrag: the entry whose name would vanish on white and is drawn grey instead.
    explicit Farbliste(Art art, int grauerEintrag = 16, QWidget* parent = nullptr);

    Art art() const { return m_art; }
    int grauerEintrag() const { return m_grau; }
    // Colour of an entry; invalid for -1.
    static QColor farbe(int index);
    QColor gewaehlteFarbe() const { return farbe(currentIndex()); }
    // The colour the entry's name is written in.
    QColor textfarbe(int index) const;

protected:
    void paintEvent(QPaintEvent* ereignis) override;

private:
    Art m_art;
    int m_grau;
};

// The system's font families, each name written in its own font.
// The installed font families, plus the Windows names that fontconfig maps to a metric-compatible font.
QStringList schriftfamilien();

class Schriftliste : public QComboBox {
    Q_OBJECT
public:
    explicit Schriftliste(QWidget* parent = nullptr);
    void fuellen(); // the families the font database knows, in its order

protected:
    void paintEvent(QPaintEvent* ereignis) override;

private:
    QHash<QString, int> m_hoehen; // row height per family, measured once
};

// " 5" to "64"; editable, a typed whole number counts as well.
class Groessenliste : public QComboBox {
    Q_OBJECT
public:
    explicit Groessenliste(QWidget* parent = nullptr);
    // The size shown (selected entry or typed number); -1 when the text is none.
    int groesse() const;
};

// Drawing of one entry, shared by the lists and their closed boxes.
namespace listenzeichnung {
QFont namensschrift(const QString& familie); // bold, 15 px
void schriftEintrag(QPainter* p, const QRect& r, const QString& familie, bool markiert, const QPalette& pal);
void farbEintrag(QPainter* p, const QRect& r, const QString& name, const QColor& textfarbe, bool markiert,
                 const QPalette& pal);
void hintergrundEintrag(QPainter* p, const QRect& r, const QString& name, const QColor& farbe, bool markiert,
                        const QPalette& pal, const QFont& schrift);
}  // namespace listenzeichnung
