// The shop drawn headless over the head-up display's fixture: its page set
// (each image one pixel named by its place in the list), lots made through
// the world's own templates, task rows, the mouse on a lot and a click.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "frontend/menu_buy.h"
#include "scene/hud_fixture.h"

namespace test {

inline const std::vector<std::string> kShopImages
    = { "level_build", "level_build_seile", "top3", "money", "button_short_off.png", "button_short_over.png",
          "platform_56.png", "platform_57.png", "platform_58.png", "platform_over.png", "platform_over_green.png",
          "platform_over_red.png", "blase_left_01", "blase_left_02", "blase_left_03", "blase_right_01",
          "blase_right_02", "blase_right_03", "lot_a", "lot_am", "lot_b", "lot_bm", "pump", "pumpm", "tree_01.png",
          "tree_02.png", "tree_03.png", "city_1.png", "city_3.png", "city_7.png", "city_9.png", "house_01" };

class ShopTest : public HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        WriteSet("data/gui/interface/menu/menu_buy", kShopImages);
        WriteSet("data/gui/interface/menu/menu_buy_1024", kShopImages);
        std::filesystem::create_directories(folder / "user");
        world.userFolder = platform::NarrowToWide(folder / "user");
        cSettings::Instance().canSave = true;
        world.currentProfile = 1;
        world.levelTint[0] = world.levelTint[1] = world.levelTint[2] = 255;
        world.AddFundament(56, "platform_56", "platform_56", 9);
        shop.SetActive(true);
        shop.LayoutStation();
        MoveMouse(0, 0);
    }
    void TearDown() override
    {
        shop.SetActive(false);
        HudTest::TearDown();
    }

    // A lot of its own element kind; interactive, and sellable and free to
    // buy when `free` is set.
    void AddLot(int row, int col, int kind, const std::string& image, int price, bool free)
    {
        world.AddPlaceLot(kind, image, 0, 0, price);
        world.CreateLot(row, col, 56, kind, 1, free ? 1 : 0, 0);
    }
    // The furthest level needs the element kind on the cell.
    void Task(int level, int row, int col, int kind)
    {
        world.taskRows.push_back(cTaskRow { level, 0, 0, row, col, kind, L"" });
        world.furthestLevel = level;
    }
    void Build(int row, int col, int state)
    {
        cFundament& f = Lot(row, col);
        f.status = state;
        world.lotStatus[row][col] = state;
    }
    cFundament& Lot(int row, int col) { return world.fundaments[static_cast<size_t>(world.FindFundamentAt(row, col))]; }
    // A point well inside the lot's outline.
    void HoverLot(int row, int col) { MoveMouse(world.cellX[row][col] + 70, world.cellY[row][col] + 160); }
    // One lot pass, with a click when asked.
    void Pass(bool click = false)
    {
        gfx.ClearRecords();
        Wait(20);
        world.leftClick = click ? 1 : 0;
        shop.DrawStation();
    }
    int Count(const std::string& image) const
    {
        int n = 0;
        for (const std::string& name : ImageNames())
            n += name == image ? 1 : 0;
        return n;
    }

    Scene::MenuBuy shop;
};

} // namespace test
