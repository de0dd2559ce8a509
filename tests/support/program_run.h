// The game's program started as a player starts it, in the background, with
// environment variables of the test's choosing, its standard error kept in a
// file. The process is ended (SIGKILL) if the test leaves it running.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <sys/types.h>

namespace test {

class ProgramRun {
public:
    // Starts `program` with the test's environment plus `environment` (a
    // variable set to "" is removed), standard error to `stderrFile`. A
    // failed fork fails the test.
    ProgramRun(const std::string& program, const std::map<std::string, std::string>& environment,
        const std::string& stderrFile);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Waits up to `seconds` for the program to end: its exit code, or -1 when
    // it is still running or did not exit normally.
    int WaitForExit(double seconds);
    // Waits up to `seconds` until the game's log `log` (log.xml, UTF-16)
    // holds `text` (ASCII without markup characters): false when the program
    // ends or the time runs out first.
    bool WaitForLog(const std::string& log, const std::string& text, double seconds);
    // Sends SIGTERM, as a session's end does, and waits for the exit code;
    // first it waits until the log `log` says the game runs its loop, which
    // takes the request at its next frame. Before then the game is still
    // starting and cannot answer, and on a busy machine its start can outlast
    // the quit watchdog's grace, which would end it instead. A game that does
    // not get there within a minute fails the test.
    int Terminate(const std::string& log);
    bool Running() const { return m_pid > 0; }

private:
    pid_t m_pid = -1;
    int m_exitCode = -1;
};

// Waits up to `seconds` until every one of the paths exists.
bool WaitForFiles(std::initializer_list<std::string> paths, double seconds);

} // namespace test
