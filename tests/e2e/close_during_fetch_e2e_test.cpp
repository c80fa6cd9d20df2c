// The real program closed by SIGTERM while a scheduled fetch waits, ten more items due behind it:
// it ends by itself with status 0, starts none of the other items and saves the session's LastRun
// mark of the item it had started.
#include "net/net_test_support.h"
#include "support/close_during_fetch.h"

#include <gtest/gtest.h>

namespace {

using narrix::testing::CloseDuringFetch;

TEST(CloseDuringFetchE2E, SigtermEndsTheProgramStartsNoFurtherItemAndSavesTheList)
{
    CloseDuringFetch scenario(qEnvironmentVariable("NARRIX_EXE"), narrix::net::testing::kHttpPort);
    ASSERT_TRUE(scenario.startAndWaitForFirstFetch()) << scenario.errors().toStdString();
    scenario.terminate();
    // Generous: the benchmark measures how fast; this only tells an ending program from a hung one.
    ASSERT_TRUE(scenario.exitsNormally(15000)) << scenario.errors().toStdString();

    const QString saved = scenario.savedList();
    const QString lastRun = scenario.lastRunToday();
    ASSERT_TRUE(saved.contains(QStringLiteral("[Slow page]"))) << saved.toStdString();
    // The started item carries today's mark; the ten behind it never ran and keep theirs.
    EXPECT_EQ(saved.count(lastRun), 1) << saved.toStdString();
    EXPECT_EQ(saved.count(QStringLiteral("LastRun=Never")), CloseDuringFetch::kMoreItems)
        << saved.toStdString();
    const qsizetype slow = saved.indexOf(QStringLiteral("[Slow page]"));
    EXPECT_LT(slow, saved.indexOf(lastRun));
    EXPECT_LT(saved.indexOf(lastRun), saved.indexOf(QStringLiteral("[Page 1]")));
}

} // namespace
