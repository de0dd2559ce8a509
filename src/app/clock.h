// The frame clock: one program-wide time in seconds that advances once per
// frame, so every timer sees the same time within a frame; and the timer
// built on it.
#pragma once

class cClock {
public:
    static cClock& Instance();

    // Starts counting from 0 at the current time.
    void Reset();
    // Advances the time by the real time since the previous Reset or Update.
    void Update();
    double GetTime() const { return m_totalTime; }

private:
    cClock() = default;
    double m_totalTime = 0.0;
    double m_scale = 0.001; // seconds per time-source tick (milliseconds)
    double m_previous = 0.0;
};

// Every user reads the clock through this pointer; it is set before main runs.
extern cClock* g_pClock;

// A value type embedded in many records: elapsed seconds since its last start.
class cTimer {
public:
    cTimer();
    void Start();
    void Stop();
    void Restart();
    // Seconds since the last Start, whether running or not.
    double Elapsed() const;
    bool IsRunning() const { return m_running != 0; }

private:
    double m_start;
    double m_stop;
    unsigned char m_running = 0;
};
