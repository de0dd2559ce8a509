// The world map's frame: which levels may be chosen, the paths and mirages,
// the animated stars, the level pins with their lock notices, the city pin
// that opens the shop, and the buttons.
#include <algorithm>
#include <cwchar>

#include "frontend/shop.h"
#include "frontend/world_map.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "scene/screen_manager.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kRegionClosedText = 118;
    constexpr int kBuildFirstText = 135;
    constexpr int kOpenCityHint = 145;
    constexpr double kStarStep = 0.017;
    constexpr int kStarFrames = 40;

    // A lot named by a table lies on the station's grid; a row or column
    // from a hand-edited table that does not is taken as not built.
    bool LotBuilt(int row, int column)
    {
        if (row < 0 || row >= world::kGridSize || column < 0 || column >= world::kGridSize)
            return false;
        return cGameWorld::Instance().lotTable[row][column] != 0;
    }

    // A level's place in the per-level tables; a number from a hand-edited
    // file outside them has none.
    bool InTable(int level)
    {
        return level >= 0 && level < WorldMap::kTableSize;
    }

} // namespace

void WorldMap::ReadTaskRows()
{
    cGameWorld& world = cGameWorld::Instance();
    for (int level = 0; level < kTableSize; ++level)
        pinX[level] = pinY[level] = requiredKind[level] = lotRow[level] = lotCol[level] = selectable[level] = 0;
    int position = 0;
    for (const cTaskRow& row : world.taskRows) {
        ++position;
        const int level = row.level;
        if (!InTable(level))
            continue;
        pinX[level] = row.pinX;
        pinY[level] = row.pinY;
        requiredKind[level] = row.requiredKind;
        lotRow[level] = row.lotRow;
        lotCol[level] = row.lotCol;
        selectable[level] = 1;
        if (!cGameWorld::IsFirstLevelOfTriple(level)) {
            if (requiredKind[level] != 0 && !LotBuilt(lotRow[level], lotCol[level]))
                selectable[level] = 0;
            continue;
        }
        // The region gate: the first level of regions 2 to 5 opens only when
        // the four station levels of the region before it are silver or gold.
        const int unlocked = world.furthestLevel;
        if (unlocked != position)
            continue;
        if (unlocked == 7 || unlocked == 13 || unlocked == 19 || unlocked == 25) {
            for (const int back : { 5, 4, 2, 1 }) {
                if (world.levelStatus[unlocked - back] < 1)
                    selectable[level] = 0;
            }
        }
    }
}

void WorldMap::StepStarAnimations()
{
    wchar_t name[32];
    if (bonusStarsTimer.Elapsed() > kStarStep) {
        bonusStarsTimer.Restart();
        std::swprintf(name, 32, L"stars200%02d", bonusStarsFrame);
        bonusStarsFrameName = name;
        bonusStarsFrame = bonusStarsFrame >= kStarFrames - 1 ? 0 : bonusStarsFrame + 1;
    }
    if (starsTimer.Elapsed() > kStarStep) {
        starsTimer.Restart();
        std::swprintf(name, 32, L"stars00%02d", starsFrame);
        starsFrameName = name;
        starsFrame = starsFrame >= kStarFrames - 1 ? 0 : starsFrame + 1;
    }
}

void WorldMap::DrawPathsAndMirages(int furthest)
{
    const cGameWorld& world = cGameWorld::Instance();
    wchar_t name[32];
    // The path leading on from the furthest level is not drawn.
    for (int k = 1; k <= 29; ++k) {
        if (k == furthest)
            continue;
        std::swprintf(name, 32, L"anim00%02d", k - 1);
        DrawMapImage(name, 0, 0, 255, 255, 255, k < furthest ? 200 : 40);
    }
    const int level = world.level;
    if (InTable(level)) {
        const bool bonus = cGameWorld::IsFirstLevelOfTriple(level);
        DrawMapImage((bonus ? bonusStarsFrameName : starsFrameName).c_str(), pinX[level] - 58, pinY[level] - 40, 255,
            255, 255, 255);
    }
    for (int k = furthest + 1; k <= kLastCampaignLevel; ++k) {
        const wchar_t* mirage = cGameWorld::IsFirstLevelOfTriple(k) ? L"mirage2.png" : L"mirage1.png";
        DrawMapImage(mirage, pinX[k] - 48, pinY[k] - 79, 255, 255, 255, 90);
    }
}

