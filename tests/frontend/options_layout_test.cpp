// Where the options screen draws its controls, in a level and in the main menu
// at both screen sizes, and that each control answers a click exactly where it
// is drawn: the toggles in one row, the bars one above the other, the close
// button's label sinking under the mouse like every button of the game.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "frontend/options_screen.h"
#include "scene/hud_fixture.h"

namespace {

using Scene::OptionsScreen;

class OptionsLayoutTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        // Each image of its own size, starting at x = its number on page 0.
        const std::string dir = "data/gui/interface/menu/menu_options_1024";
        std::vector<std::tuple<std::string, int, int>> images = { { "menu_options.png", 600, 340 },
            { "balken_off.png", 456, 30 }, { "balken_over.png", 456, 30 }, { "button_short_off.png", 180, 43 },
            { "button_short_over.png", 180, 43 } };
        for (const char* toggle : { "mute1", "mute2", "screen1", "screen2", "screen6", "screen7" })
            for (const char* state : { "_off.png", "_over.png" })
                images.emplace_back(std::string(toggle) + state, 70, 43);
        WriteSizedSet(dir, images);
        world.optionsOpen = 1;
        world.musicVolume = world.soundVolume = 0.25f;
    }
    void TearDown() override
    {
        options.SetActive(false);
        test::HudTest::TearDown();
    }
    // The screen as opened, the controls at rest.
    void Open(int width, int height, bool inLevel)
    {
        cSettings::Instance().SetResolution(width, height);
        cSettings::Instance().mute = 0;
        world.levelActive = inLevel ? 1 : 0;
        world.optionsOpen = 1;
        world.fullScreen = world.windowCenter = 0;
        world.videoModeChanged = world.screenSizeChanged = 0;
        world.musicVolume = world.soundVolume = 0.25f;
        options.SetActive(false);
        options.SetActive(true);
    }
    void Frame(int x, int y, bool click = false, bool hold = false)
    {
        MoveMouse(x, y);
        world.leftClick = click ? 1 : 0;
        world.leftDown = hold ? 1 : 0;
        gfx.ClearRecords();
        Wait(17);
        options.Draw();
        world.leftClick = world.leftDown = 0;
    }
    // Each image drawn, by name, with where it landed.
    std::map<std::string, RECT> Drawn() const
    {
        std::map<std::string, RECT> drawn;
        const auto images = Images();
        std::size_t image = 0;
        for (const test::GfxDraw& d : gfx.draws)
            if (d.kind == test::GfxDraw::Kind::Texture) {
                const std::string& name = images[image++].name;
                drawn[drawn.count(name) ? name + "#2" : name] = d.target;
            }
        return drawn;
    }
    const test::GfxDraw* Text(const std::wstring& text) const
    {
        for (const test::GfxDraw* d : TextDraws())
            if (d->text == text)
                return d; // the shadow, when it has one
        return nullptr;
    }
    // What the controls have set, as one value to compare.
    std::tuple<int, int, int, int, int, int> State() const
    {
        return { cSettings::Instance().mute, world.fullScreen, world.videoModeChanged, world.screenSizeChanged,
            world.windowCenter, world.optionsOpen };
    }

    OptionsScreen options;
};

// The toggles stand in one row, all the same size, mute then full screen,
// window and centring from left to right; full screen, window and centring
// are evenly spaced with one free place between the first two. The music bar
// stands above the sound bar at the same left. A click anywhere on a drawn
// toggle or the close button does that control's one thing and nothing else;
// a click just above it does nothing.
TEST_F(OptionsLayoutTest, EveryControlIsHitWhereItIsDrawnAndTheTogglesStandInOneRow)
{
    using Settings = std::tuple<int, int, int, int, int, int>;
    const Settings rest { 0, 0, 0, 0, 0, 1 };
    const struct {
        const char* image;
        Settings after;
    } controls[] = {
        { "mute2_off.png", { 1, 0, 0, 0, 0, 1 } },
        { "screen1_off.png", { 0, 1, 1, 0, 0, 1 } },
        { "screen2_off.png", { 0, 0, 1, 1, 0, 1 } },
        { "screen6_off.png", { 0, 0, 0, 0, 1, 1 } },
        { "button_short_off.png", { 0, 0, 0, 0, 0, 0 } },
    };
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        for (const bool inLevel : { true, false }) {
            SCOPED_TRACE(testing::Message() << width << (inLevel ? " in a level" : " in the main menu"));
            Open(width, height, inLevel);
            Frame(0, 0);
            const std::map<std::string, RECT> drawn = Drawn();
            std::vector<RECT> row;
            for (const char* toggle : { "mute2_off.png", "screen1_off.png", "screen2_off.png", "screen6_off.png" }) {
                ASSERT_EQ(drawn.count(toggle), 1u) << toggle;
                row.push_back(drawn.at(toggle));
            }
            for (std::size_t i = 1; i < row.size(); ++i) {
                EXPECT_EQ(row[i].top, row[0].top) << "toggle " << i << " out of the row";
                EXPECT_EQ(row[i].bottom, row[0].bottom) << i;
                EXPECT_EQ(row[i].right - row[i].left, row[0].right - row[0].left) << i;
                EXPECT_GE(row[i].left, row[i - 1].right) << i << " not right of " << i - 1;
            }
            const int slot = row[3].left - row[2].left;
            EXPECT_NEAR(row[2].left - row[1].left, 2 * slot, width == 1280 ? 0 : 1);
            ASSERT_EQ(drawn.count("balken_off.png#2"), 1u);
            const RECT music = drawn.at("balken_off.png"), sound = drawn.at("balken_off.png#2");
            EXPECT_EQ(music.left, sound.left);
            EXPECT_LT(music.bottom, sound.top);
            EXPECT_LT(sound.bottom, row[0].top) << "the toggles below the bars";

            for (const auto& c : controls) {
                SCOPED_TRACE(c.image);
                ASSERT_EQ(drawn.count(c.image), 1u);
                const RECT r = drawn.at(c.image);
                const std::pair<int, int> inside[] = { { r.left, r.top }, { r.right - 1, r.bottom - 1 },
                    { (r.left + r.right) / 2, (r.top + r.bottom) / 2 } };
                for (const auto& [x, y] : inside) {
                    Open(width, height, inLevel);
                    Frame(0, 0);
                    Frame(x, y, true);
                    EXPECT_EQ(State(), c.after) << "a click at " << x << "," << y;
                }
                Open(width, height, inLevel);
                Frame(0, 0);
                Frame((r.left + r.right) / 2, r.top - 1, true);
                EXPECT_EQ(State(), rest) << "a click above it";
            }
        }
    }
}

