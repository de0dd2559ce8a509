// The world map drawn headless: the levels that may be chosen, the city pin,
// and the panels' texts. Thirty levels and the city in the task table, pins at
// (100 + 30 n, 200 + 15 n); level 8 needs a workshop on 4, 3; profile "Kim"
// has come to level 5.
#include "world_map_fixture.h"

namespace {

using test::WorldMapTest;
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
    EXPECT_EQ(test::ScreenCalls(), std::vector<std::string>({ "Shop on" }));
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
    Scene::ResultScreen resultScreen;
    world.menuChoice = 0;
    world.resultScreenOpen = world.levelOver = world.levelState = world.drawStation = 1;
    world.levelTimeLimit = 100;
    world.levelElapsed = world.levelFinalTime = 42;
    world.levelRating = 2;
    world.levelReward = 300;
    resultScreen.DrawTable();
    resultScreen.Continue();
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

TEST_F(WorldMapPanels, TheBankShowsTheMoneyRightAlignedAlsoWhenNegative)
{
    for (const int money : { 500, -75 }) {
        world.money = money;
        world.bank = 9999;
        Frame();
        const std::wstring text = std::to_wstring(money);
        const test::GfxDraw* shadow = FindText(text);
        ASSERT_NE(shadow, nullptr);
        EXPECT_EQ(shadow->color, 0xFF000000u);
        EXPECT_EQ(shadow->x, 271 - 8 * static_cast<int>(text.size()));
        EXPECT_EQ(shadow->y, 148);
        EXPECT_EQ(CountText(text), 2);
        EXPECT_EQ(CountText(L"9999"), 0);
    }
    ASSERT_EQ(Named("bank.png").size(), 1u);
    EXPECT_EQ(Named("bank.png")[0].x, 60);
    EXPECT_EQ(Named("bank.png")[0].y, 117);
}

TEST_F(WorldMapPanels, TheFirstLevelOfATripleShowsOnlyTheMoneyEarnedThere)
{
    world.levelMoney[4] = 1234;
    world.levelTime[4] = 80;
    map.DrawLevelInfo(4, 0);
    EXPECT_EQ(gfx.Texts(), std::vector<std::wstring>({ L"text 144", L"text 144", L"1234", L"1234" }));
    const auto texts = TextDraws();
    EXPECT_EQ(texts[3]->y, 145);
    EXPECT_EQ(texts[3]->x, 995 + 120 - 16);
}

TEST_F(WorldMapPanels, TheDescriptionHasTheLevelTitleAndNoTitleForTheCity)
{
    Frame();
    const test::GfxDraw* title = FindText(L"text 24 5");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->y, 76); // shadow of the title at top 60 + 15
    const test::GfxDraw* line = FindText(L"task 5");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->y, 121);

    world.money = 10;
    HoverPin(31);
    Frame();
    EXPECT_EQ(CountText(L"text 24 31"), 0);
    line = FindText(L"task 31");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->y, 81); // top 20
}

TEST_F(WorldMapPanels, TheProfileLineNamesThePlayerUnderTheMap)
{
    Frame();
    const auto texts = TextDraws();
    const test::GfxDraw* white = nullptr;
    const test::GfxDraw* yellow = nullptr;
    for (const test::GfxDraw* d : texts) {
        if (d->text == L"text 96 Kim")
            (white ? yellow : white) = d;
    }
    ASSERT_NE(yellow, nullptr);
    EXPECT_EQ(white->color, 0xFFFFFFFFu);
    EXPECT_EQ(yellow->color, 0xFF9B9B00u);
    EXPECT_EQ(white->x, yellow->x + 1);
    EXPECT_EQ(yellow->y, 820);
    EXPECT_EQ(yellow->x, 640 - 8 * 11 / 2);
}

} // namespace
