// The shop's buildings with walls and a roof: the car wash, the station shop,
// the repair workshop, the office, the diner, the training centre and the
// maintenance depot. Each is drawn as what it is; the extended form is the
// same building, larger.
#include <cmath>

#include "lot_shapes.h"

namespace artgen::lot {

const Rgb kConcrete = Hex(0xA9A59C);

// A roof ridged along u at height z + rise, over a box's top at z.
static void GableRoof(
    cairo_t* cr, const Lot& l, double u0, double v0, double u1, double v1, double z, double rise, Rgb roof, Rgb gable)
{
    const double vm = (v0 + v1) / 2;
    MoveTo(cr, l, u0, v0, z);
    LineTo(cr, l, u1, v0, z);
    LineTo(cr, l, u1, vm, z + rise);
    LineTo(cr, l, u0, vm, z + rise);
    cairo_close_path(cr);
    FillStroke(cr, Shade(roof, 0.12), Hex(kEdge), 1.2);
    MoveTo(cr, l, u0, vm, z + rise);
    LineTo(cr, l, u1, vm, z + rise);
    LineTo(cr, l, u1, v1, z);
    LineTo(cr, l, u0, v1, z);
    cairo_close_path(cr);
    FillStroke(cr, Shade(roof, -0.12), Hex(kEdge), 1.2);
    MoveTo(cr, l, u0, v0, z);
    LineTo(cr, l, u0, v1, z);
    LineTo(cr, l, u0, vm, z + rise);
    cairo_close_path(cr);
    FillStroke(cr, gable, Hex(kEdge), 1.2);
}

// A round roof arched across v over a box's top at z, in strips from the
// far slope to the near one, the far one lit.
static void BarrelRoof(
    cairo_t* cr, const Lot& l, double u0, double v0, double u1, double v1, double z, double rise, Rgb roof, Rgb gable)
{
    constexpr int kStrips = 12;
    const double vm = (v0 + v1) / 2, hv = (v1 - v0) / 2;
    const auto vAt = [&](int k) { return vm - std::cos(M_PI * k / kStrips) * hv; };
    const auto zAt = [&](int k) { return z + std::sin(M_PI * k / kStrips) * rise; };
    for (int k = 0; k < kStrips; ++k) {
        MoveTo(cr, l, u0, vAt(k), zAt(k));
        LineTo(cr, l, u1, vAt(k), zAt(k));
        LineTo(cr, l, u1, vAt(k + 1), zAt(k + 1));
        LineTo(cr, l, u0, vAt(k + 1), zAt(k + 1));
        cairo_close_path(cr);
        Source(cr, Shade(roof, 0.25 - 0.5 * k / kStrips));
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.6);
        Source(cr, Shade(roof, -0.3));
        cairo_stroke(cr);
    }
    MoveTo(cr, l, u0, v0, z);
    for (int k = 0; k <= kStrips; ++k)
        LineTo(cr, l, u0, vAt(k), zAt(k));
    cairo_close_path(cr);
    FillStroke(cr, gable, Hex(kEdge), 1.2);
}

// A shape on a wall seen from the front: a round bubble.
static void Bubble(cairo_t* cr, Pt at, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, at.x, at.y, radius, 0, 2 * M_PI);
    Source(cr, Hex(0xFFFFFF, 0.55));
    cairo_fill_preserve(cr);
    Source(cr, Hex(0xFFFFFF));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// Car wash: a hall open at its lit end, two tall brushes in the bay, water
