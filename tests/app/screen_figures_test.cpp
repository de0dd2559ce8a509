// The figures each screen shows, read back from its draw calls as a player
// would read them, at both screen sizes: one run of the real program,
// headless, from a new game through level 1, the shop (for level 2's
// building) and level 2, played by the autoplayer with input events alone.
// The start screen names the new player; the head-up display's clock,
// points, medal badge and task counters (digit images, each glyph named and
// placed) follow the game clock and the level's values as cars are served;
// the task dialog gives the level script's goal and limit; the statistics
// panel's times, reward, money and balance follow the rules of the reward;
// the result table's new row is the row the highscore file holds; the shop's
// money, centred in its box, drops by the price its bubble showed, as the
// saved game says; the map's bank shows what the player holds and its pins
// what each level earned, its rating and times; the start screen, seen
// again, how far the player has come, as the profile file keeps it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "frontend/state_menu.h"
#include "platform/game_random.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "scene/gui_vocabulary.h"
#include "screen_figures_run.h"
#include "support/temp_folder.h"
#include "support/whole_game.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_sizes.h"

namespace {

using test::ClockText;
using test::ImageNumber;
using test::NumberIn;
using test::ShownText;
using test::ValueRightOf;
using namespace figures;

// A whole number the level script gives one of its names ("local NAME = n"
// or "common.NAME = n"); -1 when it has none.
int ScriptValue(const std::string& file, const std::string& name)
{
    std::ifstream in(std::string(VANDREL_SOURCE_DIR) + "/data/script/scene/" + file);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    std::smatch m;
    return std::regex_search(text, m, std::regex("(local |common\\.)" + name + " = (-?[0-9]+)")) ? std::stoi(m[2]) : -1;
}

struct Size {
    int width, height;
};

class ScreenFigures : public test::WholeGameRuns<::testing::TestWithParam<Size>> {
protected:
    void Play()
    {
        EnterPlayerFolder(home);
        platform::GameSrand(1);
        cSettings::Instance().SetResolution(GetParam().width, GetParam().height);
        cSettings::Instance().screenMode = 0;
        test::ShowLogosAsAtStart(world);
        run = std::make_unique<FigureRun>(GetParam().width, GetParam().height);
        platform::SetTimeSourceForTests([this] { return run->ms; });
        cStateMenu::SetLoadingPauseForTests([] {});
        ASSERT_TRUE(run->Run());
        ASSERT_EQ(run->stuck, L"");
        ASSERT_TRUE(run->finished);
        for (const std::string& fault : run->faults)
            ADD_FAILURE() << fault;
    }

    const Seen& Screen(const std::string& name)
    {
        static const Seen none;
        const auto found = run->seen.find(name);
        EXPECT_NE(found, run->seen.end()) << name << " was not seen";
        return found == run->seen.end() ? none : found->second;
    }

