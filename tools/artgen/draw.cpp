#include "draw.h"

#include <cstdint>
#include <cstring>

#include "paint.h"

namespace artgen {
namespace {

    // Cairo keeps colours premultiplied; the pages want them straight.
    SDL_Surface* ToSurface(cairo_surface_t* painted, int w, int h)
    {
        SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        if (!image)
            return nullptr;
        cairo_surface_flush(painted);
        const unsigned char* data = cairo_image_surface_get_data(painted);
        const int stride = cairo_image_surface_get_stride(painted);
        for (int y = 0; y < h; ++y) {
            const auto* from = reinterpret_cast<const uint32_t*>(data + y * stride);
            auto* to = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(image->pixels) + y * image->pitch);
            for (int x = 0; x < w; ++x) {
                const uint32_t p = from[x];
                const uint32_t a = p >> 24;
                if (a == 0) {
                    to[x] = 0;
                    continue;
                }
                auto straight
                    = [&](int shift) { return std::min<uint32_t>(255, (((p >> shift) & 255) * 255 + a / 2) / a); };
                to[x] = (a << 24) | (straight(16) << 16) | (straight(8) << 8) | straight(0);
            }
        }
        return image;
    }

    // Whatever no painter claims: a plain shape of its kind.
    void PaintPlain(cairo_t* cr, const ImageEntry& e)
    {
        const double w = e.width, h = e.height;
        PathRoundRect(cr, 1, 1, w - 2, h - 2, std::min(w, h) / 6);
        FillStroke(cr, Hex(0xB8B0A0, 0.9), Hex(0x5A544A), 2);
    }

} // namespace

SDL_Surface* DrawImage(const ImageEntry& e)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, e.width, e.height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_t* cr = cairo_create(surface);
    const std::string lower = Lower(e.name);
    const bool painted = PaintWeather(cr, e, lower) || PaintStation(cr, e, lower) || PaintVehicle(cr, e, lower)
        || PaintIcon(cr, e, lower) || PaintScenery(cr, e, lower) || PaintInterface(cr, e, lower);
    if (!painted)
        PaintPlain(cr, e);
    cairo_destroy(cr);
    SDL_Surface* image = ToSurface(surface, e.width, e.height);
    cairo_surface_destroy(surface);
    return image;
}

} // namespace artgen
