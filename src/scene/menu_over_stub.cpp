// Stand-in for the station view until the screen exists: there is no
// instance, so the world's calls do nothing. The screen's own source replaces
// this file.
#include "scene/menu_over.h"

namespace Scene {

MenuOver* MenuOver::Instance()
{
    return nullptr;
}

void MenuOver::GetElementImageSize(int /*type*/, int /*x*/, int /*y*/) { }

void MenuOver::GetTreeImageSize(int /*type*/, int /*x*/, int /*y*/) { }

} // namespace Scene
