// Every button of the screen base with the mouse off it, over it and clicking:
// the image and tint it draws, where and in which colour its label stands,
// which click byte it answers to, what it clears and whether it sounds.
#include <algorithm>
#include <array>
#include <cwchar>
#include <functional>

#include "scene/hud_fixture.h"
#include "scene/screen.h"

namespace {

constexpr uint32_t kFade = 200; // the screen's alpha while the buttons draw

constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return a << 24 | r << 16 | g << 8 | b;
}
constexpr uint32_t kWhite = Argb(kFade, 255, 255, 255);
constexpr uint32_t kOffLabel = Argb(kFade, 10, 20, 30);
constexpr uint32_t kOverLabel = Argb(kFade, 40, 50, 60);

class ButtonScreen : public Scene::Screen {
public:
    ButtonScreen()
        : Screen(0, 0, 1280, 1024)
    {
    }

protected:
    void OnActivate() override { pages[kButtonPage].Load(L"buttons"); }
};

// Every button lies at 100, 200 and is 120 × 40; its label is "Go".
using Call = std::function<bool(ButtonScreen&, iGfxFont*)>;
const std::map<std::string, Call> kButtons = {
    { "DoButton",
        [](ButtonScreen& s, iGfxFont* f) {
            return s.DoButton(false, f, L"off", L"over", L"Go", 100, 200, 120, 40, 10, 20, 30, 40, 50, 60);
        } },
    { "DrawButton",
        [](ButtonScreen& s, iGfxFont* f) { return s.DrawButton(f, L"off", L"over", L"Go", 100, 200, 120, 40); } },
    { "DoButtonQuiet",
        [](ButtonScreen& s, iGfxFont* f) {
            return s.DoButtonQuiet(f, L"off", L"over", L"Go", 100, 200, 120, 40, 10, 20, 30, 40, 50, 60);
        } },
    { "DoButtonFixed",
        [](ButtonScreen& s, iGfxFont* f) {
            return s.DoButtonFixed(f, L"off", L"over", L"Go", 100, 200, 120, 40, 10, 20, 30, 40, 50, 60);
        } },
    { "DrawButtonStatic",
        [](ButtonScreen& s, iGfxFont* f) {
            return s.DrawButtonStatic(true, f, L"plate", L"Go", 100, 200, 120, 40, 10, 20, 30);
        } },
    { "DrawButtonFaint",
        [](ButtonScreen& s, iGfxFont* f) {
            return s.DrawButtonFaint(false, f, L"plate", L"Go", 100, 200, 120, 40, 10, 20, 30);
        } },
    { "DrawButtonDisabled",
        [](ButtonScreen& s, iGfxFont* f) {
            return s.DrawButtonDisabled(true, f, L"plate", L"Go", 100, 200, 120, 40, 10, 20, 30);
        } },
    { "DoTextButton",
        [](ButtonScreen& s, iGfxFont* f) {
            return s.DoTextButton(f, L"Go", 100, 200, 120, 40, 10, 20, 30, 40, 50, 60);
        } },
    { "DoTextButtonFramed",
        [](ButtonScreen& s, iGfxFont* f) {
            return s.DoTextButtonFramed(true, f, L"Go", 100, 200, 120, 40, 10, 20, 30, 40, 50, 60);
        } },
    { "DoTextButtonAlt",
        [](ButtonScreen& s, iGfxFont* f) {
            return s.DoTextButtonAlt(f, L"Go", 100, 200, 120, 40, 10, 20, 30, 40, 50, 60);
        } },
    { "DoImageButton", [](ButtonScreen& s, iGfxFont*) { return s.DoImageButton(L"off", L"over", 100, 200, 120, 40); } },
    { "DoImageButtonTinted",
        [](ButtonScreen& s, iGfxFont*) {
            return s.DoImageButtonTinted(L"off", L"over", 100, 200, 120, 40, 10, 20, 30, 40, 50, 60);
        } },
};

// What a button draws in one state: its image ("" none) and tint, its label's
// colour and its shift from its resting place (the pressed look).
struct Look {
    const char* image;
    uint32_t tint;
    uint32_t label;
    int shift = 0;
};
enum class Label { None, Centred, CentredAlt, AtLeftAlt };
// The byte that triggers it: none, the click (leftClick), or the button
// clicked or held (clickEvent), which clears both click bytes, and for
// HeldMenu the menu's button event too.
enum class Takes { Nothing, Click, Held, HeldMenu };

class ScreenButtonsTest : public test::HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        WriteSet("buttons", { "off", "over", "plate" });
        screen.SetActive(true);
        screen.SetFadeAlpha(kFade);
    }
    // One frame of the button with the mouse at x, y and the bytes given;
    // gives its answer.
    bool Frame(const Call& call, iGfxFont* font, int x, int y, uint8_t click, uint8_t held)
    {
        MoveMouse(x, y);
        world.leftClick = click, world.clickEvent = held, world.buttonEvent = 1;
        gfx.ClearRecords();
        return call(screen, font);
    }

    ButtonScreen screen;
};

