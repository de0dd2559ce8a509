// The layout check: what a player sees of one frame, judged from the draw
// calls a RecordingGfx passed on to the real engine and from the frame's own
// pixels. Each breach names the screen, the rule, the item and its rectangle.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "support/recording_gfx.h"

namespace test {

// Names the images a frame draws: the art tables (tools/art/images/*.txt) list
// every image with its folder, size and kind; each folder's descriptor names
// the page rectangles, and each page is known by the digest of its file.
class ImageCatalog {
public:
    struct Image {
        std::string folder, name, kind;
        int width = 0, height = 0; // as the table gives them
    };
    // Reads the tables of the source tree and the folders they name through
    // the file manager, as the game reads them.
    void Load(const std::string& tableFolder);
    // The image a texture draw shows; null when it is none of the tables'.
    const Image* Find(const RecordingGfx& gfx, const GfxDraw& draw) const;
    // The same for a draw recorded on the test's recording engine, whose
    // pages keep their bytes: the page's digest is noted first.
    const Image* FindRecorded(RecordingGfx& gfx, const GfxDraw& draw) const;
    // The same image in the set for a screen 1280 wide.
    const Image* FullSize(const Image& image) const;
    // The image of that name in that folder; null when the tables have none.
    const Image* Named(const std::string& folder, const std::string& name) const;

private:
    std::vector<Image> m_images;
    std::map<std::pair<std::string, std::string>, int> m_byName; // folder, lower-case name
    // page digest, source left, top, right, bottom -> image
    std::map<std::tuple<uint64_t, int, int, int, int>, int> m_byPart;
};

// One frame as drawn: its draws, the images they show and its pixels.
struct Frame {
    std::string screen;
    const RecordingGfx* gfx = nullptr;
    const ImageCatalog* catalog = nullptr;
    std::vector<uint32_t> pixels; // ARGB, row by row
    int width = 0, height = 0;
};

// Every breach of the frame, one line each:
// "<screen>: <rule>: <item> at (left, top)-(right, bottom)".
std::vector<std::string> CheckLayout(const Frame& frame);

// The frame the real engine presented last, its draws recorded by the
// recorder over it, checked as the screen. The images are named by the art
// tables of the source tree, read once through the file manager.
std::vector<std::string> CheckPresentedFrame(const std::string& screen, const RecordingGfx& gfx);

} // namespace test
