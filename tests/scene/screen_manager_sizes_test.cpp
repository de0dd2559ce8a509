// The screen manager's frame when a screen's pages were loaded for the other
// screen size, and when a slot holds a screen of the wrong kind.
#include <gtest/gtest.h>

#include <algorithm>

#include "recording_screens.h"
#include "support/recording_gfx.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

using Calls = std::vector<std::string>;

class ScreenManagerSizes : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.ResetToDefaults();
        world.level = 5;
        cSettings::Instance().SetResolution(1280, 1024);
        calls.clear();
    }
    void TearDown() override
    {
        manager.DestroyScreens();
        manager.SetFactoryForTests(nullptr);
        cSettings::Instance().SetResolution(1280, 1024);
        world.ResetToDefaults();
    }
    // All screens made, the first level frame run, and every screen visible.
    void StartLevel()
    {
        manager.SetFactoryForTests(test::MakeRecordingScreen);
        ASSERT_TRUE(manager.CreateScreens());
        manager.UpdateScreens();
        for (int slot = 0; slot < cScreenManager::kSlots; ++slot)
            dynamic_cast<test::Shown*>(manager.GetScreen(slot))->SetAlpha(255);
        calls.clear();
    }

    cGameWorld& world = cGameWorld::Instance();
    cScreenManager& manager = cScreenManager::Instance();
    Calls& calls = test::ScreenCalls();
    test::RecordingGfx gfx;
};

// A screen whose pages are of the other size is loaded again before the frame
// draws, whether it is a level screen or not; a switched-off one stays off,
// and a screen already of the right size is left alone.
TEST_F(ScreenManagerSizes, ScreensWithPagesOfTheOtherSizeAreLoadedAgainAndDraw)
{
    const struct {
        const char* what;
        bool startOn;
        Calls reload;
    } cases[] = {
        { "the start screen on", true,
            { "StartScreen off", "StartScreen on", "Shop off", "Shop on", "StationView off", "StationView on",
                "Hud off", "Hud on", "CarLayer off", "CarLayer on", "WorldMap off", "WorldMap on" } },
        { "the start screen off", false,
            { "Shop off", "Shop on", "StationView off", "StationView on", "Hud off", "Hud on", "CarLayer off",
                "CarLayer on", "WorldMap off", "WorldMap on" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartLevel();
        manager.GetScreen(cScreenManager::kStart)->SetActive(c.startOn);
        cSettings::Instance().SetResolution(1024, 768);
        calls.clear();
        manager.UpdateScreens();
        ASSERT_GE(calls.size(), c.reload.size());
        EXPECT_EQ(Calls(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(c.reload.size())), c.reload);
        for (const int slot : { cScreenManager::kStart, cScreenManager::kShop, cScreenManager::kStationView,
                 cScreenManager::kHud, cScreenManager::kCarLayer, cScreenManager::kWorldMap }) {
            const bool on = slot != cScreenManager::kStart || c.startOn;
            EXPECT_EQ(manager.GetScreen(slot)->IsActive(), on) << slot;
            if (on) {
                EXPECT_EQ(manager.GetScreen(slot)->PagesWidth(), 1024) << slot;
            }
        }
        for (const char* draw : { "StationView::Draw", "CarLayer::Draw", "Hud::Draw", "Shop::Update" })
            EXPECT_EQ(std::count(calls.begin(), calls.end(), draw), 1) << draw;
        // Of the right size now, nothing is loaded again.
        calls.clear();
        manager.UpdateScreens();
        EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                      [](const std::string& call) { return call.ends_with(" on") || call.ends_with(" off"); }),
            0);
        manager.DestroyScreens();
        cSettings::Instance().SetResolution(1280, 1024);
        world.ResetToDefaults();
        world.level = 5;
    }
}

// A slot holding a screen of another kind leaves the frame undone: no screen
// is switched on, drawn or asked anything.
TEST_F(ScreenManagerSizes, AFrameIsRefusedWhenAnyScreenItNeedsIsOfTheWrongKind)
{
    for (const int wrong : { cScreenManager::kLevelBackground, cScreenManager::kCarLayer, cScreenManager::kStationView,
             cScreenManager::kEffects, cScreenManager::kHud, cScreenManager::kTask, cScreenManager::kResultScreen,
             cScreenManager::kShop, cScreenManager::kMessagePanel, cScreenManager::kOptions, cScreenManager::kHelp }) {
        SCOPED_TRACE(wrong);
        manager.SetFactoryForTests([wrong](int slot) {
            return slot == wrong ? test::MakeRecording<test::RecordingBuildMenu>() : test::MakeRecordingScreen(slot);
        });
        ASSERT_TRUE(manager.CreateScreens());
        calls.clear();
        manager.UpdateScreens();
        EXPECT_EQ(calls, Calls());
        EXPECT_FALSE(manager.GetScreen(cScreenManager::kLevelBackground)->IsActive());
        manager.DestroyScreens();
        calls.clear();
    }
}

} // namespace
