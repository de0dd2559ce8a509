// A script host for driving Story's methods with small Lua chunks while a
// recording sound engine may stand in for the real one: the sound pointers
// the world holds and the mute setting are put back after each test.
#pragma once

#include "scripting/script_fixture.h"
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
};

} // namespace test
