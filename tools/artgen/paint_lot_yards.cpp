// The shop's buildings that stand in the open: the floodlight mast, the
// advertising tower, the crane yard, the concrete plant, the weather station
// and the playground. The extended form is the same thing, taller or with
// more of it.
#include <cmath>
#include <utility>

#include "lot_shapes.h"

namespace artgen::lot {

// Floodlight mast: a tapering mast on a footing with a bank of lamps at
// its head, throwing a pool of light on the lot.
void Floodlight(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0x8C8E90));
    const double u = 0.5, v = 0.42, h = m ? 142 : 112;
    const Pt pool = l.P(0.5, 0.74);
    cairo_pattern_t* glow = cairo_pattern_create_radial(pool.x, pool.y, 4, pool.x, pool.y, 50);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.96, 0.7, 0.7);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.96, 0.7, 0);
    cairo_save(cr);
    cairo_translate(cr, pool.x, pool.y);
    cairo_scale(cr, 1, 0.5);
    cairo_translate(cr, -pool.x, -pool.y);
    cairo_set_source(cr, glow);
    cairo_arc(cr, pool.x, pool.y, 50, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_pattern_destroy(glow);
    const double a = m ? 0.24 : 0.3, b = m ? 0.76 : 0.7, head = m ? 26 : 20;
    // the beams from the lamps down to the pool
    MoveTo(cr, l, a, v + 0.04, h - head);
    LineTo(cr, l, b, v + 0.04, h - head);
    LineTo(cr, l, 0.8, 0.92, 0);
    LineTo(cr, l, 0.2, 0.92, 0);
    cairo_close_path(cr);
    Source(cr, Hex(0xFFF4C0, 0.16));
    cairo_fill(cr);
    Shadow(cr, l, u - 0.04, v - 0.04, u + 0.04, v + 0.04, h * 0.6);
    Box(cr, l, u - 0.08, v - 0.08, u + 0.08, v + 0.08, 0, 7, Hex(0xB8B4AA), Hex(0xC8C4BA));
    const Pt lo = l.P(u, v, 7), hi = l.P(u, v, h - head / 2);
    cairo_move_to(cr, lo.x - 5, lo.y);
    cairo_line_to(cr, lo.x + 5, lo.y);
    cairo_line_to(cr, hi.x + 2, hi.y);
    cairo_line_to(cr, hi.x - 2, hi.y);
    cairo_close_path(cr);
    LinearGradient(cr, lo.x - 5, 0, lo.x + 5, 0, Hex(0xC4C8CC), Hex(0x6A6E72));
    cairo_fill(cr);
    Source(cr, Hex(0x4A4E52));
    cairo_set_line_width(cr, 0.8);
    for (double y = lo.y - 10; y > hi.y + 4; y -= 5) {
        cairo_move_to(cr, lo.x - 6, y);
        cairo_line_to(cr, lo.x - 3, y);
    }
    cairo_stroke(cr);
    // the lamp bank: a dark frame facing the lot, rows of bright lamps
    const int columns = m ? 4 : 3, rows = m ? 3 : 2;
    RightPanel(cr, l, v + 0.04, a, b, h - head, h, Hex(0x3E4246));
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const Pt p = l.P(a + (b - a) * (c + 0.5) / columns, v + 0.04, h - head + head * (r + 0.5) / rows);
            cairo_pattern_t* lamp = cairo_pattern_create_radial(p.x - 1, p.y - 1, 0.5, p.x, p.y, 5);
            cairo_pattern_add_color_stop_rgb(lamp, 0, 1, 1, 1);
            cairo_pattern_add_color_stop_rgb(lamp, 0.6, 1, 0.95, 0.66);
            cairo_pattern_add_color_stop_rgb(lamp, 1, 0.85, 0.7, 0.3);
            cairo_set_source(cr, lamp);
            cairo_arc(cr, p.x, p.y, 4.2, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pattern_destroy(lamp);
        }
    }
}

