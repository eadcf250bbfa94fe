#pragma once
// Checks that RTF bytes form one well-formed group: "{\rtf1" first, braces balanced, the outer
// group closed by the last "}" and by nothing earlier. Escaped braces and backslashes are text.
// Returns an empty string when sound, otherwise what is wrong.
#include <QByteArray>
#include <QString>

inline QString rtfGruppeFehler(const QByteArray& rtf)
{
    if (!rtf.startsWith("{\\rtf1"))
        return QStringLiteral("does not start with {\\rtf1");
    qsizetype letzte = rtf.size() - 1;
    while (letzte >= 0 && (rtf[letzte] == '\r' || rtf[letzte] == '\n'))
        --letzte;
    if (letzte < 0 || rtf[letzte] != '}')
        return QStringLiteral("does not end with }");
    int tiefe = 0;
    for (qsizetype i = 0; i <= letzte; ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i;
            continue;
        }
        if (c < 0 || c == 0)
            return QStringLiteral("byte %1 at %2 is not 7-bit text").arg(int(uchar(c))).arg(i);
        if (c == '{') {
            ++tiefe;
        } else if (c == '}') {
            if (--tiefe == 0 && i != letzte)
                return QStringLiteral("outer group closed at %1 of %2").arg(i).arg(letzte);
            if (tiefe < 0)
                return QStringLiteral("unbalanced } at %1").arg(i);
        }
    }
    return tiefe == 0 ? QString() : QStringLiteral("%1 groups left open").arg(tiefe);
}
