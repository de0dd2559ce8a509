#include "shapes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>

namespace artgen {
namespace {

    uint32_t Hash(const std::string& text)
    {
        uint32_t h = 2166136261u;
        for (unsigned char c : text)
            h = (h ^ c) * 16777619u;
        return h;
    }

    // Shifts a colour a little by the name, so neighbouring images differ.
    Colour Vary(Colour c, const std::string& name, int amount)
    {
        const uint32_t h = Hash(name);
        auto shift = [&](uint8_t v, int bits) {
            const int d = static_cast<int>((h >> bits) % (2 * amount + 1)) - amount;
            return static_cast<uint8_t>(std::clamp(v + d, 0, 255));
        };
        return { shift(c.r, 0), shift(c.g, 8), shift(c.b, 16), c.a };
    }

    Colour Darker(Colour c, int percent)
    {
        auto mix = [&](uint8_t v) { return static_cast<uint8_t>(v * (100 - percent) / 100); };
        return { mix(c.r), mix(c.g), mix(c.b), c.a };
    }

    class Canvas {
    public:
        explicit Canvas(SDL_Surface* s)
            : m_s(s)
        {
        }

        void Put(int x, int y, Colour c)
        {
            if (x < 0 || y < 0 || x >= m_s->w || y >= m_s->h)
                return;
            auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(m_s->pixels) + y * m_s->pitch);
            row[x] = SDL_MapRGBA(m_s->format, c.r, c.g, c.b, c.a);
        }

        void Rect(int x, int y, int w, int h, Colour c)
        {
            SDL_Rect r { x, y, w, h };
            SDL_FillRect(m_s, &r, SDL_MapRGBA(m_s->format, c.r, c.g, c.b, c.a));
        }

        void Frame(int x, int y, int w, int h, int thickness, Colour c)
        {
            Rect(x, y, w, thickness, c);
            Rect(x, y + h - thickness, w, thickness, c);
            Rect(x, y, thickness, h, c);
            Rect(x + w - thickness, y, thickness, h, c);
        }

        void RoundRect(int x, int y, int w, int h, int radius, Colour c)
        {
            for (int py = y; py < y + h; ++py) {
                for (int px = x; px < x + w; ++px) {
                    const int dx = std::max({ x + radius - px, px - (x + w - 1 - radius), 0 });
                    const int dy = std::max({ y + radius - py, py - (y + h - 1 - radius), 0 });
                    if (dx * dx + dy * dy <= radius * radius)
                        Put(px, py, c);
                }
            }
        }

        void Ellipse(double cx, double cy, double rx, double ry, Colour c)
        {
            if (rx <= 0 || ry <= 0)
                return;
            for (int py = static_cast<int>(cy - ry); py <= static_cast<int>(cy + ry) + 1; ++py) {
                for (int px = static_cast<int>(cx - rx); px <= static_cast<int>(cx + rx) + 1; ++px) {
                    const double nx = (px + 0.5 - cx) / rx, ny = (py + 0.5 - cy) / ry;
                    if (nx * nx + ny * ny <= 1.0)
                        Put(px, py, c);
                }
            }
        }

