// The level's time and the sound methods, with a recording sound engine: the
// paths played, the volumes, mute, and the reuse of the 20 effect slots.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scripting/story.h"
#include "scripting/story_method_fixture.h"
#include "world/world_sizes.h"

namespace {

class StoryTimeSound : public test::StoryMethodTest {
protected:
    void SetUp() override
    {
        StoryMethodTest::SetUp();
        cGameWorld& world = cGameWorld::Instance();
        world.soundEngine = &m_engine;
        world.musicPlayVolume = 0.4f;
        world.effectsVolume = 0.7f;
        // The music a level names must be there as a file.
        std::filesystem::create_directories(m_folder / "data/sound/music");
        for (const char* name : { "europe", "snow", "usa" })
            std::ofstream(m_folder / ("data/sound/music/" + std::string(name) + ".ogg")) << "ogg";
    }
    // Log lines of the kind "message" since the last call.
    std::vector<std::wstring> Messages()
    {
        std::vector<std::wstring> lines;
        for (const test::LogLine& line : TakeLog())
            lines.push_back(line.text);
        return lines;
    }

    test::RecordingSoundEngine m_engine;
};

// A level number outside the per-level tables of tries and results is
// simply not helped.
TEST_F(StoryTimeSound, ALevelOutsideTheTablesGetsNoExtraTime)
{
    cGameWorld& world = cGameWorld::Instance();
    for (int level : { 5000, -1 }) {
        world.level = level;
        ASSERT_TRUE(Run("Story:SetTimeForLevel(90)"));
        EXPECT_EQ(world.levelTimeLimit, 90) << level;
    }
}

TEST_F(StoryTimeSound, ClocksAndServiceTimesReadBack)
{
    cGameWorld& world = cGameWorld::Instance();
    world.levelElapsed = 42;
    world.timeLimitMode = 3;
    ASSERT_TRUE(Run("Story:SetProcessTimeInStation(2.5); Story:SetProcessTimeInStack(0.25);"
                    "Story:SpeedAnimationProcess(1.5)"));
    EXPECT_DOUBLE_EQ(world.processTimeInStation, 2.5);
    EXPECT_DOUBLE_EQ(world.processTimeInStack, 0.25);
    EXPECT_DOUBLE_EQ(world.animationSpeed, 1.5);
    ASSERT_TRUE(Holds("Story:GetCurrTime() == 42 and Story:GetCurrentTimerForLevel() == 42"));
    ASSERT_TRUE(Holds("Story:GetTimeLimit() == 3"));
    ASSERT_TRUE(Holds("Story:GetProcessTimeInStation() == 2.5 and Story:GetProcessTimeInStack() == 0.25"));
}

TEST_F(StoryTimeSound, MusicStreamsOneAtATime)
{
    cGameWorld& world = cGameWorld::Instance();
    ASSERT_TRUE(Run("Story:StartMusic('europe')"));
    ASSERT_EQ(m_engine.played, std::vector<std::string> { "data/sound/music/europe.ogg" });
    test::RecordingSound* first = m_engine.Last();
    EXPECT_EQ(world.musicStream, first);
    EXPECT_EQ(first->volumes, std::vector<float> { 0.4f });
    ASSERT_TRUE(Holds("Story:MusicPlay() == true"));

    // New music stops and gives back the old stream first.
    ASSERT_TRUE(Run("Story:StartMusic('snow')"));
    EXPECT_EQ(first->stops, 1);
    EXPECT_EQ(first->releases, 1);
    test::RecordingSound* second = m_engine.Last();
    EXPECT_EQ(world.musicStream, second);

    // A stream that ended stays for the next StartMusic to give back.
    second->finished = true;
    ASSERT_TRUE(Holds("Story:MusicPlay() == false"));
    ASSERT_TRUE(Run("Story:StopMusic()"));
    EXPECT_EQ(world.musicStream, second);
    EXPECT_EQ(second->releases, 0);
    ASSERT_TRUE(Run("Story:StartMusic('usa')"));
    EXPECT_EQ(second->releases, 1);

    // A playing stream is stopped, given back and forgotten.
    test::RecordingSound* third = m_engine.Last();
    ASSERT_TRUE(Run("Story:StopMusic()"));
    EXPECT_EQ(third->stops, 1);
    EXPECT_EQ(third->releases, 1);
    EXPECT_EQ(world.musicStream, nullptr);
    ASSERT_TRUE(Run("Story:StopMusic()")); // nothing left to stop
    for (const auto& sound : m_engine.sounds)
        EXPECT_FALSE(sound->usedAfterRelease) << sound->path;
    EXPECT_EQ(m_engine.Unreleased(), 0);
}

TEST_F(StoryTimeSound, MuteAndAMissingEngineOrFilePlayNothing)
{
    cGameWorld& world = cGameWorld::Instance();
    ASSERT_TRUE(Run("Story:StartMusic('europe')"));
    test::RecordingSound* playing = m_engine.Last();
    cSettings::Instance().mute = 1;
    ASSERT_TRUE(Run("Story:StartMusic('snow'); Story:StartSound(0)"));
    EXPECT_EQ(m_engine.played.size(), 1u);
    EXPECT_EQ(world.musicStream, playing); // mute keeps the current stream
    EXPECT_EQ(playing->stops, 0);

    cSettings::Instance().mute = 0;
    world.soundEngine = nullptr;
    ASSERT_TRUE(Run("Story:StartMusic('snow'); Story:StartSound(0)"));
    EXPECT_EQ(m_engine.played.size(), 1u);

    world.soundEngine = &m_engine;
    m_engine.missing = { "data/sound/music/nope.ogg", "data/sound/wav/nope.wav" };
    TakeLog();
    ASSERT_TRUE(Run("Story:StartMusic('nope')"));
    EXPECT_EQ(world.musicStream, nullptr);
    EXPECT_EQ(playing->releases, 1);
    Story::Instance().PlaySound("nope");
    EXPECT_EQ(Messages(),
        (std::vector<std::wstring> {
            L"music file data/sound/music/nope.ogg...", L"sound file data/sound/wav/nope.wav not found ..." }));
    for (iSoundInstance* slot : world.effectSounds)
        EXPECT_EQ(slot, nullptr);
}

TEST_F(StoryTimeSound, SoundCodesPlayTheirFixedEffects)
{
    const struct {
        int code;
        const char* path; // null: nothing plays
    } cases[] = {
        { 0, "data/sound/wav/gong.wav" },
        { 16, "data/sound/wav/gong.wav" },
        { 17, "data/sound/wav/gong.wav" },
        { 11, "data/sound/wav/change_status_timer.wav" },
        { 23, "data/sound/wav/gong_award.wav" },
        { 66, "data/sound/wav/bonus6.wav" },
        { 77, "data/sound/wav/alarmincoming.wav" },
        { 1, nullptr },
        { -1, nullptr },
        { 100000, nullptr },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        m_engine.played.clear();
        ASSERT_TRUE(Run("Story:StartSound(" + std::to_string(c.code) + ")"));
        if (c.path) {
            EXPECT_EQ(m_engine.played, std::vector<std::string> { c.path });
            EXPECT_EQ(m_engine.Last()->volumes, std::vector<float> { 0.7f });
        } else {
            EXPECT_TRUE(m_engine.played.empty());
        }
    }
}

TEST_F(StoryTimeSound, TwentyEffectSlotsAreReusedWhenTheirSoundsEnd)
{
    cGameWorld& world = cGameWorld::Instance();
    ASSERT_TRUE(Run("for i = 1, 20 do Story:StartSound(66) end"));
    ASSERT_EQ(m_engine.sounds.size(), 20u);
    for (int i = 0; i < world::kEffectSounds; ++i)
        EXPECT_EQ(world.effectSounds[i], m_engine.sounds[i].get());

    // A 21st while all 20 play is dropped without a word.
    TakeLog();
    ASSERT_TRUE(Run("Story:StartSound(0)"));
    EXPECT_EQ(m_engine.sounds.size(), 20u);
    EXPECT_EQ(m_engine.played.size(), 20u);
    EXPECT_TRUE(TakeLog().empty());

    // Finished sounds are given back and their slots reused, lowest first.
    m_engine.sounds[3]->finished = true;
    m_engine.sounds[12]->finished = true;
    ASSERT_TRUE(Run("Story:StartSound(0)"));
    EXPECT_EQ(m_engine.sounds[3]->releases, 1);
    EXPECT_EQ(m_engine.sounds[12]->releases, 1);
    EXPECT_EQ(world.effectSounds[3], m_engine.Last());
    EXPECT_EQ(m_engine.Last()->path, "data/sound/wav/gong.wav");
    EXPECT_EQ(world.effectSounds[12], nullptr);
    ASSERT_TRUE(Run("Story:StartSound(77)"));
    EXPECT_EQ(world.effectSounds[12], m_engine.Last());
    for (const auto& sound : m_engine.sounds)
        EXPECT_FALSE(sound->usedAfterRelease) << sound->path;
}

} // namespace
