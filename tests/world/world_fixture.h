// A fresh world for the record tests: defaults, the 1280-wide layout, the
// game's generator at its first value, a clock driven by hand and the log
// lines of the test collected.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/clock.h"
#include "platform/game_random.h"
#include "platform/time_source.h"
#include "resources/log.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace test {

// The generator's sequence worked out independently, to predict its draws.
class RandModel {
public:
    int operator()()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }

private:
    uint32_t state = 1;
};

// Aborts the test program when the guarded code runs longer than allowed, so
// an endless loop fails instead of hanging the run.
class Watchdog {
public:
    explicit Watchdog(const char* what, int seconds = 5)
        : guard([this, what, seconds] {
            std::unique_lock<std::mutex> lock(mutex);
            if (!cv.wait_for(lock, std::chrono::seconds(seconds), [this] { return done; })) {
                std::fprintf(stderr, "Watchdog: \"%s\" ran longer than %d s\n", what, seconds);
                std::abort();
            }
        })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            done = true;
        }
        cv.notify_one();
        guard.join();
    }

private:
    std::mutex mutex;
    std::condition_variable cv;
    bool done = false;
    std::thread guard;
};

class WorldRecords : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.ResetToDefaults();
        cSettings::Instance().SetResolution(1280, 1024);
        world.ComputeLayout();
        platform::GameSrand(1);
        platform::SetTimeSourceForTests([this] { return now; });
        g_pClock->Reset();
        cLog::Instance().SetObserver([this](const wchar_t* kind, const std::wstring& message) {
            logged.push_back(std::wstring(kind) + L": " + message);
        });
    }
    void TearDown() override
    {
        cLog::Instance().SetObserver(nullptr);
        platform::SetTimeSourceForTests(nullptr);
        cGameWorld::SetMouseSource(nullptr);
        world.ResetToDefaults();
    }

    // Moves the frame clock on by this many seconds.
    void Tick(double seconds)
    {
        now += seconds * 1000.0;
        g_pClock->Update();
    }

    bool LoggedContaining(const std::wstring& text) const
    {
        for (const std::wstring& line : logged) {
            if (line.find(text) != std::wstring::npos)
                return true;
        }
        return false;
    }

    cGameWorld& world = cGameWorld::Instance();
    std::vector<std::wstring> logged;
    double now = 1000.0;
};

} // namespace test
