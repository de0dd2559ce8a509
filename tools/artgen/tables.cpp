#include "tables.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace artgen {
namespace {

    std::string Lower(std::string text)
    {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        return text;
    }

    bool ParseKind(const std::string& word, Kind& kind)
    {
        static const struct {
            const char* word;
            Kind kind;
        } kinds[] = {
            { "button", Kind::Button },
            { "panel", Kind::Panel },
            { "car", Kind::Car },
            { "place", Kind::Place },
            { "lamp", Kind::Lamp },
            { "icon", Kind::Icon },
            { "digit", Kind::Digit },
            { "background", Kind::Background },
            { "cursor", Kind::Cursor },
            { "weather", Kind::Weather },
            { "effect", Kind::Effect },
        };
        for (const auto& k : kinds) {
            if (word == k.word) {
                kind = k.kind;
                return true;
            }
        }
        return false;
    }

    // Calls `row` with the words of every line that is neither blank nor a comment.
    template <typename Row> bool ForEachRow(const std::string& path, std::string& error, Row row)
    {
        std::ifstream in(path);
        if (!in) {
            error = path + ": cannot open";
            return false;
        }
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::istringstream words(line);
            std::vector<std::string> w;
            for (std::string word; words >> word;)
                w.push_back(word);
            if (w.empty() || w[0][0] == '#')
                continue;
            std::string problem;
            if (!row(w, number, problem)) {
                error = path + ":" + std::to_string(number) + ": " + problem;
                return false;
            }
        }
        return true;
    }

    bool ParseSize(const std::string& word, int& value)
    {
        char* end = nullptr;
        const long v = std::strtol(word.c_str(), &end, 10);
        if (*end || v < 1 || v > 8192)
            return false;
        value = static_cast<int>(v);
        return true;
    }

} // namespace

std::string DefaultAlias(const std::string& name)
{
    const std::string lower = Lower(name);
    if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".png") == 0)
        return name.substr(0, name.size() - 4);
    return name + ".png";
}

bool ReadImageTable(const std::string& path, std::vector<ImageEntry>& out, std::string& error)
{
    return ForEachRow(path, error, [&](const std::vector<std::string>& w, int line, std::string& problem) {
        if (w.size() != 5 && w.size() != 6) {
            problem = "expected: folder name width height kind [alias]";
            return false;
        }
        ImageEntry e;
        e.folder = w[0];
        e.name = w[1];
        e.line = line;
        while (!e.folder.empty() && e.folder.back() == '/')
            e.folder.pop_back();
        if (e.folder.empty() || e.folder[0] == '/' || e.folder.find("..") != std::string::npos
            || e.folder != Lower(e.folder)) {
            problem = "the folder must be a lower-case path inside the program folder";
            return false;
        }
        if (!ParseSize(w[2], e.width) || !ParseSize(w[3], e.height)) {
            problem = "width and height must be 1 to 8192";
            return false;
        }
        if (!ParseKind(w[4], e.kind)) {
            problem = "unknown kind \"" + w[4] + "\"";
            return false;
        }
        e.alias = w.size() == 6 ? (w[5] == "-" ? "" : w[5]) : DefaultAlias(e.name);
        out.push_back(e);
        return true;
    });
}

bool ReadSoundTable(const std::string& path, std::vector<SoundEntry>& out, std::string& error)
{
    return ForEachRow(path, error, [&](const std::vector<std::string>& w, int line, std::string& problem) {
        if (w.size() != 2) {
            problem = "expected: path seconds";
            return false;
        }
        SoundEntry e;
        e.path = w[0];
        e.line = line;
        char* end = nullptr;
        e.seconds = std::strtod(w[1].c_str(), &end);
        if (*end || !(e.seconds > 0.0 && e.seconds <= 30.0)) {
            problem = "seconds must be above 0 and at most 30";
            return false;
        }
        const std::string lower = Lower(e.path);
        if (lower != e.path || e.path[0] == '/' || e.path.find("..") != std::string::npos
            || (!lower.ends_with(".wav") && !lower.ends_with(".ogg"))) {
            problem = "the path must be a lower-case .wav or .ogg file inside the program folder";
            return false;
        }
        out.push_back(e);
        return true;
    });
}

} // namespace artgen
