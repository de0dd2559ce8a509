// Story's methods as a level script calls them: one row a rule, the world as
// set before, the Lua chunk (whose asserts check what it reads) and what the
// world holds after. The world starts each row from its defaults.
#include <array>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scene/gui_vocabulary.h"
#include "scripting/script_fixture.h"
#include "scripting/story.h"
#include "support/recording_sound.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

using StoryMethods = test::ScriptTest;
using StoryPoints = test::ScriptTest;
using StoryState = test::ScriptTest;

#define W [](cGameWorld & w)
struct Row {
    const char* rule;
    std::function<void(cGameWorld&)> before;
    const char* lua;
    std::function<void(cGameWorld&)> after;
};

const std::function<void(cGameWorld&)> kNone = [](cGameWorld&) {};

void AddPlaces(cGameWorld& w, std::vector<std::array<int, 3>> places) // type, row, column
{
    for (const auto& [type, row, column] : places) {
        cPlace& p = w.places.emplace_back();
        p.type = type, p.row = row, p.column = column;
    }
}

// clang-format off
const Row kRows[] = {
    // Points, money, awards, bonuses and jokers.
    { "a combo pays from its cells' station bonus",
        W { w.bonusCellCount = 4, w.bonusType = 4, w.bonusAutoClass = 2, w.workingAuto = 3, w.patience = 10;
            for (int i = 0; i < 4; ++i) w.bonusCellKind[i] = 5 - i; },
        "Story:SetMoney(10 * Story:GetWorkingAuto() + Story:GetPatience()); Story:SetPoints(25); Story:MaxPoints(500)\n"
        "local sum = 0; for i = 0, Story:GetBonusList() - 1 do sum = sum + Story:GetStationBonus(i) end\n"
        "assert(sum == 14 and Story:GetTypeBonus() == 4 and Story:GetClassAutoBonus() == 2)",
        W { EXPECT_EQ(w.money, 40); EXPECT_EQ(w.points, 25); EXPECT_EQ(w.maxPoints, 500); } },
    { "an award is granted and announced once, in the player's row",
        W { w.currentProfile = 4, w.profileAwards[4][7] = 2; },
        "Story:AddAward(7); Story:AddAward(20); Story:SetAwards(0, 9)",
        W { EXPECT_EQ(w.profileAwards[4][7], 2); EXPECT_EQ(w.profileAwards[4][20], 1); EXPECT_EQ(w.lastAward, 20);
            EXPECT_EQ(w.profileAwards[4][0], 9); EXPECT_EQ(w.profileAwards[1][0], 0); } },
    { "an award held already is not announced again", W { w.currentProfile = 1, w.profileAwards[1][3] = 1; },
        "Story:AddAward(3)", W { EXPECT_EQ(w.newAward, 0); } },
    { "only the word color selects bonuses by colour", kNone,
        "Story:SetBonusSystem('COLOR'); assert(Story:GetBonusSystem() == 'classe')\n"
        "Story:SetBonusSystem('color'); assert(Story:GetBonusSystem() == 'color')",
        W { EXPECT_EQ(w.bonusByClass, 0); } },
    { "jokers are counted by kind; the upgrade and its use are read", W { w.level = 1, w.boughtJoker = 1; },
        "Story:AddJoker(3); Story:SetJoker(7); assert(Story:GetJokerList(90) == 3 and Story:GetJokerList(5) == 0)\n"
        "assert(Story:GetJoker() == 1 and not Story:IfJoker())",
        W { EXPECT_EQ(w.jokers.size(), 3u); EXPECT_EQ(w.joker, 7); } },
    { "a joker upgrade other than 1 gives none", W { w.boughtJoker = 2, w.jokerInUse = 1; },
        "assert(Story:GetJoker() == 0 and Story:IfJoker())", kNone },
    { "bonus factors and combos made are read from the world",
        W { w.bonusMultiplier = 2, w.superBonusMultiplier = 5, w.brutal = 1; w.AddComboRecord(3, 2); },
        "Story:SetBonusConfiguration(4); Story:SetCounterBonusForSpecAuto(49, 6)\n"
        "assert(Story:GetXBonus() == 2 and Story:GetXSuperBonus() == 5 and Story:Brutal())\n"
        "assert(Story:GetMyCombo(3, 1) and not Story:GetMyCombo(3, 2))",
        W { EXPECT_EQ(w.bonusConfiguration, 4); EXPECT_EQ(w.specAutoBonusCounter[49], 6); } },
    // State.
    { "state and mode flags take only 1 as set", kNone, "Story:SetState(2); Story:SetGamePlayMode(1)",
        W { EXPECT_EQ(w.levelState, 0); EXPECT_EQ(w.gamePlayMode, 1); } },
    { "the game's state is read from the world", W { w.level = 31, w.gameMode = 4, w.paused = 1, w.intro = 2; },
        "assert(Story:GetLevel() == 31 and Story:GetModus() == 4 and Story:Pause() and not Story:INTRO())", kNone },
    { "three service places in a row along an edge are found",
        W { AddPlaces(w, { { 11, 7, 0 }, { 9, 8, 0 }, { 10, 9, 0 } }); }, "assert(Story:Exist3())", kNone },
    { "three places with a gap or not for service are not",
        W { AddPlaces(w, { { 6, 0, 8 }, { 6, 0, 9 }, { 6, 1, 0 }, { 5, 2, 2 }, { 12, 2, 3 }, { 100, 2, 4 } }); },
        "assert(not Story:Exist3())", kNone },
    // Cars and the road.
    { "car types are found by id; a missing one changes nothing", kNone,
        "Story:AddAuto(7, 3, 'truck'); Story:SetAutoClass(7, 4, 9); Story:SetAutoParameters(7, 2, 56)\n"
        "Story:SetAutoClass(8, 1, 1); Story:SetAutoParameters(8, 1, 1)\n"
        "assert(Story:GetAutoClass(7) == 4 and Story:GetAutoClass(8) == -1)",
        W { EXPECT_EQ(w.autoTypes.size(), 1u); EXPECT_EQ(w.autoTypes[0].classValue, 9);
            EXPECT_EQ(w.autoTypes[0].value, 56); EXPECT_EQ(Story::Instance().GetAutoColor(7), 2);
            EXPECT_EQ(Story::Instance().GetAutoColor(8), -1); } },
    { "a random type of a class is drawn from its first hundred types only", kNone,
        "for t = 1, 400 do Story:AddAuto(t, 1, 'c'); Story:SetAutoClass(t, t % 3, 0) end\n"
        "local seen, n = {}, 0; for i = 1, 2000 do seen[Story:GetRandomAutoByTyp(1)] = true end\n"
        "for t in pairs(seen) do assert(t % 3 == 1 and t <= 298); n = n + 1 end\n"
        "assert(n == 100 and Story:GetRandomAutoByTyp(5) == -1)", kNone },
    { "an empty hand holds no car for the script", W { w.autoOnMouse = -1; },
        "assert(not Story:MouseAuto() and not Story:MouseAsAuto())", kNone },
    { "road options are stored", kNone,
        "Story:SetOnlyAutobahn(0); Story:SetAutobahnAutosPerType(0); Story:SetAutobahnDelay(3.7)\n"
        "assert(Story:GetOnlyAutobahn() == 1)",
        W { EXPECT_EQ(w.autobahnAutosPerType, 1); EXPECT_EQ(w.autobahnDelay, 3); } },
    { "a bonus item starts at the first cell of the last combo",
        W { w.level = 8, w.cellX[3][5] = 200, w.cellY[3][5] = 340, w.bonusCellRow[0] = 3, w.bonusCellColumn[0] = 5;
            w.bonusCellCount = 3; w.AddSpecAutoEntry(5); w.specialAutos.back().flag = 1; },
        "Story:AddSpecAuto(77, 102); assert(Story:IHaveSpecAuto(5) and not Story:IHaveSpecAuto(6))",
        W { ASSERT_EQ(w.jokers.size(), 1u); EXPECT_EQ(w.jokers[0].item, 102); EXPECT_EQ(w.jokers[0].x, 250);
            EXPECT_EQ(w.jokers[0].y, 390); } },
    // Places.
    { "worn places are counted and found for repair; working ones by colour",
        W { AddPlaces(w, { { 6, 2, 0 }, { 7, 2, 1 }, { 6, 2, 2 }, { 100, 3, 3 } }); w.places[2].state = 2; },
        "assert(Story:CounterNotBadStation() == 2 and Story:GetPlaceForRepaire() == 2)\n"
        "assert(Story:ExistWorkPlace(6) == 2 and Story:ExistWorkPlace(7) == 0 and Story:ExistWorkPlace(11) == 0)\n"
        "Story:SetStatePlace(2, 0); assert(Story:GetPlaceForRepaire() == -1)", kNone },
    { "a decoration is found by its type and position", kNone,
        "Story:CreatePlace(100, 50, 60, 9); Story:SetActiveUnactivePlace(100, 50, 60, 0, 128)\n"
        "Story:SetActiveUnactivePlace(100, 51, 60, 1, 1); Story:ChangeNumberInOver(0, 50, 60, 111)",
        W { EXPECT_EQ(w.places[0].alpha, 128); EXPECT_EQ(w.places[0].texture, "elkasnow_02"); } },
    // The stack.
    { "stack slots are addressed by their ids", W { w.level = 8; },
        "Story:SetStackCoordinateAndDirection(4, 10, 20, 7); Story:SetStackCoordinateAndDirection(9, 30, 40, 3)\n"
        "Story:AddToStack(9, 21); assert(Story:GetAutoFromStack(9) == 21 and Story:StackFree(9) == 0)\n"
        "assert(Story:StackFree(4) == 1 and Story:GetAutoFromStack(5) == -1)",
        W { ASSERT_EQ(w.stackCars.size(), 1u); EXPECT_EQ(w.stackCars[0].pathY, (std::vector<int> { 10, 40 }));
            w.selectedCount = 1; EXPECT_EQ(Story::Instance().StackFree(4), 0); } }, // the last move's cells wait
    // Upgrades and staff.
    { "owned upgrades answer 1 only for a flag of 1; the highest update stage counts",
        W { w.boughtBeton = 2, w.boughtAntifog = 1, w.boughtUpdate[0] = 1, w.boughtUpdate[2] = 1; },
        "assert(Story:GetBeton() == 0 and Story:GetAntifog() == 1 and Story:GetUpdate() == 3)",
        W { w.boughtUpdate[2] = 0; EXPECT_EQ(Story::Instance().GetUpdate(), 1); } },
    { "managers are bounded by the stack limit", kNone, "Story:StackCounter(6, 2, 0); Story:SetManager(10)",
        W { EXPECT_EQ(w.managerCount, 2); EXPECT_EQ(w.managerBelowLimit, 0); } },
    { "managers below the limit leave room", kNone, "Story:StackCounter(6, 3, 0); Story:SetManager(2)",
        W { EXPECT_EQ(w.managerCount, 2); EXPECT_EQ(w.managerBelowLimit, 1); } },
    // Weather, effects and light.
    { "snow and rain stay within their cap", kNone,
        "Story:StartSnow(1, 1500, 3); Story:StartSnow(0, 501, 0); Story:AddSnow(600); Story:StartRain(2001)\n"
        "Story:AddSnow(2); Story:SetWind(-2)",
        W { ASSERT_EQ(w.snowFlakes.size(), 1502u); EXPECT_EQ(w.snowFlakes[0].wind, -2);
            EXPECT_TRUE(w.rainDrops.empty()); } },
    { "effects are counted and removed by owner; the fog is switched on", kNone,
        "Story:CreateEffects(20, 'smoke', 8, 5, 6); Story:CreateMyEffects(3, 20, 1, 0.05, 100, 200)\n"
        "Story:CreateMyEffects(4, 20, 0, 0.05, 300, 200); assert(Story:ActiveEffects(20) == 2)\n"
        "Story:DeleteMyEffects(4); Story:DeleteEffect(20, 3, 100, 201); Story:StartFog()",
        W { ASSERT_EQ(w.effects.size(), 1u); EXPECT_EQ(w.effects[0].owner, 3); EXPECT_EQ(w.fogOn, 1); } },
    { "the tint is set by exact names and dark below red 151", kNone,
        "Story:SetLevelColor('green', 255); Story:SetLevelColor('red', 150); Story:SetLevelColor('Red', 9)\n"
        "assert(Story:IsDunkel() and Story:GetLevelColor('red', 0) == 150); Story:SetLevelColor('red', 151)",
        W { EXPECT_EQ(w.levelTint[1], 255); EXPECT_FALSE(Story::Instance().IsDunkel()); } },
    // Task lines.
    { "a task line keeps its value, target and label", kNone,
        "Story:SetMessage(2, 3, 10); Story:SetMessage(2, 4, -1); Story:SetMessage(53, 7, 9)\n"
        "assert(Story:GetMessageReal(2) == 4 and Story:GetMessageTarget(2) == 10)",
        W { EXPECT_EQ(w.taskLineTexts[2], L"text 105: 4"); EXPECT_EQ(w.taskLineTexts[53], L": 7");
            EXPECT_EQ(w.taskLineCount, 54); } },
    { "the active lines are counted and the highest one named", kNone,
        "Story:ActivateMessageStatus(3); Story:ActivateMessageStatus(7); Story:ActivateMessageStatus(7)\n"
        "assert(Story:GetActive() == 2 and Story:GetActiveParam() == 7 and not Story:GetMessageStatus(6))", kNone },
};
// clang-format on

