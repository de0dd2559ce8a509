#include "platform/quit_watchdog.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ctime>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

// Written in the handler and by holds on any thread, so only lock-free
// atomics and clock_gettime are used. The first signal, then the monotonic
// seconds it came (0 while none came); the saves under way and the seconds
// the last one ended.
std::atomic<int> g_signal { 0 };
std::atomic<double> g_signalledAt { 0.0 };
std::atomic<int> g_holds { 0 };
std::atomic<double> g_lastHoldEnded { 0.0 };

constexpr int kSignals[3] = { SIGTERM, SIGINT, SIGHUP };
struct sigaction g_previous[3];

double MonotonicSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Hands the signal to the handler that came before for signal `i`; false
// when there was none.
bool HandOn(int i, int signal)
{
    const auto previous = g_previous[i].sa_handler;
    if (previous == SIG_DFL || previous == SIG_IGN || previous == SIG_ERR)
        return false;
    previous(signal);
    return true;
}

void OnSignal(int signal)
{
    int none = 0;
    if (g_signal.compare_exchange_strong(none, signal))
        g_signalledAt.store(MonotonicSeconds());
    // SDL's handler (or whatever came before) makes it the quit event; SDL
    // makes one only of SIGTERM and SIGINT.
    if (signal == SIGTERM)
        HandOn(0, SIGTERM);
    else if (signal == SIGINT)
        HandOn(1, SIGINT);
    else if (!HandOn(0, SIGTERM))
        HandOn(1, SIGINT);
}

const char* EndLine(int signal)
{
    switch (signal) {
    case SIGINT:
        return "vandrel: the game did not end after SIGINT; ending it now\n";
    case SIGHUP:
        return "vandrel: the game did not end after SIGHUP; ending it now\n";
    default:
        return "vandrel: the game did not end after SIGTERM; ending it now\n";
    }
}

void Watch(double graceSeconds, double saveBoundSeconds)
{
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const double at = g_signalledAt.load();
        if (at == 0.0)
            continue;
        // A save under way holds the end off, and the grace starts over
        // once it is done; neither beyond the bound.
        const double now = MonotonicSeconds();
        const bool waiting = g_holds.load() > 0 || now - std::max(at, g_lastHoldEnded.load()) < graceSeconds;
        if (waiting && now - at < std::max(graceSeconds, saveBoundSeconds))
            continue;
        const int signal = g_signal.load();
        const char* line = EndLine(signal);
        [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, line, std::strlen(line));
        // Ended as the signal itself would end it.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        _exit(128 + signal);
    }
}

} // namespace

QuitWatchdogHold::QuitWatchdogHold()
{
    g_holds.fetch_add(1);
}

QuitWatchdogHold::~QuitWatchdogHold()
{
    g_lastHoldEnded.store(MonotonicSeconds());
    g_holds.fetch_sub(1);
}

void ArmQuitWatchdog(double graceSeconds, double saveBoundSeconds)
{
    static bool armed = false;
    if (armed)
        return;
    armed = true;
    SDL_InitSubSystem(SDL_INIT_EVENTS);
    for (int i = 0; i < 3; ++i) {
        sigaction(kSignals[i], nullptr, &g_previous[i]);
        // An ignored signal stays ignored, as the one who started the game
        // asked.
        if (g_previous[i].sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(kSignals[i], &action, nullptr);
    }
    std::thread(Watch, graceSeconds, saveBoundSeconds).detach();
}

} // namespace platform
