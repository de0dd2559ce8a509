#include "support/draw_list.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/utf16.h"
#include "support/art_pages.h"

namespace test {

namespace {

    // A player tells a place or size apart from 2 px on, a colour from 16 of
    // 255 in one channel; a draw fainter than that is as good as none.
    constexpr int kPixels = 2;
    constexpr int kShade = 16;
    // At most this many differences are told per screen.
    constexpr std::size_t kToldPerScreen = 12;

    std::string Hex(uint32_t argb)
    {
        char text[12];
        std::snprintf(text, sizeof text, "%08x", argb);
        return text;
    }

    std::string Quoted(const std::wstring& text)
    {
        std::string out = "\"";
        for (const char c : platform::WideToNarrow(text)) {
            if (c == '"' || c == '\\')
                out += '\\';
            out += c == '\n' ? std::string("\\n") : std::string(1, c);
        }
        return out + "\"";
    }

    struct Box {
        int left = 0, top = 0, right = 0, bottom = 0;
    };

    // One line of a list, read back.
    struct Draw {
        std::string line;
        std::string kind, name; // name: the image without its part, the text with its size
        Box box;
        bool hasPart = false;
        Box part;
        std::vector<uint32_t> colors;
        std::string Key() const { return kind + " " + name; }
        int Alpha() const
        {
            uint32_t most = 0;
            for (const uint32_t c : colors)
                most = std::max(most, c >> 24);
            return static_cast<int>(most);
        }
    };

    bool ReadDraw(const std::string& line, Draw& d)
    {
        d.line = line;
        std::size_t at = line.find(' ');
        if (at == std::string::npos)
            return false;
        d.kind = line.substr(0, at);
        ++at;
        std::size_t end = at;
        if (d.kind == "text") {
            end = line.find('"', at);
            for (end = end == std::string::npos ? line.size() : end + 1; end < line.size() && line[end] != '"'; ++end)
                end += line[end] == '\\' ? 1 : 0;
            ++end;
        } else {
            end = line.find(' ', at);
        }
        if (end == std::string::npos || end > line.size())
            return false;
        d.name = line.substr(at, end - at);
        const std::size_t partAt = d.name.find('@');
        if (d.kind == "image" && partAt != std::string::npos) {
            d.hasPart = std::sscanf(d.name.c_str() + partAt + 1, "%d,%d,%d,%d", &d.part.left, &d.part.top,
                            &d.part.right, &d.part.bottom)
                == 4;
            d.name.resize(partAt);
        }
        std::istringstream rest(line.substr(end));
        if (!(rest >> d.box.left >> d.box.top >> d.box.right >> d.box.bottom))
            return false;
        std::string color;
        while (rest >> color)
            d.colors.push_back(static_cast<uint32_t>(std::stoul(color, nullptr, 16)));
        return true;
    }

    std::string Where(const Box& b)
    {
        return "(" + std::to_string(b.left) + ", " + std::to_string(b.top) + ")-(" + std::to_string(b.right) + ", "
            + std::to_string(b.bottom) + ")";
    }

    bool Near(const Box& a, const Box& b)
    {
        return std::abs(a.left - b.left) < kPixels && std::abs(a.top - b.top) < kPixels
            && std::abs(a.right - b.right) < kPixels && std::abs(a.bottom - b.bottom) < kPixels;
    }

    bool Overlap(const Box& a, const Box& b)
    {
        return std::max(a.left, b.left) < std::min(a.right, b.right)
            && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
    }

    bool SameShade(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            for (int shift = 0; shift < 32; shift += 8)
                if (std::abs(static_cast<int>((a[i] >> shift) & 0xFF) - static_cast<int>((b[i] >> shift) & 0xFF))
                    >= kShade)
                    return false;
        return true;
    }

    std::string Colors(const std::vector<uint32_t>& colors)
    {
        std::string out;
        for (const uint32_t c : colors)
            out += (out.empty() ? "" : " ") + Hex(c);
        return out;
    }

    // The changes of a draw that is in both lists.
    std::string Changes(const Draw& was, const Draw& now)
    {
        std::string out;
        if (!Near(was.box, now.box))
            out += "; now at " + Where(now.box);
        if (was.hasPart != now.hasPart || (was.hasPart && !Near(was.part, now.part)))
            out += std::string("; now shows ") + (now.hasPart ? "part " + Where(now.part) : "the whole image");
        if (!SameShade(was.colors, now.colors))
            out += "; colour " + Colors(was.colors) + " now " + Colors(now.colors);
        return out;
    }

