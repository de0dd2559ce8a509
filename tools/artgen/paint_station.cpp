// The station: platforms and fundaments whose top face is exactly the
// quadrilateral the world hit-tests for a cell, the places (pumps) standing
// on that face in their colour group, the colour markers over them, and the
// shop's lots and the houses on the lot face the shop hit-tests.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

#include "paint.h"

namespace artgen {
namespace {

    // The quadrilateral the world hit-tests, from a cell's point.
    constexpr double kCellFace[4][2] = { { 17, 96 }, { 146, 47 }, { 215, 138 }, { 93, 190 } };
    // The lot quadrilateral the shop hit-tests, from a lot's point, in a
    // 150 x 215 image at 1280 x 1024.
    constexpr double kLotFace[4][2] = { { 0, 141 }, { 100, 107 }, { 147, 173 }, { 47, 210 } };

    Face MakeFace(const double (*from)[2], double dx, double dy, double sx = 1, double sy = 1)
    {
        Face f;
        for (int i = 0; i < 4; ++i) {
            f.p[i][0] = from[i][0] * sx + dx;
            f.p[i][1] = from[i][1] * sy + dy;
            f.cx += f.p[i][0] / 4;
            f.cy += f.p[i][1] / 4;
        }
        return f;
    }

    bool Small(const ImageEntry& e)
    {
        return e.folder.size() >= 5 && e.folder.compare(e.folder.size() - 5, 5, "_1024") == 0;
    }

    void Tufts(cairo_t* cr, const Face& f, Rgb colour, int count)
    {
        Source(cr, colour);
        cairo_set_line_width(cr, 1.2);
        for (int i = 0; i < count; ++i) {
            double x = 0, y = 0;
            At(f, 0.1 + 0.8 * std::fmod(i * 0.618, 1.0), 0.1 + 0.8 * std::fmod(i * 0.383 + 0.2, 1.0), x, y);
            cairo_move_to(cr, x - 3, y);
            cairo_line_to(cr, x - 1, y - 4);
            cairo_move_to(cr, x + 2, y);
            cairo_line_to(cr, x + 3, y - 4);
            cairo_stroke(cr);
        }
    }

    void Seams(cairo_t* cr, const Face& f, Rgb colour, int cuts)
    {
        Source(cr, colour);
        cairo_set_line_width(cr, 1);
        for (int i = 1; i < cuts; ++i) {
            double x0, y0, x1, y1;
            At(f, double(i) / cuts, 0, x0, y0);
            At(f, double(i) / cuts, 1, x1, y1);
            cairo_move_to(cr, x0, y0);
            cairo_line_to(cr, x1, y1);
            At(f, 0, double(i) / cuts, x0, y0);
            At(f, 1, double(i) / cuts, x1, y1);
            cairo_move_to(cr, x0, y0);
            cairo_line_to(cr, x1, y1);
        }
        cairo_stroke(cr);
    }

    void Outline(cairo_t* cr, const Face& f, Rgb colour, double width)
    {
        PathPolygon(cr, f.p, 4);
        Source(cr, colour);
        cairo_set_line_width(cr, width);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }

    void PaintGround(cairo_t* cr, const Face& f, const std::string& n)
    {
        if (Has(n, "_over")) {
            // The hover frame lies over the platform: light, mostly clear.
            PathPolygon(cr, f.p, 4);
            Source(cr, Hex(0xFFF6C0, Has(n, "green") || Has(n, "red") ? 0.35 : 0.25));
            cairo_fill(cr);
            const Rgb edge = Has(n, "green") ? Hex(0x3CD05A) : Has(n, "red") ? Hex(0xE04030) : Hex(0xFFE680);
            Outline(cr, f, edge, 4);
            return;
        }
        // The first word of the name that has a colour of its own decides.
        static const std::pair<const char*, unsigned> kTops[] = { { "gras", 0x6FA04A }, { "snow", 0xE8EEF4 },
            { "usa", 0xC9B46A }, { "wueste", 0xD9BC82 }, { "kaputt", 0x6C6660 }, { "_on", 0xC8C2A8 },
            { "grid", 0xB9B6AE }, { "platform_57", 0x8FA06A }, { "platform_58", 0xB8A890 } };
        Rgb top = Hex(0xA9A59C);
        for (const auto& [word, colour] : kTops)
            if (Has(n, word)) {
                top = Hex(colour);
                break;
            }
        Slab(cr, f, top, 8);
        if (Has(n, "gras") || Has(n, "usa"))
            Tufts(cr, Inset(f, 0.9), Shade(top, -0.3), 14);
        else if (Has(n, "snow"))
            Tufts(cr, Inset(f, 0.9), Hex(0xB8C8DC), 8);
        else
            Seams(cr, f, Shade(top, -0.18), 3);
        if (Has(n, "grid"))
            Outline(cr, Inset(f, 0.86), Hex(0xFFFFFF, 0.55), 2);
        if (Has(n, "_on"))
            Outline(cr, Inset(f, 0.9), Hex(0xFFE040), 3);
        if (Has(n, "kaputt")) {
            Source(cr, Hex(0x2A2624));
            cairo_set_line_width(cr, 2);
            cairo_move_to(cr, f.p[0][0] + 20, f.p[0][1]);
            cairo_line_to(cr, f.cx - 10, f.cy + 6);
            cairo_line_to(cr, f.cx + 8, f.cy - 4);
            cairo_line_to(cr, f.p[2][0] - 25, f.p[2][1] - 4);
            cairo_stroke(cr);
        }
    }

