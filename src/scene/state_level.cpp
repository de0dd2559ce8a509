#include "scene/state_level.h"

#include <ctime>
#include <cwchar>
#include <string>

#include "app/cursor_set.h"
#include "engine/gfx.h"
#include "frontend/result_screen.h"
#include "platform/time_source.h"
#include "resources/log.h"
#include "scene/level_background.h"
#include "scene/message_panel.h"
#include "scene/screen_manager.h"
#include "scene/task_dialog.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "sound/sound_engine.h"
#include "world/game_clock.h"
#include "world/game_world.h"

namespace {

// The clear colour of a level frame, under the background.
constexpr uint32_t kLevelBackground = 0x00031346;
// While the screen manager runs the screens no cursor is reported as hovering.
constexpr int kDrawingCursor = 32;
// The frame rate is the count of frames in the last window of a second.
constexpr double kRateWindowMs = 1000.0;

// The music stream is stopped and given back, not just forgotten: a dropped
// handle would keep the stream playing and its memory held.
void StopMusicStream(cGameWorld& world)
{
    if (!world.musicStream)
        return;
    world.musicStream->Stop();
    world.musicStream->Release();
    world.musicStream = nullptr;
}

// A level is played on its grid (fundaments) or at its service places (those
// standing on a cell); a script that made neither left nothing to play, and
// an empty grid would even read as a full one.
bool HasSomethingToPlay(const cGameWorld& world)
{
    if (!world.fundaments.empty())
        return true;
    for (const cPlace& place : world.places) {
        if (place.row >= 0)
            return true;
    }
    return false;
}

} // namespace

bool cStateLevel::Init(void* application)
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.quitRequested)
        return false;
    finished = 0;
    startRefused = 0;
    world.levelStartNotice.clear();
    world.money = 0;
    for (int& counter : world.saveCounters)
        counter = 0;
    Story::Instance().ClearFlags();

    StopMusicStream(world);
    ResetLevelStart();
    ResetLevelOptions();
    world.LoadGame();
    // The script changes the money during play; a level left without its
    // result gives the player back what they had.
    playerMoney = world.money;
    ResetAfterLoad();
    LoadLevel(application);

    world.autobahnDistance = 100;
    world.autobahnOtherCarsPercent = 20;
    world.autobahnStep = 2;
    world.menuCorner = "left";
    world.cloudsOn = 0;
    world.fogOn = 0;

    world.PreparePlaceImages();
    world.hudShown = 1;
    cScreenManager& menus = cScreenManager::Instance();
    auto* task = menus.Get<Scene::TaskDialog>(cScreenManager::kTask);
    if (task)
        task->Reset();
    world.LoadComic(world.level);
    if (task)
        task->ResetPage();
    if (auto* messagePanel = menus.Get<Scene::MessagePanel>(cScreenManager::kMessagePanel))
        messagePanel->Reset();

    world.resultsShown = 0;
    world.resultRecorded = 0;
    world.levelElapsed = 0;
    world.levelFinalTime = 0;
    cLog::Instance().Write(L"+++ START LEVEL %d", world.level);

    world.levelEndStep = 0;
    world.autobahnDelay = 5;
    world.brutal = 0;
    world.levelActive = 1;

    if (!Story::Instance().InitLevel())
        RefuseStart(L"its script is missing or failed in on_init");
    else if (!HasSomethingToPlay(world))
        RefuseStart(L"its script built neither a grid nor a service place");
    world.ResetFlags();
    return true;
}

void cStateLevel::RefuseStart(const wchar_t* reason)
{
    cGameWorld& world = cGameWorld::Instance();
    cLog::Instance().Error(L"cStateGame::Init -> level %d cannot start: %ls", world.level, reason);
    NoteRefusedLevel(world.level);
    // Nothing of the level stays behind: no script, no music, no running level.
    Story::Instance().ReleaseLevelScript();
    StopMusicStream(world);
    world.levelActive = 0;
    world.money = playerMoney;
    startRefused = 1;
}

void cStateLevel::NoteRefusedLevel(int level)
{
    wchar_t notice[160];
    std::swprintf(notice, 160, L"Level %d cannot be started: its script is missing or faulty (see log.xml).", level);
    cGameWorld::Instance().levelStartNotice = notice;
}

void cStateLevel::LoadLevel(void* /*application*/)
{
    cGameWorld& world = cGameWorld::Instance();
    world.ResetFlags();
    world.ClearMouseClicks();
    world.ComputeLayout();
    world.freshLevel = 1;

    ClearWorldLists();

    world.levelPoints = 0;
    world.cloudsOn = 0;
    world.fogOn = 0;
    world.messageToShow = -1;
    world.gameOverPanelShown = 0;
    world.evaluatePending = 0;
    for (int i = 0; i < world::kMessageLines; ++i) {
        world.taskLineTexts[i].clear();
        world.taskLineValues[i] = 0;
        world.taskLineLastValues[i] = 0;
        world.taskLineTargets[i] = 0;
        world.taskLineActive[i] = 0;
    }
    world.taskLineCount = 0;
    world.levelState = 0;
    world.levelOver = 0;
    world.buildMenuOpen = 0;
    for (cTimer& timer : world.transportTimers)
        timer.Restart();
    // Off now, the background is switched on again by the level's first frame,
    // which loads the pages of the new level's region.
    if (Scene::Screen* levelBackground = cScreenManager::Instance().GetScreen(cScreenManager::kLevelBackground))
        levelBackground->SetActive(false);

    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    wchar_t date[32];
    std::swprintf(date, 32, L"%02d:%02d:%02d", (local.tm_year - 100) % 100, local.tm_mon + 1, local.tm_mday);
    world.dateText = date;
}

