// The sound engine on the dummy audio driver, and without any audio device;
// music that plays to its end, and more effects than there are channels.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "resources/log.h"
#include "sound/sound_engine.h"
#include "support/temp_folder.h"

namespace test {
namespace {

    // A mono 16-bit PCM WAV file of silence.
    std::string WriteWav(const std::string& path, int milliseconds)
    {
        const uint32_t rate = 22050, samples = rate * static_cast<uint32_t>(milliseconds) / 1000;
        std::string bytes;
        auto put = [&](uint32_t v, int size) {
            for (int i = 0; i < size; ++i)
                bytes += static_cast<char>(v >> (8 * i));
        };
        bytes += "RIFF";
        put(36 + samples * 2, 4);
        bytes += "WAVEfmt ";
        for (uint32_t v : { 16u, 1u << 16 | 1u, rate, rate * 2, 16u << 16 | 2u, 0x61746164u, samples * 2 })
            put(v, 4);
        std::ofstream(path, std::ios::binary) << bytes << std::string(samples * 2, '\0');
        return path;
    }

    // Waits (on the real clock: the mixer plays in real time) until the sound ends.
    bool FinishesWithin(iSoundInstance* sound, int milliseconds)
    {
        for (int waited = 0; !sound->IsFinished() && waited < milliseconds; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return sound->IsFinished();
    }

    TEST(SoundEngine, EffectsPlayOnChannelsOfTheirOwnMusicOneAtATime)
    {
        TempFolder folder;
        std::unique_ptr<iSoundEngine> engine(CreateSoundEngine());
        ASSERT_TRUE(engine) << "the dummy audio driver should always open";
        const std::string blip = WriteWav(folder / "blip.wav", 40), hum = WriteWav(folder / "hum.wav", 3000);
        // Played twice, from the kept samples, a short effect ends both times.
        for (int i = 0; i < 2; ++i) {
            iSoundInstance* sound = engine->Play2D(blip.c_str());
            ASSERT_NE(sound, nullptr);
            EXPECT_TRUE(FinishesWithin(sound, 3000));
            sound->Release();
        }
        std::vector<iSoundInstance*> effects;
        for (int i = 0; i < 40; ++i) {
            effects.push_back(engine->Play2D(hum.c_str()));
            ASSERT_NE(effects.back(), nullptr) << i;
        }
        effects[0]->Stop();
        effects[0]->Release();
        // The freed channel goes to the next effect; the old one is not confused with it.
        effects[0] = engine->Play2D(hum.c_str());
        effects[1]->Stop();
        for (size_t i = 0; i < effects.size(); ++i) {
            EXPECT_EQ(effects[i]->IsFinished(), i == 1) << i;
            effects[i]->Stop();
            effects[i]->Release();
        }

        iSoundInstance* first = engine->Play2D(WriteWav(folder / "a.ogg", 3000).c_str());
        ASSERT_NE(first, nullptr);
        first->SetVolume(0.5f);
        iSoundInstance* second = engine->Play2D(WriteWav(folder / "b.ogg", 3000).c_str());
        ASSERT_NE(second, nullptr);
        EXPECT_TRUE(first->IsFinished()); // the new music replaced it
        first->SetVolume(0.0f); // the old object no longer turns the music
        EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME / 2);
        first->Stop();
        EXPECT_FALSE(second->IsFinished());
        first->Release();
        for (auto [volume, expected] :
            { std::pair { 2.5f, MIX_MAX_VOLUME }, { -1.0f, 0 }, { NAN, 0 }, { 0.25f, 32 } }) {
            second->SetVolume(volume);
            EXPECT_EQ(Mix_VolumeMusic(-1), expected) << volume;
        }
        second->Stop();
        EXPECT_TRUE(second->IsFinished());
        second->Release();

        std::ofstream(folder / "notes.wav") << "not a sound";
        for (std::string path : { std::string(), std::string("missing.ogg"), folder / "notes.wav" })
            EXPECT_EQ(engine->Play2D(path.c_str()), nullptr) << path;
        EXPECT_EQ(engine->Play2D(nullptr), nullptr);
    }

    TEST(SoundEngine, WithoutAnAudioDeviceThereIsNoEngine)
    {
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        int errors = 0;
        cLog::Instance().SetObserver(
            [&](const wchar_t* kind, const std::wstring&) { errors += kind == std::wstring(L"error"); });
        EXPECT_EQ(CreateSoundEngine(), nullptr);
        cLog::Instance().SetObserver(nullptr);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        EXPECT_EQ(errors, 1);
        EXPECT_NE(std::unique_ptr<iSoundEngine>(CreateSoundEngine()), nullptr); // the device is back
    }

    // A short music ends by itself and says so; the music after it is not
    // taken for ended by that.
    TEST(SoundLimits, MusicThatPlaysToItsEndReportsFinished)
    {
        TempFolder folder;
        std::unique_ptr<iSoundEngine> engine(CreateSoundEngine());
        ASSERT_TRUE(engine);
        iSoundInstance* jingle = engine->Play2D(WriteWav(folder / "jingle.ogg", 40).c_str());
        ASSERT_NE(jingle, nullptr);
        EXPECT_TRUE(FinishesWithin(jingle, 3000));
        iSoundInstance* song = engine->Play2D(WriteWav(folder / "song.ogg", 3000).c_str());
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
        const std::string hum = WriteWav(folder / "hum.wav", 5000);
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
