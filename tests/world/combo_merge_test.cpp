// Two combos that cross on a selected cell become one; combos that do not
// share such a cell, or disagree on its class, stay apart.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "grid_fixture.h"
#include "world/world_combo_rules.h"

namespace {

using test::GridTest;

struct Member {
    int autoClass;
    int row;
    int column;
};

cCombo MakeCombo(int id, const std::vector<Member>& members)
{
    cCombo combo;
    combo.id = id;
    for (const Member& m : members)
        world::AddComboMember(combo, 0, m.autoClass, m.row, m.column);
    return combo;
}

TEST_F(GridTest, CombosMergeOnlyOnASelectedCellOfOneClass)
{
    const std::vector<Member> row = { { 1, 2, 0 }, { 1, 2, 1 }, { 1, 2, 2 } };
    const std::vector<Member> column = { { 1, 1, 1 }, { 1, 2, 1 }, { 1, 3, 1 } };
    const std::vector<Member> otherClass = { { 2, 1, 1 }, { 2, 2, 1 }, { 2, 3, 1 } };
    const std::vector<Member> jokerOnTheCrossing = { { 1, 1, 1 }, { world::kWildcardAuto, 2, 1 }, { 1, 3, 1 } };
    const std::vector<Member> apart = { { 1, 1, 5 }, { 1, 2, 5 }, { 1, 3, 5 } };
    const std::vector<std::string> unmerged = { "k=1 2,0 2,1 2,2", "k=1 1,1 2,1 3,1" };
    const std::vector<std::string> merged = { "k=1 2,0 2,1 2,2 1,1 3,1" };
    const struct {
        const char* what;
        std::vector<Member> second;
        std::tuple<int, int> selected;
        bool wildcardAgrees;
        std::vector<std::string> expected;
    } cases[] = {
        { "crossing on the selected cell", column, { 2, 1 }, false, merged },
        { "crossing elsewhere than the selected cell", column, { 2, 0 }, true, unmerged },
        { "crossing, classes differ", otherClass, { 2, 1 }, true, { "k=1 2,0 2,1 2,2", "k=2 1,1 2,1 3,1" } },
        { "a joker on the crossing where it counts", jokerOnTheCrossing, { 2, 1 }, true, merged },
        { "a joker on the crossing where it does not", jokerOnTheCrossing, { 2, 1 }, false,
            { "k=1 2,0 2,1 2,2", "k=1 1,1 2,1 3,1" } },
        { "no cell in common", apart, { 2, 1 }, true, { "k=1 2,0 2,1 2,2", "k=1 1,5 2,5 3,5" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.selectedCount = 0;
        Select(0, std::get<0>(c.selected), std::get<1>(c.selected));
        world.combos = { MakeCombo(0, row), MakeCombo(1, c.second) };
        world.comboCounter = 2;
        world::MergeCombos(world, c.wildcardAgrees);
        EXPECT_EQ(Combos(), c.expected);
        // A merged combo is a new one, with the next number.
        EXPECT_EQ(world.comboCounter, c.expected.size() == 1 ? 3 : 2);
    }
}

// Of three combos in a chain, all end as one: each merge is tried again
// with the merged combo, until no two share a selected cell.
TEST_F(GridTest, AChainOfCombosMergesIntoOne)
{
    Select(0, 2, 1);
    Select(1, 2, 3);
    world.combos = { MakeCombo(0, { { 1, 1, 1 }, { 1, 2, 1 }, { 1, 3, 1 } }),
        MakeCombo(1, { { 1, 2, 0 }, { 1, 2, 1 }, { 1, 2, 2 }, { 1, 2, 3 } }),
        MakeCombo(2, { { 1, 1, 3 }, { 1, 2, 3 }, { 1, 3, 3 } }) };
    world.comboCounter = 3;
    world::MergeCombos(world, false);
    ASSERT_EQ(world.combos.size(), 1u);
    EXPECT_EQ(world.combos[0].count, 8);
    EXPECT_EQ(world.comboCounter, 5);
}

} // namespace
