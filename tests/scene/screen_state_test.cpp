// The screen base: switching on and off, fading over a clock set by hand,
// the hit tests, and one click taken by one button.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "app/clock.h"
#include "app/cursor_set.h"
#include "platform/time_source.h"
#include "scene/screen.h"
#include "support/recording_gfx.h"
#include "support/recording_sound.h"
#include "world/game_world.h"
#include "world/world_test_support.h"

namespace {

class TestScreen : public Scene::Screen {
public:
    TestScreen()
        : Screen(10, 20, 100, 50)
    {
    }
    void SetAlpha(uint32_t alpha) { colour = (colour & 0x00FFFFFFu) | (alpha << 24); }
    uint32_t Colour() const { return colour; }
    bool TooltipShown() const { return tooltipShown; }
    void ForceTooltip() { tooltipShown = true; }
    const std::wstring& TooltipText() const { return tooltipText; }

    std::function<void()> onActivate;
    std::function<void()> onDeactivate;
    int activations = 0;
    int deactivations = 0;

protected:
    void OnActivate() override
    {
        ++activations;
        if (onActivate)
            onActivate();
    }
    void OnDeactivate() override
    {
        ++deactivations;
        if (onDeactivate)
            onDeactivate();
    }
};

class ScreenStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetTimeSourceForTests([this] { return now; });
        cClock::Instance().Reset();
        cGameWorld::Instance().ResetToDefaults();
        cCursorSet::Instance().SetCursor(L"Standard", 1);
    }
    void TearDown() override
    {
        platform::SetTimeSourceForTests(nullptr);
        cGameWorld::Instance().ResetToDefaults();
        cCursorSet::Instance().SetCursor(L"Standard", 1);
    }
    void Wait(double ms)
    {
        now += ms;
        cClock::Instance().Update();
    }

    double now = 1000.0;
    test::FakeInput input;
};

TEST_F(ScreenStateTest, SwitchingOnAndOffCallsTheScreenOnlyOnAChange)
{
    TestScreen screen;
    EXPECT_FALSE(screen.IsActive());
    EXPECT_FALSE(screen.IsVisible());
    EXPECT_EQ(screen.Colour(), 0x00FFFFFFu);

    screen.SetActive(false);
    EXPECT_EQ(screen.deactivations, 0);

    screen.SetActive(true);
    EXPECT_EQ(screen.activations, 1);
    EXPECT_TRUE(screen.IsActive());
    // Visible at once, so it draws (and fades in) in this frame.
    EXPECT_EQ(screen.Colour(), 0x01FFFFFFu);
    screen.SetActive(true);
    EXPECT_EQ(screen.activations, 1);

    screen.SetAlpha(200);
    screen.SetActive(false);
    EXPECT_EQ(screen.deactivations, 1);
    EXPECT_FALSE(screen.IsActive());
    // Switched off, it keeps its alpha and fades out by its own drawing.
    EXPECT_EQ(screen.GetAlpha(), 200);

    // Switched on while still fading out, it fades in from there.
    screen.SetAlpha(90);
    screen.SetActive(true);
    EXPECT_EQ(screen.GetAlpha(), 90);
}

TEST_F(ScreenStateTest, ExceptionsWhileLoadingOrFreeingAreLoggedAndTheStateTaken)
{
    const struct {
        const char* name;
        bool on;
        std::function<void()> thrower;
        const wchar_t* line;
    } cases[] = {
        { "load std", true, [] { throw std::runtime_error("no page"); }, L"error: Exception[load textures]:no page" },
        { "load other", true, [] { throw 42; }, L"error: Exception in modul load textures" },
        { "free std", false, [] { throw std::logic_error("gone"); }, L"error: Exception[free textures]:gone" },
        { "free other", false, [] { throw 'x'; }, L"error: Exception in modul free textures" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestScreen screen;
        if (!c.on)
            screen.SetActive(true);
        screen.onActivate = c.thrower;
        screen.onDeactivate = c.thrower;
        test::LogCapture log;
        screen.SetActive(c.on);
        EXPECT_EQ(screen.IsActive(), c.on);
        ASSERT_EQ(log.lines.size(), 1u);
        EXPECT_EQ(log.lines[0], c.line);
    }
}

TEST_F(ScreenStateTest, FadeStepsOnceThe20MillisecondsHavePassed)
{
    const struct {
        bool active;
        uint32_t from;
        uint32_t to;
    } steps[] = {
        { true, 1, 17 },
        { true, 223, 239 },
        { true, 224, 255 },
        { true, 255, 255 },
        { false, 255, 223 },
        { false, 33, 1 },
        { false, 32, 0 },
        { false, 31, 0 },
        { false, 0, 0 },
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << s.active << " " << s.from);
        TestScreen screen;
        if (s.active)
            screen.SetActive(true);
        screen.SetAlpha(s.from);
        // Too soon: no step, but the tooltip is hidden all the same.
        screen.ForceTooltip();
        Wait(19.0);
        screen.UpdateFade();
        EXPECT_EQ(screen.GetAlpha(), s.from);
        EXPECT_FALSE(screen.TooltipShown());
        Wait(2.0);
        screen.UpdateFade();
        EXPECT_EQ(screen.GetAlpha(), s.to);
        EXPECT_EQ(screen.Colour() & 0xFFFFFFu, 0xFFFFFFu);
        // The next step waits another 20 ms.
        screen.UpdateFade();
        EXPECT_EQ(screen.GetAlpha(), s.to);
    }
}

