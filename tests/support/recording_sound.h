// A sound engine for tests: it plays nothing and remembers everything. Sounds
// stay owned by the engine after Release, so a test can still look at them;
// a call on a released sound is noted in usedAfterRelease.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sound/sound_engine.h"

namespace test {

class RecordingSound : public iSoundInstance {
public:
    explicit RecordingSound(std::string path)
        : path(std::move(path))
    {
    }
    ~RecordingSound() override = default;

    void Stop() override;
    void SetVolume(float volume) override;
    bool IsFinished() override;
    void Release() override;

    std::string path;
    std::vector<float> volumes; // every SetVolume, in order
    int stops = 0;
    int releases = 0;
    bool finished = false; // set by Stop, or by the test ("the effect ended")
    bool usedAfterRelease = false;
};

class RecordingSoundEngine : public iSoundEngine {
public:
    iSoundInstance* Play2D(const char* path) override;

    // Paths that play nothing (Play2D gives null), as a missing file would.
    std::set<std::string> missing;
    bool allMissing = false;

    std::vector<std::string> played; // every Play2D path, null as ""
    std::vector<std::unique_ptr<RecordingSound>> sounds; // the sounds handed out

    RecordingSound* Last() const { return sounds.empty() ? nullptr : sounds.back().get(); }
    // Sounds handed out and not released: what the caller still holds.
    int Unreleased() const;
};

} // namespace test
