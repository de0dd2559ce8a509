// What the head-up display shows in a recorded frame, read back from its draw
// calls as a player reads the screen: the images by name (through the art
// tables), the numbers written in digit images as text ("00:12", "500 / 300"),
// large and small apart, and the texts drawn.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "support/layout_check.h"
#include "support/recording_gfx.h"

namespace test {

struct HudView {
    struct Placed {
        std::string name;
        int left, top, right, bottom;
        uint32_t colour; // ARGB the image was drawn with
    };
    std::vector<std::string> images; // every image drawn, in order
    std::vector<Placed> placed; // the same with where each was drawn
    std::vector<std::wstring> large; // numbers in the large digits
    std::vector<std::wstring> small; // numbers in the small digits
    std::vector<std::wstring> texts;

    bool Shows(const std::string& image) const
    {
        return std::find(images.begin(), images.end(), image) != images.end();
    }
    bool Says(const std::wstring& text) const { return std::find(texts.begin(), texts.end(), text) != texts.end(); }
    bool HasLarge(const std::wstring& number) const
    {
        return std::find(large.begin(), large.end(), number) != large.end();
    }
    // Where the first image whose name starts so was drawn; null when none.
    const Placed* Find(const std::string& prefix) const
    {
        for (const Placed& image : placed)
            if (image.name.rfind(prefix, 0) == 0)
                return &image;
        return nullptr;
    }
    // The first image whose name starts so; "" when none.
    std::string Starting(const std::string& prefix) const
    {
        for (const std::string& name : images)
            if (name.rfind(prefix, 0) == 0)
                return name;
        return "";
    }
};

// The character a digit image of the head-up display shows, and whether it
// belongs to the small set; 0 for any other image.
inline wchar_t DigitOf(const std::string& name, bool& small)
{
    std::string base = name;
    if (base.size() > 4 && base.compare(base.size() - 4, 4, ".png") == 0)
        base.resize(base.size() - 4);
    small = base.size() > 2 && base.compare(base.size() - 2, 2, "_2") == 0;
    if (small)
        base.resize(base.size() - 2);
    if (base.size() == 1 && base[0] >= '0' && base[0] <= '9')
        return static_cast<wchar_t>(base[0]);
    static const std::map<std::string, wchar_t> kSigns
        = { { "doppelpunkt", L':' }, { "dash", L'/' }, { "plus", L'+' }, { "minus", L'-' }, { "scores_x", L'x' } };
    const auto found = kSigns.find(base);
    return found == kSigns.end() ? 0 : found->second;
}

// Digests of the pages drawn, kept by texture while its bytes stay where they
// were, so that a frame is not hashed page by page again.
using PageDigests = std::map<const iGfxTexture*, std::pair<const uint8_t*, uint64_t>>;

inline HudView ReadHud(RecordingGfx& gfx, const ImageCatalog& catalog, PageDigests& digests)
{
    struct Glyph {
        int x, y, right;
        wchar_t c;
    };
    HudView view;
    std::vector<Glyph> glyphs[2];
    for (const GfxDraw& d : gfx.draws) {
        if (d.kind == GfxDraw::Kind::Text || d.kind == GfxDraw::Kind::TextAlt) {
            view.texts.push_back(d.text);
            continue;
        }
        if (d.kind != GfxDraw::Kind::Texture || !d.texture)
            continue;
        const auto* page = static_cast<const RecordingTexture*>(d.texture);
        auto& known = digests[d.texture];
        if (known.first != page->bytes.data() || !known.first) {
            known.first = page->bytes.data();
            known.second = Digest(page->bytes.data(), page->bytes.size());
        }
        gfx.textureDigests[d.texture] = known.second;
        const ImageCatalog::Image* image = catalog.Find(gfx, d);
        if (!image)
            continue;
        view.images.push_back(image->name);
        view.placed.push_back({ image->name, static_cast<int>(d.target.left), static_cast<int>(d.target.top),
            static_cast<int>(d.target.right), static_cast<int>(d.target.bottom), d.color });
        bool small = false;
        const wchar_t c
            = image->folder.rfind("data/gui/interface/menu/menu_submenu", 0) == 0 ? DigitOf(image->name, small) : 0;
        if (c)
            glyphs[small].push_back({ static_cast<int>(d.target.left), static_cast<int>(d.target.top),
                static_cast<int>(d.target.right), c });
    }
    // A number is a row of glyphs on one line; a space leaves a gap no wider
    // than the set's gap (15 and 12 pixels), more starts another number.
    const int gaps[2] = { 15, 12 };
    for (int set = 0; set < 2; ++set) {
        std::vector<Glyph>& row = glyphs[set];
        std::stable_sort(
            row.begin(), row.end(), [](const Glyph& a, const Glyph& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
        std::vector<std::wstring>& out = set ? view.small : view.large;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const bool joined = i > 0 && row[i].y == row[i - 1].y && row[i].x >= row[i - 1].right
                && row[i].x - row[i - 1].right <= gaps[set];
            if (!joined)
                out.emplace_back();
            else if (row[i].x > row[i - 1].right)
                out.back() += L' ';
            out.back() += row[i].c;
        }
    }
    return view;
}

} // namespace test
