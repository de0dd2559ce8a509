// The sound engine over SDL2_mixer. The mixer's callbacks run on the audio
// thread and only count finished sounds; every sound object reads those
// counts on the main thread.
#include "sound/sound_engine.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <unordered_map>

#include "platform/file_access.h"
#include <vector>

#include "resources/log.h"

namespace {

constexpr int kFirstChannels = 32;
constexpr int kMaxChannels = 256;

// How often each channel and the music have come to an end (played out or
// halted). A sound is finished once the count moved past the value it
// started with.
std::array<std::atomic<uint32_t>, kMaxChannels> g_channelEnds {};
std::atomic<uint32_t> g_musicEnds { 0 };

void OnChannelFinished(int channel)
{
    if (channel >= 0 && channel < kMaxChannels)
        g_channelEnds[static_cast<size_t>(channel)].fetch_add(1);
}

void OnMusicFinished()
{
    g_musicEnds.fetch_add(1);
}

bool HasExtension(const char* path, const char* extension)
{
    size_t n = std::strlen(path);
    size_t e = std::strlen(extension);
    return n >= e && SDL_strcasecmp(path + n - e, extension) == 0;
}

class cSoundEngine;

class cSoundInstance : public iSoundInstance {
public:
    cSoundInstance(cSoundEngine* engine, Mix_Music* music, uint32_t start)
        : m_engine(engine)
        , m_music(music)
        , m_start(start)
    {
    }
    cSoundInstance(cSoundEngine* engine, int channel, uint32_t start)
        : m_engine(engine)
        , m_channel(channel)
        , m_start(start)
    {
    }
    ~cSoundInstance() override
    {
        if (m_music) {
            Mix_FreeMusic(m_music);
        }
    }

    void Stop() override;
    void SetVolume(float volume) override;
    bool IsFinished() override;
    void Release() override;

    bool released = false;

private:
    cSoundEngine* m_engine;
    Mix_Music* m_music = nullptr;
    int m_channel = -1;
    uint32_t m_start;
};

class cSoundEngine : public iSoundEngine {
public:
    ~cSoundEngine() override
    {
        Mix_HaltMusic();
        Mix_HaltChannel(-1);
        Mix_HookMusicFinished(nullptr);
        Mix_ChannelFinished(nullptr);
        for (cSoundInstance* sound : m_sounds)
            delete sound;
        for (auto& [path, chunk] : m_chunks)
            Mix_FreeChunk(chunk);
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        s_alive = false;
    }

    static cSoundEngine* Open()
    {
        if (s_alive) {
            cLog::Instance().Error(L"CreateSoundEngine -> The sound engine exists already");
            return nullptr;
        }
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            cLog::Instance().Error(L"CreateSoundEngine -> No audio device: %s", SDL_GetError());
            return nullptr;
        }
        if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
            cLog::Instance().Error(L"CreateSoundEngine -> Unable to open the audio device: %s", Mix_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return nullptr;
        }
        Mix_Init(MIX_INIT_OGG);
        Mix_AllocateChannels(kFirstChannels);
        Mix_ChannelFinished(OnChannelFinished);
        Mix_HookMusicFinished(OnMusicFinished);
        s_alive = true;
        auto* engine = new cSoundEngine;
        engine->m_channelCount = kFirstChannels;
        engine->LoadEffects(kEffectFolder);
        return engine;
    }

    iSoundInstance* Play2D(const char* path) override
    {
        ReapReleased();
        if (!path || !*path)
            return nullptr;
        cSoundInstance* sound = HasExtension(path, ".ogg") ? PlayMusic(path) : PlayEffect(path);
        if (sound)
            m_sounds.push_back(sound);
        return sound;
    }

    void StopMusicFor(cSoundInstance* sound)
    {
        if (sound == m_music)
            Mix_HaltMusic();
    }

    void SetMusicVolume(cSoundInstance* sound, int volume)
    {
        if (sound == m_music)
            Mix_VolumeMusic(volume);
    }

    // Channel `c` is free once the last sound started on it has ended.
    bool ChannelFree(int c) const
    {
        return !m_channelUsed[static_cast<size_t>(c)]
            || g_channelEnds[static_cast<size_t>(c)].load() != m_channelStart[static_cast<size_t>(c)];
    }

