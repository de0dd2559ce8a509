// Cars seen from above at the station's angle: a body on the footprint the
// game hit-tests for a car on the road or in the stack, a cabin with
// windows, wheels, and on the roof the colour group's mark.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "car_footprint.h"
#include "paint.h"

namespace artgen {
namespace {

    constexpr auto& kAlong = kCarFootprintAlong;
    constexpr auto& kAcross = kCarFootprintAcross;

    struct Quad {
        double p[4][2];
    };

    // The point at (u, v) of the parallelogram spanned from p0.
    void At(const Quad& q, double u, double v, double& x, double& y)
    {
        x = q.p[0][0] + (q.p[1][0] - q.p[0][0]) * u + (q.p[3][0] - q.p[0][0]) * v;
        y = q.p[0][1] + (q.p[1][1] - q.p[0][1]) * u + (q.p[3][1] - q.p[0][1]) * v;
    }

    Quad Part(const Quad& q, double u0, double u1, double v0, double v1, double lift)
    {
        Quad r;
        At(q, u0, v0, r.p[0][0], r.p[0][1]);
        At(q, u1, v0, r.p[1][0], r.p[1][1]);
        At(q, u1, v1, r.p[2][0], r.p[2][1]);
        At(q, u0, v1, r.p[3][0], r.p[3][1]);
        for (auto& p : r.p)
            p[1] -= lift;
        return r;
    }

    // A box from `base` up by `height`: the sides facing the viewer, then the top.
    void Box(cairo_t* cr, const Quad& base, double height, Rgb colour, Rgb sideColour, double edge)
    {
        double cx = 0, cy = 0;
        for (const auto& p : base.p) {
            cx += p[0] / 4;
            cy += p[1] / 4;
        }
        for (int i = 0; i < 4; ++i) {
            const auto& a = base.p[i];
            const auto& b = base.p[(i + 1) % 4];
            // the edge's outward normal
            double nx = b[1] - a[1], ny = a[0] - b[0];
            if (nx * ((a[0] + b[0]) / 2 - cx) + ny * ((a[1] + b[1]) / 2 - cy) < 0) {
                nx = -nx;
                ny = -ny;
            }
            if (ny <= 0)
                continue;
            const double side[4][2]
                = { { a[0], a[1] }, { b[0], b[1] }, { b[0], b[1] - height }, { a[0], a[1] - height } };
            PathPolygon(cr, side, 4);
            FillStroke(cr, Shade(sideColour, nx < 0 ? 0.0 : -0.25), Hex(0x151515), edge);
        }
        Quad top = base;
        for (auto& p : top.p)
            p[1] -= height;
        PathPolygon(cr, top.p, 4);
        VerticalGradient(cr, top.p[1][1], top.p[3][1], Shade(colour, 0.25), Shade(colour, -0.1));
        cairo_fill_preserve(cr);
        Source(cr, Hex(0x151515));
        cairo_set_line_width(cr, edge);
        cairo_stroke(cr);
    }

