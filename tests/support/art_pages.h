// What the draw list and the layout check both read to name the images a
// frame shows: the art tables (tools/art/images/*.txt) and, for a folder of
// the game's data, where each image of its descriptor lies on which page, read
// through the file manager as the game reads them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

namespace test {

// The table files of the folder, in name order.
std::set<std::filesystem::path> ArtTables(const std::string& tableFolder);

// Each part of each image the folder's descriptor lays out: the image's name,
// the digest of the page it lies on, and its rectangle on that page. A folder
// whose descriptor cannot be read has none; a part on a page the descriptor
// does not list is left out.
using ImagePartVisit
    = std::function<void(const std::string& image, uint64_t page, int left, int top, int right, int bottom)>;
void ForEachImagePart(const std::string& folder, const ImagePartVisit& visit);

} // namespace test
