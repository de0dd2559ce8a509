// The station view's frame: the platforms of the grid, then the trees and the
// station elements in list order, each element with its upgrade overlay and,
// on service places, its lamp.
#include <cmath>
#include <cwchar>

#include "scene/station_view.h"
#include "scene/station_view_local.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace Scene {

using namespace Local;

namespace {
    constexpr double kFadeInStepSeconds = 0.017;
    constexpr int kMaxAlpha = 255;
    constexpr int kBroken = 2;
    // The car held by the mouse when the player uses a joker: it may go on
    // any fundament.
    constexpr int kJoker = 90;
    // A fundament of this template shows its second image even when empty.
    constexpr int kSecondImageTemplate = 6;
    // Where a platform is drawn from its cell's point, in design units.
    constexpr double kPlatformDX = -15;
    constexpr double kPlatformDY = 25;
    // Design offsets from the cell to the element, and from the element to
    // its upgrade overlay and its lamp.
    constexpr double kElementDX = 5;
    constexpr double kElementDY = 15;
    constexpr double kOverlayDX = -3;
    constexpr double kOverlayDY = -3;
    constexpr double kLampDX = 140;
    constexpr double kLampDY = 0;
    constexpr int kFirstServiceType = 6;
    constexpr int kLastServiceType = 10;
    // A blinking lamp is lit for the first half of each period.
    constexpr double kBlinkPeriodSeconds = 0.5;

    bool PlatformPoint(const cGameWorld& world, const cFundament& f, int& x, int& y)
    {
        // Scripts may create fundaments anywhere; only cells of the tables
        // have a screen point.
        if (!world::IsGridCell(f.row, f.column))
            return false;
        x = world.cellX[f.row][f.column] + ScaleX(kPlatformDX);
        y = world.cellY[f.row][f.column] + ScaleY(kPlatformDY);
        return true;
    }
} // namespace

void StationView::Draw()
{
    UpdateFade();
    DrawPlatforms();
    DrawStationObjects();
    if (cSettings::Instance().editorMode)
        DrawEditor();
}

void StationView::DrawPlatforms()
{
    cGameWorld& world = cGameWorld::Instance();
    CPageManager& page = pages[kStationPage];
    const Tint t = LevelTint();
    const bool gridLevel = cGameWorld::IsFirstLevelOfTriple(world.level);
    for (std::size_t i = 0; i < world.fundaments.size(); ++i) {
        const cFundament& f = world.fundaments[i];
        int x = 0;
        int y = 0;
        if (!PlatformPoint(world, f, x, y))
            continue;
        const bool mouseOver = world.IsMouseOverPlace(f.row, f.column);
        if (gridLevel) {
            page.DrawImage(f.texture2.c_str(), x, y, 0, 0, t.r, t.g, t.b, 255);
            if (world.noFreeCell || world.IsPaused() || !mouseOver)
                continue;
            // While the managers hand over the stack the player picks cars
            // up; otherwise puts one down on a free cell (a joker anywhere).
            const bool carOn = f.autoType != -1;
            const bool highlight = world.managerBelowLimit ? carOn : (!carOn || world.autoOnMouse == kJoker);
            if (highlight)
                page.DrawImage(L"platform_over.png", x, y, 0, 0, t.r, t.g, t.b, 255);
            continue;
        }
        if (f.content > 0) {
            page.DrawImage(f.texture2.c_str(), x, y, 0, 0, t.r, t.g, t.b, 255);
            const bool broken
                = world::IsIndex(f.content, world.places.size()) && world.places[f.content].state == kBroken;
            if (broken)
                page.DrawImage(L"tanke_kaputt_platform.png", x, y, 0, 0, t.r, t.g, t.b, 255);
            else
                DrawPlatformFrame(static_cast<int>(i));
        } else if (f.content == -1) {
            const std::wstring& image = f.textureId == kSecondImageTemplate ? f.texture2 : f.texture;
            page.DrawImage(image.c_str(), x, y, 0, 0, t.r, t.g, t.b, 255);
        }
        if (mouseOver && world.autoOnMouse != -1 && world.hoveredElement >= 0)
            page.DrawImage(L"platform_over.png", x, y, 0, 0, t.r, t.g, t.b, 255);
    }
}

