// Stands in for the profile screen until its own files define it.
#include "frontend/menu_start.h"

namespace Scene {

void MenuStart::DrawProfiles() { }

} // namespace Scene
