// Numbers written with the digit images of the head-up display, and the
// points display with its star.
#include <gtest/gtest.h>

#include "vehicles_fixture.h"

namespace test {
namespace {

    class Numbers : public VehiclesTest {
    protected:
        // (image, x) of every image drawn.
        std::vector<std::pair<std::wstring, int>> Placed() const
        {
            std::vector<std::pair<std::wstring, int>> placed;
            for (const VehicleImage& image : Drawn())
                placed.emplace_back(image.name, image.x);
            return placed;
        }
        using Placing = std::vector<std::pair<std::wstring, int>>;
    };

    // Widths of the test pages: digit d is 10 + d wide (5 + d in the small
    // set); ':' 5, '/' 7, '+' 9, '-' 6, 'x' 8 (small: 3, 4, 4, none, 4).
    TEST_F(Numbers, LeftAlignedTextRunsFromX)
    {
        StartScreens();
        submenu->DrawNumber(0, L"12:05", 100, 40, 200);
        EXPECT_EQ(Placed(),
            (Placing { { L"1.png", 100 }, { L"2.png", 111 }, { L"doppelpunkt.png", 123 }, { L"0.png", 128 },
                { L"5.png", 138 } }));
        EXPECT_EQ(Drawn()[0].y, 40);
        EXPECT_EQ(Drawn()[0].colour, 0xC8FFFFFFu);
    }

    TEST_F(Numbers, RightAlignedTextEndsAGapLeftOfX)
    {
        StartScreens();
        submenu->DrawNumber(1, L"12:05", 200, 0, 255);
        // The 5 ends 15 pixels left of x.
        EXPECT_EQ(Placed(),
            (Placing { { L"5.png", 170 }, { L"0.png", 160 }, { L"doppelpunkt.png", 155 }, { L"2.png", 143 },
                { L"1.png", 132 } }));
        ClearDrawn();
        submenu->DrawNumberSmall(1, L"7", 200, 0, 255);
        EXPECT_EQ(Placed(), (Placing { { L"7_2.png", 176 } }));
    }

    TEST_F(Numbers, SpacesLeaveTheSetsGap)
    {
        StartScreens();
        submenu->DrawNumber(0, L"120 / 500", 0, 0, 255);
        EXPECT_EQ(Placed(),
            (Placing { { L"1.png", 0 }, { L"2.png", 11 }, { L"0.png", 23 }, { L"dash.png", 48 }, { L"5.png", 70 },
                { L"0.png", 85 }, { L"0.png", 95 } }));
        ClearDrawn();
        submenu->DrawNumberSmall(0, L"120 / 500", 0, 0, 255);
        EXPECT_EQ(Placed(),
            (Placing { { L"1_2.png", 0 }, { L"2_2.png", 6 }, { L"0_2.png", 13 }, { L"dash_2.png", 30 },
                { L"5_2.png", 46 }, { L"0_2.png", 56 }, { L"0_2.png", 61 } }));
    }

    TEST_F(Numbers, TheMinusHasAnImageOnlyInTheLargeSet)
    {
        StartScreens();
        submenu->DrawNumber(0, L"-5+3x", 0, 0, 255);
        EXPECT_EQ(Placed(),
            (Placing { { L"minus.png", 0 }, { L"5.png", 6 }, { L"plus.png", 21 }, { L"3.png", 30 },
                { L"scores_x.png", 43 } }));
        ClearDrawn();
        submenu->DrawNumberSmall(0, L"-5", 0, 0, 255);
        EXPECT_EQ(Placed(), (Placing { { L"5_2.png", 12 } }));
    }

    TEST_F(Numbers, WidthsSumTheImagesAndGaps)
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
            EXPECT_EQ(submenu->GetNumberWidth(c.text), c.large) << c.text;
            EXPECT_EQ(submenu->GetNumberWidthSmall(c.text), c.small) << c.text;
        }
    }

    TEST_F(Numbers, TheStarPlaysOnceAfterARestartAndThePointsFollowIt)
    {
        StartScreens();
        world.minusPoints = 42;
        // Resting on its last frame from the start.
        submenu->DrawStars();
        EXPECT_EQ(Drawn()[0].name, L"star0029");
        EXPECT_EQ(Drawn()[0].x, 450);
        EXPECT_EQ(Drawn()[0].y, 0);
        EXPECT_EQ(Placed().back(), (std::pair<std::wstring, int> { L"2.png", 540 + 14 }));

        submenu->RestartStars();
        std::vector<int> frames;
        for (int i = 0; i < 35; ++i) {
            Wait(18);
            submenu->DrawStars();
            frames.push_back(submenu->StarFrame());
        }
        EXPECT_EQ(frames.front(), 1);
        EXPECT_EQ(frames[28], 29);
        EXPECT_EQ(frames.back(), 29);
        // No step before 0.017 s have passed.
        submenu->RestartStars();
        Wait(10);
        submenu->DrawStars();
        EXPECT_EQ(submenu->StarFrame(), 0);

        // Against the points target when the level has one.
        world.messageTarget[14] = 500;
        ClearDrawn();
        submenu->DrawStars();
        const Placing placed = Placed();
        ASSERT_EQ(placed.size(), 7u); // star, 4, 2, dash, 5, 0, 0
        EXPECT_EQ(placed[3].first, L"dash.png");
        EXPECT_EQ(Drawn()[1].y, 26);
    }

} // namespace
} // namespace test
