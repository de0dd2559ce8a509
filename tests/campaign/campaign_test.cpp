// The campaign played to the end by the autoplayer: each level its own test,
// so that the levels run in parallel. A level is won through input events
// alone, within its time limit, with a rating of at least "passed".
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/gfx.h"
#include "frontend/state_menu.h"
#include "platform/test_events.h"
#include "platform/time_source.h"
#include "support/autoplayer.h"
#include "support/temp_folder.h"
#include "support/whole_game.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

struct LevelRun {
    int level, width;
};

std::string Name(const ::testing::TestParamInfo<LevelRun>& info)
{
    return "Level" + std::to_string(info.param.level) + "At" + std::to_string(info.param.width);
}

class Campaign : public ::testing::Test {
protected:
    void SetUp() override { Prepare(1280); }
    void Prepare(int width)
    {
        platform::DiscardPendingMessages();
        setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.Path().c_str(), 1);
        world.ResetToDefaults();
        cSettings::Instance().LoadSettingsAndProfiles(world);
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        cSettings::Instance().screenMode = 0;
        test::ShowLogosAsAtStart(world);
    }
    void TearDown() override
    {
        platform::SetTimeSourceForTests(nullptr);
        cStateMenu::SetLoadingPauseForTests(nullptr);
        test::ReleaseWholeGame(world);
        world.ResetToDefaults();
        platform::DiscardPendingMessages();
    }
    // The stored progress of a player who has won every level before this
    // one with silver (the region gates ask for it) and built what the level
    // gates ask for, as the game saves it.
    void StoreProgress(int level, int money = 0)
    {
        if (level == 1)
            return;
        world.money = money;
        world.currentProfile = 1;
        world.profileNames[1] = L"Auto";
        world.profileLastLevel[1] = level;
        world.furthestLevel = level;
        for (int i = 0; i < world::kLevelTableSize; ++i)
            world.levelStatus[i] = i < level ? 1 : -1;
        world.LoadTasks();
        for (const cTaskRow& row : world.taskRows) {
            if (row.level > level || row.requiredKind == 0 || (money > 0 && row.level == level))
                continue;
            cFundament lot;
            lot.content = row.requiredKind;
            lot.row = row.lotRow;
            lot.column = row.lotCol;
            lot.status = 9;
            world.fundaments.push_back(lot);
        }
        ASSERT_TRUE(world.SaveConfig());
        ASSERT_TRUE(world.SaveGame());
        ASSERT_TRUE(world.SaveLots());
    }

    test::TempFolder home;
    cGameWorld& world = cGameWorld::Instance();
};

class CampaignLevel : public Campaign, public ::testing::WithParamInterface<LevelRun> {
protected:
    void SetUp() override { Prepare(GetParam().width); }
};

TEST_P(CampaignLevel, IsWonThroughInputAlone)
{
    const LevelRun run = GetParam();
    StoreProgress(run.level);
    test::Autoplayer player(run.level, run.width, run.width == 1280 ? 1024 : 768);
    platform::SetTimeSourceForTests([&player] { return player.ms; });
    cStateMenu::SetLoadingPauseForTests([] {});
    ASSERT_TRUE(player.Run());

    EXPECT_EQ(player.stuck, L"");
    ASSERT_TRUE(player.levelStarted);
    EXPECT_TRUE(player.backOnMap);
    EXPECT_GE(world.levelStatus[run.level], 0) << "not passed";
    if (world.levelTimeLimit > 0) {
        EXPECT_LE(world.levelElapsed, world.levelTimeLimit);
    }
    EXPECT_GT(player.pointsSeen, 0) << "the level showed no points";
}

// A player back from level 1 with money enough buys, in the city, the
// building level 2 needs, and level 2 opens on the map.
TEST_F(Campaign, TheCityShopSellsTheNextLevelsBuildingForAClick)
{
    const int price = 1000000;
    StoreProgress(2, price);
    test::Autoplayer player(test::Autoplayer::kCityLevel, 1280, 1024, 1);
    platform::SetTimeSourceForTests([&player] { return player.ms; });
    cStateMenu::SetLoadingPauseForTests([] {});
    ASSERT_TRUE(player.Run());

    EXPECT_EQ(player.stuck, L"");
    EXPECT_EQ(player.lotsBought, 1);
    EXPECT_LT(world.money, price);
    for (const cTaskRow& row : world.taskRows) {
        if (row.level == 2) {
            EXPECT_NE(world.lotTable[row.lotRow][row.lotCol], 0) << "level 2's building is not built";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(At1280, CampaignLevel,
    ::testing::Values(LevelRun { 1, 1280 }, LevelRun { 2, 1280 }, LevelRun { 3, 1280 }, LevelRun { 4, 1280 },
        LevelRun { 5, 1280 }, LevelRun { 6, 1280 }, LevelRun { 7, 1280 }, LevelRun { 8, 1280 }, LevelRun { 9, 1280 },
        LevelRun { 10, 1280 }, LevelRun { 11, 1280 }, LevelRun { 12, 1280 }, LevelRun { 13, 1280 },
        LevelRun { 14, 1280 }, LevelRun { 15, 1280 }, LevelRun { 16, 1280 }, LevelRun { 17, 1280 },
        LevelRun { 18, 1280 }, LevelRun { 19, 1280 }, LevelRun { 20, 1280 }, LevelRun { 21, 1280 },
        LevelRun { 22, 1280 }, LevelRun { 23, 1280 }, LevelRun { 24, 1280 }, LevelRun { 25, 1280 },
        LevelRun { 26, 1280 }, LevelRun { 27, 1280 }, LevelRun { 28, 1280 }, LevelRun { 29, 1280 },
        LevelRun { 30, 1280 }),
    Name);

INSTANTIATE_TEST_SUITE_P(At1024, CampaignLevel,
    ::testing::Values(LevelRun { 1, 1024 }, LevelRun { 2, 1024 }, LevelRun { 16, 1024 }, LevelRun { 26, 1024 }), Name);

} // namespace
