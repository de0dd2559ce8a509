// The shapes the lots' buildings are made of, and which painter draws which
// building.
#include "lot_shapes.h"

#include <cmath>
#include <map>

namespace artgen {
namespace lot {

    Pt Lot::P(double u, double v, double z) const
    {
        const auto& p = f.p;
        const double w[4] = { (1 - u) * (1 - v), u * (1 - v), u * v, (1 - u) * v };
        Pt r;
        for (int i = 0; i < 4; ++i) {
            r.x += w[i] * p[i][0];
            r.y += w[i] * p[i][1];
        }
        r.y -= z;
        return r;
    }

    void MoveTo(cairo_t* cr, const Lot& l, double u, double v, double z)
    {
        const Pt p = l.P(u, v, z);
        cairo_move_to(cr, p.x, p.y);
    }

    void LineTo(cairo_t* cr, const Lot& l, double u, double v, double z)
    {
        const Pt p = l.P(u, v, z);
        cairo_line_to(cr, p.x, p.y);
    }

    namespace {

        // A quad through four raised spots, filled and edged.
        void Quad(cairo_t* cr, const Lot& l, const double (&q)[4][3], Rgb fill, double edge = 1.2)
        {
            MoveTo(cr, l, q[0][0], q[0][1], q[0][2]);
            for (int i = 1; i < 4; ++i)
                LineTo(cr, l, q[i][0], q[i][1], q[i][2]);
            cairo_close_path(cr);
            if (edge > 0) {
                FillStroke(cr, fill, Hex(kEdge), edge);
            } else {
                Source(cr, fill);
                cairo_fill(cr);
            }
        }

    } // namespace

    void Patch(cairo_t* cr, const Lot& l, double u0, double v0, double u1, double v1, double z, Rgb fill)
    {
        const double q[4][3] = { { u0, v0, z }, { u1, v0, z }, { u1, v1, z }, { u0, v1, z } };
        Quad(cr, l, q, fill, 0);
    }

    void Ground(cairo_t* cr, const Lot& l, Rgb top)
    {
        Slab(cr, l.f, top, 5);
    }

    void Shadow(cairo_t* cr, const Lot& l, double u0, double v0, double u1, double v1, double height)
    {
        const double reach = height * 0.004;
        cairo_save(cr);
        PathPolygon(cr, l.f.p, 4);
        cairo_clip(cr);
        MoveTo(cr, l, u0, v0, 0);
        LineTo(cr, l, u1, v0, 0);
        LineTo(cr, l, u1 + reach * 0.3, v1 + reach, 0);
        LineTo(cr, l, u0 + reach * 0.3, v1 + reach, 0);
        cairo_close_path(cr);
        Source(cr, Hex(0x000000, 0.22));
        cairo_fill(cr);
        cairo_restore(cr);
    }

    void Box(
        cairo_t* cr, const Lot& l, double u0, double v0, double u1, double v1, double z0, double z1, Rgb wall, Rgb top)
    {
        const double left[4][3] = { { u0, v0, z0 }, { u0, v1, z0 }, { u0, v1, z1 }, { u0, v0, z1 } };
        const double right[4][3] = { { u0, v1, z0 }, { u1, v1, z0 }, { u1, v1, z1 }, { u0, v1, z1 } };
        const double roof[4][3] = { { u0, v0, z1 }, { u1, v0, z1 }, { u1, v1, z1 }, { u0, v1, z1 } };
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        Quad(cr, l, left, Shade(wall, -0.04));
        Quad(cr, l, right, Shade(wall, -0.3));
        const Pt a = l.P(u0, v0, z1), b = l.P(u1, v1, z1);
        MoveTo(cr, l, u0, v0, z1);
        for (int i = 1; i < 4; ++i)
            LineTo(cr, l, roof[i][0], roof[i][1], roof[i][2]);
        cairo_close_path(cr);
        LinearGradient(cr, a.x, a.y, b.x, b.y, Shade(top, 0.15), Shade(top, -0.1));
        cairo_fill_preserve(cr);
        Source(cr, Hex(kEdge));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }

    void LeftPanel(cairo_t* cr, const Lot& l, double u, double v0, double v1, double z0, double z1, Rgb fill)
    {
        const double q[4][3] = { { u, v0, z0 }, { u, v1, z0 }, { u, v1, z1 }, { u, v0, z1 } };
        Quad(cr, l, q, fill, 0.8);
    }

    void RightPanel(cairo_t* cr, const Lot& l, double v, double u0, double u1, double z0, double z1, Rgb fill)
    {
        const double q[4][3] = { { u0, v, z0 }, { u1, v, z0 }, { u1, v, z1 }, { u0, v, z1 } };
        Quad(cr, l, q, fill, 0.8);
    }

    void Windows(cairo_t* cr, const Lot& l, bool left, double at, double from, double to, double z0, double z1,
        int columns, int rows, Rgb glass)
    {
        const double du = (to - from) / columns, dz = (z1 - z0) / rows;
        for (int c = 0; c < columns; ++c) {
            for (int r = 0; r < rows; ++r) {
                const double a = from + du * (c + 0.2), b = from + du * (c + 0.8);
                const double lo = z0 + dz * (r + 0.2), hi = z0 + dz * (r + 0.8);
                const Rgb g = Shade(glass, (c + r) % 3 == 0 ? 0.25 : left ? 0.05 : -0.1);
                if (left)
                    LeftPanel(cr, l, at, a, b, lo, hi, g);
                else
                    RightPanel(cr, l, at, a, b, lo, hi, g);
            }
        }
    }

