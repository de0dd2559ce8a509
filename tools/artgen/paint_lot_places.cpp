// The shop's paved places: the truck diesel pump, the modern canopy over its
// pumps and the two car parks. The extended form is the same place with more
// of it.
#include <cmath>

#include "lot_shapes.h"

namespace artgen::lot {

const Rgb kAsphalt = Hex(0x5A5C60);

static void Paint(cairo_t* cr, const Lot& l, double u0, double v0, double u1, double v1, Rgb colour)
{
    Patch(cr, l, u0, v0, u1, v1, 0, colour);
}

// Truck diesel pump: a long island with tall dark pumps and thick hoses,
// a lorry with its trailer drawn up behind it.
void Diesel(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, kAsphalt);
    for (double u = 0.06; u < 0.94; u += 0.14)
        Paint(cr, l, u, 0.93, u + 0.07, 0.95, Hex(0xE8E4D8));
    // the lorry: cab at the lit end, a long trailer behind it
    const double tv0 = 0.1, tv1 = 0.34;
    Shadow(cr, l, 0.08, tv0, 0.94, tv1, 30);
    Box(cr, l, 0.3, tv0, 0.94, tv1, 6, m ? 38 : 32, Hex(0xD8D4CC), Hex(0xE4E0D8));
    RightPanel(cr, l, tv1, 0.32, 0.92, 14, 19, Hex(0x4E7A8E));
    Box(cr, l, 0.1, tv0 + 0.01, 0.28, tv1 - 0.01, 4, 30, Hex(0x6E86A0), Hex(0x7E96B0));
    LeftPanel(cr, l, 0.1, tv0 + 0.04, tv1 - 0.04, 18, 27, Hex(0x9AC0D6));
    Source(cr, Hex(0x1E1E20));
    for (const double u : { 0.18, 0.44, 0.56, 0.82 }) {
        const Pt w = l.P(u, tv1, 3);
        cairo_arc(cr, w.x, w.y, 4, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    // the island and its pumps
    const double iu0 = m ? 0.14 : 0.22, iu1 = m ? 0.86 : 0.78, iv0 = 0.5, iv1 = 0.64;
    Shadow(cr, l, iu0, iv0, iu1, iv1, 40);
    Box(cr, l, iu0, iv0, iu1, iv1, 0, 6, Hex(0xCCC8BE), Hex(0xDAD6CC));
    const int pumps = m ? 3 : 2;
    for (int k = pumps - 1; k >= 0; --k) {
        const double u = iu0 + (iu1 - iu0) * (k + 0.5) / pumps;
        Pump(cr, l, u, (iv0 + iv1) / 2, 6, m ? 44 : 38, Hex(0x34403C), Hex(0xD8DCD4));
    }
}

// Modern canopy: a broad flat roof with a coloured fascia on slim pillars
// over an island of pumps.
void Canopy(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0x9C9890));
    const double h = m ? 64 : 54, thick = m ? 12 : 9;
    const double ru0 = m ? 0.04 : 0.1, ru1 = m ? 0.96 : 0.9, rv0 = m ? 0.1 : 0.14, rv1 = m ? 0.62 : 0.58;
    // the roof's shadow on the forecourt
    cairo_save(cr);
    PathPolygon(cr, l.f.p, 4);
    cairo_clip(cr);
    MoveTo(cr, l, ru0 + 0.04, rv0 + 0.16, 0);
    LineTo(cr, l, ru1 + 0.04, rv0 + 0.16, 0);
    LineTo(cr, l, ru1 + 0.04, rv1 + 0.22, 0);
    LineTo(cr, l, ru0 + 0.04, rv1 + 0.22, 0);
    cairo_close_path(cr);
    Source(cr, Hex(0x000000, 0.16));
    cairo_fill(cr);
    cairo_restore(cr);
    const double iv0 = 0.36, iv1 = 0.5, iu0 = m ? 0.14 : 0.2, iu1 = m ? 0.86 : 0.8;
    Box(cr, l, iu0, iv0, iu1, iv1, 0, 4, Hex(0xCCC8BE), Hex(0xDAD6CC));
    const int pumps = m ? 3 : 2;
    for (int k = pumps - 1; k >= 0; --k)
        Pump(cr, l, iu0 + 0.08 + (iu1 - iu0 - 0.16) * k / (pumps - 1), (iv0 + iv1) / 2, 4, 26, Hex(0xE6E8EA),
            Hex(0x2F8C8C));
    for (const double u : { iu1 - 0.03, iu0 })
        Box(cr, l, u, 0.41, u + 0.03, 0.45, 4, h, Hex(0xD8DADC), Hex(0xD8DADC));
    Box(cr, l, ru0, rv0, ru1, rv1, h, h + thick, Hex(0x2F8C8C), Hex(0xF2F2EE));
    RightPanel(cr, l, rv1, ru0, ru1, h + thick * 0.4, h + thick * 0.6, Hex(0xF2F2EE));
    LeftPanel(cr, l, ru0, rv0, rv1, h + thick * 0.4, h + thick * 0.6, Hex(0xF2F2EE));
    // the roof's light strips, seen from above as panels
    for (int k = 1; k < 4; ++k) {
        const double u = ru0 + (ru1 - ru0) * k / 4;
        Line(cr, l, u, rv0 + 0.04, h + thick, u, rv1 - 0.04, h + thick, 1, Hex(0xC8CCCC));
    }
}

