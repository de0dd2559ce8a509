#include "support/screen_reader.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

namespace test {

namespace {

    // The character an image of the digit sets writes, and its set; 0 for
    // any other image.
    wchar_t GlyphOf(const std::string& name, int& set)
    {
        static const struct {
            const char* stem;
            wchar_t c;
        } kGlyphs[] = { { "0", L'0' }, { "1", L'1' }, { "2", L'2' }, { "3", L'3' }, { "4", L'4' }, { "5", L'5' },
            { "6", L'6' }, { "7", L'7' }, { "8", L'8' }, { "9", L'9' }, { "doppelpunkt", L':' }, { "dash", L'/' },
            { "plus", L'+' }, { "minus", L'-' }, { "scores_x", L'x' } };
        for (const auto& g : kGlyphs) {
            const std::string stem = g.stem;
            if (name == stem + ".png" || name == stem) {
                set = 1;
                return g.c;
            }
            if (name == stem + "_2.png" || name == stem + "_2") {
                set = 2;
                return g.c;
            }
        }
        return 0;
    }

    struct Glyph {
        wchar_t c;
        int set, left, top, right, bottom;
        bool natural; // drawn at the size the art gives it
    };

    // The pen moves this far (screen pixels at either size) for a character
    // without an image: a blank.
    int BlankGap(int set)
    {
        return set == 1 ? 15 : 12;
    }

    void Close(std::vector<Glyph>& run, std::vector<ImageNumber>& out, std::vector<std::string>& faults)
    {
        if (run.empty())
            return;
        std::sort(run.begin(), run.end(), [](const Glyph& a, const Glyph& b) { return a.left < b.left; });
        ImageNumber n;
        n.set = run[0].set;
        n.left = run[0].left;
        n.top = run[0].top;
        n.right = run.back().right;
        n.bottom = run[0].bottom;
        for (std::size_t i = 0; i < run.size(); ++i) {
            const Glyph& g = run[i];
            if (i > 0) {
                const int gap = g.left - run[i - 1].right;
                if (gap > 0 && gap % BlankGap(g.set) == 0)
                    n.text.append(static_cast<std::size_t>(gap / BlankGap(g.set)), L' ');
                else if (gap != 0)
                    faults.push_back("digit '" + std::string(1, static_cast<char>(g.c)) + "' at x "
                        + std::to_string(g.left) + " stands " + std::to_string(gap)
                        + " pixels from the glyph before it");
            }
            if (!g.natural)
                faults.push_back("digit '" + std::string(1, static_cast<char>(g.c)) + "' at x " + std::to_string(g.left)
                    + " is not drawn at its own size");
            n.text += g.c;
            n.bottom = std::max(n.bottom, g.bottom);
        }
        out.push_back(std::move(n));
        run.clear();
    }

} // namespace

std::vector<ImageNumber> ReadImageNumbers(
    const RecordingGfx& gfx, const ImageCatalog& catalog, std::vector<std::string>& faults)
{
    std::vector<ImageNumber> out;
    std::vector<Glyph> run;
    for (const GfxDraw& d : gfx.draws) {
        const ImageCatalog::Image* image = d.kind == GfxDraw::Kind::Texture ? catalog.Find(gfx, d) : nullptr;
        int set = 0;
        const wchar_t c = image ? GlyphOf(image->name, set) : 0;
        if (!c) {
            Close(run, out, faults);
            continue;
        }
        const RECT& t = d.target;
        const Glyph g { c, set, static_cast<int>(t.left), static_cast<int>(t.top), static_cast<int>(t.right),
            static_cast<int>(t.bottom), t.right - t.left == image->width && t.bottom - t.top == image->height };
        // A number is one run of glyphs of one set on one line.
        if (!run.empty() && (run.back().set != set || run.back().top != g.top))
            Close(run, out, faults);
        run.push_back(g);
    }
    Close(run, out, faults);
    return out;
}

std::vector<ShownText> ShownTexts(const RecordingGfx& gfx)
{
    std::vector<ShownText> out;
    for (std::size_t i = 0; i < gfx.draws.size(); ++i) {
        const GfxDraw& d = gfx.draws[i];
        if (d.text.empty() || !d.font)
            continue;
        // A shadow: the same text in black drawn just before it, a pixel or
        // two to the right and below.
        const bool black = (d.color & 0x00FFFFFFu) == 0;
        const bool shadow = black && i + 1 < gfx.draws.size() && gfx.draws[i + 1].text == d.text
            && gfx.draws[i + 1].x < d.x && gfx.draws[i + 1].x >= d.x - 2;
        if (!shadow)
            out.push_back({ d.text, d.x, d.y, d.color });
    }
    return out;
}

std::wstring ValueRightOf(const std::vector<ShownText>& texts, const std::wstring& label)
{
    for (const ShownText& l : texts) {
        if (l.text != label)
            continue;
        const ShownText* best = nullptr;
        for (const ShownText& v : texts)
            if (&v != &l && v.y == l.y && v.x > l.x && (!best || v.x < best->x))
                best = &v;
        if (best)
            return best->text;
    }
    return {};
}

std::wstring ClockText(int seconds)
{
    const int minutes = seconds / 60;
    wchar_t text[32];
    std::swprintf(text, 32, L"%02d:%02d", minutes, std::max(0, seconds - 60 * minutes));
    return text;
}

int NumberIn(const std::wstring& text)
{
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 10);
    return !text.empty() && end && *end == L'\0' ? static_cast<int>(value) : -1;
}

} // namespace test
