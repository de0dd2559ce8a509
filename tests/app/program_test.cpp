// The game's program itself, started as a player would start it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "support/program_run.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Runs a copy of the program in the folder; it must fail, saying `expected`
// on standard error.
void ExpectFailureSaying(const test::TempFolder& folder, const char* expected)
{
    const fs::path program = fs::path(folder.Path()) / "vandrel";
    fs::copy_file(VANDREL_PROGRAM, program);
    const std::string command = "cd / && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=" + folder.Path()
        + " XDG_DATA_HOME=" + folder.Path() + " " + program.string() + " 2>" + folder.Path() + "/stderr.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    std::ifstream in(folder.Path() + "/stderr.txt");
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(said.find(expected), std::string::npos) << said;
}

// A copy of the program where no data/ folder is beside or above it says on
// standard error what is missing and fails.
TEST(Program, WithoutItsDataFolderItSaysSoAndFails)
{
    test::TempFolder folder;
    ExpectFailureSaying(folder, "data/ folder is missing");
}

// The built data without the interface texts (neither in the package nor
// loose): the start is refused, naming the table, before any window.
TEST(Program, WithoutItsInterfaceTextsItSaysSoAndFails)
{
    test::TempFolder folder;
    const fs::path built = fs::path(VANDREL_PROGRAM).parent_path() / "data";
    const fs::path data = fs::path(folder.Path()) / "data";
    fs::create_directories(data / "language");
    for (const fs::path& from : { built, built / "language" }) {
        for (const auto& entry : fs::directory_iterator(from)) {
            const fs::path name = entry.path().filename();
            if (name != "language.pkg" && name != "language" && name != "gui_vocabular.csv")
                fs::create_symlink(entry.path(), data / fs::relative(from, built) / name);
        }
    }
    ExpectFailureSaying(folder, "gui_vocabular.csv");
}

// A user folder whose path holds bytes that are not UTF-8, or whose files'
// paths come within a few bytes of PATH_MAX: the first start's files (the
// player's settings and profiles, the log) are made in that folder, under
// those very bytes, and nowhere else.
TEST(Program, WritesItsFilesIntoAUserFolderOfAnyBytesAndLength)
{
    test::TempFolder folder;
    std::string longPath = folder.Path();
    // The start's files then have paths of about 4090 bytes: within
    // PATH_MAX, but not with a temporary name a dozen bytes longer.
    while (longPath.size() < 4064)
        longPath += "/" + std::string(std::min<size_t>(200, 4064 - longPath.size() - 1), 'd');
    for (const std::string& home : { folder / "caf\xe9 \xff\xc3(", longPath }) {
        SCOPED_TRACE(home.size());
        fs::create_directories(home);
        const std::string user = home + "/vandrel-first-eng";
        test::ProgramRun game(VANDREL_PROGRAM, { { "XDG_DATA_HOME", home }, { "XDG_RUNTIME_DIR", folder.Path() } },
            folder / "stderr.txt");
        EXPECT_TRUE(test::WaitForFiles({ user + "/log.xml", user + "/us.txt", user + "/config.cfg" }, 60.0));
        EXPECT_EQ(game.Terminate(), 0);
        std::vector<std::string> made;
        for (const auto& entry : fs::directory_iterator(home))
            made.push_back(entry.path().filename().string());
        EXPECT_EQ(made, std::vector<std::string> { "vandrel-first-eng" });
    }
}

} // namespace
