// The shop over one-pixel images in a scratch folder, lots made through the
// world's templates, player files written to the test's own user folder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "frontend/shop.h"
#include "scene/hud_fixture.h"

namespace test {

// The shop over one-pixel images, lots made through the world's templates.
class ShopTest : public HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        const std::vector<std::string> images = { "level_build", "level_build_seile", "top3", "money",
            "button_short_off.png", "button_short_over.png", "platform_56.png", "platform_57.png", "platform_over.png",
            "platform_over_green.png", "platform_over_red.png", "lot_a", "lot_am", "lot_b", "tree_02.png", "city_1.png",
            "city_3.png", "city_7.png", "city_9.png" };
        WriteSet("data/gui/interface/menu/menu_buy", images);
        WriteSet("data/gui/interface/menu/menu_buy_1024", images);
        std::filesystem::create_directories(folder / "user");
        world.userFolder = platform::NarrowToWide(folder / "user");
        cSettings::Instance().canSave = true;
        world.currentProfile = 1;
        world.AddFundament(56, "platform_56", "platform_56", 9);
        shop.SetActive(true);
        shop.LayoutStation();
    }
    void TearDown() override
    {
        shop.SetActive(false);
        HudTest::TearDown();
    }
    // A lot of its own element kind; sellable and free to buy when `free`.
    void AddLot(int row, int col, int kind, const std::string& image, int price, bool free)
    {
        world.AddPlaceLot(kind, image, 0, 0, price);
        world.CreateLot(row, col, 56, kind, 1, free ? 1 : 0, 0);
    }
    void Build(int row, int col, int state) { Lot(row, col).status = world.lotStatus[row][col] = state; }
    cFundament& Lot(int row, int col) { return world.fundaments[static_cast<size_t>(world.FindFundamentAt(row, col))]; }
    // A click well inside the lot's outline.
    void ClickLot(int row, int col)
    {
        MoveMouse(world.cellX[row][col] + 70, world.cellY[row][col] + 160);
        gfx.ClearRecords();
        Wait(20);
        world.leftClick = 1;
        shop.DrawStation();
    }
    // A frame of the lots with the mouse where it is, a click in it or not.
    void Pass(bool click = false)
    {
        gfx.ClearRecords();
        Wait(20);
        world.leftClick = click ? 1 : 0;
        shop.DrawStation();
    }
    void HoverLot(int row, int col) { MoveMouse(world.cellX[row][col] + 70, world.cellY[row][col] + 160); }
    int Count(const std::string& name) const
    {
        const auto names = ImageNames();
        return static_cast<int>(std::count(names.begin(), names.end(), name));
    }

    Scene::Shop shop;
};
} // namespace test
