// The screen manager over recording screens: the order it makes and deletes
// them in, and the order of one level frame with its conditions.
#include <gtest/gtest.h>

#include <algorithm>

#include "recording_screens.h"
#include "support/recording_gfx.h"
#include "world/game_world.h"

namespace {

using Calls = std::vector<std::string>;

Calls Without(Calls calls, const Calls& left)
{
    for (const std::string& call : left) {
        const auto at = std::find(calls.begin(), calls.end(), call);
        EXPECT_NE(at, calls.end()) << call;
        if (at != calls.end())
            calls.erase(at);
    }
    return calls;
}

// A level frame with every screen visible, no flags set, a level other than
// 31 and the mouse over place 7.
const Calls kFullFrame = {
    "LevelBackground::Draw",
    "CarLayer::HandleStackClick",
    "StationView::GetPlaceUnderMouse(true)",
    "StationView::Draw",
    "CarLayer::Draw",
    "CarLayer::DrawLeavingAutos",
    "LevelBackground::DrawRockHover",
    "CarLayer::UpdateServicedCars",
    "StationView::DrawDecorations",
    "CarLayer::UpdateTransfer",
    "EffectsLayer::DrawCloudShadows",
    "CarLayer::UpdateHelpHints",
    "EffectsLayer::DrawValueFloaters",
    "EffectsLayer::DrawEffectLayer2",
    "EffectsLayer::DrawFog",
    "Hud::DrawBonusSlots",
    "EffectsLayer::UpdateAnimations",
    "EffectsLayer::DrawEffectLayer",
    "Hud::Tick",
    "CarLayer::DragAuto",
    "Hud::Draw",
    "ResultScreen::Draw",
    "Shop::Update",
    "MessagePanel::Draw",
    "OptionsScreen::Draw",
    "HelpScreen::Draw",
    "StationView::DrawTooltip",
};

class ScreenManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.ResetToDefaults();
        world.level = 5;
        manager.SetFactoryForTests(test::MakeRecordingScreen);
        calls.clear();
    }
    void TearDown() override
    {
        manager.DestroyScreens();
        manager.SetFactoryForTests(nullptr);
        world.ResetToDefaults();
    }
    // All screens made, the first level frame run, and every screen visible.
    void StartLevel()
    {
        ASSERT_TRUE(manager.CreateScreens());
        manager.UpdateScreens();
        for (int slot = 0; slot < cScreenManager::kSlots; ++slot)
            Show(slot, 255);
        manager.Get<test::RecordingStationView>(cScreenManager::kStationView)->placeUnderMouse = 7;
        calls.clear();
        gfx.ClearRecords();
    }
    void Show(int slot, uint8_t alpha)
    {
        auto* shown = dynamic_cast<test::Shown*>(manager.GetScreen(slot));
        ASSERT_NE(shown, nullptr);
        shown->SetAlpha(alpha);
    }

    cGameWorld& world = cGameWorld::Instance();
    cScreenManager& manager = cScreenManager::Instance();
    Calls& calls = test::ScreenCalls();
    test::RecordingGfx gfx;
    test::FakeInput input;
};

TEST_F(ScreenManagerTest, ScreensAreMadeInTheirOrderAndOnlyTheStartScreenIsSwitchedOn)
{
    world.optionsOpen = 1;
    world.resultScreenOpen = 1;
    world.shopOpen = 1;
    ASSERT_TRUE(manager.CreateScreens());
    const Calls expected = { "make 13", "make 0", "make 8", "make 4", "make 5", "make 6", "make 1", "make 2", "make 3",
        "make 7", "make 9", "make 10", "make 11", "make 12", "StartScreen on" };
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(world.optionsOpen, 0);
    EXPECT_EQ(world.resultScreenOpen, 0);
    EXPECT_EQ(world.shopOpen, 0);
    for (int slot = 0; slot < cScreenManager::kSlots; ++slot) {
        EXPECT_EQ(manager.GetScreen(slot)->IsActive(), slot == cScreenManager::kStart) << slot;
        EXPECT_EQ(manager.GetScreen(slot)->IsVisible(), slot == cScreenManager::kStart) << slot;
    }
    // The world's calls reach the screens through their slots.
    EXPECT_EQ(Scene::CarLayer::Instance(), manager.GetScreen(cScreenManager::kCarLayer));
    EXPECT_EQ(Scene::StationView::Instance(), manager.GetScreen(cScreenManager::kStationView));
}

