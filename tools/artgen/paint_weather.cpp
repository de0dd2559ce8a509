// What lies over the scene, many at a time: fog, clouds and their shadows,
// snow flakes, rain streaks, balloons, and the effect frames (smoke puffs,
// combo sparkles, wind gusts, the map's twinkling stars).
#include <algorithm>
#include <cmath>

#include "paint.h"

namespace artgen {
namespace {

    void SoftDisc(cairo_t* cr, double cx, double cy, double r, Rgb c)
    {
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
        cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, c.a);
        cairo_pattern_add_color_stop_rgba(g, 0.6, c.r, c.g, c.b, c.a * 0.85);
        cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
        cairo_set_source(cr, g);
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }

    void Fog(cairo_t* cr, double w, double h, bool flipped)
    {
        Source(cr, Hex(0xE4E7EC, 0.55));
        cairo_paint(cr);
        for (int i = 0; i < 40; ++i) {
            const double u = std::fmod(i * 0.618, 1.0), v = std::fmod(i * 0.377 + 0.1, 1.0);
            SoftDisc(cr, (flipped ? 1 - u : u) * w, v * h, h * 0.22, Hex(0xE4E7EC, 0.35));
        }
    }

    // A cloud, or its shadow on the ground. The shadow's puffs are drawn as
    // one layer and laid down faintly, so where they overlap it does not
    // darken further: a light shade the cells and cars under it read through.
    void Cloud(cairo_t* cr, double w, double h, bool shadow)
    {
        const double puffs[5][3] = { { 0.25, 0.6, 0.22 }, { 0.45, 0.45, 0.3 }, { 0.68, 0.55, 0.25 },
            { 0.82, 0.68, 0.16 }, { 0.15, 0.72, 0.14 } };
        if (shadow)
            cairo_push_group(cr);
        for (const auto& p : puffs)
            SoftDisc(cr, w * p[0], h * p[1], std::min(w / 2, h) * p[2] * 1.6,
                shadow ? Hex(0x141923) : Hex(0xFAFAFC, 0.92));
        if (shadow) {
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, 0.22);
        }
    }

    void Flake(cairo_t* cr, double w, double h)
    {
        const double cx = w / 2, cy = h / 2, r = std::min(w, h) / 2 - 0.5;
        SoftDisc(cr, cx, cy, r, Hex(0xFFFFFF, 0.9));
        if (r < 5)
            return;
        Source(cr, Hex(0xFFFFFF));
        cairo_set_line_width(cr, 1.2);
        for (int i = 0; i < 3; ++i) {
            const double a = i * M_PI / 3;
            cairo_move_to(cr, cx - std::cos(a) * r, cy - std::sin(a) * r);
            cairo_line_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
        }
        cairo_stroke(cr);
    }

    void Drop(cairo_t* cr, double w, double h)
    {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.78, 0.84, 0.94, 0.2);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.78, 0.84, 0.94, 0.9);
        cairo_set_source(cr, g);
        cairo_set_line_width(cr, std::max(1.0, w / 2));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, w - 1, 1);
        cairo_line_to(cr, 1, h - 1);
        cairo_stroke(cr);
        cairo_pattern_destroy(g);
    }

    // The smoke of a broken pump: puffs rising from the pump's head, which
    // stands at the bottom right of the frame, and drifting up to the left
    // along the gap between the two cells behind the pump, growing and
    // fading as they go. Over the eight frames each puff moves on to where
    // the next one was, so the frames loop without a jump. Drawn in an 80 x 80
    // box; the smaller screen's frames are the same box shrunk.
    void Smoke(cairo_t* cr, double w, double h, double t)
    {
        cairo_save(cr);
        cairo_scale(cr, w / 80.0, h / 80.0);
        // The puffs' way: a curve from the head up into the gap.
        const auto at = [](double s, double& x, double& y) {
            const double u = 1 - s;
            x = u * u * 72 + 2 * u * s * 80 + s * s * 42;
            y = u * u * 76 + 2 * u * s * 50 + s * s * 17;
        };
        constexpr int kPuffs = 4;
        for (int k = kPuffs - 1; k >= 0; --k) {
            const double s = (k + t) / kPuffs;
            double x = 0, y = 0;
            at(s, x, y);
            const double r = 7 + 10 * s, a = 0.85 * (1 - s * s);
            SoftDisc(cr, x, y, r, Hex(0x4E4E54, a));
            // the lit side, towards the top left
            SoftDisc(cr, x - r * 0.3, y - r * 0.3, r * 0.55, Hex(0x9C9CA2, a * 0.7));
        }
        cairo_restore(cr);
    }

    // Sparkles: a bright four-pointed star with smaller ones around it,
    // growing and turning over the frames.
    void Sparkle(cairo_t* cr, double w, double h, double t, Rgb colour)
    {
        const double m = std::min(w, h), cx = w / 2, cy = h / 2;
        SoftDisc(cr, cx, cy, m * (0.2 + 0.25 * t), WithAlpha(colour, 0.5));
        PathStar(cr, cx, cy, m * (0.2 + 0.28 * t), m * 0.06, 4, t * 0.8);
        Source(cr, Hex(0xFFFFF0));
        cairo_fill_preserve(cr);
        Source(cr, colour);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        for (int i = 0; i < 5; ++i) {
            const double a = i * 2 * M_PI / 5 + t * 2, d = m * (0.18 + 0.25 * t);
            PathStar(cr, cx + std::cos(a) * d, cy + std::sin(a) * d, m * 0.07 * (1 - t * 0.5), m * 0.02, 4, 0);
            Source(cr, WithAlpha(colour, 1 - t * 0.6));
            cairo_fill(cr);
        }
    }

    void Gust(cairo_t* cr, double w, double h, double t)
    {
        Source(cr, Hex(0xFFFFFF, 0.75 - 0.5 * t));
        cairo_set_line_width(cr, 2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int i = 0; i < 3; ++i) {
            const double y = h * (0.3 + 0.2 * i);
            cairo_move_to(cr, w * (0.1 + 0.2 * t), y);
            cairo_curve_to(cr, w * 0.4, y - h * 0.1, w * 0.6, y + h * 0.1, w * (0.7 + 0.2 * t), y);
        }
        cairo_stroke(cr);
    }

    void Balloon(cairo_t* cr, double w, double h, const std::string& n)
    {
        const int group = static_cast<int>(n.size() % kGroups);
        cairo_move_to(cr, w / 2, h * 0.7);
        cairo_line_to(cr, w / 2, h);
        Source(cr, Hex(0x3C3228));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_new_path(cr);
        cairo_arc(cr, w / 2, h * 0.38, std::min(w, h) * 0.36, 0, 2 * M_PI);
        FillStroke(cr, GroupHue(group), Shade(GroupHue(group), -0.5), 1.5);
    }

} // namespace

