// A station laid out through the world's operations: templates, places and
// fundaments on cells, lots, colours, combos on places and the help hints.
#include <gtest/gtest.h>

#include "world_fixture.h"

namespace {

class Places : public test::WorldRecords {
protected:
    // A decoration first, so that no service place has index 0, then the
    // templates of a red pump (type 6) and a platform.
    void DeclareStation()
    {
        world.AddOver(101, "tree_01");
        world.CreatePlace(101, 640, 100, 0);
        world.AddPlace(6, "pump_red", 3);
        world.SetOffsetForAuto(6, 20, -5, 9);
        world.SetObjectOffsets(6, 9, 7, 8);
        world.AddFundament(1, "plate", "plate_b", 9);
    }
};

TEST_F(Places, ServicePlaceTakesItsCellAndTemplateAndLinksTheFundament)
{
    DeclareStation();
    world.CreateFundament(1, 2, 3, 9, -1);
    world.CreatePlace(6, 2, 3, 9);

    ASSERT_EQ(world.places.size(), 2u);
    const cPlace& decoration = world.places[0];
    EXPECT_EQ(decoration.x, 640);
    EXPECT_EQ(decoration.y, 100);
    EXPECT_EQ(decoration.row, -1);
    EXPECT_EQ(decoration.texture, "tree_01");

    const cPlace& pump = world.places[1];
    EXPECT_EQ(pump.x, world.cellX[2][3] + 5);
    EXPECT_EQ(pump.y, world.cellY[2][3] + 10);
    EXPECT_EQ(pump.row, 2);
    EXPECT_EQ(pump.column, 3);
    EXPECT_EQ(pump.texture, "pump_red");
    EXPECT_EQ(pump.autoOffsetX, 20);
    EXPECT_EQ(pump.autoOffsetY, -5);
    EXPECT_EQ(pump.objectOffsetX, 7);
    EXPECT_EQ(pump.objectOffsetY, 8);
    EXPECT_EQ(pump.value, 3);
    EXPECT_EQ(pump.autoType, -1);
    EXPECT_EQ(pump.colorChangeLimit, 5);
    EXPECT_EQ(pump.lampName, L"lampe_green");

    ASSERT_EQ(world.fundaments.size(), 1u);
    EXPECT_EQ(world.fundaments[0].content, 1);
    EXPECT_EQ(world.fundaments[0].texture, L"plate.png");
    EXPECT_EQ(world.fundaments[0].texture2, L"plate_b.png");
    EXPECT_EQ(world.fundaments[0].autoType, -1);
}

TEST_F(Places, MissingTemplatesStillMakeTheRecord)
{
    world.CreateFundament(1, 4, 4, 9, -1);
    world.CreatePlace(7, 4, 4, 9);
    ASSERT_EQ(world.places.size(), 1u);
    EXPECT_EQ(world.places[0].texture, "");
    EXPECT_EQ(world.fundaments[0].content, 0);

    // A template for another direction is not the one asked for.
    world.AddFundament(2, "plate", "plate", 3);
    logged.clear();
    world.CreateFundament(2, 5, 5, 9, -1);
    ASSERT_EQ(world.fundaments.size(), 2u);
    EXPECT_EQ(world.fundaments[1].texture, L"xxxxxxx");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_TRUE(LoggedContaining(L"fundament: texture 2  direction 9 not found"));
}

TEST_F(Places, ThreeInARow)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> cells;
        bool expected;
    };
    const Case cases[] = {
        {"row at the right edge", {{0, 7}, {0, 8}, {0, 9}}, true},
        {"column at the bottom edge", {{7, 0}, {8, 0}, {9, 0}}, true},
        {"no wrap into the next row", {{0, 8}, {0, 9}, {1, 0}}, false},
        {"gap in a row", {{3, 1}, {3, 2}, {3, 4}}, false},
        {"column in the middle", {{4, 5}, {5, 5}, {6, 5}}, true},
        {"diagonal", {{1, 1}, {2, 2}, {3, 3}}, false},
        {"nothing", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        world.places.clear();
        for (const auto& [row, column] : c.cells)
            world.CreatePlace(6, row, column, 9);
        EXPECT_EQ(world.Exist3(), c.expected);
    }
    // Only the service types 6..11 set a cell.
    world.places.clear();
    for (int column = 0; column < 3; ++column)
        world.CreatePlace(12, 0, column, 9);
    EXPECT_FALSE(world.Exist3());
    EXPECT_FALSE(world.IsCellSet(0, 0));
}

