// The exit state: credits only after a level was left in this run, read from
// the language's credits.txt, scrolling up 2 pixels every 66 ms in two
// columns, ending once they have passed the top or on Escape.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "app/application.h"
#include "app/pp_app_fonts.h"
#include "frontend/state_exit.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "support/log_capture.h"
#include "support/recording_gfx.h"
#include "support/temp_folder.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

// An application whose key table the test fills.
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
        settings.SetResolution(1280, 1024);
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
    void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(folder / path).parent_path());
        std::ofstream(folder / path, std::ios::binary) << bytes;
    }
    void WriteCredits(const std::wstring& text)
    {
        std::string bytes = "\xFF\xFE";
        for (const wchar_t c : text) {
            bytes += static_cast<char>(c & 0xFF);
            bytes += static_cast<char>((c >> 8) & 0xFF);
        }
        WriteFile("data/language/eng/credits.txt", bytes);
    }
    bool Update()
    {
        gfx.ClearRecords();
        ms += 67;
        return state.Update(&app);
    }

    cGameWorld& world = cGameWorld::Instance();
    cSettings& settings = cSettings::Instance();
    test::TempFolder folder;
    test::RecordingGfx gfx;
    KeyApp app;
    cStateExit state;
    double ms = 5000.0;
    std::filesystem::path oldDirectory;
};

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

TEST_F(ExitCreditsTest, WithoutALevelLeftTheStateEndsAtOnceAndShowsNothing)
{
    WriteCredits(L"[CREDITS]\r\nA\r\n#");
    world.levelLeftInRun = 0;
    ASSERT_TRUE(state.Init(&app));
    EXPECT_FALSE(Update());
    EXPECT_FALSE(state.IsLoaded());
    EXPECT_TRUE(gfx.draws.empty());
    EXPECT_TRUE(gfx.calls.empty());
}

TEST_F(ExitCreditsTest, TheColumnsScrollUpFromBelowTheScreen)
{
    WriteCredits(L"[CREDITS]\r\nDesign\r\n Anna\r\nCode\r\n#");
    ASSERT_TRUE(Update());
    ASSERT_EQ(state.Lines().size(), 3u);
    // Loaded in the first frame, the block starts at the screen's bottom.
    EXPECT_EQ(state.ScrollY(), 1024);
    ASSERT_EQ(gfx.Texts(), (std::vector<std::wstring> { L"Design", L" Anna", L"Code" }));
    const int charWidth = gfx.charWidth;
    const std::vector<test::GfxDraw> drawn(gfx.draws.begin(), gfx.draws.end());
    std::vector<const test::GfxDraw*> text;
    for (const auto& d : drawn) {
        if (d.kind == test::GfxDraw::Kind::TextAlt)
            text.push_back(&d);
    }
    ASSERT_EQ(text.size(), 3u);
    // Left lines end 10 pixels left of the middle; right lines start 10
    // right of it on the row of the line before.
    EXPECT_EQ(text[0]->x, 640 - 6 * charWidth - 10);
    EXPECT_EQ(text[0]->y, 1024);
    EXPECT_EQ(text[1]->x, 650);
    EXPECT_EQ(text[1]->y, 1024);
    EXPECT_EQ(text[2]->y, 1024 + 70);

    // 2 pixels a step of more than 66 ms, none for a shorter wait.
    ASSERT_TRUE(Update());
    EXPECT_EQ(state.ScrollY(), 1022);
    gfx.ClearRecords();
    ms += 30;
    ASSERT_TRUE(state.Update(&app));
    EXPECT_EQ(state.ScrollY(), 1022);

    // Three lines end once the block is 105 pixels above the top; in steps
    // of 2 that is at -106.
    int frames = 0;
    while (Update() && frames < 2000)
        ++frames;
    EXPECT_EQ(state.ScrollY(), -106);
}

TEST_F(ExitCreditsTest, EscapeEndsTheCreditsAndGivesThePicturesBackOnce)
{
    WriteCredits(L"[CREDITS]\r\nA\r\n#");
    WriteFile("data/gui/menu/images/main2.png", "background");
    WriteFile("data/gui/menu/images/first_over_1280.png", "frame");
    ASSERT_TRUE(Update());
    EXPECT_EQ(gfx.TexturesAlive(), 2);
    // Background first, the frame over the text.
    ASSERT_GE(gfx.draws.size(), 3u);
    EXPECT_EQ(gfx.draws.front().kind, test::GfxDraw::Kind::Texture);
    EXPECT_EQ(gfx.draws.back().kind, test::GfxDraw::Kind::Texture);
    EXPECT_EQ(gfx.draws.front().target.right, 1280);

    app.PressKey(27);
    EXPECT_FALSE(Update());
    EXPECT_FALSE(app.IsKeyDown(27));
    EXPECT_EQ(gfx.TexturesAlive(), 0);
}

TEST_F(ExitCreditsTest, MissingOrBrokenCreditsShowNothingUntilTheBlankBlockHasPassed)
{
    const struct {
        const char* what;
        bool write;
        const wchar_t* log;
    } cases[] = {
        { "missing", false, L"Not found credits.txt" },
        { "no key", true, L"Can't find file credits.txt" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.write)
            WriteCredits(L"nothing here");
        test::LogCapture log;
        cStateExit fresh;
        gfx.ClearRecords();
        ms += 67;
        ASSERT_TRUE(fresh.Update(&app));
        EXPECT_TRUE(log.Contains(c.log));
        EXPECT_TRUE(fresh.Lines().empty());
        EXPECT_TRUE(gfx.Texts().empty());
        int frames = 1;
        while (fresh.Update(&app) && frames < 2000) {
            ms += 67;
            ++frames;
        }
        // The first frame loads, then 1024 pixels at 2 a step.
        EXPECT_EQ(frames, 513);
        EXPECT_EQ(fresh.ScrollY(), 0);
    }
}

TEST_F(ExitCreditsTest, TheShippedCreditsScrollBetweenTheirBackgroundAndFrame)
{
    // The build's own program folder, as the game runs from it.
    std::filesystem::current_path(oldDirectory);
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 }, std::pair { 1600, 1200 } }) {
        SCOPED_TRACE(width);
        settings.SetResolution(width, height);
        cStateExit shipped;
        gfx.ClearRecords();
        ms += 67;
        ASSERT_TRUE(shipped.Update(&app));
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
        EXPECT_EQ(gfx.TexturesAlive(), 0);
    }
}

} // namespace
