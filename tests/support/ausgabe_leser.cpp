#include "ausgabe_leser.h"

#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

QByteArray ausfuehren(const QString& programm, const QStringList& argumente)
{
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(60000))
        return {};
    return p.readAllStandardOutput();
}

QString entitaetenAufloesen(const QString& html)
{
    static const QHash<QString, QString> namen = {
        {"amp", "&"},  {"lt", "<"},   {"gt", ">"},   {"quot", "\""}, {"auml", "ä"},  {"ouml", "ö"},
        {"uuml", "ü"}, {"Auml", "Ä"}, {"Ouml", "Ö"}, {"Uuml", "Ü"},  {"szlig", "ß"}, {"euro", "€"},
        {"eacute", "é"}, {"nbsp", " "},
    };
    static const QRegularExpression entitaet(QStringLiteral("&(#?)(\\w+);"));
    QString aus;
    qsizetype pos = 0;
    auto it = entitaet.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        aus += html.mid(pos, m.capturedStart() - pos);
        if (m.captured(1) == QStringLiteral("#"))
            aus += QChar(static_cast<char16_t>(m.captured(2).toUInt())); // surrogates come one by one
        else
            aus += namen.value(m.captured(2), m.captured(0));
        pos = m.capturedEnd();
    }
    aus += html.mid(pos);
    return aus;
}

}  // namespace

bool werkzeugDa(const QString& name)
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

QString unrtfHtml(const QString& pfad)
{
    return QString::fromUtf8(ausfuehren(QStringLiteral("unrtf"), {QStringLiteral("--html"), pfad}));
}

QString unrtfText(const QString& pfad)
{
    QString html = unrtfHtml(pfad);
    const qsizetype start = html.indexOf(QStringLiteral("<body>"));
    const qsizetype ende = html.indexOf(QStringLiteral("</body>"));
    if (start < 0 || ende < start)
        return {};
    html = html.mid(start + 6, ende - start - 6);
    // unrtf writes a tab as a run of &nbsp; and a line end of the HTML source.
    html.replace(QRegularExpression(QStringLiteral("(&nbsp;)+\\n")), QStringLiteral("\t"));
    html.remove(QChar(u'\n'));
    html.replace(QStringLiteral("<br>"), QStringLiteral("\n"));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return entitaetenAufloesen(html);
}

QString pdfText(const QString& pfad)
{
    return QString::fromUtf8(ausfuehren(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pfad, QStringLiteral("-")}));
}

PdfSeiten pdfWoerter(const QString& pfad)
{
    PdfSeiten s;
    const QString html = QString::fromUtf8(
        ausfuehren(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pfad, QStringLiteral("-")}));
    static const QRegularExpression seite(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    static const QRegularExpression wort(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const QStringList seiten = html.split(QStringLiteral("<page "));
    for (int i = 1; i < seiten.size(); ++i) {
        const QString teil = QStringLiteral("<page ") + seiten.at(i);
        const auto m = seite.match(teil);
        if (m.hasMatch()) {
            s.breite = m.captured(1).toDouble();
            s.hoehe = m.captured(2).toDouble();
        }
        ++s.seitenzahl;
        auto it = wort.globalMatch(teil);
        while (it.hasNext()) {
            const auto w = it.next();
            const double x0 = w.captured(1).toDouble(), y0 = w.captured(2).toDouble();
            s.woerter.append({s.seitenzahl, QRectF(QPointF(x0, y0), QPointF(w.captured(3).toDouble(), w.captured(4).toDouble())),
                              entitaetenAufloesen(w.captured(5))});
        }
    }
    return s;
}

QString pdfInfo(const QString& pfad, const QString& feld)
{
    const QString info = QString::fromUtf8(ausfuehren(QStringLiteral("pdfinfo"), {pfad}));
    for (const QString& z : info.split(QChar(u'\n'))) {
        if (z.startsWith(feld + QChar(u':')))
            return z.mid(feld.size() + 1).trimmed();
    }
    return {};
}
