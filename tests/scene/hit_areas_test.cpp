// Every level at both screen sizes, drawn headless by the engine from the
// shipped scripts and the generated pages: the middle of each cell, place,
// grid car and stack car as the player sees it lies in the area the game
// hit-tests for that object and for no neighbour, and a press on a grid car's
// middle picks that car up. The middle of an object is the centre of the
// pixels that change when the object is taken out of the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>

#include "engine/engine_testing.h"
#include "engine/gfx.h"
#include "frontend/shop.h"
#include "recording_screens.h"
#include "scene/car_layer.h"
#include "scene/screen_manager.h"
#include "scene/station_view.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "support/recording_gfx.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace {

struct Size {
    int width, height;
};
struct Point {
    int x, y;
};

constexpr int kJoker = 90;
// The station-building level, played on the shop's lots.
constexpr int kShopLevel = 31;

std::unique_ptr<Scene::Screen> MakeScreen(int slot)
{
    switch (slot) {
    case cScreenManager::kStationView:
        return std::make_unique<Scene::StationView>();
    case cScreenManager::kCarLayer:
        return std::make_unique<Scene::CarLayer>();
    case cScreenManager::kShop:
        return std::make_unique<Scene::Shop>();
    default:
        return test::MakeRecordingScreen(slot);
    }
}

class HitAreas : public ::testing::TestWithParam<std::tuple<int, Size>> {
protected:
    void SetUp() override
    {
        const Size size = std::get<1>(GetParam());
        InitEngine(522, &device, &gfx);
        ASSERT_TRUE(SUCCEEDED(device->Create(nullptr, size.width, size.height)));
        world.ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
        cSettings::Instance().SetResolution(size.width, size.height);
        world.ComputeLayout();
        cScreenManager::Instance().SetFactoryForTests(MakeScreen);
        ASSERT_TRUE(cScreenManager::Instance().CreateScreens());
        ASSERT_TRUE(Script::Initialize());
        ASSERT_TRUE(ExportStory());
        cGameWorld::SetMouseSource([this](int& x, int& y) { x = input.x, y = input.y; });
        input.x = input.y = -1000;
    }
    void TearDown() override
    {
        cGameWorld::SetMouseSource(nullptr);
        Story::Instance().ReleaseLevelScript();
        Script::ShutDown();
        cScreenManager::Instance().DestroyScreens();
        cScreenManager::Instance().SetFactoryForTests(nullptr);
        world.ResetToDefaults();
        cSettings::Instance().ResetToDefaults();
        CloseEngine();
    }

    void Render()
    {
        device->BeginScene();
        device->Clear(0, nullptr, GFX_CLEAR_ALL, 0xFF000000, 0.0f, 0);
        if (shop) {
            shop->DrawStation();
        } else {
            over->Draw();
            if (world.drawStation != 1 && world.gamePlayMode == 1)
                carLayer->DrawSwapFundamentAutos();
            else if (world.drawStation != 1)
                carLayer->DrawGridAutos();
            carLayer->DrawStackAutos();
        }
        device->EndScene();
    }

    // The centre of what `hide` takes out of the picture near (x, y).
    std::optional<Point> Middle(int x, int y, const std::function<void(bool hidden)>& hide)
    {
        constexpr int kStep = 3, kColumns = 330 / kStep, kRows = 320 / kStep;
        const auto picture = [&] {
            std::vector<uint32_t> pixels(static_cast<size_t>(kColumns * kRows), 0);
            Render();
            for (int j = 0; j < kRows; ++j)
                for (int i = 0; i < kColumns; ++i)
                    engine::ReadPixel(x - 60 + i * kStep, y - 60 + j * kStep, &pixels[size_t(j * kColumns + i)]);
            return pixels;
        };
        const std::vector<uint32_t> with = picture();
        hide(true);
        const std::vector<uint32_t> without = picture();
        hide(false);
        long sumX = 0, sumY = 0, count = 0;
        for (int j = 0; j < kRows; ++j) {
            for (int i = 0; i < kColumns; ++i) {
                if (without[size_t(j * kColumns + i)] != with[size_t(j * kColumns + i)]) {
                    sumX += x - 60 + i * kStep;
                    sumY += y - 60 + j * kStep;
                    ++count;
                }
            }
        }
        if (count == 0)
            return std::nullopt;
        return Point { static_cast<int>(sumX / count), static_cast<int>(sumY / count) };
    }

    // Whether the middle of the cell's face is on the screen, where the
    // player can press it.
    bool OnScreen(int row, int column) const
    {
        const Size size = std::get<1>(GetParam());
        const int x = world.cellX[row][column] + 118, y = world.cellY[row][column] + 118;
        return x >= 0 && y >= 0 && x < size.width && y < size.height;
    }

