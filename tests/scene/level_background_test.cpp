// The level background: which image of which page set a level and a screen
// width draw, the bodies the parking lot shows, the light's fade steps with
// every component kept in range, and the rock overlay.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "level_fixture.h"
#include "platform/utf16.h"
#include "resources/page_descriptor.h"
#include "resources/page_manager.h"
#include "scene/level_background.h"
#include "support/recording_gfx.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

using Scene::LevelBackground;

const std::vector<std::wstring> kImages
    = { L"level_101.png", L"level_1.png", L"level_3.png", L"level_102.png", L"level_5.png", L"level_6.png", L"snow.png",
          L"rock_01.png", L"rock_02.png", L"rock_01_over.png", L"tree.png", L"parking_2.png", L"parking_3.png" };

// The art the build generates holds, for every campaign level and both page
// sets, the background and the overlay the level asks for.
TEST(LevelBackgroundTables, GeneratedArtHoldsEveryLevelsImages)
{
    test::RecordingGfx gfx;
    for (const int width : { 1280, 1024 }) {
        std::map<std::wstring, CPageManager> sets;
        for (int level = 1; level <= 30; ++level) {
            SCOPED_TRACE(::testing::Message() << "level " << level << ", width " << width);
            const std::wstring folder = LevelBackground::RegionFolder(level, width);
            ASSERT_FALSE(folder.empty());
            auto [set, fresh] = sets.try_emplace(folder);
            if (fresh) {
                ASSERT_TRUE(set->second.Load(folder.c_str())) << platform::WideToNarrow(folder);
            }
            EXPECT_TRUE(set->second.HasImage(LevelBackground::BackgroundImage(level)))
                << platform::WideToNarrow(LevelBackground::BackgroundImage(level));
            if (const wchar_t* overlay = LevelBackground::OverlayImage(level)) {
                EXPECT_TRUE(set->second.HasImage(overlay)) << platform::WideToNarrow(overlay);
            }
        }
        EXPECT_EQ(sets.size(), 5u);
    }
}

class LevelBackgroundTest : public test::LevelTest {
protected:
    void SetUp() override
    {
        test::LevelTest::SetUp();
        for (const char* region : { "europa", "escimo", "rock" }) {
            WriteSet(std::string("data/gui/interface/menu/menu_level_") + region, "page of 1280");
            WriteSet(std::string("data/gui/interface/menu/menu_level_") + region + "_1024", "page of 1024");
        }
        gfx.ClearRecords();
    }

    // Every image one pixel of page 0, at x = its number in kImages; the page
    // file's bytes tell the sets apart.
    void WriteSet(const std::string& dir, const std::string& pageBytes)
    {
        std::filesystem::create_directories(folder / dir);
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        for (std::size_t i = 0; i < kImages.size(); ++i)
            d.AddPart(d.AddImage(kImages[i].c_str(), 1, 1), 0, static_cast<int>(i), 0, 1, 1);
        ASSERT_TRUE(d.SaveToFile(folder / (dir + "/descriptor.xml")));
        std::ofstream(folder / (dir + "/page0.png"), std::ios::binary) << pageBytes;
    }

    struct Drawn {
        std::wstring image;
        std::string set;
        int x;
        int y;
        uint32_t colour;
    };
    std::vector<Drawn> DrawnImages() const
    {
        std::vector<Drawn> drawn;
        for (const test::GfxDraw& d : gfx.draws) {
            if (d.kind != test::GfxDraw::Kind::Texture)
                continue;
            const auto* texture = static_cast<const test::RecordingTexture*>(d.texture);
            const std::string set = texture ? std::string(texture->bytes.begin(), texture->bytes.end()) : "";
            drawn.push_back({ kImages.at(static_cast<std::size_t>(d.source.left)), set, static_cast<int>(d.target.left),
                static_cast<int>(d.target.top), d.color });
        }
        return drawn;
    }

    // The screen switched on for the level at the width, and one frame drawn.
    std::vector<Drawn> DrawLevel(int level, int width)
    {
        cGameWorld::Instance().level = level;
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        LevelBackground background;
        background.SetActive(true);
        gfx.ClearRecords();
        background.Draw();
        return DrawnImages();
    }
};

