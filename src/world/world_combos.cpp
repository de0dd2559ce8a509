// The selection of changed cells and the merge that both combo families use.
#include "world/world_combo_rules.h"

#include "resources/log.h"
#include "world/game_world.h"

bool cGameWorld::AddSelectedCell(int index, int row, int column)
{
    if (selectedCount < 0 || selectedCount >= world::kSelection) {
        cLog::Instance().Error(L"cGameWorld::AddSelectedCell -> selection full (%d cells), cell %d, %d left out",
            selectedCount, row, column);
        return false;
    }
    selectedIndex[selectedCount] = index;
    selectedRow[selectedCount] = row;
    selectedColumn[selectedCount] = column;
    ++selectedCount;
    return true;
}

bool cGameWorld::IsSelectedCell(int row, int column) const
{
    for (int i = 0; i < selectedCount && i < world::kSelection; ++i) {
        if (selectedRow[i] == row && selectedColumn[i] == column)
            return true;
    }
    return false;
}

bool cGameWorld::HasCombo(int direction, int count, int autoClass) const
{
    for (const cCombo& c : combos) {
        if (c.direction == direction && c.count == count && c.count > 0 && c.memberClass[0] == autoClass)
            return true;
    }
    return false;
}

namespace world {

bool AddComboMember(cCombo& combo, int index, int autoClass, int row, int column)
{
    if (combo.count < 0 || combo.count >= cCombo::kMaxMembers)
        return false;
    const int m = combo.count++;
    combo.memberIndex[m] = index;
    combo.memberClass[m] = autoClass;
    combo.memberRow[m] = row;
    combo.memberColumn[m] = column;
    return true;
}

namespace {

    struct Pair {
        int a = -1;
        int b = -1;
        int memberA = -1;
        int memberB = -1;
    };

    bool Agree(int classA, int classB, bool wildcardAgrees)
    {
        if (classA == classB)
            return true;
        return wildcardAgrees && (classA == kWildcardAuto || classB == kWildcardAuto);
    }

    // The first pair in list order: combo a, its member, combo b from the
    // second combo on, its member.
    Pair FindPair(const cGameWorld& w, bool wildcardAgrees)
    {
        const int n = static_cast<int>(w.combos.size());
        for (int a = 0; a < n; ++a) {
            const cCombo& ca = w.combos[a];
            for (int ma = 0; ma < ca.count; ++ma) {
                for (int b = 1; b < n; ++b) {
                    const cCombo& cb = w.combos[b];
                    if (cb.id == ca.id)
                        continue;
                    for (int mb = 0; mb < cb.count; ++mb) {
                        if (ca.memberRow[ma] != cb.memberRow[mb] || ca.memberColumn[ma] != cb.memberColumn[mb])
                            continue;
                        if (!Agree(ca.memberClass[ma], cb.memberClass[mb], wildcardAgrees))
                            continue;
                        if (w.IsSelectedCell(ca.memberRow[ma], ca.memberColumn[ma]))
                            return Pair { a, b, ma, mb };
                    }
                }
            }
        }
        return Pair {};
    }

    void EraseFirstWithId(cGameWorld& w, int id)
    {
        for (auto it = w.combos.begin(); it != w.combos.end(); ++it) {
            if (it->id == id) {
                w.combos.erase(it);
                return;
            }
        }
    }

} // namespace

void MergeCombos(cGameWorld& w, bool wildcardAgrees)
{
    // Each round replaces two combos by one, so the loop ends.
    while (w.combos.size() >= 2) {
        const Pair pair = FindPair(w, wildcardAgrees);
        if (pair.a < 0)
            return;
        const cCombo a = w.combos[pair.a];
        const cCombo b = w.combos[pair.b];
        const int sharedRow = a.memberRow[pair.memberA];
        const int sharedColumn = a.memberColumn[pair.memberA];
        const int sharedClass = a.memberClass[pair.memberA];

        cCombo merged;
        merged.id = w.comboCounter++;
        merged.direction = kMergedDirection;
        int dropped = 0;
        for (int m = 0; m < a.count; ++m) {
            if (!AddComboMember(merged, a.memberIndex[m], sharedClass, a.memberRow[m], a.memberColumn[m]))
                ++dropped;
        }
        for (int m = 0; m < b.count; ++m) {
            if (b.memberRow[m] == sharedRow && b.memberColumn[m] == sharedColumn)
                continue;
            if (!AddComboMember(merged, b.memberIndex[m], sharedClass, b.memberRow[m], b.memberColumn[m]))
                ++dropped;
        }
        if (dropped > 0) {
            cLog::Instance().Error(L"cGameWorld::MergeCombos -> combo %d keeps its first %d cars, %d left out",
                merged.id, cCombo::kMaxMembers, dropped);
        }
        EraseFirstWithId(w, a.id);
        EraseFirstWithId(w, b.id);
        w.combos.push_back(merged);
        if (w.combos.size() == 1)
            return;
    }
}

const char* BonusSoundName(int count)
{
    switch (count) {
    case 3:
        return "bonus3";
    case 4:
        return "bonus4";
    case 5:
        return "bonus5";
    case 6:
        return "bonus6";
    case 7:
        return "bonus7";
    case 8:
        return "bonus8";
    default:
        return "bonus1";
    }
}

} // namespace world