    // The cells of the grid whose hit area holds the point.
    std::vector<std::pair<int, int>> CellsUnder(Point p) const
    {
        std::vector<std::pair<int, int>> cells;
        for (const cFundament& f : world.fundaments)
            if (!f.hidden && world::IsGridCell(f.row, f.column) && world.IsMouseOverPlace(f.row, f.column, p.x, p.y))
                cells.emplace_back(f.row, f.column);
        return cells;
    }

    // The middle of what an object (a cell's platform or a place) adds to
    // the picture lies over its own cell alone; its row moves it off the grid.
    void ExpectOnlyCellAtMiddle(int& row, int column, const char* what, bool drawn)
    {
        const int at = row;
        SCOPED_TRACE(std::string(what) + " " + std::to_string(at) + "," + std::to_string(column));
        const auto middle = Middle(
            world.cellX[at][column], world.cellY[at][column], [&](bool hidden) { row = hidden ? at + 100 : at; });
        if (!drawn && !middle)
            return; // a place of no image
        ASSERT_TRUE(middle.has_value());
        EXPECT_EQ(CellsUnder(*middle), (std::vector<std::pair<int, int>> { { at, column } }))
            << what << " at " << middle->x << "," << middle->y;
    }

    // On the first levels (of their own and of the shared setups of grid and
    // station levels), what each cell puts on the screen, its platform, place
    // and car, meets a neighbour's no more than along their shared edge, and
    // the stack's cars lie off the grid.
    void ExpectTilesApart()
    {
        for (cPlace& place : world.places)
            place.alpha = place.type >= 100 ? 0 : place.alpha; // the trees stand apart
        for (cStackSlot& slot : world.stackSlots)
            slot.autoType = 1; // every slot holds a car
        std::map<std::pair<int, int>, std::set<std::pair<int, int>>> cells;
        std::set<std::pair<int, int>> grid;
        for (const cFundament& f : world.fundaments) {
            if (!world::IsGridCell(f.row, f.column) || !OnScreen(f.row, f.column))
                continue;
            const int x = world.cellX[f.row][f.column], y = world.cellY[f.row][f.column];
            const auto& covered = cells[{ f.row, f.column }]
                = Covered(RECT { x - 40, y - 80, x + 260, y + 240 }, { f.row, f.column });
            EXPECT_GT(covered.size(), 1000u) << "cell " << f.row << "," << f.column << " shows nothing";
            grid.insert(covered.begin(), covered.end());
        }
        for (const auto& [cell, covered] : cells) {
            for (const auto& [other, theirs] : cells) {
                if (other <= cell || std::abs(other.first - cell.first) > 1 || std::abs(other.second - cell.second) > 1)
                    continue;
                // An edge of a face is under 160 pixels long: 80 points, two deep.
                EXPECT_LE(std::ranges::count_if(covered, [&](auto p) { return theirs.count(p) > 0; }), 160)
                    << cell.first << "," << cell.second << " and " << other.first << "," << other.second;
            }
        }
        const auto stack = Covered(RECT { 0, 0, 1280, 1024 }, { -1, -1 });
        EXPECT_EQ(std::ranges::count_if(stack, [&](auto p) { return grid.count(p) > 0; }), 0);
    }

    // The points of a 2-pixel lattice in the box that the picture covers
    // with only the cell's platform, place and car, or (no cell) the stack.
    std::set<std::pair<int, int>> Covered(RECT box, std::pair<int, int> cell)
    {
        const auto hide = [&](int& row, int column, int by) {
            if (world::IsGridCell(row - (by < 0 ? 100 : 0), column) && std::pair { row % 100, column } != cell)
                row += by;
        };
        for (const int by : { 100, -100 }) {
            for (cFundament& f : world.fundaments)
                hide(f.row, f.column, by);
            for (cPlace& place : world.places)
                hide(place.row, place.column, by);
            for (cStackSlot& slot : world.stackSlots)
                slot.busy = by > 0 && cell.first >= 0;
            if (by > 0)
                Render();
        }
        std::set<std::pair<int, int>> covered;
        for (int y = box.top & ~1; y < box.bottom; y += 2)
            for (int x = box.left & ~1; x < box.right; x += 2)
                if (uint32_t pixel = 0; engine::ReadPixel(x, y, &pixel) && (pixel & 0xFFFFFFu) != 0)
                    covered.emplace(x, y);
        return covered;
    }

    cGameWorld& world = cGameWorld::Instance();
    iGfxDevice* device = nullptr;
    iGfx2D* gfx = nullptr;
    test::FakeInput input;
    Scene::StationView* over = nullptr;
    Scene::CarLayer* carLayer = nullptr;
    Scene::Shop* shop = nullptr;
};

