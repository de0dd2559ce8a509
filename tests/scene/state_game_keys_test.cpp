// The key pass of a level frame over a key table the test holds: which keys
// one pass consumes, where it stops, and the text entry
// with its length limit and the two keyboard layouts.
#include <gtest/gtest.h>

#include <cwchar>
#include <set>
#include <string>

#include "platform/win_messages.h"
#include "scene/state_game.h"
#include "world/game_world.h"

namespace {

// Keys pressed and not yet consumed, and keys held right now.
class Keys : public iKeySource {
public:
    Keys(std::initializer_list<int> pressed, std::initializer_list<int> held = {}, bool russian = false)
        : down(pressed)
        , held(held)
        , russian(russian)
    {
    }
    bool IsKeyDown(int code) override { return down.count(code) != 0; }
    void ClearKey(int code) override { down.erase(code); }
    bool IsHeld(int code) override { return held.count(code) != 0; }
    bool IsRussianLayout() override { return russian; }

    std::set<int> down;
    std::set<int> held;
    bool russian;
};

constexpr int F3 = VK_F1 + 2;
constexpr int F5 = VK_F1 + 4;

class KeyPassTest : public ::testing::Test {
protected:
    void SetUp() override { world.ResetToDefaults(); }
    void TearDown() override { world.ResetToDefaults(); }

    void Entry(const wchar_t* text, int max)
    {
        world.textEntryActive = 1;
        world.textEntryMax = max;
        std::wcsncpy(world.textEntry, text, world::kTextEntryLength - 1);
    }

    cGameWorld& world = cGameWorld::Instance();
    cStateGame state;
};

TEST_F(KeyPassTest, WhereAPassStopsAndWhatItLeavesDown)
{
    struct Case {
        const char* what;
        std::initializer_list<int> pressed;
        std::set<int> left; // still down after the pass
    };
    const Case cases[] = {
        // Backspace: only the modifier, mouse, Enter, entry and arrow steps.
        { "erase", { VK_BACK, VK_LEFT, VK_RETURN, VK_TAB, VK_ESCAPE, 'A', VK_PRIOR },
            { VK_TAB, VK_ESCAPE, 'A', VK_PRIOR } },
        // F3 or F4 stop everything from F5 on and stay down themselves.
        { "F3 held", { F3, F5, VK_TAB, VK_ESCAPE, 'B' }, { F3, F5, VK_TAB, VK_ESCAPE, 'B' } },
        { "F1 ends it", { VK_F1, VK_SPACE, VK_TAB }, { VK_SPACE, VK_TAB } },
        { "tab goes on", { VK_TAB, VK_ESCAPE, 'A' }, { 'A' } },
        { "one letter a pass, in its order", { 'A', 'B', 'C', 'Z' }, { 'B', 'C', 'Z' } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        world.ResetToDefaults();
        Keys keys(c.pressed);
        state.HandleKeys(keys);
        EXPECT_EQ(keys.down, c.left);
    }
}

TEST_F(KeyPassTest, FlagsOfThePass)
{
    Keys keys({ VK_DELETE, VK_LEFT, VK_RETURN, VK_HOME }, { VK_LSHIFT });
    world.keyEscape = 1;
    state.HandleKeys(keys);
    for (uint8_t cGameWorld::*flag : { &cGameWorld::keyErase, &cGameWorld::keyLeft, &cGameWorld::keyHome,
             &cGameWorld::keyEnter, &cGameWorld::keyLeftShift })
        EXPECT_EQ(world.*flag, 1);
    EXPECT_EQ(world.keyEscape, 0);
    // The one-frame flags go with the next pass; Escape is the head-up
    // display's to act on, and the level goes on.
    Keys escape({ VK_ESCAPE });
    state.HandleKeys(escape);
    EXPECT_EQ(world.keyEnter, 0);
    EXPECT_EQ(world.keyEscape, 1);
    EXPECT_EQ(world.leaveLevel, 0);
}

TEST_F(KeyPassTest, TextEntryTypesLettersDigitsAndSigns)
{
    const struct {
        const char* what;
        std::initializer_list<int> pressed;
        std::initializer_list<int> held;
        const wchar_t* typed;
    } cases[] = {
        { "lower case", { 'Q' }, {}, L"q" },
        { "upper case", { 'Q' }, { VK_SHIFT }, L"Q" },
        { "at with AltGr", { 'Q' }, { VK_RMENU }, L"@" },
        { "dash, and the pass goes on", { VK_OEM_MINUS, 'K' }, {}, L"-k" },
        { "space", { VK_SPACE }, {}, L" " },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.ResetToDefaults();
        Entry(L"", 20);
        Keys keys(c.pressed, c.held);
        state.HandleKeys(keys);
        EXPECT_STREQ(world.textEntry, c.typed);
        EXPECT_TRUE(keys.down.empty());
    }
}

TEST_F(KeyPassTest, RussianLayoutTypesCyrillicWhateverTheShift)
{
    Entry(L"", 20);
    Keys keys({ VK_OEM_COMMA }, { VK_SHIFT }, true);
    state.HandleKeys(keys);
    EXPECT_STREQ(world.textEntry, L"\u0431");
}

TEST_F(KeyPassTest, TextEntryNeverGrowsPastItsLimitOrItsBuffer)
{
    // At its limit a letter is still taken, and nothing changes.
    Entry(L"abc", 3);
    Keys letter({ 'D', VK_TAB });
    state.HandleKeys(letter);
    EXPECT_STREQ(world.textEntry, L"abc");
    EXPECT_EQ(letter.down, std::set<int>({ VK_TAB }));

    // Backspace on an empty entry only sets the erase flag.
    Entry(L"", 10);
    Keys back({ VK_BACK, VK_DELETE });
    state.HandleKeys(back);
    EXPECT_STREQ(world.textEntry, L"");
    EXPECT_EQ(world.keyErase, 1);
    EXPECT_TRUE(back.down.empty());

    // A limit beyond the buffer: the buffer's room is the limit.
    Entry(L"", 100000);
    for (int i = 0; i < world::kTextEntryLength + 20; ++i) {
        Keys a({ 'A' });
        state.HandleKeys(a);
    }
    EXPECT_EQ(std::wcslen(world.textEntry), static_cast<std::size_t>(world::kTextEntryLength - 1));

    // A buffer that lost its terminating zero counts as full.
    for (wchar_t& c : world.textEntry)
        c = L'z';
    Keys more({ 'A' });
    state.HandleKeys(more);
    EXPECT_EQ(world.textEntry[world::kTextEntryLength - 1], L'z');
    Keys erase2({ VK_BACK });
    state.HandleKeys(erase2);
    EXPECT_EQ(world.textEntry[world::kTextEntryLength - 1], L'\0');

    // A key the entry does not know runs the rest of the pass.
    Entry(L"", 10);
    Keys other({ VK_F1 + 4, VK_ESCAPE });
    state.HandleKeys(other);
    EXPECT_EQ(other.down, std::set<int>({ VK_ESCAPE }));
}

} // namespace
