// The station editor's bar: one list of items per editor mode along the
// bottom of the screen, paged by nine, and the placing of the selected item
// on the station. Only while the settings' editor flag is set.
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/car_layer.h"
#include "scene/station_view.h"
#include "scene/station_view_local.h"
#include "world/game_world.h"
#include "world/settings.h"
#include "world/world_checks.h"

namespace Scene {

using namespace Local;

namespace {
    constexpr int kBarLeft = 100;
    constexpr int kBarWidth = 860;
    constexpr int kCells = 9;
    constexpr int kCellStep = 74;
    // Editor modes (the world's developer counter) and where each keeps its
    // selection in the world's station selection.
    enum Mode { kPlaces = 0, kBackground = 1, kTrees = 2, kFundaments = 3, kDecorations = 4, kCars = 5 };
    int SelectionSlot(int mode)
    {
        return mode == kDecorations ? kTrees : mode;
    }
} // namespace

// How one mode's bar looks and what its cells show.
struct StationView::BarStyle {
    int mode;
    int height;
    int outlineTop; // the hover outline's top, from the bar top
    bool yellowArrows;
    CPageManager* page; // null: the cells show no image
};

bool StationView::IsMouseOverBar() const
{
    const int top = cGameWorld::Instance().barOffset;
    return IsMouseInRect(kBarLeft, top, 960, top + 90);
}

void StationView::DrawSolidRect(float x, float y, int width, int height, int a, int r, int g, int b)
{
    if (!g_pGfx2D)
        return;
    const uint32_t c = MakeARGB(
        static_cast<uint32_t>(a), static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b));
    const float right = x + static_cast<float>(width);
    const float bottom = y + static_cast<float>(height);
    const GfxVertex vertices[6] = {
        { x, y, c },
        { right, y, c },
        { right, bottom, c },
        { x, y, c },
        { right, bottom, c },
        { x, bottom, c },
    };
    g_pGfx2D->DrawTriangles(vertices, 2, 0, 0);
}

void StationView::DrawEditor()
{
    cGameWorld& world = cGameWorld::Instance();
    int* selection = world.stationSelection;
    const bool anySelected = selection[0] >= 0 || selection[2] >= 0 || selection[3] >= 0 || selection[5] >= 0;
    if (world.rightClick && anySelected) {
        world.rightClick = 0;
        for (int i = 0; i < 6; ++i)
            selection[i] = -1;
        world.autoOnMouse = -1;
    }
    const int mode = world.developerCounter;
    switch (mode) {
    case kPlaces:
        DrawCategoryList0();
        if (selection[kPlaces] >= 0)
            DrawPlacement();
        else if (!IsMouseOverBar())
            DrawPlaceEditor();
        break;
    case kTrees:
    case kDecorations:
        DrawCategoryList();
        if (selection[kTrees] >= 0)
            DrawPlacement();
        else if (!IsMouseOverBar())
            mode == kTrees ? EditDecorationPositions() : EditSuperOverPositions();
        break;
    case kFundaments:
        DrawCategoryList3();
        if (selection[kFundaments] >= 0)
            DrawPlacement();
        else if (!IsMouseOverBar())
            DrawFundamentEditor();
        break;
    case kCars:
        DrawCategoryList5();
        if (selection[kCars] >= 0)
            DrawPlacement();
        break;
    default:
        break;
    }
    DrawDebugInfo();
}

void StationView::DrawCategoryList0()
{
    const cGameWorld& world = cGameWorld::Instance();
    listCount = 0;
    for (std::size_t i = 0; i < world.placeTemplates.size() && listCount < kListSize; ++i)
        list[listCount++] = static_cast<int>(i);
    DrawBar({ kPlaces, 80, 3, false, &pages[kStationPage] }, firstVisible0);
}

void StationView::DrawCategoryList()
{
    const cGameWorld& world = cGameWorld::Instance();
    listCount = 0;
    for (std::size_t i = 0; i < world.overTemplates.size() && listCount < kListSize; ++i)
        list[listCount++] = static_cast<int>(i);
    const int mode = world.developerCounter == kDecorations ? kDecorations : kTrees;
    DrawBar({ mode, 90, 4, true, &pages[kTreesPage] }, firstVisible2);
    if (mode == kDecorations && g_pGfx2D && g_fonts[1]) {
        g_pGfx2D->SetColor(0xFFFFFFFF);
        g_pGfx2D->DrawText(g_fonts[1], kBarLeft, world.barOffset - 20, L"OVER OVER OVER OVER", 0);
    }
}

