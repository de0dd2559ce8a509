#include <gtest/gtest.h>

#include "app/clock.h"
#include "platform/time_source.h"

namespace {

class FrameClock : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetTimeSourceForTests([this] { return nowMs; });
        cClock::Instance().Reset();
    }
    void TearDown() override { platform::SetTimeSourceForTests(nullptr); }
    double nowMs = 50000.0;
};

TEST_F(FrameClock, AdvancesOnlyOnUpdateAndStartsAtZero)
{
    EXPECT_EQ(g_pClock, &cClock::Instance());
    EXPECT_DOUBLE_EQ(g_pClock->GetTime(), 0.0);
    nowMs += 250.0;
    EXPECT_DOUBLE_EQ(g_pClock->GetTime(), 0.0); // between updates it stands still
    g_pClock->Update();
    EXPECT_NEAR(g_pClock->GetTime(), 0.25, 1e-9);
    EXPECT_NEAR(g_pClock->GetTime(), 0.25, 1e-9);
    // A pause without frames shows up as one large step.
    nowMs += 30000.0;
    g_pClock->Update();
    EXPECT_NEAR(g_pClock->GetTime(), 30.25, 1e-9);
    g_pClock->Reset();
    EXPECT_DOUBLE_EQ(g_pClock->GetTime(), 0.0);
}

TEST_F(FrameClock, TimersMeasureFromTheirLastStart)
{
    cTimer timer; // built at clock time 0
    EXPECT_FALSE(timer.IsRunning());
    nowMs += 100.0;
    g_pClock->Update();
    EXPECT_NEAR(timer.Elapsed(), 0.1, 1e-9);
    timer.Start();
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_DOUBLE_EQ(timer.Elapsed(), 0.0);
    nowMs += 40.0;
    g_pClock->Update();
    timer.Stop();
    nowMs += 60.0;
    g_pClock->Update();
    // Stopped, it still measures from its start.
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_NEAR(timer.Elapsed(), 0.1, 1e-9);
    timer.Restart();
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_DOUBLE_EQ(timer.Elapsed(), 0.0);
}

} // namespace