// Advertising tower: a tall board on two legs with a poster on it: a sun
// over a landscape and a drop of fuel.
void Tower(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0xA9A59C));
    Patch(cr, l, 0.3, 0.38, 0.7, 0.62, 0, Hex(0x6A9A4A));
    const double legs = m ? 70 : 50, board = m ? 64 : 52, a = m ? 0.22 : 0.27, b = m ? 0.78 : 0.73;
    const double v0 = 0.46, v1 = 0.54;
    Shadow(cr, l, a, v0, b, v1, legs + board);
    for (const double u : { 0.38, 0.58 })
        Box(cr, l, u, 0.47, u + 0.05, 0.53, 0, legs, Hex(0x8A9096), Hex(0x9AA0A6));
    Box(cr, l, a, v0, b, v1, legs, legs + board, Hex(0xF2F0EA), Hex(0xDAD8D2));
    // the poster: sky, a sun, green hills, a big drop
    const double z0 = legs + 3, z1 = legs + board - 3, ua = a + 0.02, ub = b - 0.02;
    RightPanel(cr, l, v1, ua, ub, z0, z1, Hex(0x7EB6D0));
    const Pt sun = l.P(ua + (ub - ua) * 0.72, v1, z0 + (z1 - z0) * 0.68);
    cairo_arc(cr, sun.x, sun.y, board * 0.14, 0, 2 * M_PI);
    Source(cr, Hex(0xF6E2A0));
    cairo_fill(cr);
    MoveTo(cr, l, ua, v1, z0);
    for (int k = 0; k <= 8; ++k)
        LineTo(cr, l, ua + (ub - ua) * k / 8, v1, z0 + (z1 - z0) * (0.3 + 0.12 * std::sin(k * 1.3)));
    LineTo(cr, l, ub, v1, z0);
    cairo_close_path(cr);
    Source(cr, Hex(0x5E9A50));
    cairo_fill(cr);
    const Pt d = l.P(ua + (ub - ua) * 0.3, v1, z0 + (z1 - z0) * 0.5);
    const double s = board / 52.0;
    cairo_move_to(cr, d.x, d.y - 15 * s);
    cairo_curve_to(cr, d.x + 11 * s, d.y, d.x + 10 * s, d.y + 11 * s, d.x, d.y + 11 * s);
    cairo_curve_to(cr, d.x - 10 * s, d.y + 11 * s, d.x - 11 * s, d.y, d.x, d.y - 15 * s);
    FillStroke(cr, Hex(0x2F6A88), Hex(0xFFFFFF), 2);
    LeftPanel(cr, l, a, v0, v1, legs, legs + board, Hex(0x3E7A92));
    if (m) {
        for (const double u : { a + 0.08, b - 0.08 }) {
            Line(cr, l, u, v1, legs + board, u, v1 + 0.06, legs + board + 6, 2, Hex(0x4A4E52));
            const Pt p = l.P(u, v1 + 0.06, legs + board + 6);
            cairo_arc(cr, p.x, p.y, 3, 0, 2 * M_PI);
            Source(cr, Hex(0xFFF4C0));
            cairo_fill(cr);
        }
    }
}

