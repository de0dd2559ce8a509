// Which places the scripts' counts and searches take: station places are the
// types up to 99 (decorations from 100 on), work places 6..10 serve the
// colours 0..4, a state of 2 or more is out of order, type 0 is a free
// place, and a search answers the first match in list order.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scripting/script_fixture.h"
#include "world/game_world.h"

namespace {

using StoryPlaceCounts = test::ScriptTest;

struct P {
    int type, colour, state, row, column;
};

struct Case {
    const char* what;
    std::vector<P> places;
    const char* holds; // a Lua condition over Story's answers
    bool fundaments = false; // on (5, 5), (5, 6), (5, 7)
};

// clang-format off
const Case kCases[] = {
    { "no places", {},
        "Story:CounterNotBadStation() == 0 and Story:GetPlaceForRepaire() == -1 and Story:GetFreePlace() == 0 "
        "and Story:ExistWorkPlace(6) == 0 and Story:GetPlaceCounter(0) == 0 and Story:GetColorPlace(0, 0) == -1" },
    { "the last station type and the first decoration",
        { { 99, 0, 0, 1, 1 }, { 100, 0, 0, 1, 2 }, { 100, 0, 3, 1, 3 } },
        "Story:CounterNotBadStation() == 1 and Story:GetPlaceForRepaire() == -1" },
    // Only a state of exactly 2 drops a place from the counts; any state from
    // 2 on asks for repair.
    { "out of order from state 2 on",
        { { 6, 0, 1, 0, 0 }, { 6, 0, 3, 0, 1 }, { 6, 0, 2, 0, 2 }, { 99, 0, 2, 0, 3 } },
        "Story:CounterNotBadStation() == 2 and Story:GetPlaceForRepaire() == 1 and Story:ExistWorkPlace(6) == 2" },
    { "each work type counts its own colour",
        { { 6, 0, 0, 2, 0 }, { 7, 1, 0, 2, 1 }, { 8, 2, 0, 2, 2 }, { 9, 3, 0, 2, 3 }, { 10, 4, 0, 2, 4 },
          { 10, 4, 0, 2, 5 }, { 5, 0, 0, 2, 6 }, { 11, 1, 0, 2, 7 }, { 7, 4, 0, 2, 8 } },
        "Story:ExistWorkPlace(6) == 1 and Story:ExistWorkPlace(7) == 1 and Story:ExistWorkPlace(8) == 1 "
        "and Story:ExistWorkPlace(9) == 1 and Story:ExistWorkPlace(10) == 3 and Story:ExistWorkPlace(5) == 0 "
        "and Story:ExistWorkPlace(11) == 0 and Story:CounterNotBadStation() == 9" },
    { "free places and places of a type",
        { { 0, 0, 0, 3, 0 }, { 0, 0, 2, 3, 1 }, { 8, 0, 0, 3, 2 }, { 8, 0, 2, 3, 3 } },
        "Story:GetFreePlace() == 2 and Story:GetPlaceCounter(8) == 2 and Story:GetPlaceCounter(9) == 0" },
    { "the first in list order", { { 8, 0, 0, 4, 4 }, { 7, 0, 2, 4, 5 }, { 7, 0, 0, 4, 6 }, { 7, 0, 5, 4, 7 } },
        "Story:GetPlaceForRepaire() == 1 and Story:GetPlaceProperty(7) == 2 and Story:GetPlace() == 1 "
        "and Story:GetPlaceProperty(8) == 0 and Story:GetPlace() == 0 and Story:GetPlaceProperty(9) == -1 "
        "and Story:GetPlace() == 0" },
    { "a colour only for a place in order", { { 6, 3, 0, 5, 5 }, { 6, 2, 1, 5, 6 }, { 7, 4, 0, 5, 6 } },
        "Story:GetColorPlace(5, 5) == 3 and Story:GetColorPlace(5, 6) == 4 and Story:GetColorPlace(6, 5) == -1" },
    // The fundaments lie at (5, 5), (5, 6) and (5, 7): the place at the
    // second one's list position is marked -1, so that cell has no colour.
    { "no colour where the fundament's place is marked", { { 6, 3, 0, 5, 5 }, { 100, 0, -1, 1, 1 }, { 7, 4, 0, 5, 6 },
        { 8, 2, 0, 5, 7 } },
        "Story:GetColorPlace(5, 5) == 3 and Story:GetColorPlace(5, 6) == -1 and Story:GetColorPlace(5, 7) == 2", true },
};
// clang-format on

TEST_F(StoryPlaceCounts, EachCountTakesItsPlaces)
{
    cGameWorld& world = cGameWorld::Instance();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        world.ResetToDefaults();
        for (const P& p : c.places) {
            cPlace& place = world.places.emplace_back();
            place.type = p.type, place.colour = p.colour, place.state = p.state;
            place.row = p.row, place.column = p.column;
        }
        for (int column = 5; c.fundaments && column <= 7; ++column) {
            cFundament& f = world.fundaments.emplace_back();
            f.row = 5, f.column = column;
        }
        EXPECT_TRUE(Holds(c.holds));
    }
}

} // namespace
