// The main-menu state's frame: one screen a frame chosen by the world's flags
// in a fixed order, the loading walk, the menu choice that starts a level or
// ends the program, a level's restart, the screen reload after a new screen
// mode, and the notice of a desktop that is too small.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/cursor_set.h"
#include "state_menu_fixture.h"
#include "support/log_capture.h"

namespace {

using test::StateMenuTest;
using Calls = std::vector<std::string>;

TEST_F(StateMenuTest, InitSetsTheCursorAndPausesTheWorld)
{
    EXPECT_EQ(cCursorSet::Instance().GetName(), L"Standard");
    EXPECT_EQ(cCursorSet::Instance().GetCurrentCursor(), 1);
    EXPECT_EQ(cCursorSet::Instance().GetX(), 600);
    EXPECT_EQ(cCursorSet::Instance().GetY(), 500);
    EXPECT_EQ(world.paused, 1);
}

TEST_F(StateMenuTest, LoadingSwitchesOneScreenOnAFrameThenPausesAndOpensTheStartScreen)
{
    // The start screen is on from the start, so the walk passes over it.
    const Calls expected[] = { { "Options on" }, { "Overlux on" }, { "Effects on" }, { "Submenu on" }, { "Help on" },
        { "Build on" }, { "Task on" }, { "Straf on" }, { "Transport on" }, { "Over on" } };
    for (const Calls& calls : expected) {
        SCOPED_TRACE(calls[0]);
        EXPECT_EQ(Frame(), calls);
        EXPECT_EQ(pauses, 0);
        EXPECT_EQ(world.loadingPhase, 1);
    }
    // Two pauses in one frame, the third in the next, then the start screen.
    EXPECT_EQ(Frame(), Calls {});
    EXPECT_EQ(pauses, 2);
    EXPECT_EQ(Frame(), Calls {});
    EXPECT_EQ(pauses, 3);
    EXPECT_EQ(world.profilesOpen, 0);
    EXPECT_EQ(Frame(), Calls {});
    EXPECT_EQ(pauses, 3);
    EXPECT_EQ(world.profilesOpen, 1);
    EXPECT_EQ(world.loadingPhase, 0);
    EXPECT_EQ(world.logosPresent, 0);
    // From then on the start screen runs, with the message panel over it.
    EXPECT_EQ(Frame(), (Calls { "Start::Draw", "Straf::Draw" }));
    EXPECT_EQ(TopName(), L"cStateMenu");
}

TEST_F(StateMenuTest, AScreenOnButFadedOutDoesNotHoldUpTheLoading)
{
    auto* options = cMenuManager::Instance().GetMenu(cMenuManager::kOptions);
    options->SetActive(true);
    options->SetFadeAlpha(0);
    test::ScreenCalls().clear();
    EXPECT_EQ(Frame(), Calls { "Overlux on" });
}

struct ScreenCase {
    const char* what;
    uint8_t profiles, options, highscores, shop;
    Calls calls;
};

TEST_F(StateMenuTest, ExactlyOneScreenRunsChosenByTheFlagsInOrder)
{
    FinishLoading();
    const ScreenCase cases[] = {
        { "profiles before everything", 1, 1, 1, 1, { "Start::Draw", "Straf::Draw" } },
        { "options before the rest", 0, 1, 1, 1, { "Options::Draw" } },
        { "highscores before the shop", 0, 0, 1, 1, { "High::Draw" } },
        { "the shop before the map", 0, 0, 0, 1, { "Buy::Update" } },
        { "the world map otherwise", 0, 0, 0, 0, { "Overlux::Draw" } },
    };
    for (const ScreenCase& c : cases) {
        SCOPED_TRACE(c.what);
        world.profilesOpen = c.profiles;
        world.optionsOpen = c.options;
        world.highscoresOpen = c.highscores;
        world.shopInMainMenu = c.shop;
        EXPECT_EQ(Frame(), c.calls);
        EXPECT_EQ(TopName(), L"cStateMenu");
    }
}

TEST_F(StateMenuTest, MenuChoiceZeroStartsTheLevelAfterTheFrame)
{
    FinishLoading();
    world.level = 5;
    world.menuChoice = 0;
    world.levelEndStep = 3;
    world.textEntryActive = 1;
    world.profilesOpen = 0;
    world.optionsOpen = 1;
    EXPECT_EQ(Frame(), Calls { "Options::Draw" });
    EXPECT_TRUE(lastResult);
    EXPECT_EQ(world.levelEndStep, 0);
    EXPECT_EQ(world.textEntryActive, 0);
    EXPECT_EQ(world.optionsOpen, 0);
    EXPECT_EQ(world.level, 5);
    EXPECT_EQ(TopName(), L"game");
    EXPECT_EQ(states, (Calls { "game Init" }));
}

TEST_F(StateMenuTest, MenuChoiceThreeAsksForTheExitStateAtOnce)
{
    FinishLoading();
    world.menuChoice = 3;
    gfx.ClearRecords();
    Frame();
    EXPECT_EQ(TopName(), L"exit");
    // Nothing of the frame after the request: no present.
    EXPECT_EQ(std::count(gfx.calls.begin(), gfx.calls.end(), "Present"), 0);
}

TEST_F(StateMenuTest, QuitFlagBecomesMenuChoiceThreeAndEndsTheLoop)
{
    FinishLoading();
    world.quitRequested = 1;
    Frame();
    EXPECT_FALSE(lastResult);
    EXPECT_EQ(world.menuChoice, 3);
    ASSERT_NE(app.PendingState(), nullptr);
    EXPECT_EQ(app.PendingState()->GetName(), L"exit");
    app.RequestState(5);
}

TEST_F(StateMenuTest, NoChoiceClearsTheLevelActiveFlag)
{
    FinishLoading();
    world.levelActive = 1;
    Frame();
    EXPECT_EQ(world.levelActive, 0);
    world.levelActive = 1;
    world.menuChoice = 0;
    Frame();
    EXPECT_EQ(world.levelActive, 1);
}

TEST_F(StateMenuTest, ARestartStartsTheLevelAgainRunningWithoutDrawingAScreen)
{
    FinishLoading();
    world.restartLevel = 1;
    world.taskBookOpen = 1;
    world.resultScreenOpen = 1;
    world.shopOpen = 1;
    world.gameMenuClosed = 0;
    world.levelEndStep = 2;
    world.SetPause(true);
    EXPECT_EQ(Frame(), Calls {});
    EXPECT_EQ(TopName(), L"game");
    EXPECT_EQ(world.menuChoice, 0);
    EXPECT_EQ(world.restartLevel, 0);
    EXPECT_EQ(world.taskBookOpen, 0);
    EXPECT_EQ(world.resultScreenOpen, 0);
    EXPECT_EQ(world.shopOpen, 0);
    EXPECT_EQ(world.gameMenuClosed, 1);
    EXPECT_EQ(world.levelEndStep, 0);
    EXPECT_EQ(world.paused, 0);
}

TEST_F(StateMenuTest, ANewScreenModeReloadsTheMenuScreensThenTheFrameGoesOn)
{
    FinishLoading();
    world.profilesOpen = 0;
    world.screenSizeChanged = 1;
    // The shop is not on in the main menu until the map opens it.
    EXPECT_EQ(Frame(),
        (Calls { "Options off", "Options on", "Start off", "Start on", "Overlux off", "Overlux on", "Buy on",
            "Overlux::Draw" }));
    EXPECT_EQ(world.screenSizeChanged, 0);
}

TEST_F(StateMenuTest, TheFramesClickIsClearedAtItsEndAndTheButtonsStay)
{
    FinishLoading();
    world.profilesOpen = 0;
    input.Click(0);
    input.down[1] = true;
    Frame();
    EXPECT_EQ(world.leftClick, 0);
    EXPECT_EQ(world.clickEvent, 0);
    EXPECT_EQ(world.buttonEvent, 0);
    EXPECT_EQ(world.clickCursor, 1);
    EXPECT_EQ(world.rightDown, 1);
    EXPECT_EQ(world.leftDown, 0);
}

TEST_F(StateMenuTest, TooSmallDesktopShowsOnlyTheNoticeUntilAClickEndsTheGame)
{
    test::LogCapture log;
    world.desktopTooSmall = 1;
    world.desktopWidth = 1024;
    world.desktopHeight = 600;
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(Frame(), Calls {});
        EXPECT_TRUE(lastResult);
        EXPECT_EQ(TopName(), L"cStateMenu");
        const std::vector<std::wstring> texts = gfx.Texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0], L"The desktop resolution must be at least 1024x768");
        const test::GfxDraw& notice = gfx.draws.back();
        EXPECT_EQ(notice.x, 1024 / 2 - 350);
        EXPECT_EQ(notice.y, 600 / 2);
    }
    EXPECT_TRUE(log.lines.empty());
    input.Click(0);
    Frame();
    EXPECT_FALSE(lastResult);
    EXPECT_EQ(world.quitRequested, 1);
    EXPECT_EQ(log.lines, std::vector<std::wstring> { L"message: error: resolution < min " });
}

