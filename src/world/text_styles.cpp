// The text colour styles of css.csv.
#include <string_view>

#include "engine/gfx.h"
#include "resources/csv_table.h"
#include "resources/log.h"
#include "world/game_world.h"
#include "world/language_tables.h"

namespace {

// Names of the styles, in the order of the world's styleColours.
constexpr std::wstring_view kStyleNames[world::kTextStyles] = { L"MenuTop", L"MenuTopCount", L"MenuTopShadow",
    L"MenuStatus", L"MenuStatusCount", L"MenuStatusShadow", L"NameOverPlace", L"NameOverPlaceShadow", L"MenuTaskText",
    L"MenuTaskTextShadow", L"TextShadowDefault", L"PriceText", L"PriceTextShadow" };

constexpr int kTextShadowDefault = 10;

} // namespace

void cGameWorld::LoadTextStyles()
{
    cCsvTable table;
    if (!language::OpenTable(table, L"css.csv")) {
        cLog::Instance().Error(L"File %ls not found", (std::wstring(language::kLooseFolder) + L"css.csv").c_str());
        return;
    }
    // A style the file does not name keeps the colour it had.
    while (language::NextDataRow(table)) {
        const std::wstring name = table.GetString(3);
        for (int style = 0; style < world::kTextStyles; ++style) {
            if (name == kStyleNames[style]) {
                styleColours[style][0] = table.GetInt(0);
                styleColours[style][1] = table.GetInt(1);
                styleColours[style][2] = table.GetInt(2);
                break;
            }
        }
    }
}

void cGameWorld::ApplyTextColour()
{
    if (!g_pGfx2D)
        return;
    const int* colour = styleColours[kTextShadowDefault];
    g_pGfx2D->SetTextColorRGBA(colour[0], colour[1], colour[2], 255);
}
