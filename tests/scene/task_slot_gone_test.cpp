// A task slot that held the game while the cursor rested on it lets the game
// run again when its line is finished under the cursor, unless the next slot
// moves up under the cursor and holds it in turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "hud_fixture.h"
#include "scene/design_units.h"

namespace {

class SlotHud : public Scene::Hud {
public:
    void LoadPages(const wchar_t* folder) { pages[32].Load(folder); }
};

using TaskSlotGoneTest = test::HudTest;

TEST_F(TaskSlotGoneTest, AFinishedSlotUnderTheCursorLetsTheGameRun)
{
    WriteSet("data/hud", { "slot_3.png", "slot_3_over.png", "element2a.png", "element3a.png" });
    const struct {
        const char* name;
        int lines; // open lines 0..lines-1
        int rested; // the slot the cursor rests on, from the top
        int finished; // the line finished under it
        bool held;
    } cases[] = {
        { "the only slot", 1, 0, 0, false },
        { "the last of two", 2, 1, 1, false },
        { "the first of two: the second moves up", 2, 0, 0, true },
        { "another slot finished", 2, 1, 0, false }, // the cursor now rests on nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SlotHud made;
        made.LoadPages(L"data/hud");
        std::fill(std::begin(world.taskLineActive), std::end(world.taskLineActive), 0);
        for (int i = 0; i < c.lines; ++i) {
            world.taskLineActive[i] = 1;
            world.taskLineValues[i] = world.taskLineLastValues[i] = 1;
            world.taskLineTargets[i] = 5;
        }
        world.taskLineCount = c.lines;
        world.SetPause(false);
        world.slotHoverPause = 0;
        const int x0 = cSettings::Instance().GetWidth() - Scene::ScaleX(240);
        MoveMouse(x0 + Scene::ScaleX(100), 10 + Scene::ScaleY(80 * c.rested) + Scene::ScaleY(40));
        for (int frame = 0; frame < 2; ++frame) {
            Wait(17);
            made.DrawTaskSlots();
        }
        ASSERT_TRUE(world.IsPaused());
        world.taskLineValues[c.finished] = 5;
        for (int frame = 0; frame < 2; ++frame) {
            Wait(17);
            made.DrawTaskSlots();
        }
        EXPECT_EQ(world.IsPaused(), c.held);
        EXPECT_EQ(world.slotHoverPause, c.held ? 1 : 0);
    }
    world.SetPause(false);
}

} // namespace