TEST_F(ScreenManagerTest, ScreensAreDeletedInTheirOrderWithoutBeingSwitchedOff)
{
    ASSERT_TRUE(manager.CreateScreens());
    calls.clear();
    manager.DestroyScreens();
    const Calls expected
        = { "~BuildMenu", "~StationView", "~WorldMap", "~TaskDialog", "~MessagePanel", "~StartScreen", "~OptionsScreen",
              "~HelpScreen", "~ResultScreen", "~Shop", "~Hud", "~EffectsLayer", "~CarLayer", "~LevelBackground" };
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(Scene::CarLayer::Instance(), nullptr);
    EXPECT_FALSE(manager.HasScreens());
    // Nothing to do without screens.
    manager.UpdateScreens();
    EXPECT_EQ(calls, expected);
}

TEST_F(ScreenManagerTest, FirstLevelFrameSwitchesTheLevelScreensOnAndDrawsThemAtOnce)
{
    ASSERT_TRUE(manager.CreateScreens());
    calls.clear();
    manager.UpdateScreens();
    // Switched on, the screens are visible in the same frame; the overlay and
    // the message panel are not among them.
    Calls expected = { "LevelBackground on", "CarLayer::ResetTimers", "Hud on", "TaskDialog on", "StationView on",
        "ResultScreen on", "Shop on", "HelpScreen on", "OptionsScreen on", "CarLayer on", "WorldMap on" };
    Calls frame
        = Without(kFullFrame, { "EffectsLayer::UpdateAnimations", "MessagePanel::Draw", "StationView::DrawTooltip" });
    expected.insert(expected.end(), frame.begin(), frame.end());
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(world.hoveredElement, -1);

    // The next frame switches nothing on again.
    calls.clear();
    manager.UpdateScreens();
    EXPECT_EQ(calls, frame);
}

TEST_F(ScreenManagerTest, LevelFrameCallsTheScreensInDrawingOrder)
{
    StartLevel();
    manager.UpdateScreens();
    EXPECT_EQ(calls, kFullFrame);
    EXPECT_EQ(world.hoveredElement, 7);
    EXPECT_EQ(world.tooltipElement, 7);
}

TEST_F(ScreenManagerTest, LevelFrameVariants)
{
    const Calls kMedalFrame = [] {
        Calls c = Without(kFullFrame, { "EffectsLayer::UpdateAnimations" });
        c.insert(std::find(c.begin(), c.end(), "Hud::Draw") + 1, "EffectsLayer::UpdateAnimations");
        return c;
    }();
    const struct {
        const char* name;
        std::function<void(cGameWorld&)> set;
        Calls expected;
    } cases[] = {
        // The station-building level has no clouds over it.
        { "level31", [](cGameWorld& w) { w.level = 31; },
            Without(kFullFrame, { "EffectsLayer::DrawCloudShadows", "EffectsLayer::DrawEffectLayer2" }) },
        // A medal's animations run above the head-up display.
        { "gold", [](cGameWorld& w) { w.medalText = L"GOLD"; }, kMedalFrame },
        { "silver", [](cGameWorld& w) { w.medalText = L"SILVER"; }, kMedalFrame },
        { "otherMedal", [](cGameWorld& w) { w.medalText = L"BRONZE"; },
            Without(kFullFrame, { "EffectsLayer::UpdateAnimations" }) },
        { "levelOver", [](cGameWorld& w) { w.levelOver = 1; }, Without(kFullFrame, { "CarLayer::UpdateHelpHints" }) },
        { "transportFrozen", [](cGameWorld& w) { w.transportFrozen = 1; },
            Without(kFullFrame, { "CarLayer::UpdateServicedCars", "CarLayer::UpdateTransfer" }) },
        // An open overlay: no place under the mouse, so no tooltip either.
        { "taskBook", [](cGameWorld& w) { w.taskBookOpen = 1; },
            [] {
                Calls c = Without(kFullFrame, { "StationView::GetPlaceUnderMouse(true)", "StationView::DrawTooltip" });
                c.insert(std::find(c.begin(), c.end(), "ResultScreen::Draw"), "TaskDialog::Draw");
                return c;
            }() },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartLevel();
        c.set(world);
        manager.UpdateScreens();
        EXPECT_EQ(calls, c.expected);
        manager.DestroyScreens();
        world.ResetToDefaults();
        world.level = 5;
    }
}

TEST_F(ScreenManagerTest, InvisibleScreensAreNotDrawn)
{
    StartLevel();
    for (int slot = 0; slot < cScreenManager::kSlots; ++slot)
        Show(slot, 0);
    manager.Get<test::RecordingStationView>(cScreenManager::kStationView)->placeUnderMouse = -1;
    manager.UpdateScreens();
    const Calls expected = { "StationView::GetPlaceUnderMouse(true)", "StationView::Draw",
        "EffectsLayer::DrawCloudShadows", "CarLayer::UpdateHelpHints", "EffectsLayer::DrawValueFloaters",
        "EffectsLayer::DrawEffectLayer2", "EffectsLayer::DrawFog", "Hud::DrawBonusSlots",
        "EffectsLayer::DrawEffectLayer", "Hud::Tick", "Hud::Draw" };
    EXPECT_EQ(calls, expected);
}

