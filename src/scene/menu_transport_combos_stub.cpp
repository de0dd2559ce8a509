// The combo checks after each move: placeholders until that part of the
// layer is written.
#include "scene/menu_transport.h"

namespace Scene {

void MenuTransport::CheckPlaceCombos() { }

void MenuTransport::CheckFundamentCombos() { }

void MenuTransport::RemoveJokerAuto() { }

} // namespace Scene
