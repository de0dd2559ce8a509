// Level play where one part hands over to the next, run by the level state
// over the game's own screens and generated art, with the mouse and keys as
// input: what a level leaves for the next start and the money it takes back,
// the game menu under the end panels, and a full grid ending while values
// still fly, won or lost by its task.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "app/game_app_fonts.h"
#include "level_fixture.h"
#include "platform/win_messages.h"
#include "scene/gui_vocabulary.h"
#include "scene/text_entry.h"
#include "scripting/script_host.h"
#include "world/game_world.h"

namespace {

constexpr int kRestartText = 21;
constexpr int kMainMenuText = 22;
constexpr int kPanelButtonText = 8;
constexpr int kJammedText = 128;
constexpr int kNoRoomText = 136;

class LevelHandOver : public test::PlayedLevelTest {
protected:
    // One frame of 17 ms, recorded alone; Update's result.
    bool Step()
    {
        gfx.ClearRecords();
        return Frame(17.0);
    }
    // The level started as the world map's play button starts it, its task
    // dialog then closed.
    bool StartFromMap(int level)
    {
        world.gameMenuClosed = 1;
        const bool started = StartLevel(level);
        world.SetPause(false);
        return started;
    }
    // Frames until the script has counted that many seconds.
    bool PlayUntilSecond(int second)
    {
        for (int i = 0; i < 1000 && ScriptNumber("seconds") < second; ++i) {
            if (!Step())
                return false;
        }
        return ScriptNumber("seconds") == second;
    }
    // Escape, as the key pass of a frame takes it, and the frame after.
    bool PressEscape()
    {
        test::OneKey keys(VK_ESCAPE);
        state.HandleKeys(keys);
        return Step();
    }
    // A click at (x, y), taken by the next frame's mouse pass and acted on in
    // the frame after; false once the level is left.
    bool ClickAt(int x, int y)
    {
        input.x = x, input.y = y;
        input.Click(0);
        const bool on = Step() && Step();
        MouseAway();
        return on;
    }
    // A click on the text drawn in the last frame (a button's label).
    bool ClickText(int text)
    {
        for (const test::GfxDraw& d : gfx.draws) {
            if ((d.kind == test::GfxDraw::Kind::Text || d.kind == test::GfxDraw::Kind::TextAlt)
                && d.text == g_guiVocabulary[text])
                return ClickAt(d.x + 2, d.y + 2);
        }
        ADD_FAILURE() << "no label " << text;
        return true;
    }
    bool Drew(int text) const
    {
        const auto texts = gfx.Texts();
        return std::find(texts.begin(), texts.end(), std::wstring(g_guiVocabulary[text])) != texts.end();
    }
    int Played(const std::string& name) const
    {
        return static_cast<int>(
            std::count(sound.played.begin(), sound.played.end(), "data/sound/wav/" + name + ".wav"));
    }
};

// A timed level that earns 25 points a second and is won once finish_at
// seconds have passed; it notes what it finds at its start.
std::string PointsLevel(int limit, int finishAt)
{
    return "limit = " + std::to_string(limit) + "\nfinish_at = " + std::to_string(finishAt) + R"(
seconds = 0
function on_init()
    Story:SetTimeForLevel(limit)
    Story:AddFundament(1, "g", "h", 9) Story:CreateFundament(1, 2, 0, 9, -1)
    points_at_start = Story:GetCurrentPoints()
    joker_at_start = Story:IfJoker() and 1 or 0
end
function on_timer() seconds = seconds + 1 Story:MinusPoints(-25) end
function on_level_finish() if seconds >= finish_at then Story:SetState(1) end end
)";
}

