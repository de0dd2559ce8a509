// Trading lots in the shop: which lot is the next level's task lot, what a
// buy, an extension and a sale cost or pay, and what the player's files hold
// afterwards.
#include "shop_fixture.h"

namespace {

class ShopTradeTest : public test::ShopTest {
protected:
    // Where the image was drawn this frame, as lot cells.
    std::vector<std::pair<int, int>> CellsOf(const std::string& name) const
    {
        std::vector<std::pair<int, int>> cells;
        for (const test::HudImage& image : Images()) {
            if (image.name != name)
                continue;
            std::pair<int, int> cell { -1, -1 };
            for (const cFundament& f : world.fundaments)
                if (image.x == world.cellX[f.row][f.column] && image.y == world.cellY[f.row][f.column])
                    cell = { f.row, f.column };
            cells.push_back(cell);
        }
        return cells;
    }
};

// The next level's task names one lot by its cell and kind. Only that lot
// blinks, and while it is affordable it is the only one for sale; a lot of the
// same kind elsewhere or another lot on its row or column is not it.
TEST_F(ShopTradeTest, TheTaskLotIsExactlyTheLotTheTaskNames)
{
    struct LotDef {
        int row, col, kind, price;
    };
    const LotDef lots[] = {
        { 4, 5, 3, 200 }, // 0
        { 6, 8, 3, 200 }, // 1: the same kind on another cell
        { 4, 8, 5, 150 }, // 2: the same row
        { 6, 5, 6, 120 }, // 3: the same column
        { 7, 7, 7, 90 }, // 4
    };
    const struct {
        int task; // the lot the task names; -1 none
        int money;
        const char* blink; // its frame; nullptr when no lot blinks
    } cases[] = {
        { 0, 1000, "platform_over_green.png" },
        { 1, 1000, "platform_over_green.png" },
        { 2, 1000, "platform_over_green.png" },
        { 3, 1000, "platform_over_green.png" },
        { -1, 1000, nullptr },
        { 0, 199, "platform_over_red.png" }, // too dear: the others are for sale
        { 2, 149, "platform_over_red.png" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "task lot " << c.task << ", money " << c.money);
        world.fundaments.clear();
        world.placeTemplates.clear();
        world.taskRows.clear();
        for (const LotDef& l : lots) {
            world.lotStatus[l.row][l.col] = world.lotTable[l.row][l.col] = 0;
            AddLot(l.row, l.col, l.kind, "lot_a", l.price, true);
        }
        world.furthestLevel = 2;
        if (c.task >= 0) {
            const LotDef& t = lots[c.task];
            world.taskRows.push_back(cTaskRow { 2, 0, 0, t.row, t.col, t.kind, L"" });
        }
        world.money = c.money;
        MoveMouse(0, 0);
        Pass();
        const std::vector<std::pair<int, int>> blinking = c.blink ? CellsOf(c.blink) : std::vector<std::pair<int, int>> {};
        EXPECT_EQ(Count("platform_over_green.png") + Count("platform_over_red.png"), c.blink ? 1 : 0);
        if (c.blink) {
            ASSERT_EQ(blinking.size(), 1u);
            EXPECT_EQ(blinking[0], std::pair(lots[c.task].row, lots[c.task].col));
        }
        // A click on each of the other lots, then on the task lot.
        const bool taskOpen = c.task >= 0 && c.money >= lots[c.task].price;
        for (int i = 0; i < 5; ++i) {
            if (i == c.task)
                continue;
            const LotDef& l = lots[i];
            const int before = world.money;
            ClickLot(l.row, l.col);
            const bool bought = !taskOpen && before >= l.price;
            EXPECT_EQ(world.lotStatus[l.row][l.col], bought ? 9 : 0) << "lot " << i;
            EXPECT_EQ(world.money, bought ? before - l.price : before) << "lot " << i;
        }
        if (taskOpen) {
            const LotDef& t = lots[c.task];
            ClickLot(t.row, t.col);
            EXPECT_EQ(world.lotStatus[t.row][t.col], 9);
            EXPECT_EQ(world.money, c.money - t.price);
        }
    }
}

// What a click on a lot costs or pays: a buy its price when the money reaches
// it; with the station complete an extension half the price, never for the
// pump islands; while it is unfinished a sellable building refunds half.
// The lot's bubble says so beforehand. Each trade is in the saved game and the
// lot file at once.
TEST_F(ShopTradeTest, EachTradeCostsOrPaysItsShareAndIsSavedAtOnce)
{
    const struct {
        const char* what;
        int row, col; // the lot clicked: 3, 2 a building; 2, 3 or 2, 6 a pump island
        int state; // its state before: 0 not built, 9 built, 11 extended
        bool sellable, complete;
        int money;
        int stateAfter, moneyAfter;
        const char* frame; // under the mouse; nullptr none
        std::vector<std::wstring> bubble; // its lines before the click
    } cases[] = {
        { "buy", 3, 2, 0, true, false, 1000, 9, 699, "platform_over_green.png", { L"Car wash", L"text 92 301", L"text 124" } },
        { "buy with the price exactly", 3, 2, 0, true, false, 301, 9, 0, "platform_over_green.png",
            { L"Car wash", L"text 92 301", L"text 124" } },
        { "buy one short", 3, 2, 0, true, false, 300, 0, 300, "platform_over_red.png",
            { L"Car wash", L"text 92 301", L"text 115" } },
        { "sale", 3, 2, 9, true, false, 10, 0, 160, "platform_over.png", { L"Car wash", L"text 143 150" } },
        { "not sellable", 3, 2, 9, false, false, 10, 9, 10, "platform_over.png", { L"Car wash" } },
        { "extension", 3, 2, 9, true, true, 150, 11, 0, "platform_over_green.png",
            { L"Car wash", L"text 27", L"text 92 150" } },
        { "extension one short", 3, 2, 9, true, true, 149, 9, 149, "platform_over_red.png",
            { L"Car wash", L"text 27", L"text 92 150", L"text 115" } },
        { "extended already", 3, 2, 11, true, true, 1000, 11, 1000, nullptr, {} },
        { "pump island", 2, 3, 9, true, true, 1000, 9, 1000, nullptr, {} },
        { "the last pump island", 2, 6, 9, true, true, 1000, 9, 1000, nullptr, {} },
    };
    world.placeNameRows.push_back({ 3, 2, L"Car wash" });
    world.placeNameRows.push_back({ 2, 3, L"Pump" });
    world.placeNameRows.push_back({ 2, 6, L"Pump" });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.fundaments.clear();
        world.placeTemplates.clear();
        world.levelStatus[1] = 2;
        AddLot(3, 2, 1, "lot_a", 301, c.sellable);
        const int pump = c.row == 2 ? c.col : 3;
        AddLot(2, pump, 20, "lot_b", 200, true);
        AddLot(4, 7, 11, "lot_b", 100, true);
        Build(3, 2, c.row == 3 ? c.state : 9);
        Build(2, pump, c.row == 2 ? c.state : 9);
        Build(4, 7, c.complete ? 9 : 0);
        for (const cFundament& f : world.fundaments)
            world.lotTable[f.row][f.column] = f.status;
        world.upgradeBought[1] = 1;
        world.money = c.money;
        ClickLot(c.row, c.col);
        EXPECT_EQ(world.lotStatus[c.row][c.col], c.stateAfter);
        EXPECT_EQ(Lot(c.row, c.col).status, c.stateAfter);
        EXPECT_EQ(world.lotTable[c.row][c.col], c.stateAfter);
        EXPECT_EQ(world.money, c.moneyAfter);
        EXPECT_EQ(world.upgradeBought[1], c.what == std::string("sale") ? 0 : 1);
        const std::string frames[] = { "platform_over_green.png", "platform_over_red.png", "platform_over.png" };
        for (const std::string& frame : frames)
            EXPECT_EQ(Count(frame), c.frame && frame == c.frame ? 1 : 0) << frame;
        gfx.ClearRecords();
        shop.DrawPendingBubble();
        EXPECT_EQ(gfx.Texts(), c.bubble);

        // Read back from the files: the money and every lot as traded.
        const bool traded = c.stateAfter != c.state;
        const std::filesystem::path user = folder / "user";
        ASSERT_EQ(std::filesystem::exists(user / "1_bau"), traded);
        if (!traded)
            continue;
        const int statuses[] = { Lot(3, 2).status, Lot(2, pump).status, Lot(4, 7).status };
        for (cFundament& f : world.fundaments)
            f.status = world.lotStatus[f.row][f.column] = 5;
        world.money = -1;
        ASSERT_TRUE(world.LoadGame());
        world.LoadLots();
        EXPECT_EQ(world.money, c.moneyAfter);
        EXPECT_EQ(world.levelStatus[1], 2);
        EXPECT_EQ(Lot(3, 2).status, statuses[0]);
        EXPECT_EQ(Lot(2, pump).status, statuses[1]);
        EXPECT_EQ(Lot(4, 7).status, statuses[2]);
        EXPECT_EQ(world.lotStatus[c.row][c.col], c.stateAfter);
        std::filesystem::remove_all(user);
        std::filesystem::create_directories(user);
    }
}

