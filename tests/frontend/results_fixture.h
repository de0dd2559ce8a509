// The result screen's files: a scratch user folder for the world, the
// settings allowed to save, and helpers that write and read result files as
// raw bytes, so hostile files can be made by hand.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/utf16.h"
#include "resources/property_file.h"
#include "support/temp_folder.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

inline std::string ResultFileName(int level)
{
    char name[32];
    std::snprintf(name, sizeof name, "result_%02d.cfg", level);
    return name;
}

// A user folder of its own for every test; the world and settings are reset
// before and after.
class UserFolderScope {
public:
    UserFolderScope()
    {
        cGameWorld::Instance().ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
        cSettings::Instance().canSave = true;
        cGameWorld::Instance().userFolder = platform::NarrowToWide(folder.Path());
    }
    ~UserFolderScope()
    {
        cGameWorld::Instance().ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
    }
    UserFolderScope(const UserFolderScope&) = delete;
    UserFolderScope& operator=(const UserFolderScope&) = delete;

    std::string HighscorePath(int level) const { return folder / ("highscore/" + ResultFileName(level)); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(folder / name); }

    // A result file of the given UTF-8 text, stored as UTF-16LE with a BOM.
    void WriteHighscore(int level, const std::string& text) const
    {
        std::filesystem::create_directories(folder / "highscore");
        WriteRaw(level, platform::WideToUtf16Le(L"\xFEFF" + platform::NarrowToWide(text)));
    }
    template <typename Bytes>
    void WriteRaw(int level, const Bytes& bytes) const
    {
        std::filesystem::create_directories(folder / "highscore");
        std::ofstream(HighscorePath(level), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    PropertyFile ReadHighscore(int level) const
    {
        PropertyFile file;
        EXPECT_TRUE(file.Serialize(platform::NarrowToWide(HighscorePath(level)), false));
        return file;
    }

    TempFolder folder;
};

} // namespace test
