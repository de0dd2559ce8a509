// What each level tells the player, held against what its script does. The
// task dialog states the goal (cars before a time on the clock, or rows on a
// grid) and says how the managers work; every number a task page or the
// level's map line states must be one the level really has: its targets and
// time limit, the penalty, its pumps, colours, managers and jokers, and how
// often a row earns a bomb. The evening, snow and fog are told where they are
// first met, "New:" names none met before, and an evening spoken of falls
// within the level's time. The first level's joker tutorial promises only
// what some level hands out. The level's values are read from the world after
// "on_init" and from its script's own "on_bonus", so an edit of either a text
// or a script that makes them disagree fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cwchar>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "level_fixture.h"
#include "platform/utf16.h"
#include "scene/gui_vocabulary.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace {

constexpr int kJoker = 90;
constexpr int kBomb = 91;
constexpr int kCarsLine = 0;
constexpr int kRowsLine = 1;
constexpr int kJokerTutorialText = 93;

// What the level does, as its script set it up.
struct Facts {
    bool station = false;
    int limit = 0, cars = -1, rows = -1, penalty = 0;
    int managers = 0, stackLimit = 0, jokers = 0, pumps = 0, colours = 0;
    std::set<int> bombsAfterRow; // the rows after which "on_bonus" hands out a bomb
    bool earnsJokers = false; // "on_bonus" hands out a joker
    std::set<int> weather; // kinds of kWeather the level has, the evening once it falls in time
};

// The weather a player meets, by the words a text names it with.
struct WeatherKind {
    const char* name;
    std::vector<const wchar_t*> words;
};
const WeatherKind kWeather[] = {
    { "evening", { L"evening", L"dusk", L"dark", L"night", L"sun sets" } },
    { "snow", { L"snow" } },
    { "fog", { L"fog" } },
};
constexpr int kEvening = 0;

// The numbers a text states, by what they count; a number with none of these
// words after it is a stray number.
struct Claims {
    std::vector<std::pair<std::string, int>> counts; // unit, number
    std::vector<int> times; // "mm:ss" in seconds
    std::vector<int> bombEvery; // "every fourth row"
    std::vector<std::string> strays;
};

int NumberWord(const std::string& word)
{
    static const char* const kWords[]
        = { "zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "eleven", "twelve",
              "thirteen", "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen", "twenty" };
    static const char* const kOrdinals[]
        = { "", "", "second", "third", "fourth", "fifth", "sixth", "seventh", "eighth", "ninth", "tenth" };
    for (int n = 0; n < static_cast<int>(std::size(kWords)); ++n)
        if (word == kWords[n])
            return n;
    for (int n = 2; n < static_cast<int>(std::size(kOrdinals)); ++n)
        if (word == kOrdinals[n])
            return n;
    return std::isdigit(static_cast<unsigned char>(word[0])) ? std::stoi(word) : -1;
}

Claims Read(const std::wstring& wide)
{
    std::string text = platform::WideToNarrow(wide);
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const std::string kNumber = "([0-9]+|zero|one|two|three|four|five|six|seven|eight|nine|ten|eleven|twelve|"
                                       "thirteen|fourteen|fifteen|sixteen|seventeen|eighteen|nineteen|twenty)";
    static const std::regex kCount("\\b" + kNumber + "\\s+(cars|rows|points|pumps|colours|managers?|jokers?)\\b");
    static const std::regex kTime("\\b([0-9]{2}):([0-9]{2})\\b");
    static const std::regex kEvery(
        "\\bevery\\s+(second|third|fourth|fifth|sixth|seventh|eighth|ninth|tenth)\\s+row\\b");
    static const std::regex kDigits("[0-9]+");
    Claims claims;
    std::vector<std::pair<long, long>> spans;
    for (auto m = std::sregex_iterator(text.begin(), text.end(), kCount); m != std::sregex_iterator(); ++m) {
        std::string unit = (*m)[2];
        if (unit.back() != 's')
            unit += 's';
        claims.counts.emplace_back(unit, NumberWord((*m)[1]));
        spans.emplace_back(m->position(), m->position() + m->length());
    }
    for (auto m = std::sregex_iterator(text.begin(), text.end(), kTime); m != std::sregex_iterator(); ++m) {
        claims.times.push_back(std::stoi((*m)[1]) * 60 + std::stoi((*m)[2]));
        spans.emplace_back(m->position(), m->position() + m->length());
    }
    for (auto m = std::sregex_iterator(text.begin(), text.end(), kEvery); m != std::sregex_iterator(); ++m)
        claims.bombEvery.push_back(NumberWord((*m)[1]));
    for (auto m = std::sregex_iterator(text.begin(), text.end(), kDigits); m != std::sregex_iterator(); ++m) {
        bool claimed = false;
        for (const auto& [from, to] : spans)
            claimed = claimed || (m->position() >= from && m->position() < to);
        if (!claimed)
            claims.strays.push_back(m->str());
    }
    return claims;
}

