// The shapes of the weather and effect images, which lie over the scene: soft
// and partly transparent, chosen by the image's name.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <string>

#include "shapes.h"

namespace artgen {
namespace {

    void Put(SDL_Surface* s, int x, int y, Colour c)
    {
        if (x < 0 || y < 0 || x >= s->w || y >= s->h)
            return;
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        row[x] = SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a);
    }

    // Keeps the more opaque of the pixel there and the new one, so shapes
    // laid over each other merge.
    void PutOver(SDL_Surface* s, int x, int y, Colour c)
    {
        if (x < 0 || y < 0 || x >= s->w || y >= s->h)
            return;
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) + y * s->pitch);
        uint8_t r = 0, g = 0, b = 0, a = 0;
        SDL_GetRGBA(row[x], s->format, &r, &g, &b, &a);
        if (a < c.a)
            Put(s, x, y, c);
    }

    // A disc whose alpha falls off towards its rim.
    void SoftDisc(SDL_Surface* s, double cx, double cy, double r, Colour c)
    {
        for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r); ++y) {
            for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / r;
                if (d > 1.0)
                    continue;
                Colour p = c;
                p.a = static_cast<uint8_t>(c.a * std::min(1.0, (1.0 - d) * 2.5));
                PutOver(s, x, y, p);
            }
        }
    }

    // Drifting banks of mist: a few slow waves, brighter where they meet.
    void DrawFog(SDL_Surface* s, bool flipped)
    {
        for (int y = 0; y < s->h; ++y) {
            for (int x = 0; x < s->w; ++x) {
                const double u = (flipped ? s->w - x : x) / 180.0, v = y / 140.0;
                const double wave = std::sin(u + 0.7 * std::sin(v * 1.3)) + std::sin(v * 0.9 + u * 0.4 + 1.7);
                const int a = std::clamp(static_cast<int>(150 + 55 * wave), 40, 255);
                Put(s, x, y, Colour { 228, 231, 236, static_cast<uint8_t>(a) });
            }
        }
    }

    void DrawCloud(SDL_Surface* s, bool shadow)
    {
        const double w = s->w, h = s->h;
        const Colour c = shadow ? Colour { 20, 25, 35, 120 } : Colour { 250, 250, 252, 235 };
        const double puffs[5][3] = { { 0.25, 0.6, 0.22 }, { 0.45, 0.45, 0.3 }, { 0.68, 0.55, 0.25 },
            { 0.82, 0.68, 0.16 }, { 0.15, 0.72, 0.14 } };
        for (const auto& p : puffs)
            SoftDisc(s, w * p[0], h * p[1], std::min(w / 2, h) * p[2] * 1.6, c);
    }

    void DrawDrop(SDL_Surface* s)
    {
        // A thin streak slanting a little with the wind.
        for (int y = 0; y < s->h; ++y) {
            const int x = (s->w - 1) * (s->h - 1 - y) / std::max(1, s->h - 1);
            const uint8_t a = static_cast<uint8_t>(90 + 140 * y / std::max(1, s->h));
            Put(s, x, y, Colour { 200, 215, 240, a });
        }
    }

    void DrawBalloon(SDL_Surface* s, const std::string& name)
    {
        const double w = s->w, h = s->h;
        const uint8_t hue = static_cast<uint8_t>(name.size() * 37);
        SoftDisc(s, w / 2, h * 0.38, std::min(w, h) * 0.38, Colour { 230, hue, 60, 255 });
        for (int y = static_cast<int>(h * 0.75); y < s->h; ++y)
            Put(s, s->w / 2, y, Colour { 60, 50, 40, 255 });
    }

    // The frame number: the digits before the extension.
    int FrameNumber(const std::string& name)
    {
        size_t end = name.rfind('.');
        if (end == std::string::npos)
            end = name.size();
        size_t begin = end;
        while (begin > 0 && std::isdigit(static_cast<unsigned char>(name[begin - 1])))
            --begin;
        return begin < end ? std::stoi(name.substr(begin, std::min<size_t>(end - begin, 3))) : 0;
    }

    // A star that grows and turns over the frames; smoke is a grey puff that
    // swells and thins.
    void DrawEffectFrame(SDL_Surface* s, const std::string& lower)
    {
        const int frame = FrameNumber(lower);
        const double w = s->w, h = s->h, t = (frame % 8) / 7.0;
        if (lower.find("smoke") != std::string::npos) {
            const uint8_t a = static_cast<uint8_t>(220 - 140 * t);
            SoftDisc(s, w * 0.5, h * (0.7 - 0.3 * t), std::min(w, h) * (0.2 + 0.25 * t), Colour { 110, 110, 115, a });
            SoftDisc(s, w * 0.35, h * (0.8 - 0.3 * t), std::min(w, h) * (0.15 + 0.15 * t), Colour { 140, 140, 145, a });
            return;
        }
        const uint32_t hash
            = static_cast<uint32_t>(std::hash<std::string> {}(lower.substr(0, lower.find_first_of("0123456789."))));
        const Colour c { 255, static_cast<uint8_t>(170 + hash % 80), static_cast<uint8_t>(40 + (hash >> 8) % 160),
            255 };
        const double cx = w / 2, cy = h / 2, outer = std::min(w, h) * (0.2 + 0.28 * t), turn = t * 0.8;
        for (int y = 0; y < s->h; ++y) {
            for (int x = 0; x < s->w; ++x) {
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
                const double angle = std::atan2(dy, dx) + turn;
                const double reach = outer * (0.45 + 0.55 * std::pow(std::abs(std::cos(angle * 4)), 6));
                const double d = std::hypot(dx, dy);
                if (d <= reach) {
                    Colour p = c;
                    p.a = static_cast<uint8_t>(255 * std::min(1.0, (1.0 - d / reach) * 3.0 + 0.2));
                    Put(s, x, y, d < outer * 0.25 ? Colour { 255, 255, 240, p.a } : p);
                }
            }
        }
    }

} // namespace

void DrawWeatherOrEffect(SDL_Surface* image, Kind kind, const std::string& name)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (kind == Kind::Effect) {
        DrawEffectFrame(image, lower);
        return;
    }
    const double r = std::min(image->w, image->h) / 2.0;
    if (lower.find("fog") != std::string::npos)
        DrawFog(image, lower.find("flip") != std::string::npos);
    else if (lower.find("shadow") != std::string::npos)
        DrawCloud(image, true);
    else if (lower.find("cloud") != std::string::npos || lower.find("wolke") != std::string::npos)
        DrawCloud(image, false);
    else if (lower.find("rain") != std::string::npos)
        DrawDrop(image);
    else if (lower.find("snow") != std::string::npos)
        SoftDisc(image, image->w / 2.0, image->h / 2.0, r, Colour { 255, 255, 255, 255 });
    else
        DrawBalloon(image, lower);
}

} // namespace artgen
