// Monotonic wall-clock time for the frame clock and every timer. Tests replace
// the source to drive time by hand.
#pragma once

#include <functional>

namespace platform {

// Milliseconds since the program started, as the frame clock samples them.
double NowMilliseconds();

// Replaces the time source; an empty function restores the steady clock.
void SetTimeSourceForTests(std::function<double()> source);

} // namespace platform
