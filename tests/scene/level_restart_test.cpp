// A level started again after a run: every list the last run filled and
// every field of its play, its options and its end is back as the level's
// first start had it, so nothing of the last attempt (a balloon, an effect,
// a car in the stack, a joker in use, a time limit) carries over.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "level_fixture.h"
#include "platform/utf16.h"
#include "world/game_world.h"

namespace {

using LevelRestart = test::LevelTest;

// Something the last run can leave behind, and how it reads.
struct Left {
    std::string name;
    std::function<void()> leave;
    std::function<std::string()> read;
};

template <class T> std::string Show(const T& value)
{
    if constexpr (std::is_same_v<T, std::wstring>)
        return platform::WideToNarrow(value);
    else
        return std::to_string(+value);
}

template <class T> Left List(const char* name, std::vector<T>& list)
{
    return { name, [&list] { list.resize(list.size() + 2); }, [&list] { return std::to_string(list.size()); } };
}

template <class T, class V> Left Field(const char* name, T& field, V left)
{
    return { name, [&field, left] { field = static_cast<T>(left); }, [&field] { return Show(field); } };
}

TEST_F(LevelRestart, NothingTheLastRunLeftIsThereWhenTheLevelStartsAgain)
{
    cGameWorld& w = cGameWorld::Instance();
    const std::vector<Left> table = {
        // What the level's lists held.
        List("autobahnCars", w.autobahnCars),
        List("stackCars", w.stackCars),
        List("placeTemplates", w.placeTemplates),
        List("places", w.places),
        List("stackSlots", w.stackSlots),
        List("effectTypes", w.effectTypes),
        List("effects", w.effects),
        List("bodyTemplates", w.bodyTemplates),
        List("bodies", w.bodies),
        List("overTemplates", w.overTemplates),
        List("autoTypes", w.autoTypes),
        List("superOvers", w.superOvers),
        List("fundamentTemplates", w.fundamentTemplates),
        List("snowFlakes", w.snowFlakes),
        List("fundaments", w.fundaments),
        List("placeAutos", w.placeAutos),
        List("autobahnRoads", w.autobahnRoads),
        List("statusMessages", w.statusMessages),
        List("balloons", w.balloons),
        List("clouds", w.clouds),
        List("stackAutoTypes", w.stackAutoTypes),
        List("comboLog", w.comboLog),
        List("autobahnAutos", w.autobahnAutos),
        List("autobahnClasses", w.autobahnClasses),
        List("icons", w.icons),
        List("specialAutos", w.specialAutos),
        List("transfers", w.transfers),
        List("roadTransfers", w.roadTransfers),
        List("rainDrops", w.rainDrops),
        List("flyingValues", w.flyingValues),
        List("stackAutoClasses", w.stackAutoClasses),
        List("jokers", w.jokers),
        List("buildLots", w.buildLots),
        List("links", w.links),
        List("leavingAutos", w.leavingAutos),
        List("combos", w.combos),
        List("enabledAutos", w.enabledAutos),
        List("chosenAutobahnAutos", w.chosenAutobahnAutos),
        // How the last run was played.
        Field("managerCount", w.managerCount, 4),
        Field("carFromRoad", w.carFromRoad, 1),
        Field("carFromRoadAux", w.carFromRoadAux, 1),
        Field("damageMode", w.damageMode, 1),
        Field("helpAuto", w.helpAuto, 0),
        Field("stationSelection[0]", w.stationSelection[0], 3),
        Field("stationSelection[5]", w.stationSelection[5], 3),
        Field("profi", w.profi, 1),
        Field("managerMoves", w.managerMoves, 7),
        // The options its script set.
        Field("raining", w.raining, 1),
        Field("snowing", w.snowing, 1),
        Field("darkening", w.darkening, 1),
        Field("levelTimeLimit", w.levelTimeLimit, 300),
        Field("timeLimitMode", w.timeLimitMode, 0),
        Field("gameMode", w.gameMode, 3),
        Field("maxPoints", w.maxPoints, 999),
        Field("points", w.points, 55),
        Field("stackCounter", w.stackCounter, 9),
        Field("stackLimit", w.stackLimit, 9),
        Field("takeFromStack", w.takeFromStack, 1),
        Field("takeFromAutobahn", w.takeFromAutobahn, 1),
        Field("onlyAutobahn", w.onlyAutobahn, 1),
        Field("parkingLot", w.parkingLot, 1),
        Field("colorChangeLimit", w.colorChangeLimit, 77),
        Field("bonusMultiplier", w.bonusMultiplier, 9),
        // How it ended.
        Field("levelState", w.levelState, 1),
        Field("timeOutFailure", w.timeOutFailure, 1),
        Field("freeCellTimerStarted", w.freeCellTimerStarted, 1),
        Field("useJokerHint", w.useJokerHint, 1),
        Field("jokerTipSeen", w.jokerTipSeen, 1),
        Field("bombTipSeen", w.bombTipSeen, 1),
        Field("medalText", w.medalText, std::wstring(L"GOLD")),
        Field("medalHoverPause", w.medalHoverPause, 1),
        Field("slotHoverPause", w.slotHoverPause, 1),
        Field("autoOnMouse", w.autoOnMouse, 2),
        Field("selectedCount", w.selectedCount, 2),
        Field("comboCounter", w.comboCounter, 5),
        Field("timeLimitSoundPlayed[0]", w.timeLimitSoundPlayed[0], 1),
        Field("timeLimitSoundPlayed[2]", w.timeLimitSoundPlayed[2], 1),
        Field("cupStarted", w.cupStarted, 1),
        Field("jokerInUse", w.jokerInUse, 1),
        Field("noFreeCell", w.noFreeCell, 1),
        Field("swapSource", w.swapSource, 3),
        Field("build", w.build, 1),
        Field("inspection", w.inspection, 1),
        Field("noPenalty", w.noPenalty, 1),
        Field("penaltyThreshold", w.penaltyThreshold, 1),
        Field("autobahnAutosPerType", w.autobahnAutosPerType, 1),
        Field("gameOverPanelShown", w.gameOverPanelShown, 1),
        Field("evaluatePending", w.evaluatePending, 1),
        Field("levelPoints", w.levelPoints, 640),
        Field("messageToShow", w.messageToShow, 3),
        Field("taskLineTargets[99]", w.taskLineTargets[99], 5),
        Field("taskLineActive[0]", w.taskLineActive[0], 1),
    };
    WriteLevelScript(4, "function on_init() Story:AddFundament(1, 'g', 'h', 9) "
                        "Story:CreateFundament(1, 2, 0, 9, -1) end");
    ASSERT_TRUE(StartLevel(4));
    std::vector<std::string> fresh;
    for (const Left& l : table)
        fresh.push_back(l.read());
    ASSERT_TRUE(Frames(30, 20.0));
    // Left, as the game menu's restart leaves it; then started again.
    w.leaveLevel = 1;
    ASSERT_FALSE(Frame(20.0));

    for (const Left& l : table)
        l.leave();
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_NE(table[i].read(), fresh[i]) << table[i].name << " is left as it starts";
    ASSERT_TRUE(StartLevel(4));
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].read(), fresh[i]) << table[i].name;
    for (const std::wstring& fault : Faults())
        ADD_FAILURE() << platform::WideToNarrow(fault);
}

} // namespace
