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

// Escape ends the credits at once and gives their pictures back.
TEST_F(ExitCreditsTest, EscapeEndsTheCredits)
{
    struct KeyApp : cApplication {
        void Press(int code) { keys[code] = 1; }
    } keyApp;
    settings.SetResolution(1280, 1024);
    cStateExit credits;
    ms += 67;
    ASSERT_TRUE(credits.Update(&keyApp));
    ASSERT_TRUE(credits.Update(&keyApp));
    keyApp.Press(27);
    gfx.ClearRecords();
    EXPECT_FALSE(credits.Update(&keyApp));
    EXPECT_FALSE(keyApp.IsKeyDown(27)) << "the key is taken";
    EXPECT_TRUE(gfx.draws.empty());
    EXPECT_EQ(gfx.TexturesAlive(), 0);
}

TEST(ExitCreditsLines, AreCutAtLineFeedsWithinTheirBounds)
{
    const struct {
        const char* what;
        std::wstring text;
        std::vector<std::wstring> lines;
    } cases[] = {
        { "the key line's end opens no row", L"\nA\r\n B\r\n", { L"A", L" B" } },
        { "an empty line is a row", L"A\r\n\r\nB\r\n", { L"A", L"", L"B" } },
        { "text after the last line feed is no line", L"A\r\nB", { L"A" } },
        { "bare line feeds keep every letter", L"Ab\nCd\n", { L"Ab", L"Cd" } },
        { "nothing", L"", {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(cStateExit::SplitLines(c.text), c.lines);
    }

    std::wstring many;
    for (int i = 0; i < 300; ++i)
        many += L"x\r\n";
    EXPECT_EQ(cStateExit::SplitLines(many).size(), 256u);
    const auto longLine = cStateExit::SplitLines(std::wstring(400, L'y') + L"\r\n");
    ASSERT_EQ(longLine.size(), 1u);
    EXPECT_EQ(longLine[0].size(), 255u);
}

} // namespace
