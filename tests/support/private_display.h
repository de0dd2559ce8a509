// Runs a check in a child process against an X server of its own (Xvfb), so
// that the dummy video the other tests use stays as it is.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "support/child_process.h"

namespace test {

// The child's exit status in `status` (128 + the signal when it was killed).
// Only where no X server is installed (no /usr/bin/Xvfb) is it left empty, for
// the test to skip. Where one is, a display that cannot be had (a pipe or a
// fork that fails, a server that gives no display within 30 s) is a fatal
// failure saying why, never a skip; call it under ASSERT_NO_FATAL_FAILURE.
inline void RunOnPrivateDisplay(std::optional<int>& status, int (*check)(const std::string& display))
{
    if (access("/usr/bin/Xvfb", X_OK) != 0)
        return;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0) << "pipe: " << std::strerror(errno);
    std::fflush(nullptr);
    const pid_t server = fork();
    if (server < 0) {
        const int error = errno;
        close(ready[0]), close(ready[1]);
        FAIL() << "fork for Xvfb: " << std::strerror(error);
    }
    if (server == 0) {
        close(ready[0]);
        const std::string fd = std::to_string(ready[1]);
        execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "320x240x24", "-nolisten", "tcp",
            static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    std::string number;
    pollfd wait { ready[0], POLLIN, 0 };
    char c = 0;
    int polled = 0;
    while ((polled = poll(&wait, 1, 30000)) == 1 && read(ready[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ready[0]);
    if (number.empty()) {
        // Silent for 30 s: the server hangs. Else it ended by itself (127: it
        // could not be started), having said why on standard error.
        const bool hung = polled != 1;
        if (hung)
            kill(server, SIGKILL);
        int ended = 0;
        waitpid(server, &ended, 0);
        std::string why = "none came within 30 s";
        if (!hung && WIFEXITED(ended))
            why = "it ended with exit code " + std::to_string(WEXITSTATUS(ended));
        else if (!hung)
            why = "it was ended by signal " + std::to_string(WTERMSIG(ended));
        FAIL() << "Xvfb gave no display: " << why;
    }
    // The server goes however the check ends.
    struct Server {
        pid_t pid;
        ~Server() { kill(pid, SIGTERM), waitpid(pid, nullptr, 0); }
    } running { server };
    int checked = 0;
    ASSERT_NO_FATAL_FAILURE(RunChild(
        checked, [&] { _exit(check(":" + number)); }, 120.0));
    status = WIFEXITED(checked) ? WEXITSTATUS(checked) : 128 + WTERMSIG(checked);
}

} // namespace test
