// The main-menu state. Until the front-end screens exist it is the least the
// game needs: it starts the level of the world (config.cfg's "StartLevel",
// else level 1) on its first frame, starts it again when the level asks to be
// restarted, ends the game when it comes back from the level otherwise or on
// Escape, and shows only the resolution notice when the desktop is too small
// for the configured size.
#pragma once

#include <cstdint>

#include "app/process.h"

class cPPApp;
class iKeySource;

class cStateMenu : public iProcess {
public:
    cStateMenu()
        : iProcess(L"cStateMenu")
    {
    }
    virtual ~cStateMenu() = default;

    bool Init(void* application) override;
    // One menu frame; false when the game is to end.
    bool Update(void* application) override;
    void Exit(void* application) override;

    // One frame of typing into the world's text entry (while
    // textEntryActive is set): the application's keys, or the given ones.
    void HandleTextInput(void* application);
    void HandleTextInput(iKeySource& keys);

private:
    // Ends the game: the exit state follows at the end of the frame.
    bool Quit();
    void DrawResolutionNotice();

    cPPApp* app = nullptr;
    uint8_t levelStarted = 0;
    uint8_t noticeLogged = 0;
};
