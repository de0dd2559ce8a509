#include "support/autoplayer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "frontend/menu_start_profiles_layout.h"
#include "platform/test_events.h"
#include "resources/page_manager.h"
#include "scene/design_units.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

namespace {

    using Scene::ScaleX;
    using Scene::ScaleY;

    // The middle of a button drawn 205 x 49 design units at (x, y).
    int ButtonX(int x)
    {
        return x + ScaleX(102);
    }
    int ButtonY(int y)
    {
        return y + ScaleY(24);
    }

    // A point inside the cell (row, column) that no cell listed before it covers.
    bool CellPoint(int row, int column, int& x, int& y)
    {
        const cGameWorld& world = cGameWorld::Instance();
        static const int kOffsets[][2] = { { 118, 118 }, { 100, 110 }, { 130, 120 }, { 93, 150 }, { 150, 90 } };
        for (const auto& offset : kOffsets) {
            x = world.cellX[row][column] + offset[0];
            y = world.cellY[row][column] + offset[1];
            if (x < 0 || y < 0 || x >= cSettings::Instance().GetWidth() || y >= cSettings::Instance().GetHeight())
                continue;
            if (!world.IsMouseOverPlace(row, column, x, y))
                continue;
            bool covered = false;
            for (const cFundament& other : world.fundaments) {
                if (other.row == row && other.column == column)
                    break;
                covered = covered || world.IsMouseOverPlace(other.row, other.column, x, y);
            }
            if (!covered)
                return true;
        }
        return false;
    }

    // What a cell counts as for lines: the car type when the level groups by
    // class, else the colour; -1 free or out of the grid.
    int LineValue(const cGameWorld& world, int type)
    {
        if (type < 0)
            return -1;
        if (type == 90)
            return 90;
        return world.bonusByClass ? type : world.GetAutoTypeColour(type);
    }

    constexpr int kGrid = 10;
    using Grid = int[kGrid][kGrid];

    bool MakesLine(const Grid& grid, int row, int column)
    {
        const int v = grid[row][column];
        if (v < 0)
            return false;
        const int dirs[2][2] = { { 0, 1 }, { 1, 0 } };
        for (const auto& d : dirs) {
            int run = 1;
            for (int s = 1; s < kGrid; ++s) {
                const int r = row + d[0] * s;
                const int c = column + d[1] * s;
                if (r >= kGrid || c >= kGrid || (grid[r][c] != v && grid[r][c] != 90))
                    break;
                ++run;
            }
            for (int s = 1; s < kGrid; ++s) {
                const int r = row - d[0] * s;
                const int c = column - d[1] * s;
                if (r < 0 || c < 0 || (grid[r][c] != v && grid[r][c] != 90))
                    break;
                ++run;
            }
            if (run >= 3)
                return true;
        }
        return false;
    }

    void ReadGrid(const cGameWorld& world, Grid& grid)
    {
        for (auto& row : grid) {
            for (int& v : row)
                v = -1;
        }
        for (const cFundament& f : world.fundaments) {
            if (f.row >= 0 && f.row < kGrid && f.column >= 0 && f.column < kGrid)
                grid[f.row][f.column] = LineValue(world, f.autoType);
        }
    }

} // namespace

Autoplayer::Autoplayer(int level, int width, int height, int taskKind)
    : level(level)
    , taskKind(taskKind)
    , width(width)
    , height(height)
{
}

void Autoplayer::PlayNext(int nextLevel, int nextTaskKind)
{
    level = nextLevel;
    taskKind = nextTaskKind;
    levelStarted = levelEnded = backOnMap = false;
    lotsBought = shopClicks = builtBefore = levelFrames = frames = 0;
    stuck.clear();
}

void Autoplayer::QueryDesktopSize(int& w, int& h)
{
    w = 1920;
    h = 1200;
}

