// The RTF writer: escaping, Unicode, tables, tab stops, and a document that stays well formed
// whatever text it is given. Also the safe file writing it shares with the text files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>

#include <unistd.h>

#include "output/rtf.h"
#include "output/textausgabe.h"
#include "ausgabe_leser.h"

namespace {

// Depth never drops below zero inside the document and reaches zero exactly at its last brace.
bool gruppenAusgeglichen(const QByteArray& rtf)
{
    int tiefe = 0;
    qsizetype letzteSchliessende = -1;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf.at(i);
        if (c == '\\') {
            ++i; // the escaped character, whatever it is
            continue;
        }
        if (c == '{') {
            if (tiefe == 0 && i != 0)
                return false; // a second top-level group: the document ended early
            ++tiefe;
        } else if (c == '}') {
            if (--tiefe < 0)
                return false;
            if (tiefe == 0)
                letzteSchliessende = i;
        }
    }
    return tiefe == 0 && rtf.mid(letzteSchliessende + 1).trimmed().isEmpty();
}

// The document body after the colour table.
QByteArray koerper(const QByteArray& rtf)
{
    const qsizetype i = rtf.indexOf("{\\colortbl");
    return rtf.mid(rtf.indexOf('}', i) + 1);
}

RtfLauf lauf(const QString& text)
{
    RtfLauf l;
    l.text = text;
    return l;
}

}  // namespace

TEST(RtfSchreiber, SteuerzeichenDerSyntaxWerdenMaskiert)
{
    const QByteArray rtf = rtfAusZeilen({QStringLiteral("a{b}\\c.txt"), QStringLiteral("}}}{{\\")}, {});
    const QByteArray k = koerper(rtf);
    EXPECT_TRUE(k.contains("a\\{b\\}\\\\c.txt"));
    EXPECT_TRUE(k.contains("\\}\\}\\}\\{\\{\\\\"));
    EXPECT_TRUE(gruppenAusgeglichen(rtf));
}

TEST(RtfSchreiber, FeindlicherTextBleibtWohlgeformt)
{
    // Braces, backslashes that would start control words, NUL and other control characters,
    // lone surrogates, a text that looks like RTF itself.
    QString boese = QStringLiteral("}{\\rtf1\\par}\\'41\\u65?{\\*\\x}");
    boese += QChar(u'\0');
    boese += QChar(0x01);
    boese += QChar(0x1B);
    boese += QChar(0x7F);
    boese += QChar(0x85);
    boese += QChar(0xD800);
    boese += QStringLiteral("x");
    boese += QChar(0xDC00);
    const QByteArray rtf = rtfAusZeilen({boese, boese + boese}, {72});
    EXPECT_TRUE(gruppenAusgeglichen(rtf));
    for (char c : rtf) {
        const auto u = static_cast<unsigned char>(c);
        EXPECT_TRUE(u == '\n' || (u >= 0x20 && u < 0x7F)) << "byte " << int(u);
    }
    // Nothing of the text may become a control word of its own.
    EXPECT_FALSE(koerper(rtf).contains("}{\\rtf1"));
    EXPECT_FALSE(koerper(rtf).contains("\\*\\x"));
}

TEST(RtfSchreiber, UnicodeAlsVorzeichenbehaftete16BitWerteMitErsatz)
{
    const QString text = QStringLiteral("Grüße €") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("日가");
    const QByteArray k = koerper(rtfAusZeilen({text}, {}));
    EXPECT_TRUE(k.contains("Gr\\u252\\'fc\\u223\\'dfe \\u8364\\'80"));
    // U+1F600 is the pair D83D DE00, written as signed values with "?" as fallback.
    EXPECT_TRUE(k.contains("\\u-10179\\'3f\\u-8704\\'3f"));
    // Not in the code page; U+AC00 is above 0x7FFF and so negative.
    EXPECT_TRUE(k.contains("\\u26085\\'3f\\u-21504\\'3f"));
    EXPECT_TRUE(rtfAusZeilen({text}, {}).startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"));
}

TEST(RtfSchreiber, SchriftUndFarbtabellenOhneDoppelteEintraege)
{
    RtfLauf a = lauf(QStringLiteral("rot fett"));
    a.schriftart = QStringLiteral("Courier New");
    a.farbe = {255, 0, 0};
    a.fett = true;
    a.groesse = 12.5;
    RtfLauf b = lauf(QStringLiteral("Standard"));
    b.farbe = {19, 114, 168};
    b.kursiv = true;
    b.unterstrichen = true;
    RtfLauf c = lauf(QStringLiteral("wieder rot"));
    c.schriftart = QStringLiteral("Courier New");
    c.farbe = {255, 0, 0};
    RtfLauf boeserName = lauf(QStringLiteral("x"));
    boeserName.schriftart = QStringLiteral("Böse;Schrift{}");
    const QByteArray rtf = rtfDokument({RtfAbsatz{{a, b}, {}}, RtfAbsatz{{c, boeserName}, {}}});

    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}{\\f1\\fnil\\fcharset0 Arial;}"
                             "{\\f2\\fnil\\fcharset0 B\\u246\\'f6seSchrift\\{\\};}}"));
    EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red255\\green0\\blue0;\\red19\\green114\\blue168;\\red0\\green0\\blue0;}"));
    const QByteArray k = koerper(rtf);
    EXPECT_TRUE(k.contains("\\plain\\f0\\fs25\\cf1\\b rot fett"));
    EXPECT_TRUE(k.contains("\\plain\\f1\\fs20\\cf2\\i\\ul Standard"));
    EXPECT_TRUE(k.contains("\\plain\\f0\\fs20\\cf1 wieder rot"));
    EXPECT_TRUE(k.contains("\\plain\\f2\\fs20\\cf3 x"));
    EXPECT_TRUE(gruppenAusgeglichen(rtf));
}

