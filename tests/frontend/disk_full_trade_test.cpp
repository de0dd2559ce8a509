// A trade in the shop stands in both of the player's files or in neither: on
// a disk with room for only one of them (the saved game or the station file)
// or with one of them read-only the trade is not made, on screen as in the
// files; and a trade's save cut short by a crash is whole at the next start.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "shop_fixture.h"
#include "support/file_size_limit.h"

namespace {

namespace fs = std::filesystem;

class DiskFullTrade : public test::ShopTest {
protected:
    fs::path User() const { return folder / "user"; }
    std::string Bytes(const std::string& name) const
    {
        std::ifstream in(User() / name, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), {} };
    }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(User()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The car wash (3, 2) in the given state, a pump island (2, 3) built and
    // a car park (4, 7), built when the station is complete; `filler` built
    // lots more make the station file larger than the saved game.
    void Station(int wash, bool complete, int filler)
    {
        fs::remove_all(User());
        fs::create_directories(User());
        world.fundaments.clear();
        world.placeTemplates.clear();
        world.placeNameRows = { { 3, 2, L"Car wash" } };
        AddLot(3, 2, 1, "lot_a", 301, true);
        AddLot(2, 3, 20, "lot_b", 200, true);
        AddLot(4, 7, 11, "lot_b", 100, true);
        world.AddPlaceLot(30, "lot_b", 0, 0, 100);
        for (int i = 0; i < filler; ++i)
            world.CreateLot(8 + i / 20, i % 20, 56, 30, 0, 0, 0);
        for (cFundament& f : world.fundaments) {
            const int state = f.content == 1 ? wash : f.content == 11 && !complete ? 0 : 9;
            f.status = world.lotStatus[f.row][f.column] = world.lotTable[f.row][f.column] = state;
        }
        world.upgradeBought[1] = 1;
    }
};

// A purchase, an extension and a sale, each with room for the station file
// but not the saved game, with room for the saved game but not the station
// file, and with the station file read-only: the money, the lot and the
// building drawn stay as they were, the files keep their bytes with nothing
// left beside them, no sound of a trade plays, the notice names the file and
// says that nothing was traded, and the next start reads the same.
TEST_F(DiskFullTrade, ATradeEitherFileCannotHoldIsNotMade)
{
    const struct {
        const char* what;
        int wash;
        bool complete;
        int money;
        bool built; // the wash's building drawn, before and after
    } trades[] = {
        { "purchase", 0, false, 1000, false },
        { "extension", 9, true, 1000, true },
        { "sale", 9, false, 10, true },
    };
    const struct {
        const char* what;
        int filler; // lots more, for a station file larger than the saved game
        bool readOnly; // the station file, on a disk with room for both
        const wchar_t* told;
    } faults[] = {
        { "room for the station file only", 0, false, L"text 3 text 9\ntext 153" },
        { "room for the saved game only", 60, false, L"text 4 text 9\ntext 153" },
        { "the station file read-only", 0, true, L"text 4 text 11\ntext 153" },
    };
    for (const auto& t : trades) {
        for (const auto& fault : faults) {
            SCOPED_TRACE(testing::Message() << t.what << ", " << fault.what);
            Station(t.wash, t.complete, fault.filler);
            world.money = t.money;
            world.playerFileNotice.clear();
            sound.played.clear();
            ASSERT_TRUE(world.SaveGame() && world.SaveLots());
            const std::string game = Bytes("1"), station = Bytes("1_bau");
            // Room for the smaller of the two files only.
            const size_t room = (game.size() + station.size()) / 2;
            ASSERT_EQ(station.size() < room, fault.filler == 0);
            if (fault.readOnly)
                fs::permissions(User() / "1_bau", fs::perms::owner_read);
            {
                test::FileSizeLimit disk(fault.readOnly ? 1 << 20 : room);
                ClickLot(3, 2);
            }
            EXPECT_EQ(world.playerFileNotice, fault.told);
            EXPECT_EQ(Played("bonus5"), 0);
            EXPECT_EQ(world.money, t.money);
            EXPECT_EQ(Lot(3, 2).status, t.wash);
            EXPECT_EQ(world.lotStatus[3][2], t.wash);
            EXPECT_EQ(world.lotTable[3][2], t.wash);
            EXPECT_EQ(world.upgradeBought[1], 1);
            EXPECT_EQ(Bytes("1"), game);
            EXPECT_EQ(Bytes("1_bau"), station);
            EXPECT_EQ(Files(), (std::vector<std::string> { "1", "1_bau" }));

            // What the next frame draws on the lot: the building as before.
            MoveMouse(0, 0);
            Pass();
            EXPECT_EQ(Count("lot_a"), t.built ? 1 : 0);
            EXPECT_EQ(Count("lot_am"), 0);

            // A restart reads the station and the money of before the trade.
            for (cFundament& f : world.fundaments)
                f.status = world.lotStatus[f.row][f.column] = world.lotTable[f.row][f.column] = 5;
            world.money = -1;
            world.LoadLotsFromPackage();
            ASSERT_TRUE(world.LoadGame());
            world.LoadLots();
            EXPECT_EQ(world.money, t.money);
            EXPECT_EQ(Lot(3, 2).status, t.wash);
            EXPECT_EQ(world.lotTable[3][2], t.wash);
            fs::permissions(User() / "1_bau", fs::perms::owner_all);
        }
    }
}

// A crash while a trade is saved leaves the new saved game and station file
// beside the old ones, waiting. The next start finds the trade made once the
// saved game holds it, and not made while it does not: never a building
// without its price, nor the price without the building.
TEST_F(DiskFullTrade, ATradeCutShortByACrashIsWholeAtTheNextStart)
{
    const struct {
        const char* what;
        bool gameWaiting, stationWaiting; // still beside their files
        bool made;
    } cases[] = {
        { "cut while the new saved game waited", true, false, false },
        { "cut while both waited", true, true, false },
        { "cut once the saved game was in place", false, true, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Station(0, false, 0);
        world.money = 1000;
        ASSERT_TRUE(world.SaveGame() && world.SaveLots());
        const std::string game = Bytes("1"), station = Bytes("1_bau");
        ClickLot(3, 2);
        ASSERT_EQ(world.money, 699);
        const std::string boughtGame = Bytes("1"), boughtStation = Bytes("1_bau");
        // The files as the crash left them.
        std::ofstream(User() / "1", std::ios::binary) << (c.made ? boughtGame : game);
        std::ofstream(User() / "1_bau", std::ios::binary) << station;
        if (c.gameWaiting)
            std::ofstream(User() / "1.pending", std::ios::binary) << boughtGame;
        if (c.stationWaiting)
            std::ofstream(User() / "1_bau.pending", std::ios::binary) << boughtStation;

        world.money = -1;
        world.LoadLotsFromPackage();
        ASSERT_TRUE(world.LoadGame());
        world.LoadLots();
        EXPECT_EQ(world.money, c.made ? 699 : 1000);
        EXPECT_EQ(world.lotTable[3][2], c.made ? 9 : 0);
        EXPECT_EQ(Lot(3, 2).status, c.made ? 9 : 0);
        EXPECT_EQ(Bytes("1_bau"), c.made ? boughtStation : station);
        EXPECT_EQ(Files(), (std::vector<std::string> { "1", "1_bau" }));
    }
}

} // namespace
