#include "app/ikonen.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include "app/programm.h"

namespace {
const QColor blau(19, 114, 168);
const QColor dunkelblau(14, 90, 133);

QPixmap leeresBild(int groesse)
{
    QPixmap bild(groesse, groesse);
    bild.fill(Qt::transparent);
    return bild;
}

void zahnrad(QPainter& p, QPointF mitte, double r, const QColor& farbe)
{
    QPainterPath pfad;
    const int zaehne = 8;
    for (int i = 0; i < zaehne * 2; ++i) {
        const double w = i * M_PI / zaehne;
        const double rr = (i % 2 == 0) ? r : r * 0.72;
        const QPointF pt(mitte.x() + rr * qCos(w), mitte.y() + rr * qSin(w));
        if (i == 0)
            pfad.moveTo(pt);
        else
            pfad.lineTo(pt);
    }
    pfad.closeSubpath();
    pfad.addEllipse(mitte, r * 0.3, r * 0.3);
    pfad.setFillRule(Qt::OddEvenFill);
    p.fillPath(pfad, farbe);
}

void drucker(QPainter& p, const QColor& farbe)
{
    p.setPen(QPen(farbe, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 3, 10, 6));
    p.setBrush(farbe);
    p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 14, 10, 7));
    p.setPen(QPen(farbe, 1));
    p.drawLine(QPointF(9, 17), QPointF(15, 17));
    p.drawLine(QPointF(9, 19), QPointF(14, 19));
}
}  // namespace

QPixmap zembrolaBild(int groesse)
{
    QPixmap bild = leeresBild(groesse);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(groesse / 32.0, groesse / 32.0);
    p.setPen(QPen(dunkelblau, 1));
    p.setBrush(blau);
    p.drawRoundedRect(QRectF(2.5, 1.5, 27, 29), 3, 3);
    p.setPen(QPen(Qt::white, 1.6));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(6, 7 + i * 4.5), QPointF(i % 2 ? 16 : 19, 7 + i * 4.5));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(17);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(14, 12, 15, 18), Qt::AlignCenter, QStringLiteral("Z"));
    return bild;
}

QIcon programmIkone()
{
    return QIcon::fromTheme(programm::desktopId, QIcon(zembrolaBild(32)));
}

QPixmap frageBild(int groesse)
{
    QPixmap bild = leeresBild(groesse);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(blau);
    p.drawEllipse(QRectF(1, 1, groesse - 2, groesse - 2));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(groesse * 2 / 3);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, groesse, groesse), Qt::AlignCenter, QStringLiteral("?"));
    return bild;
}

QIcon werkzeugIkone(const QString& name)
{
    QPixmap bild = leeresBild(24);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);

    if (name == u"beenden") {
        p.setPen(QPen(QColor(190, 40, 40), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(4, 5, 16, 16), 120 * 16, 300 * 16);
        p.drawLine(QPointF(12, 2.5), QPointF(12, 12));
    } else if (name == u"start") {
        QPainterPath dreieck;
        dreieck.moveTo(6, 3);
        dreieck.lineTo(21, 12);
        dreieck.lineTo(6, 21);
        dreieck.closeSubpath();
        p.fillPath(dreieck, QColor(40, 150, 60));
    } else if (name == u"speichern") {
        p.setPen(QPen(dunkelblau, 1.2));
        p.setBrush(blau);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3, 10, 7));
        p.drawRect(QRectF(6, 14, 12, 7));
        p.fillRect(QRectF(13, 4.5, 2.5, 4), dunkelblau);
    } else if (name == u"drucken") {
        drucker(p, blau);
    } else if (name == u"druckereinrichten") {
        drucker(p, blau);
        zahnrad(p, QPointF(18, 18), 6, QColor(90, 90, 90));
    } else if (name == u"system") {
        p.setPen(QPen(dunkelblau, 1.5));
        p.setBrush(QColor(210, 232, 245));
        p.drawRoundedRect(QRectF(2.5, 3.5, 19, 13), 1.5, 1.5);
        p.fillRect(QRectF(10, 16.5, 4, 3), dunkelblau);
        p.fillRect(QRectF(6, 19.5, 12, 2), dunkelblau);
        p.setPen(QPen(blau, 1.5));
        p.drawLine(QPointF(5, 13), QPointF(9, 8));
        p.drawLine(QPointF(9, 8), QPointF(13, 11));
        p.drawLine(QPointF(13, 11), QPointF(19, 6));
    } else if (name == u"netzwerk") {
        p.setPen(QPen(dunkelblau, 1.5));
        p.drawLine(QPointF(12, 7), QPointF(12, 13));
        p.drawLine(QPointF(5, 13), QPointF(19, 13));
        p.drawLine(QPointF(5, 13), QPointF(5, 16));
        p.drawLine(QPointF(19, 13), QPointF(19, 16));
        p.setBrush(blau);
        p.drawRect(QRectF(8, 2, 8, 6));
        p.drawRect(QRectF(1.5, 16, 7, 6));
        p.drawRect(QRectF(15.5, 16, 7, 6));
    } else if (name == u"aktualisieren") {
        p.setPen(QPen(QColor(40, 150, 60), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(4, 4, 16, 16), 60 * 16, 280 * 16);
        QPainterPath spitze;
        spitze.moveTo(13, 1);
        spitze.lineTo(20, 4.5);
        spitze.lineTo(13, 9);
        spitze.closeSubpath();
        p.fillPath(spitze, QColor(40, 150, 60));
    } else if (name == u"suchen") {
        p.setPen(QPen(blau, 2.4));
        p.setBrush(QColor(225, 240, 250));
        p.drawEllipse(QRectF(3, 3, 12, 12));
        p.setPen(QPen(dunkelblau, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
    } else if (name == u"einstellungen") {
        zahnrad(p, QPointF(12, 12), 10, blau);
    } else if (name == u"info" || name == u"hilfe") {
        p.setPen(Qt::NoPen);
        p.setBrush(blau);
        p.drawEllipse(QRectF(2, 2, 20, 20));
        f.setPixelSize(name == u"info" ? 15 : 16);
        if (name == u"info")
            f.setFamily(QStringLiteral("Times New Roman"));
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, name == u"info" ? QStringLiteral("i") : QStringLiteral("?"));
    }
    p.end();
    return QIcon(bild);
}