bool PaintWeather(cairo_t* cr, const ImageEntry& e, const std::string& n)
{
    const double w = e.width, h = e.height;
    if (e.kind == Kind::Effect) {
        const int frame = FrameNumber(n);
        if (Has(n, "smoke"))
            Smoke(cr, w, h, (frame % 8) / 8.0);
        else if (Has(n, "wind"))
            Gust(cr, w, h, (frame % 10) / 9.0);
        else if (Has(n, "stars"))
            Sparkle(cr, w, h, (frame % 36) / 35.0, Hex(0xF2C12E));
        else
            Sparkle(cr, w, h, (frame % 8) / 7.0, Has(n, "lot_done") ? Hex(0x2E9E48) : Hex(0xE8A020));
        return true;
    }
    if (e.kind != Kind::Weather)
        return false;
    if (Has(n, "fog"))
        Fog(cr, w, h, Has(n, "flip"));
    else if (Has(n, "shadow"))
        Cloud(cr, w, h, true);
    else if (Has(n, "cloud") || Has(n, "wolke"))
        Cloud(cr, w, h, false);
    else if (Has(n, "rain"))
        Drop(cr, w, h);
    else if (Has(n, "snow"))
        Flake(cr, w, h);
    else
        Balloon(cr, w, h, n);
    return true;
}

} // namespace artgen
