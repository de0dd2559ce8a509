#include "engine/gfx_blend.h"

#include <algorithm>
#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define VANDREL_BLEND_AVX2 1
#endif

#include "engine/engine_context.h"

namespace engine {

namespace {

    uint32_t BlendPixel(uint32_t s, uint32_t d, uint32_t alpha)
    {
        if (alpha != 0xFF)
            s = (s & 0xFFFFFFu) | ((((s >> 24) * alpha + 127) / 255) << 24);
        const uint32_t a = s >> 24;
        if (a == 0xFF)
            return s;
        if (a == 0)
            return d;
        s |= 0xFF000000u;
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const uint32_t sc = (s >> shift) & 0xFF;
            const uint32_t dc = (d >> shift) & 0xFF;
            out |= (((sc * a) >> 8) + ((dc * (255 - a)) >> 8)) << shift;
        }
        return out;
    }

    bool Whole(float v)
    {
        return std::floor(v) == v && std::fabs(v) < 1e8f;
    }

#ifdef VANDREL_BLEND_AVX2
    // BlendRow's loop below, eight pixels at a time where the processor has
    // AVX2 (each 128-bit half works as the four-pixel loop does); returns how
    // many pixels it blended.
    __attribute__((target("avx2"))) int BlendEights(const uint32_t* source, uint32_t* target, int count, uint8_t alpha)
    {
        const __m256i zero = _mm256_setzero_si256();
        const __m256i alphaByte = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
        const __m256i full = _mm256_set1_epi16(255);
        const __m256i fade = _mm256_set1_epi32(alpha);
        const __m256i rounding = _mm256_set1_epi32(127);
        const __m256i one = _mm256_set1_epi32(1);
        const __m256i colour = _mm256_set1_epi32(0x00FFFFFF);
        int i = 0;
        for (; i + 8 <= count; i += 8) {
            __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
            if (alpha != 0xFF) {
                const __m256i t = _mm256_add_epi32(_mm256_mullo_epi16(_mm256_srli_epi32(s, 24), fade), rounding);
                const __m256i scaled = _mm256_srli_epi32(_mm256_add_epi32(_mm256_add_epi32(t, one), _mm256_srli_epi32(t, 8)), 8);
                s = _mm256_or_si256(_mm256_and_si256(s, colour), _mm256_slli_epi32(scaled, 24));
            }
            const __m256i sa = _mm256_and_si256(s, alphaByte);
            const __m256i opaque = _mm256_cmpeq_epi32(sa, alphaByte);
            const __m256i clear = _mm256_cmpeq_epi32(sa, zero);
            if (_mm256_movemask_epi8(clear) == -1)
                continue;
            auto* at = reinterpret_cast<__m256i*>(target + i);
            if (_mm256_movemask_epi8(opaque) == -1) {
                _mm256_storeu_si256(at, s);
                continue;
            }
            const __m256i d = _mm256_loadu_si256(at);
            const __m256i sf = _mm256_or_si256(s, alphaByte);
            auto half = [&](__m256i sh, __m256i dh, __m256i ah) __attribute__((target("avx2"))) {
                ah = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(ah, 0xFF), 0xFF);
                const __m256i fromSource = _mm256_srli_epi16(_mm256_mullo_epi16(sh, ah), 8);
                const __m256i fromTarget = _mm256_srli_epi16(_mm256_mullo_epi16(dh, _mm256_sub_epi16(full, ah)), 8);
                return _mm256_add_epi16(fromSource, fromTarget);
            };
            const __m256i low = half(_mm256_unpacklo_epi8(sf, zero), _mm256_unpacklo_epi8(d, zero), _mm256_unpacklo_epi8(s, zero));
            const __m256i high = half(_mm256_unpackhi_epi8(sf, zero), _mm256_unpackhi_epi8(d, zero), _mm256_unpackhi_epi8(s, zero));
            __m256i out = _mm256_packus_epi16(low, high);
            out = _mm256_blendv_epi8(out, s, opaque);
            out = _mm256_blendv_epi8(out, d, clear);
            _mm256_storeu_si256(at, out);
        }
        return i;
    }

    bool HasAvx2()
    {
        static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
        return has;
    }