TEST_F(Places, LotFillsTheCellTables)
{
    world.AddFundament(20, "lot", "lot_b", 9);
    world.AddPlaceLot(45, "house_07", 11, -12, 900);
    world.CreateLot(3, 6, 20, 45, 1, 2, 3);

    ASSERT_EQ(world.fundaments.size(), 1u);
    const cFundament& lot = world.fundaments[0];
    EXPECT_EQ(lot.texture, L"lot.png");
    EXPECT_EQ(lot.placeTexture, L"house_07");
    EXPECT_EQ(lot.content, 45);
    EXPECT_EQ(lot.direction, 9);
    EXPECT_EQ(lot.lotValue, 900);
    EXPECT_EQ(lot.objectOffsetX, 11);
    EXPECT_EQ(lot.objectOffsetY, -12);
    EXPECT_EQ(lot.paramC, 3);
    EXPECT_EQ(lot.status, 0);
    EXPECT_EQ(lot.alpha, 0);
    EXPECT_EQ(world.lotFundamentTexture[3][6], 20);
    EXPECT_EQ(world.lotInteractive[3][6], 1); // the refused lots wrote nothing
    EXPECT_EQ(world.lotPlaceValue[3][6], 900);
    EXPECT_EQ(world.lotInteractive[3][6], 1);
    EXPECT_EQ(world.lotSellable[3][6], 2);
    EXPECT_EQ(world.lotFreeBuy[3][6], 2); // the sellable value, as the shop reads it

    // While the intro runs the lot shows as built.
    world.intro = 1;
    world.CreateLot(3, 7, 20, 45, 0, 0, 0);
    EXPECT_EQ(world.fundaments.back().status, 9);
    EXPECT_EQ(world.fundaments.back().alpha, 255);

    // An unknown platform still makes the lot, with the stand-in texture.
    logged.clear();
    world.CreateLot(4, 7, 99, 46, 0, 0, 0);
    EXPECT_EQ(world.fundaments.back().texture, L"xxxxxxx");
    EXPECT_EQ(world.lotFundamentTexture[4][7], 0);
    EXPECT_TRUE(LoggedContaining(L"fundament: texture 99  not found"));
}

TEST_F(Places, TakenAndInvalidCellsAreRefused)
{
    world.AddFundament(20, "lot", "lot", 9);
    world.CreateLot(3, 6, 20, 45, 1, 1, 1);
    const struct {
        int row;
        int column;
    } cells[] = {{3, 6}, {-1, 0}, {0, -1}, {20, 0}, {0, 20}, {-2147483647 - 1, 5}};
    for (const auto& cell : cells) {
        SCOPED_TRACE(testing::Message() << cell.row << ", " << cell.column);
        logged.clear();
        world.CreateLot(cell.row, cell.column, 20, 46, 7, 7, 7);
        EXPECT_EQ(world.fundaments.size(), 1u);
        EXPECT_EQ(logged.size(), 1u);
        if (cell.row != 3) {
            world.CreateFundament(20, cell.row, cell.column, 9, -1);
            world.CreatePlace(6, cell.row, cell.column, 9);
            world.AddSpecAuto(cell.row, cell.column, 4);
            EXPECT_EQ(world.fundaments.size(), 1u);
            EXPECT_TRUE(world.places.empty());
            EXPECT_TRUE(world.jokers.empty());
            EXPECT_EQ(logged.size(), 4u);
        }
    }
    EXPECT_EQ(world.lotInteractive[3][6], 1); // the refused lots wrote nothing
    // Decorations are placed by screen position, any position.
    world.CreatePlace(150, -40, 5000, 0);
    EXPECT_EQ(world.places.size(), 1u);
}

