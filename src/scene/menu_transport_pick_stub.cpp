// Picking a car from the stack, dragging it and dropping it, and collecting
// the help hints: placeholders until that part of the layer is written.
#include "scene/menu_transport.h"

namespace Scene {

void MenuTransport::HandleStackClick() { }

void MenuTransport::DragAuto() { }

void MenuTransport::UpdateHelpHints()
{
    // Last frame's hints are drawn before new ones are collected.
    DrawPhantomCar();
    DrawPhantomCarSpecial();
}

} // namespace Scene
