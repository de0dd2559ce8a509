// The statistics panel read back as a player reads it: every row a label with
// its figure, top to bottom in the panel's order, on an even pitch, none
// missing and none over another; the late panel's reason under its heading;
// and the time pointer's animation pace.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "hud_fixture.h"

namespace {

class StatisticsHud : public Scene::Hud {
public:
    void LoadPages(const wchar_t* folder) { pages[32].Load(folder); }
};

struct Row {
    int label; // the GUI text number
    int y;
    std::wstring value;
};

class StatisticsRowsTest : public test::HudTest {
protected:
    // The rows drawn in the panel's row font, top to bottom; a row's figure
    // is the other text on its line. Shadows (black) are left out.
    std::vector<Row> Rows() const
    {
        std::vector<Row> rows;
        std::map<int, std::wstring> values;
        for (const test::GfxDraw* d : TextDraws()) {
            if (d->color == 0xFF000000u || d->font != g_fontNormal2)
                continue;
            int label = -1;
            if (std::swscanf(d->text.c_str(), L"text %d", &label) == 1)
                rows.push_back({ label, d->y, L"" });
            else
                values[d->y] = d->text;
        }
        std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.y < b.y; });
        for (Row& row : rows)
            row.value = values.count(row.y) ? values[row.y] : L"";
        return rows;
    }
    static std::vector<int> Labels(const std::vector<Row>& rows)
    {
        std::vector<int> labels;
        for (const Row& row : rows)
            labels.push_back(row.label);
        return labels;
    }
    static const Row* Find(const std::vector<Row>& rows, int label)
    {
        for (const Row& row : rows)
            if (row.label == label)
                return &row;
        return nullptr;
    }
};

// Paid rows: 100 base, 60 time bonus, 75 points bonus, 0 total, 132 recorded
// money; then 138 money and 139 money afterwards. Times: 77 limit, 78 taken.
// Without a limit: 132 recorded, 0 total, 138 money, 134 / 137 what is paid
// of a replay, 139 money afterwards.
TEST_F(StatisticsRowsTest, EveryRowShowsItsFigureInOrderOnAnEvenPitch)
{
    const struct {
        const char* what;
        int limit, recorded;
        std::vector<int> labels;
        std::vector<int> evenRun; // rows one pitch apart, in order
    } cases[] = {
        { "timed, played again", 100, 60000, { 77, 78, 100, 60, 75, 0, 132, 138, 139 }, { 100, 60, 75, 0, 132 } },
        { "timed, first time", 100, 0, { 77, 78, 100, 60, 75, 0, 138, 139 }, { 100, 60, 75, 0 } },
        { "points, played again", 0, 3000, { 132, 0, 138, 134, 139 }, { 132, 0, 138 } },
        { "points, first time", 0, 0, { 0, 138, 139 }, { 0, 138 } },
    };
    for (const int width : { 1280, 1024 }) {
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(width));
            StatisticsHud made;
            world.level = 5;
            world.furthestLevel = 9;
            world.money = 100000;
            world.levelMoney[5] = c.recorded;
            world.taskLineTargets[14] = 1000;
            world.levelTimeLimit = c.limit;
            world.levelElapsed = 59;
            world.levelPoints = 5000;
            gfx.ClearRecords();
            Wait(20);
            made.DrawStatistics();
            const std::vector<Row> rows = Rows();
            EXPECT_EQ(Labels(rows), c.labels);
            const int lineHeight = 12; // the row font of the recording engine
            for (std::size_t i = 0; i < rows.size(); ++i) {
                EXPECT_FALSE(rows[i].value.empty()) << "row " << rows[i].label << " has no figure";
                if (i > 0) {
                    EXPECT_GE(rows[i].y - rows[i - 1].y, lineHeight) << rows[i].label << " overlaps the row above";
                }
                EXPECT_GE(rows[i].y, 0);
                EXPECT_LT(rows[i].y + lineHeight, cSettings::Instance().GetHeight());
            }
            if (const Row* recorded = Find(rows, 132)) {
                EXPECT_EQ(recorded->value, std::to_wstring(c.recorded));
            }
            // One pitch from row to row (a pixel either way where the
            // smaller screen's scale cuts).
            const Row* first = Find(rows, c.evenRun[0]);
            const Row* second = Find(rows, c.evenRun[1]);
            ASSERT_TRUE(first && second);
            const int pitch = second->y - first->y;
            for (std::size_t k = 1; k < c.evenRun.size(); ++k) {
                const Row* row = Find(rows, c.evenRun[k]);
                ASSERT_TRUE(row) << c.evenRun[k];
                EXPECT_NEAR(row->y - first->y, static_cast<int>(k) * pitch, 1) << c.evenRun[k];
            }
            if (c.limit > 0) {
                // The times stand on the same pitch, the money before and after
                // as well.
                EXPECT_NEAR(Find(rows, 78)->y - Find(rows, 77)->y, pitch, 1);
                EXPECT_NEAR(Find(rows, 139)->y - Find(rows, 138)->y, pitch, 1);
            }
        }
    }
    cSettings::Instance().SetResolution(1280, 1024);
}

