// The saved game: its exact bytes, reading it back, and the rules around it
// (where it is read from, the campaign rule).
#include <filesystem>
#include <string>

#include "resources/file_manager.h"
#include "saved_files_fixture.h"

namespace fs = std::filesystem;

namespace {

using test::SavedFiles;

// The save file written by hand from the layout: seven lines, each field ends
// with ';', each line with one CR, UTF-16LE without a byte-order mark.
std::string HandWrittenSave(int bank, int money, int counterBase, int statusOf30, int moneyBase, int timeBase)
{
    auto table = [](const char* key, auto value) {
        std::string line = key;
        line += ';';
        for (int i = 0; i < 50; ++i)
            line += std::to_string(value(i)) + ";";
        return line + "\r";
    };
    std::string text = "XXXX;\rBANK;" + std::to_string(bank) + ";\rMONEY;" + std::to_string(money) + ";\r";
    text += table("COUNTER", [&](int i) { return counterBase + i; });
    text += table("STATUS", [&](int i) { return i >= 1 && i <= 30 ? statusOf30 : -1; });
    text += table("GELD", [&](int i) { return moneyBase * i; });
    text += table("LEVEL_TIME", [&](int i) { return timeBase - i; });
    return text;
}

TEST_F(SavedFiles, SaveGameWritesTheLayoutByteForByte)
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
    EXPECT_EQ(Read(File("3")), Utf16(expected));
    EXPECT_FALSE(fs::exists(File("1")));
}

TEST_F(SavedFiles, AHandWrittenSaveReadsBackAndIsWrittenAgainUnchanged)
{
    const auto bytes = Utf16(HandWrittenSave(-5, 2000000000, 3, 1, 250, 900));
    Write(File("1"), bytes);
    world.bank = world.money = 99;
    ASSERT_TRUE(world.LoadGame());
    EXPECT_EQ(world.bank, -5);
    EXPECT_EQ(world.money, 2000000000);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(world.levelCounter[i], 3 + i);
        EXPECT_EQ(world.levelStatus[i], i >= 1 && i <= 30 ? 1 : -1);
        EXPECT_EQ(world.levelMoney[i], 250 * i);
        EXPECT_EQ(world.levelTime[i], 900 - i);
    }
    EXPECT_EQ(world.campaignWon, 0);

    fs::remove(File("1"));
    ASSERT_TRUE(world.SaveGame());
    EXPECT_EQ(Read(File("1")), bytes);
}

TEST_F(SavedFiles, OurSaveReadsBackIntoAFreshWorld)
{
    FillCampaign();
    ASSERT_TRUE(world.SaveGame());
    const auto bytes = Read(File("1"));
    world.ResetToDefaults();
    world.userFolder = std::wstring(user.Path().begin(), user.Path().end());
    ASSERT_TRUE(world.LoadGame());
    EXPECT_EQ(world.bank, 123456);
    EXPECT_EQ(world.money, -42);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(world.levelCounter[i], i);
        EXPECT_EQ(world.levelStatus[i], i % 4 - 1);
        EXPECT_EQ(world.levelMoney[i], i * 1000 - 7);
        EXPECT_EQ(world.levelTime[i], 2147483647 - i);
    }
    ASSERT_TRUE(world.SaveGame());
    EXPECT_EQ(Read(File("1")), bytes);
}

TEST_F(SavedFiles, AMinimalSaveKeepsThePresets)
{
    Write(File("1"), Utf16("XXXX;\rBANK;5;\rMONEY;7;\r"));
    FillCampaign();
    world.addParkingAutos[12] = 4;
    ASSERT_TRUE(world.LoadGame());
    EXPECT_EQ(world.bank, 5);
    EXPECT_EQ(world.money, 7);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(world.levelStatus[i], -1);
        EXPECT_EQ(world.levelCounter[i], 0);
        EXPECT_EQ(world.levelMoney[i], 0);
        EXPECT_EQ(world.levelTime[i], 0);
        EXPECT_EQ(world.addParkingAutos[i], 0);
    }
}

TEST_F(SavedFiles, RowsAfterTheEndMarkerAreIgnored)
{
    Write(File("1"), Utf16("XXXX;\rBANK;5;\rENDE;\rMONEY;7;\rSTATUS;2;2;2;\r"));
    ASSERT_TRUE(world.LoadGame());
    EXPECT_EQ(world.bank, 5);
    EXPECT_EQ(world.money, 0);
    EXPECT_EQ(world.levelStatus[0], -1);
}

TEST_F(SavedFiles, AMissingSaveGivesThePresetsAndFalse)
{
    FillCampaign();
    world.campaignWon = 1;
    EXPECT_FALSE(world.LoadGame());
    EXPECT_EQ(world.bank, 0);
    EXPECT_EQ(world.money, 0);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(world.levelStatus[i], -1);
        EXPECT_EQ(world.levelCounter[i], 0);
        EXPECT_EQ(world.levelMoney[i], 0);
        EXPECT_EQ(world.levelTime[i], 0);
    }
    // An empty file and a folder in place of the file read as missing too.
    Write(File("1"), {});
    EXPECT_FALSE(world.LoadGame());
    fs::remove(File("1"));
    fs::create_directory(File("1"));
    EXPECT_FALSE(world.LoadGame());
}

TEST_F(SavedFiles, GoldOnAllThirtyLevelsWinsTheCampaign)
{
    struct Case {
        const char* what;
        int (*status)(int level);
        bool won;
    };
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

TEST_F(SavedFiles, EachProfileHasItsOwnSave)
{
    for (int profile = 1; profile <= 6; ++profile) {
        world.currentProfile = profile;
        world.bank = profile * 10;
        ASSERT_TRUE(world.SaveGame());
    }
    for (int profile = 6; profile >= 1; --profile) {
        world.currentProfile = profile;
        ASSERT_TRUE(world.LoadGame());
        EXPECT_EQ(world.bank, profile * 10);
    }
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
    cFileManager::Instance().AddSearchPath(std::wstring(elsewhere.Path().begin(), elsewhere.Path().end()));

    const bool loaded = world.LoadGame();
    world.LoadLotsFromPackage();

    cFileManager::Instance().RemoveSearchPath(std::wstring(elsewhere.Path().begin(), elsewhere.Path().end()));
    fs::current_path(saved);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(world.bank, 0);
    EXPECT_EQ(world.lotTable[2][3], 0);

    // Without a user folder there is nothing to read or write.
    world.userFolder.clear();
    EXPECT_FALSE(world.LoadGame());
    EXPECT_FALSE(world.SaveGame());
    EXPECT_FALSE(world.SaveLots());
    EXPECT_TRUE(Logged(L"cGameWorld::SaveGame -> there is no user folder"));
    EXPECT_TRUE(Logged(L"cGameWorld::SaveLots -> there is no user folder"));
}

} // namespace
