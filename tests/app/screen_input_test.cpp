// The options' screen buttons through the real program, driven by input alone
// on a desktop larger than the game: window, full screen, window, full screen,
// then the close button.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "frontend/options_screen.h"
#include "platform/utf16.h"
#include "recorded_app.h"
#include "resources/property_file.h"
#include "support/menu_route.h"
#include "support/temp_folder.h"
#include "whole_game_fixture.h"

namespace {

using Scene::OptionsScreen;

class ScreenModeApp : public ScriptedApp {
public:
    ScreenModeApp()
    {
        cGameWorld& world = cGameWorld::Instance();
        steps.Add(
            "the first frame", [] { return true; }, [this] { platform::InjectKey(window, "Escape", true); });
        steps.Add("the start screen", test::StartScreenOpen, [&world] {
            // as the start screen's options button
            cScreenManager::Instance().GetScreen(cScreenManager::kOptions)->SetActive(true);
            world.profilesOpen = 0;
            world.optionsOpen = 1;
        });
        for (const int control : std::initializer_list<int> { OptionsScreen::kWindow, OptionsScreen::kFullScreen,
                 OptionsScreen::kWindow, OptionsScreen::kFullScreen, -1 }) {
            steps.Add(
                "the options", [&world] { return world.optionsOpen && FadedIn(cScreenManager::kOptions); },
                [this, control] {
                    const auto* options = cScreenManager::Instance().Get<OptionsScreen>(cScreenManager::kOptions);
                    const int x = control < 0 ? 600 : options->ControlX(control, false) + 5;
                    const int y = control < 0 ? 880 : options->ControlY(control, false) + 5;
                    Press(x, y, true);
                });
            LetGoNextFrame();
            // A screen button asks for the mode, which the next frame sets.
            if (control >= 0) {
                steps.Add("the mode asked for", [&world] { return world.videoModeChanged != 0; });
                steps.Add(
                    "the mode set", [&world] { return world.videoModeChanged == 0; }, [this] { NoteSize(); });
            } else {
                steps.Add(
                    "the options closed", [&world] { return !world.optionsOpen; },
                    [this] {
                        NoteSize();
                        test::QuitFromProfiles();
                    });
            }
        }
        steps.EndOfGame("the game's end from the start screen");
    }

    std::vector<std::string> sizes;

private:
    void NoteSize()
    {
        const cSettings& settings = cSettings::Instance();
        sizes.push_back(std::to_string(settings.GetWidth()) + (settings.screenMode ? " full" : " window"));
    }
};

TEST_F(WholeGameTest, FullScreenFromTheWindowReturnsToTheDesignSizeAndStaysThereAfterARestart)
{
    ShowLogos();
    test::TempFolder user;
    world.userFolder = platform::NarrowToWide(user.Path());
    settings.canSave = true;
    ScreenModeApp app;
    app.Run();
    EXPECT_EQ(app.steps.Unfinished(), "");
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
