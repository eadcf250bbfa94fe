#include "output/codepage.h"
#include "output/systemfehler.h"

#include <cerrno>

#include <gtest/gtest.h>

TEST(Codepage, Windows1252HaeltUmlauteInEinemByte)
{
    const QString text = QString::fromUtf8("[Programmausführung] Grün ß €‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ ÿ");
    const QByteArray b = kodieren(text, Codepage::Windows1252);
    EXPECT_EQ(b.size(), text.size());
    EXPECT_EQ(b.mid(0, 20), QByteArray("[Programmausf\xFChrung]"));
    EXPECT_EQ(b.mid(21, 4), QByteArray("Gr\xFCn"));
    EXPECT_EQ(b.at(28), '\x80');                     // euro sign
    EXPECT_EQ(static_cast<unsigned char>(b.back()), 0xFF);
    EXPECT_EQ(dekodieren(b, Codepage::Windows1252), text);
}

TEST(Codepage, Windows1252SetztFragezeichenFuerFremdes)
{
    // A character outside the code page becomes one '?', also when it needs two UTF-16 units.
    const QString text = QString::fromUtf8("a\u0394b\U0001F600c\u20AD");
    EXPECT_EQ(kodieren(text, Codepage::Windows1252), QByteArray("a?b?c?"));
    // A lone surrogate is not a character the code page holds.
    QString einzeln = QStringLiteral("x");
    einzeln.append(QChar(0xD800));
    EXPECT_EQ(kodieren(einzeln, Codepage::Windows1252), QByteArray("x?"));
}

TEST(Codepage, UnbelegteBytesHinUndZurueck)
{
    // 0x81, 0x8D, 0x8F, 0x90, 0x9D carry no glyph; they still survive a round trip.
    const QByteArray roh("\x81\x8D\x8F\x90\x9D", 5);
    const QString text = dekodieren(roh, Codepage::Windows1252);
    EXPECT_EQ(text.at(0).unicode(), 0x81);
    EXPECT_EQ(kodieren(text, Codepage::Windows1252), roh);
    // Every byte decodes and encodes back to itself.
    QByteArray alle;
    for (int i = 0; i < 256; ++i)
        alle.append(char(i));
    EXPECT_EQ(kodieren(dekodieren(alle, Codepage::Windows1252), Codepage::Windows1252), alle);
}

TEST(Codepage, Utf8Gueltigkeit)
{
    EXPECT_TRUE(istGueltigesUtf8(QByteArray("Gr\xC3\xBCn \xE2\x82\xAC \xF0\x9F\x98\x80")));
    EXPECT_TRUE(istGueltigesUtf8(QByteArray("a\0b", 3)));
    EXPECT_FALSE(istGueltigesUtf8(QByteArray("Gr\xFCn")));             // Windows-1252
    EXPECT_FALSE(istGueltigesUtf8(QByteArray("\xC0\xAF")));            // overlong '/'
    EXPECT_FALSE(istGueltigesUtf8(QByteArray("\xE0\x80\xAF")));        // overlong, three bytes
    EXPECT_FALSE(istGueltigesUtf8(QByteArray("\xED\xA0\x80")));        // surrogate
    EXPECT_FALSE(istGueltigesUtf8(QByteArray("\xF4\x90\x80\x80")));    // above U+10FFFF
    EXPECT_FALSE(istGueltigesUtf8(QByteArray("ab\xC3")));              // cut short
    EXPECT_FALSE(istGueltigesUtf8(QByteArray("\xE2\x82")));
    EXPECT_FALSE(istGueltigesUtf8(QByteArray("\xE2\x28\xA1")));        // bad continuation
}

TEST(Codepage, RueckfallEntscheidetJeZeile)
{
    // First line UTF-8, second Windows-1252, third UTF-8 again.
    const QByteArray bytes("Gr\xC3\xBCn\r\nGr\xFCn\r\n\xC3\x9F\r\n");
    EXPECT_EQ(leseTextMitRueckfall(bytes), QString::fromUtf8("Grün\r\nGrün\r\nß\r\n"));
    // A byte-order mark at the start is dropped, a last line without line end kept.
    EXPECT_EQ(leseTextMitRueckfall(QByteArray("\xEF\xBB\xBF" "a\nb")), QStringLiteral("a\nb"));
    EXPECT_EQ(leseTextMitRueckfall(QByteArray()), QString());
}

TEST(Codepage, ZeilenMitCrLfOhneBom)
{
    const QStringList zeilen{QString::fromUtf8("Grün"), QString(), QStringLiteral("x")};
    EXPECT_EQ(zeilenMitCrLf(zeilen, Codepage::Utf8), QByteArray("Gr\xC3\xBCn\r\n\r\nx\r\n"));
    EXPECT_EQ(zeilenMitCrLf(zeilen, Codepage::Windows1252), QByteArray("Gr\xFCn\r\n\r\nx\r\n"));
    EXPECT_EQ(zeilenMitCrLf({}, Codepage::Utf8), QByteArray());
    EXPECT_EQ(plattformCodepage(), Codepage::Utf8);
}

TEST(Codepage, ZeilenAlsTextUndSystemfehler)
{
    EXPECT_EQ(zeilenMitCrLf(QStringList{QStringLiteral("a"), QString()}), QStringLiteral("a\r\n\r\n"));
    EXPECT_EQ(systemfehlertext(EACCES), QStringLiteral("Dateizugriff verweigert"));
    EXPECT_EQ(systemfehlertext(ENOENT), QStringLiteral("Datei nicht gefunden"));
    EXPECT_EQ(systemfehlertext(ENOSPC), QStringLiteral("Festplatte voll"));
    EXPECT_EQ(systemfehlertext(4711), QStringLiteral("E/A-Fehler 4711"));
}