void Autoplayer::Click(int x, int y)
{
    steps.push_back({ Step::Move, x, y });
    steps.push_back({ Step::Wait });
    steps.push_back({ Step::Down, x, y });
    steps.push_back({ Step::Up, x, y });
    Wait(3);
}

bool Autoplayer::ClickPin(int level)
{
    for (const cTaskRow& row : cGameWorld::Instance().taskRows) {
        if (row.level == level) {
            Click(ScaleX(row.pinX - 45 + 35), ScaleY(row.pinY - 80 + 50));
            return true;
        }
    }
    return false;
}

void Autoplayer::Drag(int x0, int y0, int x1, int y1)
{
    steps.push_back({ Step::Move, x0, y0 });
    steps.push_back({ Step::Wait });
    steps.push_back({ Step::Down, x0, y0 });
    steps.push_back({ Step::Wait });
    for (int i = 1; i <= 4; ++i)
        steps.push_back({ Step::Move, x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4 });
    steps.push_back({ Step::Wait });
    steps.push_back({ Step::Up, x1, y1 });
    Wait(3);
}

void Autoplayer::Key(const char* name)
{
    steps.push_back({ Step::KeyDown, 0, 0, name });
    steps.push_back({ Step::KeyUp, 0, 0, name });
    Wait(2);
}

void Autoplayer::Wait(int count)
{
    for (int i = 0; i < count; ++i)
        steps.push_back({ Step::Wait });
}

void Autoplayer::Play(const Step& step)
{
    switch (step.kind) {
    case Step::Move:
        platform::InjectMouseMotion(window, step.x, step.y);
        break;
    case Step::Down:
    case Step::Up:
        platform::InjectMouseButton(window, 1, step.kind == Step::Down, step.x, step.y);
        break;
    case Step::KeyDown:
    case Step::KeyUp:
        platform::InjectKey(window, step.key, step.kind == Step::KeyDown);
        break;
    case Step::Wait:
        break;
    }
}

bool Autoplayer::Frame()
{
    ++frames;
    ms += 1000.0 / 20.0;
    if (!steps.empty()) {
        Play(steps.front());
        steps.pop_front();
    } else {
        Decide();
    }
    const cGameWorld& world = cGameWorld::Instance();
    const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
    // VANDREL_AUTOPLAY_TRACE=1 shows where a run stands, for a level it cannot win.
    if (std::getenv("VANDREL_AUTOPLAY_TRACE") && (top != L"cStateGame" || frames % 500 == 0))
        std::fprintf(stderr,
            "frame %d %ls profiles %d intro %d shop %d level %d/%d task %d over %d paused %d elapsed %d/%d "
            "points %d pick %d held %d results %d\n",
            frames, top.c_str(), world.profilesOpen, world.intro, world.shopOpen, world.level, world.furthestLevel,
            world.taskBookOpen, world.levelOver, world.IsPaused() ? 1 : 0, world.levelElapsed, world.levelTimeLimit,
            world.minusPoints, world.managerBelowLimit, world.autoOnMouse, world.resultScreenOpen);
    pointsSeen = std::max(pointsSeen, world.minusPoints);
    return cPPApp::Frame() && !backOnMap && frames < 12000 && stuck.empty();
}

void Autoplayer::Decide()
{
    const cGameWorld& world = cGameWorld::Instance();
    const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
    if (world.logosPresent) {
        Key("Escape");
        return;
    }
    if (world.loadingPhase)
        return;
    if (top == L"cStateGame") {
        DecideLevel();
        return;
    }
    if (top != L"cStateMenu")
        return;
    if (levelEnded) {
        backOnMap = true;
        return;
    }
    if (world.profilesOpen)
        DecideProfiles();
    else
        DecideMap();
}

