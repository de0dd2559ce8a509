#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/single_instance.h"
#include "support/child_process.h"
#include "support/program_run.h"
#include "support/temp_folder.h"

using namespace platform;

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the child and gives its exit code in `code`. A child that does not
// exit by itself (it is killed after 20 s, across exec too), or that cannot be
// made or waited for, is a fatal failure.
void ExitCodeOfChild(int& code, const std::function<void()>& child)
{
    int status = 0;
    ASSERT_NO_FATAL_FAILURE(test::RunChild(status, child, 20.0));
    ASSERT_TRUE(WIFEXITED(status)) << "the child did not exit: it was ended by signal " << WTERMSIG(status)
                                   << " (SIGKILL, 9, when it still ran after 20 s)";
    code = WEXITSTATUS(status);
}

// A second start of the game leaves at once with 0, before it makes its user
// folder, log or window, and says why on standard error.
TEST(SingleInstance, OneHolderAtATimeUntilItLetsGoAndASecondStartOfTheGameExitsAtOnce)
{
    // The test's own folders come back however it ends.
    struct Folders {
        const std::string runtime = std::getenv("XDG_RUNTIME_DIR"), data = std::getenv("XDG_DATA_HOME");
        ~Folders() { setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1), setenv("XDG_DATA_HOME", data.c_str(), 1); }
    } restore;
    test::TempFolder folder, userData;
    setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
    setenv("XDG_DATA_HOME", userData.Path().c_str(), 1);
    EXPECT_EQ(InstanceLockPath("MyApp1.0"), folder / "MyApp1.0.lock");
    InstanceLock first, second;
    ASSERT_EQ(first.Acquire("MyApp1.0"), InstanceLockResult::Acquired);
    EXPECT_EQ(second.Acquire("MyApp1.0"), InstanceLockResult::HeldElsewhere);
    int code = -1;
    ASSERT_NO_FATAL_FAILURE(ExitCodeOfChild(code, [] { _exit(int(InstanceLock().Acquire("MyApp1.0"))); }));
    EXPECT_EQ(code, static_cast<int>(InstanceLockResult::HeldElsewhere));
    ASSERT_NO_FATAL_FAILURE(ExitCodeOfChild(code, [] { _exit(int(InstanceLock().Acquire("OtherName"))); }));
    EXPECT_EQ(code, static_cast<int>(InstanceLockResult::Acquired));
    const std::string output = folder / "output.txt";
    const auto start = std::chrono::steady_clock::now();
    ASSERT_NO_FATAL_FAILURE(ExitCodeOfChild(code, [&] {
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 1), dup2(fd, 2);
        execl("./vandrel", "vandrel", static_cast<char*>(nullptr));
    }));
    EXPECT_EQ(code, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(std::filesystem::is_empty(userData.Path()));
    EXPECT_NE(ReadText(output).find("the game is already running"), std::string::npos) << ReadText(output);
    first.Release();
    EXPECT_EQ(second.Acquire("MyApp1.0"), InstanceLockResult::Acquired);
    setenv("XDG_RUNTIME_DIR", "/nonexistent-folder/for/the/lock", 1);
    EXPECT_EQ(InstanceLock().Acquire("MyApp1.0"), InstanceLockResult::Unavailable);
}

// Two copies on one user folder, started in different sessions (each with a
// runtime folder of its own): the second leaves at once, saying so, and
// leaves the first one's files alone.
TEST(SingleInstance, ASecondCopyOnTheSameUserFolderFromAnotherSessionExitsAtOnce)
{
    test::TempFolder data, firstRuntime, secondRuntime;
    const std::string user = data / "vandrel-first-eng";
    test::ProgramRun first("./vandrel",
        { { "XDG_DATA_HOME", data.Path() }, { "XDG_RUNTIME_DIR", firstRuntime.Path() } }, firstRuntime / "stderr.txt");
    ASSERT_NO_FATAL_FAILURE(first.WaitForFiles({ user + "/log.xml", user + "/us.txt" }, 60.0))
        << "the first copy did not start";
    struct stat log { };
    ASSERT_EQ(stat((user + "/log.xml").c_str(), &log), 0);

    const auto start = std::chrono::steady_clock::now();
    test::ProgramRun second("./vandrel",
        { { "XDG_DATA_HOME", data.Path() }, { "XDG_RUNTIME_DIR", secondRuntime.Path() } },
        secondRuntime / "stderr.txt");
    EXPECT_EQ(second.WaitForExit(20.0), 0) << second.Ending();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    const std::string said = ReadText(secondRuntime / "stderr.txt");
    EXPECT_NE(said.find("the game is already running"), std::string::npos) << said;
    struct stat logAfter { };
    ASSERT_EQ(stat((user + "/log.xml").c_str(), &logAfter), 0);
    EXPECT_EQ(logAfter.st_ino, log.st_ino) << "the second copy started a log of its own";
    ASSERT_NO_FATAL_FAILURE(first.Terminate(user + "/log.xml"));
}

} // namespace