bool Says(const std::wstring& text, const wchar_t* words)
{
    return text.find(words) != std::wstring::npos;
}

bool Names(const std::wstring& text, const WeatherKind& kind)
{
    return std::ranges::any_of(kind.words, [&](const wchar_t* w) { return Says(text, w); });
}

// What the pages call new: from each "New:" to the end of its line.
std::wstring NewLines(const std::vector<cComicRow>& pages)
{
    std::wstring lines;
    for (const cComicRow& page : pages)
        for (size_t at = page.text.find(L"New:"); at != std::wstring::npos; at = page.text.find(L"New:", at + 1))
            lines += page.text.substr(at, page.text.find(L'#', at) - at) + L" ";
    return lines;
}

class LevelTexts : public test::LevelTest {
protected:
    LevelTexts()
        : test::LevelTest(true, true)
    {
    }

    Facts ReadFacts()
    {
        Facts f;
        f.station = world.drawStation != 0;
        f.limit = world.levelTimeLimit;
        if (world.taskLineActive[kCarsLine])
            f.cars = world.taskLineTargets[kCarsLine];
        if (world.taskLineActive[kRowsLine])
            f.rows = world.taskLineTargets[kRowsLine];
        f.penalty = world.penaltyThreshold;
        f.managers = world.managerCount;
        f.stackLimit = world.stackLimit;
        for (const cJoker& j : world.jokers)
            f.jokers += j.item == kJoker ? 1 : 0;
        for (const cPlace& p : world.places)
            f.pumps += p.type >= 6 && p.type <= 10 ? 1 : 0;
        // The joker and the bomb are car types too, but of no colour.
        std::set<int> colours;
        for (const cAutoType& t : world.autoTypes)
            if (t.id != kJoker && t.id != kBomb)
                colours.insert(t.colour);
        f.colours = static_cast<int>(colours.size());
        // Each row the player lines up: "on_bonus" for a combo of three on
        // the first cell of the grid.
        if (!f.station && !world.fundaments.empty()) {
            for (int row = 1; row <= f.rows; ++row) {
                const size_t before = world.jokers.size();
                world.bonusType = 3;
                world.bonusCellCount = 1;
                world.bonusCellRow[0] = world.fundaments[0].row;
                world.bonusCellColumn[0] = world.fundaments[0].column;
                Story::Instance().CallScriptFunction("on_bonus");
                for (size_t j = before; j < world.jokers.size(); ++j)
                    if (world.jokers[j].item == kBomb)
                        f.bombsAfterRow.insert(row);
                    else if (world.jokers[j].item == kJoker)
                        f.earnsJokers = true;
            }
        }
        // The level's time on its script's clock, once a second.
        for (int second = 0; second < f.limit && !world.darkening; ++second)
            Story::Instance().CallScriptFunction("on_timer");
        const bool has[std::size(kWeather)] = { world.darkening != 0, world.snowing != 0, world.fogOn != 0 };
        for (int kind = 0; kind < static_cast<int>(std::size(kWeather)); ++kind)
            if (has[kind])
                f.weather.insert(kind);
        return f;
    }

    // Every number the text states is the level's.
    static void ExpectTrue(const Claims& c, const Facts& f)
    {
        for (const std::string& stray : c.strays)
            ADD_FAILURE() << "a number that counts nothing the level has: " << stray;
        for (const auto& [unit, n] : c.counts) {
            const int real = unit == "cars" ? f.cars
                : unit == "rows"            ? f.rows
                : unit == "points"          ? f.penalty
                : unit == "pumps"           ? f.pumps
                : unit == "colours"         ? f.colours
                : unit == "managers"        ? f.managers
                                            : f.jokers;
            EXPECT_EQ(n, real) << n << " " << unit;
        }
        for (int t : c.times)
            EXPECT_EQ(t, f.limit) << "the time on the clock";
        for (int every : c.bombEvery) {
            std::set<int> expected;
            for (int row = every; row <= f.rows; row += every)
                expected.insert(row);
            EXPECT_EQ(f.bombsAfterRow, expected) << "a bomb every " << every << " rows";
        }
    }

