#include "masks/fenster/maskenbilder.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <algorithm>

namespace {

// A question mark as outline, so it looks the same whatever fonts the system has.
// Laid out in a 10 x 16 box and scaled into `ziel`.
void fragezeichen(QPainter& p, const QRectF& ziel, const QColor& farbe)
{
    p.save();
    p.translate(ziel.topLeft());
    p.scale(ziel.width() / 10.0, ziel.height() / 16.0);
    QPen stift(farbe, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(stift);
    p.setBrush(Qt::NoBrush);
    QPainterPath bogen;
    bogen.moveTo(1.6, 4.4);
    bogen.cubicTo(1.6, 0.6, 8.6, 0.4, 8.6, 4.4);
    bogen.cubicTo(8.6, 7.0, 5.0, 7.2, 5.0, 10.2);
    p.drawPath(bogen);
    p.setPen(Qt::NoPen);
    p.setBrush(farbe);
    p.drawEllipse(QPointF(5.0, 14.0), 1.55, 1.55);
    p.restore();
}

QPixmap leer(int seite)
{
    QPixmap bild(seite, seite);
    bild.fill(Qt::transparent);
    return bild;
}

}  // namespace

QPixmap sprechblasenbild()
{
    QPixmap bild = leer(64);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);

    // Body and tail as one outline, so the border runs round both without a seam.
    QPainterPath blase;
    blase.addEllipse(QRectF(3, 4, 58, 42));
    QPainterPath spitze;
    spitze.moveTo(14, 36);
    spitze.lineTo(8, 60);
    spitze.lineTo(28, 42);
    spitze.closeSubpath();
    blase = blase.united(spitze);

    QLinearGradient verlauf(0, 4, 0, 60);
    verlauf.setColorAt(0, QColor(255, 255, 255));
    verlauf.setColorAt(1, QColor(226, 234, 246));
    p.setBrush(verlauf);
    p.setPen(QPen(QColor(60, 72, 96), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(blase);

    fragezeichen(p, QRectF(23, 9, 18, 31), QColor(206, 20, 20));
    return bild;
}

QIcon knopfbild(Knopfbild art)
{
    QPixmap bild = leer(16);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor gruen(24, 140, 40), rot(200, 28, 28), blau(30, 90, 180);
    auto stift = [&](const QColor& farbe, qreal breite) {
        p.setPen(QPen(farbe, breite, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
    };

    switch (art) {
    case Knopfbild::Ok:
    case Knopfbild::Ja:
        stift(gruen, 2.4);
        p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
        break;
    case Knopfbild::Abbrechen:
        stift(rot, 2.4);
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case Knopfbild::Nein:
        stift(rot, 2.0);
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        p.drawLine(QPointF(4.6, 11.4), QPointF(11.4, 4.6));
        break;
    case Knopfbild::Hilfe:
        fragezeichen(p, QRectF(4, 1, 8, 14), blau);
        break;
    case Knopfbild::Hinzufuegen:
        stift(gruen, 2.6);
        p.drawLine(QPointF(8, 2.5), QPointF(8, 13.5));
        p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
        break;
    case Knopfbild::Entfernen:
        stift(rot, 2.6);
        p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
        break;
    case Knopfbild::Wiederherstellen: {
        // An arrow turning back, as "undo" usually looks.
        stift(blau, 2.0);
        QPainterPath bogen;
        bogen.moveTo(4, 6);
        bogen.lineTo(10, 6);
        bogen.cubicTo(14.5, 6, 14.5, 13, 10, 13);
        bogen.lineTo(6, 13);
        p.drawPath(bogen);
        p.drawPolyline(QPolygonF({QPointF(6.5, 2.8), QPointF(3.3, 6), QPointF(6.5, 9.2)}));
        break;
    }
    case Knopfbild::AlleWiederherstellen:
        stift(blau, 2.0);
        p.drawPolyline(QPolygonF({QPointF(8, 3), QPointF(3, 8), QPointF(8, 13)}));
        p.drawPolyline(QPolygonF({QPointF(13, 3), QPointF(8, 8), QPointF(13, 13)}));
        break;
    }
    p.end();
    return QIcon(bild);
}

int knopfbreite(std::initializer_list<const QPushButton*> knoepfe, int entwurf)
{
    int breite = entwurf;
    for (const QPushButton* k : knoepfe)
        breite = std::max(breite, k->sizeHint().width() + 4); // the hint leaves the caption no air
    return breite;
}
