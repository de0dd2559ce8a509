// A script host with one private context of its own, for driving Story's
// methods with small Lua chunks and reading the world back. The world starts
// from its defaults; a recording sound engine stands in for the speakers.
#pragma once

#include <string>

#include "scripting/script_fixture.h"
#include "scripting/script_host.h"
#include "support/recording_sound.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

class StoryMethodTest : public ScriptTest {
protected:
    void SetUp() override
    {
        ScriptTest::SetUp();
        m_handle = Scripting::AllocateContext();
        L = Scripting::GetContextState(m_handle);
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

    bool Run(const std::string& chunk) { return RunChunk(L, chunk); }
    double Number(const char* name) { return GlobalNumber(L, name); }
    std::string Text(const char* name) { return GlobalString(L, name); }
    // Runs a chunk that must hold: "assert(...)" style checks inside Lua.
    bool Holds(const std::string& condition) { return Run("assert(" + condition + ")"); }

    int m_handle = -1;
    lua_State* L = nullptr;
};

} // namespace test
