// The footprint a car stands on in its 140 x 110 design image, corner by
// corner: cars along the road's long slant (directions 1 and 9) and across it
// (3 and 7). The body, cabin and wheels are painted on it, and the game
// takes a press on a car inside it.
#pragma once

namespace artgen {

inline constexpr double kCarFootprintAlong[4][2] = { { 18, 60 }, { 106, 28 }, { 130, 69 }, { 38, 106 } };
inline constexpr double kCarFootprintAcross[4][2] = { { 70, 20 }, { 120, 85 }, { 75, 105 }, { 25, 40 } };

} // namespace artgen