// Finished after the limit nothing is paid, and the panel shows it row by
// row: every payout row with its 0 (the money earned before only when there
// is some), the money and the money afterwards, unchanged also for a level
// played again. "Not passed" and why stand right of the times, over no row.
TEST_F(StatisticsRowsTest, TheLatePanelShowsEveryPayoutRowAsNothing)
{
    const struct {
        const char* what;
        int recorded, furthest;
        std::vector<int> labels;
    } cases[] = {
        { "first time", 0, 5, { 77, 78, 100, 60, 75, 0, 138, 139 } },
        { "played again", 60000, 9, { 77, 78, 100, 60, 75, 0, 132, 138, 139 } },
    };
    for (const int width : { 1280, 1024 }) {
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(width));
            StatisticsHud made;
            world.level = 5;
            world.furthestLevel = c.furthest;
            world.money = 100000;
            world.levelMoney[5] = c.recorded;
            world.taskLineTargets[14] = 1000;
            world.levelTimeLimit = 100;
            world.levelElapsed = 101;
            world.levelPoints = 5000;
            gfx.ClearRecords();
            made.DrawStatistics();
            EXPECT_EQ(world.levelReward + world.levelBonus, 0);
            EXPECT_EQ(world.levelRating, 0);

            std::vector<Row> rows = Rows();
            std::erase_if(rows, [](const Row& row) { return row.label == 36; }); // the reason
            EXPECT_EQ(Labels(rows), c.labels);
            for (const Row& row : rows) {
                if (row.label == 77 || row.label == 78)
                    continue;
                std::wstring expected = L"0";
                if (row.label == 132)
                    expected = std::to_wstring(c.recorded);
                if (row.label == 138 || row.label == 139)
                    expected = L"100000";
                EXPECT_EQ(row.value, expected) << row.label;
            }

            // The verdict: below the panel's top, above the first payout row
            // and right of the times' figures.
            const Row* first = Find(rows, 100);
            ASSERT_TRUE(first);
            int timesRight = 0;
            for (const test::GfxDraw* d : TextDraws())
                if (d->text == L"01:40" || d->text == L"01:41")
                    timesRight = std::max(timesRight, d->x + 8 * static_cast<int>(d->text.size()));
            int verdicts = 0;
            for (const test::GfxDraw* d : TextDraws()) {
                if (d->color == 0xFF000000u || (d->text != L"text 35" && d->text != L"text 36"))
                    continue;
                ++verdicts;
                EXPECT_GT(d->x, timesRight) << "over the times";
                EXPECT_LT(d->y + 12, first->y) << "over the rows";
            }
            EXPECT_EQ(verdicts, 2);
        }
    }
    cSettings::Instance().SetResolution(1280, 1024);
}

