#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/single_instance.h"
#include "support/temp_folder.h"

using namespace platform;

namespace {

// Runs the child and gives its exit code, or -1 when it is still running
// after the limit (it is killed then) or did not exit normally.
int RunChild(const std::function<void()>& child, std::chrono::milliseconds limit)
{
    const pid_t pid = fork();
    if (pid == 0) {
        child();
        _exit(127);
    }
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) != pid) {
        if (std::chrono::steady_clock::now() - start > limit) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Puts the variables the test changes back as they were.
struct SavedEnvironment {
    const char* names[3] = { "XDG_RUNTIME_DIR", "XDG_DATA_HOME", "TMPDIR" };
    std::string values[3];
    bool had[3] = {};
    SavedEnvironment()
    {
        for (int i = 0; i < 3; ++i)
            if ((had[i] = std::getenv(names[i]) != nullptr))
                values[i] = std::getenv(names[i]);
    }
    ~SavedEnvironment()
    {
        for (int i = 0; i < 3; ++i)
            had[i] ? setenv(names[i], values[i].c_str(), 1) : unsetenv(names[i]);
    }
};

int TryLockInChild(const std::string& name)
{
    return RunChild([&] { _exit(static_cast<int>(InstanceLock().Acquire(name))); }, std::chrono::seconds(10));
}

TEST(SingleInstance, OneHolderAtATimeUntilItLetsGoAndTheGameSecondStartExitsAtOnce)
{
    const SavedEnvironment saved;
    test::TempFolder folder, userData;
    setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
    setenv("XDG_DATA_HOME", userData.Path().c_str(), 1);
    EXPECT_EQ(InstanceLockPath("MyApp1.0"), folder / "MyApp1.0.lock");
    InstanceLock first;
    ASSERT_EQ(first.Acquire("MyApp1.0"), InstanceLockResult::Acquired);
    EXPECT_EQ(first.Acquire("MyApp1.0"), InstanceLockResult::Acquired); // already ours
    InstanceLock second;
    EXPECT_EQ(second.Acquire("MyApp1.0"), InstanceLockResult::HeldElsewhere);
    EXPECT_EQ(TryLockInChild("MyApp1.0"), static_cast<int>(InstanceLockResult::HeldElsewhere));
    EXPECT_EQ(TryLockInChild("OtherName"), static_cast<int>(InstanceLockResult::Acquired));

    // The program itself leaves at once with 0, before it makes its user
    // folder, log or window.
    const std::string output = folder / "output.txt";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunChild([&] {
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 1);
        dup2(fd, 2);
        execl("./vandrel", "vandrel", static_cast<char*>(nullptr));
    }, std::chrono::seconds(20)), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(std::filesystem::is_empty(userData.Path()));
    EXPECT_EQ(std::filesystem::file_size(output), 0u) << "the second start logged something";

    first.Release();
    EXPECT_EQ(TryLockInChild("MyApp1.0"), static_cast<int>(InstanceLockResult::Acquired));
    EXPECT_EQ(second.Acquire("MyApp1.0"), InstanceLockResult::Acquired); // the child's lock went with it

    setenv("XDG_RUNTIME_DIR", "/nonexistent-folder/for/the/lock", 1);
    EXPECT_EQ(InstanceLock().Acquire("MyApp1.0"), InstanceLockResult::Unavailable);
    setenv("XDG_RUNTIME_DIR", "relative/folder", 1);
    setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(InstanceLockPath("MyApp1.0"), "/var/tmp/MyApp1.0.lock");
    unsetenv("XDG_RUNTIME_DIR");
    unsetenv("TMPDIR");
    EXPECT_EQ(InstanceLockPath("MyApp1.0"), "/tmp/MyApp1.0.lock");
}

} // namespace
