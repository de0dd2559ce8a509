#include "world/game_world.h"

#include <memory>

#include "platform/utf16.h"
#include "world/settings.h"

namespace {

cGameWorld::MouseSource& MouseSourceSlot()
{
    static cGameWorld::MouseSource source;
    return source;
}

// Gives one group of fields its construction defaults. The fresh copy is made
// on the heap: some groups are far too large for the stack.
template <typename Fields> void ResetFields(Fields& fields)
{
    const auto fresh = std::make_unique<Fields>();
    fields = *fresh;
}

} // namespace

cGameWorld& cGameWorld::Instance()
{
    static cGameWorld world;
    return world;
}

cGameWorld::cGameWorld()
{
    cSettings::Instance().LoadSettingsAndProfiles(*this);
    LoadLogoList();
    // The logo list is read by the language tables' loader; without rows the
    // front end goes straight to loading.
    if (logoCount <= 0) {
        logosPresent = 0;
        loadingPhase = 1;
    } else {
        logosPresent = 1;
        loadingPhase = 0;
        logoIndex = logoFadeValue = logoPhase = 0;
    }
    worldTimer.Restart();
    calendarStep = calendarStepSetting;
}

void cGameWorld::ResetToDefaults()
{
    ResetFields<cWorldLevelFields>(*this);
    ResetFields<cWorldStationFields>(*this);
    ResetFields<cWorldEffectsFields>(*this);
    ResetFields<cWorldPlayerFields>(*this);
    ResetFields<cWorldScreenFields>(*this);
}

bool cGameWorld::IsOverlayActive() const
{
    return taskBookOpen || optionsOpen || resultScreenOpen || shopOpen || statisticsOpen || buildMenuOpen
        || extraOverlayOpen;
}

void cGameWorld::ResetFlags()
{
    clickEvent = 0;
    leftClick = 0;
}

void cGameWorld::ClearMouseClicks()
{
    clickEvent = 0;
    leftClick = 0;
}

void cGameWorld::ComputeLayout()
{
    const float sx = cSettings::Instance().scaleX;
    const float sy = cSettings::Instance().scaleY;
    // Each coordinate is truncated as soon as it is computed, so the cells sit
    // on whole pixels exactly as the design grid puts them.
    const int anchorX = static_cast<int>(400 / sx);
    const int anchorY = static_cast<int>(450 / sy);
    gridAnchorX = anchorX;
    gridAnchorY = anchorY;
    for (int column = 0; column <= 8; ++column) {
        const int rowX = static_cast<int>(anchorX + (4 - column) * 168 / sx);
        const int rowY = static_cast<int>(anchorY - (4 - column) * 69 / sy);
        cellX[4][column] = rowX;
        cellY[4][column] = rowY;
        for (int row = 1; row <= 8; ++row) {
            if (row == 4)
                continue;
            cellX[row][column] = static_cast<int>(rowX + (row - 4) * 97 / sx);
            cellY[row][column] = static_cast<int>(rowY + (row - 4) * 119 / sy);
        }
    }
}

bool cGameWorld::PointInPolygon(int count, const int* xs, const int* ys, int px, int py)
{
    bool inside = false;
    for (int i = 0, j = count - 1; i < count; j = i++) {
        const bool straddles = (ys[i] <= py && ys[j] > py) || (ys[j] <= py && ys[i] > py);
        if (!straddles)
            continue;
        const int crossX = xs[i] + (xs[j] - xs[i]) * (py - ys[i]) / (ys[j] - ys[i]);
        if (px < crossX)
            inside = !inside;
    }
    return inside;
}

void cGameWorld::SetMouseSource(MouseSource source)
{
    MouseSourceSlot() = std::move(source);
}

void cGameWorld::GetMousePosition(int& x, int& y)
{
    x = 0;
    y = 0;
    if (MouseSourceSlot())
        MouseSourceSlot()(x, y);
}

bool cGameWorld::IsMouseOverPlace(int row, int column) const
{
    int mouseX = 0;
    int mouseY = 0;
    if (!MouseSourceSlot())
        return false;
    MouseSourceSlot()(mouseX, mouseY);
    return IsMouseOverPlace(row, column, mouseX, mouseY);
}

bool cGameWorld::IsMouseOverPlace(int row, int column, int mouseX, int mouseY) const
{
    // Callers pass cells of the grid; anything else must not index the tables.
    if (row < 0 || row >= world::kGridSize || column < 0 || column >= world::kGridSize)
        return false;
    // The outline is in design units, like the distances between the cells:
    // on a smaller screen it shrinks with them, so neighbouring cells never
    // share a point, and it stays the face the platform images show.
    static constexpr int kOutlineX[5] = { 17, 146, 215, 93, 17 };
    static constexpr int kOutlineY[5] = { 96, 47, 138, 190, 96 };
    const cSettings& settings = cSettings::Instance();
    int xs[5];
    int ys[5];
    for (int i = 0; i < 5; ++i) {
        xs[i] = cellX[row][column] + static_cast<int>(static_cast<float>(kOutlineX[i]) / settings.scaleX);
        ys[i] = cellY[row][column] + static_cast<int>(static_cast<float>(kOutlineY[i]) / settings.scaleY);
    }
    return PointInPolygon(5, xs, ys, mouseX, mouseY);
}

void cGameWorld::GridCarPoint(int row, int column, int& x, int& y) const
{
    x = y = 0;
    if (row < 0 || row >= world::kGridSize || column < 0 || column >= world::kGridSize)
        return;
    // The middle of the hit area above and the middle of a car's outline in
    // its 140 x 110 design image (a car along the road: the image a grid car
    // shows), both in design units.
    constexpr float kFaceMiddle = 118.0f;
    constexpr float kCarMiddleX = 73.0f;
    constexpr float kCarMiddleY = 66.0f;
    const cSettings& settings = cSettings::Instance();
    x = cellX[row][column] + static_cast<int>((kFaceMiddle - kCarMiddleX) / settings.scaleX);
    y = cellY[row][column] + static_cast<int>((kFaceMiddle - kCarMiddleY) / settings.scaleY);
}

void cGameWorld::ClearMessages()
{
    statusMessages.clear();
}

void cGameWorld::ClearMenuFlag(const std::string& /*name*/)
{
    menuFlag = 0;
}

std::wstring cGameWorld::NarrowToWideString(std::string_view text)
{
    return platform::NarrowToWide(text);
}
