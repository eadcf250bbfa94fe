#include "output/fenster/klartextdruck.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <cmath>

QList<Klartextseite> klartextSetzen(const QStringList& zeilen, const std::function<double(const QString&)>& breite,
                                    double zeichenbreite, double zeilenhoehe, QSizeF flaeche)
{
    const double tab = 8 * zeichenbreite;
    QList<Klartextseite> seiten(1);
    double y = 0;
    const auto neueZeile = [&]() -> Klartextzeile& {
        if (y > 0 && y + zeilenhoehe > flaeche.height()) {
            seiten.append(Klartextseite());
            y = 0;
        }
        seiten.last().append(Klartextzeile{y, {}});
        y += zeilenhoehe;
        return seiten.last().last();
    };

    for (const QString& zeile : zeilen) {
        Klartextzeile* ziel = &neueZeile();
        double x = 0;
        Klartextstueck stueck;
        const auto abschliessen = [&] {
            if (!stueck.text.isEmpty())
                ziel->stuecke.append(stueck);
        };
        for (const QChar c : zeile) {
            if (c == u'\t') {
                abschliessen();
                const double weiter = tab > 0 ? (std::floor(x / tab + 1e-9) + 1) * tab : x;
                if (weiter > flaeche.width() && x > 0) {
                    ziel = &neueZeile();  // the stop lies beyond the edge
                    x = 0;
                } else {
                    x = weiter;
                }
                stueck = {x, {}};
                continue;
            }
            const double w = breite(QString(c));
            if (x + w > flaeche.width() && x > 0) {
                abschliessen();
                ziel = &neueZeile();
                x = 0;
                stueck = {0, {}};
            }
            stueck.text += c;
            x += w;
        }
        abschliessen();
    }
    return seiten;
}

bool klartextDrucken(const QStringList& zeilen, const QFont& schrift, QPrinter& drucker, const QString& titel)
{
    drucker.setDocName(titel);
    QPainter maler;
    if (!maler.begin(&drucker))
        return false;
    maler.setFont(schrift);
    maler.setPen(Qt::black);
    const QFontMetricsF fm(schrift, &drucker);
    const QRectF flaeche = drucker.pageRect(QPrinter::DevicePixel);
    const auto seiten = klartextSetzen(
        zeilen, [&fm](const QString& t) { return fm.horizontalAdvance(t); }, fm.averageCharWidth(), fm.lineSpacing(),
        flaeche.size());
    for (qsizetype s = 0; s < seiten.size(); ++s) {
        if (s > 0)
            drucker.newPage();
        for (const Klartextzeile& z : seiten[s])
            for (const Klartextstueck& st : z.stuecke)
                maler.drawText(QPointF(st.x, z.y + fm.ascent()), st.text);
    }
    return maler.end();
}
