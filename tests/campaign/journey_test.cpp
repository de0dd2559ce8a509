// One player's campaign: a new game with a typed name, levels 1 to 30 in
// order at a player's pace, then the station level with what they earned,
// through input events alone and with the money carried from level to
// level. After every level: its task reached, its rating as the time it took
// says (and the cup shown with it), the money the result panel promised paid,
// the next level's pin offered and the level's highscore row written.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "frontend/state_menu.h"
#include "platform/test_events.h"
#include "platform/time_source.h"
#include "support/autoplayer.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/whole_game.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_sizes.h"

namespace {

using test::LevelReport;

class Journey : public ::testing::Test {
protected:
    void TearDown() override
    {
        platform::SetTimeSourceForTests(nullptr);
        cStateMenu::SetLoadingPauseForTests(nullptr);
        test::ReleaseWholeGame(world);
        world.ResetToDefaults();
        platform::DiscardPendingMessages();
    }

    // Plays from the start screen to the last level; the reports stay.
    void Play(int width, int height, int lastLevel)
    {
        platform::DiscardPendingMessages();
        setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.Path().c_str(), 1);
        world.ResetToDefaults();
        cSettings::Instance().LoadSettingsAndProfiles(world);
        cSettings::Instance().SetResolution(width, height);
        cSettings::Instance().screenMode = 0;
        test::ShowLogosAsAtStart(world);
        player = std::make_unique<test::Autoplayer>(lastLevel, width, height);
        platform::SetTimeSourceForTests([this] { return player->ms; });
        cStateMenu::SetLoadingPauseForTests([] {});
        test::LogCapture log;
        ASSERT_TRUE(player->Run());
        // Every level's scripts and screens run without a fault.
        for (const std::wstring& line : log.lines)
            EXPECT_TRUE(line.starts_with(L"message")) << std::string(line.begin(), line.end());
        std::printf("level  time used          rating  points    paid  building     money  lots\n");
        for (const LevelReport& report : player->reports)
            Print(report);
        EXPECT_EQ(player->stuck, L""); // also: each level's pin was offered in its turn
        EXPECT_TRUE(player->finished);
        ASSERT_EQ(static_cast<int>(player->reports.size()), lastLevel);
        int money = player->reports.empty() ? 0 : player->reports[0].moneyBefore;
        int paid = 0; // since the last building
        for (const LevelReport& report : player->reports) {
            SCOPED_TRACE("level " + std::to_string(report.level));
            EXPECT_EQ(report.moneyBefore, money - report.buildingBought);
            if (report.buildingBought > 0) {
                // A building costs most of what the levels since the last one paid.
                EXPECT_LE(report.buildingBought, paid);
                EXPECT_GT(report.buildingBought * 2, paid);
                paid = 0;
            }
            if (report.level < test::Autoplayer::kCityLevel)
                CheckLevel(report);
            money = report.moneyAfter;
            paid += report.shownTotal;
        }
    }

    static void Print(const LevelReport& r)
    {
        char used[32] = "";
        if (r.limit > 0)
            std::snprintf(used, sizeof used, "%3ds %3d%% of %3ds", r.elapsed, 100 * r.elapsed / r.limit, r.limit);
        else if (r.level < test::Autoplayer::kCityLevel)
            std::snprintf(used, sizeof used, "%3ds (grid)", r.elapsed);
        std::printf("%5d  %-17s  %6d  %6d  %6d  %8d  %8d  %d\n", r.level, used, r.rating, r.points, r.shownTotal,
            r.buildingBought, r.moneyAfter, r.lotsBought);
    }

    void CheckLevel(const LevelReport& r)
    {
        EXPECT_TRUE(r.taskReached);
        // The result panel's promise is what the bank holds after the level.
        EXPECT_GT(r.shownTotal, 0);
        EXPECT_EQ(r.shownMoney, r.moneyBefore);
        EXPECT_EQ(r.shownBalance, r.moneyBefore + r.shownTotal);
        EXPECT_EQ(r.moneyAfter, r.shownBalance);
        if (r.limit > 0) {
            // Station levels: won in time at silver or better (the region
            // gates ask for it), the cup the same rating, and never won in
            // under a third of the limit.
            const int rating = r.elapsed < r.limit * 0.6 ? 2 : r.elapsed < r.limit * 0.8 ? 1 : 0;
            EXPECT_EQ(r.rating, rating) << r.elapsed << " s of " << r.limit;
            EXPECT_EQ(r.cup, rating);
            EXPECT_GE(r.rating, 1);
            EXPECT_GE(r.elapsed * 3, r.limit) << "won too easily";
        } else {
            EXPECT_EQ(r.rating, 0);
            EXPECT_EQ(r.shownTotal, r.points) << "a grid level pays its points";
        }
        // The level's highscore table, read back from its file, names the
        // player as typed with what the level paid.
        world.LoadHighscores();
        bool found = false;
        for (int row = 1; row <= world::kHighscoreRowsUsed; ++row)
            found = found
                || (world.highscoreNames[r.level][row] == L"auto"
                    && world.highscoreMoney[r.level][row] == r.shownTotal);
        EXPECT_TRUE(found) << "no highscore row";
    }

    test::TempFolder home;
    cGameWorld& world = cGameWorld::Instance();
    std::unique_ptr<test::Autoplayer> player;
};

TEST_F(Journey, FromANewGameThroughEveryLevelToTheStation)
{
    Play(1280, 1024, test::Autoplayer::kCityLevel);
    ASSERT_FALSE(HasFatalFailure());
    // The station level is played with what the campaign earned, and that
    // does not buy every lot at will.
    EXPECT_GE(player->reports.back().lotsBought, 1);
    EXPECT_GE(player->reports.back().lotsLeft, 1);
}

TEST_F(Journey, TheFirstLevelsAndTheShopAt1024)
{
    Play(1024, 768, 3);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_GT(player->reports[1].buildingBought, 0) << "level 2's building";
}

} // namespace