// A bar held anywhere on it takes the mouse's place along it: at its left end
// next to nothing, in its middle half, at its right end all; held just above
// or below it, it stays.
TEST_F(OptionsLayoutTest, EachBarIsHeldWhereItIsDrawn)
{
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        for (const bool inLevel : { true, false }) {
            SCOPED_TRACE(testing::Message() << width << (inLevel ? " in a level" : " in the main menu"));
            Open(width, height, inLevel);
            Frame(0, 0);
            const std::map<std::string, RECT> drawn = Drawn();
            for (const char* bar : { "balken_off.png", "balken_off.png#2" }) {
                SCOPED_TRACE(bar);
                ASSERT_EQ(drawn.count(bar), 1u);
                const RECT r = drawn.at(bar);
                float* const value = bar[14] == '#' ? &world.soundVolume : &world.musicVolume;
                float* const other = bar[14] == '#' ? &world.musicVolume : &world.soundVolume;
                const int length = r.right - r.left;
                const std::tuple<int, int, float> holds[] = { { r.left, r.top, 1.0f / float(length) },
                    { r.left + length / 2 - 1, r.bottom - 1, 0.5f }, { r.right - 1, (r.top + r.bottom) / 2, 1.0f },
                    { r.left + length / 2, r.top - 1, 0.25f }, { r.left + length / 2, r.bottom + 1, 0.25f } };
                for (const auto& [x, y, expected] : holds) {
                    Open(width, height, inLevel);
                    Frame(0, 0);
                    Frame(x, y, false, true);
                    EXPECT_NEAR(*value, expected, 0.5f / float(length)) << "held at " << x << "," << y;
                    EXPECT_FLOAT_EQ(*other, 0.25f);
                }
            }
        }
    }
}

// Under the mouse the close button's label moves one pixel right and down,
// as every button of the game does, and keeps its text and its centre.
TEST_F(OptionsLayoutTest, TheCloseButtonsLabelSinksByOnePixelUnderTheMouse)
{
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        for (const bool inLevel : { true, false }) {
            SCOPED_TRACE(testing::Message() << width << (inLevel ? " in a level" : " in the main menu"));
            Open(width, height, inLevel);
            Frame(0, 0);
            const RECT button = Drawn().at("button_short_off.png");
            const test::GfxDraw* rest = Text(L"text 49");
            ASSERT_TRUE(rest);
            const int x = rest->x, y = rest->y;
            const uint32_t restColour = rest->color;
            const int textWidth = static_cast<int>(rest->text.size()) * gfx.charWidth;
            EXPECT_NEAR(x + textWidth / 2, (button.left + button.right) / 2, 1) << "not centred on its button";
            EXPECT_GT(y, button.top);
            EXPECT_LT(y, button.bottom);
            Frame(button.left + 5, button.top + 5);
            ASSERT_EQ(Drawn().count("button_short_over.png"), 1u);
            const test::GfxDraw* over = Text(L"text 49");
            ASSERT_TRUE(over);
            EXPECT_EQ(std::pair(over->x, over->y), std::pair(x + 1, y + 1));
            // White at rest, yellow under the mouse.
            EXPECT_EQ(restColour, 0xFFFFFFFFu);
            EXPECT_EQ(over->color, 0xFFFFFF00u);
        }
    }
}

} // namespace
