// Stands in for the world map's frame until its own files define it.
#include "frontend/menu_overlux.h"

namespace Scene {

void MenuOverlux::Draw() { }

} // namespace Scene
