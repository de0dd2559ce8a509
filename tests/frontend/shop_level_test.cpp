// The station-building level as the shop runs it: our level-31 script entered
// the way the world map enters it, its lots on the station plan's cells, the
// clock and "on_timer" running in the shop,
// a purchase that survives leaving, and the intro, which only draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include <lua.hpp>

#include "platform/utf16.h"
#include "resources/log.h"
#include "resources/page_manager.h"
#include "scripting/script_host.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "shop_fixture.h"
#include "world/game_clock.h"
#include "world/settings.h"

namespace {

namespace fs = std::filesystem;

class ShopLevelTest : public test::ShopTest {
protected:
    ShopLevelTest()
        : buildFolder(fs::current_path())
    {
    }
    void SetUp() override
    {
        ShopTest::SetUp();
        for (const char* dir : { "data/script", "data/language" })
            fs::copy(fs::path(VANDREL_SOURCE_DIR) / dir, folder / dir, fs::copy_options::recursive);
        cLog::Instance().SetObserver([this](const wchar_t*, const std::wstring& text) { log.push_back(text); });
        cGameClock::Instance().ResetToDefaults();
        ASSERT_TRUE(Script::Initialize());
        ASSERT_TRUE(ExportStory());
        Story::Instance().ReleaseLevelScript();
        Story::Instance().ClearFlags();
        world.LoadPlaceNames();
        world.LoadTasks();
    }
    void TearDown() override
    {
        Story::Instance().ReleaseLevelScript();
        Story::Instance().ClearFlags();
        while (Story::Instance().HasFlagEvents())
            Story::Instance().PopFlagEvent();
        Script::ShutDown();
        cLog::Instance().SetObserver(nullptr);
        ShopTest::TearDown();
    }

