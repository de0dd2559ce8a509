// The result screen drawn headless: preparing a showing (the new entry and the
// name input), the cursor, the six rows it shows, the continue button, and
// typing the name through the level's keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "frontend/menu_high.h"
#include "results_fixture.h"
#include "scene/hud_fixture.h"
#include "platform/win_messages.h"
#include "scene/state_game.h"

namespace {

const std::vector<std::string> kHighImages = { "button_short_off.png", "button_short_over.png" };

class Keys : public iKeySource {
public:
    std::set<int> down;
    bool IsKeyDown(int code) override { return down.count(code) != 0; }
    void ClearKey(int code) override { down.erase(code); }
    bool IsHeld(int) override { return false; }
    bool IsRussianLayout() override { return false; }
};

class MenuHighTest : public test::HudTest {
protected:
    void SetUp() override
    {
        test::HudTest::SetUp();
        WriteSet("data/gui/interface/menu/menu_highscore", kHighImages);
        WriteSet("data/gui/interface/menu/menu_highscore_1024", kHighImages);
        world.userFolder = platform::NarrowToWide(folder / "user");
        cSettings::Instance().canSave = true;
        high.SetActive(true);
        world.level = 5;
        world.furthestLevel = 5;
        world.profileLastLevel[2] = 5;
        world.currentProfile = 2;
        world.profileNames[2] = L"Kim";
        world.levelTimeLimit = 120;
        world.drawStation = 1;
        world.levelReward = 400;
        world.levelBonus = 50;
        world.levelFinalTime = 75;
        world.levelElapsed = 75;
        world.levelOver = 1;
        world.levelState = 1;
        world.menuChoice = 0;
        world.resultScreenOpen = 1;
        world.highscoreTableReady = 0;
        MoveMouse(0, 0);
    }
    void Frame()
    {
        gfx.ClearRecords();
        Wait(17);
        high.Draw();
    }
    std::vector<std::wstring> Texts() const { return gfx.Texts(); }
    bool Shows(const std::wstring& text) const
    {
        const auto texts = Texts();
        return std::count(texts.begin(), texts.end(), text) == 2; // shadow, then text
    }

    Scene::MenuHigh high;
};

TEST_F(MenuHighTest, AWonLevelEntersItsResultAndStartsTheNameInputWithTheProfilesName)
{
    Frame();
    EXPECT_EQ(world.highscoreTableReady, 1);
    EXPECT_EQ(high.GetNewEntryRow(), 0);
    EXPECT_EQ(world.textEntryActive, 1);
    EXPECT_EQ(world.textEntryMax, 20);
    EXPECT_EQ(std::wstring(world.textEntry), L"Kim");
    EXPECT_EQ(high.Table().scoreMoney[0], 450);
    EXPECT_EQ(high.Table().scoreTimes[0], 75);
    EXPECT_EQ(high.Table().scoreWorkplaces[0], 2);
    EXPECT_TRUE(Shows(L"Kim"));
    EXPECT_TRUE(Shows(L"01:15"));
    EXPECT_TRUE(Shows(L"450"));
    EXPECT_TRUE(Shows(L"text 24 5"));
    EXPECT_TRUE(Shows(L"text 18"));
    // Places 1..6 only: the header row has none and rows 7..10 are not drawn.
    EXPECT_TRUE(Shows(L"6"));
    EXPECT_FALSE(Shows(L"7"));
    EXPECT_TRUE(FindImage("button_short_off.png").has_value());
}

TEST_F(MenuHighTest, TheCursorBlinksEveryHalfSecondBehindTheTypedName)
{
    Frame();
    EXPECT_EQ(high.GetCursorPhase(), 0);
    Wait(600);
    Frame();
    EXPECT_EQ(high.GetCursorPhase(), 1);
    EXPECT_TRUE(Shows(L"Kim_"));
    Wait(600);
    Frame();
    EXPECT_EQ(high.GetCursorPhase(), 0);
}

TEST_F(MenuHighTest, TheTypedNameIsTheEntrysNameUpToTwentyCharactersAndIsWrittenOnContinue)
{
    Frame();
    cStateGame state;
    Keys keys;
    keys.down = { VK_BACK };
    state.HandleTextInput(keys);
    for (int i = 0; i < 30; ++i) {
        keys.down = { 'Z' };
        state.HandleTextInput(keys);
    }
    EXPECT_EQ(std::wstring(world.textEntry), L"Kizzzzzzzzzzzzzzzzzz");
    Frame();
    EXPECT_EQ(high.Table().scoreNames[0], L"Kizzzzzzzzzzzzzzzzzz");

    // The continue button records the level and leaves it.
    MoveMouse(540 + 10, 960 + 10);
    world.leftClick = 1;
    Frame();
    EXPECT_EQ(world.leaveLevel, 1);
    EXPECT_EQ(world.resultScreenOpen, 0);
    EXPECT_EQ(world.money, 450);
    EXPECT_EQ(world.furthestLevel, 6);
    EXPECT_EQ(Played("menu_clk"), 1);
    PropertyFile file;
    ASSERT_TRUE(file.Serialize(world.userFolder + L"/highscore/result_05.cfg", false));
    EXPECT_EQ(file.GetString(L"name1"), L"Kizzzzzzzzzzzzzzzzzz");
    EXPECT_EQ(file.GetInt(L"money1", 0), 450);
}

TEST_F(MenuHighTest, ALevelNotCompletedShowsTheTableWithoutANewEntry)
{
    world.levelState = 0;
    Frame();
    EXPECT_EQ(high.GetNewEntryRow(), -1);
    EXPECT_EQ(world.textEntryActive, 0);
    const auto texts = Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), L"..."), 12);
    EXPECT_FALSE(Shows(L"Kim"));
}

