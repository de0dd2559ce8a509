// After a level: a user folder of the test's own, and the result screen
// drawn headless after a won level of profile 2, "Kim".
#pragma once

#include <gtest/gtest.h>

#include <cwchar>

#include "frontend/result_screen.h"
#include "frontend/score_table.h"
#include "frontend/start_screen.h"
#include "resources/property_file.h"
#include "scene/gui_vocabulary.h"
#include "scene/hud_fixture.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"
#include "world/player_file_rule.h"

namespace test {

// A user folder of its own, with the world and settings reset around it.
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
    std::string TablePath(int level) const
    {
        return folder / ((level < 10 ? "highscore/result_0" : "highscore/result_") + std::to_string(level) + ".cfg");
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(folder / name); }
    void WriteRaw(int level, const std::string& bytes) const
    {
        std::filesystem::create_directories(folder / "highscore");
        std::ofstream(TablePath(level), std::ios::binary) << bytes;
    }
    void WriteTable(int level, const std::string& text) const
    {
        const auto bytes = platform::WideToUtf16Le(L"\xFEFF" + platform::NarrowToWide(text));
        WriteRaw(level, std::string(bytes.begin(), bytes.end()));
    }
    PropertyFile ReadTable(int level) const
    {
        PropertyFile file;
        EXPECT_TRUE(file.Serialize(platform::NarrowToWide(TablePath(level)), false));
        return file;
    }
    test::TempFolder folder;
};

// The result screen drawn headless after a won level of profile 2, "Kim".
class ResultScreenTest : public HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        WriteSet("data/gui/interface/menu/menu_highscore", { "button_short_off.png", "button_short_over.png" });
        std::filesystem::create_directories(folder / "user/highscore");
        world.userFolder = platform::NarrowToWide(folder / "user");
        cSettings::Instance().canSave = true;
        resultScreen.SetActive(true);
        world.level = world.furthestLevel = world.profileLastLevel[2] = 5;
        world.currentProfile = 2;
        world.profileNames[2] = L"Kim";
        world.levelTimeLimit = 120;
        world.drawStation = 1;
        world.levelReward = 400;
        world.levelBonus = 50;
        world.levelFinalTime = world.levelElapsed = 75;
        world.levelOver = world.levelState = world.resultScreenOpen = 1;
        world.menuChoice = 0;
        MoveMouse(0, 0);
    }
    void Frame()
    {
        gfx.ClearRecords();
        Wait(17);
        resultScreen.Draw();
    }
    // The continue button clicked, as a player clicks it.
    void PressContinue()
    {
        MoveMouse(540 + 10, 960 + 10);
        world.leftClick = 1;
        Frame();
    }
    // Level 5's table as the result screen keeps it in the user folder.
    bool ReadLevelTable(PropertyFile& table) const
    {
        return table.Serialize(platform::NarrowToWide(folder / "user/highscore/result_05.cfg"), false);
    }
    int Count(const std::wstring& text) const
    {
        const auto texts = gfx.Texts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }
    Scene::ResultScreen resultScreen;
};

} // namespace test
