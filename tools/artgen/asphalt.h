// Where the backgrounds lay asphalt, on the 1280 x 1024 design: the road
// across the top of the level backgrounds and the city's streets. Header
// only, so that whatever judges a drawn frame finds the road where it is
// painted.
#pragma once

#include <array>
#include <cmath>
#include <vector>

namespace artgen {

// The road's middle line, from past the right edge to past the left (the
// line the station levels' traffic declares); its edges lie half its breadth
// above and below it. The wide road is the one of the American region.
constexpr double kRoadLine[4] = { 1400, 40, -200, 200 };
constexpr double kRoadHalf = 55, kWideRoadHalf = 75;

// The city's streets, along the lanes the station-building level's cars
// drive (their images' middles, 50 and 40 pixels into them), and their breadth.
constexpr double kStreets[6][4] = { { -100, 1100, 1450, 465 }, { 1450, 510, -100, 1145 }, { 920, 225, 1200, 567 },
    { 1200, 567, 1450, 465 }, { 1450, 220, 1050, 384 }, { 1050, 384, 1200, 567 } };
constexpr double kStreetBreadth = 70;

// Each stretch of asphalt on an image w x h as its four corners, x and y in
// turn: the road of a level background, or the city's streets (their round
// ends left out).
using Quad = std::array<double, 8>;
inline std::vector<Quad> AsphaltOf(bool city, bool wideRoad, double w, double h)
{
    const double sx = w / 1280.0, sy = h / 1024.0;
    std::vector<Quad> quads;
    if (!city) {
        const double half = (wideRoad ? kWideRoadHalf : kRoadHalf) * sy;
        const double x0 = kRoadLine[0] * sx, y0 = kRoadLine[1] * sy, x1 = kRoadLine[2] * sx, y1 = kRoadLine[3] * sy;
        quads.push_back({ x0, y0 - half, x1, y1 - half, x1, y1 + half, x0, y0 + half });
        return quads;
    }
    for (const auto& s : kStreets) {
        const double x0 = s[0] * sx, y0 = s[1] * sy, x1 = s[2] * sx, y1 = s[3] * sy;
        const double length = std::hypot(x1 - x0, y1 - y0), half = kStreetBreadth * sy / 2;
        const double nx = -(y1 - y0) / length * half, ny = (x1 - x0) / length * half;
        quads.push_back({ x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny });
    }
    return quads;
}

} // namespace artgen
