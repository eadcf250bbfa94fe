// Writes the program's icon files for the hicolor theme: PNGs painted by zembrolaBild, the picture
// the windows use, and an SVG of the same 32x32 drawing whose "Z" is the outline of the font the
// picture gets for "Arial" bold, so the scalable icon needs no font where it is shown.
// Aufruf: zembrola-ikonen ZIELORDNER
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTextStream>

#include "app/ikonen.h"
#include "app/programm.h"

namespace {
QString zahl(double w)
{
    return QString::number(w, 'f', 3).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

// The outline as SVG path data; Qt's text outlines hold only moves, lines and cubic curves.
QString pfadDaten(const QPainterPath& pfad)
{
    QString d;
    for (int i = 0; i < pfad.elementCount(); ++i) {
        const QPainterPath::Element e = pfad.elementAt(i);
        if (e.isMoveTo()) {
            d += u'M' + zahl(e.x) + u' ' + zahl(e.y);
        } else if (e.isLineTo()) {
            d += u'L' + zahl(e.x) + u' ' + zahl(e.y);
        } else if (e.isCurveTo()) {
            const QPainterPath::Element a = pfad.elementAt(i + 1), b = pfad.elementAt(i + 2);
            d += u'C' + zahl(e.x) + u' ' + zahl(e.y) + u' ' + zahl(a.x) + u' ' + zahl(a.y) + u' ' +
                 zahl(b.x) + u' ' + zahl(b.y);
            i += 2;
        }
    }
    return d + u'Z';
}

// The shapes of zembrolaBild: a rounded sheet, four listing lines and the "Z" centred in its box.
QString svg()
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(17);
    f.setBold(true);
    const QFontMetricsF fm(f);
    const QRectF kasten(14, 12, 15, 18);
    const QString z = QStringLiteral("Z");
    const QPointF grundlinie(kasten.left() + (kasten.width() - fm.horizontalAdvance(z)) / 2,
                             kasten.top() + (kasten.height() - fm.height()) / 2 + fm.ascent());
    QPainterPath zPfad;
    zPfad.addText(grundlinie, f, z);

    QString s;
    QTextStream t(&s);
    t << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n"
      << "  <rect x=\"2.5\" y=\"1.5\" width=\"27\" height=\"29\" rx=\"3\" fill=\"#1372a8\" stroke=\"#0e5a85\"/>\n"
      << "  <g stroke=\"#fff\" stroke-width=\"1.6\" stroke-linecap=\"square\">\n";
    for (int i = 0; i < 4; ++i)
        t << "    <line x1=\"6\" y1=\"" << zahl(7 + i * 4.5) << "\" x2=\"" << (i % 2 ? 16 : 19) << "\" y2=\""
          << zahl(7 + i * 4.5) << "\"/>\n";
    t << "  </g>\n"
      << "  <path fill=\"#fff\" d=\"" << pfadDaten(zPfad) << "\"/>\n"
      << "</svg>\n";
    return s;
}

bool schreiben(const QString& name, const QByteArray& inhalt)
{
    QFile d(name);
    return d.open(QIODevice::WriteOnly) && d.write(inhalt) == inhalt.size();
}
}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "Aufruf: zembrola-ikonen ZIELORDNER\n";
        return 2;
    }
    const QString ziel = QString::fromLocal8Bit(argv[1]);
    const QString id = programm::desktopId;
    bool gut = schreiben(ziel + u'/' + id + QStringLiteral(".svg"), svg().toUtf8());
    for (int g : {16, 22, 24, 32, 48, 64, 128, 256})
        gut = zembrolaBild(g).save(ziel + u'/' + id + u'-' + QString::number(g) + QStringLiteral(".png"), "PNG") && gut;
    if (!gut)
        QTextStream(stderr) << "zembrola-ikonen: " << ziel << " ließ sich nicht schreiben\n";
    return gut ? 0 : 1;
}
