// The hint box of the screen base, read back from its draw calls: where it
// stands against the cursor and the screen's edges, its lines one under the
// other inside it in the order of the text, and its outline and shadow.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "hud_fixture.h"
#include "scene/screen.h"

namespace {

class HintScreen : public Scene::Screen {
public:
    HintScreen()
        : Screen(0, 0, 1280, 1024)
    {
    }
    void Hint(const std::wstring& text)
    {
        tooltipText = text;
        tooltipShown = true;
    }
};

struct Box {
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
};

class HintBoxTest : public test::HudTest {
protected:
    // The box is the filled quad; the texts and lines come with it.
    Box Draw(int mouseX, int mouseY, const std::wstring& text)
    {
        MoveMouse(mouseX, mouseY);
        gfx.ClearRecords();
        screen.Hint(text);
        screen.DrawTooltip();
        Box box;
        for (const test::GfxDraw& d : gfx.draws)
            for (const GfxVertex& v : d.vertices) {
                box.left = std::min(box.left, v.x), box.right = std::max(box.right, v.x);
                box.top = std::min(box.top, v.y), box.bottom = std::max(box.bottom, v.y);
            }
        return box;
    }
    static std::vector<std::wstring> Words(const std::wstring& text)
    {
        std::wistringstream in(text);
        std::vector<std::wstring> words;
        for (std::wstring word; in >> word;)
            words.push_back(word);
        return words;
    }

    HintScreen screen;
};

// 8 pixels a character: the box wraps past 250 pixels.
const std::wstring kTexts[] = {
    L"Drag the car",
    L"Drag the car onto a free pump to fill its tank up",
    L"Drag the car onto a free pump to fill its tank up, then take it to the wash before it leaves",
};

TEST_F(HintBoxTest, TheBoxStandsOnScreenAboveTheCursorWithItsLinesInOrderInsideIt)
{
    const int lineHeight = 14; // the styled font of the recording engine
    const struct {
        const char* where;
        int x, y;
    } mice[] = {
        { "middle", 640, 512 },
        { "left edge", 0, 500 },
        { "near the left edge", 40, 500 },
        { "near the right edge", 1260, 500 },
        { "bottom edge", 600, 1023 },
        { "near the bottom right corner", 1260, 1023 },
        // The highest cursor under which three lines fit.
        { "near the top", 700, 3 * lineHeight + 10 },
    };
    for (const auto& m : mice) {
        for (std::size_t n = 0; n < std::size(kTexts); ++n) {
            SCOPED_TRACE(std::string(m.where) + ", lines: " + std::to_string(n + 1));
            const Box box = Draw(m.x, m.y, kTexts[n]);
            ASSERT_LT(box.left, box.right) << "no box";
            EXPECT_GE(box.left, 0.0f);
            EXPECT_GE(box.top, 0.0f);
            EXPECT_LE(box.right, 1280.0f);
            EXPECT_LE(box.bottom, 1024.0f);
            // Left of the cursor where it has room there, else from the
            // cursor on to the right; above the cursor either way.
            const float width = box.right - box.left;
            if (m.x > width) {
                EXPECT_LT(box.left, m.x);
                EXPECT_LE(box.right, m.x + 16.0f);
            } else {
                EXPECT_EQ(box.left, m.x);
            }
            EXPECT_LE(box.bottom, m.y);

            const auto texts = TextDraws();
            ASSERT_EQ(texts.size(), n + 1);
            std::wstring joined;
            int below = static_cast<int>(box.top);
            for (const test::GfxDraw* line : texts) {
                EXPECT_GE(line->y, below) << "lines overlap or go up";
                below = line->y + lineHeight;
                EXPECT_GE(line->x, box.left);
                EXPECT_LE(line->x + 8 * static_cast<int>(line->text.size()), box.right);
                EXPECT_LE(below, box.bottom);
                EXPECT_LE(8 * static_cast<int>(line->text.size()), 250);
                joined += line->text + L" ";
            }
            EXPECT_EQ(Words(joined), Words(kTexts[n]));

            // A black outline on the box's four edges, a grey shadow right of
            // and below it; each a line from one point to another.
            int edges[4] = {};
            for (const test::GfxDraw& d : gfx.draws) {
                if (d.kind != test::GfxDraw::Kind::Lines)
                    continue;
                ASSERT_EQ(d.points.size(), 4u);
                const float x0 = d.points[0], y0 = d.points[1], x1 = d.points[2], y1 = d.points[3];
                if (d.color == 0xFF000000u) {
                    const bool across = y0 == y1 && std::min(x0, x1) == box.left && std::max(x0, x1) == box.right;
                    const bool down = x0 == x1 && std::min(y0, y1) == box.top && std::max(y0, y1) == box.bottom;
                    EXPECT_TRUE(across || down) << x0 << "," << y0 << " " << x1 << "," << y1;
                    edges[0] += across && y0 == box.top, edges[1] += across && y0 == box.bottom;
                    edges[2] += down && x0 == box.left, edges[3] += down && x0 == box.right;
                } else {
                    EXPECT_EQ(d.color >> 24, 155u) << "a see-through shadow";
                    const bool right = x0 == x1 && x0 > box.right && x0 <= box.right + 4;
                    const bool under = y0 == y1 && y0 > box.bottom && y0 <= box.bottom + 4;
                    EXPECT_TRUE(right || under) << x0 << "," << y0 << " " << x1 << "," << y1;
                }
            }
            EXPECT_EQ(std::vector<int>(edges, edges + 4), std::vector<int>(4, 1));
        }
    }
}

// Moving the cursor right from the screen's left edge, the box jumps to the
// cursor's left as soon as it fits there, and stays there.
TEST_F(HintBoxTest, TheBoxGoesLeftOfTheCursorAsSoonAsItFits)
{
    for (const std::wstring& text : kTexts) {
        SCOPED_TRACE(testing::PrintToString(text));
        int flipped = -1;
        for (int x = 0; x < 400; ++x) {
            const Box box = Draw(x, 600, text);
            const bool left = box.left < x;
            if (flipped < 0 && left) {
                flipped = x;
                EXPECT_LE(box.left, 1.0f) << "it would have fitted sooner";
                EXPECT_GE(box.left, 0.0f);
            }
            if (flipped >= 0) {
                EXPECT_TRUE(left) << x;
            }
        }
        EXPECT_GT(flipped, 0);
    }
}

} // namespace