    void Cylinder(cairo_t* cr, const Lot& l, double u, double v, double radius, double z0, double z1, Rgb colour)
    {
        const Pt c = l.P(u, v, 0);
        const double ry = radius * 0.45;
        const auto ellipse = [&](double z, bool whole) {
            cairo_save(cr);
            cairo_translate(cr, c.x, c.y - z);
            cairo_scale(cr, radius, ry);
            if (whole)
                cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            else
                cairo_arc(cr, 0, 0, 1, 0, M_PI);
            cairo_restore(cr);
        };
        cairo_move_to(cr, c.x - radius, c.y - z1);
        cairo_line_to(cr, c.x + radius, c.y - z1);
        cairo_line_to(cr, c.x + radius, c.y - z0);
        ellipse(z0, false);
        cairo_close_path(cr);
        LinearGradient(cr, c.x - radius, 0, c.x + radius, 0, Shade(colour, 0.2), Shade(colour, -0.35));
        cairo_fill_preserve(cr);
        Source(cr, Hex(kEdge));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_new_path(cr);
        ellipse(z1, true);
        Source(cr, Shade(colour, 0.3));
        cairo_fill_preserve(cr);
        Source(cr, Hex(kEdge));
        cairo_stroke(cr);
    }

    void Pole(cairo_t* cr, const Lot& l, double u, double v, double z0, double z1, double width, Rgb colour)
    {
        const Pt a = l.P(u, v, z0), b = l.P(u, v, z1);
        cairo_rectangle(cr, a.x - width / 2, b.y, width, a.y - b.y);
        LinearGradient(cr, a.x - width / 2, 0, a.x + width / 2, 0, Shade(colour, 0.25), Shade(colour, -0.35));
        cairo_fill(cr);
    }

    void Line(cairo_t* cr, const Lot& l, double u0, double v0, double z0, double u1, double v1, double z1, double width,
        Rgb colour)
    {
        MoveTo(cr, l, u0, v0, z0);
        LineTo(cr, l, u1, v1, z1);
        Source(cr, colour);
        cairo_set_line_width(cr, width);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }

    void Car(cairo_t* cr, const Lot& l, double u, double v, bool alongU, Rgb body)
    {
        const double hu = alongU ? 0.11 : 0.06, hv = alongU ? 0.07 : 0.13;
        const Rgb glass = Hex(0x5A7890);
        // wheels under the body's two visible sides
        Source(cr, Hex(0x1E1E20));
        for (const double t : { -0.6, 0.6 }) {
            const Pt w = alongU ? l.P(u + hu * t, v + hv, 2.5) : l.P(u - hu, v + hv * t, 2.5);
            cairo_arc(cr, w.x, w.y, 3, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        Box(cr, l, u - hu, v - hv, u + hu, v + hv, 2, 9, body, body);
        const double cu = alongU ? hu * 0.55 : hu * 0.9, cv = alongU ? hv * 0.9 : hv * 0.55;
        const double off = alongU ? -0.015 : 0;
        Box(cr, l, u - cu + off, v - cv, u + cu + off, v + cv, 9, 14, glass, Shade(body, 0.1));
    }

    void Pump(cairo_t* cr, const Lot& l, double u, double v, double z, double height, Rgb body, Rgb band)
    {
        const double hu = 0.035, hv = 0.05;
        Box(cr, l, u - hu, v - hv, u + hu, v + hv, z, z + height, body, Shade(body, 0.2));
        Box(cr, l, u - hu, v - hv, u + hu, v + hv, z + height * 0.78, z + height, band, band);
        // the display on the lit side and the hose hanging from it
        LeftPanel(cr, l, u - hu, v - hv * 0.6, v + hv * 0.6, z + height * 0.5, z + height * 0.7, Hex(0xD8F0E8));
        Line(cr, l, u - hu, v + hv * 0.7, z + height * 0.6, u - hu - 0.02, v + hv * 1.1, z + height * 0.25, 1.6,
            Hex(0x1A1A1A));
    }

} // namespace lot

bool PaintLotBuilding(cairo_t* cr, const Face& f, const std::string& n)
{
    // "lot_washm.png": the kind of building, and "m" for its extended form.
    const std::size_t dot = n.find('.');
    std::string kind = n.substr(4, dot == std::string::npos ? std::string::npos : dot - 4);
    lot::Lot l { f, false };
    using Painter = void (*)(cairo_t*, const lot::Lot&);
    static const std::map<std::string, Painter> painters = { { "wash", lot::Wash }, { "shop", lot::Shop },
        { "workshop", lot::Workshop }, { "office", lot::Office }, { "diner", lot::Diner },
        { "training", lot::Training }, { "depot", lot::Depot }, { "floodlight", lot::Floodlight },
        { "tower", lot::Tower }, { "crane", lot::Crane }, { "concrete", lot::Concrete }, { "weather", lot::Weather },
        { "playground", lot::Playground }, { "diesel", lot::Diesel }, { "canopy", lot::Canopy },
        { "carpark", lot::Carpark }, { "carpark2", lot::Carpark2 } };
    // "<kind>m" is the extended form of a kind.
    if (!painters.contains(kind) && !kind.empty() && kind.back() == 'm') {
        kind.pop_back();
        l.extended = true;
    }
    const auto painter = painters.find(kind);
    if (painter == painters.end())
        return false;
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    painter->second(cr, l);
    cairo_restore(cr);
    return true;
}

} // namespace artgen
