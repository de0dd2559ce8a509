// The screen base's immediate-mode buttons and centred text: which image and
// label each state draws, where, and that one click triggers one button.
#include <gtest/gtest.h>

#include "app/cursor_set.h"
#include "app/pp_app_fonts.h"
#include "support/recording_sound.h"
#include "vehicles_fixture.h"
#include "world/settings.h"

namespace test {
namespace {

    class ButtonScreen : public Scene::MenuPrototype {
    public:
        ButtonScreen()
            : MenuPrototype(0, 0, 100, 100)
        {
            pages[32].Load(L"data/gui/interface/menu/menu_submenu");
            colour = 0xC8FFFFFF;
        }
        void SetAlpha(uint32_t alpha) { colour = (colour & 0x00FFFFFFu) | (alpha << 24); }
    };

    class Buttons : public VehiclesTest {
    protected:
        void SetUp() override
        {
            VehiclesTest::SetUp();
            cSettings::Instance().SetResolution(1280, 1024);
            for (int i = 0; i < kFontCount; ++i) {
                saved[i] = g_fonts[i];
                g_fonts[i] = gfx.CreateFont(L"test", 10 + i, 0);
            }
            world.soundEngine = &sound;
        }
        void TearDown() override
        {
            world.soundEngine = nullptr;
            for (int i = 0; i < kFontCount; ++i) {
                delete g_fonts[i];
                g_fonts[i] = saved[i];
            }
            VehiclesTest::TearDown();
        }
        const GfxDraw* LastText() const
        {
            for (auto it = gfx.draws.rbegin(); it != gfx.draws.rend(); ++it) {
                if (it->kind == GfxDraw::Kind::Text || it->kind == GfxDraw::Kind::TextAlt)
                    return &*it;
            }
            return nullptr;
        }
        bool Do(ButtonScreen& screen, iGfxFont* font, int x = 200, int y = 100)
        {
            return screen.DoButton(
                false, font, L"button_off.png", L"button_over.png", L"Go", x, y, 100, 30, 1, 2, 3, 4, 5, 6);
        }

        iGfxFont* saved[kFontCount] = {};
        RecordingSoundEngine sound;
    };

    TEST_F(Buttons, AButtonOffShowsItsOffImageAndLabelInItsOffColour)
    {
        ButtonScreen screen;
        EXPECT_FALSE(Do(screen, g_fontNormal));
        ASSERT_EQ(DrawnNames(), (std::vector<std::wstring> { L"button_off.png" }));
        EXPECT_EQ(Drawn()[0].x, 200);
        EXPECT_EQ(Drawn()[0].colour, 0xC8FFFFFFu);
        const GfxDraw* label = LastText();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text, L"Go");
        // Centred: 50 - 16 / 2 from the left; 5 below the top.
        EXPECT_EQ(label->x, 242);
        EXPECT_EQ(label->y, 105);
        EXPECT_EQ(label->color, 0xC8010203u);
        EXPECT_EQ(label->textColor, 0xFF000000u);
    }

