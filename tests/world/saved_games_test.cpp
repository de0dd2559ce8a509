// The saved game and the station's lot file: their exact bytes, reading them
// back, the presets, the campaign rule, that only the player's own files in
// the user folder are read or deleted; saves cut short, damaged or written by
// someone else, read as far as they are sound, and a save that fails half-way
// leaving the previous one readable.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "resources/package.h"
#include "player_files_fixture.h"
#include "resources/text.h"
#include "world/player_file_rule.h"

namespace fs = std::filesystem;

namespace test {
namespace {


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
    EXPECT_EQ(std::pair(world.bank, world.levelTime[49]), std::pair(123456, world::kPlayerValueLimit - 49));
    // Written again from what was read, every value comes out the same.
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
        world.CreateLot(2, 3, 3, 20, 1, 0, 0);
        world.CreateLot(4, 5, 7, 21, 0, 1, 1);
        world.CreateFundament(7, 6, 6, 9, -1);
    };
    world.intro = 1; // a lot made during the intro shows built
    build();
    EXPECT_EQ(std::pair(world.fundaments[0].status, world.fundaments[0].alpha), std::pair(9, 255));
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
    // Each lot's cell in the map's tables: status, ground, building, value,
    // interactive, sellable.
    const auto cell = [this](int r, int c) {
        return std::tuple(world.lotStatus[r][c], world.lotFundamentTexture[r][c], world.lotPlaceType[r][c],
            world.lotPlaceValue[r][c], world.lotInteractive[r][c], world.lotSellable[r][c]);
    };
    EXPECT_EQ(cell(2, 3), std::tuple(9, 3, 20, 700, 1, 0));
    EXPECT_EQ(cell(4, 5), std::tuple(11, 7, 21, 0, 0, 1));

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


// Bank, money and the four tables of 50 in the order of the save's lines.
std::vector<int> Snapshot(const cGameWorld& w)
{
    std::vector<int> values { w.bank, w.money };
    for (const int* table : { w.levelCounter, w.levelStatus, w.levelMoney, w.levelTime })
        values.insert(values.end(), table, table + 50);
    return values;
}

// The line of the save a value is read from (1 based), and its preset.
size_t LineOf(size_t k) { return k < 2 ? k + 2 : 4 + (k - 2) / 50; }
int PresetOf(size_t k) { return LineOf(k) == 5 ? -1 : 0; }

TEST_F(SavedFiles, ASaveCutShortReadsAsFarAsItGoes)
{
    FillCampaign();
    ASSERT_TRUE(world.SaveGame());
    const std::vector<int> original = Snapshot(world);
    const auto full = Read(File("1"));

    // At every line end: the lines before the cut read exactly, the rest keep
    // the presets.
    size_t lines = 0;
    for (size_t at = 0; at + 1 < full.size(); at += 2) {
        if (full[at] != '\r')
            continue;
        ++lines;
        Write(File("1"), std::vector<uint8_t>(full.begin(), full.begin() + static_cast<long>(at + 2)));
        ASSERT_TRUE(world.LoadGame());
        const std::vector<int> got = Snapshot(world);
        for (size_t k = 0; k < got.size(); ++k)
            ASSERT_EQ(got[k], lines >= LineOf(k) ? original[k] : PresetOf(k)) << "value " << k << " after " << lines;
    }
    EXPECT_EQ(lines, 7u);

    // At every unit, and at odd bytes here and there: at most the one value
    // that was cut is neither the original nor the preset.
    for (size_t size = 0; size < full.size(); size += size % 2 == 0 && size % 38 != 0 ? 2 : 1) {
        Write(File("1"), std::vector<uint8_t>(full.begin(), full.begin() + static_cast<long>(size)));
        world.LoadGame();
        const std::vector<int> got = Snapshot(world);
        int strangers = 0;
        for (size_t k = 0; k < got.size(); ++k)
            strangers += got[k] != original[k] && got[k] != PresetOf(k);
        ASSERT_LE(strangers, 1) << "cut at byte " << size;
    }
}

TEST_F(SavedFiles, ACellOutsideTheTablesIsRefused)
{
    struct Case { const char* row; const char* column; bool inside; };
    const Case cases[] = { { "25", "3", false }, { "3", "25", false }, { "20", "0", false }, { "3", "-1", false },
        { "2147483647", "0", false }, { "99999999999999", "0", false }, { "19", "19", true }, { "0", "0", true } };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.row) + "," + c.column);
        logLines.clear();
        // The sound line after the bad one is still read.
        Write(File("1_bau"), Utf16(std::string("PLACE;1;") + c.row + ";" + c.column + ";9;\r\rPLACE;1;5;5;11;\r\r"));
        world.LoadLotsFromPackage();
        int set = 0;
        for (const auto& row : world.lotTable)
            set += static_cast<int>(std::count_if(std::begin(row), std::end(row), [](int cell) { return cell != 0; }));
        EXPECT_EQ(world.lotTable[5][5], 11);
        EXPECT_EQ(set, c.inside ? 2 : 1);
        EXPECT_EQ(Logged(L"cGameWorld::LoadLotsFromPackage -> cell"), !c.inside);

        // A fundament standing on such a cell (no script could make one) is
        // matched, but the grids are not written.
        world.fundaments.clear();
        world.fundaments.push_back(cFundament {});
        world.fundaments[0].row = world::ClampPlayerValue(resources::ParseInt(platform::NarrowToWide(c.row)));
        world.fundaments[0].column = world::ClampPlayerValue(resources::ParseInt(platform::NarrowToWide(c.column)));
        world.fundaments[0].content = 1;
        logLines.clear();
        world.LoadLots();
        EXPECT_EQ(Logged(L"cGameWorld::LoadLots -> cell"), !c.inside);
    }
}