    // A pump: a concrete island on the face, a column of the group's hue
    // with a display, a hose, and the group's mark on its front.
    void PaintPump(cairo_t* cr, const Face& f, int group, bool hover, bool on, bool broken, int frame)
    {
        const Rgb hue = group >= 0 ? GroupHue(group) : Hex(0x9A9A9A);
        if (group >= 0) {
            PathPolygon(cr, Inset(f, 0.82).p, 4);
            Source(cr, WithAlpha(hue, 0.55));
            cairo_fill_preserve(cr);
            Source(cr, Shade(hue, -0.3));
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
        }
        if (hover)
            Outline(cr, f, Hex(0xFFFFFF, 0.9), 3);
        Slab(cr, Inset(f, 0.38), Hex(0xD4D0C6), 6);
        const double w = 40, h = 74, x = f.cx - w / 2, y = f.cy - h + 4;
        cairo_save(cr);
        if (broken) {
            cairo_translate(cr, f.cx, f.cy);
            cairo_rotate(cr, 0.35);
            cairo_translate(cr, -f.cx, -f.cy);
        }
        // shadow towards the bottom right
        PathRoundRect(cr, x + 10, y + h - 10, w, 14, 6);
        Source(cr, Hex(0x000000, 0.25));
        cairo_fill(cr);
        PathRoundRect(cr, x, y, w, h, 7);
        const Rgb body = broken ? Hex(0x5A5550) : hover ? Shade(hue, 0.25) : hue;
        LinearGradient(cr, x, 0, x + w, 0, Shade(body, 0.25), Shade(body, -0.3));
        cairo_fill_preserve(cr);
        Source(cr, Hex(0x1A1A1A));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        // display
        PathRoundRect(cr, x + 7, y + 7, w - 14, 16, 3);
        Source(cr, on || frame >= 0 ? Hex(0xB8F5A0) : Hex(0xE8F0F0));
        cairo_fill(cr);
        if (frame >= 0) {
            PathRoundRect(cr, x + 9, y + 10, (w - 18) * ((frame % 25) + 1) / 25.0, 10, 2);
            Source(cr, Hex(0x2E7A2E));
            cairo_fill(cr);
        }
        // hose
        Source(cr, Hex(0x202020));
        cairo_set_line_width(cr, 3);
        cairo_move_to(cr, x + w, y + 30);
        cairo_curve_to(cr, x + w + 16, y + 34, x + w + 14, y + 58, x + w + 4, y + 62);
        cairo_stroke(cr);
        if (group >= 0)
            GroupMark(cr, group, f.cx, y + 46, 12, true);
        cairo_restore(cr);
        if (broken) {
            Source(cr, Hex(0xE03020));
            cairo_set_line_width(cr, 6);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_move_to(cr, f.cx - 18, f.cy - 58);
            cairo_line_to(cr, f.cx + 18, f.cy - 22);
            cairo_move_to(cr, f.cx + 18, f.cy - 58);
            cairo_line_to(cr, f.cx - 18, f.cy - 22);
            cairo_stroke(cr);
        }
    }

