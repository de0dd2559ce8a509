// A won level is in the player's files however the game ends on the screens
// after it: the real program, headless, a stored player winning level 2 by
// mouse (the autoplayer), then the window closed, the desktop's quit or
// SIGTERM while its last points fly to the bar, on the cup, the statistics or
// the highscore table. What the files
// hold afterwards is what the continue button writes, compared with a run in
// which the player continues.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/slow_syncs.h"
#include "bench/evening.h"
#include "frontend/score_table.h"
#include "frontend/state_menu.h"
#include "platform/game_random.h"
#include "platform/quit_watchdog.h"
#include "platform/test_events.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "resources/property_file.h"
#include "scene/gui_vocabulary.h"
#include "support/autoplayer.h"
#include "support/child_process.h"
#include "support/temp_folder.h"
#include "support/whole_game.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

// A level with a time limit that the autoplayer wins with a gold cup.
constexpr int kLevel = 2;
// Its points target, lowered so that a gold run is paid every point it made
// beyond: a point still flying when the game ends then shows in the money.
constexpr int kPointsLine = 14;
constexpr int kPointsTarget = 1000;

// Landing: the seconds between the winning car and the cup, while the last
// points fly to the bar.
enum class Screen { Landing, Cup, Statistics, Table };

// Wins the level; then, on the screen asked for, types a letter of the name
// (on the table) and ends the game the given way. Without one it continues,
// playing on to the map.
class ResultVisit : public test::Autoplayer {
public:
    ResultVisit(Screen screen, std::optional<test::GameEnd> end)
        : Autoplayer(kLevel, 1280, 1024)
        , screen(screen)
        , end(end)
    {
        PlayNext(kLevel);
    }
    bool Frame() override
    {
        cGameWorld& world = cGameWorld::Instance();
        world.taskLineTargets[kPointsLine] = std::min(world.taskLineTargets[kPointsLine], kPointsTarget);
        if (after < 0) {
            const bool running = Autoplayer::Frame();
            if (!end || !Showing())
                return running;
            after = 0;
            // Nothing of the player's last move may reach the table's button.
            platform::InjectMouseMotion(window, 5, 5);
        }
        ms += 50.0;
        const int typing = screen == Screen::Table ? 2 : 0;
        if (after < typing) {
            platform::InjectKey(window, "Z", after == 0);
        } else if (after == typing) {
            shownUnrecorded = Showing() && !world.resultRecorded;
            endedAt = after;
            Leave();
        }
        return cGameApp::Frame() && ++after < 100;
    }

    const Screen screen;
    const std::optional<test::GameEnd> end;
    int after = -1; // frames since the screen was first drawn
    int endedAt = -1;
    bool shownUnrecorded = false; // the screen was up, its result unrecorded

private:
    bool Showing() const
    {
        const cGameWorld& world = cGameWorld::Instance();
        if (screen == Screen::Landing)
            return world.levelOver && world.levelState && world.evaluatePending && !world.flyingValues.empty();
        if (!world.levelOver || !world.levelState || world.evaluatePending)
            return false;
        switch (screen) {
        case Screen::Cup:
            return !world.medalText.empty() && world.cupPhase == 2;
        case Screen::Statistics:
            return !world.resultScreenOpen && Current().shownBalance >= 0;
        case Screen::Table:
            return world.resultScreenOpen && world.highscoreTableReady;
        case Screen::Landing:
            break;
        }
        return false;
    }
    void Leave()
    {
        if (end)
            test::EndGame(*end, window);
    }
};

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class ResultExit : public test::WholeGameRuns<> {
protected:
    // The stored player at level 2 wins it and ends the game on the screen.
    // `prepare` changes the stored player's files before the game starts.
    void Visit(Screen screen, std::optional<test::GameEnd> end, const test::TempFolder& home,
        const std::function<void()>& prepare = nullptr)
    {
        EnterPlayerFolder(home);
        ASSERT_TRUE(bench::StorePlayer(kLevel));
        if (prepare)
            prepare();
        world.fundaments.clear();
        test::ShowLogosAsAtStart(world);
        platform::GameSrand(1);
        // The last run's engine goes before this run's takes its place.
        platform::SetTimeSourceForTests(nullptr);
        visit.reset();
        visit = std::make_unique<ResultVisit>(screen, end);
        platform::SetTimeSourceForTests([this] { return visit->ms; });
        cStateMenu::SetLoadingPauseForTests([] {});
        ASSERT_TRUE(visit->Run());
        ASSERT_EQ(visit->stuck, L"");
    }

    // The text of the files a recorded result writes besides the table: the
    // saved game, the profiles and the settings.
    static std::map<std::string, std::wstring> Files(const test::TempFolder& home)
    {
        std::map<std::string, std::wstring> files;
        for (const char* name : { "1", "us.txt", "config.cfg" }) {
            const std::string bytes = Bytes(home / "vandrel-first-eng/" + name);
            files[name] = platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        }
        return files;
    }
    static Scene::ScoreTable Table(const test::TempFolder& home)
    {
        PropertyFile file;
        EXPECT_TRUE(file.Serialize(platform::PathToWide(home / "vandrel-first-eng/highscore/result_02.cfg"), false));
        Scene::ScoreTable table;
        table.Read(file);
        return table;
    }

    std::unique_ptr<ResultVisit> visit;
};

