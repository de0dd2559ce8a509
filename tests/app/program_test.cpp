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

// A copy of the program where no data/ folder is beside or above it says on
// standard error what is missing and fails.
TEST(Program, WithoutItsDataFolderItSaysSoAndFails)
{
    test::TempFolder folder;
    const fs::path program = fs::path(folder.Path()) / "vandrel";
    fs::copy_file(VANDREL_PROGRAM, program);
    const std::string command = "cd / && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=" + folder.Path()
        + " XDG_DATA_HOME=" + folder.Path() + " " + program.string() + " 2>" + folder.Path() + "/stderr.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    std::ifstream in(folder.Path() + "/stderr.txt");
    const std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(said.find("data/ folder is missing"), std::string::npos) << said;
}

} // namespace