TEST_F(LevelHandOver, ARestartedLevelStartsWithNothingTheLastRunLeft)
{
    // Limit 10: the gold signal sounds at 6 s.
    WriteLevelScript(2, PointsLevel(10, 1000));
    ASSERT_TRUE(StartFromMap(2));
    ASSERT_TRUE(PlayUntilSecond(7));
    EXPECT_EQ(world.levelPoints, 175);
    EXPECT_EQ(Played("change_status_timer"), 1);

    // Restarted from the game menu; a move of that run still had the joker in
    // use and its cup had begun to show.
    ASSERT_TRUE(PressEscape());
    ASSERT_EQ(world.gameMenuClosed, 0);
    EXPECT_FALSE(ClickText(kRestartText));
    EXPECT_EQ(world.restartLevel, 1);
    world.jokerInUse = 1;
    world.cupStarted = 1;
    // Cars still queued in the stack and the roads the level laid.
    world.stackCars.resize(2);
    world.autobahnRoads.resize(3);

    // Won at 7 s this time: silver.
    WriteLevelScript(2, PointsLevel(10, 7));
    ASSERT_TRUE(StartFromMap(2));
    EXPECT_EQ(ScriptNumber("points_at_start"), 0);
    EXPECT_EQ(ScriptNumber("joker_at_start"), 0);
    EXPECT_TRUE(world.stackCars.empty());
    EXPECT_TRUE(world.autobahnRoads.empty());
    ASSERT_TRUE(PlayUntilSecond(7));
    EXPECT_EQ(world.levelPoints, 175);
    EXPECT_EQ(Played("change_status_timer"), 2);
    for (int i = 0; i < 120 && world.medalText.empty(); ++i)
        ASSERT_TRUE(Step());
    ASSERT_EQ(world.medalText, L"SILVER");
    // The cup fades in from nothing.
    ASSERT_TRUE(Step());
    EXPECT_EQ(world.cupAlpha, 0);
}

TEST_F(LevelHandOver, UnderAnEndPanelTheGameMenuDoesNotOpen)
{
    enum class Menu { Escape, Button, OpenBefore };
    const struct {
        const char* what;
        int limit, finishAt;
        bool won;
        Menu menu;
    } cases[] = {
        { "won, Escape", 100, 1, true, Menu::Escape },
        { "won, menu button", 100, 1, true, Menu::Button },
        { "failed, Escape", 1, 1000, false, Menu::Escape },
        { "failed, menu button", 1, 1000, false, Menu::Button },
        // Opened with the game paused by the medal badge under the mouse;
        // leaving the badge resumes the game with the menu open.
        { "won, menu open before", 100, 1, true, Menu::OpenBefore },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteLevelScript(2, PointsLevel(c.limit, c.finishAt));
        ASSERT_TRUE(StartFromMap(2));
        if (c.menu == Menu::OpenBefore) {
            input.x = 300, input.y = 40; // over the medal badge, top left
            ASSERT_TRUE(Step());
            ASSERT_EQ(world.medalHoverPause, 1);
            ASSERT_TRUE(PressEscape());
            MouseAway();
            ASSERT_TRUE(Step());
            ASSERT_EQ(world.gameMenuClosed, 0);
            ASSERT_EQ(world.paused, 0);
        }
        // A joker still rising from its cell, not caught yet.
        world.jokers.assign(1, cJoker {});
        world.jokers[0].item = 90;
        world.jokers[0].steps = 100;
        world.jokers[0].speed = 1000.0;
        for (int i = 0; i < 300 && !world.resultsShown; ++i)
            ASSERT_TRUE(Step());
        ASSERT_EQ(world.resultsShown, 1);
        ASSERT_EQ(world.levelState, c.won ? 1 : 0);
        // A won level takes the items still rising with it.
        if (c.won) {
            EXPECT_TRUE(world.jokers.empty());
        }

        if (c.menu != Menu::OpenBefore) { // Escape, or the menu button at the bottom left
            ASSERT_TRUE(c.menu == Menu::Escape ? PressEscape() : ClickAt(50, 970));
        }
        ASSERT_TRUE(Step());
        EXPECT_EQ(world.gameMenuClosed, 1);
        EXPECT_FALSE(Drew(kRestartText));
        if (c.won) {
            world.leaveLevel = 1; // as the result screen leaves
            EXPECT_FALSE(Step());
            continue;
        }
        // The failed panel's own button leaves the level, which is then no
        // longer over, and closes a task book left open.
        world.taskBookOpen = 1;
        EXPECT_FALSE(ClickText(kPanelButtonText));
        EXPECT_EQ(world.levelOver, 0);
        EXPECT_EQ(world.taskBookOpen, 0);
        EXPECT_EQ(world.restartLevel, 0);
    }
}