TEST_F(ScreenButtonsTest, EachButtonDrawsItsStateAndTakesItsOwnClick)
{
    const struct {
        const char* button;
        Label label;
        int labelOffset; // below y, in a font no button names (the big one)
        Look off, over;
        bool framed;
        int answer; // whatever happens: 1 true, 0 false; -1 it answers the click
        Takes takes;
        bool sound;
    } rows[] = {
        { "DoButton", Label::Centred, 5, { "off", kWhite, kOffLabel }, { "over", kWhite, kOverLabel, 1 }, false, -1,
            Takes::Click, true },
        { "DrawButton", Label::Centred, 6, { "off", kWhite, Argb(155, 255, 255, 0) },
            { "over", kWhite, Argb(255, 155, 155, 255) }, false, -1, Takes::HeldMenu, true },
        { "DoButtonQuiet", Label::Centred, 6, { "off", kWhite, kOffLabel }, { "over", kWhite, kOverLabel }, false, -1,
            Takes::Held, false },
        { "DoButtonFixed", Label::Centred, 5, { "off", kWhite, kOffLabel }, { "over", kWhite, kOverLabel }, false, -1,
            Takes::Click, true },
        { "DrawButtonStatic", Label::CentredAlt, 5, { "plate", kWhite, kOffLabel }, { "plate", kWhite, kOffLabel },
            false, 1, Takes::Nothing, false },
        { "DrawButtonFaint", Label::Centred, 5,
            { "plate", Argb(kFade / 4, 255, 255, 255), Argb(kFade / 4, 10, 20, 30) },
            { "plate", Argb(kFade / 4, 255, 255, 255), Argb(kFade / 4, 10, 20, 30) }, false, 1, Takes::Nothing, false },
        { "DrawButtonDisabled", Label::CentredAlt, 5, { "plate", Argb(kFade / 2, 155, 155, 155), kOffLabel },
            { "plate", Argb(kFade / 2, 155, 155, 155), kOffLabel }, false, 0, Takes::Nothing, false },
        { "DoTextButton", Label::Centred, 0, { "", 0, kOffLabel }, { "", 0, kOverLabel }, false, -1, Takes::Click,
            false },
        { "DoTextButtonFramed", Label::Centred, 0, { "", 0, kOffLabel }, { "", 0, kOverLabel }, true, -1, Takes::Click,
            false },
        { "DoTextButtonAlt", Label::AtLeftAlt, 0, { "", 0, kOffLabel }, { "", 0, kOverLabel }, false, -1, Takes::Click,
            false },
        { "DoImageButton", Label::None, 0, { "off", kWhite, 0 }, { "over", kWhite, 0 }, false, -1, Takes::Click,
            false },
        { "DoImageButtonTinted", Label::None, 0, { "off", Argb(kFade, 10, 20, 30), 0 },
            { "over", Argb(kFade, 40, 50, 60), 0 }, false, -1, Takes::Click, false },
    };
    // The mouse at the far corner of the button (inside) or one pixel past
    // it, with the click bytes: (leftClick, clickEvent).
    const struct {
        const char* name;
        int x, y;
        uint8_t click, held;
    } states[] = {
        { "outside", 221, 240, 0, 0 },
        { "clicked below", 220, 241, 1, 1 },
        { "over", 220, 240, 0, 0 },
        { "clicked", 220, 240, 1, 0 },
        { "held", 220, 240, 0, 1 },
        { "clicked and held", 220, 240, 1, 1 },
    };
    for (const auto& row : rows) {
        for (const auto& state : states) {
            SCOPED_TRACE(testing::Message() << row.button << ", " << state.name);
            const bool hovered = state.x == 220 && state.y == 240;
            const bool byClick = row.takes == Takes::Click && state.click;
            const bool byHold = (row.takes == Takes::Held || row.takes == Takes::HeldMenu) && state.held;
            const bool taken = hovered && (byClick || byHold);
            const int before = Played("menu_clk");
            const bool answer = Frame(kButtons.at(row.button), g_fontBig, state.x, state.y, state.click, state.held);
            EXPECT_EQ(answer, row.answer == -1 ? taken : row.answer == 1);
            EXPECT_EQ(Played("menu_clk") - before, taken && row.sound ? 1 : 0);
            const bool heldCleared = taken && row.takes != Takes::Click;
            EXPECT_EQ(world.leftClick, taken ? 0 : state.click);
            EXPECT_EQ(world.clickEvent, heldCleared ? 0 : state.held);
            EXPECT_EQ(world.buttonEvent, taken && row.takes == Takes::HeldMenu ? 0 : 1);

            const Look& look = hovered ? row.over : row.off;
            const std::vector<test::HudImage> images = Images();
            if (*look.image) {
                ASSERT_EQ(images.size(), 1u);
                EXPECT_EQ(images[0].name, look.image);
                EXPECT_EQ(std::pair(images[0].x, images[0].y), std::pair(100, 200));
                EXPECT_EQ(images[0].colour, look.tint);
            } else {
                EXPECT_TRUE(images.empty());
            }
            const auto texts = TextDraws();
            if (row.label == Label::None) {
                EXPECT_TRUE(texts.empty());
                continue;
            }
            ASSERT_EQ(texts.size(), 1u);
            const test::GfxDraw& label = *texts[0];
            EXPECT_EQ(
                label.kind, row.label == Label::Centred ? test::GfxDraw::Kind::Text : test::GfxDraw::Kind::TextAlt);
            const int left = row.label == Label::AtLeftAlt ? 100 : 100 + 60 - gfx.charWidth; // "Go" centred in 120
            EXPECT_EQ(std::pair(label.x, label.y), std::pair(left + look.shift, 200 + row.labelOffset + look.shift));
            EXPECT_EQ(label.color, look.label);

            // The frame: two outlines around the rectangle, four lines each,
            // in the label's colour.
            std::vector<std::array<float, 4>> outlines;
            int lines = 0;
            for (const test::GfxDraw& d : gfx.draws) {
                if (d.kind != test::GfxDraw::Kind::Lines)
                    continue;
                EXPECT_EQ(d.color, look.label);
                if (lines++ % 4 == 0)
                    outlines.push_back({ 1e9f, 1e9f, -1e9f, -1e9f });
                for (std::size_t p = 0; p + 1 < d.points.size(); p += 2) {
                    auto& box = outlines.back();
                    box = { std::min(box[0], d.points[p]), std::min(box[1], d.points[p + 1]),
                        std::max(box[2], d.points[p]), std::max(box[3], d.points[p + 1]) };
                }
            }
            using Boxes = std::vector<std::array<float, 4>>;
            const Boxes frame = { { 93, 199, 231, 241 }, { 92, 198, 232, 242 } };
            EXPECT_EQ(outlines, row.framed ? frame : Boxes {});
        }
    }

    // The label's offset below y by font, at both screen sizes.
    const struct {
        const char* button;
        iGfxFont** font;
        bool chinese;
        int at1280, at1024;
    } offsets[] = {
        { "DoButton", &g_fontBig, false, 5, 3 },
        { "DoButton", &g_fontNormal2, false, 13, 9 },
        { "DoButton", &g_fontSmall, false, 10, 7 },
        { "DrawButton", &g_fontBig, false, 6, 6 },
        { "DrawButton", &g_fontNormal2, false, 0, 0 },
        { "DrawButton", &g_fontSmall, false, 5, 5 },
        { "DrawButton", &g_fontNormal2, true, 3, 3 },
        { "DoButtonQuiet", &g_fontNormal2, false, 0, 0 },
        { "DoButtonQuiet", &g_fontSmall, false, 6, 6 },
        { "DoButtonFixed", &g_fontNormal, false, 8, 8 },
        { "DoButtonFixed", &g_fontSmall, false, 5, 5 },
        { "DrawButtonStatic", &g_fontNormal, false, 8, 8 },
        { "DrawButtonStatic", &g_fontSmall, false, 5, 5 },
        { "DrawButtonFaint", &g_fontNormal, false, 8, 8 },
        { "DrawButtonDisabled", &g_fontBig, false, 5, 3 },
        { "DrawButtonDisabled", &g_fontNormal, false, 8, 6 },
        { "DrawButtonDisabled", &g_fontNormal2, false, 11, 8 },
        { "DrawButtonDisabled", &g_fontSmall, false, 10, 7 },
        { "DoTextButton", &g_fontNormal2, false, 0, 0 },
    };
    for (const auto& row : offsets) {
        std::wcscpy(cSettings::Instance().languageCode, row.chinese ? L"chi" : L"eng");
        for (const int width : { 1280, 1024 }) {
            SCOPED_TRACE(testing::Message() << row.button << " at " << width << ", font " << row.font - g_fonts);
            cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
            Frame(kButtons.at(row.button), *row.font, 0, 0, 0, 0);
            const auto texts = TextDraws();
            ASSERT_EQ(texts.size(), 1u);
            EXPECT_EQ(texts[0]->y, 200 + (width == 1280 ? row.at1280 : row.at1024));
        }
    }
}

// The engine's render state 2 goes to 1 before and after the pressed label
// of a hovered DoButton (the engine interface's call for that look); no
// other button, and no button at rest, changes the render state.
TEST_F(ScreenButtonsTest, OnlyTheHoveredDoButtonSetsTheRenderState)
{
    for (const auto& [name, call] : kButtons) {
        for (const bool over : { false, true }) {
            SCOPED_TRACE(name + (over ? " over" : " at rest"));
            Frame(call, g_fontBig, over ? 220 : 221, 240, 0, 0);
            std::vector<std::string> states;
            for (const std::string& c : gfx.calls)
                if (c.rfind("SetRenderState", 0) == 0)
                    states.push_back(c);
            const bool sets = over && name == "DoButton";
            EXPECT_EQ(states, sets ? std::vector<std::string>(2, "SetRenderState 2 1") : std::vector<std::string> {});
        }
    }
}

} // namespace
