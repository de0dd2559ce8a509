// Where the profile screen's parts lie. Lengths are written for a screen 1280
// wide and divided by the settings' scale factors, truncated.
#pragma once

#include <cstdint>

#include "scene/design_units.h"
#include "world/settings.h"

namespace Scene::ProfileLayout {

// The anchor of the screen.
inline int Bx()
{
    return ScaleX(380);
}
inline int By()
{
    return ScaleY(350);
}
// The line of the lower buttons, 15 pixels lower on a screen 1024 wide.
inline int ButtonLine()
{
    return By() + ScaleY(510) + (cSettings::Instance().GetWidth() == 1024 ? 15 : 0);
}

constexpr int kButtonWidth = 205;
constexpr int kButtonHeight = 49;
// Profile k (1..6) stands in column 0 for 1..3 and column 1 for 4..6; both
// columns lie inside the frame (542 wide) with the same margin at its sides.
inline int SlotColumn(int k)
{
    return k <= 3 ? 0 : 1;
}
inline int SlotRow(int k)
{
    return (k - 1) % 3;
}
inline int SlotX(int k)
{
    return Bx() + ScaleX(20 + 262 * SlotColumn(k));
}
inline int SlotY(int k)
{
    return By() + ScaleY(65 + 55 * SlotRow(k));
}
constexpr int kSlotWidth = 240;
constexpr int kSlotHeight = 41;
// A name stands this far into its slot.
constexpr int kSlotTextInset = 14;

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kYellow = 0xFFFFFF00;

} // namespace Scene::ProfileLayout