TEST_F(StoryMethods, EachMethodKeepsItsRule)
{
    for (int i = 0; i < kGuiTextCount; ++i)
        std::swprintf(g_guiVocabulary[i], kGuiTextLength, L"text %d", i);
    cSettings::Instance().SetResolution(1280, 1024);
    cGameWorld& world = cGameWorld::Instance();
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.rule);
        world.ResetToDefaults();
        row.before(world);
        EXPECT_TRUE(Run(row.lua));
        row.after(world);
    }
    for (auto& entry : g_guiVocabulary)
        entry[0] = L'\0';
    cSettings::Instance().ResetToDefaults();
}

TEST_F(StoryPoints, MinusPointsLowerTheLevelsPointsThatGetCurrentPointsReads)
{
    cGameWorld& world = cGameWorld::Instance();
    world.penaltyThreshold = 250;
    world.levelPoints = 40;
    ASSERT_TRUE(Run("Story:MinusPoints(30); Story:MinusPoints(-5); limit = Story:GetMinusPoints(); "
                    "now = Story:GetCurrentPoints()"));
    EXPECT_EQ(world.levelPoints, 15);
    EXPECT_EQ(Number("now"), 15);
    EXPECT_EQ(Number("limit"), 250);
    world.levelPoints = -2147483647 - 1;
    ASSERT_TRUE(Run("Story:MinusPoints(1)"));
    EXPECT_EQ(world.levelPoints, 2147483647);
}

