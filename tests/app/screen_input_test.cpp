// The options' screen buttons through the real program, driven by input alone
// on a desktop larger than the game: window, full screen, window, full screen,
// then the close button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/options_screen.h"
#include "platform/utf16.h"
#include "resources/property_file.h"
#include "support/menu_route.h"
#include "support/temp_folder.h"
#include "whole_game_fixture.h"

namespace {

using Scene::OptionsScreen;

class ScreenModeApp : public cGameApp {
public:
    bool Frame() override
    {
        ++frames;
        cGameWorld& world = cGameWorld::Instance();
        const cSettings& settings = cSettings::Instance();
        if (frames == 1)
            platform::InjectKey(window, "Escape", true);
        if (!startAt && test::StartScreenOpen()) {
            // as the start screen's options button
            startAt = frames;
            cScreenManager::Instance().GetScreen(cScreenManager::kOptions)->SetActive(true);
            world.profilesOpen = 0;
            world.optionsOpen = 1;
        }
        static constexpr int kClicks[] = { OptionsScreen::kWindow, OptionsScreen::kFullScreen, OptionsScreen::kWindow,
            OptionsScreen::kFullScreen, -1 };
        const int step = frames - startAt, click = step / 20;
        const auto* options = cScreenManager::Instance().Get<OptionsScreen>(cScreenManager::kOptions);
        if (startAt && click < 5 && (step % 20 == 10 || step % 20 == 11)) {
            const int control = kClicks[click];
            const int x = control < 0 ? 600 : options->ControlX(control, false) + 5;
            const int y = control < 0 ? 880 : options->ControlY(control, false) + 5;
            if (g_pInputDevice)
                g_pInputDevice->SetCursorPos(x, y);
            platform::InjectMouseButton(window, 1, step % 20 == 10, x, y);
        }
        if (startAt && click < 5 && step % 20 == 19)
            sizes.push_back(std::to_string(settings.GetWidth()) + (settings.screenMode ? " full" : " window"));
        if (startAt && click >= 5)
            test::QuitFromProfiles();
        return cGameApp::Frame() && frames < 600;
    }

    std::vector<std::string> sizes;
    int frames = 0, startAt = 0;

private:
    void QueryDesktopSize(int& width, int& height) override { width = 1920, height = 1200; }
};

TEST_F(WholeGameTest, FullScreenFromTheWindowReturnsToTheDesignSizeAndStaysThereAfterARestart)
{
    ShowLogos();
    test::TempFolder user;
    world.userFolder = platform::NarrowToWide(user.Path());
    settings.canSave = true;
    ScreenModeApp app;
    app.Run();
    settings.canSave = false;
    EXPECT_EQ(
        app.sizes, (std::vector<std::string> { "1024 window", "1280 full", "1024 window", "1280 full", "1280 full" }));
    // The close button, at the foot of the full picture, wrote the settings.
    PropertyFile config;
    ASSERT_TRUE(config.Serialize(platform::NarrowToWide(user / "config.cfg"), false));
    EXPECT_EQ(config.GetInt(L"screen mode", 0), 1);

    // The next start, from that file.
    g_pGfxDevice = recordingDevice;
    g_pGfx2D = recording2D;
    settings.SetResolution(config.GetInt(L"x resolution", 0), config.GetInt(L"y resolution", 0));
    settings.screenMode = config.GetInt(L"screen mode", 0);
    TestGameApp next;
    next.OpenWindow();
    next.desktopWidth = 1920, next.desktopHeight = 1200;
    ASSERT_TRUE(next.Init());
    EXPECT_TRUE(Called("SetDisplayMode 1280 1024") && Called("ApplyFullScreen"));
}

} // namespace