void StationView::DrawPlatformFrame(int fundament)
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!world::IsIndex(fundament, world.fundaments.size()))
        return;
    int x = 0;
    int y = 0;
    if (!PlatformPoint(world, world.fundaments[fundament], x, y))
        return;
    const Tint t = LevelTint();
    pages[kStationPage].DrawImage(L"platform_rahmen", x, y, 0, 0, t.r, t.g, t.b, 255);
}

void StationView::DrawStationObjects()
{
    cGameWorld& world = cGameWorld::Instance();
    if (fadeInTimer.Elapsed() >= kFadeInStepSeconds) {
        for (cPlace& place : world.places) {
            if (place.alphaStep > 0 && place.alpha < kMaxAlpha)
                place.alpha += place.alphaStep;
            if (place.alpha > kMaxAlpha)
                place.alpha = kMaxAlpha;
        }
        fadeInTimer.Restart();
    }

    // Behind an overlay the places keep serving, hidden or not.
    const bool covered = StationCovered();
    // By index, reading the list anew each time: a script called from a
    // place's service may append places.
    for (std::size_t i = 0; i < world.places.size(); ++i) {
        const int index = static_cast<int>(i);
        if (world.places[i].type >= kFirstTreeType) {
            const cPlace& tree = world.places[i];
            const Tint t = LevelTint();
            const std::wstring name = cGameWorld::NarrowToWideString(tree.texture) + L".png";
            const int alpha = tree.alpha < 0 ? 0 : tree.alpha > kMaxAlpha ? kMaxAlpha : tree.alpha;
            pages[kTreesPage].DrawImage(name.c_str(), ScaleX(tree.x), ScaleY(tree.y), 0, 0, t.r, t.g, t.b, alpha);
            continue;
        }
        if (covered)
            UpdatePlaceState(index);
        if (world.drawStation == 1)
            DrawElement(index);
    }
}

void StationView::DrawElement(int index)
{
    UpdatePlaceState(index);
    cGameWorld& world = cGameWorld::Instance();
    // The service may have called the script, which may have changed the list.
    if (!world::IsIndex(index, world.places.size()))
        return;
    const cPlace& place = world.places[index];
    // Station types placed by screen position have no cell to stand on.
    if (!world::IsGridCell(place.row, place.column))
        return;
    const cSettings& settings = cSettings::Instance();
    const int x = static_cast<int>(world.cellX[place.row][place.column] + kElementDX / settings.scaleX);
    const int y = static_cast<int>(world.cellY[place.row][place.column] + kElementDY / settings.scaleY);
    const Tint t = LevelTint();
    CPageManager& page = pages[kStationPage];

    if (place.type >= 3) {
        std::wstring image;
        if (place.state == kBroken)
            image = L"tanke_kaputt.png";
        else if (place.serveFlag)
            image = place.animationImage;
        else
            image = place.animationName + L"00.png";
        page.DrawImage(image.c_str(), x, y, 0, 0, t.r, t.g, t.b, 255);
    }
    if (place.type >= 2 && place.colour >= 0 && place.colour <= 4) {
        wchar_t overlay[16];
        std::swprintf(overlay, 16, L"element%d.png", place.colour + 1);
        page.DrawImage(overlay, x + static_cast<int>(kOverlayDX / settings.scaleX),
            y + static_cast<int>(kOverlayDY / settings.scaleY), 0, 0, t.r, t.g, t.b, 255);
    }
    DrawLamp(index, x, y);
}

void StationView::DrawLamp(int index, int x, int y)
{
    const cGameWorld& world = cGameWorld::Instance();
    const cPlace& place = world.places[index];
    if (place.type < kFirstServiceType || place.type > kLastServiceType || place.state == kBroken)
        return;
    std::wstring image;
    if (place.lampName == L"blink") {
        if (std::fmod(cClock::Instance().GetTime(), kBlinkPeriodSeconds) >= kBlinkPeriodSeconds / 2)
            return;
        image = L"lampe_red.png";
    } else if (place.lampName == L"lampe_green" || place.lampName == L"lampe_yellow"
        || place.lampName == L"lampe_red") {
        image = place.lampName + L".png";
    } else {
        return;
    }
    const cSettings& settings = cSettings::Instance();
    const Tint t = LevelTint();
    pages[kStationPage].DrawImage(image.c_str(), x + static_cast<int>(kLampDX / settings.scaleX),
        y + static_cast<int>(kLampDY / settings.scaleY), 0, 0, t.r, t.g, t.b, 255);
}

} // namespace Scene
