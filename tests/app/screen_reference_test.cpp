// Every screen a player meets draws what it drew when it was last looked at:
// the real program, headless, at both screen sizes, played by the autoplayer
// on a fixed clock from the same random numbers and player files, so each
// frame is the same on every run. Two runs per size: a new game (the start
// screen, its options and naming, the map's introduction, levels 1 and 2 with
// their task dialogs, game menu, end panels and result tables, the shop with
// a lot's price bubble, the credits) and a player well into the campaign (the
// start screen with their profile, the map, the shop where the next level's
// building is bought). Each level is also caught at fixed moments of play
// (cars on the road, in the stack and at the places, combos, weather, the
// head-up display).
// Each screen's draw list (support/draw_list.h) is compared with its
// reference, tests/app/screens/<width>_<screen>.txt; what a player would
// notice fails with the screen, the draw and the change. After changing a
// screen on purpose, look at the contact sheets, then rewrite the references
// with VANDREL_UPDATE_SCREENS=1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/clock.h"
#include "bench/evening.h"
#include "frontend/state_menu.h"
#include "platform/game_random.h"
#include "platform/test_events.h"
#include "platform/time_source.h"
#include "support/autoplayer.h"
#include "support/draw_list.h"
#include "support/temp_folder.h"
#include "support/whole_game.h"
#include "world/game_clock.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

const std::filesystem::path kReferences = VANDREL_SOURCE_DIR "/tests/app/screens";

// The frames of play (50 ms each, the level running) at which a level is
// caught, besides its screens as they settle.
constexpr int kPlayMoments[] = { 160, 400 };

// The effects of combos, and the frame of the first one's effect the level
// is caught at.
constexpr int kFirstCombo = 3, kLastCombo = 8, kComboFrame = 4;

// The player of the second run: level 14 is next, its building not yet
// bought (kind 5).
constexpr int kFurthest = 14, kBuildingKind = 5;

struct Size {
    int width, height;
};

const test::ImageNames& Names()
{
    static const test::ImageNames names = [] {
        test::ImageNames n;
        n.Load(VANDREL_SOURCE_DIR "/tools/art/images");
        return n;
    }();
    return names;
}

using Lists = std::map<std::string, std::vector<std::string>>;

// The autoplayer looking at every screen state on its way, with a recorder
// of its own in front of the engine that keeps the draws of every frame.
class ScreenTour : public test::Autoplayer {
public:
    ScreenTour(Size size, std::string run, int lastLevel, int lotKind, Lists& lists)
        : Autoplayer(lastLevel, size.width, size.height,
            { .lotKind = lotKind,
                .lookAround = true,
                .checkScreen =
                    [this](const std::string& screen, const test::RecordingGfx&) {
                        Keep(screen);
                        return std::vector<std::string> {};
                    } })
        , size(size)
        , run(std::move(run))
        , lists(lists)
    {
    }

    bool Frame() override
    {
        const bool going = Autoplayer::Frame();
        const cGameWorld& world = cGameWorld::Instance();
        const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
        if (top == L"cStateGame" && !world.IsPaused() && !world.taskBookOpen && world.gameMenuClosed && !world.levelOver
            && !world.resultsShown) {
            const std::string level = std::to_string(size.width) + "_level_" + std::to_string(world.level);
            const int played = ++playFrames[world.level];
            for (const int moment : kPlayMoments)
                if (played == moment)
                    Keep(level + "_play_" + std::to_string(moment));
            // The first combo of the level, a few frames into its effect.
            const bool combo = std::any_of(world.effects.begin(), world.effects.end(),
                [](const cEffect& e) { return e.type >= kFirstCombo && e.type <= kLastCombo; });
            comboFrames[world.level] += combo ? 1 : 0;
            if (combo && comboFrames[world.level] == kComboFrame)
                Keep(level + "_combo");
        }
        return going;
    }

protected:
    void StartEngine() override
    {
        recorder.reset();
        Autoplayer::StartEngine();
        recorder = std::make_unique<test::RecordingGfx>(g_pGfxDevice, g_pGfx2D);
    }
    void StopEngine() override
    {
        recorder.reset();
        Autoplayer::StopEngine();
    }

private:
    // "<width>_<state>": the frame just drawn, kept under the run's name.
    void Keep(const std::string& screen)
    {
        if (!recorder)
            return;
        const std::string prefix = std::to_string(size.width) + "_";
        const std::string name = prefix + run + screen.substr(prefix.size());
        if (!lists.count(name))
            lists[name] = test::ListDraws(*recorder, Names(), size.width, size.height);
    }

