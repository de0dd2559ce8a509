#include "scene/menu_transport.h"

#include "scene/menu_manager.h"

namespace Scene {

MenuTransport::MenuTransport()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuTransport::~MenuTransport() = default;

MenuTransport* MenuTransport::Instance()
{
    return cMenuManager::Instance().Get<MenuTransport>(cMenuManager::kTransport);
}

void MenuTransport::PlaceAtPathStart(int /*index*/) { }

void MenuTransport::ResetCarLamp(int /*place*/) { }

void MenuTransport::DeletePlaceEffect(int /*place*/, int /*autoType*/) { }

void MenuTransport::StartPlaceSmoke(int /*place*/) { }

void MenuTransport::ResetTimers() { }

void MenuTransport::HandleStackClick() { }

void MenuTransport::Draw() { }

void MenuTransport::DrawLeavingAutos() { }

void MenuTransport::UpdateServicedCars() { }

void MenuTransport::UpdateTransfer() { }

void MenuTransport::UpdateHelpHints() { }

void MenuTransport::DragAuto() { }

} // namespace Scene