TEST_F(ScreenManagerTest, PanelOpenFollowsTheOpenPanelsInTheSameFrame)
{
    StartLevel();
    const struct {
        uint8_t cGameWorld::*flag;
        const char* name;
    } flags[] = {
        { &cGameWorld::resultScreenOpen, "result" },
        { &cGameWorld::shopOpen, "shop" },
        { &cGameWorld::taskBookOpen, "taskBook" },
        { &cGameWorld::startDialogOpen, "startDialog" },
        { &cGameWorld::optionsOpen, "options (not a panel)" },
    };
    for (const auto& f : flags) {
        SCOPED_TRACE(f.name);
        world.*f.flag = 1;
        manager.UpdateScreens();
        EXPECT_EQ(world.panelOpen, f.flag == &cGameWorld::optionsOpen ? 0 : 1);
        world.*f.flag = 0;
        manager.UpdateScreens();
        EXPECT_EQ(world.panelOpen, 0);
    }
}

TEST_F(ScreenManagerTest, NewScreenSizeReloadsTheSizedScreens)
{
    StartLevel();
    world.screenSizeChanged = 1;
    manager.UpdateScreens();
    EXPECT_EQ(world.screenSizeChanged, 0);
    Calls expected = { "StartScreen off", "StartScreen on", "Shop off", "StationView off", "Hud off", "CarLayer off",
        "WorldMap off", "Hud on", "StationView on", "Shop on", "CarLayer on", "WorldMap on" };
    expected.insert(expected.end(), kFullFrame.begin(), kFullFrame.end());
    EXPECT_EQ(calls, expected);
    // The frame so far is shown, one cleared frame follows, and a new frame
    // begins for the screens.
    const Calls device = { "EndScene", "Present", "BeginScene", "Clear 3 0x00000000", "ResetState", "EndScene",
        "Present", "BeginScene", "Clear 3 0x00000000", "ResetState" };
    EXPECT_EQ(gfx.calls, device);
}

TEST_F(ScreenManagerTest, MouseOverAnyVisibleScreen)
{
    ASSERT_TRUE(manager.CreateScreens());
    // Only the start screen is visible, and it is not among those tested.
    input.x = 0;
    input.y = 0;
    EXPECT_FALSE(manager.IsMouseOverAnyScreen());
    EXPECT_EQ(world.mouseOverMenu, 0);
    Show(cScreenManager::kBuild, 10);
    EXPECT_TRUE(manager.IsMouseOverAnyScreen());
    EXPECT_EQ(world.mouseOverMenu, 1);
    // The build screen's rectangle is empty: one pixel beside is outside.
    input.x = 1;
    world.mouseOverMenu = 0;
    EXPECT_FALSE(manager.IsMouseOverAnyScreen());
}

TEST_F(ScreenManagerTest, OnlyTheInLevelScreensTellTheMouseIsOverAScreen)
{
    // The start, shop, floor and overlay-lux screens never count, whatever
    // lies under the mouse.
    const struct {
        int slot;
        bool counts;
    } cases[] = {
        { 0, true },
        { 1, true },
        { 2, true },
        { 3, true },
        { 4, false },
        { 5, true },
        { 6, true },
        { 7, false },
        { 8, false },
        { 9, true },
        { 10, true },
        { 11, true },
        { 12, false },
        { 13, true },
    };
    ASSERT_TRUE(manager.CreateScreens());
    for (int slot = 0; slot < cScreenManager::kSlots; ++slot) {
        Show(slot, 0);
        dynamic_cast<test::Shown*>(manager.GetScreen(slot))->SetRect(100, 200, 50, 40);
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        Show(c.slot, 200);
        // The edges belong to the screen; a pixel beyond them does not.
        const struct {
            int x, y;
            bool inside;
        } points[] = {
            { 100, 200, true },
            { 150, 240, true },
            { 125, 220, true },
            { 99, 220, false },
            { 151, 220, false },
            { 125, 199, false },
            { 125, 241, false },
        };
        for (const auto& p : points) {
            input.x = p.x;
            input.y = p.y;
            world.mouseOverMenu = 0;
            EXPECT_EQ(manager.IsMouseOverAnyScreen(), c.counts && p.inside) << p.x << "," << p.y;
            EXPECT_EQ(world.mouseOverMenu, c.counts && p.inside ? 1 : 0) << p.x << "," << p.y;
        }
        Show(c.slot, 0);
    }
    // Hidden, no screen counts.
    input.x = 125;
    input.y = 220;
    EXPECT_FALSE(manager.IsMouseOverAnyScreen());
}

} // namespace