// A lattice girder from one raised spot to another: two chords and a zigzag.
static void Girder(cairo_t* cr, const Lot& l, double u0, double u1, double v, double z, double depth, Rgb colour)
{
    Line(cr, l, u0, v, z, u1, v, z, 1.6, colour);
    Line(cr, l, u0, v, z + depth, u1, v, z + depth, 1.6, colour);
    const int bays = static_cast<int>(std::abs(u1 - u0) / 0.04) + 1;
    MoveTo(cr, l, u0, v, z);
    for (int k = 1; k <= bays; ++k)
        LineTo(cr, l, u0 + (u1 - u0) * k / bays, v, k % 2 ? z + depth : z);
    Source(cr, colour);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// Crane yard: a tower crane with its jib over the yard, a counterweight,
// a load on its hook, and stacks of girders and crates on the ground.
void Crane(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0xB4A88C));
    const Rgb steel = Hex(0xD8923A), dark = Shade(steel, -0.35);
    const double h = m ? 116 : 96, mu = 0.2, mv = 0.4, w = 0.035;
    Shadow(cr, l, mu - w, mv - w, mu + w, mv + w, h * 0.5);
    Box(cr, l, mu - 0.07, mv - 0.07, mu + 0.07, mv + 0.07, 0, 5, Hex(0xB0ACA4), Hex(0xC0BCB4));
    // the mast: four legs and the cross-bracing of its two front faces
    for (const auto& [du, dv] : { std::pair { 1, -1 }, std::pair { -1, -1 }, std::pair { 1, 1 }, std::pair { -1, 1 } })
        Line(cr, l, mu + du * w, mv + dv * w, 5, mu + du * w, mv + dv * w, h, 1.8, du < 0 ? steel : dark);
    for (double z = 5; z < h - 8; z += 9) {
        Line(cr, l, mu - w, mv - w, z, mu - w, mv + w, z + 9, 0.9, steel);
        Line(cr, l, mu - w, mv + w, z, mu + w, mv + w, z + 9, 0.9, dark);
    }
    // the jib, the counter-jib and its weight, the cab and the top
    const double reach = m ? 0.98 : 0.92;
    Girder(cr, l, mu, reach, mv, h, 7, steel);
    Girder(cr, l, mu, 0.02, mv, h, 5, steel);
    Box(cr, l, 0.03, mv - 0.03, 0.1, mv + 0.03, h - 10, h, Hex(0x9A9A96), Hex(0xB0B0AC));
    Line(cr, l, mu, mv, h, mu, mv, h + 18, 2, dark);
    Line(cr, l, mu, mv, h + 18, reach - 0.05, mv, h + 7, 0.8, dark);
    Line(cr, l, mu, mv, h + 18, 0.04, mv, h + 5, 0.8, dark);
    Box(cr, l, mu + 0.04, mv - 0.01, mu + 0.1, mv + 0.06, h - 12, h - 1, Hex(0xE8E4DA), Hex(0xD8923A));
    // the trolley, the cable, the hook and a bundle of girders on it
    const double tu = m ? 0.8 : 0.74, hook = m ? 44 : 40;
    Box(cr, l, tu - 0.02, mv - 0.02, tu + 0.02, mv + 0.02, h - 3, h, dark, dark);
    Line(cr, l, tu, mv, h - 3, tu, mv, hook + 10, 0.9, Hex(0x2A2A2A));
    Box(cr, l, tu - 0.12, mv - 0.02, tu + 0.1, mv + 0.03, hook, hook + 5, Hex(0x8A6A4A), Hex(0xA08060));
    Line(cr, l, tu - 0.1, mv, hook + 5, tu, mv, hook + 10, 0.8, Hex(0x2A2A2A));
    Line(cr, l, tu + 0.08, mv, hook + 5, tu, mv, hook + 10, 0.8, Hex(0x2A2A2A));
    // the yard: girders and crates
    if (m)
        Box(cr, l, 0.78, 0.5, 0.92, 0.66, 0, 12, Hex(0xB08A5A), Hex(0xC8A070));
    Box(cr, l, 0.6, 0.66, 0.76, 0.86, 0, 15, Hex(0xB08A5A), Hex(0xC8A070));
    for (int k = 0; k < (m ? 4 : 3); ++k)
        Box(cr, l, 0.1, 0.74 - k * 0.015, 0.5, 0.82 - k * 0.015, k * 4, k * 4 + 4, Hex(0x8A6A4A), Hex(0xA08060));
}

