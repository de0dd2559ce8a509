#include "paint.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace artgen {
namespace {

    std::string& FontFamily()
    {
        static std::string family = "Carlito";
        return family;
    }

} // namespace

void SetFontFamily(const std::string& family)
{
    FontFamily() = family;
}

Rgb Hex(unsigned rgb, double alpha)
{
    return { ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, alpha };
}

Rgb Shade(Rgb c, double amount)
{
    const double target = amount > 0 ? 1.0 : 0.0;
    const double t = std::abs(amount);
    return { c.r + (target - c.r) * t, c.g + (target - c.g) * t, c.b + (target - c.b) * t, c.a };
}

Rgb WithAlpha(Rgb c, double alpha)
{
    c.a = alpha;
    return c;
}

void Source(cairo_t* cr, Rgb c)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void LinearGradient(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb from, Rgb to)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, from.r, from.g, from.b, from.a);
    cairo_pattern_add_color_stop_rgba(p, 1, to.r, to.g, to.b, to.a);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void VerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom)
{
    LinearGradient(cr, 0, y0, 0, y1, top, bottom);
}

Rgb GroupHue(int group)
{
    static const unsigned hues[kGroups] = { 0xD8342C, 0x2F6FD6, 0x2E9E48, 0xE8B820, 0x8E44AD };
    return group >= 0 && group < kGroups ? Hex(hues[group]) : Hex(0x8A8A8A);
}

const char* GroupLetter(int group)
{
    static const char* letters[kGroups] = { "R", "B", "G", "Y", "P" };
    return group >= 0 && group < kGroups ? letters[group] : "";
}

int NameGroup(const std::string& lowerName)
{
    // Whole words of the name only: "rot" must not match inside another word.
    static const char* words[kGroups][3] = {
        { "rot", "red", nullptr },
        { "blau", "blue", nullptr },
        { "gruen", "green", nullptr },
        { "gelb", "yellow", nullptr },
        { "lila", "purple", "violet" },
    };
    std::string word;
    const std::string text = lowerName + "_";
    for (char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            word.push_back(c);
            continue;
        }
        for (int g = 0; g < kGroups; ++g) {
            for (const char* w : words[g]) {
                if (w && word == w)
                    return g;
            }
        }
        word.clear();
    }
    return -1;
}

void GroupMark(cairo_t* cr, int group, double cx, double cy, double r, bool letter)
{
    const Rgb hue = GroupHue(group);
    cairo_new_path(cr);
    switch (group) {
    case 0:
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        break;
    case 1:
        PathRoundRect(cr, cx - r * 0.88, cy - r * 0.88, r * 1.76, r * 1.76, r * 0.15);
        break;
    case 2: {
        const double t[3][2]
            = { { cx, cy - r * 1.05 }, { cx + r * 1.08, cy + r * 0.8 }, { cx - r * 1.08, cy + r * 0.8 } };
        PathPolygon(cr, t, 3);
        break;
    }
    case 3: {
        const double d[4][2]
            = { { cx, cy - r * 1.1 }, { cx + r * 1.1, cy }, { cx, cy + r * 1.1 }, { cx - r * 1.1, cy } };
        PathPolygon(cr, d, 4);
        break;
    }
    default:
        PathStar(cr, cx, cy, r * 1.15, r * 0.55, 5, 0);
        break;
    }
    cairo_save(cr);
    cairo_clip_preserve(cr);
    VerticalGradient(cr, cy - r, cy + r, Shade(hue, 0.3), Shade(hue, -0.25));
    cairo_fill_preserve(cr);
    cairo_restore(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Source(cr, Hex(0x1A1A1A));
    cairo_set_line_width(cr, std::max(1.0, r * 0.14));
    cairo_stroke(cr);
    if (letter) {
        const double dy = group == 2 ? r * 0.22 : 0;
        const Rgb ink = group == 3 ? Hex(0x1A1A1A) : Hex(0xFFFFFF);
        Text(cr, GroupLetter(group), cx, cy + dy, r * (group == 4 ? 0.8 : 1.15), ink);
    }
}

void PathPolygon(cairo_t* cr, const double (*points)[2], int count)
{
    cairo_new_path(cr);
    for (int i = 0; i < count; ++i)
        cairo_line_to(cr, points[i][0], points[i][1]);
    cairo_close_path(cr);
}

void PathRoundRect(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    const double r = std::max(0.0, std::min({ radius, w / 2, h / 2 }));
    cairo_new_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void PathStar(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double turn)
{
    cairo_new_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double a = -M_PI / 2 + turn + i * M_PI / points;
        const double r = i % 2 ? inner : outer;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void FillStroke(cairo_t* cr, Rgb fill, Rgb edge, double width)
{
    Source(cr, fill);
    cairo_fill_preserve(cr);
    Source(cr, edge);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

namespace {
    void SelectFont(cairo_t* cr, double size, bool bold)
    {
        cairo_select_font_face(cr, FontFamily().c_str(), CAIRO_FONT_SLANT_NORMAL,
            bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, size);
    }
} // namespace

double FitText(cairo_t* cr, const std::string& text, double width, double size, bool bold)
{
    SelectFont(cr, size, bold);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    return ext.x_advance > width && ext.x_advance > 0 ? size * width / ext.x_advance : size;
}

void Text(cairo_t* cr, const std::string& text, double cx, double cy, double size, Rgb colour, Rgb edge, bool bold)
{
    if (text.empty())
        return;
    SelectFont(cr, size, bold);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    // Centred on the ink horizontally and on the capitals vertically.
    const double x = cx - ext.x_bearing - ext.width / 2;
    const double y = cy + (font.ascent - font.descent) / 2 - size * 0.06;
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    if (edge.a > 0) {
        Source(cr, edge);
        cairo_set_line_width(cr, std::max(1.5, size / 6));
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    Source(cr, colour);
    cairo_fill(cr);
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool Has(const std::string& lowerName, const char* word)
{
    return lowerName.find(word) != std::string::npos;
}

int FrameNumber(const std::string& name)
{
    size_t end = name.rfind('.');
    if (end == std::string::npos)
        end = name.size();
    size_t begin = end;
    while (begin > 0 && std::isdigit(static_cast<unsigned char>(name[begin - 1])))
        --begin;
    return begin < end ? std::stoi(name.substr(begin, std::min<size_t>(end - begin, 6))) : 0;
}

bool IsHover(const std::string& lowerName)
{
    return Has(lowerName, "_over") || Has(lowerName, "over0");
}

} // namespace artgen
