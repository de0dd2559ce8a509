// Bonus items and jokers on grid levels: they fly into the bar at the left
// edge, stand there one above the other, and are picked up like a car by
// holding the button over their slot; level 1 shows where jokers will wait.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "bonus_fixture.h"
#include "support/board_text.h"

namespace {

constexpr int kGridLevel = 1;

class BonusBarTest : public test::BonusTest {
protected:
    void SetUp() override
    {
        test::BonusTest::SetUp();
        StartLevel(kGridLevel);
        world.drawStation = 0;
        AddCarType(1, 6);
        AddCarType(3, 8);
        AddCarType(kJoker, 90);
        AddCarType(kBomb, 91);
    }
    void AddCarType(int type, int colour)
    {
        world.AddAuto(type, 1, "car_" + std::to_string(type));
        world.autoTypes.back().colour = colour;
        world.autoTypes.back().class_ = type;
    }
    // The mouse inside the n-th slot of the bar.
    void MouseOnSlot(int n) { MoveMouse(45, 110 * (n + 1) + 45); }
    std::vector<int> SlotYs() const
    {
        std::vector<int> ys;
        for (const cJoker& item : world.jokers)
            ys.push_back(item.targetY);
        return ys;
    }
    std::vector<std::wstring> Texts() const
    {
        std::vector<std::wstring> texts;
        for (const test::GfxDraw* d : TextDraws())
            texts.push_back(d->text);
        return texts;
    }
    bool Shows(const std::wstring& text) const
    {
        const std::vector<std::wstring> texts = Texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

TEST_F(BonusBarTest, AnItemFliesFromWhereItIsSeenIntoItsSlotWithoutAJump)
{
    StartLevel(kGridLevel, "function on_bonus() Story:AddSpecAuto(0, 3) end");
    struct Case {
        int width;
        int height;
        bool putBack; // a held joker let go, else a combo's item
    };
    for (const Case& c : { Case { 1280, 1024, false }, Case { 1024, 768, false }, Case { 1024, 768, true } }) {
        SCOPED_TRACE(testing::Message() << c.width << (c.putBack ? " put back" : " combo"));
        cSettings::Instance().SetResolution(c.width, c.height);
        world.ComputeLayout();
        world.jokers.clear();
        int startX = world.cellX[3][0] + 50;
        int startY = world.cellY[3][0] + 50;
        if (c.putBack) {
            startX = 600;
            startY = 450;
            // It flies back from just above the mouse.
            cGameWorld::SetMouseSource([&](int& x, int& y) {
                x = startX;
                y = startY + 50;
            });
            world.autoOnMouse = kJoker;
            world.AddJokerSlot();
            world.autoOnMouse = -1;
            cGameWorld::SetMouseSource(nullptr);
        } else {
            world.fundaments.clear();
            world.selectedCount = 0;
            world.bonusByClass = 1;
            test::LoadBoard(world, "# # # #\n# # # #\n# # # #\n3 3 3 .");
            ASSERT_TRUE(world.AddSelectedCell(world.FindFundamentAt(3, 0), 3, 0));
            world.FindFundamentCombos();
            world.ApplyFundamentCombos();
        }
        ASSERT_EQ(world.jokers.size(), 1u);
        const float stepY = world.jokers[0].stepY;
        const float stride = std::max(std::abs(world.jokers[0].stepX), std::abs(stepY)) + 1;

        MouseAway();
        Frame(1);
        ASSERT_EQ(Images().size(), 1u);
        EXPECT_EQ(Images()[0].colour, Tinted(255));
        std::vector<test::HudImage> path = { { "", "", startX, startY }, Images()[0] };
        // No hover test on the way.
        MoveMouse(path[1].x + 10, path[1].y + 10);
        world.leftDown = 1;
        world.leftClick = 1;
        while (world.jokers[0].step < world.jokers[0].steps && path.size() < 200) {
            Frame(1);
            ASSERT_EQ(Images().size(), 1u);
            path.push_back(Images()[0]);
        }
        EXPECT_EQ(world.autoOnMouse, -1);
        EXPECT_EQ(world.leftClick, 1);
        world.leftDown = 0;
        world.leftClick = 0;

        // Landed, it stands in the first slot of the bar: one step on, never
        // a step back.
        MouseAway();
        Frame(1);
        EXPECT_EQ(SlotYs(), (std::vector<int> { 110 }));
        ASSERT_EQ(Images().size(), 1u);
        path.push_back(Images()[0]);
        for (std::size_t i = 1; i < path.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_LE(std::abs(path[i].x - path[i - 1].x), stride);
            EXPECT_LE(std::abs(path[i].y - path[i - 1].y), stride);
            EXPECT_GE(static_cast<float>(path[i].y - path[i - 1].y) * stepY, 0.0f);
        }
    }
}

TEST_F(BonusBarTest, JokersFromTheScriptStandInTheirSlotsAtOnce)
{
    Story::Instance().AddJoker(2);
    Frame();
    ASSERT_EQ(Images().size(), 2u);
    EXPECT_EQ(BonusNames(), (std::vector<std::string> { "bonus_joker", "bonus_joker" }));
    EXPECT_EQ(Images()[0].y, 110);
    EXPECT_EQ(Images()[1].y, 220);
    EXPECT_EQ(Images()[0].x, 0);
    EXPECT_EQ(Images()[1].colour, Tinted(255));
}

struct PickCase {
    int kind;
    const char* image;
    const wchar_t* tip;
};

TEST_F(BonusBarTest, HoldingTheButtonOverASlotPicksItsItemUp)
{
    const PickCase cases[] = { { kJoker, "bonus_joker", L"text 116" }, { kBomb, "bonus_joker_bomb", L"text 133" },
        { 2, "bonus_2", nullptr } };
    for (const PickCase& c : cases) {
        SCOPED_TRACE(c.kind);
        world.jokers.clear();
        world.autoOnMouse = -1;
        world.jokerTipSeen = world.bombTipSeen = 0;
        world.managerBelowLimit = 1;
        world.AddJoker(1);
        world.jokers[0].item = c.kind;

        MouseOnSlot(0);
        Frame();
        EXPECT_EQ(BonusNames().at(0), c.image);
        EXPECT_EQ(BonusNames().at(1), "bonus_over_joker");
        if (c.tip) {
            EXPECT_TRUE(Shows(c.tip));
        }
        EXPECT_EQ(world.autoOnMouse, -1) << "hovering alone picks nothing";

        world.leftDown = 1;
        Frame();
        world.leftDown = 0;
        EXPECT_EQ(world.autoOnMouse, c.kind);
        EXPECT_EQ(world.heldCarItem, Story::Instance().GetAutoColor(c.kind));
        EXPECT_EQ(world.heldCarVariant, 1);
        EXPECT_EQ(world.managerBelowLimit, 0);
        EXPECT_EQ(world.jokerTipSeen, c.kind == kJoker ? 1 : 0);
        EXPECT_EQ(world.bombTipSeen, c.kind == kBomb ? 1 : 0);

        // The picked item stays in its slot until the mouse leaves it.
        Frame();
        EXPECT_EQ(BonusNames(), (std::vector<std::string> { c.image }));
        MouseAway();
        Frame();
        EXPECT_TRUE(world.jokers.empty());
    }
}

TEST_F(BonusBarTest, TipsShowUntilTheirKindWasPickedOnce)
{
    world.AddJoker(2);
    world.jokers[1].item = kBomb;
    world.jokerTipSeen = 1;
    MouseOnSlot(0);
    Frame();
    EXPECT_FALSE(Shows(L"text 116"));
    MouseOnSlot(1);
    Frame();
    EXPECT_TRUE(Shows(L"text 133"));
    world.bombTipSeen = 1;
    Frame();
    EXPECT_TRUE(TextDraws().empty());
}

TEST_F(BonusBarTest, NothingIsPickedWhileACarIsHeld)
{
    world.AddJoker(1);
    world.autoOnMouse = 1;
    world.leftDown = 1;
    MouseOnSlot(0);
    Frame();
    EXPECT_EQ(world.autoOnMouse, 1);
    EXPECT_EQ(BonusNames(), (std::vector<std::string> { "bonus_joker" }));
    EXPECT_EQ(world.jokers[0].used, 0);
}

TEST_F(BonusBarTest, APickedItemIsNeverPickedTwice)
{
    // Dropped at once while the mouse still rests on the slot it came from:
    // the used item lingers there and must not be taken up again.
    world.AddJoker(1);
    MouseOnSlot(0);
    world.leftDown = 1;
    Frame();
    ASSERT_EQ(world.autoOnMouse, kJoker);
    world.autoOnMouse = -1;
    Frame();
    EXPECT_EQ(world.autoOnMouse, -1);
    EXPECT_EQ(BonusNames(), (std::vector<std::string> { "bonus_joker" }));
    world.leftDown = 0;
    MouseAway();
    Frame();
    EXPECT_TRUE(world.jokers.empty());
}

TEST_F(BonusBarTest, SlotsCloseUpOnlyOnceNothingIsHeld)
{
    world.AddJoker(3);
    MouseOnSlot(0);
    world.leftDown = 1;
    Frame();
    world.leftDown = 0;
    ASSERT_EQ(world.autoOnMouse, kJoker);
    MouseAway();
    Frame();
    EXPECT_EQ(SlotYs(), (std::vector<int> { 220, 330 }));
    // Put back: it flies from the mouse to a new slot at the end.
    MoveMouse(600, 500);
    world.AddJokerSlot();
    world.autoOnMouse = -1;
    Frame(1);
    EXPECT_EQ(SlotYs(), (std::vector<int> { 110, 220, 330 }));
    EXPECT_EQ(world.jokers[2].step, 1);
    for (int i = 0; i < 100; ++i)
        Frame(1);
    EXPECT_EQ(SlotYs(), (std::vector<int> { 110, 220, 330 }));
}

TEST_F(BonusBarTest, LevelOneShowsWhereJokersWillWait)
{
    world.idleSinceTask = 1;
    Frame();
    const std::vector<test::HudImage> images = Images();
    ASSERT_EQ(BonusNames(), (std::vector<std::string> { "bonus_joker.png", "bonus_joker.png", "bonus_joker.png" }));
    EXPECT_EQ(images[0].x, 5);
    EXPECT_EQ(images[0].y, 100);
    EXPECT_EQ(images[1].y, 220);
    EXPECT_EQ(images[2].y, 340);
    EXPECT_EQ(images[0].colour, Tinted(155));
    EXPECT_EQ(images[1].colour, Tinted(125));
    EXPECT_EQ(images[2].colour, Tinted(100));
    EXPECT_TRUE(Shows(L"text 93"));

    // Not once the task dialog left a car picked, nor on other levels, nor
    // once the first joker came.
    world.idleSinceTask = 0;
    Frame();
    EXPECT_TRUE(gfx.draws.empty());
    world.idleSinceTask = 1;
    world.level = 4;
    Frame();
    EXPECT_TRUE(gfx.draws.empty());
    world.level = 1;
    world.AddJoker(1);
    Frame();
    EXPECT_EQ(BonusNames(), (std::vector<std::string> { "bonus_joker" }));
}

} // namespace
