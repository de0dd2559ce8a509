// Help hints: a cell whose neighbours hold a pair of one class gets a hint.
#include "world/game_world.h"
#include "world/world_checks.h"

namespace {

// The cell of a place (station levels) or of a fundament (grid levels).
bool HintCell(const cGameWorld& w, int index, int& row, int& column)
{
    if (w.drawStation != 0) {
        if (!world::IsIndex(index, w.places.size()))
            return false;
        row = w.places[index].row;
        column = w.places[index].column;
    } else {
        if (!world::IsIndex(index, w.fundaments.size()))
            return false;
        row = w.fundaments[index].row;
        column = w.fundaments[index].column;
    }
    return true;
}

} // namespace

int cGameWorld::FindNeighbourPairClass(int index)
{
    int r = 0;
    int c = 0;
    if (!HintCell(*this, index, r, c))
        return -1;
    const int pairs[6][4] = {
        {r - 1, c, r - 2, c}, {r + 1, c, r + 2, c}, {r - 1, c, r + 1, c},
        {r, c - 2, r, c - 1}, {r, c + 1, r, c + 2}, {r, c + 1, r, c - 1},
    };
    for (const auto& pair : pairs) {
        const int first = GetClassAt(pair[0], pair[1]);
        const int second = GetClassAt(pair[2], pair[3]);
        if (first != -1 && first == second)
            return first;
    }
    return -1;
}

void cGameWorld::AddHelpHint(int index)
{
    if (helpAuto == 0)
        return;
    int row = 0;
    int column = 0;
    if (!HintCell(*this, index, row, column))
        return;
    if (FindNeighbourPairClass(index) == -1)
        return;
    // The table is full for this frame; later hints wait for the next one.
    if (hintCount < 0 || hintCount >= world::kHints)
        return;
    const int h = hintCount;
    hintIndex[h] = index;
    if (drawStation != 0) {
        hintX[h] = places[index].x;
        hintY[h] = places[index].y;
    } else {
        hintX[h] = fundaments[index].gridRow;
        hintY[h] = fundaments[index].gridColumn;
    }
    hintTimer[h] = 999;
    hintAutoType[h] = lastCellAutoType;
    hintRow[h] = row;
    hintColumn[h] = column;
    const int t = world::FindFirst(autoTypes, [&](const cAutoType& a) { return a.id == lastCellAutoType; });
    if (t >= 0)
        hintClass[h] = autoTypes[t].class_;
    hintCount = h + 1;
}
