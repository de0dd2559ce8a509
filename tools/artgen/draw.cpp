#include "draw.h"

#include "shapes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace artgen {
namespace {

    // The text that identifies a digit image: its last digit, else its first letter.
    std::string DigitFigure(const std::string& name)
    {
        std::string stem = name.substr(0, name.find('.'));
        for (auto it = stem.rbegin(); it != stem.rend(); ++it) {
            if (std::isdigit(static_cast<unsigned char>(*it)))
                return std::string(1, *it);
        }
        return stem.empty() ? "?" : stem.substr(0, 1);
    }

    // Copies a rendered text surface onto the image, blending.
    void Blit(SDL_Surface* text, SDL_Surface* image, int x, int y)
    {
        SDL_SetSurfaceBlendMode(text, SDL_BLENDMODE_BLEND);
        SDL_Rect at { x, y, text->w, text->h };
        SDL_BlitSurface(text, nullptr, image, &at);
    }

    void WriteText(SDL_Surface* image, TTF_Font* font, const std::string& text, int x, int y, Colour fg, Colour shadow)
    {
        if (!font || text.empty())
            return;
        SDL_Surface* front = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color { fg.r, fg.g, fg.b, 255 });
        SDL_Surface* back = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color { shadow.r, shadow.g, shadow.b, 255 });
        if (front && back) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (dx || dy)
                        Blit(back, image, x + dx, y + dy);
            Blit(front, image, x, y);
        }
        SDL_FreeSurface(front);
        SDL_FreeSurface(back);
    }

    int TextWidth(TTF_Font* font, const std::string& text)
    {
        int w = 0, h = 0;
        TTF_SizeUTF8(font, text.c_str(), &w, &h);
        return w;
    }

    // Pieces of a name that may end a line: after '_', before '.', and where
    // letters turn into digits ("lampe_" "green", "zahl_0" ".png", "Click" "0001").
    std::vector<std::string> Pieces(const std::string& name)
    {
        std::vector<std::string> out;
        for (size_t i = 0; i < name.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(name[i]);
            const unsigned char before = i > 0 ? static_cast<unsigned char>(name[i - 1]) : 0;
            if (out.empty() || c == '.' || before == '_' || (std::isdigit(c) && std::isalpha(before)))
                out.emplace_back();
            out.back().push_back(name[i]);
        }
        return out;
    }

    std::vector<std::string> Wrap(const std::string& name, TTF_Font* font, int width)
    {
        std::vector<std::string> lines;
        for (const std::string& piece : Pieces(name)) {
            if (!lines.empty() && TextWidth(font, lines.back() + piece) <= width)
                lines.back() += piece;
            else
                lines.push_back(piece);
        }
        return lines;
    }

    struct Label {
        TTF_Font* font = nullptr;
        std::vector<std::string> lines;
    };

    // The largest legible form of the name that fits the area: one line, first
    // whole and then without ".png", then the same wrapped; the last resort is one
    // clipped line.
    Label FitName(const std::string& name, const Fonts& fonts, int width, int height)
    {
        std::string stem = name;
        if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".png") == 0)
            stem.resize(stem.size() - 4);
        for (const bool wrap : { false, true }) {
            for (const std::string& text : { name, stem }) {
                for (TTF_Font* font : { fonts.small, fonts.tiny }) {
                    const std::vector<std::string> lines
                        = wrap ? Wrap(text, font, width) : std::vector<std::string> { text };
                    const bool fits = std::all_of(
                        lines.begin(), lines.end(), [&](const std::string& l) { return TextWidth(font, l) <= width; });
                    if (fits && static_cast<int>(lines.size()) * TTF_FontLineSkip(font) <= height)
                        return { font, lines };
                }
            }
        }
        return { fonts.tiny, { name } };
    }

} // namespace

SDL_Surface* DrawImage(const ImageEntry& entry, const Fonts& fonts)
{
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, entry.width, entry.height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!image)
        return nullptr;
    SDL_FillRect(image, nullptr, SDL_MapRGBA(image->format, 0, 0, 0, 0));
    DrawShape(image, entry.kind, entry.name);
    if (entry.kind == Kind::Weather || entry.kind == Kind::Effect)
        return image;
    const bool over = IsOverVariant(entry.name);
    const Colour white { 255, 255, 255 }, black { 0, 0, 0 };
    // The name: top-left on large images, centred on small ones. A digit
    // shows its figure large below the name, a cursor keeps its point clear.
    const bool large = entry.width >= 160 && entry.height >= 60;
    int top = 0;
    int areaHeight = entry.height;
    if (large)
        top = 3;
    if (entry.kind == Kind::Digit)
        areaHeight = entry.height / 2;
    const Label label = FitName(entry.name,
        entry.kind == Kind::Digit ? Fonts { fonts.tiny, fonts.tiny, nullptr } : fonts, entry.width - 2, areaHeight);
    const int lineHeight = TTF_FontLineSkip(label.font);
    const int blockHeight = lineHeight * static_cast<int>(label.lines.size());
    if (entry.kind == Kind::Cursor)
        top = std::max(0, entry.height - blockHeight);
    if (entry.kind == Kind::Digit) {
        const int rest = entry.height - blockHeight;
        if (rest >= 10) {
            TTF_SetFontSize(fonts.large, std::max(8, rest * 9 / 10));
            const std::string figure = DigitFigure(entry.name);
            const int w = TextWidth(fonts.large, figure);
            WriteText(image, fonts.large, figure, (entry.width - w) / 2,
                blockHeight + (rest - TTF_FontHeight(fonts.large)) / 2, over ? Colour { 255, 225, 0 } : white, black);
        }
    } else if (!large && entry.kind != Kind::Cursor) {
        top = std::max(0, (entry.height - blockHeight) / 2);
    }
    for (size_t i = 0; i < label.lines.size(); ++i) {
        const int w = TextWidth(label.font, label.lines[i]);
        const int x = large ? 4 : std::max(1, (entry.width - w) / 2);
        WriteText(image, label.font, label.lines[i], entry.kind == Kind::Cursor ? std::max(1, entry.width - w - 1) : x,
            top + static_cast<int>(i) * lineHeight, white, black);
    }
    return image;
}

} // namespace artgen