    const Size size;
    const std::string run;
    Lists& lists;
    std::unique_ptr<test::RecordingGfx> recorder;
    std::map<int, int> playFrames; // level -> frames it ran
    std::map<int, int> comboFrames; // level -> frames a combo's effect showed
};

class ScreenReference : public test::WholeGameRuns<::testing::TestWithParam<Size>> {
protected:
    // One run in a player folder of its own: a new game played to the end
    // of `lastLevel`, or a stored player who buys their next building.
    void Tour(const std::string& run, int lastLevel, int storedPlayer, Lists& lists)
    {
        const test::TempFolder home;
        EnterPlayerFolder(home);
        if (storedPlayer) {
            ASSERT_TRUE(bench::StorePlayer(storedPlayer));
            world.fundaments.clear();
        }
        cSettings::Instance().SetResolution(GetParam().width, GetParam().height);
        cSettings::Instance().screenMode = 0;
        test::ShowLogosAsAtStart(world);
        // The screens and the levels draw from the game's random numbers as
        // a fresh program does.
        platform::GameSrand(1);
        tour = std::make_unique<ScreenTour>(GetParam(), run, lastLevel, storedPlayer ? kBuildingKind : 0, lists);
        platform::SetTimeSourceForTests([this] { return tour->ms; });
        // The frame clock and the game's clock with its timers start as in a
        // fresh program, whatever ran before in this process.
        cClock::Instance().Reset();
        cGameClock::Instance().ResetToDefaults();
        cStateMenu::SetLoadingPauseForTests([] {});
        EXPECT_TRUE(tour->Run());
        EXPECT_EQ(tour->stuck, L"");
        EXPECT_TRUE(tour->finished);
        platform::SetTimeSourceForTests(nullptr);
        tour.reset();
        EndRun();
    }

    std::unique_ptr<ScreenTour> tour;
};

