// The game clock on a hand-driven frame clock: seconds and "new_minute",
// pause, the calendar and the real-minute count.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "app/clock.h"
#include "platform/time_source.h"
#include "scripting/story.h"
#include "world/game_clock.h"
#include "world/game_world.h"

namespace {

class GameClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetTimeSourceForTests([this] { return m_ms; });
        cClock::Instance().Reset();
        world().ResetToDefaults();
        ClearStory();
        clock().ResetToDefaults();
    }

    void TearDown() override
    {
        ClearStory();
        platform::SetTimeSourceForTests(nullptr);
    }

    static cGameWorld& world() { return cGameWorld::Instance(); }
    static cGameClock& clock() { return cGameClock::Instance(); }

    static void ClearStory()
    {
        Story::Instance().ClearFlags();
        while (Story::Instance().HasFlagEvents())
            Story::Instance().PopFlagEvent();
    }

    // Runs `frames` frames of `ms` milliseconds, as the level state does, and
    // counts the "new_minute" flags it consumes.
    int RunFrames(int frames, double ms)
    {
        int flags = 0;
        for (int i = 0; i < frames; ++i) {
            m_ms += ms;
            cClock::Instance().Update();
            clock().Update();
            if (Story::Instance().FlagPresent("new_minute")) {
                Story::Instance().RemoveFlag("new_minute");
                ++flags;
            }
        }
        return flags;
    }

    double m_ms = 1000.0;
};

TEST_F(GameClockTest, OneFlagPerWholeSecondOfPlay)
{
    struct Case {
        double frameMs;
        int frames;
        int flags;
    };
    const Case cases[] = {
        { 16.0, 630, 10 }, // 63 frames of 16 ms pass 1.0 s
        { 300.0, 40, 10 }, // 1.2 s per count
        { 500.0, 2, 0 }, // exactly 1.0 s does not count yet
        { 500.0, 3, 1 },
        { 2500.0, 1, 1 }, // a long frame counts one second, the rest is dropped
        { 2500.0, 3, 3 },
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << c.frameMs << " ms x " << c.frames);
        world().level = 4;
        EXPECT_EQ(RunFrames(c.frames, c.frameMs), c.flags);
        EXPECT_EQ(world().levelElapsed, c.flags);
        EXPECT_EQ(clock().seconds, c.flags);
    }
}

TEST_F(GameClockTest, PauseStopsTheFlagButNotTheCountOutsideLevel31)
{
    world().level = 7;
    world().paused = 1;
    EXPECT_EQ(RunFrames(9, 500.0), 0);
    EXPECT_EQ(clock().seconds, 3);
    EXPECT_EQ(world().levelElapsed, 0);

    world().paused = 0;
    EXPECT_EQ(RunFrames(3, 500.0), 1);
    EXPECT_EQ(world().levelElapsed, 1);

    // The station-building level keeps its minutes while paused.
    world().level = 31;
    world().paused = 1;
    EXPECT_EQ(RunFrames(6, 500.0), 2);
    EXPECT_EQ(world().levelElapsed, 3);
}

TEST_F(GameClockTest, SetTimeStartsAWholeSecondAndSixtySecondsMakeAMinute)
{
    RunFrames(1, 700.0);
    // Five seconds in the menu, then a level starts: neither the menu's time
    // nor the 0.7 s the last level had gathered shortens its first second.
    m_ms += 5000.0;
    cClock::Instance().Update();
    clock().SetTime(2, 59);
    EXPECT_EQ(RunFrames(5, 200.0), 0);
    EXPECT_EQ(RunFrames(1, 200.0), 1);
    EXPECT_EQ(clock().seconds, 0);
    EXPECT_EQ(clock().minutes, 3);
}

TEST_F(GameClockTest, CalendarStepsAtTheWorldsCalendarStep)
{
    world().calendarStep = 0.75;
    clock().minute = 10;
    RunFrames(2, 250.0);
    EXPECT_EQ(clock().minute, 10);
    RunFrames(1, 250.0);
    EXPECT_EQ(clock().minute, 11);
    EXPECT_EQ(clock().dateChanged, 1);
    EXPECT_EQ(clock().shownDate[0], 11);
    RunFrames(6, 250.0);
    EXPECT_EQ(clock().minute, 13);

    // A step of 0 (the setting nothing writes) steps at every update.
    world().calendarStep = 0.0;
    RunFrames(4, 1.0);
    EXPECT_EQ(clock().minute, 17);
}

