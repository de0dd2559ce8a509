// A car on the road is under the mouse (it shows its hover image and may be
// taken) exactly where its body stands: on the footprint its image is painted
// on, counted from where the image is drawn. Points just inside and just
// outside each side and each corner, for every direction that has an
// outline, at both screen sizes; at the design size every pixel around it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "artgen/car_footprint.h"
#include "scene/screen_manager.h"
#include "vehicles_fixture.h"
#include "world/settings.h"

namespace test {
namespace {

    constexpr int kPlain = 1;

    struct Probe {
        std::string what;
        int x, y; // from the drawn image's top-left corner
        bool hit;
    };

    // Probes for a footprint given in image pixels (already scaled to the
    // image's size): for each side, at a quarter, the middle and three
    // quarters of its length, the pixel `margin` past the side on the row
    // (for a flat side: the column) through that point, inside and outside; with `corners`, also beside
    // each corner: a pixel inside at the leftmost and rightmost corner's row,
    // two inside below the top and above the bottom one, and one outside
    // each.
    std::vector<Probe> Probes(const double (&p)[4][2], int margin, bool corners)
    {
        std::vector<Probe> probes;
        for (int i = 0; i < 4; ++i) {
            const double* a = p[i];
            const double* b = p[(i + 1) % 4];
            // A steep side is probed along a row, a flat one along a column.
            const int u = std::fabs(b[1] - a[1]) >= std::fabs(b[0] - a[0]) ? 1 : 0, v = 1 - u;
            for (const double t : { 0.25, 0.5, 0.75 }) {
                const int line = static_cast<int>(std::lround(a[u] + (b[u] - a[u]) * t));
                const double crossing = a[v] + (b[v] - a[v]) * (line - a[u]) / (b[u] - a[u]);
                // Which bound of the line the side is: the line crosses the
                // footprint once more.
                double other = crossing;
                for (int j = 0; j < 4; ++j) {
                    const double* c = p[j];
                    const double* d = p[(j + 1) % 4];
                    if (j != i && (c[u] - line) * (d[u] - line) < 0)
                        other = c[v] + (d[v] - c[v]) * (line - c[u]) / (d[u] - c[u]);
                }
                const bool low = crossing < other;
                const int inside = low ? static_cast<int>(std::ceil(crossing)) + margin
                                       : static_cast<int>(std::floor(crossing)) - margin;
                const int outside = low ? static_cast<int>(std::floor(crossing)) - margin
                                        : static_cast<int>(std::ceil(crossing)) + margin;
                const std::string at = "side " + std::to_string(i) + " at " + std::to_string(t);
                probes.push_back({ at + " inside", u ? inside : line, u ? line : inside, true });
                probes.push_back({ at + " outside", u ? outside : line, u ? line : outside, false });
            }
        }
        if (!corners)
            return probes;
        for (int i = 0; i < 4; ++i) {
            const int x = static_cast<int>(p[i][0]), y = static_cast<int>(p[i][1]);
            double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
            for (const auto& q : p)
                left = std::min(left, q[0]), right = std::max(right, q[0]), top = std::min(top, q[1]),
                bottom = std::max(bottom, q[1]);
            const std::string at = "corner " + std::to_string(i);
            if (p[i][0] == left)
                probes.insert(probes.end(), { { at + " inside", x + 1, y, true }, { at + " outside", x - 1, y, false } });
            else if (p[i][0] == right)
                probes.insert(probes.end(), { { at + " inside", x - 1, y, true }, { at + " outside", x + 1, y, false } });
            else if (p[i][1] == top)
                probes.insert(probes.end(), { { at + " inside", x, y + 2, true }, { at + " outside", x, y - 1, false } });
            else if (p[i][1] == bottom)
                probes.insert(probes.end(), { { at + " inside", x, y - 2, true }, { at + " outside", x, y + 1, false } });
        }
        return probes;
    }

    class CarOutline : public VehiclesTest {
    protected:
        void SetUp() override
        {
            VehiclesTest::SetUp();
            AddCarType(kPlain, "car_a", 7, 0, 1);
            // Every road car may be taken; the car waits at its start.
            world.onlyAutobahn = 1;
            world.autobahnRoads.emplace_back();
        }
    };

    TEST_F(CarOutline, ARoadCarIsUnderTheMouseExactlyOnItsFootprint)
    {
        for (const int width : { 1280, 1024 }) {
            cScreenManager::Instance().DestroyScreens();
            StartScreens(width);
            const double imageWidth = width == 1280 ? 140 : 112, imageHeight = width == 1280 ? 110 : 83;
            for (const int variant : { 1, 9, 3, 7 }) {
                SCOPED_TRACE(testing::Message() << width << " wide, direction " << variant);
                world.autobahnCars.clear();
                const int index = AddRoadCar(1, kPlain, variant, 600.0f, 400.0f);
                world.autobahnCars[index].waiting = 1;
                world.autobahnCars[index].pause = 1e9;

                // Where the car is drawn, with the mouse away.
                input.x = input.y = -1000;
                ClearDrawn();
                carLayer->Draw();
                const std::vector<VehicleImage> plain = DrawnOf(L"car_a.png");
                ASSERT_EQ(plain.size(), 1u);
                const int left = plain[0].x, top = plain[0].y;

                const auto& design = variant == 3 || variant == 7 ? artgen::kCarFootprintAcross
                                                                  : artgen::kCarFootprintAlong;
                double footprint[4][2];
                for (int i = 0; i < 4; ++i) {
                    footprint[i][0] = design[i][0] * imageWidth / 140;
                    footprint[i][1] = design[i][1] * imageHeight / 110;
                }
                // At the smaller size the image and the outline are scaled
                // apart by up to a pixel.
                const bool design1280 = width == 1280;
                for (const Probe& probe : Probes(footprint, design1280 ? 1 : 2, design1280)) {
                    SCOPED_TRACE(probe.what);
                    input.x = left + probe.x;
                    input.y = top + probe.y;
                    ClearDrawn();
                    carLayer->Draw();
                    const bool hover = DrawnOf(L"car_a_over.png").size() == 1;
                    EXPECT_EQ(hover, probe.hit) << probe.x << "," << probe.y;
                    EXPECT_EQ(DrawnOf(L"car_a.png").size(), hover ? 0u : 1u);
                    if (hover) {
                        // The hand holds the car where it took it.
                        EXPECT_EQ(world.hitOffsetX, probe.x);
                        EXPECT_EQ(world.hitOffsetY, probe.y);
                    }
                }
                if (!design1280)
                    continue;
                // At the design size, pixel for pixel: the area the game's
                // polygon test gives the painted footprint, and nothing else.
                int xs[4], ys[4];
                for (int i = 0; i < 4; ++i)
                    xs[i] = left + static_cast<int>(design[i][0]), ys[i] = top + static_cast<int>(design[i][1]);
                int wrong = 0;
                for (int y = -2; y < 112 && wrong < 5; ++y) {
                    for (int x = -2; x < 142 && wrong < 5; ++x) {
                        input.x = left + x;
                        input.y = top + y;
                        const bool expected = cGameWorld::PointInPolygon(4, xs, ys, input.x, input.y);
                        if (carLayer->HitTestCar(left, top, variant) != expected) {
                            ADD_FAILURE() << "pixel " << x << "," << y << (expected ? " not hit" : " hit");
                            ++wrong;
                        }
                    }
                }
            }
        }
    }

} // namespace
} // namespace test
