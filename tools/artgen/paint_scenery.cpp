// Backgrounds: each region's ground and sky with the road the station
// levels declare (asphalt.h), the start screens, the map, the city, the task
// comics; and the level decorations
// (parking lots, houses, rocks, stones, cacti, the rock overlays).
#include <algorithm>
#include <cctype>
#include <cmath>

#include "asphalt.h"
#include "paint.h"

namespace artgen {
namespace {

    struct Region {
        unsigned sky, ground, speckle, road;
        bool wideRoad;
    };

    Region RegionOf(const std::string& folder, const std::string& n)
    {
        if (Has(folder, "escimo") || Has(n, "snow"))
            return { 0xB8CCE0, 0xECF1F6, 0xB4C6DC, 0x707880, false };
        if (Has(folder, "usa") || Has(n, "usa"))
            return { 0xA8C4D8, 0xC6B070, 0xA08A48, 0x55524E, true };
        if (Has(folder, "rock") || Has(n, "rock"))
            return { 0xA4B0B8, 0x8A7E70, 0x6A6056, 0x585450, false };
        if (Has(folder, "desert") || Has(n, "wueste") || Has(n, "desert"))
            return { 0xC4D0D4, 0xDCC08A, 0xB89858, 0x6A6258, false };
        return { 0xA8C0CC, 0x78A058, 0x5E8A44, 0x5A5C5E, false };
    }

