// Shapes standing on a shop lot, for the painters of the lots' buildings. A
// spot on the lot is (u, v), both 0..1 from the lot face's left corner along
// its top-left and bottom-left edges, raised z pixels; the viewer looks at
// the face's bottom corner (u 0, v 1), so the walls at a box's smallest u
// (lit) and largest v (in shade) face them, and farther things (large u,
// small v) are drawn first.
#pragma once

#include <string>

#include "paint.h"

namespace artgen::lot {

struct Pt {
    double x = 0, y = 0;
};

struct Lot {
    Face f;
    bool extended = false;
    // The point at (u, v) and height z, bilinear between the face's corners.
    Pt P(double u, double v, double z = 0) const;
};

constexpr unsigned kEdge = 0x3A342C;

void MoveTo(cairo_t* cr, const Lot& l, double u, double v, double z);
void LineTo(cairo_t* cr, const Lot& l, double u, double v, double z);
// A flat quad at height z from (u0, v0) to (u1, v1), filled and edged.
void Patch(cairo_t* cr, const Lot& l, double u0, double v0, double u1, double v1, double z, Rgb fill);
// The lot's ground: a slab under the whole face.
void Ground(cairo_t* cr, const Lot& l, Rgb top);
// The shadow of a thing `height` tall on (u0, v0)..(u1, v1), falling to the
// bottom right and kept on the lot.
void Shadow(cairo_t* cr, const Lot& l, double u0, double v0, double u1, double v1, double height);
// A box from (u0, v0) to (u1, v1), from height z0 to z1.
void Box(
    cairo_t* cr, const Lot& l, double u0, double v0, double u1, double v1, double z0, double z1, Rgb wall, Rgb top);
// A quad on the lit wall of a box (at u), from v0 to v1 and z0 to z1.
void LeftPanel(cairo_t* cr, const Lot& l, double u, double v0, double v1, double z0, double z1, Rgb fill);
// A quad on the shaded wall of a box (at v), from u0 to u1 and z0 to z1.
void RightPanel(cairo_t* cr, const Lot& l, double v, double u0, double u1, double z0, double z1, Rgb fill);
// Windows in a grid on the lit (left) or shaded (right) wall of a box.
void Windows(cairo_t* cr, const Lot& l, bool left, double at, double from, double to, double z0, double z1, int columns,
    int rows, Rgb glass);
// A standing cylinder (tank, silo) `radius` pixels wide around (u, v).
void Cylinder(cairo_t* cr, const Lot& l, double u, double v, double radius, double z0, double z1, Rgb colour);
// A pole from z0 to z1 at (u, v).
void Pole(cairo_t* cr, const Lot& l, double u, double v, double z0, double z1, double width, Rgb colour);
// A line between two raised spots.
void Line(cairo_t* cr, const Lot& l, double u0, double v0, double z0, double u1, double v1, double z1, double width,
    Rgb colour);
// A parked car at (u, v), its length along u or along v.
void Car(cairo_t* cr, const Lot& l, double u, double v, bool alongU, Rgb body);
// A small pump on an island's top at height z.
void Pump(cairo_t* cr, const Lot& l, double u, double v, double z, double height, Rgb body, Rgb band);

// One painter per kind of building (lot_shapes.cpp names them by kind).
// Halls (paint_lot_halls.cpp):
void Wash(cairo_t* cr, const Lot& l);
void Shop(cairo_t* cr, const Lot& l);
void Workshop(cairo_t* cr, const Lot& l);
void Office(cairo_t* cr, const Lot& l);
void Diner(cairo_t* cr, const Lot& l);
void Training(cairo_t* cr, const Lot& l);
void Depot(cairo_t* cr, const Lot& l);
// Yards (paint_lot_yards.cpp):
void Floodlight(cairo_t* cr, const Lot& l);
void Tower(cairo_t* cr, const Lot& l);
void Crane(cairo_t* cr, const Lot& l);
void Concrete(cairo_t* cr, const Lot& l);
void Weather(cairo_t* cr, const Lot& l);
void Playground(cairo_t* cr, const Lot& l);
// Places for cars (paint_lot_places.cpp):
void Diesel(cairo_t* cr, const Lot& l);
void Canopy(cairo_t* cr, const Lot& l);
void Carpark(cairo_t* cr, const Lot& l);
void Carpark2(cairo_t* cr, const Lot& l);

} // namespace artgen::lot
