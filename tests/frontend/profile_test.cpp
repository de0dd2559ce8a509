// The profile screen drawn headless: its buttons, the warning before a new game,
// a new game's name and driving side, and starting a profile anew, which
// removes exactly its files.
#include <gtest/gtest.h>

#include <cwchar>
#include <set>

#include "frontend/start_screen.h"
#include "frontend/start_screen_profiles_layout.h"
#include "frontend/state_menu.h"
#include "platform/win_messages.h"
#include "resources/property_file.h"
#include "scene/design_units.h"
#include "scene/hud_fixture.h"
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

// Where the parts lie on a screen 1280 wide.
constexpr int kNewGameX = 410, kOkX = 530, kButtonLine = 860, kYesX = 680, kDialogButtonY = 502;
constexpr int kWheelX = 380 + 200, kWheelY = 350 + 260;

class ProfileScreen : public Scene::StartScreen {
public:
    void LoadPage(const wchar_t* folder) { pages[kStartPage].Load(folder); }
};

// Six profiles, the first "Ada" at level 7, the second "Bo" at level 12.
class ProfileTest : public test::HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        WriteSet("data/gui/interface/menu/menu_start",
            { "helper_rahmen.png", "helper_balken.png", "menu_profile.png", "user_active.png", "user_passive.png",
                "user_over.png", "wheel_left.png", "wheel_right.png", "button_short_off.png", "button_short_over.png",
                "tankstelle.png" });
        user = folder / "user";
        std::filesystem::create_directories(user);
        world.userFolder = platform::NarrowToWide(user);
        cSettings::Instance().canSave = true;
        world.fullScreen = world.profilesOpen = world.currentProfile = 1;
        for (int p = 1; p <= 6; ++p)
            world.profileLastLevel[p] = 1;
        world.profileNames[1] = L"Ada";
        world.profileNames[2] = L"Bo";
        world.profileLastLevel[1] = 7;
        world.profileLastLevel[2] = 12;
        screen.LoadPage(L"data/gui/interface/menu/menu_start");
    }
    void Frame(int x, int y, bool click = false)
    {
        MoveMouse(x, y);
        world.leftClick = world.clickEvent = click ? 1 : 0;
        gfx.ClearRecords();
        Wait(17);
        screen.DrawProfiles();
    }
    void Click(int x, int y) { Frame(x, y, true); }
    int Count(const std::wstring& text) const
    {
        const auto texts = gfx.Texts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }
    const test::GfxDraw* LastText(const std::wstring& text) const
    {
        const test::GfxDraw* found = nullptr;
        for (const test::GfxDraw* d : TextDraws())
            found = d->text == text ? d : found;
        return found;
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(user + "/" + name); }
    void Touch(const std::string& name) const { std::ofstream(user + "/" + name) << "x"; }
    PropertyFile ReadUserFile(const std::string& name) const
    {
        PropertyFile file;
        EXPECT_TRUE(file.Serialize(platform::NarrowToWide(user + "/" + name), false));
        return file;
    }
    // New game on the current profile, then yes.
    void StartNewGame()
    {
        Click(kNewGameX + 10, kButtonLine + 10);
        ASSERT_EQ(world.restartConfirmOpen, 1);
        Click(kYesX + 10, kDialogButtonY + 10);
        ASSERT_EQ(world.profileNameEntry, 1);
    }

    ProfileScreen screen;
    std::string user;
};
class ProfileChooseTest : public ProfileTest { };
class ProfileNameTest : public ProfileTest { };

// Where a slot is free, the play button's place takes no press.
TEST_F(ProfileChooseTest, AFreeSlotCannotPlay)
{
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        for (const int profile : { 1, 3 }) { // 3 is a free slot
            SCOPED_TRACE(testing::Message() << width << " profile " << profile);
            const wchar_t* playLabel = profile == 3 ? L"text 8" : L"text 23";
            cSettings::Instance().SetResolution(width, height);
            world.currentProfile = profile;
            Frame(0, 0);
            const test::GfxDraw* play = LastText(playLabel);
            ASSERT_TRUE(play);
            Click(play->x + 2, play->y + 2);
            EXPECT_EQ(world.profilesOpen, profile == 3 ? 1 : 0);
            EXPECT_EQ(world.restartConfirmOpen, 0);
            world.profilesOpen = 1;
        }
    }
}

