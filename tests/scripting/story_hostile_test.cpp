// A hostile script: every family of Story's methods gets indices past its
// tables, negative ids, unknown roads, cells off the grid, numbers that are
// no numbers, nil and text where numbers belong. Nothing may crash, hang or
// touch memory it should not; a refused call leaves the world as it was.
#include <chrono>
#include <climits>
#include <csignal>
#include <functional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <lua.hpp>
#include <malloc.h>
#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "platform/message_pump.h"
#include "platform/test_events.h"

#include "scripting/script_fixture.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

using StoryHostile = test::ScriptTest;

// What the game must make of a call: Refused, a log line (or a script error)
// and the world unchanged; Ignored, the world unchanged (finding nothing is not
// worth a line); Harmless, any effect as long as nothing breaks.
enum class Outcome { Refused, Ignored, Harmless };

constexpr Outcome R = Outcome::Refused, I = Outcome::Ignored, H = Outcome::Harmless;

struct HostileCase {
    const char* call;
    Outcome outcome;
};

// A small level: a station with places and fundaments, two car types, a road
// with cars, a stack of three slots and a lot to build.
const char* const kSetup = R"(
Story:CreatePlace(100, 50, 60, 9)
Story:AddPlace(6, "a", 1)
Story:AddFundament(1, "g", "h", 9)
for c = 0, 2 do Story:CreateFundament(1, 2, c, 9, -1); Story:CreatePlace(6, 2, c, 9) end
Story:AddAuto(1, 1, "one"); Story:SetAutoClass(1, 1, 0); Story:AddAuto(2, 1, "two"); Story:SetAutoClass(2, 1, 0)
Story:SetAutoBahn(1, 0.02, 0); Story:SetAutoBahnPoints(1, 0, 300, 1200, 700); Story:EnableClassAutoForAutobahn(1, 1)
Story:SetAutobahnDelay(2); Story:AddTransportToAutobahn(1, 2)
for s = 1, 3 do Story:SetStackCoordinateAndDirection(s, 100 * s, 500, 9) end
Story:StackCounter(3, 2, 0); Story:SetManager(2); Story:EnableAutoTypForStack(1); Story:AddToStack(1, 1)
Story:SetLotForBuild(4, 4); Story:SetParkingAutos(3); Story:TakeFromStack(1)
Story:CreateEffects(3, "combo_3", 8, 0, 0); Story:CreateMyEffects(1, 3, 1, 0.1, 10, 10)
Story:AddCloud(1, 0, 0, 100, 100, 10); Story:AddBalon(1, 0, 0, 50, 50, 5); Story:AddOver(4, "lamp")
Story:SetMessage(0, 1, 5); Story:ActivateMessageStatus(0); Story:AddIcon(1, "icon")
)";

