// The head-up display of a played level, read back from what each frame
// draws, over the game's own screens and generated art: the clock, the medal
// badge with the time it still allows and its signals, the hover pause and
// bubble, the points against their target, the task counter; and at the end,
// the cup and the figures the panel shows for each way the level can end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "app/game_app_fonts.h"
#include "hud_reader.h"
#include "platform/win_messages.h"
#include "played_hud_fixture.h"
#include "scene/gui_vocabulary.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

constexpr int kGoldHelp = 129;
constexpr int kSilverHelp = 130;
constexpr int kTimeUp = 34;
constexpr int kNotPassed = 35;
constexpr int kTimeOutReason = 25;
constexpr int kLateReason = 36;
constexpr int kStartMoney = 100000;
constexpr int kFirstSlotText = 103;
constexpr int kContinueText = 8;

// A timed level on one cell that earns `rate` points a second against a
// target of 300 and counts its seconds on task line 1 (target `count`); it is
// won once finish_at seconds have passed.
std::string CountingLevel(int limit, int finishAt, int rate = 100, int count = 60)
{
    return "limit = " + std::to_string(limit) + "\nfinish_at = " + std::to_string(finishAt)
        + "\nrate = " + std::to_string(rate) + "\ncount = " + std::to_string(count) + R"(
seconds = 0
function on_init()
    Story:SetTimeForLevel(limit)
    Story:AddFundament(1, "g", "h", 9) Story:CreateFundament(1, 2, 0, 9, -1)
    Story:SetMessage(14, 0, 300)
    Story:SetMessage(1, 0, count) Story:ActivateMessageStatus(1)
end
function on_timer()
    seconds = seconds + 1
    Story:MinusPoints(-rate)
    Story:SetMessage(1, seconds, count)
end
function on_level_finish() if seconds >= finish_at then Story:SetState(1) end end
)";
}

class HudLevel : public test::PlayedHudTest {
protected:
    // The level started as the map's play button starts it, its task dialog
    // closed, with the player's money and no record of the level.
    bool Start(int level, const std::string& script)
    {
        const bool started = PlayedHudTest::Start(level, script);
        world.money = kStartMoney;
        return started;
    }
    // Frames until the script has counted that many seconds.
    bool PlayUntilSecond(int second)
    {
        for (int i = 0; i < 400 && ScriptNumber("seconds") < second; ++i)
            if (!Step())
                return false;
        return ScriptNumber("seconds") == second;
    }
    // A click on a label drawn in the last frame.
    bool ClickText(int text)
    {
        for (const test::GfxDraw& d : gfx.draws)
            if ((d.kind == test::GfxDraw::Kind::Text || d.kind == test::GfxDraw::Kind::TextAlt) && d.text == Text(text))
                return ClickAt(d.x + 2, d.y + 2);
        ADD_FAILURE() << "no label " << text;
        return true;
    }
    bool PressEscape()
    {
        test::OneKey keys(VK_ESCAPE);
        state.HandleKeys(keys);
        return Step();
    }
    int Played(const std::string& name) const
    {
        return static_cast<int>(
            std::count(sound.played.begin(), sound.played.end(), "data/sound/wav/" + name + ".wav"));
    }
    static std::wstring Text(int entry) { return g_guiVocabulary[entry]; }
    static std::wstring Clock(int seconds)
    {
        wchar_t text[16];
        std::swprintf(text, 16, L"%02d:%02d", seconds / 60, seconds % 60);
        return text;
    }
    // The value on the row of a label of the end panel ("" when no such row).
    std::wstring Row(int label) const
    {
        int y = -1;
        for (const test::GfxDraw& d : gfx.draws)
            if ((d.kind == test::GfxDraw::Kind::Text || d.kind == test::GfxDraw::Kind::TextAlt)
                && d.text == Text(label))
                y = d.y;
        std::wstring value;
        for (const test::GfxDraw& d : gfx.draws)
            if ((d.kind == test::GfxDraw::Kind::Text || d.kind == test::GfxDraw::Kind::TextAlt) && d.y == y
                && d.text != Text(label))
                value = d.text;
        return value;
    }

};

