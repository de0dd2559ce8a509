// The start screen: its page by screen width, the title pictures, the loading
// bar growing from the left, the clouds that wrap without a gap, and the
// first frame of the profile screen hiding a message left from before.
#include <gtest/gtest.h>

#include "frontend/start_screen.h"
#include "scene/hud_fixture.h"
#include "scene/recording_screens.h"
#include "scene/screen_manager.h"

namespace {

const char* const kPlain = "data/gui/interface/menu/menu_start";
const char* const kSmall = "data/gui/interface/menu/menu_start_1024";

class StartScreenTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        for (const char* set : { kPlain, kSmall })
            WriteSizedSet(set,
                { { "vandrel_start.png", 4, 4 }, { "vandrel_start_menu.png", 4, 4 }, { "menue_big1.png", 300, 58 },
                    { "loading_01.png", 548, 40 }, { "loading_01_over.png", 548, 40 }, { "wolken.png", 8, 8 } });
    }
    void TearDown() override
    {
        screen.SetActive(false);
        test::HudTest::TearDown();
    }
    struct Sized {
        std::string name;
        int width;
        int height;
    };
    // A set in which each image has its own size and starts at x = its
    // number on page 0, so a recorded draw names it.
    void WriteSizedSet(const std::string& dir, const std::vector<Sized>& images)
    {
        std::filesystem::create_directories(folder / dir);
        cPageDescriptor d;
        d.SetPageNames(L"page", L".png");
        std::vector<std::string> names;
        int x = 0;
        for (const Sized& image : images) {
            const std::wstring name = platform::NarrowToWide(image.name);
            d.AddPart(d.AddImage(name.c_str(), image.width, image.height), 0, x++, 0, image.width, image.height);
            names.push_back(image.name);
        }
        ASSERT_TRUE(d.SaveToFile(folder / (dir + "/descriptor.xml")));
        std::ofstream(folder / (dir + "/page0.png"), std::ios::binary) << dir;
        sets[dir] = names;
    }
    // The draws of the image, with their target rectangles.
    std::vector<RECT> Targets(const std::string& name) const
    {
        std::vector<RECT> targets;
        const std::vector<test::HudImage> images = Images();
        for (std::size_t i = 0, t = 0; i < gfx.draws.size(); ++i) {
            if (gfx.draws[i].kind != test::GfxDraw::Kind::Texture)
                continue;
            if (images[t++].name == name)
                targets.push_back(gfx.draws[i].target);
        }
        return targets;
    }
    void UseWidth(int width)
    {
        cSettings::Instance().SetResolution(width, width == 1024 ? 768 : 1024);
        screen.SetActive(false);
        screen.SetActive(true);
        gfx.ClearRecords();
    }

    Scene::StartScreen screen;
};

TEST_F(StartScreenTest, ThePageFollowsTheScreenWidthAndTheTitleComesFromIt)
{
    const std::pair<int, const char*> cases[] = { { 1280, kPlain }, { 1024, kSmall } };
    for (const auto& [width, set] : cases) {
        SCOPED_TRACE(width);
        UseWidth(width);
        screen.DrawStartImage();
        const std::optional<test::HudImage> title = FindImage("vandrel_start.png");
        ASSERT_TRUE(title);
        EXPECT_EQ(title->set, set);
        EXPECT_EQ(title->x, 0);
        EXPECT_EQ(title->y, 0);
        EXPECT_EQ(title->colour, 0xFFFFFFFFu);
    }
}

struct BarCase {
    int width;
    int percent;
    int x, y;
    int filled; // 0: the filled bar is not drawn
    int height;
};

TEST_F(StartScreenTest, TheLoadingBarFillsFromTheLeftByItsPercentage)
{
    const BarCase cases[] = {
        { 1280, 0, 550, 370, 0, 0 },
        { 1280, 50, 550, 370, 274, 40 },
        { 1280, 100, 550, 370, 548, 40 },
        // 550 / 1.25, 370 / 1.33 and 15 lower; 548 / 1.25 × 0.95.
        { 1024, 95, 440, 293, 416, 30 },
    };
    for (const BarCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " " + std::to_string(c.percent));
        UseWidth(c.width);
        screen.DrawLoadingBar(0, c.percent);
        const std::vector<RECT> empty = Targets("loading_01.png");
        ASSERT_EQ(empty.size(), 1u);
        EXPECT_EQ(empty[0].left, c.x);
        EXPECT_EQ(empty[0].top, c.y);
        const std::vector<RECT> filled = Targets("loading_01_over.png");
        if (c.filled == 0) {
            EXPECT_TRUE(filled.empty());
            continue;
        }
        ASSERT_EQ(filled.size(), 1u);
        EXPECT_EQ(filled[0].left, c.x);
        EXPECT_EQ(filled[0].top, c.y);
        EXPECT_EQ(filled[0].right - filled[0].left, c.filled);
        EXPECT_EQ(filled[0].bottom - filled[0].top, c.height);
    }
}

TEST_F(StartScreenTest, TheCloudsDriftRightAndWrapWithoutAGap)
{
    UseWidth(1280);
    EXPECT_EQ(screen.CloudX(0), -1280);
    EXPECT_EQ(screen.CloudX(1), 0);
    // A frame shorter than the step moves nothing.
    Wait(20.0);
    screen.DrawClouds();
    EXPECT_EQ(screen.CloudX(0), -1280);
    for (int step = 1; step <= 2 * 1280 + 5; ++step) {
        Wait(35.0);
        screen.DrawClouds();
        const int left = std::min(screen.CloudX(0), screen.CloudX(1));
        const int right = std::max(screen.CloudX(0), screen.CloudX(1));
        ASSERT_LE(left, 0) << step;
        ASSERT_GT(left, -1280 - 1) << step;
        ASSERT_EQ(right - left, 1280) << step;
    }
    // Two whole screen widths: back where they began, five pixels on.
    EXPECT_EQ(screen.CloudX(0), -1280 + 5);
    EXPECT_EQ(screen.CloudX(1), 5);
}

TEST_F(StartScreenTest, TheFirstProfileFrameHidesAMessageLeftFromBefore)
{
    cScreenManager::Instance().SetFactoryForTests(test::MakeRecordingScreen);
    ASSERT_TRUE(cScreenManager::Instance().CreateScreens());
    Scene::Screen* panel = cScreenManager::Instance().GetScreen(cScreenManager::kMessagePanel);
    UseWidth(1280);
    panel->SetFadeAlpha(200);
    screen.Draw();
    EXPECT_EQ(panel->GetAlpha(), 0);
    EXPECT_EQ(world.startScreenCounter, 1);
    EXPECT_TRUE(FindImage("vandrel_start_menu.png"));
    panel->SetFadeAlpha(200);
    screen.Draw();
    EXPECT_EQ(panel->GetAlpha(), 200);
    cScreenManager::Instance().DestroyScreens();
    cScreenManager::Instance().SetFactoryForTests(nullptr);
}

} // namespace
