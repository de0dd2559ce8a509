// Our level scripts, as shipped in data/, run by the level state over the
// game's own screens for a while of play: they load, set every option of
// their level, define every callback, find the frames of every effect they
// declare in the generated art, and write no script error and nothing "not
// found" to the log.
#include <gtest/gtest.h>

#include <lua.hpp>

#include <algorithm>
#include <utility>
#include <vector>

#include "level_fixture.h"
#include "platform/utf16.h"
#include "resources/page_manager.h"
#include "scene/menu_effects.h"
#include "scene/menu_floor.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

class ShippedLevelTest : public test::LevelTest {
protected:
    ShippedLevelTest()
        : test::LevelTest(true, true)
    {
    }

    void ExpectCleanLog()
    {
        for (const std::wstring& fault : Faults())
            ADD_FAILURE() << platform::WideToNarrow(fault);
    }

    // Every frame of every effect type the level declares is an image of the
    // generated page set the effect draws from, at both screen widths.
    static void ExpectEveryEffectFrame()
    {
        const wchar_t* const folders[Scene::MenuEffects::kPagesPerWidth] = { L"menu_effects", L"menu_effects3",
            L"menu_effects4", L"menu_effects5", L"menu_effects6", L"menu_effects7", L"menu_effects8", L"menu_effects9",
            L"menu_effects10", L"menu_effects11", L"menu_effects12", L"menu_clouds", L"menu_effects_wind1",
            L"menu_effects_wind2", L"menu_effects_windhund", L"menu_fog" };
        const cGameWorld& world = cGameWorld::Instance();
        ASSERT_FALSE(world.effectTypes.empty());
        for (const wchar_t* suffix : { L"", L"_1024" }) {
            for (const cEffectType& type : world.effectTypes) {
                bool tinted = false;
                const int page = Scene::MenuEffects::EffectPage(type.id, tinted);
                ASSERT_TRUE(page >= 0 && page < Scene::MenuEffects::kPagesPerWidth) << type.id;
                const std::wstring folder = std::wstring(L"data/gui/interface/menu/") + folders[page] + suffix;
                CPageManager pages;
                ASSERT_TRUE(pages.Load(folder.c_str())) << platform::WideToNarrow(folder);
                for (int frame = 0; frame < type.frames; ++frame) {
                    const std::string name
                        = Scene::MenuEffects::EffectFrameName(type.texture, frame, type.frames, type.extTexture);
                    EXPECT_TRUE(pages.HasImage(platform::NarrowToWide(name).c_str()))
                        << name << " in " << platform::WideToNarrow(folder);
                }
            }
        }
    }

    // Every callback the game may raise is a function of the level's context.
    static void ExpectEveryCallback()
    {
        const char* const names[] = { "on_init", "on_after_init", "on_load", "on_after_load", "on_timer", "on_bonus",
            "ok_work", "ok_build", "ok_update", "ok_saw", "add_manager", "on_fill_parking_place", "on_minus_points",
            "on_level_finish", "on_blumen", "on_wbaum" };
        lua_State* L = Scripting::GetContextState(Story::Instance().ContextHandle());
        ASSERT_NE(L, nullptr);
        for (const char* name : names) {
            lua_getglobal(L, name);
            EXPECT_TRUE(lua_isfunction(L, -1)) << name;
            lua_pop(L, 1);
        }
    }

    // Every car the level defines has its plain and hover images in the
    // generated vehicles pages, at both screen widths.
    static void ExpectEveryCarImage()
    {
        const cGameWorld& world = cGameWorld::Instance();
        ASSERT_FALSE(world.autoTypes.empty());
        for (const wchar_t* suffix : { L"", L"_1024" }) {
            CPageManager cars;
            CPageManager hover;
            ASSERT_TRUE(cars.Load((std::wstring(L"data/gui/interface/menu/menu_transport") + suffix).c_str()));
            ASSERT_TRUE(hover.Load((std::wstring(L"data/gui/interface/menu/menu_transport_over") + suffix).c_str()));
            for (const cAutoType& type : world.autoTypes) {
                for (const std::string& name : type.variantNames) {
                    if (name.empty())
                        continue;
                    const std::wstring wide = platform::NarrowToWide(name);
                    EXPECT_TRUE(cars.HasImage((wide + L".png").c_str())) << name;
                    EXPECT_TRUE(hover.HasImage((wide + L"_over.png").c_str())) << name;
                }
            }
        }
    }

    // Every image the level draws on the ground and over the station is in
    // the generated art at both screen widths: its background (and rock
    // overlay) and ground bodies in its region's page, its trees and signs in
    // the trees page, its service places with their hover images in the
    // station page.
    static void ExpectEveryDecoration(int level)
    {
        const cGameWorld& world = cGameWorld::Instance();
        for (const int width : { 1280, 1024 }) {
            const std::wstring suffix = width == 1280 ? L"" : L"_1024";
            CPageManager region;
            CPageManager trees;
            CPageManager station;
            ASSERT_TRUE(region.Load(Scene::MenuFloor::RegionFolder(level, width).c_str()));
            ASSERT_TRUE(trees.Load((L"data/gui/interface/menu/menu_trees" + suffix).c_str()));
            ASSERT_TRUE(station.Load((L"data/gui/interface/menu/menu_tankstelle" + suffix).c_str()));
            EXPECT_TRUE(region.HasImage(Scene::MenuFloor::BackgroundImage(level))) << level;
            if (const wchar_t* overlay = Scene::MenuFloor::OverlayImage(level)) {
                EXPECT_TRUE(region.HasImage(overlay)) << level;
            }
            for (const cBody& body : world.bodies)
                EXPECT_TRUE(region.HasImage(platform::NarrowToWide(body.texture + ".png").c_str())) << body.texture;
            for (const cOverTemplate& over : world.overTemplates)
                EXPECT_TRUE(trees.HasImage(platform::NarrowToWide(over.texture + ".png").c_str())) << over.texture;
            for (const cPlaceTemplate& place : world.placeTemplates) {
                for (const char* ending : { ".png", "_over.png", "_on.png" })
                    EXPECT_TRUE(station.HasImage(platform::NarrowToWide(place.texture + ending).c_str()))
                        << place.texture << ending;
            }
        }
    }

