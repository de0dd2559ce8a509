// Applying combos: each member cell is served or cleared with an effect, the
// bonus cells are listed for the script, "on_bonus" runs, the points fly off,
// the combo log counts it and the bonus sound plays.
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/world_checks.h"
#include "world/world_combo_rules.h"

static_assert(world::kBonusCells >= cCombo::kMaxMembers, "every member of a combo is a bonus cell");

namespace {

// A member that carries no cell ends the members of its combo. Row 0 and
// class (or colour) 0 are cells like any other: a combo there is cleared.
bool EndsMembers(const cCombo& combo, int m)
{
    return combo.memberIndex[m] == -1;
}

void AddBonusCell(cGameWorld& w, int kind, int row, int column)
{
    if (w.bonusCellCount < 0 || w.bonusCellCount >= world::kBonusCells)
        return;
    w.bonusCellKind[w.bonusCellCount] = kind;
    w.bonusCellRow[w.bonusCellCount] = row;
    w.bonusCellColumn[w.bonusCellCount] = column;
    ++w.bonusCellCount;
}

void ApplyFundaments(cGameWorld& w, bool clearJokerRequest)
{
    // Applying a combo calls the script, which may change the list.
    const std::vector<cCombo> list = w.combos;
    for (const cCombo& combo : list) {
        const int n = combo.count;
        const int firstIndex = n > 0 ? combo.memberIndex[0] : -1;
        // The log records the class of the car that stood on the first cell.
        const int firstType = world::IsIndex(firstIndex, w.fundaments.size()) ? w.fundaments[firstIndex].autoType : -1;

        w.bonusCellCount = 0;
        int cleared = 0;
        for (int m = 0; m < n; ++m) {
            if (EndsMembers(combo, m))
                break;
            const int f = combo.memberIndex[m];
            if (!world::IsIndex(f, w.fundaments.size()))
                break;
            if (w.fundaments[f].autoType != -1)
                ++cleared;
            w.fundaments[f].autoType = -1;
            AddBonusCell(w, 0, combo.memberRow[m], combo.memberColumn[m]);
            w.ClearFundamentWithEffect(f, n);
            w.fundaments[f].alpha = 0;
        }
        // Only cars taken off the grid are paid: a combo whose cars are
        // already gone (counted by an earlier combo of the list) pays nothing.
        if (cleared == 0)
            continue;
        w.bonusAutoClass = n > 0 ? combo.memberClass[0] : 0;
        w.bonusType = n;
        if (clearJokerRequest)
            w.jokerRequested = 0;
        Story::Instance().CallScriptFunction("on_bonus");
        if (world::IsIndex(firstIndex, w.fundaments.size()))
            w.AddPointsMarkerAtFundament(firstIndex);
        w.AddComboRecord(n, w.GetAutoTypeClass(firstType));
        w.PlayEffectSound(world::BonusSoundName(n));
    }
}

} // namespace

void cGameWorld::ApplyPlaceCombos()
{
    const std::vector<cCombo> list = combos;
    for (const cCombo& combo : list) {
        const int n = combo.count;
        const int firstPlace = n > 0 ? combo.memberIndex[0] : -1;
        bonusCellCount = 0;
        for (int m = 0; m < n; ++m) {
            if (EndsMembers(combo, m))
                break;
            const int p = combo.memberIndex[m];
            if (!world::IsIndex(p, places.size()))
                break;
            AddBonusCell(*this, places[p].value, places[p].row, places[p].column);
            ApplyComboToPlace(p, n);
        }
        bonusAutoClass = n > 0 ? combo.memberClass[0] : 0;
        bonusType = n;
        Story::Instance().CallScriptFunction("on_bonus");
        if (world::IsIndex(firstPlace, places.size())) {
            AddPointsMarker(firstPlace);
            AddComboRecord(n, GetAutoTypeClass(places[firstPlace].autoType));
        } else {
            AddComboRecord(n, -1);
        }
        PlayEffectSound(world::BonusSoundName(n));
    }
}

void cGameWorld::ApplyFundamentCombos()
{
    ApplyFundaments(*this, true);
}

void cGameWorld::ApplyFundamentCombosKeepJoker()
{
    ApplyFundaments(*this, false);
}