void Autoplayer::DecideProfiles()
{
    using namespace Scene::ProfileLayout;
    const cGameWorld& world = cGameWorld::Instance();
    if (world.restartConfirmOpen) {
        // The confirmation panel is centred, a little below the middle.
        CPageManager page;
        uint32_t w = 0;
        uint32_t h = 0;
        page.Load(width == 1280 ? L"data/gui/interface/menu/menu_start" : L"data/gui/interface/menu/menu_start_1024");
        page.GetImageSize(L"menu_profile.png", &w, &h);
        page.Unload();
        const int dx = width / 2 - static_cast<int>(w) / 2;
        const int dy = height / 2 - static_cast<int>(h) / 2 + ScaleY(80);
        Click(ButtonX(dx + ScaleX(40)), ButtonY(dy + static_cast<int>(h) - ScaleY(90)));
        return;
    }
    if (world.profileNameEntry) {
        for (const char* key : { "A", "U", "T", "O", "Return" })
            Key(key);
        return;
    }
    // A stored profile is played; else a new game is made on profile 1.
    if (world.currentProfile != 1) {
        Click(SlotX(1) + ScaleX(100), SlotY(1) + ScaleY(20));
        return;
    }
    if (world.profileNames[1].empty()) {
        if (newGameAsked) {
            stuck = L"no new game";
            return;
        }
        newGameAsked = true;
        Click(ButtonX(Bx() + ScaleX(30)), ButtonY(ButtonLine()));
        return;
    }
    Click(ButtonX(Bx() + ScaleX(275)), ButtonY(ButtonLine()));
}

void Autoplayer::DecideMap()
{
    const cGameWorld& world = cGameWorld::Instance();
    const int continueX = ButtonX(ScaleX(510));
    const int buttonY = ButtonY(ScaleY(950));
    if (world.furthestLevel == 1 && world.intro < 3 && world.intro > 0) {
        // The shop of the introduction: one lot the money pays for, bought
        // with a click, then on.
        if (world.intro == 1 && world.shopOpen && shopClicks < 40) {
            for (const cFundament& f : world.fundaments) {
                if (f.row < 0 || f.row >= kGrid || f.column < 0 || f.column >= kGrid)
                    continue;
                if (world.lotStatus[f.row][f.column] != 0 || world.lotParamA[f.row][f.column] != 1
                    || world.lotParamC[f.row][f.column] != 1 || f.lotValue > world.money)
                    continue;
                ++shopClicks;
                Click(world.cellX[f.row][f.column] + ScaleX(73), world.cellY[f.row][f.column] + ScaleY(158));
                return;
            }
        }
        Click(continueX, buttonY);
        return;
    }
    if (level == kCityLevel) {
        DecideShop();
        return;
    }
    if (world.level != level) {
        if (!ClickPin(level))
            stuck = L"no pin";
        return;
    }
    Click(ButtonX(ScaleX(828)), buttonY);
}

// The station-building level: the city pin opens the shop, a click buys the
// lot the next level needs, Escape leaves.
void Autoplayer::DecideShop()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!world.shopOpen) {
        if (lotsBought > 0) {
            backOnMap = true;
            return;
        }
        if (!ClickPin(kCityLevel))
            stuck = L"no city pin";
        return;
    }
    if (lotsBought > 0 || shopClicks >= 10) {
        Key("Escape");
        return;
    }
    int built = 0;
    for (const cFundament& f : world.fundaments) {
        if (f.row >= 0 && f.row < kGrid && f.column >= 0 && f.column < kGrid)
            built += world.lotStatus[f.row][f.column] != 0 ? 1 : 0;
    }
    if (shopClicks > 0 && built > builtBefore) {
        lotsBought = built - builtBefore;
        return;
    }
    builtBefore = built;
    for (const cFundament& f : world.fundaments) {
        if (f.row < 0 || f.row >= kGrid || f.column < 0 || f.column >= kGrid || f.content != taskKind
            || world.lotStatus[f.row][f.column] != 0 || f.lotValue > world.money)
            continue;
        ++shopClicks;
        Click(world.cellX[f.row][f.column] + ScaleX(73), world.cellY[f.row][f.column] + ScaleY(158));
        return;
    }
    stuck = L"no lot to buy";
}

