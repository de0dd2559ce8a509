// The whole game over the real engine, headless: the recording engine of
// PPAppTest steps aside for the run, and what the run leaves behind goes.
#pragma once

#include "app/cursor_set.h"
#include "engine/engine_testing.h"
#include "platform/game_random.h"
#include "platform/time_source.h"
#include "pp_app_fixture.h"
#include "scene/menu_manager.h"
#include "scripting/script_host.h"
#include "sound/sound_engine.h"

class WholeGameTest : public PPAppTest {
protected:
    void SetUp() override
    {
        PPAppTest::SetUp();
        // The game's random numbers start where a fresh program's do, so a
        // run plays the same whatever ran before it in this process.
        platform::GameSrand(1);
        g_pGfxDevice = nullptr;
        g_pGfx2D = nullptr;
    }
    // The logos as the world leaves them at start-up.
    void ShowLogos()
    {
        world.LoadLogoList();
        world.logosPresent = world.logoCount > 0 ? 1 : 0;
        world.loadingPhase = world.logosPresent ? 0 : 1;
    }
    void TearDown() override
    {
        g_pGfxDevice = recordingDevice;
        g_pGfx2D = recording2D;
        engine::SetRasterisationObserver(nullptr);
        platform::SetTimeSourceForTests(nullptr);
        cMenuManager::Instance().DestroyMenus();
        cCursorSet::Instance().Release();
        // The sound engine lives until the program ends; a test ends sooner.
        delete world.soundEngine;
        world.soundEngine = nullptr;
        Script::ShutDown();
        PPAppTest::TearDown();
    }

    iGfxDevice* const recordingDevice = g_pGfxDevice;
    iGfx2D* const recording2D = g_pGfx2D;
};