TEST_F(Places, ColourSetsPlaceAndPlatformByRegion)
{
    world.AddFundament(1, "plate", "plate", 9);
    const struct {
        int level;
        const wchar_t* region;
    } cases[] = {{3, L"platform_gras.png"}, {8, L"platform_snow.png"}, {14, L"platforms_usa.png"},
        {20, L"plate.png"}, {26, L"platform_wueste.png"}, {31, L"plate.png"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        world.places.clear();
        world.fundaments.clear();
        world.level = c.level;
        world.CreateFundament(1, 1, 1, 9, -1);
        world.CreatePlace(8, 1, 1, 9);
        world.SetColor(1, 1, 2);
        EXPECT_EQ(world.places[0].colour, 2);
        EXPECT_EQ(world.fundaments[0].colour, 2);
        EXPECT_EQ(world.fundaments[0].texture, L"platform_build.png");
        EXPECT_EQ(world.fundaments[0].texture2, c.region);
    }
    logged.clear();
    world.SetColor(1, 1, 20);
    world.SetColor(1, 1, -1);
    EXPECT_EQ(world.places[0].colour, 2);
    EXPECT_EQ(logged.size(), 2u);
}

TEST_F(Places, CombosWearThePlaceUntilItBreaks)
{
    DeclareStation();
    world.CreateEffects(3, "fx_combo", 12, 0, 0);
    world.CreatePlace(6, 2, 3, 9);
    world.damageMode = 1;
    struct Step {
        int length;
        int wear;
        const wchar_t* lamp;
        int state;
    };
    const Step steps[] = {{3, 5, L"lampe_green", 0}, {5, 20, L"lampe_green", 0}, {6, 40, L"lampe_yellow", 0},
        {6, 60, L"lampe_yellow", 0}, {6, 80, L"lampe_red", 0}, {4, 90, L"lampe_red", 0}, {3, 95, L"blink", 0},
        {4, 0, L"none", 2}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.wear);
        world.SetPlaceAuto(1, 4);
        world.PutAutoOnPlace(1, 0, 1);
        world.ApplyComboToPlace(1, s.length);
        EXPECT_EQ(world.places[1].wear, s.wear);
        EXPECT_EQ(world.places[1].lampName, s.lamp);
        EXPECT_EQ(world.places[1].state, s.state);
        EXPECT_EQ(world.places[1].animationName, L"phase100");
        EXPECT_TRUE(world.placeAutos.empty());   // the served car leaves
    }
    EXPECT_EQ(world.leavingAutos.size(), 8u);
    // Only the effect type declared (3) plays, above the place.
    ASSERT_EQ(world.effects.size(), 2u);
    EXPECT_EQ(world.effects[0].x, world.places[1].x);
    EXPECT_EQ(world.effects[0].y, world.places[1].y - 60);
    EXPECT_EQ(world.effects[0].owner, 1);
    EXPECT_FLOAT_EQ(world.effects[0].speed, 0.036f);
}

TEST_F(Places, TextureOfAMissingPlaceIsLogged)
{
    DeclareStation();
    world.CreatePlace(6, 2, 3, 9);
    world.PlaceTexture(6, "pump_red_new");
    EXPECT_EQ(world.places[1].texture, "pump_red_new");
    world.PlaceTexture(42, "nothing");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_TRUE(LoggedContaining(L"message: "));
    EXPECT_TRUE(LoggedContaining(L"error -> SCRIPT PlaceTexture - number 42 not exist"));
}

