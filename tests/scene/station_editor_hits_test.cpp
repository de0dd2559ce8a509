// The station editor answers the mouse where it draws: the bar hides the
// station's editing under it and nowhere else, each bar cell takes a click
// on its picture, and each element's outline is drawn around the cell a
// click takes it from.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "station_fixture.h"

namespace {

struct Box {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    uint32_t colour = 0;
};

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kYellow = 0xFFFFFF00;

class StationEditorHits : public test::StationEditorBarTest {
protected:
    // The rectangle outlines of the last frame: four lines each.
    std::vector<Box> Outlines() const
    {
        std::vector<Box> boxes;
        std::vector<float> points;
        for (const test::GfxDraw& d : gfx.draws) {
            if (d.kind != test::GfxDraw::Kind::Lines)
                continue;
            points.insert(points.end(), d.points.begin(), d.points.end());
            if (points.size() < 16)
                continue;
            Box b { 1 << 20, 1 << 20, -(1 << 20), -(1 << 20), d.color };
            for (std::size_t i = 0; i < points.size(); i += 2) {
                b.x1 = std::min(b.x1, static_cast<int>(points[i]));
                b.x2 = std::max(b.x2, static_cast<int>(points[i]));
                b.y1 = std::min(b.y1, static_cast<int>(points[i + 1]));
                b.y2 = std::max(b.y2, static_cast<int>(points[i + 1]));
            }
            boxes.push_back(b);
            points.clear();
        }
        return boxes;
    }
    // The widest solid rectangle of the last frame: the bar.
    Box Bar() const
    {
        Box bar;
        for (const test::GfxDraw& d : gfx.draws) {
            if (d.kind != test::GfxDraw::Kind::Triangles || d.vertices.empty())
                continue;
            Box b { 1 << 20, 1 << 20, -(1 << 20), -(1 << 20), d.vertices[0].color };
            for (const GfxVertex& v : d.vertices) {
                b.x1 = std::min(b.x1, static_cast<int>(v.x));
                b.x2 = std::max(b.x2, static_cast<int>(v.x));
                b.y1 = std::min(b.y1, static_cast<int>(v.y));
                b.y2 = std::max(b.y2, static_cast<int>(v.y));
            }
            if (b.x2 - b.x1 > bar.x2 - bar.x1)
                bar = b;
        }
        return bar;
    }
    // One frame with the mouse at (x, y), clicked or not.
    void Frame(int x, int y, bool click)
    {
        input.x = x;
        input.y = y;
        world.leftClick = world.clickEvent = 0;
        if (click)
            Click();
        world.mouseOverBuildBar = 0;
        ClearDrawn();
        over->Draw();
    }
    // The box of the pixels where the mouse is over the cell.
    Box HitArea(int row, int column) const
    {
        Box b { 1 << 20, 1 << 20, -(1 << 20), -(1 << 20), 0 };
        const int x0 = world.cellX[row][column];
        const int y0 = world.cellY[row][column];
        for (int y = y0 - 50; y < y0 + 300; ++y) {
            for (int x = x0 - 50; x < x0 + 300; ++x) {
                if (!world.IsMouseOverPlace(row, column, x, y))
                    continue;
                b.x1 = std::min(b.x1, x);
                b.x2 = std::max(b.x2, x);
                b.y1 = std::min(b.y1, y);
                b.y2 = std::max(b.y2, y);
            }
        }
        return b;
    }
};

// The bar hides the station's editing under it: with the mouse anywhere on
// the bar drawn no element is outlined; a pixel beside it, every one is.
TEST_F(StationEditorHits, TheBarCoversWhatItDraws)
{
    AddTemplates(20);
    AddFundament(1, 1);
    AddServicePlace(6, 1, 1);
    world.AddFundament(2, "plat_a", "plat_b", 9);
    world.CreateFundament(2, 1, 5, 9, -1); // empty: the fundament editor's
    for (const int mode : { 0, 3 }) {
        SCOPED_TRACE(mode);
        world.developerCounter = mode;
        Frame(5, 5, false);
        const Box bar = Bar();
        ASSERT_GT(bar.x2 - bar.x1, 700);
        ASSERT_EQ(Outlines().size(), 1u);
        const int middleY = (bar.y1 + bar.y2) / 2;
        // The left and right ends and the top of the bar, away from its
        // cells and arrows.
        struct Point { int x, y; bool onBar; };
        const Point points[] = {
            { bar.x1, middleY, true },
            { bar.x1 - 1, middleY, false },
            { bar.x2 - 1, bar.y1 + 2, true },
            { bar.x2 + 1, bar.y1 + 2, false },
            { (bar.x1 + bar.x2) / 2, bar.y1, true },
            { (bar.x1 + bar.x2) / 2, bar.y1 - 1, false },
        };
        for (const Point& p : points) {
            SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
            Frame(p.x, p.y, false);
            EXPECT_EQ(Outlines().size(), p.onBar ? 0u : 1u);
        }
    }

    // Its paging arrows sit inside both ends alike.
    world.developerCounter = 0;
    Frame(5, 5, false);
    ASSERT_EQ(DrawnOf(L"b_right.png").size(), 1u);
    const test::DrawnImage next = DrawnOf(L"b_right.png")[0];
    Frame(next.x + next.width / 2, next.y + next.height / 2, true);
    Frame(5, 5, false);
    const Box bar = Bar();
    const std::vector<test::DrawnImage> left = DrawnOf(L"b_left.png");
    const std::vector<test::DrawnImage> right = DrawnOf(L"b_right.png");
    ASSERT_EQ(left.size(), 1u);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_GT(left[0].x, bar.x1);
    EXPECT_EQ(left[0].x - bar.x1, bar.x2 - (right[0].x + right[0].width));
}

// Every pixel of a cell's picture takes a click for that cell's item; the
// pixels beside a picture take none.
TEST_F(StationEditorHits, EachBarCellTakesTheClicksOnItsPicture)
{
    AddTemplates(9);
    Frame(5, 5, false);
    std::vector<test::DrawnImage> cells;
    for (const test::DrawnImage& image : Drawn()) {
        if (image.name == L"tank.png")
            cells.push_back(image);
    }
    ASSERT_EQ(cells.size(), 9u);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const test::DrawnImage& c = cells[i];
        SCOPED_TRACE(i);
        struct Point { int x, y; bool takes; };
        const Point points[] = {
            { c.x + c.width / 2, c.y + c.height / 2, true },
            { c.x, c.y, true },
            { c.x + c.width - 1, c.y + c.height - 1, true },
            { c.x, c.y + c.height - 1, true },
            { c.x - 1, c.y + c.height / 2, false },
            { c.x + c.width / 2, c.y - 1, false },
            { c.x + c.width / 2, c.y + c.height + 1, false },
        };
        for (const Point& p : points) {
            SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
            world.stationSelection[0] = -1;
            Frame(p.x, p.y, true);
            EXPECT_EQ(world.stationSelection[0], p.takes ? static_cast<int>(i) : -1);
            EXPECT_EQ(world.leftClick, p.takes ? 0 : 1);
        }
    }
}

