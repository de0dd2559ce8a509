// The interface: buttons (light face, darker edge, so the screens' dark
// labels read on them), panels, speech bubbles, bars, the digits and the
// cursor.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "paint.h"

namespace artgen {
namespace {

    void Button(cairo_t* cr, double w, double h, bool hover, Rgb face)
    {
        const double r = std::min(h / 2.5, 14.0);
        // The screens write dark red on a resting button and white on a
        // hovered one: a light face, and a deep amber one under the mouse.
        if (hover)
            face = Hex(0x8A4A14);
        PathRoundRect(cr, 1, 2, w - 2, h - 3, r);
        Source(cr, Hex(0x000000, 0.3));
        cairo_fill(cr);
        PathRoundRect(cr, 1, 1, w - 3, h - 4, r);
        VerticalGradient(cr, 1, h - 3, Shade(face, 0.15), Shade(face, -0.12));
        cairo_fill_preserve(cr);
        Source(cr, hover ? Hex(0xF0C040) : Shade(face, -0.55));
        cairo_set_line_width(cr, hover ? 3 : 2);
        cairo_stroke(cr);
        // the highlight of a light from the top left
        PathRoundRect(cr, 5, 4, w - 11, (h - 8) * 0.42, std::max(0.0, r - 4));
        Source(cr, Hex(0xFFFFFF, hover ? 0.06 : 0.1));
        cairo_fill(cr);
    }

    void Arrow(cairo_t* cr, double cx, double cy, double size, bool left, Rgb colour)
    {
        const double d = left ? -1 : 1;
        const double pts[7][2]
            = { { cx + d * size, cy }, { cx, cy - size }, { cx, cy - size * 0.45 }, { cx - d * size, cy - size * 0.45 },
                  { cx - d * size, cy + size * 0.45 }, { cx, cy + size * 0.45 }, { cx, cy + size } };
        PathPolygon(cr, pts, 7);
        FillStroke(cr, colour, Hex(0x1E1A14), std::max(1.0, size / 8));
    }

    void Panel(cairo_t* cr, double w, double h, Rgb face, double alpha, double radius)
    {
        PathRoundRect(cr, 1, 1, w - 2, h - 2, radius);
        VerticalGradient(cr, 0, h, WithAlpha(Shade(face, 0.1), alpha), WithAlpha(Shade(face, -0.06), alpha));
        cairo_fill_preserve(cr);
        Source(cr, Shade(face, -0.5));
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        if (w > 60 && h > 60) {
            PathRoundRect(cr, 8, 8, w - 16, h - 16, std::max(0.0, radius - 6));
            Source(cr, Hex(0xFFFFFF, 0.35));
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
        }
    }

    // A slice of a speech bubble stacked from top ("_01"), middle ("_02")
    // and bottom ("_03") pieces.
    void Bubble(cairo_t* cr, double w, double h, int piece, bool left)
    {
        const Rgb fill = Hex(0xFFFDF4), edge = Hex(0x3A342C);
        cairo_set_line_width(cr, 2);
        if (piece == 2) {
            cairo_rectangle(cr, 1, 0, w - 2, h);
            Source(cr, fill);
            cairo_fill(cr);
            Source(cr, edge);
            cairo_move_to(cr, 1, 0);
            cairo_line_to(cr, 1, h);
            cairo_move_to(cr, w - 1, 0);
            cairo_line_to(cr, w - 1, h);
            cairo_stroke(cr);
            return;
        }
        const double r = std::min(h - 2, 14.0);
        cairo_new_path(cr);
        if (piece == 1) {
            cairo_move_to(cr, 1, h);
            cairo_arc(cr, 1 + r, 1 + r, r, M_PI, 1.5 * M_PI);
            cairo_arc(cr, w - 1 - r, 1 + r, r, 1.5 * M_PI, 2 * M_PI);
            cairo_line_to(cr, w - 1, h);
        } else {
            const double body = h * 0.55;
            cairo_move_to(cr, w - 1, 0);
            cairo_arc(cr, w - 1 - r / 2, body - r / 2, r / 2, 0, 0.5 * M_PI);
            const double tip = left ? w * 0.2 : w * 0.8;
            cairo_line_to(cr, tip + 16, body);
            cairo_line_to(cr, tip + (left ? -12 : 12), h - 1);
            cairo_line_to(cr, tip - 8, body);
            cairo_arc(cr, 1 + r / 2, body - r / 2, r / 2, 0.5 * M_PI, M_PI);
            cairo_line_to(cr, 1, 0);
        }
        Source(cr, fill);
        cairo_fill_preserve(cr);
        Source(cr, edge);
        cairo_stroke(cr);
    }