// A script's texture goes to the first place of the number it names, wherever
// that place stands in the station's list (the first, one between, the
// last); a number no place has changes nothing and is logged.
TEST_F(Places, ATextureGoesToTheFirstPlaceOfItsNumberWhereverItStands)
{
    world.AddPlace(6, "pump_red", 3);
    world.AddPlace(7, "pump_blue", 3);
    world.AddOver(101, "tree_01");
    world.CreatePlace(6, 2, 3, 9);
    world.CreatePlace(7, 2, 4, 9);
    world.CreatePlace(6, 3, 3, 9);
    world.CreatePlace(101, 640, 100, 0);
    ASSERT_EQ(world.places.size(), 4u);
    std::vector<std::string> before;
    for (const cPlace& p : world.places)
        before.push_back(p.texture);
    const struct {
        int number;
        int changed; // index of the place that takes it, -1 none
    } cases[] = { { 6, 0 }, { 7, 1 }, { 101, 3 }, { 42, -1 }, { -1, -1 }, { 0, -1 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        for (std::size_t i = 0; i < before.size(); ++i)
            world.places[i].texture = before[i];
        logged.clear();
        world.PlaceTexture(c.number, "new_look");
        for (std::size_t i = 0; i < before.size(); ++i)
            EXPECT_EQ(world.places[i].texture, static_cast<int>(i) == c.changed ? "new_look" : before[i]) << i;
        EXPECT_EQ(LoggedContaining(L"PlaceTexture - number"), c.changed < 0);
    }
}

TEST_F(Places, RelayoutFollowsTheCellsAndSkipsPlacesWithoutOne)
{
    DeclareStation();
    world.CreatePlace(6, 2, 3, 9);
    world.CreatePlace111(7, 300, 200, 0, 5);   // a low type placed by position
    world.SetPlaceAuto(1, 4);
    world.PutAutoOnPlace(1, 0, 1);
    cSettings::Instance().SetResolution(1024, 768);
    world.ComputeLayout();
    world.RelayoutPlaces();
    EXPECT_EQ(world.places[1].x, world.cellX[2][3] + 5);
    EXPECT_EQ(world.places[2].x, 300);
    EXPECT_EQ(world.places[2].extra, 5);
    EXPECT_TRUE(world.placeAutos.empty());
}

TEST_F(Places, HintsForAPairBesideTheCell)
{
    world.AddAuto(1, 1, "car_red");
    world.AddAuto(2, 1, "car_blue");
    world.autoTypes[0].class_ = 11;
    world.autoTypes[1].class_ = 12;
    world.drawStation = 0;
    for (int row = 1; row <= 8; ++row)
        world.CreateFundament(1, row, 4, 9, -1);
    world.AddAutoToFundament(2, 4, 1);
    world.AddAutoToFundament(3, 4, 1);
    world.AddAutoToFundament(6, 4, 2);
    EXPECT_EQ(world.fundaments[1].alpha, 255);
    EXPECT_EQ(world.fundaments[1].hidden, 0);

    EXPECT_EQ(world.GetClassAt(2, 4), 11);
    EXPECT_EQ(world.GetClassAt(5, 4), -1);
    // Fundament 3 (row 4) has the pair of rows 2 and 3 above it.
    world.AddHelpHint(3);
    ASSERT_EQ(world.hintCount, 1);
    EXPECT_EQ(world.hintIndex[0], 3);
    EXPECT_EQ(world.hintX[0], 4);
    EXPECT_EQ(world.hintY[0], 4);
    EXPECT_EQ(world.hintClass[0], 11);
    EXPECT_EQ(world.hintAutoType[0], 1);
    EXPECT_EQ(world.hintTimer[0], 999);
    // Row 7 has one car of class 12 beside it, no pair.
    world.AddHelpHint(6);
    EXPECT_EQ(world.hintCount, 1);

    // A full table takes no more; bad indices and a switched-off helper none.
    for (int i = 0; i < 60; ++i)
        world.AddHelpHint(3);
    EXPECT_EQ(world.hintCount, 50);
    world.hintCount = 0;
    world.AddHelpHint(-1);
    world.AddHelpHint(99);
    world.helpAuto = 0;
    world.AddHelpHint(3);
    EXPECT_EQ(world.hintCount, 0);
}

} // namespace
