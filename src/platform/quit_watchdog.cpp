#include "platform/quit_watchdog.h"

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <ctime>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

// Monotonic seconds of the first signal, 0 while none came. Written in the
// handler, so only a lock-free atomic and clock_gettime are used there.
std::atomic<double> g_signalledAt { 0.0 };
struct sigaction g_previous[2];
constexpr int kSignals[2] = { SIGTERM, SIGINT };

double MonotonicSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void OnSignal(int signal)
{
    double none = 0.0;
    g_signalledAt.compare_exchange_strong(none, MonotonicSeconds());
    // SDL's handler (or whatever came before) makes it the quit event.
    const int i = signal == SIGTERM ? 0 : 1;
    const auto previous = g_previous[i].sa_handler;
    if (previous != SIG_DFL && previous != SIG_IGN && previous != SIG_ERR)
        previous(signal);
}

void Watch(double graceSeconds)
{
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const double at = g_signalledAt.load();
        if (at == 0.0 || MonotonicSeconds() - at < graceSeconds)
            continue;
        static const char kLine[] = "vandrel: the game did not end after SIGTERM; ending it now\n";
        [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, kLine, sizeof kLine - 1);
        // Ended as the signal itself would end it.
        std::signal(SIGTERM, SIG_DFL);
        std::raise(SIGTERM);
        _exit(143);
    }
}

} // namespace

void ArmQuitWatchdog(double graceSeconds)
{
    static bool armed = false;
    if (armed)
        return;
    armed = true;
    SDL_InitSubSystem(SDL_INIT_EVENTS);
    for (int i = 0; i < 2; ++i) {
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(kSignals[i], &action, &g_previous[i]);
    }
    std::thread(Watch, graceSeconds).detach();
}

} // namespace platform
