// The message panel: the first queued status message until its time is up,
// held back while the task dialog is open or the level has ended.
#include <gtest/gtest.h>

#include <memory>

#include "hud_fixture.h"
#include "scene/menu_straf.h"

namespace {

// The panel with an image page of its own, so its draws can be seen.
class PagedStraf : public Scene::MenuStraf {
public:
    void LoadPages(const wchar_t* folder) { pages[32].Load(folder); }
};

class MessagePanelTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        WriteSet("data/panel", { "tutorial_small.png" });
        panel = std::make_unique<PagedStraf>();
        panel->SetActive(true);
        panel->LoadPages(L"data/panel");
    }
    void Frame()
    {
        gfx.ClearRecords();
        Wait(17);
        panel->Draw();
    }
    bool Shown() const { return FindImage("tutorial_small.png").has_value(); }

    std::unique_ptr<PagedStraf> panel;
};

TEST_F(MessagePanelTest, ATimedMessageShowsUntilItsTimeIsUpThenGoes)
{
    world.PushMessage(L"first#line", L"", L"", 1.0, 0.0);
    world.PushMessage(L"second", L"", L"", 0.0, 0.0);
    world.SetPause(true);
    Frame();
    EXPECT_TRUE(Shown());
    // Each wrapped line is drawn on its own, below the one before.
    const auto lines = TextDraws();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->text, L"first");
    EXPECT_EQ(lines[1]->text, L"line");
    EXPECT_GT(lines[1]->y, lines[0]->y);

    Wait(1100);
    Frame();
    EXPECT_FALSE(Shown());
    EXPECT_EQ(world.paused, 0);
    ASSERT_EQ(world.statusMessages.size(), 1u);

    // Without a duration the next one stays.
    Wait(60000);
    Frame();
    EXPECT_TRUE(Shown());
    EXPECT_EQ(world.statusMessages.size(), 1u);
}

TEST_F(MessagePanelTest, TheTaskDialogAndTheLevelsEndHoldThePanelBack)
{
    world.PushMessage(L"timed", L"", L"", 1.0, 0.0);
    uint8_t cGameWorld::*const cases[] = { &cGameWorld::taskBookOpen, &cGameWorld::levelOver };
    for (uint8_t cGameWorld::*flag : cases) {
        world.*flag = 1;
        Wait(2000);
        Frame();
        EXPECT_FALSE(Shown());
        EXPECT_EQ(world.statusMessages.size(), 1u) << "timed out while held back";
        world.*flag = 0;
    }
    Frame();
    EXPECT_EQ(world.statusMessages.size(), 0u);
}

} // namespace
