// Station lots in the shop: buying, extending and selling with their prices,
// the offers the task lot allows, links, the speech bubble and the task line.
#include <gtest/gtest.h>

#include <algorithm>

#include "shop_fixture.h"

namespace {

class ShopLotsTest : public test::ShopTest { };

TEST_F(ShopLotsTest, APurchaseCostsThePriceAndIsRefusedWhenTheMoneyFallsShort)
{
    const struct {
        int money;
        bool bought;
        int moneyAfter;
        const char* frame;
    } cases[] = {
        { 1000, true, 700, "platform_over_green.png" },
        { 300, true, 0, "platform_over_green.png" },
        { 299, false, 299, "platform_over_red.png" },
    };
    for (const auto& c : cases) {
        world.fundaments.clear();
        world.lotStatus[3][2] = world.lotTable[3][2] = 0;
        AddLot(3, 2, 1, "lot_a", 300, true);
        world.money = c.money;
        HoverLot(3, 2);
        Pass(true);
        EXPECT_EQ(world.money, c.moneyAfter) << c.money;
        EXPECT_EQ(Lot(3, 2).status, c.bought ? 9 : 0) << c.money;
        EXPECT_EQ(world.lotStatus[3][2], c.bought ? 9 : 0) << c.money;
        EXPECT_EQ(world.lotTable[3][2], c.bought ? 9 : 0) << c.money;
        EXPECT_EQ(Count(c.frame), 1) << c.money;
        EXPECT_EQ(world.leftClick, c.bought ? 0 : 1) << c.money;
    }
    EXPECT_EQ(Played("bonus5"), 2);
}

TEST_F(ShopLotsTest, ABoughtBuildingFadesInFromNothing)
{
    AddLot(3, 2, 1, "lot_a", 100, true);
    world.money = 100;
    HoverLot(3, 2);
    Pass(true);
    MoveMouse(0, 0);
    Pass();
    const auto image = FindImage("lot_a");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->colour >> 24, 5u);
    for (int i = 0; i < 60; ++i)
        Pass();
    EXPECT_EQ(Lot(3, 2).alpha, 255);
}

TEST_F(ShopLotsTest, AnOpenTaskLotIsTheOnlyOfferUntilItIsBuiltOrTooDear)
{
    AddLot(3, 2, 1, "lot_a", 200, false); // the task's lot
    AddLot(4, 7, 11, "lot_b", 100, true);
    Task(2, 3, 2, 1);

    world.money = 500;
    HoverLot(4, 7);
    Pass(true);
    EXPECT_EQ(Lot(4, 7).status, 0) << "the task lot is open: nothing else is offered";
    EXPECT_EQ(world.money, 500);
    EXPECT_EQ(Count("platform_over_green.png"), 1) << "only the task lot's blinking frame";

    world.money = 150; // the task lot is now out of reach
    Pass(true);
    EXPECT_EQ(Lot(4, 7).status, 9);
    EXPECT_EQ(world.money, 50);

    // The task lot blinks in red while too dear, in green once affordable.
    MoveMouse(0, 0);
    Pass();
    EXPECT_EQ(Count("platform_over_red.png"), 1);
    world.money = 200;
    HoverLot(3, 2);
    Pass(true);
    EXPECT_EQ(Lot(3, 2).status, 9);
    EXPECT_EQ(world.money, 0);
}

TEST_F(ShopLotsTest, ALinkedLotWaitsForTheLotItNeedsAndOpensInTheSameFrame)
{
    AddLot(4, 7, 11, "lot_a", 100, true);
    AddLot(5, 8, 12, "lot_b", 100, true);
    world.AddToLink(5, 8, 4, 7);
    world.money = 1000;
    HoverLot(5, 8);
    Pass(true);
    EXPECT_EQ(Lot(5, 8).status, 0);
    EXPECT_EQ(world.money, 1000);
    EXPECT_EQ(Count("platform_56.png"), 2) << "the platform is still drawn";

    Build(4, 7, 9);
    Pass(true);
    EXPECT_EQ(Lot(5, 8).status, 9);
    EXPECT_EQ(world.money, 900);
}