void WorldMap::DrawCityPin()
{
    // Always there: the map's intro tells the player the city can be
    // clicked at any time, also before there is money to spend in it.
    cGameWorld& world = cGameWorld::Instance();
    const int cx = pinX[kCity] - 45;
    const int cy = pinY[kCity] - 80;
    if (!IsMouseInRect(ScaleX(cx + 10), ScaleY(cy + 5), ScaleX(cx + 60), ScaleY(cy + 95))) {
        DrawMapImage(L"stars20000.png", pinX[kCity] - 58, pinY[kCity] - 40, 255, 255, 255, 255);
        if (world.taskId != world.level)
            world.GetComicText(world.level);
        DrawMapImage(L"fishka_05.png", cx - 10, cy - 15, 255, 255, 255, 255);
        return;
    }
    DrawMapImage(bonusStarsFrameName.c_str(), pinX[kCity] - 58, pinY[kCity] - 40, 255, 255, 255, 255);
    hoveredPin = kCity;
    if (world.taskId != kCity)
        world.GetComicText(kCity);
    DrawMapImage(L"fishka_05.png", cx - 10, cy - 15, 221, 255, 255, 255);
    DrawMapImage(L"fishka_over_city.png", cx - 10, cy - 15, 221, 255, 255, 255);
    if (world.leftClick)
        EnterShop();
}

void WorldMap::EnterShop()
{
    cGameWorld& world = cGameWorld::Instance();
    Story& story = Story::Instance();
    story.PlaySound("menu_clk");
    world.leftClick = 0;
    world.level = kCity;
    world.shopInMainMenu = 1;
    world.highscoreTableReady = 0;
    world.shopOpen = 1;
    world.LoadGame();
    OpenShopStation();
    world.SetPause(false);
    world.clouds.clear();
    world.balloons.clear();
    // A script still loaded would keep its repository slot for good.
    story.ReleaseLevelScript();
    if (!story.InitLevel31()) {
        if (auto* shop = cScreenManager::Instance().Get<Shop>(cScreenManager::kShop))
            shop->RefuseStation();
    }
    world.LoadLots();
    story.AfterInit();
}

void WorldMap::StepBackFromLockedLevel()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.level != world.furthestLevel)
        return;
    if (!cGameWorld::IsFirstLevelOfTriple(world.level)) {
        world.SelectLevelTask(world.level);
        if (world.taskKind != -1 && !LotBuilt(world.taskLotRow, world.taskLotColumn))
            world.level -= 1;
    } else if (!IsSelectable(world.level)) {
        world.level -= 1;
    }
}

void WorldMap::ShowLockNotice(int level)
{
    cGameWorld& world = cGameWorld::Instance();
    if (cGameWorld::IsFirstLevelOfTriple(level)) {
        if (!IsSelectable(level)) {
            world.taskText = g_guiVocabulary[kRegionClosedText];
            world.taskId = level;
            world.taskTextIsNotice = 1;
        } else {
            world.taskTextIsNotice = 0;
        }
        return;
    }
    world.taskTextIsNotice = 0;
    // The notice names the building the furthest level's task needs.
    world.SelectLevelTask(world.furthestLevel);
    if (world.taskKind != -1 && !LotBuilt(world.taskLotRow, world.taskLotColumn) && !IsSelectable(level)) {
        world.taskText = std::wstring(g_guiVocabulary[kBuildFirstText]) + L" "
            + world.GetPlaceName(world.taskLotRow, world.taskLotColumn);
        hintText = g_guiVocabulary[kOpenCityHint];
        world.taskId = level;
        world.taskTextIsNotice = 1;
    }
}

