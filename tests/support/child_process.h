// A check run in a process of its own, forked from the test.
#pragma once

#include <functional>

namespace test {

// Runs `body` in a child process, which leaves by _exit (or a signal), and
// waits up to `seconds` for it before it is killed (SIGKILL): its wait status
// in `status`. A child that cannot be made or waited for is a fatal failure
// of the test, never an ending that would read as a clean exit; call it under
// ASSERT_NO_FATAL_FAILURE. Output still buffered is flushed first, so that
// the child does not write it again.
void RunChild(int& status, const std::function<void()>& body, double seconds);

} // namespace test
