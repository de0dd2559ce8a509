// The key pass of a level frame over a key table the test holds: which keys
// one pass consumes, where it stops, and the text entry
// with its length limit and the two keyboard layouts.
#include <gtest/gtest.h>

#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "platform/win_messages.h"
#include "scene/state_level.h"
#include "support/recording_gfx.h"
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
    cStateLevel state;
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
        { "exclamation mark", { '1' }, { VK_SHIFT }, L"!" },
        { "at with shift", { '2' }, { VK_SHIFT }, L"@" },
        { "underscore", { VK_OEM_MINUS }, { VK_SHIFT }, L"_" },
        { "digit", { '7' }, {}, L"7" },
        { "period", { VK_OEM_PERIOD }, {}, L"." },
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

// Every key the level knows, pressed alone: whether the pass takes it (a held
// key then acts once) and the one flag it raises; the modifiers are read
// while held and raise their flag on each pass.
TEST_F(KeyPassTest, EachKeyAloneIsTakenAndRaisesOnlyItsFlag)
{
    using Flag = uint8_t cGameWorld::*;
    const Flag flags[] = { &cGameWorld::keyEnter, &cGameWorld::keyTab, &cGameWorld::keyEscape, &cGameWorld::keyErase,
        &cGameWorld::keyLeft, &cGameWorld::keyRight, &cGameWorld::keyUp, &cGameWorld::keyDown, &cGameWorld::keyHome,
        &cGameWorld::keyPageUp, &cGameWorld::keyPageDown, &cGameWorld::keyLeftShift, &cGameWorld::keyRightShift,
        &cGameWorld::keyLeftAlt, &cGameWorld::keyLeftCtrl, &cGameWorld::screenshotRequest };
    struct Case {
        int key;
        bool held; // a modifier, read while held
        Flag flag; // nullptr: none
        bool takenByThePass;
    };
    std::vector<Case> cases = {
        { VK_RETURN, false, &cGameWorld::keyEnter, true },
        { VK_TAB, false, &cGameWorld::keyTab, true },
        { VK_ESCAPE, false, &cGameWorld::keyEscape, true },
        { VK_BACK, false, &cGameWorld::keyErase, true },
        { VK_DELETE, false, &cGameWorld::keyErase, true },
        { VK_LEFT, false, &cGameWorld::keyLeft, true },
        { VK_RIGHT, false, &cGameWorld::keyRight, true },
        { VK_UP, false, &cGameWorld::keyUp, true },
        { VK_DOWN, false, &cGameWorld::keyDown, true },
        { VK_HOME, false, &cGameWorld::keyHome, true },
        { VK_PRIOR, false, &cGameWorld::keyPageUp, true },
        { VK_NEXT, false, &cGameWorld::keyPageDown, true },
        { VK_SNAPSHOT, false, &cGameWorld::screenshotRequest, true },
        { VK_SPACE, false, nullptr, true },
        { VK_F1 + 2, false, nullptr, false }, // F3 and F4 stay down
        { VK_F1 + 3, false, nullptr, false },
        { VK_LSHIFT, true, &cGameWorld::keyLeftShift, true },
        { VK_RSHIFT, true, &cGameWorld::keyRightShift, true },
        { VK_LMENU, true, &cGameWorld::keyLeftAlt, true },
        { VK_LCONTROL, true, &cGameWorld::keyLeftCtrl, false },
    };
    for (const int f : { 0, 1, 4, 5, 6, 7, 8, 9 })
        cases.push_back({ VK_F1 + f, false, nullptr, true });
    for (const char* letter = "ABCDEFGHIJKLMNOPQRSTUWXYZ"; *letter; ++letter)
        cases.push_back({ *letter, false, nullptr, true });
    cases.push_back({ 'V', false, nullptr, false }); // no key of the level

    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "key " << c.key);
        world.ResetToDefaults();
        Keys keys = c.held ? Keys({}, { c.key }) : Keys({ c.key });
        if (c.held)
            keys.down.insert(c.key);
        state.HandleKeys(keys);
        for (size_t i = 0; i < std::size(flags); ++i)
            EXPECT_EQ(world.*flags[i], flags[i] == c.flag ? 1 : 0) << "flag " << i;
        EXPECT_EQ(keys.down.count(c.key) == 0, c.takenByThePass);
        if (c.flag == &cGameWorld::screenshotRequest) {
            EXPECT_EQ(world.screenshotDelay, 1); // counted up by the frames that follow
        }
    }
}

