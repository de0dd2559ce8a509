// The logo sequence before the menu: each logo fades in a step at a time,
// holds, and fades out fully before the next one begins; logos come from loose
// files or from the page set; the last one starts the loading.
#include <gtest/gtest.h>

#include <fstream>
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

} // namespace
