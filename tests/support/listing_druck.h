#pragma once
// Readable GoogleTest messages for Qt strings: tabs and blanks shown as they are meant.
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    QString sichtbar = s;
    sichtbar.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    *os << '"' << sichtbar.toStdString() << '"';
}

inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << "{\n";
    for (const QString& s : l) {
        *os << "  ";
        PrintTo(s, os);
        *os << '\n';
    }
    *os << '}';
}