// The name offered for a new game is the slot's old one, cut at fourteen.
TEST_F(ProfileNameTest, TheOfferedNameIsCutAtFourteen)
{
    world.profileNames[1] = std::wstring(300, L'n');
    StartNewGame();
    EXPECT_EQ(std::wstring(world.textEntry), std::wstring(14, L'n'));
    EXPECT_EQ(world.profileLastLevel[1], 1);
}

TEST_F(ProfileNameTest, EscapeWhileNamingGivesUpTheNewGameAndLeavesTheProfileAsItWas)
{
    const struct {
        const wchar_t* name; // empty: a free slot
        int lastLevel;
    } cases[] = { { L"Ada", 7 }, { L"", 1 } };
    cStateMenu menu;
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::WideToNarrow(c.name));
        world.profileNames[1] = c.name;
        world.profileLastLevel[1] = c.lastLevel;
        world.profileDrive[1] = 0;
        Touch("1_bau");
        StartNewGame();
        Keys keys;
        keys.down = { 'Z' };
        menu.HandleKeys(keys);
        Click(kWheelX, kWheelY); // the other side
        ASSERT_EQ(world.profileDrive[1], 1);
        keys.down = { VK_ESCAPE };
        menu.HandleKeys(keys);
        Frame(0, 0);
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

TEST_F(ProfileNameTest, ANewGameRemovesExactlyThatProfilesFilesAndProgress)
{
    for (int other = 1; other <= 6; ++other) {
        Touch(std::to_string(other));
        Touch(std::to_string(other) + "_bau");
        for (int& award : world.profileAwards[other])
            award = 1;
        world.profileLastLevel[other] = 9;
    }
    std::filesystem::create_directories(user + "/save");
    Touch("save/5");
    world.currentProfile = 5;
    Frame(kNewGameX + 10, kButtonLine + 10);
    EXPECT_EQ(Count(L"text 66"), 2) << "resting on New game warns that the progress goes";
    StartNewGame();
    std::wcscpy(world.textEntry, L"Neu");
    Click(kOkX + 10, kButtonLine + 10);
    ASSERT_EQ(world.profileNameEntry, 0);
    for (int other = 1; other <= 6; ++other) {
        const bool reset = other == 5;
        EXPECT_EQ(Exists(std::to_string(other)), !reset) << other;
        EXPECT_EQ(Exists(std::to_string(other) + "_bau"), !reset) << other;
        EXPECT_EQ(world.profileLastLevel[other], reset ? 1 : 9);
        EXPECT_EQ(world.profileAwards[other][0], reset ? 0 : 1);
        EXPECT_EQ(world.profileAwards[other][1], 1);
    }
    EXPECT_TRUE(Exists("save/5"));
    EXPECT_EQ(world.profileNames[5], L"Neu");
    PropertyFile users = ReadUserFile("us.txt");
    EXPECT_EQ(users.GetString(L"name 5"), L"Neu");
    EXPECT_EQ(users.GetInt(L"last level 5", 0), 1);
    EXPECT_EQ(users.GetInt(L"last level 2", 0), 9);
    EXPECT_EQ(ReadUserFile("config.cfg").GetInt(L"workplace", 0), 5);
}

