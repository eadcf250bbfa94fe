// Mask matching with the Windows rules.
#include "platform/maske.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <gtest/gtest.h>

using plattform::Maske;
using plattform::maskePasst;

namespace {

struct Fall {
    const char* maske;
    const char* name;
    bool passt;
};

void pruefeTabelle(const std::vector<Fall>& faelle)
{
    for (const Fall& f : faelle) {
        const QString maske = QString::fromUtf8(f.maske);
        const QByteArray roh(f.name);
        EXPECT_EQ(maskePasst(maske, QString::fromUtf8(roh)), f.passt) << f.maske << " / " << f.name;
        // The raw path taken by the enumeration must agree with the text path.
        EXPECT_EQ(Maske(maske).passtRoh(roh.constData(), roh.size()), f.passt) << f.maske << " / " << f.name << " (roh)";
    }
}

}  // namespace

TEST(Maske, SternPunktSternUndSternPassenAuf)
{
    pruefeTabelle({
        {"*.*", "README", true},
        {"*.*", "a.b", true},
        {"*.*", ".bashrc", true},
        {"*.*", "x.tar.gz", true},
        {"*", "README", true},
        {"**.**", "README", true},
        {"***", "a.b", true},
    });
}

TEST(Maske, LeereMaskePasstAufNichts)
{
    pruefeTabelle({{"", "a", false}, {"", "", false}});
    // An empty name is never a file, whatever the mask.
    EXPECT_FALSE(maskePasst("*", ""));
    EXPECT_FALSE(maskePasst("*.*", ""));
}

TEST(Maske, EndungenOhneKurznamen)
{
    pruefeTabelle({
        {"*.htm", "index.htm", true},
        {"*.htm", "INDEX.HTM", true},
        {"*.htm", "index.html", false},  // no 8.3 names on Linux
        {"*.txt", "a.TXT", true},
        {"*.txt", "a.txt.bak", false},
        {"*.txt", "txt", false},
        {"*.txt", ".txt", true},
        {"*.txt", "b.a.txt", true},
        {"a*", "A", true},
        {"a*", "ba", false},
        {"*a", "bA", true},
        {"*a", "ab", false},
        {"a*b*c", "aXbYc", true},
        {"a*b*c", "aXbYcZ", false},
        {"a*b*c", "abc", true},
        {"a*b*c", "acb", false},
    });
}

TEST(Maske, PunktSternAmEndeFindetAuchNamenOhnePunkt)
{
    pruefeTabelle({
        {"bericht.*", "bericht", true},
        {"bericht.*", "Bericht.doc", true},
        {"bericht.*", "bericht.", true},
        {"bericht.*", "berichte", false},
        {"bericht.*", "bericht.2013.doc", true},
        {"b*.*", "brief", true},
        {"b*.*", "abrief", false},
    });
}

TEST(Maske, PunktAmEndeFindetNurNamenOhneEndung)
{
    pruefeTabelle({
        {"*.", "Makefile", true},
        {"*.", "a.b", false},
        {"*.", ".bashrc", false},
        {"abc.", "abc", true},
        {"abc.", "abc.txt", false},
        {"abc..", "abc", true},
        {"a.b.", "a.b", true},
        {".", "a", false},
    });
}

TEST(Maske, FragezeichenIstGenauEinZeichen)
{
    pruefeTabelle({
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"a?c", "abbc", false},
        {"???", "abc", true},
        {"???", "ab", false},
        {"???", "abcd", false},
        // Characters, not bytes: six bytes of UTF-8, three characters.
        {"???", "äöü", true},
        {"??", "äöü", false},
        {"?.txt", "€.txt", true},
        // One character outside the BMP, not two UTF-16 halves.
        {"?", "\xF0\x9F\x98\x80", true},
        {"*?", "", false},
    });
}

