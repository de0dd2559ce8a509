// The display mode the application chooses at start-up for the desktop it
// finds, and what it does when the engine cannot start.
#include <gtest/gtest.h>

#include "pp_app_fixture.h"
#include "support/log_capture.h"

namespace {

struct DisplayCase {
    const char* name;
    int desktopWidth;
    int desktopHeight;
    int width; // configured
    int height;
    int screenMode; // configured
    int expectedScreenMode;
    bool fullScreen; // ApplyFullScreen called
    DWORD style;
    const char* displayMode;
    uint8_t tooSmall;
};

constexpr DWORD kPopup = 0x80000000u;
constexpr DWORD kCaptioned = 0x80CA0000u;

const DisplayCase kCases[] = {
    // A window as wide as the desktop becomes full screen, and stays so.
    { "windowAsWideAsDesktop", 1280, 1024, 1280, 1024, 0, 1, true, kPopup, "SetDisplayMode 1280 1024", 0 },
    { "fullScreenConfigured", 1920, 1200, 1024, 768, 1, 1, true, kPopup, "SetDisplayMode 1024 768", 0 },
    { "windowOnWiderDesktop", 1920, 1080, 1280, 1024, 0, 0, false, kCaptioned, "SetDisplayMode 1280 1024", 0 },
    // A laptop's desktop: the game starts at 1024 x 768 instead, full screen
    // where a window with its title bar would not fit.
    { "laptop1366x768", 1366, 768, 1280, 1024, 0, 1, true, kPopup, "SetDisplayMode 1024 768", 0 },
    { "laptop1280x800", 1280, 800, 1280, 1024, 0, 0, false, kCaptioned, "SetDisplayMode 1024 768", 0 },
    { "desktop1024x768", 1024, 768, 1280, 1024, 1, 1, true, kPopup, "SetDisplayMode 1024 768", 0 },
    // The desktop too small: a captioned window of the desktop's size.
    { "desktopTooSmall", 1024, 600, 1024, 768, 0, 0, false, kCaptioned, "SetDisplayMode 1024 600", 1 },
    { "desktopTooSmallFor1280", 1280, 720, 1280, 1024, 0, 0, false, kCaptioned, "SetDisplayMode 1280 720", 1 },
};

TEST_F(PPAppTest, InitChoosesTheDisplayModeForTheDesktop)
{
    for (const DisplayCase& c : kCases) {
        SCOPED_TRACE(c.name);
        gfx.calls.clear();
        settings.width = c.width;
        settings.height = c.height;
        settings.screenMode = c.screenMode;
        TestPPApp app;
        app.OpenWindow();
        app.desktopWidth = c.desktopWidth;
        app.desktopHeight = c.desktopHeight;

        test::LogCapture log;
        ASSERT_TRUE(app.Init());
        const bool smaller = c.width > c.desktopWidth || c.height > c.desktopHeight;
        EXPECT_EQ(log.Contains(L"starting at 1024x768"), smaller && !c.tooSmall);
        EXPECT_EQ(settings.screenMode, c.expectedScreenMode);
        EXPECT_EQ(world.desktopTooSmall, c.tooSmall);
        EXPECT_EQ(world.desktopWidth, c.desktopWidth);
        EXPECT_EQ(Called("ApplyFullScreen"), c.fullScreen);
        EXPECT_TRUE(Called(c.displayMode));
        EXPECT_EQ(app.WindowStyle(), c.style);
        // The device covers the desktop; the game's size is its display mode.
        EXPECT_EQ(
            gfx.calls.front(), "Create " + std::to_string(c.desktopWidth) + " " + std::to_string(c.desktopHeight));
        EXPECT_EQ(app.engineStops, 0);
    }
}

TEST_F(PPAppTest, DesktopTooSmallSequenceGivesAWindowOfTheDesktopsSize)
{
    settings.width = 1024;
    settings.height = 768;
    TestPPApp app;
    app.OpenWindow();
    app.desktopWidth = 1024;
    app.desktopHeight = 600;
    ASSERT_TRUE(app.Init());

    const std::vector<std::string> expected = { "Create 1024 600", "RestoreResources", "ReleaseResources",
        "ReleaseResources", "SetDisplayMode 1024 600", "RestoreResources", "Clear 3 0x00000000", "ResetState" };
    EXPECT_EQ(gfx.calls, expected);
    const RECT client = app.Client();
    EXPECT_EQ(client.right, 1024);
    EXPECT_EQ(client.bottom, 600);
    EXPECT_EQ(app.GetClientWidth(), 1024);
    EXPECT_EQ(app.GetClientHeight(), 600);
    EXPECT_TRUE(platform::IsWindowVisible(app.GetWindow()));
}

TEST_F(PPAppTest, FailedDeviceIsLoggedAndTheEngineClosed)
{
    test::LogCapture log;
    gfx.createResult = GFX_E_NO_DEVICE;
    TestPPApp app;
    app.OpenWindow();
    EXPECT_FALSE(app.Init());
    EXPECT_EQ(app.engineStops, 1);
    EXPECT_EQ(log.lines.back(), L"error: FAILED: No compatible device found.");
    // Nothing was drawn or switched on a device that does not exist.
    EXPECT_EQ(gfx.calls, std::vector<std::string> { "Create 1280 1024" });
}

TEST_F(PPAppTest, EngineThatDidNotStartIsNeverCalled)
{
    test::LogCapture log;
    iGfxDevice* const device = g_pGfxDevice;
    iGfx2D* const gfx2d = g_pGfx2D;
    g_pGfxDevice = nullptr;
    g_pGfx2D = nullptr;
    TestPPApp app;
    app.OpenWindow();
    EXPECT_FALSE(app.Init());
    g_pGfxDevice = device;
    g_pGfx2D = gfx2d;
    EXPECT_TRUE(gfx.calls.empty());
    ASSERT_FALSE(log.lines.empty());
    EXPECT_EQ(log.lines.back(), L"error: FAILED: No DirectX 8.x installed.");
}

TEST_F(PPAppTest, DeviceErrorTexts)
{
    const std::pair<uint32_t, const wchar_t*> texts[] = {
        { 0x82000001u, L"No DirectX 8.x installed." },
        { 0x82000002u, L"Invalid window handle." },
        { 0x82000003u, L"No compatible device found." },
        { 0x82000004u, L"No device for windowed mode found." },
        { 0x82000005u, L"No hardware device found." },
        { 0x82000006u, L"Incompatible HAL." },
        { 0x82000007u, L"No available HAL for windowed mode." },
        { 0x82000008u, L"Unknown error" },
        { 0x82000009u, L"No available HAL for requested mode mode." },
        { 0x8200000Au, L"Unknown error" },
        { 0x80004005u, L"Unknown error" },
    };
    for (const auto& [code, text] : texts)
        EXPECT_EQ(cPPApp::GetDeviceErrorText(static_cast<HRESULT>(code)), text) << std::hex << code;
}

TEST_F(PPAppTest, VideoModeChangeAppliesTheModeInTheNextFrame)
{
    TestPPApp app;
    app.OpenWindow();
    app.desktopWidth = 1920;
    app.desktopHeight = 1200;
    ASSERT_TRUE(app.Init());
    world.languageChanged = 0;

    // To full screen.
    gfx.calls.clear();
    world.fullScreen = 1;
    world.videoModeChanged = 1;
    app.Frame();
    EXPECT_EQ(world.videoModeChanged, 0);
    EXPECT_EQ(settings.screenMode, 1);
    EXPECT_TRUE(Called("ApplyFullScreen"));
    EXPECT_EQ(app.WindowStyle(), 0x90080000u);
    // The mouse's limits follow the picture to the whole screen.
    EXPECT_EQ(world.rebindInput, 1);

    // Back to a window: the input device follows it.
    world.rebindInput = 0;
    gfx.calls.clear();
    world.fullScreen = 0;
    world.videoModeChanged = 1;
    app.Frame();
    EXPECT_EQ(settings.screenMode, 0);
    EXPECT_FALSE(Called("ApplyFullScreen"));
    EXPECT_TRUE(Called("SetDisplayMode 1280 1024"));
    EXPECT_EQ(app.WindowStyle(), 0x80CA0000u);
    EXPECT_EQ(world.rebindInput, 1);
    EXPECT_EQ(app.Client().right, 1280);
}

} // namespace
