// A process stuck where its loop never comes back (here: asleep in a system
// call) still ends soon after SIGTERM, SIGINT or SIGHUP, ended by that
// signal; until then the quit request waits for the loop as SDL makes it. A
// signal the process was started with ignored stays ignored, and a save under
// way holds the end off up to the bound.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/message_pump.h"
#include "platform/quit_watchdog.h"
#include "support/child_process.h"

namespace {

constexpr double kGrace = 0.3, kBound = 3.0;

struct Ending {
    int signal = 0; // the signal that ended the process; 0 when it exited
    int code = -1;
    double seconds = 0.0;
};

// Runs `body` in a process of its own, started with the signals as a shell
// leaves them (SIGINT ignored, if asked) and the watchdog armed; `body` ends
// in the stuck game or exits. A process that cannot be started or waited for
// is a fatal failure: its ending would read as a clean exit.
void RunArmed(Ending& ending, const std::function<void()>& body, bool sigintIgnored = false)
{
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    ASSERT_NO_FATAL_FAILURE(test::RunChild(
        status,
        [&] {
            // SDL's handlers stay, once set in this process.
            std::signal(SIGHUP, SIG_DFL);
            struct sigaction sigint { };
            sigaction(SIGINT, nullptr, &sigint);
            if (sigintIgnored || sigint.sa_handler == SIG_IGN)
                std::signal(SIGINT, sigintIgnored ? SIG_IGN : SIG_DFL);
            platform::ArmQuitWatchdog(kGrace, kBound);
            body();
            for (;;)
                sleep(10); // the stuck game
        },
        8.0));
    ending.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ending.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    ending.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(QuitWatchdog, EndsAProcessThatDoesNotAnswerItsSignalWithinItsGrace)
{
    for (const int signal : { SIGTERM, SIGINT, SIGHUP }) {
        SCOPED_TRACE(signal);
        Ending ending;
        ASSERT_NO_FATAL_FAILURE(RunArmed(ending, [signal] {
            std::raise(signal);
            if (!platform::QuitPending())
                _exit(3);
        }));
        EXPECT_EQ(ending.signal, signal) << "exit code " << ending.code;
        EXPECT_GT(ending.seconds, kGrace - 0.05) << "ended before the quit was answered";
        EXPECT_LT(ending.seconds, 2.0);
    }

    // Started with SIGINT ignored: no quit, and the process is left running.
    Ending ending;
    ASSERT_NO_FATAL_FAILURE(RunArmed(
        ending,
        [] {
            std::raise(SIGINT);
            std::this_thread::sleep_for(std::chrono::duration<double>(kGrace + 0.7));
            _exit(platform::QuitPending() ? 3 : 0);
        },
        true));
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.code, 0);
}

TEST(QuitWatchdog, LetsASaveUnderWayFinishUpToItsBound)
{
    // Two nested holds end 0.8 s after the signal: the grace starts over.
    Ending ending;
    ASSERT_NO_FATAL_FAILURE(RunArmed(ending, [] {
        {
            platform::QuitWatchdogHold save;
            platform::QuitWatchdogHold part;
            std::raise(SIGTERM);
            std::this_thread::sleep_for(std::chrono::milliseconds(800));
        }
    }));
    EXPECT_EQ(ending.signal, SIGTERM);
    EXPECT_GT(ending.seconds, 0.8 + kGrace - 0.05);
    EXPECT_LT(ending.seconds, kBound - 0.5);

    // A save that never ends keeps the process only up to the bound.
    ending = {};
    ASSERT_NO_FATAL_FAILURE(RunArmed(ending, [] {
        static platform::QuitWatchdogHold stuck;
        std::raise(SIGTERM);
    }));
    EXPECT_EQ(ending.signal, SIGTERM);
    EXPECT_GT(ending.seconds, kBound - 0.05);
    EXPECT_LT(ending.seconds, kBound + 1.5);
}

} // namespace