    // One level, started as the game starts it once the last one was left;
    // met: the weather of the levels before it; what the level does goes to
    // facts.
    void Check(int level, std::set<int>& met, Facts& facts)
    {
        Story::Instance().ReleaseLevelScript();
        ASSERT_TRUE(StartLevel(level));
        ASSERT_TRUE(Faults().empty()) << platform::WideToNarrow(Faults().front());
        world.LoadTasks();
        std::wstring dialog, mapLine;
        for (const cComicRow& page : world.comicRows)
            dialog += page.text.empty() ? L"" : page.text + L" ";
        for (const cTaskRow& row : world.taskRows)
            if (row.level == level)
                mapLine = row.text;
        ASSERT_FALSE(dialog.empty());
        ASSERT_FALSE(mapLine.empty());
        SCOPED_TRACE(platform::WideToNarrow(dialog + L"| " + mapLine));
        const Facts f = ReadFacts();
        const Claims said = Read(dialog);
        ExpectTrue(said, f);
        ExpectTrue(Read(mapLine), f);

        // The goal: cars before the time on the clock, or rows on the grid.
        auto stated = [&](const char* unit) {
            return std::ranges::count_if(said.counts, [&](const auto& c) { return c.first == unit; });
        };
        if (f.station) {
            ASSERT_GT(f.limit, 0);
            EXPECT_GT(stated("cars"), 0);
            EXPECT_FALSE(said.times.empty());
        } else {
            EXPECT_GT(stated("rows"), 0);
        }
        EXPECT_TRUE(f.bombsAfterRow.empty() || !said.bombEvery.empty()) << "bombs the task does not tell";
        EXPECT_TRUE(f.jokers == 0 || stated("jokers") > 0) << "jokers the task does not tell";

        // How the managers work: none, taking turns with the player, or all
        // serving by themselves while the player helps.
        const bool turns = f.managers > 0 && f.managers < f.stackLimit;
        const bool byThemselves = f.managers > 0 && f.managers == f.stackLimit;
        for (const std::wstring& text : { dialog, mapLine }) {
            EXPECT_TRUE(turns || !Says(text, L"turns")) << "managers taking turns";
            EXPECT_TRUE(f.managers > 0 || !(Says(text, L"by himself") || Says(text, L"by themselves")))
                << "managers serving";
        }
        EXPECT_EQ(Says(dialog, L"turns"), turns);
        EXPECT_TRUE(!byThemselves || Says(dialog, L"by themselves")) << "the managers serve by themselves";

        const std::wstring news = NewLines(world.comicRows);
        for (int kind = 0; kind < static_cast<int>(std::size(kWeather)); ++kind) {
            const WeatherKind& w = kWeather[kind];
            EXPECT_TRUE(!f.weather.count(kind) || met.count(kind) || Names(dialog, w))
                << "the first " << w.name << " untold";
            EXPECT_FALSE(met.count(kind) && Names(news, w)) << w.name << " called new, but met before";
        }
        for (const std::wstring& text : { dialog, mapLine })
            EXPECT_TRUE(f.weather.count(kEvening) || !Names(text, kWeather[kEvening]))
                << "an evening that does not fall within the level";
        met.insert(f.weather.begin(), f.weather.end());
        facts = f;
    }

    cGameWorld& world = cGameWorld::Instance();
};

TEST_F(LevelTexts, EveryLevelsTaskAndMapLineSayWhatTheLevelDoes)
{
    std::wcscpy(cSettings::Instance().languageCode, L"eng");
    std::set<int> met;
    bool startJokers = false, earnJokers = false, earnBombs = false;
    for (int level = 1; level <= 30; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        Facts f;
        Check(level, met, f);
        startJokers = startJokers || f.jokers > 0;
        earnJokers = earnJokers || f.earnsJokers;
        earnBombs = earnBombs || !f.bombsAfterRow.empty();
    }

    const std::vector<wchar_t> saved(&g_guiVocabulary[0][0], &g_guiVocabulary[0][0] + kGuiTextCount * kGuiTextLength);
    LoadGuiVocabulary();
    const std::wstring tutorial = g_guiVocabulary[kJokerTutorialText];
    std::copy(saved.begin(), saved.end(), &g_guiVocabulary[0][0]);
    SCOPED_TRACE(platform::WideToNarrow(tutorial));
    EXPECT_TRUE(earnJokers || !(Says(tutorial, L"you win") || Says(tutorial, L"earn jokers"))) << "jokers won";
    EXPECT_TRUE(startJokers || !Says(tutorial, L"start with jokers")) << "jokers to start with";
    EXPECT_TRUE(earnBombs || !Says(tutorial, L"earn bombs")) << "bombs earned";
}

} // namespace