// The same at either screen size.
class HudLevelOnScreen : public HudLevel, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        HudLevel::SetUp();
        cSettings::Instance().SetResolution(GetParam(), GetParam() == 1280 ? 1024 : 768);
    }
};

// Limit 21 s: gold before 12 s (0.6 of it, cut to whole seconds), silver
// before 16 s, passable up to 21 s, and the level lost at twice the limit.
TEST_P(HudLevelOnScreen, TheClockBadgeFollowsTheTimeLimitSecondBySecond)
{
    const struct {
        int second;
        const char* badge; // "" none
        const wchar_t* allowed; // the small time beside it, "" none
        int signals;
    } cases[] = {
        { 1, "slot_gold", L"00:12", 0 },
        { 11, "slot_gold", L"00:12", 0 },
        { 12, "slot_silver", L"00:16", 1 },
        { 15, "slot_silver", L"00:16", 1 },
        { 16, "", L"00:21", 2 },
        { 20, "", L"00:21", 2 },
        { 21, "slot_time_up", L"", 3 },
        { 41, "slot_time_up", L"", 3 },
    };
    ASSERT_TRUE(Start(2, CountingLevel(21, 1000, 10)));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.second);
        ASSERT_TRUE(PlayUntilSecond(c.second));
        ASSERT_TRUE(Step());
        for (const char* badge : { "slot_gold", "slot_silver", "slot_time_up", "slot_gold_over", "slot_silver_over" })
            EXPECT_EQ(view.Shows(badge), std::string(badge) == c.badge) << badge;
        EXPECT_EQ(view.Says(Text(kTimeUp)), std::string(c.badge) == "slot_time_up");
        // The played time, the points against their target, the task counter.
        EXPECT_TRUE(view.HasLarge(Clock(c.second))) << testing::PrintToString(view.large);
        EXPECT_TRUE(view.HasLarge(std::to_wstring(c.second * 10) + L" / 300")) << testing::PrintToString(view.large);
        std::vector<std::wstring> small = { std::to_wstring(c.second) + L" / 60" };
        if (*c.allowed)
            small.insert(small.begin(), c.allowed);
        EXPECT_EQ(view.small, small);
        EXPECT_EQ(Played("change_status_timer"), c.signals);
        EXPECT_EQ(view.Starting("star"), "star0029");
        EXPECT_FALSE(world.IsPaused());

        // Resting on the badge pauses the level and explains the medal; where
        // no medal is left it neither pauses nor explains.
        // The clock's face turns while the level runs and stands still while
        // it is paused.
        input.x = X(300), input.y = Y(40);
        ASSERT_TRUE(Step());
        const std::string face = view.Starting("uhr");
        ASSERT_TRUE(Step());
        const bool medal = c.badge == std::string("slot_gold") || c.badge == std::string("slot_silver");
        EXPECT_EQ(view.Starting("uhr") == face, medal) << face;
        EXPECT_EQ(world.IsPaused(), medal);
        EXPECT_EQ(view.Shows(std::string(c.badge) + "_over"), medal);
        EXPECT_EQ(view.Says(Text(kGoldHelp)), c.badge == std::string("slot_gold"));
        EXPECT_EQ(view.Says(Text(kSilverHelp)), c.badge == std::string("slot_silver"));
        if (medal) {
            EXPECT_EQ(ScriptNumber("seconds"), c.second) << "the clock ran on under the badge";
        }
        MouseAway();
        ASSERT_TRUE(Step());
        EXPECT_FALSE(world.IsPaused());
    }
    // At twice the limit the level is lost: its panel says the time ran out.
    for (int i = 0; i < 40 && !world.resultsShown; ++i)
        ASSERT_TRUE(Step());
    ASSERT_TRUE(Step());
    EXPECT_EQ(world.levelState, 0);
    EXPECT_TRUE(view.Says(Text(kNotPassed)));
    EXPECT_TRUE(view.Says(Text(kTimeOutReason)));
    EXPECT_FALSE(view.Shows("slot_time_up"));
}

