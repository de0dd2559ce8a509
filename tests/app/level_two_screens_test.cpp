// Level 2, the player's first timed level, through the real engine at both
// screen sizes: its task dialog names the goal and the penalty the rules
// apply, the clock says when the limit has passed, and each way the level can
// end (time over, finished after the limit, passed, won, and as a level
// without a limit: paid by points, jammed) shows a panel that says what
// happened. Each screen is saved as test-output/level2_<width>_<screen>.png
// and goes through the layout check.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/gfx.h"
#include "platform/utf16.h"
#include "recorded_app.h"
#include "scene/gui_vocabulary.h"
#include "support/menu_route.h"
#include "whole_game_fixture.h"

namespace {

struct Size {
    int width, height;
};

// The texts of one frame, run together without spaces, so that a text the
// screen wrapped over several lines is found whole.
std::wstring Squeezed(const std::wstring& text)
{
    std::wstring out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](wchar_t c) { return !std::iswspace(c); });
    return out;
}

// How the level ends, set as the head-up display's end checks leave the
// world (the time-out is reached for real by the clock).
// The last two end as a level without a time limit would: paid by its
// points, or jammed before its task was done.
struct Ending {
    const char* screen;
    int elapsed; // seconds played; -1: twice the limit, reached in play
    bool finished; // the script said the task was done
    bool timed = true;
};
constexpr Ending kEndings[] = {
    { "time_over", -1, false },
    { "finished_late", 200, true },
    { "passed", 170, true },
    { "won", 60, true },
    { "points", 100, true, false },
    { "jammed", 100, false, false },
};
constexpr int kContinueText = 8;

class LevelTwoApp : public ScriptedApp {
public:
    explicit LevelTwoApp(Size size)
        : size(size)
    {
        PlayFromStart(2);
        ReadTheTask();
        RunPastTheLimit();
        for (const Ending& e : kEndings)
            End(e);
    }

    std::vector<std::string> breaches;
    std::map<std::string, std::wstring> texts; // screen -> its texts, squeezed
    // screen -> the middle of the statistics' time pointer and the bar's ends,
    // each once drawn
    struct Bar {
        std::optional<int> pointer, left, right;
    };
    std::map<std::string, Bar> bars;
    int limit = 0, target = 0, penalty = 0;

private:
    // Saves the frame last presented, keeps its texts and checks its layout.
    void Shoot(const std::string& screen)
    {
        const std::string name = std::to_string(size.width) + "_" + screen;
        std::wstring all;
        for (const test::GfxDraw& d : Draws())
            all += d.text;
        texts[screen] = Squeezed(all);
        if (!SaveFrame("level2_" + name)) {
            breaches.push_back(name + ": the frame was not saved");
            return;
        }
        for (const test::GfxDraw& d : Draws()) {
            const test::ImageCatalog::Image* image = ImageOf(d);
            if (image && image->name.rfind("marker00", 0) == 0)
                bars[screen].pointer = static_cast<int>(d.target.left + d.target.right) / 2;
            if (image && image->name == "balken_red") {
                bars[screen].left = static_cast<int>(d.target.left);
                bars[screen].right = static_cast<int>(d.target.right);
            }
        }
        CheckFrame(name, breaches);
    }

    // Presses (or lets go of) the mouse on the middle of the image of the
    // frame last drawn that the art tables know by this name.
    void PressImage(const std::string& image, bool down)
    {
        for (const test::GfxDraw& d : Draws()) {
            const test::ImageCatalog::Image* found = ImageOf(d);
            if (!found || found->name != image)
                continue;
            const int x = static_cast<int>(d.target.left + d.target.right) / 2;
            const int y = static_cast<int>(d.target.top + d.target.bottom) / 2;
            g_pInputDevice->SetCursorPos(x, y);
            platform::InjectMouseButton(window, 1, down, x, y);
            return;
        }
    }

    // The task dialog's two pages, the second through its arrow, and the
    // dialog closed with Escape.
    void ReadTheTask()
    {
        steps.Add(
            "the task dialog's first page, faded in", [this] { return ShowsImage("button_right_off.png", true); },
            [this] {
                Shoot("task_1");
                PressImage("button_right_off.png", true);
            });
        steps.Add(
            "the arrow lit under the mouse", [this] { return ShowsImage("button_right_over.png"); },
            [this] { PressImage("button_right_over.png", false); });
        steps.Add(
            "the task's second page", [this] { return ShowsImage("button_left_off.png", true); },
            [this] {
                Shoot("task_2");
                platform::InjectKey(window, "Escape", true);
            });
    }

    // The level, once lit after the dialog, past its limit: the clock says so.
    void RunPastTheLimit()
    {
        cGameWorld& world = cGameWorld::Instance();
        steps.Add(
            "the task dialog closed and the level lit",
            [this, &world] { return !ShowsImage("tutorial_menu_big.png") && !world.brightening; },
            [this, &world] {
                limit = world.levelTimeLimit;
                target = world.taskLineTargets[0];
                penalty = world.penaltyThreshold;
                world.levelElapsed = limit + 1;
            });
        steps.Add(
            "the clock's badge past the limit", [this] { return ShowsImage("slot_time_up"); },
            [this] { Shoot("clock_time_up"); });
    }

