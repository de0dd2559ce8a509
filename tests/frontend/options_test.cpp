// The options screen: volume bars that follow a held mouse, mute, the screen
// mode requests, the layout of its buttons and the close button that writes
// config.cfg.
#include <gtest/gtest.h>

#include <filesystem>
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
        std::filesystem::create_directories(folder / dir);
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        for (std::size_t i = 0; i < images.size(); ++i) {
            const auto& [name, width, height] = images[i];
            d.AddPart(d.AddImage(platform::NarrowToWide(name).c_str(), width, height), 0, static_cast<int>(i), 0, width,
                height);
            sets[dir].push_back(name);
        }
        ASSERT_TRUE(d.SaveToFile(folder / (dir + "/descriptor.xml")));
        std::ofstream(folder / (dir + "/page0.png"), std::ios::binary) << dir;
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
        SCOPED_TRACE(x);
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
// where the mouse takes hold of it and lit as far as its value goes, and the
// hint line stands clear of every button.
TEST_F(OptionsTest, BarsAreLitToTheirValueAndTheHintStandsClearOfTheButtons)
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
                std::vector<RECT> bars, lit, buttons;
                std::size_t image = 0;
                const auto images = Images();
                for (const test::GfxDraw& d : gfx.draws) {
                    if (d.kind != test::GfxDraw::Kind::Texture)
                        continue;
                    const std::string& name = images[image++].name;
                    if (name == "balken_off.png")
                        bars.push_back(d.target);
                    else if (name == "balken_over.png")
                        lit.push_back(d.target);
                    else if (name.starts_with("mute") || name.starts_with("screen") || name.starts_with("button"))
                        buttons.push_back(d.target);
                }
                ASSERT_EQ(bars.size(), 2u);
                ASSERT_EQ(lit.size(), 2u);
                for (const int bar : { MenuOptions::kMusicBar, MenuOptions::kSoundBar }) {
                    const RECT& b = bars[static_cast<std::size_t>(bar)];
                    EXPECT_EQ(b.left, options.ControlX(bar, inLevel));
                    EXPECT_EQ(b.top, options.ControlY(bar, inLevel));
                    EXPECT_NEAR(lit[static_cast<std::size_t>(bar)].right - b.left, (b.right - b.left) * value, 1.0);
                }
                const auto hint
                    = std::ranges::find_if(gfx.draws, [](const test::GfxDraw& d) { return d.text == L"text 97"; });
                ASSERT_NE(hint, gfx.draws.end());
                const int textHeight = static_cast<const test::RecordingFont*>(hint->font)->size;
                const RECT text { hint->x, hint->y, hint->x + static_cast<int>(hint->text.size()) * gfx.charWidth,
                    hint->y + textHeight };
                for (const RECT& button : buttons)
                    EXPECT_FALSE(overlap(text, button)) << "the hint at " << text.left << "," << text.top;
            }
        }
    }
}

TEST_F(OptionsTest, TheScreenButtonsRequestTheModeFromTheApplication)
{
    ClickControl(MenuOptions::kFullScreen);
    EXPECT_EQ(world.videoModeChanged, 1);
    EXPECT_EQ(world.fullScreen, 1);
    EXPECT_EQ(world.screenSizeChanged, 0);
    world.videoModeChanged = 0;
    ClickControl(MenuOptions::kWindow);
    EXPECT_EQ(world.videoModeChanged, 1);
    EXPECT_EQ(world.fullScreen, 0);
    EXPECT_EQ(cSettings::Instance().GetWidth(), 1024);
    EXPECT_EQ(world.screenSizeChanged, 1);
    EXPECT_EQ(world.rebindInput, 1);
}

TEST_F(OptionsTest, ButtonsNeverOverlapAndDoneLightsOnlyUnderTheMouse)
{
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        for (const int inLevel : { 1, 0 }) {
            SCOPED_TRACE(std::to_string(width) + (inLevel ? " in a level" : " in the main menu"));
            cSettings::Instance().SetResolution(width, height);
            world.levelActive = inLevel;
            MoveMouse(0, 0);
            Frame();
            const auto images = Images();
            std::vector<RECT> buttons;
            std::size_t image = 0;
            for (const test::GfxDraw& d : gfx.draws) {
                if (d.kind != test::GfxDraw::Kind::Texture)
                    continue;
                const std::string& name = images[image++].name;
                if (name.starts_with("mute") || name.starts_with("screen") || name.starts_with("button"))
                    buttons.push_back(d.target);
            }
            ASSERT_EQ(buttons.size(), 5u);
            for (std::size_t a = 0; a < buttons.size(); ++a) {
                for (std::size_t b = a + 1; b < buttons.size(); ++b) {
                    const RECT& p = buttons[a];
                    const RECT& q = buttons[b];
                    EXPECT_FALSE(p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom)
                        << a << " and " << b;
                }
            }
            const auto done = FindImage("button_short_off.png");
            ASSERT_TRUE(done);
            EXPECT_FALSE(FindImage("button_short_over.png"));
            MoveMouse(done->x + 10, done->y + 10);
            Frame();
            EXPECT_TRUE(FindImage("button_short_over.png"));
        }
    }
}

TEST_F(OptionsTest, CloseResumesTheLevelOrOpensTheProfilesAndWritesTheSettings)
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

    world.optionsOpen = 1;
    world.levelActive = 0;
    Frame();
    ClickFrame(545, 865);
    EXPECT_EQ(world.optionsOpen, 0);
    EXPECT_EQ(world.profilesOpen, 1);
}

} // namespace