TEST(RtfSchreiber, TabstopsInTwipsSortiertUndTabsImText)
{
    const QByteArray k = koerper(rtfAusZeilen({QStringLiteral("a\tb\tc"), QString()}, {144, 36.5, -5, 36.5, 0}));
    // Points times 20, sorted, without duplicates and without positions a page cannot have.
    EXPECT_TRUE(k.contains("\\pard\\tx730\\tx2880\\plain\\f0\\fs20\\cf1 a\\tab b\\tab c\\par"));
    // The empty line is a paragraph of its own with its tab stops.
    EXPECT_EQ(k.count("\\pard\\tx730\\tx2880"), 2);
}

TEST(RtfSchreiber, AbsatzgrenzenUndLeeresDokument)
{
    const QByteArray drei = koerper(rtfAusZeilen({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}, {}));
    EXPECT_EQ(drei.count("\\pard"), 3);
    EXPECT_EQ(drei.count("\\par\n"), 2); // between paragraphs, none after the last
    const QByteArray nichts = rtfAusZeilen({}, {});
    EXPECT_EQ(koerper(nichts).count("\\pard"), 1);
    EXPECT_TRUE(gruppenAusgeglichen(nichts));
    // Line breaks inside a run do not split the paragraph.
    EXPECT_TRUE(koerper(rtfAusZeilen({QStringLiteral("a\nb")}, {})).contains("a\\line b"));
}

TEST(RtfSchreiber, GrenzwerteBeiGroesseUndFarbe)
{
    RtfLauf l = lauf(QStringLiteral("x"));
    l.groesse = -3;
    l.farbe = {300, -1, 128};
    const QByteArray rtf = rtfDokument({RtfAbsatz{{l}, {}}});
    EXPECT_TRUE(rtf.contains("\\red255\\green0\\blue128;"));
    EXPECT_TRUE(koerper(rtf).contains("\\fs20\\cf1 x"));
    l.groesse = 1e9;
    EXPECT_TRUE(koerper(rtfDokument({RtfAbsatz{{l}, {}}})).contains("\\fs3276\\cf1 x"));
}

TEST(RtfSchreiber, EinEchterLeserLiestTextUndFormatZurueck)
{
    if (!werkzeugDa(QStringLiteral("unrtf")))
        GTEST_SKIP() << "unrtf is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pfad = dir.filePath(QStringLiteral("liste.rtf"));
    QString fehler;
    ASSERT_TRUE(rtfZeilenSchreiben(pfad,
                                   {QStringLiteral("Verzeichnis: /home/anna/a{b}\\c"),
                                    QStringLiteral("Größe\t12,5 KBytes\t€"), QStringLiteral("日本")},
                                   {100, 200}, &fehler))
        << fehler.toStdString();
    const QString html = unrtfHtml(pfad);
    EXPECT_TRUE(html.contains(QStringLiteral("<font face=\"Arial\">"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<font size=\"2\">"))); // 10 points
    EXPECT_TRUE(html.contains(QStringLiteral("Verzeichnis: /home/anna/a{b}\\c<br>")));
    EXPECT_TRUE(html.contains(QStringLiteral("Gr&ouml;&szlig;e&nbsp;")));
    EXPECT_TRUE(html.contains(QStringLiteral("12,5 KBytes&nbsp;")));
    EXPECT_TRUE(html.contains(QStringLiteral("&euro;<br>")));
    EXPECT_TRUE(html.contains(QStringLiteral("&#26085;&#26412;</font>")));
    EXPECT_EQ(unrtfText(pfad), QStringLiteral("Verzeichnis: /home/anna/a{b}\\c\nGröße\t12,5 KBytes\t€\n日本"));
}

TEST(SicheresSchreiben, FehlgeschlagenesSchreibenLaesstDieAlteDateiStehen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pfad = dir.filePath(QStringLiteral("alt.txt"));
    QString fehler;
    ASSERT_TRUE(dateiSicherSchreiben(pfad, "alt\r\n", &fehler));

    // Write-protected file: not replaced behind the user's back.
    QFile::setPermissions(pfad, QFileDevice::ReadOwner);
    EXPECT_FALSE(dateiSicherSchreiben(pfad, "neu", &fehler));
    EXPECT_EQ(fehler, QStringLiteral("Dateizugriff verweigert"));
    QFile::setPermissions(pfad, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // Directory without write permission: the temporary file cannot be made.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    fehler.clear();
    const bool geschrieben = dateiSicherSchreiben(pfad, "neu", &fehler);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (::geteuid() != 0) {
        EXPECT_FALSE(geschrieben);
        EXPECT_EQ(fehler, QStringLiteral("Dateizugriff verweigert"));
    }
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), geschrieben ? QByteArray("neu") : QByteArray("alt\r\n"));
    f.close();

    // Missing directory.
    EXPECT_FALSE(dateiSicherSchreiben(dir.filePath(QStringLiteral("fehlt/x.txt")), "x", &fehler));
    EXPECT_FALSE(fehler.isEmpty());
    // A directory in place of the file.
    EXPECT_FALSE(dateiSicherSchreiben(dir.path(), "x", &fehler));
    EXPECT_FALSE(fehler.isEmpty());
}

TEST(SicheresSchreiben, TextdateiMitCrLfAuchAmEndeUndOhneBom)
{
    EXPECT_EQ(textdateiInhalt({QStringLiteral("a"), QString(), QStringLiteral("Grün")}),
              QByteArray("a\r\n\r\nGr\xc3\xbcn\r\n"));
    EXPECT_EQ(textdateiInhalt({}), QByteArray());
}
