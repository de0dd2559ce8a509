// The frame budget of a level as shipped: the whole game on the real engine,
// headless, from the start through the loading sequence into the level the
// test chooses on the start screen, as the world map's play button does. Once
// the start has settled (the screens switched on and their pages loaded), a
// frame of play opens no file, logs nothing, makes no texture and rasterises
// no text it has already drawn.
#include <gtest/gtest.h>

#include <map>

#include "frontend/state_menu.h"
#include "platform/file_access.h"
#include "platform/utf16.h"
#include "support/log_capture.h"
#include "support/menu_route.h"
#include "whole_game_fixture.h"
#include "world/world_checks.h"

namespace {

constexpr int kSettleFrames = 30;
constexpr int kSteadyFrames = 180;
// 60 frames a second on the hand-set clock.
constexpr double kFrameMs = 1000.0 / 60.0;
// The loading sequence takes about fifteen frames.
constexpr int kMenuFrameLimit = 100;

struct Counters {
    uint64_t fileAccesses = 0;
    int texturesCreated = 0, textureUploads = 0;
    size_t logLines = 0;

    static Counters Now(const test::LogCapture& log)
    {
        return { platform::FileAccesses(), engine::TexturesCreated(), engine::TextureUploads(), log.lines.size() };
    }
};

// Where the cursor rests while watched: over the first service place of a
// station level, else over the first fundament of a grid level, so that the
// station view's hover runs every frame.
bool HoverPoint(int& x, int& y, int& placeIndex)
{
    const cGameWorld& world = cGameWorld::Instance();
    auto over = [&](int row, int column) {
        x = world.cellX[row][column] + 93;
        y = world.cellY[row][column] + 120;
        return true;
    };
    for (std::size_t i = 0; i < world.places.size(); ++i) {
        const cPlace& place = world.places[i];
        if (place.type < 100 && world::IsGridCell(place.row, place.column))
            return placeIndex = static_cast<int>(i), over(place.row, place.column);
    }
    for (const cFundament& fundament : world.fundaments)
        if (world::IsGridCell(fundament.row, fundament.column))
            return over(fundament.row, fundament.column);
    return false;
}

// Plays the level on a clock of its own: kSettleFrames to settle (the task
// dialog the level opens with is closed with its OK button, then the cursor
// moves to the hover point half-way), then kSteadyFrames watched, then Escape
// opens the game menu, whose button back to the main menu ends the level and
// the game.
class BudgetApp : public cPPApp {
public:
    BudgetApp(const test::LogCapture& log, int level)
        : log(log)
        , level(level)
    {
    }

    bool Frame() override
    {
        ++menuFrames;
        ms += kFrameMs;
        if (test::StartScreenOpen() && !chosen) {
            chosen = true;
            test::PlayLevelFromMap(level);
        }
        // The frames of the level count from the one that asks for it.
        if (!chosen)
            return cPPApp::Frame() && menuFrames < kMenuFrameLimit;
        const std::wstring top = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
        ++frames;
        // The task dialog: paged to its end with the right arrow, then closed
        // with OK, at their design places on a 1280 x 1024 screen; a click is
        // a press in one frame and a release in the next.
        const int clickFrames[] = { 3, 6, 9, 12 };
        for (int i = 0; i < 4; ++i) {
            const int x = i < 3 ? 538 + 36 : 280 + 100;
            const int y = i < 3 ? 300 + 295 + 24 : 300 + 360 + 24;
            if (frames == clickFrames[i] && g_pInputDevice)
                g_pInputDevice->SetCursorPos(x, y);
            if (frames == clickFrames[i] || frames == clickFrames[i] + 1)
                platform::InjectMouseButton(window, 1, frames == clickFrames[i], x, y);
        }
        if (frames == kSettleFrames / 2 && g_pInputDevice && HoverPoint(hoverX, hoverY, hoverPlace))
            g_pInputDevice->SetCursorPos(hoverX, hoverY);
        if (frames == kSettleFrames + 1) {
            topState = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
            playedLevel = cGameWorld::Instance().level;
            before = Counters::Now(log);
            watching = true;
        }
        const bool goOn = cPPApp::Frame();
        if (frames == kSettleFrames + kSteadyFrames) {
            after = Counters::Now(log);
            watching = false;
            levelOver = cGameWorld::Instance().levelOver;
            taskBookOpen = cGameWorld::Instance().taskBookOpen;
            hovered = cGameWorld::Instance().hoveredElement;
            stateAfter = GetStateManager().Top() ? GetStateManager().Top()->GetName() : L"";
            platform::InjectKey(window, "Escape", true);
        }
        // The game menu's last button, at its design place: the menu is
        // 400 x 420 at (440, 262), its buttons 205 x 49 at x = 538.
        const int leaveFrame = kSettleFrames + kSteadyFrames + 5;
        if (frames == leaveFrame && g_pInputDevice)
            g_pInputDevice->SetCursorPos(640, 262 + 290 + 24);
        if (frames == leaveFrame || frames == leaveFrame + 1)
            platform::InjectMouseButton(window, 1, frames == leaveFrame, 640, 262 + 290 + 24);
        // Back in the main menu the game is ended as the start screen's quit
        // button does; a level was left, so the credits follow and Escape
        // ends them.
        if (frames > leaveFrame && top == L"cStateMenu" && !quitAt) {
            quitAt = frames;
            test::QuitFromProfiles();
        }
        if (quitAt && frames == quitAt + 4)
            platform::InjectKey(window, "Escape", true);
        return goOn && frames < kSettleFrames + kSteadyFrames + 20;
    }

