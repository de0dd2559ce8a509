#include "scene/menu_task.h"

namespace Scene {

MenuTask::MenuTask()
    : MenuPrototype(0, 0, 0, 0)
{
}

MenuTask::~MenuTask() = default;

void MenuTask::Draw() { }

void MenuTask::Reset() { }

void MenuTask::ResetPage() { }

} // namespace Scene
