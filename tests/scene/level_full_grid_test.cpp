// How a played level ends without a time limit, read back from what each frame
// draws: a grid with no free cell ends it half a second later with the
// game-over panel, unless the player holds a joker or a bomb joker, which
// keeps it going with the hint to use one; and how a won level hands over to
// the result screen once its result is recorded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "played_hud_fixture.h"
#include "scene/gui_vocabulary.h"
#include "world/game_world.h"

namespace {

constexpr int kJoker = 90;
constexpr int kBomb = 91;
constexpr int kUseJokerText = 114;
constexpr int kGameOverText = 136;
constexpr int kContinueText = 8;
// A grid level (the first of a triple), where jokers wait in their bar.
constexpr int kGridLevel = 4;

// Two cells and one car type, no time limit, no task lines.
const char* const kTwoCellLevel = R"(
function on_init()
    Story:AddAuto(1, 0, "car_a")
    Story:AddFundament(1, "g", "h", 9)
    Story:CreateFundament(1, 2, 0, 9, -1)
    Story:CreateFundament(1, 4, 2, 9, -1)
end
)";

class LevelFullGrid : public test::PlayedHudTest {
protected:
    static std::wstring Text(int entry) { return g_guiVocabulary[entry]; }
    void Hold(int kind)
    {
        // Standing in the joker bar, as the level hands one out.
        world.AddJoker(1);
        world.jokers.back().item = kind;
    }
    // The hint's text stands on its plate, white over a black shadow two
    // pixels down and right.
    void ExpectHintReadable()
    {
        std::vector<const test::GfxDraw*> lines;
        for (const test::GfxDraw& d : gfx.draws)
            if (d.kind == test::GfxDraw::Kind::Text && d.text == Text(kUseJokerText))
                lines.push_back(&d);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0]->color & 0xFFFFFFu, 0u);
        EXPECT_EQ(lines[1]->color, 0xFFFFFFFFu);
        EXPECT_EQ(lines[0]->x - lines[1]->x, 2);
        EXPECT_EQ(lines[0]->y - lines[1]->y, 2);
        const auto* plate = view.Find("use_joker");
        ASSERT_NE(plate, nullptr);
        EXPECT_EQ(plate->colour, 0xFFFFFFFFu);
        EXPECT_GE(lines[1]->x, plate->left);
        EXPECT_GE(lines[1]->y, plate->top);
        EXPECT_LT(lines[1]->y, plate->bottom);
    }
    // Frames of 100 ms until the level is over (at most `frames`); how many
    // it took, -1 when it went on. hint: the joker hint showed in each frame.
    int FramesUntilOver(int frames, bool& hint)
    {
        hint = true;
        for (int i = 1; i <= frames; ++i) {
            EXPECT_TRUE(Step(100.0));
            const bool shown = view.Shows("use_joker.png") && view.Says(Text(kUseJokerText));
            if (shown)
                ExpectHintReadable();
            hint = hint && shown;
            if (world.levelOver) {
                EXPECT_FALSE(shown) << "the hint over the ended level";
                return i;
            }
        }
        return -1;
    }
};

