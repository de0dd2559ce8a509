// Snow, rain, fog, clouds with their shadows, and balloons.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/game_random.h"
#include "platform/utf16.h"
#include "scene/design_units.h"
#include "scene/effects_layer.h"
#include "world/game_world.h"
#include "world/settings.h"

namespace Scene {

namespace {

    int Channel(int value)
    {
        return std::clamp(value, 0, 255);
    }

    // Where a drifting sprite stands after `step` steps.
    template <typename Drift> void DriftPosition(const Drift& d, int& x, int& y)
    {
        x = static_cast<int>(static_cast<float>(d.step) * d.stepX + static_cast<float>(d.fromX));
        y = static_cast<int>(static_cast<float>(d.step) * d.stepY + static_cast<float>(d.fromY));
    }

    bool Near(int x, int y, int toX, int toY, int distance)
    {
        return std::abs(x - toX) < distance && std::abs(y - toY) < distance;
    }

    // Snow flakes by their fall per step: the fastest are the largest.
    const wchar_t* FlakeImage(int fall)
    {
        if (fall > 5)
            return L"snow.png";
        if (fall == 5)
            return L"snow15.png";
        if (fall == 4)
            return L"snow12.png";
        return L"snow8.png";
    }

    const wchar_t* const kDropImages[5] = { L"rain30.png", L"rain20.png", L"rain15.png", L"rain8.png", L"rain8.png" };

    constexpr double kBalloonStepSeconds = 0.01;
    constexpr int kBalloonArrival = 10;
    constexpr int kCloudArrival = 60;

} // namespace

void EffectsLayer::DrawSprite(CPageManager& page, const std::wstring& name, int x, int y, int r, int g, int b, int a)
{
    page.DrawImage(name.c_str(), x, y, 0, 0, r, g, b, a);
}

void EffectsLayer::DrawTinted(CPageManager& page, const std::wstring& name, int x, int y, int alpha)
{
    const cGameWorld& world = cGameWorld::Instance();
    DrawSprite(page, name, x, y, Channel(world.levelTint[0]), Channel(world.levelTint[1]), Channel(world.levelTint[2]),
        Channel(alpha));
}

void EffectsLayer::DrawWhite(CPageManager& page, const std::wstring& name, int x, int y, int alpha)
{
    DrawSprite(page, name, x, y, 255, 255, 255, Channel(alpha));
}

void EffectsLayer::DrawSnow()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.paused)
        return;
    for (const cSnowFlake& flake : world.snowFlakes)
        DrawWhite(pages[kPageEffects], FlakeImage(flake.sizeClass), flake.x, flake.y, GetAlpha());
}

// A flake falls by its size class and sways by its speed around the sine of
// its height; one that has left the bottom starts again at the top.
void EffectsLayer::MoveSnow()
{
    cGameWorld& world = cGameWorld::Instance();
    const int width = cSettings::Instance().GetWidth();
    const int height = cSettings::Instance().GetHeight();
    // The restart columns are drawn from width - 20 values.
    if (world.paused || width <= 20)
        return;
    for (cSnowFlake& flake : world.snowFlakes) {
        flake.x += flake.wind;
        flake.x += static_cast<int>(flake.speed * std::sin(flake.y * flake.drift));
        flake.startX = flake.x;
        if (flake.startY > height) {
            flake.x = platform::GameRand() % width - 15;
            flake.y = 0;
        } else {
            flake.y += flake.sizeClass;
        }
        flake.startY = flake.y;
        if (flake.x > width)
            flake.x = platform::GameRand() % (width - 20) + 5;
        if (flake.x == 0)
            flake.x = width - 5;
    }
}

void EffectsLayer::DrawRain()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.paused)
        return;
    for (const cRainDrop& drop : world.rainDrops)
        DrawTinted(pages[kPageEffects], kDropImages[platform::GameRand() % 5], drop.drawX, drop.drawY, 255);
}

void EffectsLayer::MoveRain()
{
    cGameWorld& world = cGameWorld::Instance();
    if (world.paused)
        return;
    for (cRainDrop& drop : world.rainDrops) {
        drop.x += drop.drift;
        drop.drawX = drop.x + static_cast<int>(std::sin(static_cast<float>(drop.y) * drop.swayRate) * drop.swayWidth);
        if (drop.drawY <= drop.screenHeight) {
            drop.drawY += drop.fallStep;
            drop.y = drop.drawY;
        } else if (drop.screenWidth > 0) {
            drop.drawX = drop.x = platform::GameRand() % drop.screenWidth;
            drop.drawY = 0;
            drop.y = 0;
        }
    }
}

