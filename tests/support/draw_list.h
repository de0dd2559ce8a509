// A frame's draw list as a player would describe it: each image (folder/name),
// text, line or filled shape the frame shows, in the order drawn, with where it
// lands and its colour, one line each, so that two frames compare as text
// files do. The comparison tells only what a player would notice: a draw
// missing, added, replaced or moved in the order so that it now lies above or
// below another it overlaps; a rectangle off by 2 px or more; a colour
// channel or the alpha off by 16 or more (of 255).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "support/recording_gfx.h"

namespace test {

// Names the images of the art tables (tools/art/images/*.txt) by the page
// they lie on and their rectangle there, and any part of one of them.
class ImageNames {
public:
    // Reads the tables of the source tree and each folder's descriptor and
    // pages through the file manager, as the game reads them.
    void Load(const std::string& tableFolder);
    // "folder/name" of the image a texture draw shows, with "@l,t,r,b" (the
    // part shown, relative to the image) when it shows only part of it;
    // "texture:<digest>" for a texture no table names.
    std::string Name(const RecordingGfx& gfx, const GfxDraw& draw) const;

private:
    struct Part {
        int left, top, right, bottom;
        std::string name;
    };
    std::map<uint64_t, std::vector<Part>> m_pages; // page digest -> its images
};

// The draws of the frame last recorded that can change a pixel of a screen
// `width` x `height`, one line each in the order drawn:
//   image <folder/name>[@l,t,r,b] <left> <top> <right> <bottom> <argb>
//   text <size>:"<text>" <left> <top> <right> <bottom> <argb>[ <shadow argb>]
//   lines <points> <left> <top> <right> <bottom> <argb>
//   fill <triangles> <left> <top> <right> <bottom> <argb of each corner>
std::vector<std::string> ListDraws(const RecordingGfx& gfx, const ImageNames& names, int width, int height);

// What a player would notice between the reference list of a screen and the
// list drawn now, one line each, naming the screen, the draw and the change.
std::vector<std::string> CompareDraws(
    const std::string& screen, const std::vector<std::string>& reference, const std::vector<std::string>& now);

} // namespace test
