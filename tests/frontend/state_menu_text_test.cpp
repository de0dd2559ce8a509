// Typing in the main menu: which keys give which characters, what one frame
// takes, the length limit and deleting.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "frontend/state_menu.h"
#include "platform/win_messages.h"
#include "scene/state_game.h"
#include "world/game_world.h"

namespace {

class Keys : public iKeySource {
public:
    std::set<int> down;
    std::set<int> held;
    bool russian = false;
    bool IsKeyDown(int code) override { return down.count(code) != 0; }
    void ClearKey(int code) override { down.erase(code); }
    bool IsHeld(int code) override { return held.count(code) != 0; }
    bool IsRussianLayout() override { return russian; }
};

struct Case {
    const char* what;
    std::wstring before;
    std::set<int> down;
    std::set<int> held;
    bool russian;
    std::wstring after;
    std::set<int> left; // keys still down after the frame
};

class MenuTextInput : public ::testing::Test {
protected:
    void SetUp() override { world.ResetToDefaults(); }
    void TearDown() override { world.ResetToDefaults(); }
    cGameWorld& world = cGameWorld::Instance();
    cStateMenu state;
};

TEST_F(MenuTextInput, KeysBecomeCharactersByTheKeyTable)
{
    const std::vector<Case> cases = {
        { "a letter", L"", { 'A' }, {}, false, L"a", {} },
        { "Shift gives the capital", L"", { 'A' }, { VK_SHIFT }, false, L"A", {} },
        { "Russian: A is ef", L"", { 'A' }, {}, true, L"\u0444", {} },
        { "Russian: Shift makes no difference", L"", { 'A' }, { VK_SHIFT }, true, L"\u0444", {} },
        { "Russian: the period key is yu", L"", { VK_OEM_PERIOD }, {}, true, L"\u044E", {} },
        { "Russian: the comma key is be", L"", { VK_OEM_COMMA }, {}, true, L"\u0431", {} },
        { "Shift+1 and nothing else", L"", { '1', 'B', '3' }, { VK_SHIFT }, false, L"!", { 'B', '3' } },
        { "Shift+2", L"", { '2' }, { VK_SHIFT }, false, L"@", {} },
        { "right Alt+Q", L"", { 'Q' }, { VK_RMENU }, false, L"@", {} },
        { "Shift+minus", L"", { VK_OEM_MINUS }, { VK_SHIFT }, false, L"_", {} },
        { "minus", L"", { VK_OEM_MINUS }, {}, false, L"-", {} },
        { "one letter a frame, and no digit after it", L"", { 'C', 'B', '5' }, {}, false, L"b", { 'C', '5' } },
        { "two digits, lower first", L"", { '7', '2' }, {}, false, L"27", {} },
        { "digits, period and space", L"x", { '4', VK_OEM_PERIOD, VK_SPACE }, {}, false, L"x4. ", {} },
        { "backspace", L"abc", { VK_BACK }, {}, false, L"ab", {} },
        { "delete takes backspace too", L"abc", { VK_DELETE, VK_BACK }, {}, false, L"ab", {} },
        { "backspace on empty text", L"", { VK_BACK }, {}, false, L"", {} },
        { "full: a letter is taken and dropped", L"abcde", { 'F' }, {}, false, L"abcde", {} },
        { "full: backspace still works", L"abcde", { VK_BACK }, {}, false, L"abcd", {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        world.textEntryMax = 5;
        std::fill(std::begin(world.textEntry), std::end(world.textEntry), L'\0');
        std::copy(c.before.begin(), c.before.end(), world.textEntry);
        Keys keys;
        keys.down = c.down;
        keys.held = c.held;
        keys.russian = c.russian;
        state.HandleTextInput(keys);
        EXPECT_EQ(std::wstring(world.textEntry), c.after);
        EXPECT_EQ(keys.down, c.left);
    }
}

TEST_F(MenuTextInput, ALimitBeyondTheBufferStopsAtItsEnd)
{
    world.textEntryMax = 100000;
    Keys keys;
    for (int i = 0; i < 400; ++i) {
        keys.down = { 'K' };
        state.HandleTextInput(keys);
    }
    EXPECT_EQ(std::wstring(world.textEntry).size(), static_cast<std::size_t>(world::kTextEntryLength - 1));
}

} // namespace
