#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/single_instance.h"
#include "support/temp_folder.h"

using namespace platform;

namespace {

// Runs the child and gives its exit code, or -1 when it did not exit normally
// (an alarm ends it after 20 s, across exec too).
int RunChild(const std::function<void()>& child)
{
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(20);
        child();
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A second start of the game leaves at once with 0, before it makes its user
// folder, log or window.
TEST(SingleInstance, OneHolderAtATimeUntilItLetsGoAndASecondStartOfTheGameExitsAtOnce)
{
    const std::string runtime = std::getenv("XDG_RUNTIME_DIR"), data = std::getenv("XDG_DATA_HOME");
    test::TempFolder folder, userData;
    setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
    setenv("XDG_DATA_HOME", userData.Path().c_str(), 1);
    auto tryLockInChild = [](const char* name) { return RunChild([&] { _exit(int(InstanceLock().Acquire(name))); }); };
    EXPECT_EQ(InstanceLockPath("MyApp1.0"), folder / "MyApp1.0.lock");
    InstanceLock first, second;
    ASSERT_EQ(first.Acquire("MyApp1.0"), InstanceLockResult::Acquired);
    EXPECT_EQ(second.Acquire("MyApp1.0"), InstanceLockResult::HeldElsewhere);
    EXPECT_EQ(tryLockInChild("MyApp1.0"), static_cast<int>(InstanceLockResult::HeldElsewhere));
    EXPECT_EQ(tryLockInChild("OtherName"), static_cast<int>(InstanceLockResult::Acquired));
    const std::string output = folder / "output.txt";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunChild([&] {
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 1), dup2(fd, 2);
        execl("./vandrel", "vandrel", static_cast<char*>(nullptr));
    }), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(std::filesystem::is_empty(userData.Path()));
    EXPECT_EQ(std::filesystem::file_size(output), 0u) << "the second start logged something";
    first.Release();
    EXPECT_EQ(second.Acquire("MyApp1.0"), InstanceLockResult::Acquired);
    setenv("XDG_RUNTIME_DIR", "/nonexistent-folder/for/the/lock", 1);
    EXPECT_EQ(InstanceLock().Acquire("MyApp1.0"), InstanceLockResult::Unavailable);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1), setenv("XDG_DATA_HOME", data.c_str(), 1);
}

} // namespace
