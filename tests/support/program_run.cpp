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
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace test {

namespace {

    // Whether the game's log (UTF-16) holds the ASCII `text`.
    std::function<bool()> LogHolds(const std::string& log, const std::string& text)
    {
        std::string wide;
        for (const char c : text)
            wide += { c, '\0' };
        return [log, wide] {
            std::ifstream in(log, std::ios::binary);
            return std::string((std::istreambuf_iterator<char>(in)), {}).find(wide) != std::string::npos;
        };
    }

} // namespace

ProgramRun::ProgramRun(
    const std::string& program, const std::map<std::string, std::string>& environment, const std::string& stderrFile)
    : m_stderrFile(stderrFile)
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
        if (waitpid(m_pid, &m_status, WNOHANG) == m_pid) {
            m_pid = -1;
            break;
        }
        if (std::chrono::steady_clock::now() > end)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
}

std::string ProgramRun::Ending() const
{
    if (Running())
        return "still running";
    if (WIFEXITED(m_status))
        return "exit code " + std::to_string(WEXITSTATUS(m_status));
    return "signal " + std::to_string(WTERMSIG(m_status)) + " (" + strsignal(WTERMSIG(m_status)) + ")";
}

void ProgramRun::Fail(const std::string& what) const
{
    std::ifstream in(m_stderrFile);
    FAIL() << what << "; on standard error it said:\n" << std::string(std::istreambuf_iterator<char>(in), {});
}

bool ProgramRun::WaitUntil(const std::function<bool()>& seen, const std::string& what, double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        WaitForExit(0.0);
        if (!Running()) {
            Fail("the program ended (" + Ending() + ") while the test waited for " + what);
            return false;
        }
        if (seen())
            return true;
        if (std::chrono::steady_clock::now() > end) {
            std::ostringstream message;
            message << "the test waited " << seconds << " s in vain for " << what;
            Fail(message.str());
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void ProgramRun::WaitForLog(const std::string& log, const std::string& text, double seconds)
{
    WaitUntil(LogHolds(log, text), "\"" + text + "\" in " + log, seconds);
}

void ProgramRun::WaitForFiles(std::initializer_list<std::string> paths, double seconds)
{
    std::string names;
    for (const std::string& path : paths)
        names += (names.empty() ? "" : ", ") + path;
    const auto seen = [&] {
        bool all = true;
        for (const std::string& path : paths) {
            struct stat st { };
            all = all && stat(path.c_str(), &st) == 0;
        }
        return all;
    };
    WaitUntil(seen, "the files " + names, seconds);
}

void ProgramRun::Terminate(const std::string& log)
{
    // Written by cGameApp::Frame once its first frame is through.
    const std::string running = "The game is running";
    if (!WaitUntil(LogHolds(log, running), "\"" + running + "\" in " + log, 60.0))
        return;
    // A game that ends by itself is not ended as a session's end ends it.
    WaitForExit(0.0);
    if (!Running())
        return Fail("the game ended (" + Ending() + ") before the test sent it SIGTERM");
    kill(m_pid, SIGTERM);
    const int code = WaitForExit(10.0);
    if (Running())
        Fail("the game did not end within 10 s of SIGTERM");
    else if (code != 0)
        Fail("the game ended (" + Ending() + ") on SIGTERM, where it ends with exit code 0");
}

} // namespace test