TEST_F(ShopLotsTest, ACompleteStationOffersExtensionsAtHalfPriceButNeverForThePumps)
{
    AddLot(2, 3, 20, "pump", 0, false);
    AddLot(3, 2, 1, "lot_a", 1001, true);
    Build(2, 3, 9);
    Build(3, 2, 9);
    ASSERT_TRUE(shop.IsStationComplete());

    world.money = 499;
    HoverLot(3, 2);
    Pass(true);
    EXPECT_EQ(Lot(3, 2).status, 9) << "500 is needed";
    EXPECT_EQ(Count("platform_over_red.png"), 1);

    world.money = 500;
    Pass(true);
    EXPECT_EQ(Lot(3, 2).status, 11);
    EXPECT_EQ(world.lotTable[3][2], 11);
    EXPECT_EQ(world.money, 0);
    Pass();
    EXPECT_EQ(Count("lot_am"), 1) << "the extended look";
    EXPECT_EQ(Count("platform_56.png"), 1) << "an extended lot hides its platform";

    world.money = 1000;
    HoverLot(2, 3);
    Pass(true);
    EXPECT_EQ(Lot(2, 3).status, 9);
    EXPECT_EQ(world.money, 1000);
}

TEST_F(ShopLotsTest, SellingRefundsHalfThePriceOnlyWhileTheStationIsUnfinished)
{
    AddLot(3, 2, 1, "lot_a", 301, true);
    AddLot(3, 6, 2, "lot_b", 100, false);
    AddLot(4, 7, 11, "pump", 100, true);
    Build(3, 2, 9);
    Build(3, 6, 9);
    world.upgradeBought[1] = 1;
    world.money = 10;

    HoverLot(3, 6);
    Pass(true);
    EXPECT_EQ(Lot(3, 6).status, 9) << "not sellable";
    EXPECT_EQ(Count("platform_over.png"), 1);

    HoverLot(3, 2);
    Pass(true);
    EXPECT_EQ(Lot(3, 2).status, 0);
    EXPECT_EQ(world.lotTable[3][2], 0);
    EXPECT_EQ(world.money, 160);
    EXPECT_EQ(world.upgradeBought[1], 0);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0], "data/sound/wav/bonus5.wav");

    // With everything built the same hover offers the extension instead.
    Build(3, 2, 9);
    Build(4, 7, 9);
    world.money = 1000;
    Pass(true);
    EXPECT_EQ(Lot(3, 2).status, 11);
    EXPECT_EQ(world.money, 850);
}

TEST_F(ShopLotsTest, ShiftAndAltRestyleALotOnlyInTheStationEditor)
{
    AddLot(3, 2, 1, "lot_a", 300, true);
    AddLot(4, 7, 11, "lot_b", 100, true); // not built: the station is unfinished
    const struct {
        bool editor, shift, alt;
        int kind;
        const wchar_t* platform;
        int status; // after the click
    } cases[] = {
        { false, true, false, 1, L"platform_56.png", 0 }, // an ordinary click: the lot is sold
        { false, false, true, 1, L"platform_56.png", 0 },
        { true, true, false, 10, L"platform_56.png", 9 }, // scenery instead of the building
        { true, false, true, 1, L"platform_57.png", 9 }, // the next platform; the click is used up
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.editor << c.shift << c.alt);
        cSettings::Instance().developerSwitch2 = c.editor ? 1 : 0;
        Lot(3, 2).content = 1;
        Lot(3, 2).texture = L"platform_56.png";
        Build(3, 2, 9);
        world.sceneryCycle = 0;
        world.keyLeftShift = c.shift ? 1 : 0;
        world.keyLeftAlt = c.alt ? 1 : 0;
        HoverLot(3, 2);
        Pass(true);
        EXPECT_EQ(Lot(3, 2).content, c.kind);
        EXPECT_EQ(Lot(3, 2).texture, c.platform);
        EXPECT_EQ(world.lotStatus[3][2], c.status);
    }
    cSettings::Instance().developerSwitch2 = 0;
}

