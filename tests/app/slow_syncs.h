// A slow disk, as a USB stick or a network folder is: every fsync this test
// program makes after a signal waits first. The game's durable writes end in
// fsync, so they are slowed where they are.
#pragma once

namespace test {

// From `signal` on (which then goes on to the handler set before), each sync
// takes `seconds` longer. Once per process.
void SlowSyncsFrom(int signal, double seconds);
// The syncs slowed so far.
int SlowedSyncs();

} // namespace test
