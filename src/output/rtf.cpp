#include "output/rtf.h"

#include <algorithm>
#include <cmath>

#include "output/codepage.h"
#include "output/textausgabe.h"

namespace {

// \uN followed by the character in the document's code page (or "?") for readers without
// Unicode. The fallback goes out as \'xx: some readers take a literal one for the start of
// the following text.
void unicodeAnhaengen(QByteArray& aus, char16_t c)
{
    aus += "\\u" + QByteArray::number(static_cast<int16_t>(c));
    char ersatz = '?';
    if (c <= 0xFF) {
        ersatz = static_cast<char>(c); // Windows-1252 agrees with Latin-1 from 0xA0 on
    } else if (!QChar::isSurrogate(c)) {
        const QByteArray b = kodieren(QString(QChar(c)), Codepage::Windows1252);
        if (b.size() == 1)
            ersatz = b.at(0);
    }
    aus += "\\'" + QByteArray::number(static_cast<unsigned char>(ersatz), 16).rightJustified(2, '0');
}

// Control characters would end a group or a word early in some readers; only tab and line
// breaks have a meaning here, everything else below blank is dropped.
void textAnhaengen(QByteArray& aus, const QString& text)
{
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            aus += '\\';
            aus += static_cast<char>(c);
        } else if (c == u'\t') {
            aus += "\\tab ";
        } else if (c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x000B) {
            aus += "\\line ";
        } else if (c == 0x2029) {
            aus += "\\par ";
        } else if (c < 0x20 || c == 0x7F) {
            continue;
        } else if (c < 0x80) {
            aus += static_cast<char>(c);
        } else if (c < 0xA0) {
            continue; // C1 control characters
        } else {
            // \uN takes a signed 16-bit value; characters beyond the BMP go out as their
            // surrogate pair, as Word writes them. A lone surrogate is not a character.
            if (QChar::isHighSurrogate(c)) {
                if (i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
                    unicodeAnhaengen(aus, c);
                    unicodeAnhaengen(aus, text.at(i + 1).unicode());
                    ++i;
                } else {
                    aus += '?';
                }
                continue;
            }
            if (QChar::isLowSurrogate(c)) {
                aus += '?';
                continue;
            }
            unicodeAnhaengen(aus, c);
        }
    }
}

QString schriftname(const QString& name)
{
    // ';' ends a font table entry; an empty name would leave the entry without a name.
    QString s = name;
    s.remove(QChar(u';'));
    s = s.trimmed();
    return s.isEmpty() ? QStringLiteral("Arial") : s;
}

int halbpunkte(double groesse)
{
    if (!std::isfinite(groesse) || groesse <= 0)
        groesse = 10;
    return std::clamp(static_cast<int>(std::lround(groesse * 2)), 2, 3276);
}

RtfFarbe farbeBegrenzt(RtfFarbe f)
{
    f.rot = std::clamp(f.rot, 0, 255);
    f.gruen = std::clamp(f.gruen, 0, 255);
    f.blau = std::clamp(f.blau, 0, 255);
    return f;
}

QList<int> twips(const QList<double>& punkte)
{
    QList<int> t;
    for (double p : punkte) {
        if (!std::isfinite(p) || p <= 0 || p > 1584) // 22 inches is as wide as any page gets
            continue;
        t.append(static_cast<int>(std::lround(p * 20)));
    }
    std::sort(t.begin(), t.end());
    t.erase(std::unique(t.begin(), t.end()), t.end());
    return t;
}

}  // namespace

namespace {

// Both passes see the same paragraph: clamped colours, usable font names, at least one run.
RtfAbsatz bereinigt(RtfAbsatz a)
{
    if (a.laeufe.isEmpty())
        a.laeufe.append(RtfLauf{});
    for (RtfLauf& l : a.laeufe) {
        l.schriftart = schriftname(l.schriftart);
        l.farbe = farbeBegrenzt(l.farbe);
    }
    return a;
}

}  // namespace

QByteArray rtfDokument(const QList<RtfAbsatz>& absaetze)
{
    return rtfDokument(absaetze.size(), [&absaetze](qsizetype i) { return absaetze.at(i); });
}

QByteArray rtfDokument(qsizetype anzahl, const std::function<RtfAbsatz(qsizetype)>& absatz)
{
    // An empty document still gets one paragraph, so readers see a valid body.
    const qsizetype n = std::max<qsizetype>(anzahl, 1);
    auto holen = [&](qsizetype i) { return bereinigt(anzahl > 0 ? absatz(i) : RtfAbsatz{}); };

    QStringList schriften;
    QList<RtfFarbe> farben;
    for (qsizetype i = 0; i < n; ++i) {
        for (const RtfLauf& l : holen(i).laeufe) {
            if (!schriften.contains(l.schriftart))
                schriften.append(l.schriftart);
            if (!farben.contains(l.farbe))
                farben.append(l.farbe);
        }
    }

    QByteArray aus;
    aus += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (int i = 0; i < schriften.size(); ++i) {
        aus += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
        textAnhaengen(aus, schriften.at(i));
        aus += ";}";
    }
    aus += "}\n{\\colortbl ;"; // entry 0 is the reader's automatic colour
    for (const RtfFarbe& f : farben) {
        aus += "\\red" + QByteArray::number(f.rot) + "\\green" + QByteArray::number(f.gruen) + "\\blue"
            + QByteArray::number(f.blau) + ';';
    }
    aus += "}\n";

    for (qsizetype a = 0; a < n; ++a) {
        const RtfAbsatz p = holen(a);
        aus += "\\pard";
        for (int t : twips(p.tabstops))
            aus += "\\tx" + QByteArray::number(t);
        for (const RtfLauf& l : p.laeufe) {
            aus += "\\plain\\f" + QByteArray::number(schriften.indexOf(l.schriftart)) + "\\fs"
                + QByteArray::number(halbpunkte(l.groesse)) + "\\cf"
                + QByteArray::number(farben.indexOf(l.farbe) + 1);
            if (l.fett)
                aus += "\\b";
            if (l.kursiv)
                aus += "\\i";
            if (l.unterstrichen)
                aus += "\\ul";
            aus += ' ';
            textAnhaengen(aus, l.text);
        }
        // The paragraph mark keeps the last run's format, so empty lines keep their height.
        if (a + 1 < n)
            aus += "\\par\n";
    }
    aus += "\n}\n";
    return aus;
}

QList<RtfAbsatz> rtfAbsaetzeAusZeilen(const QStringList& zeilen, const QList<double>& tabstops)
{
    QList<RtfAbsatz> absaetze;
    absaetze.reserve(zeilen.size());
    for (const QString& z : zeilen) {
        RtfLauf lauf;
        lauf.text = z;
        absaetze.append(RtfAbsatz{{lauf}, tabstops});
    }
    return absaetze;
}

QByteArray rtfAusZeilen(const QStringList& zeilen, const QList<double>& tabstops)
{
    return rtfDokument(rtfAbsaetzeAusZeilen(zeilen, tabstops));
}

bool rtfZeilenSchreiben(const QString& pfad, const QStringList& zeilen, const QList<double>& tabstops,
                        QString* fehlertext)
{
    return dateiSicherSchreiben(pfad, rtfAusZeilen(zeilen, tabstops), fehlertext);
}
