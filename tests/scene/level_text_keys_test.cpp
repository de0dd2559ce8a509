// Typing into the text entry during a level: every digit key types its digit
// (Shift or not) and ends the key pass; the keys around the digits that the
// entry does not know type nothing and leave the rest of the pass to run.
#include <gtest/gtest.h>

#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "platform/win_messages.h"
#include "scene/state_level.h"
#include "world/game_world.h"

namespace {

class Keys : public iKeySource {
public:
    Keys(std::set<int> down, bool shift)
        : down(std::move(down))
        , shift(shift)
    {
    }
    bool IsKeyDown(int code) override { return down.count(code) != 0; }
    void ClearKey(int code) override { down.erase(code); }
    bool IsHeld(int code) override { return shift && code == VK_SHIFT; }
    bool IsRussianLayout() override { return false; }

    std::set<int> down;
    bool shift;
};

struct Case {
    std::string what;
    int key;
    bool shift;
    const wchar_t* typed; // nullptr: nothing, and the pass goes on
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    static const wchar_t* const kDigits[] = { L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9" };
    for (int d = 0; d <= 9; ++d)
        cases.push_back({ std::string("digit ") + char('0' + d), '0' + d, false, kDigits[d] });
    // Shift makes ! and @ of 1 and 2; the other digits stay digits.
    for (int d = 0; d <= 9; ++d)
        cases.push_back({ std::string("Shift+") + char('0' + d), '0' + d, true,
            d == 1 ? L"!" : d == 2 ? L"@" : kDigits[d] });
    cases.push_back({ "full stop", VK_OEM_PERIOD, false, L"." });
    // Keys beside the digits on the keyboard or in the key codes.
    for (int d = 0; d <= 9; ++d)
        cases.push_back({ std::string("keypad ") + char('0' + d), VK_NUMPAD0 + d, false, nullptr });
    for (const int key : { VK_OEM_COMMA, VK_OEM_2, VK_OEM_1, VK_OEM_7, VK_OEM_PLUS, VK_OEM_3, 0x2F, 0x3A, 0x40 })
        cases.push_back({ "key " + std::to_string(key), key, false, nullptr });
    return cases;
}

TEST(LevelTextEntry, DigitKeysTypeTheirDigitAndTheKeysBesideThemNothing)
{
    cGameWorld& world = cGameWorld::Instance();
    cStateLevel state;
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        world.ResetToDefaults();
        world.textEntryActive = 1;
        world.textEntryMax = 10;
        std::wcscpy(world.textEntry, L"ab");
        // Tab comes after the entry in the pass: it is taken only when the
        // entry typed nothing.
        Keys keys({ c.key, VK_TAB }, c.shift);
        state.HandleKeys(keys);
        EXPECT_EQ(std::wstring(world.textEntry), std::wstring(L"ab") + (c.typed ? c.typed : L""));
        EXPECT_EQ(keys.down.count(c.key), c.typed ? 0u : 1u);
        EXPECT_EQ(keys.down.count(VK_TAB), c.typed ? 1u : 0u);
        EXPECT_EQ(world.keyTab, c.typed ? 0 : 1);
    }
    world.ResetToDefaults();
}

// Outside a text entry the digits are no level keys: they stay in the table.
TEST(LevelTextEntry, WithoutAnEntryTheDigitsTypeNothing)
{
    cGameWorld& world = cGameWorld::Instance();
    cStateLevel state;
    for (int key = '0'; key <= '9'; ++key) {
        world.ResetToDefaults();
        Keys keys({ key }, false);
        state.HandleKeys(keys);
        EXPECT_EQ(keys.down.count(key), 1u) << char(key);
        EXPECT_STREQ(world.textEntry, L"");
    }
    world.ResetToDefaults();
}

} // namespace
