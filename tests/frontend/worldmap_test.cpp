// The world map drawn headless: the levels that may be chosen, the city pin,
// and the panels' texts. Thirty levels and the city in the task table, pins at
// (100 + 30 n, 200 + 15 n); level 8 needs a workshop on 4, 3; profile "Kim"
// has come to level 5.
#include <gtest/gtest.h>

#include <set>

#include "frontend/menu_high.h"
#include "frontend/menu_overlux.h"
#include "scene/hud_fixture.h"
#include "scene/recording_screens.h"

namespace {

class WorldMapTest : public test::HudTest {
protected:
    void SetUp() override
    {
        HudTest::SetUp();
        const std::vector<std::string> images
            = { "map2.png", "map4.png", "mirage1.png", "mirage2.png", "fishka_01.png", "fishka_02.png", "fishka_03.png",
                  "fishka_04.png", "fishka_05.png", "fishka_over.png", "fishka_over_city.png", "fishka_bonus.png",
                  "bank.png", "top3.png", "blase_left_01", "blase_left_02", "blase_left_03", "button_short_off.png",
                  "button_short_over.png", "button_short_blue_off.png", "button_short_blue_over.png" };
        WriteSet("data/gui/interface/menu/menu_overlux", images);
        cMenuManager::Instance().SetFactoryForTests(test::MakeRecordingScreen);
        ASSERT_TRUE(cMenuManager::Instance().CreateMenus());
        for (int level = 1; level <= 31; ++level) {
            const bool workshop = level == 8;
            world.taskRows.push_back({ level, 100 + 30 * level, 200 + 15 * level, workshop ? 4 : 0, workshop ? 3 : 0,
                workshop ? 3 : 0, L"task " + std::to_wstring(level) });
        }
        world.placeNameRows.push_back({ 4, 3, L"Workshop" });
        world.currentProfile = 2;
        world.profileNames[2] = L"Kim";
        SetFurthest(5);
        world.level = 5;
        world.intro = 3;
        for (int& status : world.levelStatus)
            status = -1;
        map.SetActive(true);
    }
    void TearDown() override
    {
        map.SetActive(false);
        cMenuManager::Instance().DestroyMenus();
        cMenuManager::Instance().SetFactoryForTests(nullptr);
        test::ScreenCalls().clear();
        HudTest::TearDown();
    }
    void SetFurthest(int level) { world.profileLastLevel[world.currentProfile] = world.furthestLevel = level; }
    void Frame()
    {
        gfx.ClearRecords();
        Wait(20);
        map.Draw();
    }
    void Click()
    {
        world.leftClick = 1;
        Frame();
    }
    void HoverPin(int level) { MoveMouse(100 + 30 * level - 10, 200 + 15 * level - 30); }
    int CountText(const std::wstring& text) const
    {
        const auto texts = gfx.Texts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }
    const test::GfxDraw* FindText(const std::wstring& text) const
    {
        for (const test::GfxDraw* d : TextDraws()) {
            if (d->text == text)
                return d;
        }
        return nullptr;
    }

