// The generator's two input tables: images (folder, name, width, height,
// kind, optional alias) and sounds (path, length in seconds). Blank lines and
// lines starting with '#' are skipped.
#pragma once

#include <string>
#include <vector>

namespace artgen {

// The kind says what an image is when its name does not (paint_*.cpp):
// weather (fog, clouds, snow, rain, balloons) and effect frames lie over the
// scene, many at a time.
enum class Kind { Button, Panel, Car, Place, Lamp, Icon, Digit, Background, Cursor, Weather, Effect };

struct ImageEntry {
    std::string folder; // relative to the program folder, e.g. "data/gui/cursor"
    std::string name;
    std::string alias; // empty: no alias
    int width = 0;
    int height = 0;
    Kind kind = Kind::Icon;
    int line = 0;
};

struct SoundEntry {
    std::string path; // relative to the program folder; ".wav" or ".ogg"
    double seconds = 0.0;
    int line = 0;
};

// Both return false and fill `error` (with the line number) on the first bad line.
bool ReadImageTable(const std::string& path, std::vector<ImageEntry>& out, std::string& error);
bool ReadSoundTable(const std::string& path, std::vector<SoundEntry>& out, std::string& error);

// The alias an image gets when its line gives none: the name without ".png",
// or with it, so the game finds the image asked for either way.
std::string DefaultAlias(const std::string& name);

} // namespace artgen
