// What the station editor writes for its user, with the fonts made: each bar
// cell's number, the heading of the decorations list, the name over the
// object under the mouse, and every fundament's screen point and cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game_app_fonts.h"
#include "station_fixture.h"

namespace {

class StationEditorLabels : public test::StationEditorBarTest {
protected:
    void SetUp() override
    {
        StationEditorBarTest::SetUp();
        for (int i = 0; i < kFontCount; ++i)
            g_fonts[i] = gfx.CreateFont(L"calibry", 10 + i, 0);
    }
    void TearDown() override
    {
        DeleteFonts();
        StationEditorBarTest::TearDown();
    }
    std::vector<const test::GfxDraw*> Texts() const
    {
        std::vector<const test::GfxDraw*> texts;
        for (const test::GfxDraw& d : gfx.draws)
            if (d.kind == test::GfxDraw::Kind::Text)
                texts.push_back(&d);
        return texts;
    }
    const test::GfxDraw* Said(const std::wstring& text) const
    {
        for (const test::GfxDraw* d : Texts())
            if (d->text == text)
                return d;
        return nullptr;
    }
    static std::wstring DebugLine(int x, int y, int row, int column)
    {
        return L"f:" + std::to_wstring(x) + L"/" + std::to_wstring(y) + L" " + std::to_wstring(row) + L"/"
            + std::to_wstring(column);
    }
};

// Every mode writes each fundament's cell point and cell, in white, at that
// point; the bar cells of places and fundaments carry their number.
TEST_F(StationEditorLabels, EachModeWritesItsNumbersAndTheFundamentsCells)
{
    AddTemplates(2); // values 10 and 11
    AddFundament(2, 3);
    AddFundament(5, 0);
    world.AddOver(100, "baum");
    const struct {
        int mode;
        std::vector<std::wstring> cells; // the bar cells' numbers, in order
        bool heading;
    } cases[] = {
        { 0, { L"10", L"11" }, false },
        { 2, {}, false },
        { 3, { L"9" }, false },
        { 4, {}, true },
        { 5, {}, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        world.developerCounter = c.mode;
        for (int& selection : world.stationSelection)
            selection = -1;
        input.x = input.y = 5;
        ClearDrawn();
        over->Draw();
        std::vector<std::wstring> cells;
        for (const test::GfxDraw* d : Texts()) {
            if (d->y != top() + 5)
                continue;
            cells.push_back(d->text);
            EXPECT_EQ(d->color, 0xFFFFFFFFu);
            EXPECT_EQ((d->x - 185) % 74, 0) << "not at a bar cell";
        }
        EXPECT_EQ(cells, c.cells);
        const test::GfxDraw* heading = Said(L"OVER OVER OVER OVER");
        EXPECT_EQ(heading != nullptr, c.heading);
        if (heading) {
            EXPECT_EQ(heading->y, top() - 20);
            EXPECT_EQ(heading->color, 0xFFFFFFFFu);
        }
        for (const auto& [row, column] : { std::pair { 2, 3 }, std::pair { 5, 0 } }) {
            const int x = world.cellX[row][column];
            const int y = world.cellY[row][column];
            const test::GfxDraw* line = Said(DebugLine(x, y, row, column));
            ASSERT_NE(line, nullptr) << row << "/" << column;
            EXPECT_EQ(line->x, x);
            EXPECT_EQ(line->y, y);
            EXPECT_EQ(line->color, 0xFFFFFFFFu);
        }
    }
}

// The fundament or place under the mouse is named above it; the others are
// not.
TEST_F(StationEditorLabels, TheObjectUnderTheMouseIsNamedAboveIt)
{
    AddTemplates(1);
    AddFundament(2, 3);
    AddFundament(4, 1);
    AddServicePlace(6, 4, 1);
    const std::wstring fundamentName = world.fundaments[0].texture;
    ASSERT_FALSE(fundamentName.empty());
    const struct {
        int mode;
        int row, column; // the cell under the mouse
        std::wstring name; // "" none
    } cases[] = {
        { 3, 2, 3, fundamentName },
        { 3, 4, 1, L"" }, // a place stands on it
        { 0, 4, 1, L"tank" },
        { 0, 2, 3, L"" }, // no place there
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode * 100 + c.row * 10 + c.column);
        world.developerCounter = c.mode;
        for (int& selection : world.stationSelection)
            selection = -1;
        MouseOnCell(c.row, c.column);
        ClearDrawn();
        over->Draw();
        std::vector<std::wstring> names;
        for (const test::GfxDraw* d : Texts())
            if (d->text.rfind(L"f:", 0) != 0 && d->y != top() + 5)
                names.push_back(d->text);
        EXPECT_EQ(names, c.name.empty() ? std::vector<std::wstring> {} : std::vector<std::wstring> { c.name });
        if (!c.name.empty()) {
            // Just above the yellow outline of the object it names.
            float outlineTop = 1e9f;
            for (const test::GfxDraw& d : gfx.draws) {
                if (d.color != 0xFFFFFF00u || d.kind == test::GfxDraw::Kind::Text)
                    continue;
                for (std::size_t k = 1; k < d.points.size(); k += 2)
                    outlineTop = std::min(outlineTop, d.points[k]);
                for (const auto& v : d.vertices)
                    outlineTop = std::min(outlineTop, v.y);
            }
            ASSERT_LT(outlineTop, 1e9f) << "no outline";
            const test::GfxDraw* label = Said(c.name);
            EXPECT_LT(static_cast<float>(label->y), outlineTop);
            EXPECT_GT(static_cast<float>(label->y), outlineTop - 100.0f);
        }
    }
}

} // namespace
