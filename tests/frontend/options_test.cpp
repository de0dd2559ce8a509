// The options screen: volume bars that follow a held mouse, mute, the screen
// mode requests, the layout of its buttons and the close button that writes
// config.cfg.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "frontend/menu_options.h"
#include "resources/property_file.h"
#include "scene/hud_fixture.h"

namespace {

using Scene::MenuOptions;

class OptionsTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        // Each image of its own size, starting at x = its number on page 0.
        const std::string dir = "data/gui/interface/menu/menu_options_1024";
        const std::vector<std::tuple<std::string, int, int>> images = { { "menu_options.png", 600, 340 },
            { "balken_off.png", 456, 30 }, { "balken_over.png", 456, 30 }, { "mute1_off.png", 70, 43 },
            { "mute2_off.png", 70, 43 }, { "screen1_off.png", 70, 43 }, { "button_short_off.png", 180, 43 },
            { "button_short_over.png", 180, 43 }, { "screen2_off.png", 70, 43 }, { "screen6_off.png", 70, 43 } };
        WriteSizedSet(dir, images);
        world.optionsOpen = world.levelActive = 1;
        world.musicVolume = world.soundVolume = 0.5f;
        options.SetActive(true);
    }
    void Frame()
    {
        gfx.ClearRecords();
        Wait(17);
        options.Draw();
    }
    void ClickFrame(int x, int y, bool hold = false)
    {
        MoveMouse(x, y);
        (hold ? world.leftDown : world.leftClick) = 1;
        Frame();
        world.leftDown = world.leftClick = 0;
    }
    void ClickControl(int control)
    {
        Frame();
        ClickFrame(options.ControlX(control, true) + 5, options.ControlY(control, true) + 5);
    }

    MenuOptions options;
};

TEST_F(OptionsTest, TheMusicBarFollowsAHeldMouseAndMuteSilencesIt)
{
    world.musicStream = sound.Play2D("data/sound/music/level.ogg");
    Frame();
    const int bx = options.ControlX(MenuOptions::kMusicBar, true);
    const int by = options.ControlY(MenuOptions::kMusicBar, true) + 5;
    const std::pair<int, float> cases[] = { { bx + 456, 1.0f }, { bx + 227, 0.5f }, { bx, 1.0f / 456.0f } };
    for (const auto& [x, value] : cases) {
        ClickFrame(x, by, true);
        EXPECT_FLOAT_EQ(world.musicVolume, value);
        EXPECT_FLOAT_EQ(world.musicPlayVolume, value);
        EXPECT_FLOAT_EQ(sound.sounds[0]->volumes.back(), value);
    }

    world.musicVolume = 0.5f;
    ClickControl(MenuOptions::kMute);
    EXPECT_EQ(cSettings::Instance().mute, 1);
    EXPECT_FLOAT_EQ(sound.sounds[0]->volumes.back(), 0.0f);
    ClickControl(MenuOptions::kMute);
    EXPECT_EQ(cSettings::Instance().mute, 0);
    EXPECT_FLOAT_EQ(sound.sounds[0]->volumes.back(), 0.5f);
}

// At both sizes, in the level and in the main menu: each volume bar is drawn
// where the mouse takes hold of it and lit as far as its value goes, the bars
// and toggles stand on the screen's panel, no two buttons overlap, and the
// hint line stands clear of them all.
TEST_F(OptionsTest, BarsAreLitToTheirValueAndNeitherButtonsNorTheHintOverlap)
{
    const auto overlap = [](const RECT& p, const RECT& q) {
        return p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom;
    };
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        for (const int inLevel : { 1, 0 }) {
            for (const float value : { 1.0f, 0.5f }) {
                SCOPED_TRACE(
                    std::to_string(width) + (inLevel ? " in a level " : " in the main menu ") + std::to_string(value));
                cSettings::Instance().SetResolution(width, height);
                world.levelActive = inLevel;
                world.musicVolume = world.soundVolume = value;
                options.SetActive(false);
                options.SetActive(true);
                MoveMouse(0, 0);
                Frame();
                std::map<std::string, std::vector<RECT>> drawn;
                const auto images = Images();
                std::size_t image = 0;
                for (const test::GfxDraw& d : gfx.draws)
                    if (d.kind == test::GfxDraw::Kind::Texture)
                        drawn[images[image++].name.substr(0, 6)].push_back(d.target);
                const auto& bars = drawn["balken"];
                ASSERT_EQ(bars.size(), 4u); // each bar, then its light
                for (const std::size_t bar : { 0u, 1u }) {
                    const RECT& b = bars[2 * bar];
                    EXPECT_EQ(std::pair(b.left, b.top),
                        std::pair(options.ControlX(int(bar), inLevel), options.ControlY(int(bar), inLevel)));
                    EXPECT_NEAR(bars[2 * bar + 1].right - b.left, (b.right - b.left) * value, 1.0);
                }
                std::vector<RECT> buttons = drawn["mute1_"];
                for (const char* kind : { "mute2_", "screen", "button" })
                    buttons.insert(buttons.end(), drawn[kind].begin(), drawn[kind].end());
                ASSERT_EQ(buttons.size(), 5u);
                ASSERT_EQ(drawn["menu_o"].size(), 1u) << "no panel";
                const RECT& panel = drawn["menu_o"][0];
                std::vector<RECT> controls = bars;
                controls.insert(controls.end(), buttons.begin(), buttons.end() - (inLevel ? 0 : 1)); // not Done
                for (const RECT& c : controls)
                    EXPECT_TRUE(c.left >= panel.left && c.top >= panel.top && c.right <= panel.right
                        && c.bottom <= panel.bottom)
                        << "a control off the panel at " << c.left << "," << c.top;
                const auto hint = std::ranges::find(gfx.draws, std::wstring(L"text 97"), &test::GfxDraw::text);
                ASSERT_NE(hint, gfx.draws.end());
                const RECT text { hint->x, hint->y, hint->x + static_cast<int>(hint->text.size()) * gfx.charWidth,
                    hint->y + static_cast<const test::RecordingFont*>(hint->font)->size };
                for (std::size_t a = 0; a < buttons.size(); ++a) {
                    EXPECT_FALSE(overlap(text, buttons[a])) << "the hint at " << text.left << "," << text.top;
                    for (std::size_t b = a + 1; b < buttons.size(); ++b)
                        EXPECT_FALSE(overlap(buttons[a], buttons[b])) << a << " and " << b;
                }
            }
        }
    }
}

