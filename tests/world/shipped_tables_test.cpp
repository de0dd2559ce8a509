// The tables we ship, as the build lays them out: once from the built
// data/language.pkg alone and once from the loose data/language/ alone. Both
// must load every table with nothing logged as missing.
#include <gtest/gtest.h>

#include <filesystem>

#include "resources/csv_table.h"
#include "resources/file_manager.h"
#include "support/temp_folder.h"
#include "world/game_world.h"
#include "world_test_support.h"

namespace {

namespace fs = std::filesystem;

class ShippedTablesTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        cSettings::Instance().ResetToDefaults();
        test::SetLanguage(L"eng");
        cGameWorld::Instance().ResetToDefaults();
    }
    void TearDown() override
    {
        cSettings::Instance().ResetToDefaults();
        cGameWorld::Instance().ResetToDefaults();
    }
};

TEST_P(ShippedTablesTest, LoadWithoutAnyMissingFile)
{
    // The tests run in the build folder, beside the built data/.
    const fs::path built = fs::current_path() / "data";
    ASSERT_TRUE(fs::exists(built / "language.pkg"));
    test::TempFolder folder;
    const fs::path data = fs::path(folder.Path()) / "data";
    fs::create_directories(data);
    fs::copy(built / "logos", data / "logos", fs::copy_options::recursive);
    const bool fromPackage = GetParam();
    if (fromPackage)
        fs::copy_file(built / "language.pkg", data / "language.pkg");
    else
        fs::copy(built / "language", data / "language", fs::copy_options::recursive);

    test::WorkingDirectory cwd(folder.Path());
    test::LogCapture log;
    cGameWorld& world = cGameWorld::Instance();
    world.LoadPlaceNames();
    world.LoadTasks();
    world.LoadComic(1);
    world.LoadTextStyles();
    world.LoadLogoList();
    cCsvTable gui;
    EXPECT_TRUE(gui.LoadFromPackage(L"data/language.pkg", L"gui_vocabular.csv"));
    iFile* credits = cFileManager::Instance().Open(L"data/language.pkg", L"eng/credits.txt");
    EXPECT_NE(credits, nullptr);
    cFileManager::Instance().Release(credits);

    for (const std::wstring& line : log.lines) {
        EXPECT_EQ(line.find(L"not found"), std::wstring::npos) << platform::WideToNarrow(line);
        EXPECT_EQ(line.find(L"Unable to find"), std::wstring::npos) << platform::WideToNarrow(line);
    }
    EXPECT_EQ(world.GetPlaceName(3, 2), L"Car wash");
    EXPECT_EQ(world.taskRows.size(), 31u);
    world.SelectLevelTask(2);
    EXPECT_EQ(world.taskLotRow, 3);
    EXPECT_EQ(world.taskLotColumn, 2);
    EXPECT_EQ(world.taskKind, 1);
    world.SelectTaskText(1);
    EXPECT_EQ(world.taskText.rfind(L"Your first day.", 0), 0u);
    ASSERT_FALSE(world.comicRows.empty());
    EXPECT_EQ(world.comicRows[0].extraText, L"comic_europe.png");
    EXPECT_EQ(world.styleColours[4][0], 255); // MenuStatusCount
    EXPECT_EQ(world.styleColours[4][1], 220);
    EXPECT_EQ(world.styleColours[4][2], 64);
    EXPECT_EQ(world.logoCount, 1);
    EXPECT_EQ(world.logoNames[0], L"vandrel.png");
}

INSTANTIATE_TEST_SUITE_P(PackageAndLooseFolder, ShippedTablesTest, ::testing::Values(true, false),
    [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "FromPackage" : "FromLooseFolder"; });

} // namespace