bool cStateLevel::Update(void* application)
{
    cGameWorld& world = cGameWorld::Instance();
    // A script stopped in the last frame (or anywhere since) cannot go on:
    // the level ends as one that could not start, or as a won one.
    if (!startRefused && Scripting::ScriptStopped()) {
        EndStoppedLevel();
        world.returnToMenu = 1;
        return false;
    }
    if (startRefused) {
        // Back to the map before anything of the level is drawn or rated.
        world.returnToMenu = 1;
        return false;
    }
    cGameClock& clock = cGameClock::Instance();
    Story& story = Story::Instance();
    clock.UpdateMinuteCounter();
    if (!world.paused)
        clock.Update();
    else
        // Time spent paused is not play: without this the first frame after
        // a pause would count it towards a second (and a call of "on_timer").
        clock.secondTimer.Restart();
    if (story.FlagPresent("new_minute")) {
        story.RemoveFlag("new_minute");
        if (!world.paused)
            story.CallScriptFunction("on_timer");
    }
    world.CheckParkingFull();
    DrawFrame();
    HandleKeys(application);
    CountFrame();
    if (story.HasFlagEvents()) {
        // One flag event leaves the queue per frame, oldest first; the
        // clock's ticks are consumed without a trace.
        const std::string name = story.LastFlag();
        if (name != "new_minute")
            world.lastFlagText = name;
        story.PopFlagEvent();
    }
    if (Scripting::ScriptStopped()) {
        EndStoppedLevel();
        world.returnToMenu = 1;
        return false;
    }

    if (world.leaveLevel) {
        LeaveLevel();
        return false;
    }
    return finished == 0;
}

void cStateLevel::LeaveLevel()
{
    cGameWorld& world = cGameWorld::Instance();
    StopMusicStream(world);
    Story::Instance().ReleaseLevelScript();
    if (!world.resultRecorded)
        world.money = playerMoney;
    world.levelActive = 0;
    world.returnToMenu = 1;
    // The exit state asks whether a level was left in this run, and
    // leaveLevel itself is cleared here.
    if (!world.levelLeftInRun)
        world.levelLeftInRun = 1;
    world.leaveLevel = 0;
}

void cStateLevel::EndStoppedLevel()
{
    auto* results = cScreenManager::Instance().Get<Scene::ResultScreen>(cScreenManager::kResultScreen);
    if (results && results->RecordPendingResult()) {
        LeaveLevel();
        return;
    }
    RefuseStart(L"its script was stopped (out of time or memory, or quitting)");
}

void cStateLevel::Exit(void* /*application*/)
{
    // Before the screens go: the result screen holds the level's table.
    if (auto* results = cScreenManager::Instance().Get<Scene::ResultScreen>(cScreenManager::kResultScreen))
        results->RecordPendingResult();
}

void cStateLevel::CountFrame()
{
    cGameWorld& world = cGameWorld::Instance();
    ++world.frameCount;
    const double now = platform::NowMilliseconds();
    if (now - world.fpsClock >= kRateWindowMs) {
        world.fpsClock = static_cast<int>(now);
        world.framesPerSecond = world.frameCount;
        world.frameCount = 0;
    }
}

void cStateLevel::DrawFrame()
{
    if (!g_pGfxDevice)
        return;
    g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_TARGET, 0, 0.0f, 0);
    g_pGfxDevice->BeginScene();
    g_pGfxDevice->Clear(0, nullptr, GFX_CLEAR_ALL, kLevelBackground, 0.0f, 0);
    if (g_pGfx2D)
        g_pGfx2D->ResetState(2.0f);

    // The level frame raises no flag of the cursor set before the screens
    // run: the set's one byte makes its next animation frame due, which its
    // own update does every 0.05 s; raised every frame, it would run an
    // animated cursor at the frame rate.
    cCursorSet& cursor = cCursorSet::Instance();
    cScreenManager::Instance().UpdateScreens();
    cursor.SetCursor(cursor.GetName().c_str(), kDrawingCursor);

    cGameWorld& world = cGameWorld::Instance();
    // A dragged car is the cursor: the arrow is neither changed nor drawn.
    if (world.autoOnMouse == -1) {
        if (world.clickCursor)
            cursor.SetCursor(L"Click", 2);
        else
            cursor.SetCursor(L"Standard", 1);
        world.clickCursor = 0;
        cursor.Draw(16);
    }
    g_pGfxDevice->EndScene();
    // The picture is read before it is presented: after that the renderer's
    // buffer may hold anything.
    if (world.screenshotDelay >= 3)
        world.TakeScreenshot();
    if (world.screenshotDelay > 0)
        ++world.screenshotDelay;
    g_pGfxDevice->Present();
}

bool cStateLevel::CreateScreens()
{
    return cScreenManager::Instance().CreateScreens();
}
