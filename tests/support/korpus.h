#pragma once
// Replays the kept inputs of one fuzz target (fuzz/korpus/<name>/) through the checks the target
// runs; each check gives an empty text when the input is handled soundly.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

using Fuzzziel = QString (*)(const uint8_t*, size_t);

inline void korpusAbspielen(const QString& name, Fuzzziel ziel)
{
    const QDir dir(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../fuzz/korpus/") + name);
    const QStringList dateien = dir.entryList(QDir::Files, QDir::Name);
    // An empty or missing corpus would make the test pass without checking anything.
    ASSERT_FALSE(dateien.isEmpty()) << dir.path().toStdString();
    for (const QString& d : dateien) {
        QFile f(dir.filePath(d));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << d.toStdString();
        const QByteArray b = f.readAll();
        EXPECT_EQ(ziel(reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size())), QString())
            << name.toStdString() << '/' << d.toStdString();
    }
}
