// Icons and small things: the clock, stars, cups, the pointer, the menu and
// task-book buttons, the bonus items, map pins, lamps,
// trees, bushes, rocks and signs.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "paint.h"

namespace artgen {
namespace {

    void Disc(cairo_t* cr, double cx, double cy, double r, Rgb face, Rgb edge)
    {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_pattern_t* g = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.35, r * 0.1, cx, cy, r);
        const Rgb l = Shade(face, 0.45);
        cairo_pattern_add_color_stop_rgba(g, 0, l.r, l.g, l.b, face.a);
        cairo_pattern_add_color_stop_rgba(g, 1, face.r, face.g, face.b, face.a);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        Source(cr, edge);
        cairo_set_line_width(cr, std::max(1.0, r / 12));
        cairo_stroke(cr);
    }

    void Clock(cairo_t* cr, double w, double h, int frame)
    {
        const double cx = w / 2, cy = h / 2, r = std::min(w, h) / 2 - 3;
        Disc(cr, cx, cy, r, Hex(0xFAF6EA), Hex(0x2A2A2A));
        Source(cr, Hex(0x2A2A2A));
        for (int i = 0; i < 12; ++i) {
            const double a = i * M_PI / 6;
            cairo_move_to(cr, cx + std::cos(a) * r * 0.78, cy + std::sin(a) * r * 0.78);
            cairo_line_to(cr, cx + std::cos(a) * r * 0.92, cy + std::sin(a) * r * 0.92);
        }
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        const double a = -M_PI / 2 + frame * 2 * M_PI / 30;
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx + std::cos(a) * r * 0.75, cy + std::sin(a) * r * 0.75);
        Source(cr, Hex(0xC0302A));
        cairo_set_line_width(cr, 3);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }

    void Star(cairo_t* cr, double cx, double cy, double r, double turn, Rgb face)
    {
        PathStar(cr, cx, cy, r, r * 0.45, 5, turn);
        cairo_pattern_t* g = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.3, 0, cx, cy, r);
        const Rgb l = Shade(face, 0.6);
        cairo_pattern_add_color_stop_rgb(g, 0, l.r, l.g, l.b);
        cairo_pattern_add_color_stop_rgb(g, 1, face.r, face.g, face.b);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        Source(cr, Shade(face, -0.55));
        cairo_set_line_width(cr, std::max(1.0, r / 14));
        cairo_stroke(cr);
    }

    void Cup(cairo_t* cr, double w, double h, Rgb metal)
    {
        const double cx = w / 2;
        const Rgb edge = Shade(metal, -0.6);
        // handles
        cairo_new_path(cr);
        cairo_arc(cr, cx - w * 0.3, h * 0.3, w * 0.12, M_PI / 2, 3 * M_PI / 2);
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + w * 0.3, h * 0.3, w * 0.12, -M_PI / 2, M_PI / 2);
        Source(cr, edge);
        cairo_set_line_width(cr, w * 0.05);
        cairo_stroke(cr);
        // bowl, stem and foot
        cairo_new_path(cr);
        cairo_move_to(cr, cx - w * 0.33, h * 0.12);
        cairo_line_to(cr, cx + w * 0.33, h * 0.12);
        cairo_curve_to(cr, cx + w * 0.33, h * 0.5, cx + w * 0.1, h * 0.56, cx + w * 0.05, h * 0.6);
        cairo_line_to(cr, cx + w * 0.05, h * 0.75);
        cairo_line_to(cr, cx + w * 0.25, h * 0.84);
        cairo_line_to(cr, cx + w * 0.25, h * 0.92);
        cairo_line_to(cr, cx - w * 0.25, h * 0.92);
        cairo_line_to(cr, cx - w * 0.25, h * 0.84);
        cairo_line_to(cr, cx - w * 0.05, h * 0.75);
        cairo_line_to(cr, cx - w * 0.05, h * 0.6);
        cairo_curve_to(cr, cx - w * 0.1, h * 0.56, cx - w * 0.33, h * 0.5, cx - w * 0.33, h * 0.12);
        cairo_close_path(cr);
        LinearGradient(cr, cx - w * 0.33, 0, cx + w * 0.33, 0, Shade(metal, 0.55), Shade(metal, -0.25));
        cairo_fill_preserve(cr);
        Source(cr, edge);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        Star(cr, cx, h * 0.3, w * 0.1, 0, Shade(metal, 0.3));
    }

    void Book(cairo_t* cr, double w, double h, bool hover)
    {
        const double pts[4][2]
            = { { w * 0.2, h * 0.2 }, { w * 0.78, h * 0.14 }, { w * 0.82, h * 0.82 }, { w * 0.24, h * 0.88 } };
        PathPolygon(cr, pts, 4);
        FillStroke(cr, hover ? Hex(0x5A9AE0) : Hex(0x3A6AB0), Hex(0x141E30), 2.5);
        const double pages[4][2]
            = { { w * 0.3, h * 0.28 }, { w * 0.7, h * 0.24 }, { w * 0.72, h * 0.5 }, { w * 0.32, h * 0.54 } };
        PathPolygon(cr, pages, 4);
        FillStroke(cr, Hex(0xFAF6EA), Hex(0x141E30), 1.5);
        Text(cr, "?", w * 0.51, h * 0.39, h * 0.22, Hex(0x3A6AB0));
    }

    void MenuButton(cairo_t* cr, double w, double h, int frame)
    {
        const double pulse = 0.5 + 0.5 * std::sin(frame * 2 * M_PI / 19);
        Disc(cr, w / 2, h / 2, std::min(w, h) / 2 - 4, Shade(Hex(0x4A78B0), 0.2 * pulse), Hex(0x16243A));
        Source(cr, Hex(0xFFFFFF));
        cairo_set_line_width(cr, h * 0.07);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int i = -1; i <= 1; ++i) {
            cairo_move_to(cr, w * 0.32, h / 2 + i * h * 0.14);
            cairo_line_to(cr, w * 0.68, h / 2 + i * h * 0.14);
        }
        cairo_stroke(cr);
    }

    void FuelCan(cairo_t* cr, double w, double h, Rgb colour)
    {
        PathRoundRect(cr, w * 0.25, h * 0.25, w * 0.5, h * 0.6, w * 0.06);
        FillStroke(cr, colour, Hex(0x141414), 2.5);
        PathRoundRect(cr, w * 0.55, h * 0.14, w * 0.14, h * 0.14, 3);
        FillStroke(cr, Hex(0x303030), Hex(0x141414), 1.5);
        Source(cr, Shade(colour, 0.5));
        cairo_set_line_width(cr, w * 0.04);
        cairo_move_to(cr, w * 0.33, h * 0.35);
        cairo_line_to(cr, w * 0.67, h * 0.75);
        cairo_move_to(cr, w * 0.67, h * 0.35);
        cairo_line_to(cr, w * 0.33, h * 0.75);
        cairo_stroke(cr);
    }

    void Pin(cairo_t* cr, double w, double h, Rgb colour)
    {
        const double cx = w / 2, r = std::min(w * 0.4, h * 0.3);
        cairo_new_path(cr);
        cairo_move_to(cr, cx, h - 2);
        cairo_arc(cr, cx, r + 3, r, M_PI * 0.8, M_PI * 2.2);
        cairo_close_path(cr);
        FillStroke(cr, colour, Hex(0x1A1A1A), 2);
        Disc(cr, cx, r + 3, r * 0.4, Hex(0xFFFFFF), Hex(0x1A1A1A));
    }

    void Pointer(cairo_t* cr, double w, double h, int frame)
    {
        const double bob = 4 * std::sin(frame * 2 * M_PI / 17);
        const double pts[3][2]
            = { { w * 0.15, h * 0.25 + bob }, { w * 0.85, h * 0.25 + bob }, { w * 0.5, h * 0.9 + bob / 2 } };
        PathPolygon(cr, pts, 3);
        FillStroke(cr, Hex(0xF0C020), Hex(0x3A2A00), 2);
    }

} // namespace