TEST_F(ShopLotsTest, TheBubbleOpensLeftNearTheRightEdgeAndNamesPriceAndOffer)
{
    world.placeNameRows.push_back({ 3, 2, L"Car wash" });
    AddLot(3, 2, 1, "lot_a", 300, true);
    world.money = 1000;
    HoverLot(3, 2);
    Pass();
    EXPECT_EQ(Count("blase_left_01"), 1);
    const auto texts = gfx.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Car wash"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"text 92 300"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"text 124"), texts.end());

    shop.DrawLotBubble(1, L"Car wash", 1100, 400, 300);
    EXPECT_EQ(Count("blase_right_01"), 1);
    const auto head = FindImage("blase_right_01");
    ASSERT_TRUE(head.has_value());
    EXPECT_EQ(head->x, 1115 - 300);
}

TEST_F(ShopLotsTest, TheLotOutlineIsTheCellsParallelogram)
{
    const int x = world.cellX[4][4];
    const int y = world.cellY[4][4];
    EXPECT_EQ(x, 507);
    EXPECT_EQ(y, 282);
    EXPECT_EQ(world.cellX[4][5], 407);
    EXPECT_EQ(world.cellY[5][4], 353);
    const struct {
        int dx, dy;
        bool inside;
    } points[] = { { 70, 160, true }, { 5, 141, true }, { 70, 100, false }, { 140, 200, false }, { 20, 200, false } };
    for (const auto& p : points) {
        MoveMouse(x + p.dx, y + p.dy);
        EXPECT_EQ(shop.IsMouseOverLot(4, 4), p.inside) << p.dx << "," << p.dy;
    }
    EXPECT_FALSE(shop.IsMouseOverLot(-1, 4));
    EXPECT_FALSE(shop.IsMouseOverLot(4, 20));
}

TEST_F(ShopLotsTest, AHeldTreeKeepsTheLotsFromTheMouse)
{
    AddLot(3, 2, 1, "lot_a", 100, true);
    world.money = 1000;
    world.treeSelection = 101;
    HoverLot(3, 2);
    Pass(true);
    EXPECT_EQ(Lot(3, 2).status, 0);
}

TEST_F(ShopLotsTest, TheTaskLineSaysWhatTheNextLevelNeeds)
{
    AddLot(3, 2, 1, "lot_a", 300, false);
    AddLot(4, 7, 11, "lot_b", 100, true);
    const struct {
        int furthest;
        int money;
        int built;
        const wchar_t* text;
    } cases[] = {
        { 3, 0, 0, L"text 146" }, // level 3 needs nothing
        { 2, 299, 0, L"text 147" }, // too dear
        { 2, 300, 0, L"text 152" }, // affordable: build it now
        { 2, 0, 9, L"text 148" }, // already built
    };
    world.taskRows.push_back(cTaskRow { 2, 0, 0, 3, 2, 1, L"" });
    world.taskRows.push_back(cTaskRow { 3, 0, 0, 0, 0, 0, L"" });
    for (const auto& c : cases) {
        world.furthestLevel = c.furthest;
        world.money = c.money;
        Build(3, 2, c.built);
        gfx.ClearRecords();
        shop.UpdateBuildPhase();
        const auto texts = TextDraws();
        ASSERT_EQ(texts.size(), 2u) << c.furthest << " " << c.money;
        EXPECT_EQ(texts[1]->text, c.text);
        EXPECT_EQ(texts[0]->y, 37) << "shadow of a single line at y 35";
        EXPECT_EQ(texts[1]->y, 35);
        EXPECT_EQ(texts[1]->x, 400);
    }
    Build(4, 7, 9);
    Build(3, 2, 9);
    gfx.ClearRecords();
    shop.UpdateBuildPhase();
    ASSERT_EQ(TextDraws().size(), 2u);
    EXPECT_EQ(TextDraws()[1]->text, L"text 149");
}

} // namespace
