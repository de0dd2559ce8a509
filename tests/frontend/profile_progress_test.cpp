// The profile screen's progress block and its button labels, at both sizes:
// the current profile's name one line under its level, centred with it; every
// button's label in the one colour of the screen's buttons, white under the
// mouse, as on the new-game warning.
#include <gtest/gtest.h>

#include "frontend/start_screen.h"
#include "scene/hud_fixture.h"

namespace {

class ProfileScreen : public Scene::StartScreen {
public:
    void LoadPage(const wchar_t* folder) { pages[kStartPage].Load(folder); }
};

class ProfileProgressTest : public test::HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        WriteSet("data/gui/interface/menu/menu_start",
            { "helper_rahmen.png", "helper_balken.png", "menu_profile.png", "user_active.png", "user_passive.png",
                "user_over.png", "button_short_off.png", "button_short_over.png" });
        world.fullScreen = world.profilesOpen = world.currentProfile = 1;
        world.profileNames[1] = L"Ada";
        world.profileLastLevel[1] = 7;
        screen.LoadPage(L"data/gui/interface/menu/menu_start");
    }
    void Frame(int x, int y)
    {
        MoveMouse(x, y);
        world.leftClick = world.clickEvent = 0;
        gfx.ClearRecords();
        Wait(17);
        screen.DrawProfiles();
    }
    // The last draw of the text, and the one just before it (its shadow).
    std::pair<const test::GfxDraw*, const test::GfxDraw*> Last(const std::wstring& text) const
    {
        const auto texts = TextDraws();
        for (std::size_t i = texts.size(); i-- > 0;)
            if (texts[i]->text == text)
                return { texts[i], i > 0 ? texts[i - 1] : nullptr };
        return { nullptr, nullptr };
    }
    int Centre(const test::GfxDraw* d) const { return d->x + static_cast<int>(d->text.size()) * gfx.charWidth / 2; }

    ProfileScreen screen;
};

TEST_F(ProfileProgressTest, TheProfilesNameStandsOneLineUnderItsLevelCentredWithIt)
{
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        SCOPED_TRACE(width);
        cSettings::Instance().SetResolution(width, height);
        Frame(0, 0);
        const auto [title, titleShadow] = Last(L"text 56");
        const auto [level, levelShadow] = Last(L"text 24 7 / 30");
        const auto [name, shadow] = Last(L"Ada");
        ASSERT_TRUE(title && level && name && shadow);
        // The title two lines above the level, the name one line below it.
        EXPECT_NEAR(2 * (name->y - level->y), level->y - title->y, width == 1280 ? 0 : 1);
        EXPECT_NEAR(Centre(name), Centre(level), 1);
        EXPECT_NEAR(Centre(level), Centre(title), 1);
        EXPECT_EQ(name->color, 0xFFFFFFFFu);
        EXPECT_EQ(shadow->text, L"Ada");
        EXPECT_EQ(shadow->color, 0xFF000000u);
        EXPECT_EQ(std::pair(shadow->x, shadow->y), std::pair(name->x + 1, name->y + 1));
    }
}

TEST_F(ProfileProgressTest, EveryButtonLabelHasTheScreensColoursAtRestAndUnderTheMouse)
{
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        SCOPED_TRACE(width);
        cSettings::Instance().SetResolution(width, height);
        world.restartConfirmOpen = 0;
        Frame(0, 0);
        std::vector<uint32_t> rest;
        std::vector<std::pair<std::wstring, std::pair<int, int>>> labels;
        for (const wchar_t* label : { L"text 15", L"text 23", L"text 20", L"text 6" }) {
            const test::GfxDraw* d = Last(label).first;
            ASSERT_TRUE(d) << platform::WideToNarrow(label);
            rest.push_back(d->color & 0x00FFFFFFu); // the alpha is the screen's fade
            labels.push_back({ label, { d->x + 2, d->y + 2 } });
        }
        world.restartConfirmOpen = 1; // the warning before a new game
        Frame(0, 0);
        for (const wchar_t* label : { L"text 16", L"text 17" }) {
            const test::GfxDraw* d = Last(label).first;
            ASSERT_TRUE(d) << platform::WideToNarrow(label);
            rest.push_back(d->color & 0x00FFFFFFu); // the alpha is the screen's fade
            labels.push_back({ label, { d->x + 2, d->y + 2 } });
        }
        for (const uint32_t colour : rest)
            EXPECT_EQ(colour, rest[0]) << "a label in a colour of its own";
        const uint32_t r = (rest[0] >> 16) & 0xFF, g = (rest[0] >> 8) & 0xFF, b = rest[0] & 0xFF;
        EXPECT_TRUE(r > 2 * g && r > 2 * b && r < 200) << "not dark red: " << std::hex << rest[0];
        for (const auto& [label, at] : labels) {
            SCOPED_TRACE(platform::WideToNarrow(label));
            world.restartConfirmOpen = label == L"text 16" || label == L"text 17" ? 1 : 0;
            Frame(at.first, at.second);
            const test::GfxDraw* d = Last(label).first;
            ASSERT_TRUE(d);
            EXPECT_EQ(d->color & 0x00FFFFFFu, 0x00FFFFFFu) << "under the mouse";
        }
        world.restartConfirmOpen = 0;
    }
}

} // namespace