// on the apron and a band of waves and bubbles on its side.
void Wash(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, kConcrete);
    const double u0 = m ? 0.26 : 0.34, u1 = 0.93, v0 = m ? 0.08 : 0.16, v1 = m ? 0.86 : 0.8, h = m ? 58 : 44;
    const double a = v0 + (v1 - v0) * 0.18, b = v1 - (v1 - v0) * 0.18;
    // the wet apron in front of the bay and the drain across it
    const Pt wet = l.P(u0 * 0.5, (a + b) / 2);
    cairo_save(cr);
    cairo_translate(cr, wet.x, wet.y);
    cairo_scale(cr, 22, 11);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    Source(cr, Hex(0x8CC4DC, 0.75));
    cairo_fill(cr);
    Line(cr, l, u0 * 0.55, a, 0, u0 * 0.55, b, 0, 2, Hex(0x55585C));
    Shadow(cr, l, u0, v0, u1, v1, h);
    Box(cr, l, u0, v0, u1, v1, 0, h, Hex(0xDDE5EA), Hex(0x5D88A8));
    // the bay: dark inside, the gantry across it and the brushes
    LeftPanel(cr, l, u0, a, b, 0, h * 0.8, Hex(0x262C32));
    for (int i = 0; i < 2; ++i) {
        const double v = a + (b - a) * (i ? 0.72 : 0.28);
        const Pt lo = l.P(u0 + 0.05, v, 2), hi = l.P(u0 + 0.05, v, h * 0.7);
        PathRoundRect(cr, lo.x - 6, hi.y, 12, lo.y - hi.y, 5);
        LinearGradient(cr, lo.x - 6, 0, lo.x + 6, 0, Hex(0x8FD0E8), Hex(0x2E7090));
        cairo_fill(cr);
        Source(cr, Hex(0x1E5A78));
        cairo_set_line_width(cr, 1);
        for (double y = hi.y + 3; y < lo.y - 1; y += 4) {
            cairo_move_to(cr, lo.x - 6, y);
            cairo_curve_to(cr, lo.x - 2, y + 2, lo.x + 2, y + 2, lo.x + 6, y);
        }
        cairo_stroke(cr);
    }
    Line(cr, l, u0 + 0.05, a, h * 0.72, u0 + 0.05, b, h * 0.72, 3, Hex(0x9AA0A6));
    // waves and bubbles along the side
    RightPanel(cr, l, v1, u0 + 0.04, u1 - 0.04, h * 0.42, h * 0.62, Hex(0x5FA8C8));
    MoveTo(cr, l, u0 + 0.04, v1, h * 0.62);
    for (int k = 1; k <= 8; ++k)
        LineTo(cr, l, u0 + 0.04 + (u1 - u0 - 0.08) * k / 8, v1, h * 0.62 + (k % 2 ? 4 : 0));
    Source(cr, Hex(0xFFFFFF));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int k = 0; k < (m ? 6 : 4); ++k)
        Bubble(cr, l.P(u0 + 0.1 + k * 0.11, v1, h * (0.76 + 0.08 * (k % 2))), 3 + k % 3);
    if (m) {
        // a sign on the roof: bubbles rising from a drop
        const double vm = (v0 + v1) / 2;
        Box(cr, l, u0 + 0.2, vm - 0.02, u1 - 0.2, vm + 0.02, h, h + 20, Hex(0xE8F0F4), Hex(0x5D88A8));
        const Pt c = l.P((u0 + u1) / 2, vm + 0.02, h + 9);
        cairo_move_to(cr, c.x, c.y - 8);
        cairo_curve_to(cr, c.x + 7, c.y, c.x + 6, c.y + 7, c.x, c.y + 7);
        cairo_curve_to(cr, c.x - 6, c.y + 7, c.x - 7, c.y, c.x, c.y - 8);
        Source(cr, Hex(0x3A8AB8));
        cairo_fill(cr);
        Bubble(cr, { c.x - 13, c.y - 1 }, 3);
        Bubble(cr, { c.x + 13, c.y + 1 }, 4);
    }
}