// Each element is outlined around the cell it stands on, red, and yellow
// while the mouse is over that cell: the outline touches the cell's hit
// area on all four sides, and a click inside it takes that element away.
TEST_F(StationEditorHits, TheOutlineIsDrawnAroundTheCellAClickTakes)
{
    AddTemplates(3);
    const int cells[][2] = { { 1, 2 }, { 2, 4 } };
    for (const auto& [row, column] : cells) {
        AddFundament(row, column);
        AddServicePlace(6, row, column);
    }
    Frame(5, 5, false);
    std::vector<Box> expected;
    for (const auto& [row, column] : cells) {
        Box hit = HitArea(row, column);
        ASSERT_LT(hit.x1, hit.x2);
        ASSERT_LT(hit.y2 + 1, top()) << "under the bar";
        hit.colour = kRed;
        expected.push_back(hit);
    }
    std::vector<Box> drawn = Outlines();
    ASSERT_EQ(drawn.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        // The outline runs along the area's outermost pixels: from the
        // first to just past the last. The area's top is a single corner
        // of its outline, which the line may pass through or just above.
        EXPECT_EQ(drawn[i].x1, expected[i].x1);
        EXPECT_GE(drawn[i].y1, expected[i].y1 - 1);
        EXPECT_LE(drawn[i].y1, expected[i].y1);
        EXPECT_EQ(drawn[i].x2, expected[i].x2 + 1);
        EXPECT_EQ(drawn[i].y2, expected[i].y2 + 1);
        EXPECT_EQ(drawn[i].colour, kRed);
    }

    // The mouse on the area's outermost pixels and a pixel beyond each.
    for (std::size_t i = 0; i < 2; ++i) {
        const auto [row, column] = cells[i];
        const Box& hit = expected[i];
        struct Point { int x, y; bool over; };
        std::vector<Point> points;
        for (int y = hit.y1; y <= hit.y2; ++y) {
            for (int x = hit.x1; x <= hit.x2; ++x) {
                const bool edge = x == hit.x1 || x == hit.x2 || y == hit.y1 || y == hit.y2;
                if (!edge || !world.IsMouseOverPlace(row, column, x, y))
                    continue;
                points.push_back({ x, y, true });
                points.push_back({ x == hit.x1 ? x - 1 : x == hit.x2 ? x + 1 : x,
                    y == hit.y1 ? y - 1 : y == hit.y2 ? y + 1 : y, false });
            }
        }
        ASSERT_GE(points.size(), 8u);
        for (const Point& p : points) {
            SCOPED_TRACE(testing::Message() << "cell " << row << "," << column << " mouse " << p.x << "," << p.y);
            Frame(p.x, p.y, false);
            drawn = Outlines();
            ASSERT_EQ(drawn.size(), 2u);
            const int cx = (expected[i].x1 + expected[i].x2) / 2;
            const int cy = (expected[i].y1 + expected[i].y2) / 2;
            for (const Box& b : drawn) {
                const bool lit = p.over && b.x1 <= cx && cx <= b.x2 && b.y1 <= cy && cy <= b.y2;
                EXPECT_EQ(b.colour, lit ? kYellow : kRed);
            }
        }
        // A click on the last point inside takes this element only.
        const Point& inside = points[points.size() - 2];
        Frame(inside.x, inside.y, true);
        ASSERT_EQ(world.places.size(), 1u);
        EXPECT_EQ(std::pair(world.places[0].row, world.places[0].column), std::pair(cells[1 - i][0], cells[1 - i][1]));
        AddServicePlace(6, row, column);
    }
}

} // namespace
