// The options screen: volume bars that follow a held mouse, the test gong,
// mute, the screen mode requests and a refused window, the layout of its
// buttons, the main menu's clouds and the close button that writes config.cfg.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "frontend/options_screen.h"
#include "resources/property_file.h"
#include "scene/hud_fixture.h"

namespace {

using Scene::OptionsScreen;

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

    OptionsScreen options;
};

TEST_F(OptionsTest, TheMusicBarFollowsAHeldMouseAndMuteSilencesIt)
{
    world.musicStream = sound.Play2D("data/sound/music/level.ogg");
    Frame();
    const int bx = options.ControlX(OptionsScreen::kMusicBar, true);
    const int by = options.ControlY(OptionsScreen::kMusicBar, true) + 5;
    const std::pair<int, float> cases[] = { { bx + 456, 1.0f }, { bx + 227, 0.5f }, { bx, 1.0f / 456.0f } };
    for (const auto& [x, value] : cases) {
        ClickFrame(x, by, true);
        EXPECT_FLOAT_EQ(world.musicVolume, value);
        EXPECT_FLOAT_EQ(world.musicPlayVolume, value);
        EXPECT_FLOAT_EQ(sound.sounds[0]->volumes.back(), value);
    }

    world.musicVolume = 0.5f;
    ClickControl(OptionsScreen::kMute);
    EXPECT_EQ(cSettings::Instance().mute, 1);
    EXPECT_FLOAT_EQ(sound.sounds[0]->volumes.back(), 0.0f);
    ClickControl(OptionsScreen::kMute);
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
        { "mute", OptionsScreen::kMute, true, 1, 0, L"text 70" },
        { "full screen", OptionsScreen::kFullScreen, true, 0, 0, L"text 71" },
        { "window", OptionsScreen::kWindow, true, 1, 0, L"text 99" },
        { "centring off", OptionsScreen::kCentring, true, 0, 0, L"text 150" },
        { "centring on", OptionsScreen::kCentring, true, 0, 1, L"text 151" },
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
        EXPECT_EQ(cSettings::Instance().mute, c.control == OptionsScreen::kMute ? 1 : 0);
        EXPECT_EQ(world.windowCenter, c.control == OptionsScreen::kCentring ? 1 - c.centred : c.centred);
        const bool mode = c.control == OptionsScreen::kFullScreen || c.control == OptionsScreen::kWindow;
        EXPECT_EQ(world.videoModeChanged, mode ? 1 : 0);
        if (mode) {
            EXPECT_EQ(world.fullScreen, c.control == OptionsScreen::kFullScreen ? 1 : 0);
        }
        EXPECT_EQ(world.screenSizeChanged, c.control == OptionsScreen::kWindow ? 1 : 0);
    }
}

// A held bar sets its volume in a level and in the main menu, with a sound
// engine or without one. In a level, the sound bar rings the gong at the new
// volume for every frame it is held, muted or not, and gives each gong back
// at once; the main menu's bars and the music bar ring nothing.
TEST_F(OptionsTest, AHeldBarSetsItsVolumeAndOnlyTheSoundBarInALevelRingsTheGong)
{
    const struct {
        const char* what;
        bool engine, inLevel, muted;
        int bar; // -1 the mouse held below both bars
        bool held; // else clicked
        int gongs; // over three frames
    } cases[] = {
        { "sound bar in a level", true, true, false, OptionsScreen::kSoundBar, true, 3 },
        { "sound bar in a level, muted", true, true, true, OptionsScreen::kSoundBar, true, 3 },
        { "sound bar in a level without sound", false, true, false, OptionsScreen::kSoundBar, true, 0 },
        { "sound bar clicked, not held", true, true, false, OptionsScreen::kSoundBar, false, 0 },
        { "held off the bars", true, true, false, -1, true, 0 },
        { "music bar in a level", true, true, false, OptionsScreen::kMusicBar, true, 0 },
        { "music bar in a level without sound", false, true, false, OptionsScreen::kMusicBar, true, 0 },
        { "sound bar in the main menu", true, false, false, OptionsScreen::kSoundBar, true, 0 },
        { "sound bar in the main menu without sound", false, false, false, OptionsScreen::kSoundBar, true, 0 },
        { "music bar in the main menu without sound", false, false, false, OptionsScreen::kMusicBar, true, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.soundEngine = c.engine ? &sound : nullptr;
        world.levelActive = c.inLevel ? 1 : 0;
        cSettings::Instance().mute = c.muted ? 1 : 0;
        world.musicVolume = world.soundVolume = world.effectsVolume = 0.5f;
        sound.played.clear();
        sound.sounds.clear();
        options.SetActive(false);
        options.SetActive(true);
        MoveMouse(0, 0);
        Frame();
        const int bar = c.bar >= 0 ? c.bar : OptionsScreen::kSoundBar;
        const int x = options.ControlX(bar, c.inLevel) + 113; // a quarter along
        const int y = options.ControlY(bar, c.inLevel) + (c.bar >= 0 ? 5 : 31);
        for (int frame = 0; frame < 3; ++frame)
            ClickFrame(x, y, c.held);
        MoveMouse(0, 0);
        Frame(); // the labels show the value of the frames before
        const bool moved = c.held && c.bar >= 0;
        const float music = moved && c.bar == OptionsScreen::kMusicBar ? 0.25f : 0.5f;
        const float effects = moved && c.bar == OptionsScreen::kSoundBar ? 0.25f : 0.5f;
        EXPECT_FLOAT_EQ(world.musicVolume, music);
        EXPECT_FLOAT_EQ(world.soundVolume, effects);
        EXPECT_FLOAT_EQ(world.effectsVolume, effects);
        const auto texts = gfx.Texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), L"text 12: " + std::to_wstring(int(music * 100))), 2);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), L"text 13: " + std::to_wstring(int(effects * 100))), 2);
        EXPECT_EQ(Played("gong"), c.gongs);
        for (const auto& gong : sound.sounds) {
            EXPECT_EQ(gong->volumes, std::vector<float>({ 0.25f }));
            EXPECT_EQ(gong->releases, 1);
        }
    }
}

