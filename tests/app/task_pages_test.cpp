// Every level's task pages and map line fit where the game shows them, at
// both screen sizes: through the real engine, level 1's task dialog shows
// each level's pages in turn, paged with its arrow as a player pages it; each
// page passes the layout check and no line of its text runs under the arrows
// or the Play button. Each map line takes at most three lines, which stand
// clear of the region names painted below the level's description. The pages are saved
// as test-output/task_<width>_level_<n>_<page>.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/game_app_fonts.h"
#include "recorded_app.h"
#include "scene/design_units.h"
#include "scene/screen_manager.h"
#include "scene/task_dialog.h"
#include "support/menu_route.h"
#include "whole_game_fixture.h"

namespace {

struct Size {
    int width, height;
};

constexpr int kLevels = 30;
constexpr int kMapLines = 3;
// The map's level description: its width in design units.
constexpr int kMapTextWidth = 525;

class TaskPagesApp : public ScriptedApp {
public:
    explicit TaskPagesApp(Size size)
        : size(size)
    {
        PlayFromStart(1);
        LookAtPage(1, 1);
    }

    std::vector<std::string> breaches;
    std::vector<int> pagesShown = std::vector<int>(kLevels + 1);
    std::vector<std::string> mapLinesTooLong;

private:
    // A page turns while the dialog draws the frame that takes the click,
    // after its text: the frame after it shows the page whole.
    bool GameFrame() override
    {
        const int page = Dialog() ? Dialog()->GetCurrentPage() : 0;
        const bool goOn = cGameApp::Frame();
        pageWhole = Dialog() && Dialog()->GetCurrentPage() == page;
        return goOn;
    }

    static Scene::TaskDialog* Dialog()
    {
        return cScreenManager::Instance().Get<Scene::TaskDialog>(cScreenManager::kTask);
    }

    // The dialog open on that level's page, faded in and drawn whole by the
    // frame last drawn; then the page is checked and the right arrow pressed
    // and let go, or the next level's pages put in.
    void LookAtPage(int level, int page)
    {
        const std::string name = "level_" + std::to_string(level) + "_" + std::to_string(page);
        steps.Add(
            "the task dialog at " + name,
            [this, level, page] {
                const cGameWorld& world = cGameWorld::Instance();
                return world.taskBookOpen && world.level == level && Dialog() && Dialog()->GetCurrentPage() == page
                    && pageWhole && FadedIn(cScreenManager::kTask);
            },
            [this, level, page, name] {
                CheckPage(std::to_string(size.width) + "_" + name);
                pagesShown[level] = page;
                if (page < Dialog()->GetPageCount()) {
                    PressRightArrow(true);
                    steps.Add(
                        "the arrow lit under the mouse", [this] { return ShowsImage("button_right_over.png"); },
                        [this] { PressRightArrow(false); });
                    LookAtPage(level, page + 1);
                    return;
                }
                if (level == kLevels) {
                    CheckMapLines();
                    return;
                }
                // The next level's pages, as a level start loads them.
                cGameWorld& world = cGameWorld::Instance();
                world.level = level + 1;
                world.LoadComic(world.level);
                Dialog()->Reset();
                Dialog()->ResetPage();
                LookAtPage(level + 1, 1);
            });
    }

    void CheckPage(const std::string& name)
    {
        SaveFrame("task_" + name);
        CheckFrame(name, breaches);
        // A text drawn on the dialog before a button that covers part of it.
        bool onDialog = false;
        for (const test::GfxDraw& text : Draws()) {
            const test::ImageCatalog::Image* image = ImageOf(text);
            onDialog = onDialog || (image && image->name == "tutorial_menu_big.png");
            if (!onDialog || !text.font || text.text.empty())
                continue;
            SIZE extent {};
            text.font->MeasureText(text.text.c_str(), &extent);
            for (const test::GfxDraw* d = &text + 1; d != Draws().data() + Draws().size(); ++d) {
                const test::ImageCatalog::Image* button = ImageOf(*d);
                if (!button || button->kind != "button" || d->target.left >= text.x + extent.cx
                    || text.x >= d->target.right || d->target.top >= text.y + extent.cy || text.y >= d->target.bottom)
                    continue;
                // Once, not again for the text's shadow.
                const std::string breach
                    = name + ": text under " + button->name + ": \"" + platform::WideToNarrow(text.text) + "\"";
                if (std::find(breaches.begin(), breaches.end(), breach) == breaches.end())
                    breaches.push_back(breach);
            }
        }
    }

    // Laid out as the map lays out the level's description.
    void CheckMapLines()
    {
        cGameWorld& world = cGameWorld::Instance();
        for (const cTaskRow& row : world.taskRows) {
            world.FormatText(false, row.text, Scene::ScaleX(kMapTextWidth), g_fontNormal2);
            if (world.formatLineCount > kMapLines)
                mapLinesTooLong.push_back(std::to_string(size.width) + " level " + std::to_string(row.level) + ": "
                    + std::to_string(world.formatLineCount) + " lines");
        }
    }

    // Presses or lets go of the mouse on the middle of the right arrow of the
    // frame last drawn, drawn as the mouse is off or over it.
    void PressRightArrow(bool down)
    {
        for (const test::GfxDraw& d : Draws()) {
            const test::ImageCatalog::Image* found = ImageOf(d);
            if (!found || found->name.rfind("button_right_", 0) != 0)
                continue;
            const int x = static_cast<int>(d.target.left + d.target.right) / 2;
            const int y = static_cast<int>(d.target.top + d.target.bottom) / 2;
            g_pInputDevice->SetCursorPos(x, y);
            platform::InjectMouseButton(window, 1, down, x, y);
            return;
        }
    }

    Size size;
    bool pageWhole = false;
};

class TaskPages : public WholeGameTest, public ::testing::WithParamInterface<Size> { };

TEST_P(TaskPages, EveryLevelsPagesAndMapLineFit)
{
    settings.SetResolution(GetParam().width, GetParam().height);
    std::filesystem::create_directories("test-output");
    ShowLogos();
    TaskPagesApp app(GetParam());
    app.Run();
    EXPECT_EQ(app.steps.Unfinished(), "");
    for (const std::string& breach : app.breaches)
        ADD_FAILURE() << breach;
    for (const std::string& line : app.mapLinesTooLong)
        ADD_FAILURE() << line;
    // Every level has a page; each was paged to its last.
    for (int level = 1; level <= kLevels; ++level)
        EXPECT_GE(app.pagesShown[level], 1) << "level " << level;
}

INSTANTIATE_TEST_SUITE_P(Sizes, TaskPages, ::testing::Values(Size { 1280, 1024 }, Size { 1024, 768 }),
    [](const auto& info) { return std::to_string(info.param.width); });

} // namespace
