#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/single_instance.h"
#include "support/temp_folder.h"

using namespace platform;

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name)) {
            m_old = old;
            m_had = true;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_had)
            setenv(m_name.c_str(), m_old.c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }

private:
    std::string m_name;
    std::string m_old;
    bool m_had = false;
};

// Waits for a child up to the limit; kills it when it takes longer. Returns
// its exit code, or -1 when it had to be killed or did not exit normally.
int WaitForChild(pid_t pid, std::chrono::milliseconds limit, std::chrono::milliseconds* took = nullptr)
{
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (std::chrono::steady_clock::now() - start > limit) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (took)
        *took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A child process that tries the lock and reports what it got as its exit code.
int TryLockInChild(const std::string& name)
{
    const pid_t pid = fork();
    if (pid == 0) {
        InstanceLock lock;
        _exit(static_cast<int>(lock.Acquire(name)));
    }
    return WaitForChild(pid, std::chrono::seconds(10));
}

TEST(SingleInstance, LockFileLivesInTheRuntimeFolderElseTheTemporaryFolder)
{
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/1234/");
        EXPECT_EQ(InstanceLockPath("MyApp1.0"), "/run/user/1234/MyApp1.0.lock");
    }
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", "relative/folder");
        ScopedEnv temp("TMPDIR", "/var/tmp");
        EXPECT_EQ(InstanceLockPath("MyApp1.0"), "/var/tmp/MyApp1.0.lock");
    }
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
        ScopedEnv temp("TMPDIR", nullptr);
        EXPECT_EQ(InstanceLockPath("MyApp1.0"), "/tmp/MyApp1.0.lock");
    }
}

TEST(SingleInstance, OneHolderAtATimeUntilItLetsGo)
{
    test::TempFolder folder;
    ScopedEnv runtime("XDG_RUNTIME_DIR", folder.Path().c_str());
    InstanceLock first;
    ASSERT_EQ(first.Acquire("LockTest"), InstanceLockResult::Acquired);
    EXPECT_TRUE(first.Held());
    EXPECT_EQ(first.Acquire("LockTest"), InstanceLockResult::Acquired); // already ours

    InstanceLock second;
    EXPECT_EQ(second.Acquire("LockTest"), InstanceLockResult::HeldElsewhere);
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(TryLockInChild("LockTest"), static_cast<int>(InstanceLockResult::HeldElsewhere));
    EXPECT_EQ(TryLockInChild("OtherName"), static_cast<int>(InstanceLockResult::Acquired));

    first.Release();
    EXPECT_EQ(TryLockInChild("LockTest"), static_cast<int>(InstanceLockResult::Acquired));
    // The child's lock went with the child.
    EXPECT_EQ(second.Acquire("LockTest"), InstanceLockResult::Acquired);
}

TEST(SingleInstance, AFolderThatCannotHoldTheFileTellsNothing)
{
    ScopedEnv runtime("XDG_RUNTIME_DIR", "/nonexistent-folder/for/the/lock");
    InstanceLock lock;
    EXPECT_EQ(lock.Acquire("MyApp1.0"), InstanceLockResult::Unavailable);
    EXPECT_FALSE(lock.Held());
}

// The program itself: while the lock is held, a second start leaves at once
// with exit code 0, before it builds anything (it would otherwise make its
// user folder and log, open its window and wait).
TEST(SingleInstance, SecondStartOfTheGameExitsAtOnce)
{
    test::TempFolder folder;
    test::TempFolder userData;
    ScopedEnv runtime("XDG_RUNTIME_DIR", folder.Path().c_str());
    ScopedEnv data("XDG_DATA_HOME", userData.Path().c_str());
    InstanceLock first;
    ASSERT_EQ(first.Acquire("MyApp1.0"), InstanceLockResult::Acquired);

    const std::string output = folder / "output.txt";
    const pid_t pid = fork();
    if (pid == 0) {
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 1);
        dup2(fd, 2);
        execl("./vandrel", "vandrel", static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    std::chrono::milliseconds took {};
    EXPECT_EQ(WaitForChild(pid, std::chrono::seconds(20), &took), 0);
    EXPECT_LT(took, std::chrono::seconds(5));
    EXPECT_TRUE(std::filesystem::is_empty(userData.Path()));
    EXPECT_EQ(std::filesystem::file_size(output), 0u) << "the second start logged something";
}

} // namespace
