// The game application's start, frame step, state switches and shutdown.
#include "app/game_app.h"

#include "app/clock.h"
#include "app/cursor_set.h"
#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "frontend/shop.h"
#include "platform/screen_saver.h"
#include "resources/log.h"
#include "scene/effects_layer.h"
#include "scene/gui_vocabulary.h"
#include "scene/screen_manager.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "sound/sound_engine.h"
#include "world/game_clock.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/settings.h"

iGfxFont* g_fonts[kFontCount] = {};

void DeleteFonts()
{
    for (iGfxFont*& font : g_fonts) {
        delete font;
        font = nullptr;
    }
}

bool cGameApp::Start()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.quitRequested)
        return false;
    // The engine is made once and kept until the program ends.
    if (!world.soundEngine)
        world.soundEngine = CreateSoundEngine();

    if (!cCursorSet::Instance().Load()) {
        cLog::Instance().Error(L"Unable to load cursor list");
        return false;
    }
    if (!stateLevel.CreateScreens())
        return false;

    // The desktop's sticky keys and screen saver settings are left alone (they
    // would stay changed after the game); the screen saver only waits while
    // the game runs.
    platform::InhibitScreenSaver();

    cLog::Instance().Write(L"Initializing Input Subsystem...");
    processManager.Add(&inputProcess, this, 0.005);
    stateManager.Push(states[kStateMenu], this);
    world.calendarStep = static_cast<double>(world.calendarStepSetting);

    Script::Initialize();
    ExportStory();
    world.LoadTasks();
    return true;
}

bool cGameApp::PreFrame()
{
    return false;
}

bool cGameApp::Frame()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.videoModeChanged) {
        ApplyVideoMode();
        world.videoModeChanged = 0;
        // The cells follow the new size: the shop's station where the shop
        // is open, else the level's grid.
        if (world.shopOpen)
            Scene::Shop::LayoutCells();
        else
            world.ComputeLayout();
        world.RelayoutPlaces();
        auto* effects = cScreenManager::Instance().Get<Scene::EffectsLayer>(cScreenManager::kEffects);
        if (effects && effects->IsActive()) {
            world.ClearWeather();
            effects->ResetClouds();
        }
    }
    if (world.languageChanged) {
        world.languageChanged = 0;
        RecreateFonts();
        LoadGuiVocabulary();
        world::WordPlayerFileNotice(world);
        world.LoadPlaceNames();
    }
    processManager.Update(this);
    bool result = stateManager.Update(this);
    if (world.quitRequested)
        return false;
    if (world.returnToMenu) {
        world.returnToMenu = 0;
        RequestState(kStateMenu);
    }
    if (pendingState) {
        stateManager.Pop(this);
        result = stateManager.Push(pendingState, this);
        pendingState = nullptr;
    }
    cClock::Instance().Update();
    // The first frame loads the fonts and texts; once it is through, the log
    // says the game runs its loop, where a quit is taken at the next frame.
    if (!running) {
        running = true;
        cLog::Instance().Write(L"cGameApp::Frame -> The game is running");
    }
    return result;
}

bool cGameApp::RequestState(int state)
{
    if (state < kStateMenu || state > kStateExit) {
        pendingState = nullptr;
        return false;
    }
    pendingState = states[state];
    return true;
}

bool cGameApp::OnMenuStartGame()
{
    cGameWorld& world = cGameWorld::Instance();
    world.ResetFlags();
    world.ClearMouseClicks();
    world.optionsOpen = 0;
    RequestState(kStateLevel);
    cGameClock::Instance().SetTime(0, 0);
    return true;
}

void cGameApp::RecreateFonts()
{
    DeleteFonts();
    if (!g_pGfx2D)
        return;
    struct FontSize {
        int size1280;
        int sizeOther;
        int style;
    };
    static constexpr FontSize kSizes[kFontCount] = {
        { 9, 8, 0 },
        { 14, 13, 1 },
        { 14, 13, 1 },
        { 20, 18, 1 },
        { 12, 11, 2 },
        { 20, 18, 1 },
    };
    const bool wide = cSettings::Instance().GetWidth() == 1280;
    for (int i = 0; i < kFontCount; ++i)
        g_fonts[i] = g_pGfx2D->CreateFont(L"calibry", wide ? kSizes[i].size1280 : kSizes[i].sizeOther, kSizes[i].style);
}

bool cGameApp::Shutdown()
{
    DeleteFonts();
    cCursorSet::Instance().Release();
    cScreenManager::Instance().DestroyScreens();
    stateLevel.ClearWorldLists();

    if (!g_pGfxDevice || !g_pGfx2D)
        return true;
    const int zombieBytes = g_pGfxDevice->GetZombieBytes();
    if (zombieBytes != 0)
        cLog::Instance().Warning(L"Zombie size in GFX Engine: %iKB", zombieBytes >> 10);
    else
        cLog::Instance().Write(L"No memory leaks in GFX sub-system :o)");
    g_pGfx2D->ReleaseResources();
    StopEngine();
    return true;
}
