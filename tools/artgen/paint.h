// What the painters share: colours, the five colour groups of customer cars
// and their places, a few paths, and text in the game's font. Every image is
// painted with cairo onto a transparent surface of its size, lit from the top
// left.
#pragma once

#include <string>

#include <cairo.h>

#include "tables.h"

namespace artgen {

struct Rgb {
    double r = 0, g = 0, b = 0, a = 1;
};

Rgb Hex(unsigned rgb, double alpha = 1.0);
// towards white (amount > 0) or black (amount < 0), 0..1
Rgb Shade(Rgb c, double amount);
Rgb WithAlpha(Rgb c, double alpha);
void Source(cairo_t* cr, Rgb c);
// A linear gradient from `from` at (x0, y0) to `to` at (x1, y1) as the source.
void LinearGradient(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb from, Rgb to);
// A linear gradient from `top` at y0 to `bottom` at y1 as the source.
void VerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom);

// The colour groups of customer cars, places and markers: 0 red, 1 blue,
// 2 green, 3 yellow, 4 purple; -1 for none.
constexpr int kGroups = 5;
Rgb GroupHue(int group);
const char* GroupLetter(int group);
// The group a name speaks of ("auto_rot", "place_blue_over", "bonus_tank_green").
int NameGroup(const std::string& lowerName);
// The group's shape (circle, square, triangle, diamond, star) filled with its
// hue, outlined dark, with the letter inside when `letter` is set.
void GroupMark(cairo_t* cr, int group, double cx, double cy, double radius, bool letter);

void PathPolygon(cairo_t* cr, const double (*points)[2], int count);
void PathRoundRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void PathStar(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double turn);
void FillStroke(cairo_t* cr, Rgb fill, Rgb edge, double width);

// Text centred on (cx, cy) in the game's font, `size` pixels high, with a
// thin outline in `edge` when its alpha is not zero.
void Text(cairo_t* cr, const std::string& text, double cx, double cy, double size, Rgb colour, Rgb edge = {},
    bool bold = true);
// The largest size up to `size` at which the text fits `width`.
double FitText(cairo_t* cr, const std::string& text, double width, double size, bool bold = true);

std::string Lower(std::string text);
bool Has(const std::string& lowerName, const char* word);
// The digits before the extension, 0 when there are none ("star0012" -> 12).
int FrameNumber(const std::string& name);
bool IsHover(const std::string& lowerName);

// The painters by subject; each returns false when the image is not one of
// its subjects. The surface is transparent and w x h.
bool PaintStation(cairo_t* cr, const ImageEntry& e, const std::string& lower);
bool PaintVehicle(cairo_t* cr, const ImageEntry& e, const std::string& lower);
bool PaintInterface(cairo_t* cr, const ImageEntry& e, const std::string& lower);
bool PaintIcon(cairo_t* cr, const ImageEntry& e, const std::string& lower);
// The task counters' icons ("element2a", "element_manager", ...).
bool PaintCounterIcon(cairo_t* cr, const ImageEntry& e, const std::string& lower);
bool PaintScenery(cairo_t* cr, const ImageEntry& e, const std::string& lower);
bool PaintWeather(cairo_t* cr, const ImageEntry& e, const std::string& lower);

// A face of the station's skewed grid: its corners left, top, right, bottom
// and its centre.
struct Face {
    double p[4][2];
    double cx = 0, cy = 0;
};
// The face shrunk towards its centre.
Face Inset(const Face& f, double scale);
// A point on the face at (u, v), both 0..1 from the left corner along its
// top-left and bottom-left edges.
void At(const Face& f, double u, double v, double& x, double& y);
// A slab: the top face and, below its two lower edges, its sides.
void Slab(cairo_t* cr, const Face& f, Rgb top, double depth);
// A building the shop sells ("lot_wash.png", "lot_washm.png" extended),
// standing on the lot face `f` of a 150 x 215 image; false when the name is
// none of them.
bool PaintLotBuilding(cairo_t* cr, const Face& f, const std::string& lowerName);

// Things standing on the ground, shared by several painters.
void PaintTree(cairo_t* cr, double cx, double baseY, double height, Rgb leaves, bool snow);
void PaintBush(cairo_t* cr, double cx, double baseY, double width, Rgb leaves);
void PaintCactus(cairo_t* cr, double cx, double baseY, double height);
void PaintRock(cairo_t* cr, double cx, double cy, double width, Rgb colour);
void PaintSpeaker(cairo_t* cr, double cx, double cy, double size, bool muted);

} // namespace artgen
