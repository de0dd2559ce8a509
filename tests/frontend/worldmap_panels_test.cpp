// The panels over the world map: the bank, the description with its pulsing
// lock notice, the level information, the profile line, the buttons' flags,
// and the whole map at both screen sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "frontend/menu_high.h"
#include "worldmap_fixture.h"

namespace {

class WorldMapPanels : public test::WorldMapTest { };

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

TEST_F(WorldMapPanels, TheLevelInfoFollowsTheRatingAndTheStoredTimes)
{
    struct Case {
        int status;
        int tries;
        int time;
        int bestTime;
        std::vector<std::wstring> lines;
    };
    const std::vector<Case> cases = {
        { -1, 0, 0, 0, { L"text 120" } }, // not played yet
        { -1, 2, 95, 0, { L"text 119", L"text 78 01:35" } }, // played and failed
        { 0, 1, 75, 0, { L"text 31: text 123", L"text 78 01:15" } },
        { 1, 1, 0, 50, { L"text 31: text 122", L"text 14 00:50", L"Ada" } },
        { 2, 3, 61, 50, { L"text 31: text 121", L"text 78 01:01", L"text 14 00:50", L"Ada" } },
        { 9, 1, 0, 0, { L"" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status * 10 + c.tries);
        gfx.ClearRecords();
        world.levelCounter[5] = c.tries;
        world.levelTime[5] = c.time;
        world.highscoreTime[5][1] = c.bestTime;
        world.highscoreNames[5][1] = L"Ada";
        map.DrawLevelInfo(5, c.status);
        std::vector<std::wstring> drawn;
        const auto texts = TextDraws();
        for (std::size_t i = 1; i < texts.size(); i += 2) {
            EXPECT_EQ(texts[i]->x, 995);
            EXPECT_EQ(texts[i]->y, 120 + 25 * static_cast<int>(drawn.size()));
            EXPECT_EQ(texts[i]->color, 0xFFFFFF00u);
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
    world.resultScreenOpen = 1;
    world.levelOver = world.levelState = 1;
    world.drawStation = 1;
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

TEST_F(WorldMapPanels, ALevelThatCouldNotStartSaysSoOnTheMap)
{
    world.levelStartNotice = L"Level 5 cannot be started";
    Frame();
    EXPECT_NE(FindText(L"Level 5 cannot be started"), nullptr);
}

TEST_F(WorldMapPanels, OnlyALockNoticePulsesBetween150And255)
{
    Frame();
    EXPECT_EQ(map.GetNoticeAlpha(), 255);
    SetFurthest(8);
    world.level = 8;
    HoverPin(8);
    Frame(5.0);
    ASSERT_EQ(world.taskTextIsNotice, 1);
    // The pulse starts from where it stood and turns at the top.
    std::vector<int> alphas;
    for (int i = 0; i < 40; ++i) {
        Frame(18.0);
        alphas.push_back(map.GetNoticeAlpha());
    }
    // Steps of 5; at the bottom the turn holds 150 for one step.
    EXPECT_EQ(alphas.front(), 250);
    for (std::size_t i = 1; i < alphas.size(); ++i) {
        const bool turn = alphas[i] == 150 && alphas[i - 1] == 150;
        EXPECT_TRUE(turn || std::abs(alphas[i] - alphas[i - 1]) == 5) << i;
        EXPECT_GE(alphas[i], 150);
        EXPECT_LE(alphas[i], 255);
    }
    EXPECT_EQ(std::count(alphas.begin(), alphas.end(), 150), 2);
    const test::GfxDraw* line = FindText(L"text 135 Workshop");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(Alpha(line->color), alphas.back());
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

TEST_F(WorldMapPanels, ThePlayButtonStartsTheLevelWithItsTaskDialog)
{
    cMenuManager::Instance().GetMenu(cMenuManager::kFloor)->SetActive(true);
    test::ScreenCalls().clear();
    Frame();
    EXPECT_EQ(world.menuChoice, -1);
    EXPECT_EQ(CountText(L"text 23"), 1);
    HoverButton(828);
    Click();
    EXPECT_EQ(world.menuChoice, 0);
    EXPECT_EQ(world.taskBookOpen, 1);
    EXPECT_EQ(world.gameMenuClosed, 1);
    EXPECT_EQ(world.paused, 1);
    EXPECT_EQ(world.darkening, 1);
    EXPECT_EQ(world.tintStep, 15);
    EXPECT_EQ(world.darkTintTarget, 150);
    EXPECT_EQ(world.level, 5);
    EXPECT_EQ(test::ScreenCalls(), std::vector<std::string>({ "Floor off" }));
}

TEST_F(WorldMapPanels, EscapeAndTheTwoOtherButtonsSetTheirFlags)
{
    world.keyEscape = 1;
    world.textEntryActive = 1;
    Frame();
    EXPECT_EQ(world.keyEscape, 0);
    EXPECT_EQ(world.profilesOpen, 1);
    EXPECT_EQ(world.textEntryActive, 0);
    EXPECT_EQ(CountText(L"text 22"), 0) << "the profiles button is not drawn that frame";

    world.profilesOpen = 0;
    HoverButton(246);
    Click();
    EXPECT_EQ(world.profilesOpen, 1);

    world.highscoreTableReady = 1;
    test::ScreenCalls().clear();
    HoverButton(537);
    Click();
    EXPECT_EQ(world.highscoresOpen, 1);
    EXPECT_EQ(world.resultScreenOpen, 1);
    EXPECT_EQ(world.highscoreTableReady, 0);
    EXPECT_EQ(test::ScreenCalls(), std::vector<std::string>({ "High on" }));
    EXPECT_EQ(world.menuChoice, -1);
}

TEST_F(WorldMapPanels, TheMapIsDrawnFromTheSetOfTheScreenSize)
{
    for (const int width : { 1280, 1024 }) {
        SCOPED_TRACE(width);
        map.SetActive(false);
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        map.SetActive(true);
        HoverPin(3);
        Frame();
        const std::string set = width == 1280 ? kSet1280 : kSet1024;
        for (const test::HudImage& image : Images())
            EXPECT_EQ(image.set, set) << image.name;
        const float sx = cSettings::Instance().scaleX;
        const float sy = cSettings::Instance().scaleY;
        ASSERT_EQ(Named("fishka_over.png").size(), 1u);
        EXPECT_EQ(Named("fishka_over.png")[0].x, static_cast<int>((100 + 90 - 45) / sx));
        EXPECT_EQ(Named("fishka_over.png")[0].y, static_cast<int>((200 + 45 - 80) / sy));
        EXPECT_EQ(map.GetHoveredPin(), 3);
        ASSERT_EQ(Named("button_short_off.png").size(), 3u);
        EXPECT_EQ(Named("button_short_off.png")[2].x, static_cast<int>(828 / sx));
        EXPECT_EQ(Named("button_short_off.png")[2].y, static_cast<int>(950 / sy));
    }
}

TEST_F(WorldMapPanels, TheOfferedPanelsDrawTheirTexts)
{
    map.DrawSpeechBubble(0, L"", 100, 300);
    EXPECT_TRUE(gfx.draws.empty());
    map.DrawSpeechBubble(0, L"Hello", 100, 300);
    EXPECT_EQ(Named("blase_left_02.png").size(), 1u);
    ASSERT_NE(FindText(L"Hello"), nullptr);
    EXPECT_EQ(FindText(L"Hello")->y, 300 - 18 - 40 + 20);
    gfx.ClearRecords();
    // Wrapped texts are drawn line by line, without line ends.
    map.DrawLevelNumber(12, 0);
    EXPECT_EQ(CountText(L"N 12"), 2);
    std::swprintf(g_guiVocabulary[118], kGuiTextLength, L"closed#region");
    map.DrawLockedNotice();
    EXPECT_EQ(CountText(L"closed"), 2);
    ASSERT_EQ(CountText(L"region"), 2);
    EXPECT_GT(FindText(L"region")->y, FindText(L"closed")->y);
}

} // namespace
