// Stand-in for the vehicles layer until the screen exists: there is no
// instance, so the world's calls do nothing. The screen's own source replaces
// this file.
#include "scene/menu_transport.h"

namespace Scene {

MenuTransport* MenuTransport::Instance()
{
    return nullptr;
}

void MenuTransport::PlaceAtPathStart(int /*index*/) { }

void MenuTransport::ResetCarLamp(int /*place*/) { }

void MenuTransport::DeletePlaceEffect(int /*place*/, int /*autoType*/) { }

void MenuTransport::StartPlaceSmoke(int /*place*/) { }

} // namespace Scene