        void Triangle(double x0, double y0, double x1, double y1, double x2, double y2, Colour c)
        {
            const int minX = static_cast<int>(std::floor(std::min({ x0, x1, x2 })));
            const int maxX = static_cast<int>(std::ceil(std::max({ x0, x1, x2 })));
            const int minY = static_cast<int>(std::floor(std::min({ y0, y1, y2 })));
            const int maxY = static_cast<int>(std::ceil(std::max({ y0, y1, y2 })));
            auto edge = [](double ax, double ay, double bx, double by, double px, double py) {
                return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
            };
            for (int py = minY; py <= maxY; ++py) {
                for (int px = minX; px <= maxX; ++px) {
                    const double sx = px + 0.5, sy = py + 0.5;
                    const double e0 = edge(x0, y0, x1, y1, sx, sy), e1 = edge(x1, y1, x2, y2, sx, sy),
                                 e2 = edge(x2, y2, x0, y0, sx, sy);
                    if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0))
                        Put(px, py, c);
                }
            }
        }

        int W() const { return m_s->w; }
        int H() const { return m_s->h; }

    private:
        SDL_Surface* m_s;
    };

    void DrawButton(Canvas& c, Colour base)
    {
        const int r = std::min(c.H() / 3, 12);
        c.RoundRect(0, 0, c.W(), c.H(), r, Darker(base, 40));
        c.RoundRect(2, 2, c.W() - 4, c.H() - 4, std::max(r - 2, 0), base);
        c.RoundRect(4, 3, c.W() - 8, (c.H() - 6) / 2, std::max(r - 4, 0), Lighter(base, 25));
    }

    void DrawPanel(Canvas& c, Colour base)
    {
        c.Rect(0, 0, c.W(), c.H(), base);
        c.Frame(0, 0, c.W(), c.H(), std::max(2, std::min(c.W(), c.H()) / 40), Darker(base, 45));
        const int inset = std::max(6, std::min(c.W(), c.H()) / 12);
        if (c.W() > 2 * inset + 4 && c.H() > 2 * inset + 4)
            c.Frame(inset, inset, c.W() - 2 * inset, c.H() - 2 * inset, 1, Lighter(base, 30));
    }

    void DrawCar(Canvas& c, Colour base)
    {
        const double w = c.W(), h = c.H();
        const double wheel = std::min(h * 0.18, w * 0.12);
        const double bodyTop = h * 0.45, bodyBottom = h - wheel;
        c.RoundRect(static_cast<int>(w * 0.04), static_cast<int>(bodyTop), static_cast<int>(w * 0.92),
            static_cast<int>(bodyBottom - bodyTop), static_cast<int>(std::min(h * 0.1, 8.0)), base);
        c.RoundRect(static_cast<int>(w * 0.25), static_cast<int>(h * 0.15), static_cast<int>(w * 0.45),
            static_cast<int>(bodyTop - h * 0.15 + 2), static_cast<int>(std::min(h * 0.1, 6.0)), Darker(base, 20));
        c.Rect(static_cast<int>(w * 0.3), static_cast<int>(h * 0.22), static_cast<int>(w * 0.35),
            static_cast<int>(std::max(1.0, bodyTop - h * 0.27)), Colour { 190, 225, 245 });
        for (double cx : { w * 0.25, w * 0.75 }) {
            c.Ellipse(cx, h - wheel - 1, wheel, wheel, Colour { 30, 30, 30 });
            c.Ellipse(cx, h - wheel - 1, wheel * 0.45, wheel * 0.45, Colour { 170, 170, 170 });
        }
    }

    void DrawPlace(Canvas& c, Colour base)
    {
        c.RoundRect(0, 0, c.W(), c.H(), std::min(c.W(), c.H()) / 8, Darker(base, 30));
        c.RoundRect(3, 3, c.W() - 6, c.H() - 6, std::min(c.W(), c.H()) / 8, base);
        // A pump: a column with a display.
        const int pw = std::max(4, c.W() / 6), ph = std::max(6, c.H() / 2);
        const int px = c.W() - pw - c.W() / 8, py = (c.H() - ph) / 2;
        c.Rect(px, py, pw, ph, Colour { 200, 60, 50 });
        c.Rect(px + pw / 5, py + ph / 8, pw - 2 * (pw / 5), ph / 4, Colour { 230, 240, 200 });
    }

    void DrawLamp(Canvas& c, Colour base)
    {
        const double r = std::min(c.W(), c.H()) / 2.0;
        c.Ellipse(c.W() / 2.0, c.H() / 2.0, r, r, Darker(base, 50));
        c.Ellipse(c.W() / 2.0, c.H() / 2.0, r - 2, r - 2, base);
        c.Ellipse(c.W() / 2.0 - r * 0.3, c.H() / 2.0 - r * 0.3, r * 0.3, r * 0.3, Lighter(base, 60));
    }

    void DrawIcon(Canvas& c, Colour base)
    {
        const double w = c.W(), h = c.H();
        c.Triangle(w / 2, 0, w, h / 2, 0, h / 2, Darker(base, 35));
        c.Triangle(0, h / 2, w, h / 2, w / 2, h, Darker(base, 35));
        c.Triangle(w / 2, 3, w - 3, h / 2, 3, h / 2, base);
        c.Triangle(3, h / 2, w - 3, h / 2, w / 2, h - 3, base);
    }

    void DrawBackground(Canvas& c, Colour base)
    {
        for (int y = 0; y < c.H(); ++y)
            c.Rect(0, y, c.W(), 1, Darker(base, 40 * y / std::max(1, c.H())));
        const Colour line = Lighter(base, 15);
        for (int x = 0; x < c.W(); x += 64)
            c.Rect(x, 0, 1, c.H(), line);
        for (int y = 0; y < c.H(); y += 64)
            c.Rect(0, y, c.W(), 1, line);
    }

    void DrawCursor(Canvas& c, Colour base)
    {
        const double s = std::min(c.W(), c.H()) * 0.6;
        c.Triangle(0, 0, s * 0.75, s * 0.55, 0, s * 0.85, Colour { 0, 0, 0 });
        c.Triangle(2, 3, s * 0.75 - 4, s * 0.55 - 1, 2, s * 0.85 - 4, base);
    }

    // A colour word in the name (English or German) gives the image that colour.
    bool NamedColour(const std::string& lower, Colour& out)
    {
        static const struct {
            const char* word;
            Colour colour;
        } words[] = {
            { "green", { 40, 200, 60 } },
            { "gruen", { 40, 200, 60 } },
            { "yellow", { 240, 210, 40 } },
            { "gelb", { 240, 210, 40 } },
            { "red", { 220, 40, 40 } },
            { "rot", { 220, 40, 40 } },
            { "blue", { 50, 90, 220 } },
            { "blau", { 50, 90, 220 } },
            { "black", { 40, 40, 40 } },
            { "schwarz", { 40, 40, 40 } },
            { "white", { 235, 235, 235 } },
            { "weiss", { 235, 235, 235 } },
            { "orange", { 245, 140, 30 } },
            { "violet", { 140, 70, 200 } },
            { "lila", { 140, 70, 200 } },
            { "grey", { 130, 130, 130 } },
            { "grau", { 130, 130, 130 } },
        };
        for (const auto& w : words) {
            if (lower.find(w.word) != std::string::npos) {
                out = w.colour;
                return true;
            }
        }
        return false;
    }

    Colour KindColour(Kind kind, const std::string& name)
    {
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
        switch (kind) {
        case Kind::Button:
            return Vary({ 60, 110, 200 }, name, 20);
        case Kind::Panel:
            return Vary({ 135, 115, 90, 235 }, name, 15);
        case Kind::Car: {
            Colour named;
            return NamedColour(lower, named) ? named : Vary({ 200, 60, 60 }, name, 60);
        }
        case Kind::Place:
            return Vary({ 110, 160, 110 }, name, 20);
        case Kind::Lamp: {
            Colour named;
            return NamedColour(lower, named) ? named : Vary({ 240, 140, 40 }, name, 20);
        }
        case Kind::Icon:
            return Vary({ 150, 80, 190 }, name, 30);
        case Kind::Digit:
            return { 250, 250, 250 };
        case Kind::Background:
            return Vary({ 40, 90, 100 }, name, 15);
        case Kind::Cursor:
            return lower.find("click") != std::string::npos ? Colour { 255, 220, 60 } : Colour { 250, 250, 250 };
        case Kind::Weather:
        case Kind::Effect:
            break;
        }
        return { 128, 128, 128 };
    }
    void DrawShapeIn(SDL_Surface* image, Kind kind, Colour base, bool over)
    {
        SDL_FillRect(image, nullptr, SDL_MapRGBA(image->format, 0, 0, 0, 0));
        Canvas c(image);

        switch (kind) {
        case Kind::Button:
            DrawButton(c, base);
            break;
        case Kind::Panel:
            DrawPanel(c, base);
            break;
        case Kind::Car:
            DrawCar(c, base);
            break;
        case Kind::Place:
            DrawPlace(c, base);
            break;
        case Kind::Lamp:
            DrawLamp(c, base);
            break;
        case Kind::Icon:
            DrawIcon(c, base);
            break;
        case Kind::Digit:
            break;
        case Kind::Background:
            DrawBackground(c, base);
            break;
        case Kind::Cursor:
            DrawCursor(c, base);
            break;
        case Kind::Weather:
        case Kind::Effect:
            break;
        }
        if (over)
            c.Frame(0, 0, c.W(), c.H(), std::min({ 2, c.W(), c.H() }), Colour { 255, 225, 0 });
    }

} // namespace

Colour Lighter(Colour c, int percent)
{
    auto mix = [&](uint8_t v) { return static_cast<uint8_t>(v + (255 - v) * percent / 100); };
    return { mix(c.r), mix(c.g), mix(c.b), c.a };
}

void DrawShape(SDL_Surface* image, Kind kind, const std::string& name)
{
    if (kind == Kind::Weather || kind == Kind::Effect) {
        DrawWeatherOrEffect(image, kind, name);
        return;
    }
    const Colour base = KindColour(kind, name);
    const bool over = IsOverVariant(name);
    DrawShapeIn(image, kind, over ? Lighter(base, 45) : base, over);
}

} // namespace artgen
