// Service at places and the lamps: placeholders until that part of the layer
// is written.
#include "scene/menu_transport.h"

namespace Scene {

void MenuTransport::UpdateServicedCars() { }

void MenuTransport::ResetCarLamp(int /*place*/) { }

void MenuTransport::DeletePlaceEffect(int /*place*/, int /*itemCode*/) { }

void MenuTransport::StartPlaceSmoke(int /*place*/) { }

} // namespace Scene
