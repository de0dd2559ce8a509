#include "app/slow_syncs.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <dlfcn.h>
#include <thread>

namespace {

std::atomic<double> g_delay { 0.0 }, g_delayFromSignal { 0.0 };
std::atomic<int> g_slowed { 0 };
struct sigaction g_before { };

void OnSignal(int signal)
{
    g_delay.store(g_delayFromSignal.load());
    if (g_before.sa_handler != SIG_DFL && g_before.sa_handler != SIG_IGN)
        g_before.sa_handler(signal);
}

} // namespace

// Defined in the program, this fsync comes before the C library's for every
// caller in it.
extern "C" int fsync(int fd)
{
    static const auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    if (const double delay = g_delay.load(); delay > 0.0) {
        g_slowed.fetch_add(1);
        std::this_thread::sleep_for(std::chrono::duration<double>(delay));
    }
    return real(fd);
}

namespace test {

void SlowSyncsFrom(int signal, double seconds)
{
    g_delayFromSignal.store(seconds);
    struct sigaction action { };
    action.sa_handler = OnSignal;
    sigaction(signal, &action, &g_before);
}

int SlowedSyncs()
{
    return g_slowed.load();
}

} // namespace test
