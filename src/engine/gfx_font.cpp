#include "engine/gfx_font.h"

#include <filesystem>
#include <vector>

#include "engine/engine_context.h"
#include "engine/gfx_texture.h"
#include "platform/file_access.h"
#include "platform/utf16.h"
#include "resources/log.h"

namespace {

// A line unused for this many frames (about five seconds) leaves the cache.
constexpr uint64_t kStaleFrames = 300;

std::string ToUtf8(const wchar_t* text)
{
    return platform::WideToNarrow(text ? std::wstring_view(text) : std::wstring_view());
}

} // namespace

cGfxFont* cGfxFont::Open(const std::string& path, int size)
{
    if (size <= 0) {
        cLog::Instance().Error(L"cGfxFont::Open -> Invalid font size %i", size);
        return nullptr;
    }
    if (!TTF_WasInit() && TTF_Init() != 0) {
        cLog::Instance().Error(L"cGfxFont::Open -> TTF_Init failed: %s", TTF_GetError());
        return nullptr;
    }
    platform::NoteFileAccess();
    TTF_Font* font = TTF_OpenFont(path.c_str(), size);
    if (!font) {
        cLog::Instance().Error(L"cGfxFont::Open -> Unable to open font \"%s\": %s", path.c_str(), TTF_GetError());
        return nullptr;
    }
    std::error_code ec;
    auto bytes = std::filesystem::file_size(path, ec);
    return new cGfxFont(font, ec ? 1 : static_cast<int64_t>(bytes));
}

cGfxFont::cGfxFont(TTF_Font* font, int64_t bytes)
    : m_font(font)
    , m_fileBytes(bytes)
{
    engine::Context& context = engine::GetContext();
    context.liveBytes += m_fileBytes;
    context.fonts.insert(this);
}

cGfxFont::~cGfxFont()
{
    DropAllLines();
    TTF_CloseFont(m_font);
    engine::Context& context = engine::GetContext();
    context.liveBytes -= m_fileBytes;
    context.fonts.erase(this);
}

void cGfxFont::MeasureText(const wchar_t* text, SIZE* out)
{
    if (!out)
        return;
    out->cx = out->cy = 0;
    if (!text)
        return;
    int w = 0;
    int h = 0;
    if (TTF_SizeUTF8(m_font, ToUtf8(text).c_str(), &w, &h) == 0) {
        out->cx = w;
        out->cy = h;
    }
}

void cGfxFont::Forget(Entry& entry)
{
    DestroyRendererTexture(entry.line.texture, entry.generation);
    engine::GetContext().liveBytes -= entry.bytes;
    entry.line.texture = nullptr;
    entry.bytes = 0;
}

const cGfxFont::Line* cGfxFont::GetLine(const wchar_t* text)
{
    if (!text || !*text)
        return nullptr;
    engine::Context& context = engine::GetContext();
    if (!context.renderer)
        return nullptr;
    auto found = m_lines.find(std::wstring_view(text));
    if (found == m_lines.end())
        found = m_lines.emplace(std::wstring(text), Entry {}).first;
    Entry& entry = found->second;
    entry.lastFrame = context.frame;
    if (entry.line.texture && entry.generation == context.generation)
        return &entry.line;
    Forget(entry);

    ++context.textRasterisations;
    if (context.rasterisationObserver)
        context.rasterisationObserver(found->first);
    SDL_Surface* surface = TTF_RenderUTF8_Blended(m_font, ToUtf8(text).c_str(), SDL_Color { 255, 255, 255, 255 });
    if (!surface) {
        m_lines.erase(found);
        return nullptr;
    }
    entry.line.texture = SDL_CreateTextureFromSurface(context.renderer, surface);
    entry.line.width = surface->w;
    entry.line.height = surface->h;
    entry.generation = context.generation;
    entry.bytes = static_cast<int64_t>(surface->pitch) * surface->h;
    SDL_FreeSurface(surface);
    if (!entry.line.texture) {
        m_lines.erase(found);
        return nullptr;
    }
    context.liveBytes += entry.bytes;
    SDL_SetTextureBlendMode(entry.line.texture, SDL_BLENDMODE_BLEND);
    return &entry.line;
}

void cGfxFont::DropStaleLines(uint64_t frame)
{
    for (auto it = m_lines.begin(); it != m_lines.end();) {
        if (frame - it->second.lastFrame > kStaleFrames) {
            Forget(it->second);
            it = m_lines.erase(it);
        } else {
            ++it;
        }
    }
}

void cGfxFont::DropAllLines()
{
    for (auto& [text, entry] : m_lines)
        Forget(entry);
    m_lines.clear();
}
