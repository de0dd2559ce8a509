// Fundament combos: lines of cars standing on the grid, found by scanning the
// whole row and column through each changed cell, and by a sweep of the
// grid for the triples a cascade leaves behind. The joker car (type 90)
// stands in for any class.
#include "world/game_world.h"
#include "world/world_checks.h"
#include "world/world_combo_rules.h"

namespace {

using world::kComboGrid;
using world::kWildcardAuto;
using ValueGrid = int[kComboGrid][kComboGrid];

// What each cell holds for the combo search: the car type when the bonus
// system groups by class, else its colour group; -1 free; the joker 90.
void BuildValueGrid(const cGameWorld& w, ValueGrid& grid)
{
    for (auto& row : grid) {
        for (int& v : row)
            v = -1;
    }
    for (const cFundament& f : w.fundaments) {
        if (f.row < 0 || f.row >= kComboGrid || f.column < 0 || f.column >= kComboGrid)
            continue;
        int v = -1;
        if (f.autoType == kWildcardAuto)
            v = kWildcardAuto;
        else if (f.autoType != -1)
            v = w.bonusByClass ? f.autoType : w.GetAutoTypeColour(f.autoType);
        grid[f.row][f.column] = v;
    }
}

// Scans one line (a column for direction 0, a row for direction 1) through
// the changed cell (r0, c0), adding a combo for each run of three or more.
void ScanLine(cGameWorld& w, const int (&line)[kComboGrid], int direction, int r0, int c0)
{
    int& first = direction == 0 ? w.runFirstRow : w.runFirstColumn;
    int& last = direction == 0 ? w.runLastRow : w.runLastColumn;
    first = 0;
    for (;;) {
        int cur = -1;
        int pos = first;
        bool restart = false;
        while (pos < kComboGrid) {
            const int v = line[pos];
            if (v == -1 && cur == -1) {
                first = pos + 1;
                restart = true;
                break;
            }
            if (pos == first) {
                // A run that opens on jokers takes the class of the first car
                // after them.
                if (v == kWildcardAuto) {
                    if (pos + 1 < kComboGrid && line[pos + 1] == kWildcardAuto) {
                        if (pos + 2 < kComboGrid)
                            cur = line[pos + 2];
                    } else if (pos + 1 < kComboGrid) {
                        cur = line[pos + 1];
                    }
                } else {
                    cur = v;
                }
                ++pos;
            } else if (v == cur || v == kWildcardAuto) {
                ++pos;
            } else {
                break;
            }
        }
        if (restart)
            continue;
        if (first >= kComboGrid)
            return;

        last = pos - 1;
        const int length = pos - first;
        if (length >= 3 && w.HasCombo(direction, length, cur)) {
            first = pos;
        } else if (length >= 3) {
            w.AddFundamentCombo(direction, r0, c0, cur);
            // The run's last cell may open the next run.
            first = pos - 1;
        } else {
            first = pos - 1 >= 0 && line[pos - 1] == kWildcardAuto ? pos - 1 : pos;
        }
        if (pos >= kComboGrid)
            return;
    }
}

} // namespace

int cGameWorld::GetAutoTypeColour(int type) const
{
    const int t = world::FindFirst(autoTypes, [&](const cAutoType& a) { return a.id == type; });
    return t < 0 ? -1 : autoTypes[t].colour;
}

void cGameWorld::AddFundamentCombo(int direction, int row, int column, int autoClass)
{
    cCombo combo;
    combo.id = comboCounter++;
    combo.direction = direction;
    if (direction == 1) {
        for (int j = runFirstColumn; j <= runLastColumn; ++j)
            world::AddComboMember(combo, FindFundamentAt(row, j), autoClass, row, j);
    } else {
        for (int j = runFirstRow; j <= runLastRow; ++j)
            world::AddComboMember(combo, FindFundamentAt(j, column), autoClass, j, column);
    }
    combos.push_back(combo);
}

int cGameWorld::FindFundamentCombos()
{
    combos.clear();
    comboCounter = 0;
    ValueGrid grid;
    for (int i = 0; i < selectedCount && i < world::kSelection; ++i) {
        const int r0 = selectedRow[i];
        const int c0 = selectedColumn[i];
        // Combos are searched on rows and columns 0..9 only.
        if (r0 < 0 || r0 >= kComboGrid || c0 < 0 || c0 >= kComboGrid)
            continue;
        BuildValueGrid(*this, grid);
        if (grid[r0][c0] == kWildcardAuto)
            jokerInUse = 1;
        int column[kComboGrid];
        for (int p = 0; p < kComboGrid; ++p)
            column[p] = grid[p][c0];
        ScanLine(*this, column, 0, r0, c0);
        ScanLine(*this, grid[r0], 1, r0, c0);
    }
    if (combos.size() >= 2)
        world::MergeCombos(*this, true);
    return 0;
}

int cGameWorld::RebuildFundamentCombos()
{
    combos.clear();
    comboCounter = 0;
    ValueGrid grid;
    BuildValueGrid(*this, grid);
    // Every triple found here has three members; the joker matches only a
    // joker.
    for (int row = 0; row < kComboGrid; ++row) {
        for (int column = 0; column < kComboGrid; ++column) {
            const int cur = grid[row][column];
            if (cur == -1)
                continue;
            if (row + 2 < kComboGrid && grid[row + 1][column] == cur && grid[row + 2][column] == cur) {
                runFirstRow = row;
                runLastRow = row + 2;
                AddFundamentCombo(0, row, column, cur);
                grid[row][column] = grid[row + 1][column] = grid[row + 2][column] = -1;
            }
            if (column + 2 < kComboGrid && grid[row][column + 1] == cur && grid[row][column + 2] == cur) {
                runFirstColumn = column;
                runLastColumn = column + 2;
                AddFundamentCombo(1, row, column, cur);
                grid[row][column] = grid[row][column + 1] = grid[row][column + 2] = -1;
            }
        }
    }
    if (combos.size() >= 2)
        world::MergeCombos(*this, true);
    return 0;
}
