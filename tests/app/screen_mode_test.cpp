// Switching between full screen and the 1024 x 768 window: a window that does
// not fit on the desktop with its title bar is refused in words, and a switch
// made on any screen (the start screen, the options, the map, the result
// table, the shop, a level, also while the pages of the level's screens load)
// leaves every screen drawn after it at the new size, with the new size's
// images, nothing past its panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "frontend/options_screen.h"
#include "recorded_app.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/screen_manager.h"
#include "support/log_capture.h"
#include "support/menu_route.h"
#include "whole_game_fixture.h"

namespace {

constexpr DWORD kCaptioned = 0x80CA0000u;
constexpr int kWindowRefusedText = 46;

TEST_F(GameAppTest, WindowThatDoesNotFitWithItsTitleBarIsRefusedInWords)
{
    const struct {
        const char* name;
        int desktopWidth, desktopHeight, usableWidth, usableHeight;
        bool window;
    } cases[] = {
        // The window's client area alone is as high as the desktop.
        { "laptop1366x768", 1366, 768, 1366, 768, false },
        // A panel leaves too little room for the title bar.
        { "panelOn1280x800", 1280, 800, 1280, 776, false },
        { "room1280x800", 1280, 800, 1280, 800, true },
        { "panelOn1920x1200", 1920, 1200, 1920, 1160, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings.SetResolution(1280, 1024);
        settings.screenMode = 1;
        world.ResetToDefaults();
        TestGameApp app;
        app.OpenWindow();
        app.desktopWidth = c.desktopWidth;
        app.desktopHeight = c.desktopHeight;
        app.usableWidth = c.usableWidth;
        app.usableHeight = c.usableHeight;
        ASSERT_TRUE(app.Init());
        ASSERT_TRUE(cScreenManager::Instance().CreateScreens());
        auto* options = cScreenManager::Instance().Get<Scene::OptionsScreen>(cScreenManager::kOptions);
        ASSERT_NE(options, nullptr);
        options->SetActive(true);

        // As the options' window button, carried out by the next frame.
        Scene::OptionsScreen::ChooseWindow();
        gfx.calls.clear();
        test::LogCapture log;
        app.Frame();
        EXPECT_EQ(log.Contains(L"cGameApp::ApplyVideoMode -> A 1024x768 window with its frame does not fit on the "
                               L"desktop's free "
                      + std::to_wstring(c.usableWidth) + L"x" + std::to_wstring(c.usableHeight)),
            !c.window);
        EXPECT_EQ(settings.screenMode, c.window ? 0 : 1);
        EXPECT_EQ(app.WindowStyle() == kCaptioned, c.window);
        EXPECT_EQ(std::ranges::count(gfx.calls, "ApplyFullScreen"), c.window ? 0 : 1);

        // The options, still open, say why in their hint line.
        world.optionsOpen = 1;
        gfx.draws.clear();
        options->Draw();
        const std::wstring refusal = g_guiVocabulary[kWindowRefusedText];
        ASSERT_FALSE(refusal.empty());
        EXPECT_EQ(std::ranges::any_of(gfx.draws, [&](const test::GfxDraw& d) { return d.text == refusal; }), !c.window);
        cScreenManager::Instance().DestroyScreens();
        DeleteFonts();
    }
}

// The start screen, the options, the map, the result table, the shop and a
// level: on each a switch once it shows, and a look at it once the switch is
// carried out and the screen has faded in.
class SwitchingApp : public ScriptedApp {
public:
    SwitchingApp()
    {
        cGameWorld& world = cGameWorld::Instance();
        steps.Add(
            "the first frame", [] { return true; }, [this] { platform::InjectKey(window, "Escape", true); });
        OnTheMenuScreens(world);
        InTheLevel(world, true);
        // Back from the level on the start screen the level was played from.
        steps.Add(
            "the start screen after the level", [this] { return DrawnBy() == L"cStateMenu"; }, [this] { Switch(); });
        steps.Add(
            "the start screen at the new size", [] { return Settled(cScreenManager::kStart); },
            [this, &world] {
                Look("start after the level");
                world.profilesOpen = 1;
                test::PlayLevelFromMap(kLevel);
            });
        InTheLevel(world, false);
        steps.Add(
            "the main menu after the level", [this] { return TopState() == L"cStateMenu"; },
            [] { test::QuitFromProfiles(); });
        steps.Add(
            "the credits", [this] { return DrawnBy() == L"cStateExit"; },
            [this] { platform::InjectKey(window, "Escape", true); });
        steps.EndOfGame("the game's end after the credits");
    }

    std::set<std::string> looked;
    std::vector<std::string> breaches;
    bool switchedWhileLoading = false;

protected:
    void QueryUsableArea(int& width, int& height) override { width = 1920, height = panel ? 780 : 1200; }

private:
    bool GameFrame() override
    {
        SwitchWhileTheLevelScreensLoad(cGameWorld::Instance());
        return cGameApp::Frame();
    }

    // Full screen is 1280 x 1024 on this desktop, the window 1024 x 768.
    void Switch()
    {
        if (cSettings::Instance().GetWidth() == 1280)
            Scene::OptionsScreen::ChooseWindow();
        else
            Scene::OptionsScreen::ChooseFullScreen();
    }

    // The start-up loads the level's screens in the main menu, one a frame:
    // the switch comes when the head-up display has its pages and the cars
    // do not yet.
    void SwitchWhileTheLevelScreensLoad(cGameWorld& world)
    {
        cScreenManager& menus = cScreenManager::Instance();
        const auto* hud = menus.GetScreen(cScreenManager::kHud);
        const auto* cars = menus.GetScreen(cScreenManager::kCarLayer);
        if (!switchedWhileLoading && world.loadingPhase && hud && hud->IsActive() && cars && !cars->IsActive()) {
            switchedWhileLoading = true;
            Switch();
        }
    }

    // The frame last presented, at the size the settings now give, with the
    // images of that size's set and its layout whole.
    void Look(const std::string& screen)
    {
        const int width = cSettings::Instance().GetWidth();
        const std::string name = screen + " at " + std::to_string(width);
        test::Frame frame;
        if (!ReadFrame(name, frame)) {
            breaches.push_back(name + ": no frame");
            return;
        }
        looked.insert(screen);
        if (frame.width != width || frame.height != cSettings::Instance().GetHeight())
            breaches.push_back(name + ": the frame is " + std::to_string(frame.width) + " wide");
        const auto endsSmall = [](const std::string& folder) { return folder.size() > 5 && folder.ends_with("_1024"); };
        std::set<std::string> wrongSet;
        for (const test::GfxDraw& d : Draws()) {
            const test::ImageCatalog::Image* image = ImageOf(d);
            if (!image)
                continue;
            const bool small = endsSmall(image->folder);
            const std::string other
                = small ? image->folder.substr(0, image->folder.size() - 5) : image->folder + "_1024";
            // An image drawn from one size's set where the other size's set
            // has it too.
            if (small == (width == 1280) && Catalog().Named(other, image->name))
                wrongSet.insert(image->folder + "/" + image->name);
        }
        for (const std::string& image : wrongSet)
            breaches.push_back(name + ": drawn from the other size's set: " + image);
        for (std::string& breach : test::CheckLayout(frame))
            breaches.push_back(std::move(breach));
    }

    // A switch carried out, and the screen in that slot faded in.
    static bool Settled(int slot) { return !cGameWorld::Instance().videoModeChanged && FadedIn(slot); }

    // The start screen, the options (and the window refused there), the map,
    // the result table, the shop; then the level from the map.
    void OnTheMenuScreens(cGameWorld& world)
    {
        steps.Add(
            "the start screen, faded in", [] { return test::StartScreenOpen() && FadedIn(cScreenManager::kStart); },
            [this] { Switch(); });
        steps.Add(
            "the start screen at the new size", [] { return Settled(cScreenManager::kStart); },
            [this, &world] {
                Look("start");
                OpenOptionsFromStart(world);
            });
        steps.Add(
            "the options, faded in", [] { return FadedIn(cScreenManager::kOptions); }, [this] { Switch(); });
        steps.Add(
            "the options at the new size", [] { return Settled(cScreenManager::kOptions); },
            [this] {
                Look("options");
                // A panel takes the room the window's title bar needs.
                panel = true;
                Scene::OptionsScreen::ChooseWindow();
            });
        steps.Add(
            "the options after the window was asked for", [] { return Settled(cScreenManager::kOptions); },
            [this, &world] {
                if (cSettings::Instance().GetWidth() == 1280 && cSettings::Instance().screenMode == 1)
                    Look("options refusing the window");
                panel = false;
                // closed, and on from the start screen to the map
                world.optionsOpen = 0;
                world.profilesOpen = 0;
            });
        steps.Add(
            "the map, faded in", [this] { return FadedIn(cScreenManager::kWorldMap) && ShowsImage("map2.png"); },
            [this] { Switch(); });
        steps.Add(
            "the map at the new size", [] { return Settled(cScreenManager::kWorldMap); },
            [this, &world] {
                Look("map");
                OpenHighscores(world);
            });
        steps.Add(
            "the result table, faded in",
            [&world] { return world.highscoreTableReady && FadedIn(cScreenManager::kResultScreen); },
            [this] { Switch(); });
        steps.Add(
            "the result table at the new size",
            [&world] { return world.highscoreTableReady && Settled(cScreenManager::kResultScreen); },
            [this, &world] {
                Look("results");
                world.highscoresOpen = world.resultScreenOpen = 0;
                world.money = 1000;
                // the city pin at the map's lower left
                g_pInputDevice->SetCursorPos(Scene::ScaleX(50), Scene::ScaleY(750));
            });
        ClickCityPin();
        steps.Add(
            "the shop, faded in", [&world] { return world.shopOpen && FadedIn(cScreenManager::kShop); },
            [this] { Switch(); });
        steps.Add(
            "the shop at the new size", [] { return Settled(cScreenManager::kShop); },
            [this] {
                Look("shop");
                platform::InjectKey(window, "Escape", true);
            });
        steps.Add(
            "the shop left", [&world] { return !world.shopOpen; },
            [&world] {
                world.profilesOpen = 1;
                test::PlayLevelFromMap(kLevel);
            });
    }

    // The level: the first time a switch in its first frame, while its
    // screens load their pages, and one in play; the second time only looks.
    void InTheLevel(cGameWorld& world, bool first)
    {
        if (first)
            steps.Add(
                "the level's first frame", [this] { return TopState() == L"cStateGame"; }, [this] { Switch(); });
        steps.Add(
            "the level's task dialog, faded in",
            [this, &world] {
                return DrawnBy() == L"cStateGame" && world.taskBookOpen && Settled(cScreenManager::kTask);
            },
            [this, first] {
                Look(first ? "level task" : "level task after a switch on the start screen");
                platform::InjectKey(window, "Escape", true);
            });
        const auto lit = [&world] {
            return !world.taskBookOpen && !world.brightening && !world.darkening && Settled(cScreenManager::kHud);
        };
        if (first)
            steps.Add("the level lit, its task dialog closed", lit, [this] { Switch(); });
        steps.Add(
            first ? "the level at the new size" : "the level lit, its task dialog closed", lit, [this, &world, first] {
                Look(first ? "level" : "level after a switch on the start screen");
                world.leaveLevel = 1;
                // The map, not drawn under the profile screen here, would
                // clear the start request its play button left.
                world.menuChoice = -1;
            });
    }

    static constexpr int kLevel = 6;
    bool panel = false;
};

TEST_F(WholeGameTest, EveryScreenDrawsAtTheNewSizeAfterASwitch)
{
    settings.SetResolution(1024, 768);
    settings.screenMode = 0;
    ShowLogos();
    SwitchingApp app;
    EXPECT_TRUE(app.Run());
    EXPECT_EQ(app.steps.Unfinished(), "");
    EXPECT_TRUE(app.switchedWhileLoading) << "the switch while the level's screens load never came";
    for (const char* screen : { "start", "options", "options refusing the window", "map", "results", "shop",
             "level task", "level", "start after the level", "level task after a switch on the start screen",
             "level after a switch on the start screen" })
        EXPECT_TRUE(app.looked.count(screen)) << screen;
    for (const std::string& breach : app.breaches)
        ADD_FAILURE() << breach;
}

} // namespace