// White lines marking a row of bays along u, their backs at `back`.
static void Bays(cairo_t* cr, const Lot& l, double u0, double u1, int bays, double back, double front)
{
    for (int k = 0; k <= bays; ++k) {
        const double u = u0 + (u1 - u0) * k / bays;
        Line(cr, l, u, back, 0, u, front, 0, 1.5, Hex(0xF0F0EA, 0.9));
    }
    Line(cr, l, u0, back, 0, u1, back, 0, 1.5, Hex(0xF0F0EA, 0.9));
}

const unsigned kParked[] = { 0xB8BCC0, 0x4E8A8A, 0xC8B898, 0x5A5E64, 0x8A6A5A, 0xE4E4E0 };

// Car park: painted bays in two rows, cars parked in some, a lamp post;
// the extended one is fuller, with a ticket booth and a barrier.
void Carpark(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, kAsphalt);
    Bays(cr, l, 0.14, 0.94, 4, 0.06, 0.4);
    Bays(cr, l, 0.14, 0.94, 4, 0.96, 0.62);
    const bool far[4] = { true, !m, true, m }, near[4] = { m, true, m, true };
    for (int k = 3; k >= 0; --k)
        if (far[k])
            Car(cr, l, 0.24 + k * 0.2, 0.22, false, Hex(kParked[k]));
    Pole(cr, l, 0.54, 0.5, 0, 56, 2.5, Hex(0x6A6E72));
    Line(cr, l, 0.54, 0.5, 56, 0.54, 0.6, 58, 2, Hex(0x6A6E72));
    const Pt lamp = l.P(0.54, 0.6, 56);
    cairo_arc(cr, lamp.x, lamp.y, 2.5, 0, 2 * M_PI);
    Source(cr, Hex(0xFFF4C0));
    cairo_fill(cr);
    for (int k = 3; k >= 0; --k)
        if (near[k])
            Car(cr, l, 0.24 + k * 0.2, 0.8, false, Hex(kParked[(k + 2) % 6]));
    if (m) {
        // the booth and the barrier at the entrance on the lit side
        Box(cr, l, 0.02, 0.42, 0.1, 0.52, 0, 20, Hex(0xE8E4DA), Hex(0x6E7A84));
        LeftPanel(cr, l, 0.02, 0.44, 0.5, 9, 17, Hex(0x6F96B8));
        for (int k = 0; k < 6; ++k)
            Line(cr, l, 0.07, 0.53 + k * 0.06, 12, 0.07, 0.59 + k * 0.06, 12, 2.5,
                k % 2 ? Hex(0xF2F2EE) : Hex(0xC0503C));
    }
}

