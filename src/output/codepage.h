#pragma once
// Text files of the program are written in the platform's 8-bit code page with CR LF line ends
// and no byte-order mark. One encoder serves every code page we support.
#include <QByteArray>
#include <QString>
#include <QStringList>

enum class Codepage { Utf8, Windows1252 };

// UTF-8 on Linux: Qt 6 uses it as the local 8-bit encoding on Unix whatever the locale says,
// so no file name is ever lost.
Codepage plattformCodepage();

// Windows-1252: one byte per character the code page holds (0x80-0x9F included),
// '?' for every other character (one per code point, also for surrogate pairs).
QByteArray kodieren(const QString& text, Codepage cp);
QString dekodieren(const QByteArray& bytes, Codepage cp);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool istGueltigesUtf8(const QByteArray& bytes);

// Decodes line by line: a line that is valid UTF-8 is read as UTF-8, any other line as
// Windows-1252, so a file brought from Windows (or partly edited on Linux) reads right.
// Line ends are kept as they are; a UTF-8 byte-order mark at the very start is dropped.
QString leseTextMitRueckfall(const QByteArray& bytes);

// Every line followed by CR LF, the last one included; no byte-order mark.
QByteArray zeilenMitCrLf(const QStringList& zeilen, Codepage cp);
// The same, still as text, for callers that encode later.
QString zeilenMitCrLf(const QStringList& zeilen);
