// The shapes of the placeholder images: a plain shape and colour by kind, the
// "_over" variants lighter and framed in yellow. Nothing here resembles real art.
#pragma once

#include <cstdint>
#include <string>

#include <SDL.h>

#include "tables.h"

namespace artgen {

struct Colour {
    uint8_t r, g, b, a = 255;
};

Colour Lighter(Colour c, int percent);

// Fills the transparent ARGB8888 image with the kind's shape.
void DrawShape(SDL_Surface* image, Kind kind, const std::string& name);

// The weather and effect kinds, by the image's name (weather_shapes.cpp).
void DrawWeatherOrEffect(SDL_Surface* image, Kind kind, const std::string& name);

} // namespace artgen
