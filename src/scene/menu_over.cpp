#include "scene/menu_over.h"

#include "scene/menu_manager.h"

namespace Scene {

MenuOver::MenuOver()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuOver::~MenuOver() = default;

MenuOver* MenuOver::Instance()
{
    return cMenuManager::Instance().Get<MenuOver>(cMenuManager::kOver);
}

void MenuOver::GetElementImageSize(int /*type*/, int /*x*/, int /*y*/) { }

void MenuOver::GetTreeImageSize(int /*type*/, int /*x*/, int /*y*/) { }

int MenuOver::GetPlaceUnderMouse(bool /*checkDrop*/)
{
    return -1;
}

void MenuOver::Draw() { }

void MenuOver::DrawDecorations() { }

} // namespace Scene