TEST_P(HitAreas, EachObjectsMiddleIsWhereTheGameLooksForIt)
{
    world.level = std::get<0>(GetParam());
    world.levelTint[0] = world.levelTint[1] = world.levelTint[2] = 255;
    if (world.level == kShopLevel) {
        // The lots: each drawn lot's middle is over that lot and no other.
        shop = dynamic_cast<Scene::Shop*>(cScreenManager::Instance().GetScreen(cScreenManager::kShop));
        ASSERT_NE(shop, nullptr);
        shop->SetActive(true);
        shop->LayoutStation();
        Story::Instance().InitLevel();
        ASSERT_GE(Story::Instance().ScriptId(), 0);
        int lots = 0;
        for (cFundament& f : world.fundaments) {
            if (!world::IsGridCell(f.row, f.column))
                continue;
            const int row = f.row, column = f.column;
            SCOPED_TRACE("lot " + std::to_string(row) + "," + std::to_string(column));
            const auto middle = Middle(world.cellX[row][column], world.cellY[row][column],
                [&](bool hidden) { f.row = hidden ? row + 100 : row; });
            if (!middle)
                continue;
            ++lots;
            input.x = middle->x, input.y = middle->y;
            for (const cFundament& g : world.fundaments) {
                if (world::IsGridCell(g.row, g.column) && (g.row != row || g.column != column)) {
                    EXPECT_FALSE(shop->IsMouseOverLot(g.row, g.column)) << g.row << "," << g.column;
                }
            }
            EXPECT_TRUE(shop->IsMouseOverLot(row, column)) << "lot at " << middle->x << "," << middle->y;
        }
        EXPECT_GT(lots, 0);
        return;
    }
    over = Scene::StationView::Instance();
    carLayer = Scene::CarLayer::Instance();
    ASSERT_NE(over, nullptr);
    ASSERT_NE(carLayer, nullptr);
    over->SetActive(true);
    Story::Instance().InitLevel();
    ASSERT_GE(Story::Instance().ScriptId(), 0);
    carLayer->SetActive(true);
    world.levelActive = 1;
    world.SetPause(false);

    for (size_t i = 0; i < world.fundaments.size(); ++i) {
        cFundament& f = world.fundaments[i];
        if (f.hidden || !world::IsGridCell(f.row, f.column) || !OnScreen(f.row, f.column))
            continue;
        const std::pair<int, int> cell { f.row, f.column };
        const int x = world.cellX[f.row][f.column], y = world.cellY[f.row][f.column];
        SCOPED_TRACE("cell " + std::to_string(f.row) + "," + std::to_string(f.column));
        const int car = f.autoType;
        if (car != -1 && car < kJoker) {
            const auto middle = Middle(x, y, [&](bool hidden) { f.autoType = hidden ? -1 : car; });
            ASSERT_TRUE(middle.has_value());
            EXPECT_EQ(CellsUnder(*middle), std::vector { cell }) << "car at " << middle->x << "," << middle->y;
            // A press on the car's middle takes that car.
            input.x = middle->x, input.y = middle->y;
            world.leftDown = 1;
            Render();
            EXPECT_EQ(world.autoOnMouse, car);
            EXPECT_EQ(world.swapSource, static_cast<int>(i));
            f.autoType = car;
            f.alpha = 255;
            world.autoOnMouse = world.swapSource = -1;
            world.managerBelowLimit = 1;
            world.leftDown = 0;
            input.x = input.y = -1000;
        }
        f.autoType = -1;
        ExpectOnlyCellAtMiddle(f.row, f.column, "platform", true);
        f.autoType = car;
    }

    for (cPlace& place : world.places) {
        if (place.type < 100 && world::IsGridCell(place.row, place.column) && OnScreen(place.row, place.column))
            ExpectOnlyCellAtMiddle(place.row, place.column, "place", false);
    }

    const cSettings& settings = cSettings::Instance();
    for (cStackSlot& slot : world.stackSlots) {
        const int car = slot.autoType;
        if (car < 0 || slot.busy)
            continue;
        const int x = static_cast<int>(slot.x / settings.scaleX), y = static_cast<int>(slot.y / settings.scaleY);
        const auto middle = Middle(x, y, [&](bool hidden) { slot.autoType = hidden ? -1 : car; });
        ASSERT_TRUE(middle.has_value());
        input.x = middle->x, input.y = middle->y;
        EXPECT_TRUE(carLayer->HitTestCar(x, y, slot.direction)) << "stack car at " << middle->x << "," << middle->y;
    }
    if (world.level <= 4)
        ExpectTilesApart();
}

// What each cell of the first levels (of their own and of the shared setups
// of grid and station levels) puts on the screen, its platform, place and
// car, meets a neighbour's no more than along their shared edge, at both
// sizes, and the stack's cars lie off the grid.
INSTANTIATE_TEST_SUITE_P(Levels, HitAreas,
    ::testing::Combine(::testing::Range(1, 32), ::testing::Values(Size { 1280, 1024 }, Size { 1024, 768 })),
    [](const auto& info) {
        return "Level" + std::to_string(std::get<0>(info.param)) + "_" + std::to_string(std::get<1>(info.param).width);
    });

} // namespace