// Money the script paid during play stays behind with a level left without
// its result, through the game menu's "Main menu" or the failed panel: the map
// then shows the player's money.
TEST_F(LevelHandOver, ALevelLeftWithoutItsResultTakesBackItsScriptsMoney)
{
    const std::string paying
        = "\nfunction on_timer() seconds = seconds + 1 Story:SetMoney(Story:GetMoney() + 25) end\n";
    for (const bool timedOut : { false, true }) {
        SCOPED_TRACE(timedOut);
        WriteLevelScript(2, PointsLevel(timedOut ? 2 : 100, 1000) + paying);
        ASSERT_TRUE(StartFromMap(2));
        const int money = world.money;
        ASSERT_TRUE(PlayUntilSecond(3));
        EXPECT_EQ(world.money, money + 75);
        if (timedOut) {
            for (int i = 0; i < 300 && !world.resultsShown; ++i)
                ASSERT_TRUE(Step());
            EXPECT_FALSE(ClickText(kPanelButtonText));
        } else {
            ASSERT_TRUE(PressEscape());
            EXPECT_FALSE(ClickText(kMainMenuText));
        }
        EXPECT_EQ(world.money, money);
    }
}

// A grid level without a time limit on one row of five cells, 1 1 . 1 2: the
// 1 moved from the fourth cell to the third makes a line, which pays 40
// points. With refill the script then fills every free cell, so the grid is
// full while the points still fly. Its task asks for that many lines.
std::string FillingGridLevel(bool refill, int lines)
{
    return std::string("refill = ") + (refill ? "true" : "false") + "\nlines = " + std::to_string(lines) + R"(
function on_init()
    Story:SetMessage(1, 0, lines)
    Story:ActivateMessageStatus(1)
    Story:SetDrawStation(0)
    Story:SetTimeForLevel(0)
    Story:SetBonusSystem("classe")
    for t, name in ipairs({ "auto_rot", "auto_blau", "auto_gruen", "auto_gelb", "auto_lila" }) do
        Story:AddAuto(t, 1, name) Story:AddAuto(t, 9, name)
        Story:SetAutoParameters(t, 5 + t, 0) Story:SetAutoClass(t, t, 0)
    end
    Story:AddFundament(1, "fundament", "fundament_grid", 9)
    for column = 1, 5 do Story:CreateFundament(1, 3, column, 9, -1) end
    for column, car in ipairs({ 1, 1, 0, 1, 2 }) do
        if car > 0 then Story:AddAutoToFundament(3, column, car) end
    end
end
function on_bonus()
    Story:SetMessage(1, 1, lines)
    Story:SetPoints(40)
    if refill then
        for column, car in ipairs({ 3, 4, 5, 3 }) do Story:AddAutoToFundament(3, column, car) end
    end
end
function on_level_finish() end
)";
}