// clang-format off
const HostileCase kCases[] = {
    // Time and sound.
    { "Story:SetTimeForLevel(-5)", R }, { "Story:SetTimeForLevel('100')", R },
    { "Story:SetTimeForLevel(2147483647)", R }, { "Story:SetProcessTimeInStation(0/0)", R },
    { "Story:SetProcessTimeInStack(math.huge)", R }, { "Story:SpeedAnimationProcess(-math.huge)", R },
    { "Story:StartMusic(nil)", R }, { "Story:StartSound(-1); Story:StartSound(2^40); Story:StartMusic('')", H },
    // Points, money, awards, bonuses and jokers.
    { "Story:AddAward(21)", R }, { "Story:AddAward(-1)", R }, { "Story:SetAwards(21, 1)", R },
    { "Story:SetAwards(-2147483648, 1)", R }, { "Story:SetAwards('a', 1)", R }, { "x = Story:GetStationBonus(40)", R },
    { "x = Story:GetStationBonus(-1)", R }, { "Story:SetCounterBonusForSpecAuto(50, 1)", R },
    { "Story:SetCounterBonusForSpecAuto(-7, 1)", R }, { "Story:SetSpeedForPoints(0/0)", R },
    { "Story:AddJoker(-1)", R }, { "Story:AddJoker(2147483647)", R }, { "Story:SetMoney(nil)", R },
    { "Story:SetMoney('lots')", R }, { "x = Story:GetJokerList('x')", R },
    { "x = Story:GetMyCombo(-1, -2147483648); Story:MinusPoints(-2147483648)", H },
    // Cars and the road.
    { "Story:SetAutoBahn(7, 1.0, 0)", R }, { "Story:SetAutoBahn(-1, 1.0, 0)", R },
    { "Story:SetAutoBahn(2, 0/0, 0)", R }, { "Story:SetAutoBahn(1, 'fast', 0)", R },
    { "Story:SetAutoBahnSpeed(7, 1.0, 0)", R }, { "Story:SetAutoBahnSpeed(1, math.huge, 0)", R },
    { "Story:SetAutoBahnPoints(7, 0, 0, 1, 1)", R }, { "Story:SetAutoBahnPointsCity(1, 0, 0, 1, 1, 10, 0)", R },
    { "Story:SetAutoBahnPointsCity(1, 0, 0, 1, 1, -1, 0)", R },
    { "Story:SetAutoBahnPointsCity(3, 0, 0, 1, 1, 0, 0)", R }, { "Story:AddTransportToAutobahn(7, 3)", R },
    { "Story:AddTransportToAutobahn(-4, 3)", R }, { "Story:AddTransportToAutobahn(1, -3)", R },
    { "Story:AddTransportToAutobahn(1, 2147483647)", R }, { "Story:AddTransportToCity(7, 0, 1, 0)", R },
    { "Story:AddTransportToCity(1, 25, 1, 0)", R }, { "Story:SetAutobahnDelay(1e300)", R },
    { "Story:SetAutobahnDelay(0/0)", R }, { "Story:SetParkingAutos(-1)", R },
    { "Story:SetParkingAutos(2147483647)", R }, { "x = Story:GetAddParkingAutos(50)", R },
    { "x = Story:GetAddParkingAutos(-1)", R }, { "Story:SetColor(2, 0, 25)", R }, { "Story:SetColor(2, 0, -1)", R },
    { "Story:SetAutoParameters(-1, 0, 0)", R }, { "Story:AddAuto(nil, 1, 'x')", R },
    { "Story:SetColor(25, 25, 1); Story:SetAutoClass(-1, 0, 0); Story:SetOffsetForAuto(-1, 0, 0, 9)", I },
    { "Story:DisableAutoForAutobahn(7, 1); x = Story:GetRandomAutoByTyp(-5); x = Story:GetAutoClass(-1)", I },
    { "x = Story:GetRandomAutoAutobahn(7); x = Story:GetRandomAuto(-1); Story:AddSpecAuto(0, -1)", H },
    { "Story:SetAutobahnDelay(0.5); Story:SetAutobahnDelay(-3)", H },
    // The stack.
    { "Story:AddToStack(-1, 3)", R }, { "Story:AddToStack(99, 3)", R }, { "Story:AddToStack('1', 2)", R },
    { "x = Story:GetElementEnableAuto(1)", R }, { "x = Story:GetElementEnableAuto(-1)", R },
    { "x = Story:GetElementEnableClassAuto(0)", R }, { "Story:StackCounter(-1, 2, 0)", R },
    { "Story:StackCounter(3, 2147483647, 0)", R },
    { "Story:SetStackCoordinateAndDirection(7, 0, -2147483648, 9); Story:AddToStack(7, 1)", H },
    { "Story:SetToStackCoordinate(99, 0, 0); Story:SetFromStackCoordinate(-1, 0, 0)", I },
    { "x = Story:GetAutoFromStack(-1); x = Story:StackFree(2147483647)", I },
    // Places, lots and building.
    { "Story:SetPlaceProperty(99, 1)", R }, { "Story:SetPlaceProperty(-1, 1)", R },
    { "x = Story:GetStatePlace(4)", R }, { "Story:SetStatePlace(-2, 0)", R }, { "Story:SetStatePlace(nil, 0)", R },
    { "Story:CreatePlace(6, 25, 3, 9)", R }, { "Story:CreatePlace(6, -1, 0, 9)", R },
    { "Story:CreatePlace(nil, 1, 1, 9)", R }, { "Story:CreateFundament(1, 25, 25, 9, 0)", R },
    { "Story:CreateLot(25, 1, 1, 1, 0, 0, 0)", R }, { "Story:CreateLot(-3, 1, 1, 1, 0, 0, 0)", R },
    { "Story:SetLotForBuild(25, 0)", R }, { "Story:PlaceTexture(999, 'x')", R },
    { "Story:SetBuildingStatus(25, 25, 9); Story:SetBuildingStatus(-1, 0, 9); x = Story:GetBuildingStatus(25, 25)", I },
    { "Story:AddAutoToFundament(25, 25, 1); x = Story:GetColorPlace(-1, -1)", I },
    { "Story:ChangeNumberInOver(0, 50, 60, 999); Story:SetActiveUnactivePlace(999, 0, 0, 0, 0)", I },
    { "x = Story:ExistWorkPlace(-6) + Story:ExistWorkPlace(2147483647) + Story:GetPlaceCounter(-1)", I },
    // Upgrades and staff.
    { "Story:SetManager(-3)", R }, { "Story:SetManager(nil)", R }, { "Story:SetProfi('yes')", R },
    { "Story:SetBeton(1)", R }, { "x = Story:GetUpdate() + Story:GetBeton(); Story:ClearUpgrades()", I },
    // Weather, effects and light.
    { "Story:StartSnow(1, 2001, 0)", R }, { "Story:StartSnow(0, -1, 0)", R }, { "Story:AddSnow(2147483647)", R },
    { "Story:StartRain(100000)", R }, { "Story:StartRain(-1)", R }, { "Story:StartRain('many')", R },
    { "Story:AddCloud(9, 2147483647, 0, 2147483647, 0, 10)", R },
    { "Story:AddBalon(9, 0, -2147483648, 0, -2147483648, 5)", R }, { "Story:SetSpeedSnow(0/0)", R },
    { "Story:SetSpeedRain(math.huge)", R }, { "Story:AddCloud(9, 0, 0, 1, 1, 0)", R },
    { "Story:AddBalon(9, 0, 0, 1, 1, -2)", R }, { "Story:AddCloud(9, -2147483648, 0, 2147483647, 0, 10)", R },
    { "Story:AddBalon(9, 0, 2147483647, 0, -2147483648, 5)", R }, { "Story:AddTextureCloud(1, 'c', 0/0)", R },
    { "Story:CreateEffects(30, 'x', 0, 0, 0)", R }, { "Story:CreateEffects(30, 'x', -2147483648, 0, 0)", R },
    { "Story:CreateMyEffects(1, 3, 1, 0/0, 0, 0)", R }, { "Story:StartSmoke(99)", R }, { "Story:StartSmoke(-1)", R },
    { "Story:SetLevelColor(nil, 9)", R }, { "Story:SetLevelColor('green', -2147483648)", R },
    { "Story:SetLevelColor('red', 256)", R },
    { "Story:SetLevelColor('RED', 9); x = Story:GetLevelColor('alpha', 0) + Story:ActiveEffects(-1)", I },
    { "Story:DeleteEffect(99, 99, 0, 0); Story:DeleteMyEffects(-5); Story:EffectTextureExt(999, 'png')", I },
    { "Story:CreateMyEffects(1, 999, 1, 0.1, 0, 0); Story:AddTextureBalon(-1, 'b'); "
      "Story:AddTextureCloud(-1, 'c', 1)", I },
    { "Story:SetCloudAlpha(-2147483648, 2147483647); Story:SetWind(2147483647); Story:MinusSnow(-1)", H },
    { "Story:SetFogAlpha(-5); Story:StartFog(); Story:StopFog()", H },
    // Messages, tasks and GUI.
    { "Story:SetMessage(100, 1, 1)", R }, { "Story:SetMessage(-1, 1, 1)", R },
    { "Story:SetMessage(2147483647, 1, 1)", R }, { "Story:ActivateMessageStatus(-2147483648)", R },
    { "x = Story:GetMessageReal(100)", R }, { "x = Story:GetMessageTarget(-1)", R },
    { "x = Story:GetMessageStatus(100)", R }, { "Story:Message(156)", R }, { "Story:Message(-2)", R },
    { "Story:Message('x')", R }, { "Story:SetSpeedIcon(0/0)", R },
    { "Story:AddMyBody(999, 0, 0); Story:AddSuperOver(999, 0, 0); Story:SetTypOver(999, 1); Story:DeleteIcon(999)", I },
    { "Story:AddMyOver(999, 0, 0); Story:SetMenuCorner(''); x = Story:GetActive() + Story:GetActiveParam()", H },
};
// clang-format on