// Where the profile screen's buttons lead: play goes on to the map with the
// profile's progress read from its saved game (a profile still at its first
// level begins the introduction), options open over it, quit ends the game
// with the settings and names written; a click in a slot chooses its profile.
TEST_F(ProfileChooseTest, EachButtonLeadsToItsScreenWithTheProfilesProgress)
{
    constexpr int kPlayX = 655, kLowerLine = 930, kQuitX = 655, kOptionsX = 410;
    const struct {
        const char* what;
        int profile, x, y;
        int profilesOpen, optionsOpen, menuChoice, level, intro;
    } cases[] = {
        { "play", 2, kPlayX, kButtonLine, 0, 0, -1, 12, -1 },
        { "play at the first level", 3, kPlayX, kButtonLine, 0, 0, -1, 1, 1 },
        { "options", 2, kOptionsX, kLowerLine, 0, 1, -1, 4, -1 },
        { "quit", 2, kQuitX, kLowerLine, 0, 0, 3, 4, -1 },
    };
    const wchar_t* const names[] = { L"Cy", L"Di", L"Ed", L"Fa" };
    for (int k = 3; k <= 6; ++k)
        world.profileNames[k] = names[k - 3];
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(user);
        std::filesystem::create_directories(user);
        world.currentProfile = c.profile;
        world.bank = 777;
        world.money = 55;
        ASSERT_TRUE(world.SaveGame());
        world.bank = world.money = 0;
        world.profilesOpen = 1;
        world.optionsOpen = world.loadingPhase = 0;
        world.menuChoice = -1;
        world.level = 4;
        world.intro = -1;
        Click(c.x + 10, c.y + 10);
        EXPECT_EQ(world.profilesOpen, c.profilesOpen);
        EXPECT_EQ(world.optionsOpen, c.optionsOpen);
        EXPECT_EQ(world.menuChoice, c.menuChoice);
        EXPECT_EQ(world.level, c.level);
        EXPECT_EQ(world.intro, c.intro);
        EXPECT_EQ(world.currentProfile, c.profile);
        const bool played = c.level != 4;
        EXPECT_EQ(world.bank, played ? 777 : 0);
        EXPECT_EQ(world.money, played ? 55 : 0);
        if (played) {
            EXPECT_EQ(world.furthestLevel, c.level);
        }
        if (c.optionsOpen)
            continue;
        EXPECT_EQ(ReadUserFile("config.cfg").GetInt(L"workplace", 0), c.profile);
        EXPECT_EQ(ReadUserFile("us.txt").GetString(L"name 2"), L"Bo");
    }

    world.profilesOpen = 1;
    for (const int k : { 4, 2, 6, 3, 5, 1 }) {
        Click(Scene::ProfileLayout::SlotX(k) + 5, Scene::ProfileLayout::SlotY(k) + 5);
        EXPECT_EQ(world.currentProfile, k) << "slot " << k;
        Frame(0, 0);
        for (int j = 1; j <= 6; ++j) { // only the chosen name in yellow
            const auto texts = TextDraws();
            EXPECT_EQ(std::ranges::any_of(texts,
                          [&](const test::GfxDraw* d) {
                              return d->text == world.profileNames[j] && d->color == 0xFFFFFF00u;
                          }),
                j == k)
                << "slot " << k << ", name " << j;
        }
    }
}

// One hint a frame, by what the mouse rests on: a slot (choose it), New game
// on a profile that has a level to lose; with nothing else the window hint,
// only while windowed. While a name is typed only the slot being named tells
// that it is the current one, and New game always has its hint.
TEST_F(ProfileChooseTest, OneHintAFrameByWhatTheMouseRestsOn)
{
    using Scene::ProfileLayout::SlotX;
    using Scene::ProfileLayout::SlotY;
    const struct {
        const char* what;
        int x, y;
        uint8_t fullScreen;
        int lastLevel; // of the current profile, 1
        const wchar_t* hint; // nullptr: no hint at all
        uint8_t naming = 0, typing = 0; // a new game's name entry; the text entry
    } cases[] = {
        { "nothing, windowed", 0, 0, 0, 7, L"text 97" },
        { "nothing, full screen", 0, 0, 1, 7, nullptr },
        { "another slot", SlotX(4) + 3, SlotY(4) + 3, 0, 7, L"text 67" },
        { "the current slot", SlotX(1) + 3, SlotY(1) + 3, 1, 7, L"text 67" },
        { "new game with progress", kNewGameX + 3, kButtonLine + 3, 1, 7, L"text 66" },
        { "new game at the first level", kNewGameX + 3, kButtonLine + 3, 1, 1, L"text 66" },
        { "new game, no level", kNewGameX + 3, kButtonLine + 3, 1, -1, nullptr },
        { "naming, the slot named", SlotX(1) + 3, SlotY(1) + 3, 1, 7, L"text 68", 1, 1 },
        { "naming, another slot", SlotX(4) + 3, SlotY(4) + 3, 1, 7, nullptr, 1, 1 },
        { "typing, new game, no level", kNewGameX + 3, kButtonLine + 3, 1, -1, L"text 66", 0, 1 },
        { "typing, another slot", SlotX(4) + 3, SlotY(4) + 3, 1, 7, nullptr, 0, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.fullScreen = c.fullScreen;
        world.profileLastLevel[1] = c.lastLevel;
        world.profileNameEntry = c.naming;
        world.textEntryActive = c.typing;
        Frame(c.x, c.y);
        for (const wchar_t* hint : { L"text 97", L"text 67", L"text 68", L"text 66" })
            EXPECT_EQ(Count(hint), c.hint && std::wstring(c.hint) == hint ? 2 : 0) << platform::WideToNarrow(hint);
        const auto names = ImageNames();
        const bool overSlot = std::string(c.what).find("slot") != std::string::npos;
        EXPECT_EQ(std::count(names.begin(), names.end(), "user_over.png"), overSlot && (c.hint || !c.typing) ? 1 : 0);
    }
    world.profileNameEntry = world.textEntryActive = 0;
}

} // namespace
