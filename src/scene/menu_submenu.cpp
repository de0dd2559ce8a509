#include "scene/menu_submenu.h"

#include "scripting/story.h"

namespace Scene {

MenuSubmenu::MenuSubmenu()
    : MenuPrototype(0, 0, 0, 0)
{
    clockTimer.Start();
    blinkTimer.Start();
}

MenuSubmenu::~MenuSubmenu() = default;

void MenuSubmenu::DrawBonusSlots() { }

void MenuSubmenu::Tick() { }

void MenuSubmenu::Draw() { }

void MenuSubmenu::DrawNumber(int /*alignRight*/, const wchar_t* /*text*/, int /*x*/, int /*y*/, int /*alpha*/) { }

void MenuSubmenu::DrawNumberSmall(int /*alignRight*/, const wchar_t* /*text*/, int /*x*/, int /*y*/, int /*alpha*/) { }

void MenuSubmenu::ResetResultSound()
{
    Story::Instance().StartSound(2);
}

} // namespace Scene
