// A scratch user folder (XDG_DATA_HOME) and, where a test needs its own
// install copies, a scratch program folder, with the world and the settings
// back at their defaults around each test; the log lines of the test are
// collected. SavedFiles points the world's user folder straight at a scratch
// folder, for the saved game and the lot file.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "resources/log.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

using Entries = std::map<std::wstring, std::wstring>;

class PlayerFiles : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // Runs the start-up loader on fresh defaults.
    void Load();
    std::string UserFolder() const { return home / "vandrel-first-eng"; }
    std::string UserFile(const std::string& name) const { return UserFolder() + "/" + name; }
    // Makes <temp>/data/config.cfg and us.txt from the entries and changes into
    // that program folder.
    void UseProgramFolder(const Entries& config, const Entries& users);
    static void WriteEntries(const std::string& path, const Entries& entries);
    static Entries ReadEntries(const std::string& path);
    static std::vector<uint8_t> Bytes(const std::string& path);
    static void Write(const std::string& path, const std::vector<uint8_t>& bytes);
    bool Logged(const std::wstring& part) const;

    static Entries DefaultConfig();
    static Entries DefaultUsers();

    cGameWorld& world = cGameWorld::Instance();
    cSettings& settings = cSettings::Instance();
    TempFolder home;
    TempFolder program;
    std::vector<std::wstring> logLines;

private:
    std::filesystem::path m_savedFolder;
    std::string m_savedHome;
    bool m_hadHome = false;
};

class SavedFiles : public PlayerFiles {
public:
    void SetUp() override;

    std::string File(const std::string& name) const { return home / name; }
    static std::vector<uint8_t> Read(const std::string& path) { return Bytes(path); }
    // ASCII text as UTF-16LE, unit by unit, the way the save files hold it.
    static std::vector<uint8_t> Utf16(const std::string& ascii);
    // The campaign tables filled with values that differ per table and level.
    void FillCampaign();
};

} // namespace test
