// The end of a level, as the head-up display decides it every frame: the
// script says the level is finished, twice its time limit has passed, or (in
// a level without a limit) no grid cell has been free for half a second, won
// only when the task was reached. Then the rating, and the won or failed
// panel until the player moves on.
#include <algorithm>
#include <iterator>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/hud.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/time_rating.h"

namespace Scene {

namespace {

    constexpr int kHudPage = 32;
    // How long the grid must stay full before the level ends.
    constexpr double kFullGridSeconds = 0.5;
    // The joker and the bomb: either one can make room on a full grid.
    constexpr int kJokerKind = 90;
    constexpr int kBombKind = 91;

    constexpr int kContinueText = 8;
    constexpr int kUseJokerText = 114;
    constexpr int kGameOverText = 136;
    constexpr int kPointsLine = 14;

    void SetColour(int r, int g, int b)
    {
        if (g_pGfx2D)
            g_pGfx2D->SetColor(
                MakeARGB(255, static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b)));
    }

    // Every task line the script opened has reached its target (the points
    // line is no task). A level without task lines has nothing to reach.
    bool TaskLinesReached(const cGameWorld& world)
    {
        const int lines = std::clamp(world.taskLineCount, 0, world::kMessageLines);
        for (int i = 0; i < lines; ++i) {
            if (i == kPointsLine || !world.taskLineActive[i])
                continue;
            if (world.taskLineTargets[i] > 0 && world.taskLineValues[i] < world.taskLineTargets[i])
                return false;
        }
        return true;
    }

    // The grid stayed full: the level is over, won only when its task was
    // reached; short of it the failed panel says why and nothing is paid.
    void EndOnFullGrid(cGameWorld& world)
    {
        world.levelOver = 1;
        world.levelState = TaskLinesReached(world) ? 1 : 0;
        // Rated once the values still flying have landed, so the reward shown
        // and the one recorded are the same.
        world.evaluatePending = world.levelState;
        world.gameOverPanelShown = world.levelState ? world.gameOverPanelShown : 1;
    }

    void ClearSelection(cGameWorld& world)
    {
        world.autoOnMouse = -1;
        std::fill(std::begin(world.stationSelection), std::end(world.stationSelection), -1);
    }

} // namespace

void Hud::ResetLevelEnd()
{
    pointerFrame = 0;
    pointerTimer.Restart();
}

void Hud::DrawLevelEnd()
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world.paused && !world.levelOver && !world.levelState && CheckLevelEnd())
        return;

    if (world.levelOver) {
        world.messageToShow = -1;
        ClearSelection(world);
        world.SetPause(true);
        if (world.levelState) {
            if (world.evaluatePending) {
                EvaluateLevelEnd();
                return;
            }
            if (!world.resultRecorded) {
                DrawResults(1);
                return;
            }
            if (!world.resultScreenOpen && world.levelEndStep == 1) {
                world.levelEndStep = 2;
                world.highscoreTableReady = 0;
                world.resultScreenOpen = 1;
                ClearSelection(world);
            }
        } else {
            if (world.evaluatePending && world.levelTimeLimit > 0) {
                EvaluateLevelEnd();
                return;
            }
            if (!world.resultRecorded) {
                DrawResults(0);
                return;
            }
        }
    } else {
        DrawTaskSlots();
    }

    if (world.useJokerHint)
        DrawJokerHint();
}

