#include "pack.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include <zlib.h>

#include <cstdio>
#include <vector>

#include "platform/utf16.h"
#include "resources/page_descriptor.h"

namespace {

void PutBig(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    PutBig(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig(out, static_cast<uint32_t>(crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// A page as an RGBA PNG whose rows are stored unfiltered: the game decodes
// its pages while a level loads, and rows without a filter to undo decode
// fastest.
bool WritePagePng(SDL_Surface* page, const std::string& path)
{
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(page, SDL_PIXELFORMAT_RGBA32, 0);
    if (!rgba)
        return false;
    const size_t rowBytes = static_cast<size_t>(rgba->w) * 4;
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(rgba->h));
    for (int y = 0; y < rgba->h; ++y) {
        const auto* row = static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch;
        raw.push_back(0); // filter: none
        raw.insert(raw.end(), row, row + rowBytes);
    }
    std::vector<uint8_t> header;
    PutBig(header, static_cast<uint32_t>(rgba->w));
    PutBig(header, static_cast<uint32_t>(rgba->h));
    header.insert(header.end(), { 8, 6, 0, 0, 0 }); // 8 bits, RGBA, deflate, no filter set, no interlace
    SDL_FreeSurface(rgba);
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return false;
    packed.resize(packedSize);
    std::vector<uint8_t> file { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

} // namespace

namespace artgen {
namespace {

    // Space between packed parts, so filtering never picks up a neighbour.
    constexpr int kPadding = 2;

    struct Tile {
        int image = 0; // index into the images
        int sx = 0, sy = 0; // where the tile starts in the image (its offset)
        int w = 0, h = 0;
        int page = 0, x = 0, y = 0;
    };

    // Skyline packing: largest tiles first, each at the lowest spot of the page's
    // top outline where it fits, leftmost on a tie; a new page when none fits.
    // Returns the height used per page.
    std::vector<int> Pack(std::vector<Tile>& tiles)
    {
        struct Segment {
            int x, y, w;
        };
        std::vector<Tile*> order;
        for (Tile& t : tiles)
            order.push_back(&t);
        std::stable_sort(order.begin(), order.end(),
            [](const Tile* a, const Tile* b) { return a->h != b->h ? a->h > b->h : a->w > b->w; });

        std::vector<int> heights;
        std::vector<Segment> skyline;
        auto newPage = [&] {
            heights.push_back(0);
            skyline.assign(1, Segment { 0, 0, kPageSize });
        };
        newPage();
        for (Tile* t : order) {
            const int w = std::min(kPageSize, t->w + kPadding), h = std::min(kPageSize, t->h + kPadding);
            int bestY = kPageSize + 1, bestX = 0;
            for (size_t i = 0; i < skyline.size(); ++i) {
                // The top of the outline under a tile starting at this segment.
                int y = 0, covered = 0;
                for (size_t j = i; j < skyline.size() && covered < w; ++j) {
                    y = std::max(y, skyline[j].y);
                    covered += skyline[j].w;
                }
                if (covered >= w && y + h <= kPageSize && y < bestY) {
                    bestY = y;
                    bestX = skyline[i].x;
                }
            }
            if (bestY > kPageSize) {
                newPage();
                bestY = 0;
                bestX = 0;
            }
            t->page = static_cast<int>(heights.size()) - 1;
            t->x = bestX;
            t->y = bestY;
            heights.back() = std::max(heights.back(), bestY + t->h);

            // Raise the outline under the tile.
            std::vector<Segment> next;
            for (const Segment& s : skyline) {
                const int end = s.x + s.w;
                if (end <= bestX || s.x >= bestX + w) {
                    next.push_back(s);
                    continue;
                }
                if (s.x < bestX)
                    next.push_back(Segment { s.x, s.y, bestX - s.x });
                if (s.x <= bestX)
                    next.push_back(Segment { bestX, bestY + h, w });
                if (end > bestX + w)
                    next.push_back(Segment { bestX + w, s.y, end - bestX - w });
            }
            skyline = next;
        }
        return heights;
    }

} // namespace

bool WritePageSet(const std::string& folderPath, const std::vector<DrawnImage>& images, std::string& error)
{
    std::vector<Tile> tiles;
    for (size_t i = 0; i < images.size(); ++i) {
        const ImageEntry& e = *images[i].entry;
        for (int sy = 0; sy < e.height; sy += kPageSize) {
            for (int sx = 0; sx < e.width; sx += kPageSize)
                tiles.push_back(Tile { static_cast<int>(i), sx, sy, std::min(kPageSize, e.width - sx),
                    std::min(kPageSize, e.height - sy) });
        }
    }
    const std::vector<int> heights = Pack(tiles);

    // The descriptor, written the way every descriptor of ours is.
    cPageDescriptor d;
    d.SetPageNames(L"page", L".png");
    d.SetComment(L"Placeholder art made by the art generator from tools/art/images.txt.");
    for (size_t i = 0; i < images.size(); ++i) {
        const ImageEntry& e = *images[i].entry;
        const int index = d.AddImage(platform::NarrowToWide(e.name).c_str(), e.width, e.height);
        if (index != static_cast<int>(i)) {
            error = "line " + std::to_string(e.line) + ": the image \"" + e.name + "\" is listed twice";
            return false;
        }
        d.SetImageAlias(index, platform::NarrowToWide(e.alias).c_str());
        for (const Tile& t : tiles) {
            if (t.image != static_cast<int>(i))
                continue;
            const int part = d.AddPart(index, t.page, t.x, t.y, t.w, t.h);
            d.SetPartOffset(index, part, t.sx, t.sy);
        }
    }
    // Pages of an earlier, larger run of this set would only waste space.
    std::error_code ec;
    std::filesystem::create_directories(folderPath, ec);
    for (const auto& file : std::filesystem::directory_iterator(folderPath, ec)) {
        const std::string name = file.path().filename().string();
        if (name.size() > 8 && name.starts_with("page") && name.ends_with(".png")
            && std::all_of(name.begin() + 4, name.end() - 4, [](unsigned char c) { return std::isdigit(c); }))
            std::filesystem::remove(file.path(), ec);
    }
    for (size_t p = 0; p < heights.size(); ++p) {
        SDL_Surface* page
            = SDL_CreateRGBSurfaceWithFormat(0, kPageSize, std::max(1, heights[p]), 32, SDL_PIXELFORMAT_ARGB8888);
        if (!page) {
            error = SDL_GetError();
            return false;
        }
        SDL_FillRect(page, nullptr, 0);
        for (const Tile& t : tiles) {
            if (t.page != static_cast<int>(p))
                continue;
            SDL_Surface* from = images[t.image].surface;
            SDL_SetSurfaceBlendMode(from, SDL_BLENDMODE_NONE);
            SDL_Rect source { t.sx, t.sy, t.w, t.h };
            SDL_Rect target { t.x, t.y, t.w, t.h };
            SDL_BlitSurface(from, &source, page, &target);
        }
        wchar_t name[64];
        const std::string path
            = folderPath + "/" + platform::WideToNarrow(d.GetPageFileName(static_cast<int>(p), name, 64));
        const bool saved = WritePagePng(page, path);
        SDL_FreeSurface(page);
        if (!saved) {
            error = path + ": " + SDL_GetError();
            return false;
        }
    }

    if (!d.SaveToFile(folderPath + "/descriptor.xml")) {
        error = folderPath + "/descriptor.xml: cannot write";
        return false;
    }
    return true;
}

} // namespace artgen
