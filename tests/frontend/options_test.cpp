// The options screen: volume bars that follow a held mouse and stop at full,
// mute, the screen-mode requests the application carries out, centring, the
// hint line, the close button that writes config.cfg, and the way there from
// the level's game menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "frontend/menu_options.h"
#include "resources/property_file.h"
#include "scene/hud_fixture.h"
#include "scene/menu_manager.h"

namespace {

struct Sized {
    const char* name;
    int width;
    int height;
};

class OptionsTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        WriteSizedSet("data/gui/interface/menu/menu_options_1024",
            { { "menu_options.png", 600, 340 }, { "balken_off.png", 456, 30 }, { "balken_over.png", 456, 30 },
                { "mute1_off.png", 70, 43 }, { "mute2_off.png", 70, 43 }, { "screen1_off.png", 70, 43 },
                { "button_short_off.png", 180, 43 }, { "button_short_over.png", 180, 43 },
                { "screen2_off.png", 70, 43 }, { "screen6_off.png", 70, 43 } });
        world.optionsOpen = 1;
        world.levelActive = 1;
        world.musicVolume = 0.5f;
        world.soundVolume = 0.5f;
        options = std::make_unique<Scene::MenuOptions>();
        options->SetActive(true);
    }

    void WriteSizedSet(const std::string& dir, const std::vector<Sized>& images)
    {
        std::filesystem::create_directories(folder / dir);
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        std::vector<std::string> names;
        for (std::size_t i = 0; i < images.size(); ++i) {
            const std::wstring name = platform::NarrowToWide(images[i].name);
            const int image = d.AddImage(name.c_str(), images[i].width, images[i].height);
            d.AddPart(image, 0, static_cast<int>(i), 0, images[i].width, images[i].height);
            names.push_back(images[i].name);
        }
        ASSERT_TRUE(d.SaveToFile(folder / (dir + "/descriptor.xml")));
        std::ofstream(folder / (dir + "/page0.png"), std::ios::binary) << dir;
        sets[dir] = names;
    }
    void Frame()
    {
        gfx.ClearRecords();
        Wait(17);
        options->Draw();
    }
    void ClickFrame(int x, int y)
    {
        MoveMouse(x, y);
        world.leftClick = 1;
        Frame();
        world.leftClick = 0;
    }
    void HoldFrame(int x, int y)
    {
        MoveMouse(x, y);
        world.leftDown = 1;
        Frame();
        world.leftDown = 0;
    }
    // The middle of a control of the in-level layout.
    std::pair<int, int> At(int control)
    {
        Frame();
        return { options->ControlX(control, true) + 5, options->ControlY(control, true) + 5 };
    }
    bool DrewText(const std::wstring& text) const
    {
        for (const std::wstring& t : gfx.Texts()) {
            if (t == text)
                return true;
        }
        return false;
    }

    std::unique_ptr<Scene::MenuOptions> options;
};

TEST_F(OptionsTest, NothingShowsWhileTheFlagIsClear)
{
    world.optionsOpen = 0;
    Frame();
    EXPECT_TRUE(gfx.draws.empty());
}

TEST_F(OptionsTest, TheMusicBarStopsAtFullAndReachesThePlayingMusic)
{
    world.musicStream = sound.Play2D("data/sound/music/level.ogg");
    Frame();
    const int bx = options->ControlX(Scene::MenuOptions::kMusicBar, true);
    const int by = options->ControlY(Scene::MenuOptions::kMusicBar, true);
    const struct {
        int x;
        float value;
    } cases[] = {
        { bx + 456, 1.0f }, // the last pixel: past the end counts as full
        { bx + 227, 0.5f },
        { bx, 1.0f / 456.0f }, // never below one step
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        HoldFrame(c.x, by + 5);
        EXPECT_FLOAT_EQ(options->BarValue(0), c.value);
        EXPECT_FLOAT_EQ(world.musicVolume, c.value);
        EXPECT_FLOAT_EQ(world.musicPlayVolume, c.value);
        ASSERT_FALSE(sound.sounds[0]->volumes.empty());
        EXPECT_FLOAT_EQ(sound.sounds[0]->volumes.back(), c.value);
    }
    HoldFrame(bx + 456, by + 5);
    Frame();
    EXPECT_TRUE(DrewText(L"text 12: 100"));
    // A bar that is not held changes nothing.
    MoveMouse(bx + 10, by + 5);
    Frame();
    EXPECT_FLOAT_EQ(world.musicVolume, 1.0f);
}

TEST_F(OptionsTest, TheSoundBarInALevelScalesByWidthAndRingsTheGong)
{
    const struct {
        int width;
        int height;
        float stored;
    } cases[] = { { 1280, 1024, 1.0f }, { 1024, 768, 0.8f } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        cSettings::Instance().SetResolution(c.width, c.height);
        sound.played.clear();
        Frame();
        const int bx = options->ControlX(Scene::MenuOptions::kSoundBar, true);
        const int by = options->ControlY(Scene::MenuOptions::kSoundBar, true);
        HoldFrame(bx + 456, by + 5);
        EXPECT_FLOAT_EQ(world.soundVolume, c.stored);
        EXPECT_FLOAT_EQ(world.effectsVolume, c.stored);
        EXPECT_EQ(Played("gong"), 1);
        EXPECT_EQ(sound.Unreleased(), 0);
    }
}

