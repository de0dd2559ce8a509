// Road ids a level script may name (the first road is road 0, the count of
// roads the first id refused), and the platform a lot shows once it is
// coloured, by the region of the level.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/time_source.h"
#include "platform/utf16.h"
#include "resources/log.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world_fixture.h"

namespace {

using RoadIdsAndRegions = test::WorldRecords;

TEST_F(RoadIdsAndRegions, RoadsZeroToFourAreTakenOthersRefused)
{
    const struct {
        int id;
        bool taken;
    } cases[] = { { -1, false }, { 0, true }, { 1, true }, { 4, true }, { 5, false }, { 6, false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        world.ResetToDefaults();
        logged.clear();
        world.AddAuto(10, 1, "car");
        world.autoTypes[0].class_ = 1;
        world.SetAutoBahn(c.id, 2.0, 3);
        world.SetAutoBahnPoints(c.id, 0, 300, 1280, 200);
        world.SetAutoBahnSpeed(c.id, 4.0, 1);
        world.EnableClassAutoForAutobahn(c.id, 1);
        world.AddTransportToAutobahn(c.id, 2);
        world.SpawnAutobahnAuto(c.id, 10);
        if (c.taken) {
            ASSERT_EQ(world.autobahnRoads.size(), 1u);
            EXPECT_EQ(world.autobahnRoads[0].speed, 4.0);
            EXPECT_EQ(world.autobahnRoads[0].endX, 1280);
            EXPECT_EQ(world.autobahnCars.size(), 3u);
            EXPECT_TRUE(logged.empty()) << platform::WideToNarrow(logged[0]);
        } else {
            EXPECT_TRUE(world.autobahnRoads.empty());
            EXPECT_TRUE(world.autobahnCars.empty());
            // Every call is told, each naming the road.
            ASSERT_EQ(logged.size(), 5u);
            for (const std::wstring& line : logged)
                EXPECT_NE(line.find(L"road " + std::to_wstring(c.id) + L" is out of range"), std::wstring::npos)
                    << platform::WideToNarrow(line);
        }
    }
}

TEST_F(RoadIdsAndRegions, AColouredLotShowsThePlatformOfItsRegion)
{
    // Grass up to level 6, snow 7..12, the USA 13..18, the rocks 19..24 keep
    // the lot's own platform, the desert 25..30, the station level too.
    const struct {
        int level;
        const wchar_t* platform;
    } cases[] = {
        { 1, L"platform_gras.png" }, { 6, L"platform_gras.png" }, { 7, L"platform_snow.png" },
        { 11, L"platform_snow.png" }, { 12, L"platform_snow.png" }, { 13, L"platforms_usa.png" },
        { 14, L"platforms_usa.png" }, { 18, L"platforms_usa.png" }, { 19, L"own.png" }, { 24, L"own.png" },
        { 25, L"platform_wueste.png" }, { 30, L"platform_wueste.png" }, { 31, L"own.png" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        world.ResetToDefaults();
        world.level = c.level;
        world.AddFundament(1, "base", "own", 9);
        world.CreateLot(2, 3, 1, 0, 0, 0, 0);
        ASSERT_EQ(world.fundaments.size(), 1u);
        EXPECT_EQ(world.fundaments[0].texture2, L"own.png"); // uncoloured: the lot's own
        world.SetColor(2, 3, 1);
        EXPECT_EQ(world.fundaments[0].texture, L"platform_build.png");
        EXPECT_EQ(world.fundaments[0].texture2, c.platform);
        EXPECT_EQ(world.fundaments[0].colour, 1);
    }
}

} // namespace
