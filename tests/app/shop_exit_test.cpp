// What the player buys in the shop is in their files however the game ends
// while the shop is open, and a station script that fails or is stopped by
// its budget ends the shop back to the map: the real program, headless, a stored player entering
// the city through the map and buying with mouse clicks (the autoplayer),
// then read back from the files the game wrote.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>

#include "bench/evening.h"
#include "frontend/state_menu.h"
#include "platform/test_events.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "resources/file_manager.h"
#include "scripting/script_host.h"
#include "support/autoplayer.h"
#include "support/temp_folder.h"
#include "support/whole_game.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

// The station shop, kind 2, on its lot 3,6: level 5 needs it.
constexpr int kShopKind = 2, kShopRow = 3, kShopCol = 6, kShopPrice = 110000;
constexpr int kMoney = 174200;

// Buys the station shop, then ends the game the given way and plays no more;
// without one (a stopped script) only watches once the shop is bought or
// refused.
class ShopVisit : public test::Autoplayer {
public:
    explicit ShopVisit(std::optional<test::GameEnd> end)
        : Autoplayer(kCityLevel, 1280, 1024, { .lotKind = kShopKind })
        , end(end)
    {
    }
    bool Frame() override
    {
        const cGameWorld& world = cGameWorld::Instance();
        const bool bought = world.shopInMainMenu && world.lotStatus[kShopRow][kShopCol] != 0;
        if (after < 0 && (bought || !world.levelStartNotice.empty())) {
            after = 0;
            Leave();
        }
        if (after < 0)
            return Autoplayer::Frame();
        ms += 50.0;
        shopLeft = shopLeft || !world.shopInMainMenu;
        // A stopped script's shop is watched until the map has been drawn a while.
        return cGameApp::Frame() && ++after < 100;
    }
    void Leave()
    {
        if (end)
            test::EndGame(*end, window);
    }

    const std::optional<test::GameEnd> end;
    int after = -1; // frames since the purchase
    bool shopLeft = false;
};

class ShopExit : public test::WholeGameRuns<> {
protected:
    void TearDown() override
    {
        Scripting::SetScriptLimitsForTests(0, 0);
        cFileManager::Instance().RemoveAlias(kStationScript);
        WholeGameRuns::TearDown();
    }

    // A player at level 5, which needs the station shop, with 174 200; the
    // shop is bought, then the game ends (or the script stops) in the shop.
    void Visit(std::optional<test::GameEnd> end, const test::TempFolder& home)
    {
        EnterPlayerFolder(home);
        ASSERT_TRUE(bench::StorePlayer(5));
        world.money = kMoney;
        ASSERT_TRUE(world.SaveGame());
        world.fundaments.clear();
        userFolder = world.userFolder;
        test::ShowLogosAsAtStart(world);
        // The last run's engine goes before this run's takes its place.
        platform::SetTimeSourceForTests(nullptr);
        visit.reset();
        visit = std::make_unique<ShopVisit>(end);
        platform::SetTimeSourceForTests([this] { return visit->ms; });
        cStateMenu::SetLoadingPauseForTests([] {});
        ASSERT_TRUE(visit->Run());
        ASSERT_EQ(visit->stuck, L"");
        ASSERT_GE(visit->after, 0) << "the shop was neither bought nor refused";
    }

    // The money in the player's files, and whether their lot file holds the
    // lot (kind, row, column) built.
    std::pair<int, bool> Stored(const wchar_t* lot = L"PLACE;2;3;6;9;")
    {
        world.userFolder = userFolder;
        world.currentProfile = 1;
        world.LoadGame();
        std::ifstream in(std::filesystem::path(platform::WideToNarrow(userFolder)) / "1_bau", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        const std::wstring lots = platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        return { world.money, lots.find(lot) != std::wstring::npos };
    }

    static constexpr const wchar_t* kStationScript = L"data/script/scene/level_setup_31.lua";
    std::unique_ptr<ShopVisit> visit;
    std::wstring userFolder;
};

TEST_F(ShopExit, WhatIsBoughtIsKeptHoweverTheGameEndsInTheShop)
{
    for (const test::GameEnd end : { test::GameEnd::WindowClose, test::GameEnd::DesktopQuit, test::GameEnd::Sigterm }) {
        SCOPED_TRACE(static_cast<int>(end));
        test::TempFolder home;
        Visit(end, home);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_LT(visit->after, 5) << "the game went on after the request";
        EXPECT_EQ(Stored(), std::pair(kMoney - kShopPrice, true));
        EndRun();
    }
}

// The station's script stopped by its budget, in "on_timer" once the money
// was spent or in "on_init" already, or failing in "on_init", ends the shop
// back to the map with a refused level's notice; what was bought is kept, and
// a station the script made only in part is not written over the player's.
TEST_F(ShopExit, AStationScriptStoppedOrFailedEndsTheShop)
{
    std::ifstream real(std::string(VANDREL_SOURCE_DIR) + "/data/script/scene/level_setup_31.lua");
    std::stringstream script;
    script << real.rdbuf();
    const struct {
        const char* hostile;
        int money;
        bool shopBuilt;
    } cases[] = {
        { "local first = Story:GetMoney()\n"
          "function on_timer() if Story:GetMoney() < first then while true do end end end\n",
            kMoney - kShopPrice, true },
        { "function on_init() while true do end end\n", kMoney, false },
        { "function on_init() error('broken') end\n", kMoney, false }, // not stopped: failed
    };
    test::TempFolder scripts;
    // Long enough for the real station script's own calls under the
    // sanitizers on a busy machine; the hostile loops still end within it.
    Scripting::SetScriptLimitsForTests(0, 1.0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hostile);
        std::ofstream(scripts / "station.lua") << script.str() << "\n" << c.hostile;
        cFileManager::Instance().AddAlias(kStationScript, platform::NarrowToWide(scripts / "station.lua"));
        test::TempFolder home;
        Visit(std::nullopt, home);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_TRUE(visit->shopLeft) << "the shop stayed open without its script";
        EXPECT_FALSE(world.shopOpen);
        EXPECT_EQ(
            world.levelStartNotice, L"Level 31 cannot be started: its script is missing or faulty (see log.xml).");
        EXPECT_EQ(Stored(), std::pair(c.money, c.shopBuilt));
        EXPECT_TRUE(Stored(L"PLACE;1;3;2;9;").second) << "the car wash bought before is lost";
        EndRun();
    }
}

} // namespace
