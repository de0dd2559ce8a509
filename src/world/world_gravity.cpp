// Cars on the grid: gravity lets them fall into free fundaments, the supply
// step sends new cars into the free ones, and on the first level of each
// triple the stack pours its cars onto free cells.
#include <vector>

#include "platform/game_random.h"
#include "resources/log.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace {

constexpr int kGrid = world::kGridSize;

// While an effect of a combo (types 3 to 12) is still in its first quarter,
// new cars wait for it.
bool ComboEffectJustStarted(const cGameWorld& w)
{
    for (const cEffect& e : w.effects) {
        if (e.type >= 3 && e.type <= 12 && e.frame <= e.frames / 4)
            return true;
    }
    return false;
}

// Where a car sent to the cell lands, in the screen's pixels.
void TransferTarget(const cGameWorld& w, const cFundament& f, int& x, int& y)
{
    const cSettings& s = cSettings::Instance();
    x = static_cast<int>(static_cast<float>(w.cellX[f.row][f.column] + 30) * s.scaleX);
    y = static_cast<int>(static_cast<float>(w.cellY[f.row][f.column]) * s.scaleY);
}

// Moves one car down into the lowest free fundament of the first column that
// has a car above a free fundament; false when nothing can fall.
bool DropOneAuto(cGameWorld& w)
{
    int index[kGrid][kGrid];
    int car[kGrid][kGrid];
    for (int r = 0; r < kGrid; ++r) {
        for (int c = 0; c < kGrid; ++c)
            index[r][c] = car[r][c] = -1;
    }
    for (std::size_t i = 0; i < w.fundaments.size(); ++i) {
        const cFundament& f = w.fundaments[i];
        if (!world::IsGridCell(f.row, f.column))
            continue;
        index[f.row][f.column] = static_cast<int>(i);
        car[f.row][f.column] = f.autoType;
    }
    for (int c = 0; c < kGrid; ++c) {
        for (int r = kGrid - 1; r >= 0; --r) {
            if (index[r][c] == -1 || car[r][c] != -1)
                continue;
            for (int up = r - 1; up >= 0; --up) {
                if (index[up][c] == -1 || car[up][c] == -1)
                    continue;
                cFundament& lower = w.fundaments[index[r][c]];
                cFundament& upper = w.fundaments[index[up][c]];
                lower.autoType = upper.autoType;
                upper.autoType = -1;
                lower.alpha = upper.alpha = 255;
                w.AddSelectedCell(index[r][c], r, c);
                return true;
            }
        }
    }
    return false;
}

// The free, unblocked fundaments in list order, without those already taken.
std::vector<int> FreeFundaments(const cGameWorld& w, const std::vector<int>& taken)
{
    std::vector<int> free;
    for (std::size_t i = 0; i < w.fundaments.size(); ++i) {
        const cFundament& f = w.fundaments[i];
        if (f.hidden || f.autoType != -1)
            continue;
        bool isTaken = false;
        for (int t : taken)
            isTaken = isTaken || t == static_cast<int>(i);
        if (!isTaken)
            free.push_back(static_cast<int>(i));
    }
    return free;
}

// What a cell counts as for lines: the car type when combos go by class,
// else its colour; -1 free.
int LineValue(const cGameWorld& w, int type)
{
    if (type < 0)
        return -1;
    return w.bonusByClass ? type : w.GetAutoTypeColour(type);
}

// True when value v at (row, column) would stand in a run of three or more.
bool CompletesLine(const int (&grid)[kGrid][kGrid], int row, int column, int v)
{
    if (v < 0)
        return false;
    const int steps[2][2] = { { 0, 1 }, { 1, 0 } };
    for (const auto& d : steps) {
        int run = 1;
        for (int sign = -1; sign <= 1; sign += 2) {
            for (int s = 1; s < kGrid; ++s) {
                const int r = row + sign * d[0] * s;
                const int c = column + sign * d[1] * s;
                if (r < 0 || c < 0 || r >= kGrid || c >= kGrid || grid[r][c] != v)
                    break;
                ++run;
            }
        }
        if (run >= 3)
            return true;
    }
    return false;
}

} // namespace

bool cGameWorld::CanSupplyFundaments() const
{
    return transfers.empty() && autoOnMouse == -1 && !ComboEffectJustStarted(*this);
}

void cGameWorld::DropAutosIntoFreeFundaments()
{
    selectedCount = 0;
    // Each move fills the lowest free fundament of its column for good, so
    // this ends after at most one move per fundament.
    while (DropOneAuto(*this)) { }
    SupplyFreeFundaments();
}

void cGameWorld::SupplyFreeFundaments()
{
    if (!CanSupplyFundaments())
        return;
    // The cars sent never complete a line among themselves or with the cars
    // standing: a refill scores nothing the player did not make.
    int grid[kGrid][kGrid];
    for (auto& row : grid) {
        for (int& v : row)
            v = -1;
    }
    for (const cFundament& f : fundaments) {
        if (world::IsGridCell(f.row, f.column))
            grid[f.row][f.column] = LineValue(*this, f.autoType);
    }
    const int startX = cSettings::Instance().GetWidth() / 2;
    const int startY = cSettings::Instance().GetHeight() + 100;
    for (std::size_t i = 0; i < fundaments.size(); ++i) {
        if (fundaments[i].autoType != -1 || !world::IsGridCell(fundaments[i].row, fundaments[i].column))
            continue;
        const int row = fundaments[i].row;
        const int column = fundaments[i].column;
        int type = GetRandomStackAutoType();
        for (int tries = 0; tries < 16 && type != -1 && CompletesLine(grid, row, column, LineValue(*this, type));
             ++tries)
            type = GetRandomStackAutoType();
        if (type == -1) {
            // No car type may enter the stack: the cells stay free.
            cLog::Instance().Error(L"cGameWorld::SupplyFreeFundaments -> no car type to send to the grid");
            return;
        }
        int x = 0;
        int y = 0;
        TransferTarget(*this, fundaments[i], x, y);
        grid[row][column] = LineValue(*this, type);
        StartTransferToFundament(static_cast<int>(i), type, startX, startY, x, y);
        AddSelectedCell(static_cast<int>(i), row, column);
        lastSuppliedAuto = type;
    }
}

void cGameWorld::MoveStackAutosToFundaments()
{
    if (!transfers.empty() || ComboEffectJustStarted(*this))
        return;
    // A cell already promised to a car of this pass, or the cell a held car
    // came from, gets no second car: that car would be lost.
    std::vector<int> taken;
    if (autoOnMouse != -1 && swapSource != -1)
        taken.push_back(swapSource);
    for (cStackSlot& slot : stackSlots) {
        if (slot.autoType == -1)
            continue;
        const std::vector<int> free = FreeFundaments(*this, taken);
        if (free.empty())
            break;
        const int f = free[platform::GameRand() % static_cast<int>(free.size())];
        if (!world::IsGridCell(fundaments[f].row, fundaments[f].column))
            continue;
        int x = 0;
        int y = 0;
        TransferTarget(*this, fundaments[f], x, y);
        StartTransferToFundament(f, slot.autoType, slot.x, slot.y, x, y);
        slot.autoType = -1;
        taken.push_back(f);
    }
    stackMovedToGrid = 1;
}

bool cGameWorld::NoFreeFundament() const
{
    return world::FindFirst(fundaments, [](const cFundament& f) { return f.autoType == -1; }) < 0;
}

int cGameWorld::FindFreeFundament()
{
    const std::vector<int> free = FreeFundaments(*this, {});
    if (free.empty())
        return -1;
    return free[platform::GameRand() % static_cast<int>(free.size())];
}