// Station shop: a flat-roofed shop with a wide shop window full of goods
// under a striped awning, a glass door on its lit end.
void Shop(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, kConcrete);
    const double u0 = m ? 0.08 : 0.14, u1 = m ? 0.92 : 0.86, v0 = m ? 0.08 : 0.14, v1 = m ? 0.8 : 0.74;
    const double h = m ? 52 : 38;
    Shadow(cr, l, u0, v0, u1, v1, h);
    Box(cr, l, u0, v0, u1, v1, 0, h, Hex(0xE8DFC8), Hex(0x7A8A7C));
    Box(cr, l, u1 - 0.2, v0 + 0.06, u1 - 0.08, v0 + 0.2, h, h + 7, Hex(0xB0B4B6), Hex(0xC8CCCE));
    // the shop window and the goods on its shelves
    const double wa = u0 + 0.07, wb = u1 - 0.05, top = h * 0.6;
    RightPanel(cr, l, v1, wa, wb, 3, top, Hex(0x8CB8CE));
    static const unsigned goods[] = { 0xB8664E, 0x6E9A5E, 0xD8B860, 0x5C7EA8, 0xE8E2D4 };
    for (int shelf = 0; shelf < 2; ++shelf) {
        const double z = 6 + shelf * (top - 6) / 2.2;
        RightPanel(cr, l, v1, wa + 0.01, wb - 0.01, z - 1, z, Hex(0x6A5A48));
        for (int k = 0; wa + 0.03 + k * 0.045 < wb - 0.03; ++k)
            RightPanel(cr, l, v1, wa + 0.02 + k * 0.045, wa + 0.045 + k * 0.045, z, z + 5 + (k % 2),
                Hex(goods[(k + shelf * 2) % 5]));
    }
    for (double u = wa + 0.15; u < wb - 0.02; u += 0.15)
        Line(cr, l, u, v1, 3, u, v1, top, 1.5, Hex(0xEDEDE8));
    // the awning over the window, red and white stripes
    const double out = 0.08, drop = 7;
    const int stripes = m ? 12 : 9;
    for (int k = 0; k < stripes; ++k) {
        const double a = wa + (wb - wa) * k / stripes, b = wa + (wb - wa) * (k + 1) / stripes;
        MoveTo(cr, l, a, v1, top + 8);
        LineTo(cr, l, b, v1, top + 8);
        LineTo(cr, l, b, v1 + out, top + 8 - drop);
        LineTo(cr, l, a, v1 + out, top + 8 - drop);
        cairo_close_path(cr);
        Source(cr, k % 2 ? Hex(0xF2EADA) : Hex(0xB8553C));
        cairo_fill(cr);
    }
    Line(cr, l, wa, v1 + out, top + 8 - drop, wb, v1 + out, top + 8 - drop, 1.2, Hex(kEdge));
    // the door
    const double da = v0 + (v1 - v0) * 0.4, db = v0 + (v1 - v0) * 0.68;
    LeftPanel(cr, l, u0, da, db, 0, h * 0.6, Hex(0x6E98B0));
    Line(cr, l, u0, (da + db) / 2, 0, u0, (da + db) / 2, h * 0.6, 1, Hex(0xEDEDE8));
    if (m) {
        // a sign on the roof with a shopping basket on it
        const double vm = (v0 + v1) / 2;
        Box(cr, l, u0 + 0.12, vm - 0.015, u0 + 0.5, vm + 0.015, h, h + 18, Hex(0xF2EADA), Hex(0xB8553C));
        const Pt c = l.P(u0 + 0.31, vm + 0.015, h + 8);
        cairo_move_to(cr, c.x - 9, c.y - 3);
        cairo_line_to(cr, c.x + 9, c.y - 3);
        cairo_line_to(cr, c.x + 6, c.y + 6);
        cairo_line_to(cr, c.x - 6, c.y + 6);
        cairo_close_path(cr);
        Source(cr, Hex(0xB8553C));
        cairo_fill(cr);
        cairo_arc(cr, c.x, c.y - 3, 6, M_PI, 2 * M_PI);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
}

// Repair workshop: a corrugated hall with a ridged roof, a wide roll-up
// garage door, a spanner over the lit end and a car waiting at the door.
void Workshop(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0x9C9890));
    const double u0 = m ? 0.08 : 0.12, u1 = m ? 0.92 : 0.88, v0 = m ? 0.08 : 0.12, v1 = m ? 0.76 : 0.64;
    const double h = m ? 46 : 36, rise = m ? 18 : 14;
    const Rgb wall = Hex(0x98A4AE);
    Shadow(cr, l, u0, v0, u1, v1, h + rise);
    Box(cr, l, u0, v0, u1, v1, 0, h, wall, wall);
    for (double u = u0 + 0.03; u < u1; u += 0.03)
        Line(cr, l, u, v1, 0, u, v1, h, 0.6, Shade(wall, -0.45));
    for (double v = v0 + 0.03; v < v1; v += 0.03)
        Line(cr, l, u0, v, 0, u0, v, h, 0.6, Shade(wall, -0.2));
    GableRoof(cr, l, u0, v0, u1, v1, h, rise, Hex(0x6C747C), wall);
    // the roll-up doors, their slats and frames
    const int doors = m ? 2 : 1;
    for (int d = 0; d < doors; ++d) {
        const double span = (u1 - u0 - 0.12) / doors;
        const double a = u0 + 0.08 + span * d, b = a + span - 0.06;
        RightPanel(cr, l, v1, a - 0.015, b + 0.015, 0, h * 0.8, Hex(0x3E4246));
        RightPanel(cr, l, v1, a, b, 0, h * 0.74, Hex(0xC8C4B8));
        for (double z = 3; z < h * 0.74; z += 3.2)
            Line(cr, l, a, v1, z, b, v1, z, 0.7, Hex(0x7A766C));
    }
    // a spanner over the lit end
    const Pt s = l.P(u0, (v0 + v1) / 2, h + rise * 0.1);
    cairo_save(cr);
    cairo_translate(cr, s.x, s.y);
    cairo_rotate(cr, -0.7);
    PathRoundRect(cr, -10, -2, 18, 4, 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 10, 0, 5, 0, 2 * M_PI);
    Source(cr, Hex(0xE8E0C8));
    cairo_fill(cr);
    cairo_rectangle(cr, 10, -1.8, 6, 3.6);
    Source(cr, Hex(0x98A4AE));
    cairo_fill(cr);
    cairo_restore(cr);
    if (!m)
        Car(cr, l, u0 + 0.08 + (u1 - u0 - 0.18) / 2, v1 + 0.2, false, Hex(0x7C8E9C));
    else
        Car(cr, l, u0 + 0.2, v1 + 0.12, true, Hex(0xA8A098));
}

