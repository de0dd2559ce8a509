// The main-menu state's frame: a level's restart, the notices it shows, and
// the keys and typing of a frame.
#include <gtest/gtest.h>

#include <set>

#include "app/game_app_fixture.h"
#include "frontend/state_menu.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "platform/win_messages.h"
#include "scene/gui_vocabulary.h"
#include "scene/recording_screens.h"
#include "scene/text_entry.h"
#include "world/player_file_rule.h"

namespace {

using Calls = std::vector<std::string>;

class RecordingStartScreen : public test::Recording<Scene::StartScreen> {
public:
    RecordingStartScreen()
        : Recording("StartScreen")
    {
    }
    void Draw() override { Note("StartScreen::Draw"); }
};
class RecordingMapScreen : public test::Recording<Scene::WorldMap> {
public:
    RecordingMapScreen()
        : Recording("WorldMap")
    {
    }
    void Draw() override
    {
        Note("WorldMap::Draw");
        if (auto* recording = dynamic_cast<test::RecordingGfx*>(g_pGfx2D))
            colourAtDraw = recording->color;
    }
    static inline uint32_t colourAtDraw = 0;
};

class StateMenuTest : public GameAppTest {
protected:
    void SetUp() override
    {
        GameAppTest::SetUp();
        cScreenManager::Instance().SetFactoryForTests([](int slot) -> std::unique_ptr<Scene::Screen> {
            if (slot == cScreenManager::kStart)
                return std::make_unique<RecordingStartScreen>();
            if (slot == cScreenManager::kWorldMap)
                return std::make_unique<RecordingMapScreen>();
            return test::MakeRecordingScreen(slot);
        });
        ASSERT_TRUE(cScreenManager::Instance().CreateScreens());
        cStateMenu::SetLoadingPauseForTests([] { });
        app.RecreateFonts();
        app.SetStatesForTests(&menu, &game, &exitState);
        app.RequestState(cGameApp::kStateMenu);
        ASSERT_TRUE(app.Frame()); // the menu is pushed at the end of this frame
    }
    void TearDown() override
    {
        cStateMenu::SetLoadingPauseForTests(nullptr);
        cScreenManager::Instance().DestroyScreens();
        cScreenManager::Instance().SetFactoryForTests(nullptr);
        test::ScreenCalls().clear();
        GameAppTest::TearDown();
    }
    Calls Frame()
    {
        test::ScreenCalls().clear();
        gfx.ClearRecords();
        lastResult = app.Frame();
        return test::ScreenCalls();
    }
    void FinishLoading()
    {
        for (int frame = 0; frame < 20 && world.loadingPhase; ++frame)
            Frame();
        ASSERT_EQ(world.loadingPhase, 0);
    }
    std::wstring TopName()
    {
        const iProcess* top = app.GetStateManager().Top();
        return top ? top->GetName() : L"";
    }