TEST(Maske, GrossKleinschreibungMitUmlautenUndFaltung)
{
    pruefeTabelle({
        {"ÄRGER*.TXT", "ärger1.txt", true},
        {"ärger*.txt", "ÄRGER1.TXT", true},
        {"*Ü*", "grün", true},
        {"ΟΔΟΣ", "οδος", true},
        {"ΟΔΟΣ", "οδοσ", true},
        {"οδοσ", "ΟΔΟς", true},  // final sigma folds like sigma
        {"\xE2\x84\xAA*", "kelvin", true},  // Kelvin sign against an ASCII name
        {"k*", "\xE2\x84\xAA" "elvin", true},
        {"*ẞ*", "Straße", true},
        {"STRASSE", "straße", false},  // simple folding: no ß -> ss
    });
}

TEST(Maske, UngueltigesUtf8ZaehltAlsErsatzzeichen)
{
    const QByteArray namen[] = {"\xFF.txt", "a\xC3", "\xC3\x28", "\xE2\x82", "\xED\xA0\x80x", "\xEF\xBB\xBF" "bom"};
    const char* masken[] = {"*.txt", "?.txt", "a?", "??", "?(", "*x", "????", "?bom", "*"};
    for (const QByteArray& n : namen) {
        for (const char* m : masken) {
            const Maske maske(QString::fromUtf8(m));
            EXPECT_EQ(maske.passtRoh(n.constData(), n.size()), maske.passt(QString::fromUtf8(n)))
                << m << " / " << n.toHex().constData();
        }
    }
    const QByteArray ff = "\xFF.txt";
    EXPECT_TRUE(Maske("?.txt").passtRoh(ff.constData(), ff.size()));
    EXPECT_TRUE(Maske("\xEF\xBF\xBD.TXT").passtRoh(ff.constData(), ff.size()));
}

TEST(Maske, BoeswilligeMaskenBleibenSchnell)
{
    QElapsedTimer uhr;
    uhr.start();
    const QString langB(250, u'b');
    EXPECT_TRUE(maskePasst("********a", langB + u'a'));
    EXPECT_FALSE(maskePasst("********a", langB));
    const QString langA(250, u'a');
    EXPECT_FALSE(maskePasst("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", langA));
    EXPECT_TRUE(maskePasst("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*", langA));
    // A mask longer than the name fails before any matching work.
    const QString riesig = QString(200000, u'?') + u'*';
    EXPECT_FALSE(maskePasst(riesig, langA));
    EXPECT_FALSE(maskePasst(QString(5000, u'*') + u'x', langA));
    for (int i = 0; i < 2000; ++i)
        maskePasst("*a*a*a*a*a*a*a*a*a*a*b", langA);
    EXPECT_LT(uhr.elapsed(), 3000);
}

// The greedy matcher against a regular expression built from the same mask, on random input from
// a small alphabet where mistakes in backtracking show up quickly.
TEST(Maske, StimmtMitRegulaeremAusdruckUeberein)
{
    QRandomGenerator zufall(4711);
    const char maskenzeichen[] = {'a', 'b', 'A', '*', '?', 'x'};
    const char namenszeichen[] = {'a', 'b', 'B', 'x'};
    for (int runde = 0; runde < 4000; ++runde) {
        QString maske, name;
        const int ml = 1 + zufall.bounded(7), nl = zufall.bounded(9);
        for (int i = 0; i < ml; ++i)
            maske += QLatin1Char(maskenzeichen[zufall.bounded(int(sizeof maskenzeichen))]);
        for (int i = 0; i < nl; ++i)
            name += QLatin1Char(namenszeichen[zufall.bounded(int(sizeof namenszeichen))]);
        if (maske == "*")
            continue;
        QString muster;
        for (QChar c : maske)
            muster += c == u'*' ? QStringLiteral(".*") : c == u'?' ? QStringLiteral(".") : QString(c);
        const QRegularExpression re(QRegularExpression::anchoredPattern(muster),
                                    QRegularExpression::CaseInsensitiveOption);
        const bool erwartet = !name.isEmpty() && re.match(name).hasMatch();
        ASSERT_EQ(maskePasst(maske, name), erwartet) << maske.toStdString() << " / " << name.toStdString();
    }
}
