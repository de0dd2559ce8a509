// The game's program itself, started as a player would start it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

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

// A copy of the program beside the built data, with a damaged list of
// players in its user folder: it starts as usual (it is still running three
// seconds later, when it is ended as a desktop would end it) and says nothing
// on standard error; the damage is told on the screen.
TEST(Program, ADamagedListOfPlayersDoesNotStopTheStart)
{
    const struct {
        const char* what;
        void (*spoil)(const fs::path&);
    } cases[] = {
        { "no bytes", [](const fs::path& p) { std::ofstream(p, std::ios::binary); } },
        { "UTF-8 with a mark", [](const fs::path& p) { std::ofstream(p) << "\xEF\xBB\xBF[name 1]\r\nAda\r\n"; } },
        { "a folder", [](const fs::path& p) { fs::create_directories(p); } },
        { "a link to nowhere", [](const fs::path& p) { fs::create_symlink("nowhere", p); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        const fs::path program = fs::path(folder.Path()) / "vandrel";
        fs::copy_file(VANDREL_PROGRAM, program);
        fs::create_directory_symlink(fs::path(VANDREL_PROGRAM).parent_path() / "data", folder / "data");
        fs::create_directories(folder / "home/vandrel-first-eng");
        c.spoil(folder / "home/vandrel-first-eng/us.txt");
        const std::string command = "cd / && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="
            + folder.Path() + " XDG_DATA_HOME=" + (folder / "home") + " timeout -s TERM 3 " + program.string() + " 2>"
            + folder.Path() + "/stderr.txt";
        const int status = std::system(command.c_str());
        std::ifstream in(folder.Path() + "/stderr.txt");
        const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 124) << said; // still running when ended
        EXPECT_EQ(said.find("us.txt"), std::string::npos) << said;
    }
}

} // namespace
