// The images a screen test's recorded frame shows, named by where on the
// test's own pages each was cut from: every image of those pages lies at a
// point of its own, so the source point of a texture draw tells its image.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/recording_gfx.h"

namespace test {

struct DrawnImage {
    std::wstring name; // "?" for a draw of no image of the pages
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    uint32_t colour = 0;
    bool small = false; // from the pages for screens other than 1280 wide
};

// An image of the test pages by the top left corner it is cut from.
struct PageSource {
    std::wstring name;
    bool small = false;
};
using PageSources = std::map<std::pair<int, int>, PageSource>;

// The texture draws recorded since the last clear, in order.
std::vector<DrawnImage> DrawnImages(const RecordingGfx& gfx, const PageSources& sources);
std::vector<std::wstring> NamesOf(const std::vector<DrawnImage>& images);
// The draws of one image.
std::vector<DrawnImage> DrawsOf(const std::vector<DrawnImage>& images, const std::wstring& name);

} // namespace test
