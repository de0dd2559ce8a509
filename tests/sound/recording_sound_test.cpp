// The recording sound engine other modules' tests play into.
#include <gtest/gtest.h>

#include "support/recording_sound.h"

namespace test {
namespace {

    TEST(RecordingSoundEngine, RecordsPlaysAndCatchesLateUse)
    {
        RecordingSoundEngine engine;
        engine.missing.insert("data/sound/wav/missing.wav");
        iSoundEngine* sound = &engine;
        EXPECT_EQ(sound->Play2D("data/sound/wav/missing.wav"), nullptr);
        EXPECT_EQ(sound->Play2D(nullptr), nullptr);
        iSoundInstance* music = sound->Play2D("data/sound/music/start.ogg");
        ASSERT_NE(music, nullptr);
        EXPECT_EQ(engine.played,
            (std::vector<std::string> { "data/sound/wav/missing.wav", "", "data/sound/music/start.ogg" }));
        music->SetVolume(0.5f);
        EXPECT_FALSE(music->IsFinished());
        music->Stop();
        EXPECT_TRUE(music->IsFinished());
        EXPECT_EQ(engine.Unreleased(), 1);
        music->Release();
        EXPECT_EQ(engine.Unreleased(), 0);
        EXPECT_FALSE(engine.Last()->usedAfterRelease);
        music->SetVolume(0.0f);
        EXPECT_TRUE(engine.Last()->usedAfterRelease);
        EXPECT_EQ(engine.Last()->volumes, (std::vector<float> { 0.5f, 0.0f }));
    }

} // namespace
} // namespace test
