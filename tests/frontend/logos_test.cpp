// The logo sequence before the menu: each logo fades in a step at a time,
// holds, and fades out fully before the next one begins; logos come from loose
// files or from the page set; the last one starts the loading.
#include <gtest/gtest.h>

#include <fstream>
#include <tuple>
#include <vector>

#include "frontend/state_menu.h"
#include "scene/hud_fixture.h"

namespace {

using LogoTest = test::HudTest;

TEST_F(LogoTest, EachLogoFadesOutFullyBeforeTheNextBegins)
{
    cStateMenu state;
    world.logoCount = 2, world.logosPresent = 1, world.loadingPhase = 0;
    world.logoPhase = 2, world.logoFadeValue = 255;
    int steps = 0;
    for (; world.logoIndex == 0 && steps < 1000; ++steps) {
        Wait(1);
        state.UpdateLogos();
    }
    EXPECT_EQ(steps, 128) << "by two a step";
}

class LogoSequenceTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        std::filesystem::create_directories(folder / "data/logos");
        std::ofstream(folder / "data/logos/first.png", std::ios::binary) << "first logo";
        // The second has no loose file; the page set has it.
        WriteSet("data/logos", { "second.png" });
        world.logoCount = 2;
        world.logoNames[0] = L"first.png";
        world.logoNames[1] = L"second.png";
        world.logosPresent = 1;
        world.loadingPhase = 0;
    }
    void TearDown() override
    {
        state.Exit(nullptr);
        test::HudTest::TearDown();
    }
    // One logo step after `step` milliseconds; the alpha it drew, or -1.
    int Step(double step = 1.0)
    {
        Wait(step);
        gfx.ClearRecords();
        state.UpdateLogos();
        return gfx.draws.empty() ? -1 : static_cast<int>(gfx.draws.back().color >> 24);
    }

    cStateMenu state;
};

TEST_F(LogoSequenceTest, ALogoWithoutStepTimesFadesInHoldsForAFrameAndFadesOutByTwo)
{
    state.Init(nullptr);
    std::vector<int> expected;
    for (int a = 1; a <= 255; ++a)
        expected.push_back(a);
    expected.push_back(255); // the hold
    for (int a = 253; a > 0; a -= 2)
        expected.push_back(a);
    expected.push_back(0);
    std::vector<int> drawn;
    while (world.logoIndex == 0 && drawn.size() < 1000)
        drawn.push_back(Step());
    EXPECT_EQ(drawn.size(), 255u + 1u + 128u);
    EXPECT_EQ(drawn, expected);
    // Stretched over the screen from the loose file's texture.
    const test::GfxDraw& last = gfx.draws.back();
    ASSERT_NE(last.texture, nullptr);
    const auto* texture = static_cast<const test::RecordingTexture*>(last.texture);
    EXPECT_EQ(std::string(texture->bytes.begin(), texture->bytes.end()), "first logo");
    EXPECT_EQ(last.drawMode, 9);
    EXPECT_EQ(last.target.left, 0);
    EXPECT_EQ(last.target.top, 0);
    EXPECT_EQ(last.target.right, 1280);
    EXPECT_EQ(last.target.bottom, 1024);
    EXPECT_EQ(world.logoPhase, 0);
    EXPECT_EQ(world.logosPresent, 1);
}

TEST_F(LogoSequenceTest, ALogoWithoutAFileComesFromThePageSetAndTheLastOneStartsLoading)
{
    state.Init(nullptr);
    world.logoIndex = 1;
    world.logoPhase = 2;
    world.logoFadeValue = 2;
    EXPECT_EQ(Step(), 0);
    const std::optional<test::HudImage> logo = FindImage("second.png");
    ASSERT_TRUE(logo);
    EXPECT_EQ(logo->set, "data/logos");
    EXPECT_EQ(gfx.draws.back().target.right, 1280);
    EXPECT_EQ(gfx.draws.back().target.bottom, 1024);
    EXPECT_EQ(world.logosPresent, 0);
    EXPECT_EQ(world.loadingPhase, 1);
}

TEST_F(LogoSequenceTest, StepTimesHoldTheFadeAndALongFrameStepsOnce)
{
    world.logoFadeInStep[0] = 0.05;
    world.logoHoldTime[0] = 1.0;
    state.Init(nullptr);
    EXPECT_EQ(Step(30.0), 0);
    EXPECT_EQ(Step(30.0), 1);
    EXPECT_EQ(Step(5000.0), 2);
    world.logoFadeValue = 254;
    EXPECT_EQ(Step(60.0), 255);
    EXPECT_EQ(world.logoPhase, 1);
    EXPECT_EQ(Step(900.0), 255);
    EXPECT_EQ(world.logoPhase, 1);
    EXPECT_EQ(Step(200.0), 255);
    EXPECT_EQ(world.logoPhase, 2);
}

// Every logo keeps its own times, whatever the one before it took: with
// frames of 10 ms, each fade-in step, the hold and each fade-out step last the
// whole frames that reach past their time, counted anew for each logo.
TEST_F(LogoSequenceTest, EachLogoIsShownForItsOwnFullTimes)
{
    struct Times {
        double fadeIn, hold, fadeOut; // seconds
        int inFrames, holdFrames, outFrames; // frames of 10 ms they take
    };
    const Times slow { 0.025, 0.105, 0.015, 3, 11, 2 };
    const Times quick { 0.005, 0.255, 0.035, 1, 26, 4 };
    for (const auto& order : { std::pair { slow, quick }, std::pair { quick, slow } }) {
        SCOPED_TRACE(order.first.inFrames);
        const Times times[2] = { order.first, order.second };
        world.logoIndex = world.logoPhase = world.logoFadeValue = 0;
        world.logosPresent = 1, world.loadingPhase = 0;
        for (int i = 0; i < 2; ++i) {
            world.logoFadeInStep[i] = times[i].fadeIn;
            world.logoHoldTime[i] = times[i].hold;
            world.logoFadeOutStep[i] = times[i].fadeOut;
        }
        state.Init(nullptr);
        // Runs of (logo, alpha drawn) and how many frames each lasted.
        using Run = std::tuple<int, int, int>;
        std::vector<Run> expected;
        const auto add = [&expected](int logo, int alpha, int frames) {
            if (frames > 0)
                expected.emplace_back(logo, alpha, frames);
        };
        for (int i = 0; i < 2; ++i) {
            const Times& t = times[i];
            add(i, 0, t.inFrames - 1);
            for (int a = 1; a < 255; ++a)
                add(i, a, t.inFrames);
            add(i, 255, 1 + t.holdFrames + t.outFrames - 1);
            for (int a = 253; a > 0; a -= 2)
                add(i, a, t.outFrames);
            add(i, 0, 1);
        }
        std::vector<Run> drawn;
        for (int frame = 0; world.logosPresent && frame < 5000; ++frame) {
            const int logo = world.logoIndex;
            const int alpha = Step(10.0);
            if (!drawn.empty() && std::get<0>(drawn.back()) == logo && std::get<1>(drawn.back()) == alpha)
                ++std::get<2>(drawn.back());
            else
                drawn.emplace_back(logo, alpha, 1);
        }
        EXPECT_EQ(drawn, expected);
        EXPECT_EQ(world.loadingPhase, 1);
        state.Exit(nullptr);
    }
}

} // namespace