// Concrete plant: a tall cement silo on legs, a conveyor carrying gravel
// up from a heap, and a mixer truck with its striped drum.
void Concrete(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0xA8A49A));
    const double legs = 30, top = m ? 110 : 90;
    const double silos[][2] = { { 0.64, 0.22 }, { 0.84, 0.42 } };
    for (int k = 0; k < (m ? 2 : 1); ++k) {
        const double u = silos[k][0], v = silos[k][1], r = 15;
        Shadow(cr, l, u - 0.08, v - 0.08, u + 0.08, v + 0.08, top);
        for (const double du : { -0.06, 0.06 })
            for (const double dv : { -0.06, 0.06 })
                Line(cr, l, u + du, v + dv, 0, u + du * 0.6, v + dv * 0.6, legs + 4, 1.6, Hex(0x6A6E72));
        const Pt c = l.P(u, v, legs + 10);
        cairo_move_to(cr, c.x - r, c.y);
        cairo_line_to(cr, c.x + r, c.y);
        cairo_line_to(cr, c.x + 3, c.y + 12);
        cairo_line_to(cr, c.x - 3, c.y + 12);
        cairo_close_path(cr);
        LinearGradient(cr, c.x - r, 0, c.x + r, 0, Hex(0xE0E0DC), Hex(0x8A8A86));
        cairo_fill(cr);
        Cylinder(cr, l, u, v, r, legs + 10, top, Hex(0xD8D8D4));
        Cylinder(cr, l, u, v, r, top - 12, top - 8, Hex(0x9A9A96));
    }
    // the mixing house under the silo
    Box(cr, l, 0.48, 0.3, 0.7, 0.5, 0, 22, Hex(0xC8C0B0), Hex(0x8A8A86));
    // the gravel heap
    const Pt g = l.P(0.2, 0.5);
    cairo_move_to(cr, g.x - 24, g.y + 4);
    cairo_curve_to(cr, g.x - 10, g.y - 20, g.x + 6, g.y - 22, g.x + 22, g.y + 4);
    cairo_close_path(cr);
    LinearGradient(cr, g.x - 20, g.y - 20, g.x + 20, g.y, Hex(0xD8C8A0), Hex(0x9A8A68));
    cairo_fill(cr);
    // the conveyor from the heap up to the top of the silo
    const double cu = silos[0][0], cv = silos[0][1];
    for (const double t : { 0.35, 0.7 }) {
        const double u = 0.26 + (cu - 0.26) * t, v = 0.46 + (cv - 0.46) * t;
        Line(cr, l, u, v, 0, u, v, 8 + (top - 8) * t, 1.5, Hex(0x6A6E72));
    }
    Line(cr, l, 0.26, 0.46, 8, cu - 0.04, cv + 0.02, top, 5, Hex(0x3A3C3E));
    Line(cr, l, 0.26, 0.46, 10, cu - 0.04, cv + 0.02, top + 2, 1.5, Hex(0x8A7A5A));
    // the mixer truck
    const double tu = 0.46, tv = 0.78;
    Box(cr, l, tu - 0.24, tv - 0.08, tu + 0.2, tv + 0.08, 3, 8, Hex(0x4A4E52), Hex(0x5A5E62));
    Source(cr, Hex(0x1E1E20));
    for (const double u : { tu - 0.18, tu + 0.02, tu + 0.14 }) {
        const Pt w = l.P(u, tv + 0.08, 3);
        cairo_arc(cr, w.x, w.y, 3.5, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    const Pt d0 = l.P(tu - 0.04, tv, 18), d1 = l.P(tu + 0.16, tv, 22);
    cairo_save(cr);
    cairo_translate(cr, (d0.x + d1.x) / 2, (d0.y + d1.y) / 2);
    cairo_rotate(cr, std::atan2(d1.y - d0.y, d1.x - d0.x));
    cairo_scale(cr, std::hypot(d1.x - d0.x, d1.y - d0.y) / 2 + 4, 10);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    LinearGradient(cr, 0, d0.y - 10, 0, d0.y + 10, Hex(0xEDEDE8), Hex(0x9A9A96));
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    Source(cr, Hex(0xC07840));
    cairo_set_line_width(cr, 3);
    for (int k = -2; k <= 2; ++k) {
        cairo_move_to(cr, (d0.x + d1.x) / 2 + k * 8 - 6, d0.y - 14);
        cairo_line_to(cr, (d0.x + d1.x) / 2 + k * 8 + 4, d0.y + 14);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    Box(cr, l, tu - 0.24, tv - 0.07, tu - 0.12, tv + 0.07, 8, 24, Hex(0xD8D4CC), Hex(0xE8E4DC));
    LeftPanel(cr, l, tu - 0.24, tv - 0.05, tv + 0.05, 14, 22, Hex(0x5A7890));
}

// Weather station: a mast with a cup anemometer and a wind vane, a white
// louvred instrument hut on legs and a rain gauge on the grass; the
// extended one adds a radar dome.
void Weather(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0x7AA456));
    Patch(cr, l, 0.14, 0.42, 0.44, 0.72, 0, Hex(0xB8B09C));
    const double mu = 0.66, mv = 0.26, h = m ? 112 : 96;
    if (m) {
        Shadow(cr, l, 0.56, 0.56, 0.84, 0.84, 40);
        Box(cr, l, 0.56, 0.56, 0.84, 0.84, 0, 20, Hex(0xE4E2DC), Hex(0xB0ACA4));
        const Pt c = l.P(0.7, 0.7, 20);
        cairo_arc(cr, c.x, c.y - 3, 17, M_PI, 2 * M_PI);
        cairo_save(cr);
        cairo_translate(cr, c.x, c.y - 3);
        cairo_scale(cr, 1, 0.4);
        cairo_arc(cr, 0, 0, 17, 0, M_PI);
        cairo_restore(cr);
        cairo_close_path(cr);
        cairo_pattern_t* dome = cairo_pattern_create_radial(c.x - 6, c.y - 14, 2, c.x, c.y - 6, 22);
        cairo_pattern_add_color_stop_rgb(dome, 0, 1, 1, 1);
        cairo_pattern_add_color_stop_rgb(dome, 1, 0.7, 0.72, 0.74);
        cairo_set_source(cr, dome);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(dome);
        Source(cr, Hex(kEdge));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    // the guy wires, the mast, a small solar panel
    for (const auto& [u, v] : { std::pair { 0.42, 0.1 }, std::pair { 0.95, 0.16 }, std::pair { 0.76, 0.56 } })
        Line(cr, l, u, v, 0, mu, mv, h * 0.7, 0.7, Hex(0x505458));
    Pole(cr, l, mu, mv, 0, h, 3, Hex(0xB0B4B8));
    const Pt sp = l.P(mu, mv, h * 0.45);
    cairo_move_to(cr, sp.x + 2, sp.y - 8);
    cairo_line_to(cr, sp.x + 16, sp.y - 4);
    cairo_line_to(cr, sp.x + 14, sp.y + 6);
    cairo_line_to(cr, sp.x + 2, sp.y + 2);
    cairo_close_path(cr);
    FillStroke(cr, Hex(0x2E4258), Hex(0x8A9AAA), 1);
    // the wind vane: an arrow with a tail fin
    const Pt vane = l.P(mu, mv, h - 14);
    cairo_move_to(cr, vane.x - 14, vane.y + 3);
    cairo_line_to(cr, vane.x + 12, vane.y - 3);
    Source(cr, Hex(0x2A2A2A));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_move_to(cr, vane.x - 18, vane.y + 4);
    cairo_line_to(cr, vane.x - 12, vane.y - 1);
    cairo_line_to(cr, vane.x - 12, vane.y + 7);
    cairo_close_path(cr);
    cairo_move_to(cr, vane.x + 16, vane.y - 4);
    cairo_line_to(cr, vane.x + 9, vane.y - 7);
    cairo_line_to(cr, vane.x + 10, vane.y + 1);
    cairo_close_path(cr);
    cairo_fill(cr);
    // the anemometer: three arms with cups, seen from the side
    const Pt hub = l.P(mu, mv, h + 4);
    Pole(cr, l, mu, mv, h, h + 4, 2, Hex(0x505458));
    for (int k = 0; k < 3; ++k) {
        const double a = k * 2 * M_PI / 3 + 0.4;
        const double x = hub.x + std::cos(a) * 12, y = hub.y + std::sin(a) * 4;
        cairo_move_to(cr, hub.x, hub.y);
        cairo_line_to(cr, x, y);
        Source(cr, Hex(0x3A3C3E));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_arc(cr, x, y, 3.2, 0, 2 * M_PI);
        Source(cr, Hex(0x2A2C2E));
        cairo_fill(cr);
    }
    // the instrument hut on its legs
    const double u0 = 0.2, u1 = 0.36, v0 = 0.48, v1 = 0.64;
    for (const double u : { u0 + 0.02, u1 - 0.02 })
        for (const double v : { v0 + 0.02, v1 - 0.02 })
            Line(cr, l, u, v, 0, u, v, 20, 1.6, Hex(0xE8E8E4));
    Box(cr, l, u0, v0, u1, v1, 20, 40, Hex(0xF4F4F0), Hex(0xFAFAF6));
    for (double z = 23; z < 39; z += 3) {
        Line(cr, l, u0, v0 + 0.01, z, u0, v1 - 0.01, z, 0.6, Hex(0x9A9A96));
        Line(cr, l, u0 + 0.01, v1, z, u1 - 0.01, v1, z, 0.6, Hex(0x8A8A86));
    }
    Cylinder(cr, l, 0.5, 0.84, 4, 0, 13, Hex(0xC8CCD0));
}

// Playground: a sandy yard with a swing frame, a slide up a little tower
// and a see-saw; the extended one has a roofed tower and a roundabout.
void Playground(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0x78A850));
    PathPolygon(cr, Inset(l.f, 0.82).p, 4);
    FillStroke(cr, Hex(0xE0CC90), Hex(0x9A7A50), 2.5);
    const Rgb wood = Hex(0x9A6A40);
    // the swing frame: two A-shaped ends and a beam, two swings
    const double sv = 0.26, top = m ? 46 : 40, s0 = 0.14, s1 = 0.54;
    for (const double u : { s1, s0 }) {
        Line(cr, l, u, sv - 0.12, 0, u, sv, top, 3, Shade(wood, -0.2));
        Line(cr, l, u, sv + 0.12, 0, u, sv, top, 3, wood);
    }
    Line(cr, l, s0, sv, top, s1, sv, top, 3.5, wood);
    for (const double u : { 0.26, 0.42 }) {
        const double swing = u > 0.3 ? 0.06 : 0;
        Line(cr, l, u - 0.025, sv, top, u - 0.025, sv + swing, 12 + swing * 60, 0.9, Hex(0x3A3A3A));
        Line(cr, l, u + 0.025, sv, top, u + 0.025, sv + swing, 12 + swing * 60, 0.9, Hex(0x3A3A3A));
        Line(cr, l, u - 0.035, sv + swing, 12 + swing * 60, u + 0.035, sv + swing, 12 + swing * 60, 3, Hex(0xC0503C));
    }
    // the slide: a platform on four posts, a ladder behind, a chute
    const double pu0 = 0.66, pu1 = 0.8, pv0 = 0.34, pv1 = 0.48, pz = m ? 34 : 26;
    for (const double u : { pu1, pu0 })
        for (const double v : { pv0, pv1 })
            Line(cr, l, u, v, 0, u, v, pz, 2.2, wood);
    for (const double v : { pv0 + 0.03, pv1 - 0.03 })
        Line(cr, l, pu1 + 0.1, v, 0, pu1, v, pz, 1.6, Hex(0x707478));
    Box(cr, l, pu0, pv0, pu1, pv1, pz, pz + 3, wood, Shade(wood, 0.2));
    if (m) {
        for (const double u : { pu1, pu0 })
            for (const double v : { pv0, pv1 })
                Line(cr, l, u, v, pz, u, v, pz + 22, 1.6, wood);
        const double ridge = pz + 34;
        const double c[4][2] = { { pu0, pv0 }, { pu1, pv0 }, { pu1, pv1 }, { pu0, pv1 } };
        for (int k = 0; k < 4; ++k) {
            MoveTo(cr, l, c[k][0], c[k][1], pz + 22);
            LineTo(cr, l, c[(k + 1) % 4][0], c[(k + 1) % 4][1], pz + 22);
            LineTo(cr, l, (pu0 + pu1) / 2, (pv0 + pv1) / 2, ridge);
            cairo_close_path(cr);
            FillStroke(cr, Shade(Hex(0xC0503C), k == 2 ? -0.3 : k == 3 ? 0 : 0.15), Hex(kEdge), 1);
        }
    }
    const double c0 = pu0 + 0.02, c1 = pu1 - 0.02;
    MoveTo(cr, l, c0, pv1, pz + 1);
    LineTo(cr, l, c1, pv1, pz + 1);
    LineTo(cr, l, c1, 0.9, 2);
    LineTo(cr, l, c0, 0.9, 2);
    cairo_close_path(cr);
    FillStroke(cr, Hex(0x3E9AA8), Hex(0x2A6A74), 1.2);
    Line(cr, l, c0, pv1, pz + 4, c0, 0.88, 5, 1.6, Hex(0x7ACAD4));
    Line(cr, l, c1, pv1, pz + 4, c1, 0.88, 5, 1.6, Hex(0x2A6A74));
    if (m) {
        // a roundabout: a disc with rails
        const Pt r = l.P(0.3, 0.72, 4);
        cairo_save(cr);
        cairo_translate(cr, r.x, r.y);
        cairo_scale(cr, 1, 0.45);
        cairo_arc(cr, 0, 0, 15, 0, 2 * M_PI);
        cairo_restore(cr);
        FillStroke(cr, Hex(0xD8A848), Hex(0x7A5A28), 1.2);
        Source(cr, Hex(0x4A4E52));
        cairo_set_line_width(cr, 1.4);
        for (int k = 0; k < 3; ++k) {
            const double a = k * 2 * M_PI / 3;
            cairo_move_to(cr, r.x, r.y - 9);
            cairo_line_to(cr, r.x + std::cos(a) * 11, r.y + std::sin(a) * 5 - 6);
        }
        cairo_stroke(cr);
    } else {
        // a see-saw on its pivot
        const Pt p = l.P(0.3, 0.72);
        cairo_move_to(cr, p.x - 4, p.y);
        cairo_line_to(cr, p.x, p.y - 7);
        cairo_line_to(cr, p.x + 4, p.y);
        cairo_close_path(cr);
        Source(cr, Hex(0x4A4E52));
        cairo_fill(cr);
        Line(cr, l, 0.14, 0.72, 2, 0.46, 0.72, 12, 3.5, Hex(0xC0503C));
    }
}

} // namespace artgen::lot
