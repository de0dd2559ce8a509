// The saved game and the station's lot file: their exact bytes, reading them
// back, the presets, the campaign rule, and that only the player's own files
// in the user folder are read or deleted.
#include <filesystem>
#include <string>
#include <tuple>

#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/package.h"
#include "player_files_fixture.h"

namespace fs = std::filesystem;

namespace {

using test::SavedFiles;

// Seven lines, each field ends with ';', each line with one CR, UTF-16LE
// without a byte-order mark.
TEST_F(SavedFiles, SaveGameWritesTheLayoutAndReadsItBackIntoAFreshWorld)
{
    FillCampaign();
    world.currentProfile = 3;
    ASSERT_TRUE(world.SaveGame());
    std::string expected = "XXXX;\rBANK;123456;\rMONEY;-42;\r";
    const char* keys[] = { "COUNTER", "STATUS", "GELD", "LEVEL_TIME" };
    const int* tables[] = { world.levelCounter, world.levelStatus, world.levelMoney, world.levelTime };
    for (int t = 0; t < 4; ++t) {
        expected += std::string(keys[t]) + ";";
        for (int i = 0; i < 50; ++i)
            expected += std::to_string(tables[t][i]) + ";";
        expected += "\r";
    }
    const auto bytes = Read(File("3"));
    EXPECT_EQ(bytes, Utf16(expected));
    EXPECT_FALSE(fs::exists(File("1"))); // each profile has its own save

    world.ResetToDefaults();
    world.userFolder = platform::NarrowToWide(home.Path());
    world.currentProfile = 3;
    ASSERT_TRUE(world.LoadGame());
    EXPECT_EQ(std::pair(world.bank, world.money), std::pair(123456, -42));
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(world.levelCounter[i], i);
        EXPECT_EQ(world.levelStatus[i], i % 4 - 1);
        EXPECT_EQ(world.levelMoney[i], i * 1000 - 7);
        EXPECT_EQ(world.levelTime[i], 2147483647 - i);
    }
    fs::remove(File("3"));
    ASSERT_TRUE(world.SaveGame());
    EXPECT_EQ(Read(File("3")), bytes);
}