    std::vector<std::string> states;
    FakeState game { L"game", states };
    FakeState exitState { L"exit", states };
    cStateMenu menu;
    TestGameApp app;
    test::FakeInput input;
    bool lastResult = true;
};

// One screen runs a frame, chosen by the open flags in this order: the
// profiles (with the strip below them), the options, the highscores, the shop,
// else the world map.
TEST_F(StateMenuTest, ExactlyOneScreenRunsChosenByTheFlagsInOrder)
{
    FinishLoading();
    const struct {
        uint8_t profiles, options, highscores, shop;
        Calls calls;
    } cases[] = {
        { 1, 1, 1, 1, { "StartScreen::Draw", "MessagePanel::Draw" } },
        { 0, 1, 1, 1, { "OptionsScreen::Draw" } },
        { 0, 0, 1, 1, { "ResultScreen::Draw" } },
        { 0, 0, 0, 1, { "Shop::Update" } },
        { 0, 0, 0, 0, { "WorldMap::Draw" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.calls[0]);
        world.profilesOpen = c.profiles;
        world.optionsOpen = c.options;
        world.highscoresOpen = c.highscores;
        world.shopInMainMenu = c.shop;
        EXPECT_EQ(Frame(), c.calls);
        EXPECT_EQ(TopName(), L"cStateMenu");
    }
}

// What the menu's choice of a frame leads to: 0 starts the chosen level, 3
// leaves through the exit state, -1 stays in the menu; a quit asked for (the
// window closed) ends the program with no state after the menu.
struct MenuChoiceCase {
    int choice;
    uint8_t quit;
    const wchar_t* top;
    const char* state; // the state begun; nullptr none
};
class StateMenuChoiceTest : public StateMenuTest, public testing::WithParamInterface<MenuChoiceCase> { };

TEST_P(StateMenuChoiceTest, TheMenusChoiceLeadsToTheLevelTheExitOrNowhere)
{
    const MenuChoiceCase& c = GetParam();
    FinishLoading();
    states.clear();
    world.profilesOpen = 0;
    world.level = 5;
    world.textEntryActive = 1;
    world.menuChoice = c.choice;
    world.quitRequested = c.quit;
    Frame();
    Frame();
    EXPECT_EQ(TopName(), c.top);
    EXPECT_EQ(world.level, 5);
    if (c.state) {
        ASSERT_FALSE(states.empty());
        EXPECT_EQ(states.front(), c.state);
    } else {
        EXPECT_TRUE(states.empty());
    }
    EXPECT_EQ(world.textEntryActive, c.choice == 0 ? 0 : 1);
}
INSTANTIATE_TEST_SUITE_P(Choices, StateMenuChoiceTest,
    testing::Values(MenuChoiceCase { -1, 0, L"cStateMenu", nullptr }, MenuChoiceCase { 0, 0, L"game", "game Init" },
        MenuChoiceCase { 3, 0, L"exit", "exit Init" }, MenuChoiceCase { -1, 1, L"", nullptr }));

// Whatever draw colour the last frame ended in, the screens of a menu frame
// start drawing in opaque white.
TEST_F(StateMenuTest, EachFrameStartsDrawingInOpaqueWhite)
{
    FinishLoading();
    world.profilesOpen = world.optionsOpen = world.highscoresOpen = world.shopInMainMenu = 0;
    for (const uint32_t left : { 0x00000000u, 0x80FF0000u, 0xFF0000FFu }) {
        SCOPED_TRACE(left);
        gfx.color = left;
        RecordingMapScreen::colourAtDraw = 0;
        EXPECT_EQ(Frame(), Calls({ "WorldMap::Draw" }));
        EXPECT_EQ(RecordingMapScreen::colourAtDraw, 0xFFFFFFFFu);
    }
}

// Escape skips the logos: loading begins in the same frame; without it the
// logos go on.
TEST_F(StateMenuTest, EscapeSkipsTheLogos)
{
    for (const bool escape : { false, true }) {
        SCOPED_TRACE(escape);
        world.logosPresent = 1;
        world.logoCount = 2;
        world.logoIndex = 0;
        world.loadingPhase = 0;
        world.keyEscape = escape ? 1 : 0;
        Frame();
        EXPECT_EQ(world.logosPresent, escape ? 0 : 1);
        EXPECT_EQ(world.keyEscape, 0);
        if (!escape) {
            EXPECT_EQ(world.loadingPhase, 0);
        }
    }
}

TEST_F(StateMenuTest, ARestartStartsTheLevelAgainWithItsPanelsClosed)
{
    FinishLoading();
    world.restartLevel = 1;
    world.taskBookOpen = world.resultScreenOpen = world.shopOpen = 1;
    world.SetPause(true);
    EXPECT_EQ(Frame(), Calls {});
    EXPECT_EQ(TopName(), L"game");
    EXPECT_EQ(world.restartLevel, 0);
    EXPECT_EQ(world.taskBookOpen + world.resultScreenOpen + world.shopOpen, 0);
    EXPECT_EQ(world.paused, 0);
}

// Every file told at once reaches the screen, a line each; the lines stay
// through clicks, the one that brought them included (a save on Continue),
// until they have been on screen for three seconds; then a click takes them
// down.
TEST_F(StateMenuTest, PlayerFileNoticesStayOnTheMenuScreensUntilTheyCanHaveBeenRead)
{
    double ms = 0;
    platform::SetTimeSourceForTests([&ms] { return ms; });
    cClock::Instance().Reset();
    FinishLoading();
    if (g_guiVocabulary[1][0] == L'\0')
        LoadGuiVocabulary();
    world.playerFileNotice.clear();
    const std::wstring notSaved = std::wstring(L" ") + g_guiVocabulary[9];
    const std::vector<std::wstring> lines = { L"A highscore table" + notSaved, L"Your saved game" + notSaved,
        L"Your settings file" + notSaved, L"Your list of players" + notSaved };
    for (const int file : { 5, 3, 1, 2, 2 })
        world::SetPlayerFileNotice(world, file, 9);
    for (ms = 0; ms < 3000; ms += 500) {
        input.Click(0);
        Frame();
        EXPECT_EQ(gfx.Texts(), lines) << ms;
    }
    Frame(); // the frame clock reaches 3 s
    input.Click(0);
    Frame();
    Frame();
    EXPECT_TRUE(gfx.Texts().empty());
    EXPECT_TRUE(world.playerFileNotice.empty());
    platform::SetTimeSourceForTests(nullptr);
    cClock::Instance().Reset();
}

// The notices stand at the left, their last line 40 pixels above the bottom
// edge and each line a steady step above the next, at both screen sizes.
TEST_F(StateMenuTest, PlayerFileNoticesStandAboveTheBottomEdgeAtBothSizes)
{
    FinishLoading();
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        settings.width = width;
        settings.height = height;
        for (const std::wstring& notice : { std::wstring(L"one"), std::wstring(L"one\ntwo\nthree") }) {
            SCOPED_TRACE(testing::Message() << height << " / " << platform::WideToNarrow(notice));
            world.playerFileNotice = notice;
            Frame();
            std::vector<int> ys;
            for (const test::GfxDraw& draw : gfx.draws) {
                if (draw.kind == test::GfxDraw::Kind::Text && !draw.text.empty() && notice.find(draw.text) != std::wstring::npos) {
                    EXPECT_EQ(draw.x, 20);
                    ys.push_back(draw.y);
                }
            }
            ASSERT_FALSE(ys.empty());
            EXPECT_EQ(ys.size(), notice == L"one" ? 1u : 3u);
            EXPECT_EQ(ys.back(), height - 40);
            for (size_t i = 1; i < ys.size(); ++i)
                EXPECT_EQ(ys[i] - ys[i - 1], 22) << i;
        }
    }
    world.playerFileNotice.clear();
}

// On a desktop below 1024 x 768 the menu shows only its notice, in white in
// the middle of the desktop, frame after frame; a click ends the program.
TEST_F(StateMenuTest, ADesktopTooSmallShowsOnlyItsNoticeUntilAClickEndsTheGame)
{
    FinishLoading();
    world.desktopTooSmall = 1;
    world.desktopWidth = 800;
    world.desktopHeight = 600;
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        gfx.color = 0x80FF0000u;
        EXPECT_EQ(Frame(), Calls {}) << "no screen runs";
        EXPECT_TRUE(lastResult);
        ASSERT_EQ(gfx.Texts(), std::vector<std::wstring> { L"The desktop resolution must be at least 1024x768" });
        for (const test::GfxDraw& draw : gfx.draws) {
            if (draw.kind == test::GfxDraw::Kind::Text) {
                EXPECT_EQ(std::pair(draw.x, draw.y), std::pair(50, 300));
                EXPECT_EQ(draw.color, 0xFFFFFFFFu);
            }
        }
        EXPECT_EQ(world.quitRequested, 0);
        EXPECT_EQ(TopName(), L"cStateMenu");
    }
    input.Click(0);
    Frame();
    EXPECT_EQ(world.quitRequested, 1);
    EXPECT_FALSE(lastResult) << "the program ends";
    world.desktopTooSmall = 0;
}