std::vector<std::string> ReadLines(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_P(ScreenReference, EveryScreenDrawsWhatItsReferenceHolds)
{
    Lists lists;
    Tour("", 2, 0, lists);
    ASSERT_FALSE(HasFatalFailure());
    Tour("mid_", 0, kFurthest, lists);
    ASSERT_FALSE(HasFatalFailure());

    const std::string prefix = std::to_string(GetParam().width) + "_";
    const bool update = std::getenv("VANDREL_UPDATE_SCREENS") && *std::getenv("VANDREL_UPDATE_SCREENS") == '1';
    if (update) {
        std::filesystem::create_directories(kReferences);
        for (const auto& entry : std::filesystem::directory_iterator(kReferences))
            if (entry.path().filename().string().starts_with(prefix) && !lists.count(entry.path().stem().string()))
                std::filesystem::remove(entry.path());
        for (const auto& [screen, lines] : lists) {
            std::ofstream out(kReferences / (screen + ".txt"));
            for (const std::string& line : lines)
                out << line << "\n";
        }
        return;
    }
    std::map<std::string, bool> references;
    for (const auto& entry : std::filesystem::directory_iterator(kReferences))
        if (entry.path().filename().string().starts_with(prefix))
            references[entry.path().stem().string()] = false;
    for (const auto& [screen, lines] : lists) {
        if (!references.count(screen)) {
            ADD_FAILURE() << screen << ": a screen without a reference (VANDREL_UPDATE_SCREENS=1 writes it)";
            continue;
        }
        references[screen] = true;
        std::string told;
        for (const std::string& difference :
            test::CompareDraws(screen, ReadLines(kReferences / (screen + ".txt")), lines))
            told += difference + "\n";
        if (!told.empty())
            ADD_FAILURE() << told;
    }
    for (const auto& [screen, reached] : references)
        EXPECT_TRUE(reached) << screen << ": the screen was not reached";
}

// What a player notices and what not, on two small lists: a plate, a car
// on it and a label beside them.
TEST(DrawListComparison, TellsWhatAPlayerWouldNotice)
{
    const std::vector<std::string> reference = {
        "image menu/plate.png 100 100 300 200 ffffffff",
        "image menu/car.png 150 120 250 180 ffffffff",
        "text 14:\"Pump \\\"A\\\"\" 400 100 450 114 ff3030a0 ff000000",
        "image menu/faint.png 0 0 50 50 0affffff",
    };
    const struct {
        const char* change;
        std::vector<std::string> now;
        const char* told; // a part of what is told; null: nothing is
    } cases[] = {
        { "the same", reference, nullptr },
        { "1 px off, 15 darker, the faint one gone",
            { "image menu/plate.png 101 99 301 201 f0ffffff", "image menu/car.png 150 120 250 180 ffffffff",
                "text 14:\"Pump \\\"A\\\"\" 401 100 451 114 ff3f3fa0 ff000000" },
            nullptr },
        { "drawn in another order, nothing they overlap passed",
            { "image menu/plate.png 100 100 300 200 ffffffff",
                "text 14:\"Pump \\\"A\\\"\" 400 100 450 114 ff3030a0 ff000000",
                "image menu/car.png 150 120 250 180 ffffffff", "image menu/faint.png 0 0 50 50 0affffff" },
            nullptr },
        { "2 px lower", { reference[0], "image menu/car.png 150 122 250 182 ffffffff", reference[2], reference[3] },
            "draw 2 (image menu/car.png at (150, 120)-(250, 180)); now at (150, 122)-(250, 182)" },
        { "half as opaque",
            { "image menu/plate.png 100 100 300 200 80ffffff", reference[1], reference[2], reference[3] },
            "colour ffffffff now 80ffffff" },
        { "another shadow",
            { reference[0], reference[1], "text 14:\"Pump \\\"A\\\"\" 400 100 450 114 ff3030a0 ff100000",
                reference[3] },
            "colour ff3030a0 ff000000 now ff3030a0 ff100000" },
        { "under the plate", { reference[1], reference[0], reference[2], reference[3] },
            "draw 1 (image menu/plate.png at (100, 100)-(300, 200)) now drawn above draw 2 (image menu/car.png" },
        { "gone", { reference[0], reference[2], reference[3] },
            "draw 2 (image menu/car.png at (150, 120)-(250, 180)) no longer drawn" },
        { "another car", { reference[0], "image menu/truck.png 150 120 250 180 ffffffff", reference[2], reference[3] },
            "replaced by menu/truck.png" },
        { "a new one",
            { reference[0], reference[1], reference[2], reference[3], "image menu/sign.png 0 0 10 10 ffffffff" },
            "new draw 5 (image menu/sign.png" },
        { "another text",
            { reference[0], reference[1], "text 14:\"Pump B\" 400 100 450 114 ff3030a0 ff000000", reference[3] },
            "replaced by 14:\"Pump B\"" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        const std::vector<std::string> told = test::CompareDraws("screen", reference, c.now);
        if (!c.told) {
            EXPECT_TRUE(told.empty()) << told.front();
            continue;
        }
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].find(c.told), std::string::npos) << told[0];
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScreenReference, ::testing::Values(Size { 1280, 1024 }, Size { 1024, 768 }),
    [](const auto& info) { return std::to_string(info.param.width); });

} // namespace
