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

class KeyApp : public cApplication {
public:
    void PressKey(int code) { keys[code] = 1; }
};

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
    KeyApp app;
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

TEST_F(ExitCreditsTest, TheShippedCreditsScrollBetweenTheirBackgroundAndFrame)
{
    // The build's own program folder, as the game runs from it.
    std::filesystem::current_path(oldDirectory);
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 }, std::pair { 1600, 1200 } }) {
        SCOPED_TRACE(width);
        settings.SetResolution(width, height);
        cStateExit shipped;
        ASSERT_TRUE(Update(shipped));
        ASSERT_GT(shipped.Lines().size(), 4u);
        EXPECT_EQ(shipped.Lines()[0], L"Vandrel");
        EXPECT_EQ(shipped.Lines()[1][0], L' ');
        // The background under everything, the frame over the text, each
        // over the whole screen.
        ASSERT_GE(gfx.draws.size(), 3u);
        for (const test::GfxDraw* d : { &gfx.draws.front(), &gfx.draws.back() }) {
            EXPECT_EQ(d->kind, test::GfxDraw::Kind::Texture);
            EXPECT_EQ(d->target.right, width);
            EXPECT_EQ(d->target.bottom, height);
        }
        EXPECT_NE(gfx.draws.front().texture, nullptr);
        app.PressKey(27);
        EXPECT_FALSE(shipped.Update(&app));
        EXPECT_FALSE(app.IsKeyDown(27));
        EXPECT_EQ(gfx.TexturesAlive(), 0);
    }
}

} // namespace
