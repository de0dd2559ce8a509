// Our level scripts, as shipped in data/, run by the level state over the
// game's own screens for a while of play: they load, set every option of
// their level, define every callback, and write no script error and nothing
// "not found" to the log.
#include <gtest/gtest.h>

#include <lua.hpp>

#include "level_fixture.h"
#include "platform/utf16.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

class ShippedLevelTest : public test::LevelTest {
protected:
    ShippedLevelTest()
        : test::LevelTest(true, true)
    {
    }

    void ExpectCleanLog()
    {
        for (const std::wstring& fault : Faults())
            ADD_FAILURE() << platform::WideToNarrow(fault);
    }

    // Every callback the game may raise is a function of the level's context.
    static void ExpectEveryCallback()
    {
        const char* const names[] = { "on_init", "on_after_init", "on_load", "on_after_load", "on_timer", "on_bonus",
            "ok_work", "ok_build", "ok_update", "ok_saw", "add_manager", "on_fill_parking_place", "on_minus_points",
            "on_level_finish", "on_blumen", "on_wbaum" };
        lua_State* L = Scripting::GetContextState(Story::Instance().ContextHandle());
        ASSERT_NE(L, nullptr);
        for (const char* name : names) {
            lua_getglobal(L, name);
            EXPECT_TRUE(lua_isfunction(L, -1)) << name;
            lua_pop(L, 1);
        }
    }

    static int StackCars()
    {
        int cars = 0;
        for (const cStackSlot& slot : cGameWorld::Instance().stackSlots)
            cars += slot.autoType != -1 ? 1 : 0;
        return cars;
    }
};

TEST_F(ShippedLevelTest, GridLevelOne)
{
    cGameWorld& world = cGameWorld::Instance();
    ASSERT_TRUE(StartLevel(1));
    ASSERT_NE(Story::Instance().ScriptId(), -1);
    EXPECT_EQ(world.drawStation, 0);
    EXPECT_EQ(world.levelTimeLimit, 0);
    EXPECT_EQ(world.fundaments.size(), 25u);
    EXPECT_EQ(world.stackSlots.size(), 3u);
    EXPECT_EQ(StackCars(), 3);
    EXPECT_EQ(world.stackCounter, 3);
    EXPECT_EQ(world.managerCount, 0);
    ExpectEveryCallback();
    ASSERT_TRUE(Frames(200, 50.0));
    EXPECT_EQ(world.levelElapsed, 10);
    ExpectCleanLog();
}

TEST_F(ShippedLevelTest, StationLevelTwo)
{
    cGameWorld& world = cGameWorld::Instance();
    ASSERT_TRUE(StartLevel(2));
    ASSERT_NE(Story::Instance().ScriptId(), -1);
    EXPECT_EQ(world.drawStation, 1);
    EXPECT_GT(world.levelTimeLimit, 0);
    EXPECT_EQ(world.autobahnRoads.size(), 1u);
    const std::size_t roadCars = world.autobahnCars.size();
    EXPECT_EQ(roadCars, 3u);
    EXPECT_EQ(StackCars(), 3);
    EXPECT_GT(world.processTimeInStation, 0.0);
    ExpectEveryCallback();

    // Its timer sends more cars down the road.
    ASSERT_TRUE(Frames(220, 50.0));
    EXPECT_EQ(world.levelElapsed, 11);
    EXPECT_GT(world.autobahnCars.size(), roadCars);

    // The served-cars line counts, and the level ends at its target.
    for (int i = 0; i < 12; ++i)
        Story::Instance().CallScriptFunction("ok_work");
    Story::Instance().CallScriptFunction("on_level_finish");
    EXPECT_EQ(world.levelState, 1);
    ExpectCleanLog();
}

} // namespace
