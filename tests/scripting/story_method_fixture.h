// A script host for driving Story's methods with small Lua chunks and
// reading the world back. Chunks run in the level script's context when a
// level was started, else in a private context of their own. The world
// starts from its defaults.
#pragma once

#include <string>

#include "scripting/script_fixture.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "support/recording_sound.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

class StoryMethodTest : public ScriptTest {
protected:
    void SetUp() override
    {
        ScriptTest::SetUp();
        cSettings::Instance().mute = 0;
    }
    void TearDown() override
    {
        cGameWorld& world = cGameWorld::Instance();
        world.soundEngine = nullptr;
        world.musicStream = nullptr;
        for (iSoundInstance*& slot : world.effectSounds)
            slot = nullptr;
        cSettings::Instance().mute = 0;
        ScriptTest::TearDown();
    }

    bool Run(const std::string& chunk) { return RunChunk(State(), chunk); }
    double Number(const char* name) { return GlobalNumber(State(), name); }
    std::string Text(const char* name) { return GlobalString(State(), name); }
    // Runs a chunk that must hold: "assert(...)" style checks inside Lua.
    bool Holds(const std::string& condition) { return Run("assert(" + condition + ")"); }

    lua_State* State()
    {
        const int level = Story::Instance().ContextHandle();
        if (level >= 0)
            return Scripting::GetContextState(level);
        if (m_handle < 0)
            m_handle = Scripting::AllocateContext();
        return Scripting::GetContextState(m_handle);
    }

    int m_handle = -1;
};

} // namespace test