    // The head-up display's bubble in three pieces that meet edge to edge:
    // 3 the top with the pointer above it, 2 a line, 1 the rounded bottom.
    void HelpBubble(cairo_t* cr, double w, double h, int piece, bool left)
    {
        const Rgb fill = Hex(0xFFFDF4), edge = Hex(0x3A342C);
        cairo_set_line_width(cr, 2);
        cairo_new_path(cr);
        if (piece == 2) {
            cairo_rectangle(cr, 1, 0, w - 2, h);
            Source(cr, fill);
            cairo_fill(cr);
        } else if (piece == 1) {
            const double r = std::min(h - 2, 10.0);
            cairo_move_to(cr, 1, 0);
            cairo_line_to(cr, 1, h - 1 - r);
            cairo_arc_negative(cr, 1 + r, h - 1 - r, r, M_PI, 0.5 * M_PI);
            cairo_line_to(cr, w - 1 - r, h - 1);
            cairo_arc_negative(cr, w - 1 - r, h - 1 - r, r, 0.5 * M_PI, 0);
            cairo_line_to(cr, w - 1, 0);
            Source(cr, fill);
            cairo_fill_preserve(cr);
            Source(cr, edge);
            cairo_stroke(cr);
        } else {
            const double body = h * 0.45, r = std::min(h - body - 1, 8.0);
            const double tip = left ? w * 0.15 : w * 0.85;
            cairo_move_to(cr, 1, h);
            cairo_line_to(cr, 1, body + r);
            cairo_arc(cr, 1 + r, body + r, r, M_PI, 1.5 * M_PI);
            cairo_line_to(cr, tip - 8, body);
            cairo_line_to(cr, tip + (left ? -6 : 6), 1);
            cairo_line_to(cr, tip + 8, body);
            cairo_line_to(cr, w - 1 - r, body);
            cairo_arc(cr, w - 1 - r, body + r, r, 1.5 * M_PI, 2 * M_PI);
            cairo_line_to(cr, w - 1, h);
            Source(cr, fill);
            cairo_fill_preserve(cr);
            Source(cr, edge);
            cairo_stroke(cr);
        }
        // the sides run on through the pieces
        Source(cr, edge);
        cairo_move_to(cr, 1, piece == 3 ? h * 0.45 + 8 : 0);
        cairo_line_to(cr, 1, piece == 1 ? h - 11 : h);
        cairo_move_to(cr, w - 1, piece == 3 ? h * 0.45 + 8 : 0);
        cairo_line_to(cr, w - 1, piece == 1 ? h - 11 : h);
        cairo_stroke(cr);
    }

    // The figure a digit image shows: "7.png", "7_2.png", "11_0007.png",
    // "zahl_7.png" and the signs by name.
    std::string Figure(const std::string& n)
    {
        std::string stem = n.substr(0, n.find('.'));
        if (Has(stem, "doppelpunkt"))
            return ":";
        // "dash" is the image of "/" between a counter's value and target
        if (Has(stem, "dash"))
            return "/";
        if (Has(stem, "minus"))
            return "-";
        if (Has(stem, "plus"))
            return "+";
        if (Has(stem, "_x"))
            return "x";
        // the small set: "7_2"
        if (stem.size() == 3 && std::isdigit(static_cast<unsigned char>(stem[0])) && stem.compare(1, 2, "_2") == 0)
            stem.resize(1);
        for (auto it = stem.rbegin(); it != stem.rend(); ++it) {
            if (std::isdigit(static_cast<unsigned char>(*it)))
                return std::string(1, *it);
        }
        return "";
    }

