// The sound engine as the game calls it: one engine, files played by path,
// each playing file a sound object the caller stops, turns and releases.
// Music (".ogg") streams, one at a time; effects (".wav") play on channels.
#pragma once

class iSoundInstance {
public:
    // Stops the sound at once; it then reports finished.
    virtual void Stop() = 0;
    // 0.0 silent to 1.0 full; values outside are clamped.
    virtual void SetVolume(float volume) = 0;
    virtual bool IsFinished() = 0;
    // Gives the object back; the pointer must not be used afterwards. A sound
    // still playing goes on until it ends.
    virtual void Release() = 0;

protected:
    virtual ~iSoundInstance() = default;
};

class iSoundEngine {
public:
    virtual ~iSoundEngine() = default;
    // Starts the file at once (not looped). Null when it cannot be played.
    virtual iSoundInstance* Play2D(const char* path) = 0;
};

// Null, with a log line, when no audio device opens; the game then plays
// nothing. The engine is kept until the program ends.
iSoundEngine* CreateSoundEngine();
