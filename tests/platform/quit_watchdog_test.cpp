// A process stuck where its loop never comes back (here: asleep in a system
// call) still ends soon after SIGTERM, ended by the signal; until then the
// quit request waits for the loop as SDL makes it.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/message_pump.h"
#include "platform/quit_watchdog.h"

namespace {

TEST(QuitWatchdog, EndsAProcessThatDoesNotAnswerSigtermWithinItsGrace)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::ArmQuitWatchdog(0.3);
        std::raise(SIGTERM);
        if (!platform::QuitPending())
            _exit(3);
        for (;;)
            sleep(10); // the stuck game
    }
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(5)) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            FAIL() << "still running 5 s after SIGTERM";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit code " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

} // namespace