TEST_F(SavedFiles, WhatASaveLeavesOutKeepsThePresets)
{
    struct Case { const char* what; std::string text; bool found; int bank, money; };
    const Case cases[] = {
        { "a minimal save", "XXXX;\rBANK;5;\rMONEY;7;\r", true, 5, 7 },
        { "rows after the end marker", "XXXX;\rBANK;5;\rENDE;\rMONEY;7;\rSTATUS;2;2;2;\r", true, 5, 0 },
        { "an empty file", "", false, 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(File("1"), Utf16(c.text));
        FillCampaign();
        world.addParkingAutos[12] = 4;
        EXPECT_EQ(world.LoadGame(), c.found);
        EXPECT_EQ(std::pair(world.bank, world.money), std::pair(c.bank, c.money));
        for (int i = 0; i < 50; ++i) {
            EXPECT_EQ(world.levelStatus[i], -1);
            EXPECT_EQ(world.levelCounter[i] | world.levelMoney[i] | world.levelTime[i], 0);
            EXPECT_EQ(world.addParkingAutos[i], 0);
        }
    }
    // A folder in place of the file reads as missing too.
    fs::remove(File("1"));
    fs::create_directory(File("1"));
    EXPECT_FALSE(world.LoadGame());
}

TEST_F(SavedFiles, GoldOnAllThirtyLevelsWinsTheCampaign)
{
    struct Case { const char* what; int (*status)(int level); bool won; };
    const Case cases[] = {
        { "gold on 1..30", [](int l) { return l >= 1 && l <= 30 ? 2 : -1; }, true },
        { "gold on 1..29", [](int l) { return l >= 1 && l <= 29 ? 2 : -1; }, false },
        { "gold on 2..31", [](int l) { return l >= 2 && l <= 31 ? 2 : -1; }, false },
        { "gold on every entry", [](int) { return 2; }, true },
        { "silver on 15", [](int l) { return l == 15 ? 1 : 2; }, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string status = "STATUS;";
        for (int i = 0; i < 50; ++i)
            status += std::to_string(c.status(i)) + ";";
        Write(File("1"), Utf16("XXXX;\r" + status + "\r"));
        world.campaignWon = c.won ? 0 : 1;
        world.campaignStage = 2;
        ASSERT_TRUE(world.LoadGame());
        EXPECT_EQ(world.campaignWon, c.won ? 1 : 0);
        EXPECT_EQ(world.campaignStage, c.won ? 5 : 2);
    }
}

// A station-building script's lots: two lots and a free fundament, one line
// each, ending CR CR; read back they give the lots their status and fill the
// world map's cell tables.
TEST_F(SavedFiles, TheLotFileKeepsTheStationsBuildingStatus)
{
    const char* const station = "PLACE;20;2;3;9;\r\rPLACE;21;4;5;11;\r\rPLACE;-1;6;6;0;\r\r";
    auto build = [this] {
        world.AddFundament(3, "plate", "plate2", 9);
        world.AddFundament(7, "ground", "ground2", 9);
        world.AddPlaceLot(20, "house", 5, 6, 700);
        world.CreateLot(2, 3, 3, 20, 1, 1, 0);
        world.CreateLot(4, 5, 3, 21, 0, 1, 1);
        world.CreateFundament(7, 6, 6, 9, -1);
    };
    build();
    world.fundaments[0].status = 9;
    world.fundaments[1].status = 11;
    ASSERT_TRUE(world.SaveLots());
    EXPECT_EQ(Read(File("1_bau")), Utf16(station));

    world.ResetToDefaults();
    world.userFolder = platform::NarrowToWide(home.Path());
    build();
    world.LoadLots();
    EXPECT_EQ(std::tuple(world.fundaments[0].status, world.fundaments[1].status, world.fundaments[2].status),
        std::tuple(9, 11, 0));
    EXPECT_EQ(std::tuple(world.lotStatus[2][3], world.lotPlaceType[2][3], world.lotPlaceValue[2][3]),
        std::tuple(9, 20, 700));
    EXPECT_EQ(std::pair(world.lotStatus[4][5], world.lotPlaceType[6][6]), std::pair(11, -1));

    // The map's lot table comes from save.pkg before the loose file.
    world.LoadLotsFromPackage();
    EXPECT_EQ(world.lotTable[2][3], 9);
    test::TempFolder source;
    Write(source / "lots", Utf16("PLACE;20;2;3;11;\r\r"));
    {
        cPackage writer;
        ASSERT_TRUE(writer.Create(platform::NarrowToWide(File("save.pkg"))));
        ASSERT_TRUE(writer.AddFileAs(platform::NarrowToWide(source / "lots"), L"1_bau"));
        ASSERT_TRUE(writer.Commit());
    }
    world.LoadLotsFromPackage();
    EXPECT_EQ(world.lotTable[2][3], 11);
    fs::remove(File("save.pkg"));

    // Deleted where it is written; a copy in a "save" folder is never read.
    fs::create_directory(File("save"));
    Write(File("save/1_bau"), Utf16(station));
    EXPECT_TRUE(world.DeleteLotSave());
    EXPECT_FALSE(fs::exists(File("1_bau")));
    world.LoadLotsFromPackage();
    EXPECT_EQ(world.lotTable[2][3], 0);
    EXPECT_TRUE(world.DeleteLotSave());
}

TEST_F(SavedFiles, SavesAreReadOnlyFromTheUserFolder)
{
    // A save beside the program (the working directory) or under a search
    // path must never stand in for the player's own.
    test::TempFolder elsewhere;
    Write(elsewhere / "1", Utf16("XXXX;\rBANK;666;\r"));
    Write(elsewhere / "1_bau", Utf16("PLACE;1;2;3;9;\r\r"));
    const fs::path saved = fs::current_path();
    fs::current_path(elsewhere.Path());
    const std::wstring path = platform::NarrowToWide(elsewhere.Path());
    cFileManager::Instance().AddSearchPath(path);
    const bool loaded = world.LoadGame();
    world.LoadLotsFromPackage();
    cFileManager::Instance().RemoveSearchPath(path);
    fs::current_path(saved);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(world.bank, 0);
    EXPECT_EQ(world.lotTable[2][3], 0);

    // Without a user folder there is nothing to read or write.
    world.userFolder.clear();
    EXPECT_FALSE(world.LoadGame());
    EXPECT_FALSE(world.SaveGame());
    EXPECT_FALSE(world.SaveLots());
}

} // namespace