// Manager's office: a block of several floors with rows of windows, a
// porch over its door and a cooling unit on the roof.
void Office(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0xB4B0A6));
    const double u0 = m ? 0.18 : 0.24, u1 = m ? 0.84 : 0.78, v0 = m ? 0.14 : 0.2, v1 = m ? 0.78 : 0.72;
    const double h = m ? 108 : 80;
    const int floors = m ? 7 : 5;
    Shadow(cr, l, u0, v0, u1, v1, h);
    Box(cr, l, u0, v0, u1, v1, 0, h, Hex(0xD2D4D6), Hex(0x8C9094));
    Windows(cr, l, false, v1, u0, u1, 20, h - 4, m ? 5 : 4, floors, Hex(0x5F86A8));
    Windows(cr, l, true, u0, v0, v1, 20, h - 4, m ? 4 : 3, floors, Hex(0x6F96B8));
    // the ground floor: a glass door under a porch on the lit side
    const double vm = (v0 + v1) / 2;
    LeftPanel(cr, l, u0, vm - 0.08, vm + 0.08, 0, 14, Hex(0x4E7090));
    Box(cr, l, u0 - 0.07, vm - 0.11, u0, vm + 0.11, 15, 18, Hex(0x8C9094), Hex(0xB0B4B8));
    Box(cr, l, u1 - 0.2, v0 + 0.06, u1 - 0.06, v0 + 0.22, h, h + 8, Hex(0xA8ACB0), Hex(0xC4C8CC));
    if (m)
        Pole(cr, l, (u0 + u1) / 2 - 0.1, (v0 + v1) / 2, h, h + 16, 2, Hex(0x606468));
    // hedges along the lit side
    for (const double v : { v0 + 0.1, v1 - 0.06 }) {
        const Pt b = l.P(u0 - 0.08, v);
        PaintBush(cr, b.x, b.y, 14, Hex(0x4E8A44));
    }
}

