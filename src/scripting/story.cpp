#include "scripting/story.h"

#include <cwchar>

#include "platform/utf16.h"
#include "resources/log.h"
#include "scripting/script_host.h"
#include "scripting/script_index.h"
#include "world/game_world.h"

namespace {

// A flag is kept when its name is short and, for a new name, the flags have
// room; the events wait in a queue drained one per frame, bounded alike.
bool KeepsFlag(const wchar_t* method, const std::map<std::string, bool>& flags, const std::string& name)
{
    return Scripting::CheckScriptText(method, name)
        && (flags.count(name) != 0 || Scripting::CheckScriptRoom(method, flags.size()));
}

} // namespace

Story& Story::Instance()
{
    static Story story;
    return story;
}

void Story::SetFlag(const std::string& name)
{
    if (!KeepsFlag(L"SetFlag", flags, name) || !Scripting::CheckScriptRoom(L"SetFlag", flagEvents.size()))
        return;
    flags[name] = true;
    PushFlagEvent(FlagEvent { 0, 0, name });
}

void Story::SetFlagSilent(const std::string& name)
{
    if (KeepsFlag(L"SetFlagSilent", flags, name))
        flags[name] = true;
}

void Story::RemoveFlag(const std::string& name)
{
    if (!flags.empty())
        flags.erase(name);
}

bool Story::FlagPresent(const std::string& name)
{
    return flags.find(name) != flags.end();
}

void Story::ClearFlags()
{
    flags.clear();
}

bool Story::HasFlagEvents() const
{
    return !flagEvents.empty();
}

std::string Story::LastFlag()
{
    return flagEvents.empty() ? std::string() : flagEvents.front().name;
}

void Story::PopFlagEvent()
{
    if (!flagEvents.empty())
        flagEvents.pop_front();
}

void Story::PushFlagEvent(const FlagEvent& event)
{
    flagEvents.push_back(event);
}

bool Story::LoadAndRun(const wchar_t* path)
{
    Scripting::ClearScriptStopped();
    scriptId = Scripting::LoadScript(path, true);
    if (scriptId == -1) {
        cLog::Instance().Error(L"Story::LoadLevelScript -> \"%ls\" not found", path);
        return false;
    }
    contextHandle = Scripting::AllocateContext();
    // Without a context the select is refused and the chunk runs on the main
    // state; the level's callbacks then do nothing.
    Scripting::SelectContext(contextHandle);
    const bool ran = Scripting::RunScript("Running level script", scriptId);
    Scripting::RestoreContext();
    return ran && contextHandle != -1;
}

bool Story::LoadLevelScript()
{
    wchar_t path[64];
    std::swprintf(path, 64, L"data/script/scene/level_setup_%02d.lua", cGameWorld::Instance().level);
    return LoadAndRun(path);
}

bool Story::LoadLevelScript31()
{
    return LoadAndRun(L"data/script/scene/level_setup_31.lua");
}

bool Story::InitLevel()
{
    return LoadLevelScript() && CallScriptFunction("on_init");
}

bool Story::InitLevel31()
{
    return LoadLevelScript31() && CallScriptFunction("on_init");
}

void Story::AfterInit()
{
    CallScriptFunction("on_after_init");
}

void Story::OnLoad()
{
    if (scriptId != -1)
        CallScriptFunction("on_load");
}

void Story::ReleaseLevelScript()
{
    if (scriptId == -1)
        return;
    Scripting::UnloadScript(scriptId);
    if (contextHandle != -1)
        Scripting::FreeContext(contextHandle);
    contextHandle = -1;
    scriptId = -1;
}

bool Story::CallScriptFunction(const char* name)
{
    if (contextHandle == -1 || scriptId == -1 || !name)
        return false;
    // A script stopped half-way (time, memory, quit) is not called again:
    // each call would only run into the same wall.
    if (Scripting::ScriptStopped())
        return false;
    // A callback raised from inside another one finds its context already
    // selected; only the outermost call restores the main state.
    const bool selected = Scripting::SelectContext(contextHandle);
    const bool ran = Scripting::CallFunction("Map: ", name);
    if (selected)
        Scripting::RestoreContext();
    return ran;
}

std::string WideToNarrow(const std::wstring& text)
{
    return platform::WideToNarrow(text);
}

std::wstring NarrowToWide(const char* text)
{
    return platform::NarrowToWide(text ? text : "");
}
