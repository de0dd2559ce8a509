#include "engine/gfx_font.h"

#include <climits>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

#include "engine/engine_context.h"
#include "engine/gfx_texture.h"
#include "platform/file_access.h"
#include "platform/utf16.h"
#include "resources/log.h"

namespace {

// A line or size unused for this many frames (about five seconds) leaves the
// cache.
constexpr uint64_t kStaleFrames = 300;

std::string ToUtf8(const wchar_t* text)
{
    return platform::WideToNarrow(text ? std::wstring_view(text) : std::wstring_view());
}

// The bytes of a font file, read once while a font made from it lives.
std::shared_ptr<const std::vector<char>> ReadFontFile(const std::string& path)
{
    static std::map<std::string, std::weak_ptr<const std::vector<char>>> files;
    if (auto file = files[path].lock())
        return file;
    platform::NoteFileAccess();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    auto file = std::make_shared<const std::vector<char>>(
        std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    // SDL reads memory of at most INT_MAX bytes.
    if (in.bad() || file->empty() || file->size() > INT_MAX)
        return nullptr;
    files[path] = file;
    return file;
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
    std::shared_ptr<const std::vector<char>> file = ReadFontFile(path);
    SDL_RWops* stream = file ? SDL_RWFromConstMem(file->data(), static_cast<int>(file->size())) : nullptr;
    TTF_Font* font = stream ? TTF_OpenFontRW(stream, 1, size) : nullptr;
    if (!font) {
        cLog::Instance().Error(L"cGfxFont::Open -> Unable to open font \"%s\": %s", path.c_str(),
            file ? TTF_GetError() : "the file cannot be read");
        return nullptr;
    }
    return new cGfxFont(font, std::move(file));
}

cGfxFont::cGfxFont(TTF_Font* font, std::shared_ptr<const std::vector<char>> file)
    : m_file(std::move(file))
    , m_font(font)
    , m_fileBytes(static_cast<int64_t>(m_file->size()))
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

bool cGfxFont::CanDraw(wchar_t character)
{
    return m_font && character > 0 && static_cast<uint32_t>(character) <= 0x10FFFFu
        && TTF_GlyphIsProvided32(m_font, static_cast<Uint32>(character)) != 0;
}

void cGfxFont::MeasureText(const wchar_t* text, SIZE* out)
{
    if (!out)
        return;
    out->cx = out->cy = 0;
    if (!text)
        return;
    engine::Context& context = engine::GetContext();
    auto found = m_sizes.find(std::wstring_view(text));
    if (found == m_sizes.end()) {
        found = m_sizes.emplace(std::wstring(text), Measured {}).first;
        if (context.measurementObserver)
            context.measurementObserver(found->first);
        int w = 0;
        int h = 0;
        if (TTF_SizeUTF8(m_font, ToUtf8(text).c_str(), &w, &h) == 0)
            found->second.size = SIZE { w, h };
    }
    found->second.lastFrame = context.frame;
    *out = found->second.size;
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
    std::erase_if(m_sizes, [frame](const auto& measured) { return frame - measured.second.lastFrame > kStaleFrames; });
}

void cGfxFont::DropAllLines()
{
    for (auto& [text, entry] : m_lines)
        Forget(entry);
    m_lines.clear();
}
