// Fundament templates, the fundaments and lots of the grid cells, and the
// questions asked about a cell.
#include <string>

#include "resources/log.h"
#include "world/game_world.h"
#include "world/world_checks.h"

namespace {

const wchar_t* const kMissingTexture = L"xxxxxxx";

// The platform image of the level's region; null where the region keeps the
// image it had (levels 19..24 and the station-building level).
const wchar_t* RegionPlatform(int level)
{
    if (level < 7)
        return L"platform_gras.png";
    if (level <= 12)
        return L"platform_snow.png";
    if (level <= 18)
        return L"platforms_usa.png";
    if (level >= 25 && level <= 30)
        return L"platform_wueste.png";
    return nullptr;
}

} // namespace

void cGameWorld::AddFundament(int id, const std::string& texture, const std::string& texture2, int direction)
{
    cFundamentTemplate t;
    t.id = id;
    t.texture = NarrowToWideString(texture) + L".png";
    t.texture2 = NarrowToWideString(texture2) + L".png";
    t.direction = direction;
    fundamentTemplates.push_back(t);
}

void cGameWorld::CreateFundament(int textureId, int row, int column, int direction, int value)
{
    if (!world::CheckCell(L"cGameWorld::CreateFundament", row, column))
        return;
    cFundament f;
    f.textureId = textureId;
    f.gridRow = f.row = row;
    f.gridColumn = f.column = f.linkColumn = column;
    f.direction = direction;
    f.content = value;
    const int t = world::FindFirst(fundamentTemplates,
        [&](const cFundamentTemplate& ft) { return ft.id == textureId && ft.direction == direction; });
    if (t >= 0) {
        f.texture = fundamentTemplates[t].texture;
        f.texture2 = fundamentTemplates[t].texture2;
    } else {
        cLog::Instance().Error(L"fundament: texture %d  direction %d not found", textureId, direction);
        f.texture = f.texture2 = kMissingTexture;
    }
    fundaments.push_back(f);
}

void cGameWorld::CreateLot(int row, int column, int textureId, int placeType, int a, int b, int c)
{
    // The lot writes the per-cell tables, so its cell must lie inside them.
    if (!world::CheckCell(L"cGameWorld::CreateLot", row, column))
        return;
    // Every finder takes the first fundament of a cell: a second lot there
    // could never be reached, yet it would be drawn and saved.
    if (FindFundamentAt(row, column) >= 0) {
        cLog::Instance().Error(L"cGameWorld::CreateLot -> cell %d, %d already holds a lot", row, column);
        return;
    }
    cFundament f;
    f.textureId = textureId;
    f.gridRow = f.row = row;
    f.gridColumn = f.column = f.linkColumn = column;
    f.direction = 9;
    f.content = placeType;
    f.paramA = a;
    f.paramB = b;
    f.paramC = c;
    lotInteractive[row][column] = a;
    lotSellable[row][column] = b;
    lotFreeBuy[row][column] = b; // the lot table takes the sellable value for both

    const int t = world::FindFirst(fundamentTemplates, [&](const cFundamentTemplate& ft) { return ft.id == textureId; });
    if (t >= 0) {
        f.texture = fundamentTemplates[t].texture;
        f.texture2 = fundamentTemplates[t].texture2;
        lotFundamentTexture[row][column] = textureId;
    } else {
        cLog::Instance().Error(L"fundament: texture %d  not found", textureId);
        f.texture = f.texture2 = kMissingTexture;
    }

    const int p = world::FindFirst(placeTemplates, [&](const cPlaceTemplate& pt) { return pt.id == placeType; });
    if (p >= 0) {
        const cPlaceTemplate& tpl = placeTemplates[p];
        f.placeTexture = tpl.lotTexture;
        f.lotValue = tpl.lotValue;
        f.objectOffsetX = tpl.objectOffsetX;
        f.objectOffsetY = tpl.objectOffsetY;
        lotPlaceValue[row][column] = tpl.lotValue;
        lotPlaceType[row][column] = placeType;
    }

    // During the intro the station shows as built.
    f.status = intro == 1 ? 9 : 0;
    f.alpha = intro == 1 ? 255 : 0;
    fundaments.push_back(f);
}

void cGameWorld::AddAutoToFundament(int row, int column, int autoType)
{
    const int f = FindFundamentAt(row, column);
    if (f < 0)
        return;
    fundaments[f].autoType = autoType;
    fundaments[f].alpha = 255;
    fundaments[f].timer.Restart();
}

void cGameWorld::SetColor(int row, int column, int colour)
{
    // Colours count places per colour number in the road-car draw.
    if (colour < 0 || colour >= world::kColours) {
        cLog::Instance().Error(L"cGameWorld::SetColor -> colour %d is out of range (0 to %d)", colour,
            world::kColours - 1);
        return;
    }
    const int p = world::FindFirst(places, [&](const cPlace& pl) { return pl.row == row && pl.column == column; });
    if (p >= 0)
        places[p].colour = colour;
    const int f = FindFundamentAt(row, column);
    if (f >= 0) {
        fundaments[f].colour = colour;
        fundaments[f].texture = L"platform_build.png";
        if (const wchar_t* region = RegionPlatform(level))
            fundaments[f].texture2 = region;
    }
}

int cGameWorld::FindFundamentAt(int row, int column) const
{
    return world::FindFirst(fundaments, [&](const cFundament& f) { return f.row == row && f.column == column; });
}

bool cGameWorld::IsCellSet(int row, int column) const
{
    return world::FindFirst(places, [&](const cPlace& p) {
        return p.row == row && p.column == column && p.type >= 6 && p.type <= 11;
    }) >= 0;
}

bool cGameWorld::Exist3() const
{
    constexpr int n = 10;
    bool set[n][n] = {};
    for (const cPlace& p : places) {
        if (p.type >= 6 && p.type <= 11 && p.row >= 0 && p.row < n && p.column >= 0 && p.column < n)
            set[p.row][p.column] = true;
    }
    for (int a = 0; a < n; ++a) {
        for (int b = 0; b + 2 < n; ++b) {
            if (set[a][b] && set[a][b + 1] && set[a][b + 2])
                return true;
            if (set[b][a] && set[b + 1][a] && set[b + 2][a])
                return true;
        }
    }
    return false;
}

int cGameWorld::GetClassAt(int row, int column)
{
    int autoType = -1;
    if (drawStation == 0) {
        // Grid levels: the car standing on the fundament.
        const int f = FindFundamentAt(row, column);
        if (f < 0 || fundaments[f].autoType == -1)
            return -1;
        autoType = fundaments[f].autoType;
    } else {
        const int i = world::FindFirst(
            placeAutos, [&](const cPlaceAuto& a) { return a.row == row && a.column == column && a.handPlaced == 0; });
        if (i < 0)
            return -1;
        autoType = placeAutos[i].autoType;
    }
    lastCellAutoType = autoType;
    return GetAutoTypeClass(autoType);
}
