// The world map's reading of the player's state: the lot a level needs,
// the profile's furthest level, and the station the city opens onto.
#include <gtest/gtest.h>

#include "world_map_fixture.h"

namespace {

class WorldMapState : public test::WorldMapTest {
protected:
    void ClickButton()
    {
        MoveMouse(600, 970);
        Click();
        MoveMouse(0, 0);
    }
};

// A level whose task needs a building is open only when the lot its table
// names stands built; a lot named outside the grid is never built, one on
// the grid's last row or column counts like any other.
TEST_F(WorldMapState, ALevelNeedingABuildingOpensOnlyWhenItsLotOnTheGridIsBuilt)
{
    const struct {
        int row, column;
        bool built; // the named cell set in the lot table, where it lies on the grid
        int level; // the level the map stays on
    } cases[] = {
        { 4, 3, true, 8 },
        { 4, 3, false, 7 },
        { 19, 0, true, 8 },
        { 0, 19, true, 8 },
        { 19, 19, true, 8 },
        { 20, 0, false, 7 },
        { 0, 20, false, 7 },
        { -1, 0, false, 7 },
        { 0, -1, false, 7 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + ", " + std::to_string(c.column));
        world.lotTable[4][3] = 0;
        if (c.built)
            world.lotTable[c.row][c.column] = 9;
        world.taskRows[7].lotRow = c.row;
        world.taskRows[7].lotCol = c.column;
        SetFurthest(8);
        world.level = 8;
        Frame();
        EXPECT_EQ(world.level, c.level);
        EXPECT_EQ(map.IsSelectable(8), c.built);
        if (c.built)
            world.lotTable[c.row][c.column] = 0;
    }
}

// The map follows the furthest level of the profile in play; without a
// profile, or with a number past the last profile, it keeps the one it has.
TEST_F(WorldMapState, TheFurthestLevelIsTheChosenProfilesOnlyForAProfileThatExists)
{
    for (int profile = 1; profile <= 6; ++profile)
        world.profileLastLevel[profile] = 10 + profile;
    for (const int profile : { -1, 1, 2, 6, 7 }) {
        SCOPED_TRACE(profile);
        world.currentProfile = profile;
        world.furthestLevel = 5;
        world.level = 5;
        Frame();
        const bool exists = profile >= 1 && profile <= 6;
        EXPECT_EQ(world.furthestLevel, exists ? 10 + profile : 5);
        // The paths up to the furthest level are drawn bright.
        int bright = 0;
        for (const test::HudImage& image : Images())
            bright += image.name.starts_with("anim00") && (image.colour >> 24) == 200 ? 1 : 0;
        EXPECT_EQ(bright, world.furthestLevel - 1);
    }
}

// Whichever way the station is opened from the map, the city pin or the first
// visit's shop step, what the level before left on the station and its road
// is gone, templates included, so the station's script starts from nothing.
TEST_F(WorldMapState, TheStationOpensWithNothingLeftFromTheLevelBefore)
{
    const struct {
        const char* what;
        int intro, furthest;
        bool byButton;
    } ways[] = {
        { "the city pin", 3, 5, false },
        { "the first visit's shop step", 0, 1, true },
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        world.intro = way.intro;
        SetFurthest(way.furthest);
        world.level = way.furthest;
        world.shopOpen = 0;
        world.placeTemplates.resize(2);
        world.places.resize(2);
        world.effects.resize(2);
        world.overTemplates.resize(2);
        world.fundaments.resize(2);
        world.fundamentTemplates.resize(2);
        world.autobahnCars.resize(2);
        world.autobahnRoads.resize(2);
        world.autobahnClasses.resize(2);
        world.autoTypes.resize(2);
        MoveMouse(0, 0);
        Frame();
        if (way.byButton) {
            ClickButton();
        } else {
            HoverPin(31);
            Frame();
            Click();
        }
        ASSERT_EQ(world.level, 31);
        EXPECT_EQ(world.shopOpen, 1);
        EXPECT_TRUE(world.placeTemplates.empty());
        EXPECT_TRUE(world.places.empty());
        EXPECT_TRUE(world.effects.empty());
        EXPECT_TRUE(world.overTemplates.empty());
        EXPECT_TRUE(world.fundaments.empty());
        EXPECT_TRUE(world.fundamentTemplates.empty());
        EXPECT_TRUE(world.autobahnCars.empty());
        EXPECT_TRUE(world.autobahnRoads.empty());
        EXPECT_TRUE(world.autobahnClasses.empty());
        EXPECT_TRUE(world.autoTypes.empty());
    }
}

} // namespace