// Numbers beyond what the game holds are read at its limit.
TEST_F(SavedFiles, FieldsThatAreNoNumbersReadAsZero)
{
    struct Case { const char* text; int bank; int counter[4]; };
    const Case cases[] = {
        { "BANK;abc;\rCOUNTER;1;x;3;\r", 0, { 1, 0, 3, 0 } },
        { "BANK;12abc;\rCOUNTER; 4;+5;-6;\r", 12, { 4, 5, -6, 0 } },
        { "BANK;99999999999999;\rCOUNTER;-99999999999999;\r", world::kPlayerValueLimit,
            { -world::kPlayerValueLimit, 0, 0, 0 } },
        { "BANK;\"7\";\rCOUNTER;\"8\";;;9;\r", 7, { 8, 9, 0, 0 } },
        { "BANK\rCOUNTER\r", 0, { 0, 0, 0, 0 } },
        { "BANK;1;\r\r\r\rBANK;2;\r\r", 2, { 0, 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
        Write(File("1"), Utf16(c.text));
        ASSERT_TRUE(world.LoadGame());
        EXPECT_EQ(world.bank, c.bank);
        EXPECT_EQ(std::vector(world.levelCounter, world.levelCounter + 4), std::vector(c.counter, c.counter + 4));
    }
}

TEST_F(SavedFiles, OddBytesNeverReachPastATable)
{
    std::string longRow = "STATUS;";
    for (int i = 0; i < 5000; ++i)
        longRow += "2;";
    std::vector<uint8_t> cases[] = {
        Utf16(longRow + "\r"),
        Utf16("XXXX;\rBANK;5;\rMONEY;7;"), // no last line end
        { 'B', 0, ';', 0, '5', 0, ';', 0, '\r', 0, '7' }, // an odd last byte
        { 0xFF, 0xFE, 'B', 0, 'A', 0, 'N', 0, 'K', 0, ';', 0, '3', 0, ';', 0 }, // a byte-order mark
        { 'B', 0, 'A', 0, 0, 0, 'N', 0, 'K', 0, ';', 0, '3', 0 }, // a NUL unit
        { 0x00, 0xD8, ';', 0, '1', 0 }, // an unpaired surrogate
        std::vector<uint8_t>(4096, 0xFF),
        Utf16(";;;;\r;\r\r;"),
    };
    for (const auto& bytes : cases) {
        Write(File("1"), bytes);
        world.LoadGame();
        Write(File("1_bau"), bytes);
        world.LoadLots();
        world.LoadLotsFromPackage();
    }
    // The long row filled its 50 entries and no more.
    Write(File("1"), cases[0]);
    ASSERT_TRUE(world.LoadGame());
    EXPECT_EQ(world.levelStatus[49], 2);
    EXPECT_EQ(world.campaignWon, 1);
}

// A saved game or a station file the game would not have written is read as
// far as it goes and the player is told in words; the next save moves it
// aside byte for byte first. Not more than nine copies are kept: the newest
// takes the last name, and the save goes on.
TEST_F(SavedFiles, ADamagedSaveOrStationIsToldAndKeptAsideBeforeTheNextSave)
{
    FillCampaign();
    world.AddFundament(3, "a", "b", 9);
    world.CreateLot(2, 3, 3, 20, 0, 0, 0);
    ASSERT_TRUE(world.SaveGame() && world.SaveLots());
    auto zeroed = Read(File("1"));
    const std::wstring text = platform::Utf16LeToWide(zeroed.data(), zeroed.size());
    zeroed[text.find(L"STATUS") * 2] = zeroed[text.find(L"STATUS") * 2 + 1] = 0;
    auto cutSave = Read(File("1"));
    cutSave.resize(cutSave.size() - 10);
    struct Case { const char* what; std::string name; std::vector<uint8_t> bytes; const wchar_t* told; };
    const Case cases[] = {
        { "two bytes zeroed in STATUS", "1", zeroed, L"Your saved game" },
        { "a save cut short", "1", cutSave, L"Your saved game" },
        { "someone else's file", "1", Utf16("NAME;Ada;\rSCORE;5;\r"), L"Your saved game" },
        { "an int beyond the limit", "1", Utf16("XXXX;\rBANK;2147483000;\r"), L"Your saved game" },
        { "a station cut short", "1_bau", Utf16("PLACE;20;2;3;9;\r"), L"Your station" },
        { "a station of random bytes", "1_bau", { 0x13, 0xFF, 0x00, 0x9C, 0x2E }, L"Your station" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& entry : fs::directory_iterator(home.Path()))
            fs::remove(entry.path());
        world.playerFileNotice.clear();
        world.playerFilesTold.clear();
        Write(File(c.name), c.bytes);
        // The map reads the station too, when Play is pressed.
        world.LoadLotsFromPackage();
        EXPECT_EQ(world.playerFileNotice.empty(), c.name == "1") << testing::PrintToString(world.playerFileNotice);
        world.LoadGame();
        world.LoadLots();
        EXPECT_EQ(world.playerFileNotice.rfind(c.told, 0), 0u) << testing::PrintToString(world.playerFileNotice);
        EXPECT_EQ(Read(File(c.name)), c.bytes);
        ASSERT_TRUE(world.SaveGame() && world.SaveLots());
        EXPECT_EQ(Read(File(c.name + ".unreadable")), c.bytes);
        world.playerFileNotice.clear();
        world.LoadGame();
        world.LoadLots();
        EXPECT_TRUE(world.playerFileNotice.empty());
    }

    // Eight older copies stay, the ninth name holds the newest.
    for (int n = 2; n <= 9; ++n)
        Write(File("1_bau.unreadable" + std::to_string(n)), Utf16("old " + std::to_string(n)));
    Write(File("1_bau"), Utf16("newest"));
    ASSERT_TRUE(world.SaveLots());
    EXPECT_EQ(Read(File("1_bau.unreadable8")), Utf16("old 8"));
    EXPECT_EQ(Read(File("1_bau.unreadable9")), Utf16("newest"));
    EXPECT_FALSE(fs::exists(File("1_bau.unreadable10")));
}

// The game never writes an empty save: one is damaged like any other, read
// as nothing, told, and kept aside by the next save.
TEST_F(SavedFiles, AnEmptySaveIsToldAndKeptAside)
{
    Write(File("1"), {});
    world.bank = 5;
    EXPECT_FALSE(world.LoadGame());
    EXPECT_EQ(world.bank, 0);
    EXPECT_EQ(world.playerFileNotice.rfind(L"Your saved game", 0), 0u);
    EXPECT_TRUE(world.SaveGame() && fs::exists(File("1.unreadable")));
    EXPECT_EQ(fs::file_size(File("1.unreadable")), 0u);
}

// A trade writes every lot of the station, so a waiting station file without
// one is what a crash left: it is kept aside and told, and the station stays.
// One a lot shorter cannot be told from a smaller station and takes its place.
TEST_F(SavedFiles, AWaitingStationWithoutALotNeverReplacesTheStation)
{
    const std::string station = "PLACE;20;2;3;9;\r\rPLACE;21;4;5;11;\r\rPLACE;-1;6;6;0;\r\r";
    const std::string shorter = "PLACE;20;2;3;9;\r\rPLACE;21;4;5;11;\r\r";
    const struct {
        const char* what;
        std::string waiting, after;
        bool keptAside;
    } cases[] = {
        { "no byte", "", station, true },
        { "cut at a line's end", shorter, shorter, false },
    };
    settings.canSave = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.playerFileNotice.clear();
        world.playerFilesTold.clear();
        fs::remove(File("1_bau.unreadable"));
        Write(File("1_bau"), Utf16(station));
        Write(File("1_bau.pending"), Utf16(c.waiting));
        world.LoadLots();
        EXPECT_EQ(Read(File("1_bau")), Utf16(c.after));
        EXPECT_FALSE(fs::exists(File("1_bau.pending")));
        EXPECT_EQ(fs::exists(File("1_bau.unreadable")), c.keptAside);
        EXPECT_EQ(world.playerFileNotice,
            c.keptAside ? L"Your station stays as it was: a change that did not reach it is kept aside." : L"");
    }
}

// A save that fails (the disk fills up) leaves the previous save as it was,
// and the player is told. A stale temporary file that links to another file
// never takes a save's bytes.
TEST_F(SavedFiles, AFailedSaveIsToldAndAStaleTemporaryLeadsNowhere)
{
    FillCampaign();
    world.AddFundament(3, "a", "b", 9);
    world.CreateLot(2, 3, 3, 20, 0, 0, 0);
    world.fundaments[0].status = 9;
    ASSERT_TRUE(world.SaveGame());
    ASSERT_TRUE(world.SaveLots());
    const auto save = Read(File("1"));
    const auto lots = Read(File("1_bau"));
    world.bank = 1;
    world.fundaments[0].status = 11;
    {
        test::FileSizeLimit limit(16);
        EXPECT_FALSE(world.SaveGame());
        EXPECT_FALSE(world.SaveLots());
    }
    EXPECT_EQ(world.playerFileNotice.rfind(L"Your saved game", 0), 0u);
    EXPECT_NE(world.playerFileNotice.find(L"\nYour station"), std::wstring::npos);
    EXPECT_EQ(Read(File("1")), save);
    EXPECT_EQ(Read(File("1_bau")), lots);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(home.Path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string> { "1", "1_bau" }));

    fs::create_symlink("1", File("1_bau.tmp"));
    fs::create_symlink("1", File("1_bau.tmp-1-0"));
    ASSERT_TRUE(world.SaveLots());
    EXPECT_EQ(Read(File("1")), save);
    EXPECT_FALSE(fs::exists(fs::symlink_status(File("1_bau.tmp-1-0"))));
    world.LoadLots();
    EXPECT_EQ(world.fundaments[0].status, 11);
}

} // namespace
} // namespace test
