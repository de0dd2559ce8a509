// The level state: runs one level from its Init until its Update returns
// false. For now it starts the level script, runs the game clock with the
// script's timer callback, draws the in-level screens and the cursor, and
// leaves the level on Escape; the screens that end a level do not exist yet.
#pragma once

#include <cstdint>

#include "app/process.h"

class cStateGame : public iProcess {
public:
    cStateGame()
        : iProcess(L"cStateGame")
    {
    }
    virtual ~cStateGame() = default;

    // False when the game is quitting; otherwise the level script is loaded
    // and its "on_init" runs.
    bool Init(void* application) override;
    // One level frame; false once the level is left.
    bool Update(void* application) override;

    // The fourteen screens, once at start-up; false when one cannot be made.
    bool CreateMenus();
    // Empties the world's record lists, once at shutdown.
    void ClearWorldLists();

private:
    void DrawFrame();
    void HandleKeys(void* application);

    uint8_t finished = 0;
};