    void ReapReleased()
    {
        for (auto it = m_sounds.begin(); it != m_sounds.end();) {
            cSoundInstance* sound = *it;
            if (sound->released && sound->IsFinished()) {
                if (sound == m_music)
                    m_music = nullptr;
                delete sound;
                it = m_sounds.erase(it);
            } else {
                ++it;
            }
        }
    }

private:
    // The game's effects are few and short: they are decoded when the engine
    // opens, so no frame of play waits for a file the first time one sounds.
    static constexpr const char* kEffectFolder = "data/sound/wav";

    void LoadEffects(const char* folder)
    {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            const std::string path = std::string(folder) + "/" + entry.path().filename().string();
            if (!HasExtension(path.c_str(), ".wav") || m_chunks.count(path))
                continue;
            if (Mix_Chunk* chunk = Mix_LoadWAV(path.c_str()))
                m_chunks.emplace(path, chunk);
        }
    }

    cSoundInstance* PlayMusic(const char* path)
    {
        // The stream is recognised by its bytes, whatever the name says.
        platform::NoteFileAccess();
        SDL_RWops* file = SDL_RWFromFile(path, "rb");
        Mix_Music* music = file ? Mix_LoadMUS_RW(file, 1) : nullptr;
        if (!music)
            return nullptr;
        // One music at a time: the one playing ends here, and its object says so.
        if (m_music && !m_music->IsFinished())
            Mix_HaltMusic();
        uint32_t start = g_musicEnds.load();
        if (Mix_PlayMusic(music, 0) != 0) {
            Mix_FreeMusic(music);
            return nullptr;
        }
        m_music = new cSoundInstance(this, music, start);
        return m_music;
    }

    cSoundInstance* PlayEffect(const char* path)
    {
        // Effects are decoded once and kept, so playing one again reads no file.
        auto found = m_chunks.find(path);
        if (found == m_chunks.end()) {
            platform::NoteFileAccess();
            Mix_Chunk* chunk = Mix_LoadWAV(path);
            if (!chunk)
                return nullptr;
            found = m_chunks.emplace(path, chunk).first;
        }
        int channel = FreeChannel();
        if (channel < 0)
            return nullptr;
        uint32_t start = g_channelEnds[static_cast<size_t>(channel)].load();
        Mix_Volume(channel, MIX_MAX_VOLUME);
        if (Mix_PlayChannel(channel, found->second, 0) != channel)
            return nullptr;
        m_channelUsed[static_cast<size_t>(channel)] = true;
        m_channelStart[static_cast<size_t>(channel)] = start;
        return new cSoundInstance(this, channel, start);
    }

    int FreeChannel()
    {
        for (int c = 0; c < m_channelCount; ++c) {
            if (ChannelFree(c))
                return c;
        }
        if (m_channelCount >= kMaxChannels)
            return -1;
        m_channelCount = Mix_AllocateChannels(std::min(kMaxChannels, m_channelCount * 2));
        return m_channelCount > 0 && ChannelFree(m_channelCount - 1) ? m_channelCount - 1 : -1;
    }

    static inline bool s_alive = false;
    int m_channelCount = 0;
    std::array<bool, kMaxChannels> m_channelUsed {};
    std::array<uint32_t, kMaxChannels> m_channelStart {};
    std::unordered_map<std::string, Mix_Chunk*> m_chunks;
    std::vector<cSoundInstance*> m_sounds;
    cSoundInstance* m_music = nullptr;
};

void cSoundInstance::Stop()
{
    if (IsFinished())
        return;
    if (m_music)
        m_engine->StopMusicFor(this);
    else
        Mix_HaltChannel(m_channel);
}

void cSoundInstance::SetVolume(float volume)
{
    if (!(volume > 0.0f))
        volume = 0.0f;
    int level = static_cast<int>(std::lround(std::min(volume, 1.0f) * MIX_MAX_VOLUME));
    if (IsFinished())
        return;
    if (m_music)
        m_engine->SetMusicVolume(this, level);
    else
        Mix_Volume(m_channel, level);
}

bool cSoundInstance::IsFinished()
{
    uint32_t ends = m_music ? g_musicEnds.load() : g_channelEnds[static_cast<size_t>(m_channel)].load();
    return ends != m_start;
}

void cSoundInstance::Release()
{
    released = true;
    m_engine->ReapReleased();
}

} // namespace

iSoundEngine* CreateSoundEngine()
{
    return cSoundEngine::Open();
}
