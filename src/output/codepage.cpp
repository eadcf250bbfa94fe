#include "output/codepage.h"

#include <array>

namespace {

// 0x80-0x9F of Windows-1252; 0 marks the five unassigned bytes, which map to the C1 controls
// of the same number both ways (as Windows itself does).
constexpr std::array<char16_t, 32> obereTabelle = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t zeichen1252(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F) {
        const char16_t z = obereTabelle[b - 0x80];
        return z != 0 ? z : char16_t(b);
    }
    return char16_t(b);
}

// -1 when the code page has no byte for the character.
int byte1252(char16_t z)
{
    if (z < 0x80 || (z >= 0xA0 && z <= 0xFF))
        return z;
    for (int i = 0; i < 32; ++i) {
        const char16_t t = obereTabelle[i];
        if (t == z || (t == 0 && z == 0x80 + i))
            return 0x80 + i;
    }
    return -1;
}

QByteArray kodieren1252(const QString& text)
{
    QByteArray aus;
    aus.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one replacement for the whole code point
        const int b = c.isSurrogate() ? -1 : byte1252(c.unicode());
        aus.append(b < 0 ? '?' : char(b));
    }
    return aus;
}

QString dekodieren1252(const QByteArray& bytes)
{
    QString aus(bytes.size(), Qt::Uninitialized);
    QChar* ziel = aus.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        ziel[i] = QChar(zeichen1252(static_cast<unsigned char>(bytes.at(i))));
    return aus;
}

}  // namespace

Codepage plattformCodepage()
{
    return Codepage::Utf8;
}

QByteArray kodieren(const QString& text, Codepage cp)
{
    switch (cp) {
    case Codepage::Windows1252:
        return kodieren1252(text);
    case Codepage::Utf8:
        break;
    }
    return text.toUtf8();
}

QString dekodieren(const QByteArray& bytes, Codepage cp)
{
    switch (cp) {
    case Codepage::Windows1252:
        return dekodieren1252(bytes);
    case Codepage::Utf8:
        break;
    }
    return QString::fromUtf8(bytes);
}

bool istGueltigesUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int folge;
        unsigned char min2 = 0x80, max2 = 0xBF; // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            folge = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            folge = 2;
            if (b == 0xE0)
                min2 = 0xA0; // overlong
            else if (b == 0xED)
                max2 = 0x9F; // surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            folge = 3;
            if (b == 0xF0)
                min2 = 0x90; // overlong
            else if (b == 0xF4)
                max2 = 0x8F; // above U+10FFFF
        } else {
            return false;
        }
        if (i + folge >= n) // cut short at the end
            return false;
        if (p[i + 1] < min2 || p[i + 1] > max2)
            return false;
        for (int k = 2; k <= folge; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        i += folge + 1;
    }
    return true;
}

QString leseTextMitRueckfall(const QByteArray& bytes)
{
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    QString aus;
    aus.reserve(rest.size());
    while (!rest.isEmpty()) {
        const qsizetype ende = rest.indexOf('\n');
        const qsizetype laenge = ende < 0 ? rest.size() : ende + 1;
        const QByteArray zeile = rest.first(laenge).toByteArray();
        aus += istGueltigesUtf8(zeile) ? QString::fromUtf8(zeile) : dekodieren1252(zeile);
        rest = rest.sliced(laenge);
    }
    return aus;
}

QByteArray zeilenMitCrLf(const QStringList& zeilen, Codepage cp)
{
    QByteArray aus;
    for (const QString& z : zeilen) {
        aus += kodieren(z, cp);
        aus += "\r\n";
    }
    return aus;
}

QString zeilenMitCrLf(const QStringList& zeilen)
{
    QString aus;
    for (const QString& z : zeilen) {
        aus += z;
        aus += QLatin1String("\r\n");
    }
    return aus;
}
