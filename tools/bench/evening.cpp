#include "bench/evening.h"

#include <utility>

#include "platform/test_events.h"
#include "platform/time_source.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace bench {

namespace {

    // The game menu's button back to the main menu, at its design place (the
    // menu is 400 x 420 at (440, 262), its buttons 205 x 49 at x = 538).
    constexpr int kMainMenuX = 640, kMainMenuY = 262 + 290 + 24;

} // namespace

bool StorePlayer(int furthest)
{
    cGameWorld& world = cGameWorld::Instance();
    cSettings::Instance().SetResolution(1280, 1024);
    cSettings::Instance().screenMode = 0;
    world.money = 1000000;
    world.currentProfile = 1;
    world.profileNames[1] = L"Auto";
    world.profileLastLevel[1] = furthest;
    world.furthestLevel = furthest;
    for (int i = 0; i < world::kLevelTableSize; ++i)
        world.levelStatus[i] = i < furthest ? 1 : -1;
    world.LoadTasks();
    for (const cTaskRow& row : world.taskRows) {
        if (row.level >= furthest || row.requiredKind == 0)
            continue;
        cFundament lot;
        lot.content = row.requiredKind;
        lot.row = row.lotRow;
        lot.column = row.lotCol;
        lot.status = 9;
        world.fundaments.push_back(lot);
    }
    return world.SaveConfig() && world.SaveGame() && world.SaveLots();
}

Evening::Evening(Plan plan)
    : Autoplayer(kCityLevel, 1280, 1024, { .lotKind = plan.lotKind, .draw = true })
    , levelSeconds(plan.levels.size())
    , plan(std::move(plan))
{
}

std::string Evening::SceneShown()
{
    const cGameWorld& world = cGameWorld::Instance();
    const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
    if (world.logosPresent || world.loadingPhase)
        return "";
    if (top == L"cStateGame")
        return world.levelOver || world.resultScreenOpen ? "" : "level_" + std::to_string(world.level);
    if (top != L"cStateMenu")
        return "";
    if (world.profilesOpen)
        return "start";
    return world.shopInMainMenu ? "shop" : "map";
}

// Whether the player only looks this frame: between decisions, on the start
// screen, the map and in the shop until they have been looked at long enough, in a level
// until it has been played long enough.
bool Evening::Hold(const std::string& scene)
{
    const double now = platform::NowMilliseconds() / 1000.0;
    const double shown = now - sceneStart;
    // The lot bought, the autoplayer has the shop's Escape ready: it waits.
    if (stage == 0 && scene == "shop" && lotsBought > 0 && shown < plan.shopSeconds)
        return true;
    if (Busy())
        return false;
    if (stage == 0 && scene == "start" && shown < plan.startSeconds)
        return true;
    if (stage == 0 && scene == "map" && lotsBought == 0 && shown < plan.mapSeconds)
        return true;
    if (now < nextDecision)
        return true;
    nextDecision = now + plan.paceSeconds;
    return false;
}

bool Evening::Frame()
{
    const std::string scene = lastScene;
    const bool hold = Hold(scene) || leaveFrame >= 0;
    BeforeFrame();
    bool goOn = true;
    if (hold) {
        // The game's clock in tests moves 60 frames a second; the autoplayer
        // moves it by itself when it plays.
        ms += 1000.0 / 60.0;
        goOn = cGameApp::Frame();
    } else {
        goOn = Autoplayer::Frame() || backOnMap;
        frames = 0;
    }
    const bool idle = hold && leaveFrame < 0;
    if (leaveFrame >= 0)
        LeaveLevel();
    const std::string shown = SceneShown();
    const double now = platform::NowMilliseconds() / 1000.0;
    if (lastFrameAt == 0)
        stageStart = now;
    if (shown != lastScene) {
        lastScene = shown;
        sceneStart = now;
    }
    AfterFrame(shown, idle);
    const bool inPlan = stage >= 1 && stage <= static_cast<int>(plan.levels.size());
    if (inPlan && shown == "level_" + std::to_string(plan.levels[static_cast<size_t>(stage - 1)])) {
        double& played = levelSeconds[static_cast<size_t>(stage - 1)];
        played += now - lastFrameAt;
        if (played >= plan.levelSeconds && leaveFrame < 0 && !Busy())
            leaveFrame = 0;
    }
    lastFrameAt = now;
    if (!stuck.empty())
        failure = "the autoplayer is stuck: " + std::string(stuck.begin(), stuck.end());
    // A stop that takes far longer than planned went wrong.
    if (now - stageStart > 3 * (plan.mapSeconds + plan.shopSeconds + plan.levelSeconds) + 120)
        failure = "no progress at stop " + std::to_string(stage) + ", scene \"" + shown + "\"";
    if (!goOn || !failure.empty())
        return false;
    if (backOnMap && leaveFrame < 0)
        Next();
    if (stage > static_cast<int>(plan.levels.size())) {
        cGameWorld::Instance().quitRequested = 1;
        return false;
    }
    return true;
}

// Leaves a level still in play: Escape opens the game menu (again while a
// dialog the level opened meanwhile takes it), whose button back to the main
// menu ends the level.
void Evening::LeaveLevel()
{
    // A level that ended meanwhile is left through its result panels, as the
    // autoplayer does.
    const cGameWorld& world = cGameWorld::Instance();
    if (world.levelOver || world.resultScreenOpen || world.resultsShown) {
        leaveFrame = -1;
        return;
    }
    const int step = ++leaveFrame % 30;
    if (step == 1 && world.gameMenuClosed)
        platform::InjectKey(window, "Escape", true);
    if (step == 2)
        platform::InjectKey(window, "Escape", false);
    if (step == 10)
        platform::InjectMouseMotion(window, kMainMenuX, kMainMenuY);
    if ((step == 11 || step == 12) && !world.gameMenuClosed)
        platform::InjectMouseButton(window, 1, step == 11, kMainMenuX, kMainMenuY);
    if (leaveFrame > 12 && (lastScene == "map" || lastScene == "start")) {
        leaveFrame = -1;
        Next();
    } else if (leaveFrame > 600) {
        failure = "the game menu did not lead back to the map (task dialog " + std::to_string(world.taskBookOpen)
            + ", game menu closed " + std::to_string(world.gameMenuClosed) + ", car on the mouse "
            + std::to_string(world.autoOnMouse) + ")";
    }
}

// The next stop of the evening once the player is back on the map from the
// shop or a level: the plan's levels one after the other, each again until it
// has been played long enough.
void Evening::Next()
{
    if (stage < 1 || levelSeconds[static_cast<size_t>(stage - 1)] >= plan.levelSeconds)
        ++stage;
    stageStart = platform::NowMilliseconds() / 1000.0;
    if (stage <= static_cast<int>(plan.levels.size()))
        PlayNext(plan.levels[static_cast<size_t>(stage - 1)]);
}

} // namespace bench
