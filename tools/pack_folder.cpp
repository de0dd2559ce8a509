// Packs every file below a folder into a package archive with the game's own
// package writer; entry names are the paths below the folder ("places.csv",
// "eng/credits.txt"). The build makes data/language.pkg with it.
//
//   vandrel_pack <package> <folder>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/utf16.h"
#include "resources/package.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vandrel_pack <package> <folder>\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path package = fs::absolute(argv[1]);
    const fs::path folder = fs::absolute(argv[2]);
    std::error_code error;
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        if (it->is_regular_file())
            files.push_back(it->path());
    }
    if (error || files.empty()) {
        std::fprintf(stderr, "vandrel_pack: nothing to pack in %s\n", folder.c_str());
        return 1;
    }
    std::sort(files.begin(), files.end());

    cPackage writer;
    if (!writer.Create(platform::NarrowToWide(package.string()))) {
        std::fprintf(stderr, "vandrel_pack: cannot create %s\n", package.c_str());
        return 1;
    }
    for (const fs::path& file : files) {
        const std::string name = file.lexically_relative(folder).generic_string();
        if (!writer.AddFileAs(platform::NarrowToWide(file.string()), platform::NarrowToWide(name))) {
            std::fprintf(stderr, "vandrel_pack: cannot add %s\n", file.c_str());
            return 1;
        }
    }
    if (!writer.Commit()) {
        std::fprintf(stderr, "vandrel_pack: cannot write %s\n", package.c_str());
        return 1;
    }
    return 0;
}
