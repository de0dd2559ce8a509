// The game's random generator: the 15-bit linear congruential sequence the
// levels were tuned against, so a level replays identically. Lua's math.random
// draws from the same generator.
#pragma once

#include <cstdint>

namespace platform {

constexpr int kGameRandMax = 32767;

// Next value in 0..32767.
int GameRand();
// Restarts the sequence; the program never seeds it itself (seed 1).
void GameSrand(uint32_t seed);

} // namespace platform
