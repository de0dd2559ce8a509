// Runs a check in a child process against an X server of its own (Xvfb), so
// that the dummy video the other tests use stays as it is.
#pragma once

#include <csignal>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace test {

// The child's exit status (128 + the signal when it was killed), or nothing
// when there is no Xvfb or it did not start within ten seconds.
inline std::optional<int> RunOnPrivateDisplay(int (*check)(const std::string& display))
{
    if (access("/usr/bin/Xvfb", X_OK) != 0)
        return std::nullopt;
    int ready[2];
    if (pipe(ready) != 0)
        return std::nullopt;
    const pid_t server = fork();
    if (server < 0)
        return std::nullopt;
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
    while (poll(&wait, 1, 10000) == 1 && read(ready[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ready[0]);
    if (number.empty()) {
        kill(server, SIGKILL), waitpid(server, nullptr, 0);
        return std::nullopt;
    }
    const pid_t child = fork();
    if (child == 0)
        _exit(check(":" + number));
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    kill(server, SIGTERM), waitpid(server, nullptr, 0);
    if (child < 0)
        return std::nullopt;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace test
