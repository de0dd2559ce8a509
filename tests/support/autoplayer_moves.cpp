// The autoplayer's moves in a level: what a player sees on the screen (the
// grid, the stack, the free places) decides the next drag.
#include <algorithm>

#include "scene/design_units.h"
#include "support/autoplayer.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

namespace {

    using Scene::ScaleX;
    using Scene::ScaleY;

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
        return false;
    }
    Drag(x0, y0, x1, y1);
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
            int x1 = 0;
            int y1 = 0;
            if (!CellPoint(place.row, place.column, x1, y1)) {
                x1 = world.cellX[place.row][place.column] + 93;
                y1 = world.cellY[place.row][place.column] + 120;
            }
            Drag(x0, y0, x1, y1);
            return true;
        }
    }
    return false;
}

} // namespace test