class Keys : public iKeySource {
public:
    std::set<int> down, held;
    bool russian = false;
    bool IsKeyDown(int code) override { return down.count(code) != 0; }
    void ClearKey(int code) override { down.erase(code); }
    bool IsHeld(int code) override { return held.count(code) != 0; }
    bool IsRussianLayout() override { return russian; }
};

// Typing takes one character a frame by the key table, within the limit.
TEST(MenuTextInput, KeysBecomeCharactersByTheKeyTable)
{
    cGameWorld& world = cGameWorld::Instance();
    const struct {
        std::wstring before;
        std::set<int> down, held;
        bool russian;
        std::wstring after;
        std::set<int> left; // keys still down after the frame
    } cases[] = {
        { L"", { 'A' }, {}, false, L"a", {} },
        { L"", { 'A' }, { VK_SHIFT }, false, L"A", {} },
        { L"", { 'A' }, { VK_SHIFT }, true, L"\u0444", {} },
        { L"", { '1', 'B', '3' }, { VK_SHIFT }, false, L"!", { 'B', '3' } },
        { L"", { 'Q' }, { VK_RMENU }, false, L"@", {} },
        { L"", { VK_OEM_MINUS }, { VK_SHIFT }, false, L"_", {} },
        { L"", { 'C', 'B', '5' }, {}, false, L"b", { 'C', '5' } },
        { L"x", { '4', VK_OEM_PERIOD, VK_SPACE }, {}, false, L"x4. ", {} },
        { L"abc", { VK_DELETE, VK_BACK }, {}, false, L"ab", {} },
        { L"abcde", { 'F' }, {}, false, L"abcde", {} },
    };
    cStateMenu state;
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::WideToNarrow(c.after));
        world.ResetToDefaults();
        world.textEntryMax = 5;
        std::copy(c.before.begin(), c.before.end(), world.textEntry);
        Keys keys;
        keys.down = c.down;
        keys.held = c.held;
        keys.russian = c.russian;
        state.HandleTextInput(keys);
        EXPECT_EQ(std::wstring(world.textEntry), c.after);
        EXPECT_EQ(keys.down, c.left);
    }
    world.ResetToDefaults();
    world.textEntryMax = 100000;
    for (int i = 0; i < 400; ++i) {
        Keys keys;
        keys.down = { 'K' };
        state.HandleTextInput(keys);
    }
    EXPECT_EQ(std::wstring(world.textEntry).size(), static_cast<std::size_t>(world::kTextEntryLength - 1));
    world.ResetToDefaults();
}

