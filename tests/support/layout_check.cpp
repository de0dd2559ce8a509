#include "support/layout_check.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <set>
#include <sstream>

#include "artgen/asphalt.h"
#include "engine/engine_testing.h"
#include "platform/utf16.h"
#include "support/art_pages.h"

namespace test {

namespace {

    std::string Lower(std::string text)
    {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    bool Has(const std::string& text, const char* part)
    {
        return text.find(part) != std::string::npos;
    }
    bool StartsWith(const std::string& text, const char* head)
    {
        return text.rfind(head, 0) == 0;
    }

    struct Box {
        double left = 0, top = 0, right = 0, bottom = 0;
        double Area() const { return std::max(0.0, right - left) * std::max(0.0, bottom - top); }
        bool Holds(const Box& b, double slack) const
        {
            return b.left >= left - slack && b.top >= top - slack && b.right <= right + slack
                && b.bottom <= bottom + slack;
        }
        bool HoldsPoint(double x, double y) const { return x > left && x < right && y > top && y < bottom; }
    };

    Box Meet(const Box& a, const Box& b)
    {
        return { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom) };
    }

    std::string Where(const Box& b)
    {
        std::ostringstream out;
        out << " at (" << std::lround(b.left) << ", " << std::lround(b.top) << ")-(" << std::lround(b.right) << ", "
            << std::lround(b.bottom) << ")";
        return out.str();
    }