// Finished after the limit: the heading, then the reason line under line
// below it, then the rows, nothing over anything else.
TEST_F(StatisticsRowsTest, TheLatePanelsReasonStandsLineUnderLineBelowItsHeading)
{
    std::swprintf(g_guiVocabulary[36], kGuiTextLength, L"%ls",
        L"The task was done, but only after the time allowed for it had run out; the level counts as not passed "
        L"and pays nothing, so try it again and be quicker with the cars");
    for (const int width : { 1280, 1024 }) {
        SCOPED_TRACE(width);
        cSettings::Instance().SetResolution(width, width == 1280 ? 1024 : 768);
        StatisticsHud made;
        world.money = 100000;
        world.levelTimeLimit = 100;
        world.levelElapsed = 130;
        gfx.ClearRecords();
        made.DrawStatistics();
        int heading = -1;
        std::vector<const test::GfxDraw*> reason;
        int firstRow = -1;
        for (const test::GfxDraw* d : TextDraws()) {
            if (d->color == 0xFF000000u)
                continue;
            if (d->text == L"text 35") {
                heading = d->y;
                EXPECT_EQ(d->font, g_fontBig);
            } else if (d->text == L"text 100") {
                firstRow = d->y;
            } else if (heading >= 0 && firstRow < 0 && d->font == g_fontNormal2) {
                reason.push_back(d);
            }
        }
        ASSERT_GE(heading, 0);
        ASSERT_GE(reason.size(), 2u) << "the reason is one long text";
        EXPECT_GE(reason[0]->y, heading + 13) << "the reason runs into its heading";
        EXPECT_LT(reason[0]->y, heading + 2 * 13) << "a gap under the heading";
        std::wstring joined;
        for (std::size_t i = 0; i < reason.size(); ++i) {
            if (i > 0) {
                EXPECT_EQ(reason[i]->y - reason[i - 1]->y, 12) << "line " << i;
            }
            joined += reason[i]->text + L" ";
        }
        std::wistringstream said(joined), meant(g_guiVocabulary[36]);
        std::vector<std::wstring> saidWords, meantWords;
        for (std::wstring w; said >> w;)
            saidWords.push_back(w);
        for (std::wstring w; meant >> w;)
            meantWords.push_back(w);
        EXPECT_EQ(saidWords, meantWords);
        EXPECT_GE(firstRow, reason.back()->y + 12);
    }
    cSettings::Instance().SetResolution(1280, 1024);
}

// The pointer turns to its next picture once more than a 60th of a second
// (17 ms) has passed since it last turned, never twice in a frame, and comes
// round again after its twenty pictures.
TEST_F(StatisticsRowsTest, TheTimePointerTurnsAtItsOwnPace)
{
    std::vector<std::string> images;
    for (int i = 0; i < 20; ++i)
        images.push_back((i < 10 ? "marker000" : "marker00") + std::to_string(i));
    WriteSet("data/hud", images);
    // On a clock from 0, so that 17 ms are exactly what the pointer waits.
    ms = 0.0;
    cClock::Instance().Reset();
    StatisticsHud made;
    made.LoadPages(L"data/hud");
    world.levelTimeLimit = 100;
    world.levelElapsed = 50;
    const auto pointer = [&] {
        gfx.ClearRecords();
        made.DrawStatistics();
        for (const test::HudImage& image : Images())
            if (image.name.rfind("marker", 0) == 0)
                return image.name;
        return std::string();
    };
    const std::string first = pointer();
    ASSERT_FALSE(first.empty());
    Wait(17);
    EXPECT_EQ(pointer(), first) << "turned after only 17 ms";
    Wait(1);
    const std::string second = pointer();
    EXPECT_NE(second, first);
    // Frames of 10 ms: a turn every other frame, round in 40 frames.
    std::vector<std::string> seen { second };
    for (int i = 0; i < 40; ++i) {
        Wait(10);
        const std::string now = pointer();
        EXPECT_EQ(now != seen.back(), i % 2 == 1) << "frame " << i;
        seen.push_back(now);
    }
    EXPECT_EQ(seen.back(), second);
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    EXPECT_EQ(seen.size(), 20u);
}

} // namespace
