// Built into every test program (not the support library, whose objects are
// linked only when referenced), so that a test program run by itself from a
// shell behaves as under the test runner.
#include <cstdlib>

// The leaks of the system libraries listed in tools/lsan.supp are ignored;
// LSAN_OPTIONS, when set, comes on top.
extern "C" const char* __lsan_default_options();
extern "C" const char* __lsan_default_options()
{
    return "suppressions=" VANDREL_SOURCE_DIR "/tools/lsan.supp:print_suppressions=0";
}

namespace {

// The per-user folder and the lock file go to the build's own folders, never
// to the player's: this runs before any static object of the program is built.
__attribute__((constructor(101))) void UseTheBuildsUserFolders()
{
    setenv("XDG_DATA_HOME", VANDREL_BINARY_DIR "/test-home", 1);
    setenv("XDG_RUNTIME_DIR", VANDREL_BINARY_DIR "/test-run", 1);
}

} // namespace
