// One level frame of the in-level screens. The order of the calls is the
// order in which they draw over one another.
#include "engine/gfx.h"
#include "frontend/help_screen.h"
#include "frontend/options_screen.h"
#include "frontend/result_screen.h"
#include "frontend/shop.h"
#include "scene/car_layer.h"
#include "scene/effects_layer.h"
#include "scene/hud.h"
#include "scene/level_background.h"
#include "scene/message_panel.h"
#include "scene/screen_manager.h"
#include "scene/station_view.h"
#include "scene/task_dialog.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

// The station-building level, run from the shop: no clouds over it.
constexpr int kBuildingLevel = 31;

// Screens a level keeps switched on, so their pages stay loaded; each one's
// own drawing decides from the world's flags whether it shows anything.
constexpr int kLevelScreens[] = { 13, 9, 8, 4, 1, 2, 5, 0, 3, 7 };
// Screens that load pages for the screen size and so must load them anew.
constexpr int kSizedScreens[] = { 2, 4, 13, 3, 7 };
// Those and the start screen: every screen whose pages depend on the size.
constexpr int kScreensOfOneSize[] = { 12, 2, 4, 13, 3, 7 };

void ClearFrame()
{
    if (g_pGfxDevice)
        g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_ALL, 0, 0.0f, 0);
    if (g_pGfx2D)
        g_pGfx2D->ResetState(2.0f);
}

void EndAndPresent()
{
    if (!g_pGfxDevice)
        return;
    g_pGfxDevice->EndScene();
    g_pGfxDevice->Present();
}

void BeginScene()
{
    if (g_pGfxDevice)
        g_pGfxDevice->BeginScene();
}

} // namespace

void cScreenManager::ReloadForNewSize()
{
    screens[kStart]->SetActive(false);
    screens[kStart]->SetActive(true);
    EndAndPresent();
    BeginScene();
    ClearFrame();
    EndAndPresent();
    // Switched off here, they are switched on again below, with the pages of
    // the new size.
    for (const int slot : kSizedScreens)
        screens[slot]->SetActive(false);
    cGameWorld::Instance().screenSizeChanged = 0;
    BeginScene();
    ClearFrame();
}

void cScreenManager::ReloadScreensOfOtherSize()
{
    const int width = cSettings::Instance().GetWidth();
    for (const int slot : kScreensOfOneSize) {
        Scene::Screen* screen = screens[slot].get();
        if (!screen || !screen->IsActive() || screen->PagesWidth() == width)
            continue;
        screen->SetActive(false);
        screen->SetActive(true);
    }
}

void cScreenManager::UpdateScreens()
{
    using namespace Scene;
    auto* levelBackground = Get<LevelBackground>(kLevelBackground);
    auto* carLayer = Get<CarLayer>(kCarLayer);
    auto* stationView = Get<StationView>(kStationView);
    auto* effects = Get<EffectsLayer>(kEffects);
    auto* hud = Get<Hud>(kHud);
    auto* task = Get<TaskDialog>(kTask);
    auto* resultScreen = Get<ResultScreen>(kResultScreen);
    auto* shop = Get<Shop>(kShop);
    auto* messagePanel = Get<MessagePanel>(kMessagePanel);
    auto* options = Get<OptionsScreen>(kOptions);
    auto* help = Get<HelpScreen>(kHelp);
    if (!HasScreens() || !levelBackground || !carLayer || !stationView || !effects || !hud || !task || !resultScreen
        || !shop || !messagePanel || !options || !help)
        return;

    cGameWorld& world = cGameWorld::Instance();
    if (world.screenSizeChanged)
        ReloadForNewSize();
    ReloadScreensOfOtherSize();

    if (!levelBackground->IsActive()) {
        levelBackground->SetActive(true);
        carLayer->ResetTimers();
    }
    for (const int slot : kLevelScreens) {
        if (!screens[slot]->IsActive())
            screens[slot]->SetActive(true);
    }
    world.panelOpen = (world.resultScreenOpen || world.shopOpen || world.taskBookOpen || world.startDialogOpen) ? 1 : 0;

    if (levelBackground->IsVisible())
        levelBackground->Draw();
    if (carLayer->IsVisible())
        carLayer->HandleStackClick();
    world.hoveredElement = -1;
    world.tooltipElement = -1;
    world.mouseOverBuildBar = 0;
    if (!world.IsOverlayActive()) {
        world.hoveredElement = stationView->GetPlaceUnderMouse(true);
        world.tooltipElement = world.hoveredElement;
    }
    stationView->Draw();
    if (carLayer->IsVisible()) {
        carLayer->Draw();
        carLayer->DrawLeavingAutos();
        levelBackground->DrawRockHover();
    }
    if (carLayer->IsVisible() && !world.transportFrozen)
        carLayer->UpdateServicedCars();
    if (stationView->IsVisible())
        stationView->DrawDecorations();
    if (carLayer->IsVisible() && !world.transportFrozen)
        carLayer->UpdateTransfer();
    if (world.level != kBuildingLevel)
        effects->DrawCloudShadows();
    if (!world.levelOver)
        carLayer->UpdateHelpHints();
    effects->DrawValueFloaters();
    if (world.level != kBuildingLevel)
        effects->DrawEffectLayer2();
    effects->DrawFog();
    hud->DrawBonusSlots();
    // A medal's animations show above the head-up display, all others below.
    const bool medal = world.medalText == L"GOLD" || world.medalText == L"SILVER";
    if (world.medalText.empty() && effects->IsVisible())
        effects->UpdateAnimations();
    effects->DrawEffectLayer();
    hud->Tick();
    if (carLayer->IsVisible())
        carLayer->DragAuto();
    hud->Draw();
    if (medal && effects->IsVisible())
        effects->UpdateAnimations();
    if (world.taskBookOpen)
        task->Draw();
    if (resultScreen->IsVisible())
        resultScreen->Draw();
    if (shop->IsVisible())
        shop->Update();
    if (messagePanel->IsVisible())
        messagePanel->Draw();
    if (options->IsVisible())
        options->Draw();
    if (help->IsVisible())
        help->Draw();
    if (world.tooltipElement != -1)
        stationView->DrawTooltip();
}