    // Relative luminance of an ARGB colour, as WCAG defines it.
    double Luminance(uint32_t argb)
    {
        auto channel = [&](int shift) {
            const double c = ((argb >> shift) & 0xFF) / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(16) + 0.7152 * channel(8) + 0.0722 * channel(0);
    }

    // Convex polygons: twice the signed area, and the area two of them share
    // (the first clipped by each edge of the second).
    using Polygon = std::vector<std::pair<double, double>>;

    double TwiceSignedArea(const Polygon& p)
    {
        double twice = 0;
        for (std::size_t i = 0; i < p.size(); ++i)
            twice += p[i].first * p[(i + 1) % p.size()].second - p[(i + 1) % p.size()].first * p[i].second;
        return twice;
    }

    double SharedArea(Polygon out, const Polygon& clip)
    {
        const double sign = TwiceSignedArea(clip) >= 0 ? 1 : -1;
        for (std::size_t i = 0; i < clip.size() && !out.empty(); ++i) {
            const auto a = clip[i], b = clip[(i + 1) % clip.size()];
            auto side = [&](const std::pair<double, double>& p) {
                return sign
                    * ((b.first - a.first) * (p.second - a.second) - (b.second - a.second) * (p.first - a.first));
            };
            const Polygon in = std::move(out);
            out.clear();
            for (std::size_t j = 0; j < in.size(); ++j) {
                const auto p = in[j], q = in[(j + 1) % in.size()];
                const double sp = side(p), sq = side(q);
                if (sp >= 0)
                    out.push_back(p);
                if ((sp >= 0) != (sq >= 0))
                    out.push_back({ p.first + sp / (sp - sq) * (q.first - p.first),
                        p.second + sp / (sp - sq) * (q.second - p.second) });
            }
        }
        return out.size() < 3 ? 0 : std::abs(TwiceSignedArea(out)) / 2;
    }

    // The top face of a station tile (the cell the world hit-tests) and of a
    // shop lot, in the image of the set for a screen 1280 wide.
    constexpr double kCellFace[4][2] = { { 17, 96 }, { 146, 47 }, { 215, 138 }, { 93, 190 } };
    constexpr double kLotFace[4][2] = { { 0, 141 }, { 100, 107 }, { 147, 173 }, { 47, 210 } };

    using Image = ImageCatalog::Image;

    bool IsButton(const Image* i)
    {
        return i && i->kind == "button"
            && !(StartsWith(i->name, "phase") || StartsWith(i->name, "place_") || StartsWith(i->name, "tanke")
                || StartsWith(i->name, "balken") || StartsWith(i->name, "loading"));
    }

    struct Drawn {
        const GfxDraw* draw;
        const Image* image;
        Box box;
        std::string label;
        Polygon face; // of a station tile or a shop lot
        // An image larger than a page is drawn in parts, one after the other
        // and edge to edge: as a plate they are the one image.
        Box whole;
        bool joined = false; // to the part drawn before
    };

    class Checker {
    public:
        explicit Checker(const Frame& frame)
            : f(frame)
            , screen { 0, 0, static_cast<double>(frame.width), static_cast<double>(frame.height) }
        {
            for (const GfxDraw& d : f.gfx->draws) {
                if (d.kind != GfxDraw::Kind::Texture || (d.color >> 24) == 0)
                    continue;
                const Image* image = f.catalog->Find(*f.gfx, d);
                const RECT& r = d.target;
                images.push_back({ &d, image, { 1.0 * r.left, 1.0 * r.top, 1.0 * r.right, 1.0 * r.bottom },
                    image ? image->folder + "/" + image->name : "an image", {}, {}, false });
                Drawn& drawn = images.back();
                drawn.whole = drawn.box;
                if (images.size() >= 2 && image && images[images.size() - 2].image == image) {
                    Drawn& before = images[images.size() - 2];
                    const Box& a = before.box;
                    const Box& b = drawn.box;
                    drawn.joined = (a.right == b.left && a.top == b.top && a.bottom == b.bottom)
                        || (a.bottom == b.top && a.left == b.left && a.right == b.right);
                    if (drawn.joined)
                        drawn.whole = { before.whole.left, before.whole.top, b.right, b.bottom };
                }
                const Image* full = image ? f.catalog->FullSize(*image) : nullptr;
                const std::string n = image ? image->name : "";
                const bool tile = image && Has(image->folder, "menu_tankstelle")
                    && (StartsWith(n, "platform") || StartsWith(n, "fundament")) && !Has(n, "_over")
                    && !Has(n, "rahmen");
                const bool lot = image && Has(image->folder, "menu_buy") && image->kind == "place"
                    && (StartsWith(n, "lot_") || StartsWith(n, "platform_"));
                // The road of a level background, or the city's streets.
                if (image && image->kind == "background" && asphalt.empty()
                    && (Has(image->folder, "menu_level") || Has(image->folder, "menu_buy")))
                    for (const artgen::Quad& q :
                        artgen::AsphaltOf(Has(image->folder, "menu_buy"), Has(image->folder, "usa"), f.width, f.height))
                        asphalt.push_back({ { q[0], q[1] }, { q[2], q[3] }, { q[4], q[5] }, { q[6], q[7] } });
                if ((tile || lot) && full && full->width > 0 && full->height > 0)
                    for (const auto& p : tile ? kCellFace : kLotFace)
                        drawn.face.push_back({ r.left + p[0] * (r.right - r.left) / full->width,
                            r.top + p[1] * (r.bottom - r.top) / full->height });
            }
            for (std::size_t i = images.size(); i-- > 1;)
                if (images[i].joined)
                    images[i - 1].whole = images[i].whole;
        }

        std::vector<std::string> Run()
        {
            CheckTexts();
            CheckImages();
            CheckTiles();
            return std::vector<std::string>(breaches.begin(), breaches.end());
        }

    private:
        void Report(const char* rule, const std::string& item, const Box& box)
        {
            breaches.insert(f.screen + ": " + rule + ": " + item + Where(box));
        }

        bool IsScreenSized(const Box& b) const { return b.Area() >= 0.6 * screen.Area(); }
        // A backdrop nearly as wide as the screen (clouds, cables) runs across it.
        bool IsBackdrop(const Drawn& d) const { return d.image && d.image->width >= 0.8 * f.width; }

        // Drawn a few pixels off before: it moves (scrolling credits) and may
        // come in over the screen's edge.
        bool Moves(const GfxDraw& d) const
        {
            const bool image = d.kind == GfxDraw::Kind::Texture;
            const auto found = f.gfx->imagePlaces.find(
                { d.texture, d.hasSource ? d.source.left : 0, d.hasSource ? d.source.top : 0 });
            const auto said = f.gfx->textPlaces.find(d.text);
            if (image ? found == f.gfx->imagePlaces.end() : said == f.gfx->textPlaces.end())
                return false;
            const int x = image ? d.target.left : d.x, y = image ? d.target.top : d.y;
            for (const RecordingGfx::Place& p : image ? found->second : said->second) {
                const int step = std::max(std::abs(p.first - x), std::abs(p.second - y));
                // The dark copy of a shadowed text, drawn in this very frame,
                // is no earlier place of it.
                const bool copy = !image
                    && std::any_of(f.gfx->draws.begin(), f.gfx->draws.end(),
                        [&](const GfxDraw& o) { return o.text == d.text && o.x == p.first && o.y == p.second; });
                if (step >= 1 && step <= 16 && !copy)
                    return true;
            }
            return false;
        }

        void CheckTexts()
        {
            const auto& draws = f.gfx->draws;
            for (std::size_t i = 0; i < draws.size(); ++i) {
                const GfxDraw& d = draws[i];
                if (!d.font || d.text.empty() || (d.color >> 24) == 0
                    || std::all_of(
                        d.text.begin(), d.text.end(), [](wchar_t c) { return std::iswspace(c) || c == L'_'; }))
                    continue;
                // The dark copy a pixel or two off that a shadowed text is drawn on.
                bool shadow = false;
                for (std::size_t j = i + 1; j < std::min(draws.size(), i + 3); ++j) {
                    const int dx = d.x - draws[j].x, dy = d.y - draws[j].y;
                    shadow = shadow
                        || (draws[j].text == d.text && dx >= 0 && dx <= 2 && dy >= 0 && dy <= 2 && dx + dy > 0);
                }
                SIZE size {};
                d.font->MeasureText(d.text.c_str(), &size);
                const double scale = d.kind == GfxDraw::Kind::TextScaled ? d.scale : 1.0;
                const Box box { 1.0 * d.x, 1.0 * d.y, d.x + size.cx * scale, d.y + size.cy * scale };
                // Not seen at all, or coming in over the edge (scrolling credits):
                // judged once it is in.
                if (shadow || Meet(box, screen).Area() <= 0 || (!screen.Holds(box, 0) && Moves(d)))
                    continue;
                // A breach names a long text by its start.
                const std::wstring named = d.text.size() > 120 ? d.text.substr(0, 120) + L"..." : d.text;
                const std::string item = "text \"" + platform::WideToNarrow(named) + "\"";
                if (!screen.Holds(box, 0))
                    Report("text off the screen", item, box);
                // The plate is the last panel or button drawn under the text's
                // middle; a screen drawn over the whole leaves none.
                const Drawn* plate = nullptr;
                bool covered = false;
                for (const Drawn& g : images) {
                    const bool under = g.box.HoldsPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2);
                    if (g.draw < &d && under)
                        plate = IsScreenSized(g.box)                                     ? nullptr
                            : (g.image && g.image->kind == "panel") || IsButton(g.image) ? &g
                                                                                         : plate;
                    covered = covered || (g.draw > &d && !IsScreenSized(g.box) && Meet(g.box, box).Area() > 0);
                }
                if (plate && !plate->whole.Holds(box, 2))
                    Report("text outside its plate", item + " on " + plate->label, box);
                // A text that runs onto a button it is not the label of
                // hides that button's own label.
                for (const Drawn& g : images)
                    if (g.draw < &d && IsButton(g.image) && Meet(g.box, box).Area() > 0 && !g.whole.Holds(box, 2))
                        Report("text over a button", item + " on " + g.label, box);
                // Texts fading in or drawn faint on purpose (a disabled button)
                // are not judged, nor texts something is drawn over.
                const auto font = f.gfx->fontSizes.find(d.font);
                const double px = (font != f.gfx->fontSizes.end() ? font->second : size.cy) * scale;
                if ((d.color >> 24) >= 0xF0 && !covered)
                    CheckContrast(d.color, Meet(box, screen), px >= 18 ? 3.0 : 4.5, item);
            }
        }

        // The glyphs' colour is the pixel of the text's box nearest the colour
        // it was drawn in; the ground is the median of a ring around the box.
        void CheckContrast(uint32_t colour, const Box& box, double needed, const std::string& item)
        {
            const int l = static_cast<int>(box.left), t = static_cast<int>(box.top);
            const int r = static_cast<int>(box.right), b = static_cast<int>(box.bottom);
            std::vector<double> ground;
            int nearest = 1 << 30;
            double glyph = 0;
            for (int y = std::max(0, t - 4); y < std::min(f.height, b + 4); ++y)
                for (int x = std::max(0, l - 4); x < std::min(f.width, r + 4); ++x) {
                    const uint32_t p = f.pixels[static_cast<std::size_t>(y) * f.width + x];
                    if (y < t - 1 || y > b + 1 || x < l - 1 || x > r + 1)
                        ground.push_back(Luminance(p));
                    if (y < t || y >= b || x < l || x >= r)
                        continue;
                    int distance = 0;
                    for (int s = 0; s < 24; s += 8)
                        distance += (static_cast<int>((p >> s) & 0xFF) - static_cast<int>((colour >> s) & 0xFF))
                            * (static_cast<int>((p >> s) & 0xFF) - static_cast<int>((colour >> s) & 0xFF));
                    if (distance < nearest)
                        nearest = distance, glyph = Luminance(p);
                }
            if (ground.empty() || nearest == 1 << 30)
                return;
            std::nth_element(ground.begin(), ground.begin() + ground.size() / 2, ground.end());
            const double g = ground[ground.size() / 2];
            const double ratio = (std::max(g, glyph) + 0.05) / (std::min(g, glyph) + 0.05);
            if (ratio < needed) {
                std::ostringstream out;
                out << item << " contrast " << std::fixed << std::setprecision(2) << ratio << " : 1";
                Report("text hard to read", out.str(), box);
            }
        }

        // Panels and buttons stay on the screen; a dialog is the largest panel
        // of its folder, and what else the folder draws over it lies inside
        // it; no two buttons overlap.
        void CheckImages()
        {
            std::map<std::string, const Drawn*> dialogs;
            for (const Drawn& d : images) {
                const bool panel = d.image && d.image->kind == "panel";
                if ((panel || IsButton(d.image)) && !IsBackdrop(d) && !screen.Holds(d.box, 0) && !Moves(*d.draw))
                    Report("image past the screen's edge", d.label, d.box);
                if (!panel || d.box.Area() < 0.03 * screen.Area() || IsScreenSized(d.box) || IsBackdrop(d)
                    || Has(d.image->folder, "menu_tankstelle"))
                    continue;
                const Drawn*& best = dialogs[d.image->folder];
                best = !best || d.box.Area() > best->box.Area() ? &d : best;
            }
            for (const Drawn& d : images) {
                // What stands in the scene (lots, trees, cars) is no part of a dialog.
                const auto dialog = d.image ? dialogs.find(d.image->folder) : dialogs.end();
                if (dialog == dialogs.end() || &d == dialog->second || d.image->kind == "place"
                    || d.image->kind == "car" || IsBackdrop(d))
                    continue;
                const Box& frame = dialog->second->box;
                if (d.box.Area() < frame.Area() && Meet(d.box, frame).Area() > 0 && !frame.Holds(d.box, 1))
                    Report("dialog part outside its dialog", d.label + " of " + dialog->second->label, d.box);
            }
            for (const Drawn& a : images)
                for (const Drawn& b : images)
                    if (&a < &b && IsButton(a.image) && IsButton(b.image) && Meet(a.box, b.box).Area() > 0
                        && std::tie(a.box.left, a.box.top, a.box.right, a.box.bottom)
                            != std::tie(b.box.left, b.box.top, b.box.right, b.box.bottom))
                        Report("buttons overlap", a.label + " and " + b.label + Where(b.box), a.box);
        }

        // Neighbouring tiles and lots share at most an edge, and none lies on
        // the asphalt painted under them.
        void CheckTiles()
        {
            for (const Drawn& a : images) {
                if (a.face.empty())
                    continue;
                for (const Polygon& road : asphalt)
                    if (SharedArea(a.face, road) > 0.03 * std::abs(TwiceSignedArea(a.face)) / 2)
                        Report("station over the road", a.label, a.box);
                for (const Drawn& b : images) {
                    // one cell drawn in layers shares its corner
                    if (&a < &b && !b.face.empty() && (a.box.left != b.box.left || a.box.top != b.box.top)
                        && SharedArea(a.face, b.face)
                            > 0.03 * std::min(std::abs(TwiceSignedArea(a.face)), std::abs(TwiceSignedArea(b.face))) / 2)
                        Report("tiles overlap", a.label + " and " + b.label + Where(b.box), a.box);
                }
            }
        }

        const Frame& f;
        const Box screen;
        std::vector<Drawn> images;
        std::vector<Polygon> asphalt; // where the background is painted road
        std::set<std::string> breaches;
    };

} // namespace

void ImageCatalog::Load(const std::string& tableFolder)
{
    std::set<std::string> folders;
    for (const auto& path : ArtTables(tableFolder)) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            Image image;
            if (line.empty() || line[0] == '#'
                || !(fields >> image.folder >> image.name >> image.width >> image.height >> image.kind))
                continue;
            m_byName.emplace(std::make_pair(image.folder, Lower(image.name)), static_cast<int>(m_images.size()));
            m_images.push_back(image);
            folders.insert(image.folder);
        }
    }
    for (const std::string& folder : folders) {
        ForEachImagePart(folder, [&](const std::string& name, uint64_t page, int left, int top, int right, int bottom) {
            const auto known = m_byName.find({ folder, Lower(name) });
            if (known != m_byName.end())
                m_byPart.emplace(std::make_tuple(page, left, top, right, bottom), known->second);
        });
    }
}

