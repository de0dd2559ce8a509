// The end of a level as the head-up display rates it: the clock's badge, the
// medal and the statistics' reward, rating and points bonus by one rating of
// the time taken, or the points alone without a limit; the task slots kept
// out from under the panels; and the design units every screen scales by.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "hud_fixture.h"
#include "scene/design_units.h"

namespace {

using LevelEndTest = test::HudTest;

class PagedHud : public Scene::Hud {
public:
    void LoadPages(const wchar_t* folder) { pages[32].Load(folder); }
};

// One rating for the time taken: the clock's badge at the end, the cup, the
// rating the game saves and the pay all change at the same strict thresholds
// of the limit; without a limit the points are paid.
TEST_F(LevelEndTest, TheBadgeCupRatingAndPayFollowOneRating)
{
    const struct {
        int limit, elapsed, points;
        const char* badge;
        const wchar_t* cup;
        int rating, reward, bonus;
    } cases[] = {
        { 100, 59, 1400, "slot_gold", L"GOLD", 2, 90000, 400 },
        { 100, 60, 1400, "slot_silver", L"SILVER", 1, 75000, 200 },
        { 100, 79, 1400, "slot_silver", L"SILVER", 1, 75000, 200 },
        { 100, 80, 1400, "", L"", 0, 50000, 50 }, // a quarter, capped at 5 % of the target
        { 100, 84, 1400, "", L"", 0, 50000, 50 }, { 300, 239, 900, "slot_silver", L"SILVER", 1, 75000, 0 },
        { 300, 240, 900, "", L"", 0, 50000, 0 }, { 100, 100, 1100, "", L"", 0, 50000, 25 },
        { 100, 101, 1400, "", L"", 0, 0, 0 }, // won by the script after the limit
        { 0, 0, 5000, "", L"", 0, 5000, 0 }, // without a limit the points are paid
        { 0, 0, -600, "", L"", 0, 0, 0 }, // but points below zero are no bill
    };
    WriteSet("data/hud", { "slot_gold", "slot_silver" });
    PagedHud made;
    made.LoadPages(L"data/hud");
    world.level = 5;
    world.furthestLevel = 5;
    world.money = 100000;
    world.taskLineTargets[14] = 1000;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.limit) + " " + std::to_string(c.elapsed));
        world.levelTimeLimit = c.limit;
        world.levelElapsed = c.elapsed;
        gfx.ClearRecords();
        made.DrawClock();
        for (const char* badge : { "slot_gold", "slot_silver" })
            EXPECT_EQ(FindImage(badge).has_value(), std::string(badge) == c.badge) << badge;

        world.levelPoints = c.points;
        world.evaluatePending = 1;
        // The rating waits for the flying values.
        world.flyingValues.assign(1, cFlyingMarker {});
        made.EvaluateLevelEnd();
        EXPECT_EQ(world.evaluatePending, 1);
        world.flyingValues.clear();
        made.EvaluateLevelEnd();
        EXPECT_EQ(world.medalText, c.cup);
        Wait(20);
        made.DrawStatistics();
        EXPECT_EQ(world.levelRating, c.rating);
        EXPECT_EQ(world.levelReward, c.reward);
        EXPECT_EQ(world.levelBonus, c.bonus);
    }
}

TEST_F(LevelEndTest, OnlyALevelBehindTheFurthestPaysJustWhatBeatsItsRecordedMoney)
{
    // 90400 earned (gold, 400 bonus); 60000 recorded for the level before.
    const struct {
        int furthest;
        const wchar_t* balance;
    } cases[] = { { 5, L"190400" }, { 6, L"130400" } };
    Scene::Hud made;
    world.level = 5;
    world.money = 100000;
    world.levelMoney[5] = 60000;
    world.taskLineTargets[14] = 1000;
    world.levelTimeLimit = 100;
    world.levelElapsed = 59;
    world.levelPoints = 1400;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.furthest);
        world.furthestLevel = c.furthest;
        gfx.ClearRecords();
        made.DrawStatistics();
        const auto texts = gfx.Texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), c.balance), texts.end());
    }
}