    // Every cell that holds a fundament or a place lies whole on the screen,
    // and so does every stack car, at both screen sizes: none of the cell's
    // hit area reaches the screen's edge, and some of it is on the screen.
    static void ExpectEverythingOnScreen()
    {
        cGameWorld& world = cGameWorld::Instance();
        cSettings& settings = cSettings::Instance();
        const int savedWidth = settings.GetWidth();
        const int savedHeight = settings.GetHeight();
        std::vector<std::pair<int, int>> cells;
        for (const cFundament& f : world.fundaments)
            cells.emplace_back(f.row, f.column);
        for (const cPlace& place : world.places) {
            if (place.type < 100)
                cells.emplace_back(place.row, place.column);
        }
        for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
            settings.SetResolution(width, height);
            world.ComputeLayout();
            for (const auto& [row, column] : cells) {
                bool edge = false;
                for (int x = 0; x < width; x += 2)
                    edge = edge || world.IsMouseOverPlace(row, column, x, 0)
                        || world.IsMouseOverPlace(row, column, x, height - 1);
                for (int y = 0; y < height; y += 2)
                    edge = edge || world.IsMouseOverPlace(row, column, 0, y)
                        || world.IsMouseOverPlace(row, column, width - 1, y);
                bool inside = false;
                for (int y = 0; y < height && !inside; y += 8) {
                    for (int x = 0; x < width && !inside; x += 8)
                        inside = world.IsMouseOverPlace(row, column, x, y);
                }
                EXPECT_TRUE(inside && !edge) << "cell " << row << "," << column << " at " << width;
            }
            CPageManager cars;
            ASSERT_TRUE(cars.Load(width == 1280 ? L"data/gui/interface/menu/menu_transport"
                                                : L"data/gui/interface/menu/menu_transport_1024"));
            for (const cStackSlot& slot : world.stackSlots) {
                uint32_t w = 0;
                uint32_t h = 0;
                for (const cAutoType& type : world.autoTypes) {
                    uint32_t tw = 0;
                    uint32_t th = 0;
                    cars.GetImageSize(
                        platform::NarrowToWide(world.GetAutoTypeName(type.id, slot.direction) + ".png").c_str(), &tw,
                        &th);
                    w = std::max(w, tw);
                    h = std::max(h, th);
                }
                const int x = static_cast<int>(slot.x / settings.scaleX);
                const int y = static_cast<int>(slot.y / settings.scaleY);
                EXPECT_TRUE(x >= 0 && y >= 0 && x + static_cast<int>(w) <= width && y + static_cast<int>(h) <= height)
                    << "stack slot " << slot.id << " at " << width;
            }
        }
        settings.SetResolution(savedWidth, savedHeight);
        world.ComputeLayout();
    }

    static int StackCars()
    {
        int cars = 0;
        for (const cStackSlot& slot : cGameWorld::Instance().stackSlots)
            cars += slot.autoType != -1 ? 1 : 0;
        return cars;
    }
};

// Every level of the campaign: the first of each triple a grid without a time
// limit, the others stations against the clock; each lies on the screen at
// both sizes and plays a while cleanly. Winning them is the campaign test's.
class CampaignLevel : public ShippedLevelTest, public ::testing::WithParamInterface<int> { };

TEST_P(CampaignLevel, LoadsLiesOnTheScreenAndPlays)
{
    const int level = GetParam();
    cGameWorld& world = cGameWorld::Instance();
    ASSERT_TRUE(StartLevel(level));
    ASSERT_NE(Story::Instance().ScriptId(), -1);
    const bool grid = (level - 1) % 3 == 0;
    EXPECT_EQ(world.drawStation, grid ? 0 : 1);
    if (grid)
        EXPECT_EQ(world.levelTimeLimit, 0);
    else
        EXPECT_GT(world.levelTimeLimit, 0);
    // The stack can be picked from wherever it has slots, and the managers
    // stay within their limit.
    EXPECT_EQ(world.stackCounter, static_cast<int>(world.stackSlots.size()));
    EXPECT_EQ(StackCars(), world.stackCounter);
    EXPECT_LE(world.managerCount, world.stackLimit);
    // On a station every customer's colour group has a service place of its
    // own colour, and none of them is place 0.
    if (!grid) {
        for (const cAutoType& type : world.autoTypes) {
            bool served = false;
            for (std::size_t i = 1; i < world.places.size(); ++i) {
                const cPlace& place = world.places[i];
                served = served || (place.type == type.colour && place.colour == type.colour - 6);
            }
            EXPECT_TRUE(served) << "group " << type.colour;
        }
        EXPECT_GE(world.places.front().type, 100);
    }
    ExpectEveryCallback();
    ExpectEveryEffectFrame();
    ExpectEveryCarImage();
    ExpectEveryDecoration(level);

    ExpectEverythingOnScreen();

    ASSERT_TRUE(Frames(200, 50.0));
    EXPECT_EQ(world.levelElapsed, 10);
    ExpectCleanLog();
}

INSTANTIATE_TEST_SUITE_P(ShippedLevels, CampaignLevel, ::testing::Range(1, 31),
    [](const ::testing::TestParamInfo<int>& info) { return "Level" + std::to_string(info.param); });

} // namespace
