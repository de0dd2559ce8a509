// A new game's name and driving side: the confirmation, the name typed
// through the main menu's text input within 14 characters, names from a
// hand-edited profile file, an empty name, and when the side may change.
#include <gtest/gtest.h>

#include <set>

#include "frontend/state_menu.h"
#include "platform/win_messages.h"
#include "profile_fixture.h"
#include "scene/text_entry.h"

namespace {

class Keys : public iKeySource {
public:
    std::set<int> down;
    bool IsKeyDown(int code) override { return down.count(code) != 0; }
    void ClearKey(int code) override { down.erase(code); }
    bool IsHeld(int) override { return false; }
    bool IsRussianLayout() override { return false; }
};

// The confirmation's buttons for a one-pixel dialog image on 1280 x 1024.
constexpr int kYesX = 640 + 40, kNoX = 640 + 255, kDialogButtonY = 512 + 80 + 1 - 90;

class ProfileNameTest : public test::ProfileTest {
protected:
    // New game on the current profile, then yes.
    void StartNewGame()
    {
        Click(test::kNewGameX + 10, test::kButtonLine + 10);
        ASSERT_EQ(world.restartConfirmOpen, 1);
        Click(kYesX + 10, kDialogButtonY + 10);
        ASSERT_EQ(world.profileNameEntry, 1);
    }
    // One main-menu frame: the screen, then the typing of the keys.
    void TypeFrame(std::set<int> keys)
    {
        Frame(0, 0);
        Keys source;
        source.down = std::move(keys);
        menu.HandleTextInput(source);
    }
    // The main menu's keys at the end of a frame, seen by the next one.
    void KeyFrame(std::set<int> keys)
    {
        Keys source;
        source.down = std::move(keys);
        menu.HandleKeys(source);
        Frame(0, 0);
    }
    std::wstring Entry() const { return world.textEntry; }