    const test::LogCapture& log;
    const int level;
    bool chosen = false;
    double ms = 1000.0;
    // Frames before the level (logos, loading, start screen), then of it.
    int menuFrames = 0, frames = 0, quitAt = 0, playedLevel = 0;
    bool watching = false;
    int levelOver = -1, taskBookOpen = -1;
    int hoverX = -1, hoverY = -1, hoverPlace = -1, hovered = -2;
    std::wstring topState, stateAfter;
    Counters before, after;

protected:
    void QueryDesktopSize(int& width, int& height) override { width = 1920, height = 1200; }
};

class FrameBudget : public WholeGameTest, public ::testing::WithParamInterface<int> { };

TEST_P(FrameBudget, SteadyFramesOpenNoFileLogNothingAndMakeNothingAnew)
{
    const int level = GetParam();
    test::LogCapture log;
    BudgetApp app(log, level);
    platform::SetTimeSourceForTests([&app] { return app.ms; });
    // What the level rasterises while watched, by text, and in which frames.
    std::map<std::wstring, std::vector<int>> rasterised;
    engine::SetRasterisationObserver([&](const std::wstring& text) {
        if (app.watching)
            rasterised[text].push_back(app.frames);
    });
    cStateMenu::SetLoadingPauseForTests([] {});
    ASSERT_TRUE(app.Run());
    cStateMenu::SetLoadingPauseForTests(nullptr);

    ASSERT_TRUE(app.chosen) << "the loading did not open the start screen";
    ASSERT_EQ(app.topState, L"cStateGame");
    EXPECT_EQ(app.playedLevel, level);
    ASSERT_EQ(app.stateAfter, L"cStateGame");
    EXPECT_LT(app.frames, kSettleFrames + kSteadyFrames + 20) << "the game menu did not end the game";
    EXPECT_EQ(app.levelOver, 0);
    EXPECT_EQ(app.taskBookOpen, 0) << "the task dialog did not close";
    EXPECT_GE(app.hoverX, 0) << "nothing to hover";
    EXPECT_EQ(app.hovered, app.hoverPlace) << "the cursor is not over the service place";
    EXPECT_EQ(app.after.fileAccesses - app.before.fileAccesses, 0u) << "files opened, read, written or looked for";
    for (size_t i = app.before.logLines; i < app.after.logLines; ++i)
        ADD_FAILURE() << "logged during play: " << platform::WideToNarrow(log.lines[i]);
    EXPECT_EQ(app.after.texturesCreated - app.before.texturesCreated, 0) << "textures made from images";
    EXPECT_EQ(app.after.textureUploads - app.before.textureUploads, 0) << "images handed to the renderer again";
    // A text whose content changes (a clock) is rasterised once per content;
    // one rasterised again was lost from the cache or drawn with a new font.
    for (const auto& [text, frames] : rasterised)
        EXPECT_EQ(frames.size(), 1u) << "rasterised again: \"" << platform::WideToNarrow(text) << "\"";
    EXPECT_EQ(log.lines.back(), L"message: No memory leaks in GFX sub-system :o)");
}

INSTANTIATE_TEST_SUITE_P(ShippedLevels, FrameBudget, ::testing::Values(1, 2),
    [](const ::testing::TestParamInfo<int>& info) { return "Level" + std::to_string(info.param); });

} // namespace