// Numpad + steps through the three trees the shop plants by hand, and wraps.
TEST(MenuKeys, NumpadPlusStepsThroughTheThreeTreesAndWraps)
{
    cGameWorld& world = cGameWorld::Instance();
    world.ResetToDefaults();
    cStateMenu state;
    std::vector<int> seen;
    for (int press = 0; press < 4; ++press) {
        Keys keys;
        keys.down = { VK_ADD };
        state.HandleKeys(keys);
        seen.push_back(world.treeSelection);
    }
    EXPECT_EQ(seen, (std::vector<int> { 101, 102, 103, 101 }));
    world.ResetToDefaults();
}

} // namespace

// Each key the menu looks at is taken in the frame it is pressed, and raises
// the flag the menu screens read; keys the menu does not use stay down.
TEST(MenuKeys, EachKeyIsTakenAndRaisesItsFlag)
{
    cGameWorld& world = cGameWorld::Instance();
    struct Flags {
        int tab, enter, escape, leftAlt, house, screenshot, typing;
        bool operator==(const Flags&) const = default;
    };
    const struct {
        int key;
        bool held; // an Alt is read as held, not as pressed
        bool typing, shop;
        Flags after;
        bool taken;
    } cases[] = {
        { VK_TAB, false, false, false, { 1, 0, 0, 0, 0, 0, 0 }, true },
        { VK_RETURN, false, false, false, { 0, 1, 0, 0, 0, 0, 0 }, true },
        { VK_RETURN, false, true, false, { 0, 1, 0, 0, 0, 0, 1 }, true }, // Enter ends a typed name
        { VK_ESCAPE, false, false, false, { 0, 0, 1, 0, 0, 0, 0 }, true },
        { VK_ESCAPE, false, true, false, { 0, 0, 1, 0, 0, 0, 0 }, true }, // and closes the text entry
        { VK_LMENU, true, false, false, { 0, 0, 0, 1, 0, 0, 0 }, true },
        { 'U', false, false, false, { 0, 0, 0, 0, 1, 0, 0 }, true },
        { VK_SNAPSHOT, false, false, false, { 0, 0, 0, 0, 0, 1, 0 }, true },
        { VK_SPACE, false, false, false, { 0, 0, 0, 0, 0, 0, 0 }, true },
        { 'D', false, false, false, { 0, 0, 0, 0, 0, 0, 0 }, true },
        { 'F', false, false, false, { 0, 0, 0, 0, 0, 0, 0 }, true },
        { VK_F1 + 8, false, false, true, { 0, 0, 0, 0, 0, 0, 0 }, true },
        { VK_F1 + 8, false, false, false, { 0, 0, 0, 0, 0, 0, 0 }, false },
        { 'Z', false, false, false, { 0, 0, 0, 0, 0, 0, 0 }, false },
    };
    cStateMenu state;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << (c.typing ? " typing" : ""));
        world.ResetToDefaults();
        world.textEntryActive = c.typing ? 1 : 0;
        world.shopOpen = c.shop ? 1 : 0;
        world.keyLeftAlt = 1; // an Alt let go clears the flag
        Keys keys;
        (c.held ? keys.held : keys.down) = { c.key };
        state.HandleKeys(keys);
        const Flags seen { world.keyTab, world.keyEnter, world.keyEscape, world.keyLeftAlt, world.alternateHouse,
            world.menuScreenshotRequest, world.textEntryActive };
        EXPECT_TRUE(seen == c.after);
        EXPECT_EQ(keys.down.empty(), c.taken);
    }
    // U turns the other house on and off again.
    world.ResetToDefaults();
    for (const int expected : { 1, 0 }) {
        Keys keys;
        keys.down = { 'U' };
        state.HandleKeys(keys);
        EXPECT_EQ(world.alternateHouse, expected);
    }
    world.ResetToDefaults();
}