// True when the bar's frame ends here: the level ended by the script or the
// clock, or the game-over panel shows for its one frame.
bool Hud::CheckLevelEnd()
{
    cGameWorld& world = cGameWorld::Instance();
    Story& story = Story::Instance();
    story.CallScriptFunction("on_level_finish");
    if (world.levelState) {
        world.levelFinalTime = world.levelElapsed;
        world.levelOver = 1;
        world.levelEndStep = 1;
        world.evaluatePending = 1;
        world.jokers.clear();
        return true;
    }
    if (world.levelTimeLimit > 0 && world.levelElapsed >= 2 * world.levelTimeLimit) {
        // Failed by time: the played time counts as the limit.
        world.levelElapsed = world.levelTimeLimit;
        world.levelFinalTime = world.levelElapsed;
        world.levelOver = 1;
        world.evaluatePending = 1;
        world.SetPause(true);
        world.autoOnMouse = -1;
        world.levelEndStep = 1;
        world.levelState = 0;
        world.timeOutFailure = 1;
        world.gameOverPanelShown = 0;
        return true;
    }
    if (world.levelTimeLimit != 0)
        return false;

    // A level without a time limit ends once its grid stays full.
    world.levelFinalTime = world.levelElapsed;
    if (world.noFreeCell && gameOverTimer.Elapsed() > kFullGridSeconds) {
        DrawGameOverPanel();
        world.gameOverPanelShown = 1;
        EndOnFullGrid(world);
        return true;
    }
    if (world.levelOver || world.noFreeCell)
        return false;
    world.useJokerHint = 0;
    // Nothing may be under way that could still free a cell.
    if (!world.transfers.empty() || world.selectedCount != 0 || world.autoOnMouse != -1 || !world.NoBlockingEffect())
        return false;
    if (!world.gamePlayMode)
        world.noFreeCell = world.NoFreeFundament() ? 1 : 0;
    if (!world.noFreeCell)
        return false;
    if (story.GetJokerList(kJokerKind) > 0 || story.GetJokerList(kBombKind) > 0) {
        world.noFreeCell = 0;
        world.useJokerHint = 1;
    } else if (!world.freeCellTimerStarted) {
        world.freeCellTimerStarted = 1;
        gameOverTimer.Restart();
    } else if (gameOverTimer.Elapsed() > kFullGridSeconds) {
        world.noFreeCell = 0;
        EndOnFullGrid(world);
    }
    return false;
}

void Hud::DrawGameOverPanel()
{
    cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    CPageManager& page = pages[kHudPage];
    uint32_t w = 0;
    uint32_t h = 0;
    page.GetImageSize(L"menu_gameover.png", &w, &h);
    const int width = static_cast<int>(w);
    const int x = settings.GetWidth() / 2 - width / 2;
    const int y = settings.GetHeight() / 2 - static_cast<int>(h) / 2;
    page.DrawImage(L"menu_gameover.png", x, y, 0, 0, 255, 255, 255, 255);

    const wchar_t* text = g_guiVocabulary[kGameOverText];
    SetColour(0, 0, 0);
    DrawTextCentered(false, text, x + 1, y + 90 + 1, width, g_fontBig);
    SetColour(255, 255, 0);
    DrawTextCentered(false, text, x, y + 90, width, g_fontBig);

    uint32_t buttonW = 0;
    uint32_t buttonH = 0;
    page.GetImageSize(L"button_short_off.png", &buttonW, &buttonH);
    if (DoButton(false, g_fontNormal2, L"button_short_off.png", L"button_short_over.png",
            g_guiVocabulary[kContinueText], x + width / 2 - static_cast<int>(buttonW) / 2, y + 150,
            static_cast<int>(buttonW), static_cast<int>(buttonH), 149, 60, 60, 255, 255, 255))
        world.timeOutFailure = 0;
}

void Hud::DrawJokerHint()
{
    pages[kHudPage].DrawImage(L"use_joker.png", ScaleX(290), ScaleY(950), 0, 0, 255, 255, 255, 255);
    const wchar_t* text = g_guiVocabulary[kUseJokerText];
    SetColour(0, 0, 0);
    DrawTextCentered(false, text, ScaleX(290) + 2, ScaleY(958) + 2, ScaleX(700), g_fontBig);
    SetColour(255, 255, 255);
    DrawTextCentered(false, text, ScaleX(290), ScaleY(958), ScaleX(700), g_fontBig);
}

void Hud::EvaluateLevelEnd()
{
    cGameWorld& world = cGameWorld::Instance();
    // The rating waits until every flying value has landed.
    if (!world.flyingValues.empty())
        return;
    world.evaluatePending = 0;
    world.rainDrops.clear();
    world.balloons.clear();
    world.snowFlakes.clear();
    world.effects.clear();
    world.fogOn = 0;
    world.cloudsOn = 0;
    world.cupPhase = 0;
    world.cupAlpha = 255;

    world.medalText.clear();
    if (world.levelElapsed > world.levelTimeLimit)
        return;
    // The cup shows the rating the level is paid and saved with.
    const int rating = world::RateTime(world.levelElapsed, world.levelTimeLimit);
    if (rating == world::kRatingGold)
        world.medalText = L"GOLD";
    else if (rating == world::kRatingSilver)
        world.medalText = L"SILVER";
}

} // namespace Scene