TEST_F(MenuHighTest, NoTextIsCoveredByAnOpaqueBoxDrawnAfterIt)
{
    for (const int won : { 1, 0 }) {
        SCOPED_TRACE(won);
        world.levelState = won;
        world.highscoreTableReady = 0;
        Frame();
        ASSERT_TRUE(Shows(L"text 29"));
        const auto& draws = gfx.draws;
        for (size_t i = 0; i < draws.size(); ++i) {
            if (draws[i].kind != test::GfxDraw::Kind::Text)
                continue;
            for (size_t j = i + 1; j < draws.size(); ++j) {
                const auto& v = draws[j].vertices;
                if (draws[j].kind != test::GfxDraw::Kind::Triangles || v.empty() || (v[0].color >> 24) != 255)
                    continue;
                const bool inside = draws[i].x >= v[0].x && draws[i].x < v[2].x && draws[i].y >= v[0].y
                    && draws[i].y < v[2].y;
                EXPECT_FALSE(inside) << platform::WideToNarrow(draws[i].text);
            }
        }
    }
}

TEST_F(MenuHighTest, AResultInTheHiddenRowsStillStartsTheNameInput)
{
    std::string text;
    for (int r = 1; r <= 8; ++r)
        text += "[name" + std::to_string(r) + "]\r\nP" + std::to_string(r) + "\r\n[money" + std::to_string(r)
            + "]\r\n" + std::to_string(10000 - r) + "\r\n";
    std::filesystem::create_directories(folder / "user/highscore");
    const auto bytes = platform::WideToUtf16Le(L"\xFEFF" + platform::NarrowToWide(text));
    std::ofstream(folder / "user/highscore/result_05.cfg", std::ios::binary) << std::string(bytes.begin(), bytes.end());
    Frame();
    EXPECT_EQ(high.GetNewEntryRow(), 8);
    EXPECT_EQ(world.textEntryActive, 1);
    EXPECT_FALSE(Shows(L"Kim"));
}

TEST_F(MenuHighTest, NothingIsDrawnWhileTheScreenIsClosed)
{
    world.resultScreenOpen = 0;
    Frame();
    EXPECT_TRUE(gfx.draws.empty());
    EXPECT_EQ(world.highscoreTableReady, 0);
}

TEST_F(MenuHighTest, AtAWidthOf1024TheButtonComesFromTheSmallerSetAndThePanelIsScaled)
{
    cSettings::Instance().SetResolution(1024, 768);
    Frame();
    const auto button = FindImage("button_short_off.png");
    ASSERT_TRUE(button.has_value());
    EXPECT_EQ(button->set, "data/gui/interface/menu/menu_highscore_1024");
    const cSettings& s = cSettings::Instance();
    EXPECT_EQ(button->x, static_cast<int>(540 / s.scaleX));
    EXPECT_EQ(button->y, static_cast<int>(450 / s.scaleY) + static_cast<int>(510 / s.scaleY));
}

} // namespace