void PaintTree(cairo_t* cr, double cx, double baseY, double height, Rgb leaves, bool snow)
{
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, baseY - height * 0.05);
    cairo_scale(cr, height * 0.22, height * 0.07);
    cairo_arc(cr, 0.3, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    Source(cr, Hex(0x000000, 0.25));
    cairo_fill(cr);
    cairo_rectangle(cr, cx - height * 0.04, baseY - height * 0.35, height * 0.08, height * 0.32);
    FillStroke(cr, Hex(0x6A4426), Hex(0x2A1A0E), 1.5);
    if (snow) {
        for (int i = 0; i < 3; ++i) {
            const double top = baseY - height * (0.95 - i * 0.2), bottom = baseY - height * (0.55 - i * 0.14);
            const double half = height * (0.16 + i * 0.07);
            const double pts[3][2] = { { cx, top }, { cx + half, bottom }, { cx - half, bottom } };
            PathPolygon(cr, pts, 3);
            FillStroke(cr, Hex(0x2E6A48), Hex(0x14301E), 1.5);
            const double cap[3][2] = { { cx, top }, { cx + half * 0.5, top + (bottom - top) * 0.45 },
                { cx - half * 0.5, top + (bottom - top) * 0.45 } };
            PathPolygon(cr, cap, 3);
            Source(cr, Hex(0xF6FAFF));
            cairo_fill(cr);
        }
        return;
    }
    const double puffs[4][3] = { { 0, 0.68, 0.24 }, { -0.13, 0.52, 0.18 }, { 0.14, 0.5, 0.19 }, { 0.02, 0.82, 0.16 } };
    for (const auto& p : puffs)
        Disc(cr, cx + p[0] * height, baseY - p[1] * height, p[2] * height, leaves, Shade(leaves, -0.5));
}

