#include "scene/screen_manager.h"

#include <exception>

#include "frontend/help_screen.h"
#include "frontend/options_screen.h"
#include "frontend/result_screen.h"
#include "frontend/shop.h"
#include "frontend/start_screen.h"
#include "frontend/world_map.h"
#include "resources/log.h"
#include "scene/build_menu.h"
#include "scene/car_layer.h"
#include "scene/effects_layer.h"
#include "scene/hud.h"
#include "scene/level_background.h"
#include "scene/message_panel.h"
#include "scene/station_view.h"
#include "scene/task_dialog.h"
#include "world/game_world.h"

namespace {

std::unique_ptr<Scene::Screen> MakeGameScreen(int slot)
{
    using namespace Scene;
    switch (slot) {
    case cScreenManager::kOptions:
        return std::make_unique<OptionsScreen>();
    case cScreenManager::kResultScreen:
        return std::make_unique<ResultScreen>();
    case cScreenManager::kShop:
        return std::make_unique<Shop>();
    case cScreenManager::kCarLayer:
        return std::make_unique<CarLayer>();
    case cScreenManager::kStationView:
        return std::make_unique<StationView>();
    case cScreenManager::kHelp:
        return std::make_unique<HelpScreen>();
    case cScreenManager::kEffects:
        return std::make_unique<EffectsLayer>();
    case cScreenManager::kWorldMap:
        return std::make_unique<WorldMap>();
    case cScreenManager::kLevelBackground:
        return std::make_unique<LevelBackground>();
    case cScreenManager::kTask:
        return std::make_unique<TaskDialog>();
    case cScreenManager::kBuild:
        return std::make_unique<BuildMenu>();
    case cScreenManager::kMessagePanel:
        return std::make_unique<MessagePanel>();
    case cScreenManager::kStart:
        return std::make_unique<StartScreen>();
    case cScreenManager::kHud:
        return std::make_unique<Hud>();
    default:
        return nullptr;
    }
}

// The order in which the screens are made, and the order in which they go.
constexpr int kCreationOrder[cScreenManager::kSlots] = { 13, 0, 8, 4, 5, 6, 1, 2, 3, 7, 9, 10, 11, 12 };
constexpr int kDestructionOrder[cScreenManager::kSlots] = { 10, 4, 7, 9, 11, 12, 0, 5, 1, 2, 13, 6, 3, 8 };
// Screens whose hover tells the game that the mouse is over a screen.
constexpr int kHoverOrder[] = { 13, 0, 5, 3, 1, 2, 9, 11, 6, 10 };

} // namespace

cScreenManager& cScreenManager::Instance()
{
    static cScreenManager manager;
    return manager;
}

void cScreenManager::SetFactoryForTests(Factory newFactory)
{
    factory = std::move(newFactory);
}

Scene::Screen* cScreenManager::GetScreen(int slot) const
{
    return slot >= 0 && slot < kSlots ? screens[slot].get() : nullptr;
}

bool cScreenManager::HasScreens() const
{
    for (const auto& screen : screens) {
        if (!screen)
            return false;
    }
    return true;
}

bool cScreenManager::CreateScreens()
{
    for (const int slot : kCreationOrder) {
        std::unique_ptr<Scene::Screen> screen;
        try {
            screen = factory ? factory(slot) : MakeGameScreen(slot);
        } catch (const std::exception& e) {
            cLog::Instance().Error(L"cMenuManager::CreateMenus -> %s", e.what());
        } catch (...) {
            screen = nullptr;
        }
        if (!screen) {
            // Every other operation relies on all fourteen screens.
            cLog::Instance().Error(L"cMenuManager::CreateMenus -> Unable to create the screen of slot %i", slot);
            DestroyScreens();
            return false;
        }
        screens[slot] = std::move(screen);
    }
    cGameWorld& world = cGameWorld::Instance();
    world.optionsOpen = 0;
    world.resultScreenOpen = 0;
    world.shopOpen = 0;
    screens[kStart]->SetActive(true);
    return true;
}

void cScreenManager::DestroyScreens()
{
    for (const int slot : kDestructionOrder)
        screens[slot].reset();
}

bool cScreenManager::IsMouseOverAnyScreen() const
{
    for (const int slot : kHoverOrder) {
        if (screens[slot] && screens[slot]->IsMouseOver())
            return true;
    }
    return false;
}
