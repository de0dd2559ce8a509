// The way into a level through the main menu for whole-run tests, while the
// start screen and the world map are driven by the test: once the loading has
// opened the start screen, the test leaves it and presses the map's play
// button by setting the world's fields as those screens do.
#pragma once

#include "world/game_world.h"

namespace test {

// The start screen is open: the loading sequence has ended.
inline bool StartScreenOpen()
{
    const cGameWorld& world = cGameWorld::Instance();
    return world.profilesOpen && !world.loadingPhase && !world.logosPresent;
}

// As the map's play button leaves the world: the level chosen, its task
// dialog flagged open, the game paused, and the main menu asked to start it.
// The profile screen stays the screen of this frame: the map, were it drawn,
// would reset the choice before its own buttons are pressed.
inline void PlayLevelFromMap(int level)
{
    cGameWorld& world = cGameWorld::Instance();
    world.level = level;
    world.taskBookOpen = 1;
    world.gameMenuClosed = 1;
    world.SetPause(true);
    world.menuChoice = 0;
}

// As the profile screen's quit button leaves the world: the profile screen is
// the screen of the frame and the main menu is asked to end the game.
inline void QuitFromProfiles()
{
    cGameWorld& world = cGameWorld::Instance();
    world.profilesOpen = 1;
    world.menuChoice = 3;
}

} // namespace test