    // The longest common run of keys (drawn in the same order in both lists):
    // pairs of indices, in order.
    std::vector<std::pair<int, int>> Align(const std::vector<Draw>& a, const std::vector<Draw>& b)
    {
        int head = 0;
        const int n = static_cast<int>(a.size()), m = static_cast<int>(b.size());
        while (head < n && head < m && a[head].Key() == b[head].Key())
            ++head;
        int tail = 0;
        while (tail < n - head && tail < m - head && a[n - 1 - tail].Key() == b[m - 1 - tail].Key())
            ++tail;
        const int rows = n - head - tail, cols = m - head - tail;
        std::vector<int> table(static_cast<std::size_t>(rows + 1) * (cols + 1), 0);
        auto at = [&](int i, int j) -> int& { return table[static_cast<std::size_t>(i) * (cols + 1) + j]; };
        for (int i = rows - 1; i >= 0; --i)
            for (int j = cols - 1; j >= 0; --j)
                at(i, j) = a[head + i].Key() == b[head + j].Key() ? at(i + 1, j + 1) + 1
                                                                  : std::max(at(i + 1, j), at(i, j + 1));
        std::vector<std::pair<int, int>> pairs;
        for (int i = 0; i < head; ++i)
            pairs.emplace_back(i, i);
        for (int i = 0, j = 0; i < rows && j < cols;) {
            if (a[head + i].Key() == b[head + j].Key())
                pairs.emplace_back(head + i++, head + j++);
            else if (at(i + 1, j) >= at(i, j + 1))
                ++i;
            else
                ++j;
        }
        for (int k = tail; k > 0; --k)
            pairs.emplace_back(n - k, m - k);
        return pairs;
    }

} // namespace

void ImageNames::Load(const std::string& tableFolder)
{
    std::map<std::string, std::set<std::string>> folders; // folder -> its images, lower case
    for (const auto& path : ArtTables(tableFolder)) {
        std::ifstream in(path);
        std::string line, folder, name;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            if (line.empty() || line[0] == '#' || !(fields >> folder >> name))
                continue;
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
            folders[folder].insert(name);
        }
    }
    for (const auto& [folder, images] : folders) {
        ForEachImagePart(folder, [&](const std::string& name, uint64_t page, int left, int top, int right, int bottom) {
            std::string lower = name;
            std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
            if (images.count(lower))
                m_pages[page].push_back({ left, top, right, bottom, folder + "/" + lower });
        });
    }
}

std::string ImageNames::Name(const RecordingGfx& gfx, const GfxDraw& draw) const
{
    const auto digest = gfx.textureDigests.find(draw.texture);
    if (digest == gfx.textureDigests.end())
        return "texture:unknown";
    const auto page = m_pages.find(digest->second);
    if (page != m_pages.end()) {
        const RECT& s = draw.source;
        for (const Part& p : page->second) {
            if (!draw.hasSource || s.left < p.left || s.top < p.top || s.right > p.right || s.bottom > p.bottom)
                continue;
            if (s.left == p.left && s.top == p.top && s.right == p.right && s.bottom == p.bottom)
                return p.name;
            return p.name + "@" + std::to_string(s.left - p.left) + "," + std::to_string(s.top - p.top) + ","
                + std::to_string(s.right - p.left) + "," + std::to_string(s.bottom - p.top);
        }
    }
    char text[32];
    std::snprintf(text, sizeof text, "texture:%016llx", static_cast<unsigned long long>(digest->second));
    return text;
}

std::vector<std::string> ListDraws(const RecordingGfx& gfx, const ImageNames& names, int width, int height)
{
    std::vector<std::string> lines;
    const Box screen { 0, 0, width, height };
    auto add = [&](const std::string& head, const Box& b, const std::string& colors) {
        if (b.right > b.left && b.bottom > b.top && Overlap(b, screen))
            lines.push_back(head + " " + std::to_string(b.left) + " " + std::to_string(b.top) + " "
                + std::to_string(b.right) + " " + std::to_string(b.bottom) + " " + colors);
    };
    for (const GfxDraw& d : gfx.draws) {
        switch (d.kind) {
        case GfxDraw::Kind::Texture:
            if (d.texture && (d.color >> 24) != 0)
                add("image " + names.Name(gfx, d),
                    { static_cast<int>(d.target.left), static_cast<int>(d.target.top), static_cast<int>(d.target.right),
                        static_cast<int>(d.target.bottom) },
                    Hex(d.color));
            break;
        case GfxDraw::Kind::Text:
        case GfxDraw::Kind::TextAlt:
        case GfxDraw::Kind::TextScaled: {
            if (!d.font || d.text.empty() || (d.color >> 24) == 0)
                break;
            SIZE extent {};
            d.font->MeasureText(d.text.c_str(), &extent);
            const auto size = gfx.fontSizes.find(d.font);
            add("text " + std::to_string(size == gfx.fontSizes.end() ? 0 : size->second) + ":" + Quoted(d.text),
                { d.x, d.y, d.x + static_cast<int>(std::lround(extent.cx * d.scale)),
                    d.y + static_cast<int>(std::lround(extent.cy * d.scale)) },
                Hex(d.color) + (d.kind == GfxDraw::Kind::TextAlt ? " " + Hex(d.textColor) : ""));
            break;
        }
        case GfxDraw::Kind::Lines:
        case GfxDraw::Kind::Triangles: {
            const bool lines = d.kind == GfxDraw::Kind::Lines;
            std::vector<std::pair<float, float>> points;
            std::string colors;
            for (std::size_t i = 0; lines && i + 1 < d.points.size(); i += 2)
                points.emplace_back(d.points[i], d.points[i + 1]);
            for (const GfxVertex& v : d.vertices) {
                points.emplace_back(v.x, v.y);
                colors += (colors.empty() ? "" : " ") + Hex(v.color);
            }
            if (points.empty() || (lines && (d.color >> 24) == 0))
                break;
            Box b { static_cast<int>(std::floor(points[0].first)), static_cast<int>(std::floor(points[0].second)),
                static_cast<int>(std::ceil(points[0].first)), static_cast<int>(std::ceil(points[0].second)) };
            for (const auto& [x, y] : points) {
                b.left = std::min(b.left, static_cast<int>(std::floor(x)));
                b.top = std::min(b.top, static_cast<int>(std::floor(y)));
                b.right = std::max(b.right, static_cast<int>(std::ceil(x)));
                b.bottom = std::max(b.bottom, static_cast<int>(std::ceil(y)));
            }
            // A line one pixel wide covers the pixel it runs along.
            b.right = std::max(b.right, b.left + 1);
            b.bottom = std::max(b.bottom, b.top + 1);
            add((lines ? "lines " : "fill ") + std::to_string(lines ? points.size() : d.vertices.size() / 3), b,
                lines ? Hex(d.color) : colors);
            break;
        }
        }
    }
    return lines;
}

