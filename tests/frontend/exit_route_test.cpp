// Leaving the game from the main menu goes through the exit state: after a
// level was left in this run the credits run until Escape; before, the
// program ends at once.
#include <gtest/gtest.h>

#include <cwchar>
#include <filesystem>
#include <fstream>

#include "app/pp_app_fixture.h"
#include "support/temp_folder.h"

namespace {

class ExitRouteTest : public PPAppTest {
protected:
    void SetUp() override
    {
        PPAppTest::SetUp();
        oldDirectory = std::filesystem::current_path();
        std::filesystem::current_path(folder.Path());
        std::filesystem::create_directories(folder / "data/language/eng");
        // "[CREDITS]", "Thanks", "#" in UTF-16LE.
        std::string bytes = "\xFF\xFE";
        for (const char c : std::string("[CREDITS]\r\nThanks\r\n#")) {
            bytes += c;
            bytes += '\0';
        }
        std::ofstream(folder / "data/language/eng/credits.txt", std::ios::binary) << bytes;
        std::wcscpy(oldLanguage, settings.languageCode);
        std::wcscpy(settings.languageCode, L"eng");
        world.languageChanged = 0;
        app.RecreateFonts();
        cStateMenu::SetLoadingPauseForTests([] { });
        app.RequestState(cPPApp::kStateMenu);
        ASSERT_TRUE(app.Frame());
    }
    void TearDown() override
    {
        cStateMenu::SetLoadingPauseForTests(nullptr);
        std::filesystem::current_path(oldDirectory);
        std::wcscpy(settings.languageCode, oldLanguage);
        PPAppTest::TearDown();
    }
    std::wstring TopName()
    {
        const iProcess* top = app.GetStateManager().Top();
        return top ? top->GetName() : L"";
    }

    TestPPApp app;
    test::TempFolder folder;
    std::filesystem::path oldDirectory;
    wchar_t oldLanguage[4] = {};
};

TEST_F(ExitRouteTest, QuittingAfterALevelShowsTheCreditsUntilEscape)
{
    world.levelLeftInRun = 1;
    // As the start screen's quit button asks.
    world.menuChoice = 3;
    EXPECT_TRUE(app.Frame());
    EXPECT_EQ(TopName(), L"cStateExit");
    for (int frame = 0; frame < 3; ++frame) {
        gfx.ClearRecords();
        EXPECT_TRUE(app.Frame());
        EXPECT_EQ(TopName(), L"cStateExit");
        EXPECT_EQ(gfx.Texts(), std::vector<std::wstring> { L"Thanks" });
    }
    app.PressKey(VK_ESCAPE);
    app.Frame();
    EXPECT_EQ(TopName(), L"");
    EXPECT_FALSE(app.Frame());
}

TEST_F(ExitRouteTest, QuittingBeforeAnyLevelEndsWithoutCredits)
{
    world.menuChoice = 3;
    EXPECT_TRUE(app.Frame());
    gfx.ClearRecords();
    EXPECT_FALSE(app.Frame());
    EXPECT_TRUE(gfx.Texts().empty());
}

} // namespace
