// The task slots at the right edge of the head-up display: one slot per open
// task line with the line's own icon, none for a finished line or the points
// line, and resting on a slot holds the game until the cursor leaves it.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "hud_fixture.h"
#include "scene/design_units.h"

namespace {

const std::vector<std::string> kSlotImages = { "slot_3.png", "slot_3_over.png", "element2a.png", "element3a.png",
    "element4a.png", "element5a.png", "element_new_station.png", "element_kaktus_blume.png", "element_wbaum.png",
    "element_manager.png", "element_sport.png", "shop_help2_03", "shop_help2_02", "shop_help2_01" };

class SlotHud : public Scene::Hud {
public:
    void LoadPages(const wchar_t* folder) { pages[32].Load(folder); }
};

class TaskSlotsTest : public test::HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        WriteSet("data/hud", kSlotImages);
        made.LoadPages(L"data/hud");
        MoveMouse(-1000, -1000);
    }
    // An open line i: value of target done, already seen at that value.
    void OpenLine(int i, int value = 1, int target = 5)
    {
        world.taskLineActive[i] = 1;
        world.taskLineValues[i] = value;
        world.taskLineTargets[i] = target;
        world.taskLineLastValues[i] = value;
        world.taskLineCount = std::max(world.taskLineCount, i + 1);
    }
    void Frame()
    {
        gfx.ClearRecords();
        Wait(17);
        made.DrawTaskSlots();
    }
    std::vector<std::string> Drawn() const
    {
        std::vector<std::string> names;
        for (const std::string& name : ImageNames())
            if (name.rfind("shop_help", 0) != 0)
                names.push_back(name);
        return names;
    }
    // The mouse on the middle of the k-th slot from the top.
    void MouseOnSlot(int k)
    {
        const int x0 = cSettings::Instance().GetWidth() - Scene::ScaleX(240);
        MoveMouse(x0 + Scene::ScaleX(100), 10 + Scene::ScaleY(80 * k) + Scene::ScaleY(40));
    }

    SlotHud made;
};

// Each task line's slot carries the picture of what the line asks for; a
// line done, or the points line, has no slot.
TEST_F(TaskSlotsTest, EachLineShowsItsOwnIcon)
{
    const struct {
        int line;
        int value, target;
        std::vector<std::string> drawn;
    } cases[] = {
        { 0, 1, 5, { "slot_3.png", "element2a.png" } },
        { 1, 1, 5, { "slot_3.png", "element3a.png" } },
        { 2, 1, 5, { "slot_3.png", "element4a.png" } },
        { 3, 1, 5, { "slot_3.png", "element5a.png" } },
        { 4, 1, 5, { "slot_3.png", "element_new_station.png" } },
        { 5, 1, 5, { "slot_3.png", "element2a.png" } },
        { 6, 1, 5, { "slot_3.png", "element_kaktus_blume.png" } },
        { 7, 1, 5, { "slot_3.png", "element_wbaum.png" } },
        { 8, 1, 5, { "slot_3.png", "element_manager.png" } },
        { 9, 1, 5, { "slot_3.png", "element_sport.png" } },
        { 10, 1, 5, { "slot_3.png" } },
        { 13, 0, 0, { "slot_3.png" } }, // no target: open however far
        { 14, 1, 5, {} }, // the points line
        { 3, 5, 5, {} }, // done
        { 3, 6, 5, {} },
        { 3, 4, 5, { "slot_3.png", "element5a.png" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.line << " at " << c.value << "/" << c.target);
        std::fill(std::begin(world.taskLineActive), std::end(world.taskLineActive), 0);
        world.taskLineCount = 0;
        OpenLine(c.line, c.value, c.target);
        Frame();
        EXPECT_EQ(Drawn(), c.drawn);
    }
    // A line past the task's line count has no slot.
    std::fill(std::begin(world.taskLineActive), std::end(world.taskLineActive), 0);
    OpenLine(3);
    world.taskLineCount = 3;
    Frame();
    EXPECT_TRUE(Drawn().empty());
}

// Resting on any slot holds the game while the cursor stays and lets it run
// again when the cursor leaves; a game held by something else stays held.
TEST_F(TaskSlotsTest, RestingOnASlotHoldsTheGameUntilTheCursorLeaves)
{
    OpenLine(0);
    OpenLine(1);
    OpenLine(2);
    for (const int k : { 0, 1, 2 }) {
        for (const bool heldBefore : { false, true }) {
            SCOPED_TRACE(testing::Message() << "slot " << k << (heldBefore ? " held before" : ""));
            world.SetPause(heldBefore);
            world.slotHoverPause = 0;
            MouseOnSlot(k);
            Frame();
            EXPECT_TRUE(world.IsPaused());
            const std::vector<std::string> names = ImageNames();
            EXPECT_EQ(std::count(names.begin(), names.end(), "slot_3_over.png"), 1);
            Frame();
            EXPECT_TRUE(world.IsPaused()) << "a second frame on the slot";
            MoveMouse(-1000, -1000);
            Frame();
            EXPECT_EQ(world.IsPaused(), heldBefore);
            Frame();
            EXPECT_EQ(world.IsPaused(), heldBefore);
        }
    }
    world.SetPause(false);
}

} // namespace
