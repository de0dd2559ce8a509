// The level state: runs one level. Init resets the world for the level, loads
// the saved game and the level script and runs its "on_init"; each Update is
// one level frame (game clock, the script's timer, the parking check, the
// in-level screens, keys and mouse, one flag event) until a screen asks to
// leave the level, whereupon the state ends and the application brings the
// main menu back in the same frame.
#pragma once

#include <cstdint>

#include "app/process.h"
#include "scene/text_entry.h"

class cStateLevel : public iProcess {
public:
    cStateLevel()
        : iProcess(L"cStateGame")
    {
    }
    virtual ~cStateLevel() = default;

    // False when the game is quitting; otherwise the level is set up, its
    // script loaded and "on_init" run. A level whose script cannot be loaded
    // or fails in "on_init", or that builds neither a grid nor a service place,
    // is refused: its first Update returns to the map.
    bool Init(void* application) override;
    // One level frame; false once the level is left.
    bool Update(void* application) override;
    // The state ends: left for the map, or the game ends (the window closed,
    // the desktop's quit, SIGTERM). A won level's result that the player has
    // not yet continued from is recorded, never lost.
    void Exit(void* application) override;

    // The world's containers and tables for a new level.
    void LoadLevel(void* application);
    // The keyboard and mouse pass of a frame, after the drawing.
    void HandleKeys(void* application);
    void HandleKeys(iKeySource& keys);
    void HandleMouse(void* application);
    // The typed text of an open text entry; true when a key was used.
    bool HandleTextInput(iKeySource& keys);
    // One drawn frame: the in-level screens and the cursor.
    void DrawFrame();

    // The fourteen screens, once at start-up; false when one cannot be made.
    bool CreateScreens();
    // Empties the world's record lists, once at shutdown.
    void ClearWorldLists();

    // The world map's notice of a level whose script could not be run (the
    // shop's station level as well), shown until the next level starts.
    static void NoteRefusedLevel(int level);

private:
    // The world's start values of a level, before the saved game is read.
    void ResetLevelStart();
    // Per-level options and the light back to their construction defaults.
    void ResetLevelOptions();
    // The start values that follow the saved game.
    void ResetAfterLoad();
    void CountFrame();
    void LeaveLevel();
    // A script stopped (time, memory, a quit) ends the level as a refused
    // one; a level already won and rated is recorded and left instead.
    void EndStoppedLevel();
    // The level's script is missing, failed before its "on_init" ran
    // through, built nothing to play, or was stopped while the level ran:
    // the level is not played (on), nor rated. The reason goes to the log.
    void RefuseStart(const wchar_t* reason);

    uint8_t finished = 0;
    // Set by RefuseStart: the next Update ends the state before any frame.
    uint8_t startRefused = 0;
    // The player's money when the level started, before its script ran.
    int playerMoney = 0;
};
