#include "support/layout_check.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/page_descriptor.h"

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

    std::vector<uint8_t> ReadGameFile(const std::string& path)
    {
        cFileManager& files = cFileManager::Instance();
        iFile* file = files.OpenFile(platform::NarrowToWide(path));
        if (!file)
            return {};
        const uint8_t* data = file->GetData();
        std::vector<uint8_t> bytes(data, data ? data + file->GetSize() : data);
        files.Release(file);
        return bytes;
    }

    struct Box {
        double left = 0, top = 0, right = 0, bottom = 0;
        double Area() const { return std::max(0.0, right - left) * std::max(0.0, bottom - top); }
        bool Contains(const Box& b, double slack) const
        {
            return b.left >= left - slack && b.top >= top - slack && b.right <= right + slack
                && b.bottom <= bottom + slack;
        }
        bool Same(const Box& b) const { return left == b.left && top == b.top && right == b.right && bottom == b.bottom; }
    };

    Box Meet(const Box& a, const Box& b)
    {
        return { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom) };
    }

    Box BoxOf(const RECT& r)
    {
        return { static_cast<double>(r.left), static_cast<double>(r.top), static_cast<double>(r.right),
            static_cast<double>(r.bottom) };
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
        auto channel = [](uint32_t v) {
            const double c = v / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel((argb >> 16) & 0xFF) + 0.7152 * channel((argb >> 8) & 0xFF)
            + 0.0722 * channel(argb & 0xFF);
    }

    double Contrast(double a, double b)
    {
        return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
    }

    // A convex quadrilateral's area, and the area two of them share
    // (Sutherland-Hodgman clipping of one by the other).
    using Polygon = std::vector<std::pair<double, double>>;

    double Area(const Polygon& p)
    {
        double twice = 0;
        for (std::size_t i = 0; i < p.size(); ++i) {
            const auto& a = p[i];
            const auto& b = p[(i + 1) % p.size()];
            twice += a.first * b.second - b.first * a.second;
        }
        return std::abs(twice) / 2;
    }

    double SharedArea(const Polygon& subject, const Polygon& clip)
    {
        Polygon out = subject;
        // The clip polygon's winding decides which side of an edge is inside.
        double winding = 0;
        for (std::size_t i = 0; i < clip.size(); ++i) {
            const auto& a = clip[i];
            const auto& b = clip[(i + 1) % clip.size()];
            winding += a.first * b.second - b.first * a.second;
        }
        const double sign = winding >= 0 ? 1 : -1;
        for (std::size_t i = 0; i < clip.size() && !out.empty(); ++i) {
            const auto a = clip[i];
            const auto b = clip[(i + 1) % clip.size()];
            auto side = [&](const std::pair<double, double>& p) {
                return sign * ((b.first - a.first) * (p.second - a.second) - (b.second - a.second) * (p.first - a.first));
            };
            Polygon in = std::move(out);
            out.clear();
            for (std::size_t j = 0; j < in.size(); ++j) {
                const auto p = in[j];
                const auto q = in[(j + 1) % in.size()];
                const double sp = side(p), sq = side(q);
                if (sp >= 0)
                    out.push_back(p);
                if ((sp >= 0) != (sq >= 0)) {
                    const double t = sp / (sp - sq);
                    out.push_back({ p.first + t * (q.first - p.first), p.second + t * (q.second - p.second) });
                }
            }
        }
        return out.size() < 3 ? 0 : Area(out);
    }

    // The top face of a station tile (the cell the world hit-tests) and of a
    // shop lot, in the image of the set for a screen 1280 wide.
    constexpr double kCellFace[4][2] = { { 17, 96 }, { 146, 47 }, { 215, 138 }, { 93, 190 } };
    constexpr double kLotFace[4][2] = { { 0, 141 }, { 100, 107 }, { 147, 173 }, { 47, 210 } };

    struct Drawn {
        const GfxDraw* draw;
        const ImageCatalog::Image* image;
        Box box;
        std::string label;
    };

    bool IsButton(const ImageCatalog::Image* image)
    {
        if (!image || image->kind != "button")
            return false;
        const std::string& n = image->name;
        return !(StartsWith(n, "phase") || StartsWith(n, "place_") || StartsWith(n, "tanke") || StartsWith(n, "balken")
            || StartsWith(n, "loading"));
    }

    bool IsPlate(const ImageCatalog::Image* image)
    {
        return image && (image->kind == "panel" || IsButton(image));
    }

    bool IsTile(const ImageCatalog::Image& image)
    {
        const std::string& n = image.name;
        return Has(image.folder, "menu_tankstelle") && (StartsWith(n, "platform") || StartsWith(n, "fundament"))
            && !Has(n, "_over") && !Has(n, "rahmen");
    }

    bool IsLot(const ImageCatalog::Image& image)
    {
        const std::string& n = image.name;
        return Has(image.folder, "menu_buy") && image.kind == "place"
            && (StartsWith(n, "lot_") || StartsWith(n, "platform_"));
    }

    // A station tile or a shop lot: its top face on the screen, or empty.
    Polygon Face(const Drawn& d, const ImageCatalog& catalog)
    {
        if (!d.image)
            return {};
        const bool tile = IsTile(*d.image);
        const bool lot = IsLot(*d.image);
        const ImageCatalog::Image* full = catalog.FullSize(*d.image);
        if ((!tile && !lot) || !full || full->width <= 0 || full->height <= 0)
            return {};
        const double sx = (d.box.right - d.box.left) / full->width;
        const double sy = (d.box.bottom - d.box.top) / full->height;
        Polygon face;
        for (const auto& p : tile ? kCellFace : kLotFace)
            face.push_back({ d.box.left + p[0] * sx, d.box.top + p[1] * sy });
        return face;
    }

    class Checker {
    public:
        explicit Checker(const Frame& frame)
            : f(frame)
            , screen(Box { 0, 0, static_cast<double>(frame.width), static_cast<double>(frame.height) })
        {
            for (const GfxDraw& d : f.gfx->draws) {
                if (d.kind != GfxDraw::Kind::Texture)
                    continue;
                const ImageCatalog::Image* image = f.catalog->Find(*f.gfx, d);
                const std::string label = image ? image->folder + "/" + image->name : "an image";
                if ((d.color >> 24) != 0)
                    images.push_back({ &d, image, BoxOf(d.target), label });
            }
        }

        // Drawn a few pixels off before: it moves (scrolling credits,
        // clouds) and may come in over the screen's edge.
        bool Moves(const GfxDraw& d) const
        {
            const std::vector<RecordingGfx::Place>* places = nullptr;
            int x = d.x, y = d.y;
            if (d.kind == GfxDraw::Kind::Texture) {
                const auto found = f.gfx->imagePlaces.find(
                    { d.texture, d.hasSource ? d.source.left : 0, d.hasSource ? d.source.top : 0 });
                places = found == f.gfx->imagePlaces.end() ? nullptr : &found->second;
                x = d.target.left;
                y = d.target.top;
            } else {
                const auto found = f.gfx->textPlaces.find(d.text);
                places = found == f.gfx->textPlaces.end() ? nullptr : &found->second;
            }
            for (const RecordingGfx::Place& p : places ? *places : std::vector<RecordingGfx::Place> {}) {
                const int step = std::max(std::abs(p.first - x), std::abs(p.second - y));
                if (step >= 1 && step <= 16)
                    return true;
            }
            return false;
        }

        std::vector<std::string> Run()
        {
            CheckTexts();
            CheckImagesOnScreen();
            CheckDialogs();
            CheckTiles();
            CheckButtons();
            return std::vector<std::string>(breaches.begin(), breaches.end());
        }

    private:
        void Report(const char* rule, const std::string& item, const Box& box)
        {
            breaches.insert(f.screen + ": " + rule + ": " + item + Where(box));
        }

        bool IsScreenSized(const Box& b) const { return b.Area() >= 0.6 * screen.Area(); }

        // Drawn before index `until` of the draws (or after `from`, when set).
        template <typename Fn> void ForImages(const GfxDraw* from, const GfxDraw* until, Fn fn) const
        {
            for (const Drawn& d : images)
                if ((!from || d.draw > from) && (!until || d.draw < until))
                    fn(d);
        }

        void CheckTexts()
        {
            const auto& draws = f.gfx->draws;
            for (std::size_t i = 0; i < draws.size(); ++i) {
                const GfxDraw& d = draws[i];
                if (d.kind == GfxDraw::Kind::Texture || d.kind == GfxDraw::Kind::Lines
                    || d.kind == GfxDraw::Kind::Triangles || !d.font || (d.color >> 24) == 0)
                    continue;
                if (std::all_of(d.text.begin(), d.text.end(), [](wchar_t c) { return std::iswspace(c) || c == L'_'; }))
                    continue;
                // The dark copy a pixel or two off that a shadowed text is
                // drawn on.
                bool shadow = false;
                for (std::size_t j = i + 1; j < std::min(draws.size(), i + 3); ++j) {
                    const int dx = d.x - draws[j].x, dy = d.y - draws[j].y;
                    shadow = shadow || (draws[j].text == d.text && dx >= 0 && dx <= 2 && dy >= 0 && dy <= 2 && dx + dy > 0);
                }
                if (shadow)
                    continue;
                SIZE size {};
                d.font->MeasureText(d.text.c_str(), &size);
                const double scale = d.kind == GfxDraw::Kind::TextScaled ? d.scale : 1.0;
                const Box box { static_cast<double>(d.x), static_cast<double>(d.y), d.x + size.cx * scale,
                    d.y + size.cy * scale };
                const std::string item = "text \"" + platform::WideToNarrow(d.text) + "\"";
                if (Meet(box, screen).Area() <= 0)
                    continue; // not seen at all
                // A text that moves may come in over the edge (scrolling
                // credits); it is judged once it is in.
                const bool inside = screen.Contains(box, 0);
                if (!inside && Moves(d))
                    continue;
                if (!inside)
                    Report("text off the screen", item, box);
                // The plate is the last one drawn under the text's middle; a
                // screen drawn over the whole leaves none.
                const Drawn* plate = nullptr;
                const double cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
                ForImages(nullptr, &d, [&](const Drawn& g) {
                    const bool under = cx > g.box.left && cx < g.box.right && cy > g.box.top && cy < g.box.bottom;
                    if (under && IsScreenSized(g.box))
                        plate = nullptr;
                    else if (under && IsPlate(g.image))
                        plate = &g;
                });
                if (plate && !plate->box.Contains(box, 2))
                    Report("text outside its plate", item + " on " + plate->label, box);
                const auto font = f.gfx->fontSizes.find(d.font);
                const double px = (font != f.gfx->fontSizes.end() ? font->second : size.cy) * scale;
                // Texts fading in or drawn faint on purpose (a disabled
                // button) are not judged.
                if ((d.color >> 24) >= 0xF0)
                    CheckContrast(d, box, px >= 18 ? 3.0 : 4.5, item);
            }
        }

        // The glyphs' colour is the pixel of the text's box nearest the colour
        // it was drawn in; the ground is the median of a ring around the box.
        void CheckContrast(const GfxDraw& d, const Box& box, double needed, const std::string& item)
        {
            bool covered = false;
            ForImages(&d, nullptr, [&](const Drawn& g) {
                covered = covered || (!IsScreenSized(g.box) && Meet(g.box, box).Area() > 0);
            });
            const Box seen = Meet(box, screen);
            if (covered || seen.Area() < 4)
                return;
            auto pixel = [&](int x, int y) { return f.pixels[static_cast<std::size_t>(y) * f.width + x]; };
            std::vector<double> ground;
            const int l = static_cast<int>(seen.left), t = static_cast<int>(seen.top);
            const int r = static_cast<int>(seen.right), b = static_cast<int>(seen.bottom);
            for (int y = t - 4; y < b + 4; ++y)
                for (int x = l - 4; x < r + 4; ++x)
                    if ((y < t - 1 || y > b + 1 || x < l - 1 || x > r + 1) && x >= 0 && y >= 0 && x < f.width
                        && y < f.height)
                        ground.push_back(Luminance(pixel(x, y)));
            if (ground.empty())
                return;
            std::nth_element(ground.begin(), ground.begin() + ground.size() / 2, ground.end());
            const double groundL = ground[ground.size() / 2];
            int nearest = 1 << 30;
            double glyphL = groundL;
            for (int y = t; y < b; ++y)
                for (int x = l; x < r; ++x) {
                    const uint32_t p = pixel(x, y);
                    int distance = 0;
                    for (int s = 0; s < 24; s += 8) {
                        const int delta = static_cast<int>((p >> s) & 0xFF) - static_cast<int>((d.color >> s) & 0xFF);
                        distance += delta * delta;
                    }
                    if (distance < nearest) {
                        nearest = distance;
                        glyphL = Luminance(p);
                    }
                }
            const double ratio = Contrast(glyphL, groundL);
            if (ratio < needed) {
                std::ostringstream out;
                out.precision(2);
                out << item << " contrast " << std::fixed << ratio << " : 1";
                Report("text hard to read", out.str(), box);
            }
        }

        void CheckImagesOnScreen()
        {
            // A backdrop nearly as wide as the screen (clouds, cables) runs
            // across it.
            for (const Drawn& d : images)
                if (((d.image && d.image->kind == "panel") || IsButton(d.image)) && d.image->width < 0.8 * f.width)
                    if (!screen.Contains(d.box, 0) && !Moves(*d.draw))
                        Report("image past the screen's edge", d.label, d.box);
        }

        // A dialog is the largest panel of its folder; what else the folder
        // draws over it must lie inside it.
        void CheckDialogs()
        {
            std::map<std::string, const Drawn*> dialogs;
            for (const Drawn& d : images) {
                if (!d.image || d.image->kind != "panel" || d.box.Area() < 0.03 * screen.Area() || IsScreenSized(d.box)
                    || Has(d.image->folder, "menu_tankstelle") || d.image->width >= 0.8 * f.width)
                    continue;
                const Drawn*& best = dialogs[d.image->folder];
                if (!best || d.box.Area() > best->box.Area())
                    best = &d;
            }
            for (const Drawn& d : images) {
                // What stands in the scene (lots, trees, cars) is no part of a dialog.
                if (!d.image || d.image->kind == "place" || d.image->kind == "car" || d.image->width >= 0.8 * f.width)
                    continue;
                const auto dialog = dialogs.find(d.image->folder);
                if (dialog == dialogs.end() || &d == dialog->second)
                    continue;
                const Box& frame = dialog->second->box;
                if (d.box.Area() < frame.Area() && Meet(d.box, frame).Area() > 0 && !frame.Contains(d.box, 1))
                    Report("dialog part outside its dialog", d.label + " of " + dialog->second->label, d.box);
            }
        }

        // Neighbouring tiles and lots share at most an edge.
        void CheckTiles()
        {
            std::vector<std::pair<const Drawn*, Polygon>> faces;
            for (const Drawn& d : images) {
                Polygon face = Face(d, *f.catalog);
                if (!face.empty())
                    faces.push_back({ &d, std::move(face) });
            }
            // The traffic drives on the road: a tile or lot drawn over a car
            // whose middle it covers stands on the road.
            for (const auto& [tile, face] : faces)
                ForImages(nullptr, tile->draw, [&](const Drawn& car) {
                    const Polygon middle { { (car.box.left + car.box.right) / 2 - 1, (car.box.top + car.box.bottom) / 2 - 1 },
                        { (car.box.left + car.box.right) / 2 + 1, (car.box.top + car.box.bottom) / 2 - 1 },
                        { (car.box.left + car.box.right) / 2 + 1, (car.box.top + car.box.bottom) / 2 + 1 },
                        { (car.box.left + car.box.right) / 2 - 1, (car.box.top + car.box.bottom) / 2 + 1 } };
                    if (car.image && car.image->kind == "car" && SharedArea(middle, face) > 0)
                        Report("station over the road", tile->label + " over " + car.label, tile->box);
                });
            for (std::size_t i = 0; i < faces.size(); ++i)
                for (std::size_t j = i + 1; j < faces.size(); ++j) {
                    const Drawn& a = *faces[i].first;
                    const Drawn& b = *faces[j].first;
                    if (a.box.left == b.box.left && a.box.top == b.box.top)
                        continue; // one cell drawn in layers
                    const double shared = SharedArea(faces[i].second, faces[j].second);
                    const double smaller = std::min(Area(faces[i].second), Area(faces[j].second));
                    if (shared > 0.03 * smaller)
                        Report("tiles overlap", a.label + " and " + b.label + " at " + Where(b.box), a.box);
                }
        }

        void CheckButtons()
        {
            std::vector<const Drawn*> buttons;
            for (const Drawn& d : images)
                if (IsButton(d.image))
                    buttons.push_back(&d);
            for (std::size_t i = 0; i < buttons.size(); ++i)
                for (std::size_t j = i + 1; j < buttons.size(); ++j)
                    if (!buttons[i]->box.Same(buttons[j]->box) && Meet(buttons[i]->box, buttons[j]->box).Area() > 0)
                        Report("buttons overlap", buttons[i]->label + " and " + buttons[j]->label + Where(buttons[j]->box),
                            buttons[i]->box);
        }

        const Frame& f;
        const Box screen;
        std::vector<Drawn> images;
        std::set<std::string> breaches;
    };

} // namespace

