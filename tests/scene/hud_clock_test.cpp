// The head-up display's clock: the face and the time played, the medal badge
// by the thresholds of the time limit, the signals, and the pause while the
// cursor rests on the badge.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hud_fixture.h"

namespace {

std::vector<std::string> HudImages()
{
    std::vector<std::string> images;
    for (int i = 0; i < 30; ++i)
        images.push_back((i < 10 ? "uhr000" : "uhr00") + std::to_string(i) + ".png");
    for (const char* name : { "slot_gold", "slot_gold_over", "slot_silver", "slot_silver_over", "shop_help2_03",
             "shop_help2_02", "shop_help2_01" })
        images.push_back(name);
    return images;
}

// Inside the badge's rectangle (235, 16)..(363, 65) at 1280.
constexpr int kBadgeX = 300;
constexpr int kBadgeY = 40;

class HudClockTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        made = std::make_unique<test::NumberedSubmenu>();
        WriteSet("data/gui/interface/menu/menu_submenu", HudImages());
        made->LoadPages(L"data/gui/interface/menu/menu_submenu");
        world.level = 2;
        world.levelTimeLimit = 300;
        MoveMouse(640, 600);
    }
    void Frame()
    {
        gfx.ClearRecords();
        made->numbers.clear();
        Wait(17);
        made->DrawClock();
    }
    std::vector<std::string> Badges() const
    {
        std::vector<std::string> badges;
        for (const std::string& name : ImageNames()) {
            if (name.rfind("slot_", 0) == 0)
                badges.push_back(name);
        }
        return badges;
    }
    std::string Face() const
    {
        for (const std::string& name : ImageNames()) {
            if (name.rfind("uhr", 0) == 0)
                return name;
        }
        return "";
    }

    // Made after the frame clock is reset, so its timers start on that clock.
    std::unique_ptr<test::NumberedSubmenu> made;
};

TEST_F(HudClockTest, TheBadgeFollowsTheThresholdsOfTheLimit)
{
    const struct {
        int level;
        int limit;
        int elapsed;
        const char* badge; // "" none
        const wchar_t* time; // the small number, "" none
    } cases[] = {
        { 2, 300, 0, "slot_gold", L"03:00" },
        { 2, 300, 179, "slot_gold", L"03:00" },
        { 2, 300, 180, "slot_silver", L"04:15" },
        { 2, 300, 254, "slot_silver", L"04:15" },
        { 2, 300, 255, "", L"05:00" },
        { 2, 300, 299, "", L"05:00" },
        { 2, 300, 300, "", L"" },
        { 2, 300, 900, "", L"" },
        // 0.6 and 0.85 of 301 are cut to whole seconds.
        { 2, 301, 179, "slot_gold", L"03:00" },
        { 2, 301, 180, "slot_silver", L"04:15" },
        // No limit, and the first level of each triple: no badge at all.
        { 2, 0, 0, "", L"" },
        { 1, 300, 10, "", L"" },
        { 4, 300, 10, "", L"" },
        { 28, 300, 10, "", L"" },
        { 29, 300, 10, "slot_gold", L"03:00" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "level " << c.level << ", limit " << c.limit << ", at " << c.elapsed);
        world.level = c.level;
        world.levelTimeLimit = c.limit;
        world.levelElapsed = c.elapsed;
        Frame();
        const std::vector<std::string> badges = Badges();
        EXPECT_EQ(
            badges, std::string(c.badge).empty() ? std::vector<std::string> {} : std::vector<std::string> { c.badge });
        const std::vector<std::wstring> small = made->SmallNumbers();
        EXPECT_EQ(
            small, std::wstring(c.time).empty() ? std::vector<std::wstring> {} : std::vector<std::wstring> { c.time });
        // The clock face and the played time show in every case.
        EXPECT_FALSE(Face().empty());
        ASSERT_FALSE(made->numbers.empty());
        EXPECT_FALSE(made->numbers.front().small);
    }
}

TEST_F(HudClockTest, PlayedTimeAndBadgeSitAtTheirPlacesAtEitherWidth)
{
    world.levelElapsed = 125;
    Frame();
    ASSERT_EQ(made->numbers.size(), 2u);
    EXPECT_EQ(made->numbers[0].text, L"02:05");
    EXPECT_EQ(made->numbers[0].alignRight, 0);
    EXPECT_EQ(made->numbers[0].x, 73);
    EXPECT_EQ(made->numbers[0].y, 20);
    EXPECT_EQ(made->numbers[0].alpha, 255);
    EXPECT_EQ(made->numbers[1].x, 246);
    EXPECT_EQ(made->numbers[1].y, 26);
    const auto face = FindImage("uhr0000.png");
    ASSERT_TRUE(face);
    EXPECT_EQ(face->x, 3);
    EXPECT_EQ(face->y, 1);
    const auto badge = FindImage("slot_gold");
    ASSERT_TRUE(badge);
    EXPECT_EQ(badge->x, 235);
    EXPECT_EQ(badge->y, 16);
    EXPECT_EQ(badge->colour, 0xFFFFFFFFu);

    cSettings::Instance().SetResolution(1024, 768);
    Frame();
    EXPECT_EQ(made->numbers[0].x, static_cast<int>(73 / 1.25f));
    EXPECT_EQ(made->numbers[0].y, static_cast<int>(20 / 1.33f));
    // The face's y is not scaled.
    EXPECT_EQ(FindImage("uhr0000.png")->y, 1);
    EXPECT_EQ(FindImage("slot_gold")->x, static_cast<int>(235 / 1.25f));
}

