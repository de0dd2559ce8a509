// The icons of the head-up display's task counters: each shows the thing its
// line counts, in neutral colours, so that no counter reads as one of the
// customer cars' colour groups: a car (cars served, special cars), three alike in a row of grid
// cells (rows lined up), a wrench (worn places), an arrow up (upgrades), a new
// place, a person (managers) and a sports car.
#include <algorithm>
#include <cmath>

#include "paint.h"

namespace artgen {
namespace {

    const Rgb kInk = Hex(0x1A1A1A);

    // A car seen from the side, its wheels on baseY, `length` long.
    void SideCar(cairo_t* cr, double cx, double baseY, double length, Rgb body, bool sporty)
    {
        const double l = length, x0 = cx - l / 2, wheel = l * (sporty ? 0.12 : 0.13);
        const double sill = baseY - wheel * 0.9, roof = sporty ? baseY - l * 0.42 : baseY - l * 0.55;
        const double belt = sporty ? baseY - l * 0.28 : baseY - l * 0.32;
        cairo_new_path(cr);
        cairo_move_to(cr, x0 + l * 0.02, sill);
        cairo_line_to(cr, x0 + l * 0.02, belt + l * 0.04);
        cairo_curve_to(cr, x0 + l * 0.03, belt, x0 + l * 0.08, belt, x0 + l * 0.2, belt);
        cairo_line_to(cr, x0 + (sporty ? l * 0.36 : l * 0.3), roof);
        cairo_line_to(cr, x0 + (sporty ? l * 0.62 : l * 0.7), roof);
        cairo_line_to(cr, x0 + (sporty ? l * 0.82 : l * 0.8), belt);
        cairo_curve_to(cr, x0 + l * 0.94, belt, x0 + l * 0.98, belt + l * 0.02, x0 + l * 0.98, belt + l * 0.08);
        cairo_line_to(cr, x0 + l * 0.98, sill);
        cairo_close_path(cr);
        cairo_save(cr);
        cairo_clip_preserve(cr);
        VerticalGradient(cr, roof, sill, Shade(body, 0.35), Shade(body, -0.2));
        cairo_fill_preserve(cr);
        cairo_restore(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        Source(cr, kInk);
        cairo_set_line_width(cr, std::max(1.2, l * 0.035));
        cairo_stroke(cr);
        // the windows, split by the door post
        const double inset = l * 0.04, top = roof + inset, bottom = belt - inset * 0.3;
        const double front = x0 + (sporty ? l * 0.78 : l * 0.76), back = x0 + (sporty ? l * 0.27 : l * 0.25);
        const double topFront = x0 + (sporty ? l * 0.6 : l * 0.68), topBack = x0 + (sporty ? l * 0.38 : l * 0.32);
        const double post = (front + back) / 2;
        const double rear[4][2] = { { back, bottom }, { topBack, top }, { post - inset * 0.6, top },
            { post - inset * 0.6, bottom } };
        const double fore[4][2] = { { post + inset * 0.6, bottom }, { post + inset * 0.6, top }, { topFront, top },
            { front, bottom } };
        for (const auto* pane : { rear, fore }) {
            PathPolygon(cr, pane, 4);
            VerticalGradient(cr, top, bottom, Hex(0xDDEBF6), Hex(0x7FA4C4));
            cairo_fill(cr);
        }
        for (const double x : { x0 + l * 0.22, x0 + l * 0.78 }) {
            cairo_new_path(cr);
            cairo_arc(cr, x, baseY - wheel, wheel, 0, 2 * M_PI);
            FillStroke(cr, Hex(0x2A2A2A), kInk, 1);
            cairo_new_path(cr);
            cairo_arc(cr, x, baseY - wheel, wheel * 0.45, 0, 2 * M_PI);
            Source(cr, Hex(0xB8BCC2));
            cairo_fill(cr);
        }
    }

    // Three grid cells in a row, each holding the same car, underlined by the
    // line they make.
    void RowOfCells(cairo_t* cr, double w, double h)
    {
        const double cell = std::min(w / 3.2, h * 0.45), gap = cell * 0.06;
        const double x0 = w / 2 - 1.5 * cell - gap, y0 = h / 2 - cell / 2;
        for (int i = 0; i < 3; ++i) {
            const double x = x0 + i * (cell + gap);
            PathRoundRect(cr, x, y0, cell, cell, cell * 0.14);
            VerticalGradient(cr, y0, y0 + cell, Hex(0xA8A49A), Hex(0x6E6A62));
            cairo_fill_preserve(cr);
            Source(cr, kInk);
            cairo_set_line_width(cr, std::max(1.0, cell * 0.07));
            cairo_stroke(cr);
            // the same car in each
            SideCar(cr, x + cell / 2, y0 + cell * 0.84, cell * 0.86, Hex(0xF2F2EE), false);
        }
        // the line the three make
        Source(cr, Hex(0x3A3A3A));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, std::max(2.0, cell * 0.12));
        cairo_move_to(cr, x0 + cell * 0.2, y0 + cell + cell * 0.28);
        cairo_line_to(cr, x0 + 3 * cell + 2 * gap - cell * 0.2, y0 + cell + cell * 0.28);
        cairo_stroke(cr);
    }

