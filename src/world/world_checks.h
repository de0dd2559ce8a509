// Checks of the values scripts and files hand to the world's record
// operations, and the small searches those operations share. A value that
// fails a check is refused with one log line naming the operation.
#pragma once

#include <cstddef>

#include "world/world_sizes.h"

namespace world {

constexpr int kRoads = 5;               // road ids 0..4, the size of autobahnCarCount
constexpr int kColours = 20;            // colour numbers 0..19 of the places
constexpr int kCandidates = 100;        // the random choices draw from at most this many types
constexpr int kMaxCountPerCall = 10000; // cars, jokers, drops or flakes one call may add
constexpr int kMaxDrawRounds = 10000;   // rounds of the road-car draw before it gives up

inline bool IsGridCell(int row, int column)
{
    return row >= 0 && row < kGridSize && column >= 0 && column < kGridSize;
}

inline bool IsIndex(int index, std::size_t size)
{
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

// Each logs "<who> -> ..." and answers false for a bad value.
bool CheckCell(const wchar_t* who, int row, int column);
bool CheckIndex(const wchar_t* who, const wchar_t* what, int index, std::size_t size);
bool CheckCount(const wchar_t* who, int count);

// Index of the first element that satisfies the test, -1 when none.
template <typename List, typename Test>
int FindFirst(const List& list, Test test)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (test(list[i]))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace world