// A window the desktop could not hold is refused in the hint line for six
// seconds, over nothing and over the screen-mode buttons; the mute and
// centring buttons still name themselves. Then the usual hints come back.
TEST_F(OptionsTest, ARefusedWindowIsToldForSixSecondsExceptOverMuteAndCentring)
{
    const struct {
        double after; // milliseconds from the refusal to the frame
        int control; // -1 nothing
        const wchar_t* hint;
    } cases[] = {
        { 0, -1, L"text 46" },
        { 0, OptionsScreen::kMute, L"text 70" },
        { 0, OptionsScreen::kCentring, L"text 150" },
        { 0, OptionsScreen::kFullScreen, L"text 46" },
        { 0, OptionsScreen::kWindow, L"text 46" },
        { 5950, -1, L"text 46" },
        { 5950, OptionsScreen::kWindow, L"text 46" },
        { 6000, -1, L"text 97" },
        { 6000, OptionsScreen::kWindow, L"text 99" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.after << " ms, control " << c.control);
        Frame();
        options.TellWindowRefused();
        ms += c.after;
        if (c.control >= 0)
            MoveMouse(options.ControlX(c.control, true) + 5, options.ControlY(c.control, true) + 5);
        else
            MoveMouse(5, 5);
        Frame(); // 17 ms on
        const auto texts = gfx.Texts();
        for (const wchar_t* hint : { L"text 46", L"text 70", L"text 150", L"text 97", L"text 99" })
            EXPECT_EQ(std::count(texts.begin(), texts.end(), std::wstring(hint)), std::wstring(c.hint) == hint ? 2 : 0)
                << platform::WideToNarrow(hint);
    }
}

// Over the main menu the options' two clouds drift one pixel right per step
// of more than 34 ms, one step a frame at most, and always cover the sky's
// whole width between them: when one leaves on the right it comes back on the
// left.
TEST_F(OptionsTest, TheMainMenusCloudsDriftRightAndWrapWithoutAGap)
{
    WriteSizedSet("data/gui/interface/menu/menu_options_1024",
        { { "menu_options.png", 600, 340 }, { "balken_over.png", 456, 30 }, { "wolken.png", 1280, 300 } });
    world.levelActive = 0;
    options.SetActive(false);
    options.SetActive(true);
    const auto clouds = [this](double step) {
        gfx.ClearRecords();
        Wait(step);
        options.Draw();
        std::vector<int> xs;
        for (const test::HudImage& image : Images())
            if (image.name == "wolken.png")
                xs.push_back(image.x);
        return xs;
    };
    // Drawn where they are, then moved: 40 ms in, the step is taken after
    // the third frame.
    for (const double step : { 20.0, 10.0, 10.0 })
        EXPECT_EQ(clouds(step), std::vector<int>({ -1280, 0 }));
    int left = -1280;
    for (int step = 1; step <= 2 * 1280 + 5; ++step) {
        const std::vector<int> xs = clouds(1000.0);
        ASSERT_EQ(xs.size(), 2u);
        const auto [low, high] = std::minmax(xs[0], xs[1]);
        ASSERT_EQ(high - low, 1280) << step;
        ASSERT_EQ(low, left == -1 ? -1280 : left + 1) << step;
        left = low;
    }
    EXPECT_EQ(clouds(30.0), std::vector<int>({ 6 - 1280, 6 })) << "a frame of 34 ms or less moves nothing";
}

} // namespace
