// A level run headless: the script host with Story, the fourteen screens
// (recording ones, or the game's own), a recording graphics device and mouse,
// a sound engine that remembers, and a frame clock driven by hand. Each test
// starts from a world, a game clock and a random sequence as they are made.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scene/state_level.h"
#include "scene/text_entry.h"
#include "support/recording_gfx.h"
#include "support/recording_sound.h"
#include "support/temp_folder.h"
#include "world/game_world.h"

namespace test {

struct LevelLogLine {
    std::wstring kind;
    std::wstring text;
};

class LevelTest : public ::testing::Test {
protected:
    // ownScreens: the game's screens instead of recording ones.
    // inBuildFolder: the build folder (with the shipped data) is the program
    // folder instead of a scratch one.
    LevelTest(bool ownScreens = false, bool inBuildFolder = false);

    void SetUp() override;
    void TearDown() override;

    // data/script/scene/level_setup_<level>.lua in the scratch program folder.
    void WriteLevelScript(int level, const std::string& source);
    // A folder of the build's data (the generated art: "data/gui") seen from
    // the scratch program folder.
    void LinkBuildData(const char* folder);
    // The level state's Init for the level, as the application starts one.
    bool StartLevel(int level);
    // One level frame after ms milliseconds; Update's result.
    bool Frame(double ms);
    // Frames of ms each; false as soon as one ends the level.
    bool Frames(int count, double ms);

    // A number the level script keeps in a global.
    double ScriptNumber(const char* name);
    // Log lines that name a script error or something not found.
    std::vector<std::wstring> Faults() const;

    cStateLevel state;
    RecordingGfx gfx;
    FakeInput input;
    RecordingSoundEngine sound;
    TempFolder folder;
    std::vector<LevelLogLine> log;
    double ms = 1000.0;

private:
    bool ownScreens;
    bool inBuildFolder;
    std::string oldDirectory;
};

// One key pressed for one key pass.
struct OneKey : iKeySource {
    explicit OneKey(int code)
        : code(code)
    {
    }
    bool IsKeyDown(int c) override { return c == code; }
    void ClearKey(int c) override { code = c == code ? 0 : code; }
    bool IsHeld(int) override { return false; }
    bool IsRussianLayout() override { return false; }
    int code;
};

// A level played over the game's own screens and generated art: the fonts
// made, every interface text "text <n>" (n its number), the sound engine the
// one that remembers, the mouse off the screen.
class PlayedLevelTest : public LevelTest {
protected:
    PlayedLevelTest()
        : LevelTest(true)
    {
    }
    void SetUp() override;
    void TearDown() override;

    void MouseAway() { input.x = input.y = -1000; }

    cGameWorld& world = cGameWorld::Instance();

private:
    std::vector<wchar_t> savedTexts;
};

} // namespace test