    Scene::MenuOverlux map;
};
class WorldMapPins : public WorldMapTest { };
class WorldMapPanels : public WorldMapTest { };

TEST_F(WorldMapPins, TheRegionGateNeedsSilverOrGoldInTheFourStationLevels)
{
    const struct {
        int status[4]; // levels 2, 3, 5, 6
        bool open;
    } cases[] = { { { 1, 2, 1, 2 }, true }, { { 1, 2, 0, 2 }, false }, { { -1, 1, 1, 1 }, false } };
    for (const auto& c : cases) {
        SetFurthest(7);
        world.level = 7;
        const int levels[4] = { 2, 3, 5, 6 };
        for (int i = 0; i < 4; ++i)
            world.levelStatus[levels[i]] = c.status[i];
        MoveMouse(0, 0);
        Frame();
        EXPECT_EQ(map.IsSelectable(7), c.open);
        EXPECT_EQ(world.level, c.open ? 7 : 6); // a closed region steps back
        HoverPin(7);
        Click();
        EXPECT_EQ(world.level, c.open ? 7 : 6);
        EXPECT_EQ(world.leftClick, c.open ? 0 : 1); // a refused click stays for the buttons
        EXPECT_EQ(world.taskText, c.open ? L"task 7" : L"text 118");
        world.leftClick = 0;
    }
}

// Play shows up to one level past the furthest, and for the first level of
// any triple; the info panel follows the chosen level, level 0 included.
TEST_F(WorldMapPins, PlayIsOfferedUpToOnePastTheFurthestLevelAndForTheFirstOfATriple)
{
    const struct {
        int level, button; // replay 21, play 23, none 0
    } cases[] = { { 3, 21 }, { 5, 23 }, { 6, 23 }, { 9, 0 }, { 10, 23 }, { 0, 0 } };
    MoveMouse(0, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        world.level = c.level;
        Frame();
        EXPECT_EQ(CountText(L"text 21") > 0, c.button == 21);
        EXPECT_EQ(CountText(L"text 23") > 0, c.button == 23);
    }
    EXPECT_GT(CountText(L"text 120"), 0); // level 0's info: not played yet
}

TEST_F(WorldMapPins, TheCityPinOpensTheShopAlsoWithoutMoney)
{
    HoverPin(31);
    world.money = 0; // nothing to spend yet, but the station can be looked at
    world.places.resize(3);
    world.autoTypes.resize(2);
    world.paused = 1;
    Frame();
    EXPECT_EQ(map.GetHoveredPin(), 31);
    EXPECT_EQ(world.taskText, L"task 31");
    ASSERT_TRUE(FindImage("fishka_over_city.png"));
    test::ScreenCalls().clear();
    Click();
    EXPECT_EQ(world.level, 31);
    EXPECT_EQ(world.shopInMainMenu, 1);
    EXPECT_EQ(world.shopOpen, 1);
    EXPECT_EQ(world.paused, 0);
    EXPECT_TRUE(world.places.empty());
    EXPECT_TRUE(world.autoTypes.empty());
    EXPECT_EQ(test::ScreenCalls(), std::vector<std::string>({ "Buy on" }));
}

TEST_F(WorldMapPanels, TheLevelInfoFollowsTheRatingAndTheStoredTimes)
{
    const struct {
        int status, tries, time, bestTime;
        std::vector<std::wstring> lines;
    } cases[] = {
        { -1, 0, 0, 0, { L"text 120" } }, // not played yet
        { -1, 2, 95, 0, { L"text 119", L"text 78 01:35" } }, // played and failed
        { 0, 1, 75, 0, { L"text 31: text 123", L"text 78 01:15" } },
        { 1, 1, 0, 50, { L"text 31: text 122", L"text 14 00:50", L"Ada" } },
        { 2, 3, 61, 50, { L"text 31: text 121", L"text 78 01:01", L"text 14 00:50", L"Ada" } },
        { 9, 1, 0, 0, { L"" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status * 10 + c.tries);
        gfx.ClearRecords();
        world.levelCounter[5] = c.tries;
        world.levelTime[5] = c.time;
        world.highscoreTime[5][1] = c.bestTime;
        world.highscoreNames[5][1] = L"Ada";
        map.DrawLevelInfo(5, c.status);
        // Line by line, each after its shadow.
        std::vector<std::wstring> drawn;
        const auto texts = TextDraws();
        for (std::size_t i = 1; i < texts.size(); i += 2) {
            EXPECT_EQ(texts[i]->y, 120 + 25 * static_cast<int>(drawn.size()));
            drawn.push_back(texts[i]->text);
        }
        EXPECT_EQ(drawn, c.lines);
    }
}

TEST_F(WorldMapPanels, ANewBestTimeShowsOnTheMapRightAfterTheResultScreen)
{
    std::filesystem::create_directories(folder / "user");
    world.userFolder = platform::NarrowToWide(folder / "user");
    cSettings::Instance().canSave = true;
    // Level 5 won in 0:42: the result screen enters the run, continue records it.
    Scene::MenuHigh high;
    world.menuChoice = 0;
    world.resultScreenOpen = world.levelOver = world.levelState = world.drawStation = 1;
    world.levelTimeLimit = 100;
    world.levelElapsed = world.levelFinalTime = 42;
    world.levelRating = 2;
    world.levelReward = 300;
    high.DrawTable();
    high.Continue();
    ASSERT_EQ(world.leaveLevel, 1);

    HoverPin(5);
    Frame();
    EXPECT_EQ(CountText(L"text 14 00:42"), 2);
    EXPECT_EQ(CountText(L"Kim"), 2);
}

// The notice of a level that waits for a building pulses to catch the eye,
// but is drawn opaque in every frame of its pulse, never fading to grey.
TEST_F(WorldMapPanels, TheBuildFirstNoticePulsesOpaque)
{
    SetFurthest(8);
    world.level = 8;
    HoverPin(8);
    std::set<uint32_t> colours;
    for (int frame = 0; frame < 60; ++frame) {
        Frame();
        const test::GfxDraw* notice = nullptr;
        for (const test::GfxDraw* d : TextDraws())
            notice = d->text == L"text 135 Workshop" ? d : notice; // the text, after its shadow
        ASSERT_NE(notice, nullptr) << frame;
        EXPECT_EQ(notice->color >> 24, 0xFFu) << frame;
        colours.insert(notice->color);
    }
    EXPECT_GT(colours.size(), 5u);
}

TEST_F(WorldMapPanels, ALevelThatCouldNotStartSaysSoOnTheMap)
{
    world.levelStartNotice = L"Level 5 cannot be started";
    Frame();
    EXPECT_NE(FindText(L"Level 5 cannot be started"), nullptr);
}

} // namespace