TEST_F(StateMenuTest, APlayerFileNoticeStaysOnTheMenuScreensUntilAClick)
{
    FinishLoading();
    const std::wstring notice = L"\"/home/3\" cannot be read; it is kept as \"/home/3.unreadable\".";
    world.playerFileNotice = notice;
    for (int frame = 0; frame < 2; ++frame) {
        Frame();
        EXPECT_EQ(gfx.Texts(), std::vector<std::wstring> { notice });
    }
    input.Click(0);
    Frame();
    Frame();
    EXPECT_TRUE(gfx.Texts().empty());
}

TEST_F(StateMenuTest, EscapeDuringTheLogosStartsTheLoadingInTheNextFrame)
{
    world.logoCount = 2;
    world.logosPresent = 1;
    world.loadingPhase = 0;
    world.logoNames[0] = world.logoNames[1] = L"none.png";
    app.PressKey(VK_ESCAPE);
    // The frame runs a logo step and latches the key at its end.
    EXPECT_EQ(Frame(), Calls {});
    EXPECT_EQ(world.logosPresent, 1);
    EXPECT_EQ(world.keyEscape, 1);
    EXPECT_FALSE(app.IsKeyDown(VK_ESCAPE));
    EXPECT_EQ(Frame(), Calls { "Options on" });
    EXPECT_EQ(world.logosPresent, 0);
    EXPECT_EQ(world.loadingPhase, 1);
}

} // namespace