TEST_F(LevelHandOver, PointsInFlightCountBehindTheMenuAndBeforeAFullGridIsRated)
{
    const auto mouseOnCell = [&](int column) {
        for (int y = 0; y < 1024; y += 4) {
            for (int x = 0; x < 1280; x += 4) {
                if (world.IsMouseOverPlace(3, column, x, y))
                    return input.x = x, input.y = y, true;
            }
        }
        return false;
    };
    enum class Menu { None, Escape, Button };
    const struct {
        Menu menu;
        int lines;
    } runs[] = { { Menu::None, 1 }, { Menu::None, 2 }, { Menu::Escape, 1 }, { Menu::Button, 1 } };
    for (const auto [menu, lines] : runs) {
        SCOPED_TRACE(static_cast<int>(menu) * 10 + lines);
        WriteLevelScript(1, FillingGridLevel(menu == Menu::None, lines));
        ASSERT_TRUE(StartFromMap(1));
        ASSERT_TRUE(Step());

        // The player drags the 1 of the fourth cell onto the third.
        ASSERT_TRUE(mouseOnCell(4));
        input.Press(0, true);
        ASSERT_TRUE(Step() && Step());
        ASSERT_EQ(world.autoOnMouse, 1);
        ASSERT_TRUE(mouseOnCell(3));
        ASSERT_TRUE(Step());
        input.Press(0, false);
        for (int i = 0; i < 5 && world.flyingValues.empty(); ++i)
            ASSERT_TRUE(Step());
        ASSERT_EQ(world.flyingValues.size(), 1u);
        MouseAway();

        if (menu == Menu::None) {
            // The full grid ends the level: short of its task lost, with the
            // failed panel saying why; at its task won, where the reward
            // first shown is the one that stays, and the one the result
            // table records.
            bool fullShown = false;
            for (int i = 0; i < 300 && !world.resultsShown; ++i) {
                ASSERT_TRUE(Step());
                fullShown = fullShown || Drew(kNoRoomText);
            }
            EXPECT_TRUE(fullShown);
            ASSERT_EQ(world.levelState, lines == 1 ? 1 : 0);
            if (lines != 1) {
                EXPECT_TRUE(Drew(kJammedText));
                world.leaveLevel = 1;
                EXPECT_FALSE(Step());
                continue;
            }
            EXPECT_TRUE(world.flyingValues.empty());
            ASSERT_TRUE(Frames(59, 17.0));
            EXPECT_EQ(world.levelPoints, 40);
            EXPECT_EQ(world.levelReward, 40);
        } else {
            // Escape, or the menu button at the bottom left.
            ASSERT_TRUE(menu == Menu::Escape ? PressEscape() : ClickAt(50, 970));
            ASSERT_EQ(world.gameMenuClosed, 0);
            for (int i = 0; i < 200 && !world.flyingValues.empty(); ++i)
                ASSERT_TRUE(Step());
            EXPECT_EQ(world.levelPoints, 40);
        }
        world.leaveLevel = 1;
        EXPECT_FALSE(Step());
    }
}

} // namespace

// A script stopped (here out of time) after its level was won and rated takes
// nothing back: the result is recorded as the result screen's button records
// it, and the level goes back to the map as a won one, not a refused one.
TEST_F(LevelHandOver, AScriptStoppedAfterTheWinKeepsTheResult)
{
    Scripting::SetScriptLimitsForTests(size_t { 8 } << 20, 0.1);
    WriteLevelScript(2, PointsLevel(100, 3) + R"(
calls = 0
local start = on_init
function on_init() start() Story:TakeFromStack(1) end
-- Called every frame; endless some seconds after the win.
function on_fill_parking_place()
    if seconds >= 3 then calls = calls + 1 end
    if calls > 300 then while true do end end
end
)");
    world.menuChoice = 0; // started from the map
    world.currentProfile = 1;
    world.furthestLevel = world.profileLastLevel[1] = 2;
    ASSERT_TRUE(StartFromMap(2));
    const int money = world.money;
    int frames = 0;
    while (Step())
        ASSERT_LT(++frames, 2000);
    EXPECT_EQ(world.returnToMenu, 1);
    EXPECT_TRUE(world.levelStartNotice.empty());
    EXPECT_EQ(world.levelCounter[2], 1);
    EXPECT_EQ(world.levelStatus[2], 2);
    EXPECT_EQ(world.furthestLevel, 3);
    EXPECT_EQ(world.levelReward, 90000);
    EXPECT_EQ(world.money, money + world.levelReward + world.levelBonus);
}