void Autoplayer::DecideLevel()
{
    const cGameWorld& world = cGameWorld::Instance();
    levelStarted = true;
    ++levelFrames;
    if (world.taskBookOpen) {
        Key("Escape");
        return;
    }
    if (world.levelOver || world.resultScreenOpen || world.resultsShown) {
        levelEnded = true;
        Click(ButtonX(ScaleX(540)), ButtonY(ScaleY(960)));
        Wait(5);
        return;
    }
    if (world.IsPaused())
        return;
    bool moved = false;
    if (world.drawStation == 0)
        moved = world.gamePlayMode == 1 ? SwapMove() : GridMove();
    else
        moved = StationMove();
    if (moved)
        ++moves;
    else
        Wait(2);
}

bool Autoplayer::GridMove()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!world.managerBelowLimit || world.autoOnMouse != -1 || !world.transfers.empty())
        return false;
    Grid grid;
    ReadGrid(world, grid);
    int bestFrom = -1;
    int bestTo = -1;
    int fallbackFrom = -1;
    int fallbackTo = -1;
    for (std::size_t a = 0; a < world.fundaments.size() && bestFrom < 0; ++a) {
        const cFundament& from = world.fundaments[a];
        int x = 0;
        int y = 0;
        if (from.hidden || from.autoType < 0 || from.autoType >= 90 || from.row >= kGrid || from.column >= kGrid
            || !CellPoint(from.row, from.column, x, y))
            continue;
        for (std::size_t b = 0; b < world.fundaments.size(); ++b) {
            const cFundament& to = world.fundaments[b];
            if (b == a || to.hidden || to.autoType != -1 || to.row < 0 || to.row >= kGrid || to.column < 0
                || to.column >= kGrid || !CellPoint(to.row, to.column, x, y))
                continue;
            Grid trial;
            std::copy(&grid[0][0], &grid[0][0] + kGrid * kGrid, &trial[0][0]);
            trial[from.row][from.column] = -1;
            trial[to.row][to.column] = grid[from.row][from.column];
            if (MakesLine(trial, to.row, to.column)) {
                bestFrom = static_cast<int>(a);
                bestTo = static_cast<int>(b);
                break;
            }
            if (fallbackFrom < 0) {
                fallbackFrom = static_cast<int>(a);
                fallbackTo = static_cast<int>(b);
            }
        }
    }
    if (bestFrom < 0) {
        bestFrom = fallbackFrom;
        bestTo = fallbackTo;
    }
    if (bestFrom < 0)
        return UseBonusItem(grid);
    const cFundament& from = world.fundaments[static_cast<std::size_t>(bestFrom)];
    const cFundament& to = world.fundaments[static_cast<std::size_t>(bestTo)];
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (!CellPoint(from.row, from.column, x0, y0) || !CellPoint(to.row, to.column, x1, y1)) {
        stuck = L"a cell off the screen";
        std::fprintf(stderr, "cells (%d,%d) at %d,%d and (%d,%d) at %d,%d\n", from.row, from.column,
            world.cellX[from.row][from.column], world.cellY[from.row][from.column], to.row, to.column,
            world.cellX[to.row][to.column], world.cellY[to.row][to.column]);
        return false;
    }
    Drag(x0, y0, x1, y1);
    Wait(6);
    return true;
}

