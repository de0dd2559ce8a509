// The sound engine at its edges: music that plays to its end, and more
// effects at once than there are channels to mix them.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sound/sound_engine.h"
#include "support/temp_folder.h"

namespace test {
namespace {

    // A mono 16-bit PCM WAV file of silence.
    std::string Silence(const std::string& path, int milliseconds)
    {
        const uint32_t rate = 22050, samples = rate * static_cast<uint32_t>(milliseconds) / 1000;
        std::string bytes;
        auto put = [&](uint32_t v) {
            for (int i = 0; i < 4; ++i)
                bytes += static_cast<char>(v >> (8 * i));
        };
        bytes += "RIFF";
        put(36 + samples * 2);
        bytes += "WAVEfmt ";
        for (uint32_t v : { 16u, 1u << 16 | 1u, rate, rate * 2, 16u << 16 | 2u, 0x61746164u, samples * 2 })
            put(v);
        std::ofstream(path, std::ios::binary) << bytes << std::string(samples * 2, '\0');
        return path;
    }

    bool FinishesWithin(iSoundInstance* sound, int milliseconds)
    {
        for (int waited = 0; !sound->IsFinished() && waited < milliseconds; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return sound->IsFinished();
    }

    // A short music ends by itself and says so; the music after it is not
    // taken for ended by that.
    TEST(SoundLimits, MusicThatPlaysToItsEndReportsFinished)
    {
        TempFolder folder;
        std::unique_ptr<iSoundEngine> engine(CreateSoundEngine());
        ASSERT_TRUE(engine);
        iSoundInstance* jingle = engine->Play2D(Silence(folder / "jingle.ogg", 40).c_str());
        ASSERT_NE(jingle, nullptr);
        EXPECT_TRUE(FinishesWithin(jingle, 3000));
        iSoundInstance* song = engine->Play2D(Silence(folder / "song.ogg", 3000).c_str());
        ASSERT_NE(song, nullptr);
        EXPECT_FALSE(song->IsFinished());
        song->Stop();
        EXPECT_TRUE(song->IsFinished());
        jingle->Release();
        song->Release();
    }

    // Effects get channels as they need them, up to 256 at once; one more is
    // refused rather than cutting one off, until one of them ends.
    TEST(SoundLimits, EffectsBeyondTheLastChannelAreRefusedUntilOneEnds)
    {
        TempFolder folder;
        std::unique_ptr<iSoundEngine> engine(CreateSoundEngine());
        ASSERT_TRUE(engine);
        const std::string hum = Silence(folder / "hum.wav", 5000);
        std::vector<iSoundInstance*> effects;
        for (int i = 0; i < 256; ++i) {
            effects.push_back(engine->Play2D(hum.c_str()));
            ASSERT_NE(effects.back(), nullptr) << i;
        }
        EXPECT_EQ(engine->Play2D(hum.c_str()), nullptr);
        for (iSoundInstance* sound : effects)
            EXPECT_FALSE(sound->IsFinished());

        effects[255]->Stop();
        iSoundInstance* next = engine->Play2D(hum.c_str());
        ASSERT_NE(next, nullptr);
        EXPECT_FALSE(next->IsFinished());
        EXPECT_TRUE(effects[255]->IsFinished());
        EXPECT_EQ(engine->Play2D(hum.c_str()), nullptr);
        effects.push_back(next);
        for (iSoundInstance* sound : effects) {
            sound->Stop();
            sound->Release();
        }
    }

} // namespace
} // namespace test
