#include "world/game_clock.h"

#include <algorithm>
#include <memory>

#include "scripting/story.h"
#include "world/game_world.h"

cGameClock& cGameClock::Instance()
{
    static cGameClock clock;
    return clock;
}

void cGameClock::ResetToDefaults()
{
    const std::unique_ptr<cGameClock> fresh(new cGameClock());
    seconds = fresh->seconds;
    minutes = fresh->minutes;
    blendTarget = fresh->blendTarget;
    blendBase = fresh->blendBase;
    blendResult = fresh->blendResult;
    std::copy(std::begin(fresh->monthLength), std::end(fresh->monthLength), monthLength);
    std::copy(std::begin(fresh->shownDate), std::end(fresh->shownDate), shownDate);
    std::copy(std::begin(fresh->startDate), std::end(fresh->startDate), startDate);
    startYear = fresh->startYear;
    dateChanged = fresh->dateChanged;
    calendarTimer = fresh->calendarTimer;
    secondTimer = fresh->secondTimer;
    realMinuteTimer = fresh->realMinuteTimer;
    halfSecondTimer = fresh->halfSecondTimer;
    secondAccumulator = fresh->secondAccumulator;
    realMinuteElapsed = fresh->realMinuteElapsed;
    minute = hour = day = weekday = month = year = 0;
    std::fill(std::begin(blendStep), std::end(blendStep), 0.0f);
    spare = 0.0;
}

void cGameClock::Update()
{
    cGameWorld& world = cGameWorld::Instance();
    const double step = world.calendarStep;
    // A timer started before the frame clock was reset under it (another
    // application object in the same process, as in the tests) reads below
    // zero: it counts nothing rather than holding the seconds back.
    secondAccumulator += static_cast<float>(std::max(secondTimer.Elapsed(), 0.0));

    // A long frame still counts one second: the accumulator starts again from
    // 0 rather than keeping the rest.
    if (secondAccumulator > 1.0f) {
        secondTimer.Restart();
        secondAccumulator = 0.0f;
        ++seconds;
        // The station-building level keeps its minutes while paused.
        if (world.level == 31 || !world.IsPaused()) {
            Story::Instance().SetFlag("new_minute");
            ++world.levelElapsed;
        }
        if (seconds >= 60) {
            seconds -= 60;
            ++minutes;
        }
    }
    // Each call adds the time since the previous call.
    secondTimer.Restart();

    if (calendarTimer.Elapsed() >= step)
        StepCalendar();
}

void cGameClock::StepCalendar()
{
    if (halfSecondTimer.Elapsed() > 0.5)
        halfSecondTimer.Restart();
    calendarTimer.Restart();
    ++minute;
    if (minute >= 60) {
        minute -= 60;
        ++hour;
    }
    if (hour >= 24) {
        hour -= 24;
        ++day;
        if (++weekday > 7)
            weekday = 1;
        monthLength[2] = (year % 4 == 0) ? 29 : 28;
        // A month outside the table (a start date that was never set right)
        // ends at once instead of reading past it.
        const int length = (month >= 0 && month < 13) ? monthLength[month] : 0;
        if (day >= length) {
            day = 1;
            ++month;
            if (month >= 12) {
                month -= 12;
                ++year;
            }
        }
    }
    dateChanged = 1;
    shownDate[0] = minute;
    shownDate[1] = hour;
    shownDate[2] = day;
    shownDate[3] = month;
    shownDate[4] = weekday;
}

void cGameClock::UpdateMinuteCounter()
{
    const double reading = realMinuteTimer.Elapsed();
    if (reading > 60.0) {
        realMinuteTimer.Restart();
        realMinuteElapsed = 0.0f;
        ++cGameWorld::Instance().realMinutesPlayed;
    } else {
        realMinuteElapsed = static_cast<float>(reading);
    }
}

void cGameClock::SetTime(int newMinutes, int newSeconds)
{
    minutes = newMinutes;
    seconds = newSeconds;
    // A new time starts a whole second: what the last level had counted of
    // its unfinished second must not shorten the first second of this one.
    secondTimer.Restart();
    secondAccumulator = 0.0f;
}

void cGameClock::Init()
{
    blendResult = 0xFFFFFFFF;
    if (!cGameWorld::Instance().freshLevel)
        std::copy(std::begin(shownDate), std::end(shownDate), startDate);
    minute = startDate[0];
    hour = startDate[1];
    day = startDate[2];
    month = startDate[3];
    weekday = startDate[4];
    year = startYear;
    static constexpr int kDays[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    std::copy(std::begin(kDays), std::end(kDays), monthLength + 1);
    calendarTimer.Start();
    secondTimer.Start();
    realMinuteTimer.Start();
    halfSecondTimer.Start();
}

double cGameClock::TotalMinutes() const
{
    return GetMonth() * 43200.0 + GetDay() * 1440.0 + GetHour() * 60.0 + GetMinute();
}

uint32_t cGameClock::BlendColor()
{
    cGameWorld& world = cGameWorld::Instance();
    if (blendTarget == blendBase) {
        blendResult = blendTarget;
        world.lightBlending = 0;
        return blendResult;
    }
    world.lightBlending = 1;
    uint32_t result = 0;
    for (int c = 0; c < 4; ++c) {
        const int shift = 24 - 8 * c; // alpha, red, green, blue
        const uint32_t target = (blendTarget >> shift) & 0xFF;
        const uint32_t base = (blendBase >> shift) & 0xFF;
        // The difference is taken unsigned, so a darker target gives a huge
        // step that the limit below turns into 255.
        blendStep[c] = static_cast<float>(static_cast<uint32_t>(target - base) / 15.0);
        double value = world.lightStep * static_cast<double>(blendStep[c]) + base;
        value = std::clamp(value, 0.0, 255.0);
        result |= static_cast<uint32_t>(value) << shift;
    }
    blendResult = result;
    return blendResult;
}