#endif

} // namespace

void BlendRow(const uint32_t* source, uint32_t* target, int count, uint8_t alpha)
{
    int i = 0;
#ifdef VANDREL_BLEND_AVX2
    if (HasAvx2())
        i = BlendEights(source, target, count, alpha);
#endif
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaByte = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i full = _mm_set1_epi16(255);
    const __m128i fade = _mm_set1_epi32(alpha);
    const __m128i rounding = _mm_set1_epi32(127);
    const __m128i one = _mm_set1_epi32(1);
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 4 <= count; i += 4) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        if (alpha != 0xFF) {
            // t = a * alpha + 127 < 65535, and t / 255 = (t + 1 + (t >> 8)) >> 8 there.
            const __m128i t = _mm_add_epi32(_mm_mullo_epi16(_mm_srli_epi32(s, 24), fade), rounding);
            const __m128i scaled = _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(t, one), _mm_srli_epi32(t, 8)), 8);
            s = _mm_or_si128(_mm_and_si128(s, colour), _mm_slli_epi32(scaled, 24));
        }
        const __m128i sa = _mm_and_si128(s, alphaByte);
        const __m128i opaque = _mm_cmpeq_epi32(sa, alphaByte);
        const __m128i clear = _mm_cmpeq_epi32(sa, zero);
        const int opaqueMask = _mm_movemask_epi8(opaque);
        const int clearMask = _mm_movemask_epi8(clear);
        if (clearMask == 0xFFFF)
            continue;
        auto* at = reinterpret_cast<__m128i*>(target + i);
        if (opaqueMask == 0xFFFF) {
            _mm_storeu_si128(at, s);
            continue;
        }
        const __m128i d = _mm_loadu_si128(at);
        // Two pixels per register, a channel per 16-bit lane; the source's
        // alpha lane reads 255 and each pixel's alpha fills its four lanes.
        const __m128i sf = _mm_or_si128(s, alphaByte);
        auto half = [&](__m128i sh, __m128i dh, __m128i ah) {
            ah = _mm_shufflehi_epi16(_mm_shufflelo_epi16(ah, 0xFF), 0xFF);
            const __m128i fromSource = _mm_srli_epi16(_mm_mullo_epi16(sh, ah), 8);
            const __m128i fromTarget = _mm_srli_epi16(_mm_mullo_epi16(dh, _mm_sub_epi16(full, ah)), 8);
            return _mm_add_epi16(fromSource, fromTarget);
        };
        const __m128i low = half(_mm_unpacklo_epi8(sf, zero), _mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero));
        const __m128i high = half(_mm_unpackhi_epi8(sf, zero), _mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero));
        __m128i out = _mm_packus_epi16(low, high);
        out = _mm_or_si128(_mm_and_si128(opaque, s), _mm_andnot_si128(opaque, out));
        out = _mm_or_si128(_mm_and_si128(clear, d), _mm_andnot_si128(clear, out));
        _mm_storeu_si128(at, out);
    }
#endif
    for (; i < count; ++i)
        target[i] = BlendPixel(source[i], target[i], alpha);
}

