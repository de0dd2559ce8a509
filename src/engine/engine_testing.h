// For tests only: what the engine drew, read back from its off-screen target
// (the one it draws into without a window or under the dummy video driver).
#pragma once

#include <cstdint>

namespace engine {

// The ARGB colour of the pixel at (x, y) of what has been drawn so far;
// false outside the target or without a device.
bool ReadPixel(int x, int y, uint32_t* argb);

// How many text lines have been rasterised since the program started.
int TextRasterisations();

} // namespace engine
