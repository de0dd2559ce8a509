// A won level is in the player's files however the game ends on the screens
// after it: the real program, headless, a stored player winning level 2 by
// mouse (the autoplayer), then the window closed, the desktop's quit or
// SIGTERM while its last points fly to the bar, on the cup, the statistics or
// the highscore table. What the files
// hold afterwards is what the continue button writes, compared with a run in
// which the player continues.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "bench/evening.h"
#include "frontend/score_table.h"
#include "frontend/state_menu.h"
#include "platform/game_random.h"
#include "platform/test_events.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "resources/property_file.h"
#include "support/autoplayer.h"
#include "support/temp_folder.h"
#include "support/whole_game.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

// A level with a time limit that the autoplayer wins with a gold cup.
constexpr int kLevel = 2;

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
        const cGameWorld& world = cGameWorld::Instance();
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
    void Visit(Screen screen, std::optional<test::GameEnd> end, const test::TempFolder& home)
    {
        EnterPlayerFolder(home);
        ASSERT_TRUE(bench::StorePlayer(kLevel));
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

TEST_F(ResultExit, AWonLevelIsKeptHoweverTheGameEndsOnItsResultScreens)
{
    // The player continues: paid the new balance the statistics showed, the
    // level passed with gold, the next one reached, the run in the table.
    test::TempFolder continued;
    Visit(Screen::Table, std::nullopt, continued);
    ASSERT_FALSE(HasFatalFailure());
    const test::LevelReport shown = visit->reports.at(0);
    ASSERT_EQ(shown.cup, 2);
    ASSERT_GT(shown.shownBalance, shown.shownMoney);
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

    for (const Screen screen : { Screen::Landing, Screen::Cup, Screen::Statistics, Screen::Table }) {
        for (const test::GameEnd end :
            { test::GameEnd::WindowClose, test::GameEnd::DesktopQuit, test::GameEnd::Sigterm }) {
            SCOPED_TRACE("screen " + std::to_string(static_cast<int>(screen)) + ", end "
                + std::to_string(static_cast<int>(end)));
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
}

} // namespace
