// The cursor behind the name of a new highscore entry: hidden when the table
// opens, then shown and hidden in turn, each change in the first frame more
// than half a second after the last (or after the screen opened).
#include <gtest/gtest.h>

#include "results_fixture.h"

namespace {

using test::ResultScreenTest;

// Whether the entry's name shows its cursor in the frame drawn last.
std::optional<bool> CursorShown(const std::vector<const test::GfxDraw*>& texts)
{
    std::optional<bool> shown;
    for (const test::GfxDraw* d : texts)
        if (d->text == L"Kim" || d->text == L"Kim_")
            shown = d->text == L"Kim_";
    return shown;
}

// Frame steps in milliseconds, each a whole number of 1/64 s so that the
// frame clock lands exactly on the half second.
TEST_F(ResultScreenTest, TheNameCursorChangesInTheFirstFrameMoreThanHalfASecondAfterTheLast)
{
    const std::vector<std::vector<double>> runs = {
        std::vector<double>(40, 62.5),
        std::vector<double>(20, 125.0),
        std::vector<double>(12, 250.0),
        // Right at the half second nothing changes; just after it, it does.
        { 437.5, 62.5, 15.625, 484.375, 15.625, 500.0, 15.625, 250.0, 250.0, 15.625 },
    };
    for (const std::vector<double>& steps : runs) {
        SCOPED_TRACE(testing::Message() << steps.size() << " frames from " << steps[0] << " ms");
        world.highscoreTableReady = 0;
        resultScreen.SetActive(false);
        resultScreen.SetActive(true);
        double now = 0.0, lastChange = 0.0;
        bool expected = false;
        for (std::size_t n = 0; n < steps.size(); ++n) {
            now += steps[n] / 1000.0;
            if (now - lastChange > 0.5) {
                expected = !expected;
                lastChange = now;
            }
            gfx.ClearRecords();
            Wait(steps[n]);
            resultScreen.Draw();
            const std::optional<bool> shown = CursorShown(TextDraws());
            ASSERT_TRUE(shown.has_value()) << "no name row";
            EXPECT_EQ(*shown, expected) << "frame " << n << " at " << now << " s";
        }
    }
}

// Only the new entry's row has a cursor; a table opened from the map has none.
TEST_F(ResultScreenTest, OnlyANewEntryHasACursor)
{
    world.levelOver = world.levelState = 0; // opened from the map
    for (int n = 0; n < 12; ++n) {
        gfx.ClearRecords();
        Wait(125.0);
        resultScreen.Draw();
        for (const std::wstring& text : gfx.Texts())
            EXPECT_NE(text.back(), L'_') << "frame " << n;
    }
}

} // namespace
