// Replays every kept fuzz input (seeds and the crashers found so far) through the same checks
// the fuzz targets run, so the normal test build covers them without clang.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "../../fuzz/fuzzziele.h"

namespace {

using Ziel = QString (*)(const uint8_t*, size_t);

void abspielen(const QString& name, Ziel ziel)
{
    const QDir dir(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../fuzz/korpus/") + name);
    const QStringList dateien = dir.entryList(QDir::Files, QDir::Name);
    // An empty or missing corpus would make this test pass without checking anything.
    ASSERT_FALSE(dateien.isEmpty()) << dir.path().toStdString();
    for (const QString& d : dateien) {
        QFile f(dir.filePath(d));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << d.toStdString();
        const QByteArray b = f.readAll();
        EXPECT_EQ(ziel(reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size())), QString())
            << name.toStdString() << '/' << d.toStdString();
    }
}

}  // namespace

TEST(FuzzKorpus, Einstellungen) { abspielen(QStringLiteral("einstellungen"), fuzz::einstellungen); }
TEST(FuzzKorpus, Maske) { abspielen(QStringLiteral("maske"), fuzz::maske); }
TEST(FuzzKorpus, Zeilenformat) { abspielen(QStringLiteral("zeilenformat"), fuzz::zeilenformat); }
TEST(FuzzKorpus, Rtf) { abspielen(QStringLiteral("rtf"), fuzz::rtf); }

// The checks themselves must be able to fail: a broken RTF group is caught.
TEST(FuzzKorpus, PruefungErkenntKaputteGruppen)
{
    EXPECT_EQ(rtfGruppeFehler("{\\rtf1 a\\}b}"), QString());
    EXPECT_NE(rtfGruppeFehler("{\\rtf1 a}b}"), QString());
    EXPECT_NE(rtfGruppeFehler("{\\rtf1 {a}"), QString());
    EXPECT_NE(rtfGruppeFehler("{\\rtf a}"), QString());
    EXPECT_NE(rtfGruppeFehler("{\\rtf1 a} x"), QString());
    EXPECT_EQ(fuzz::offeneKlammern("{\\{{}\\\\{"), 3);
    EXPECT_NE(fuzz::ohneRtfZeichen(QStringLiteral("a{")), fuzz::ohneRtfZeichen(QString(QChar(u'a')) + QChar(0xE001)));
}