    void Cursor(cairo_t* cr, double size, int clickFrame)
    {
        // Pressed frames sink and shrink the arrow, then let it go.
        const double press = clickFrame < 0 ? 0 : (clickFrame == 1 ? 1.0 : 0.5);
        const double s = size * 0.62 * (1 - 0.12 * press), o = 2 + 3 * press;
        const double pts[7][2]
            = { { o, o }, { o, o + s }, { o + s * 0.28, o + s * 0.76 }, { o + s * 0.48, o + s * 1.12 },
                  { o + s * 0.62, o + s * 1.04 }, { o + s * 0.43, o + s * 0.69 }, { o + s * 0.74, o + s * 0.69 } };
        PathPolygon(cr, pts, 7);
        FillStroke(cr, clickFrame < 0 ? Hex(0xFFFFFF) : Hex(0xFFE27A), Hex(0x101010), 2);
        if (clickFrame >= 0) {
            cairo_new_path(cr);
            cairo_arc(cr, o, o, 4 + 5 * (clickFrame + 1), 0, M_PI / 2);
            Source(cr, Hex(0xFFB020, 0.9));
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
        }
    }

    void Speaker(cairo_t* cr, double cx, double cy, double s, bool muted, Rgb ink)
    {
        const double body[6][2]
            = { { cx - s, cy - s * 0.35 }, { cx - s * 0.45, cy - s * 0.35 }, { cx + s * 0.1, cy - s },
                  { cx + s * 0.1, cy + s }, { cx - s * 0.45, cy + s * 0.35 }, { cx - s, cy + s * 0.35 } };
        PathPolygon(cr, body, 6);
        Source(cr, ink);
        cairo_fill(cr);
        cairo_set_line_width(cr, std::max(1.5, s * 0.18));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        if (muted) {
            Source(cr, Hex(0xC0302A));
            cairo_move_to(cr, cx + s * 0.35, cy - s * 0.45);
            cairo_line_to(cr, cx + s * 1.1, cy + s * 0.45);
            cairo_move_to(cr, cx + s * 1.1, cy - s * 0.45);
            cairo_line_to(cr, cx + s * 0.35, cy + s * 0.45);
            cairo_stroke(cr);
            return;
        }
        for (int i = 1; i <= 2; ++i) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx + s * 0.1, cy, s * 0.45 * i, -0.8, 0.8);
        }
        cairo_stroke(cr);
    }

    // The options' toggles carry no label: a loudspeaker, a full screen or a
    // window, and the centring target.
    void ToggleFace(cairo_t* cr, const std::string& n, double w, double h)
    {
        const Rgb ink = Hex(0x2A2A2A);
        const double cx = w / 2, cy = h / 2, s = h * 0.3;
        if (n.rfind("mute", 0) == 0) {
            Speaker(cr, cx - s * 0.2, cy, s, Has(n, "mute1"), ink);
            return;
        }
        cairo_set_line_width(cr, 2);
        if (Has(n, "screen1") || Has(n, "screen2")) {
            const bool full = Has(n, "screen1");
            cairo_rectangle(cr, cx - s * 1.5, cy - s, s * 3, s * 2);
            Source(cr, ink);
            cairo_stroke(cr);
            const double inset = full ? 0.15 : 0.55;
            cairo_rectangle(cr, cx - s * (1.5 - inset), cy - s * (1 - inset), s * (3 - 2 * inset), s * (2 - 2 * inset));
            Source(cr, Hex(0x3A7AC0));
            cairo_fill(cr);
            return;
        }
        // centring: a target, filled when the window is kept centred
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, s, 0, 2 * M_PI);
        Source(cr, ink);
        cairo_stroke(cr);
        cairo_move_to(cr, cx - s * 1.4, cy);
        cairo_line_to(cr, cx + s * 1.4, cy);
        cairo_move_to(cr, cx, cy - s * 1.4);
        cairo_line_to(cr, cx, cy + s * 1.4);
        cairo_stroke(cr);
        if (Has(n, "screen6")) {
            cairo_new_path(cr);
            cairo_arc(cr, cx, cy, s * 0.45, 0, 2 * M_PI);
            Source(cr, Hex(0x3A7AC0));
            cairo_fill(cr);
        }
    }

} // namespace

void PaintSpeaker(cairo_t* cr, double cx, double cy, double size, bool muted)
{
    Speaker(cr, cx, cy, size, muted, Hex(0x2A2A2A));
}

