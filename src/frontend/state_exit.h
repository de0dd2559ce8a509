// The exit state: the last state of a run. It ends at once; the credits it
// shows after a played level come with the credits screen.
#pragma once

#include "app/process.h"

class cStateExit : public iProcess {
public:
    cStateExit()
        : iProcess(L"__unnamed__")
    {
    }
    virtual ~cStateExit() = default;

    // False at once, so the state stack empties and the next frame ends the
    // program.
    bool Update(void* application) override;
};
