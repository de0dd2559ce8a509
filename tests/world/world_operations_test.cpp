#include <gtest/gtest.h>

#include "app/clock.h"
#include "platform/time_source.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

class WorldOperations : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.ResetToDefaults();
        cSettings::Instance().SetResolution(1280, 1024);
    }
    void TearDown() override
    {
        cGameWorld::SetMouseSource(nullptr);
        world.ResetToDefaults();
    }
    cGameWorld& world = cGameWorld::Instance();
};

TEST_F(WorldOperations, OverlayFlags)
{
    EXPECT_FALSE(world.IsOverlayActive());
    uint8_t cGameWorld::*flags[] = { &cGameWorld::taskBookOpen, &cGameWorld::optionsOpen, &cGameWorld::resultScreenOpen,
        &cGameWorld::shopOpen, &cGameWorld::statisticsOpen, &cGameWorld::buildMenuOpen };
    for (auto flag : flags) {
        world.*flag = 1;
        EXPECT_TRUE(world.IsOverlayActive());
        world.*flag = 0;
    }
    // Front-end screens are not overlays of the level.
    world.profilesOpen = world.highscoresOpen = 1;
    EXPECT_FALSE(world.IsOverlayActive());
}

TEST_F(WorldOperations, ClickClearsTouchOnlyTheClickFlags)
{
    for (int which = 0; which < 2; ++which) {
        world.clickEvent = world.leftClick = world.rightClick = world.leftDown = 1;
        if (which == 0)
            world.ResetFlags();
        else
            world.ClearMouseClicks();
        EXPECT_EQ(world.clickEvent, 0);
        EXPECT_EQ(world.leftClick, 0);
        EXPECT_EQ(world.rightClick, 1);
        EXPECT_EQ(world.leftDown, 1);
    }
}

TEST_F(WorldOperations, LayoutAtFullSize)
{
    world.ComputeLayout();
    EXPECT_EQ(world.gridAnchorX, 400);
    EXPECT_EQ(world.gridAnchorY, 450);
    EXPECT_EQ(world.cellX[4][4], 400);
    EXPECT_EQ(world.cellY[4][4], 450);
    EXPECT_EQ(world.cellX[4][5], 232);
    EXPECT_EQ(world.cellY[4][5], 519);
    EXPECT_EQ(world.cellX[3][4], 303);
    EXPECT_EQ(world.cellY[3][4], 331);
    EXPECT_EQ(world.cellX[8][0], 400 + 4 * 168 + 4 * 97);
    EXPECT_EQ(world.cellY[8][0], 450 - 4 * 69 + 4 * 119);
}

TEST_F(WorldOperations, LayoutLeavesTheOuterRowsAndColumnAlone)
{
    world.cellX[0][3] = 11;
    world.cellY[9][3] = 12;
    world.cellX[5][9] = 13;
    world.ComputeLayout();
    EXPECT_EQ(world.cellX[0][3], 11);
    EXPECT_EQ(world.cellY[9][3], 12);
    EXPECT_EQ(world.cellX[5][9], 13);
}

TEST_F(WorldOperations, LayoutAtTheSmallSizeTruncatesEachStep)
{
    cSettings::Instance().SetResolution(1024, 768);
    world.ComputeLayout();
    EXPECT_EQ(world.gridAnchorX, 320); // 400 / 1.25
    EXPECT_EQ(world.gridAnchorY, 338); // 450 / 1.33 = 338.3
    // Row 4, column 5: 320 - 168 / 1.25 = 185.6 -> 185; 338 + 69 / 1.33 = 389.9 -> 389.
    EXPECT_EQ(world.cellX[4][5], 185);
    EXPECT_EQ(world.cellY[4][5], 389);
    // Row 5 from there: 185 + 97 / 1.25 = 262.6 -> 262; 389 + 119 / 1.33 = 478.5 -> 478.
    EXPECT_EQ(world.cellX[5][5], 262);
    EXPECT_EQ(world.cellY[5][5], 478);
}

