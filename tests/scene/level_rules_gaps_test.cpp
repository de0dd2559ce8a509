// Rules of the head-up display read back from what it draws: the clock face
// that turns one picture per its frame time, and the panel of a level whose
// grid stayed full.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "hud_fixture.h"

namespace {

using HudRulesTest = test::HudTest;

class PagedHud : public Scene::Hud {
public:
    void LoadPages(const wchar_t* folder) { pages[32].Load(folder); }
};

// The clock face shows one of thirty pictures and moves on by one whenever
// more than 0.16 s have passed since its last move, at most one picture a
// frame, never while the game is paused; after the last picture comes the
// first.
TEST_F(HudRulesTest, TheClockFaceTurnsOnePicturePerItsFrameTime)
{
    std::vector<std::string> faces;
    for (int i = 0; i < 30; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "uhr00%02d.png", i);
        faces.push_back(name);
    }
    WriteSet("data/hud", faces);
    const struct {
        const char* name;
        double frameMs;
        int frames;
        bool paused;
        int face; // after the frames
    } cases[] = {
        { "a move every frame", 170, 5, false, 5 },
        { "a long frame moves it once", 1000, 3, false, 3 },
        { "a move every second frame", 90, 10, false, 5 },
        { "a move every fourth frame", 50, 12, false, 3 },
        { "round past the last picture", 200, 32, false, 2 },
        { "paused", 200, 6, true, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PagedHud made;
        made.LoadPages(L"data/hud");
        world.paused = c.paused ? 1 : 0;
        std::string face;
        for (int i = 0; i < c.frames; ++i) {
            Wait(c.frameMs);
            gfx.ClearRecords();
            made.DrawClock();
            for (const std::string& name : ImageNames())
                if (name.rfind("uhr", 0) == 0)
                    face = name;
        }
        EXPECT_EQ(face, faces[c.face]);
    }
}

// A level without a time limit whose grid stays full for more than half a
// second ends with the game-over panel: its title and a Continue button.
TEST_F(HudRulesTest, AGridFullTooLongShowsTheGameOverPanelWithContinue)
{
    WriteSet("data/hud", { "menu_gameover.png", "button_short_off.png", "button_short_over.png" });
    PagedHud made;
    made.LoadPages(L"data/hud");
    world.levelTimeLimit = 0;
    world.gamePlayMode = 1; // the grid's fullness as the level keeps it
    world.noFreeCell = 1;
    std::vector<std::wstring> said;
    for (int i = 0; i < 4 && !world.levelOver; ++i) {
        Wait(300);
        gfx.ClearRecords();
        made.DrawLevelEnd();
        for (const test::GfxDraw* d : TextDraws())
            said.push_back(d->text);
    }
    EXPECT_EQ(world.levelOver, 1);
    EXPECT_EQ(world.gameOverPanelShown, 1);
    EXPECT_NE(std::find(said.begin(), said.end(), L"text 136"), said.end());
    EXPECT_NE(std::find(said.begin(), said.end(), L"text 8"), said.end()) << "no Continue button";
}

// A grid that stays full ends the level: won only when every open task line
// has reached its target, whichever of the level's lines it is (the points
// line and a line without a target are no task; a line past the level's
// count is none of its lines). Its panel stands in the middle of the screen.
TEST_F(HudRulesTest, AFullGridIsWonOnlyWhenEveryOpenTaskLineIsReached)
{
    WriteSizedSet("data/hud",
        { { "menu_gameover.png", 400, 300 }, { "button_short_off.png", 1, 1 }, { "button_short_over.png", 1, 1 } });
    constexpr int kAll = world::kMessageLines;
    struct Line {
        int line, real, target;
        bool open;
    };
    const struct {
        const char* name;
        int count;
        bool everyLineReached;
        std::vector<Line> lines;
        bool won;
    } cases[] = {
        { "no task lines", 0, false, {}, true },
        { "the first line reached", 1, false, { { 0, 5, 5, true } }, true },
        { "the first line past its target", 1, false, { { 0, 6, 5, true } }, true },
        { "the first line short", 1, false, { { 0, 4, 5, true } }, false },
        { "a closed line short", 1, false, { { 0, 4, 5, false } }, true },
        { "a line without a target", 1, false, { { 0, 0, 0, true } }, true },
        { "the points line short", 15, false, { { 14, 0, 1000, true } }, true },
        { "a line past the count short", 3, false, { { 3, 0, 5, true } }, true },
        { "the second of two lines short", 2, false, { { 0, 5, 5, true }, { 1, 1, 2, true } }, false },
        { "every line open and reached", kAll, true, {}, true },
        { "every line open, the last one short", kAll, true, { { kAll - 1, 1, 2, true } }, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < kAll; ++i) {
            const bool counted = c.everyLineReached && i != 14;
            world.taskLineActive[i] = counted ? 1 : 0;
            world.taskLineValues[i] = world.taskLineTargets[i] = counted ? 1 : 0;
        }
        for (const Line& l : c.lines) {
            world.taskLineActive[l.line] = l.open ? 1 : 0;
            world.taskLineValues[l.line] = l.real;
            world.taskLineTargets[l.line] = l.target;
        }
        world.taskLineCount = c.count;
        world.levelOver = world.levelState = world.gameOverPanelShown = world.freeCellTimerStarted = 0;
        world.SetPause(false);
        world.levelTimeLimit = 0;
        world.gamePlayMode = 1;
        world.noFreeCell = 1;
        PagedHud made;
        made.LoadPages(L"data/hud");
        std::optional<test::HudImage> panel;
        for (int i = 0; i < 4 && !world.levelOver; ++i) {
            Wait(300);
            gfx.ClearRecords();
            made.DrawLevelEnd();
            panel = panel ? panel : FindImage("menu_gameover.png");
        }
        ASSERT_EQ(world.levelOver, 1);
        EXPECT_EQ(world.levelState, c.won ? 1 : 0);
        EXPECT_EQ(world.gameOverPanelShown, 1);
        ASSERT_TRUE(panel.has_value());
        EXPECT_EQ(panel->x, 640 - 200);
        EXPECT_EQ(panel->y, 512 - 150);
    }
}

} // namespace
