// The logo sequence and the title music: fades of one alpha step a frame at
// most, the hold, the fade out by two, logos from loose files or from the
// page set of the placeholder art, and the music that waits for sound.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "frontend/state_menu.h"
#include "scene/hud_fixture.h"

namespace {

class LogoTest : public test::HudTest {
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

TEST_F(LogoTest, ALogoWithoutStepTimesFadesInHoldsForAFrameAndFadesOutByTwo)
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

TEST_F(LogoTest, ALogoWithoutAFileComesFromThePageSetAndTheLastOneStartsLoading)
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

TEST_F(LogoTest, StepTimesHoldTheFadeAndALongFrameStepsOnce)
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

TEST_F(LogoTest, ExitGivesTheTexturesBack)
{
    state.Init(nullptr);
    EXPECT_EQ(gfx.TexturesAlive(), 2); // the loose logo and the page set's page
    state.Exit(nullptr);
    EXPECT_EQ(gfx.TexturesAlive(), 0);
}

TEST_F(LogoTest, AfterTheLogosThePageSetIsNotLoadedAgain)
{
    world.logosPresent = 0;
    state.Init(nullptr);
    EXPECT_EQ(gfx.TexturesAlive(), 1);
}

struct MusicCase {
    const char* what;
    bool mute;
    bool engine;
    int started;
};

TEST_F(LogoTest, TitleMusicStartsOnceUnlessMutedOrWithoutSound)
{
    const MusicCase cases[] = {
        { "sound on", false, true, 1 },
        { "muted", true, true, 0 },
        { "no sound engine", false, false, 0 },
    };
    for (const MusicCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::RecordingSoundEngine engine;
        world.soundEngine = c.engine ? &engine : nullptr;
        world.startMusicStarted = 0;
        world.musicStream = nullptr;
        cSettings::Instance().mute = c.mute;
        state.PlayStartMusic();
        EXPECT_EQ(world.startMusicStarted, c.started);
        if (c.started) {
            EXPECT_EQ(engine.played, std::vector<std::string> { "data/sound/music/start.ogg" });
            EXPECT_EQ(world.musicStream, engine.Last());
        } else {
            EXPECT_TRUE(engine.played.empty());
            EXPECT_EQ(world.musicStream, nullptr);
        }
        world.musicStream = nullptr;
    }
    cSettings::Instance().mute = false;
}

TEST_F(LogoTest, TitleMusicGivesBackAStreamStillHeld)
{
    test::RecordingSoundEngine engine;
    world.soundEngine = &engine;
    iSoundInstance* old = engine.Play2D("data/sound/music/level.ogg");
    world.musicStream = old;
    state.PlayStartMusic();
    EXPECT_EQ(engine.sounds[0]->stops, 1);
    EXPECT_EQ(engine.sounds[0]->releases, 1);
    EXPECT_EQ(engine.Unreleased(), 1);
    world.musicStream = nullptr;
}

} // namespace
