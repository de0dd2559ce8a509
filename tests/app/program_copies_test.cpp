// The program started beside incomplete data, and started twice.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "support/program_run.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A copy of the program in `folder` beside a data/ folder that links to the
// built one, all but the file `left_out`.
std::string ProgramWithout(const test::TempFolder& folder, const std::string& leftOut)
{
    const fs::path built = fs::path(VANDREL_PROGRAM).parent_path() / "data";
    const fs::path data = fs::path(folder.Path()) / "data";
    fs::create_directories(data);
    for (const auto& entry : fs::directory_iterator(built)) {
        if (entry.path().filename() != leftOut)
            fs::create_symlink(entry.path(), data / entry.path().filename());
    }
    const fs::path program = fs::path(folder.Path()) / "vandrel";
    fs::copy_file(VANDREL_PROGRAM, program);
    return program.string();
}

// Without the installed settings or the installed list of players the start
// is refused with a failure code, naming the file and what it is for.
TEST(ProgramCopies, WithoutAnInstalledPlayerFileTheStartFailsNamingIt)
{
    const struct {
        const char* file;
        const char* said;
    } cases[] = {
        { "config.cfg", "data/config.cfg\" (the installed settings): it is missing" },
        { "us.txt", "data/us.txt\" (the profiles): it is missing" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        test::TempFolder folder;
        const std::string program = ProgramWithout(folder, c.file);
        test::ProgramRun game(program,
            { { "XDG_DATA_HOME", folder.Path() }, { "XDG_RUNTIME_DIR", folder.Path() }, { "SDL_VIDEODRIVER", "dummy" },
                { "SDL_AUDIODRIVER", "dummy" } },
            folder.Path() + "/stderr.txt");
        EXPECT_EQ(game.WaitForExit(60.0), 1) << game.Ending();
        EXPECT_NE(ReadAll(folder.Path() + "/stderr.txt").find(c.said), std::string::npos)
            << ReadAll(folder.Path() + "/stderr.txt");
    }
}

// While one copy runs, a second start ends at once without a failure and
// says why no window opens: when both share the runtime folder, and when
// only the user folder is shared (another session). The first copy runs on.
TEST(ProgramCopies, ASecondCopyEndsAtOnceSayingTheGameRuns)
{
    test::TempFolder folder;
    const std::string home = folder / "home";
    const std::string firstRuntime = folder / "run1";
    const std::string otherRuntime = folder / "run2";
    for (const std::string& f : { home, firstRuntime, otherRuntime })
        fs::create_directories(f);
    const auto environment = [&](const std::string& runtime) {
        return std::map<std::string, std::string> { { "XDG_DATA_HOME", home }, { "XDG_RUNTIME_DIR", runtime },
            { "SDL_VIDEODRIVER", "dummy" }, { "SDL_AUDIODRIVER", "dummy" } };
    };
    test::ProgramRun first(VANDREL_PROGRAM, environment(firstRuntime), folder / "first.txt");
    const std::string user = home + "/vandrel-first-eng";
    ASSERT_NO_FATAL_FAILURE(first.WaitForFiles({ user + "/log.xml", user + "/config.cfg" }, 60.0));

    for (const std::string& runtime : { firstRuntime, otherRuntime }) {
        SCOPED_TRACE(runtime);
        const std::string said = folder / "second.txt";
        test::ProgramRun second(VANDREL_PROGRAM, environment(runtime), said);
        EXPECT_EQ(second.WaitForExit(30.0), 0) << second.Ending();
        EXPECT_NE(ReadAll(said).find("the game is already running"), std::string::npos) << ReadAll(said);
    }
    EXPECT_EQ(first.WaitForExit(0.0), -1) << first.Ending();
    ASSERT_NO_FATAL_FAILURE(first.Terminate(user + "/log.xml"));
}

// Whatever stands where the user folder's lock file goes, two copies from
// different sessions never both run on that folder: a folder or a read-only
// file of that name is locked as it stands (the second copy ends as with any
// held lock), and what cannot be locked at all (a link) ends the start with a
// failure, naming the file, instead of letting it run unguarded.
TEST(ProgramCopies, WhateverStandsInPlaceOfTheLockFileASecondCopyDoesNotRun)
{
    const struct {
        const char* what;
        void (*make)(const fs::path&);
        bool lockable;
    } cases[] = {
        { "a folder", [](const fs::path& p) { fs::create_directory(p); }, true },
        { "a read-only file",
            [](const fs::path& p) {
                std::ofstream(p) << "";
                fs::permissions(p, fs::perms::owner_read);
            },
            true },
        { "a link to nowhere", [](const fs::path& p) { fs::create_symlink("nowhere", p); }, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        const std::string user = folder / "home/vandrel-first-eng";
        for (const std::string& f : { user, folder / "run1", folder / "run2" })
            fs::create_directories(f);
        c.make(user + "/vandrel.lock");
        const auto environment = [&](const char* runtime) {
            return std::map<std::string, std::string> { { "XDG_DATA_HOME", folder / "home" },
                { "XDG_RUNTIME_DIR", folder / runtime }, { "SDL_VIDEODRIVER", "dummy" },
                { "SDL_AUDIODRIVER", "dummy" } };
        };
        test::ProgramRun first(VANDREL_PROGRAM, environment("run1"), folder / "first.txt");
        if (!c.lockable) {
            EXPECT_EQ(first.WaitForExit(30.0), 1) << first.Ending();
            const std::string said = ReadAll(folder / "first.txt");
            EXPECT_NE(
                said.find("unable to lock \"" + user + "/vandrel.lock\" (it is a symbolic link)"), std::string::npos)
                << said;
            EXPECT_FALSE(fs::exists(folder / "home/vandrel-first-eng/nowhere"));
            continue;
        }
        ASSERT_NO_FATAL_FAILURE(first.WaitForFiles({ user + "/log.xml", user + "/config.cfg" }, 60.0));
        test::ProgramRun second(VANDREL_PROGRAM, environment("run2"), folder / "second.txt");
        EXPECT_EQ(second.WaitForExit(30.0), 0) << second.Ending();
        EXPECT_NE(ReadAll(folder / "second.txt").find("the game is already running"), std::string::npos)
            << ReadAll(folder / "second.txt");
        EXPECT_EQ(first.WaitForExit(0.0), -1) << first.Ending();
        ASSERT_NO_FATAL_FAILURE(first.Terminate(user + "/log.xml"));
    }
}

} // namespace
