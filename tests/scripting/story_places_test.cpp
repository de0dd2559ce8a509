// A station built from a level script: templates, places and fundaments,
// lots to build, the searches scripts make over them, a place upgraded and a
// broken one repaired from the script's callbacks.
#include <string>

#include <gtest/gtest.h>

#include "scripting/story.h"
#include "scripting/story_method_fixture.h"

namespace {

using StoryPlaces = test::StoryMethodTest;

const char* const kStationLevel = R"(
function on_init()
    Story:CreatePlace(100, 50, 60, 9)
    Story:AddPlace(6, "station_a", 3)
    Story:AddPlace(7, "station_b", 5)
    Story:SetOffsetForAuto(6, 20, 10, 9)
    Story:SetObjectOffsets(6, 9, 7, 8)
    Story:SetObjectOffsets(7, 3, 1, 1) -- no template of type 7 faces that way
    Story:AddFundament(1, "ground", "ground2", 9)
    for c = 0, 2 do
        Story:CreateFundament(1, 2, c, 9, -1)
        Story:CreatePlace(6 + c % 2, 2, c, 9)
        Story:SetColor(2, c, c % 2)
    end
    Story:CreateFundament(1, 3, 3, 9, -1)
    Story:CreateLot(5, 5, 1, 7, 1, 2, 3)
    Story:SetBuildingStatus(2, 0, 9)
    Story:SetLotForBuild(4, 4)
    Story:SetDrawStation(1)
    Story:SetBuild(2)
end
function ok_update()
    -- The upgraded place gets its new look and the script pays for it.
    if Story:GetPlaceProperty(7) ~= -1 then Story:PlaceTexture(7, "station_b_" .. Story:GetUpdateColor()) end
    Story:SetMoney(Story:GetMoney() - 100)
end
function ok_build()
    local broken = Story:GetPlaceForRepaire()
    if broken ~= -1 then Story:SetStatePlace(broken, 0) end
end
function ok_saw()
    -- Called while the world finishes a lot: the script may build more.
    for i = 1, 100 do Story:CreatePlace(100 + i, i, i, 9) end
    for c = 0, 9 do Story:CreateFundament(1, 9, c, 9, -1) end
end
)";

TEST_F(StoryPlaces, AStationIsBuiltFromTheScript)
{
    cGameWorld& world = cGameWorld::Instance();
    StartLevel(kStationLevel, 8);
    ASSERT_TRUE(ScriptErrors().empty());
    ASSERT_EQ(world.places.size(), 4u);
    EXPECT_EQ(world.places[1].texture, "station_a");
    EXPECT_EQ(world.places[1].autoOffsetX, 20);
    EXPECT_EQ(world.places[3].objectOffsetY, 8);
    EXPECT_EQ(world.places[2].objectOffsetX, 0);
    EXPECT_EQ(world.places[2].colour, 1);
    ASSERT_EQ(world.fundaments.size(), 5u);
    EXPECT_EQ(world.fundaments[0].content, 1); // the place standing on it
    EXPECT_EQ(world.lotStatus[2][0], 9);
    EXPECT_EQ(world.drawStation, 1);

    ASSERT_TRUE(Holds("Story:GetPlaceCounter(6) == 2 and Story:GetPlaceCounter(7) == 1 and Story:GetFreePlace() == 0"));
    ASSERT_TRUE(Holds("Story:CounterNotBadStation() == 3 and Story:GetPlaceForRepaire() == -1"));
    ASSERT_TRUE(
        Holds("Story:ExistWorkPlace(6) == 2 and Story:ExistWorkPlace(7) == 1 and Story:ExistWorkPlace(8) == 0"));
    ASSERT_TRUE(Holds("Story:ExistWorkPlace(5) == 0 and Story:ExistWorkPlace(11) == 0"));
    ASSERT_TRUE(Holds("Story:GetBuildingStatus(2, 0) == 9 and Story:GetBuildingStatus(5, 5) == 0"));
    ASSERT_TRUE(Holds("Story:GetBuildingStatus(7, 7) == -1 and Story:PlaceIsBuild(1) and not Story:PlaceIsBuild(2)"));
    ASSERT_TRUE(Holds("Story:ExistPlaceForBuild() and Story:GetFreeLot() == 1 and Story:GetProcentBuilding() == 10"));
    ASSERT_TRUE(
        Holds("Story:GetColorPlace(2, 1) == 1 and Story:GetColorPlace(2, 2) == 0 and Story:GetColorPlace(6, 6) == -1"));
    ASSERT_TRUE(Holds("Story:GetBuild() == 2"));

    // A place that wears out is found for repair, and the script mends it.
    world.places[3].state = 2;
    ASSERT_TRUE(Holds("Story:CounterNotBadStation() == 2 and Story:GetPlaceForRepaire() == 3"));
    ASSERT_TRUE(Holds("Story:ExistWorkPlace(6) == 1 and Story:GetColorPlace(2, 2) == -1"));
    Story::Instance().CallScriptFunction("ok_build");
    EXPECT_EQ(world.places[3].state, 0);

    // An upgrade: the world names the colour, the script changes the place.
    world.money = 1000;
    world.updateColor = 4;
    Story::Instance().CallScriptFunction("ok_update");
    EXPECT_EQ(world.places[2].texture, "station_b_4");
    EXPECT_EQ(world.hoveredElement, 2);
    EXPECT_EQ(world.money, 900);
    ASSERT_TRUE(Holds("Story:GetPlace() == 2"));
    EXPECT_TRUE(ScriptErrors().empty());
}