TEST_F(GameClockTest, CalendarRollsOverHoursDaysWeekdaysMonthsAndYears)
{
    struct Case {
        int year, month, day, weekday;
        int wantYear, wantMonth, wantDay, wantWeekday, wantFebruary;
    };
    const Case cases[] = {
        { 2008, 2, 27, 3, 2008, 2, 28, 4, 29 }, // leap year: day 28 of February follows
        { 2009, 2, 27, 3, 2009, 3, 1, 4, 28 }, // otherwise the month ends
        { 2010, 5, 10, 7, 2010, 5, 11, 1, 28 }, // after weekday 7 comes 1
        { 2010, 11, 29, 2, 2011, 0, 1, 3, 28 }, // the last month ends the year
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << c.year << "-" << c.month << "-" << c.day);
        world().freshLevel = 1;
        clock().startDate[0] = 59; // minute
        clock().startDate[1] = 23; // hour
        clock().startDate[2] = c.day;
        clock().startDate[3] = c.month;
        clock().startDate[4] = c.weekday;
        clock().startYear = c.year;
        clock().Init();
        world().calendarStep = 0.5;
        RunFrames(1, 600.0);
        EXPECT_EQ(clock().minute, 0);
        EXPECT_EQ(clock().hour, 0);
        EXPECT_EQ(clock().day, c.wantDay);
        EXPECT_EQ(clock().month, c.wantMonth);
        EXPECT_EQ(clock().year, c.wantYear);
        EXPECT_EQ(clock().weekday, c.wantWeekday);
        EXPECT_EQ(clock().monthLength[2], c.wantFebruary);
    }
}

// Four years walked a day at a time from an Init on the first of month 0:
// how many days each month lasts, whether February has its leap day (every
// year divisible by four, centuries included), when the year turns and how
// the weekday runs 1..7.
TEST_F(GameClockTest, CalendarWalksYearsDayByDay)
{
    // Days spent in months 0..11: month number m ends when the day reaches the
    // length of calendar month m (month 0 has none, so it ends at once).
    const int common[12] = { 1, 30, 27, 30, 29, 30, 29, 30, 30, 29, 30, 29 };
    const struct {
        int firstYear;
        bool leap[4];
    } cases[] = {
        { 2007, { false, true, false, false } }, { 1897, { false, false, false, true } }, // 1900: divisible by four
        { 1999, { false, true, false, false } }, { -5, { false, true, false, false } }, // -4
    };
    for (const auto& c : cases) {
        SetUp();
        SCOPED_TRACE(c.firstYear);
        world().freshLevel = 1;
        clock().startDate[0] = 0;
        clock().startDate[1] = 0;
        clock().startDate[2] = 1;
        clock().startDate[3] = 0;
        clock().startDate[4] = 6;
        clock().startYear = c.firstYear;
        clock().Init();
        world().calendarStep = 0.0;

        int weekday = 6;
        for (int y = 0; y < 4; ++y) {
            for (int m = 0; m < 12; ++m) {
                const int days = common[m] + (m == 2 && c.leap[y] ? 1 : 0);
                for (int d = 1; d <= days; ++d) {
                    ASSERT_EQ(clock().year, c.firstYear + y);
                    ASSERT_EQ(clock().month, m);
                    ASSERT_EQ(clock().day, d) << "month " << m;
                    ASSERT_EQ(clock().weekday, weekday);
                    clock().minute = 59;
                    clock().hour = 23;
                    clock().dateChanged = 0;
                    RunFrames(1, 1.0);
                    weekday = weekday % 7 + 1;
                    ASSERT_EQ(clock().hour, 0);
                    ASSERT_EQ(clock().minute, 0);
                    ASSERT_EQ(clock().dateChanged, 1);
                    const int shown[5] = { 0, 0, clock().day, clock().month, weekday };
                    ASSERT_TRUE(std::equal(shown, shown + 5, clock().shownDate));
                }
            }
        }
        EXPECT_EQ(clock().year, c.firstYear + 4);
        EXPECT_EQ(std::pair(clock().month, clock().day), std::pair(0, 1));
    }
}