// Without a limit a level played again pays what beats its recorded money,
// or a fifth of its points when they do not beat it.
TEST_F(LevelEndTest, ALevelWithoutALimitPlayedAgainPaysWhatBeatsItsRecord)
{
    const struct {
        int recorded, points;
        int gainLabel; // -1: no such row
        const wchar_t* gain;
        const wchar_t* balance;
    } cases[] = {
        { 3000, 5000, 134, L"2000", L"102000" },
        { 3000, 3000, 137, L"600", L"100600" },
        { 3000, 2000, 137, L"400", L"100400" },
        { 0, 5000, -1, L"", L"105000" },
    };
    Scene::Hud made;
    world.level = 5;
    world.furthestLevel = 9;
    world.money = 100000;
    world.levelTimeLimit = 0;
    const auto row = [&](int label) {
        const std::wstring name = L"text " + std::to_wstring(label);
        int y = -1;
        for (const test::GfxDraw* d : TextDraws())
            y = d->text == name ? d->y : y;
        std::wstring value;
        for (const test::GfxDraw* d : TextDraws())
            value = d->y == y && d->text != name ? d->text : value;
        return value;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.points);
        world.levelMoney[5] = c.recorded;
        world.levelPoints = c.points;
        gfx.ClearRecords();
        made.DrawStatistics();
        EXPECT_EQ(row(0), std::to_wstring(c.points));
        EXPECT_EQ(row(132), c.recorded ? std::to_wstring(c.recorded) : L"");
        for (const int label : { 134, 137 })
            EXPECT_EQ(row(label), label == c.gainLabel ? c.gain : L"") << label;
        EXPECT_EQ(row(139), c.balance);
    }
}

TEST_F(LevelEndTest, TheTaskSlotsHideUnderTheResultScreenAndTheFirstTaskDialog)
{
    WriteSet("data/hud", { "slot_3.png", "element2a.png" });
    PagedHud made;
    made.LoadPages(L"data/hud");
    world.taskLineValues[0] = 1, world.taskLineTargets[0] = 5, world.taskLineActive[0] = 1, world.taskLineCount = 1;
    const struct {
        uint8_t result, book;
        int intro;
        bool shown;
    } cases[] = { { 1, 0, 0, false }, { 0, 1, 1, false }, { 0, 1, 0, true }, { 0, 0, 1, true } };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.result) + std::to_string(c.book) + std::to_string(c.intro));
        world.resultScreenOpen = c.result, world.taskBookOpen = c.book, world.taskIntroPending = c.intro;
        gfx.ClearRecords();
        Wait(17);
        made.DrawTaskSlots();
        EXPECT_EQ(FindImage("slot_3.png").has_value(), c.shown);
    }
}

TEST_F(LevelEndTest, AWonCupFadesInStaysThreeSecondsAndFadesOut)
{
    Scene::Hud made;
    world.medalText = L"GOLD";
    double full = -1.0, fading = -1.0;
    for (double t = 0.0; t < 12.0 && world.cupPhase != 3; t += 0.017) {
        Wait(17);
        made.DrawCups();
        if (world.cupAlpha >= 255 && full < 0)
            full = t;
        if (full >= 0 && world.cupAlpha < 255 && fading < 0)
            fading = t;
    }
    EXPECT_EQ(world.cupPhase, 3);
    ASSERT_GE(full, 0.0);
    EXPECT_NEAR(fading - full, 3.0, 0.1);
}

// Every screen turns design pixels into pixels of a smaller screen alike:
// whole multiples of the scale come out whole.
TEST(DesignUnits, WholeMultiplesOfTheScaleComeOutWhole)
{
    cSettings::Instance().SetResolution(1024, 768);
    for (const int n : { 1, 2, 4, 7 }) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Scene::ScaleX(125 * n), 100 * n);
        EXPECT_EQ(Scene::ScaleY(133 * n), 100 * n);
    }
    cSettings::Instance().ResetToDefaults();
}

} // namespace