std::vector<std::string> CompareDraws(
    const std::string& screen, const std::vector<std::string>& reference, const std::vector<std::string>& now)
{
    std::vector<Draw> was(reference.size()), is(now.size());
    std::vector<std::string> told;
    for (std::size_t i = 0; i < reference.size(); ++i)
        if (!ReadDraw(reference[i], was[i]))
            told.push_back(screen + ": unreadable reference line " + std::to_string(i + 1) + ": " + reference[i]);
    for (std::size_t i = 0; i < now.size(); ++i)
        ReadDraw(now[i], is[i]);
    const std::vector<std::pair<int, int>> pairs = Align(was, is);
    std::vector<int> partner(was.size(), -1), taken(is.size(), -1);
    for (const auto& [i, j] : pairs)
        partner[i] = j, taken[j] = i;
    auto draw = [&](const Draw& d, int index) {
        return "draw " + std::to_string(index + 1) + " (" + d.kind + " " + d.name + " at " + Where(d.box) + ")";
    };
    // Draws of the same thing that moved in the order: noticed only where the
    // move puts them above or below a draw they overlap.
    std::vector<int> missing, extra;
    for (std::size_t i = 0; i < was.size(); ++i)
        if (partner[i] < 0)
            missing.push_back(static_cast<int>(i));
    for (std::size_t j = 0; j < is.size(); ++j)
        if (taken[j] < 0)
            extra.push_back(static_cast<int>(j));
    std::vector<bool> reordered(was.size(), false);
    for (const int i : missing) {
        const auto same = std::find_if(extra.begin(), extra.end(), [&](int j) { return is[j].Key() == was[i].Key(); });
        if (same == extra.end())
            continue;
        const int j = *same;
        extra.erase(same);
        reordered[i] = true;
        partner[i] = j;
        taken[j] = i;
        const std::string changes = Changes(was[i], is[j]);
        if (!changes.empty())
            told.push_back(screen + ": " + draw(was[i], i) + changes);
        for (const auto& [k, l] : pairs) {
            if ((k < i) == (l < j) || !Overlap(was[k].box, was[i].box) || was[k].Alpha() < kShade
                || was[i].Alpha() < kShade)
                continue;
            told.push_back(
                screen + ": " + draw(was[i], i) + " now drawn " + (l < j ? "above " : "below ") + draw(was[k], k));
            break;
        }
    }
    for (const auto& [i, j] : pairs) {
        const std::string changes = Changes(was[i], is[j]);
        if (!changes.empty())
            told.push_back(screen + ": " + draw(was[i], i) + changes);
    }
    // What is left is gone or new; a draw a player cannot see is neither.
    for (const int i : missing) {
        if (reordered[i] || was[i].Alpha() < kShade)
            continue;
        const auto instead = std::find_if(extra.begin(), extra.end(),
            [&](int j) { return is[j].kind == was[i].kind && Near(is[j].box, was[i].box); });
        if (instead != extra.end() && is[*instead].Alpha() >= kShade) {
            told.push_back(screen + ": " + draw(was[i], i) + " replaced by " + is[*instead].name);
            extra.erase(instead);
        } else {
            told.push_back(screen + ": " + draw(was[i], i) + " no longer drawn");
        }
    }
    for (const int j : extra)
        if (is[j].Alpha() >= kShade)
            told.push_back(screen + ": new " + draw(is[j], j) + ", colour " + Colors(is[j].colors));
    if (told.size() > kToldPerScreen) {
        const std::size_t more = told.size() - kToldPerScreen;
        told.resize(kToldPerScreen);
        told.push_back(screen + ": and " + std::to_string(more) + " more differences");
    }
    return told;
}

} // namespace test