class ResultExitOn : public ResultExit, public ::testing::WithParamInterface<Screen> { };

TEST_P(ResultExitOn, AWonLevelIsKeptHoweverTheGameEndsOnItsResultScreens)
{
    // The player continues: paid the new balance the statistics showed, the
    // level passed with gold, the next one reached, the run in the table.
    test::TempFolder continued;
    Visit(Screen::Table, std::nullopt, continued);
    ASSERT_FALSE(HasFatalFailure());
    const test::LevelReport shown = visit->reports.at(0);
    ASSERT_EQ(shown.cup, 2);
    ASSERT_GT(shown.shownBalance, shown.shownMoney);
    // Paid by its points too: the bonus beyond the lowered target.
    ASSERT_GT(world.levelBonus, 0);
    EndRun();
    world.ResetToDefaults();
    cSettings::Instance().LoadSettingsAndProfiles(world);
    EXPECT_EQ(world.furthestLevel, kLevel + 1);
    world.currentProfile = 1;
    ASSERT_TRUE(world.LoadGame());
    EXPECT_EQ(world.money, shown.shownBalance);
    EXPECT_EQ(world.levelStatus[kLevel], 2);
    EXPECT_EQ(world.levelCounter[kLevel], 1);
    const auto written = Files(continued);
    const Scene::ScoreTable table = Table(continued);
    EXPECT_EQ(table.scoreNames[0], L"Auto");
    EXPECT_EQ(table.scoreMoney[0], shown.shownTotal);
    EXPECT_EQ(table.scoreTimes[0], shown.elapsed);

    const Screen screen = GetParam();
    for (const test::GameEnd end : { test::GameEnd::WindowClose, test::GameEnd::DesktopQuit, test::GameEnd::Sigterm }) {
        SCOPED_TRACE("end " + std::to_string(static_cast<int>(end)));
        test::TempFolder home;
        Visit(screen, end, home);
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_GE(visit->endedAt, 0) << "the screen was never shown";
        EXPECT_TRUE(visit->shownUnrecorded);
        EXPECT_LT(visit->after - visit->endedAt, 3) << "the game went on after the request";
        const auto files = Files(home);
        for (const auto& [name, text] : written)
            EXPECT_EQ(files.at(name), text) << name;
        // On the table the name typed so far goes in.
        Scene::ScoreTable expected = table;
        if (screen == Screen::Table)
            expected.scoreNames[0] = L"Autoz";
        const Scene::ScoreTable stored = Table(home);
        for (int row = 0; row < Scene::ScoreTable::kRows; ++row) {
            EXPECT_EQ(stored.scoreNames[row], expected.scoreNames[row]) << row;
            EXPECT_EQ(stored.scoreTimes[row], expected.scoreTimes[row]) << row;
            EXPECT_EQ(stored.scoreMoney[row], expected.scoreMoney[row]) << row;
            EXPECT_EQ(stored.scoreWorkplaces[row], expected.scoreWorkplaces[row]) << row;
        }
        EndRun();
    }
}

// Each screen is a test of its own, so that the runs go side by side.
std::string ScreenName(const ::testing::TestParamInfo<Screen>& info)
{
    constexpr const char* kNames[] = { "landing", "cup", "statistics", "table" };
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Screens, ResultExitOn,
    ::testing::Values(Screen::Landing, Screen::Cup, Screen::Statistics, Screen::Table), ScreenName);

// A result the files cannot hold (the list of players made read-only) is
// recorded nowhere, neither on the disk nor in play, and the map the player
// continues to says so in words.
TEST_F(ResultExit, AResultTheFilesCannotHoldIsToldOnTheMap)
{
    test::TempFolder home;
    const std::string players = home / "vandrel-first-eng/us.txt";
    std::map<std::string, std::wstring> before;
    Visit(Screen::Table, std::nullopt, home, [&] {
        before = Files(home);
        std::filesystem::permissions(players, std::filesystem::perms::owner_read);
    });
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(visit->backOnMap);
    EXPECT_EQ(world.furthestLevel, kLevel);
    const std::vector<std::pair<int, int>> told = { { 2, 11 }, { 154, 0 } };
    EXPECT_EQ(world.playerFileNoticeTexts, told);
    EXPECT_NE(world.playerFileNotice.find(g_guiVocabulary[154]), std::wstring::npos);
    std::filesystem::permissions(players, std::filesystem::perms::owner_all);
    // Level 2 neither tried nor passed nor paid in the saved game (whatever
    // the player bought in the shop after it), and still the next to play.
    const auto after = Files(home);
    EXPECT_EQ(after.at("us.txt"), before.at("us.txt"));
    for (const wchar_t* row : { L"COUNTER;0;0;0;", L"STATUS;1;1;-1;", L"GELD;0;0;0;" })
        EXPECT_NE(after.at("1").find(row), std::wstring::npos) << testing::PrintToString(after.at("1"));
    EXPECT_EQ(Table(home).scoreWorkplaces[0], -1);
    EXPECT_FALSE(std::filesystem::exists(home / "vandrel-first-eng/highscore/result_02.cfg.pending"));
    EndRun();
}

