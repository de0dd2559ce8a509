// A fresh script host for each test: the main state opened and Story exported,
// the working directory moved into a scratch program folder (so level scripts
// written by the test are the only ones found), every log line captured and
// the world at its defaults. Chunks run in the level script's context when a
// level was started, else in a private context of their own.
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

    static bool RunChunk(lua_State* L, const std::string& chunk);

    // The level's context, or a private one.
    lua_State* State();
    bool Run(const std::string& chunk) { return RunChunk(State(), chunk); }
    double Number(const char* name);
    std::string Text(const char* name);
    // Runs "assert(condition)" in Lua.
    bool Holds(const std::string& condition) { return Run("assert(" + condition + ")"); }

    // The log lines written since the last call.
    std::vector<LogLine> TakeLog();
    // Lines that carry a script error ("###error###").
    std::vector<std::wstring> ScriptErrors();

    TempFolder m_folder;
    std::vector<LogLine> m_log;

private:
    std::string m_oldDirectory;
    int m_handle = -1;
};

} // namespace test