void EffectsLayer::DrawFog()
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world.fogOn)
        return;
    const int width = cSettings::Instance().GetWidth();
    // The layers' x are pixels of this screen (they run from minus its width
    // to its width) and each layer's image is as wide as the screen, so they
    // are drawn where they stand: the two always meet edge to edge, and the
    // mirrored layer makes the seam invisible.
    for (int layer = 0; layer < 2; ++layer)
        DrawWhite(PageForWidth(kPageFog), fogLayer[layer], fogX[layer], 0, fogAlpha);
    if (world.paused || fogTimer.Elapsed() <= fogInterval)
        return;
    fogTimer.Restart();
    if (fogMode == 0) {
        fogAlpha = std::min(fogAlpha + 1, world.fogAlpha);
    } else if (fogMode == 1) {
        fogAlpha -= 1;
        if (fogAlpha < 0) {
            fogAlpha = 0;
            world.fogOn = 0;
            return;
        }
    }
    // The two layers scroll right side by side; the one that leaves the
    // screen comes back on the left.
    fogX[0] += 1;
    fogX[1] += 1;
    if (fogX[0] == 0)
        fogX[1] = -width;
    if (fogX[0] >= width) {
        fogX[0] = -width;
        fogX[1] = 0;
    }
}

// A cloud waits out its start delay, then steps towards its target and its
// alpha one unit per step towards the alpha target.
void EffectsLayer::DrawEffectLayer2()
{
    cGameWorld& world = cGameWorld::Instance();
    int arrived = -1;
    for (size_t i = 0; i < world.clouds.size(); ++i) {
        cCloud& cloud = world.clouds[i];
        // `alpha` of the record is the start delay in seconds; alphaA is the
        // cloud's alpha, alphaB its alpha at the start and alpha2 the target.
        if (!world.paused && cloud.timer2.Elapsed() > cloud.alpha) {
            cloud.timer2.Restart();
            cloud.alpha = 0.0f;
            if (cloud.timer.Elapsed() > cloud.interval && !world.cloudsStop) {
                cloud.timer.Restart();
                cloud.step += 1;
                if (cloud.alphaB < cloud.alpha2 && cloud.alphaA < cloud.alpha2) {
                    cloud.alphaA = std::min(cloud.alphaA + 1, cloud.alpha2);
                } else if (cloud.alphaB > cloud.alpha2 && cloud.alphaA > cloud.alpha2) {
                    cloud.alphaA -= 1;
                    if (cloud.alphaA <= cloud.alpha2)
                        cloud.alphaA = cloud.alpha2;
                } else if (cloud.alphaB == cloud.alpha2) {
                    cloud.alphaA = cloud.alpha2;
                }
            }
        }
        int x = 0;
        int y = 0;
        DriftPosition(cloud, x, y);
        if (Near(x, y, cloud.toX, cloud.toY, kCloudArrival))
            arrived = static_cast<int>(i);
        // Its way is in design units, as its shadow's: both on this screen's
        // scale, so the shadow stays under the cloud at every size.
        DrawTinted(PageForWidth(kPageClouds), platform::NarrowToWide(cloud.texture + ".png"), ScaleX(x), ScaleY(y),
            cloud.alphaA);
    }
    if (arrived >= 0)
        world.clouds.erase(world.clouds.begin() + arrived);
}

void EffectsLayer::DrawCloudShadows()
{
    cGameWorld& world = cGameWorld::Instance();
    if (!world.cloudsOn)
        return;
    const cSettings& settings = cSettings::Instance();
    for (const cCloud& cloud : world.clouds) {
        int x = 0;
        int y = 0;
        DriftPosition(cloud, x, y);
        DrawTinted(PageForWidth(kPageClouds), L"cloud_shadow.png",
            static_cast<int>(static_cast<float>(x - 100) / settings.scaleX),
            static_cast<int>(static_cast<float>(y + 350) / settings.scaleY), cloud.alphaA);
    }
}

void EffectsLayer::DrawEffectLayer()
{
    cGameWorld& world = cGameWorld::Instance();
    const cSettings& settings = cSettings::Instance();
    int arrived = -1;
    for (size_t i = 0; i < world.balloons.size(); ++i) {
        cBalloon& balloon = world.balloons[i];
        if (!world.paused && balloon.timer.Elapsed() > kBalloonStepSeconds) {
            balloon.timer.Restart();
            balloon.step += 1;
        }
        int x = 0;
        int y = 0;
        DriftPosition(balloon, x, y);
        if (Near(x, y, balloon.toX, balloon.toY, kBalloonArrival))
            arrived = static_cast<int>(i);
        DrawTinted(PageForWidth(kPageEffects), platform::NarrowToWide(balloon.texture + ".png"),
            static_cast<int>(static_cast<float>(x) / settings.scaleX),
            static_cast<int>(static_cast<float>(y) / settings.scaleY), 255);
    }
    // At most one balloon leaves per frame.
    if (arrived >= 0)
        world.balloons.erase(world.balloons.begin() + arrived);
}

} // namespace Scene
