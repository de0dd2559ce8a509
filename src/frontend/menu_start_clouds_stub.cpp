// Stand-in for the start screen's clouds until the start screen draws them;
// the profile screen only asks for them.
#include "frontend/menu_start.h"

namespace Scene {

void MenuStart::DrawClouds() { }

} // namespace Scene
