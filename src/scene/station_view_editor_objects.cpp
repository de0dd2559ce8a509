// The station editor on the station itself: the selected item follows the
// mouse and a click places it; without a selection the objects under the
// mouse are outlined, moved with the arrow keys and deleted with a click.
#include <cwchar>

#include "app/game_app_fonts.h"
#include "engine/gfx.h"
#include "scene/car_layer.h"
#include "scene/design_units.h"
#include "scene/station_view.h"
#include "scene/station_view_local.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/world_checks.h"

namespace Scene {

using namespace Local;

namespace {
    constexpr uint32_t kYellow = 0xFFFFFF00;
    constexpr uint32_t kRed = 0xFFFF0000;
    constexpr int kGridCells = 10;
    // Where a dragged item hangs from the mouse.
    constexpr int kItemDX = -60;
    constexpr int kItemDY = -60;
    constexpr int kFundamentDX = -20;
    constexpr int kFundamentDY = -90;
    constexpr int kCarDX = -100;
    constexpr int kCarDY = -100;
    // Where the editors write an object's label above it.
    constexpr int kLabelDY = -45;

    void Mouse(int& x, int& y)
    {
        cGameWorld::GetMousePosition(x, y);
    }

    void Label(int font, int x, int y, const std::wstring& text)
    {
        if (g_pGfx2D && g_fonts[font])
            g_pGfx2D->DrawText(g_fonts[font], x, y, text.c_str(), 0);
    }

    // The first grid cell under the mouse, rows first.
    bool CellUnderMouse(const cGameWorld& world, int& row, int& column)
    {
        for (row = 0; row < kGridCells; ++row) {
            for (column = 0; column < kGridCells; ++column) {
                if (world.IsMouseOverPlace(row, column))
                    return true;
            }
        }
        return false;
    }

    // The outline box of a cell.
    void CellBox(const cGameWorld& world, int row, int column, int& x1, int& y1, int& x2, int& y2)
    {
        x1 = world.cellX[row][column] + 17;
        y1 = world.cellY[row][column] + 47;
        x2 = world.cellX[row][column] + 215;
        y2 = world.cellY[row][column] + 190;
    }

