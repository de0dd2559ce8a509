// A fresh world whose user folder is a scratch folder, for the tests of the
// saved game, the lot file and the editor output; the log lines of the test
// are collected.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "world/game_world.h"

namespace test {

class SavedFiles : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string File(const std::string& name) const { return user / name; }
    static std::vector<uint8_t> Read(const std::string& path);
    static void Write(const std::string& path, const std::vector<uint8_t>& bytes);
    bool Logged(const std::wstring& part) const;

    // ASCII text as UTF-16LE, unit by unit, the way the save files hold it.
    static std::vector<uint8_t> Utf16(const std::string& ascii);

    // The campaign tables filled with values that differ per table and level.
    void FillCampaign();

    cGameWorld& world = cGameWorld::Instance();
    TempFolder user;
    std::vector<std::wstring> logged;
};

// While alive, no file can grow beyond the given size, as on a full disk:
// writes past it fail, for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long m_previous[2];
    void (*m_handler)(int);
};

} // namespace test
