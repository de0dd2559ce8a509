// The keys of a main-menu frame: what each one sets in the world, and that
// every key looked at is consumed, so a screen sees a press once.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

#include "frontend/state_menu.h"
#include "platform/win_messages.h"
#include "scene/text_entry.h"
#include "world/game_world.h"

namespace {

constexpr int kF9 = VK_F1 + 8;

class Keys : public iKeySource {
public:
    std::set<int> down;
    std::set<int> held;
    bool IsKeyDown(int code) override { return down.count(code) != 0; }
    void ClearKey(int code) override
    {
        down.erase(code);
        held.erase(code);
    }
    bool IsHeld(int code) override { return held.count(code) != 0; }
    bool IsRussianLayout() override { return false; }
};

struct KeyCase {
    const char* what;
    std::set<int> down;
    std::set<int> held;
    std::function<void(cGameWorld&)> before;
    std::function<bool(const cGameWorld&)> after;
    std::set<int> left; // keys still down after the frame
};

class MenuKeys : public ::testing::Test {
protected:
    void SetUp() override { world.ResetToDefaults(); }
    void TearDown() override { world.ResetToDefaults(); }
    cGameWorld& world = cGameWorld::Instance();
    cStateMenu state;
};

TEST_F(MenuKeys, EachKeySetsItsByteAndIsConsumed)
{
    const auto nothing = [](cGameWorld&) {};
    const std::vector<KeyCase> cases = {
        { "Tab", { VK_TAB }, {}, nothing, [](const cGameWorld& w) { return w.keyTab == 1; }, {} },
        { "Enter", { VK_RETURN }, {}, nothing, [](const cGameWorld& w) { return w.keyEnter == 1; }, {} },
        { "Escape ends typing", { VK_ESCAPE }, {}, [](cGameWorld& w) { w.textEntryActive = 1; },
            [](const cGameWorld& w) { return w.keyEscape == 1 && w.textEntryActive == 0; }, {} },
        { "D, S, W, J, F and Space do nothing but are taken; L stays", { 'D', 'S', 'W', 'J', 'F', VK_SPACE, 'L' }, {},
            nothing, [](const cGameWorld& w) { return w.keyTab == 0 && w.keyEnter == 0 && w.alternateHouse == 0; },
            { 'L' } },
        { "U toggles the other house", { 'U' }, {}, [](cGameWorld& w) { w.alternateHouse = 1; },
            [](const cGameWorld& w) { return w.alternateHouse == 0; }, {} },
        { "F9 stays down outside the shop", { kF9 }, {}, nothing, [](const cGameWorld&) { return true; }, { kF9 } },
        { "F9 is taken while the shop is open", { kF9 }, {}, [](cGameWorld& w) { w.shopOpen = 1; },
            [](const cGameWorld&) { return true; }, {} },
        { "left Alt held", {}, { VK_LMENU }, nothing, [](const cGameWorld& w) { return w.keyLeftAlt == 1; }, {} },
        { "left Alt let go", {}, {}, [](cGameWorld& w) { w.keyLeftAlt = 1; },
            [](const cGameWorld& w) { return w.keyLeftAlt == 0; }, {} },
        { "typing takes the letter before the menu's keys", { 'D' }, {},
            [](cGameWorld& w) {
                w.textEntryActive = 1;
                w.textEntryMax = 10;
            },
            [](const cGameWorld& w) { return std::wstring(w.textEntry) == L"d"; }, {} },
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        world.ResetToDefaults();
        c.before(world);
        Keys keys;
        keys.down = c.down;
        keys.held = c.held;
        state.HandleKeys(keys);
        EXPECT_TRUE(c.after(world));
        EXPECT_EQ(keys.down, c.left);
    }
}

TEST_F(MenuKeys, NumpadPlusStepsThroughTheThreeTreesAndWraps)
{
    std::vector<int> seen;
    for (int press = 0; press < 4; ++press) {
        Keys keys;
        keys.down = { VK_ADD };
        state.HandleKeys(keys);
        EXPECT_TRUE(keys.down.empty());
        seen.push_back(world.treeSelection);
    }
    EXPECT_EQ(seen, (std::vector<int> { 101, 102, 103, 101 }));
}

} // namespace
