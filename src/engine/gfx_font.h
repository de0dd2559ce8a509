// A TrueType face at one size and style, read from memory, with the sizes of
// the strings it has measured and the textures of those it has drawn: a string
// measured or drawn again is neither measured nor rasterised again, and no
// glyph is ever read from the font file after it was opened.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/gfx.h"

class cGfxFont : public iGfxFont {
public:
    // Null (with a log line) when the font file cannot be opened.
    static cGfxFont* Open(const std::string& path, int size);
    ~cGfxFont() override;
    cGfxFont(const cGfxFont&) = delete;
    cGfxFont& operator=(const cGfxFont&) = delete;

    void MeasureText(const wchar_t* text, SIZE* out) override;
    bool CanDraw(wchar_t character) override;

    struct Line {
        SDL_Texture* texture = nullptr;
        int width = 0;
        int height = 0;
    };
    // The texture of the text, white on transparent, for the current
    // renderer; null for empty text or when it cannot be made.
    const Line* GetLine(const wchar_t* text);

    // Forgets lines not drawn for a while, so the cache follows what is shown.
    void DropStaleLines(uint64_t frame);
    void DropAllLines();

private:
    cGfxFont(TTF_Font* font, std::shared_ptr<const std::vector<char>> file);

    struct Entry {
        Line line;
        uint64_t generation = 0;
        uint64_t lastFrame = 0;
        int64_t bytes = 0;
    };
    void Forget(Entry& entry);

    struct Measured {
        SIZE size {};
        uint64_t lastFrame = 0;
    };

    // The font file's bytes, shared by the fonts made from it; FreeType reads
    // the glyphs from them as they are first needed.
    std::shared_ptr<const std::vector<char>> m_file;
    TTF_Font* m_font;
    int64_t m_fileBytes;
    // Looked up by the caller's text without making a string each frame.
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::wstring_view text) const { return std::hash<std::wstring_view> {}(text); }
    };
    std::unordered_map<std::wstring, Entry, TextHash, std::equal_to<>> m_lines;
    std::unordered_map<std::wstring, Measured, TextHash, std::equal_to<>> m_sizes;
};