// The game ended by a signal in a process of its own that arms the quit
// watchdog as the program does (armed here, it would end the test program
// after the test's own signals). The level is won and the game ends on the
// statistics, where nothing is typed: the player's files are then byte for
// byte what continuing writes.
struct Start {
    // Started with SIGINT ignored, as from a script with `&`: SIGINT is sent
    // first, and the process must live on 2.5 s.
    bool sigintIgnored = false;
    // Each sync from SIGTERM on takes this long: a slow disk.
    double syncSeconds = 0.0;
};

class ResultExitBySignal : public ResultExit {
protected:
    // How the process ended, in `ended`: its exit code (1 when a check in it
    // failed), or 128 + the signal that ended it. A process that cannot be
    // started or waited for is a fatal failure: its ending would read as 0.
    void VisitArmed(int& ended, test::GameEnd end, const test::TempFolder& home, Start start = {})
    {
        int status = 0;
        ASSERT_NO_FATAL_FAILURE(test::RunChild(
            status,
            [&] {
                // The signals as a shell leaves them (SDL's handlers stay,
                // once set in this process).
                std::signal(SIGHUP, SIG_DFL);
                if (start.sigintIgnored)
                    std::signal(SIGINT, SIG_IGN);
                platform::ArmQuitWatchdog();
                if (start.sigintIgnored) {
                    std::raise(SIGINT);
                    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
                }
                if (start.syncSeconds > 0.0)
                    test::SlowSyncsFrom(SIGTERM, start.syncSeconds);
                Visit(Screen::Statistics, end, home);
                EXPECT_TRUE(visit && visit->shownUnrecorded);
                EXPECT_TRUE(visit && visit->after - visit->endedAt < 3) << "the game went on after the request";
                if (start.syncSeconds > 0.0) {
                    EXPECT_GT(test::SlowedSyncs() * start.syncSeconds, platform::kQuitGraceSeconds + 0.5)
                        << "the result was written within the grace";
                }
                _exit(HasFailure() ? 1 : 0);
            },
            120.0));
        ended = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    // The files the result goes to, in `home`, are what continuing writes.
    void ExpectRecorded(const test::TempFolder& home)
    {
        test::TempFolder continued;
        Visit(Screen::Table, std::nullopt, continued);
        ASSERT_FALSE(HasFatalFailure());
        EndRun();
        for (const char* name : { "1", "us.txt", "config.cfg", "highscore/result_02.cfg" }) {
            const std::string path = "vandrel-first-eng/" + std::string(name);
            EXPECT_TRUE(Bytes(home / path) == Bytes(continued / path)) << name;
        }
    }
};

// The terminal the game was started from closes: the game ends as on SIGTERM.
TEST_F(ResultExitBySignal, SighupEndsTheGameAsSigtermDoes)
{
    test::TempFolder home;
    int ended = -1;
    ASSERT_NO_FATAL_FAILURE(VisitArmed(ended, test::GameEnd::Sighup, home));
    EXPECT_EQ(ended, 0);
    ExpectRecorded(home);
}

// SIGINT stays ignored well past the watchdog's grace; SIGTERM then ends the
// game.
TEST_F(ResultExitBySignal, AnIgnoredSigintLeavesTheGameRunning)
{
    test::TempFolder home;
    int ended = -1;
    ASSERT_NO_FATAL_FAILURE(VisitArmed(ended, test::GameEnd::Sigterm, home, { .sigintIgnored = true }));
    EXPECT_EQ(ended, 0);
    ExpectRecorded(home);
}

// On a slow disk the result takes longer than the watchdog's grace to write:
// it is still written whole, and the game ends by itself.
TEST_F(ResultExitBySignal, ASlowDiskStillRecordsTheWholeResult)
{
    test::TempFolder home;
    int ended = -1;
    ASSERT_NO_FATAL_FAILURE(VisitArmed(ended, test::GameEnd::Sigterm, home, { .syncSeconds = 0.3 }));
    EXPECT_EQ(ended, 0);
    ExpectRecorded(home);
}

} // namespace
