// What the map shows of a player's progress (each level's pin with its own
// rating, the paths and mirages around the furthest level) and where its
// buttons and Escape lead.
#include "world_map_fixture.h"

#include <map>

namespace {

class WorldMapProgress : public test::WorldMapTest {
protected:
    // The pin images drawn this frame, by the level whose pin place they are at.
    std::map<int, test::HudImage> PinsByLevel(const std::string& name = "") const
    {
        std::map<int, test::HudImage> pins;
        for (const test::HudImage& image : Images()) {
            const bool pin = name.empty() ? image.name.rfind("fishka_0", 0) == 0 && image.name != "fishka_05.png"
                                          : image.name == name;
            if (!pin)
                continue;
            for (int level = 1; level <= 30; ++level)
                if (image.x == 100 + 30 * level - 45 && image.y == 200 + 15 * level - 80)
                    pins[level] = image;
        }
        return pins;
    }
};

// The pin of every reached level shows that level's rating: never played
// (or failed), passed, silver, or gold (the cup, tinted); levels not reached
// show no pin, and a rating no table knows shows none either.
TEST_F(WorldMapProgress, EveryReachedLevelsPinShowsItsOwnRating)
{
    const char* const kPin[] = { "fishka_02.png", "fishka_01.png", "fishka_03.png", "fishka_04.png" };
    const struct {
        int furthest;
        std::vector<int> status; // levels 1, 2, ...; the rest -1
    } players[] = {
        { 6, { 2, 1, 0, -1, 1, -1, 2, 2 } },
        { 4, { 0, 2, -1, 2, 1 } },
        { 11, { -1, 0, 1, 2, 2, 1, 0, -1, 0, 2, 1, 2 } },
        { 35, { 1, 7, 2, 0, 2, 2, -1, 1, 0, 0, 2, 1, 1, 2, -1, 0, 2, 1, 2, 0, 1, 2, 0, -1, 2, 1, 0, 2, 1, 2 } },
    };
    for (const auto& p : players) {
        SCOPED_TRACE(p.furthest);
        SetFurthest(p.furthest);
        world.level = 1;
        for (int level = 1; level <= 31; ++level)
            world.levelStatus[level] = level <= static_cast<int>(p.status.size()) ? p.status[level - 1] : -1;
        for (const int hovered : { 0, 2, 3 }) {
            SCOPED_TRACE(hovered);
            MoveMouse(0, 0);
            if (hovered)
                HoverPin(hovered);
            Frame();
            const auto pins = PinsByLevel();
            for (int level = 1; level <= 30; ++level) {
                const int status = world.levelStatus[level];
                const bool shown = level <= p.furthest && status >= -1 && status <= 2;
                ASSERT_EQ(pins.count(level), shown ? 1u : 0u) << "level " << level;
                if (!shown)
                    continue;
                EXPECT_EQ(pins.at(level).name, kPin[status + 1]) << "level " << level;
                EXPECT_EQ(pins.at(level).colour, status == 2 ? 0xFFDDFFFFu : 0xFFFFFFFFu) << "level " << level;
            }
            // The hovered pin is ringed over its own image, in its tint.
            const auto rings = PinsByLevel("fishka_over.png");
            const bool ringed = hovered && pins.count(hovered);
            ASSERT_EQ(rings.size(), ringed ? 1u : 0u);
            if (ringed) {
                EXPECT_EQ(rings.begin()->second.colour, pins.at(hovered).colour);
            }
        }
    }
}

// The paths behind the furthest level are strong, the one leading on from it
// is not drawn, those after it are faint; mirages stand over the levels not
// reached yet, the first of each triple with its own image.
TEST_F(WorldMapProgress, PathsAndMiragesFollowTheFurthestLevel)
{
    for (const int furthest : { 1, 5, 12, 30, 35 }) {
        SCOPED_TRACE(furthest);
        SetFurthest(furthest);
        world.level = 1;
        Frame();
        const int m = std::min(furthest, 30);
        for (int k = 1; k <= 29; ++k) {
            char name[32];
            std::snprintf(name, sizeof name, "anim00%02d", k - 1);
            const auto drawn = Named(name);
            if (k == m) {
                EXPECT_TRUE(drawn.empty()) << "the path leading on from the furthest level";
                continue;
            }
            ASSERT_EQ(drawn.size(), 1u) << name;
            EXPECT_EQ(drawn[0].colour >> 24, k < m ? 200u : 40u) << name;
        }
        std::set<std::pair<std::string, int>> mirages; // image, level below it
        for (const test::HudImage& image : Images()) {
            if (image.name.rfind("mirage", 0) != 0)
                continue;
            EXPECT_EQ(image.colour >> 24, 90u);
            const int level = (image.x + 48 - 100) / 30;
            EXPECT_EQ(image.y, 200 + 15 * level - 79);
            mirages.insert({ image.name, level });
        }
        std::set<std::pair<std::string, int>> expected;
        for (int k = m + 1; k <= 30; ++k)
            expected.insert({ k % 3 == 1 ? "mirage2.png" : "mirage1.png", k });
        EXPECT_EQ(mirages, expected);
    }
}

// Escape and the profiles button open the profiles, the highscores button the
// result screen's tables, play starts the chosen level paused behind its task
// dialog; a button not pressed leaves the map where it is.
TEST_F(WorldMapProgress, EscapeAndEachButtonLeadToTheirScreen)
{
    cScreenManager::Instance().GetScreen(cScreenManager::kLevelBackground)->SetActive(true);
    const struct {
        const char* what;
        int buttonX; // -1: Escape, 0: no click
        int profiles, highscores, choice;
        std::vector<std::string> screens;
    } cases[] = {
        { "nothing", 0, 0, 0, -1, {} },
        { "escape", -1, 1, 0, -1, {} },
        { "profiles", 246, 1, 0, -1, {} },
        { "highscores", 537, 0, 1, -1, { "ResultScreen on" } },
        { "play", 828, 0, 0, 0, { "LevelBackground off" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        world.profilesOpen = world.highscoresOpen = world.resultScreenOpen = world.taskBookOpen = 0;
        world.gameMenuClosed = world.paused = 0;
        world.highscoreTableReady = 1;
        world.textEntryActive = 1;
        world.level = 5;
        test::ScreenCalls().clear();
        MoveMouse(0, 0);
        Frame();
        test::ScreenCalls().clear();
        if (c.buttonX > 0)
            HoverButton(c.buttonX);
        world.keyEscape = c.buttonX == -1 ? 1 : 0;
        world.leftClick = c.buttonX > 0 ? 1 : 0;
        Frame();
        EXPECT_EQ(world.profilesOpen, c.profiles);
        EXPECT_EQ(world.textEntryActive, c.profiles ? 0 : 1);
        EXPECT_EQ(world.highscoresOpen, c.highscores);
        EXPECT_EQ(world.resultScreenOpen, c.highscores);
        EXPECT_EQ(world.highscoreTableReady, c.highscores ? 0 : 1);
        EXPECT_EQ(world.menuChoice, c.choice);
        const bool play = c.choice == 0;
        EXPECT_EQ(world.taskBookOpen, play ? 1 : 0);
        EXPECT_EQ(world.gameMenuClosed, play ? 1 : 0);
        EXPECT_EQ(world.paused, play ? 1 : 0);
        EXPECT_EQ(world.level, 5);
        EXPECT_EQ(test::ScreenCalls(), c.screens);
        EXPECT_EQ(world.keyEscape, 0);
        EXPECT_EQ(CountText(L"text 22") > 0, c.buttonX != -1) << "the profiles button is not drawn under Escape";
    }
}

// A click on a pin chooses its level when the level is open: any level up to
// the furthest, a level whose building stands. A level beyond the furthest has
// no pin; one whose building is missing says so, names the place, points to
// the city and stays unchosen, its click left for the buttons.
TEST_F(WorldMapProgress, AClickOnAPinChoosesItsLevelOnlyWhenItIsOpen)
{
    const struct {
        const char* what;
        int furthest, pin;
        bool built;
        int level; // chosen afterwards
        const wchar_t* text;
        const wchar_t* hint;
        const wchar_t* playLabel;
    } cases[] = {
        { "an earlier level", 5, 3, false, 3, L"task 3", L"", L"text 21" },
        { "the furthest level", 5, 5, false, 5, L"task 5", L"", L"text 23" },
        { "beyond the furthest", 5, 6, false, 5, L"task 5", L"", L"text 23" },
        { "its building missing", 8, 8, false, 7, L"text 135 Workshop", L"text 145", L"text 21" },
        { "its building built", 8, 8, true, 8, L"task 8", L"", L"text 23" },
        { "an earlier level while the furthest waits", 8, 5, false, 5, L"task 5", L"", L"text 21" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetFurthest(c.furthest);
        world.level = c.furthest;
        world.lotTable[4][3] = c.built ? 9 : 0;
        sound.played.clear();
        MoveMouse(0, 0);
        Frame();
        HoverPin(c.pin);
        Frame();
        Click();
        EXPECT_EQ(world.level, c.level);
        const bool chosen = c.level == c.pin;
        EXPECT_EQ(world.leftClick, chosen ? 0 : 1);
        EXPECT_EQ(Played("menu_clk"), chosen ? 1 : 0);
        EXPECT_EQ(world.taskText, c.text);
        EXPECT_EQ(map.GetHintText(), c.hint);
        EXPECT_EQ(CountText(c.hint), *c.hint ? 2 : 0);
        world.leftClick = 0;
        MoveMouse(0, 0);
        Frame();
        EXPECT_EQ(CountText(c.playLabel), 1);
    }
}

// Both star animations step once a frame at most, however long the frame,
// and wrap after their fortieth picture.
TEST_F(WorldMapProgress, StarsStepOneFramePerFrameAtMostAndWrapAfterFrame39)
{
    Frame(1000.0);
    EXPECT_EQ(map.GetStarsFrame(), 1);
    EXPECT_EQ(map.GetBonusStarsFrame(), 1);
    Frame(5.0); // too soon
    EXPECT_EQ(map.GetStarsFrame(), 1);
    for (int i = 0; i < 39; ++i)
        Frame();
    EXPECT_EQ(map.GetStarsFrame(), 0);
    EXPECT_EQ(map.GetBonusStarsFrame(), 0);
}

} // namespace