// All keys down at once: one pass after the other takes them in the level's
// order, each handler ending its pass; Tab lets Escape be taken with it.
TEST_F(KeyPassTest, KeysDownTogetherAreTakenInTheLevelsOrder)
{
    std::initializer_list<int> all = { VK_RETURN, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_PRIOR, VK_NEXT,
        VK_DELETE, VK_F1, VK_SPACE, VK_F1 + 1, VK_F1 + 4, VK_F1 + 5, VK_F1 + 6, VK_F1 + 7, VK_F1 + 8, VK_F1 + 9, VK_TAB,
        VK_ESCAPE, VK_SNAPSHOT };
    Keys keys(all);
    for (const char* letter = "ABCDEFGHIJKLMNOPQRSTUWXYZ"; *letter; ++letter)
        keys.down.insert(*letter);
    std::vector<std::set<int>> passes;
    for (int pass = 0; pass < 60 && !keys.down.empty(); ++pass) {
        const std::set<int> before = keys.down;
        state.HandleKeys(keys);
        std::set<int> taken;
        for (const int key : before)
            if (!keys.down.count(key))
                taken.insert(key);
        passes.push_back(taken);
    }
    std::vector<std::set<int>> expected = {
        { VK_RETURN, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_DELETE },
        { VK_PRIOR, VK_NEXT, VK_F1 },
        { VK_SPACE },
        { VK_F1 + 1 },
    };
    for (int f = 4; f <= 9; ++f)
        expected.push_back({ VK_F1 + f });
    expected.push_back({ VK_TAB, VK_ESCAPE });
    for (const char* letter = "ABCEGHJKLDFMNOIPRSTUWQXYZ"; *letter; ++letter)
        expected.push_back({ *letter });
    expected.push_back({ VK_SNAPSHOT });
    EXPECT_EQ(passes, expected);
}

// The mouse part of the pass: the wheel, a click and the held buttons of this
// frame, and nothing of them left for the next frame.
TEST_F(KeyPassTest, TheMouseOfTheFrame)
{
    test::FakeInput input;
    struct Case {
        const char* what;
        int wheel;
        bool leftClick, leftHeld, rightClick, rightHeld;
        uint8_t wheelDown, wheelUp, leftClickFlag, leftDown, clickEvent, clickCursor, rightClickFlag, rightDown;
    };
    const Case cases[] = {
        { "nothing", 0, false, false, false, false, 0, 0, 0, 0, 0, 0, 0, 0 },
        { "wheel down", -1, false, false, false, false, 1, 0, 0, 0, 0, 0, 0, 0 },
        { "wheel up", 2, false, false, false, false, 0, 1, 0, 0, 0, 0, 0, 0 },
        { "left click", 0, true, false, false, false, 0, 0, 1, 0, 1, 1, 0, 0 },
        { "left held", 0, false, true, false, false, 0, 0, 0, 1, 1, 0, 0, 0 },
        { "left click, still held", 0, true, true, false, false, 0, 0, 1, 1, 1, 0, 0, 0 },
        { "right click", 0, false, false, true, false, 0, 0, 0, 0, 0, 0, 1, 0 },
        { "right held", 0, false, false, false, true, 0, 0, 0, 0, 0, 0, 0, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        world.ResetToDefaults();
        // Last frame's state, all raised: this frame's pass rewrites it.
        for (uint8_t cGameWorld::*flag : { &cGameWorld::wheelDown, &cGameWorld::wheelUp, &cGameWorld::leftClick,
                 &cGameWorld::leftDown, &cGameWorld::clickEvent, &cGameWorld::rightClick, &cGameWorld::rightDown })
            world.*flag = 1;
        world.clickCursor = 0;
        input.wheel = c.wheel;
        input.clicks[0] = c.leftClick ? 1 : 0;
        input.clicks[1] = c.rightClick ? 1 : 0;
        input.down[0] = c.leftHeld;
        input.down[1] = c.rightHeld;
        Keys keys({});
        state.HandleKeys(keys);
        EXPECT_EQ(world.wheelDown, c.wheelDown);
        EXPECT_EQ(world.wheelUp, c.wheelUp);
        EXPECT_EQ(world.leftClick, c.leftClickFlag);
        EXPECT_EQ(world.leftDown, c.leftDown);
        EXPECT_EQ(world.clickEvent, c.clickEvent);
        EXPECT_EQ(world.clickCursor, c.clickCursor);
        EXPECT_EQ(world.rightClick, c.rightClickFlag);
        EXPECT_EQ(world.rightDown, c.rightDown);
    }
}

} // namespace