TEST_F(StoryState, GameOverEndsAndPausesTheLevelAndLetsTheCarGo)
{
    cGameWorld& world = cGameWorld::Instance();
    test::RecordingSoundEngine sound;
    world.musicVolume = 0.8f;
    world.musicStream = sound.Play2D("data/sound/music/level.ogg");
    world.autoOnMouse = 12;
    ASSERT_TRUE(Run("Story:GameOver()"));
    world.musicStream = nullptr;
    EXPECT_EQ(world.levelOver, 1);
    EXPECT_EQ(world.evaluatePending, 1);
    EXPECT_TRUE(world.IsPaused());
    EXPECT_EQ(world.autoOnMouse, -1);
    // Quieted as every pause is.
    EXPECT_EQ(sound.Last()->volumes, std::vector<float> { 0.0f });
}

TEST_F(StoryMethods, StrugglingPlayersGetMoreTimeFromTheFourthTry)
{
    const struct {
        int level, tries, status, seconds, stored;
    } cases[] = {
        // clang-format off
        { 8, 5, -1, 100, 115 }, { 1, 5, -1, 100, 100 }, // a grid level keeps its time
        { 8, 4, 0, 100, 110 }, { 8, 6, 0, 100, 120 }, { 8, 7, 0, 100, 100 }, // from the seventh try on, no more help
        { 8, 3, 0, 100, 100 }, { 8, 5, 1, 100, 100 }, // passed once: no help
        { 8, 4, -1, 95, 104 }, { 31, 6, -1, 100, 120 }, { 1, 0, 0, 86400, 86400 }, { 1, 0, 0, 86401, 86400 }, // a day
        // clang-format on
    };
    cGameWorld& world = cGameWorld::Instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level * 1000 + c.tries);
        world.level = c.level;
        world.levelCounter[c.level] = c.tries;
        world.levelStatus[c.level] = c.status;
        ASSERT_TRUE(Run("Story:SetTimeForLevel(" + std::to_string(c.seconds) + ")"));
        EXPECT_EQ(world.levelTimeLimit, c.stored);
        ASSERT_TRUE(Holds("Story:GetTimeForLevel() == Story:GetTotalTimerForLevel()"));
    }
}

