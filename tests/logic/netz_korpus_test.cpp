// Replays the kept inputs of the discovery fuzz targets through the same checks.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "../../fuzz/fuzzziele_netz.h"

namespace {

void abspielen(const QString& name, QString (*ziel)(const uint8_t*, size_t))
{
    const QDir dir(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../fuzz/korpus/") + name);
    const QStringList dateien = dir.entryList(QDir::Files, QDir::Name);
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

TEST(NetzKorpus, Netbios) { abspielen(QStringLiteral("netbios"), fuzz::netbios); }
TEST(NetzKorpus, Mdns) { abspielen(QStringLiteral("mdns"), fuzz::mdns); }
TEST(NetzKorpus, Wsd) { abspielen(QStringLiteral("wsd"), fuzz::wsd); }
