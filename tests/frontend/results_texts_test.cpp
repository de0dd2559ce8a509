// The result screen's yellow lines with their black shadows, and its
// Continue button: where a label hangs by its font, and its colours at rest
// and under the mouse.
#include <gtest/gtest.h>

#include <optional>

#include "results_fixture.h"

namespace {

using test::ResultScreenTest;

// Every yellow line of the screen has its black copy two pixels to the
// right and `drop` pixels lower, drawn first.
TEST_F(ResultScreenTest, TheYellowLinesStandOnBlackShadows)
{
    world.levelTimeLimit = 0; // a level of points, with some taken off
    world.levelPoints = 40;
    Frame();
    const struct {
        const wchar_t* text;
        iGfxFont* font;
        int drop;
    } cases[] = { { L"text 33", g_fontNormal2, 2 }, { L"text 24 5", g_fontBig, 2 }, { L"N", g_fontNormal2, 2 },
        { L"text 29", g_fontNormal2, 2 }, { L"text 26", g_fontNormal2, 2 }, { L"text 63", g_fontNormal2, 2 },
        { L"text 131: 40", g_fontNormal2, 1 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::WideToNarrow(c.text));
        std::vector<const test::GfxDraw*> drawn;
        for (const test::GfxDraw* d : TextDraws())
            if (d->text == c.text)
                drawn.push_back(d);
        ASSERT_EQ(drawn.size(), 2u);
        const test::GfxDraw& shadow = *drawn[0];
        const test::GfxDraw& line = *drawn[1];
        EXPECT_EQ(line.font, c.font);
        EXPECT_EQ(shadow.font, c.font);
        EXPECT_EQ(line.color & 0x00FFFFFFu, 0x00FFFF00u);
        EXPECT_EQ(shadow.color & 0x00FFFFFFu, 0u);
        EXPECT_EQ(std::pair(shadow.x, shadow.y), std::pair(line.x + 2, line.y + c.drop));
    }
}

// Continue is white at rest and yellow under the mouse, a pixel right and
// down; it continues only on a click.
TEST_F(ResultScreenTest, ContinueTurnsYellowUnderTheMouse)
{
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        SCOPED_TRACE(width);
        cSettings::Instance().SetResolution(width, height);
        Frame();
        const auto find = [this]() -> std::optional<test::GfxDraw> {
            for (const test::GfxDraw* d : TextDraws())
                if (d->text == L"text 8")
                    return *d;
            return std::nullopt;
        };
        const auto rest = find();
        ASSERT_TRUE(rest);
        EXPECT_EQ(rest->color & 0x00FFFFFFu, 0x00FFFFFFu);
        MoveMouse(rest->x + 2, rest->y + 2);
        Frame();
        const auto over = find();
        ASSERT_TRUE(over);
        EXPECT_EQ(over->color & 0x00FFFFFFu, 0x00FFFF00u);
        EXPECT_EQ(std::pair(over->x, over->y), std::pair(rest->x + 1, rest->y + 1));
        EXPECT_EQ(world.resultScreenOpen, 1) << "no click yet";
        MoveMouse(0, 0);
    }
}

// A label hangs below the button's top by its font: 13 for the bold face, 10
// for the small one, 5 for any other, scaled down at 1024 wide.
TEST_F(ResultScreenTest, AButtonsLabelHangsByItsFont)
{
    const struct {
        int width;
        iGfxFont* font;
        int offset;
    } cases[] = { { 1280, g_fontNormal2, 13 }, { 1280, g_fontSmall, 10 }, { 1280, g_fontBig, 5 },
        { 1024, g_fontNormal2, 9 }, { 1024, g_fontSmall, 7 }, { 1024, g_fontBig, 3 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " / " << c.offset);
        cSettings::Instance().SetResolution(c.width, c.width == 1280 ? 1024 : 768);
        for (const bool hovered : { false, true }) {
            MoveMouse(hovered ? 310 : 0, hovered ? 410 : 0);
            gfx.ClearRecords();
            EXPECT_FALSE(resultScreen.DoButton(false, c.font, L"button_short_off.png", L"button_short_over.png", L"Go",
                300, 400, 200, 50, 1, 2, 3, 4, 5, 6));
            const auto texts = TextDraws();
            ASSERT_EQ(texts.size(), 1u);
            EXPECT_EQ(texts[0]->font, c.font);
            EXPECT_EQ(texts[0]->y, 400 + c.offset + (hovered ? 1 : 0));
            EXPECT_EQ(texts[0]->color & 0x00FFFFFFu, hovered ? 0x040506u : 0x010203u);
        }
    }
}

} // namespace