// Everything these methods can reach, written out so that two states compare.
std::string Snapshot()
{
    const cGameWorld& w = cGameWorld::Instance();
    std::ostringstream s;
    const auto put = [&s](const auto&... v) { ((s << v << ' '), ...); };
    const auto all = [&s](const auto& range) {
        for (const auto& v : range)
            s << v << ',';
    };
    put(w.money, w.points, w.levelPoints, w.levelTimeLimit, w.processTimeInStation, w.processTimeInStack,
        w.animationSpeed, w.pointsSpeed, w.autobahnDelay, w.parkingAutos, w.managerCount, w.stackLimit, w.stackCounter,
        int(w.managerBelowLimit), w.hoveredElement, int(w.newAward), w.lastAward, w.profi, w.boughtBeton);
    for (const auto& row : w.profileAwards)
        all(row);
    for (const auto& row : w.lotStatus)
        all(row);
    all(w.specAutoBonusCounter);
    all(w.autobahnCarCount);
    for (const cPlace& p : w.places)
        put(p.type, p.row, p.column, p.state, p.texture, p.colour, int(p.active), p.alpha);
    for (const cFundament& f : w.fundaments)
        put(f.row, f.column, f.status, f.content, f.autoType, f.colour);
    for (const cStackSlot& slot : w.stackSlots)
        put(slot.id, slot.autoType, slot.state, slot.toX, slot.fromX);
    for (const cAutoType& t : w.autoTypes)
        put(t.id, t.colour, t.value, t.class_);
    for (const cAutobahnRoad& r : w.autobahnRoads)
        put(r.id, r.speed, r.endX, r.segCount);
    // Weather, effects and light; task lines and decorations.
    put(w.snowFlakes.size(), w.rainDrops.size(), w.snowSpeed, w.rainSpeed, w.balloons.size(), w.effectTypes.size(),
        w.effects.size(), w.levelTint[0], w.levelTint[1], w.levelTint[2], w.messageToShow, w.taskLineCount, w.iconSpeed,
        w.bodies.size(), w.superOvers.size(), w.icons.size());
    for (const cCloud& c : w.clouds)
        put(c.texture, c.alpha, c.alphaA, c.alphaB, c.alpha2);
    for (const cOverTemplate& o : w.overTemplates)
        put(o.id, o.type);
    for (int n = 0; n < world::kMessageLines; ++n)
        put(w.taskLineValues[n], w.taskLineTargets[n], int(w.taskLineActive[n]));
    put(w.autobahnCars.size(), w.stackCars.size(), w.jokers.size(), w.buildLots.size(), w.stackAutoTypes.size(),
        w.autobahnAutos.size(), w.placeTemplates.size());
    return s.str();
}