// A screen that asks for a tooltip gets it only once the screen's hover timer,
// running since the screen was made, shows more than two seconds; a new frame
// hides it again until it is asked for anew.
TEST_F(ScreenStateTest, AnAskedTooltipShowsOnlyAfterTwoSeconds)
{
    const struct {
        double waitMs;
        bool shown;
    } cases[] = { { 0.0, false }, { 1999.0, false }, { 2000.0, false }, { 2001.0, true }, { 9000.0, true } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.waitMs);
        TestScreen screen;
        Wait(c.waitMs);
        screen.ShowTooltip(L"Pump 2");
        EXPECT_EQ(screen.TooltipShown(), c.shown);
        EXPECT_EQ(screen.TooltipText(), c.shown ? L"Pump 2" : L"");
        screen.ResetTooltip();
        EXPECT_FALSE(screen.TooltipShown());
    }
}

// From alpha 1: 14 steps of 16 reach 225, the 15th jumps to 255. Fading out
// from 255: seven steps of 32 reach 31, the eighth drops to 0.
TEST_F(ScreenStateTest, FullFadeInTakes15StepsAndFadeOut8)
{
    TestScreen screen;
    screen.SetActive(true);
    int steps = 0;
    while (screen.GetAlpha() != 255 && steps < 100) {
        Wait(21.0);
        screen.UpdateFade();
        ++steps;
    }
    EXPECT_EQ(steps, 15);
    screen.SetActive(false);
    steps = 0;
    while (screen.IsVisible() && steps < 100) {
        Wait(21.0);
        screen.UpdateFade();
        ++steps;
    }
    EXPECT_EQ(steps, 8);
}

TEST_F(ScreenStateTest, MouseInRectIncludesItsEdges)
{
    TestScreen screen;
    const struct {
        int x;
        int y;
        bool inside;
    } points[] = {
        { 100, 200, true },
        { 300, 400, true },
        { 200, 300, true },
        { 99, 300, false },
        { 301, 300, false },
        { 200, 199, false },
        { 200, 401, false },
    };
    for (const auto& p : points) {
        input.x = p.x;
        input.y = p.y;
        EXPECT_EQ(screen.IsMouseInRect(100, 200, 300, 400), p.inside) << p.x << "," << p.y;
    }
    // While the cursor set shows cursor 122 no button is hit.
    input.x = 200;
    input.y = 300;
    cCursorSet::Instance().SetCursor(L"Standard", 122);
    EXPECT_FALSE(screen.IsMouseInRect(100, 200, 300, 400));
}

TEST_F(ScreenStateTest, MouseOverAVisibleScreenTellsTheWorld)
{
    cGameWorld& world = cGameWorld::Instance();
    TestScreen screen; // 10, 20, 100 × 50
    input.x = 110;
    input.y = 70;
    EXPECT_FALSE(screen.IsMouseOver());
    EXPECT_EQ(world.mouseOverMenu, 0);

    screen.SetAlpha(1);
    EXPECT_TRUE(screen.IsMouseOver());
    EXPECT_EQ(world.mouseOverMenu, 1);
    // It never clears the byte itself.
    input.x = 111;
    EXPECT_FALSE(screen.IsMouseOver());
    EXPECT_EQ(world.mouseOverMenu, 1);
    // The cursor that stops buttons does not stop this test.
    input.x = 10;
    input.y = 20;
    cCursorSet::Instance().SetCursor(L"Standard", 122);
    EXPECT_TRUE(screen.IsMouseOver());
}

// Two overlapping buttons under one click: the first drawn takes the click,
// with its sound; the cursor outside, or the busy cursor, takes none.
TEST_F(ScreenStateTest, OneClickTriggersTheFirstHoveredButtonOnly)
{
    cGameWorld& world = cGameWorld::Instance();
    test::RecordingSoundEngine sound;
    world.soundEngine = &sound;
    TestScreen screen;
    const auto button = [&](int x, int y) {
        return screen.DoButton(false, nullptr, L"off", L"over", L"Go", x, y, 100, 30, 1, 2, 3, 4, 5, 6);
    };
    const struct {
        int x, y;
        bool busy;
        bool first, second; // what each button answers
    } cases[] = {
        { 300, 130, false, true, false }, // the far corner counts as inside
        { 250, 110, false, true, false },
        { 301, 130, false, false, false },
        { 250, 131, false, false, false },
        { 250, 110, true, false, false },
    };
    int clicks = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << (c.busy ? " busy" : ""));
        input.x = c.x;
        input.y = c.y;
        cCursorSet::Instance().SetCursor(L"Standard", c.busy ? Scene::Screen::kNoHitCursor : 1);
        world.leftClick = 0;
        EXPECT_FALSE(button(200, 100)) << "no click";
        world.leftClick = 1;
        EXPECT_EQ(button(200, 100), c.first);
        EXPECT_FALSE(button(190, 95));
        EXPECT_EQ(world.leftClick, c.first ? 0 : 1);
        clicks += c.first ? 1 : 0;
        EXPECT_EQ(sound.played.size(), static_cast<std::size_t>(clicks));
    }
    world.soundEngine = nullptr;
}

} // namespace
