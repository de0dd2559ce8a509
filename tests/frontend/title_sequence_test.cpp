// The edges of the run's opening: a logo list that no longer holds the logo
// being shown ends the logos and starts the loading at once; the title music
// waits for sound while muted or without a sound engine, starts once, and
// first gives back a stream still held (a level's music).
#include <gtest/gtest.h>

#include "frontend/menu_state_fixture.h"
#include "world/world_sizes.h"

namespace {

using LogoListTest = test::HudTest;

TEST_F(LogoListTest, ALogoOutsideTheListEndsTheLogosAndStartsTheLoading)
{
    const struct {
        const char* what;
        int index;
        int count;
        bool goesOn;
    } cases[] = {
        { "the last of the list", 1, 2, true },
        { "the last a list can hold", world::kLogos - 1, world::kLogos, true },
        { "one past the list", 2, 2, false },
        { "the list emptied", 0, 0, false },
        { "before the list", -1, 2, false },
        { "one past what a list can hold", world::kLogos, world::kLogos + 1, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        cStateMenu state;
        world.logoIndex = c.index;
        world.logoCount = c.count;
        world.logoPhase = 1;
        world.logoFadeValue = 255;
        world.logosPresent = 1;
        world.loadingPhase = 0;
        gfx.ClearRecords();
        Wait(1);
        state.UpdateLogos();
        EXPECT_EQ(world.logosPresent, c.goesOn ? 1 : 0);
        EXPECT_EQ(world.loadingPhase, c.goesOn ? 0 : 1);
        EXPECT_EQ(world.logoIndex, c.index) << "the sequence does not step past its end";
        state.Exit(nullptr);
    }
}

class TitleMusicTest : public test::MenuStateTest {
protected:
    void SetUp() override
    {
        test::MenuStateTest::SetUp();
        MakeScreens();
        world.logosPresent = 0;
        world.loadingPhase = 1;
        state.Init(nullptr);
    }
};

TEST_F(TitleMusicTest, TheMusicWaitsForSoundStartsOnceAndGivesBackALevelsStreamFirst)
{
    test::RecordingSoundEngine other;
    iSoundInstance* levelMusic = other.Play2D("data/sound/music/europe.ogg");
    const struct {
        const char* what;
        bool mute;
        bool engine;
        bool startsNow;
    } frames[] = {
        { "muted", true, true, false },
        { "without a sound engine", false, false, false },
        { "muted, still without one", true, false, false },
        { "sound at last", false, true, true },
        { "the next loading frame", false, true, false },
        { "muted afterwards", true, true, false },
    };
    world.musicStream = levelMusic;
    for (const auto& f : frames) {
        SCOPED_TRACE(f.what);
        ASSERT_EQ(world.loadingPhase, 1) << "each frame is a loading frame";
        cSettings::Instance().mute = f.mute ? 1 : 0;
        world.soundEngine = f.engine ? &sound : nullptr;
        const std::size_t before = sound.played.size();
        const bool startedBefore = world.startMusicStarted != 0;
        Wait(17);
        state.Update(nullptr);
        EXPECT_EQ(sound.played.size() - before, f.startsNow ? 1u : 0u);
        EXPECT_EQ(world.startMusicStarted, f.startsNow || startedBefore ? 1 : 0);
    }
    world.soundEngine = &sound;
    ASSERT_EQ(sound.played, std::vector<std::string> { "data/sound/music/start.ogg" });
    EXPECT_EQ(world.musicStream, sound.Last()) << "the title music is the music now";
    EXPECT_EQ(sound.Last()->stops, 0);
    EXPECT_EQ(sound.Last()->releases, 0);
    const test::RecordingSound* held = other.Last();
    EXPECT_EQ(held->stops, 1) << "the level's music stopped";
    EXPECT_EQ(held->releases, 1) << "and given back, once";
    EXPECT_FALSE(held->usedAfterRelease);
}

// Without a stream held there is nothing to give back: the title music
// simply starts.
TEST_F(TitleMusicTest, WithoutAStreamHeldTheTitleMusicSimplyStarts)
{
    Wait(17);
    state.Update(nullptr);
    ASSERT_EQ(sound.played, std::vector<std::string> { "data/sound/music/start.ogg" });
    EXPECT_EQ(world.musicStream, sound.Last());
    EXPECT_EQ(sound.Unreleased(), 1);
}

} // namespace