bool WorldMap::DrawLevelPin(int level)
{
    cGameWorld& world = cGameWorld::Instance();
    const bool bonus = cGameWorld::IsFirstLevelOfTriple(level);
    if (level != world.level)
        DrawMapImage(
            bonus ? L"stars20000.png" : L"stars0000.png", pinX[level] - 58, pinY[level] - 40, 255, 255, 255, 255);
    const int mx = pinX[level] - 45;
    const int my = pinY[level] - 80;
    const bool hovered = IsMouseInRect(ScaleX(mx + 10), ScaleY(my + 5), ScaleX(mx + 60), ScaleY(my + 95));

    static const wchar_t* const kPins[4] = { L"fishka_02.png", L"fishka_01.png", L"fishka_03.png", L"fishka_04.png" };
    const int status = world.levelStatus[level];
    const wchar_t* pin = status >= -1 && status <= 2 ? kPins[status + 1] : nullptr;
    const int red = status == 2 ? 221 : 255;
    if (!hovered) {
        if (pin)
            DrawMapImage(pin, mx, my, red, 255, 255, 255);
        return false;
    }
    if (world.taskId != level) {
        world.GetComicText(level);
        world.taskTextIsNotice = 0;
    }
    ShowLockNotice(level);
    hoveredPin = level;
    if (pin) {
        DrawMapImage(pin, mx, my, red, 255, 255, 255);
        DrawMapImage(L"fishka_over.png", mx, my, red, 255, 255, 255);
    }
    // The level info of the hovered pin is drawn once, after the description.
    // A click on a locked pin is left for the buttons of this frame.
    if (world.leftClick && IsSelectable(level)) {
        Story::Instance().PlaySound("menu_clk");
        world.leftClick = 0;
        world.level = level;
        world.LoadComic(level);
        world.GetComicText(level);
        world.LoadGame();
        world.transportFrozen = 0;
    }
    return true;
}

void WorldMap::DrawMap()
{
    cGameWorld& world = cGameWorld::Instance();
    DrawMapImage(L"map2.png", 0, 0, 255, 255, 255, 255);
    ReadTaskRows();
    if (world.currentProfile >= 0 && world.currentProfile <= world::kProfiles)
        world.furthestLevel = world.profileLastLevel[world.currentProfile];
    StepStarAnimations();
    // A furthest level below 0 from a hand-edited profile file shows no pin.
    const int furthest = std::clamp(world.furthestLevel, 0, static_cast<int>(kLastCampaignLevel));
    DrawPathsAndMirages(furthest);
    hoveredPin = -1;
    DrawCityPin();
    // A level that could not start says why until the next one starts.
    hintText = world.levelStartNotice;
    StepBackFromLockedLevel();

    // Cleared once here rather than at every pin not under the mouse, so that
    // the notice of a hovered locked pin survives the pins drawn after it.
    world.taskTextIsNotice = 0;
    bool pinHovered = false;
    for (int level = 1; level <= furthest; ++level)
        pinHovered = DrawLevelPin(level) || pinHovered;
    if (!pinHovered && hoveredPin != kCity) {
        world.GetComicText(world.level);
        world.taskTextIsNotice = 0;
    }

    world.menuChoice = -1;
    DrawButtons(furthest);
    DrawBank();
    DrawDescription();
    if (hoveredPin != -1)
        DrawLevelInfo(hoveredPin, world.levelStatus[hoveredPin]);
    else if (world.level >= 0 && world.level < world::kLevelTableSize)
        DrawLevelInfo(world.level, world.levelStatus[world.level]);
    DrawProfileLine();
}

} // namespace Scene