void PaintBush(cairo_t* cr, double cx, double baseY, double width, Rgb leaves)
{
    const double puffs[3][3] = { { -0.22, 0.3, 0.26 }, { 0.2, 0.3, 0.27 }, { 0, 0.45, 0.3 } };
    for (const auto& p : puffs)
        Disc(cr, cx + p[0] * width, baseY - p[1] * width, p[2] * width, leaves, Shade(leaves, -0.5));
}

void PaintCactus(cairo_t* cr, double cx, double baseY, double height)
{
    const Rgb green = Hex(0x4A8A3A), edge = Hex(0x1E3A14);
    PathRoundRect(cr, cx - height * 0.08, baseY - height * 0.95, height * 0.16, height * 0.93, height * 0.08);
    FillStroke(cr, green, edge, 2);
    PathRoundRect(cr, cx - height * 0.26, baseY - height * 0.7, height * 0.1, height * 0.32, height * 0.05);
    FillStroke(cr, green, edge, 2);
    PathRoundRect(cr, cx + height * 0.16, baseY - height * 0.8, height * 0.1, height * 0.34, height * 0.05);
    FillStroke(cr, green, edge, 2);
    cairo_rectangle(cr, cx - height * 0.2, baseY - height * 0.44, height * 0.14, height * 0.06);
    cairo_rectangle(cr, cx + height * 0.06, baseY - height * 0.5, height * 0.14, height * 0.06);
    Source(cr, green);
    cairo_fill(cr);
}

