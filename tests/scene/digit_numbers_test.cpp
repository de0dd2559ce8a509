// Numbers written with the head-up display's digit images: where each glyph
// goes in either set and alignment, the minus that only the large set draws,
// and the widths the shop centres its money by.
#include <gtest/gtest.h>

#include <cwchar>

#include "vehicles_fixture.h"

namespace test {
namespace {

    using Placing = std::vector<std::pair<std::wstring, int>>;

    // Widths of the test pages: digit d is 10 + d wide (5 + d in the small
    // set); ':' 5, '/' 7, '+' 9, '-' 6, 'x' 8 (small: 3, 4, 4, none, 4).
    TEST_F(VehiclesTest, DigitImagesStandWhereThePenLeavesThem)
    {
        StartScreens();
        const struct {
            bool small;
            int alignRight;
            const wchar_t* text;
            int x;
            Placing placed;
        } cases[] = {
            { false, 0, L"12:05", 100,
                { { L"1.png", 100 }, { L"2.png", 111 }, { L"doppelpunkt.png", 123 }, { L"0.png", 128 },
                    { L"5.png", 138 } } },
            // Right-aligned, the last glyph ends a blank's gap left of x.
            { false, 1, L"12:05", 200,
                { { L"5.png", 170 }, { L"0.png", 160 }, { L"doppelpunkt.png", 155 }, { L"2.png", 143 },
                    { L"1.png", 132 } } },
            { true, 1, L"7", 200, { { L"7_2.png", 176 } } },
            // A blank leaves the set's gap: 15 large, 12 small.
            { false, 0, L"120 / 500", 0,
                { { L"1.png", 0 }, { L"2.png", 11 }, { L"0.png", 23 }, { L"dash.png", 48 }, { L"5.png", 70 },
                    { L"0.png", 85 }, { L"0.png", 95 } } },
            { true, 0, L"120 / 500", 0,
                { { L"1_2.png", 0 }, { L"2_2.png", 6 }, { L"0_2.png", 13 }, { L"dash_2.png", 30 }, { L"5_2.png", 46 },
                    { L"0_2.png", 56 }, { L"0_2.png", 61 } } },
            // Only the large set has a minus; the small one leaves its gap.
            { false, 0, L"-5+3x", 0,
                { { L"minus.png", 0 }, { L"5.png", 6 }, { L"plus.png", 21 }, { L"3.png", 30 },
                    { L"scores_x.png", 43 } } },
            { true, 0, L"-5", 0, { { L"5_2.png", 12 } } },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.text, c.text + std::wcslen(c.text)));
            ClearDrawn();
            if (c.small)
                hud->DrawNumberSmall(c.alignRight, c.text, c.x, 40, 255);
            else
                hud->DrawNumber(c.alignRight, c.text, c.x, 40, 255);
            Placing placed;
            for (const VehicleImage& image : Drawn()) {
                placed.emplace_back(image.name, image.x);
                EXPECT_EQ(image.y, 40);
            }
            EXPECT_EQ(placed, c.placed);
        }
    }

    // The width of a text as its glyphs take it; the minus counts a gap in
    // both sets.
    TEST_F(VehiclesTest, DigitTextWidthsSumTheImagesAndGaps)
    {
        StartScreens();
        const struct {
            const wchar_t* text;
            int large;
            int small;
        } cases[] = {
            { L"", 0, 0 },
            { L"12:05", 53, 31 },
            { L"-", 15, 12 },
            { L"1 x", 11 + 15 + 8, 6 + 12 + 4 },
            { L"/+", 16, 8 },
        };
        for (const auto& c : cases) {
            EXPECT_EQ(hud->GetNumberWidth(c.text), c.large) << c.text;
            EXPECT_EQ(hud->GetNumberWidthSmall(c.text), c.small) << c.text;
        }
    }

} // namespace
} // namespace test