    test::TempFolder home;
    std::unique_ptr<FigureRun> run;
};

// The display of a level in play: the clock with the time played, the
// points against their target, the badge with the time still allowed for
// gold, then silver, then the limit, and one counter per open task line.
void ExpectDisplay(const std::string& name, const Seen& s, int width)
{
    SCOPED_TRACE(name);
    ASSERT_FALSE(s.numbers.empty());
    EXPECT_TRUE(s.ShowsNumber(1, ClockText(s.elapsed))) << platform::WideToNarrow(s.NumbersOf(1));
    const std::wstring points = s.pointsTarget > 0
        ? std::to_wstring(s.points) + L" / " + std::to_wstring(s.pointsTarget)
        : std::to_wstring(s.points);
    EXPECT_TRUE(s.ShowsNumber(1, points)) << platform::WideToNarrow(points + L" in " + s.NumbersOf(1));

    // Set 2: the badge's time (levels 2, 3, 5, 6, ...) and the counters.
    std::vector<std::wstring> expected;
    if (s.level % 3 != 1 && s.limit > 0) {
        const int gold = s.limit * 6 / 10, silver = s.limit * 8 / 10;
        if (s.elapsed < gold || s.elapsed < silver || s.elapsed < s.limit)
            expected.push_back(ClockText(s.elapsed < gold ? gold : s.elapsed < silver ? silver : s.limit));
        EXPECT_EQ(s.images.count(s.elapsed < gold ? "slot_gold" : "slot_silver"), s.elapsed < silver ? 1u : 0u);
    }
    for (int i = 0; i < world::kMessageLines; ++i)
        if (s.lineShown[i])
            expected.push_back(std::to_wstring(s.lineValue[i]) + L" / " + std::to_wstring(s.lineTarget[i]));
    std::vector<std::wstring> shown;
    for (const ImageNumber& n : s.numbers) {
        EXPECT_TRUE(n.left >= 0 && n.right <= width) << "a number off the screen";
        if (n.set == 2)
            shown.push_back(n.text);
    }
    std::sort(expected.begin(), expected.end());
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected);
    // Each counter stands inside its slot's frame.
    const auto frame = s.images.find("slot_3.png");
    for (const ImageNumber& n : s.numbers) {
        if (frame != s.images.end() && n.set == 2 && n.left > width / 2) {
            EXPECT_TRUE(n.left >= frame->second.first && n.right <= frame->second.second)
                << platform::WideToNarrow(n.text) << " at " << n.left << ".." << n.right << ", slot "
                << frame->second.first << ".." << frame->second.second;
        }
    }
}

// The reward of a level with a limit, as the rules pay it.
struct Reward {
    int base, timeBonus, pointsBonus, rating;
};
Reward RewardFor(int elapsed, int limit, int points, int target)
{
    Reward r { elapsed <= limit ? 50000 : 0, 0, 0, 0 };
    if (elapsed < limit * 6 / 10)
        r = { r.base, 40000, 0, 2 };
    else if (elapsed < limit * 8 / 10)
        r = { r.base, 25000, 0, 1 };
    if (elapsed <= limit) {
        const int d = points - target;
        r.pointsBonus = r.rating == 2 ? d : r.rating == 1 ? d / 2 : std::min(d / 4, target * 5 / 100);
    }
    r.pointsBonus = std::max(r.pointsBonus, 0);
    return r;
}