void PaintRock(cairo_t* cr, double cx, double cy, double width, Rgb colour)
{
    cairo_new_path(cr);
    cairo_move_to(cr, cx - width * 0.5, cy + width * 0.2);
    cairo_line_to(cr, cx - width * 0.35, cy - width * 0.15);
    cairo_line_to(cr, cx - width * 0.05, cy - width * 0.28);
    cairo_line_to(cr, cx + width * 0.3, cy - width * 0.18);
    cairo_line_to(cr, cx + width * 0.5, cy + width * 0.15);
    cairo_line_to(cr, cx + width * 0.2, cy + width * 0.26);
    cairo_close_path(cr);
    VerticalGradient(cr, cy - width * 0.28, cy + width * 0.26, Shade(colour, 0.3), Shade(colour, -0.3));
    cairo_fill_preserve(cr);
    Source(cr, Shade(colour, -0.6));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

bool PaintIcon(cairo_t* cr, const ImageEntry& e, const std::string& n)
{
    const double w = e.width, h = e.height, m = std::min(w, h);
    const int frame = FrameNumber(n);
    const bool hover = IsHover(n);
    if (n.rfind("uhr", 0) == 0)
        Clock(cr, w, h, frame);
    else if (n.rfind("star0", 0) == 0)
        Star(cr, w / 2, h / 2, m * (0.36 + 0.08 * std::sin(frame * M_PI / 15)), frame * M_PI / 75, Hex(0xF2C12E));
    else if (Has(n, "goldcup"))
        Cup(cr, w, h, Hex(0xE2B53A));
    else if (Has(n, "silvercup"))
        Cup(cr, w, h, Hex(0xC4CAD2));
    else if (Has(n, "bronzecup"))
        Cup(cr, w, h, Hex(0xC07A3A));
    else if (n.rfind("marker0", 0) == 0 || n.rfind("selector", 0) == 0)
        Pointer(cr, w, h, frame);
    else if (n.rfind("book", 0) == 0)
        Book(cr, w, h, Has(n, "over"));
    else if (n.rfind("m00", 0) == 0)
        MenuButton(cr, w, h, frame);
    else if (n.rfind("lampe", 0) == 0) {
        const Rgb c = Has(n, "green") ? Hex(0x40E060) : Has(n, "yellow") ? Hex(0xF8D030) : Hex(0xF03828);
        Disc(cr, w / 2, h / 2, m / 2 - 1.5, c, Hex(0x1A1A1A));
    } else if (PaintCounterIcon(cr, e, n)) {
        return true;
    } else if (n.rfind("element_", 0) == 0 || n.rfind("bonus_", 0) == 0) {
        if (Has(n, "bonus_over")) {
            cairo_arc(cr, w / 2, h / 2, m / 2 - 3, 0, 2 * M_PI);
            Source(cr, Hex(0xFFF0A0, 0.9));
            cairo_set_line_width(cr, 5);
            cairo_stroke(cr);
            return true;
        }
        Disc(cr, w / 2, h / 2, m / 2 - 3, Hex(0xF4EEDC, 0.95), Hex(0x5A4A30));
        cairo_save(cr);
        cairo_translate(cr, w * 0.15, h * 0.15);
        cairo_scale(cr, 0.7, 0.7);
        if (Has(n, "tank"))
            FuelCan(cr, w, h, Has(n, "black") ? Hex(0x34363A) : GroupHue(NameGroup(n)));
        else if (Has(n, "kaktus"))
            PaintCactus(cr, w / 2, h * 0.9, h * 0.8);
        else if (Has(n, "tree") || Has(n, "baum"))
            PaintTree(cr, w / 2, h * 0.95, h * 0.85, Hex(0x4E9A3C), false);
        else if (Has(n, "joker_bomb")) {
            Disc(cr, w / 2, h * 0.58, m * 0.3, Hex(0x2A2A2A), Hex(0x000000));
            Star(cr, w * 0.72, h * 0.22, m * 0.12, 0, Hex(0xF08020));
        } else if (Has(n, "joker"))
            Text(cr, "J", w / 2, h / 2, h * 0.7, Hex(0xC0302A), Hex(0x1A1A1A));
        else if (Has(n, "update") || Has(n, "sport"))
            Text(cr, "+", w / 2, h / 2, h * 0.8, Hex(0x2E9E48), Hex(0x1A1A1A));
        else if (Has(n, "manager"))
            PaintCounterIcon(cr, e, "element_manager");
        else if (Has(n, "auto"))
            Text(cr, "3", w / 2, h / 2, h * 0.6, Hex(0x2A2A2A));
        else if (n.size() > 6 && std::isdigit(static_cast<unsigned char>(n[6])))
            Text(cr, std::string(1, n[6]), w / 2, h / 2, h * 0.6, Hex(0x2A2A2A));
        else
            Star(cr, w / 2, h / 2, m * 0.35, 0, Hex(0xF2C12E));
        cairo_restore(cr);
    } else if (n.rfind("fishka", 0) == 0) {
        Pin(cr, w, h, hover ? Hex(0xFFE27A) : Has(n, "bonus") ? Hex(0xE2B53A) : Hex(0xC8402C));
    } else if (n.rfind("wheel_", 0) == 0 || n.rfind("symbol_", 0) == 0) {
        Disc(cr, w / 2, h / 2, m / 2 - 3, hover ? Hex(0xF8F0DC) : Hex(0xE8DCC0), Hex(0x4A3A20));
        if (Has(n, "symbol_sound"))
            PaintSpeaker(cr, w / 2 - m * 0.05, h / 2, m * 0.22, false);
        else if (Has(n, "symbol_speech")) {
            PathRoundRect(cr, w * 0.25, h * 0.28, w * 0.5, h * 0.34, m * 0.08);
            FillStroke(cr, Hex(0xFFFFFF), Hex(0x2A2A2A), 2);
            const double tail[3][2] = { { w * 0.36, h * 0.6 }, { w * 0.32, h * 0.75 }, { w * 0.48, h * 0.6 } };
            PathPolygon(cr, tail, 3);
            FillStroke(cr, Hex(0xFFFFFF), Hex(0x2A2A2A), 2);
        }
        if (n.rfind("wheel_", 0) == 0) {
            const double d = Has(n, "left") ? -1 : 1, s = m * 0.22;
            const double pts[3][2]
                = { { w / 2 + d * s, h / 2 }, { w / 2 - d * s * 0.7, h / 2 - s }, { w / 2 - d * s * 0.7, h / 2 + s } };
            PathPolygon(cr, pts, 3);
            FillStroke(cr, Hex(0x3A7AC0), Hex(0x16243A), 2);
        }
    } else if (n.rfind("sign", 0) == 0) {
        cairo_rectangle(cr, w / 2 - 3, h * 0.35, 6, h * 0.6);
        Source(cr, Hex(0x5A5A5A));
        cairo_fill(cr);
        PathRoundRect(cr, w * 0.1, h * 0.05, w * 0.8, h * 0.36, 6);
        FillStroke(cr, Hex(0x2F6FD6), Hex(0x10244A), 2);
        Text(cr, "FUEL", w / 2, h * 0.23, FitText(cr, "FUEL", w * 0.6, h * 0.2), Hex(0xFFFFFF));
    } else if (n.rfind("tree", 0) == 0) {
        PaintTree(cr, w / 2, h - 2, h - 4, Has(n, "03") ? Hex(0x6A9A30) : Hex(0x4E9A3C),
            Has(n, "snow") || Has(e.folder, "escimo"));
    } else if (n.rfind("bush", 0) == 0) {
        PaintBush(cr, w / 2, h - 2, w * 0.8, Hex(0x5A9A40));
    } else {
        return false;
    }
    return true;
}

} // namespace artgen
