// The station's lot file: its exact bytes, the building status it gives the
// lots back, the lot table of the world map, and its deletion.
#include <filesystem>
#include <string>

#include "platform/utf16.h"
#include "resources/package.h"
#include "saved_files_fixture.h"

namespace fs = std::filesystem;

namespace {

class LotFiles : public test::SavedFiles {
protected:
    // What a station-building script declares: templates, two lots (one with
    // an element template, one without) and a free fundament.
    void BuildStation()
    {
        world.AddFundament(3, "plate", "plate2", 9);
        world.AddFundament(7, "ground", "ground2", 9);
        world.AddPlaceLot(20, "house", 5, 6, 700);
        world.CreateLot(2, 3, 3, 20, 1, 1, 0);
        world.CreateLot(4, 5, 3, 21, 0, 1, 1);
        world.CreateFundament(7, 6, 6, 9, -1);
    }
    std::wstring Wide(const std::string& path) const { return platform::NarrowToWide(path); }
};

const char* const kStationFile = "PLACE;20;2;3;9;\r\rPLACE;21;4;5;11;\r\rPLACE;-1;6;6;0;\r\r";

TEST_F(LotFiles, SaveLotsWritesOneLinePerFundament)
{
    BuildStation();
    world.fundaments[0].status = 9;
    world.fundaments[1].status = 11;
    world.currentProfile = 4;
    ASSERT_TRUE(world.SaveLots());
    EXPECT_EQ(Read(File("4_bau")), Utf16(kStationFile));

    // No fundaments: an empty file, still written.
    world.fundaments.clear();
    ASSERT_TRUE(world.SaveLots());
    EXPECT_TRUE(fs::exists(File("4_bau")));
    EXPECT_TRUE(Read(File("4_bau")).empty());
}

TEST_F(LotFiles, LoadLotsGivesTheLotsTheirStatusAndFillsTheGrids)
{
    Write(File("1_bau"), Utf16(kStationFile));
    BuildStation();
    world.LoadLots();

    EXPECT_EQ(world.fundaments[0].status, 9);
    EXPECT_EQ(world.fundaments[1].status, 11);
    EXPECT_EQ(world.fundaments[2].status, 0);
    EXPECT_EQ(world.lotStatus[2][3], 9);
    EXPECT_EQ(world.lotFundamentTexture[2][3], 3);
    EXPECT_EQ(world.lotPlaceType[2][3], 20);
    EXPECT_EQ(world.lotPlaceValue[2][3], 700);
    EXPECT_EQ(world.lotParamA[2][3], 1);
    EXPECT_EQ(world.lotParamB[2][3], 1);
    EXPECT_EQ(world.lotStatus[4][5], 11);
    EXPECT_EQ(world.lotPlaceType[4][5], 21);
    EXPECT_EQ(world.lotParamA[4][5], 0);
    EXPECT_EQ(world.lotStatus[6][6], 0);
    EXPECT_EQ(world.lotPlaceType[6][6], -1);

    // Written back, the file is the same.
    ASSERT_TRUE(world.SaveLots());
    EXPECT_EQ(Read(File("1_bau")), Utf16(kStationFile));
}

TEST_F(LotFiles, ARowMatchesOnlyTheFundamentWithItsValue)
{
    BuildStation();
    Write(File("1_bau"), Utf16("PLACE;99;2;3;9;\r\rPLACE;20;2;4;9;\r\rPLACE;20;2;3;11;\r\rPLACE;20;2;3;9;\r\r"));
    world.LoadLots();
    // Another value on the cell, and the right value on another cell, are
    // skipped; of two rows for one lot the last wins.
    EXPECT_EQ(world.fundaments[0].status, 9);
    EXPECT_EQ(world.lotStatus[2][4], 0);

    // A missing file leaves the lots as they are.
    fs::remove(File("1_bau"));
    world.fundaments[0].status = 5;
    world.LoadLots();
    EXPECT_EQ(world.fundaments[0].status, 5);
}

TEST_F(LotFiles, LineEndsOfAnyKindReadTheSame)
{
    const char* endings[] = { "\r", "\r\r", "\r\n", "\n", "\r\n\r\n" };
    for (const char* end : endings) {
        SCOPED_TRACE(testing::PrintToString(std::string(end)));
        Write(File("1_bau"), Utf16(std::string("PLACE;20;2;3;9;") + end + "PLACE;21;4;5;11;" + end));
        world.LoadLotsFromPackage();
        EXPECT_EQ(world.lotTable[2][3], 9);
        EXPECT_EQ(world.lotTable[4][5], 11);

        Write(File("1"), Utf16(std::string("XXXX;") + end + "BANK;5;" + end + "MONEY;7;" + end));
        ASSERT_TRUE(world.LoadGame());
        EXPECT_EQ(world.bank, 5);
        EXPECT_EQ(world.money, 7);
    }
}

TEST_F(LotFiles, TheLotTableComesFromThePackageBeforeTheLooseFile)
{
    for (auto& row : world.lotTable) {
        for (int& cell : row)
            cell = 77;
    }
    // Nothing to read: the table is all 0.
    world.LoadLotsFromPackage();
    for (const auto& row : world.lotTable) {
        for (int cell : row)
            EXPECT_EQ(cell, 0);
    }

    Write(File("1_bau"), Utf16("PLACE;20;2;3;9;\r\r"));
    world.LoadLotsFromPackage();
    EXPECT_EQ(world.lotTable[2][3], 9);

    test::TempFolder source;
    Write(source / "lots", Utf16("PLACE;20;2;3;11;\r\rPLACE;0;9;9;1;\r\r"));
    {
        cPackage writer;
        ASSERT_TRUE(writer.Create(Wide(File("save.pkg"))));
        ASSERT_TRUE(writer.AddFileAs(Wide(source / "lots"), L"1_bau"));
        ASSERT_TRUE(writer.Commit());
    }
    world.LoadLotsFromPackage();
    EXPECT_EQ(world.lotTable[2][3], 11);
    EXPECT_EQ(world.lotTable[9][9], 1);

    // Another profile's entry is missing from the package: its loose file.
    world.currentProfile = 2;
    Write(File("2_bau"), Utf16("PLACE;20;1;1;9;\r\r"));
    world.LoadLotsFromPackage();
    EXPECT_EQ(world.lotTable[2][3], 0);
    EXPECT_EQ(world.lotTable[1][1], 9);
}

TEST_F(LotFiles, DeleteLotSaveRemovesTheFileWhereItIsWritten)
{
    BuildStation();
    world.fundaments[0].status = 9;
    ASSERT_TRUE(world.SaveLots());
    ASSERT_TRUE(fs::exists(File("1_bau")));
    // A copy in a "save" folder is nothing of ours and is never read.
    fs::create_directory(File("save"));
    Write(File("save/1_bau"), Utf16("PLACE;20;2;3;9;\r\r"));

    EXPECT_TRUE(world.DeleteLotSave());
    EXPECT_FALSE(fs::exists(File("1_bau")));
    world.LoadLotsFromPackage();
    EXPECT_EQ(world.lotTable[2][3], 0);
    world.fundaments[0].status = 0;
    world.LoadLots();
    EXPECT_EQ(world.fundaments[0].status, 0);

    // Deleting what is not there succeeds quietly.
    EXPECT_TRUE(world.DeleteLotSave());
    EXPECT_FALSE(Logged(L"cGameWorld::DeleteLotSave"));
}

} // namespace
