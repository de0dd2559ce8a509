#include "support/recording_sound.h"

namespace test {

void RecordingSound::Stop()
{
    usedAfterRelease = usedAfterRelease || releases > 0;
    ++stops;
    finished = true;
}

void RecordingSound::SetVolume(float volume)
{
    usedAfterRelease = usedAfterRelease || releases > 0;
    volumes.push_back(volume);
}

bool RecordingSound::IsFinished()
{
    usedAfterRelease = usedAfterRelease || releases > 0;
    return finished;
}

void RecordingSound::Release()
{
    usedAfterRelease = usedAfterRelease || releases > 0;
    ++releases;
}

iSoundInstance* RecordingSoundEngine::Play2D(const char* path)
{
    played.push_back(path ? path : "");
    if (!path || allMissing || missing.count(path))
        return nullptr;
    sounds.push_back(std::make_unique<RecordingSound>(path));
    return sounds.back().get();
}

int RecordingSoundEngine::Unreleased() const
{
    int count = 0;
    for (const auto& sound : sounds)
        count += sound->releases == 0 ? 1 : 0;
    return count;
}

} // namespace test