// Second car park: cars under a carport roofed with solar panels, open
// bays with a charging post in front; the extended one is a parking deck
// of two floors.
void Carpark2(cairo_t* cr, const Lot& l)
{
    const bool m = l.extended;
    Ground(cr, l, Hex(0x64686C));
    const double rv0 = 0.08, rv1 = m ? 0.9 : 0.5;
    const double deck = 26;
    for (int k = 2; k >= 0; --k)
        Car(cr, l, 0.22 + k * 0.28, 0.28, false, Hex(kParked[(k * 2 + 1) % 6]));
    if (!m) {
        Bays(cr, l, 0.08, 0.92, 3, 0.96, 0.62);
        Car(cr, l, 0.5, 0.8, false, Hex(0xB8BCC0));
        Box(cr, l, 0.76, 0.62, 0.8, 0.66, 0, 18, Hex(0x3E4246), Hex(0x5FB07A));
        LeftPanel(cr, l, 0.76, 0.625, 0.655, 10, 15, Hex(0x8ED8A8));
        for (const double u : { 0.9, 0.5, 0.1 })
            Pole(cr, l, u, 0.48, 0, 30, 2.5, Hex(0x8A8E92));
    } else {
        for (int k = 2; k >= 0; --k)
            Car(cr, l, 0.22 + k * 0.28, 0.7, false, Hex(kParked[(k * 2) % 6]));
        for (const double u : { 0.9, 0.5, 0.1 })
            Box(cr, l, u - 0.02, rv1 - 0.04, u + 0.02, rv1, 0, deck, Hex(0xB8B4AA), Hex(0xB8B4AA));
        // the upper deck, its stripe, cars on it and the stair tower
        Box(cr, l, 0.04, rv0, 0.96, rv1, deck, deck + 6, Hex(0xC8C4BA), Hex(0x74787C));
        RightPanel(cr, l, rv1, 0.04, 0.96, deck + 2, deck + 4, Hex(0xE8C24A));
        Bays(cr, l, 0.3, 0.94, 3, rv0 + 0.02, 0.4);
        for (int k = 1; k >= 0; --k)
            Car(cr, l, 0.52 + k * 0.22, 0.62, false, Hex(kParked[(k * 3 + 2) % 6]));
        Box(cr, l, 0.04, rv0, 0.2, rv0 + 0.18, deck + 6, deck + 34, Hex(0xC8C4BA), Hex(0x74787C));
        LeftPanel(cr, l, 0.04, rv0 + 0.04, rv0 + 0.14, deck + 8, deck + 30, Hex(0x6F96B8));
    }
    // solar panels over the back row
    const double sz = m ? deck + 30 : 30, su0 = m ? 0.3 : 0.04;
    if (m)
        for (const double u : { 0.94, 0.62, su0 })
            Pole(cr, l, u, 0.36, deck + 6, sz, 2.5, Hex(0x8A8E92));
    Box(cr, l, su0, rv0, 0.96, m ? 0.4 : rv1, sz, sz + 3, Hex(0x8A8E92), Hex(0x2E4258));
    for (int k = 1; k < 6; ++k) {
        const double u = su0 + (0.96 - su0) * k / 6;
        Line(cr, l, u, rv0, sz + 3, u, m ? 0.4 : rv1, sz + 3, 0.8, Hex(0x8AA4C0));
    }
    Line(
        cr, l, su0, (rv0 + (m ? 0.4 : rv1)) / 2, sz + 3, 0.96, (rv0 + (m ? 0.4 : rv1)) / 2, sz + 3, 0.8, Hex(0x8AA4C0));
}

} // namespace artgen::lot
