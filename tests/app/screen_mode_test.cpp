// Switching between full screen and the 1024 x 768 window: a window that does
// not fit on the desktop with its title bar is refused in words.
#include <gtest/gtest.h>

#include <algorithm>

#include "frontend/menu_options.h"
#include "scene/gui_vocabulary.h"
#include "scene/menu_manager.h"
#include "pp_app_fixture.h"

namespace {

constexpr DWORD kCaptioned = 0x80CA0000u;
constexpr int kWindowRefusedText = 46;

TEST_F(PPAppTest, WindowThatDoesNotFitWithItsTitleBarIsRefusedInWords)
{
    const struct {
        const char* name;
        int desktopWidth, desktopHeight, usableWidth, usableHeight;
        bool window;
    } cases[] = {
        // The window's client area alone is as high as the desktop.
        { "laptop1366x768", 1366, 768, 1366, 768, false },
        // A panel leaves too little room for the title bar.
        { "panelOn1280x800", 1280, 800, 1280, 776, false },
        { "room1280x800", 1280, 800, 1280, 800, true },
        { "panelOn1920x1200", 1920, 1200, 1920, 1160, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings.SetResolution(1280, 1024);
        settings.screenMode = 1;
        world.ResetToDefaults();
        TestPPApp app;
        app.OpenWindow();
        app.desktopWidth = c.desktopWidth;
        app.desktopHeight = c.desktopHeight;
        app.usableWidth = c.usableWidth;
        app.usableHeight = c.usableHeight;
        ASSERT_TRUE(app.Init());
        ASSERT_TRUE(cMenuManager::Instance().CreateMenus());
        auto* options = cMenuManager::Instance().Get<Scene::MenuOptions>(cMenuManager::kOptions);
        ASSERT_NE(options, nullptr);
        options->SetActive(true);

        // As the options' window button, carried out by the next frame.
        Scene::MenuOptions::ChooseWindow();
        gfx.calls.clear();
        app.Frame();
        EXPECT_EQ(settings.screenMode, c.window ? 0 : 1);
        EXPECT_EQ(app.WindowStyle() == kCaptioned, c.window);
        EXPECT_EQ(std::ranges::count(gfx.calls, "ApplyFullScreen"), c.window ? 0 : 1);

        // The options, still open, say why in their hint line.
        world.optionsOpen = 1;
        gfx.draws.clear();
        options->Draw();
        const std::wstring refusal = g_guiVocabulary[kWindowRefusedText];
        ASSERT_FALSE(refusal.empty());
        EXPECT_EQ(std::ranges::any_of(gfx.draws, [&](const test::GfxDraw& d) { return d.text == refusal; }), !c.window);
        cMenuManager::Instance().DestroyMenus();
        DeleteFonts();
    }
}

} // namespace