void StationView::DrawCategoryList3()
{
    const cGameWorld& world = cGameWorld::Instance();
    listCount = 0;
    for (std::size_t i = 0; i < world.fundamentTemplates.size() && listCount < kListSize; ++i)
        list[listCount++] = static_cast<int>(i);
    DrawBar({ kFundaments, 80, 3, false, &pages[kStationPage] }, firstVisible3);
}

void StationView::DrawCategoryList5()
{
    const cGameWorld& world = cGameWorld::Instance();
    listCount = 0;
    for (std::size_t i = 0; i < world.autoTypes.size() && listCount < kListSize; ++i)
        list[listCount++] = static_cast<int>(i);
    // The cars' pictures belong to the car layer, which draws the cells'.
    DrawBar({ kCars, 80, 3, false, nullptr }, firstVisible5);
}

void StationView::DrawBar(const BarStyle& style, int& firstVisible)
{
    cGameWorld& world = cGameWorld::Instance();
    const int top = world.barOffset;
    const int fade = GetAlpha();
    DrawSolidRect(static_cast<float>(kBarLeft), static_cast<float>(top), kBarWidth, style.height, 255, 55, 55, 55);
    if (firstVisible >= listCount)
        firstVisible = 0;

    const bool drawCells = !(style.mode == kCars && skipCellsOnce);
    skipCellsOnce = false;
    for (int i = 0; drawCells && i < kCells && firstVisible + i < listCount; ++i) {
        const int entry = list[firstVisible + i];
        const int cellX = 183 + kCellStep * i;
        DrawSolidRect(static_cast<float>(cellX), static_cast<float>(top + 5), 72, 72, 255, 155, 155, 155);
        std::wstring image;
        wchar_t label[16] = L"";
        switch (style.mode) {
        case kPlaces:
            image = cGameWorld::NarrowToWideString(world.placeTemplates[entry].texture) + L".png";
            std::swprintf(label, 16, L"%d", world.placeTemplates[entry].value);
            break;
        case kTrees:
        case kDecorations:
            image = cGameWorld::NarrowToWideString(world.overTemplates[entry].texture) + L".png";
            break;
        case kFundaments:
            image = world.fundamentTemplates[entry].texture;
            std::swprintf(label, 16, L"%d", world.fundamentTemplates[entry].direction);
            break;
        default:
            break;
        }
        if (style.page && !image.empty())
            style.page->DrawImageScaled(image.c_str(), cellX + 2, top + 5, 70, 70, 255, 255, 255, fade);
        CarLayer* carLayer = CarLayer::Instance();
        if (style.mode == kCars && carLayer)
            carLayer->DrawCarPreviewScaled(world.autoTypes[entry].id, cellX + 2, top + 5);
        if (label[0] && g_pGfx2D && g_fonts[2]) {
            g_pGfx2D->SetColor(0xFFFFFFFF);
            g_pGfx2D->DrawText(g_fonts[2], cellX + 2, top + 5, label, 0);
        }
        if (!IsMouseInRect(cellX + 2, top + 5, 183 + kCellStep * (i + 1), top + 75))
            continue;
        world.mouseOverBuildBar = 1;
        if (g_pGfx2D)
            g_pGfx2D->SetColor(0xFFFFFFFF);
        DrawRectOutline(cellX + 1, top + style.outlineTop, 255 + kCellStep * i, top + 75);
        if (world.leftClick) {
            world.ClearMouseClicks();
            world.stationSelection[SelectionSlot(style.mode)] = entry;
            if (style.mode == kCars)
                skipCellsOnce = true;
        }
    }

    const int pageStep = style.mode == kCars ? 1 : kCells;
    auto arrow = [&](const wchar_t* name, int x, int delta) {
        const bool hovered = IsMouseInRect(x, top + 15, x + 70, top + 85);
        if (hovered)
            world.mouseOverBuildBar = 1;
        // White while hovered, else yellow or green by the mode.
        const int r = hovered || style.yellowArrows ? 255 : 0;
        const int b = hovered ? 255 : 0;
        pages[kStationPage].DrawImage(name, x, top + 15, 0, 0, r, 255, b, fade);
        if (hovered && world.leftClick) {
            world.ClearMouseClicks();
            firstVisible += delta;
            if (firstVisible < 0)
                firstVisible = 0;
        }
    };
    if (firstVisible + kCells < listCount)
        arrow(L"b_right.png", 880, pageStep);
    if (firstVisible > 0)
        arrow(L"b_left.png", 110, -pageStep);
}

} // namespace Scene