TEST_F(StoryHostile, BadArgumentsAreRefusedAndChangeNothing)
{
    const auto start = std::chrono::steady_clock::now();
    cGameWorld& world = cGameWorld::Instance();
    world.level = 8;
    ASSERT_TRUE(Run(kSetup));
    ASSERT_TRUE(TakeLog().empty());
    ASSERT_EQ(world.places.size(), 4u);
    ASSERT_EQ(world.autobahnCars.size(), 2u);

    for (const HostileCase& c : kCases) {
        SCOPED_TRACE(c.call);
        const std::string before = Snapshot();
        TakeLog();
        // A call the binding refuses raises a script error; it is caught
        // here, as the host catches it around every callback.
        ASSERT_TRUE(Run(std::string("accepted = pcall(function() ") + c.call + " end) and 1 or 0"));
        if (c.outcome == Outcome::Harmless)
            continue;
        EXPECT_EQ(Snapshot(), before);
        EXPECT_TRUE(c.outcome != Outcome::Refused || !TakeLog().empty() || Number("accepted") == 0);
    }

    // The world's frame work runs on over what the script left behind.
    world.CheckParkingFull();
    world.SpawnAutobahnAuto(1, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

// Bytes the process holds on its heap (through the sanitizer's allocator when
// it stands in for malloc).
size_t HeapBytes()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// What Story keeps for a script lies outside the script's memory cap: a
// script that calls every keeping method 2000 times, with long texts
// and with texts just short enough, leaves the game holding less than that
// cap, all calls together.
TEST_F(StoryHostile, WhatStoryKeepsForAScriptStaysWithinTheScriptBudget)
{
    cGameWorld::Instance().level = 8;
    ASSERT_TRUE(Run(kSetup));
    // t is a text of the given length, different in every call i.
    const char* const kCalls[] = { "Story:SetFlag(t)", "Story:AddAuto(i, 1, t)", "Story:AddPlace(i, t, 1)",
        "Story:AddPlaceLot(i, t, 1, 1, 1)", "Story:AddFundament(i, t, t, 9)", "Story:PlaceTexture(6, t)",
        "Story:CreateEffects(i, t, 8, 0, 0)", "Story:EffectTextureExt(3, t)", "Story:AddTextureCloud(1, t, 1)",
        "Story:AddTextureBalon(1, t)", "Story:AddIcon(i, t)", "Story:AddBody(i, t)", "Story:AddOver(i, t)",
        "Story:SetMenuCorner(t)", "Story:AddMyBody(1, i, i)", "Story:AddMyOver(1, i, i)", "Story:AddSuperOver(1, i, i)",
        "Story:CreatePlace(6, 2, 2, 9)", "Story:CreatePlace111(1, i, i, 1, 0)", "Story:CreateFundament(1, 2, 2, 9, -1)",
        "Story:SetLotForBuild(4, 4)", "Story:AddToLink(i, i, i, i)", "Story:CreateMyEffects(1, 3, 1, 0.1, 10, 10)",
        "Story:AddCloud(i, 0, 0, 100, 100, 10)", "Story:AddBalon(i, 0, 0, 50, 50, 5)", "Story:EnableAutoForStack(i)",
        "Story:EnableAutoTypForStack(i)", "Story:EnableAutoForAutobahn(1, i, 1)",
        "Story:EnableClassAutoForAutobahn(1, i)", "Story:AddTransportToAutobahn(1, 2)",
        "Story:AddTransportToCity(1, 0, 1, 0)", "Story:ChoiceAutobahnAutos(i)",
        "Story:SetStackCoordinateAndDirection(i, 100, 500, 9)", "Story:AddJoker(1)", "Story:AddSpecAuto(0, 1)" };
    lua_State* L = State();
    TakeLog();
    const size_t heapBefore = HeapBytes() - static_cast<size_t>(lua_gc(L, LUA_GCCOUNT, 0)) * 1024;
    for (const int length : { 32768, 255 }) {
        for (const char* call : kCalls) {
            SCOPED_TRACE(testing::Message() << call << ", texts of " << length);
            ASSERT_TRUE(Run("for i = 1, 2000 do local t = string.rep('x', " + std::to_string(length - 6)
                + ") .. string.format('%06d', i) " + call + " end collectgarbage()"));
            TakeLog();
            const size_t held = HeapBytes() - static_cast<size_t>(lua_gc(L, LUA_GCCOUNT, 0)) * 1024;
            ASSERT_LT(held - std::min(held, heapBefore), Scripting::kScriptMemoryLimit);
        }
    }
    Story::Instance().ClearFlags();
    while (Story::Instance().HasFlagEvents())
        Story::Instance().PopFlagEvent();
}

// A profile or level number past the per-player and per-level tables reaches
// no row: the awards and drive are refused, no extra time is given.
TEST_F(StoryHostile, ABadProfileOrLevelIndexReachesNoTableRow)
{
    cGameWorld& world = cGameWorld::Instance();
    for (int bad : { -1, 7, world::kLevelTableSize, INT_MAX, INT_MIN }) {
        SCOPED_TRACE(bad);
        world.currentProfile = bad;
        world.level = bad;
        const std::string before = Snapshot();
        TakeLog();
        ASSERT_TRUE(Run("Story:AddAward(1); Story:SetAwards(1, 1); drive = Story:GetLeftRight()"));
        EXPECT_EQ(Snapshot(), before);
        EXPECT_EQ(Number("drive"), 0);
        EXPECT_EQ(TakeLog().size(), 3u);
        ASSERT_TRUE(Run("Story:SetTimeForLevel(60)"));
        EXPECT_EQ(world.levelTimeLimit, 60);
    }
}

// Callbacks that would hang the game or eat its memory, in Lua or inside one
// library call: each is stopped with one script error within its budget and
// what it piled up is collected. A stopped script is not called again; one
// that merely failed is.
struct RunawayCase {
    const char* what;
    const char* body; // of "on_timer"
    const wchar_t* error; // part of the error line
    // Those stopped by memory get time to spare, so a slow machine never
    // stops them by time instead.
    double seconds = 0.1;
    bool stopped = true;
};

const RunawayCase kRunaways[] = {
    { "memory", "local t = {} for i = 1, 10000 do t[i] = string.rep('x', 4096) .. i end", L"not enough memory", 60.0 },
    { "memory, caught, retried", "local s = 'x' while true do pcall(function() s = s .. s end) end", L"ran too long" },
    { "endless loop", "while true do end", L"ran too long" },
    { "catching loop", "while true do pcall(function() while true do end end) end", L"ran too long" },
    { "endless loop in a coroutine", "coroutine.wrap(function() while true do end end)()", L"ran too long" },
    { "endless finalizer", "setmetatable({}, { __gc = function() while true do end end }) collectgarbage()",
        L"finalizers", 0.1, false },
    { "endless recursion", "local depth = on_timer() return depth", L"not enough memory", 60.0 },
    { "backtracking find", "string.find(string.rep('a', 40), string.rep('a*', 40) .. 'b')", L"ran too long" },
    { "backtracking gsub, caught", "pcall(string.gsub, string.rep('a', 9000), '.-.-.-.-b', '') while true do end",
        L"ran too long" },
    { "backtracking gmatch", "for _ in string.rep('ab', 30):gmatch(string.rep('.-', 30) .. 'c') do end",
        L"ran too long" },
    { "backtracking match", "string.match(string.rep('a', 30), string.rep('a?', 30) .. string.rep('a', 30) .. 'b')",
        L"ran too long" },
};

TEST_F(StoryHostile, RunawayCallbacksAreStoppedWithinTheirBudget)
{
    Story& story = Story::Instance();
    for (const RunawayCase& c : kRunaways) {
        SCOPED_TRACE(c.what);
        Scripting::SetScriptLimitsForTests(size_t { 8 } << 20, c.seconds);
        StartLevel(
            std::string("function on_init() end\nfunction on_bonus() end\nfunction on_timer() ") + c.body + " end");
        TakeLog();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(story.CallScriptFunction("on_timer"));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::duration<double>(c.seconds + 2.0));
        const auto errors = ScriptErrors();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(c.error), std::wstring::npos) << std::string(errors[0].begin(), errors[0].end());
        EXPECT_LT(lua_gc(State(), LUA_GCCOUNT, 0), 1024) << "kilobytes still held";
        EXPECT_EQ(story.CallScriptFunction("on_bonus"), !c.stopped);
        story.ReleaseLevelScript();
    }
}