    cStateMenu menu;
};

TEST_F(ProfileNameTest, WhileTheConfirmationIsOpenNothingElseIsDrawnOrReacts)
{
    Click(test::kNewGameX + 10, test::kButtonLine + 10);
    ASSERT_EQ(world.restartConfirmOpen, 1);
    Click(test::SlotX(5) + 5, test::SlotY(5) + 5);
    EXPECT_EQ(world.currentProfile, 1);
    for (const std::wstring& text : gfx.Texts())
        EXPECT_TRUE(text == L"text 65" || text == L"text 16" || text == L"text 17") << platform::WideToNarrow(text);
    EXPECT_EQ(Count(L"text 65"), 2);

    Touch("1_bau");
    Click(kNoX + 10, kDialogButtonY + 10);
    EXPECT_EQ(world.restartConfirmOpen, 0);
    EXPECT_EQ(world.profileNameEntry, 0);
    EXPECT_EQ(world.profileLastLevel[1], 7);
    EXPECT_TRUE(Exists("1_bau"));
}

TEST_F(ProfileNameTest, YesStartsTheNameEntryWithTheProfilesName)
{
    StartNewGame();
    EXPECT_EQ(world.textEntryActive, 1);
    EXPECT_EQ(world.textEntryMax, 14);
    EXPECT_EQ(Entry(), L"Ada");
    EXPECT_EQ(world.profileLastLevel[1], 1);

    // The name field replaces the slot's name; the play button is gone.
    Frame(0, 0);
    EXPECT_EQ(Count(L"Ada") + Count(L"Ada_"), 4); // the field and the progress line, not the slot
    EXPECT_EQ(Count(L"text 23"), 0);
    EXPECT_EQ(Count(L"text 64"), 1);
}

TEST_F(ProfileNameTest, EscapeWhileNamingGivesUpTheNewGameAndLeavesTheProfileAsItWas)
{
    constexpr int kWheelX = 380 + 200, kWheelY = 350 + 260;
    const struct {
        const wchar_t* name; // empty: a free slot
        int lastLevel;
    } cases[] = { { L"Ada", 7 }, { L"", 1 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::WideToNarrow(c.name));
        world.profileNames[1] = c.name;
        world.profileLastLevel[1] = c.lastLevel;
        world.profileDrive[1] = 0;
        Touch("1_bau");
        StartNewGame();
        TypeFrame({ 'Z' });
        Click(kWheelX, kWheelY); // the other side
        ASSERT_EQ(world.profileDrive[1], 1);
        KeyFrame({ VK_ESCAPE });
        EXPECT_EQ(world.profileNameEntry, 0);
        EXPECT_EQ(world.textEntryActive, 0);
        EXPECT_EQ(world.keyEscape, 0);
        EXPECT_EQ(world.profileNames[1], c.name);
        EXPECT_EQ(world.profileLastLevel[1], c.lastLevel);
        EXPECT_EQ(world.profileDrive[1], 0);
        EXPECT_TRUE(Exists("1_bau"));
        // The screen as before: a new game can be started again, and a
        // named profile can be played.
        EXPECT_EQ(Count(L"text 15"), 1);
        EXPECT_EQ(Count(L"text 64"), 0);
        EXPECT_EQ(Count(L"text 23"), *c.name ? 1 : 0);
    }
}

TEST_F(ProfileNameTest, NamesFromAProfileFileAreCutToTheEntrysLimit)
{
    for (std::size_t length : { 14u, 15u, 40u, 300u, 1000u }) {
        world.profileNameEntry = 0;
        world.profileNames[1] = std::wstring(length, L'n');
        StartNewGame();
        EXPECT_EQ(Entry(), std::wstring(14, L'n')) << length;
        world.keyEnter = 1;
        Frame(0, 0);
        EXPECT_EQ(world.profileNames[1], std::wstring(14, L'n')) << length;
    }
}

TEST_F(ProfileNameTest, TypingStopsAtFourteenCharactersAndTheProfileTakesTheNameOnEnter)
{
    world.profileNames[1].clear();
    StartNewGame();
    TypeFrame({ VK_BACK });
    for (int i = 0; i < 20; ++i)
        TypeFrame({ 'A' + i % 26 });
    EXPECT_EQ(Entry(), L"abcdefghijklmn");
    // The profile's name changes only when the player confirms.
    EXPECT_EQ(world.profileNames[1], L"");
    TypeFrame({ VK_BACK });
    TypeFrame({ '7' });
    EXPECT_EQ(Entry(), L"abcdefghijklm7");

    world.keyEnter = 1;
    Frame(0, 0);
    EXPECT_EQ(world.profileNameEntry, 0);
    EXPECT_EQ(world.textEntryActive, 0);
    EXPECT_EQ(world.keyEnter, 0);
    EXPECT_EQ(world.profileNames[1], L"abcdefghijklm7");
    EXPECT_EQ(ReadUserFile("us.txt").GetString(L"name 1"), L"abcdefghijklm7");
}

TEST_F(ProfileNameTest, AnEmptyNameLeavesTheSlotFree)
{
    StartNewGame();
    for (int i = 0; i < 4; ++i)
        TypeFrame({ VK_BACK });
    EXPECT_EQ(Entry(), L"");
    Click(test::kOkX + 10, test::kButtonLine + 10);
    EXPECT_EQ(world.profileNameEntry, 0);
    EXPECT_EQ(world.profileNames[1], L"");
    Frame(0, 0);
    EXPECT_EQ(Count(L"text 8"), 1);
    EXPECT_EQ(Count(L"text 23"), 0);
}

TEST_F(ProfileNameTest, TheNameFieldBlinksItsCursor)
{
    StartNewGame();
    std::set<bool> seen;
    for (int i = 0; i < 12; ++i) {
        Frame(0, 0);
        seen.insert(Count(L"Ada_") == 2);
        EXPECT_EQ(Count(L"Ada_") + Count(L"Ada"), 4); // field and progress line
    }
    EXPECT_EQ(seen.size(), 2u);
    const test::GfxDraw* field = LastText(screen.IsNameCursorShown() ? L"Ada_" : L"Ada");
    ASSERT_TRUE(field);
    EXPECT_EQ(field->color, 0xFFFFFF00u);
}

TEST_F(ProfileNameTest, TheNameFieldOfTheSecondColumnStandsThreeHundredToTheRight)
{
    world.currentProfile = 5;
    world.profileNames[5] = L"Eve";
    StartNewGame();
    Frame(0, 0);
    bool found = false;
    for (const test::GfxDraw* d : TextDraws()) {
        if ((d->text == L"Eve" || d->text == L"Eve_") && d->color == 0xFFFFFF00u && d->x == 380 + 24 + 300) {
            EXPECT_EQ(d->y, 350 + 65 + 55 + 6);
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(ProfileNameTest, TheDrivingSideChangesOnlyWhileANewProfileIsNamed)
{
    struct Case {
        int lastLevelBefore; // of the profile, before the new game
        bool typing;
        int driveBefore;
        int driveAfter;
    };
    const Case cases[] = {
        { 7, true, 0, 1 }, // the new game sets the level to 1
        { 7, true, 1, 0 }, { 7, true, 5, 0 }, // any right side switches to the left
        { 7, false, 0, 0 }, // Escape ended the typing
    };
    constexpr int kWheelX = 380 + 200, kWheelY = 350 + 260;
    for (const Case& c : cases) {
        world.profileNameEntry = 0;
        world.textEntryActive = 0;
        world.profileLastLevel[1] = c.lastLevelBefore;
        world.profileDrive[1] = c.driveBefore;
        StartNewGame();
        if (!c.typing)
            world.textEntryActive = 0;
        Click(kWheelX, kWheelY);
        EXPECT_EQ(world.profileDrive[1], c.driveAfter) << c.driveBefore << " " << c.typing;
        EXPECT_EQ(world.currentDrive, c.driveAfter);
    }

    // A profile beyond its first level, typing its name without a new game:
    // the side stays.
    world.profileNameEntry = 0;
    world.profileLastLevel[1] = 7;
    world.profileDrive[1] = 0;
    world.textEntryActive = 1;
    Click(kWheelX, kWheelY);
    EXPECT_EQ(world.profileDrive[1], 0);
    EXPECT_EQ(Count(L"text 94"), 2); // the side's hint
}

} // namespace