TEST(PointInPolygon, CrossingTestIsHalfOpenInY)
{
    // A square from (0, 0) to (10, 10).
    const int xs[] = { 0, 10, 10, 0 };
    const int ys[] = { 0, 0, 10, 10 };
    struct Case {
        int x, y;
        bool inside;
    } cases[] = {
        { 5, 5, true },
        { -1, 5, false },
        { 11, 5, false },
        { 5, -1, false },
        { 5, 11, false },
        { 5, 0, true }, // the lower edge's y counts: the side edges start there
        { 5, 10, false }, // the upper end of each side edge does not
        { 0, 5, true }, // on the left edge: px is not below its crossing, the right edge toggles
        { 10, 5, false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(cGameWorld::PointInPolygon(4, xs, ys, c.x, c.y), c.inside) << c.x << "," << c.y;
}

TEST(PointInPolygon, CrossingUsesTruncatingIntegerDivision)
{
    // A triangle whose slanted edge crosses y = 1 at x = 3.33. The crossing is
    // computed from the corner (10, 3): 10 + (-10 * -2) / -3 = 10 - 6 = 4.
    const int xs[] = { 0, 10, 0 };
    const int ys[] = { 0, 3, 3 };
    EXPECT_TRUE(cGameWorld::PointInPolygon(3, xs, ys, 3, 1));
    EXPECT_FALSE(cGameWorld::PointInPolygon(3, xs, ys, 4, 1));
    EXPECT_FALSE(cGameWorld::PointInPolygon(0, xs, ys, 0, 0));
}

TEST_F(WorldOperations, MouseOverPlaceUsesTheCellOutline)
{
    world.ComputeLayout();
    const int x = world.cellX[4][4];
    const int y = world.cellY[4][4];
    EXPECT_TRUE(world.IsMouseOverPlace(4, 4, x + 110, y + 120));
    EXPECT_FALSE(world.IsMouseOverPlace(4, 4, x + 10, y + 96));
    EXPECT_FALSE(world.IsMouseOverPlace(4, 4, x + 110, y + 40));

    int mouseX = x + 110, mouseY = y + 120;
    cGameWorld::SetMouseSource([&](int& mx, int& my) {
        mx = mouseX;
        my = mouseY;
    });
    EXPECT_TRUE(world.IsMouseOverPlace(4, 4));
    mouseX = 0;
    EXPECT_FALSE(world.IsMouseOverPlace(4, 4));
}

TEST_F(WorldOperations, MouseOverPlaceRefusesCellsOutsideTheGrid)
{
    // Cells that are not in the tables never read them, wherever the mouse is.
    const int cells[][2] = { { -1, 0 }, { 0, -1 }, { 20, 0 }, { 0, 20 }, { 1000, 1000 }, { -2147483647 - 1, 3 } };
    for (const auto& cell : cells)
        EXPECT_FALSE(world.IsMouseOverPlace(cell[0], cell[1], 100, 100));
}

TEST_F(WorldOperations, SmallServices)
{
    world.statusMessages.resize(3);
    world.ClearMessages();
    EXPECT_TRUE(world.statusMessages.empty());
    world.menuFlag = 1;
    world.ClearMenuFlag("anything");
    EXPECT_EQ(world.menuFlag, 0);
    EXPECT_EQ(cGameWorld::NarrowToWideString("platform_gras.png"), L"platform_gras.png");
    EXPECT_EQ(cGameWorld::NarrowToWideString(std::string(300, 'a')).size(), 300u);
}

// The first message of the queue is on show and its time runs from when it
// came up; a pop takes it down only by its own text; a level that is over
// takes no more messages.
TEST_F(WorldOperations, MessagesShowOneAfterTheOther)
{
    double now = 1000.0;
    platform::SetTimeSourceForTests([&] { return now; });
    const auto wait = [&](double seconds) {
        now += seconds * 1000.0;
        g_pClock->Update();
    };
    g_pClock->Reset();
    world.PushMessage(L"first", L"", L"", 5.0, 0.0);
    wait(2.0);
    world.PushMessage(L"timed", L"", L"", 5.0, 1.0);
    world.PushMessage(L"untimed", L"", L"", 5.0, 0.0);
    world.PushMessage(L"last", L"", L"", 5.0, 1.0);
    wait(1.0);
    EXPECT_DOUBLE_EQ(world.statusMessages.front().timer.Elapsed(), 3.0);

    const struct {
        const wchar_t* pop;
        const wchar_t* front; // nullptr: the queue is empty
        double elapsed; // of the message now on show
    } steps[] = {
        { L"timed", L"first", 3.0 }, // not the one on show
        { L"first", L"timed", 0.0 }, // its time starts now
        { L"timed", L"untimed", 1.0 }, // counted from when it was queued
        { L"untimed", L"last", 0.0 },
        { L"last", nullptr, 0.0 },
        { L"last", nullptr, 0.0 },
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(step.pop)));
        world.PopMessage(step.pop);
        ASSERT_EQ(world.statusMessages.empty(), step.front == nullptr);
        if (step.front) {
            EXPECT_EQ(world.statusMessages.front().text, step.front);
            EXPECT_DOUBLE_EQ(world.statusMessages.front().timer.Elapsed(), step.elapsed);
        }
    }
    world.levelOver = 1;
    world.PushMessage(L"late", L"", L"", 5.0, 0.0);
    EXPECT_TRUE(world.statusMessages.empty());
    platform::SetTimeSourceForTests(nullptr);
}

// The pause silences the music and gives it back at the set volume; with the
// sound off it leaves the music volume alone.
TEST_F(WorldOperations, PauseSilencesTheMusicUnlessMuted)
{
    auto& settings = cSettings::Instance();
    for (const bool mute : { false, true }) {
        SCOPED_TRACE(mute);
        settings.mute = mute;
        world.musicVolume = 0.4f;
        world.musicPlayVolume = 0.7f;
        world.SetPause(true);
        EXPECT_EQ(world.paused, 1);
        EXPECT_FLOAT_EQ(world.musicPlayVolume, mute ? 0.7f : 0.0f);
        world.SetPause(false);
        EXPECT_EQ(world.paused, 0);
        EXPECT_FLOAT_EQ(world.musicPlayVolume, mute ? 0.7f : 0.4f);
    }
    settings.mute = false;
}

TEST(Settings, ResolutionScaleFactors)
{
    auto& settings = cSettings::Instance();
    const struct {
        int width, height;
        float sx, sy;
    } cases[] = { { 1280, 1024, 1.0f, 1.0f }, { 1024, 768, 1.25f, 1.33f }, { 800, 600, 1.25f, 1.33f },
        { 1920, 1080, 1.25f, 1.33f } };
    for (const auto& c : cases) {
        settings.SetResolution(c.width, c.height);
        EXPECT_EQ(settings.GetWidth(), c.width);
        EXPECT_EQ(settings.GetHeight(), c.height);
        EXPECT_FLOAT_EQ(settings.scaleX, c.sx);
        EXPECT_FLOAT_EQ(settings.scaleY, c.sy);
    }
    settings.SetResolution(1280, 1024);
}

} // namespace