    // One ending: the world as the end checks leave it, then its panel.
    void End(const Ending& e)
    {
        cGameWorld& world = cGameWorld::Instance();
        steps.Add(
            std::string("the level to end: ") + e.screen, [] { return true; },
            [this, &world, &e] {
                if (e.elapsed < 0) {
                    world.levelElapsed = 2 * limit;
                    return;
                }
                // As the end checks leave a level its script has finished.
                world.levelElapsed = e.elapsed;
                world.levelFinalTime = e.elapsed;
                world.levelOver = 1;
                world.levelState = e.finished ? 1 : 0;
                world.levelEndStep = 1;
                world.resultRecorded = 0;
                world.resultScreenOpen = 0;
                world.timeOutFailure = 0;
                world.gameOverPanelShown = e.timed || e.finished ? 0 : 1;
                world.evaluatePending = e.timed || e.finished ? 1 : 0;
                world.levelTimeLimit = e.timed ? limit : 0;
            });
        steps.Add(
            std::string("the end panel: ") + e.screen,
            [this, &world] {
                // A cup that shows first has been seen (its test is the
                // head-up display's own).
                if (ShowsImage("goldcup_01a.png") || ShowsImage("silvercup_01a.png")) {
                    world.medalText.clear();
                    world.cupPhase = 3;
                }
                return ShowsText(g_guiVocabulary[kContinueText]);
            },
            [this, &e] { Shoot(e.screen); });
    }

    Size size;
};

class LevelTwoScreens : public WholeGameTest, public ::testing::WithParamInterface<Size> { };

TEST_P(LevelTwoScreens, TellTheTaskTheTimeAndHowTheLevelEnded)
{
    settings.SetResolution(GetParam().width, GetParam().height);
    std::filesystem::create_directories("test-output");
    ShowLogos();
    LevelTwoApp app(GetParam());
    app.Run();
    EXPECT_EQ(app.steps.Unfinished(), "");
    for (const std::string& breach : app.breaches)
        ADD_FAILURE() << breach;

    // The goal and the penalty as the level and the rules apply them.
    ASSERT_EQ(app.texts.count("task_2"), 1u);
    wchar_t limit[16];
    std::swprintf(limit, 16, L"%02d:%02d", app.limit / 60, app.limit % 60);
    const std::wstring task = app.texts["task_1"] + app.texts["task_2"];
    EXPECT_NE(task.find(std::to_wstring(app.target) + L"cars"), std::wstring::npos) << app.target;
    EXPECT_NE(task.find(limit), std::wstring::npos) << platform::WideToNarrow(limit);
    EXPECT_NE(task.find(std::to_wstring(app.penalty) + L"points"), std::wstring::npos) << app.penalty;

    const std::wstring timeUp = Squeezed(g_guiVocabulary[34]);
    ASSERT_FALSE(timeUp.empty());
    EXPECT_NE(app.texts["clock_time_up"].find(timeUp), std::wstring::npos);

    // The time pointer stays on the bar, also past the limit; the payout's
    // rows show down to the new balance, also when nothing is paid.
    for (const char* screen : { "finished_late", "passed", "won" }) {
        const LevelTwoApp::Bar& bar = app.bars[screen];
        EXPECT_TRUE(bar.pointer) << screen << ": no time pointer drawn";
        EXPECT_TRUE(bar.left && bar.right) << screen << ": no time bar drawn";
        if (bar.pointer && bar.left && bar.right) {
            EXPECT_TRUE(*bar.pointer >= *bar.left && *bar.pointer <= *bar.right)
                << screen << ": pointer at " << *bar.pointer << ", bar " << *bar.left << ".." << *bar.right;
        }
        for (const int row : { 100, 60, 75, 0, 138, 139 })
            EXPECT_NE(app.texts[screen].find(Squeezed(g_guiVocabulary[row])), std::wstring::npos)
                << screen << " " << row;
    }

    // Each ending says whether the level was passed, and a failed one why.
    const std::wstring notPassed = Squeezed(g_guiVocabulary[35]);
    ASSERT_FALSE(notPassed.empty());
    const struct {
        const char* screen;
        int reason; // GUI text, -1: passed
    } endings[] = { { "time_over", 25 }, { "finished_late", 36 }, { "passed", -1 }, { "won", -1 }, { "points", -1 },
        { "jammed", 128 } };
    for (const auto& e : endings) {
        SCOPED_TRACE(e.screen);
        const std::wstring& shown = app.texts[e.screen];
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.find(notPassed) != std::wstring::npos, e.reason >= 0);
        if (e.reason >= 0) {
            ASSERT_FALSE(Squeezed(g_guiVocabulary[e.reason]).empty());
            EXPECT_NE(shown.find(Squeezed(g_guiVocabulary[e.reason])), std::wstring::npos);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, LevelTwoScreens, ::testing::Values(Size { 1280, 1024 }, Size { 1024, 768 }),
    [](const auto& info) { return std::to_string(info.param.width); });

} // namespace
