#include "app/state_manager.h"

#include <algorithm>

#include "resources/log.h"

cStateManager::~cStateManager()
{
    PopAll(nullptr);
}

bool cStateManager::Push(iProcess* state, void* application)
{
    if (!state) {
        cLog::Instance().Error(L"Invalid state.");
        return false;
    }
    if (!state->Init(application)) {
        cLog::Instance().Error(L"Failed to initialize state \"%ls\".", state->GetName().c_str());
        return false;
    }
    states.push_back(state);
    return true;
}

bool cStateManager::Pop(void* application)
{
    if (states.empty())
        return false;
    Remove(states.back(), application);
    return true;
}

void cStateManager::PopAll(void* application)
{
    while (Pop(application)) { }
}

bool cStateManager::Update(void* application)
{
    if (states.empty())
        return false;
    iProcess* top = states.back();
    if (top->Update(application))
        return true;
    Remove(top, application);
    return !states.empty();
}

void cStateManager::Remove(iProcess* state, void* application)
{
    // Exit (or the Update before it) may have pushed or popped states: the
    // one that leaves is this state, wherever it now is.
    if (std::find(states.begin(), states.end(), state) == states.end())
        return;
    state->Exit(application);
    const auto found = std::find(states.rbegin(), states.rend(), state);
    if (found != states.rend())
        states.erase(std::next(found).base());
}
