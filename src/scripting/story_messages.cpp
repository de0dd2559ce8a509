// Story methods: task lines and messages, icons, decorations and overlays.
// The task list has world::kMessageLines lines; line n is labelled by GUI
// text 103 + n.
#include <cwchar>

#include "scene/gui_vocabulary.h"
#include "scripting/script_index.h"
#include "scripting/story.h"
#include "world/game_world.h"
#include "world/world_sizes.h"

namespace {

constexpr int kFirstTaskLabel = 103;

bool CheckLine(const wchar_t* method, int n)
{
    return Scripting::CheckScriptIndex(method, n, world::kMessageLines);
}

// The label of line n; lines whose label lies past the GUI table have none.
const wchar_t* TaskLabel(int n)
{
    const int entry = kFirstTaskLabel + n;
    return entry < kGuiTextCount ? g_guiVocabulary[entry] : L"";
}

} // namespace

void Story::SetMessage(int n, int value, int target)
{
    if (!CheckLine(L"SetMessage", n))
        return;
    cGameWorld& world = cGameWorld::Instance();
    world.taskLineValues[n] = value;
    // -1 keeps the line's earlier target.
    if (target != -1)
        world.taskLineTargets[n] = target;
    wchar_t text[kGuiTextLength + 16];
    std::swprintf(text, sizeof text / sizeof text[0], L"%ls: %d", TaskLabel(n), value);
    world.taskLineTexts[n] = text;
    if (n + 1 > world.taskLineCount)
        world.taskLineCount = n + 1;
}

void Story::ActivateMessageStatus(int n)
{
    if (CheckLine(L"ActivateMessageStatus", n))
        cGameWorld::Instance().taskLineActive[n] = 1;
}

bool Story::GetMessageStatus(int n)
{
    return CheckLine(L"GetMessageStatus", n) && cGameWorld::Instance().taskLineActive[n] != 0;
}

int Story::GetMessageReal(int n)
{
    return CheckLine(L"GetMessageReal", n) ? cGameWorld::Instance().taskLineValues[n] : 0;
}

int Story::GetMessageTarget(int n)
{
    return CheckLine(L"GetMessageTarget", n) ? cGameWorld::Instance().taskLineTargets[n] : 0;
}

int Story::GetActive()
{
    int count = 0;
    for (const uint8_t active : cGameWorld::Instance().taskLineActive)
        count += active != 0 ? 1 : 0;
    return count;
}

// The highest active line; 0 when none is, the same as with line 0 alone.
int Story::GetActiveParam()
{
    const cGameWorld& world = cGameWorld::Instance();
    for (int n = world::kMessageLines - 1; n > 0; --n) {
        if (world.taskLineActive[n])
            return n;
    }
    return 0;
}

// The message is a row of the GUI text table that the level's screens show.
void Story::Message(int id)
{
    if (Scripting::CheckScriptIndex(L"Message", id, kGuiTextCount))
        cGameWorld::Instance().messageToShow = id;
}

int Story::GetCurrentTask()
{
    return cGameWorld::Instance().currentTask;
}

int Story::GetCurrentService()
{
    return cGameWorld::Instance().currentService;
}

void Story::AddIcon(int id, const std::string& texture)
{
    if (Scripting::CheckScriptText(L"AddIcon", texture)
        && Scripting::CheckScriptRoom(L"AddIcon", cGameWorld::Instance().icons.size()))
        cGameWorld::Instance().AddIcon(id, texture);
}

void Story::DeleteIcon(int id)
{
    cGameWorld::Instance().DeleteIcon(id);
}

void Story::SetSpeedIcon(float speed)
{
    if (Scripting::CheckScriptNumber(L"SetSpeedIcon", speed))
        cGameWorld::Instance().iconSpeed = speed;
}

void Story::AddBody(int id, const std::string& texture)
{
    if (Scripting::CheckScriptText(L"AddBody", texture)
        && Scripting::CheckScriptRoom(L"AddBody", cGameWorld::Instance().bodyTemplates.size()))
        cGameWorld::Instance().AddBody(id, texture);
}

void Story::AddMyBody(int id, int x, int y)
{
    if (Scripting::CheckScriptRoom(L"AddMyBody", cGameWorld::Instance().bodies.size()))
        cGameWorld::Instance().AddMyBody(id, x, y);
}

void Story::AddOver(int id, const std::string& texture)
{
    if (Scripting::CheckScriptText(L"AddOver", texture)
        && Scripting::CheckScriptRoom(L"AddOver", cGameWorld::Instance().overTemplates.size()))
        cGameWorld::Instance().AddOver(id, texture);
}

void Story::SetTypOver(int id, int type)
{
    cGameWorld::Instance().SetTypOver(id, type);
}

void Story::AddMyOver(int id, int x, int y)
{
    if (Scripting::CheckScriptRoom(L"AddMyOver", cGameWorld::Instance().places.size()))
        cGameWorld::Instance().AddMyOver(id, x, y, 0);
}

void Story::AddSuperOver(int a, int b, int c)
{
    if (Scripting::CheckScriptRoom(L"AddSuperOver", cGameWorld::Instance().superOvers.size()))
        cGameWorld::Instance().AddSuperOver(a, b, c);
}

void Story::SetMenuCorner(const std::string& corner)
{
    if (Scripting::CheckScriptText(L"SetMenuCorner", corner))
        cGameWorld::Instance().menuCorner = corner;
}