// Minutes and hours roll over within a day; the shown date follows each step.
TEST_F(GameClockTest, MinutesAndHoursRollOverWithinTheDay)
{
    world().freshLevel = 1;
    clock().startDate[0] = 58;
    clock().startDate[1] = 22;
    clock().startDate[2] = 9;
    clock().startDate[3] = 4;
    clock().startDate[4] = 3;
    clock().startYear = 2001;
    clock().Init();
    world().calendarStep = 0.0;
    const int expected[][5] = { { 59, 22, 9, 4, 3 }, { 0, 23, 9, 4, 3 }, { 1, 23, 9, 4, 3 } };
    for (const auto& want : expected) {
        RunFrames(1, 1.0);
        const int now[5] = { clock().minute, clock().hour, clock().day, clock().month, clock().weekday };
        EXPECT_TRUE(std::equal(want, want + 5, now));
        EXPECT_TRUE(std::equal(want, want + 5, clock().shownDate));
    }
    for (int i = 0; i < 58; ++i)
        RunFrames(1, 1.0);
    EXPECT_EQ(std::tuple(clock().minute, clock().hour, clock().day, clock().weekday), std::tuple(59, 23, 9, 3));
    RunFrames(1, 1.0);
    EXPECT_EQ(std::tuple(clock().minute, clock().hour, clock().day, clock().weekday), std::tuple(0, 0, 10, 4));
}

TEST_F(GameClockTest, WithoutInitMonthZeroEndsAtTheFirstDayStep)
{
    clock().hour = 23;
    clock().minute = 59;
    clock().day = 5;
    clock().month = 0;
    world().calendarStep = 0.0;
    RunFrames(1, 10.0);
    EXPECT_EQ(clock().day, 1);
    EXPECT_EQ(clock().month, 1);

    // A month outside the table never reads past it.
    clock().hour = 23;
    clock().minute = 59;
    clock().month = 40;
    RunFrames(1, 10.0);
    EXPECT_EQ(clock().day, 1);
    EXPECT_EQ(clock().month, 29);
}

TEST_F(GameClockTest, InitContinuesFromTheShownDateOfAResumedLevel)
{
    clock().shownDate[0] = 5;
    clock().shownDate[1] = 6;
    clock().shownDate[2] = 7;
    clock().shownDate[3] = 8;
    clock().shownDate[4] = 2;
    clock().startYear = 2012;
    world().freshLevel = 0;
    clock().Init();
    EXPECT_EQ(clock().GetMinute(), 5);
    EXPECT_EQ(clock().GetHour(), 6);
    EXPECT_EQ(clock().GetDay(), 7);
    EXPECT_EQ(clock().GetMonth(), 8);
    EXPECT_EQ(clock().weekday, 2);
    EXPECT_EQ(clock().year, 2012);
    EXPECT_EQ(clock().blendResult, 0xFFFFFFFFu);
    EXPECT_DOUBLE_EQ(clock().TotalMinutes(), 8 * 43200.0 + 7 * 1440.0 + 6 * 60.0 + 5);
}

TEST_F(GameClockTest, RealMinutesCountOnlyAfterMoreThanSixtySeconds)
{
    world().paused = 1;
    m_ms += 60000.0;
    cClock::Instance().Update();
    clock().UpdateMinuteCounter();
    EXPECT_EQ(world().realMinutesPlayed, 0);
    EXPECT_FLOAT_EQ(clock().realMinuteElapsed, 60.0f);

    m_ms += 1.0;
    cClock::Instance().Update();
    clock().UpdateMinuteCounter();
    EXPECT_EQ(world().realMinutesPlayed, 1);
    EXPECT_EQ(clock().realMinuteElapsed, 0.0f);

    m_ms += 30000.0;
    cClock::Instance().Update();
    clock().UpdateMinuteCounter();
    EXPECT_EQ(world().realMinutesPlayed, 1);
}

TEST_F(GameClockTest, BlendColorStepsTowardsTheTargetAndStaysInRange)
{
    clock().blendBase = 0xFF000000;
    clock().blendTarget = 0xFF1E3C00; // red +30, green +60, blue 0
    world().lightStep = 5;
    EXPECT_EQ(clock().BlendColor(), 0xFF0A1400u);
    EXPECT_EQ(world().lightBlending, 1);

    // A darker channel wraps to a huge unsigned step: it is held at 255.
    clock().blendBase = 0xFF808080;
    clock().blendTarget = 0xFF7F8080;
    EXPECT_EQ(clock().BlendColor() & 0x00FF0000u, 0x00FF0000u);

    clock().blendTarget = clock().blendBase;
    EXPECT_EQ(clock().BlendColor(), 0xFF808080u);
    EXPECT_EQ(world().lightBlending, 0);
}

} // namespace
