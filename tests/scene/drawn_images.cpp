#include "drawn_images.h"

namespace test {

std::vector<DrawnImage> DrawnImages(const RecordingGfx& gfx, const PageSources& sources)
{
    std::vector<DrawnImage> images;
    for (const GfxDraw& draw : gfx.draws) {
        if (draw.kind != GfxDraw::Kind::Texture)
            continue;
        DrawnImage image;
        const auto at = sources.find({ draw.source.left, draw.source.top });
        image.name = at == sources.end() ? L"?" : at->second.name;
        image.small = at != sources.end() && at->second.small;
        image.x = draw.target.left;
        image.y = draw.target.top;
        image.width = draw.target.right - draw.target.left;
        image.height = draw.target.bottom - draw.target.top;
        image.colour = draw.color;
        images.push_back(image);
    }
    return images;
}

std::vector<std::wstring> NamesOf(const std::vector<DrawnImage>& images)
{
    std::vector<std::wstring> names;
    for (const DrawnImage& image : images)
        names.push_back(image.name);
    return names;
}

std::vector<DrawnImage> DrawsOf(const std::vector<DrawnImage>& images, const std::wstring& name)
{
    std::vector<DrawnImage> of;
    for (const DrawnImage& image : images) {
        if (image.name == name)
            of.push_back(image);
    }
    return of;
}

} // namespace test
