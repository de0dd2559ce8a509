#include "frontend/help_screen.h"

namespace Scene {

HelpScreen::HelpScreen()
    : Screen(0, 0, 0, 0)
{
}

HelpScreen::~HelpScreen()
{
    pages[kHelpPage].Unload();
}

void HelpScreen::OnActivate() { }

void HelpScreen::OnDeactivate()
{
    pages[kHelpPage].Unload();
}

void HelpScreen::Draw() { }

} // namespace Scene
