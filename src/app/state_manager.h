// The stack of game states: only the top one runs each frame.
#pragma once

#include <deque>

#include "app/process.h"

class cStateManager {
public:
    cStateManager() = default;
    virtual ~cStateManager();
    cStateManager(const cStateManager&) = delete;
    cStateManager& operator=(const cStateManager&) = delete;

    // The state becomes the top when its Init succeeds; otherwise logged,
    // false, and the stack is unchanged.
    bool Push(iProcess* state, void* application);
    // Exit of the top, then off the stack; false when the stack is empty.
    bool Pop(void* application);
    void PopAll(void* application);
    // Runs the top state's Update. A state that returns false is popped at
    // once; the result is then whether a state is left. False when empty.
    bool Update(void* application);

    iProcess* Top() const { return states.empty() ? nullptr : states.back(); }
    size_t Size() const { return states.size(); }

private:
    void Remove(iProcess* state, void* application);

    std::deque<iProcess*> states; // the back is the top
};