void ImageCatalog::Load(const std::string& tableFolder)
{
    std::vector<std::filesystem::path> tables;
    for (const auto& entry : std::filesystem::directory_iterator(tableFolder))
        if (entry.path().extension() == ".txt")
            tables.push_back(entry.path());
    std::sort(tables.begin(), tables.end());
    std::set<std::string> folders;
    for (const auto& path : tables) {
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
        const std::vector<uint8_t> bytes = ReadGameFile(folder + "/descriptor.xml");
        cPageDescriptor descriptor;
        const std::wstring text = bytes.size() >= 2 ? platform::Utf16LeToWide(bytes.data() + 2, bytes.size() - 2) : L"";
        if (text.empty() || !descriptor.Parse(text.c_str(), static_cast<int>(text.size())))
            continue;
        std::vector<uint64_t> pages;
        for (int i = 0; i < descriptor.GetPageCount(); ++i) {
            wchar_t name[260];
            const std::vector<uint8_t> page = descriptor.GetPageFileName(i, name, 260)
                ? ReadGameFile(folder + "/" + platform::WideToNarrow(name))
                : std::vector<uint8_t> {};
            pages.push_back(Digest(page.data(), page.size()));
        }
        for (int j = 0; j < descriptor.GetImageCount(); ++j) {
            const auto known = m_byName.find({ folder, Lower(platform::WideToNarrow(descriptor.GetImageName(j))) });
            if (known == m_byName.end())
                continue;
            for (int p = 0; p < descriptor.GetPartCount(j); ++p) {
                int x = 0, y = 0, w = 0, h = 0;
                const int page = descriptor.GetPartPage(j, p);
                if (page >= 0 && page < static_cast<int>(pages.size()) && descriptor.GetPartRect(j, p, &x, &y, &w, &h))
                    m_byPart.emplace(std::make_tuple(pages[page], x, y, x + w, y + h), known->second);
            }
        }
    }
}

const ImageCatalog::Image* ImageCatalog::Find(const RecordingGfx& gfx, const GfxDraw& draw) const
{
    const auto digest = gfx.textureDigests.find(draw.texture);
    if (digest == gfx.textureDigests.end() || !draw.hasSource)
        return nullptr;
    const RECT& s = draw.source;
    const auto found = m_byPart.find(std::make_tuple(digest->second, s.left, s.top, s.right, s.bottom));
    return found == m_byPart.end() ? nullptr : &m_images[found->second];
}

const ImageCatalog::Image* ImageCatalog::FullSize(const Image& image) const
{
    std::string folder = image.folder;
    if (folder.size() > 5 && folder.compare(folder.size() - 5, 5, "_1024") == 0)
        folder.resize(folder.size() - 5);
    const auto found = m_byName.find({ folder, Lower(image.name) });
    return found == m_byName.end() ? nullptr : &m_images[found->second];
}

std::vector<std::string> CheckLayout(const Frame& frame)
{
    if (!frame.gfx || !frame.catalog || frame.width <= 0
        || frame.pixels.size() < static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height))
        return {};
    return Checker(frame).Run();
}

} // namespace test