    Rgb CarColour(const std::string& n, int group)
    {
        if (group >= 0)
            return GroupHue(group);
        if (Has(n, "black"))
            return Hex(0x34363A);
        if (Has(n, "_a_"))
            return Hex(0xB8BCC2);
        if (Has(n, "_b_"))
            return Hex(0x6E8C8A);
        return Hex(0xA0A4AA);
    }

} // namespace

bool PaintVehicle(cairo_t* cr, const ImageEntry& e, const std::string& n)
{
    if (e.kind != Kind::Car)
        return false;
    const double sx = e.width / 140.0, sy = e.height / 110.0, s = std::min(sx, sy);
    const bool across = Has(n, "_3.") || Has(n, "_7.");
    Quad q;
    for (int i = 0; i < 4; ++i) {
        q.p[i][0] = (across ? kAcross : kAlong)[i][0] * sx;
        q.p[i][1] = (across ? kAcross : kAlong)[i][1] * sy;
    }
    // Both outlines run long from p0 to p1 and short from p0 to p3.
    const int group = NameGroup(n);
    const bool ghost = Has(n, "fantom");
    const bool hover = Has(n, "_over");
    // The grid levels' joker (a cream car marked "J", as in the bar) and bomb
    // (a dark car carrying a bomb).
    const bool bomb = Has(n, "joker_bomb");
    const bool joker = !bomb && Has(n, "joker");
    const bool van = Has(n, "_2.") || Has(n, "_2_over") || (n.size() > 2 && n.substr(n.size() - 2) == "_2")
        || Has(n, "bus") || Has(n, "track");
    Rgb body = ghost ? Hex(0xE8ECF0) : bomb ? Hex(0x3A3C42) : joker ? Hex(0xF4EEDC) : CarColour(n, group);
    if (hover)
        body = Shade(body, 0.3);
    const double lift = 12 * s, cabin = (van ? 16 : 11) * s, edge = std::max(1.0, 1.5 * s);
    if (ghost)
        cairo_push_group(cr);
    // Everything stands a little lower so that the car as seen is centred
    // on the footprint.
    cairo_translate(cr, 0, lift * 0.6);
    // shadow and wheels
    const Quad shadow = Part(q, 0.02, 1.0, 0.05, 1.03, -3 * s);
    PathPolygon(cr, shadow.p, 4);
    Source(cr, Hex(0x000000, 0.3));
    cairo_fill(cr);
    for (double u : { 0.2, 0.8 }) {
        for (double v : { 0.05, 0.95 }) {
            double x, y;
            At(q, u, v, x, y);
            cairo_new_path(cr);
            cairo_arc(cr, x, y, 7 * s, 0, 2 * M_PI);
            Source(cr, Hex(0x161616));
            cairo_fill(cr);
        }
    }
    Box(cr, Part(q, 0.03, 0.97, 0.06, 0.94, 0), lift, body, Shade(body, -0.15), edge);
    const double c0 = van ? 0.12 : 0.3, c1 = van ? 0.88 : 0.75;
    const Quad cabinBase = Part(q, c0, c1, 0.14, 0.86, lift);
    Box(cr, cabinBase, cabin, Shade(body, 0.15), Shade(body, -0.1), edge);
    // windscreen hint at the front
    const Quad glass = Part(q, c1 - 0.08, c1 - 0.02, 0.2, 0.8, lift + cabin);
    PathPolygon(cr, glass.p, 4);
    Source(cr, Hex(0x9CC4E8, 0.9));
    cairo_fill(cr);
    if (group >= 0 && !ghost && e.width >= 60) {
        double x, y;
        At(q, (c0 + c1) / 2 - 0.03, 0.5, x, y);
        GroupMark(cr, group, x, y - lift - cabin, 11 * s, true);
    }
    if (joker || bomb) {
        double x, y;
        At(q, (c0 + c1) / 2 - 0.03, 0.5, x, y);
        y -= lift + cabin;
        if (joker) {
            Text(cr, "J", x, y, 40 * s, Hex(0xC0302A), Hex(0x1A1A1A));
        } else {
            cairo_new_path(cr);
            cairo_arc(cr, x, y, 12 * s, 0, 2 * M_PI);
            FillStroke(cr, Hex(0x141414), Hex(0xF08020), edge);
            PathStar(cr, x + 10 * s, y - 14 * s, 7 * s, 3 * s, 6, 0);
            Source(cr, Hex(0xF08020));
            cairo_fill(cr);
        }
    }
    if (hover) {
        const Quad ring = Part(q, -0.03, 1.03, -0.05, 1.05, 0);
        PathPolygon(cr, ring.p, 4);
        Source(cr, Hex(0xFFFFFF, 0.95));
        cairo_set_line_width(cr, 3 * s);
        cairo_stroke(cr);
    }
    if (ghost) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.55);
    }
    return true;
}

} // namespace artgen