TEST_F(OptionsTest, MuteSilencesTheMusicAtOnceAndUnmuteGivesTheConfiguredVolume)
{
    world.musicStream = sound.Play2D("data/sound/music/level.ogg");
    world.musicPlayVolume = 0.2f;
    const auto [x, y] = At(Scene::MenuOptions::kMute);
    ClickFrame(x, y);
    EXPECT_EQ(cSettings::Instance().mute, 1);
    EXPECT_FLOAT_EQ(world.musicPlayVolume, 0.0f);
    EXPECT_FLOAT_EQ(sound.sounds[0]->volumes.back(), 0.0f);
    EXPECT_EQ(world.leftClick, 0);
    ClickFrame(x, y);
    EXPECT_EQ(cSettings::Instance().mute, 0);
    EXPECT_FLOAT_EQ(world.musicPlayVolume, 0.5f);
    EXPECT_FLOAT_EQ(sound.sounds[0]->volumes.back(), 0.5f);
}

TEST_F(OptionsTest, TheScreenButtonsRequestTheModeFromTheApplication)
{
    {
        SCOPED_TRACE("full screen keeps the size");
        const auto [x, y] = At(Scene::MenuOptions::kFullScreen);
        ClickFrame(x, y);
        EXPECT_EQ(world.videoModeChanged, 1);
        EXPECT_EQ(world.fullScreen, 1);
        EXPECT_EQ(cSettings::Instance().GetWidth(), 1280);
        EXPECT_EQ(world.screenSizeChanged, 0);
    }
    world.videoModeChanged = 0;
    world.languageChanged = 0;
    {
        SCOPED_TRACE("the window is 1024 x 768");
        const auto [x, y] = At(Scene::MenuOptions::kWindow);
        ClickFrame(x, y);
        EXPECT_EQ(world.videoModeChanged, 1);
        EXPECT_EQ(world.fullScreen, 0);
        EXPECT_EQ(cSettings::Instance().GetWidth(), 1024);
        EXPECT_EQ(cSettings::Instance().GetHeight(), 768);
        EXPECT_FLOAT_EQ(cSettings::Instance().scaleX, 1.25f);
        EXPECT_EQ(world.screenSizeChanged, 1);
        EXPECT_EQ(world.languageChanged, 1);
        EXPECT_EQ(world.rebindInput, 1);
    }
    {
        SCOPED_TRACE("centring toggles");
        for (const int expected : { 1, 0 }) {
            const auto [x, y] = At(Scene::MenuOptions::kCentring);
            ClickFrame(x, y);
            EXPECT_EQ(world.windowCenter, expected);
        }
    }
}

TEST_F(OptionsTest, TheHintNamesTheControlUnderTheMouse)
{
    const auto [x, y] = At(Scene::MenuOptions::kMute);
    MoveMouse(x, y);
    Frame();
    EXPECT_TRUE(DrewText(L"text 70"));
    // Nothing under the mouse: the idle hint in a level always, in the main
    // menu only while windowed.
    MoveMouse(5, 5);
    world.fullScreen = 1;
    Frame();
    EXPECT_TRUE(DrewText(L"text 97"));
    world.levelActive = 0;
    Frame();
    EXPECT_FALSE(DrewText(L"text 97"));
    world.fullScreen = 0;
    Frame();
    EXPECT_TRUE(DrewText(L"text 97"));
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

TEST_F(OptionsTest, CloseResumesTheLevelAndWritesTheSettings)
{
    cSettings::Instance().canSave = true;
    world.userFolder = platform::NarrowToWide(folder.Path());
    world.SetPause(true);
    Frame();
    HoldFrame(options->ControlX(0, true) + 456, options->ControlY(0, true) + 5);
    // The close button: 390, 230 from the panel.
    ClickFrame(options->PanelX() + 400, options->PanelY() + 240);
    EXPECT_EQ(world.optionsOpen, 0);
    EXPECT_EQ(world.gameMenuClosed, 1);
    EXPECT_EQ(world.paused, 0);
    EXPECT_EQ(Played("menu_clk"), 1);
    PropertyFile config;
    ASSERT_TRUE(config.Serialize(platform::NarrowToWide(folder / "config.cfg"), false));
    EXPECT_FLOAT_EQ(config.GetFloat(L"music volume", 0.0f), 1.0f);
}

TEST_F(OptionsTest, CloseInTheMainMenuGoesBackToTheStartScreen)
{
    world.levelActive = 0;
    Frame();
    // 160 + 380 across, 350 + 510 down at a screen 1280 wide.
    ClickFrame(545, 865);
    EXPECT_EQ(world.optionsOpen, 0);
    EXPECT_EQ(world.profilesOpen, 1);
    EXPECT_EQ(world.loadingPhase, 0);
}

TEST_F(OptionsTest, TheGameMenuOpensTheOptionsOverTheLevel)
{
    options.reset();
    WriteSizedSet("data/gui/interface/menu/menu_submenu",
        { { "menu_game.png", 400, 420 }, { "button_short_off.png", 205, 49 }, { "button_short_over.png", 205, 49 } });
    cMenuManager& menus = cMenuManager::Instance();
    menus.SetFactoryForTests(nullptr);
    ASSERT_TRUE(menus.CreateMenus());
    world.optionsOpen = 0;
    world.level = 2;
    world.levelTimeLimit = 300;
    world.gameMenuClosed = 0;
    world.SetPause(true);
    MoveMouse(600, 262 + 230 + 20);
    world.leftClick = 1;
    world.clickEvent = 1;
    Wait(17);
    menus.UpdateMenus();
    EXPECT_EQ(world.optionsOpen, 1);
    world.leftClick = 0;
    world.clickEvent = 0;
    gfx.ClearRecords();
    Wait(17);
    menus.UpdateMenus();
    const auto panel = FindImage("menu_options.png");
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->set, "data/gui/interface/menu/menu_options_1024");
    menus.DestroyMenus();
}

} // namespace
