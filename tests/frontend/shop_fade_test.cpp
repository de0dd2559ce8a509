// A built lot's fade in the shop: its steps count from the moment the shop
// opens, however long it was closed.
#include "shop_fixture.h"

namespace {

class ShopFadeTest : public test::ShopTest {
protected:
    int DrawnAlpha() const
    {
        for (const test::HudImage& image : Images())
            if (image.name == "lot_a")
                return static_cast<int>(image.colour >> 24);
        return -1;
    }
};

// The lot gains 5 of 255 a step, one step each time more than 0.017 s have
// passed: a shop closed for a while does not start with a step already due.
TEST_F(ShopFadeTest, ABuiltLotFadesInStepByStepFromTheShopsOpening)
{
    const struct {
        double closedMs, paceMs;
        std::vector<int> alphas; // the lot's fade after each of the first frames
    } cases[] = {
        { 1000.0, 5.0, { 0, 0, 0, 5, 5, 5, 5, 10 } },
        { 1000.0, 9.0, { 0, 5, 5, 10, 10, 15, 15, 20 } },
        { 1000.0, 20.0, { 5, 10, 15, 20, 25, 30, 35, 40 } },
        { 0.0, 5.0, { 0, 0, 0, 5, 5, 5, 5, 10 } },
    };
    AddLot(3, 2, 1, "lot_a", 100, true);
    Build(3, 2, 9);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.closedMs << " ms closed, " << c.paceMs << " ms frames");
        shop.SetActive(false);
        Wait(c.closedMs);
        Lot(3, 2).alpha = 0;
        shop.SetActive(true);
        std::vector<int> fades, drawn;
        for (std::size_t n = 0; n < c.alphas.size(); ++n) {
            gfx.ClearRecords();
            Wait(c.paceMs);
            shop.DrawStation();
            fades.push_back(Lot(3, 2).alpha);
            drawn.push_back(DrawnAlpha());
        }
        EXPECT_EQ(fades, c.alphas);
        // Each frame draws the lot in the fade it had before the step.
        std::vector<int> expected = { 0 };
        expected.insert(expected.end(), c.alphas.begin(), c.alphas.end() - 1);
        EXPECT_EQ(drawn, expected);
    }
}

} // namespace
