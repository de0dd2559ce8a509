// Stand-in until the world map enters the station-building level itself.
#include "frontend/menu_overlux.h"

namespace Scene {

void MenuOverlux::EnterBuildLevel() { }

} // namespace Scene
