#include "scene/state_game.h"

#include "app/application.h"
#include "app/cursor_set.h"
#include "engine/gfx.h"
#include "resources/log.h"
#include "scene/menu_manager.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "sound/sound_engine.h"
#include "world/game_clock.h"
#include "world/game_world.h"

namespace {
// The background colour of a level frame.
constexpr uint32_t kLevelBackground = 0x00031346;
} // namespace

bool cStateGame::Init(void* /*application*/)
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.quitRequested)
        return false;
    finished = 0;
    Story::Instance().ClearFlags();
    world.ResetFlags();
    world.ClearMouseClicks();
    world.ComputeLayout();
    world.levelOver = 0;
    world.levelElapsed = 0;
    cLog::Instance().Write(L"+++ START LEVEL %d", world.level);
    world.levelActive = 1;
    Story::Instance().InitLevel();
    world.ResetFlags();
    return true;
}

bool cStateGame::Update(void* application)
{
    cGameWorld& world = cGameWorld::Instance();
    cGameClock& clock = cGameClock::Instance();
    Story& story = Story::Instance();
    clock.UpdateMinuteCounter();
    if (!world.paused)
        clock.Update();
    if (story.FlagPresent("new_minute")) {
        story.RemoveFlag("new_minute");
        if (!world.paused)
            story.CallScriptFunction("on_timer");
    }
    DrawFrame();
    HandleKeys(application);
    if (story.HasFlagEvents())
        story.PopFlagEvent();

    if (world.leaveLevel) {
        if (world.musicStream) {
            world.musicStream->Stop();
            world.musicStream->Release();
            world.musicStream = nullptr;
        }
        story.ReleaseLevelScript();
        world.levelActive = 0;
        world.returnToMenu = 1;
        world.leaveLevel = 0;
        return false;
    }
    return finished == 0;
}

void cStateGame::DrawFrame()
{
    if (!g_pGfxDevice)
        return;
    g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_TARGET, 0, 0.0f, 0);
    g_pGfxDevice->BeginScene();
    g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_ALL, kLevelBackground, 0.0f, 0);
    if (g_pGfx2D)
        g_pGfx2D->ResetState(2.0f);
    cMenuManager::Instance().UpdateMenus();
    cGameWorld& world = cGameWorld::Instance();
    cCursorSet& cursor = cCursorSet::Instance();
    cursor.SetCursor(world.clickCursor ? L"Click" : L"Standard", world.clickCursor ? 2 : 1);
    world.clickCursor = 0;
    cursor.Draw(16);
    g_pGfxDevice->EndScene();
    g_pGfxDevice->Present();
}

void cStateGame::HandleKeys(void* application)
{
    cGameWorld& world = cGameWorld::Instance();
    world.keyEscape = 0;
    auto* app = static_cast<cApplication*>(application);
    if (app && app->IsKeyDown(VK_ESCAPE)) {
        app->ClearKey(VK_ESCAPE);
        world.keyEscape = 1;
        // Until the head-up display offers its game menu, Escape leaves the
        // level.
        world.leaveLevel = 1;
    }
}

bool cStateGame::CreateMenus()
{
    return cMenuManager::Instance().CreateMenus();
}

void cStateGame::ClearWorldLists()
{
    cGameWorld& world = cGameWorld::Instance();
    world.autobahnCars.clear();
    world.stackCars.clear();
    world.placeTemplates.clear();
    world.places.clear();
    world.stackSlots.clear();
    world.effectTypes.clear();
    world.effects.clear();
    world.bodyTemplates.clear();
    world.bodies.clear();
    world.overTemplates.clear();
    world.autoTypes.clear();
    world.superOvers.clear();
    world.fundamentTemplates.clear();
    world.snowFlakes.clear();
    world.fundaments.clear();
    world.placeAutos.clear();
    world.autobahnRoads.clear();
    world.statusMessages.clear();
    world.balloons.clear();
    world.clouds.clear();
    world.stackAutoTypes.clear();
    world.comboLog.clear();
    world.autobahnAutos.clear();
    world.autobahnClasses.clear();
    world.icons.clear();
    world.specialAutos.clear();
    world.transfers.clear();
    world.roadTransfers.clear();
    world.rainDrops.clear();
    world.flyingValues.clear();
    world.stackAutoClasses.clear();
    world.jokers.clear();
    world.buildLots.clear();
    world.links.clear();
    world.enabledAutos.clear();
}