bool PaintInterface(cairo_t* cr, const ImageEntry& e, const std::string& n)
{
    const double w = e.width, h = e.height;
    switch (e.kind) {
    case Kind::Cursor:
        Cursor(cr, std::min(w, h), Has(n, "click") ? FrameNumber(n) : -1);
        return true;
    case Kind::Digit: {
        if (Has(n, "anim")) {
            // The map's paths between the pins: full-screen overlays in
            // finished art, blank here; the map draws them at its top-left
            // corner, where anything painted would stand alone.
            return true;
        }
        const std::string figure = Figure(n);
        const bool over = IsHover(n);
        const double size = FitText(cr, "0", w * 0.95, h * 1.05);
        if (figure == "/") {
            // A slash as tall and heavy as the digits beside it, outlined
            // like them: it spans the ink of a "0" laid out as Text lays it.
            FitText(cr, "0", 1e6, size);
            cairo_text_extents_t zero;
            cairo_text_extents(cr, "0", &zero);
            cairo_font_extents_t font;
            cairo_font_extents(cr, &font);
            const double baseline = h / 2 + (font.ascent - font.descent) / 2 - size * 0.06;
            const double top = baseline + zero.y_bearing, bottom = top + zero.height;
            const double stroke = std::min(w * 0.3, size * 0.14), outline = std::max(1.5, size / 6);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            for (int pass = 0; pass < 2; ++pass) {
                cairo_move_to(cr, w / 2 - w * 0.26, bottom - stroke / 3);
                cairo_line_to(cr, w / 2 + w * 0.26, top + stroke / 3);
                Source(cr, pass == 0 ? Hex(0x1A1A1A) : over ? Hex(0xFFE040) : Hex(0xFFFFFF));
                cairo_set_line_width(cr, pass == 0 ? stroke + outline : stroke);
                cairo_stroke(cr);
            }
            return true;
        }
        Text(cr, figure, w / 2, h / 2, size, over ? Hex(0xFFE040) : Hex(0xFFFFFF), Hex(0x1A1A1A));
        return true;
    }
    case Kind::Button: {
        if (Has(n, "balken")) {
            PathRoundRect(cr, 0.5, 0.5, w - 1, h - 1, h / 2);
            // the options write their white captions on the bars; the
            // statistics' gold zone is gold
            const Rgb face = Has(n, "gruen") ? Hex(0x2E6E30) : Has(n, "gelb") ? Hex(0xD8A838) : Hex(0x8A5A0C);
            FillStroke(cr, face, Hex(0x3A3020), 1);
            return true;
        }
        if (Has(n, "loading")) {
            PathRoundRect(cr, 3, 3, w - 6, h - 6, h / 2 - 3);
            Source(cr, Hex(0x6CC04A));
            cairo_fill(cr);
            return true;
        }
        if (Has(n, "b_left") || Has(n, "b_right")) {
            cairo_arc(cr, w / 2, h / 2, std::min(w, h) / 2 - 2, 0, 2 * M_PI);
            FillStroke(cr, Hex(0xF0E6D0), Hex(0x5A4A30), 2);
            Arrow(cr, w / 2, h / 2, std::min(w, h) * 0.28, Has(n, "left"), Hex(0x3A7AC0));
            return true;
        }
        if (n.rfind("user_over", 0) == 0) {
            // lies over the profile's own button: a glowing rim
            PathRoundRect(cr, 2, 2, w - 4, h - 4, std::min(h / 2.5, 14.0));
            Source(cr, Hex(0xFFF0A0, 0.15));
            cairo_fill_preserve(cr);
            Source(cr, Hex(0xFFD040));
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
            return true;
        }
        // The faces follow the labels the screens write on them: white and
        // yellow on the options, results, shop, task and profile buttons, dark
        // red or yellow on the game menu's, the end panels' and the map's,
        // which share one image.
        const bool lightLabels = Has(e.folder, "menu_options") || Has(e.folder, "menu_highscore")
            || Has(e.folder, "menu_buy") || Has(e.folder, "menu_task") || Has(n, "blue") || Has(n, "user_");
        Rgb face = lightLabels ? Hex(0x2E3C4E) : Hex(0xFAF0E0);
        if (Has(n, "user_active"))
            face = Hex(0x24492F);
        if (n.rfind("mute", 0) == 0 || n.rfind("screen", 0) == 0) {
            Button(cr, w, h, false, IsHover(n) ? Hex(0xFFF4D8) : face);
            ToggleFace(cr, n, w, h);
            return true;
        }
        Button(cr, w, h, IsHover(n), face);
        if (Has(n, "button_left") || Has(n, "button_right"))
            Arrow(cr, w / 2, h / 2 - 1, std::min(w, h) * 0.3, Has(n, "left"), Hex(0x3A7AC0));
        return true;
    }
    case Kind::Panel: {
        if (Has(n, "blase")) {
            Bubble(cr, w, h, Has(n, "_01") ? 1 : Has(n, "_02") ? 2 : 3, Has(n, "left"));
            return true;
        }
        if (Has(n, "shop_help2")) {
            // The head-up display's bubble stacks _03 (on top, pointing up
            // at what it explains), the _02 lines and _01 (the bottom).
            HelpBubble(cr, w, h, Has(n, "_01") ? 1 : Has(n, "_02") ? 2 : 3, Has(n, "left"));
            return true;
        }
        if (Has(n, "first_over")) {
            // The credits' frame: an edge only, the text scrolls under it.
            PathRoundRect(cr, 6, 6, w - 12, h - 12, 18);
            Source(cr, Hex(0x1A2230));
            cairo_set_line_width(cr, 12);
            cairo_stroke(cr);
            PathRoundRect(cr, 14, 14, w - 28, h - 28, 12);
            Source(cr, Hex(0xC8B070, 0.8));
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            return true;
        }
        if (n.rfind("balken", 0) == 0) {
            PathRoundRect(cr, 0.5, 0.5, w - 1, h - 1, h / 2);
            FillStroke(cr, Has(n, "red") ? Hex(0xD05040) : Hex(0xF4F0E8), Hex(0x3A3020), 1);
            return true;
        }
        if (Has(n, "loading")) {
            PathRoundRect(cr, 1, 1, w - 2, h - 2, h / 2 - 1);
            FillStroke(cr, Hex(0x2A2A2A, 0.8), Hex(0xE0D8C0), 2);
            return true;
        }
        if (Has(n, "time_up")) {
            // the clock's badge once the limit has passed: an alarm red
            Panel(cr, w, h, Hex(0xB03A2E), 0.95, 10);
            return true;
        }
        if (Has(n, "slot")) {
            const Rgb face = Has(n, "gold") ? Hex(0xE8CC70) : Has(n, "silver") ? Hex(0xD0D4DA) : Hex(0xE6DCC4);
            Panel(cr, w, h, IsHover(n) ? Shade(face, 0.4) : face, 0.95, 10);
            return true;
        }
        if (Has(n, "seile")) {
            // cables sagging across the city, clear between them
            Source(cr, Hex(0x2A2A2A, 0.8));
            cairo_set_line_width(cr, 2);
            for (int i = 0; i < 2; ++i) {
                cairo_move_to(cr, 0, h * (0.2 + 0.3 * i));
                for (double x = 0; x < w; x += w / 4)
                    cairo_curve_to(cr, x + w / 12, h * (0.7 + 0.2 * i), x + w / 6, h * (0.7 + 0.2 * i), x + w / 4,
                        h * (0.2 + 0.3 * i));
            }
            cairo_stroke(cr);
            return true;
        }
        if (Has(n, "tutorial_small")) {
            // The message plate: its text runs to within 10 pixels of the
            // sides, so it has no inner line, only its edge.
            PathRoundRect(cr, 1, 1, w - 2, h - 2, 10);
            VerticalGradient(cr, 0, h, Hex(0x3A4654, 0.94), Hex(0x2C3640, 0.94));
            cairo_fill_preserve(cr);
            Source(cr, Hex(0x161C22));
            cairo_set_line_width(cr, 2.5);
            cairo_stroke(cr);
            return true;
        }
        if (Has(n, "menue_unten") || Has(n, "menue_big") || Has(n, "top3")) {
            Panel(cr, w, h, Hex(0x5A4E40), 0.82, 12);
            return true;
        }
        // The screens write white and yellow over their panels: dark slate.
        Panel(cr, w, h, Hex(0x34404C), 0.92, std::min(w, h) > 100 ? 18 : 8);
        return true;
    }
    default:
        return false;
    }
}

} // namespace artgen
