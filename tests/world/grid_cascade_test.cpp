// What a move leaves behind: the sweep for the triples a cascade made, where
// runs cross and touch, and the cars the supply sends into the free cells,
// draw by draw from the game's generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/game_random.h"
#include "support/board_text.h"
#include "world/grid_fixture.h"
#include "world_fixture.h"

namespace test {
namespace {

using CascadeSweep = GridTest;

// The sweep pays each car once: a cell taken by one triple neither starts
// nor completes another, so runs that cross or touch give disjoint triples,
// and what is left of a longer run stays on the grid. Every triple found is
// paid while it still takes cars off.
TEST_F(CascadeSweep, EachCarBelongsToOneTripleAtMost)
{
    struct Case {
        const char* name;
        const char* board;
        std::vector<std::string> combos;
        const char* after; // the board once the combos are applied
    };
    const Case cases[] = {
        { "four in a row: one triple, the fourth car stays", "2 2 2 2", { "k=2 0,0 0,1 0,2" }, ". . . 2" },
        { "four in a column", "2\n2\n2\n2", { "k=2 0,0 1,0 2,0" }, ".\n.\n.\n2" },
        { "an L opening at the top left: both arms, the corner shared", "3 3 3\n3 . .\n3 . .",
            { "k=3 0,0 1,0 2,0", "k=3 0,0 0,1 0,2" }, ". . .\n. . .\n. . ." },
        { "an L closing at the bottom right: the column takes the corner", ". . 3\n. . 3\n3 3 3",
            { "k=3 0,2 1,2 2,2" }, ". . .\n. . .\n3 3 ." },
        { "a T: the bar takes the top of the stem", "4 4 4\n. 4 .\n. 4 .", { "k=4 0,0 0,1 0,2" },
            ". . .\n. 4 .\n. 4 ." },
        { "a T with a long stem: the rest of the stem is a triple of its own", "4 4 4\n. 4 .\n. 4 .\n. 4 .",
            { "k=4 0,0 0,1 0,2", "k=4 1,1 2,1 3,1" }, ". . .\n. . .\n. . .\n. . ." },
        { "a cross: the column takes the middle", ". 5 .\n5 5 5\n. 5 .", { "k=5 0,1 1,1 2,1" },
            ". . .\n5 . 5\n. . ." },
        { "a block of nine: two arms from the corner, a square of four stays", "1 1 1\n1 1 1\n1 1 1",
            { "k=1 0,0 1,0 2,0", "k=1 0,0 0,1 0,2" }, ". . .\n. 1 1\n. 1 1" },
        { "three columns side by side", "1 2 3\n1 2 3\n1 2 3",
            { "k=1 0,0 1,0 2,0", "k=2 0,1 1,1 2,1", "k=3 0,2 1,2 2,2" }, ". . .\n. . .\n. . ." },
        { "a row ending on a column found before it", ". . . 2\n. . . 2\n1 1 1 2",
            { "k=2 0,3 1,3 2,3", "k=1 2,0 2,1 2,2" }, ". . . .\n. . . .\n. . . ." },
        { "two rows, one under the other", "1 1 1\n2 2 2", { "k=1 0,0 0,1 0,2", "k=2 1,0 1,1 1,2" },
            ". . .\n. . ." },
        { "a joker does not join cars", "1 90 1\n1 . .\n1 . .", { "k=1 0,0 1,0 2,0" }, ". 90 1\n. . .\n. . ." },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        world.ResetToDefaults();
        world.bonusByClass = 1;
        world.points = 40;
        test::LoadBoard(world, c.board);
        TakeCallbacks();
        EXPECT_EQ(world.RebuildFundamentCombos(), 0);
        EXPECT_EQ(Combos(), c.combos);

        world.ApplyFundamentCombosKeepJoker();
        const std::string rows = test::Normalised(c.board);
        const int height = static_cast<int>(std::count(rows.begin(), rows.end(), '\n'));
        const int width = static_cast<int>(std::count(rows.begin(), rows.begin() + rows.find('\n'), ' ')) + 1;
        EXPECT_EQ(test::BoardText(world, height, width), test::Normalised(c.after));
        // Each combo pays the level's points once.
        int paid = 0;
        int points = 0;
        for (const cComboLogEntry& e : world.comboLog) {
            paid += e.times;
            points += e.points;
        }
        EXPECT_EQ(paid, static_cast<int>(c.combos.size()));
        EXPECT_EQ(points, 40 * static_cast<int>(c.combos.size()));
        EXPECT_EQ(TakeCallbacks(), std::vector<std::string>(c.combos.size(), "on_bonus"));
    }
    EXPECT_TRUE(TakeErrors().empty());
}

struct FillCase {
    const char* name;
    const char* board;
    int types; // car types 1.. of classes of their own
    // The draws the supply must take, and the car each cell in list order
    // receives.
    int draws;
    std::vector<int> cars;
};

class Supply : public GridTest {
protected:
    // Runs the supply from the generator's first value on the board and
    // checks which car each free cell received and how many draws it took.
    void Check(const FillCase& c)
    {
        SCOPED_TRACE(c.name);
        world.ResetToDefaults();
        world.bonusByClass = 1;
        for (int t = 1; t <= c.types; ++t)
            AddCarType(t, t, t);
        test::LoadBoard(world, c.board);
        platform::GameSrand(1);
        {
            const Watchdog guard(c.name);
            ASSERT_TRUE(world.SupplyFreeFundaments());
        }
        std::vector<int> cars;
        for (const cTransfer& t : world.transfers)
            cars.push_back(t.autoType);
        EXPECT_EQ(cars, c.cars);
        RandModel model;
        for (int i = 0; i < c.draws; ++i)
            model();
        EXPECT_EQ(platform::GameRand(), model()) << "not " << c.draws << " draws";
    }
    // The car types of the first n draws among `types` car types.
    static std::vector<int> Draws(int n, int types)
    {
        RandModel model;
        std::vector<int> cars;
        for (int i = 0; i < n; ++i)
            cars.push_back(1 + model() % types);
        return cars;
    }
};

// Once any car stands on the grid, each free cell takes the next car the
// stack draws, a line or not: the line is the player's luck.
TEST_F(Supply, ARefillTakesOneDrawPerCellWhateverLineItMakes)
{
    const FillCase cases[] = {
        { "one car type: the refill closes the line", "1 1 . .", 1, 2, { 1, 1 } },
        { "seven cells beside a column of ones", "1 . .\n1 . .\n. . .", 1, 7, std::vector<int>(7, 1) },
        { "two types", "2 . . .\n. . . .", 2, 7, Draws(7, 2) },
    };
    for (const FillCase& c : cases)
        Check(c);
}

// On the first fill of an empty grid a car that would stand in a line of
// three is drawn again; after twenty draws the cell keeps the last one, so a
// level with too few car types still gets its whole grid.
TEST_F(Supply, TheFirstFillDrawsAgainForALineUpToTwentyTimes)
{
    // With one type, the third cell of a row and each cell after it cannot
    // escape the line.
    const FillCase cases[] = {
        { "one type, a row of three", ". . .", 1, 1 + 1 + 20, { 1, 1, 1 } },
        { "one type, a row of four", ". . . .", 1, 1 + 1 + 20 + 20, { 1, 1, 1, 1 } },
        { "one type, a column of three", ".\n.\n.", 1, 22, { 1, 1, 1 } },
        { "one type, a gap in the row", ". # . .", 1, 3, { 1, 1, 1 } },
    };
    for (const FillCase& c : cases)
        Check(c);

    // Two types along a row: a cell after a pair of one type takes the first
    // draw of the other.
    const std::vector<int> draws = Draws(40, 2);
    std::vector<int> cars;
    std::size_t next = 0;
    while (cars.size() < 8) {
        int car = draws[next++];
        const std::size_t n = cars.size();
        while (n >= 2 && cars[n - 1] == cars[n - 2] && car == cars[n - 1])
            car = draws[next++];
        cars.push_back(car);
    }
    ASSERT_GT(next, cars.size()) << "the sequence gives no pair to break";
    Check({ "two types, a row of eight", ". . . . . . . .", 2, static_cast<int>(next), cars });
}

} // namespace
} // namespace test
