// The game application: the display mode it chooses for the desktop it finds,
// over the recording engine, and a whole run over the real engine, headless,
// from the start through a level to the end of the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/engine_testing.h"
#include "platform/utf16.h"
#include "scene/gui_vocabulary.h"
#include "support/log_capture.h"
#include "support/menu_route.h"
#include "support/scripted_run.h"
#include "support/temp_folder.h"
#include "whole_game_fixture.h"

namespace {

constexpr DWORD kPopup = 0x80000000u; // full screen
constexpr DWORD kCaptioned = 0x80CA0000u;

TEST_F(GameAppTest, InitChoosesTheDisplayModeForTheDesktop)
{
    const struct {
        const char* name;
        int desktopWidth, desktopHeight, width, height, screenMode; // configured size and mode
        int expectedScreenMode;
        DWORD style;
        const char* displayMode;
        uint8_t tooSmall;
    } cases[] = {
        // A window as wide as the desktop becomes full screen, and stays so.
        { "windowAsWideAsDesktop", 1280, 1024, 1280, 1024, 0, 1, kPopup, "SetDisplayMode 1280 1024", 0 },
        // Full screen shows the design size wherever the desktop holds it,
        // whatever size a window had before.
        { "fullScreenConfigured", 1920, 1200, 1024, 768, 1, 1, kPopup, "SetDisplayMode 1280 1024", 0 },
        { "windowOnWiderDesktop", 1920, 1080, 1280, 1024, 0, 0, kCaptioned, "SetDisplayMode 1280 1024", 0 },
        // A laptop's desktop: the game starts at 1024 x 768 instead, full
        // screen where a window with its title bar would not fit.
        { "laptop1366x768", 1366, 768, 1280, 1024, 0, 1, kPopup, "SetDisplayMode 1024 768", 0 },
        { "laptop1280x800", 1280, 800, 1280, 1024, 0, 0, kCaptioned, "SetDisplayMode 1024 768", 0 },
        { "desktop1024x768", 1024, 768, 1280, 1024, 1, 1, kPopup, "SetDisplayMode 1024 768", 0 },
        // The desktop too small: a captioned window of the desktop's size.
        { "desktopTooSmall", 1024, 600, 1024, 768, 0, 0, kCaptioned, "SetDisplayMode 1024 600", 1 },
        { "desktopTooSmallFor1280", 1280, 720, 1280, 1024, 0, 0, kCaptioned, "SetDisplayMode 1280 720", 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        gfx.calls.clear();
        settings.SetResolution(c.width, c.height);
        settings.screenMode = c.screenMode;
        TestGameApp app;
        app.OpenWindow();
        app.desktopWidth = c.desktopWidth;
        app.desktopHeight = c.desktopHeight;
        test::LogCapture log;
        ASSERT_TRUE(app.Init());
        const bool smaller = c.width > c.desktopWidth || c.height > c.desktopHeight;
        EXPECT_EQ(log.Contains(L"cGameApp::Init -> The desktop (" + std::to_wstring(c.desktopWidth) + L"x"
                      + std::to_wstring(c.desktopHeight) + L") is smaller than 1280x1024: starting at 1024x768"),
            smaller && !c.tooSmall);
        EXPECT_EQ(settings.screenMode, c.expectedScreenMode);
        EXPECT_EQ(world.desktopTooSmall, c.tooSmall);
        EXPECT_EQ(Called("ApplyFullScreen"), c.style == kPopup);
        EXPECT_TRUE(Called(c.displayMode));
        EXPECT_EQ(app.WindowStyle(), c.style);
        // The device covers the desktop; the game's size is its display mode.
        EXPECT_EQ(
            gfx.calls.front(), "Create " + std::to_string(c.desktopWidth) + " " + std::to_string(c.desktopHeight));
        EXPECT_EQ(app.engineStops, 0);
    }
}

TEST_F(GameAppTest, FailedDeviceIsLoggedAndTheEngineClosed)
{
    test::LogCapture log;
    gfx.createResult = GFX_E_NO_DEVICE;
    TestGameApp app;
    app.OpenWindow();
    EXPECT_FALSE(app.Init());
    EXPECT_EQ(app.engineStops, 1);
    EXPECT_EQ(log.lines.back(), L"error: FAILED: No compatible device found.");
    // Nothing was drawn or switched on a device that does not exist.
    EXPECT_EQ(gfx.calls, std::vector<std::string> { "Create 1280 1024" });
}

// The fonts are made anew after a language change, smaller on the smaller screen.
TEST_F(GameAppTest, FontsAreMadeForTheScreenSizeAfterALanguageChange)
{
    TestGameApp app;
    std::vector<int> sizes[2];
    for (int small = 0; small < 2; ++small) {
        settings.width = small ? 1024 : 1280;
        gfx.fontsCreated.clear();
        world.languageChanged = 1;
        app.Frame();
        for (const auto* font : gfx.fontsCreated)
            sizes[small].push_back(font->size);
    }
    ASSERT_EQ(sizes[0].size(), static_cast<size_t>(kFontCount));
    ASSERT_EQ(sizes[1].size(), sizes[0].size());
    for (int i = 0; i < kFontCount; ++i)
        EXPECT_LT(sizes[1][i], sizes[0][i]) << i;
}

class GameAppStart : public WholeGameTest { };

class CountingApp : public TestGameApp {
public:
    bool Frame() override { return ++frames, false; }
    int frames = 0;
};

TEST_F(GameAppTest, ScreenThatCannotBeMadeEndsTheStartCleanly)
{
    test::LogCapture log;
    cScreenManager::Instance().SetFactoryForTests([](int slot) {
        return slot == cScreenManager::kWorldMap ? nullptr : std::make_unique<Scene::Screen>(0, 0, 0, 0);
    });
    CountingApp app;
    ASSERT_TRUE(app.Run());
    EXPECT_EQ(app.frames, 0);
    // No half-made set of screens is left behind.
    for (int slot = 0; slot < cScreenManager::kSlots; ++slot)
        EXPECT_EQ(cScreenManager::Instance().GetScreen(slot), nullptr);
    EXPECT_EQ(log.lines.back(), L"message: No memory leaks in GFX sub-system :o)");
    EXPECT_EQ(gfx.TexturesAlive(), 0);
    cScreenManager::Instance().SetFactoryForTests(nullptr);
    cCursorSet::Instance().Release();
    delete world.soundEngine;
    world.soundEngine = nullptr;
}

// The real engine under the dummy video driver, on a desktop wide enough for
// a window: the shipped logo list, Escape over the logos, the loading
// sequence to the start screen, the level chosen there as the map would; in
// the level Escape after a few frames. Print Screen in the main menu and in the
// level.
class EscapeApp : public cGameApp {
public:
    bool Frame() override
    {
        clock.Tick();
        ++frames;
        cGameWorld& world = cGameWorld::Instance();
        const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
        if (frames == 1) {
            platform::InjectKey(window, "Escape", true);
            platform::InjectKey(window, "PrintScreen", true);
        }
        if (world.loadingPhase && !loadingFrom)
            loadingFrom = frames;
        if (test::StartScreenOpen() && !levelFrames) {
            startScreenAt = frames;
            test::PlayLevelFromMap(1);
        }
        if (top == L"cStateGame")
            ++levelFrames;
        if (levelFrames == 2)
            platform::InjectKey(window, "PrintScreen", true);
        if (levelFrames == 5) {
            const int cursorX = cCursorSet::Instance().GetX(), cursorY = cCursorSet::Instance().GetY();
            engine::ReadPixel(cursorX + 4, cursorY + 10, &underCursor);
            engine::ReadPixel(cursorX + 60, cursorY + 60, &beside);
            platform::InjectKey(window, "Escape", true);
        }
        // The first Escape closed the task dialog the level opens with; the
        // second opens the game menu, whose last button (at its design place
        // on a 1280 x 1024 screen) goes back to the main menu.
        if (levelFrames == 8)
            platform::InjectKey(window, "Escape", true);
        if ((levelFrames == 11 || levelFrames == 12) && g_pInputDevice) {
            g_pInputDevice->SetCursorPos(640, 262 + 290 + 24);
            platform::InjectMouseButton(window, 1, levelFrames == 11, 640, 262 + 290 + 24);
        }
        // Back on the map for a few frames, the game is ended as the start
        // screen's quit button does; a level was left, so the credits follow
        // and Escape ends them.
        if (levelFrames > 0 && top == L"cStateMenu" && ++menuFramesAfterLevel == 3) {
            quitAt = frames;
            test::QuitFromProfiles();
        }
        if (quitAt && frames == quitAt + 4)
            platform::InjectKey(window, "Escape", true);
        return cGameApp::Frame() && frames < 100;
    }
    int frames = 0, levelFrames = 0, loadingFrom = 0, startScreenAt = 0, quitAt = 0, menuFramesAfterLevel = 0;
    uint32_t underCursor = 0, beside = 0;

protected:
    void QueryDesktopSize(int& width, int& height) override { width = 1920, height = 1200; }

private:
    // The mouse is taken every frame, so the press on the menu's button is
    // the next frame's click however fast the build.
    test::FrameClock clock;
};

TEST_F(GameAppStart, WholeRunStartsALevelShowsTheCursorAndEndsFromTheGameMenu)
{
    test::LogCapture log;
    ShowLogos();
    // A start as the program makes it, with damaged settings and a saved game
    // damaged after its first row: what can be read is used, the player is
    // told in words on the menu screens (the settings before the texts were
    // loaded), and the files are kept.
    test::TempFolder home;
    const std::string user = home / "vandrel-first-eng";
    std::filesystem::create_directories(user);
    std::string damaged;
    for (const char c : std::string("XXXX;\r\0\0NK;5;\r", 14))
        damaged += { c, '\0' };
    std::ofstream(user + "/1", std::ios::binary) << damaged;
    std::ofstream(user + "/config.cfg", std::ios::binary) << damaged;
    const std::string xdg = std::getenv("XDG_DATA_HOME");
    setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
    std::fill_n(&g_guiVocabulary[0][0], kGuiTextCount * kGuiTextLength, L'\0');
    cSettings::Instance().LoadSettingsAndProfiles(world);
    setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    std::vector<std::wstring> drawn;
    engine::SetRasterisationObserver([&](const std::wstring& text) { drawn.push_back(text); });
    EscapeApp app;
    ASSERT_TRUE(app.Run());
    for (const wchar_t* told :
        { L"Your settings file could not be read whole", L"Your saved game could not be read whole" })
        EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [&](const std::wstring& text) {
            return text.rfind(told, 0) == 0;
        })) << testing::PrintToString(told);
    // The saved game was not saved again; the settings were, beside the copy.
    for (const char* name : { "/1", "/config.cfg.unreadable" }) {
        std::ifstream kept(user + name, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), damaged);
    }

    // One picture from the main menu, one from the level.
    EXPECT_TRUE(std::filesystem::exists(user + "/screenshots/eng_xxx_0.jpg"));
    EXPECT_TRUE(std::filesystem::exists(user + "/screenshots/eng_level1_1.jpg"));

    // Escape pressed in the first frame is latched in the second, ends the
    // logos in the third, and the loading runs from there (without logos it
    // would run from the first).
    EXPECT_EQ(app.loadingFrom, 4);
    // The eleven screens of the loading walk, one each frame, then the
    // frames of the pauses that end in the start screen.
    EXPECT_EQ(app.startScreenAt, app.loadingFrom + 13);
    EXPECT_TRUE(log.Contains(L"message: +++ START LEVEL 1"));
    // The generated cursor over the level's ground, which covers the frame's
    // clear colour.
    EXPECT_NE(app.beside & 0xFFFFFFu, 0x031346u);
    EXPECT_NE(app.underCursor & 0xFFFFFFu, app.beside & 0xFFFFFFu);
    // The game menu leaves the level, the menu ends the game, Escape ends the
    // credits and the loop: a few frames, not the test's limit.
    EXPECT_GT(app.quitAt, 0);
    EXPECT_LT(app.frames, app.quitAt + 10);
    EXPECT_EQ(g_mouseCaptured, 1);
    EXPECT_EQ(log.lines.back(), L"message: No memory leaks in GFX sub-system :o)");
}

} // namespace
