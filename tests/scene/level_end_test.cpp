// The end of a level as the head-up display decides it: twice the time limit,
// a grid that stays full for half a second (not while a joker or a bomb is in
// hand, nor while anything is still moving), the rating by time, and the won
// and failed panels with their buttons.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hud_fixture.h"

namespace {

std::vector<std::string> EndImages()
{
    std::vector<std::string> images
        = { "menu_gameover.png", "use_joker.png", "button_short_off.png", "button_short_over.png", "goldcup_01a.png",
              "silvercup_01a.png", "balken_red", "balken_gelb", "balken_weiss", "balken_gruen" };
    for (int i = 0; i < 20; ++i)
        images.push_back((i < 10 ? "marker000" : "marker00") + std::to_string(i));
    return images;
}

class LevelEndTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        made = std::make_unique<test::NumberedSubmenu>();
        WriteSet("data/gui/interface/menu/menu_submenu", EndImages());
        made->LoadPages(L"data/gui/interface/menu/menu_submenu");
        world.level = 1;
        world.levelActive = 1;
        MoveMouse(10, 10);
    }
    void Frame(double step = 17)
    {
        gfx.ClearRecords();
        Wait(step);
        made->DrawLevelEnd();
    }
    // A grid of n cells, every one taken.
    void FullGrid(int n = 4)
    {
        world.fundaments.assign(static_cast<std::size_t>(n), cFundament {});
        for (cFundament& f : world.fundaments)
            f.autoType = 3;
    }
    bool Wrote(const std::wstring& text) const
    {
        for (const test::GfxDraw* d : TextDraws()) {
            if (d->text == text)
                return true;
        }
        return false;
    }
    void Click(int x, int y)
    {
        MoveMouse(x, y);
        world.leftClick = 1;
    }

    std::unique_ptr<test::NumberedSubmenu> made;
};

TEST_F(LevelEndTest, TwiceTheLimitFailsTheLevelWithThePlayedTimeSetToTheLimit)
{
    world.level = 2;
    world.levelTimeLimit = 100;
    world.levelElapsed = 199;
    FullGrid(); // a full grid does not end a level with a limit
    for (int i = 0; i < 60; ++i)
        Frame();
    EXPECT_EQ(world.levelOver, 0);

    world.levelElapsed = 200;
    Frame();
    EXPECT_EQ(world.levelOver, 1);
    EXPECT_EQ(world.levelState, 0);
    EXPECT_EQ(world.levelElapsed, 100);
    EXPECT_EQ(world.levelFinalTime, 100);
    EXPECT_EQ(world.timeOutFailure, 1);
    EXPECT_EQ(world.evaluatePending, 1);
    EXPECT_EQ(world.paused, 1);

    // Rated first, then the failed panel with its reason.
    Frame();
    EXPECT_EQ(world.evaluatePending, 0);
    EXPECT_EQ(world.resultsShown, 0);
    Frame();
    EXPECT_EQ(world.resultsShown, 1);
    EXPECT_TRUE(Wrote(L"text 25"));

    // Its button leaves the level without the result screen.
    Click(600, 980);
    Frame();
    EXPECT_EQ(world.leaveLevel, 1);
    EXPECT_EQ(world.levelActive, 0);
    EXPECT_EQ(world.levelOver, 0);
    EXPECT_EQ(world.resultScreenOpen, 0);
    EXPECT_EQ(world.taskBookOpen, 0);
}

TEST_F(LevelEndTest, AFullGridEndsALevelWithoutLimitAfterHalfASecond)
{
    FullGrid();
    world.minusPoints = 1234;
    world.levelElapsed = 42;
    Frame();
    EXPECT_EQ(world.noFreeCell, 1);
    EXPECT_EQ(world.freeCellTimerStarted, 1);
    Frame(480);
    EXPECT_EQ(world.levelOver, 0);

    // The game-over panel shows for the frame in which the level ends.
    Frame(40);
    EXPECT_EQ(world.levelOver, 1);
    EXPECT_EQ(world.levelState, 1);
    EXPECT_EQ(world.gameOverPanelShown, 1);
    EXPECT_EQ(world.levelFinalTime, 42);
    EXPECT_TRUE(FindImage("menu_gameover.png"));
    EXPECT_TRUE(Wrote(L"text 136"));

    // Rated (no medal without a limit), then the statistics pay the points.
    Frame();
    EXPECT_EQ(world.evaluatePending, 0);
    EXPECT_TRUE(world.medalText.empty());
    Frame();
    EXPECT_FALSE(FindImage("menu_gameover.png"));
    EXPECT_EQ(world.paused, 1);
    EXPECT_EQ(world.levelReward, 1234);
    EXPECT_EQ(world.levelBonus, 0);
    EXPECT_EQ(world.levelRating, 0);

    // Its button opens the result screen; the panel keeps only its background.
    Click(600, 980);
    Frame();
    EXPECT_EQ(world.resultScreenOpen, 1);
    EXPECT_EQ(world.highscoreTableReady, 0);
    Frame();
    EXPECT_TRUE(TextDraws().empty());
}

