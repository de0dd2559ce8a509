#include "engine/gfx_2d.h"

#include <SDL_image.h>

#include <climits>
#include <cmath>
#include <cwctype>
#include <memory>
#include <string>

#include "engine/engine_context.h"
#include "engine/gfx_blend.h"
#include "engine/gfx_device.h"
#include "engine/gfx_font.h"
#include "engine/gfx_texture.h"
#include "resources/log.h"

namespace {

// The face the game asks for, "calibry", is Carlito here (metric-compatible).
const char* const kFontFolder = "/usr/share/fonts/truetype/crosextra/";
const char* const kFontFiles[] = { "Carlito-Regular.ttf", "Carlito-Bold.ttf", "Carlito-Italic.ttf" };

void Modulate(SDL_Texture* texture, uint32_t argb)
{
    SDL_SetTextureColorMod(texture, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
    SDL_SetTextureAlphaMod(texture, argb >> 24);
}

SDL_Color ToSdlColor(uint32_t argb)
{
    return SDL_Color { static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8), static_cast<Uint8>(argb),
        static_cast<Uint8>(argb >> 24) };
}

bool SameNoCase(const wchar_t* a, const wchar_t* b)
{
    for (; *a && *b; ++a, ++b) {
        if (std::towlower(*a) != std::towlower(*b))
            return false;
    }
    return *a == *b;
}

} // namespace

iGfxTexture* cGfx2D::CreateTextureFromMemory(const void* data, uint32_t size, int, int, int)
{
    return cGfxTexture::Decode(data, size);
}

iGfxFont* cGfx2D::CreateFont(const wchar_t* face, int size, int style)
{
    if (!face || !SameNoCase(face, L"calibry"))
        cLog::Instance().Warning(L"cGfx2D::CreateFont -> Face \"%ls\" is drawn with Carlito", face ? face : L"(null)");
    if (style < 0 || style > 2) {
        cLog::Instance().Warning(L"cGfx2D::CreateFont -> Unknown style %i, using regular", style);
        style = 0;
    }
    return cGfxFont::Open(std::string(kFontFolder) + kFontFiles[style], size);
}

std::string MissingFontFile()
{
    // Without the font library open before, it is closed again after.
    const bool wasOpen = TTF_WasInit() != 0;
    std::string missing;
    for (const char* name : kFontFiles) {
        const std::string path = std::string(kFontFolder) + name;
        const std::unique_ptr<cGfxFont> font(cGfxFont::Open(path, 12));
        if (!font) {
            missing = path;
            break;
        }
    }
    if (!wasOpen && TTF_WasInit() && engine::GetContext().fonts.empty())
        TTF_Quit();
    return missing;
}

void cGfx2D::RestoreResources()
{
    m_device->SyncWindowMode();
}

void cGfx2D::ReleaseResources()
{
    // Text is made again on demand; the textures of pages stay.
    for (cGfxFont* font : engine::GetContext().fonts)
        font->DropAllLines();
}

void cGfx2D::SetTexture(iGfxTexture* texture)
{
    m_texture = dynamic_cast<cGfxTexture*>(texture);
}

void cGfx2D::ResetState(float)
{
    m_color = 0xFFFFFFFF;
    m_texture = nullptr;
}

