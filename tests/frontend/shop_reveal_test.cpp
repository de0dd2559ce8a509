// The first visit's reveal of the station: how many lots stand at once, and
// the pace at which each further lot fades in, frame by frame on a set clock.
#include <gtest/gtest.h>

#include <algorithm>

#include "shop_fixture.h"

namespace {

class ShopRevealTest : public test::ShopTest {
protected:
    void AddLots(int n)
    {
        for (int i = 0; i < n; ++i)
            AddLot(3 + i / 4, 2 + i % 4, 1 + i, "lot_a", 100, true);
    }
    std::vector<int> Alphas() const
    {
        std::vector<int> alphas;
        for (const cFundament& f : world.fundaments)
            alphas.push_back(f.alpha);
        return alphas;
    }
};

// A third of the lots stands at once, at least one; the rest are hidden and
// the one to fade in next is one of them.
TEST_F(ShopRevealTest, AThirdOfTheLotsStandsAtOnceAndAtLeastOne)
{
    const std::pair<int, int> cases[] = { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 4, 1 }, { 5, 1 }, { 6, 2 }, { 8, 2 },
        { 9, 3 }, { 11, 3 }, { 12, 4 } };
    for (const auto& [lots, shown] : cases) {
        SCOPED_TRACE(testing::Message() << lots << " lots");
        world.fundaments.clear();
        AddLots(lots);
        ASSERT_EQ(world.fundaments.size(), static_cast<std::size_t>(lots));
        shop.FlagRandomFundaments();
        const std::vector<int> alphas = Alphas();
        EXPECT_EQ(std::ranges::count(alphas, 255), shown);
        EXPECT_EQ(std::ranges::count(alphas, 0), lots - shown) << "a lot neither shown nor hidden";
        if (lots - shown > 1) {
            ASSERT_GE(shop.RevealSlot(), 0);
            ASSERT_LT(shop.RevealSlot(), lots);
            EXPECT_EQ(alphas[static_cast<std::size_t>(shop.RevealSlot())], 0) << "the next lot is one already shown";
        }
    }
}

// A lot fades in by 25 of 255 a step, a step each time more than 0.017 s
// have passed since the last one: at 5 ms frames every fourth frame, at 9 ms
// every second, at 20 ms every frame, and a long frame is one step only.
// Each lot climbs 25, 50 ... 250, 255 with nothing else moving meanwhile.
TEST_F(ShopRevealTest, EachLotFadesInByAStepEveryMoreThanSeventeenMilliseconds)
{
    const std::pair<double, int> paces[] = { { 5.0, 4 }, { 9.0, 2 }, { 20.0, 1 }, { 250.0, 1 } };
    for (const auto& [pace, framesPerStep] : paces) {
        SCOPED_TRACE(testing::Message() << pace << " ms frames");
        world.fundaments.clear();
        AddLots(9);
        shop.FlagRandomFundaments();
        // The step clock runs from the last step before this pace: the first
        // step taken at this pace starts the count.
        std::vector<int> before = Alphas();
        int frame = 0;
        for (; frame < 20 && Alphas() == before; ++frame) {
            Wait(pace);
            shop.DrawIntroReveal();
        }
        ASSERT_NE(Alphas(), before) << "no step at all";
        std::vector<std::vector<int>> climbs(9);
        for (std::size_t i = 0; i < 9; ++i)
            if (Alphas()[i] != before[i])
                climbs[i].push_back(Alphas()[i]);
        std::vector<bool> stepped;
        for (int n = 0; n < 12 * framesPerStep; ++n) {
            before = Alphas();
            Wait(pace);
            gfx.ClearRecords();
            shop.DrawIntroReveal();
            const std::vector<int> now = Alphas();
            stepped.push_back(now != before);
            for (std::size_t i = 0; i < 9; ++i)
                if (now[i] != before[i])
                    climbs[i].push_back(now[i]);
            // Every lot is drawn each frame in its own fade.
            std::vector<int> drawn;
            for (const test::HudImage& image : Images())
                if (image.name == "lot_am")
                    drawn.push_back(static_cast<int>(image.colour >> 24));
            std::vector<int> expected = now;
            std::ranges::sort(expected);
            std::ranges::sort(drawn);
            EXPECT_EQ(drawn, expected) << "frame " << n;
        }
        for (std::size_t n = 0; n < stepped.size(); ++n)
            EXPECT_EQ(stepped[n], (n + 1) % static_cast<std::size_t>(framesPerStep) == 0) << "frame " << n;
        for (const std::vector<int>& climb : climbs) {
            if (climb.empty())
                continue;
            // The first climb seen may have begun before the count.
            const std::vector<int> full = { 25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255 };
            const auto start = std::ranges::find(full, climb.front());
            ASSERT_NE(start, full.end()) << climb.front();
            for (std::size_t k = 1; k < climb.size(); ++k)
                EXPECT_EQ(climb[k], std::min(255, climb[k - 1] + 25));
        }
    }
}

} // namespace