    TEST_F(Buttons, LabelOffsetsDependOnTheFontAndTheScreenHeight)
    {
        const struct {
            int width;
            int font;
            int offset;
        } cases[] = {
            { 1280, 1, 5 },
            { 1280, 2, 13 },
            { 1280, 0, 10 },
            { 1024, 1, 3 },
            { 1024, 2, 9 },
            { 1024, 0, 7 },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.width << " font " << c.font);
            cSettings::Instance().SetResolution(c.width, c.width == 1280 ? 1024 : 768);
            ButtonScreen screen;
            ClearDrawn();
            Do(screen, g_fonts[c.font]);
            ASSERT_NE(LastText(), nullptr);
            EXPECT_EQ(LastText()->y, 100 + c.offset);
        }
    }

    TEST_F(Buttons, AHoveredButtonLooksPressedAndTakesTheClickOnce)
    {
        ButtonScreen screen;
        input.x = 300; // the right edge counts as inside
        input.y = 130;
        EXPECT_FALSE(Do(screen, g_fontNormal));
        EXPECT_EQ(DrawnNames(), (std::vector<std::wstring> { L"button_over.png" }));
        EXPECT_EQ(LastText()->x, 243);
        EXPECT_EQ(LastText()->y, 106);
        EXPECT_EQ(LastText()->color, 0xC8040506u);
        EXPECT_EQ(std::count(gfx.calls.begin(), gfx.calls.end(), "SetRenderState 2 1"), 2);

        // Two overlapping buttons under one click: the first drawn takes it.
        world.leftClick = 1;
        EXPECT_TRUE(Do(screen, g_fontNormal));
        EXPECT_EQ(world.leftClick, 0);
        EXPECT_FALSE(Do(screen, g_fontNormal, 210, 110));
        EXPECT_EQ(sound.played, (std::vector<std::string> { "data/sound/wav/menu_clk.wav" }));
    }

    TEST_F(Buttons, NoButtonIsHoveredUnderTheBusyCursor)
    {
        ButtonScreen screen;
        input.x = 250;
        input.y = 110;
        world.leftClick = 1;
        cCursorSet::Instance().SetCursor(L"busy", Scene::MenuPrototype::kNoHitCursor);
        EXPECT_FALSE(Do(screen, g_fontNormal));
        EXPECT_EQ(world.leftClick, 1);
        EXPECT_EQ(DrawnNames(), (std::vector<std::wstring> { L"button_off.png" }));
    }

    TEST_F(Buttons, TheVariantsTakeTheirOwnClickBytes)
    {
        ButtonScreen screen;
        input.x = 250;
        input.y = 110;
        const auto text = [&](bool framed) {
            return screen.DoTextButtonFramed(framed, g_fontNormal, L"Go", 200, 100, 100, 30, 1, 2, 3, 4, 5, 6);
        };
        // Held, not clicked: only the quiet button reacts, without a sound.
        world.clickEvent = 1;
        EXPECT_FALSE(text(false));
        EXPECT_FALSE(screen.DoImageButton(L"button_off.png", L"button_over.png", 200, 100, 100, 30));
        EXPECT_TRUE(screen.DoButtonQuiet(
            g_fontNormal, L"button_off.png", L"button_over.png", L"Go", 200, 100, 100, 30, 1, 2, 3, 4, 5, 6));
        EXPECT_EQ(world.clickEvent, 0);
        EXPECT_TRUE(sound.played.empty());

        world.leftClick = 1;
        EXPECT_TRUE(text(true));
        EXPECT_EQ(world.leftClick, 0);
        // Two outlines of four lines each around the label.
        EXPECT_EQ(std::count_if(gfx.draws.begin(), gfx.draws.end(),
                      [](const GfxDraw& d) { return d.kind == GfxDraw::Kind::Lines; }),
            8);
        world.leftClick = 1;
        EXPECT_TRUE(
            screen.DoImageButtonTinted(L"button_off.png", L"button_over.png", 200, 100, 100, 30, 0, 0, 0, 9, 9, 9));
        EXPECT_EQ(Drawn().back().colour, 0xC8090909u);
        world.leftClick = 1;
        EXPECT_TRUE(screen.DoButtonFixed(
            g_fontNormal, L"button_off.png", L"button_over.png", L"Go", 200, 100, 100, 30, 1, 2, 3, 4, 5, 6));
        EXPECT_EQ(LastText()->y, 108);
        EXPECT_EQ(sound.played.size(), 1u);
    }

    TEST_F(Buttons, StaticFaintAndDisabledButtonsNeverTakeAClick)
    {
        ButtonScreen screen;
        screen.SetAlpha(200);
        input.x = 250;
        input.y = 110;
        world.leftClick = 1;
        EXPECT_TRUE(screen.DrawButtonStatic(false, g_fontNormal, L"button_off.png", L"Go", 200, 100, 100, 30, 7, 8, 9));
        EXPECT_EQ(Drawn().back().colour, 0xC8FFFFFFu);
        EXPECT_TRUE(screen.DrawButtonFaint(false, g_fontNormal, L"button_off.png", L"Go", 200, 100, 100, 30, 7, 8, 9));
        EXPECT_EQ(Drawn().back().colour, 0x32FFFFFFu);
        EXPECT_EQ(LastText()->color, 0x32070809u);
        EXPECT_FALSE(
            screen.DrawButtonDisabled(true, g_fontNormal, L"button_off.png", L"Go", 200, 100, 100, 30, 7, 8, 9));
        EXPECT_EQ(Drawn().back().colour, 0x649B9B9Bu);
        EXPECT_EQ(LastText()->color, 0xC8070809u);
        EXPECT_EQ(LastText()->kind, GfxDraw::Kind::TextAlt);
        EXPECT_EQ(world.leftClick, 1);
    }

    TEST_F(Buttons, CentredTextUsesIntegerHalves)
    {
        ButtonScreen screen;
        // 3 characters of 8 pixels: 24 wide.
        screen.DrawTextCentered(false, L"abc", 10, 20, 45, g_fontSmall);
        EXPECT_EQ(LastText()->x, 22 + 10 - 12);
        EXPECT_EQ(LastText()->y, 20);
        EXPECT_EQ(LastText()->kind, GfxDraw::Kind::Text);
    }

} // namespace
} // namespace test
