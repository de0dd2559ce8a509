// Draws one image with cairo, by its name and kind (paint_*.cpp), and hands
// it over as an SDL surface for the page packer. No image carries its name.
#pragma once

#include <string>

#include <SDL.h>

#include "tables.h"

namespace artgen {

// The font family labels and digits are written in.
void SetFontFamily(const std::string& family);

// An ARGB8888 surface of the entry's size; null when memory runs out.
SDL_Surface* DrawImage(const ImageEntry& entry);

} // namespace artgen