// The first level of each three has no medal to win: no badge, no signal. Its
// task counter gongs at each change and goes once the line is done.
TEST_P(HudLevelOnScreen, TheFirstLevelOfEachThreeShowsNoBadge)
{
    for (const int level : { 4, 28 }) {
        SCOPED_TRACE(level);
        sound.played.clear();
        ASSERT_TRUE(Start(level, CountingLevel(21, 1000, 10, 12)));
        const struct {
            int second;
            std::vector<std::wstring> small;
            int gongs;
        } steps[] = { { 11, { L"11 / 12" }, 11 }, { 12, {}, 11 }, { 13, {}, 11 } };
        for (const auto& step : steps) {
            SCOPED_TRACE(step.second);
            ASSERT_TRUE(PlayUntilSecond(step.second));
            ASSERT_TRUE(Step());
            EXPECT_TRUE(view.HasLarge(Clock(step.second)));
            EXPECT_EQ(view.small, step.small);
            EXPECT_EQ(view.Starting("slot_g") + view.Starting("slot_s"), "");
            EXPECT_EQ(Played("gong"), step.gongs);
            // A changed counter's slot blinks: dimmed in one of the next two
            // frames, full in the other.
            std::vector<bool> dimmed;
            for (int i = 0; i < 2; ++i) {
                ASSERT_TRUE(Step());
                if (const auto* slot = view.Find("slot_3.png"))
                    dimmed.push_back(slot->colour != 0xFFFFFFFFu);
            }
            EXPECT_EQ(dimmed.size(), step.small.empty() ? 0u : 2u);
            EXPECT_EQ(std::count(dimmed.begin(), dimmed.end(), true), step.small.empty() ? 0 : 1);
            // Resting on an open slot pauses the level and explains the task.
            input.x = cSettings::Instance().GetWidth() - X(140), input.y = Y(40);
            ASSERT_TRUE(Step());
            ASSERT_TRUE(Step());
            EXPECT_EQ(world.IsPaused(), !step.small.empty());
            EXPECT_EQ(view.Says(Text(kFirstSlotText + 1)), !step.small.empty());
            MouseAway();
            ASSERT_TRUE(Step());
            EXPECT_FALSE(world.IsPaused());
        }
        EXPECT_EQ(Played("change_status_timer"), 0);
        world.leaveLevel = 1;
        EXPECT_FALSE(Step());
    }
}