TEST_P(ScreenFigures, EachScreenShowsWhatTheRulesAndFilesSay)
{
    Play();
    ASSERT_FALSE(HasFatalFailure());
    const int width = GetParam().width;

    // The start screen: the new player's name and how far they have come.
    const Seen& start = Screen("start");
    EXPECT_TRUE(start.Shows(L"auto"));
    EXPECT_TRUE(start.Shows(Gui(24) + L" 1 / 30"));

    // The task dialogs: the level, and level 2's goal and limit as its script sets them.
    const int serveTarget = ScriptValue("level_setup_02.lua", "SERVE_TARGET");
    const int limit = ScriptValue("level_setup_02.lua", "TIME_LIMIT");
    const int carPoints = ScriptValue("level_common.lua", "CAR_POINTS");
    ASSERT_GT(serveTarget, 0);
    ASSERT_GT(limit, 0);
    ASSERT_GT(carPoints, 0);
    for (int level : { 1, 2 })
        EXPECT_NE(run->taskTexts[level].find(Gui(24) + L" " + std::to_wstring(level) + L"\n"), std::wstring::npos)
            << platform::WideToNarrow(run->taskTexts[level]);
    EXPECT_NE(run->taskTexts[2].find(std::to_wstring(serveTarget) + L" cars"), std::wstring::npos);
    EXPECT_NE(run->taskTexts[2].find(ClockText(limit)), std::wstring::npos);

    // The display at each level's start and as the level went on.
    for (const char* name : { "hud_start_1", "hud_last_1", "hud_start_2", "hud_last_2" })
        ExpectDisplay(name, Screen(name), width);
    const Seen& first = Screen("hud_start_2");
    const Seen& last = Screen("hud_last_2");
    EXPECT_EQ(first.limit, limit);
    EXPECT_EQ(first.pointsTarget, serveTarget * carPoints);
    EXPECT_TRUE(first.ShowsNumber(2, L"0 / " + std::to_wstring(serveTarget)));
    EXPECT_GT(last.lineValue[0], 0) << "no car served";
    EXPECT_GT(last.elapsed, first.elapsed);
    const int rowsTarget = ScriptValue("level_setup_01.lua", "ROWS_TARGET");
    ASSERT_GT(rowsTarget, 0);
    EXPECT_TRUE(Screen("hud_start_1").ShowsNumber(2, L"0 / " + std::to_wstring(rowsTarget)));

    // Level 1, paid by its points: the total, the money held and the balance.
    const Seen& grid = Screen("statistics_1");
    const int total1 = NumberIn(ValueRightOf(grid.texts, Gui(0)));
    EXPECT_TRUE(grid.Shows(Gui(24) + L" 1"));
    EXPECT_EQ(total1, grid.points);
    EXPECT_GT(total1, 0);
    EXPECT_EQ(NumberIn(ValueRightOf(grid.texts, Gui(138))), grid.money);
    EXPECT_EQ(NumberIn(ValueRightOf(grid.texts, Gui(139))), grid.money + total1);

    // The shop: the money drops by the price the bubble showed, and the
    // saved game holds what is left.
    const Seen& shop = Screen("shop");
    const Seen& bubble = Screen("shop_bubble");
    const Seen& bought = Screen("shop_last");
    int price = -1;
    for (const ShownText& t : bubble.texts)
        if (t.text.rfind(Gui(92) + L" ", 0) == 0)
            price = NumberIn(t.text.substr(Gui(92).size() + 1));
    ASSERT_GT(price, 0);
    EXPECT_TRUE(shop.ShowsNumber(1, std::to_wstring(grid.money + total1))) << platform::WideToNarrow(
        shop.NumbersOf(1)) << " " << grid.money << " " << total1 << " " << platform::WideToNarrow(run->userFolder);

    // The money stands in the middle of its box.
    for (const Seen* s : { &shop, &bought }) {
        const auto box = s->images.find("money.png");
        ASSERT_NE(box, s->images.end());
        for (const ImageNumber& n : s->numbers)
            EXPECT_LE(std::abs((n.left + n.right) - (box->second.first + box->second.second)), 2)
                << n.left << ".." << n.right << " in the box " << box->second.first << ".." << box->second.second;
    }
    const int afterShop = grid.money + total1 - price;
    EXPECT_TRUE(bought.ShowsNumber(1, std::to_wstring(afterShop)))
        << platform::WideToNarrow(bought.NumbersOf(1)) << price;
    EXPECT_EQ(bought.savedMoney, afterShop);
    EXPECT_TRUE(Screen("map_2").Shows(std::to_wstring(afterShop)));

    // Level 2's statistics: the times, the reward the rules pay for them,
    // the money held and the balance.
    const Seen& stats = Screen("statistics_2");
    const Reward r = RewardFor(stats.elapsed, limit, stats.points, serveTarget * carPoints);
    const int total2 = r.base + r.timeBonus + r.pointsBonus;
    const struct {
        int label;
        std::wstring value;
    } rows[] = {
        { 77, ClockText(limit) },
        { 78, ClockText(stats.elapsed) },
        { 100, std::to_wstring(r.base) },
        { 60, std::to_wstring(r.timeBonus) },
        { 75, std::to_wstring(r.pointsBonus) },
        { 0, std::to_wstring(total2) },
        { 138, std::to_wstring(afterShop) },
        { 139, std::to_wstring(afterShop + total2) },
    };
    for (const auto& row : rows)
        EXPECT_EQ(ValueRightOf(stats.texts, Gui(row.label)), row.value) << "row " << row.label;
    EXPECT_FALSE(stats.Shows(Gui(132))) << "money earned before in a level never played";

    // The result tables: the player's new row, as the highscore file keeps it.
    world.userFolder = run->userFolder;
    world.LoadHighscores();
    for (const auto& [level, money] : { std::pair(1, total1), std::pair(2, total2) }) {
        SCOPED_TRACE("results of level " + std::to_string(level));
        const Seen& table = Screen("results_" + std::to_string(level));
        EXPECT_TRUE(table.Shows(Gui(24) + L" " + std::to_wstring(level)));
        const auto name = std::find_if(table.texts.begin(), table.texts.end(),
            [](const ShownText& t) { return t.text == L"auto" || t.text == L"auto_"; });
        ASSERT_NE(name, table.texts.end());
        EXPECT_EQ(name->colour, 0xFFFFFF00u) << "the new row is not marked";
        EXPECT_EQ(NumberIn(ValueRightOf(table.texts, ValueRightOf(table.texts, name->text))), money);
        const std::wstring time = ValueRightOf(table.texts, name->text);
        int row = 0;
        for (int k = 1; k <= world::kHighscoreRowsUsed; ++k)
            row = row ? row : world.highscoreNames[level][k] == L"auto" ? k : 0;
        ASSERT_GT(row, 0) << "no row in the highscore file";
        EXPECT_EQ(world.highscoreMoney[level][row], money);
        EXPECT_EQ(platform::WideToNarrow(time), platform::WideToNarrow(ClockText(world.highscoreTime[level][row])));
    }

    // Back on the map: the bank holds the balance the panel promised, as
    // the saved game does, with what level 2 earned and its rating.
    EXPECT_TRUE(Screen("map_3").Shows(std::to_wstring(afterShop + total2)));
    EXPECT_EQ(SavedValue(run->userFolder, L"MONEY", 0), afterShop + total2);
    EXPECT_EQ(SavedValue(run->userFolder, L"GELD", 2), total2);
    EXPECT_EQ(SavedValue(run->userFolder, L"STATUS", 2), r.rating);
    EXPECT_EQ(SavedValue(run->userFolder, L"LEVEL_TIME", 2), stats.elapsed);

    // The map's information on each level played: what level 1 earned; level
    // 2's rating, the time it took and the best run of its table.
    const Seen& pin1 = Screen("map_pin_1");
    EXPECT_TRUE(pin1.Shows(Gui(144)));
    EXPECT_TRUE(pin1.Shows(std::to_wstring(total1)));
    const Seen& pin2 = Screen("map_pin_2");
    const int words[] = { 123, 122, 121 };
    EXPECT_TRUE(pin2.Shows(Gui(31) + L": " + Gui(words[r.rating])));
    EXPECT_TRUE(pin2.Shows(Gui(78) + L" " + ClockText(stats.elapsed)));
    EXPECT_TRUE(pin2.Shows(Gui(14) + L" " + ClockText(world.highscoreTime[2][1])));
    EXPECT_TRUE(pin2.Shows(world.highscoreNames[2][1]));

    // The start screen again: the player has come as far as the profile file says.
    std::ifstream in(platform::WideToNarrow(run->userFolder) + "/us.txt", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const std::wstring users = platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    const std::size_t key = users.find(L"[last level 1]");
    ASSERT_NE(key, std::wstring::npos);
    const int furthest = static_cast<int>(std::wcstol(users.c_str() + key + 14, nullptr, 10));
    EXPECT_EQ(furthest, 3);
    const Seen& again = Screen("start_after");
    EXPECT_TRUE(again.Shows(Gui(24) + L" " + std::to_wstring(furthest) + L" / 30"));
    EXPECT_TRUE(again.Shows(L"auto"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScreenFigures, ::testing::Values(Size { 1280, 1024 }, Size { 1024, 768 }),
    [](const auto& info) { return std::to_string(info.param.width); });

} // namespace