TEST_F(OptionsTest, CloseResumesTheLevelAndWritesTheSettings)
{
    cSettings::Instance().canSave = true;
    world.userFolder = platform::NarrowToWide(folder.Path());
    world.SetPause(true);
    Frame();
    ClickFrame(options.ControlX(0, true) + 456, options.ControlY(0, true) + 5, true);
    ClickFrame(options.PanelX() + 400, options.PanelY() + 240); // the close button
    EXPECT_EQ(world.optionsOpen, 0);
    EXPECT_EQ(world.gameMenuClosed, 1);
    EXPECT_EQ(world.paused, 0);
    PropertyFile config;
    ASSERT_TRUE(config.Serialize(platform::NarrowToWide(folder / "config.cfg"), false));
    EXPECT_FLOAT_EQ(config.GetFloat(L"music volume", 0.0f), 1.0f);
}

// Closed from the start screen, the options go back to the profiles (the
// start screen), leave the game paused as it was and write the settings.
TEST_F(OptionsTest, CloseInTheMainMenuGoesBackToTheStartScreen)
{
    cSettings::Instance().canSave = true;
    world.userFolder = platform::NarrowToWide(folder.Path());
    world.levelActive = 0;
    world.loadingPhase = 1;
    world.gameMenuClosed = 0;
    world.SetPause(true);
    Frame();
    ClickFrame(160 + 380 + 5, 350 + 510 + 5); // the close button, 1280 wide
    EXPECT_EQ(world.optionsOpen, 0);
    EXPECT_EQ(world.profilesOpen, 1);
    EXPECT_EQ(world.loadingPhase, 0);
    EXPECT_EQ(world.gameMenuClosed, 0);
    EXPECT_EQ(world.paused, 1);
    EXPECT_TRUE(std::filesystem::exists(folder / "config.cfg"));
}

// Each toggle names itself in the hint line while the mouse rests on it and
// does its one thing when clicked; over nothing the idle hint shows in a level,
// and in the main menu only while windowed.
TEST_F(OptionsTest, EachToggleNamesItselfAndDoesItsThing)
{
    const struct {
        const char* what;
        int control; // -1 nothing
        bool inLevel;
        uint8_t fullScreen, centred;
        const wchar_t* hint; // nullptr none
    } cases[] = {
        { "mute", MenuOptions::kMute, true, 1, 0, L"text 70" },
        { "full screen", MenuOptions::kFullScreen, true, 0, 0, L"text 71" },
        { "window", MenuOptions::kWindow, true, 1, 0, L"text 99" },
        { "centring off", MenuOptions::kCentring, true, 0, 0, L"text 150" },
        { "centring on", MenuOptions::kCentring, true, 0, 1, L"text 151" },
        { "nothing in a level", -1, true, 1, 0, L"text 97" },
        { "nothing in the menu, windowed", -1, false, 0, 0, L"text 97" },
        { "nothing in the menu, full screen", -1, false, 1, 0, nullptr },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        cSettings::Instance().SetResolution(1280, 1024);
        cSettings::Instance().mute = 0;
        world.levelActive = c.inLevel ? 1 : 0;
        world.fullScreen = c.fullScreen;
        world.windowCenter = c.centred;
        world.videoModeChanged = world.screenSizeChanged = 0;
        Frame();
        if (c.control >= 0)
            MoveMouse(options.ControlX(c.control, c.inLevel) + 5, options.ControlY(c.control, c.inLevel) + 5);
        else
            MoveMouse(5, 5);
        Frame();
        const auto texts = gfx.Texts();
        for (const wchar_t* hint : { L"text 70", L"text 71", L"text 99", L"text 150", L"text 151", L"text 97" })
            EXPECT_EQ(std::count(texts.begin(), texts.end(), hint), c.hint && std::wstring(c.hint) == hint ? 2 : 0)
                << platform::WideToNarrow(hint);
        if (c.control < 0)
            continue;
        world.leftClick = 1;
        Frame();
        world.leftClick = 0;
        EXPECT_EQ(cSettings::Instance().mute, c.control == MenuOptions::kMute ? 1 : 0);
        EXPECT_EQ(world.windowCenter, c.control == MenuOptions::kCentring ? 1 - c.centred : c.centred);
        const bool mode = c.control == MenuOptions::kFullScreen || c.control == MenuOptions::kWindow;
        EXPECT_EQ(world.videoModeChanged, mode ? 1 : 0);
        if (mode) {
            EXPECT_EQ(world.fullScreen, c.control == MenuOptions::kFullScreen ? 1 : 0);
        }
        EXPECT_EQ(world.screenSizeChanged, c.control == MenuOptions::kWindow ? 1 : 0);
    }
}

} // namespace
