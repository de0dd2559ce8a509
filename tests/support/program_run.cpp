#include "support/program_run.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace test {

ProgramRun::ProgramRun(
    const std::string& program, const std::map<std::string, std::string>& environment, const std::string& stderrFile)
{
    m_pid = fork();
    if (m_pid < 0)
        ADD_FAILURE() << "fork: " << std::strerror(errno);
    if (m_pid != 0)
        return;
    for (const auto& [name, value] : environment) {
        if (value.empty())
            unsetenv(name.c_str());
        else
            setenv(name.c_str(), value.c_str(), 1);
    }
    const int fd = open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, 1);
    dup2(fd, 2);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

ProgramRun::~ProgramRun()
{
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
}

int ProgramRun::WaitForExit(double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (m_pid > 0) {
        int status = 0;
        const pid_t done = waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_pid = -1;
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            break;
        }
        if (std::chrono::steady_clock::now() > end)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return m_exitCode;
}

bool ProgramRun::WaitForLog(const std::string& log, const std::string& text, double seconds)
{
    std::string wide;
    for (const char c : text)
        wide += { c, '\0' };
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        WaitForExit(0.0);
        if (!Running())
            return false;
        std::ifstream in(log, std::ios::binary);
        if (std::string((std::istreambuf_iterator<char>(in)), {}).find(wide) != std::string::npos)
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

int ProgramRun::Terminate(const std::string& log)
{
    // Written by cGameApp::Frame once its first frame is through.
    constexpr double kStartSeconds = 60.0;
    if (!WaitForLog(log, "The game is running", kStartSeconds) && Running())
        ADD_FAILURE() << "the game did not run its loop within " << kStartSeconds
                      << " s (no \"The game is running\" in " << log << ")";
    if (Running())
        kill(m_pid, SIGTERM);
    return WaitForExit(10.0);
}

bool WaitForFiles(std::initializer_list<std::string> paths, double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        bool all = true;
        for (const std::string& path : paths) {
            struct stat st { };
            all = all && stat(path.c_str(), &st) == 0;
        }
        if (all)
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace test
