// Road traffic and the cars driving into the stack: placeholders until that
// part of the layer is written.
#include "scene/menu_transport.h"

namespace Scene {

void MenuTransport::UpdateRoadCars(int /*road*/) { }

void MenuTransport::UpdateRoadCarsTogether() { }

bool MenuTransport::MayRoadCarStart(int /*index*/, int /*direction*/, int /*x*/, int /*y*/) { return true; }

void MenuTransport::UpdateStackArrivals() { }

void MenuTransport::RemoveSpecAuto(int /*autoType*/) { }

int MenuTransport::PickPlaceForKind(int /*colourGroup*/) { return -1; }

void MenuTransport::DrawSelector(int /*x*/, int /*y*/) { }

} // namespace Scene