TEST_F(LevelEndTest, AJokerOrABombInHandShowsTheHintInsteadOfEnding)
{
    const struct {
        int kind;
        bool hint;
    } cases[] = { { 90, true }, { 91, true }, { 3, false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        world.ResetToDefaults();
        world.level = 1;
        world.levelActive = 1;
        FullGrid();
        world.jokers.assign(1, cJoker {});
        world.jokers[0].item = c.kind;
        for (int i = 0; i < 60; ++i)
            Frame();
        EXPECT_EQ(world.levelOver, c.hint ? 0 : 1);
        EXPECT_EQ(world.useJokerHint, c.hint ? 1 : 0);
        EXPECT_EQ(FindImage("use_joker.png").has_value(), c.hint);
        EXPECT_EQ(Wrote(L"text 114"), c.hint);
    }
}

TEST_F(LevelEndTest, NothingUnderWayMayStillFreeACellOrTheFullGridIsNotChecked)
{
    for (int what = 0; what < 5; ++what) {
        SCOPED_TRACE(what);
        world.ResetToDefaults();
        world.level = 1;
        FullGrid();
        if (what == 0)
            world.autoOnMouse = 4;
        if (what == 1)
            world.transfers.assign(1, cTransfer {});
        if (what == 2)
            world.selectedCount = 1;
        if (what == 3) {
            world.effects.assign(1, cEffect {});
            world.effects[0].type = 5;
        }
        if (what == 4)
            world.gamePlayMode = 1; // swap mode ends only by its script
        for (int i = 0; i < 60; ++i)
            Frame();
        EXPECT_EQ(world.noFreeCell, 0);
        EXPECT_EQ(world.levelOver, 0);
    }
}

TEST_F(LevelEndTest, NoEndCheckWhilePausedOrOnceTheScriptHasSpoken)
{
    FullGrid();
    world.paused = 1;
    for (int i = 0; i < 60; ++i)
        Frame();
    EXPECT_EQ(world.levelOver, 0);
    // Set outside "on_level_finish", the state stops the checks without an end.
    world.paused = 0;
    world.levelState = 1;
    for (int i = 0; i < 60; ++i)
        Frame();
    EXPECT_EQ(world.levelOver, 0);
    EXPECT_EQ(world.noFreeCell, 0);
}

TEST_F(LevelEndTest, TheMedalFollowsStrictThresholdsOfTheLimit)
{
    const struct {
        int limit;
        int elapsed;
        const wchar_t* medal;
    } cases[] = { { 100, 0, L"GOLD" }, { 100, 59, L"GOLD" }, { 100, 60, L"SILVER" }, { 100, 84, L"SILVER" },
        { 100, 85, L"" }, { 100, 100, L"" }, { 100, 101, L"" }, { 0, 0, L"" }, { 300, 179, L"GOLD" },
        { 300, 254, L"SILVER" }, { 300, 255, L"" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.limit) + " " + std::to_string(c.elapsed));
        world.levelTimeLimit = c.limit;
        world.levelElapsed = c.elapsed;
        world.medalText = L"old";
        world.evaluatePending = 1;
        world.fogOn = 1;
        made->EvaluateLevelEnd();
        EXPECT_EQ(world.medalText, c.medal);
        EXPECT_EQ(world.evaluatePending, 0);
        EXPECT_EQ(world.fogOn, 0);
        EXPECT_EQ(world.cupPhase, 0);
        EXPECT_EQ(world.cupAlpha, 255);
    }
}

TEST_F(LevelEndTest, TheRatingWaitsForTheFlyingValues)
{
    world.levelTimeLimit = 100;
    world.levelElapsed = 10;
    world.evaluatePending = 1;
    world.flyingValues.assign(1, cFlyingMarker {});
    made->EvaluateLevelEnd();
    EXPECT_EQ(world.evaluatePending, 1);
    EXPECT_EQ(world.medalText, L"");
    world.flyingValues.clear();
    made->EvaluateLevelEnd();
    EXPECT_EQ(world.medalText, L"GOLD");
}

TEST_F(LevelEndTest, AWonLevelShowsItsCupBeforeTheStatistics)
{
    world.level = 2;
    world.levelTimeLimit = 100;
    world.levelElapsed = 30;
    world.levelOver = 1;
    world.levelState = 1;
    world.levelEndStep = 1;
    world.evaluatePending = 1;
    Frame();
    ASSERT_EQ(world.medalText, L"GOLD");

    // Fourteen sparkle steps, then the applause and the fade-in.
    Frame();
    EXPECT_EQ(world.cupStarted, 1);
    EXPECT_EQ(world.cupAlpha, 0);
    EXPECT_TRUE(Wrote(L"text 90"));
    EXPECT_TRUE(FindImage("goldcup_01a.png"));
    for (int i = 0; i < 13; ++i)
        Frame(40);
    EXPECT_EQ(world.cupPhase, 0);
    EXPECT_EQ(Played("applause_cup"), 0);
    Frame(40);
    EXPECT_EQ(world.cupPhase, 1);
    EXPECT_EQ(Played("applause_cup"), 1);
    for (int i = 0; i < 51; ++i)
        Frame(20);
    EXPECT_EQ(world.cupPhase, 2);
    EXPECT_EQ(world.cupAlpha, 255);
    // Held three seconds, then faded out in 17 steps.
    Frame(2990);
    Frame(20);
    EXPECT_EQ(world.cupAlpha, 255);
    for (int i = 0; i < 17; ++i)
        Frame(20);
    EXPECT_EQ(world.cupPhase, 3);
    EXPECT_EQ(world.medalText, L"");
    EXPECT_EQ(world.cupStarted, 0);

    Frame();
    EXPECT_FALSE(FindImage("goldcup_01a.png"));
    EXPECT_TRUE(FindImage("balken_red"));
    EXPECT_EQ(world.levelRating, 2);
    EXPECT_EQ(world.levelReward, 90000);
}

} // namespace
