// The sound engine on the dummy audio driver, and without any audio device.
#include <SDL.h>
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

    // A mono 16-bit PCM WAV file of a 440 Hz tone.
    void WriteWav(const std::string& path, int milliseconds)
    {
        const uint32_t rate = 22050;
        const uint32_t samples = rate * static_cast<uint32_t>(milliseconds) / 1000;
        std::vector<uint8_t> bytes;
        auto u32 = [&](uint32_t v) {
            for (int i = 0; i < 4; ++i)
                bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
        };
        auto u16 = [&](uint16_t v) {
            bytes.push_back(static_cast<uint8_t>(v));
            bytes.push_back(static_cast<uint8_t>(v >> 8));
        };
        auto tag = [&](const char* t) { bytes.insert(bytes.end(), t, t + 4); };
        tag("RIFF");
        u32(36 + samples * 2);
        tag("WAVE");
        tag("fmt ");
        u32(16);
        u16(1);
        u16(1);
        u32(rate);
        u32(rate * 2);
        u16(2);
        u16(16);
        tag("data");
        u32(samples * 2);
        for (uint32_t i = 0; i < samples; ++i)
            u16(static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 2 * M_PI * 440 / rate))));
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // Waits (on the real clock: the mixer plays in real time) until the sound ends.
    bool FinishesWithin(iSoundInstance* sound, int milliseconds)
    {
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < until) {
            if (sound->IsFinished())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return sound->IsFinished();
    }

    class SoundTest : public ::testing::Test {
    protected:
        void SetUp() override
        {
            engine.reset(CreateSoundEngine());
            ASSERT_TRUE(engine) << "the dummy audio driver should always open";
            shortWav = folder / "blip.wav";
            longWav = folder / "hum.wav";
            WriteWav(shortWav, 40);
            WriteWav(longWav, 3000);
            // Music is any stream the mixer reads, named as the game names music.
            musicA = folder / "a.ogg";
            musicB = folder / "b.ogg";
            WriteWav(musicA, 3000);
            WriteWav(musicB, 3000);
        }

        TempFolder folder;
        std::unique_ptr<iSoundEngine> engine;
        std::string shortWav, longWav, musicA, musicB;
    };

    TEST_F(SoundTest, AnEffectPlaysToItsEnd)
    {
        iSoundInstance* sound = engine->Play2D(shortWav.c_str());
        ASSERT_NE(sound, nullptr);
        sound->SetVolume(0.5f);
        EXPECT_TRUE(FinishesWithin(sound, 3000));
        sound->Stop(); // harmless once finished
        sound->SetVolume(1.0f);
        sound->Release();

        // Played again, from the kept samples, it ends again.
        iSoundInstance* again = engine->Play2D(shortWav.c_str());
        ASSERT_NE(again, nullptr);
        EXPECT_TRUE(FinishesWithin(again, 3000));
        again->Release();
    }

    TEST_F(SoundTest, StopEndsASoundAtOnce)
    {
        iSoundInstance* a = engine->Play2D(longWav.c_str());
        iSoundInstance* b = engine->Play2D(longWav.c_str());
        ASSERT_TRUE(a && b);
        EXPECT_FALSE(a->IsFinished());
        a->Stop();
        EXPECT_TRUE(a->IsFinished());
        EXPECT_FALSE(b->IsFinished()); // each effect has its own channel
        a->Release();
        // The freed channel goes to the next effect; the old object is gone and
        // the running one is not confused with it.
        iSoundInstance* c = engine->Play2D(longWav.c_str());
        ASSERT_NE(c, nullptr);
        EXPECT_FALSE(c->IsFinished());
        b->Stop();
        EXPECT_FALSE(c->IsFinished());
        c->Stop();
        EXPECT_TRUE(c->IsFinished());
        b->Release();
        c->Release();
    }

    TEST_F(SoundTest, ManyEffectsAtOnceAllPlay)
    {
        std::vector<iSoundInstance*> sounds;
        for (int i = 0; i < 40; ++i) {
            iSoundInstance* s = engine->Play2D(longWav.c_str());
            ASSERT_NE(s, nullptr) << i;
            sounds.push_back(s);
        }
        for (iSoundInstance* s : sounds) {
            EXPECT_FALSE(s->IsFinished());
            s->Stop();
            s->Release();
        }
    }

    TEST_F(SoundTest, OneMusicAtATime)
    {
        iSoundInstance* first = engine->Play2D(musicA.c_str());
        ASSERT_NE(first, nullptr);
        first->SetVolume(0.5f);
        EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME / 2);
        EXPECT_FALSE(first->IsFinished());

        iSoundInstance* second = engine->Play2D(musicB.c_str());
        ASSERT_NE(second, nullptr);
        EXPECT_TRUE(first->IsFinished()); // the new music replaced it
        EXPECT_FALSE(second->IsFinished());
        first->SetVolume(0.0f); // the old object no longer turns the music
        EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME / 2);
        first->Stop();
        EXPECT_FALSE(second->IsFinished());
        first->Release();

        struct Case {
            float volume;
            int expected;
        } cases[] = { { 1.0f, MIX_MAX_VOLUME }, { 0.0f, 0 }, { 2.5f, MIX_MAX_VOLUME }, { -1.0f, 0 }, { NAN, 0 },
            { 0.25f, 32 } };
        for (const Case& c : cases) {
            second->SetVolume(c.volume);
            EXPECT_EQ(Mix_VolumeMusic(-1), c.expected) << c.volume;
        }
        second->Stop();
        EXPECT_TRUE(second->IsFinished());
        second->Release();
    }

    TEST_F(SoundTest, FilesThatCannotPlayGiveNoSound)
    {
        std::string text = folder / "notes.wav";
        std::ofstream(text) << "not a sound";
        const char* paths[]
            = { nullptr, "", "data/sound/wav/missing.wav", "data/sound/music/missing.ogg", text.c_str() };
        for (const char* path : paths)
            EXPECT_EQ(engine->Play2D(path), nullptr) << (path ? path : "(null)");
    }

    TEST(SoundDevice, WithoutAnAudioDeviceThereIsNoEngine)
    {
        const char* old = std::getenv("SDL_AUDIODRIVER");
        std::string saved = old ? old : "";
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        std::vector<std::wstring> errors;
        cLog::Instance().SetObserver([&](const wchar_t* kind, const std::wstring& message) {
            if (std::wstring(kind) == L"error")
                errors.push_back(message);
        });
        iSoundEngine* engine = CreateSoundEngine();
        cLog::Instance().SetObserver(nullptr);
        if (old)
            setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
        else
            unsetenv("SDL_AUDIODRIVER");
        EXPECT_EQ(engine, nullptr);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(L"CreateSoundEngine"), std::wstring::npos);

        // The device is back: an engine opens again.
        std::unique_ptr<iSoundEngine> later(CreateSoundEngine());
        EXPECT_NE(later, nullptr);
    }

} // namespace
} // namespace test