bool SoftwareRenderer()
{
    SDL_RendererInfo info {};
    SDL_Renderer* renderer = GetContext().renderer;
    return renderer && SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

SDL_Surface* DirectTarget()
{
    Context& context = GetContext();
    SDL_Renderer* renderer = context.renderer;
    if (!renderer || SDL_GetRenderTarget(renderer) || SDL_RenderIsClipEnabled(renderer))
        return nullptr;
    if (!SoftwareRenderer())
        return nullptr;
    // Off-screen, the renderer draws into the target; a software renderer
    // made for a window draws into the window's surface.
    SDL_Surface* surface = context.target;
    if (!surface) {
        SDL_Window* window = SDL_RenderGetWindow(renderer);
        surface = window ? SDL_GetWindowSurface(window) : nullptr;
    }
    if (!surface || surface->format->BytesPerPixel != 4 || surface->format->Rmask != 0x00FF0000u
        || surface->format->Gmask != 0x0000FF00u || surface->format->Bmask != 0x000000FFu)
        return nullptr;
    float scaleX = 0.0f;
    float scaleY = 0.0f;
    SDL_RenderGetScale(renderer, &scaleX, &scaleY);
    SDL_Rect viewport {};
    SDL_RenderGetViewport(renderer, &viewport);
    if (scaleX != 1.0f || scaleY != 1.0f || viewport.x != 0 || viewport.y != 0)
        return nullptr;
    return surface;
}

namespace {

    // The area's rows blended onto the target; the caller has checked that
    // `source` lies inside the pixels.
    void BlendArea(SDL_Surface* surface, const void* pixels, int pitch, const SDL_Rect& source, int x, int y, uint8_t alpha)
    {
        const int left = std::max(x, 0);
        const int top = std::max(y, 0);
        const int right = std::min(x + source.w, surface->w);
        const int bottom = std::min(y + source.h, surface->h);
        if (left >= right || top >= bottom || (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0))
            return;
        for (int row = top; row < bottom; ++row) {
            const auto* from = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(pixels)
                + static_cast<ptrdiff_t>(source.y + row - y) * pitch) + (source.x + left - x);
            auto* to = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels)
                + static_cast<ptrdiff_t>(row) * surface->pitch) + left;
            BlendRow(from, to, right - left, alpha);
        }
        if (SDL_MUSTLOCK(surface))
            SDL_UnlockSurface(surface);
    }

    bool Fits(const SDL_Rect& source, const SDL_FRect& target, int width, int height)
    {
        return target.w == static_cast<float>(source.w) && target.h == static_cast<float>(source.h)
            && Whole(target.x) && Whole(target.y) && source.x >= 0 && source.y >= 0 && source.w > 0
            && source.h > 0 && source.x + source.w <= width && source.y + source.h <= height;
    }

    // Blending here is rasterising, which the present does for what SDL
    // queued: its time is counted there, not in the draw call that asked.
    class RasterTime {
    public:
        RasterTime()
            : start(SDL_GetPerformanceCounter())
        {
        }
        ~RasterTime()
        {
            Context& context = GetContext();
            const uint64_t nanoseconds
                = (SDL_GetPerformanceCounter() - start) * 1000000000ull / SDL_GetPerformanceFrequency();
            context.presentNanoseconds += nanoseconds;
            context.drawNanoseconds -= nanoseconds; // the draw call's own timer adds it back
        }
        RasterTime(const RasterTime&) = delete;
        RasterTime& operator=(const RasterTime&) = delete;

    private:
        uint64_t start;
    };

} // namespace

bool BlendDirect(SDL_Texture* texture, const SDL_Rect& source, const SDL_FRect& target)
{
    Uint32 format = 0;
    int access = 0;
    int width = 0;
    int height = 0;
    if (!texture || SDL_QueryTexture(texture, &format, &access, &width, &height) != 0
        || format != SDL_PIXELFORMAT_ARGB8888 || access != SDL_TEXTUREACCESS_STREAMING
        || !Fits(source, target, width, height))
        return false;
    SDL_Surface* surface = DirectTarget();
    if (!surface)
        return false;
    RasterTime timed;
    SDL_RenderFlush(GetContext().renderer);
    // The software renderer's lock hands out the texture's own pixels.
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0)
        return false;
    BlendArea(surface, pixels, pitch, source, static_cast<int>(target.x), static_cast<int>(target.y), 0xFF);
    SDL_UnlockTexture(texture);
    return true;
}

bool BlendDirect(const SDL_Surface* pixels, const SDL_Rect& source, const SDL_FRect& target, uint8_t alpha)
{
    if (!pixels || pixels->format->format != SDL_PIXELFORMAT_ARGB8888 || !Fits(source, target, pixels->w, pixels->h))
        return false;
    SDL_Surface* surface = DirectTarget();
    if (!surface)
        return false;
    RasterTime timed;
    SDL_RenderFlush(GetContext().renderer);
    BlendArea(surface, pixels->pixels, pixels->pitch, source, static_cast<int>(target.x), static_cast<int>(target.y), alpha);
    return true;
}

} // namespace engine
