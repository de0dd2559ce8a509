// A fresh script host for each test: the main state opened and Story exported,
// the working directory moved into a scratch program folder (so level scripts
// written by the test are the only ones found), and every log line captured.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_folder.h"

struct lua_State;

namespace test {

struct LogLine {
    std::wstring kind;
    std::wstring text;
};

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes data/script/scene/level_setup_<level>.lua into the program folder.
    void WriteLevelScript(int level, const std::string& source);
    // Writes the script for the world's level, loads it and runs "on_init".
    void StartLevel(const std::string& source, int level = 7);

    // Runs a chunk on a state and returns a global of it as a number or text.
    static bool RunChunk(lua_State* L, const std::string& chunk);
    static double GlobalNumber(lua_State* L, const char* name);
    static std::string GlobalString(lua_State* L, const char* name);
    static bool GlobalIsNil(lua_State* L, const char* name);

    // The log lines written since the last call.
    std::vector<LogLine> TakeLog();
    // Lines that carry a script error ("###error###").
    std::vector<std::wstring> ScriptErrors();

    TempFolder m_folder;
    std::vector<LogLine> m_log;

private:
    std::string m_oldDirectory;
};

} // namespace test
