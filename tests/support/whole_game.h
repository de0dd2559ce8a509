// What every run of the whole game in a test needs at its two ends: the
// logos as the world leaves them at start-up, and the screens, cursors,
// sound engine and scripts a run leaves behind, released.
#pragma once

#include "app/cursor_set.h"
#include "scene/menu_manager.h"
#include "scripting/script_host.h"
#include "sound/sound_engine.h"
#include "world/game_world.h"

namespace test {

inline void ShowLogosAsAtStart(cGameWorld& world)
{
    world.LoadLogoList();
    world.logosPresent = world.logoCount > 0 ? 1 : 0;
    world.loadingPhase = world.logosPresent ? 0 : 1;
}

inline void ReleaseWholeGame(cGameWorld& world)
{
    cMenuManager::Instance().DestroyMenus();
    cCursorSet::Instance().Release();
    // The sound engine lives until the program ends; a test ends sooner.
    delete world.soundEngine;
    world.soundEngine = nullptr;
    Script::ShutDown();
}

} // namespace test