// Callbacks the world raises while it changes: the script may pay, hire and
// build more while the world goes on.
TEST_F(StoryMethods, ManagersAndLotsCallBackIntoTheScript)
{
    StartLevel(R"(
function on_init() Story:StackCounter(4, 3, 0); Story:SetManager(1); Story:SetLotForBuild(4, 4) end
function add_manager()
    Story:SetMoney(Story:GetMoney() - 500 * Story:GetManager())
    for s = 1, 50 do Story:SetStackCoordinateAndDirection(s, s, s, 9) end
end
function ok_saw()
    for i = 1, 100 do Story:CreatePlace(100 + i, i, i, 9) end
    for c = 0, 9 do Story:CreateFundament(1, 9, c, 9, -1) end
end)",
        8);
    cGameWorld& world = cGameWorld::Instance();
    world.money = 3000;
    for (int i = 0; i < 3; ++i)
        world.AddManager(); // the third is past the limit: nobody, no callback
    EXPECT_EQ(world.managerCount, 3);
    EXPECT_EQ(world.money, 3000 - 1000 - 1500);
    EXPECT_EQ(world.stackSlots.size(), 100u);
    world.FinishLotBuild();
    // The script's hundred decorations, then the world's own place on the lot.
    ASSERT_EQ(world.places.size(), 101u);
    EXPECT_EQ(world.places.back().row, 4);
    EXPECT_EQ(world.fundaments.size(), 11u);
    EXPECT_TRUE(ScriptErrors().empty());
}

// "ok_saw" learns where the lot was built: Story:GetX and GetY give its row
// and column, whatever car was served last.
TEST_F(StoryMethods, OkSawReadsTheFinishedLotsCell)
{
    StartLevel(R"(
function on_init() Story:SetLotForBuild(3, 6) end
function ok_saw() sawX = Story:GetX() sawY = Story:GetY() end)",
        8);
    cGameWorld& world = cGameWorld::Instance();
    world.lastLotRow = 640; // where the last served car stood
    world.lastLotColumn = 410;
    world.FinishLotBuild();
    EXPECT_EQ(Number("sawX"), 3);
    EXPECT_EQ(Number("sawY"), 6);
    EXPECT_TRUE(ScriptErrors().empty());
}

} // namespace