// Roadside diner: a long, low steel-clad diner with a band of colour, a
// row of lit windows, and a tall pole sign with a coffee cup and an arrow.
void Diner(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, kConcrete);
    const double u0 = m ? 0.24 : 0.32, u1 = 0.92, v0 = m ? 0.14 : 0.24, v1 = m ? 0.76 : 0.66;
    const double h = m ? 34 : 26;
    const Rgb teal = Hex(0x2E8A8A);
    Shadow(cr, l, u0, v0, u1, v1, h);
    Box(cr, l, u0, v0, u1, v1, 0, h, Hex(0xD6DCE0), Hex(0xB8BEC2));
    Box(cr, l, u0, v0, u1, v1, h, h + 4, teal, Hex(0xB8BEC2));
    RightPanel(cr, l, v1, u0, u1, 2, h * 0.26, teal);
    LeftPanel(cr, l, u0, v0, v1, 2, h * 0.26, teal);
    Windows(cr, l, false, v1, u0 + 0.02, u1 - 0.02, h * 0.32, h * 0.92, m ? 7 : 5, 1, Hex(0xF2D890));
    LeftPanel(cr, l, u0, (v0 + v1) / 2 - 0.06, (v0 + v1) / 2 + 0.06, 0, h * 0.8, Hex(0x6E98B0));
    // the pole sign
    const double su = 0.12, sv = 0.82, pole = m ? 94 : 76;
    Pole(cr, l, su, sv, 0, pole, 4, Hex(0x7A8084));
    const Pt t = l.P(su, sv, pole);
    const double w = m ? 50 : 42, bh = m ? 30 : 25;
    PathRoundRect(cr, t.x - w / 2, t.y - bh, w, bh, 8);
    FillStroke(cr, Hex(0xF4E6C8), teal, 3);
    Source(cr, Hex(0xFFF4B0));
    for (int k = 0; k < 8; ++k) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, t.x - w / 2 + 5 + k * (w - 10) / 7, t.y - bh - 0.5, 1.6, 0, 2 * M_PI);
    }
    cairo_fill(cr);
    // a cup of coffee with steam
    const double cx = t.x, cy = t.y - bh / 2 + 2;
    cairo_move_to(cr, cx - 8, cy - 5);
    cairo_line_to(cr, cx + 6, cy - 5);
    cairo_line_to(cr, cx + 4, cy + 5);
    cairo_line_to(cr, cx - 6, cy + 5);
    cairo_close_path(cr);
    Source(cr, Hex(0x7A4E32));
    cairo_fill(cr);
    cairo_arc(cr, cx + 7, cy - 1, 3, -M_PI / 2, M_PI / 2);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_move_to(cr, cx - 3, cy - 7);
    cairo_curve_to(cr, cx - 6, cy - 10, cx, cy - 11, cx - 2, cy - 14);
    cairo_move_to(cr, cx + 2, cy - 7);
    cairo_curve_to(cr, cx - 1, cy - 10, cx + 5, cy - 11, cx + 3, cy - 14);
    Source(cr, Hex(0x9AA4A8));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // the arrow under the board, pointing at the diner
    cairo_move_to(cr, t.x - 4, t.y + 4);
    cairo_line_to(cr, t.x + 14, t.y + 4);
    cairo_line_to(cr, t.x + 14, t.y);
    cairo_line_to(cr, t.x + 22, t.y + 7);
    cairo_line_to(cr, t.x + 14, t.y + 14);
    cairo_line_to(cr, t.x + 14, t.y + 10);
    cairo_line_to(cr, t.x - 4, t.y + 10);
    cairo_close_path(cr);
    FillStroke(cr, teal, Hex(0xFFF4B0), 1.2);
}

// Staff training centre: a hall under a round roof with a big arched
// window, and before it a practice yard of traffic cones and a flag.
void Training(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0xAFAAA0));
    const double u0 = m ? 0.32 : 0.4, u1 = 0.93, v0 = m ? 0.08 : 0.12, v1 = m ? 0.78 : 0.68;
    const double h = m ? 32 : 24, rise = m ? 26 : 20;
    // the flag, far behind the yard
    Pole(cr, l, 0.3, 0.1, 0, m ? 78 : 64, 2, Hex(0x8A8E92));
    const Pt f = l.P(0.3, 0.1, m ? 78 : 64);
    cairo_move_to(cr, f.x + 1, f.y);
    cairo_curve_to(cr, f.x + 8, f.y - 3, f.x + 14, f.y + 3, f.x + 21, f.y);
    cairo_line_to(cr, f.x + 21, f.y + 12);
    cairo_curve_to(cr, f.x + 14, f.y + 15, f.x + 8, f.y + 9, f.x + 1, f.y + 12);
    cairo_close_path(cr);
    FillStroke(cr, Hex(0x3E6E8E), Hex(0x24445A), 1);
    Shadow(cr, l, u0, v0, u1, v1, h + rise);
    Box(cr, l, u0, v0, u1, v1, 0, h, Hex(0xE2DCCE), Hex(0xE2DCCE));
    BarrelRoof(cr, l, u0, v0, u1, v1, h, rise, Hex(0x8FA6B4), Hex(0xE2DCCE));
    // the arched window in the round end and the windows on the side
    const double vm = (v0 + v1) / 2, hv = (v1 - v0) * 0.32;
    MoveTo(cr, l, u0, vm - hv, h * 0.4);
    for (int k = 0; k <= 10; ++k)
        LineTo(cr, l, u0, vm - std::cos(M_PI * k / 10) * hv, h + std::sin(M_PI * k / 10) * rise * 0.7);
    LineTo(cr, l, u0, vm + hv, h * 0.4);
    cairo_close_path(cr);
    FillStroke(cr, Hex(0x7FA6C0), Hex(kEdge), 1);
    Line(cr, l, u0, vm, h * 0.4, u0, vm, h + rise * 0.7, 1.2, Hex(0xF0F0EC));
    Windows(cr, l, false, v1, u0 + 0.02, u1 - 0.02, 3, h - 2, m ? 6 : 4, 1, Hex(0x6F96B8));
    // the practice yard: a slalom of cones
    const double cones[][2] = { { 0.28, 0.88 }, { 0.1, 0.72 }, { 0.26, 0.56 }, { 0.08, 0.4 }, { 0.22, 0.26 } };
    for (int k = m ? 0 : 1; k < 5; ++k) {
        const Pt c = l.P(cones[k][0] * (m ? 0.9 : 1.2), cones[k][1]);
        cairo_move_to(cr, c.x - 4.5, c.y);
        cairo_line_to(cr, c.x, c.y - 12);
        cairo_line_to(cr, c.x + 4.5, c.y);
        cairo_close_path(cr);
        LinearGradient(cr, c.x - 4, 0, c.x + 4, 0, Hex(0xF09850), Hex(0xB85A24));
        cairo_fill(cr);
        cairo_rectangle(cr, c.x - 2.6, c.y - 7, 5.2, 2);
        Source(cr, Hex(0xFFFFFF));
        cairo_fill(cr);
    }
}