    // What the world map's city pin does.
    void EnterShop()
    {
        world.level = 31;
        world.shopInMainMenu = 1;
        world.shopOpen = 1;
        world.LoadGame();
        shop.LayoutStation();
        world.placeTemplates.clear();
        world.places.clear();
        world.overTemplates.clear();
        world.fundaments.clear();
        world.fundamentTemplates.clear();
        world.autobahnCars.clear();
        world.autobahnRoads.clear();
        world.autobahnClasses.clear();
        world.autoTypes.clear();
        world.links.clear();
        world.SetPause(false);
        Story::Instance().InitLevel31();
        world.LoadLots();
        Story::Instance().AfterInit();
    }
    void Frame(double stepMs = 20.0)
    {
        gfx.ClearRecords();
        Wait(stepMs);
        shop.Update();
    }
    double ScriptNumber(const char* name)
    {
        lua_State* L = Scripting::GetContextState(Story::Instance().ContextHandle());
        if (!L)
            return -1.0;
        lua_getglobal(L, name);
        const double value = lua_tonumber(L, -1);
        lua_pop(L, 1);
        return value;
    }
    void ExpectCleanLog() const
    {
        for (const std::wstring& line : log) {
            if (line.find(L"###error###") != std::wstring::npos || line.find(L"not found") != std::wstring::npos)
                ADD_FAILURE() << platform::WideToNarrow(line);
        }
    }
    std::wstring UserFile(const std::string& name) const
    {
        std::ifstream in(folder / ("user/" + name), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return platform::Utf16LeToWide(bytes.data(), bytes.size());
    }

    fs::path buildFolder;
    std::vector<std::wstring> log;
};

TEST_F(ShopLevelTest, TheScriptLaysOutTheStationPlan)
{
    EnterShop();
    ASSERT_NE(Story::Instance().ScriptId(), -1);
    ASSERT_EQ(world.fundaments.size(), 22u);
    for (const cFundament& f : world.fundaments) {
        EXPECT_NE(world.GetPlaceName(f.row, f.column), L"place name not found") << f.row << "," << f.column;
        if (f.row == 2) {
            EXPECT_EQ(f.status, 9) << "the pump islands stand from the start";
            continue;
        }
        EXPECT_EQ(f.status, 0);
        EXPECT_GT(f.lotValue, 0);
    }
    // Every level that needs a building finds a lot of that kind on its cell.
    for (const cTaskRow& task : world.taskRows) {
        if (task.requiredKind == 0)
            continue;
        const int f = world.FindFundamentAt(task.lotRow, task.lotCol);
        ASSERT_GE(f, 0) << "level " << task.level;
        EXPECT_EQ(world.fundaments[static_cast<size_t>(f)].content, task.requiredKind) << "level " << task.level;
    }
    EXPECT_EQ(world.autobahnRoads.size(), 4u);
    EXPECT_FALSE(world.autobahnCars.empty());
    EXPECT_EQ(world.autobahnStep, 2);
    ExpectCleanLog();
}

// Every lot's outline lies wholly on the screen at both sizes, probed point by
// point around the lot's cell.
TEST_F(ShopLevelTest, EveryLotLiesOnTheScreen)
{
    for (const auto& [width, height] : { std::pair { 1280, 1024 }, std::pair { 1024, 768 } }) {
        cSettings::Instance().SetResolution(width, height);
        EnterShop();
        for (const cFundament& f : world.fundaments) {
            const int x0 = world.cellX[f.row][f.column];
            const int y0 = world.cellY[f.row][f.column];
            int left = width, top = height, right = -1, bottom = -1;
            for (int y = y0 - 40; y < y0 + 260; y += 2) {
                for (int x = x0 - 40; x < x0 + 200; x += 2) {
                    MoveMouse(x, y);
                    if (!shop.IsMouseOverLot(f.row, f.column))
                        continue;
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                }
            }
            EXPECT_TRUE(left <= right && left >= 0 && top >= 0 && right < width && bottom < height)
                << "lot " << f.row << "," << f.column << " at " << width;
        }
        Story::Instance().ReleaseLevelScript();
    }
}

TEST_F(ShopLevelTest, EveryImageTheLevelNamesIsInTheGeneratedShopPages)
{
    EnterShop();
    for (const wchar_t* set : { L"menu_buy", L"menu_buy_1024" }) {
        CPageManager pages;
        const fs::path dir = buildFolder / "data/gui/interface/menu" / set;
        ASSERT_TRUE(pages.Load(dir.wstring().c_str())) << dir;
        std::vector<std::wstring> names;
        for (const cFundament& f : world.fundaments) {
            names.push_back(f.texture);
            names.push_back(f.placeTexture);
            if (f.row != 2)
                names.push_back(f.placeTexture + L"m");
        }
        for (const cPlace& p : world.places)
            names.push_back(platform::NarrowToWide(p.texture) + L".png");
        for (const cAutobahnAuto& car : world.autobahnCars) {
            for (int d : { 1, 3, 7, 9 })
                names.push_back(platform::NarrowToWide(world.GetAutoTypeName(car.autoType, d)) + L".png");
        }
        for (const wchar_t* fixed : { L"level_build", L"level_build_seile", L"top3", L"money", L"button_short_off.png",
                 L"button_short_over.png", L"platform_over.png", L"platform_over_green.png", L"platform_over_red.png",
                 L"platform_57.png", L"platform_58.png", L"blase_left_01", L"blase_left_02", L"blase_left_03",
                 L"blase_right_01", L"blase_right_02", L"blase_right_03", L"tree_01.png", L"tree_02.png",
                 L"tree_03.png", L"house_01", L"house_07m", L"car_yellow" })
            names.push_back(fixed);
        for (const std::wstring& name : names)
            EXPECT_TRUE(pages.HasImage(name.c_str())) << platform::WideToNarrow(name) << " in " << dir;
    }
}

TEST_F(ShopLevelTest, TheClockAndOnTimerRunInTheShop)
{
    EnterShop();
    world.SetPause(true); // the main menu pauses the world; the building level's minutes go on
    for (int i = 0; i < 60; ++i)
        Frame(100.0);
    EXPECT_GE(ScriptNumber("shop_minutes"), 4.0);
    EXPECT_FALSE(Story::Instance().FlagPresent("new_minute"));
    ExpectCleanLog();
}

TEST_F(ShopLevelTest, APurchaseIsSavedWithTheGameWhenTheShopIsLeft)
{
    world.furthestLevel = 2;
    EnterShop();
    world.money = 6000;
    world.furthestLevel = 2;
    Frame();
    HoverLot(3, 2);
    world.leftClick = 1;
    Frame();
    EXPECT_EQ(world.lotStatus[3][2], 9);
    EXPECT_EQ(world.money, 1000);

    world.keyEscape = 1;
    Frame();
    EXPECT_EQ(world.shopInMainMenu, 0);
    EXPECT_EQ(world.shopOpen, 0);
    EXPECT_EQ(world.keyEscape, 0);
    EXPECT_EQ(world.level, world.furthestLevel);
    EXPECT_EQ(Story::Instance().ScriptId(), -1);
    EXPECT_EQ(Story::Instance().ContextHandle(), -1);
    EXPECT_NE(UserFile("1_bau").find(L"PLACE;1;3;2;9;"), std::wstring::npos);
    EXPECT_TRUE(fs::exists(folder / "user/1"));

    // Back in the shop, the car wash stands and the money is what was left.
    world.money = 0;
    EnterShop();
    EXPECT_EQ(world.lotStatus[3][2], 9);
    EXPECT_EQ(world.money, 1000);
    ExpectCleanLog();
}

TEST_F(ShopLevelTest, TheLeaveButtonLeavesLikeEscape)
{
    EnterShop();
    Frame();
    MoveMouse(1280 - 215 + 20, 1024 - 60 + 20);
    Frame();
    world.leftClick = 1;
    Frame();
    EXPECT_EQ(world.shopInMainMenu, 0);
    EXPECT_EQ(Story::Instance().ScriptId(), -1);
    EXPECT_TRUE(fs::exists(folder / "user/1_bau"));
}

TEST_F(ShopLevelTest, TheIntroOnlyDrawsTheStation)
{
    world.intro = 1;
    world.level = 31;
    world.shopOpen = 1;
    shop.LayoutStation();
    Story::Instance().InitLevel31();
    world.SetPause(false);
    Story::Instance().AfterInit();
    shop.FlagRandomFundaments();
    world.keyEscape = 1;
    world.money = 5000;
    HoverLot(3, 2);
    for (int i = 0; i < 40; ++i) {
        world.leftClick = 1;
        Frame(100.0);
    }
    EXPECT_EQ(ScriptNumber("shop_minutes"), 0.0);
    EXPECT_EQ(world.keyEscape, 1);
    EXPECT_EQ(world.money, 5000);
    EXPECT_NE(Story::Instance().ScriptId(), -1);
    const auto names = ImageNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "top3"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "button_short_off.png"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "level_build"), 1);
    ExpectCleanLog();
}

TEST_F(ShopLevelTest, AClosedShopDrawsNothing)
{
    const uint8_t alpha = shop.GetAlpha();
    for (int i = 0; i < 5; ++i)
        Frame();
    EXPECT_TRUE(gfx.draws.empty());
    EXPECT_EQ(shop.GetAlpha(), alpha);
}

} // namespace
