// The placeholder-art generator: for every page folder of the image table it
// writes a page set (PNG pages and descriptor.xml) into the build's program
// folder, and for every line of the sound table a WAV effect or OGG music.
//
//   vandrel_artgen <image tables folder> <sounds.txt> <font family> <program folder>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

#include "draw.h"
#include "pack.h"
#include "sounds.h"
#include "tables.h"

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The game looks names and aliases up without regard to case, so within one
// folder no two of them may be equal that way.
bool CheckNames(const std::vector<artgen::ImageEntry>& images, std::string& error)
{
    std::map<std::string, std::set<std::string>> seen;
    for (const artgen::ImageEntry& e : images) {
        for (const std::string& key : { e.name, e.alias }) {
            if (key.empty())
                continue;
            if (!seen[e.folder].insert(Lower(key)).second) {
                error
                    = "line " + std::to_string(e.line) + ": \"" + key + "\" is already a name or alias in " + e.folder;
                return false;
            }
        }
    }
    return true;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "vandrel_artgen: %s\n", message.c_str());
    return 1;
}

} // namespace

// Every "*.txt" of the folder, in name order: each screen keeps its images in
// a table of its own.
bool ReadImageTables(const std::string& folder, std::vector<artgen::ImageEntry>& images, std::string& error)
{
    std::vector<std::filesystem::path> tables;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            tables.push_back(entry.path());
    }
    if (ec) {
        error = folder + ": " + ec.message();
        return false;
    }
    std::sort(tables.begin(), tables.end());
    for (const auto& table : tables) {
        if (!artgen::ReadImageTable(table.string(), images, error))
            return false;
    }
    return true;
}

int main(int argc, char** argv)
{
    if (argc != 5)
        return Fail("usage: vandrel_artgen <image tables folder> <sounds.txt> <font family> <program folder>");
    const std::string root = argv[4];

    std::vector<artgen::ImageEntry> images;
    std::vector<artgen::SoundEntry> sounds;
    std::string error;
    if (!ReadImageTables(argv[1], images, error) || !artgen::ReadSoundTable(argv[2], sounds, error)
        || !CheckNames(images, error))
        return Fail(error);

    artgen::SetFontFamily(argv[3]);

    // Folders in the order the table first names them; images in table order.
    std::vector<std::string> folders;
    for (const artgen::ImageEntry& e : images) {
        if (std::find(folders.begin(), folders.end(), e.folder) == folders.end())
            folders.push_back(e.folder);
    }
    int result = 0;
    for (const std::string& folder : folders) {
        std::vector<artgen::DrawnImage> drawn;
        for (const artgen::ImageEntry& e : images) {
            if (e.folder == folder)
                drawn.push_back({ &e, artgen::DrawImage(e) });
        }
        const bool complete
            = std::all_of(drawn.begin(), drawn.end(), [](const artgen::DrawnImage& d) { return d.surface; });
        if (!complete || !artgen::WritePageSet(root + "/" + folder, drawn, error))
            result = Fail(complete ? error : folder + ": out of memory");
        for (artgen::DrawnImage& d : drawn)
            SDL_FreeSurface(d.surface);
        if (result)
            break;
    }
    for (const artgen::SoundEntry& s : sounds) {
        if (result == 0 && !artgen::WriteSound(root, s, error))
            result = Fail(error);
    }

    IMG_Quit();
    return result;
}