    // A wrench across the icon: a handle with an open ring at each end,
    // drawn dark and wide first, then light and narrow, so one outline runs
    // round the whole tool.
    void Wrench(cairo_t* cr, double w, double h)
    {
        const double m = std::min(w, h), len = m * 0.62, ring = m * 0.13, bar = m * 0.11, edge = std::max(1.5, m * 0.04);
        cairo_save(cr);
        cairo_translate(cr, w / 2, h / 2);
        cairo_rotate(cr, -M_PI / 4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int pass = 0; pass < 2; ++pass) {
            const double grow = pass == 0 ? 2 * edge : 0;
            Source(cr, pass == 0 ? kInk : Hex(0xC8CDD4));
            cairo_set_line_width(cr, bar + grow);
            cairo_move_to(cr, -len / 2 + ring, 0);
            cairo_line_to(cr, len / 2 - ring, 0);
            cairo_stroke(cr);
            // each ring opens away from the handle
            cairo_set_line_width(cr, ring * 0.8 + grow);
            cairo_new_path(cr);
            cairo_arc(cr, -len / 2, 0, ring, -M_PI * 0.7, M_PI * 0.7);
            cairo_new_sub_path(cr);
            cairo_arc(cr, len / 2, 0, ring, M_PI * 0.3, M_PI * 1.7);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
    }

    // A place with an arrow rising from it.
    void Upgrade(cairo_t* cr, double w, double h)
    {
        const double m = std::min(w, h);
        PathRoundRect(cr, w / 2 - m * 0.36, h * 0.74, m * 0.72, m * 0.14, m * 0.04);
        FillStroke(cr, Hex(0xB8B2A4), kInk, std::max(1.0, m * 0.03));
        const double a[7][2] = { { w / 2, h * 0.1 }, { w / 2 + m * 0.3, h * 0.42 }, { w / 2 + m * 0.12, h * 0.42 },
            { w / 2 + m * 0.12, h * 0.7 }, { w / 2 - m * 0.12, h * 0.7 }, { w / 2 - m * 0.12, h * 0.42 },
            { w / 2 - m * 0.3, h * 0.42 } };
        PathPolygon(cr, a, 7);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        FillStroke(cr, Hex(0xF4F4F0), kInk, std::max(1.2, m * 0.04));
    }

    // A new service place: a pump on its plate with a plus beside it.
    void NewPlace(cairo_t* cr, double w, double h)
    {
        const double m = std::min(w, h);
        PathRoundRect(cr, w * 0.12, h * 0.76, w * 0.6, m * 0.12, m * 0.04);
        FillStroke(cr, Hex(0xB8B2A4), kInk, std::max(1.0, m * 0.03));
        PathRoundRect(cr, w * 0.26, h * 0.28, w * 0.3, h * 0.5, m * 0.05);
        FillStroke(cr, Hex(0xE4E0D4), kInk, std::max(1.2, m * 0.04));
        cairo_rectangle(cr, w * 0.31, h * 0.34, w * 0.2, h * 0.14);
        Source(cr, Hex(0x6F8FAE));
        cairo_fill(cr);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        const double px = w * 0.78, py = h * 0.3, s = m * 0.13;
        for (const double width : { m * 0.14, m * 0.08 }) {
            cairo_move_to(cr, px - s, py);
            cairo_line_to(cr, px + s, py);
            cairo_move_to(cr, px, py - s);
            cairo_line_to(cr, px, py + s);
            Source(cr, width > m * 0.1 ? kInk : Hex(0xF4F4F0));
            cairo_set_line_width(cr, width);
            cairo_stroke(cr);
        }
    }

    // A manager: head and shoulders, a tie.
    void Person(cairo_t* cr, double w, double h)
    {
        const double m = std::min(w, h), edge = std::max(1.2, m * 0.04);
        cairo_new_path(cr);
        cairo_move_to(cr, w / 2 - m * 0.34, h * 0.9);
        cairo_curve_to(cr, w / 2 - m * 0.34, h * 0.58, w / 2 - m * 0.2, h * 0.54, w / 2, h * 0.54);
        cairo_curve_to(cr, w / 2 + m * 0.2, h * 0.54, w / 2 + m * 0.34, h * 0.58, w / 2 + m * 0.34, h * 0.9);
        cairo_close_path(cr);
        FillStroke(cr, Hex(0x4A5A70), kInk, edge);
        const double tie[4][2] = { { w / 2, h * 0.56 }, { w / 2 + m * 0.06, h * 0.66 }, { w / 2, h * 0.86 },
            { w / 2 - m * 0.06, h * 0.66 } };
        PathPolygon(cr, tie, 4);
        Source(cr, Hex(0x8A6A4A));
        cairo_fill(cr);
        cairo_new_path(cr);
        cairo_arc(cr, w / 2, h * 0.33, m * 0.18, 0, 2 * M_PI);
        FillStroke(cr, Hex(0xF0CCA8), kInk, edge);
    }

} // namespace

bool PaintCounterIcon(cairo_t* cr, const ImageEntry& e, const std::string& n)
{
    const double w = e.width, h = e.height;
    if (n.rfind("element2a", 0) == 0)
        SideCar(cr, w / 2, h * 0.82, w * 0.86, Hex(0xD6D9DE), false);
    else if (n.rfind("element3a", 0) == 0)
        RowOfCells(cr, w, h);
    else if (n.rfind("element4a", 0) == 0)
        Wrench(cr, w, h);
    else if (n.rfind("element5a", 0) == 0)
        Upgrade(cr, w, h);
    else if (n.rfind("element_new_station", 0) == 0)
        NewPlace(cr, w, h);
    else if (n.rfind("element_manager", 0) == 0)
        Person(cr, w, h);
    else if (n.rfind("element_sport", 0) == 0)
        SideCar(cr, w / 2, h * 0.8, w * 0.9, Hex(0x5A6068), true);
    else
        return false;
    return true;
}

} // namespace artgen