    void Speckles(cairo_t* cr, double w, double h, double top, Rgb colour, int count)
    {
        Source(cr, colour);
        for (int i = 0; i < count; ++i) {
            const double x = std::fmod(i * 97.31, 1.0) * w, y = top + std::fmod(i * 0.6180339, 1.0) * (h - top);
            cairo_new_path(cr);
            cairo_arc(cr, x, y, 1.5 + std::fmod(i * 0.37, 1.0) * 2.5, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }

    void Road(cairo_t* cr, double w, double h, Rgb asphalt, bool wide)
    {
        const double sx = w / 1280.0, sy = h / 1024.0, half = (wide ? kWideRoadHalf : kRoadHalf) * sy;
        const double x0 = kRoadLine[0] * sx, y0 = kRoadLine[1] * sy, x1 = kRoadLine[2] * sx, y1 = kRoadLine[3] * sy;
        const Quad road = AsphaltOf(false, wide, w, h).front();
        cairo_new_path(cr);
        for (int i = 0; i < 8; i += 2)
            cairo_line_to(cr, road[i], road[i + 1]);
        cairo_close_path(cr);
        Source(cr, asphalt);
        cairo_fill(cr);
        Source(cr, Hex(0xE8E4D8));
        cairo_set_line_width(cr, 3 * sy);
        for (double d : { -half + 4 * sy, half - 4 * sy }) {
            cairo_move_to(cr, x0, y0 + d);
            cairo_line_to(cr, x1, y1 + d);
        }
        cairo_stroke(cr);
        const double dash[2] = { 30 * sx, 24 * sx };
        cairo_set_dash(cr, dash, 2, 0);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        Source(cr, Hex(0xF0E0A0));
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }

    void Landscape(cairo_t* cr, double w, double h, const Region& r, bool road)
    {
        const double horizon = h * 0.06;
        VerticalGradient(cr, 0, horizon, Shade(Hex(r.sky), 0.3), Hex(r.sky));
        cairo_rectangle(cr, 0, 0, w, horizon);
        cairo_fill(cr);
        VerticalGradient(cr, horizon, h, Shade(Hex(r.ground), 0.08), Shade(Hex(r.ground), -0.12));
        cairo_rectangle(cr, 0, horizon, w, h - horizon);
        cairo_fill(cr);
        Speckles(cr, w, h, horizon, WithAlpha(Hex(r.speckle), 0.5), static_cast<int>(w * h / 2500));
        if (road)
            Road(cr, w, h, Hex(r.road), r.wideRoad);
    }

    void Clouds(cairo_t* cr, double w, double h, double alpha)
    {
        for (int i = 0; i < 6; ++i) {
            const double cx = w * (0.08 + 0.17 * i), cy = h * (0.35 + 0.2 * std::sin(i * 1.7));
            for (int j = 0; j < 3; ++j) {
                cairo_new_path(cr);
                cairo_arc(
                    cr, cx + (j - 1) * h * 0.16, cy - (j == 1 ? h * 0.08 : 0), h * (j == 1 ? 0.2 : 0.14), 0, 2 * M_PI);
                Source(cr, Hex(0xFFFFFF, alpha));
                cairo_fill(cr);
            }
        }
    }

    void Parking(cairo_t* cr, double w, double h)
    {
        const double pts[4][2] = { { 0, h * 0.5 }, { w * 0.55, 0 }, { w, h * 0.45 }, { w * 0.45, h } };
        PathPolygon(cr, pts, 4);
        FillStroke(cr, Hex(0x6A6C70), Hex(0x3A3C40), 2);
        Source(cr, Hex(0xF0F0E8));
        cairo_set_line_width(cr, 2);
        for (int i = 1; i < 5; ++i) {
            const double t = i / 5.0;
            cairo_move_to(cr, w * 0.55 * t, h * 0.5 - h * 0.5 * t);
            cairo_line_to(cr, w * 0.55 * t + w * 0.2, h * 0.5 - h * 0.5 * t + h * 0.2);
        }
        cairo_stroke(cr);
    }

    void House(cairo_t* cr, double w, double h)
    {
        cairo_rectangle(cr, w * 0.15, h * 0.45, w * 0.7, h * 0.5);
        FillStroke(cr, Hex(0xE0D0B0), Hex(0x3A3020), 2);
        const double roof[3][2] = { { w * 0.08, h * 0.47 }, { w * 0.5, h * 0.1 }, { w * 0.92, h * 0.47 } };
        PathPolygon(cr, roof, 3);
        FillStroke(cr, Hex(0xA04A3A), Hex(0x3A1A10), 2);
        cairo_rectangle(cr, w * 0.25, h * 0.58, w * 0.15, h * 0.14);
        cairo_rectangle(cr, w * 0.6, h * 0.58, w * 0.15, h * 0.14);
        Source(cr, Hex(0x5A7A9A));
        cairo_fill(cr);
        cairo_rectangle(cr, w * 0.44, h * 0.7, w * 0.12, h * 0.25);
        Source(cr, Hex(0x6A4426));
        cairo_fill(cr);
    }

    void CityStreets(cairo_t* cr, double w, double h)
    {
        const double sx = w / 1280.0, sy = h / 1024.0;
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int pass = 0; pass < 2; ++pass) {
            for (const auto& l : kStreets) {
                cairo_move_to(cr, l[0] * sx, l[1] * sy);
                cairo_line_to(cr, l[2] * sx, l[3] * sy);
            }
            Source(cr, pass == 0 ? Hex(0x5A5C5E) : Hex(0xE8E0B0));
            cairo_set_line_width(cr, pass == 0 ? kStreetBreadth * sy : 2);
            const double dash[2] = { 18 * sx, 22 * sx };
            cairo_set_dash(cr, dash, pass == 0 ? 0 : 2, 0);
            cairo_stroke(cr);
        }
        cairo_set_dash(cr, nullptr, 0, 0);
    }

    // The start screen: a station under a sky, with the game's name.
    void StartScreen(cairo_t* cr, double w, double h, bool menu)
    {
        Landscape(cr, w, h, RegionOf("europa", ""), false);
        VerticalGradient(cr, 0, h * 0.45, Hex(0x7AA8D8), Hex(0xC8DCEC));
        cairo_rectangle(cr, 0, 0, w, h * 0.45);
        cairo_fill(cr);
        Clouds(cr, w, h * 0.3, 0.8);
        // a small station far off on the right, muted, clear of the screens'
        // panels and titles in the middle
        cairo_rectangle(cr, w * 0.8, h * 0.385, w * 0.17, h * 0.018);
        FillStroke(cr, Hex(0xD8D4CA), Hex(0x6A6A6A), 1.5);
        for (int i = 0; i < 3; ++i) {
            cairo_rectangle(cr, w * (0.815 + i * 0.055), h * 0.403, w * 0.012, h * 0.037);
            FillStroke(cr, Shade(GroupHue(i), 0.35), Hex(0x5A5A5A), 1);
        }
        cairo_rectangle(cr, 0, h * 0.49, w, h * 0.08);
        Source(cr, Hex(0x5A5C5E));
        cairo_fill(cr);
        if (!menu)
            Text(cr, "VANDREL", w / 2, h * 0.16, h * 0.12, Hex(0xFFF4D0), Hex(0x5A2A10));
    }

    void Map(cairo_t* cr, double w, double h)
    {
        // A deep sea, so the map's white and yellow texts read on it.
        VerticalGradient(cr, 0, h, Hex(0x1E4668), Hex(0x163652));
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_fill(cr);
        // A land for each region under its column of level pins (x 150..240,
        // 380..470, 610..700, 840..930, 1070..1160; y 360..760 on the design),
        // clear of the player's line below, and its name on a plate above.
        const unsigned lands[5] = { 0x7AA858, 0xE8EEF4, 0xC6B070, 0x8A7E70, 0xDCC08A };
        const char* const names[5] = { "EUROPE", "NORTH", "USA", "ROCKS", "DESERT" };
        const double sx = w / 1280.0, sy = h / 1024.0;
        for (int i = 0; i < 5; ++i) {
            cairo_save(cr);
            cairo_translate(cr, (195 + 230 * i) * sx, 548 * sy);
            cairo_scale(cr, 112 * sx, 252 * sy);
            cairo_new_path(cr);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
            FillStroke(cr, Hex(lands[i]), Hex(0x0E2234), 2);
            const double cx = (195 + 230 * i) * sx, top = 222 * sy, plateH = 34 * sy;
            PathRoundRect(cr, cx - 80 * sx, top, 160 * sx, plateH, 6);
            FillStroke(cr, Hex(0xF2E4CC), Hex(0x5A3A10), 2);
            Text(cr, names[i], cx, top + plateH / 2, FitText(cr, names[i], 140 * sx, plateH * 0.6), Hex(0x4A2A10),
                Hex(0x000000, 0));
        }
    }

    // Under the credits: a night sky, dark enough for white text.
    void CreditsSky(cairo_t* cr, double w, double h)
    {
        VerticalGradient(cr, 0, h, Hex(0x101828), Hex(0x24344A));
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_fill(cr);
        for (int i = 0; i < 60; ++i) {
            const double x = std::fmod(i * 211.7, w), y = std::fmod(i * 97.3, h * 0.9);
            cairo_arc(cr, x, y, 1 + (i % 3) * 0.5, 0, 2 * M_PI);
            Source(cr, Hex(0xFFFFFF, 0.35));
            cairo_fill(cr);
        }
    }

} // namespace

bool PaintScenery(cairo_t* cr, const ImageEntry& e, const std::string& n)
{
    const double w = e.width, h = e.height;
    const bool level = Has(e.folder, "menu_level");
    if (e.kind == Kind::Background) {
        if (Has(e.folder, "menu_start") || Has(e.folder, "logos"))
            StartScreen(cr, w, h, Has(n, "menu") || Has(n, "tankstelle"));
        else if (Has(e.folder, "overlux"))
            Map(cr, w, h);
        else if (Has(e.folder, "menu/images"))
            CreditsSky(cr, w, h);
        else if (Has(e.folder, "menu_buy")) {
            Landscape(cr, w, h, RegionOf("europa", ""), false);
            CityStreets(cr, w, h);
        } else if (Has(n, "comic")) {
            Landscape(cr, w, h, RegionOf("", n), true);
            if (Has(n, "grid"))
                GroupMark(cr, 1, w / 2, h * 0.6, h * 0.15, true);
        } else
            Landscape(cr, w, h, RegionOf(e.folder, n), level);
        return true;
    }
    if (level && n.rfind("rock_", 0) == 0 && Has(n, "_over")) {
        // Lies over the level: clear but for a few boulders along its foot.
        PaintRock(cr, w * 0.15, h * 0.85, w * 0.18, Hex(0x8A7E70));
        PaintRock(cr, w * 0.85, h * 0.88, w * 0.14, Hex(0x7A6E62));
        return true;
    }
    if (level && n.rfind("parking", 0) == 0) {
        Parking(cr, w, h);
        return true;
    }
    if (level && n.rfind("house", 0) == 0) {
        House(cr, w, h);
        return true;
    }
    if (n.rfind("stone", 0) == 0) {
        PaintRock(cr, w / 2, h * 0.6, w * 0.85, Hex(0x9A948A));
        return true;
    }
    if (n.rfind("cactus", 0) == 0) {
        PaintCactus(cr, w / 2, h - 2, h - 4);
        return true;
    }
    if (n.rfind("wolken", 0) == 0) {
        Clouds(cr, w, h, 0.85);
        return true;
    }
    if (n.rfind("mirage", 0) == 0) {
        // a haze over a level not reached yet
        cairo_pattern_t* g = cairo_pattern_create_radial(w / 2, h / 2, 0, w / 2, h / 2, std::min(w, h) / 2);
        cairo_pattern_add_color_stop_rgba(g, 0, 0.95, 0.96, 0.98, 0.8);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.95, 0.96, 0.98, 0);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        return true;
    }
    return false;
}

} // namespace artgen
