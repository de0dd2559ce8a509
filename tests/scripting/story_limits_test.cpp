// What Story keeps for a script is bounded where it enters: texts of up to
// 255 bytes, lists of up to 1000 entries, counts of cars, slots and staff
// within theirs. A script that stays at a limit gets all it asked for without
// a word; one step past it is refused with one log line and changes nothing.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "scripting/script_fixture.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

using StoryLimits = test::ScriptTest;

struct Row {
    const char* rule;
    const char* atLimit; // Lua run first: accepted in full
    const char* pastLimit; // then: refused
    std::function<size_t(const cGameWorld&)> measure; // what the world holds
    size_t expected; // after both
};

// clang-format off
const Row kRows[] = {
    { "a flag name of 255 bytes", "Story:SetFlag(string.rep('f', 255))", "Story:SetFlag(string.rep('g', 256))",
        [](const cGameWorld&) { return size_t(Story::Instance().FlagPresent(std::string(255, 'f')))
            + 2 * size_t(Story::Instance().FlagPresent(std::string(256, 'g'))); }, 1 },
    { "a texture name of 255 bytes", "Story:AddIcon(1, string.rep('t', 255))", "Story:AddIcon(2, string.rep('t', 256))",
        [](const cGameWorld& w) { return w.icons.size() * 1000 + w.icons[0].texture.size(); }, 1255 },
    { "a thousand icons", "for i = 1, 1000 do Story:AddIcon(i, 'icon') end", "Story:AddIcon(1001, 'icon')",
        [](const cGameWorld& w) { return w.icons.size(); }, 1000 },
    { "a thousand effect types", "for i = 1, 1000 do Story:CreateEffects(i, 'smoke', 1, 0, 0) end",
        "Story:CreateEffects(1001, 'smoke', 1, 0, 0)", [](const cGameWorld& w) { return w.effectTypes.size(); }, 1000 },
    { "a thousand jokers at once", "Story:AddJoker(0); Story:AddJoker(1000)", "Story:AddJoker(1)",
        [](const cGameWorld& w) { return w.jokers.size(); }, 1000 },
    { "no jokers taken away", "Story:AddJoker(3)", "Story:AddJoker(-1)",
        [](const cGameWorld& w) { return w.jokers.size(); }, 3 },
    { "a thousand parked cars", "Story:SetParkingAutos(0); Story:SetParkingAutos(1000)", "Story:SetParkingAutos(1001)",
        [](const cGameWorld& w) { return size_t(w.parkingAutos); }, 1000 },
    { "no negative parking", "Story:SetParkingAutos(4)", "Story:SetParkingAutos(-1)",
        [](const cGameWorld& w) { return size_t(w.parkingAutos); }, 4 },
    { "stack count and limit up to a thousand", "Story:StackCounter(1000, 1000, 0)", "Story:StackCounter(1001, 5, 0)",
        [](const cGameWorld& w) { return size_t(w.stackCounter) * 10000 + size_t(w.stackLimit); }, 10001000 },
    { "a stack limit of a thousand", "Story:StackCounter(3, 0, 0)", "Story:StackCounter(3, 1001, 0)",
        [](const cGameWorld& w) { return size_t(w.stackLimit) + 10 * size_t(w.stackCounter); }, 30 },
    { "a stack limit not below nothing", "Story:StackCounter(0, 2, 0)", "Story:StackCounter(4, -1, 0)",
        [](const cGameWorld& w) { return size_t(w.stackLimit) + 10 * size_t(w.stackCounter); }, 2 },
    { "snow up to two thousand flakes", "Story:StartSnow(1, 1000, 0); Story:AddSnow(1000)", "Story:AddSnow(1)",
        [](const cGameWorld& w) { return w.snowFlakes.size(); }, 2000 },
    { "clouds drift within a million pixels", "Story:AddCloud(1, -1000000, 0, -999000, 0, 5)",
        "Story:AddCloud(2, 0, -1000001, 0, -1000000, 5)",
        [](const cGameWorld& w) { return w.clouds.size(); }, 1 },
    { "balloons too", "Story:AddBalon(1, 0, 1000000, 0, 999000, 5)", "Story:AddBalon(2, 1000001, 0, 1000000, 0, 5)",
        [](const cGameWorld& w) { return w.balloons.size(); }, 1 },
    { "a building status on the grid",
        "Story:AddFundament(1, 'ground', 'ground2', 9); Story:CreateFundament(1, 9, 9, 9, -1)\n"
        "Story:SetBuildingStatus(9, 9, 4); Story:SetBuildingStatus(0, 0, 5)", // no fundament at 0, 0
        "Story:SetBuildingStatus(9, -1, 4)",
        [](const cGameWorld& w) { return size_t(w.lotStatus[9][9] + 100 * w.lotStatus[0][0]); }, 4 },
};
// clang-format on

TEST_F(StoryLimits, AScriptGetsAllUpToEachLimitAndNothingPastIt)
{
    cGameWorld& world = cGameWorld::Instance();
    cSettings::Instance().SetResolution(1280, 1024); // weather fills the screen
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.rule);
        world.ResetToDefaults();
        world.level = 8;
        Story::Instance().ClearFlags();
        TakeLog();
        ASSERT_TRUE(Run(row.atLimit));
        for (const test::LogLine& line : TakeLog())
            ADD_FAILURE() << std::string(line.text.begin(), line.text.end());
        ASSERT_TRUE(Run(row.pastLimit));
        EXPECT_EQ(TakeLog().size(), 1u);
        EXPECT_EQ(row.measure(world), row.expected);
    }
    cSettings::Instance().ResetToDefaults();
    Story::Instance().ClearFlags();
    while (Story::Instance().HasFlagEvents())
        Story::Instance().PopFlagEvent();
}

} // namespace
