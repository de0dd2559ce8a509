// The statistics of a won level: the reward, the time bonus and the points
// bonus by the time taken, the payout of a level without a time limit and of
// a level played again, and the time pointer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hud_fixture.h"

namespace {

class LevelStatisticsTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        made = std::make_unique<test::NumberedSubmenu>();
        std::vector<std::string> images = { "balken_red", "balken_gelb", "balken_weiss", "balken_gruen" };
        for (int i = 0; i < 20; ++i)
            images.push_back((i < 10 ? "marker000" : "marker00") + std::to_string(i));
        WriteSet("data/gui/interface/menu/menu_submenu", images);
        made->LoadPages(L"data/gui/interface/menu/menu_submenu");
        world.level = 5;
        world.furthestLevel = 5;
        world.money = 100000;
    }
    void Draw()
    {
        gfx.ClearRecords();
        Wait(20);
        made->DrawStatistics();
    }
    // The value drawn right-aligned on the row of the label, in the colour
    // of the row (the second of its two draws).
    std::wstring RowValue(int label) const
    {
        const std::wstring name = L"text " + std::to_wstring(label);
        const auto texts = TextDraws();
        int y = -1;
        for (const test::GfxDraw* d : texts) {
            if (d->text == name)
                y = d->y;
        }
        std::wstring value;
        for (const test::GfxDraw* d : texts) {
            if (d->y == y && d->text != name)
                value = d->text;
        }
        return value;
    }

    std::unique_ptr<test::NumberedSubmenu> made;
};

TEST_F(LevelStatisticsTest, TheTimeTakenFixesRewardRatingAndPointsBonus)
{
    const struct {
        int elapsed;
        int points;
        int rating;
        int reward;
        int bonus;
    } cases[] = {
        { 59, 1400, 2, 90000, 400 },
        { 60, 1400, 1, 75000, 200 },
        { 79, 1400, 1, 75000, 200 },
        { 80, 1400, 0, 50000, 50 }, // a quarter, capped at 5 % of the target
        { 84, 1400, 0, 50000, 50 }, // the silver cup, but no silver pay
        { 100, 1400, 0, 50000, 50 },
        { 100, 1100, 0, 50000, 25 },
        { 101, 1400, 0, 0, 0 }, // won by the script after the limit
        { 59, 900, 2, 90000, 0 },
        { 60, 900, 1, 75000, 0 },
        { 100, 900, 0, 50000, 0 },
    };
    world.levelTimeLimit = 100;
    world.messageTarget[14] = 1000;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.elapsed) + " " + std::to_string(c.points));
        world.levelElapsed = c.elapsed;
        world.minusPoints = c.points;
        Draw();
        EXPECT_EQ(world.levelRating, c.rating);
        EXPECT_EQ(world.levelReward, c.reward);
        EXPECT_EQ(world.levelBonus, c.bonus);
        EXPECT_EQ(RowValue(0), std::to_wstring(c.reward + c.bonus));
        EXPECT_EQ(RowValue(139), std::to_wstring(100000 + c.reward + c.bonus));
    }
}

TEST_F(LevelStatisticsTest, ALevelPlayedAgainPaysOnlyWhatBeatsItsRecordedMoney)
{
    world.levelTimeLimit = 100;
    world.messageTarget[14] = 0;
    world.furthestLevel = 9;
    world.levelMoney[5] = 80000;
    world.levelElapsed = 70; // 75000 and the points
    world.minusPoints = 40000; // half: 20000, a total of 95000
    Draw();
    EXPECT_EQ(RowValue(132), L"80000");
    EXPECT_EQ(RowValue(139), L"115000");
    world.minusPoints = 0;
    Draw();
    EXPECT_EQ(RowValue(139), L"100000");
}

TEST_F(LevelStatisticsTest, WithoutALimitThePointsArePaid)
{
    const struct {
        int recorded;
        int points;
        int gainLabel; // -1 no such row
        const wchar_t* gain;
        const wchar_t* last;
    } cases[] = {
        { 3000, 5000, 134, L"2000", L"102000" },
        { 3000, 2000, 137, L"400", L"100400" },
        { 0, 5000, -1, L"", L"105000" },
    };
    world.levelTimeLimit = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.points);
        world.levelMoney[5] = c.recorded;
        world.minusPoints = c.points;
        Draw();
        EXPECT_EQ(world.levelReward, c.points);
        EXPECT_EQ(world.levelBonus, 0);
        EXPECT_EQ(world.levelRating, 0);
        if (c.gainLabel >= 0) {
            EXPECT_EQ(RowValue(c.gainLabel), c.gain);
        }
        EXPECT_EQ(RowValue(139), c.last);
        EXPECT_FALSE(FindImage("balken_red"));
    }
}

TEST_F(LevelStatisticsTest, ThePointerSitsAtTheTimeTakenAndRunsThroughTwentyFrames)
{
    world.levelTimeLimit = 100;
    const int x0 = 290;
    const struct {
        int elapsed;
        int x;
    } cases[] = { { 100, x0 + 50 + 500 - 20 }, { 50, x0 + 50 + 250 - 20 }, { 150, x0 + 50 + 530 } };
    for (const auto& c : cases) {
        world.levelElapsed = c.elapsed;
        Draw();
        std::optional<test::HudImage> pointer;
        for (const test::HudImage& image : Images()) {
            if (image.name.rfind("marker", 0) == 0)
                pointer = image;
        }
        ASSERT_TRUE(pointer);
        EXPECT_EQ(pointer->x, c.x) << c.elapsed;
        EXPECT_EQ(pointer->y, 340);
    }
    std::vector<std::string> frames;
    for (int i = 0; i < 21; ++i) {
        Draw();
        for (const std::string& name : ImageNames()) {
            if (name.rfind("marker", 0) == 0)
                frames.push_back(name);
        }
    }
    ASSERT_EQ(frames.size(), 21u);
    EXPECT_NE(frames[0], frames[1]);
    EXPECT_EQ(frames[0], frames[20]);
}

} // namespace