TEST_F(StoryPlaces, AFinishedLotLetsTheScriptBuildWhileTheWorldGoesOn)
{
    cGameWorld& world = cGameWorld::Instance();
    StartLevel(kStationLevel, 8);
    world.cellX[4][4] = 300;
    world.cellY[4][4] = 400;
    world.FinishLotBuild();
    EXPECT_TRUE(ScriptErrors().empty());
    // The script's hundred decorations, then the world's own place on the lot.
    ASSERT_EQ(world.places.size(), 4u + 100u + 1u);
    EXPECT_EQ(world.places.back().row, 4);
    EXPECT_EQ(world.places.back().column, 4);
    EXPECT_EQ(world.fundaments.size(), 5u + 10u + 1u);
    ASSERT_TRUE(Holds("Story:GetFreeLot() == 0 and Story:GetFreePlace() == 1"));
}

TEST_F(StoryPlaces, SmallChangesFindTheirPlaceOrDoNothing)
{
    cGameWorld& world = cGameWorld::Instance();
    StartLevel(kStationLevel, 8);
    world.hoveredElement = 3;
    ASSERT_TRUE(Holds("Story:GetPlaceProperty(42) == -1 and Story:GetPlace() == 3"));

    ASSERT_TRUE(Run("Story:SetActiveUnactivePlace(100, 50, 60, 0, 128)"));
    EXPECT_EQ(world.places[0].active, 0);
    EXPECT_EQ(world.places[0].alpha, 128);
    ASSERT_TRUE(Run("Story:SetActiveUnactivePlace(100, 51, 60, 1, 1)")); // no place there
    EXPECT_EQ(world.places[0].alpha, 128);

    const struct {
        int code;
        const char* texture;
    } codes[]
        = { { 110, "" }, { 105, "kaktus_06" }, { 111, "elkasnow_02" }, { 115, "elkasnow_06" }, { 116, "elkasnow_06" } };
    for (const auto& c : codes) {
        ASSERT_TRUE(Run("Story:ChangeNumberInOver(0, 50, 60, " + std::to_string(c.code) + ")"));
        EXPECT_EQ(world.places[0].texture, c.texture) << c.code;
    }

    // A cell without a fundament keeps its building status.
    world.lotStatus[7][7] = 5;
    ASSERT_TRUE(Run("Story:SetBuildingStatus(7, 7, 9); Story:SetPlaceProperty(1, 2); Story:SetStatePlace(2, 3)"));
    EXPECT_EQ(world.lotStatus[7][7], 5);
    EXPECT_EQ(world.places[1].state, 2);
    ASSERT_TRUE(Holds("Story:GetStatePlace(2) == 3 and Story:GetPlaceProperty(6) == 2"));

    world.lastLotRow = 4;
    world.lastLotColumn = 6;
    world.workingPlace = 2;
    world.neededPlace = 1;
    ASSERT_TRUE(Holds("Story:GetX() == 4 and Story:GetY() == 6"));
    ASSERT_TRUE(Holds("Story:GetWorkingPlace() == 2 and Story:GetNeededPlace() == 1"));

    ASSERT_TRUE(Run("Story:AddAutoToFundament(3, 3, 12); Story:AddToLink(1, 2, 3, 4)"));
    EXPECT_EQ(world.fundaments[3].autoType, 12);
    EXPECT_EQ(world.fundaments[3].alpha, 255);
    EXPECT_EQ(world.fundaments[3].hidden, 0);
    ASSERT_EQ(world.links.size(), 1u);
}

// The game finds a place by its type, screen point and level (the direction
// it was created with), the first in list order; scripts do not see it.
TEST_F(StoryPlaces, APlaceIsFoundByTypePointAndLevel)
{
    cGameWorld& world = cGameWorld::Instance();
    StartLevel(kStationLevel, 8);
    ASSERT_EQ(world.places.size(), 4u);
    // Two more decorations on the first one's point: one at another level,
    // one exactly like it.
    world.places.push_back(world.places[0]);
    world.places.back().direction = 3;
    world.places.push_back(world.places[0]);
    // No layout was computed: the three grid places (types 6, 7, 6) stand on
    // one point.
    const cPlace& grid = world.places[3];
    ASSERT_TRUE(world.places[1].x == grid.x && world.places[1].y == grid.y);
    const struct {
        int type, x, y, level;
        int found;
    } cases[] = {
        { 100, 50, 60, 9, 0 }, // the first of two alike
        { 100, 50, 60, 3, 4 },
        { 100, 50, 60, 0, -1 }, // the place's state and colour are 0, its level is not
        { 100, 60, 50, 9, -1 },
        { 101, 50, 60, 9, -1 },
        { 6, grid.x, grid.y, 9, 1 },
        { 7, grid.x, grid.y, 9, 2 },
        { 6, grid.x + 1, grid.y, 9, -1 },
    };
    Story& story = Story::Instance();
    for (const auto& c : cases) {
        EXPECT_EQ(story.FindPlaceAt(c.type, c.x, c.y, c.level), c.found)
            << c.type << " at " << c.x << "," << c.y << " level " << c.level;
    }
    EXPECT_TRUE(Holds("Story.FindPlaceAt == nil"));
}

} // namespace