const ImageCatalog::Image* ImageCatalog::Find(const RecordingGfx& gfx, const GfxDraw& draw) const
{
    const auto digest = gfx.textureDigests.find(draw.texture);
    const RECT& s = draw.source;
    const auto found = digest == gfx.textureDigests.end() || !draw.hasSource
        ? m_byPart.end()
        : m_byPart.find(std::make_tuple(digest->second, s.left, s.top, s.right, s.bottom));
    return found == m_byPart.end() ? nullptr : &m_images[found->second];
}

const ImageCatalog::Image* ImageCatalog::FindRecorded(RecordingGfx& gfx, const GfxDraw& draw) const
{
    if (draw.kind != GfxDraw::Kind::Texture || !draw.texture)
        return nullptr;
    const auto* page = static_cast<const RecordingTexture*>(draw.texture);
    gfx.textureDigests[draw.texture] = Digest(page->bytes.data(), page->bytes.size());
    return Find(gfx, draw);
}

const ImageCatalog::Image* ImageCatalog::FullSize(const Image& image) const
{
    const bool small = image.folder.size() > 5 && image.folder.compare(image.folder.size() - 5, 5, "_1024") == 0;
    const auto found
        = m_byName.find({ small ? image.folder.substr(0, image.folder.size() - 5) : image.folder, Lower(image.name) });
    return found == m_byName.end() ? nullptr : &m_images[found->second];
}

const ImageCatalog::Image* ImageCatalog::Named(const std::string& folder, const std::string& name) const
{
    const auto found = m_byName.find({ folder, Lower(name) });
    return found == m_byName.end() ? nullptr : &m_images[found->second];
}

std::vector<std::string> CheckLayout(const Frame& frame)
{
    if (!frame.gfx || !frame.catalog || frame.width <= 0
        || frame.pixels.size() < static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height))
        return {};
    return Checker(frame).Run();
}

std::vector<std::string> CheckPresentedFrame(const std::string& screen, const RecordingGfx& gfx)
{
    static ImageCatalog catalog;
    static const bool loaded = (catalog.Load(VANDREL_SOURCE_DIR "/tools/art/images"), true);
    Frame frame { screen, &gfx, &catalog, {}, 0, 0 };
    if (!loaded || !engine::ReadFrame(&frame.pixels, &frame.width, &frame.height))
        return { screen + ": the frame could not be read" };
    return CheckLayout(frame);
}

} // namespace test
