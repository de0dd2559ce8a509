// Start-up and shutdown of the game application: over the recording engine
// for what Start brings up, and over the real engine, headless, for a whole
// run from the start to Escape.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/cursor_set.h"
#include "app/input_process.h"
#include "engine/engine_testing.h"
#include "platform/screen_saver.h"
#include "platform/utf16.h"
#include "pp_app_fixture.h"
#include "scene/menu_manager.h"
#include "scripting/script_host.h"
#include "sound/sound_engine.h"
#include "support/log_capture.h"
#include "support/menu_route.h"
#include "support/temp_folder.h"

namespace {

bool Logged(const test::LogCapture& log, const std::wstring& line)
{
    return std::find(log.lines.begin(), log.lines.end(), line) != log.lines.end();
}

class PPAppStart : public PPAppTest {
protected:
    void TearDown() override
    {
        cMenuManager::Instance().SetFactoryForTests(nullptr);
        cMenuManager::Instance().DestroyMenus();
        cCursorSet::Instance().Release();
        // The sound engine lives until the program ends; a test ends sooner.
        delete world.soundEngine;
        world.soundEngine = nullptr;
        PPAppTest::TearDown();
    }
};

TEST_F(PPAppStart, StartBringsUpCursorsScreensInputMenuAndScripts)
{
    // The input process's Exit closes the device, so it is the device's owner.
    new test::FakeInput;
    test::LogCapture log;
    world.calendarStepSetting = 2.5f;
    TestPPApp app;
    app.OpenWindow();
    ASSERT_TRUE(app.Init());
    ASSERT_TRUE(app.Start());

    EXPECT_TRUE(Logged(log, L"message: Initializing Input Subsystem..."));
    EXPECT_TRUE(Logged(log, L"message: cInputProcess::Init -> DirectInput initialized ok"));
    // The input process and the cursor synchroniser it adds.
    EXPECT_EQ(app.GetProcessManager().Size(), 2u);
    ASSERT_NE(app.GetStateManager().Top(), nullptr);
    EXPECT_EQ(app.GetStateManager().Top()->GetName(), L"cStateMenu");
    EXPECT_TRUE(cMenuManager::Instance().HasMenus());
    for (int slot = 0; slot < cMenuManager::kSlots; ++slot)
        EXPECT_EQ(cMenuManager::Instance().GetMenu(slot)->IsActive(), slot == cMenuManager::kStart) << slot;
    EXPECT_GT(gfx.TexturesAlive(), 0); // the cursor pages
    EXPECT_NE(Scripting::GetMainState(), nullptr);
    EXPECT_FALSE(world.taskRows.empty());
    EXPECT_DOUBLE_EQ(world.calendarStep, 2.5);
    EXPECT_TRUE(platform::IsScreenSaverInhibited());
    EXPECT_EQ(cCursorSet::Instance().GetName(), L"Standard");
    EXPECT_EQ(cCursorSet::Instance().GetX(), 600);

    app.ReleaseAll();
    EXPECT_EQ(g_pInputDevice, nullptr);
    EXPECT_TRUE(app.Shutdown());
    EXPECT_FALSE(cMenuManager::Instance().HasMenus());
    EXPECT_EQ(gfx.TexturesAlive(), 0);
    EXPECT_EQ(log.lines.back(), L"message: No memory leaks in GFX sub-system :o)");
    Script::ShutDown();
}

class CountingApp : public TestPPApp {
public:
    bool Frame() override
    {
        ++frames;
        return false;
    }
    int frames = 0;
};

TEST_F(PPAppStart, ScreenThatCannotBeMadeEndsTheStartCleanly)
{
    test::LogCapture log;
    cMenuManager::Instance().SetFactoryForTests([](int slot) -> std::unique_ptr<Scene::MenuPrototype> {
        if (slot == cMenuManager::kOverlux)
            return nullptr;
        return std::make_unique<Scene::MenuPrototype>(0, 0, 0, 0);
    });
    CountingApp app;
    ASSERT_TRUE(app.Run());
    EXPECT_EQ(app.frames, 0);
    EXPECT_TRUE(Logged(log, L"error: cMenuManager::CreateMenus -> Unable to create the screen of slot 7"));
    // No half-made set of screens is left behind.
    for (int slot = 0; slot < cMenuManager::kSlots; ++slot)
        EXPECT_EQ(cMenuManager::Instance().GetMenu(slot), nullptr);
    EXPECT_EQ(log.lines.back(), L"message: No memory leaks in GFX sub-system :o)");
    EXPECT_EQ(gfx.TexturesAlive(), 0);
}

TEST_F(PPAppStart, ScreenThatThrowsWhileMadeIsLoggedToo)
{
    test::LogCapture log;
    cMenuManager::Instance().SetFactoryForTests([](int slot) -> std::unique_ptr<Scene::MenuPrototype> {
        if (slot == cMenuManager::kFloor)
            throw std::bad_alloc();
        return std::make_unique<Scene::MenuPrototype>(0, 0, 0, 0);
    });
    EXPECT_FALSE(cMenuManager::Instance().CreateMenus());
    EXPECT_TRUE(Logged(log, L"error: cMenuManager::CreateMenus -> Unable to create the screen of slot 8"));
    EXPECT_FALSE(cMenuManager::Instance().HasMenus());
}

// The real engine under the dummy video driver, on a desktop wide enough for
// a window: the shipped logo list, Escape over the logos, the loading
// sequence to the start screen, the level chosen there as the map would; in
// the level Escape after a few frames. Print Screen in the main menu and in the
// level.
class EscapeApp : public cPPApp {
public:
    bool Frame() override
    {
        ++frames;
        cGameWorld& world = cGameWorld::Instance();
        const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
        if (frames == 1) {
            logoShown = world.logosPresent;
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
            cursorX = cCursorSet::Instance().GetX();
            cursorY = cCursorSet::Instance().GetY();
            engine::ReadPixel(cursorX + 4, cursorY + 10, &underCursor);
            engine::ReadPixel(cursorX + 60, cursorY + 60, &beside);
            topState = top;
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
        // Back on the map, the game is ended as the start screen's quit
        // button does; a level was left, so the credits follow and Escape
        // ends them.
        if (levelFrames > 0 && top == L"cStateMenu" && !quitAt) {
            quitAt = frames;
            test::QuitFromProfiles();
        }
        if (quitAt && frames == quitAt + 4)
            platform::InjectKey(window, "Escape", true);
        return cPPApp::Frame() && frames < 100;
    }
    int frames = 0;
    int levelFrames = 0;
    int loadingFrom = 0;
    int startScreenAt = 0;
    int quitAt = 0;
    uint8_t logoShown = 0;
    int cursorX = -1;
    int cursorY = -1;
    uint32_t underCursor = 0;
    uint32_t beside = 0;
    std::wstring topState;

protected:
    void QueryDesktopSize(int& width, int& height) override
    {
        width = 1920;
        height = 1200;
    }
};

TEST_F(PPAppStart, WholeRunStartsALevelShowsTheCursorAndEndsFromTheGameMenu)
{
    // This run brings its own engine; the recording one steps aside.
    iGfxDevice* const device = g_pGfxDevice;
    iGfx2D* const gfx2d = g_pGfx2D;
    g_pGfxDevice = nullptr;
    g_pGfx2D = nullptr;
    test::LogCapture log;
    // The logos as the world leaves them at start-up.
    world.LoadLogoList();
    world.logosPresent = world.logoCount > 0 ? 1 : 0;
    world.loadingPhase = world.logosPresent ? 0 : 1;
    test::TempFolder user;
    world.userFolder = platform::NarrowToWide(user.Path());
    EscapeApp app;
    ASSERT_TRUE(app.Run());
    g_pGfxDevice = device;
    g_pGfx2D = gfx2d;

    // One picture from the main menu, one from the level.
    std::vector<std::string> shots;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(user / "screenshots", missing))
        shots.push_back(entry.path().filename().string());
    std::sort(shots.begin(), shots.end());
    EXPECT_EQ(shots, (std::vector<std::string> { "eng_level1_1.jpg", "eng_xxx_0.jpg" }));

    // Escape pressed in the first frame is latched in the second, ends the
    // logos in the third, and the loading runs from there.
    EXPECT_EQ(app.logoShown, 1);
    EXPECT_EQ(app.loadingFrom, 4);
    // The eleven screens of the loading walk, one each frame, then the
    // frames of the pauses that end in the start screen.
    EXPECT_EQ(app.startScreenAt, app.loadingFrom + 13);
    EXPECT_EQ(app.topState, L"cStateGame");
    EXPECT_TRUE(Logged(log, L"message: +++ START LEVEL 1"));
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
    Script::ShutDown();
}

} // namespace
