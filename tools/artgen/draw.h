// Draws one placeholder image: a plain shape and colour by kind with the
// image's name written small on it. Nothing here resembles real art.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include "tables.h"

namespace artgen {

struct Fonts {
    TTF_Font* small = nullptr; // the names
    TTF_Font* tiny = nullptr; // names that do not fit in small
    TTF_Font* large = nullptr; // the figure of a digit image
};

// An ARGB8888 surface of the entry's size; null when SDL runs out of memory.
SDL_Surface* DrawImage(const ImageEntry& entry, const Fonts& fonts);

} // namespace artgen