// Maintenance depot: upright storage tanks with ladders and a band of
// colour, piped to a workshop shed with drums stacked beside it.
void Depot(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0xA6A298));
    const double th = m ? 66 : 50;
    const double tanks[][2] = { { 0.78, 0.16 }, { 0.8, 0.5 }, { 0.6, 0.2 } };
    for (int k = 0; k < (m ? 3 : 2); ++k) {
        const int i = m ? (k == 0 ? 0 : k == 1 ? 2 : 1) : k;
        const double u = tanks[i][0], v = tanks[i][1], r = m ? 16 : 15;
        Shadow(cr, l, u - 0.08, v - 0.08, u + 0.08, v + 0.08, th);
        Cylinder(cr, l, u, v, r, 0, th, Hex(0xDADDE0));
        Cylinder(cr, l, u, v, r, th * 0.55, th * 0.7, Hex(0x5E8296));
        Cylinder(cr, l, u, v, r, th * 0.7, th, Hex(0xDADDE0));
        const Pt b = l.P(u, v), t = l.P(u, v, th);
        Source(cr, Hex(0x4A4E52));
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, b.x - 6, b.y + 4);
        cairo_line_to(cr, t.x - 6, t.y + 3);
        cairo_move_to(cr, b.x - 1, b.y + 5);
        cairo_line_to(cr, t.x - 1, t.y + 4);
        for (double y = t.y + 7; y < b.y; y += 4) {
            cairo_move_to(cr, b.x - 6, y);
            cairo_line_to(cr, b.x - 1, y);
        }
        cairo_stroke(cr);
    }
    Line(cr, l, 0.72, 0.5, 8, 0.45, 0.5, 8, 3, Hex(0x7A7E82));
    Line(cr, l, 0.72, 0.2, 12, 0.45, 0.35, 12, 3, Hex(0x7A7E82));
    // the shed and the drums before it
    const double u0 = 0.08, u1 = m ? 0.5 : 0.45, v0 = 0.3, v1 = m ? 0.86 : 0.8, h = m ? 34 : 28;
    Shadow(cr, l, u0, v0, u1, v1, h);
    Box(cr, l, u0, v0, u1, v1, 0, h, Hex(0xB8A890), Hex(0x6E6458));
    RightPanel(cr, l, v1, u0 + 0.08, u0 + 0.24, 0, h * 0.7, Hex(0x5A5248));
    LeftPanel(cr, l, u0, v0 + 0.14, v0 + 0.3, h * 0.45, h * 0.8, Hex(0x6F96B8));
    for (int k = 0; k < 3; ++k)
        Cylinder(cr, l, u1 + 0.06 + (k % 2) * 0.08, v1 - 0.02 + (k / 2) * 0.08, 4.5, 0, 11, Hex(0x4A6A88));
}

} // namespace artgen::lot
