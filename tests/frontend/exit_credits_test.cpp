// The exit state: credits only after a level was left in this run, scrolling
// up 2 pixels every 66 ms between their background and frame, ending once they
// have passed the top or on Escape.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "app/application.h"
#include "app/game_app_fonts.h"
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

// The background and the frame are loose picture files named by the screen
// width, stretched over the whole screen: the background under the lines,
// the frame over them. An empty file is no picture.
TEST_F(ExitCreditsTest, TheCreditsPicturesAreTheFilesOfTheScreensWidth)
{
    std::filesystem::create_directories(folder / "data/gui/menu/images");
    std::filesystem::create_directories(folder / "data/language/eng");
    std::string text = "\xFF\xFE";
    for (const char c : std::string("[CREDITS]\r\nDesign\r\n#"))
        text += { c, '\0' };
    std::ofstream(folder / "data/language/eng/credits.txt", std::ios::binary) << text;
    const struct {
        int width, height;
        const char *background, *frame;
    } cases[] = { { 1024, 768, "main.png", "first_over_1024.png" }, { 1280, 1024, "main2.png", "first_over_1280.png" },
        { 1600, 1200, "main3.png", "first_over_1600.png" } };
    const auto write = [this](const std::string& name, const std::string& bytes) {
        std::ofstream(folder / ("data/gui/menu/images/" + name), std::ios::binary) << bytes;
    };
    for (const auto& c : cases) {
        for (const bool emptyBackground : { false, true }) {
            SCOPED_TRACE(testing::Message() << c.width << (emptyBackground ? " empty background" : ""));
            for (const auto& entry : std::filesystem::directory_iterator(folder / "data/gui/menu/images"))
                write(entry.path().filename().string(), "another width");
            write(c.background, emptyBackground ? "" : "background");
            write(c.frame, "frame");
            settings.SetResolution(c.width, c.height);
            cStateExit credits;
            ASSERT_TRUE(Update(credits));
            std::vector<std::string> drawn;
            for (const test::GfxDraw& d : gfx.draws) {
                if (d.kind == test::GfxDraw::Kind::Texture) {
                    const auto* texture = static_cast<const test::RecordingTexture*>(d.texture);
                    drawn.push_back(texture ? std::string(texture->bytes.begin(), texture->bytes.end()) : "no picture");
                    EXPECT_EQ(std::pair(d.target.right, d.target.bottom), std::pair(c.width, c.height));
                    EXPECT_EQ(std::pair(d.target.left, d.target.top), std::pair(0, 0));
                } else if (d.kind == test::GfxDraw::Kind::TextAlt) {
                    drawn.push_back("text");
                }
            }
            const std::vector<std::string> expected = emptyBackground ? std::vector<std::string> { "text", "frame" }
                                                                      : std::vector<std::string> { "background", "text", "frame" };
            EXPECT_EQ(drawn, expected);
        }
    }
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
