#pragma once
// The frame of a GoogleTest suite on the private LAN: one LAN for the whole suite, made by the
// suite's SetUpTestSuite; each test skips with the reason where the LAN cannot be built.
#include "netz_lan.h"

#include <gtest/gtest.h>

inline NetzLan* g_lan = nullptr;

// A time bound, held only where time means something: an instrumented build runs several times
// slower, so there a bound always counts as kept and the rest of the test still runs.
inline bool zeitGehalten(bool gehalten)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return gehalten || true;
#else
    return gehalten;
#endif
}

class LanSuite : public ::testing::Test {
protected:
    static void TearDownTestSuite()
    {
        delete g_lan;
        g_lan = nullptr;
    }
    void SetUp() override
    {
        if (!g_lan->bereit())
            GTEST_SKIP() << g_lan->grund().toStdString();
    }
    // `arbeit` in a child inside the client's namespace, with the client's HOME.
    std::optional<QStringList> imClient(const std::function<QStringList()>& arbeit, int grenzeMs = 20000)
    {
        return imNamensraum(g_lan->namensraum(QStringLiteral("cli")), g_lan->heim(), arbeit, grenzeMs);
    }
};
