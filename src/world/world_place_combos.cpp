// Place combos: lines of served cars of one class, measured outwards from the
// cells the player's last move changed.
#include "world/game_world.h"
#include "world/world_checks.h"
#include "world/world_combo_rules.h"

namespace {

constexpr int kBroken = 2;
constexpr int kWindow = 5; // cells a run reaches beyond the changed cell

// The class of the first car served on the cell; false when none stands there.
bool ServedClassAt(const cGameWorld& w, int row, int column, int& autoClass)
{
    for (const cPlaceAuto& a : w.placeAutos) {
        if (a.row == row && a.column == column) {
            autoClass = w.GetAutoTypeClass(a.autoType);
            return true;
        }
    }
    return false;
}

} // namespace

bool cGameWorld::IsAutoOfClassAt(int row, int column, int autoClass) const
{
    int k = 0;
    return ServedClassAt(*this, row, column, k) && (k == autoClass || k == world::kAnyClass);
}

namespace {

// Both measures share one walker: a run reaches from the changed cell towards
// 0 without limit and towards the far side over a window of cells.

template <typename Matches, typename ClassAt>
int MeasureRun(
    int at, int farWindow, int anyFarWindow, int autoClass, Matches matches, ClassAt classAt, int& first, int& last)
{
    first = last = at;
    if (autoClass != world::kAnyClass) {
        first = 0;
        for (int p = at; p >= 0; --p) {
            if (!matches(p, autoClass)) {
                first = p + 1;
                break;
            }
        }
        last = at + farWindow;
        for (int p = at; p <= at + farWindow; ++p) {
            if (!matches(p, autoClass)) {
                last = p - 1;
                break;
            }
        }
    } else {
        // The any class joins the run above (left) and the run below (right),
        // each led by the class of its nearest car.
        int k1 = 0;
        if (classAt(at - 1, k1)) {
            first = 0;
            for (int p = at - 1; p >= 0; --p) {
                if (!matches(p, k1)) {
                    first = p + 1;
                    break;
                }
            }
        }
        int k2 = 0;
        if (classAt(at + 1, k2)) {
            last = at + anyFarWindow;
            for (int p = at + 1; p <= at + anyFarWindow; ++p) {
                if (!matches(p, k2)) {
                    last = p - 1;
                    break;
                }
            }
        }
    }
    const int length = last - first + 1;
    return length >= 3 ? length : 0;
}

} // namespace

int cGameWorld::MeasureAutoRunVertical(int row, int column, int autoClass)
{
    auto matches = [&](int r, int k) { return IsAutoOfClassAt(r, column, k); };
    auto classAt = [&](int r, int& k) { return ServedClassAt(*this, r, column, k); };
    return MeasureRun(row, kWindow, kWindow, autoClass, matches, classAt, runFirstRow, runLastRow);
}

int cGameWorld::MeasureAutoRunHorizontal(int row, int column, int autoClass)
{
    auto matches = [&](int c, int k) { return IsAutoOfClassAt(row, c, k); };
    auto classAt = [&](int c, int& k) { return ServedClassAt(*this, row, c, k); };
    // To the right the any class looks one cell further than downwards.
    return MeasureRun(column, kWindow, kWindow + 1, autoClass, matches, classAt, runFirstColumn, runLastColumn);
}

void cGameWorld::AddAutoCombo(int direction, int row, int column, int autoClass)
{
    cCombo combo;
    combo.id = comboCounter++;
    combo.direction = direction;
    if (direction == 1) {
        for (int j = runFirstColumn; j <= runLastColumn; ++j)
            world::AddComboMember(combo, FindPlaceAutoAt(row, j), autoClass, row, j);
    } else {
        for (int j = runFirstRow; j <= runLastRow; ++j)
            world::AddComboMember(combo, FindPlaceAutoAt(j, column), autoClass, j, column);
    }
    combos.push_back(combo);
}

int cGameWorld::FindAutoCombos()
{
    combos.clear();
    comboCounter = 0;
    for (int i = 0; i < selectedCount && i < world::kSelection; ++i) {
        const int p = selectedIndex[i];
        const int r = selectedRow[i];
        const int c = selectedColumn[i];
        if (!world::IsIndex(p, places.size()) || places[p].state == kBroken)
            continue;
        // Place combos group by class, whatever the bonus system.
        const int k = GetAutoTypeClass(places[p].autoType);
        int n = MeasureAutoRunVertical(r, c, k);
        if (n > 0 && !HasCombo(0, n, k))
            AddAutoCombo(0, r, c, k);
        n = MeasureAutoRunHorizontal(r, c, k);
        if (n > 0 && !HasCombo(1, n, k))
            AddAutoCombo(1, r, c, k);
    }
    if (combos.size() >= 2)
        world::MergeCombos(*this, false);
    return 0;
}
