// The game's start through Run, over the recording engine: what a start
// refused before it began leaves (no loop, no screens, no sound, the leak
// report still given), the data it finds by names under its data and sound
// folders, where it places its window, and what a frame's change of display
// mode does to the weather.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/cursor_set.h"
#include "frontend/options_screen.h"
#include "game_app_fixture.h"
#include "platform/window.h"
#include "resources/file_manager.h"
#include "scene/effects_layer.h"
#include "scene/screen_manager.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/whole_game.h"

namespace {

// An application whose frames the test writes; the frame returns false
// (the loop ends) unless the test's step says otherwise.
class StepApp : public TestGameApp {
public:
    bool Frame() override
    {
        ++frames;
        return step && step(*this);
    }
    bool GameFrame() { return cGameApp::Frame(); }
    HWND Window() const { return window; }

    std::function<bool(StepApp&)> step;
    int frames = 0;
};

class AppStart : public GameAppTest {
protected:
    void TearDown() override
    {
        test::ReleaseWholeGame(world);
        GameAppTest::TearDown();
    }
};

TEST_F(AppStart, AStartRefusedBeforeItBeganRunsNoFrameAndStillReportsLeaks)
{
    const struct {
        const char* what;
        bool quitting;
        bool cursorsMissing;
        bool started;
    } cases[] = {
        { "the game quitting before its start", true, false, false },
        { "the cursor list unreadable", false, true, false },
        { "nothing in the way", false, false, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.quitRequested = c.quitting ? 1 : 0;
        if (c.cursorsMissing)
            cFileManager::Instance().AddAlias(L"data/gui/cursor/descriptor.xml", L"data/gui/cursor/none.xml");
        test::LogCapture log;
        StepApp app;
        EXPECT_TRUE(app.Run());
        EXPECT_EQ(app.frames, c.started ? 1 : 0);

        EXPECT_EQ(log.Contains(L"Unable to load cursor list"), c.cursorsMissing);
        // Neither the screens nor the input were started, nor (quitting) the sound.
        EXPECT_EQ(log.Contains(L"Initializing Input Subsystem"), c.started);
        EXPECT_EQ(world.soundEngine != nullptr, !c.quitting);
        ASSERT_FALSE(log.lines.empty());
        EXPECT_EQ(log.lines.back(), L"message: No memory leaks in GFX sub-system :o)");
        EXPECT_EQ(gfx.TexturesAlive(), 0);
        // Asked again, the start says it was refused.
        if (!c.started) {
            EXPECT_FALSE(StepApp().Start());
        }
        cFileManager::Instance().RemoveAlias(L"data/gui/cursor/descriptor.xml");
        test::ReleaseWholeGame(world);
        world.ResetToDefaults();
    }
}

// Started from a program folder whose name has capitals, the game finds a
// file named from its data folder or from its sound folder; not before.
TEST_F(AppStart, DataIsFoundByNamesUnderTheDataAndSoundFoldersOnceStarted)
{
    const std::filesystem::path build = std::filesystem::current_path();
    test::TempFolder home;
    const std::filesystem::path program = home / "Vandrel Game";
    std::filesystem::create_directories(program);
    std::filesystem::create_directory_symlink(build / "data", program / "data");
    std::filesystem::current_path(program);
    cFileManager& files = cFileManager::Instance();
    for (const std::wstring& path : std::vector(files.SearchPaths()))
        files.RemoveSearchPath(path);
    const wchar_t* names[] = { L"script/scene/level_common.lua", L"logos/list.csv", L"music/start.ogg",
        L"wav/gong.wav", L"Music/Start.OGG" };
    auto found = [&](const wchar_t* name) {
        iFile* file = files.OpenFile(name);
        const bool any = file && file->GetSize() > 0;
        files.Release(file);
        return any;
    };
    for (const wchar_t* name : names)
        EXPECT_FALSE(found(name)) << "before the start: " << testing::PrintToString(name);

    StepApp app;
    EXPECT_TRUE(app.Run());
    for (const wchar_t* name : names)
        EXPECT_TRUE(found(name)) << testing::PrintToString(name);
    std::filesystem::current_path(build);
}

// The window as the player left it, after switching to another program and
// back: put back in the middle of the desktop when the options say so, else
// where the player put it. The start centres it either way.
TEST_F(AppStart, TheWindowIsCentredAtTheStartAndAgainOnlyWhenTheSettingAsks)
{
    int desktopWidth = 0, desktopHeight = 0;
    ASSERT_TRUE(platform::GetDesktopSize(&desktopWidth, &desktopHeight));
    auto centre = [](HWND window) {
        RECT client {}, outer {};
        platform::GetClientRect(window, &client);
        platform::GetWindowRect(window, &outer);
        RECT frame {};
        platform::GetWindowFrame(window, &frame);
        return std::pair(outer.left + frame.left + client.right / 2, outer.top + frame.top + client.bottom / 2);
    };
    const std::pair desktopCentre(desktopWidth / 2, desktopHeight / 2);
    for (const int centring : { 0, 1 }) {
        SCOPED_TRACE(centring ? "centring on" : "centring off");
        world.ResetToDefaults();
        world.windowCenter = centring;
        settings.SetResolution(1280, 1024);
        settings.screenMode = 0;
        StepApp app;
        app.desktopWidth = 1920;
        app.desktopHeight = 1200;
        std::pair<int, int> atStart, moved, afterwards;
        app.step = [&](StepApp& a) {
            if (a.frames == 1) {
                atStart = centre(a.Window());
                RECT outer {};
                platform::GetWindowRect(a.Window(), &outer);
                platform::MoveWindow(a.Window(), 200, 150, outer.right - outer.left, outer.bottom - outer.top, true);
                moved = centre(a.Window());
                platform::InjectWindowEvent(a.Window(), platform::WindowEventKind::FocusLost);
                platform::InjectWindowEvent(a.Window(), platform::WindowEventKind::FocusGained);
                return a.GameFrame();
            }
            if (!world.videoModeChanged)
                return a.frames < 10 && a.GameFrame();
            a.GameFrame();
            afterwards = centre(a.Window());
            return false;
        };
        EXPECT_TRUE(app.Run());
        EXPECT_EQ(settings.screenMode, 0);
        EXPECT_EQ(atStart, desktopCentre);
        EXPECT_NE(moved, desktopCentre);
        EXPECT_EQ(afterwards, centring ? desktopCentre : moved);
        test::ReleaseWholeGame(world);
    }
}

// A change of display mode drops the rain and snow placed for the old screen
// and starts the fog over at the new width, where the effects screen runs;
// before it runs (or without screens) the frame leaves them.
TEST_F(AppStart, AModeChangeStartsTheWeatherOverOnlyWhereTheEffectsScreenRuns)
{
    auto effects = [] { return cScreenManager::Instance().Get<Scene::EffectsLayer>(cScreenManager::kEffects); };
    struct Seen {
        size_t rain = 0, snow = 0;
        int fog = 0;
    };
    auto weather = [&] {
        return Seen { world.rainDrops.size(), world.snowFlakes.size(), effects() ? effects()->GetFogX(0) : 0 };
    };
    auto startWeather = [&] {
        world.StartRain(40);
        world.StartSnow(1, 30, 0);
    };
    std::vector<std::pair<Seen, Seen>> switches; // before and after each
    StepApp app;
    app.step = [&](StepApp& a) {
        if (!effects())
            return false;
        // The loading walk has not reached the effects screen yet; then it
        // has, as in a level.
        effects()->SetActive(a.frames == 2);
        startWeather();
        const Seen before = weather();
        if (a.frames == 1)
            Scene::OptionsScreen::ChooseWindow();
        else
            Scene::OptionsScreen::ChooseFullScreen();
        a.GameFrame();
        switches.emplace_back(before, weather());
        return a.frames < 2;
    };
    EXPECT_TRUE(app.Run());
    ASSERT_EQ(switches.size(), 2u);
    const auto& [idleBefore, idleAfter] = switches[0];
    EXPECT_EQ(settings.GetWidth(), 1280) << "full screen again";
    // (The new size switches the screens off and on again within the frame,
    // which starts the fog over by itself.)
    EXPECT_EQ(std::tuple(idleAfter.rain, idleAfter.snow), std::tuple(idleBefore.rain, idleBefore.snow));
    EXPECT_GT(idleAfter.rain + idleAfter.snow, 0u);
    const auto& [runningBefore, runningAfter] = switches[1];
    EXPECT_GT(runningBefore.rain + runningBefore.snow, 0u);
    EXPECT_EQ(runningBefore.fog, -1024) << "switched on at the window's width";
    EXPECT_EQ(std::tuple(runningAfter.rain, runningAfter.snow, runningAfter.fog), std::tuple(0u, 0u, -1280));

    // No screens at all: the frame goes on and leaves the weather.
    test::ReleaseWholeGame(world);
    TestGameApp bare;
    bare.OpenWindow();
    startWeather();
    Scene::OptionsScreen::ChooseWindow();
    const Seen before = weather();
    bare.Frame();
    const Seen after = weather();
    EXPECT_EQ(std::tuple(after.rain, after.snow), std::tuple(before.rain, before.snow));
}

} // namespace