// A lot linked to another waits until that one is built and is offered in
// the same frame it is.
TEST_F(ShopTradeTest, ALinkedLotWaitsForTheLotItNeeds)
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

// A bought building fades in from nothing; its extended look replaces it and
// hides the platform.
TEST_F(ShopTradeTest, ABoughtBuildingFadesInAndAnExtensionShowsItsOwnLook)
{
    AddLot(3, 2, 1, "lot_a", 100, true);
    world.money = 100;
    ClickLot(3, 2);
    MoveMouse(0, 0);
    Pass();
    ASSERT_EQ(Count("lot_a"), 1);
    EXPECT_EQ(FindImage("lot_a")->colour >> 24, 5u);
    for (int i = 0; i < 60; ++i)
        Pass();
    EXPECT_EQ(FindImage("lot_a")->colour >> 24, 255u);
    Build(3, 2, 11);
    Pass();
    EXPECT_EQ(Count("lot_a"), 0);
    EXPECT_EQ(Count("lot_am"), 1);
    EXPECT_EQ(Count("platform_56.png"), 0);
}

// Escape and the leave button leave the shop for the map at the furthest
// level, with the station and the money written; a frame without either stays;
// the button's label is white, yellow under the mouse;
// a shop not open draws nothing.
TEST_F(ShopTradeTest, EscapeAndTheLeaveButtonLeaveWithTheStationSaved)
{
    const struct {
        const char* what;
        bool escape, over, click;
        bool left;
        int label; // the leave label's colour: 0 not drawn, 1 white, 2 yellow under the mouse
    } cases[] = { { "nothing", false, false, false, false, 1 }, { "escape", true, false, false, true, 0 },
        { "leave button", false, true, true, true, 2 }, { "over the leave button", false, true, false, false, 2 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(folder / "user");
        std::filesystem::create_directories(folder / "user");
        world.fundaments.clear();
        AddLot(3, 2, 1, "lot_a", 300, true);
        Build(3, 2, 9);
        world.money = 1234;
        world.furthestLevel = 6;
        world.level = 31;
        world.shopOpen = world.shopInMainMenu = 1;
        MoveMouse(c.over ? 1280 - 215 + 20 : 0, c.over ? 1024 - 60 + 20 : 0);
        world.keyEscape = c.escape ? 1 : 0;
        world.leftClick = world.clickEvent = c.click ? 1 : 0;
        gfx.ClearRecords();
        Wait(20);
        shop.Update();
        const test::GfxDraw* label = nullptr;
        for (const test::GfxDraw* d : TextDraws())
            label = d->text == L"text 8" ? d : label;
        EXPECT_EQ(label != nullptr, c.label != 0);
        if (label) {
            EXPECT_EQ(label->color & 0x00FFFFFFu, c.label == 1 ? 0x00FFFFFFu : 0x00FFFF00u);
        }
        EXPECT_EQ(world.shopInMainMenu, c.left ? 0 : 1);
        EXPECT_EQ(world.shopOpen, c.left ? 0 : 1);
        EXPECT_EQ(world.level, c.left ? 6 : 31);
        EXPECT_EQ(world.keyEscape, 0);
        ASSERT_EQ(std::filesystem::exists(folder / "user/1_bau"), c.left);
        if (!c.left)
            continue;
        Build(3, 2, 0);
        world.money = 0;
        ASSERT_TRUE(world.LoadGame());
        world.LoadLots();
        EXPECT_EQ(world.money, 1234);
        EXPECT_EQ(Lot(3, 2).status, 9);
    }

    world.shopInMainMenu = world.shopOpen = 0;
    gfx.ClearRecords();
    shop.Update();
    EXPECT_TRUE(gfx.draws.empty());
}

} // namespace