void cGfx2D::DrawTexture(const RECT* source, const RECT* target, float, float)
{
    engine::ScopedTime timed(engine::GetContext().drawNanoseconds);
    SDL_Renderer* renderer = engine::GetContext().renderer;
    // Fully transparent, it would change no pixel: not even decoded.
    if (!renderer || !m_texture || !target || (m_color >> 24) == 0)
        return;
    int sl = 0;
    int st = 0;
    int sr = m_texture->Width();
    int sb = m_texture->Height();
    if (source) {
        sl = source->left;
        st = source->top;
        sr = source->right;
        sb = source->bottom;
    }
    float dl = static_cast<float>(target->left);
    float dt = static_cast<float>(target->top);
    float dr = static_cast<float>(target->right);
    float db = static_cast<float>(target->bottom);
    if (sr <= sl || sb <= st || dr <= dl || db <= dt)
        return;
    // A source reaching past the texture is cut to it, and the target with it
    // in proportion, so nothing is stretched or read out of the image.
    float sx = (dr - dl) / static_cast<float>(sr - sl);
    float sy = (db - dt) / static_cast<float>(sb - st);
    if (sl < 0) {
        dl -= static_cast<float>(sl) * sx;
        sl = 0;
    }
    if (st < 0) {
        dt -= static_cast<float>(st) * sy;
        st = 0;
    }
    if (sr > m_texture->Width()) {
        dr -= static_cast<float>(sr - m_texture->Width()) * sx;
        sr = m_texture->Width();
    }
    if (sb > m_texture->Height()) {
        db -= static_cast<float>(sb - m_texture->Height()) * sy;
        sb = m_texture->Height();
    }
    if (sr <= sl || sb <= st)
        return;
    SDL_Rect src { sl, st, sr - sl, sb - st };
    SDL_FRect dst { dl, dt, dr - dl, db - dt };
    // A large image drawn faded (fog over the whole level) is blended from
    // its pixels with their alpha scaled where the software renderer draws
    // 1:1, and otherwise drawn from a copy with its alpha so scaled:
    // modulating alpha per pixel is the software renderer's slowest way to blend.
    constexpr int kFadedArea = 256 * 256;
    const uint32_t alpha = m_color >> 24;
    if (alpha > 0 && alpha < 0xFF && (m_color & 0xFFFFFF) == 0xFFFFFF && (sr - sl) * (sb - st) >= kFadedArea) {
        if (engine::DirectTarget() && engine::BlendDirect(m_texture->KeptPixels(), src, dst, static_cast<uint8_t>(alpha)))
            return;
        if (SDL_Texture* faded = m_texture->GetFaded(static_cast<uint8_t>(alpha))) {
            ++engine::GetContext().largeSdlBlends;
            SDL_RenderCopyF(renderer, faded, &src, &dst);
            return;
        }
    }
    SDL_Texture* texture = m_texture->Get();
    if (!texture)
        return;
    Modulate(texture, m_color);
    // An opaque image drawn at full alpha is copied, not blended: the same
    // picture at a fraction of the software renderer's work.
    const bool opaque = (m_color >> 24) == 0xFF && m_texture->Opaque(sl, st, sr, sb);
    SDL_SetTextureBlendMode(texture, opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    // A large area blended at full colour is blended by our own blitter where
    // the software renderer draws 1:1: the same pixels, several times faster.
    if (!opaque && m_color == 0xFFFFFFFF && (sr - sl) * (sb - st) >= engine::kLargeBlendArea) {
        if (engine::BlendDirect(texture, src, dst))
            return;
        ++engine::GetContext().largeSdlBlends;
    }
    SDL_RenderCopyF(renderer, texture, &src, &dst);
}

void cGfx2D::DrawLine(iGfxFont* font, int x, int y, const wchar_t* text, float scale, uint32_t color)
{
    engine::ScopedTime timed(engine::GetContext().drawNanoseconds);
    SDL_Renderer* renderer = engine::GetContext().renderer;
    auto* ttf = dynamic_cast<cGfxFont*>(font);
    if (!renderer || !ttf || !(scale > 0.0f) || !std::isfinite(scale))
        return;
    const cGfxFont::Line* line = ttf->GetLine(text);
    if (!line)
        return;
    SDL_FRect dst { static_cast<float>(x), static_cast<float>(y), static_cast<float>(line->width) * scale,
        static_cast<float>(line->height) * scale };
    Modulate(line->texture, color);
    SDL_RenderCopyF(renderer, line->texture, nullptr, &dst);
}

void cGfx2D::DrawText(iGfxFont* font, int x, int y, const wchar_t* text, int)
{
    DrawLine(font, x, y, text, 1.0f, m_color);
}

void cGfx2D::DrawTextAlt(iGfxFont* font, int x, int y, const wchar_t* text, int)
{
    // The shadow fades with the text: its alpha is scaled by the draw alpha.
    uint32_t alpha = ((m_textColor >> 24) * (m_color >> 24) + 127) / 255;
    DrawLine(font, x + 1, y + 1, text, 1.0f, (alpha << 24) | (m_textColor & 0xFFFFFF));
    DrawLine(font, x, y, text, 1.0f, m_color);
}

void cGfx2D::DrawTextScaled(iGfxFont* font, int x, int y, const wchar_t* text, float scale, int)
{
    DrawLine(font, x, y, text, scale, m_color);
}

void cGfx2D::DrawLines(const float points[][2], int count, int)
{
    engine::ScopedTime timed(engine::GetContext().drawNanoseconds);
    SDL_Renderer* renderer = engine::GetContext().renderer;
    if (!renderer || !points || count < 2)
        return;
    m_points.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        m_points[static_cast<size_t>(i)] = SDL_FPoint { points[i][0], points[i][1] };
    SDL_Color c = ToSdlColor(m_color);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
    SDL_RenderDrawLinesF(renderer, m_points.data(), count);
}

void cGfx2D::DrawTriangles(const GfxVertex* vertices, int triangleCount, int, int)
{
    engine::ScopedTime timed(engine::GetContext().drawNanoseconds);
    SDL_Renderer* renderer = engine::GetContext().renderer;
    if (!renderer || !vertices || triangleCount <= 0)
        return;
    size_t n = static_cast<size_t>(triangleCount) * 3;
    m_vertices.resize(n);
    for (size_t i = 0; i < n; ++i)
        m_vertices[i] = SDL_Vertex { SDL_FPoint { vertices[i].x, vertices[i].y }, ToSdlColor(vertices[i].color),
            SDL_FPoint { 0.0f, 0.0f } };
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_RenderGeometry(renderer, nullptr, m_vertices.data(), static_cast<int>(n), nullptr, 0);
}
