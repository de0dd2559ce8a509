// Rules of the head-up display read back from what it draws: the clock face
// that turns one picture per its frame time, and the panel of a level whose
// grid stayed full.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hud_fixture.h"

namespace {

using HudRulesTest = test::HudTest;

class PagedSubmenu : public Scene::MenuSubmenu {
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
        PagedSubmenu made;
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
    PagedSubmenu made;
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

} // namespace
