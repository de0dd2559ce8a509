// Packs a folder's images onto pages and writes the page set: numbered PNG
// pages and a descriptor.xml through the descriptor's editing side.
#pragma once

#include <string>
#include <vector>

#include <SDL.h>

#include "tables.h"

namespace artgen {

// Side of a page in pixels; larger images are cut into parts of at most this.
constexpr int kPageSize = 1024;

struct DrawnImage {
    const ImageEntry* entry = nullptr;
    SDL_Surface* surface = nullptr; // owned by the caller
};

// Writes `folderPath`/descriptor.xml and page0.png, page1.png, ...; false with
// a message in `error` when a file cannot be written.
bool WritePageSet(const std::string& folderPath, const std::vector<DrawnImage>& images, std::string& error);

} // namespace artgen
