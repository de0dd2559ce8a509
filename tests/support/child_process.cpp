#include "support/child_process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace test {

void RunChild(int& status, const std::function<void()>& body, double seconds)
{
    std::fflush(nullptr);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    const pid_t child = fork();
    ASSERT_NE(child, -1) << "fork: " << std::strerror(errno);
    if (child == 0) {
        body();
        _exit(127);
    }
    pid_t ended = 0;
    while ((ended = waitpid(child, &status, WNOHANG)) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            kill(child, SIGKILL);
            ended = waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_EQ(ended, child) << "waitpid: " << std::strerror(errno);
}

} // namespace test
