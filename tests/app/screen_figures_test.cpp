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
// money drops by the price its bubble showed, as the saved game says; the
// map's bank shows what the player holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/state_menu.h"
#include "platform/game_random.h"
#include "platform/test_events.h"
#include "platform/time_source.h"
#include "platform/utf16.h"
#include "recorded_app.h"
#include "scene/design_units.h"
#include "scene/gui_vocabulary.h"
#include "support/autoplayer.h"
#include "support/screen_reader.h"
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

const std::wstring& Gui(int text)
{
    static std::map<int, std::wstring> texts;
    return texts.emplace(text, g_guiVocabulary[text]).first->second;
}

// A whole number the level script gives one of its names ("local NAME = n"
// or "common.NAME = n"); -1 when it has none.
int ScriptValue(const std::string& file, const std::string& name)
{
    std::ifstream in(std::string(VANDREL_SOURCE_DIR) + "/data/script/scene/" + file);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    std::smatch m;
    return std::regex_search(text, m, std::regex("(local |common\\.)" + name + " = (-?[0-9]+)")) ? std::stoi(m[2]) : -1;
}

// Field `index` after the key of a row of the saved game ("MONEY;5;",
// "GELD;0;120;..."): index 0 is the first value; -1 when missing.
int SavedValue(const std::wstring& folder, const std::wstring& key, int index)
{
    std::ifstream in(platform::WideToNarrow(folder) + "/1", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::wstring text = platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    std::replace(text.begin(), text.end(), L'\r', L'\n');
    std::wistringstream lines(text);
    for (std::wstring line; std::getline(lines, line);) {
        if (line.rfind(key + L";", 0) != 0)
            continue;
        std::wistringstream fields(line.substr(key.size() + 1));
        std::wstring field;
        for (int i = 0; std::getline(fields, field, L';'); ++i)
            if (i == index)
                return NumberIn(field);
    }
    return -1;
}

// One frame as read back, with the world's figures it was drawn from.
struct Seen {
    std::vector<ImageNumber> numbers;
    std::vector<ShownText> texts;
    std::map<std::string, std::pair<int, int>> images; // name -> left, right of its last draw
    int level = 0, elapsed = 0, limit = 0, points = 0, pointsTarget = 0, money = 0, savedMoney = -1;
    int lineValue[world::kMessageLines] = {}, lineTarget[world::kMessageLines] = {};
    bool lineShown[world::kMessageLines] = {};

    bool Shows(const std::wstring& text) const
    {
        return std::any_of(texts.begin(), texts.end(), [&](const ShownText& t) { return t.text == text; });
    }
    bool ShowsNumber(int set, const std::wstring& text) const
    {
        return std::any_of(
            numbers.begin(), numbers.end(), [&](const ImageNumber& n) { return n.set == set && n.text == text; });
    }
    std::wstring NumbersOf(int set) const
    {
        std::wstring all;
        for (const ImageNumber& n : numbers)
            all += n.set == set ? L"[" + n.text + L"]" : L"";
        return all;
    }
};

// The autoplayer from a new game to the map after level 2, with a reader
// over its engine that keeps the frames a player would read figures from.
class FigureRun : public test::Autoplayer {
public:
    FigureRun(int width, int height)
        : Autoplayer(2, width, height)
        , width(width)
    {
    }

    bool Frame() override
    {
        cGameWorld& world = cGameWorld::Instance();
        if (InLevel() && world.taskBookOpen && !taskRead[world.level]) {
            // The task dialog is read page by page before the player closes it.
            ms += 50.0;
            TurnTaskPage();
            const bool running = cPPApp::Frame();
            Look();
            return running;
        }
        if (hovering >= 0)
            return HoverPins();
        const bool running = Autoplayer::Frame();
        Look();
        // Back on the map after the last level: its pins are pointed at.
        if (!running && finished && stuck.empty()) {
            hovering = 0;
            return true;
        }
        return running;
    }

    std::map<std::string, Seen> seen;
    std::map<int, std::wstring> taskTexts; // level -> every page's texts
    std::vector<std::string> faults;
    std::wstring userFolder;

protected:
    void StartEngine() override
    {
        Autoplayer::StartEngine();
        reader.emplace(g_pGfxDevice, g_pGfx2D);
    }
    void StopEngine() override
    {
        reader.reset();
        Autoplayer::StopEngine();
    }

private:
    std::wstring Top() { return GetStateManager().Top() ? GetStateManager().Top()->GetName() : L""; }
    bool InLevel() { return Top() == L"cStateGame"; }

    // Keeps the page's texts, then presses and lets go of the right arrow
    // until the last page.
    void TurnTaskPage()
    {
        const cGameWorld& world = cGameWorld::Instance();
        const int step = taskStep++ % 4;
        if (step == 0) {
            for (const ShownText& t : test::ShownTexts(*reader))
                taskTexts[world.level] += t.text + L"\n";
            const test::GfxDraw* arrow = nullptr;
            for (const test::GfxDraw& d : reader->draws) {
                const test::ImageCatalog::Image* image
                    = d.kind == test::GfxDraw::Kind::Texture ? RecordedApp::Catalog().Find(*reader, d) : nullptr;
                if (image && image->name.rfind("button_right_", 0) == 0)
                    arrow = &d;
            }
            if (!arrow) {
                taskRead[world.level] = true;
                return;
            }
            arrowX = static_cast<int>(arrow->target.left + arrow->target.right) / 2;
            arrowY = static_cast<int>(arrow->target.top + arrow->target.bottom) / 2;
            g_pInputDevice->SetCursorPos(arrowX, arrowY);
            platform::InjectMouseButton(window, 1, true, arrowX, arrowY);
        }
        if (step == 1)
            platform::InjectMouseButton(window, 1, false, arrowX, arrowY);
    }

    // The mouse rests on level 1's pin, then on level 2's, each long enough
    // for the map to show that level's information; then Escape leads back
    // to the start screen.
    bool HoverPins()
    {
        constexpr int kFramesPerPin = 20;
        const int pin = 1 + hovering / kFramesPerPin;
        ms += 50.0;
        for (const cTaskRow& row : cGameWorld::Instance().taskRows)
            if (row.level == pin && hovering % kFramesPerPin == 0)
                platform::InjectMouseMotion(window, Scene::ScaleX(row.pinX - 10), Scene::ScaleY(row.pinY - 30));
        if (hovering == 2 * kFramesPerPin || hovering == 2 * kFramesPerPin + 1)
            platform::InjectKey(window, "Escape", hovering == 2 * kFramesPerPin);
        const bool running = cPPApp::Frame();
        if (reader && pin <= 2 && hovering % kFramesPerPin == kFramesPerPin - 1)
            Keep("map_pin_" + std::to_string(pin));
        if (reader && cGameWorld::Instance().profilesOpen)
            Keep("start_after");
        return running && ++hovering < 3 * kFramesPerPin;
    }

    Seen Read(const std::string& screen)
    {
        const cGameWorld& world = cGameWorld::Instance();
        Seen s;
        std::vector<std::string> misplaced;
        s.numbers = test::ReadImageNumbers(*reader, RecordedApp::Catalog(), misplaced);
        // The first misplaced glyph of each screen tells enough.
        if (!misplaced.empty() && faulted.insert(screen).second)
            faults.push_back(std::to_string(width) + " " + screen + ": " + misplaced.front());
        s.texts = test::ShownTexts(*reader);
        for (const test::GfxDraw& d : reader->draws)
            if (const test::ImageCatalog::Image* image
                = d.kind == test::GfxDraw::Kind::Texture ? RecordedApp::Catalog().Find(*reader, d) : nullptr)
                s.images[image->name] = { static_cast<int>(d.target.left), static_cast<int>(d.target.right) };
        s.level = world.level;
        s.elapsed = world.levelElapsed;
        s.limit = world.levelTimeLimit;
        s.points = world.minusPoints;
        s.pointsTarget = world.messageTarget[14];
        s.money = world.money;
        for (int i = 0; i < world::kMessageLines; ++i) {
            s.lineValue[i] = world.messageReal[i];
            s.lineTarget[i] = world.messageTarget[i];
            s.lineShown[i] = i != 14 && world.messageActive[i]
                && (world.messageTarget[i] < 1 || world.messageReal[i] < world.messageTarget[i]);
        }
        userFolder = world.userFolder;
        if (screen.rfind("shop", 0) == 0)
            s.savedMoney = SavedValue(world.userFolder, L"MONEY", 0);
        return s;
    }

    void Keep(const std::string& screen, bool first = false)
    {
        if (!first || !seen.count(screen))
            seen[screen] = Read(screen);
    }

    bool Draws(const std::string& name) const
    {
        for (const test::GfxDraw& d : reader->draws) {
            const test::ImageCatalog::Image* image
                = d.kind == test::GfxDraw::Kind::Texture ? RecordedApp::Catalog().Find(*reader, d) : nullptr;
            if (image && image->name == name)
                return true;
        }
        return false;
    }

    bool DrawsText(const std::wstring& head) const
    {
        return std::any_of(reader->draws.begin(), reader->draws.end(),
            [&](const test::GfxDraw& d) { return !head.empty() && d.text.rfind(head, 0) == 0; });
    }

    // The frames worth reading: the start screen with the new player, the
    // map before each level and after the last, the shop before and after
    // the purchase and with its price bubble, each level's display at its
    // start and last in play, its statistics and its result table.
    void Look()
    {
        if (!reader)
            return;
        const cGameWorld& world = cGameWorld::Instance();
        const std::string level = std::to_string(world.level);
        if (Top() == L"cStateMenu" && !world.loadingPhase && !world.logosPresent) {
            if (world.profilesOpen && !world.profileNameEntry && !world.restartConfirmOpen
                && !world.profileNames[1].empty())
                Keep("start");
            else if (world.shopInMainMenu && world.shopOpen) {
                if (!seen.count("shop_bubble"))
                    Keep("shop");
                if (DrawsText(Gui(92)))
                    Keep("shop_bubble");
                Keep("shop_last");
            } else if (!world.profilesOpen && !world.optionsOpen && !world.highscoresOpen && Draws("bank.png"))
                Keep("map_" + level);
        }
        if (!InLevel() || world.taskBookOpen)
            return;
        if (!world.levelOver && !world.IsPaused() && world.gameMenuClosed) {
            Keep("hud_start_" + level, true);
            // Read every 2 s of play: a reading costs more than a frame.
            if (++playFrames % 40 == 0)
                Keep("hud_last_" + level);
        }
        if (world.levelOver && !world.resultScreenOpen && DrawsText(Gui(139)))
            Keep("statistics_" + level);
        if (world.resultScreenOpen && DrawsText(Gui(33)))
            Keep("results_" + level);
    }

    const int width;
    std::optional<test::RecordingGfx> reader;
    std::map<int, bool> taskRead;
    int taskStep = 0, arrowX = 0, arrowY = 0;
    int hovering = -1; // frames on the pins after the last level
    int playFrames = 0;
    std::set<std::string> faulted;
};

struct Size {
    int width, height;
};

class ScreenFigures : public ::testing::TestWithParam<Size> {
protected:
    void TearDown() override
    {
        platform::SetTimeSourceForTests(nullptr);
        cStateMenu::SetLoadingPauseForTests(nullptr);
        test::ReleaseWholeGame(world);
        world.ResetToDefaults();
        platform::DiscardPendingMessages();
        setenv("XDG_DATA_HOME", buildHome.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", buildRun.c_str(), 1);
    }

    void Play()
    {
        platform::DiscardPendingMessages();
        setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.Path().c_str(), 1);
        world.ResetToDefaults();
        platform::GameSrand(1);
        cSettings::Instance().LoadSettingsAndProfiles(world);
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
    cGameWorld& world = cGameWorld::Instance();
    std::unique_ptr<FigureRun> run;
    const std::string buildHome = std::getenv("XDG_DATA_HOME");
    const std::string buildRun = std::getenv("XDG_RUNTIME_DIR");
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
