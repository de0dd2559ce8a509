// Key/value reader: any bytes as a file, read by all three parsers, then
// every value through every getter; then the strict reading of player files.
#include <cstdint>
#include <vector>

#include "resources/property_file.h"
#include "world/player_file_rule.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 20)
        return 0;
    const auto bytes = static_cast<uint32_t>(size);
    PropertyFile properties;
    {
        // Parse gives the file back to the file manager, which does not know
        // it: a warning, and the file stays ours to free.
        cMemoryFile file(data, bytes);
        properties.Parse(&file);
    }
    const auto entries = properties.Entries(); // the loop below changes them
    for (const auto& [key, value] : entries) {
        properties.GetInt(key, 0);
        properties.GetFloat(key, 0.0f);
        properties.GetIntList(key);
        properties.GetFloatList(key);
        properties.GetStringList(key);
        properties.GetLineList(key);
        properties.SetString(key, value, true);
    }
    {
        cMemoryFile file(data, bytes);
        properties.ParseHashTerminated(&file);
    }
    {
        cMemoryFile file(data, bytes);
        properties.ParseMultiline(&file);
    }
    // The player files' strict reading and the checks of each kind.
    const std::vector<uint8_t> whole(data, data + size);
    properties.ParseExact(whole);
    for (auto kind : { world::PlayerFile::Settings, world::PlayerFile::Profiles, world::PlayerFile::Highscores })
        world::IsWhatTheGameWrites(kind, whole);
    return 0;
}