TEST_F(HudClockTest, TheFaceTurnsOnlyWhileTheGameRuns)
{
    Frame();
    EXPECT_EQ(Face(), "uhr0000.png");
    Wait(160); // not more than 0.16 s since the timer started
    Frame();
    EXPECT_EQ(Face(), "uhr0001.png");
    world.SetPause(true);
    Wait(200);
    Frame();
    EXPECT_EQ(Face(), "uhr0001.png");
    world.SetPause(false);
    for (int i = 0; i < 29; ++i) {
        Wait(200);
        Frame();
    }
    EXPECT_EQ(Face(), "uhr0000.png");
}

TEST_F(HudClockTest, EachSignalSoundsOnceInTheSecondItsThresholdIsReached)
{
    const struct {
        int elapsed;
        int played; // signals so far
    } steps[]
        = { { 0, 0 }, { 179, 0 }, { 180, 1 }, { 180, 1 }, { 181, 1 }, { 255, 2 }, { 299, 2 }, { 300, 3 }, { 300, 3 } };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.elapsed);
        world.levelElapsed = step.elapsed;
        Frame();
        EXPECT_EQ(Played("change_status_timer"), step.played);
    }
    // Each signal sounds once in its level.
    world.levelElapsed = 180;
    Frame();
    EXPECT_EQ(Played("change_status_timer"), 3);
}

TEST_F(HudClockTest, ALevelWithoutALimitSoundsNoSignal)
{
    world.levelTimeLimit = 0;
    world.levelElapsed = 0;
    Frame();
    EXPECT_EQ(Played("change_status_timer"), 0);
    EXPECT_EQ(world.timeLimitSoundPlayed[0], 0);
}

TEST_F(HudClockTest, RestingOnTheBadgePausesAndShowsItsBubbleLeavingResumes)
{
    world.levelElapsed = 10;
    MoveMouse(kBadgeX, kBadgeY);
    Frame();
    EXPECT_TRUE(world.IsPaused());
    EXPECT_EQ(world.medalHoverPause, 1);
    EXPECT_EQ(Badges(), std::vector<std::string> { "slot_gold_over" });
    const std::vector<std::wstring> texts = gfx.Texts();
    EXPECT_EQ(texts, std::vector<std::wstring> { L"text 129" });
    Frame();
    EXPECT_TRUE(world.IsPaused());

    MoveMouse(kBadgeX, 200);
    Frame();
    EXPECT_FALSE(world.IsPaused());
    EXPECT_EQ(world.medalHoverPause, 0);
    EXPECT_TRUE(gfx.Texts().empty());

    world.levelElapsed = 200;
    MoveMouse(363, 65); // the corner counts as inside
    Frame();
    EXPECT_TRUE(world.IsPaused());
    EXPECT_EQ(gfx.Texts(), std::vector<std::wstring> { L"text 130" });
}

TEST_F(HudClockTest, APauseMadeElsewhereIsNeitherTakenNorEnded)
{
    world.levelElapsed = 10;
    world.SetPause(true);
    MoveMouse(kBadgeX, kBadgeY);
    Frame();
    EXPECT_EQ(world.medalHoverPause, 0);
    MoveMouse(0, 600);
    Frame();
    EXPECT_TRUE(world.IsPaused());
}

TEST_F(HudClockTest, LeavingTheBadgeResumesEvenWhenAnotherScreenPausedMeanwhile)
{
    world.levelElapsed = 10;
    MoveMouse(kBadgeX, kBadgeY);
    Frame();
    ASSERT_EQ(world.medalHoverPause, 1);
    // Say the game menu opened over it and paused too.
    world.SetPause(true);
    MoveMouse(0, 600);
    Frame();
    EXPECT_FALSE(world.IsPaused());
}

TEST_F(HudClockTest, TheLimitAloneNeitherPausesNorShowsABubble)
{
    world.levelElapsed = 260;
    MoveMouse(kBadgeX, kBadgeY);
    Frame();
    EXPECT_FALSE(world.IsPaused());
    EXPECT_EQ(world.medalHoverPause, 0);
    EXPECT_TRUE(gfx.Texts().empty());
}

} // namespace
