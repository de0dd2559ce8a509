// Choosing a profile and leaving the profile screen: the six slots in two
// columns, free slots, the hints, play (on to the world map or, for a new
// game, the station shop), options and quit.
#include <gtest/gtest.h>

#include "profile_fixture.h"
#include "scene/design_units.h"
#include "scene/menu_manager.h"

namespace {

using test::SlotX;
using test::SlotY;

class ProfileChooseTest : public test::ProfileTest { };

TEST_F(ProfileChooseTest, AClickInASlotChoosesItsProfileInBothColumns)
{
    for (int k : { 4, 2, 6, 3, 5, 1 }) {
        Click(SlotX(k) + 5, SlotY(k) + 5);
        EXPECT_EQ(world.currentProfile, k) << "slot " << k;
        // Hovering a slot shows the choosing hint; the click is left for the frame.
        EXPECT_EQ(Count(L"text 67"), 2);
    }
    // Slot edges: the right and bottom edge still belong to the slot.
    Click(SlotX(5) + 240, SlotY(5) + 41);
    EXPECT_EQ(world.currentProfile, 5);
    Click(SlotX(5) + 241, SlotY(5));
    EXPECT_EQ(world.currentProfile, 5);
}

TEST_F(ProfileChooseTest, SlotsAndNamesAreDrawnWhereTheyBelongTheCurrentNameInYellow)
{
    world.currentProfile = 2;
    world.profileNames[5] = L"Eve";
    Frame(0, 0);
    int active = 0;
    int passive = 0;
    for (const test::HudImage& image : Images()) {
        if (image.name == "user_active.png") {
            ++active;
            EXPECT_EQ(image.x, SlotX(2));
            EXPECT_EQ(image.y, SlotY(2));
        }
        passive += image.name == "user_passive.png" ? 1 : 0;
    }
    EXPECT_EQ(active, 1);
    EXPECT_EQ(passive, 5);
    // The slot's name, not the progress line's below the title.
    const test::GfxDraw* bo = nullptr;
    for (const test::GfxDraw* d : TextDraws()) {
        if (d->text == L"Bo" && d->x == 380 + 19 && d->y == 350 + 65 + 55 + 5)
            bo = d;
    }
    ASSERT_TRUE(bo);
    EXPECT_EQ(bo->color, 0xFFFFFF00u);
    const test::GfxDraw* eve = LastText(L"Eve");
    ASSERT_TRUE(eve);
    EXPECT_EQ(eve->color, 0xFFFFFFFFu);
    EXPECT_EQ(eve->x, 380 + 19 + 290);
    EXPECT_EQ(eve->y, 350 + 65 + 55 + 5);
    // The progress line of the current profile, and its name below it.
    EXPECT_EQ(Count(L"text 24 12 / 30"), 2);
}

TEST_F(ProfileChooseTest, EachButtonLabelSitsOnAButtonOfItsOwnAndAFreeSlotCannotPlay)
{
    struct Case {
        int width, height;
        int profile; // 3 is a free slot
        const wchar_t* playLabel; // the label where the play button stands
    };
    const Case cases[] = {
        { 1280, 1024, 1, L"text 23" },
        { 1280, 1024, 3, L"text 8" },
        { 1024, 768, 1, L"text 23" },
        { 1024, 768, 3, L"text 8" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        SCOPED_TRACE(c.profile);
        cSettings::Instance().SetResolution(c.width, c.height);
        world.currentProfile = c.profile;
        Frame(0, 0);
        EXPECT_EQ(Count(L"text 8") + Count(L"text 23"), 1);
        // Every label of the buttons lies inside one button face, and no
        // face holds two labels.
        std::vector<test::HudImage> faces;
        for (const test::HudImage& image : Images()) {
            if (image.name == "button_short_off.png")
                faces.push_back(image);
        }
        std::vector<int> labelsOn(faces.size(), 0);
        for (const wchar_t* label : { L"text 15", L"text 6", L"text 20", c.playLabel }) {
            SCOPED_TRACE(std::string(label, label + std::wcslen(label)));
            const test::GfxDraw* text = LastText(label);
            ASSERT_TRUE(text);
            int on = 0;
            for (std::size_t i = 0; i < faces.size(); ++i) {
                const bool inside = text->x >= faces[i].x && text->x < faces[i].x + Scene::ScaleX(205)
                    && text->y >= faces[i].y && text->y < faces[i].y + Scene::ScaleY(49);
                on += inside ? 1 : 0;
                labelsOn[i] += inside ? 1 : 0;
            }
            EXPECT_EQ(on, 1);
        }
        for (int count : labelsOn)
            EXPECT_LE(count, 1);
        // A press on the free slot's label plays nothing.
        const test::GfxDraw* play = LastText(c.playLabel);
        Click(play->x + 2, play->y + 2);
        EXPECT_EQ(world.profilesOpen, c.profile == 3 ? 1 : 0);
        EXPECT_EQ(world.restartConfirmOpen, 0);
        world.profilesOpen = 1;
        world.restartConfirmOpen = 0;
    }
}

TEST_F(ProfileChooseTest, HintsShowOnePerFrameAndTheWindowHintOnlyWithoutOther)
{
    struct Case {
        int x, y;
        uint8_t fullScreen;
        const wchar_t* hint; // nullptr: no hint at all
    };
    const Case cases[] = {
        { 0, 0, 0, L"text 97" },
        { 0, 0, 1, nullptr },
        { SlotX(4) + 3, SlotY(4) + 3, 0, L"text 67" },
        { test::kNewGameX + 3, test::kButtonLine + 3, 0, L"text 66" },
    };
    for (const Case& c : cases) {
        world.fullScreen = c.fullScreen;
        Frame(c.x, c.y);
        for (const wchar_t* hint : { L"text 97", L"text 67", L"text 66" })
            EXPECT_EQ(Count(hint), c.hint && std::wstring(c.hint) == hint ? 2 : 0) << c.x << " " << c.y;
    }
}

TEST_F(ProfileChooseTest, PlayGoesOnToTheWorldMapWithTheProfilesProgress)
{
    world.currentProfile = 2;
    world.profileDrive[2] = 1;
    {
        std::ofstream save(UserPath("2"), std::ios::binary);
        const auto bytes = platform::WideToUtf16Le(L"XXXX;\rBANK;777;\rMONEY;55;\r");
        save.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    Click(test::kPlayX + 10, test::kButtonLine + 10);
    EXPECT_EQ(world.profilesOpen, 0);
    EXPECT_EQ(world.gameMode, 1);
    EXPECT_EQ(world.furthestLevel, 12);
    EXPECT_EQ(world.level, 12);
    EXPECT_EQ(world.currentDrive, 1);
    EXPECT_EQ(world.bank, 777);
    EXPECT_EQ(world.intro, -1);
    EXPECT_EQ(Played("menu_clk"), 1);
    EXPECT_EQ(ReadUserFile("config.cfg").GetInt(L"workplace", 0), 2);
    EXPECT_EQ(ReadUserFile("us.txt").GetString(L"name 2"), L"Bo");
}

TEST_F(ProfileChooseTest, PlayOnAProfileAtItsFirstLevelStartsTheIntroduction)
{
    for (int lastLevel : { 1, 0 }) {
        world.profilesOpen = 1;
        world.intro = -1;
        world.profileLastLevel[1] = lastLevel;
        Click(test::kPlayX + 10, test::kButtonLine + 10);
        EXPECT_EQ(world.profilesOpen, 0);
        // A profile file that names no level plays from the first.
        EXPECT_EQ(world.level, 1);
        EXPECT_EQ(world.furthestLevel, 1);
        EXPECT_EQ(world.intro, 1);
    }
}

TEST_F(ProfileChooseTest, OptionsOpenOverTheProfilesAndQuitEndsTheGame)
{
    cMenuManager& menus = cMenuManager::Instance();
    menus.SetFactoryForTests([](int) { return std::make_unique<Scene::MenuPrototype>(0, 0, 0, 0); });
    ASSERT_TRUE(menus.CreateMenus());
    world.loadingPhase = 1;
    Click(test::kOptionsX + 10, test::kLowerLine + 10);
    EXPECT_TRUE(menus.GetMenu(cMenuManager::kOptions)->IsActive());
    EXPECT_EQ(world.optionsOpen, 1);
    EXPECT_EQ(world.profilesOpen, 0);
    EXPECT_EQ(world.loadingPhase, 0);
    menus.DestroyMenus();
    menus.SetFactoryForTests(nullptr);

    world.profilesOpen = 1;
    world.textEntryActive = 1;
    world.keyEscape = 1;
    Click(test::kQuitX + 10, test::kLowerLine + 10);
    EXPECT_EQ(world.menuChoice, 3);
    EXPECT_EQ(world.profilesOpen, 0);
    EXPECT_EQ(world.textEntryActive, 0);
    EXPECT_EQ(world.keyEscape, 0);
    EXPECT_EQ(std::wstring(world.textEntry), L"Ada");
    EXPECT_TRUE(Exists("us.txt"));
    EXPECT_TRUE(Exists("config.cfg"));
}

TEST_F(ProfileChooseTest, TheButtonsFollowTheScreenSize)
{
    struct Case {
        int width, height, x, y;
    };
    // 380 / 1.25 + 30 / 1.25 = 328; 350 / 1.33 + 510 / 1.33 + 15 = 661.
    for (const Case& c : { Case { 1280, 1024, 412, 862 }, Case { 1024, 768, 330, 663 } }) {
        cSettings::Instance().SetResolution(c.width, c.height);
        world.restartConfirmOpen = 0;
        Click(c.x, c.y);
        EXPECT_EQ(world.restartConfirmOpen, 1) << c.width;
        world.restartConfirmOpen = 0;
        Click(c.x, c.y - 4);
        EXPECT_EQ(world.restartConfirmOpen, 0) << c.width;
    }
}

} // namespace