// A full grid: a joker goes where it makes a line, or a bomb anywhere, from
// its slot in the bonus bar.
bool Autoplayer::UseBonusItem(const int (&grid)[10][10])
{
    const cGameWorld& world = cGameWorld::Instance();
    for (int pass = 0; pass < 2; ++pass)
        for (const cJoker& item : world.jokers) {
            if (item.used || item.step < item.steps || (item.item != 90 && item.item != 91))
                continue;
            for (const cFundament& cell : world.fundaments) {
                int x = 0;
                int y = 0;
                if (cell.hidden || cell.autoType < 0 || cell.row >= kGrid || cell.column >= kGrid
                    || !CellPoint(cell.row, cell.column, x, y))
                    continue;
                bool fits = item.item == 91 || pass == 1;
                for (int v = 1; v <= 5 && !fits; ++v) {
                    Grid trial;
                    std::copy(&grid[0][0], &grid[0][0] + kGrid * kGrid, &trial[0][0]);
                    trial[cell.row][cell.column] = v;
                    fits = MakesLine(trial, cell.row, cell.column);
                }
                if (!fits)
                    continue;
                Drag(ScaleX(item.targetX + 45), ScaleY(item.targetY + 45), x, y);
                Wait(6);
                return true;
            }
        }
    return false;
}

// Swap grids: two neighbours swapped where that makes a line.
bool Autoplayer::SwapMove()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!world.managerBelowLimit || world.autoOnMouse != -1 || !world.transfers.empty() || world.dropPending)
        return false;
    Grid grid;
    ReadGrid(world, grid);
    // Without a line to make, a swap that only stirs the grid, a different
    // one each time.
    int stir = 0;
    for (int pass = 0; pass < 2; ++pass)
        for (const cFundament& a : world.fundaments) {
            int x0 = 0;
            int y0 = 0;
            if (a.hidden || a.autoType < 0 || a.row >= kGrid || a.column >= kGrid
                || !CellPoint(a.row, a.column, x0, y0))
                continue;
            for (const cFundament& b : world.fundaments) {
                const int dr = b.row - a.row;
                const int dc = b.column - a.column;
                int x1 = 0;
                int y1 = 0;
                if (!((dr == 1 && dc == 0) || (dr == 0 && dc == 1)) || b.hidden || b.autoType < 0
                    || !CellPoint(b.row, b.column, x1, y1))
                    continue;
                Grid trial;
                std::copy(&grid[0][0], &grid[0][0] + kGrid * kGrid, &trial[0][0]);
                std::swap(trial[a.row][a.column], trial[b.row][b.column]);
                if (pass == 0 && !MakesLine(trial, a.row, a.column) && !MakesLine(trial, b.row, b.column))
                    continue;
                if (pass == 1 && stir++ != moves % 7)
                    continue;
                Drag(x0, y0, x1, y1);
                Wait(10);
                return true;
            }
        }
    return false;
}

bool Autoplayer::StationMove()
{
    const cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    if (world.autoOnMouse != -1 || !world.transfers.empty())
        return false;
    for (int i = 0; i < world.stackCounter && i < static_cast<int>(world.stackSlots.size()); ++i) {
        const cStackSlot& slot = world.stackSlots[static_cast<std::size_t>(i)];
        if (slot.autoType < 0)
            continue;
        const int colour = world.GetAutoTypeColour(slot.autoType);
        for (const cPlace& place : world.places) {
            if (place.type < 6 || place.type > 10 || place.direction <= 0 || place.autoOffsetX == 0 || place.state == 2
                || place.row < 0 || place.column < 0)
                continue;
            if (place.colour + 6 != colour)
                continue;
            bool busy = false;
            const int index = static_cast<int>(&place - world.places.data());
            for (const cPlaceAuto& served : world.placeAutos)
                busy = busy || (served.place == index && served.autoType != -1);
            if (busy)
                continue;
            const int x0 = static_cast<int>(slot.x / settings.scaleX) + ScaleX(72);
            const int y0 = static_cast<int>(slot.y / settings.scaleY) + ScaleY(66);
            const int x1 = world.cellX[place.row][place.column] + 93;
            const int y1 = world.cellY[place.row][place.column] + 120;
            Drag(x0, y0, x1, y1);
            return true;
        }
    }
    return false;
}

} // namespace test