// Each way a timed level ends, and a level without a limit: the cup shown, the
// rating saved and the figures of the end panel.
TEST_F(HudLevel, TheEndPanelShowsTheCupAndThePayOfTheTimeTaken)
{
    const struct {
        const char* what;
        int limit, finishAt;
        const char* cup; // "" none
        int rating;
        int base, timeBonus, pointsBonus;
        bool late = false; // not passed: every payout row 0
    } cases[] = {
        // 100 points a second against 300: gold pays all above the target,
        // silver half, a pass a quarter capped at 5 % of the target.
        { "gold", 21, 5, "goldcup_01a.png", 2, 50000, 40000, 200 },
        { "silver at the gold time", 21, 12, "silvercup_01a.png", 1, 50000, 25000, 450 },
        { "passed at the silver time", 21, 16, "", 0, 50000, 0, 15 },
        { "passed at the limit", 21, 21, "", 0, 50000, 0, 15 },
        { "late", 21, 22, "", 0, 0, 0, 0, true },
        // Without a limit the points are paid.
        { "points", 0, 4, "", 0, 400, 0, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sound.played.clear();
        ASSERT_TRUE(Start(2, CountingLevel(c.limit, c.finishAt)));
        ASSERT_TRUE(PlayUntilSecond(c.finishAt));
        bool cup = false;
        bool figures = false;
        int cupShownWhole = 0; // frames of a quarter second
        for (int i = 0; i < 200 && !figures; ++i) {
            ASSERT_TRUE(Step());
            cup = cup || (*c.cup && view.Shows(c.cup));
            const auto* shown = *c.cup ? view.Find(c.cup) : nullptr;
            cupShownWhole += shown && (shown->colour >> 24) == 255 ? 1 : 0;
            EXPECT_FALSE(view.Shows("goldcup_01a.png") && std::string(c.cup) != "goldcup_01a.png");
            EXPECT_FALSE(view.Shows("silvercup_01a.png") && std::string(c.cup) != "silvercup_01a.png");
            figures = !Row(139).empty() || view.Says(Text(kNotPassed));
        }
        ASSERT_TRUE(figures) << "no end panel";
        EXPECT_EQ(cup, *c.cup != 0);
        // A cup stands whole for three seconds before the figures show.
        if (cup) {
            EXPECT_GE(cupShownWhole, 12);
            EXPECT_LE(cupShownWhole, 14);
        }
        EXPECT_EQ(world.levelState, 1);
        EXPECT_EQ(view.Says(Text(kNotPassed)), c.late);
        EXPECT_EQ(view.Says(Text(kLateReason)), c.late);
        EXPECT_EQ(world.levelRating, c.rating);
        const int total = c.base + c.timeBonus + c.pointsBonus;
        if (c.limit > 0) {
            EXPECT_EQ(Row(100), std::to_wstring(c.base));
            EXPECT_EQ(Row(60), std::to_wstring(c.timeBonus));
            EXPECT_EQ(Row(75), std::to_wstring(c.pointsBonus));
            EXPECT_EQ(Row(77), Clock(c.limit));
            EXPECT_EQ(Row(78), Clock(c.finishAt));
            // The pointer's tip stands over the time taken on the bar.
            const auto* bar = view.Find("balken_red");
            const auto* pointer = view.Find("marker");
            ASSERT_TRUE(bar && pointer);
            // Past the limit it waits at the bar's end.
            const int at = bar->left + (bar->right - bar->left) * std::min(c.finishAt, c.limit) / c.limit;
            EXPECT_NEAR((pointer->left + pointer->right) / 2, at, 1);
        }
        // Without a limit there is no time to signal.
        if (c.limit == 0) {
            EXPECT_EQ(Played("change_status_timer"), 0);
        }
        EXPECT_EQ(Row(0), std::to_wstring(total));
        EXPECT_EQ(Row(138), std::to_wstring(kStartMoney));
        EXPECT_EQ(Row(139), std::to_wstring(kStartMoney + total));
        // Its button hands over to the result screen.
        EXPECT_TRUE(ClickText(kContinueText));
        EXPECT_EQ(world.resultScreenOpen, 1);
        EXPECT_EQ(Row(139), L"");
        world.leaveLevel = 1;
        EXPECT_FALSE(Step());
        world.resultScreenOpen = 0; // as the result screen closes
    }
}

// The game menu, opened by Escape or its button, and the task book button:
// each does what it says to the level.
TEST_F(HudLevel, TheGameMenuAndTheTaskBookDoWhatTheySay)
{
    constexpr int kContinue = 8, kRestart = 21, kOptions = 6, kMainMenu = 22;
    enum class Open { Escape, Button };
    const struct {
        const char* what;
        Open open;
        int button; // -1: none, the menu stays shut
        bool levelGoesOn, paused, optionsOpen, restart;
    } cases[] = {
        { "continue", Open::Escape, kContinue, true, false, false, false },
        { "continue from the button", Open::Button, kContinue, true, false, false, false },
        { "options", Open::Escape, kOptions, true, true, true, false },
        { "restart", Open::Button, kRestart, false, false, false, true },
        { "main menu", Open::Escape, kMainMenu, false, true, false, false },
        { "full grid", Open::Button, -1, true, false, false, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.furthestLevel = 7;
        WriteLevelScript(5, CountingLevel(100, 1000));
        world.gameMenuClosed = 1;
        ASSERT_TRUE(StartLevel(5));
        world.SetPause(false);
        ASSERT_TRUE(PlayUntilSecond(2));
        if (c.button < 0) {
            // While no cell is free the menu button does not open the menu.
            world.noFreeCell = 1;
            ASSERT_TRUE(ClickAt(X(50), Y(970)));
            EXPECT_FALSE(view.Says(Text(kMainMenu)));
            EXPECT_FALSE(world.IsPaused());
            world.leaveLevel = 1;
            EXPECT_FALSE(Step());
            continue;
        }
        ASSERT_TRUE(c.open == Open::Escape ? PressEscape() : ClickAt(X(50), Y(970)));
        ASSERT_TRUE(Step());
        EXPECT_TRUE(world.IsPaused());
        EXPECT_TRUE(view.Says(Text(24) + L" 5 / 30"));
        for (const int label : { kContinue, kRestart, kOptions, kMainMenu })
            EXPECT_TRUE(view.Says(Text(label))) << label;
        // Escape again leaves the open menu as it is.
        ASSERT_TRUE(PressEscape());
        EXPECT_TRUE(view.Says(Text(kMainMenu)));

        // A message waiting on the panel goes only with the level left for
        // the main menu.
        world.PushMessage(L"waiting", L"", L"", 100.0, 0.0);
        // The level's music stops and is given back, once, only when the
        // level is left.
        world.musicStream = sound.Play2D("data/sound/music/level.ogg");
        test::RecordingSound* music = sound.Last();
        const bool on = ClickText(c.button);
        EXPECT_EQ(music->stops, c.levelGoesOn ? 0 : 1);
        EXPECT_EQ(music->releases, c.levelGoesOn ? 0 : 1);
        EXPECT_EQ(world.musicStream == nullptr, !c.levelGoesOn);
        EXPECT_EQ(world.statusMessages.empty(), c.button == kMainMenu);
        EXPECT_EQ(on, c.levelGoesOn);
        EXPECT_EQ(world.IsPaused(), c.paused);
        EXPECT_EQ(world.optionsOpen, c.optionsOpen ? 1 : 0);
        EXPECT_EQ(world.restartLevel, c.restart ? 1 : 0);
        if (!on) {
            // Out of the level: the main menu goes back to the furthest level
            // and forgets the points.
            EXPECT_EQ(world.level, c.restart ? 5 : 7);
            EXPECT_EQ(world.levelPoints, c.restart ? 200 : 0);
            continue;
        }
        EXPECT_FALSE(view.Says(Text(kMainMenu))) << "the menu stays open";
        world.optionsOpen = 0;
        world.SetPause(false);
        // The task book button opens the book over the paused level and closes
        // it again; Escape closes it too, without opening the menu.
        world.comicRows.push_back({ 5, 1, L"page", L"page_a.png" });
        for (const bool escape : { false, true }) {
            ASSERT_TRUE(ClickAt(X(40), Y(850)));
            EXPECT_EQ(world.taskBookOpen, 1);
            EXPECT_TRUE(world.IsPaused());
            ASSERT_TRUE(escape ? PressEscape() && Step() : ClickAt(X(40), Y(850)));
            EXPECT_EQ(world.taskBookOpen, 0);
            EXPECT_FALSE(world.IsPaused());
            EXPECT_FALSE(view.Says(Text(kMainMenu)));
        }
        world.leaveLevel = 1;
        EXPECT_FALSE(Step());
    }
}

// The task book dims the level; closing it, or opening the game menu over it
// with the menu button, shuts the book and lights the level up again.
TEST_F(HudLevel, TheTaskBookDimsTheLevelUntilItOrTheMenuButtonShutsIt)
{
    constexpr int kMainMenu = 22;
    for (const bool byMenu : { false, true }) {
        SCOPED_TRACE(byMenu ? "menu button" : "book button");
        WriteLevelScript(5, CountingLevel(100, 1000));
        world.furthestLevel = 5;
        world.gameMenuClosed = 1;
        ASSERT_TRUE(StartLevel(5));
        world.SetPause(false);
        world.comicRows.push_back({ 5, 1, L"page", L"page_a.png" });
        world.tintStep = 15;
        ASSERT_TRUE(ClickAt(X(40), Y(850)));
        ASSERT_EQ(world.taskBookOpen, 1);
        for (int i = 0; i < 40; ++i)
            ASSERT_TRUE(Step());
        const int dimmed = world.levelTint[0];
        EXPECT_LT(dimmed, 255);
        ASSERT_TRUE(byMenu ? ClickAt(X(50), Y(970)) : ClickAt(X(40), Y(850)));
        EXPECT_EQ(world.taskBookOpen, 0);
        EXPECT_EQ(view.Says(Text(kMainMenu)), byMenu);
        EXPECT_EQ(world.IsPaused(), byMenu);
        for (int i = 0; i < 40; ++i)
            ASSERT_TRUE(Step());
        EXPECT_EQ(world.levelTint[0], 255);
        EXPECT_EQ(world.brightening, 0);
        world.leaveLevel = 1;
        EXPECT_FALSE(Step());
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, HudLevelOnScreen, ::testing::Values(1280, 1024),
    [](const auto& info) { return std::to_string(info.param); });

} // namespace