TEST(LevelBackgroundTables, ImageAndPageSetByLevelAndWidth)
{
    const struct {
        int level;
        const wchar_t* image;
        const wchar_t* region;
        const wchar_t* overlay;
    } cases[] = {
        { 1, L"level_101.png", L"europa", nullptr },
        { 2, L"level_1.png", L"europa", nullptr },
        { 3, L"level_3.png", L"europa", nullptr },
        { 4, L"level_102.png", L"europa", nullptr },
        { 6, L"level_6.png", L"europa", nullptr },
        { 7, L"snow.png", L"escimo", nullptr },
        { 12, L"snow.png", L"escimo", nullptr },
        { 13, L"usa.png", L"usa", nullptr },
        { 19, L"rock_01.png", L"rock", nullptr },
        { 20, L"rock_01.png", L"rock", L"rock_01_over.png" },
        { 21, L"rock_01.png", L"rock", L"rock_01_over.png" },
        { 22, L"rock_01.png", L"rock", nullptr },
        { 23, L"rock_02.png", L"rock", L"rock_02_over.png" },
        { 24, L"rock_02.png", L"rock", L"rock_02_over.png" },
        { 25, L"wueste.png", L"desert", nullptr },
        { 30, L"wueste.png", L"desert", nullptr },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        ASSERT_NE(LevelBackground::BackgroundImage(c.level), nullptr);
        EXPECT_EQ(std::wstring(LevelBackground::BackgroundImage(c.level)), c.image);
        const std::wstring base = std::wstring(L"data/gui/interface/menu/menu_level_") + c.region;
        EXPECT_EQ(LevelBackground::RegionFolder(c.level, 1280), base);
        EXPECT_EQ(LevelBackground::RegionFolder(c.level, 1024), base + L"_1024");
        EXPECT_EQ(LevelBackground::RegionFolder(c.level, 1600), base + L"_1024");
        if (c.overlay)
            EXPECT_EQ(std::wstring(LevelBackground::OverlayImage(c.level)), c.overlay);
        else
            EXPECT_EQ(LevelBackground::OverlayImage(c.level), nullptr);
    }
    for (const int level : { -1, 0, 31, 32, 1000 }) {
        EXPECT_EQ(LevelBackground::BackgroundImage(level), nullptr) << level;
        EXPECT_EQ(LevelBackground::RegionFolder(level, 1280), L"") << level;
        EXPECT_EQ(LevelBackground::OverlayImage(level), nullptr) << level;
    }
}