    // A city house on a lot: walls and a roof standing on the lot face; the
    // extended ("m") form is taller with a sign. The buildings the player buys
    // are painted by PaintLotBuilding, each as what it is.
    void PaintBuilding(cairo_t* cr, const Face& f, const std::string& n, double scale)
    {
        const Face base = Inset(f, 0.78);
        Rgb wall = Hex(0xD8CDB8);
        if (Has(n, "wash"))
            wall = Hex(0xA8C8E0);
        else if (Has(n, "shop") || Has(n, "diner"))
            wall = Hex(0xE0B890);
        else if (Has(n, "workshop") || Has(n, "depot"))
            wall = Hex(0xB0A89C);
        else if (Has(n, "house"))
            wall = Hex(0xD0B8A0 + 0x040404 * static_cast<unsigned>(FrameNumber(n) % 6));
        const bool extended = n.size() > 5 && n.compare(n.size() - 5, 5, "m.png") == 0;
        const double height = (extended ? 70 : 52) * scale;
        const auto& p = base.p;
        const double left[4][2] = { { p[0][0], p[0][1] }, { p[3][0], p[3][1] }, { p[3][0], p[3][1] - height },
            { p[0][0], p[0][1] - height } };
        const double right[4][2] = { { p[3][0], p[3][1] }, { p[2][0], p[2][1] }, { p[2][0], p[2][1] - height },
            { p[3][0], p[3][1] - height } };
        Slab(cr, f, Hex(0xA9A59C), 5 * scale);
        PathPolygon(cr, left, 4);
        FillStroke(cr, Shade(wall, -0.05), Hex(0x3A342C), 1.5);
        PathPolygon(cr, right, 4);
        FillStroke(cr, Shade(wall, -0.28), Hex(0x3A342C), 1.5);
        Face roof = base;
        for (auto& q : roof.p)
            q[1] -= height;
        roof.cy -= height;
        Slab(cr, roof, Has(n, "pump") ? Hex(0xE8E4DA) : Hex(0x9A4A3A), 0);
        // windows on the lit wall
        Source(cr, Hex(0x4A6A8A));
        for (int i = 0; i < 3; ++i) {
            const double t = 0.2 + i * 0.27;
            const double x = p[0][0] + (p[3][0] - p[0][0]) * t, y = p[0][1] + (p[3][1] - p[0][1]) * t;
            cairo_move_to(cr, x, y - height * 0.75);
            cairo_line_to(cr, x + 8 * scale, y - height * 0.75 + 4 * scale);
            cairo_line_to(cr, x + 8 * scale, y - height * 0.4 + 4 * scale);
            cairo_line_to(cr, x, y - height * 0.4);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
        if (extended)
            GroupMark(cr, 3, roof.cx, roof.cy - 6 * scale, 7 * scale, false);
    }

    // The station's images for a screen 1280 wide; `small` paints the twin for
    // the smaller screen: the same picture shrunk by that screen's scale, placed
    // where the station view draws it there (its offsets from the cell are
    // design units truncated to pixels), so its face is again the cell's hit
    // area, which shrinks with the screen.
    bool PaintStationElement(cairo_t* cr, const std::string& n, bool small)
    {
        // Screen pixels of the smaller screen back in design units.
        const auto design = [small](double pixels, double scale) { return small ? pixels * scale : pixels; };
        constexpr double kSmallX = 1.25, kSmallY = 1.33;
        if (small)
            cairo_scale(cr, 1 / kSmallX, 1 / kSmallY);
        if (n.rfind("platform", 0) == 0 || n.rfind("fundament", 0) == 0 || Has(n, "kaputt_platform")) {
            // Platforms are drawn 15 design units left of and 25 below the
            // cell's point.
            const Face f = MakeFace(kCellFace, design(small ? 12 : 15, kSmallX), -design(small ? 18 : 25, kSmallY));
            if (n.rfind("platform_rahmen", 0) == 0) {
                // the rim round a working place's platform
                Outline(cr, f, Hex(0xFFFFFF, 0.7), 3);
                Outline(cr, Inset(f, 0.95), Hex(0x000000, 0.25), 1.5);
                return true;
            }
            PaintGround(cr, f, n);
            return true;
        }
        // Places are drawn 5 and 15 design units from the cell, their colour
        // markers 3 units further up and left.
        const Face place = MakeFace(kCellFace, -design(small ? 4 : 5, kSmallX), -design(small ? 11 : 15, kSmallY));
        if (n.rfind("place_", 0) == 0) {
            PaintPump(cr, place, NameGroup(n), Has(n, "_over"), Has(n, "_on"), false, -1);
            return true;
        }
        if (n.rfind("phase1", 0) == 0) {
            PaintPump(cr, place, -1, false, true, false, FrameNumber(n));
            return true;
        }
        if (n.rfind("tanke_kaputt", 0) == 0) {
            PaintPump(cr, place, -1, false, false, true, -1);
            return true;
        }
        if (n.rfind("element", 0) == 0 && n.size() > 7 && std::isdigit(static_cast<unsigned char>(n[7]))) {
            const Face f = MakeFace(kCellFace, -design(2, kSmallX), -design(small ? 9 : 12, kSmallY));
            // The marker floats over the pump's head, where the served car does
            // not cover it.
            const int group = n[7] - '1';
            PathPolygon(cr, Inset(f, 0.9).p, 4);
            Source(cr, GroupHue(group));
            cairo_set_line_width(cr, 6);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke(cr);
            // a sleeve of the group's colour round the pump's column (PaintPump
            // stands it 40 wide and 74 high on the face's middle)
            PathRoundRect(cr, f.cx - 21, f.cy - 44, 42, 40, 6);
            LinearGradient(cr, f.cx - 21, 0, f.cx + 21, 0, Shade(GroupHue(group), 0.2), Shade(GroupHue(group), -0.3));
            cairo_fill_preserve(cr);
            Source(cr, Hex(0x1A1A1A));
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            GroupMark(cr, group, f.cx, f.cy - 80, 18, true);
            return true;
        }
        return false;
    }

} // namespace

Face Inset(const Face& f, double scale)
{
    Face g = f;
    for (auto& q : g.p) {
        q[0] = f.cx + (q[0] - f.cx) * scale;
        q[1] = f.cy + (q[1] - f.cy) * scale;
    }
    return g;
}

void Slab(cairo_t* cr, const Face& f, Rgb top, double depth)
{
    const auto& p = f.p;
    const double left[4][2]
        = { { p[0][0], p[0][1] }, { p[3][0], p[3][1] }, { p[3][0], p[3][1] + depth }, { p[0][0], p[0][1] + depth } };
    const double right[4][2]
        = { { p[3][0], p[3][1] }, { p[2][0], p[2][1] }, { p[2][0], p[2][1] + depth }, { p[3][0], p[3][1] + depth } };
    if (depth > 0) {
        PathPolygon(cr, left, 4);
        Source(cr, Shade(top, -0.3));
        cairo_fill(cr);
        PathPolygon(cr, right, 4);
        Source(cr, Shade(top, -0.45));
        cairo_fill(cr);
    }
    PathPolygon(cr, f.p, 4);
    LinearGradient(cr, p[0][0], p[1][1], p[2][0], p[3][1], Shade(top, 0.12), Shade(top, -0.12));
    cairo_fill_preserve(cr);
    Source(cr, Shade(top, -0.35));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void At(const Face& f, double u, double v, double& x, double& y)
{
    const auto& p = f.p;
    x = p[0][0] + (p[1][0] - p[0][0]) * u + (p[3][0] - p[0][0]) * v;
    y = p[0][1] + (p[1][1] - p[0][1]) * u + (p[3][1] - p[0][1]) * v;
}

bool PaintStation(cairo_t* cr, const ImageEntry& e, const std::string& n)
{
    const bool shop = Has(e.folder, "menu_buy");
    if (Has(e.folder, "menu_tankstelle")) {
        cairo_save(cr);
        const bool painted = PaintStationElement(cr, n, Small(e));
        cairo_restore(cr);
        if (painted)
            return true;
    }
    if (shop && n.rfind("platform_", 0) == 0) {
        PaintGround(cr, MakeFace(kLotFace, 0, 0, e.width / 150.0, e.height / 215.0), n);
        return true;
    }
    if (shop && (n.rfind("lot_", 0) == 0 || n.rfind("house_", 0) == 0 || n.rfind("pump_island", 0) == 0)) {
        if (n.rfind("lot_", 0) == 0) {
            // Drawn at 150 x 215 and shrunk with the image.
            cairo_save(cr);
            cairo_scale(cr, e.width / 150.0, e.height / 215.0);
            const bool painted = PaintLotBuilding(cr, MakeFace(kLotFace, 0, 0), n);
            cairo_restore(cr);
            if (painted)
                return true;
        }
        const Face f = MakeFace(kLotFace, 0, 0, e.width / 150.0, e.height / 215.0);
        if (n.rfind("pump_island", 0) == 0)
            PaintPump(cr, f, -1, false, false, false, -1);
        else
            PaintBuilding(cr, f, n, e.width / 150.0);
        return true;
    }
    return false;
}

} // namespace artgen
