#include "frontend/menu_help.h"

namespace Scene {

MenuHelp::MenuHelp()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuHelp::~MenuHelp()
{
    pages[kHelpPage].Unload();
}

void MenuHelp::OnActivate() { }

void MenuHelp::OnDeactivate()
{
    pages[kHelpPage].Unload();
}

void MenuHelp::Draw() { }

} // namespace Scene