    // One arrow-key flag moves a value by one unit and is used up.
    void MoveByKeys(cGameWorld& world, int& x, int& y)
    {
        auto take = [](uint8_t& key) {
            const bool down = key != 0;
            key = 0;
            return down;
        };
        if (take(world.keyLeft))
            --x;
        if (take(world.keyRight))
            ++x;
        if (take(world.keyUp))
            --y;
        if (take(world.keyDown))
            ++y;
    }
} // namespace

void StationView::DrawPlacement()
{
    cGameWorld& world = cGameWorld::Instance();
    const int mode = world.developerCounter;
    int mx = 0;
    int my = 0;
    Mouse(mx, my);
    const int fade = GetAlpha();
    const bool click = world.leftClick != 0;
    Story& story = Story::Instance();

    if (mode == 2 || mode == 4) {
        const int t = world.stationSelection[2];
        if (!world::IsIndex(t, world.overTemplates.size()))
            return;
        const std::wstring image = cGameWorld::NarrowToWideString(world.overTemplates[t].texture) + L".png";
        pages[kTreesPage].DrawImage(image.c_str(), mx + kItemDX, my + kItemDY, 0, 0, 255, 255, 255, fade);
        if (!click)
            return;
        world.ClearMouseClicks();
        if (mode == 2)
            story.CreatePlace(world.overTemplates[t].id, mx + kItemDX, my + kItemDY, 0);
        else
            world.AddSuperOver(world.overTemplates[t].id, mx + kItemDX, my + kItemDY);
        return;
    }
    if (mode == 0) {
        const int t = world.stationSelection[0];
        if (!world::IsIndex(t, world.placeTemplates.size()))
            return;
        const std::wstring image = cGameWorld::NarrowToWideString(world.placeTemplates[t].texture) + L".png";
        pages[kStationPage].DrawImage(image.c_str(), mx + kItemDX, my + kItemDY, 0, 0, 255, 255, 255, fade);
        int row = 0;
        int column = 0;
        if (CellUnderMouse(world, row, column))
            pages[kStationPage].DrawImage(L"platform_over.png", world.cellX[row][column] - 15,
                world.cellY[row][column] + 25, 0, 0, 255, 255, 255, fade);
        if (!click)
            return;
        world.ClearMouseClicks();
        const int id = world.placeTemplates[t].id;
        const int value = world.placeTemplates[t].value;
        for (std::size_t f = 0; f < world.fundaments.size(); ++f) {
            const int r = world.fundaments[f].row;
            const int c = world.fundaments[f].column;
            if (!world.IsMouseOverPlace(r, c))
                continue;
            const std::size_t before = world.places.size();
            story.CreatePlace(id, r, c, value);
            if (world.places.size() == before)
                continue;
            world.fundaments[f].content = static_cast<int>(world.places.size()) - 1;
            world.SetColor(r, c, id - 6);
            for (cPlace& place : world.places) {
                if (place.row != r || place.column != c)
                    continue;
                place.serveFlag = 0;
                place.wear = 0;
                place.animationName = L"phase10000";
                place.lampName = L"lampe_green";
                place.animationImage = place.animationName + L".png";
            }
        }
        return;
    }
    if (mode == 3) {
        const int t = world.stationSelection[3];
        if (!world::IsIndex(t, world.fundamentTemplates.size()))
            return;
        const cFundamentTemplate& tpl = world.fundamentTemplates[t];
        pages[kStationPage].DrawImage(
            tpl.texture.c_str(), mx + kFundamentDX, my + kFundamentDY, 0, 0, 255, 255, 255, fade);
        int row = 0;
        int column = 0;
        if (!click || !CellUnderMouse(world, row, column))
            return;
        world.ClearMouseClicks();
        world.CreateFundament(tpl.id, row, column, tpl.direction, -1);
        return;
    }
    if (mode == 5) {
        const int t = world.stationSelection[5];
        if (!world::IsIndex(t, world.autoTypes.size()))
            return;
        const int type = world.autoTypes[t].id;
        // The cars' pictures belong to the car layer, which draws them.
        if (CarLayer* carLayer = CarLayer::Instance())
            carLayer->DrawCarPreview(type, mx + kCarDX, my + kCarDY);
        if (!click)
            return;
        world.ClearMouseClicks();
        for (std::size_t f = 0; f < world.fundaments.size(); ++f) {
            if (world.IsMouseOverPlace(world.fundaments[f].row, world.fundaments[f].column))
                story.AddAutoToFundament(world.fundaments[f].row, world.fundaments[f].column, type);
        }
        world.stationSelection[5] = -1;
    }
}

void StationView::DrawPlaceEditor()
{
    cGameWorld& world = cGameWorld::Instance();
    bool found = false;
    for (std::size_t i = 0; i < world.places.size(); ++i) {
        const cPlace& place = world.places[i];
        if (place.type >= kFirstTreeType || !world::IsGridCell(place.row, place.column))
            continue;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        CellBox(world, place.row, place.column, x1, y1, x2, y2);
        if (found || !world.IsMouseOverPlace(place.row, place.column)) {
            SetColour(kRed);
            DrawRectOutline(x1, y1, x2, y2);
            continue;
        }
        found = true;
        SetColour(kYellow);
        DrawRectOutline(x1, y1, x2, y2);
        Label(0, place.x, place.y + kLabelDY, cGameWorld::NarrowToWideString(place.texture));
        if (world.leftClick) {
            world.ClearMouseClicks();
            RemovePlace(static_cast<int>(i));
            return;
        }
    }
}

void StationView::EditDecorationPositions()
{
    cGameWorld& world = cGameWorld::Instance();
    for (std::size_t i = 0; i < world.places.size(); ++i) {
        cPlace& tree = world.places[i];
        if (tree.type < kFirstTreeType)
            continue;
        uint32_t w = 0;
        uint32_t h = 0;
        pages[kTreesPage].GetImageSize((cGameWorld::NarrowToWideString(tree.texture) + L".png").c_str(), &w, &h);
        const int x = ScaleX(tree.x);
        const int y = ScaleY(tree.y);
        if (!IsMouseInRect(x, y, x + static_cast<int>(w), y + static_cast<int>(h)))
            continue;
        SetColour(kYellow);
        DrawRectOutline(x, y, x + static_cast<int>(w), y + static_cast<int>(h));
        wchar_t text[64];
        std::swprintf(text, 64, L"x = %d y = %d n = %d", tree.x, tree.y, tree.type);
        Label(1, x, y + kLabelDY, text);
        if (world.leftClick) {
            world.ClearMouseClicks();
            ErasePlace(static_cast<int>(i));
            return;
        }
        MoveByKeys(world, tree.x, tree.y);
        return;
    }
}

void StationView::EditSuperOverPositions()
{
    cGameWorld& world = cGameWorld::Instance();
    for (std::size_t i = 0; i < world.superOvers.size(); ++i) {
        cSuperOver& over = world.superOvers[i];
        uint32_t w = 0;
        uint32_t h = 0;
        pages[kTreesPage].GetImageSize((cGameWorld::NarrowToWideString(over.texture) + L".png").c_str(), &w, &h);
        const int x = ScaleX(over.x);
        const int y = ScaleY(over.y);
        if (!IsMouseInRect(x, y, x + static_cast<int>(w), y + static_cast<int>(h)))
            continue;
        SetColour(kYellow);
        DrawRectOutline(x, y, x + static_cast<int>(w), y + static_cast<int>(h));
        if (world.leftClick) {
            world.ClearMouseClicks();
            world.superOvers.erase(world.superOvers.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
        MoveByKeys(world, over.x, over.y);
        return;
    }
}

void StationView::DrawFundamentEditor()
{
    cGameWorld& world = cGameWorld::Instance();
    bool found = false;
    for (std::size_t i = 0; i < world.fundaments.size(); ++i) {
        const cFundament& f = world.fundaments[i];
        if (f.content != -1 || !world::IsGridCell(f.row, f.column))
            continue;
        const int x = world.cellX[f.row][f.column] - 15;
        const int y = world.cellY[f.row][f.column] + 25;
        if (found || !world.IsMouseOverPlace(f.row, f.column)) {
            SetColour(kRed);
            DrawRectOutline(x, y, x + 240, y + 120);
            continue;
        }
        found = true;
        SetColour(kYellow);
        DrawRectOutline(x, y, x + 240, y + 120);
        Label(0, x, y + kLabelDY, f.texture);
        if (world.leftClick || world.rightClick) {
            world.ResetFlags();
            world.rightClick = 0;
            world.fundaments.erase(world.fundaments.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

void StationView::DrawDebugInfo()
{
    const cGameWorld& world = cGameWorld::Instance();
    if (!g_pGfx2D || !g_fonts[1])
        return;
    g_pGfx2D->SetColor(0xFFFFFFFF);
    for (const cFundament& f : world.fundaments) {
        if (!world::IsGridCell(f.row, f.column))
            continue;
        const int x = world.cellX[f.row][f.column];
        const int y = world.cellY[f.row][f.column];
        wchar_t text[64];
        std::swprintf(text, 64, L"f:%d/%d %d/%d", x, y, f.row, f.column);
        g_pGfx2D->DrawText(g_fonts[1], x, y, text, 0);
    }
}

} // namespace Scene
