// The world map's fades and text panels: a lock notice's pulse from yellow to
// white and back, the intro's pins fading in one after another to full, and
// every wrapped panel drawing exactly its lines, in order, each below the
// last; without a font or a 2D interface the panels draw no text.
#include <gtest/gtest.h>

#include <cwchar>
#include <functional>

#include "world_map_fixture.h"

namespace {

using WorldMapFades = test::WorldMapTest;

// The blue of the notice's colour in the frame drawn last: 0 yellow, 255 white.
int NoticeBlue(const std::vector<const test::GfxDraw*>& texts)
{
    int blue = -1;
    for (const test::GfxDraw* d : texts)
        if (d->text == L"text 135 Workshop") // the text, after its shadow
            blue = static_cast<int>(d->color & 0xFFu);
    return blue;
}

// A notice opens yellow; a step toward white comes in each frame more than
// 0.017 s after the last, white after 21 steps and yellow again after 21 more,
// where it stays for one step before it climbs again. Any other text of the
// panel stays white.
TEST_F(WorldMapFades, ALockNoticePulsesFromYellowToWhiteAndBack)
{
    SetFurthest(8);
    world.level = 8;
    HoverPin(8);
    map.SetActive(false);
    map.SetActive(true);
    std::vector<int> blues;
    for (int n = 0; n < 3; ++n) { // 5, 10, 15 ms after opening: no step yet
        Frame(5.0);
        blues.push_back(NoticeBlue(TextDraws()));
    }
    EXPECT_EQ(blues, std::vector<int>({ 0, 0, 0 }));
    blues.clear();
    for (int step = 1; step <= 45; ++step) {
        Frame(step == 1 ? 5.0 : 20.0);
        blues.push_back(NoticeBlue(TextDraws()));
    }
    for (int step = 1; step <= 45; ++step) {
        const int blue = blues[static_cast<std::size_t>(step - 1)], before = step > 1 ? blues[step - 2] : 0;
        SCOPED_TRACE(testing::Message() << "step " << step << " blue " << blue);
        if (step <= 21)
            EXPECT_GT(blue, before);
        else if (step <= 42)
            EXPECT_LT(blue, before);
        else if (step == 43)
            EXPECT_EQ(blue, 0);
        else
            EXPECT_GT(blue, before);
    }
    EXPECT_EQ(blues[20], 255) << "white at the 21st step";
    EXPECT_EQ(blues[41], 0) << "yellow at the 42nd";

    // Half a step's time: no change.
    Frame(10.0);
    EXPECT_EQ(NoticeBlue(TextDraws()), blues.back());

    // A level's ordinary description does not pulse: it stays white.
    HoverPin(4);
    for (int n = 0; n < 5; ++n) {
        Frame();
        const test::GfxDraw* task = nullptr;
        for (const test::GfxDraw* d : TextDraws())
            task = d->text == L"task 4" ? d : task;
        ASSERT_NE(task, nullptr);
        EXPECT_EQ(task->color, 0xFFFFFFFFu) << n;
    }
}

// The intro's pins appear one after another, each in steps of a tenth of the
// way to full (25 of 255) a frame, ending exactly at full, where it stays; the
// frame that completes a pin gives the next its first step.
TEST_F(WorldMapFades, TheIntrosPinsFadeInOneAfterAnotherToFull)
{
    SetFurthest(1);
    world.level = 1;
    world.intro = 2;
    map.SetActive(false);
    map.SetActive(true);
    const auto pinAlpha = [this](int level) {
        for (const test::HudImage& image : Images())
            if (image.name.starts_with("fishka_0") && image.x == 100 + 30 * level - 45
                && image.y == 200 + 15 * level - 80)
                return static_cast<int>(image.colour >> 24);
        return 0;
    };
    Frame(5.0);
    std::vector<std::vector<int>> seen(5);
    for (int n = 0; n < 40; ++n) {
        Frame();
        for (int level = 1; level <= 4; ++level)
            seen[static_cast<std::size_t>(level)].push_back(pinAlpha(level));
    }
    for (int level = 1; level <= 3; ++level) {
        SCOPED_TRACE(level);
        const std::vector<int>& alphas = seen[static_cast<std::size_t>(level)];
        const std::size_t first = static_cast<std::size_t>(10 * (level - 1)); // the frame it appears in
        for (std::size_t n = 0; n < alphas.size(); ++n)
            EXPECT_EQ(alphas[n], n < first ? 0 : std::min(255, 25 * static_cast<int>(n - first + 1))) << "frame " << n;
    }
    EXPECT_EQ(seen[4][29], 0);
    EXPECT_EQ(seen[4][30], 25);

    // Once all thirty are in, every pin stands at full.
    for (int n = 0; n < 400 && map.GetDemoFadingLevel() <= 30; ++n)
        Frame();
    Frame();
    for (int level = 1; level <= 30; ++level)
        EXPECT_EQ(pinAlpha(level), 255) << level;
}

// The texts drawn (shadows left out) with their places.
std::vector<const test::GfxDraw*> Shown(const std::vector<const test::GfxDraw*>& texts)
{
    std::vector<const test::GfxDraw*> shown;
    for (const test::GfxDraw* d : texts)
        if ((d->color & 0x00FFFFFFu) != 0)
            shown.push_back(d);
    return shown;
}

// Each wrapped panel draws exactly the lines of its text, none empty and none
// left from a longer text laid out before, in order, each the same step below
// the last; the speech bubble has a middle piece beside each of its lines.
TEST_F(WorldMapFades, EachPanelDrawsExactlyItsLinesInOrderEachBelowTheLast)
{
    std::swprintf(g_guiVocabulary[118], kGuiTextLength, L"this region#is closed#for now");
    std::swprintf(g_guiVocabulary[120], kGuiTextLength, L"not played#yet");
    const struct {
        const char* panel;
        std::function<void()> draw;
        std::vector<std::wstring> lines;
    } cases[] = {
        { "locked notice", [this] { map.DrawLockedNotice(); }, { L"this region", L"is closed", L"for now" } },
        { "bubble of one line", [this] { map.DrawSpeechBubble(0, L"Hello", 100, 300); }, { L"Hello" } },
        { "bubble of three", [this] { map.DrawSpeechBubble(0, L"first line#second#third", 100, 300); },
            { L"first line", L"second", L"third" } },
        { "bubble of two", [this] { map.DrawSpeechBubble(0, L"just two#lines", 400, 500); },
            { L"just two", L"lines" } },
        { "level number", [this] { map.DrawLevelNumber(12, 0); }, { L"text 127", L"N 12" } },
        { "level info, not played", [this] { map.DrawLevelInfo(6, -1); }, { L"not played", L"yet" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.panel);
        // A longer text laid out before must leave nothing behind.
        world.FormatText(false, L"one#two#three#four#five#six", 500, g_fontNormal2);
        gfx.ClearRecords();
        c.draw();
        const std::vector<const test::GfxDraw*> shown = Shown(TextDraws());
        std::vector<std::wstring> lines;
        for (const test::GfxDraw* d : shown)
            lines.push_back(d->text);
        EXPECT_EQ(lines, c.lines);
        for (std::size_t i = 2; i < shown.size(); ++i)
            EXPECT_EQ(shown[i]->y - shown[i - 1]->y, shown[1]->y - shown[0]->y) << "uneven step at " << i;
        if (shown.size() > 1) {
            EXPECT_GT(shown[1]->y - shown[0]->y, 0);
        }
        if (std::string(c.panel).starts_with("bubble")) {
            const auto middles = Named("blase_left_02");
            ASSERT_EQ(middles.size(), c.lines.size());
            ASSERT_EQ(Named("blase_left_01").size(), 1u);
            ASSERT_EQ(Named("blase_left_03").size(), 1u);
            EXPECT_LT(Named("blase_left_01")[0].y, middles.front().y);
            EXPECT_GT(Named("blase_left_03")[0].y, middles.back().y);
            for (std::size_t i = 0; i < middles.size() && i < shown.size(); ++i) {
                EXPECT_EQ(middles[i].y, shown[i]->y) << "the piece beside line " << i;
                EXPECT_GT(shown[i]->x, middles[i].x) << "the line starts inside the bubble";
            }
            EXPECT_LT(middles.back().y, 500) << "the bubble stands above its point";
        }
    }
}

// Fonts that could not be made draw no text (a draw without a font would
// fail in the engine); without a 2D interface nothing is drawn at all.
TEST_F(WorldMapFades, PanelsDrawNoTextWithoutAFontOrA2DInterface)
{
    const std::function<void()> panels[] = {
        [this] { map.DrawLevelInfo(5, 0); },
        [this] { map.DrawLevelInfo(6, -1); },
        [this] { map.DrawSpeechBubble(0, L"Hello there", 100, 300); },
        [this] { map.DrawBank(); },
    };
    world.levelTime[5] = 75;
    world.highscoreTime[5][1] = 50;
    world.highscoreNames[5][1] = L"Ada";
    for (std::size_t p = 0; p < std::size(panels); ++p) {
        SCOPED_TRACE(p);
        iGfxFont* const normal = g_fontNormal;
        g_fontNormal = nullptr;
        gfx.ClearRecords();
        panels[p]();
        g_fontNormal = normal;
        for (const test::GfxDraw* d : TextDraws())
            EXPECT_NE(d->font, nullptr) << "\"" << platform::WideToNarrow(d->text) << "\" without a font";

        iGfx2D* const real = g_pGfx2D;
        g_pGfx2D = nullptr;
        gfx.ClearRecords();
        panels[p]();
        g_pGfx2D = real;
        EXPECT_TRUE(TextDraws().empty());
    }
}

} // namespace
