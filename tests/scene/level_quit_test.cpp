// A level asked for after the player asked to quit (the window closed while
// the map handed over) is not started: the state stack refuses it, and
// nothing of the level runs or changes the player's state.
#include <gtest/gtest.h>

#include "app/state_manager.h"
#include "level_fixture.h"
#include "scripting/story.h"

namespace {

constexpr const char* kLevel = R"(
started = 0
function on_init()
    started = 1
    Story:AddFundament(1, "g", "h", 9) Story:CreateFundament(1, 2, 0, 9, -1)
end
)";

class LevelAfterQuit : public test::LevelTest { };

TEST_F(LevelAfterQuit, TheStateStackRefusesALevelOnceQuittingWasAsked)
{
    const struct {
        const char* what;
        bool quit;
    } cases[] = { { "playing on", false }, { "quitting", true } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteLevelScript(4, kLevel);
        cGameWorld& world = cGameWorld::Instance();
        world.ResetToDefaults();
        world.level = 4;
        world.money = 1234;
        world.quitRequested = c.quit ? 1 : 0;
        log.clear();

        cStateManager states;
        EXPECT_EQ(states.Push(&state, nullptr), !c.quit);
        EXPECT_EQ(states.Top(), c.quit ? nullptr : &state);
        EXPECT_EQ(world.levelActive, c.quit ? 0 : 1);
        EXPECT_EQ(ScriptNumber("started"), c.quit ? -1.0 : 1.0);
        EXPECT_EQ(world.fundaments.size(), c.quit ? 0u : 1u);
        if (c.quit) {
            EXPECT_EQ(world.money, 1234); // no saved game read, nothing reset
        }
        bool startLogged = false;
        for (const test::LevelLogLine& line : log)
            startLogged = startLogged || line.text.find(L"START LEVEL") != std::wstring::npos;
        EXPECT_EQ(startLogged, !c.quit);
        states.PopAll(nullptr);
        Story::Instance().ReleaseLevelScript();
        state.ClearWorldLists();
    }
}

} // namespace