// The window closed or SIGTERM while a script runs, in Lua or inside a
// library call: the script gives way at once (well inside its budget) and the
// request waits for the game's loop.
TEST_F(StoryHostile, AQuitRequestStopsARunningScript)
{
    const std::function<void()> kRequests[] = {
        [] { ASSERT_TRUE(platform::InjectQuit()); },
        [] {
            struct sigaction action { };
            ASSERT_EQ(sigaction(SIGTERM, nullptr, &action), 0);
            ASSERT_NE(action.sa_handler, SIG_DFL) << "SIGTERM would end the test";
            std::raise(SIGTERM);
        },
    };
    for (const char* body : { "while true do end", "string.find(string.rep('a', 40), string.rep('a*', 40) .. 'b')" }) {
        for (const auto& request : kRequests) {
            StartLevel(std::string("function on_init() end\nfunction on_timer() ") + body + " end");
            platform::DiscardPendingMessages();
            request();
            TakeLog();
            const auto start = std::chrono::steady_clock::now();
            EXPECT_FALSE(Story::Instance().CallScriptFunction("on_timer"));
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
            const auto errors = ScriptErrors();
            ASSERT_EQ(errors.size(), 1u);
            EXPECT_NE(errors[0].find(L"quitting"), std::wstring::npos);
            EXPECT_TRUE(platform::QuitPending());
            Story::Instance().ReleaseLevelScript();
        }
    }
    platform::DiscardPendingMessages();
}

} // namespace
