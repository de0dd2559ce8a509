// The game clock: counts the seconds of play and raises the Story flag
// "new_minute" once per second while the game runs (a script's game minute is
// one second of play), steps an in-game calendar at the world's calendarStep
// and counts whole real minutes. Its timers read the frame clock, so it moves
// with the steady clock and tests can drive it by hand.
#pragma once

#include <cstdint>

#include "app/clock.h"

class cGameClock {
public:
    static cGameClock& Instance();

    cGameClock(const cGameClock&) = delete;
    cGameClock& operator=(const cGameClock&) = delete;

    // The per-frame step: seconds, "new_minute", then the calendar.
    void Update();
    // Called every frame, paused or not: counts one real minute once more than
    // 60 s have passed since the last count.
    void UpdateMinuteCounter();
    // Sets both counters and starts a fresh second (every level start).
    void SetTime(int newMinutes, int newSeconds);
    // Starts the calendar from the start date (fresh level) or from the date
    // shown last. The settings hold no start date of their own, so a fresh
    // level starts from startDate and startYear as they stand.
    void Init();

    double TotalMinutes() const;
    int GetMonth() const { return month; }
    int GetDay() const { return day; }
    int GetHour() const { return hour; }
    int GetMinute() const { return minute; }

    // Steps blendBase towards blendTarget by the world's lightStep.
    uint32_t BlendColor();
    void ClearDateChanged(int, int) { dateChanged = 0; }

    // Tests only: every field back to its construction value, the timers
    // started at the frame clock's current time.
    void ResetToDefaults();

    int seconds = 0; // 0..59 since the last SetTime
    int minutes = 0;
    uint32_t blendTarget = 0xFFFFFFFF;
    uint32_t blendBase = 0xFFFFFFFF;
    uint32_t blendResult = 0;
    int monthLength[13] = {}; // by month number; only Init fills it
    int shownDate[5] = {}; // minute, hour, day, month, weekday of the last step
    int startDate[5] = {};
    int startYear = 0;
    uint8_t dateChanged = 0;
    cTimer calendarTimer;
    cTimer secondTimer;
    cTimer realMinuteTimer;
    cTimer halfSecondTimer;
    float secondAccumulator = 0.0f;
    float realMinuteElapsed = 0.0f;
    int minute = 0; // 0..59
    int hour = 0; // 0..23
    int day = 0; // from 1
    int weekday = 0; // 1..7
    int month = 0; // 0..11
    int year = 0;
    float blendStep[4] = {}; // alpha, red, green, blue
    double spare = 0.0;

private:
    cGameClock() = default;
    void StepCalendar();
};