// The frame that finds every cell taken starts the count; the level ends in
// the first frame more than half a second later, drawing the game-over panel
// in that frame. A joker or a bomb joker in hand keeps it going, the hint
// showing, for as long as one is held; a free cell keeps it going silently.
TEST_F(LevelFullGrid, AFullGridEndsTheLevelUnlessAJokerCanMakeRoom)
{
    const struct {
        const char* name;
        int cars; // cells taken, of two
        std::vector<int> held; // jokers in hand
        bool hint;
    } cases[] = {
        { "full, nothing held", 2, {}, false },
        { "full, a joker held", 2, { kJoker }, true },
        { "full, a bomb joker held", 2, { kBomb }, true },
        { "full, both held", 2, { kBomb, kJoker }, true },
        { "a cell free", 1, {}, false },
        { "a cell free, a joker held", 1, { kJoker }, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Start(kGridLevel, kTwoCellLevel));
        ASSERT_EQ(world.levelTimeLimit, 0);
        ASSERT_TRUE(Step());
        ASSERT_EQ(world.fundaments.size(), 2u);
        for (int i = 0; i < c.cars; ++i)
            world.AddAutoToFundament(world.fundaments[i].row, world.fundaments[i].column, 1);
        for (const int kind : c.held)
            Hold(kind);
        bool hint = false;
        const int ended = FramesUntilOver(20, hint);
        EXPECT_EQ(hint, c.hint);
        const bool full = c.cars == 2;
        if (!full || c.hint) {
            EXPECT_EQ(ended, -1) << "the level ended";
            EXPECT_EQ(world.noFreeCell, 0) << "the cars cannot be moved";
        } else {
            // Found full in frame 1; 0.5 s later is not yet more than half a
            // second.
            EXPECT_EQ(ended, 7);
            EXPECT_TRUE(view.Shows("menu_gameover.png"));
            EXPECT_TRUE(view.Says(Text(kGameOverText)));
            EXPECT_TRUE(view.Says(Text(kContinueText)));
            EXPECT_EQ(world.gameOverPanelShown, 1);
            EXPECT_EQ(world.levelState, 1) << "no task line was missed";
            // From the next frame on the level-over panel runs instead.
            ASSERT_TRUE(Step(100.0));
            EXPECT_FALSE(view.Shows("menu_gameover.png"));
        }
        if (c.hint) {
            // Once the last joker is gone, the full grid ends the level.
            world.jokers.clear();
            EXPECT_EQ(FramesUntilOver(20, hint), 7);
            EXPECT_FALSE(hint);
        }
        world.leaveLevel = 1;
        EXPECT_FALSE(Step());
        world.resultScreenOpen = 0;
    }
}

// The count, once started, runs on: a grid found full again while it runs
// (the flag cleared between two checks) ends the level as soon as more than
// half a second has passed since the count began, without the panel.
TEST_F(LevelFullGrid, AGridFoundFullAgainEndsOnTheRunningCount)
{
    ASSERT_TRUE(Start(kGridLevel, kTwoCellLevel));
    ASSERT_TRUE(Step());
    for (const cFundament& f : std::vector<cFundament>(world.fundaments))
        world.AddAutoToFundament(f.row, f.column, 1);
    ASSERT_TRUE(Step(100.0));
    ASSERT_EQ(world.noFreeCell, 1);
    int ended = -1;
    for (int i = 1; i <= 10 && ended < 0; ++i) {
        world.noFreeCell = 0;
        ASSERT_TRUE(Step(100.0));
        ended = world.levelOver ? i : -1;
    }
    EXPECT_EQ(ended, 6);
    EXPECT_FALSE(view.Shows("menu_gameover.png"));
    EXPECT_EQ(world.noFreeCell, 0);
    EXPECT_EQ(world.levelState, 1);
    world.leaveLevel = 1;
    EXPECT_FALSE(Step());
}

// A won level whose result the result screen has recorded opens that screen
// once more, once (the step moves from 1 to 2); until the result is recorded
// the panel is drawn, and a lost level never opens it.
TEST_F(LevelFullGrid, ARecordedWinOpensTheResultScreenOnce)
{
    const struct {
        const char* name;
        int won, recorded, open, step;
        int openAfter, stepAfter;
    } cases[] = {
        { "won, recorded, closed", 1, 1, 0, 1, 1, 2 },
        { "won, recorded, opened before", 1, 1, 0, 2, 0, 2 },
        { "won, recorded, open", 1, 1, 1, 1, 1, 1 },
        { "won, not recorded", 1, 0, 0, 1, 0, 1 },
        { "lost, recorded", 0, 1, 0, 1, 0, 1 },
    };
    ASSERT_TRUE(Start(5, test::WinningLevel(2)));
    for (int i = 0; i < 40 && (!world.levelOver || world.evaluatePending); ++i)
        ASSERT_TRUE(Step());
    ASSERT_EQ(world.levelOver, 1);
    ASSERT_EQ(world.levelState, 1);
    ASSERT_EQ(world.levelEndStep, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        world.levelState = c.won;
        world.resultRecorded = c.recorded;
        world.resultScreenOpen = c.open;
        world.levelEndStep = c.step;
        world.resultsShown = 0;
        ASSERT_TRUE(Step());
        EXPECT_EQ(world.resultScreenOpen, c.openAfter);
        EXPECT_EQ(world.levelEndStep, c.stepAfter);
        // The panel is drawn only while no result is recorded.
        EXPECT_EQ(world.resultsShown, c.recorded ? 0 : 1);
        EXPECT_EQ(world.levelOver, 1);
    }
    world.leaveLevel = 1;
    EXPECT_FALSE(Step());
    world.resultScreenOpen = 0;
}

} // namespace
