// The last word on the signals that ask the game to end: SIGTERM, SIGINT and
// SIGHUP (the terminal the game was started from closed). SDL turns the first
// two into the desktop's quit, which the message pump hands to the game;
// SIGHUP is made the same quit here. A signal the game was started with
// ignored stays ignored, as a shell leaves SIGINT to a program started with
// `&`, or nohup SIGHUP. A game stuck where the loop never comes back (a
// script blocked in a system call: a command it runs, a read from a pipe)
// would still never end: armed once by the program, a watchdog thread ends
// the process when the first of these signals is that long unanswered.
// Player files are written to a temporary file and renamed over the old one,
// so ending the process at any moment leaves each of them whole; a save of
// several files that belong together holds the end off while it lasts
// (QuitWatchdogHold), up to a bound.
#pragma once

namespace platform {

// A signal the game has not answered after this long ends the process: the
// game must end within two seconds whatever it is doing, unless a save is
// under way, which may keep it up to the bound after the signal.
constexpr double kQuitGraceSeconds = 1.5;
constexpr double kQuitSaveBoundSeconds = 10.0;

// Starts the events subsystem (so SDL's own handlers come first and keep
// working), then notes the signals and starts the watchdog. Once per process.
void ArmQuitWatchdog(double graceSeconds = kQuitGraceSeconds, double saveBoundSeconds = kQuitSaveBoundSeconds);

// While one lives, the watchdog lets the save under way finish: it ends the
// process only once the grace has passed since the signal and since the last
// hold ended, or at the bound after the signal. Nestable, from any thread,
// armed or not.
class QuitWatchdogHold {
public:
    QuitWatchdogHold();
    ~QuitWatchdogHold();
    QuitWatchdogHold(const QuitWatchdogHold&) = delete;
    QuitWatchdogHold& operator=(const QuitWatchdogHold&) = delete;
};

} // namespace platform
