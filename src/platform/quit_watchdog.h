// The last word on SIGTERM and SIGINT. SDL turns them into the desktop's quit,
// which the message pump hands to the game; but a game stuck where the loop
// never comes back (a script blocked in a system call: a command it runs, a
// read from a pipe) would never end. Armed once by the program, a watchdog
// thread ends the process when the first of these signals is that long
// unanswered. Player files are written to a temporary file and renamed over
// the old one, so ending the process at any moment leaves each of them whole.
#pragma once

namespace platform {

// Starts the events subsystem (so SDL's own handlers come first and keep
// working), then notes the signals and starts the watchdog. Once per process.
void ArmQuitWatchdog(double graceSeconds);

} // namespace platform
