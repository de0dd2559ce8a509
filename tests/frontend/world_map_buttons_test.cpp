// What the world map answers about its levels and the station (a level's pin,
// whether a building stands), and its buttons: where each label sits by its
// font, its colours off and under the mouse, and that only a click on it
// counts.
#include <gtest/gtest.h>

#include "world_map_fixture.h"

namespace {

using test::WorldMapTest;
class WorldMapButtons : public WorldMapTest { };

// A level's pin is the one of its first task row; a level with no row has
// its pin at 0, 0.
TEST_F(WorldMapButtons, ALevelsPinIsTheOneOfItsFirstTaskRow)
{
    world.taskRows.push_back({ 4, 999, 888, 0, 0, 0, L"a second row of level 4" });
    const struct {
        int level, x, y;
    } cases[] = { { 1, 130, 215 }, { 4, 220, 260 }, { 30, 1000, 650 }, { 31, 1030, 665 }, { 0, 0, 0 }, { 32, 0, 0 },
        { -1, 0, 0 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        EXPECT_EQ(map.GetPinX(c.level), c.x);
        EXPECT_EQ(map.GetPinY(c.level), c.y);
    }
}

// A building of a kind stands when a lot of that kind is built (9); a lot
// bought but not built, or extended, does not count, nor a lot of another kind.
TEST_F(WorldMapButtons, ABuildingStandsOnlyWhereALotOfItsKindIsBuilt)
{
    const struct {
        int content, status;
        bool stands; // whether kind 7 stands
    } cases[] = { { 7, 9, true }, { 7, 0, false }, { 7, 11, false }, { 6, 9, false }, { 8, 9, false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.content << " / " << c.status);
        world.fundaments.clear();
        world.fundaments.resize(3);
        world.fundaments[1].content = c.content;
        world.fundaments[1].status = c.status;
        EXPECT_EQ(map.HasFundamentOfKind(7), c.stands);
    }
    world.fundaments.clear();
    EXPECT_FALSE(map.HasFundamentOfKind(7));
}

// A button's label hangs below the button's top by its font (13 for the
// bold face, 10 for the small one, 5 for any other at 1280 wide; scaled
// down at 1024), in the label colour; under the mouse the button turns to
// its over image and the label moves a pixel right and down in the hover
// colour. Only a click on it is taken, and it is used up.
TEST_F(WorldMapButtons, AButtonsLabelSitsByItsFontAndTurnsUnderTheMouse)
{
    for (int frame = 0; frame < 40; ++frame)
        Frame(); // the map has faded in
    const struct {
        int width;
        iGfxFont* font;
        int offset;
    } cases[] = { { 1280, g_fontNormal2, 13 }, { 1280, g_fontSmall, 10 }, { 1280, g_fontBig, 5 },
        { 1024, g_fontNormal2, 9 }, { 1024, g_fontSmall, 7 }, { 1024, g_fontBig, 3 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " / " << c.offset);
        cSettings::Instance().SetResolution(c.width, c.width == 1280 ? 1024 : 768);
        const int x = 300, y = 400, w = 200, h = 50;
        const uint32_t alpha = static_cast<uint32_t>(map.GetAlpha()) << 24;
        const auto press = [&](int mouseX, int mouseY, bool click) {
            MoveMouse(mouseX, mouseY);
            world.leftClick = click ? 1 : 0;
            gfx.ClearRecords();
            return map.DoButton(
                false, c.font, L"button_short_off", L"button_short_over", L"Go", x, y, w, h, 149, 60, 60, 255, 255, 0);
        };
        EXPECT_FALSE(press(x - 1, y + 10, true)) << "a click beside the button";
        EXPECT_EQ(world.leftClick, 1);
        ASSERT_TRUE(FindText(L"Go"));
        const test::GfxDraw off = *FindText(L"Go");
        EXPECT_EQ(off.font, c.font);
        EXPECT_EQ(off.y, y + c.offset);
        EXPECT_EQ(off.color, alpha | 0x953C3Cu);
        EXPECT_EQ(Named("button_short_off").size(), 1u);
        EXPECT_TRUE(Named("button_short_over").empty());

        EXPECT_FALSE(press(x + w / 2, y + h / 2, false)) << "hovered, no click";
        ASSERT_TRUE(FindText(L"Go"));
        const test::GfxDraw over = *FindText(L"Go");
        EXPECT_EQ(over.x, off.x + 1);
        EXPECT_EQ(over.y, y + c.offset + 1);
        EXPECT_EQ(over.color, alpha | 0xFFFF00u);
        EXPECT_EQ(Named("button_short_over").size(), 1u);
        EXPECT_TRUE(Named("button_short_off").empty());

        EXPECT_TRUE(press(x + w - 1, y + h - 1, true)) << "a click on its last pixel";
        EXPECT_EQ(world.leftClick, 0);
    }
}

// The intro's one button, Continue, is blue before the map is explained and
// the map's own red one while it is; its label is white, yellow under the
// mouse.
TEST_F(WorldMapButtons, TheIntrosContinueIsBlueBeforeTheMapAndYellowUnderTheMouse)
{
    SetFurthest(1);
    world.level = 1;
    for (const int intro : { -1, 0, 2 }) {
        for (const bool hovered : { false, true }) {
            SCOPED_TRACE(testing::Message() << intro << (hovered ? " hovered" : ""));
            world.intro = intro;
            MoveMouse(hovered ? 600 : 0, hovered ? 970 : 0);
            Frame();
            const std::string face = intro == 2 ? "button_short_" : "button_short_blue_";
            EXPECT_EQ(Named(face + (hovered ? "over" : "off")).size(), 1u);
            EXPECT_TRUE(Named(face + (hovered ? "off" : "over")).empty());
            const test::GfxDraw* label = FindText(L"text 8");
            ASSERT_TRUE(label);
            EXPECT_EQ(label->color & 0x00FFFFFFu, hovered ? 0x00FFFF00u : 0x00FFFFFFu);
            EXPECT_EQ(world.intro, intro) << "no click, no step";
        }
    }
}

} // namespace
