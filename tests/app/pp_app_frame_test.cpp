// The frame step: state switches at the end of the frame, language changes,
// the start that is refused when the game is quitting, and the leak report.
#include <gtest/gtest.h>

#include "app/clock.h"
#include "support/log_capture.h"
#include "platform/time_source.h"
#include "pp_app_fixture.h"
#include "scene/gui_vocabulary.h"
#include "world/game_clock.h"

namespace {

class PPAppFrame : public PPAppTest {
protected:
    void SetUp() override
    {
        PPAppTest::SetUp();
        world.languageChanged = 0;
        app.SetStatesForTests(&menu, &game, &exit);
    }

    std::vector<std::string> log;
    FakeState menu { L"menu", log };
    FakeState game { L"game", log };
    FakeState exit { L"exit", log };
    TestPPApp app;
};

TEST_F(PPAppFrame, SwitchRequestedDuringAFrameHappensAtItsEnd)
{
    ASSERT_TRUE(app.GetStateManager().Push(&menu, &app));
    menu.onUpdate = [&] {
        EXPECT_TRUE(app.RequestState(cPPApp::kStateGame));
        log.push_back("requested");
        // Nothing has switched yet inside the frame.
        EXPECT_EQ(app.GetStateManager().Top(), &menu);
        return true;
    };
    log.clear();
    EXPECT_TRUE(app.Frame());
    const std::vector<std::string> expected = { "menu Update", "requested", "menu Exit", "game Init" };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(app.GetStateManager().Top(), &game);
    EXPECT_EQ(app.GetStateManager().Size(), 1u);
    EXPECT_EQ(app.PendingState(), nullptr);

    // The next frame runs the new state alone.
    log.clear();
    EXPECT_TRUE(app.Frame());
    EXPECT_EQ(log, std::vector<std::string> { "game Update" });
}

TEST_F(PPAppFrame, LeavingALevelBringsTheMenuBackInTheSameFrame)
{
    ASSERT_TRUE(app.GetStateManager().Push(&game, &app));
    game.onUpdate = [&] {
        world.returnToMenu = 1;
        return false;
    };
    log.clear();
    EXPECT_TRUE(app.Frame());
    const std::vector<std::string> expected = { "game Update", "game Exit", "menu Init" };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(world.returnToMenu, 0);
    EXPECT_EQ(app.GetStateManager().Top(), &menu);
}

TEST_F(PPAppFrame, QuittingRunsTheExitStateAndEndsOnTheNextFrame)
{
    ASSERT_TRUE(app.GetStateManager().Push(&menu, &app));
    menu.onUpdate = [&] {
        app.RequestState(cPPApp::kStateExit);
        return false;
    };
    exit.onUpdate = [] { return false; };
    log.clear();
    EXPECT_TRUE(app.Frame());
    EXPECT_FALSE(app.Frame());
    const std::vector<std::string> expected = { "menu Update", "menu Exit", "exit Init", "exit Update", "exit Exit" };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(app.GetStateManager().Size(), 0u);
}

TEST_F(PPAppFrame, RequestOutsideTheThreeStatesCancelsAPendingOne)
{
    ASSERT_TRUE(app.GetStateManager().Push(&menu, &app));
    EXPECT_TRUE(app.RequestState(cPPApp::kStateGame));
    EXPECT_EQ(app.PendingState(), &game);
    EXPECT_FALSE(app.RequestState(5));
    EXPECT_EQ(app.PendingState(), nullptr);
    EXPECT_TRUE(app.RequestState(cPPApp::kStateGame));
    EXPECT_FALSE(app.RequestState(-1));
    log.clear();
    EXPECT_TRUE(app.Frame());
    EXPECT_EQ(log, std::vector<std::string> { "menu Update" });
    EXPECT_EQ(app.GetStateManager().Top(), &menu);
}

TEST_F(PPAppFrame, QuitFlagEndsTheLoopBeforeAnySwitchOrClockStep)
{
    double now = 1000.0;
    platform::SetTimeSourceForTests([&] { return now; });
    cClock::Instance().Reset();
    ASSERT_TRUE(app.GetStateManager().Push(&menu, &app));
    menu.onUpdate = [&] {
        app.RequestState(cPPApp::kStateGame);
        world.quitRequested = 1;
        return true;
    };
    now += 500.0;
    EXPECT_FALSE(app.Frame());
    EXPECT_EQ(app.GetStateManager().Top(), &menu);
    EXPECT_DOUBLE_EQ(cClock::Instance().GetTime(), 0.0);
    platform::SetTimeSourceForTests(nullptr);
}

TEST_F(PPAppFrame, StartingALevelFromTheMenu)
{
    ASSERT_TRUE(app.GetStateManager().Push(&menu, &app));
    world.optionsOpen = 1;
    world.leftClick = 1;
    world.clickEvent = 1;
    cGameClock::Instance().SetTime(12, 34);
    EXPECT_TRUE(app.OnMenuStartGame());
    EXPECT_EQ(app.PendingState(), &game);
    EXPECT_EQ(world.optionsOpen, 0);
    EXPECT_EQ(world.leftClick, 0);
    EXPECT_EQ(world.clickEvent, 0);
    EXPECT_EQ(cGameClock::Instance().minutes, 0);
    EXPECT_EQ(cGameClock::Instance().seconds, 0);
}

struct FontCase {
    int width;
    int height;
    int sizes[kFontCount];
};

TEST_F(PPAppFrame, FontsAndTextsAreMadeOnTheFirstFrameAfterALanguageChange)
{
    const int styles[kFontCount] = { 0, 1, 1, 1, 2, 1 };
    const FontCase cases[] = {
        { 1280, 1024, { 9, 14, 14, 20, 12, 20 } },
        { 1024, 768, { 8, 13, 13, 18, 11, 18 } },
    };
    for (const FontCase& c : cases) {
        SCOPED_TRACE(c.width);
        settings.width = c.width;
        settings.height = c.height;
        g_guiVocabulary[0][0] = L'\0';
        world.placeNameRows.clear();
        gfx.fontsCreated.clear();
        const int fontsBefore = gfx.FontsAlive();

        world.languageChanged = 1;
        app.Frame();
        EXPECT_EQ(world.languageChanged, 0);
        ASSERT_EQ(gfx.fontsCreated.size(), static_cast<size_t>(kFontCount));
        for (int i = 0; i < kFontCount; ++i) {
            EXPECT_EQ(g_fonts[i], gfx.fontsCreated[static_cast<size_t>(i)]);
            EXPECT_EQ(gfx.fontsCreated[static_cast<size_t>(i)]->face, L"calibry");
            EXPECT_EQ(gfx.fontsCreated[static_cast<size_t>(i)]->size, c.sizes[i]) << i;
            EXPECT_EQ(gfx.fontsCreated[static_cast<size_t>(i)]->style, styles[i]) << i;
        }
        // The old fonts went: six alive, whatever was there before.
        EXPECT_EQ(gfx.FontsAlive(), fontsBefore == 0 ? kFontCount : fontsBefore);
        EXPECT_STREQ(g_guiVocabulary[0], L"Total");
        EXPECT_FALSE(world.placeNameRows.empty());

        // A frame without a change makes nothing anew.
        gfx.fontsCreated.clear();
        app.Frame();
        EXPECT_TRUE(gfx.fontsCreated.empty());
    }
}

class LeakReportApp : public TestPPApp {
public:
    bool Frame() override
    {
        ++frames;
        return false;
    }
    int frames = 0;
};

TEST_F(PPAppTest, QuitBeforeStartSkipsTheLoopButStillReportsLeaks)
{
    test::LogCapture log;
    world.quitRequested = 1;
    LeakReportApp app;
    ASSERT_TRUE(app.Run());
    EXPECT_EQ(app.frames, 0);
    EXPECT_EQ(app.engineStops, 1);
    ASSERT_FALSE(log.lines.empty());
    EXPECT_EQ(log.lines.back(), L"message: No memory leaks in GFX sub-system :o)");
    // Start stopped at once: no screens, no cursor pages, no sound.
    EXPECT_EQ(gfx.TexturesAlive(), 0);
    EXPECT_EQ(world.soundEngine, nullptr);
}

TEST_F(PPAppTest, ShutdownReportsWhatTheEngineStillHolds)
{
    const std::pair<int, const wchar_t*> cases[] = {
        { 0, L"message: No memory leaks in GFX sub-system :o)" },
        { 1, L"warning: Zombie size in GFX Engine: 1KB" },
        { 3, L"warning: Zombie size in GFX Engine: 3KB" },
    };
    for (const auto& [fonts, line] : cases) {
        std::vector<iGfxFont*> held;
        for (int i = 0; i < fonts; ++i)
            held.push_back(g_pGfx2D->CreateFont(L"calibry", 9, 0)); // 1024 bytes each
        // The game's own fonts are freed before the count.
        world.languageChanged = 1;
        TestPPApp app;
        app.OpenWindow();
        ASSERT_TRUE(app.Init());
        app.RecreateFonts();
        test::LogCapture log;
        EXPECT_TRUE(app.Shutdown());
        ASSERT_FALSE(log.lines.empty());
        EXPECT_EQ(log.lines.back(), line);
        EXPECT_EQ(g_fonts[0], nullptr);
        for (iGfxFont* font : held)
            delete font;
    }
}

} // namespace