TEST(LevelBackgroundTables, TintStepsStopAtTheirTargetsAndStayInRange)
{
    struct Case {
        const char* what;
        int tint[3];
        int step;
        int target;
        bool darken;
        bool brighten;
        int steps; // taken until the fade stops
        int expected[3];
    };
    const Case cases[] = {
        { "darkening to 150", { 255, 255, 255 }, 15, 150, true, false, 7, { 150, 150, 150 } },
        { "target between steps", { 255, 255, 255 }, 15, 151, true, false, 7, { 150, 150, 150 } },
        { "the script's darkening", { 255, 200, 100 }, 1, 130, true, false, 125, { 130, 75, 0 } },
        { "green and blue at 0", { 200, 10, 0 }, 50, 100, true, false, 2, { 100, 0, 0 } },
        { "a target below 0", { 40, 40, 40 }, 30, -20, true, false, 2, { 0, 0, 0 } },
        { "brightening", { 250, 100, 0 }, 15, 0, false, true, 1, { 255, 255, 255 } },
        { "brightening from dark", { 130, 255, 255 }, 25, 0, false, true, 5, { 255, 255, 255 } },
        { "both: darkening first", { 255, 255, 255 }, 100, 150, true, true, 2, { 55, 55, 55 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cWorldEffectsFields light;
        std::copy(std::begin(c.tint), std::end(c.tint), light.levelTint);
        light.tintStep = c.step;
        light.darkTintTarget = c.target;
        light.darkening = c.darken;
        light.brightening = c.brighten;
        int steps = 0;
        while ((light.darkening || (light.brightening && !c.darken)) && steps < 1000) {
            LevelBackground::StepTint(light);
            ++steps;
            for (const int component : light.levelTint) {
                EXPECT_GE(component, 0);
                EXPECT_LE(component, 255);
            }
        }
        EXPECT_EQ(steps, c.steps);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(light.levelTint[i], c.expected[i]) << i;
    }
}

TEST_F(LevelBackgroundTest, LevelTwoDrawsItsBackgroundFromTheSetOfTheWidth)
{
    const struct {
        int width;
        const char* set;
    } cases[] = { { 1280, "page of 1280" }, { 1024, "page of 1024" }, { 1600, "page of 1024" } };
    cGameWorld& world = cGameWorld::Instance();
    world.levelTint[0] = 200;
    world.levelTint[1] = 150;
    world.levelTint[2] = 100;
    for (const auto& c : cases) {
        const auto drawn = DrawLevel(2, c.width);
        ASSERT_EQ(drawn.size(), 1u) << c.width;
        EXPECT_EQ(drawn[0].image, L"level_1.png");
        EXPECT_EQ(drawn[0].set, c.set);
        EXPECT_EQ(drawn[0].x, 0);
        EXPECT_EQ(drawn[0].y, 0);
        EXPECT_EQ(drawn[0].colour, MakeARGB(255, 200, 150, 100));
    }
    EXPECT_EQ(DrawLevel(4, 1280).at(0).image, L"level_102.png");
    EXPECT_EQ(DrawLevel(9, 1280).at(0).image, L"snow.png");
}

TEST_F(LevelBackgroundTest, BodiesFollowTheBackgroundAndTheParkingLot)
{
    cGameWorld& world = cGameWorld::Instance();
    world.levelTint[0] = world.levelTint[1] = world.levelTint[2] = 255;
    world.bodies = { cBody { 2, "parking_2", 300, 40 }, cBody { 3, "parking_3", 300, 40 }, cBody { 7, "tree", 5, 6 } };
    world.parkingLot = 2;
    auto drawn = DrawLevel(2, 1280);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[1].image, L"parking_2.png");
    EXPECT_EQ(drawn[1].x, 300);
    EXPECT_EQ(drawn[2].image, L"tree.png");
    EXPECT_EQ(drawn[2].y, 6);

    world.parkingLot = 3;
    drawn = DrawLevel(2, 1280);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[1].image, L"parking_3.png");

    // Outside the campaign nothing is loaded and nothing drawn, bodies
    // neither.
    log.clear();
    EXPECT_TRUE(DrawLevel(31, 1280).empty());
    EXPECT_TRUE(DrawLevel(0, 1280).empty());
    EXPECT_TRUE(log.empty());
}

TEST_F(LevelBackgroundTest, TheLightFadesOneStepPerPeriodAndIsDrawnInRange)
{
    cGameWorld& world = cGameWorld::Instance();
    world.level = 2;
    world.levelTint[0] = 255;
    world.levelTint[1] = 255;
    world.levelTint[2] = 255;
    world.darkening = 1;
    world.tintStep = 1;
    world.darkTintTarget = 130;
    LevelBackground background;
    background.SetActive(true);
    // Frames of 10 ms: a step on every second frame only.
    for (int frame = 0; frame < 10; ++frame) {
        ms += 10.0;
        cClock::Instance().Update();
        background.Draw();
    }
    EXPECT_EQ(world.levelTint[0], 250);
    EXPECT_EQ(world.darkening, 1);

    // A tint out of range from a script is drawn clamped.
    world.darkening = 0;
    world.levelTint[0] = 300;
    world.levelTint[1] = -5;
    world.levelTint[2] = 128;
    gfx.ClearRecords();
    background.Draw();
    ASSERT_FALSE(DrawnImages().empty());
    EXPECT_EQ(DrawnImages()[0].colour, MakeARGB(255, 255, 0, 128));
}

TEST_F(LevelBackgroundTest, OnlyTheRockLevelsDrawAnOverlay)
{
    cGameWorld& world = cGameWorld::Instance();
    world.levelTint[0] = world.levelTint[1] = world.levelTint[2] = 90;
    cSettings::Instance().SetResolution(1024, 768);
    for (const int level : { 19, 20 }) {
        world.level = level;
        LevelBackground background;
        background.SetActive(true);
        gfx.ClearRecords();
        background.DrawRockHover();
        const auto drawn = DrawnImages();
        if (level == 19) {
            EXPECT_TRUE(drawn.empty());
            continue;
        }
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].image, L"rock_01_over.png");
        EXPECT_EQ(drawn[0].set, "page of 1024");
        EXPECT_EQ(drawn[0].colour, MakeARGB(255, 90, 90, 90));
    }
}

} // namespace
