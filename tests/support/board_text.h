// Boards of the grid as text, for the tests: one line per row, one token per
// cell separated by blanks: a car type id, '.' a free fundament, '#' no
// fundament. Row 0 is the first line.
//
//   LoadBoard(world, R"(
//       # # # #
//       1 . 2 #
//       1 1 2 90 )");
#pragma once

#include <string>
#include <string_view>

class cGameWorld;

namespace test {

// Appends one fundament per cell that is not '#' (its car opaque); rows and
// columns count from the first line and token. Blank lines are skipped.
void LoadBoard(cGameWorld& world, std::string_view text);
// The first `rows` x `columns` cells of the fundaments in the same format,
// one line per row, each line ending in '\n'.
std::string BoardText(const cGameWorld& world, int rows, int columns);
// The same format with its blanks and blank lines normalised, so a test can
// write expected boards as it likes.
std::string Normalised(std::string_view text);

} // namespace test
