// The animated cursor over a clock set by hand: at most one frame per 0.05 s,
// wrapping when the next numbered image is missing.
#include <gtest/gtest.h>

#include "app/clock.h"
#include "app/cursor_set.h"
#include "platform/time_source.h"
#include "support/recording_gfx.h"

namespace {

class CursorSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The clock only moves on, across the tests too, far enough for every
        // earlier timer of the cursor set to have run out.
        platform::SetTimeSourceForTests([] { return now; });
        cClock::Instance().Update();
        ASSERT_TRUE(cursor.Load());
        input.x = 50;
        input.y = 60;
        // A fresh start: frame 0 and a frame due, as after construction.
        cursor.SetCursor(L"Standard", 1);
        Settle();
    }
    void TearDown() override
    {
        cursor.Release();
        platform::SetTimeSourceForTests(nullptr);
    }
    // Back to frame 0 with the next frame due: the first draw uses up a due
    // frame, the second wraps a single-image cursor to 0, the wait makes the
    // next one due.
    void Settle()
    {
        cursor.Draw(16);
        cursor.Draw(16);
        Wait(60.0);
        cursor.Update();
    }
    void Wait(double ms)
    {
        now += ms;
        cClock::Instance().Update();
    }

    static inline double now = 1.0e9;
    test::RecordingGfx gfx;
    test::FakeInput input;
    cCursorSet& cursor = cCursorSet::Instance();
};

TEST_F(CursorSetTest, AnimationStepsAtMostOnceEvery50Milliseconds)
{
    cursor.SetCursor(L"Click", 2);
    EXPECT_EQ(cursor.GetCurrentCursor(), 2);
    // Each step: the time that passes before the Update, and the frame after
    // the Draw.
    const struct {
        double wait;
        uint32_t frame;
    } steps[] = {
        { 0.0, 1 }, // the frame due at the start
        { 10.0, 1 }, // too soon
        { 45.0, 2 }, // 55 ms since the last step
        { 0.0, 2 },
        { 51.0, 3 }, // Click0002 drawn, the frame number moves on
        { 10.0, 0 }, // Click0003 is missing: Click0000, not due yet
        { 51.0, 1 },
    };
    for (const auto& step : steps) {
        Wait(step.wait);
        cursor.Update();
        cursor.Draw(16);
        EXPECT_EQ(cursor.GetFrame(), step.frame) << step.wait;
    }
}

TEST_F(CursorSetTest, CursorDrawsAtTheMousePositionWithTheAlphaOfItsLevel)
{
    cursor.Update();
    EXPECT_EQ(cursor.GetX(), 50);
    EXPECT_EQ(cursor.GetY(), 60);
    const std::pair<int, uint32_t> levels[] = { { 16, 255u }, { 15, 0u }, { 0, 0u } };
    for (const auto& [level, alpha] : levels) {
        gfx.ClearRecords();
        cursor.Draw(level);
        ASSERT_FALSE(gfx.draws.empty()) << level;
        EXPECT_EQ(gfx.draws.back().color >> 24, alpha) << level;
        EXPECT_EQ(gfx.draws.back().target.left, 50);
        EXPECT_EQ(gfx.draws.back().target.top, 60);
        EXPECT_EQ(gfx.draws.back().drawMode, 9);
    }
}

TEST_F(CursorSetTest, SwitchingCursorsKeepsTheFrameAndWrapsWhenShorter)
{
    cursor.SetCursor(L"Click", 2);
    cursor.Draw(16); // frame 0 drawn, now 1
    Wait(60.0);
    cursor.Update();
    cursor.Draw(16); // frame 1 drawn, now 2
    ASSERT_EQ(cursor.GetFrame(), 2u);
    cursor.SetCursor(L"Standard", 1);
    EXPECT_EQ(cursor.GetFrame(), 2u);
    gfx.ClearRecords();
    cursor.Draw(16);
    // Standard has frame 0 only: the draw wraps and still draws.
    EXPECT_EQ(cursor.GetFrame(), 0u);
    EXPECT_EQ(gfx.draws.size(), 1u);
}

TEST_F(CursorSetTest, UnknownCursorFallsBackToTheStandardImage)
{
    cursor.SetCursor(L"raum_51", 3);
    gfx.ClearRecords();
    cursor.Draw(16);
    EXPECT_EQ(cursor.GetFrame(), 0u);
    EXPECT_EQ(gfx.draws.size(), 1u);
    // Nothing steps while the fallback shows.
    EXPECT_TRUE(cursor.IsAdvanceDue());
}

TEST_F(CursorSetTest, SynchroniserCopiesTheFrameClock)
{
    Wait(1234.0);
    EXPECT_TRUE(g_cursorSync.Update(nullptr));
    EXPECT_DOUBLE_EQ(cursor.time, cClock::Instance().GetTime());
    EXPECT_EQ(g_cursorSync.GetName(), L"__unnamed__");
}

} // namespace
