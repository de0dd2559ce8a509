// The game's program started as a player starts it, in the background, with
// environment variables of the test's choosing, its standard error kept in a
// file. The process is ended (SIGKILL) if the test leaves it running.
#pragma once

#include <functional>
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
    // it is still running or did not exit normally (`Ending()` tells which).
    int WaitForExit(double seconds);
    // The waits below are for a program that runs on: each fails the test
    // (a fatal failure; call it under ASSERT_NO_FATAL_FAILURE, so that a test
    // of many starts does not wait out each of them) when the program ends
    // first, saying how it ended, or when `seconds` pass first, naming what
    // never came. Either message carries what it said on standard error.
    //
    // Until the game's log `log` (log.xml, UTF-16) holds `text` (ASCII
    // without markup characters).
    void WaitForLog(const std::string& log, const std::string& text, double seconds);
    // Until every one of the paths exists.
    void WaitForFiles(std::initializer_list<std::string> paths, double seconds);
    // Sends SIGTERM, as a session's end does, and waits for the game to end
    // with exit code 0; first it waits until the log `log` says the game runs
    // its loop, which takes the request at its next frame. Before then the
    // game is still starting and cannot answer, and on a busy machine its
    // start can outlast the quit watchdog's grace, which would end it
    // instead. A game that does not get there within a minute, that ends
    // before it is sent the signal, or that ends on it otherwise than with 0
    // fails the test as the waits above do.
    void Terminate(const std::string& log);
    bool Running() const { return m_pid > 0; }
    // How the program ended: "exit code 1", "signal 6 (Aborted)", or
    // "still running".
    std::string Ending() const;

private:
    // Polls `seen` until it holds: true then; false, with the test failed,
    // when the program ends first or `seconds` pass first.
    bool WaitUntil(const std::function<bool()>& seen, const std::string& what, double seconds);
    // Fails the test (fatally) with `what`, how the program stands and what
    // it said on standard error.
    void Fail(const std::string& what) const;

    pid_t m_pid = -1;
    int m_status = -1; // as waitpid gives it, once the program has ended
    std::string m_stderrFile;
};

} // namespace test
