#pragma once
// Small controls of the options dialog.
#include <QGroupBox>
#include <QLabel>
#include <QStringList>

class QButtonGroup;

// A framed group of radio buttons with one selected index.
class Radiogruppe : public QGroupBox {
    Q_OBJECT
public:
    Radiogruppe(const QString& titel, const QStringList& eintraege, QWidget* parent = nullptr);
    int itemIndex() const; // -1 when none is selected
    void setItemIndex(int index);
    int anzahl() const;

signals:
    void geaendert(int index);

private:
    QButtonGroup* m_gruppe;
};

// The preview "Beispiel": background, font and font colour of a tab's choices at once.
class Vorschau : public QLabel {
    Q_OBJECT
public:
    explicit Vorschau(QWidget* parent = nullptr);
    void setzeHintergrund(const QColor& farbe);
    void setzeSchriftfarbe(const QColor& farbe);
    QColor hintergrund() const;
    QColor schriftfarbe() const;
    // The same size whatever font it shows: a big font is cut at the preview's edge instead of
    // pushing the preview past its tab page.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};
