// The exit state: credits only after a level was left in this run, scrolling
// up 2 pixels every 66 ms between their background and frame, ending once they
// have passed the top or on Escape.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "app/application.h"
#include "app/pp_app_fonts.h"
#include "frontend/state_exit.h"
#include "platform/time_source.h"
#include "support/recording_gfx.h"
#include "support/temp_folder.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

class ExitCreditsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldDirectory = std::filesystem::current_path();
        std::filesystem::current_path(folder.Path());
        platform::SetTimeSourceForTests([this] { return ms; });
        world.ResetToDefaults();
        settings.ResetToDefaults();
        std::wcscpy(settings.languageCode, L"eng");
        world.levelLeftInRun = 1;
        for (int i = 0; i < kFontCount; ++i)
            g_fonts[i] = gfx.CreateFont(L"calibry", 14, 1);
    }
    void TearDown() override
    {
        DeleteFonts();
        world.ResetToDefaults();
        settings.ResetToDefaults();
        platform::SetTimeSourceForTests(nullptr);
        std::filesystem::current_path(oldDirectory);
    }
    bool Update(cStateExit& exit, double step = 67)
    {
        gfx.ClearRecords();
        ms += step;
        return exit.Update(&app);
    }

    cGameWorld& world = cGameWorld::Instance();
    cSettings& settings = cSettings::Instance();
    test::TempFolder folder;
    test::RecordingGfx gfx;
    cApplication app;
    double ms = 5000.0;
    std::filesystem::path oldDirectory;
};

TEST_F(ExitCreditsTest, TheCreditsScrollTwoPixelsAStepUntilPastTheTopAndOnlyAfterALevel)
{
    std::filesystem::create_directories(folder / "data/language/eng");
    std::string bytes = "\xFF\xFE";
    for (const char c : std::string("[CREDITS]\r\nDesign\r\n Anna\r\nCode\r\n#"))
        bytes += { c, '\0' };
    std::ofstream(folder / "data/language/eng/credits.txt", std::ios::binary) << bytes;
    settings.SetResolution(1280, 1024);
    cStateExit credits;
    ASSERT_TRUE(Update(credits));
    EXPECT_EQ(gfx.Texts(), (std::vector<std::wstring> { L"Design", L" Anna", L"Code" }));
    EXPECT_EQ(credits.ScrollY(), 1024);
    ASSERT_TRUE(Update(credits, 30)); // too soon for a step
    ASSERT_TRUE(Update(credits));
    EXPECT_EQ(credits.ScrollY(), 1022);
    int frames = 0;
    while (Update(credits) && frames < 2000)
        ++frames;
    EXPECT_EQ(credits.ScrollY(), -106); // three lines, 105 pixels above the top

    world.levelLeftInRun = 0;
    cStateExit none;
    ASSERT_TRUE(none.Init(&app));
    EXPECT_FALSE(Update(none));
    EXPECT_TRUE(gfx.draws.empty());
}

} // namespace
